// The wheel of the analysis window's chart view: the zodiac ring with the
// decans, the planet ring of points 1–11, the house ring, the angles, the
// aspect lines and the product caption, in a drawing area of 195 × 195
// millimetres centred on (100, 100). The command line draws the same wheel.
#pragma once

#include "analysis/aspects.h"
#include "display/wheel.h"
#include "ephemeris/chart_state.h"

#include <array>

namespace qv::draw {

inline constexpr double kChartAreaSize = 195;  // the drawing area, mm

struct ChartWheelOptions {
    double cx = 100, cy = 100;
    bool aspects = true;                       // aspect lines inside the house ring
    AspectLineMode aspectMode = AspectLineMode::Plain;
    bool clickCircles = true;                  // the small red circles the window's clicks hit
    bool caption = true;                       // the product caption in the lower left corner
};

// Where the wheel put its glyphs: point k's glyph (1..11) and sign k's
// picture (1..12); index 0 unused.
struct ChartWheelPlaces {
    std::array<MmPoint, 12> points{};
    std::array<MmPoint, 13> signs{};
};

// Where the houses of a wheel do not hold (house_check.h): the line that
// says so, in red in the top right corner of the drawing area, clear of the
// views' headings on the left.
void housesUndefinedNote(const ChartState& chart);

// Draws the wheel of `chart` (traditional layout; its cusps, Medium Coeli
// and house system) with the aspect lines of the orbs given.
ChartWheelPlaces drawChartWheel(const ChartState& chart, const OrbTable& orbs, const ChartWheelOptions& options = {});

} // namespace qv::draw
