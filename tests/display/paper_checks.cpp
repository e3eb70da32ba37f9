#include "tests/display/paper_checks.h"

#include "display/print_palette.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace qv::draw::paper {

namespace {

std::string hex(Rgb c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

bool outlineKind(Recorded::Kind k) {
    using K = Recorded::Kind;
    return k == K::Line || k == K::Polyline || k == K::Polygon || k == K::Rectangle || k == K::Ellipse || k == K::Arc;
}

bool filledKind(Recorded::Kind k) {
    using K = Recorded::Kind;
    return k == K::Polygon || k == K::Rectangle || k == K::Ellipse;
}

} // namespace

std::vector<Rgb> svgColours(const std::string& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    const std::string svg = text.str();
    std::vector<Rgb> colours;
    static const std::regex colour("(fill|stroke)=\"#([0-9a-fA-F]{6})\"");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), colour); it != std::sregex_iterator(); ++it) {
        const unsigned long v = std::stoul((*it)[2].str(), nullptr, 16);
        colours.push_back({static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)});
    }
    return colours;
}

std::vector<std::string> paperColourFaults(const RecordingCanvas& canvas) {
    std::vector<std::string> faults;
    std::map<std::string, bool> checkedPictures;
    for (const Recorded& r : canvas.shapes) {
        const bool backgroundDisc = r.kind == Recorded::Kind::Ellipse && r.pen.colour == kWhite && !r.brush.none &&
                                    r.brush.colour == kWhite;
        if (backgroundDisc) continue;
        if (r.kind == Recorded::Kind::Text && !r.text.empty() && contrastOnWhite(r.textColour) < 4.5)
            faults.push_back("text \"" + r.text + "\" in " + hex(r.textColour));
        if (outlineKind(r.kind) && contrastOnWhite(r.pen.colour) < 3)
            faults.push_back("pen " + hex(r.pen.colour));
        if (filledKind(r.kind) && !r.brush.none && contrastOnWhite(r.brush.colour) < 3)
            faults.push_back("brush " + hex(r.brush.colour));
        if (r.kind == Recorded::Kind::Picture && !checkedPictures[r.text]) {
            checkedPictures[r.text] = true;
            const std::vector<Rgb> colours = svgColours(r.text);
            if (colours.empty()) faults.push_back("picture without colours " + r.text);
            for (Rgb c : colours)
                if (contrastOnWhite(c) < 3) faults.push_back("picture " + r.text + " in " + hex(c));
        }
    }
    return faults;
}

std::vector<Disc> ringsOfRadius(const RecordingCanvas& canvas, double r) {
    std::vector<Disc> rings;
    for (const Recorded& s : canvas.shapes) {
        if (s.kind != Recorded::Kind::Arc && !(s.kind == Recorded::Kind::Polyline && s.points.size() == 73)) continue;
        double left = s.points[0].x, right = left, top = s.points[0].y, bottom = top;
        for (const DevicePoint& p : s.points) {
            left = std::min<double>(left, p.x);
            right = std::max<double>(right, p.x);
            top = std::min<double>(top, p.y);
            bottom = std::max<double>(bottom, p.y);
        }
        const double radius = (right - left + bottom - top) / 4;
        if (std::fabs(radius - r) <= 0.03 * r) rings.push_back({(left + right) / 2, (top + bottom) / 2, radius});
    }
    return rings;
}

std::vector<Disc> picturesOfSide(const RecordingCanvas& canvas, double side) {
    std::vector<Disc> discs;
    for (const Recorded& s : canvas.of(Recorded::Kind::Picture)) {
        const double w = std::abs(s.points[1].x - s.points[0].x);
        if (std::fabs(w - side) <= 2)
            discs.push_back({(s.points[0].x + s.points[1].x) / 2.0, (s.points[0].y + s.points[1].y) / 2.0, w / 2});
    }
    return discs;
}

std::vector<std::string> touchingDiscs(const std::vector<Disc>& discs) {
    std::vector<std::string> faults;
    for (std::size_t i = 0; i < discs.size(); ++i)
        for (std::size_t j = i + 1; j < discs.size(); ++j) {
            const double d = std::hypot(discs[i].x - discs[j].x, discs[i].y - discs[j].y);
            if (d <= discs[i].r + discs[j].r)
                faults.push_back("discs at (" + std::to_string(discs[i].x) + ", " + std::to_string(discs[i].y) +
                                 ") and (" + std::to_string(discs[j].x) + ", " + std::to_string(discs[j].y) +
                                 ") are " + std::to_string(d) + " apart");
        }
    return faults;
}

bool segmentsCross(DevicePoint a1, DevicePoint a2, DevicePoint b1, DevicePoint b2) {
    if (a1 == b1 || a1 == b2 || a2 == b1 || a2 == b2) return false;
    const auto side = [](DevicePoint p, DevicePoint q, DevicePoint r) {
        const long long v = static_cast<long long>(q.x - p.x) * (r.y - p.y) - static_cast<long long>(q.y - p.y) * (r.x - p.x);
        return (v > 0) - (v < 0);
    };
    const int d1 = side(b1, b2, a1), d2 = side(b1, b2, a2), d3 = side(a1, a2, b1), d4 = side(a1, a2, b2);
    return d1 * d2 < 0 && d3 * d4 < 0;
}

} // namespace qv::draw::paper
