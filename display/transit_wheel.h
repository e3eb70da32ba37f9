// The wheel of a moment over the natal chart: the natal wheel inside (the
// analysis window's chart wheel, without its aspect lines) and the moving
// bodies of the moment on a ring outside the zodiac, with the line of the
// contact shown from the moving body to the natal point, and a caption.
// The wheel of a solar return is the chart wheel of the return chart.
#pragma once

#include "display/chart_wheel.h"
#include "display/wheel.h"
#include "ephemeris/chart_state.h"

#include <string>
#include <vector>

namespace qv::draw {

struct TransitWheelInput {
    const ChartState* natal = nullptr;  // traditional layout
    std::vector<RingPoint> moving;      // by body number (1 Sole … 10 Plutone, 11 the node)
    int contactBody = 0;                // the moving body of the contact (0: none)
    int contactNatal = 0;               // its natal point 1–11
    std::vector<std::string> caption;   // lines in the top left corner
};

// In the drawing area of the chart wheel (kChartAreaSize, centred on (100, 100)).
void drawTransitWheel(const TransitWheelInput& in);

} // namespace qv::draw
