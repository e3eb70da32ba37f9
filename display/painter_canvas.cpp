#include "display/painter_canvas.h"

#include "base/errors.h"

#include <QFontMetricsF>
#include <QPolygon>
#include <QStringDecoder>
#include <QSvgRenderer>
#include <map>
#include <memory>

namespace qv::draw {

namespace {

QColor colourOf(Rgb c) { return QColor(c.r, c.g, c.b); }
QPoint pointOf(DevicePoint p) { return QPoint(p.x, p.y); }
QRectF boxOf(DevicePoint a, DevicePoint b) { return QRectF(QPointF(a.x, a.y), QPointF(b.x, b.y)).normalized(); }

QPolygon polygonOf(const std::vector<DevicePoint>& points) {
    QPolygon polygon(static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) polygon[static_cast<int>(i)] = pointOf(points[i]);
    return polygon;
}

QString fromCp1252(const std::string& bytes) {
    QStringDecoder decode("windows-1252");
    return decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// Parsed pictures, by file. A file that does not parse draws nothing.
QSvgRenderer* rendererOf(const std::string& file) {
    static std::map<std::string, std::unique_ptr<QSvgRenderer>> renderers;
    auto it = renderers.find(file);
    if (it == renderers.end())
        it = renderers.emplace(file, std::make_unique<QSvgRenderer>(QString::fromStdString(file))).first;
    return it->second->isValid() ? it->second.get() : nullptr;
}

} // namespace

PainterCanvas::PainterCanvas(QPainter& painter) : painter_(painter) {
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    painter_.setBackgroundMode(Qt::TransparentMode);
    pen_ = QPen(Qt::black, 0);
    brush_ = Qt::NoBrush;
    painter_.setPen(pen_);
    painter_.setBrush(brush_);
}

void PainterCanvas::setPen(const PenSpec& pen) {
    pen_ = QPen(colourOf(pen.colour), pen.width, pen.dashed ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter_.setPen(pen_);
}

void PainterCanvas::setBrush(const BrushSpec& brush) {
    brush_ = brush.none ? QBrush(Qt::NoBrush) : QBrush(colourOf(brush.colour));
    painter_.setBrush(brush_);
}

void PainterCanvas::setFont(const FontSpec& font) {
    QFont f(QString::fromStdString(font.face));
    f.setStyleHint(font.face == "Courier" ? QFont::TypeWriter : QFont::SansSerif);
    // The height is the cell's (ascent and descent); the em of the faces in
    // use is about 1/1.15 of it.
    f.setPixelSize(std::max(1, static_cast<int>(font.height / 1.15 + 0.5)));
    f.setItalic(font.italic);
    if (font.charWidth > 0) {
        const QFontMetricsF natural(f, painter_.device());
        const double average = natural.averageCharWidth();
        if (average > 0) f.setStretch(std::clamp(static_cast<int>(100.0 * font.charWidth / average), 50, 200));
    }
    font_ = f;
    fontOrientation_ = font.orientation;
    painter_.setFont(font_);
}

void PainterCanvas::setTextColour(Rgb colour) { textColour_ = colourOf(colour); }

void PainterCanvas::line(DevicePoint from, DevicePoint to) { painter_.drawLine(pointOf(from), pointOf(to)); }

void PainterCanvas::polyline(const std::vector<DevicePoint>& points) { painter_.drawPolyline(polygonOf(points)); }

void PainterCanvas::polygon(const std::vector<DevicePoint>& points) { painter_.drawPolygon(polygonOf(points)); }

void PainterCanvas::rectangle(DevicePoint a, DevicePoint b) { painter_.drawRect(boxOf(a, b)); }

void PainterCanvas::ellipse(DevicePoint a, DevicePoint b) { painter_.drawEllipse(boxOf(a, b)); }

void PainterCanvas::arc(DevicePoint a, DevicePoint b) { painter_.drawArc(boxOf(a, b), 0, 360 * 16); }

void PainterCanvas::text(DevicePoint at, TextAnchor anchor, const std::string& text) {
    const QString s = fromCp1252(text);
    const QFontMetricsF metrics(font_, painter_.device());
    const double width = metrics.horizontalAdvance(s);
    double dx = 0;
    if (anchor == TextAnchor::TopRight) dx = -width;
    if (anchor == TextAnchor::TopCentre) dx = -width / 2;
    painter_.save();
    painter_.setPen(textColour_);
    painter_.translate(at.x, at.y);
    if (fontOrientation_ != 0) painter_.rotate(-fontOrientation_ / 10.0);
    painter_.drawText(QPointF(dx, metrics.ascent()), s);
    painter_.restore();
}

void PainterCanvas::picture(const std::string& file, DevicePoint a, DevicePoint b) {
    QSvgRenderer* renderer = rendererOf(file);
    if (!renderer) throw IoError(file, "il file non contiene un disegno SVG leggibile");
    renderer->render(&painter_, boxOf(a, b));
}

void PainterCanvas::fill(DevicePoint a, DevicePoint b, Rgb colour) { painter_.fillRect(boxOf(a, b), colourOf(colour)); }

} // namespace qv::draw
