// A canvas that keeps every shape it receives, with the pen, brush, font and
// text colour in force at that moment, so tests can look at what was drawn.
#pragma once

#include "display/canvas.h"

#include <functional>
#include <string>
#include <vector>

namespace qv::draw {

struct Recorded {
    enum class Kind { Line, Polyline, Polygon, Rectangle, Ellipse, Arc, Text, Picture, Fill };
    Kind kind = Kind::Line;
    std::vector<DevicePoint> points;  // the line's ends, the polygon's corners, a box's two corners, a text's point
    std::string text;                 // the text, or the picture file
    TextAnchor anchor = TextAnchor::TopLeft;
    PenSpec pen;
    BrushSpec brush;
    FontSpec font;
    Rgb textColour = kBlack;
    Rgb fillColour = kBlack;
};

class RecordingCanvas : public Canvas {
public:
    std::vector<Recorded> shapes;
    // Every pen, brush and font selected, in order.
    std::vector<PenSpec> pens;
    std::vector<BrushSpec> brushes;
    std::vector<FontSpec> fonts;

    void setPen(const PenSpec& pen) override;
    void setBrush(const BrushSpec& brush) override;
    void setFont(const FontSpec& font) override;
    void setTextColour(Rgb colour) override { textColour_ = colour; }

    void line(DevicePoint from, DevicePoint to) override;
    void polyline(const std::vector<DevicePoint>& points) override;
    void polygon(const std::vector<DevicePoint>& points) override;
    void rectangle(DevicePoint topLeft, DevicePoint bottomRight) override;
    void ellipse(DevicePoint topLeft, DevicePoint bottomRight) override;
    void arc(DevicePoint topLeft, DevicePoint bottomRight) override;
    void text(DevicePoint at, TextAnchor anchor, const std::string& text) override;
    void picture(const std::string& file, DevicePoint topLeft, DevicePoint bottomRight) override;
    void fill(DevicePoint topLeft, DevicePoint bottomRight, Rgb colour) override;

    // The shapes of one kind, or those that pass a test.
    std::vector<Recorded> of(Recorded::Kind kind) const;
    std::vector<Recorded> where(const std::function<bool(const Recorded&)>& test) const;
    void clear();

private:
    Recorded make(Recorded::Kind kind, std::vector<DevicePoint> points) const;
    PenSpec pen_;
    BrushSpec brush_;
    FontSpec font_;
    Rgb textColour_ = kBlack;
};

} // namespace qv::draw
