#include "editor/ui/indent_ruler.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace qv {

namespace {

constexpr int kRulerHeight = 26;
constexpr int kHalfHeight = kRulerHeight / 2;

// A triangle pointing down (first line, at the top) or up (the others, at
// the bottom), kMarkerWidth wide from its left edge.
QPolygon markerShape(int edge, bool top) {
    const int w = kMarkerWidth;
    if (top) return QPolygon({QPoint(edge, 1), QPoint(edge + w, 1), QPoint(edge + w / 2, kHalfHeight - 1)});
    return QPolygon({QPoint(edge + w / 2, kHalfHeight + 1), QPoint(edge + w, kRulerHeight - 2),
                     QPoint(edge, kRulerHeight - 2)});
}

} // namespace

IndentRuler::IndentRuler(QWidget* parent) : QWidget(parent) {
    setObjectName("Ruler");
    setFixedHeight(kRulerHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setToolTip("Rientri del paragrafo: prima riga, sinistro, destro");
    placeMarkers();
}

QSize IndentRuler::sizeHint() const { return {400, kRulerHeight}; }

void IndentRuler::setIndents(const ParagraphIndents& indents) {
    indents_ = indents;
    dragged_ = Marker::None;
    placeMarkers();
}

void IndentRuler::placeMarkers() {
    firstEdge_ = firstMarkerEdge(indents_);
    leftEdge_ = leftMarkerEdge(indents_);
    rightEdge_ = rightMarkerEdge(indents_, width());
    update();
}

int IndentRuler::markerEdge(Marker marker) const {
    switch (marker) {
    case Marker::First: return firstEdge_;
    case Marker::Left: return leftEdge_;
    case Marker::Right: return rightEdge_;
    case Marker::None: break;
    }
    return 0;
}

void IndentRuler::resizeEvent(QResizeEvent*) {
    if (dragged_ == Marker::None) placeMarkers();
}

// The first-line marker takes the upper half, the left and right markers
// the lower half.
IndentRuler::Marker IndentRuler::markerAt(const QPoint& p) const {
    auto within = [&](int edge) { return p.x() >= edge && p.x() < edge + kMarkerWidth; };
    if (p.y() < kHalfHeight) return within(firstEdge_) ? Marker::First : Marker::None;
    if (within(rightEdge_)) return Marker::Right;
    if (within(leftEdge_)) return Marker::Left;
    return Marker::None;
}

void IndentRuler::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragged_ = markerAt(event->position().toPoint());
}

// A dragged marker is held by its middle.
void IndentRuler::mouseMoveEvent(QMouseEvent* event) {
    if (dragged_ == Marker::None) return;
    const int edge = event->position().toPoint().x() - kMarkerHalf;
    if (dragged_ == Marker::First) firstEdge_ = edge;
    if (dragged_ == Marker::Left) leftEdge_ = edge;
    if (dragged_ == Marker::Right) rightEdge_ = edge;
    update();
}

void IndentRuler::mouseReleaseEvent(QMouseEvent* event) {
    if (dragged_ == Marker::None || event->button() != Qt::LeftButton) return;
    mouseMoveEvent(event);
    const Marker released = dragged_;
    dragged_ = Marker::None;
    ParagraphIndents next = indents_;
    if (released == Marker::First) next = droppedFirstMarker(indents_, firstEdge_, leftEdge_);
    if (released == Marker::Left) next = droppedLeftMarker(indents_, leftEdge_);
    if (released == Marker::Right) next = droppedRightMarker(indents_, rightEdge_, width());
    indents_ = next;
    placeMarkers();
    emit indentsChanged(next);
}

void IndentRuler::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QRect band(kTextMargin, 4, width() - 2 * kTextMargin, kRulerHeight - 8);
    p.fillRect(band, Qt::white);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(band.adjusted(0, 0, -1, -1));
    // A tick every quarter centimetre from the text margin, numbered each
    // centimetre (1 cm = 72 / 2.54 points, at 4/3 pixel per point).
    const double pixelsPerQuarter = 72.0 / 2.54 * 4.0 / 3.0 / 4.0;
    p.setPen(Qt::black);
    QFont small = font();
    small.setPixelSize(8);
    p.setFont(small);
    for (int quarter = 1;; ++quarter) {
        const int x = kTextMargin + static_cast<int>(quarter * pixelsPerQuarter);
        if (x >= band.right()) break;
        if (quarter % 4 == 0) {
            p.drawText(QRect(x - 10, band.top(), 20, band.height()), Qt::AlignCenter, QString::number(quarter / 4));
        } else {
            const int h = quarter % 2 == 0 ? 4 : 2;
            p.drawLine(x, kHalfHeight - h / 2, x, kHalfHeight + h / 2);
        }
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(0xd8, 0xd8, 0xd8));
    p.drawPolygon(markerShape(firstEdge_, true));
    p.drawPolygon(markerShape(leftEdge_, false));
    p.drawPolygon(markerShape(rightEdge_, false));
}

} // namespace qv
