#include "display/analysis_views.h"

#include "display/pictures.h"
#include "display/view_common.h"

#include <stdexcept>

namespace qv::draw {

namespace {

struct ViewEntry {
    AnalysisView view;
    const char* name;
    int message;
};

constexpr ViewEntry kViews[] = {
    {AnalysisView::CoordinatesRelative, "coordinates_relative", 2},
    {AnalysisView::CoordinatesAbsolute, "coordinates_absolute", 3},
    {AnalysisView::Latitudes, "latitudes", 4},
    {AnalysisView::Substance1, "substance_elemental", 5},
    {AnalysisView::Substance2, "humours_elemental", 6},
    {AnalysisView::Substance3, "substance_seasonal", 7},
    {AnalysisView::Substance4, "humours_seasonal", 8},
    {AnalysisView::ArchetypalStructure, "structure", 9},
    {AnalysisView::AspectsPlain, "aspects_plain", 10},
    {AnalysisView::AspectsSpindle, "aspects_spindle", 24},
    {AnalysisView::AspectGrid, "aspect_grid", 25},
    {AnalysisView::SphericalDistances, "spherical_distances", 26},
    {AnalysisView::Affinities1, "affinities_magnetic", 11},
    {AnalysisView::Affinities2, "affinities_solilunar", 12},
    {AnalysisView::Affinities3, "affinities_both", 13},
    {AnalysisView::Antiscia1, "antiscia", 14},
    {AnalysisView::Antiscia2, "contrantiscia", 15},
    {AnalysisView::Antiscia3, "antiscia_both", 16},
    {AnalysisView::Antiscia4, "mirror_quartets", 17},
    {AnalysisView::Dodecatemories, "dodecatemories", 18},
    {AnalysisView::DominantPositions, "dominant_positions", 19},
    {AnalysisView::DominantAspectsPlain, "dominant_aspects_plain", 20},
    {AnalysisView::DominantAspectsSpindle, "dominant_aspects_spindle", 27},
    {AnalysisView::DominantPowers, "dominant_powers", 21},
    {AnalysisView::Masters1, "masters_hour", 22},
    {AnalysisView::Masters2, "masters_year", 23},
    {AnalysisView::PointMirrorLines, "point_mirror_lines", 30},
    {AnalysisView::SignMirrorLines, "sign_mirror_lines", 33},
    {AnalysisView::Chart, "chart", 1},
};

const ViewEntry& entryOf(AnalysisView view) {
    for (const ViewEntry& e : kViews)
        if (e.view == view) return e;
    throw std::invalid_argument("vista di analisi sconosciuta");
}

} // namespace

std::vector<AnalysisView> allAnalysisViews() {
    std::vector<AnalysisView> views;
    for (const ViewEntry& e : kViews) views.push_back(e.view);
    return views;
}

const char* analysisViewName(AnalysisView view) { return entryOf(view).name; }
int analysisViewMessage(AnalysisView view) { return entryOf(view).message; }

AnalysisViewResult drawAnalysisView(AnalysisView view, const AnalysisViewInputs& in) {
    using namespace views;
    if (!in.chart) throw std::invalid_argument("vista di analisi senza tema");
    clearArea();
    switch (view) {
    case AnalysisView::CoordinatesRelative:
    case AnalysisView::CoordinatesAbsolute:
    case AnalysisView::Latitudes: return coordinatesView(view, in);
    case AnalysisView::Substance1:
    case AnalysisView::Substance2:
    case AnalysisView::Substance3:
    case AnalysisView::Substance4: return substanceView(view, in);
    case AnalysisView::ArchetypalStructure: return structureView(in);
    case AnalysisView::AspectsPlain:
    case AnalysisView::AspectsSpindle: return aspectsView(view, in);
    case AnalysisView::AspectGrid: return gridView(in);
    case AnalysisView::SphericalDistances: return distancesView(in);
    case AnalysisView::Affinities1:
    case AnalysisView::Affinities2:
    case AnalysisView::Affinities3: return affinitiesView(view, in);
    case AnalysisView::Antiscia1:
    case AnalysisView::Antiscia2:
    case AnalysisView::Antiscia3:
    case AnalysisView::Antiscia4: return antisciaView(view, in);
    case AnalysisView::Dodecatemories: return dodecatemoriesView(in);
    case AnalysisView::DominantPositions:
    case AnalysisView::DominantAspectsPlain:
    case AnalysisView::DominantAspectsSpindle:
    case AnalysisView::DominantPowers: return dominantView(view, in);
    case AnalysisView::Masters1:
    case AnalysisView::Masters2: return mastersView(view, in);
    case AnalysisView::PointMirrorLines:
    case AnalysisView::SignMirrorLines: return mirrorLinesView(view, in);
    case AnalysisView::Chart: {
        AnalysisViewResult r;
        r.wheelPlaces = chartViewWheel(in);
        return r;
    }
    }
    throw std::invalid_argument("vista di analisi sconosciuta");
}

namespace views {

void clearArea() { fillBox(0, 0, kArea, kArea, drawingContext().onScreen() ? kBlack : kWhite); }

void heading(const std::string& title, const std::string& subtitle) {
    textColour(4);
    textLeft(title, 2, 5, 5);
    if (!subtitle.empty()) {
        textColour(4);
        textLeft(subtitle, 15, 10.5, 5);
    }
}

void useColour(TextColour colour) {
    const bool screen = drawingContext().onScreen();
    switch (colour) {
    case TextColour::Aqua: textColour(4); break;
    case TextColour::White: textColour(0); break;
    case TextColour::Red: textRgb(kRed); break;
    case TextColour::Yellow: textRgb(screen ? kYellow : kOrange); break;
    case TextColour::Blue: textRgb(screen ? Rgb{80, 120, 255} : kBlue); break;
    case TextColour::Green: textRgb(screen ? kGreen : Rgb{0, 128, 0}); break;
    case TextColour::Grey: textRgb(kGrey); break;
    }
}

ChartWheelPlaces scaledWheel(double zoom, double cx, double cy,
                             const std::function<ChartWheelPlaces(double, double)>& draw) {
    DrawingContext& c = drawingContext();
    const double saved = c.zoom;
    c.zoom = saved * zoom;
    ChartWheelPlaces places;
    try {
        places = draw(cx / zoom, cy / zoom);
    } catch (...) {
        c.zoom = saved;
        throw;
    }
    c.zoom = saved;
    for (MmPoint& p : places.points) p = {p.x * zoom, p.y * zoom};
    for (MmPoint& p : places.signs) p = {p.x * zoom, p.y * zoom};
    return places;
}

void listRow(int point, bool body, double glyph, const std::string& text, int font, double y, double x) {
    if (body)
        drawBodyPicture(point, glyph, x + glyph / 2, y);
    else
        drawPointPicture(point, glyph, x + glyph / 2, y);
    textLeftMiddle(text, font, y, x + glyph + 2);
}

void textLeftMiddle(const std::string& text, int font, double y, double x) {
    textLeft(text, font, y - mmOfDeviceHeight(fontHeight(font)) * 0.5, x);
}

ChartWheelPlaces chartViewWheel(const AnalysisViewInputs& in, bool aspects, AspectLineMode mode) {
    ChartWheelOptions options;
    options.aspects = aspects;
    options.aspectMode = mode;
    options.clickCircles = true;
    options.caption = true;
    return drawChartWheel(*in.chart, in.orbs, options);
}

ChartWheelPlaces smallChartWheel(const AnalysisViewInputs& in, double zoom, double cx, double cy) {
    return scaledWheel(zoom, cx, cy, [&](double x, double y) {
        ChartWheelOptions o;
        o.cx = x;
        o.cy = y;
        o.aspects = false;
        o.clickCircles = true;
        o.caption = false;
        return drawChartWheel(*in.chart, in.orbs, o);
    });
}

} // namespace views

} // namespace qv::draw
