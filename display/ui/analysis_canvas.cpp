#include "display/ui/analysis_canvas.h"

#include <QMouseEvent>
#include <QPainter>

namespace qv {

AnalysisCanvas::AnalysisCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName("AreaDisegno");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

void AnalysisCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!shown.isNull()) painter.drawPixmap(0, 0, shown);
}

void AnalysisCanvas::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && pressed) pressed(e->position().toPoint());
}

void AnalysisCanvas::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && released) released(e->position().toPoint());
}

} // namespace qv
