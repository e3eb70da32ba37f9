// The pieces of the chart wheel, drawn through the drawing layer in sheet
// millimetres around a centre (cx, cy). A point of longitude λ stands at the
// wheel angle A − λ, A being the Ascendant's longitude (drawing.h,
// wheelPoint): the Ascendant to the left, longitudes counter-clockwise.
#pragma once

#include "analysis/aspects.h"
#include "display/drawing.h"

#include <functional>
#include <string>
#include <vector>

namespace qv::draw {

// ---- zodiac ring ------------------------------------------------------------

enum class RingVariant {
    Full,     // 5 mm outer band with the decan rulers, ticks across the band
    Compact,  // the affinity wheels: no outer band and no decans
};

// The signs between radii r1 (inner) and r2 (outer): circles, horizon marks,
// sign boundaries, 10° ticks, the sign pictures (prefix `prefix`, side s) in
// the middle of each sign and, in the full ring, the decan rulers (Mars,
// Sun, Venus, Mercury, Moon, Saturn, Jupiter repeated from the first decan of
// Aries) at radius r2 + 2.5. Returns the centres of the twelve sign
// pictures, index 1..12 (index 0 unused).
std::vector<MmPoint> drawZodiacRing(const std::string& prefix, double s, double r1, double r2, double cx,
                                    double cy, double ascendant, RingVariant variant = RingVariant::Full);

// ---- house ring -------------------------------------------------------------

enum class HouseLines {
    OnCusps,           // each boundary on its cusp
    FifteenBeforeCusp, // each house centred on its cusp (its boundary 15° before it)
    None               // houses that do not hold (house_check.h): the circles and ticks only
};

// The houses between r1 (outer) and r2 (inner), r1 > r2. `cusps` holds the
// cusps 1..12 (index 0 unused). With r1 < 70 the circles r1, r2 and r1 + 3
// are drawn; sixty 6° ticks from the Ascendant − 15° between r1 and r1 + 3;
// the six axes with their lines from r1 to r2 and the numerals "I" … "XII"
// at (r1 + r2) ÷ 2, 5° after each line.
void drawHouseRing(const double* cusps, double r1, double r2, double cx, double cy, double ascendant,
                   HouseLines lines);

// ---- angles -----------------------------------------------------------------

// NoHouses: the axes and the Medium Coeli without the house boundaries, for
// houses that do not hold.
enum class AnglesVariant { Full, Compact, NoHouses };

// The Ascendant–Descendant axis from radius r outward, the Ascendant's
// degree and "AS"; with equal houses ("CASE_MEDIE") also the Medium Coeli
// and the house boundaries 15° before each cusp (the compact variant without
// the boundary texts).
void drawAngles(const double* cusps, double mediumCoeli, const std::string& houseSystem, double r, double cx,
                double cy, AnglesVariant variant = AnglesVariant::Full);

// ---- planet ring ------------------------------------------------------------

// Spreads wheel angles (degrees, any order) so that no two are closer than
// `separation`, each as near as possible to its own place: clusters are
// pushed forward from the end of the widest empty arc and then moved back
// by half of their last push when the gap before them allows it, or by what
// the gap allows beyond the separation. Returns the spread angles in the
// order given (they may fall outside [0, 360)).
std::vector<double> spreadAngles(const std::vector<double>& angles, double separation);

struct PlanetRingStyle {
    double separation = 10;    // degrees
    double glyphSize = 4;      // side of the point pictures, mm
    double glyphLift = 1.5;    // the picture stands this much above the glyph's place
    double glyphRing = 4.5;    // radius of the circle around each glyph (0: none)
    bool degreeTexts = true;   // each point's degrees beside its glyph
    double leaderInset = 4.3;  // leader lines end this far inside and outside the glyph's radius
    double glyphRadius = 0;    // 0: halfway between the ring's radii
    bool clickCircles = false; // a small red circle in each glyph (the window's click places)
    bool bigRetrograde = false;  // "R" in font 15 at (+3, −3) for points 1–9 instead of a small "r"

    static PlanetRingStyle full();       // the sheets' wheel
    static PlanetRingStyle compact();    // the affinity wheels
    static PlanetRingStyle chartView();  // the analysis window's wheel
};

struct RingPoint {
    int point = 0;         // point number (traditional layout) or body number
    double longitude = 0;
    char mark = ' ';       // "r" or "R": retrograde
};

// The glyphs of `points` on the ring between r1 (outer) and r2 (inner),
// spread by the style's separation and then, where glyphs (their rings, or
// their pictures) would still touch, set a glyph's width and a gap apart
// (glyph_separation.h), with leader lines to their true places;
// then circle r2. `bodies` draws pictures by body number instead of by the
// traditional layout. Returns each glyph's centre, in the order given.
std::vector<MmPoint> drawPlanetRing(const std::vector<RingPoint>& points, double cx, double cy, double r1, double r2,
                                    double ascendant, const PlanetRingStyle& style, bool bodies = false);

// ---- aspect lines -----------------------------------------------------------

enum class AspectLineMode { Plain, Spindle };

struct AspectLineStyle {
    int softPen = 5;          // trine and sextile: solid line
    int hardPen = 2;          // square and opposition
    bool hardDotted = false;  // dotted (small dots) instead of 15 dashes
    int softSpindlePen = 25;
    Rgb softSpindleFill = kBlue;
    int hardSpindlePen = 7;
    Rgb hardSpindleFill = kRed;
    static AspectLineStyle window();  // the analysis window
    static AspectLineStyle sheet();   // the printable sheets
};

// The aspect lines between places on the inner circle: `placeOf` gives the
// place of a point number. Plain mode: a solid line for trines and
// sextiles, a broken one for squares and oppositions (from the second point
// toward the first); spindle mode: a six-cornered spindle whose half-width
// grows as the aspect gets exact.
void drawAspectLines(const std::vector<WheelAspectLine>& lines, const std::function<MmPoint(int)>& placeOf,
                     AspectLineMode mode, const AspectLineStyle& style);

// The six corners of the spindle between two places.
std::vector<MmPoint> spindleCorners(MmPoint a, MmPoint b, double halfWidth);

} // namespace qv::draw
