#include "display/drawing_extent.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace qv::draw {

namespace {

// Advance widths of Liberation Sans (metric twin of Arial), 1/1000 em, by
// Windows-1252 byte; control bytes take the width of a blank.
constexpr std::array<short, 256> kSansWidths = {
    278, 278, 278, 278, 278, 278, 278, 278, 278, 278, 278, 278, 278, 278, 278, 278,
    278, 278, 278, 278, 278, 278, 278, 278, 278, 278, 278, 278, 278, 278, 278, 278,
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584, 365,
    556, 556, 222, 556, 333, 1000, 556, 556, 333, 1000, 667, 333, 1000, 556, 611, 556,
    556, 222, 222, 333, 333, 350, 556, 1000, 333, 1000, 500, 333, 944, 556, 500, 667,
    278, 333, 556, 556, 556, 556, 260, 556, 333, 737, 370, 556, 584, 333, 737, 552,
    400, 549, 333, 333, 333, 576, 537, 278, 333, 333, 365, 556, 834, 834, 834, 611,
    667, 667, 667, 667, 667, 667, 1000, 722, 667, 667, 667, 667, 278, 278, 278, 278,
    722, 722, 778, 778, 778, 778, 778, 584, 778, 722, 722, 722, 722, 667, 667, 611,
    556, 556, 556, 556, 556, 556, 889, 500, 556, 556, 556, 556, 278, 278, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 549, 611, 556, 556, 556, 556, 500, 556, 500,
};
constexpr double kFixedWidth = 600;

double pixelSize(const FontSpec& font) { return std::max(1.0, std::floor(font.height / 1.15 + 0.5)); }

} // namespace

void DeviceBox::add(double x, double y) {
    if (empty) {
        left = right = x;
        top = bottom = y;
        empty = false;
        return;
    }
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
}

double textWidth(const FontSpec& font, const std::string& text) {
    const bool fixed = font.face == "Courier" || font.face == "Courier New";
    double units = 0;
    for (unsigned char ch : text) units += fixed ? kFixedWidth : kSansWidths[ch];
    double width = units / 1000 * pixelSize(font);
    // A set character width stretches the face to it (the painter canvas
    // stretches by the average width, about half an em).
    if (font.charWidth > 0) width *= std::clamp(font.charWidth / (0.5 * pixelSize(font)), 0.5, 2.0);
    return width;
}

DeviceBox textBox(const FontSpec& font, DevicePoint at, TextAnchor anchor, const std::string& text) {
    const double width = textWidth(font, text);
    double dx = 0;
    if (anchor == TextAnchor::TopRight) dx = -width;
    if (anchor == TextAnchor::TopCentre) dx = -width / 2;
    // The line's cell: ascent and descent of the face, about 1.12 em.
    const double height = 1.12 * pixelSize(font);
    const double turn = -font.orientation / 10.0 * std::numbers::pi / 180;
    DeviceBox box;
    for (const auto& [x, y] : {std::pair{dx, 0.0}, {dx + width, 0.0}, {dx, height}, {dx + width, height}})
        box.add(at.x + x * std::cos(turn) - y * std::sin(turn), at.y + x * std::sin(turn) + y * std::cos(turn));
    return box;
}

void ExtentCanvas::stroked(DevicePoint p) {
    const double half = std::max(0.5, pen_.width / 2.0);
    box.add(p.x - half, p.y - half);
    box.add(p.x + half, p.y + half);
}

void ExtentCanvas::line(DevicePoint from, DevicePoint to) {
    stroked(from);
    stroked(to);
}

void ExtentCanvas::polyline(const std::vector<DevicePoint>& points) {
    for (const DevicePoint& p : points) stroked(p);
}

void ExtentCanvas::polygon(const std::vector<DevicePoint>& points) { polyline(points); }

void ExtentCanvas::rectangle(DevicePoint a, DevicePoint b) {
    stroked(a);
    stroked(b);
}

void ExtentCanvas::ellipse(DevicePoint a, DevicePoint b) { rectangle(a, b); }

void ExtentCanvas::arc(DevicePoint a, DevicePoint b) { rectangle(a, b); }

void ExtentCanvas::text(DevicePoint at, TextAnchor anchor, const std::string& text) {
    if (text.empty()) return;
    const DeviceBox t = textBox(font_, at, anchor, text);
    box.add(t.left, t.top);
    box.add(t.right, t.bottom);
}

void ExtentCanvas::picture(const std::string&, DevicePoint a, DevicePoint b) {
    box.add(a.x, a.y);
    box.add(b.x, b.y);
}

} // namespace qv::draw
