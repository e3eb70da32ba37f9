#include "base/ui/lock_glyph.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qv {

// A padlock: body and shackle, the shackle lifted and turned aside when open.
QIcon lockGlyph(bool open) {
    QPixmap glyph(40, 40);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 4));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    const qreal left = open ? 20 : 11;
    const qreal lift = open ? -5 : 0;
    shackle.moveTo(left, 20 + lift);
    shackle.lineTo(left, 12 + lift);
    shackle.arcTo(left, 3 + lift, 18, 18, 180, -180);
    shackle.lineTo(left + 18, open ? 14 + lift : 20);
    p.drawPath(shackle);
    p.setPen(QPen(QColor(90, 70, 20), 1));
    p.setBrush(open ? QColor(80, 200, 90) : QColor(210, 170, 40));
    p.drawRoundedRect(QRectF(6, 18, 28, 19), 3, 3);
    p.setBrush(QColor(40, 30, 10));
    p.drawEllipse(QPointF(20, 26), 2.5, 2.5);
    return QIcon(glyph);
}

} // namespace qv
