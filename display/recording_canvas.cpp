#include "display/recording_canvas.h"

namespace qv::draw {

void RecordingCanvas::setPen(const PenSpec& pen) {
    pen_ = pen;
    pens.push_back(pen);
}
void RecordingCanvas::setBrush(const BrushSpec& brush) {
    brush_ = brush;
    brushes.push_back(brush);
}
void RecordingCanvas::setFont(const FontSpec& font) {
    font_ = font;
    fonts.push_back(font);
}

Recorded RecordingCanvas::make(Recorded::Kind kind, std::vector<DevicePoint> points) const {
    Recorded r;
    r.kind = kind;
    r.points = std::move(points);
    r.pen = pen_;
    r.brush = brush_;
    r.font = font_;
    r.textColour = textColour_;
    return r;
}

void RecordingCanvas::line(DevicePoint from, DevicePoint to) { shapes.push_back(make(Recorded::Kind::Line, {from, to})); }
void RecordingCanvas::polyline(const std::vector<DevicePoint>& points) {
    shapes.push_back(make(Recorded::Kind::Polyline, points));
}
void RecordingCanvas::polygon(const std::vector<DevicePoint>& points) {
    shapes.push_back(make(Recorded::Kind::Polygon, points));
}
void RecordingCanvas::rectangle(DevicePoint a, DevicePoint b) { shapes.push_back(make(Recorded::Kind::Rectangle, {a, b})); }
void RecordingCanvas::ellipse(DevicePoint a, DevicePoint b) { shapes.push_back(make(Recorded::Kind::Ellipse, {a, b})); }
void RecordingCanvas::arc(DevicePoint a, DevicePoint b) { shapes.push_back(make(Recorded::Kind::Arc, {a, b})); }

void RecordingCanvas::text(DevicePoint at, TextAnchor anchor, const std::string& text) {
    Recorded r = make(Recorded::Kind::Text, {at});
    r.text = text;
    r.anchor = anchor;
    shapes.push_back(r);
}

void RecordingCanvas::picture(const std::string& file, DevicePoint a, DevicePoint b) {
    Recorded r = make(Recorded::Kind::Picture, {a, b});
    r.text = file;
    shapes.push_back(r);
}

void RecordingCanvas::fill(DevicePoint a, DevicePoint b, Rgb colour) {
    Recorded r = make(Recorded::Kind::Fill, {a, b});
    r.fillColour = colour;
    shapes.push_back(r);
}

std::vector<Recorded> RecordingCanvas::of(Recorded::Kind kind) const {
    return where([kind](const Recorded& r) { return r.kind == kind; });
}

std::vector<Recorded> RecordingCanvas::where(const std::function<bool(const Recorded&)>& test) const {
    std::vector<Recorded> out;
    for (const Recorded& r : shapes)
        if (test(r)) out.push_back(r);
    return out;
}

void RecordingCanvas::clear() {
    shapes.clear();
    pens.clear();
    brushes.clear();
    fonts.clear();
}

} // namespace qv::draw
