// Aspects between chart points: the separation of two longitudes, the major
// and the grid aspect a separation holds with the orbs in force, and what
// the analysis window lists and draws of them (the aspect list, the
// aspect-and-orb grid, the spherical distances, the aspect lines of the
// wheel). No aspect looks at the motion of the planets.
#pragma once

#include "analysis/chart_codes.h"
#include "settings/chart_settings.h"
#include "base/reals.h"
#include "ephemeris/chart_state.h"

#include <string>
#include <utility>
#include <vector>

namespace qv {

// The aspects the analyses look for. The value is the glyph code of the
// aspect grid; 1–5 are the major aspects.
enum class Aspect : int {
    None = 0,
    Conjunction = 1, Sextile = 2, Square = 3, Trine = 4, Opposition = 5,
    Sesquiquadrate = 6, SemiSquare = 7, Quincunx = 8, SemiSextile = 9, Quintile = 10, Biquintile = 11,
};

Extended aspectAngle(Aspect aspect);
int aspectOrbIndex(Aspect aspect);      // index into the table of orbs in force
const char* aspectName(Aspect aspect);  // as the orb editor names it ("Trigono")
inline bool isMajor(Aspect a) { return a >= Aspect::Conjunction && a <= Aspect::Opposition; }

struct AspectMatch {
    Aspect aspect = Aspect::None;
    Extended deviation = 0;  // |separation − angle|
};

// b − a folded into 0…180.
Extended AngularSeparation(Extended a, Extended b);

// The major aspect of a separation: opposition, trine, square and sextile in
// that order with strict bounds, then the conjunction; the first that holds
// wins, so overlapping orbs resolve toward the larger angle.
AspectMatch ClassifyMajorAspect(Extended separation, const OrbTable& orbs);

// The aspect the grid shows: opposition, quincunx, biquintile,
// sesquiquadrate, trine, square, quintile, sextile, semisquare, semisextile,
// then the conjunction.
AspectMatch ClassifyGridAspect(Extended separation, const OrbTable& orbs);

// The lines of the aspect list for points 1–11 of the chart (the exact
// opposition of the nodes is left out).
std::vector<std::string> aspectListLines(const ChartState& chart, const OrbTable& orbs);

// One cell (row f, column g > f) of the aspect grid or of the spherical
// distances: rows are points 1–9, columns 2–11.
struct GridCell {
    int row = 0, column = 0;
    Aspect aspect = Aspect::None;
    int roundedDeviation = 0;   // whole degrees
    std::string deviationText;  // two digits, empty without aspect
};
std::vector<GridCell> aspectGrid(const ChartState& chart, const OrbTable& orbs);

struct DistanceCell {
    int row = 0, column = 0;
    Extended distance = 0;  // degrees, 0…180
    std::string text;       // five characters
    bool hard = false, soft = false, conjunct = false;
    TextColour colour = TextColour::Grey;  // of the number
};
std::vector<DistanceCell> sphericalDistances(const ChartState& chart, const OrbTable& orbs);

// An aspect line of the wheel between two of the given points.
struct WheelAspectLine {
    int first = 0, second = 0;  // point numbers as given
    Aspect aspect = Aspect::None;
    int roundedDeviation = 0;
    bool hard = false;  // square or opposition (red), else trine or sextile
};
// Lines for every pair of `points` (point number, longitude): the major
// aspects other than the conjunction, without the oppositions whose
// deviation rounds to 0.
std::vector<WheelAspectLine> wheelAspectLines(const std::vector<std::pair<int, Extended>>& points,
                                              const OrbTable& orbs);
// The same for points 1–11 of the chart.
std::vector<WheelAspectLine> wheelAspectLines(const ChartState& chart, const OrbTable& orbs);

// Half-width of a spindle of the wheel for a deviation, in wheel units.
Extended spindleHalfWidth(int roundedDeviation);

} // namespace qv
