// Pieces shared by the analysis views (analysis_views.h): the heading, the
// cleared area, the chart wheel at full size or drawn smaller beside a list,
// and the rows of the lists. Internal to the drawing layer.
#pragma once

#include "analysis/chart_codes.h"
#include "display/analysis_views.h"

#include <functional>
#include <string>

namespace qv::draw::views {

inline constexpr double kArea = 195;  // the drawing area, mm

// Fills the area with the background (black on screen, white on paper).
void clearArea();

// The view's heading in aqua: `title` (font 2) at (5, 5), `subtitle`
// (font 15) under it.
void heading(const std::string& title, const std::string& subtitle = {});

// The text colour of an analysis line; yellow and green darkened on paper.
void useColour(TextColour colour);

// Draws the wheel of `draw` smaller (factor `zoom`) with its centre at
// (cx, cy) of the area: `draw` receives the centre in the zoomed units. The
// places it returns (in zoomed units) come back in area units.
ChartWheelPlaces scaledWheel(double zoom, double cx, double cy,
                             const std::function<ChartWheelPlaces(double cx, double cy)>& draw);

// The list beside a wheel drawn smaller: its left edge and first row.
inline constexpr double kListWheelZoom = 0.78;
inline constexpr double kListWheelCx = 121, kListWheelCy = 104;
// Beside the longer lists of the dominant-planet views.
inline constexpr double kWideListWheelZoom = 0.7;
inline constexpr double kWideListWheelCx = 128;
inline constexpr double kListLeft = 4, kListTop = 24;

// One row of a list: the point's picture (traditional numbering, or body
// number when `body`) of side `glyph` at (x + glyph/2, y) and the text in
// font `font` 2 mm right of it, its middle on y.
void listRow(int point, bool body, double glyph, const std::string& text, int font, double y, double x);

// A text with its left end at x and its middle on y.
void textLeftMiddle(const std::string& text, int font, double y, double x);

// The chart view's wheel (no aspect lines unless asked), with the click
// circles and the product caption, at full size.
ChartWheelPlaces chartViewWheel(const AnalysisViewInputs& in, bool aspects = false,
                                AspectLineMode mode = AspectLineMode::Plain);

// The chart view's wheel (no aspect lines, no caption) drawn smaller with
// its centre at (cx, cy) of the area.
ChartWheelPlaces smallChartWheel(const AnalysisViewInputs& in, double zoom, double cx, double cy);

// ---- the views, by family ----------------------------------------------------

AnalysisViewResult coordinatesView(AnalysisView view, const AnalysisViewInputs& in);
AnalysisViewResult substanceView(AnalysisView view, const AnalysisViewInputs& in);
AnalysisViewResult structureView(const AnalysisViewInputs& in);
AnalysisViewResult aspectsView(AnalysisView view, const AnalysisViewInputs& in);
AnalysisViewResult gridView(const AnalysisViewInputs& in);
AnalysisViewResult distancesView(const AnalysisViewInputs& in);
AnalysisViewResult affinitiesView(AnalysisView view, const AnalysisViewInputs& in);
AnalysisViewResult antisciaView(AnalysisView view, const AnalysisViewInputs& in);
AnalysisViewResult mirrorLinesView(AnalysisView view, const AnalysisViewInputs& in);
AnalysisViewResult dodecatemoriesView(const AnalysisViewInputs& in);
AnalysisViewResult dominantView(AnalysisView view, const AnalysisViewInputs& in);
AnalysisViewResult mastersView(AnalysisView view, const AnalysisViewInputs& in);

} // namespace qv::draw::views
