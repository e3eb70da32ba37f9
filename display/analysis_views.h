// The graphic analyses of the chart analysis window, each drawn on the
// drawing area (0–195 × 0–195 sheet millimetres) of the current drawing
// context: coordinates, substance tables, archetypal structure, aspects,
// energetic affinities, mirror places, dodecatemories, the dominant-planet
// views and the masters. Each view first clears the area to the background
// colour, then draws its heading and its figure. What a view shows is
// computed by the analyses (analysis/); this file only places it.
//
// Typical use (the window, on each button press):
//   AnalysisViewInputs in;
//   in.chart = &chartState(); in.orbs = ActiveOrbs(); in.hour = hourAtOpening;
//   const AnalysisViewResult r = drawAnalysisView(AnalysisView::AspectsPlain, in);
//   show r.panelLines in MemoAspetti (Panel3 hidden when empty).
// A view whose data file is missing raises IoError after drawing what it
// could (its heading at least): the window keeps that and reports the error.
#pragma once

#include "analysis/dominant_chart.h"
#include "analysis/planetary_hour.h"
#include "display/chart_wheel.h"
#include "display/drawing.h"
#include "ephemeris/chart_state.h"
#include "settings/chart_settings.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qv::draw {

enum class AnalysisView {
    CoordinatesRelative, CoordinatesAbsolute, Latitudes,             // "Coordinate Planetarie" 1-3
    Substance1, Substance2, Substance3, Substance4,                  // "Costituzione (Stoffa)" the four tables
    ArchetypalStructure,                                             // "Struttura Archetipale"
    AspectsPlain, AspectsSpindle, AspectGrid, SphericalDistances,    // "Aspetti Planetari"
    Affinities1, Affinities2, Affinities3,                           // "Affinità Energetiche"
    Antiscia1, Antiscia2, Antiscia3, Antiscia4,                      // "Antisce e Contrantisce"
    Dodecatemories,                                                  // "Dodecatemorie"
    DominantPositions, DominantAspectsPlain, DominantAspectsSpindle, DominantPowers, // dominant-planet button
    Masters1, Masters2,                                              // "Maestri"
    PointMirrorLines, SignMirrorLines,                               // 4th click on a point / a sign glyph
    Chart                                                            // the chart view (opening, Timer1)
};

// Every view in the order above.
std::vector<AnalysisView> allAnalysisViews();
// A short name for logs, tests and file names ("aspects_plain").
const char* analysisViewName(AnalysisView view);
// The number of the message (Appoggio\Messaggi.txt) the window shows with
// the view: 2, 3, 4 for the coordinates … 22, 23 for the masters; 30 and 33
// for the mirror lines of a point and of a sign; 1 for the chart view.
int analysisViewMessage(AnalysisView view);

struct AnalysisViewInputs {
    const ChartState* chart = nullptr;  // the natal chart, traditional layout (required)
    OrbTable orbs{};                    // the orbs in force
    PlanetaryHour hour;                 // computed when the window opened (Masters1)
    // The dominant-planet views' chart (computeDominantChart); required by
    // the four Dominant* views.
    const DominantChart* dominant = nullptr;
    int mirrorPoint = 0;  // PointMirrorLines: point 1–7
    int mirrorSign = 0;   // SignMirrorLines: sign 1–12
};

struct AnalysisViewResult {
    std::vector<std::string> panelLines;   // text for Panel3 (MemoAspetti), Windows-1252; empty = Panel3 stays hidden
    std::vector<std::pair<int, MmPoint>> structureGlyphs; // archetypal structure: planet code → glyph centre (clicks)
    // Where the natal wheel's point glyphs (1–11) and sign pictures (1–12)
    // now stand, in area millimetres, when the view draws that wheel (at
    // full size, or smaller beside a list as in the coordinates, the
    // dodecatemories and the masters); the window's clicks follow them.
    // Absent for the tables, the grid, the distances and the dominant-planet
    // views, whose wheels have no click places.
    std::optional<ChartWheelPlaces> wheelPlaces;
};

// Draws `view`. IoError for a missing data file (SpgPianSpe.Txt for the
// coordinates and dodecatemories' lists, the exchange files for the
// structure, GoverAnno.txt for the year masters); std::invalid_argument when
// an input the view needs is missing (no chart, no dominant chart, a mirror
// point outside 1–7 or a sign outside 1–12).
AnalysisViewResult drawAnalysisView(AnalysisView view, const AnalysisViewInputs& in);

} // namespace qv::draw
