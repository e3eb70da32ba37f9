#include "display/ui/calibration_window.h"

#include "base/ui/user_action.h"
#include "display/display_scales.h"
#include "display/drawing.h"
#include "display/drawing_setup.h"
#include "display/painter_canvas.h"
#include "settings/chart_settings.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

namespace qv {

namespace {

// The test figure, in sheet millimetres: the sheet's printable area as a
// yellow frame, and a circle of radius 90 with its square and diameters.
constexpr double kCentreX = 140, kCentreY = 101.6, kRadius = 90;
constexpr double kPanelSide = 70;

} // namespace

// The drawing area of the window: black, with the test figure once shown.
class CalibrationFigure : public QWidget {
public:
    CalibrationFigure(QWidget* parent, const DisplaySettings& settings, std::function<double()> scale)
        : QWidget(parent), settings_(settings), scale_(std::move(scale)) {
        setObjectName("PaintBox1");
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    bool shown = false;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        if (!shown) return;
        draw::PainterCanvas canvas(painter);
        draw::TargetScope target(canvas);
        draw::useScreenSettings(settings_);
        draw::DrawingContext& c = draw::drawingContext();
        c.monochrome = false;
        c.scale = scale_();
        c.zoom = 1;
        c.x0 = c.y0 = 0;
        draw::selectNoBrush();
        draw::selectPen(76);  // yellow, half a millimetre: easy to find at the screen's edges
        draw::rectangle(1, 1, 279, 202);
        draw::selectPen(9);
        draw::rectangle(kCentreX - kRadius, kCentreY - kRadius, kCentreX + kRadius, kCentreY + kRadius);
        draw::line({kCentreX - kRadius, kCentreY}, {kCentreX + kRadius, kCentreY});
        draw::line({kCentreX, kCentreY - kRadius}, {kCentreX, kCentreY + kRadius});
        draw::choosePen(0);
        draw::circle(kRadius, kCentreX, kCentreY);
    }

private:
    const DisplaySettings& settings_;
    std::function<double()> scale_;
};

TFgrTxtSpa::TFgrTxtSpa(QWidget* parent) : QDialog(parent) {
    setObjectName("TFgrTxtSpa");
    setWindowTitle("Rotondit\u00e0 Cerchi e Ridimensionamento Schermo");
    setStyleSheet("QDialog { background: black; }");
    runUserAction(this, [&] { settings_ = readDisplaySettings(); });

    figure_ = new CalibrationFigure(this, settings_, [this] { return pixelsPerMm(); });
    ScrollBarH = new QScrollBar(Qt::Horizontal, this);
    ScrollBarH->setObjectName("ScrollBarH");
    ScrollBarV = new QScrollBar(Qt::Vertical, this);
    ScrollBarV->setObjectName("ScrollBarV");
    for (QScrollBar* bar : {ScrollBarH, ScrollBarV}) {
        bar->setRange(-200, 200);
        bar->setSingleStep(1);
        bar->setPageStep(10);
    }
    ScrollBarH->setValue(static_cast<int>(std::nearbyint(static_cast<double>((1 - settings_.scaleX) * 1000))));
    ScrollBarV->setValue(static_cast<int>(std::nearbyint(static_cast<double>((1 - settings_.scaleY) * 1000))));

    Panel1 = new QWidget(this);
    Panel1->setObjectName("Panel1");
    Panel1->setAutoFillBackground(true);
    Panel1->setStyleSheet("QWidget#Panel1 { background: #202838; border: 1px solid #888; } "
                          "QLabel { color: white; }");
    auto* caption = new QLabel(
        "Agire sui cursori quanto basta per \ncomprendere la cornice gialla\ned ottenere un cerchio tondo", Panel1);
    caption->setObjectName("LabIstruzioni");
    caption->setAlignment(Qt::AlignCenter);
    caption->setWordWrap(true);
    auto* reset = new QPushButton("Reset", Panel1);
    reset->setObjectName("BBreset");
    auto* back = new QPushButton("Ritorna", Panel1);
    back->setObjectName("BBritorna");
    auto* layout = new QVBoxLayout(Panel1);
    layout->addStretch();
    layout->addWidget(caption);
    layout->addStretch();
    layout->addWidget(reset);
    layout->addWidget(back);

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TFgrTxtSpa::Timer1Timer);
    connect(ScrollBarH, &QScrollBar::valueChanged, this, &TFgrTxtSpa::ScrollBarHChange);
    connect(ScrollBarV, &QScrollBar::valueChanged, this, &TFgrTxtSpa::ScrollBarVChange);
    connect(reset, &QPushButton::clicked, this, &TFgrTxtSpa::BBresetClick);
    connect(back, &QPushButton::clicked, this, &TFgrTxtSpa::BBritornaClick);
    setWindowState(Qt::WindowFullScreen);
}

bool TFgrTxtSpa::figureShown() const { return figure_->shown; }

double TFgrTxtSpa::pixelsPerMm() const {
    const DisplayScales& s = displayScales();
    if (s.screenPixelsPerMm > 0) return static_cast<double>(s.screenPixelsPerMm);
    const QScreen* screen = this->screen();
    if (!screen) return 4;
    const QRect g = screen->geometry();
    return g.width() / 210.0 * (static_cast<double>(g.height()) / g.width());
}

void TFgrTxtSpa::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    ticks_ = 0;
    figure_->shown = false;
    Timer1->start();
    layOutPanel();
}

void TFgrTxtSpa::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    layOutPanel();
}

// The figure appears on the timer's second tick, once the window stands.
void TFgrTxtSpa::Timer1Timer() {
    if (++ticks_ < 2) return;
    Timer1->stop();
    figure_->shown = true;
    figure_->update();
}

void TFgrTxtSpa::layOutPanel() {
    const int bar = ScrollBarH->sizeHint().height();
    const int vbar = ScrollBarV->sizeHint().width();
    figure_->setGeometry(0, 0, width() - vbar, height() - bar);
    ScrollBarH->setGeometry(0, height() - bar, width() - vbar, bar);
    ScrollBarV->setGeometry(width() - vbar, 0, vbar, height() - bar);
    const double scale = pixelsPerMm();
    const double h = static_cast<double>(settings_.scaleX), v = static_cast<double>(settings_.scaleY);
    const int left = static_cast<int>(std::nearbyint((kCentreX - kPanelSide / 2) / h * scale));
    const int top = static_cast<int>(std::nearbyint((kCentreY - kPanelSide / 2) / v * scale));
    const int w = static_cast<int>(std::nearbyint(kPanelSide / h * scale));
    const int ht = static_cast<int>(std::nearbyint(kPanelSide / v * scale));
    Panel1->setGeometry(left, top, w, ht);
    figure_->update();
}

void TFgrTxtSpa::save() {
    runUserAction(this, [&] { writeDisplaySettings(settings_); });
}

void TFgrTxtSpa::ScrollBarHChange(int position) {
    settings_.scaleX = 1.0L - position / 1000.0L;
    save();
    layOutPanel();
}

void TFgrTxtSpa::ScrollBarVChange(int position) {
    settings_.scaleY = 1.0L - position / 1000.0L;
    save();
    layOutPanel();
}

void TFgrTxtSpa::BBresetClick() {
    settings_.scaleX = settings_.scaleY = 1.0L;
    {
        const QSignalBlocker h(ScrollBarH), v(ScrollBarV);
        ScrollBarH->setValue(0);
        ScrollBarV->setValue(0);
    }
    save();
    layOutPanel();
}

void TFgrTxtSpa::BBritornaClick() {
    save();
    accept();
}

// Closing, however it happens, puts the chart settings back in force.
void TFgrTxtSpa::done(int result) {
    Timer1->stop();
    runUserAction(this, [] { LoadActiveOrbs(); });
    QDialog::done(result);
}

} // namespace qv
