// Where a drawing puts its marks: a canvas that keeps the box around every
// line, shape, text and picture it receives (device pixels, pens' widths
// included), without drawing. Texts are measured with the advance widths
// of the faces the drawings use ("Arial" has the metrics of Liberation
// Sans, "Courier" is fixed-pitch), so no font machinery is needed.
// Fills are the backgrounds of the drawing and are not marks.
#pragma once

#include "display/canvas.h"

#include <string>

namespace qv::draw {

struct DeviceBox {
    double left = 0, top = 0, right = 0, bottom = 0;
    bool empty = true;
    void add(double x, double y);
};

// The width in device pixels of a Windows-1252 text in a font, as the
// painter canvas sets it (pixel size = cell height ÷ 1.15).
double textWidth(const FontSpec& font, const std::string& text);

// The box of a text drawn at `at` with `anchor` in `font`, turned by the
// font's orientation.
DeviceBox textBox(const FontSpec& font, DevicePoint at, TextAnchor anchor, const std::string& text);

class ExtentCanvas : public Canvas {
public:
    DeviceBox box;

    void setPen(const PenSpec& pen) override { pen_ = pen; }
    void setBrush(const BrushSpec&) override {}
    void setFont(const FontSpec& font) override { font_ = font; }
    void setTextColour(Rgb) override {}

    void line(DevicePoint from, DevicePoint to) override;
    void polyline(const std::vector<DevicePoint>& points) override;
    void polygon(const std::vector<DevicePoint>& points) override;
    void rectangle(DevicePoint topLeft, DevicePoint bottomRight) override;
    void ellipse(DevicePoint topLeft, DevicePoint bottomRight) override;
    void arc(DevicePoint topLeft, DevicePoint bottomRight) override;
    void text(DevicePoint at, TextAnchor anchor, const std::string& text) override;
    void picture(const std::string& file, DevicePoint topLeft, DevicePoint bottomRight) override;
    void fill(DevicePoint, DevicePoint, Rgb) override {}

private:
    void stroked(DevicePoint p);
    PenSpec pen_;
    FontSpec font_;
};

} // namespace qv::draw
