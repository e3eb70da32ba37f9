#include "timing/ui/wheel_view.h"

#include "display/chart_wheel.h"
#include "display/drawing.h"
#include "display/drawing_setup.h"
#include "display/painter_canvas.h"
#include "settings/display_settings.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace qv {

WheelView::WheelView(QWidget* parent) : QLabel(parent) {
    setMinimumSize(420, 420);
    setAlignment(Qt::AlignCenter);
    setStyleSheet("background-color: black;");
}

void WheelView::showDrawing(const std::function<void()>& draw) {
    const int side = std::max(200, std::min(width(), height()));
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::black);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw::PainterCanvas canvas(painter);
        draw::TargetScope target(canvas);
        draw::useScreenSettings(readDisplaySettings());
        draw::DrawingContext& c = draw::drawingContext();
        c.scale = side / draw::kChartAreaSize;
        c.zoom = 1;
        c.x0 = 0;
        c.y0 = 0;
        c.targetVisible = true;
        c.hFactor = c.vFactor = 1;  // a square picture: the screen calibration is the wheel's own
        c.fontBase = 0;             // fonts follow this scale
        draw();
    }
    setPixmap(pixmap);
}

} // namespace qv
