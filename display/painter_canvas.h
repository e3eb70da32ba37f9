// The canvas of every paint device: a window, a QPrinter, a QPdfWriter, a
// QSvgGenerator or a QImage, all through one QPainter. Pictures are SVG files
// rendered with QSvgRenderer (each file is parsed once per process); a file
// that does not parse raises IoError. Windows therefore draw inside a user
// action (into a pixmap they then show), never straight from a paint event,
// so that such an error reaches the user as a message.
#pragma once

#include "display/canvas.h"

#include <QFont>
#include <QPainter>

namespace qv::draw {

class PainterCanvas : public Canvas {
public:
    // The painter must be active on its device for the canvas's life.
    explicit PainterCanvas(QPainter& painter);

    void setPen(const PenSpec& pen) override;
    void setBrush(const BrushSpec& brush) override;
    void setFont(const FontSpec& font) override;
    void setTextColour(Rgb colour) override;

    void line(DevicePoint from, DevicePoint to) override;
    void polyline(const std::vector<DevicePoint>& points) override;
    void polygon(const std::vector<DevicePoint>& points) override;
    void rectangle(DevicePoint topLeft, DevicePoint bottomRight) override;
    void ellipse(DevicePoint topLeft, DevicePoint bottomRight) override;
    void arc(DevicePoint topLeft, DevicePoint bottomRight) override;
    void text(DevicePoint at, TextAnchor anchor, const std::string& text) override;
    void picture(const std::string& file, DevicePoint topLeft, DevicePoint bottomRight) override;
    void fill(DevicePoint topLeft, DevicePoint bottomRight, Rgb colour) override;

private:
    QPainter& painter_;
    QPen pen_;
    QBrush brush_;
    QFont font_;
    int fontOrientation_ = 0;
    QColor textColour_ = Qt::black;
};

} // namespace qv::draw
