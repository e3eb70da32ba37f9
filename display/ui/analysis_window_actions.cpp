// The chart analysis window's drawing, its buttons and the clicks on the
// wheel's glyphs.
#include "display/ui/analysis_window.h"

#include "analysis/chart_keys.h"
#include "analysis/subdivisions.h"
#include "archive/current_subject.h"
#include "base/ui/user_action.h"
#include "display/drawing_setup.h"
#include "display/painter_canvas.h"
#include "display/pictures.h"
#include "display/ui/analysis_canvas.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QPlainTextEdit>
#include <QWidget>
#include <cmath>

namespace qv {

namespace {

using draw::AnalysisView;

const std::vector<AnalysisView>& viewsOf(AnalysisButton button) {
    static const std::array<std::vector<AnalysisView>, kAnalysisButtons> table = {{
        {AnalysisView::CoordinatesRelative, AnalysisView::CoordinatesAbsolute, AnalysisView::Latitudes},
        {AnalysisView::Substance1, AnalysisView::Substance2, AnalysisView::Substance3, AnalysisView::Substance4},
        {AnalysisView::ArchetypalStructure},
        {AnalysisView::AspectsPlain, AnalysisView::AspectsSpindle, AnalysisView::AspectGrid,
         AnalysisView::SphericalDistances},
        {AnalysisView::Affinities1, AnalysisView::Affinities2, AnalysisView::Affinities3},
        {AnalysisView::Antiscia1, AnalysisView::Antiscia2, AnalysisView::Antiscia3, AnalysisView::Antiscia4},
        {AnalysisView::Dodecatemories},
        {AnalysisView::DominantPositions, AnalysisView::DominantAspectsPlain, AnalysisView::DominantAspectsSpindle,
         AnalysisView::DominantPowers},
        {AnalysisView::Masters1, AnalysisView::Masters2},
    }};
    return table[static_cast<std::size_t>(button)];
}

bool isDominant(AnalysisView v) {
    return v == AnalysisView::DominantPositions || v == AnalysisView::DominantAspectsPlain ||
           v == AnalysisView::DominantAspectsSpindle || v == AnalysisView::DominantPowers;
}

// Draws on a pixmap through the drawing layer, on screen, with the window's
// scale, calibration and origin.
class PixmapDrawing {
public:
    PixmapDrawing(QPixmap& pixmap, const DisplaySettings& settings, double scale, double x0, double y0)
        : painter_(&pixmap), canvas_(painter_), target_(canvas_) {
        draw::useScreenSettings(settings);
        draw::DrawingContext& c = draw::drawingContext();
        c.scale = scale;
        c.zoom = 1;
        c.monochrome = false;
        c.targetVisible = true;
        c.x0 = static_cast<int>(x0);
        c.y0 = static_cast<int>(y0);
    }

private:
    QPainter painter_;
    draw::PainterCanvas canvas_;
    draw::TargetScope target_;
};

GlyphPlace placeOf(int number, draw::MmPoint p) { return {number, p.x, p.y}; }

} // namespace

const QPixmap& TFgrSpagy::drawing() const { return canvas_->shown; }

// The view into a fresh picture of the drawing area. When the view fails
// half-way (a missing data file) what it drew stays on the screen and the
// error goes on to the user action.
void TFgrSpagy::drawView(AnalysisView view, int mirror, bool panels) {
    points_.clear();
    signs_.clear();
    structure_.clear();
    selection_ = {};
    view_ = view;
    mirror_ = mirror;
    structureLast_ = view == AnalysisView::ArchetypalStructure;
    QPixmap pixmap(canvas_->size().isEmpty() ? QSize(1, 1) : canvas_->size());
    pixmap.fill(Qt::black);
    struct Show {
        TFgrSpagy* w;
        QPixmap& p;
        ~Show() {
            w->canvas_->view = p;
            w->composeCanvas();
        }
    } show{this, pixmap};

    draw::AnalysisViewInputs in;
    in.chart = &chartState();
    in.orbs = ActiveOrbs();
    in.hour = hour_;
    in.dominant = dominant_.get();
    in.mirrorPoint = view == AnalysisView::PointMirrorLines ? mirror : 0;
    in.mirrorSign = view == AnalysisView::SignMirrorLines ? mirror : 0;
    draw::AnalysisViewResult result;
    {
        PixmapDrawing drawing(pixmap, settings_, pixelsPerMm(), originX(), originY());
        result = draw::drawAnalysisView(view, in);
    }
    if (result.wheelPlaces) {
        for (int k = 1; k <= 11; ++k) points_.push_back(placeOf(k, result.wheelPlaces->points[static_cast<std::size_t>(k)]));
        for (int s = 1; s <= 12; ++s) signs_.push_back(placeOf(s, result.wheelPlaces->signs[static_cast<std::size_t>(s)]));
    }
    for (const auto& [planet, centre] : result.structureGlyphs) structure_.push_back(placeOf(planet, centre));
    if (panels && view != AnalysisView::PointMirrorLines && view != AnalysisView::SignMirrorLines)
        showPanelLines(result.panelLines);
}

// The chart view: the wheel, then the key lists the attribution panel reads.
void TFgrSpagy::drawChartView() {
    clearAttributions();
    runUserAction(this, [&] {
        drawView(AnalysisView::Chart, 0);
        const ChartState& chart = chartState();
        WriteChartKeys(chart, ComputeSubdivisions(chart), ActiveOrbs());
    });
}

// The view with the selected glyph circled, and its small circle in blue
// once the mouse is released.
void TFgrSpagy::composeCanvas() {
    canvas_->shown = canvas_->view;
    const GlyphHit& g = selection_.glyph;
    if (g.kind != GlyphHit::Kind::None && !canvas_->shown.isNull()) {
        PixmapDrawing drawing(canvas_->shown, settings_, pixelsPerMm(), originX(), originY());
        draw::selectNoBrush();
        draw::selectPen(76);
        draw::circle(g.kind == GlyphHit::Kind::Sign ? 6 : 5, g.x, g.y);
        if (selection_.released && g.kind == GlyphHit::Kind::Point) {
            draw::selectPen(71);
            draw::circle(1.5, g.x, g.y);
        }
    }
    canvas_->update();
}

QPoint TFgrSpagy::glyphCentre(const std::vector<GlyphPlace>& places, int number) const {
    const double s = pixelsPerMm();
    const double hf = static_cast<double>(settings_.scaleX), vf = static_cast<double>(settings_.scaleY);
    for (const GlyphPlace& g : places)
        if (g.number == number)
            return QPoint(static_cast<int>(std::lround(g.x / hf * s + originX())),
                          static_cast<int>(std::lround(g.y / vf * s + originY())));
    return QPoint(-1, -1);
}

QPoint TFgrSpagy::pointGlyphCentre(int point) const { return glyphCentre(points_, point); }
QPoint TFgrSpagy::signGlyphCentre(int sign) const { return glyphCentre(signs_, sign); }
QPoint TFgrSpagy::structureGlyphCentre(int planet) const { return glyphCentre(structure_, planet); }

// ---- buttons ------------------------------------------------------------------------

void TFgrSpagy::pressButton(AnalysisButton button) {
    if (Timer1->isActive()) Timer1->stop();
    showButtonView(session_.press(button));
}

void TFgrSpagy::showButtonView(const ButtonStep& step) {
    const AnalysisView view = viewsOf(step.button)[static_cast<std::size_t>(step.view)];
    clearAttributions();
    if (isDominant(view)) {
        // The dominant planet's chart is cast once per opening: the subject
        // does not change while the window is open.
        Panel3->hide();
        hideLinkedPanel();
        Image2->clear();
        const bool ready = dominant_ || runUserAction(this, [&] {
            const CurrentSubject subject = readCurrentSubject();
            dominant_ = std::make_unique<DominantChart>(
                computeDominantChart(chartState(), subject.name(), subject.record.moment, subject.record.place));
        });
        if (!ready) return;
    }
    runUserAction(this, [&] { drawView(view, 0); });
    ShowInfoMessage(step.message);
}

void TFgrSpagy::BBcoordiClick() { pressButton(AnalysisButton::Coordinates); }
void TFgrSpagy::BBstoffaClick() { pressButton(AnalysisButton::Substance); }
void TFgrSpagy::BBarchetipClick() { pressButton(AnalysisButton::Structure); }
void TFgrSpagy::BBaspettiClick() { pressButton(AnalysisButton::Aspects); }
void TFgrSpagy::BBEnergiClick() { pressButton(AnalysisButton::Affinities); }
void TFgrSpagy::BBantisceClick() { pressButton(AnalysisButton::Antiscia); }
void TFgrSpagy::BBdodecateClick() { pressButton(AnalysisButton::Dodecatemories); }
void TFgrSpagy::BBdominanteClick() { pressButton(AnalysisButton::Dominant); }
void TFgrSpagy::BBmaestriClick() { pressButton(AnalysisButton::Masters); }

// ---- clicks on the drawing -----------------------------------------------------------

void TFgrSpagy::FormMouseDown(QPoint at) {
    // The dominant planet's wheel has no sensitive glyphs.
    if (!view_ || isDominant(*view_)) return;
    HitGeometry g;
    g.scale = pixelsPerMm();
    g.hFactor = static_cast<double>(settings_.scaleX);
    g.vFactor = static_cast<double>(settings_.scaleY);
    g.x0 = originX();
    g.y0 = originY();
    const GlyphHit hit = hitGlyph(at.x(), at.y(), structure_, points_, signs_, g);
    switch (hit.kind) {
    case GlyphHit::Kind::Structure: clickStructure(hit); break;
    case GlyphHit::Kind::Point: clickPoint(hit); break;
    case GlyphHit::Kind::Sign: clickSign(hit); break;
    case GlyphHit::Kind::None: MemoL1->clear(); break;
    }
}

void TFgrSpagy::FormMouseUp(QPoint) {
    if (!view_ || isDominant(*view_) || selection_.glyph.kind == GlyphHit::Kind::None) return;
    selection_.released = true;
    composeCanvas();
}

void TFgrSpagy::select(const GlyphHit& hit) {
    selection_ = {hit, false};
    composeCanvas();
}

void TFgrSpagy::clickPoint(const GlyphHit& hit) {
    const int point = hit.number;
    const GlyphStep step = session_.clickPoint(point);
    Panel3->hide();
    if (step.action == GlyphAction::MirrorLines) runUserAction(this, [&] { drawView(AnalysisView::PointMirrorLines, point); });
    select(hit);
    if (step.pictures) showPictures(QString::fromStdString(draw::pointPicturePath(point, draw::PictureVariant::Colour)));
    else Image2->clear();
    switch (step.action) {
    case GlyphAction::Attributions:
        runUserAction(this, [&] { fillAttributions(ShowPointAttributions(point, chartState())); });
        break;
    case GlyphAction::LinkedRemedies: showLinkedPanel({false, point}); break;
    case GlyphAction::HideLinked: hideLinkedPanel(); break;
    case GlyphAction::MirrorLines:
    case GlyphAction::Nothing: break;
    }
    if (step.message > 0) ShowInfoMessage(step.message);
}

void TFgrSpagy::clickSign(const GlyphHit& hit) {
    const int sign = hit.number;
    const GlyphStep step = session_.clickSign(sign);
    Panel3->hide();
    if (step.action == GlyphAction::MirrorLines) runUserAction(this, [&] { drawView(AnalysisView::SignMirrorLines, sign); });
    select(hit);
    showPictures(QString::fromStdString(draw::signPicturePath("M", sign, draw::PictureVariant::Colour)));
    switch (step.action) {
    case GlyphAction::Attributions: runUserAction(this, [&] { fillAttributions(ShowSignAttributions(sign)); }); break;
    case GlyphAction::LinkedRemedies: showLinkedPanel({true, sign}); break;
    case GlyphAction::HideLinked: hideLinkedPanel(); break;
    case GlyphAction::MirrorLines:
    case GlyphAction::Nothing: break;
    }
    if (step.message > 0) ShowInfoMessage(step.message);
}

// A planet of the archetypal structure: its linked remedies and pictures.
void TFgrSpagy::clickStructure(const GlyphHit& hit) {
    const int planet = hit.number;
    session_.clickStructureGlyph();
    select(hit);
    if (planet >= 1 && planet <= 7)
        showPictures(QString::fromStdString(draw::pointPicturePath(planet, draw::PictureVariant::Colour)));
    showLinkedPanel({false, planet});
    ShowInfoMessage(29);
}

} // namespace qv
