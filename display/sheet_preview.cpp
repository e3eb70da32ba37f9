#include "display/sheet_preview.h"

#include "base/data_dir.h"
#include "base/text_file.h"
#include "display/drawing_numbers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace qv::draw {

namespace {

} // namespace

void SheetPreview::setZoom(double z, int cx, int cy) {
    const double old = zoom;
    zoom = std::clamp(z, kZoomMin, kZoomMax);
    x0 += roundEven(cx - zoom * cx) - roundEven(cx - old * cx);
    y0 += roundEven(cy - zoom * cy) - roundEven(cy - old * cy);
}

void SheetPreview::zoomIn(int cx, int cy) { setZoom(zoom * kZoomStep, cx, cy); }
void SheetPreview::zoomOut(int cx, int cy) { setZoom(zoom / kZoomStep, cx, cy); }

void SheetPreview::endDrag(int dx, int dy) {
    if (std::abs(dx) > kDragThreshold) x0 += dx;
    if (std::abs(dy) > kDragThreshold) y0 += dy;
}

void SheetPreview::wheel(bool down) { y0 += down ? kWheelStep : -kWheelStep; }

void SheetPreview::fitHeight(bool landscape, int screenWidth) {
    zoom = landscape ? 1.0 : 0.5;
    x0 = landscape ? 0 : screenWidth / 4;
    y0 = 0;
}

void SheetPreview::fitWidth() {
    zoom = 1;
    x0 = y0 = 0;
}

std::optional<int> pictureNumberOf(const std::string& name) {
    std::string n = name;
    std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (n.size() != 10 || n.compare(0, 4, "GRAF") != 0 || n.compare(6, 4, ".SVG") != 0) return std::nullopt;
    if (!std::isdigit(static_cast<unsigned char>(n[4])) || !std::isdigit(static_cast<unsigned char>(n[5])))
        return std::nullopt;
    const int number = (n[4] - '0') * 10 + (n[5] - '0');
    if (number == 0) return std::nullopt;
    return number;
}

std::vector<std::string> pictureNameChoices() {
    std::vector<std::string> names;
    for (int n = 1; n <= 15; ++n) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "GRAF%02d.SVG", n);
        names.push_back(buffer);
    }
    return names;
}

std::vector<std::string> withOrientation(std::vector<std::string> lines, int number, bool portrait) {
    if (number < 1) return lines;
    if (lines.size() < static_cast<std::size_t>(number)) lines.resize(static_cast<std::size_t>(number), "L");
    lines[static_cast<std::size_t>(number - 1)] = portrait ? "P" : "L";
    return lines;
}

bool isPortraitPicture(const std::vector<std::string>& lines, int number) {
    if (number < 1 || lines.size() < static_cast<std::size_t>(number)) return false;
    return lines[static_cast<std::size_t>(number - 1)].rfind('P', 0) == 0;
}

ViewerSize pictureViewerSize(bool portrait, int screenWidth, int screenHeight) {
    ViewerSize size = portrait ? ViewerSize{450, 680} : ViewerSize{660, 510};
    if (screenWidth > 0) {
        const double ratio = static_cast<double>(screenHeight) / screenWidth;
        if (ratio >= 0.62 && ratio <= 0.63) size.width = portrait ? 525 : 755;
    }
    return size;
}

namespace {

std::vector<std::string> readOrientationList() {
    if (!dataDir().exists(kOrientationListPath)) return {};
    return readDataTextLines(kOrientationListPath);
}

} // namespace

void recordPictureOrientation(int number, bool portrait) {
    const std::vector<std::string> lines = withOrientation(readOrientationList(), number, portrait);
    writeTextLines(dataDir().prepareForWrite(kOrientationListPath), lines, kOrientationListPath);
}

bool pictureSavedPortrait(int number) { return isPortraitPicture(readOrientationList(), number); }

} // namespace qv::draw
