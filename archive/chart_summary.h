// The summaries of a subject's chart kept in its birth record: the planet,
// cusp and aspect summaries, written at registration and modification from
// a chart with Placidus cusps.
#pragma once

#include "archive/archive_records.h"
#include "ephemeris/chart_state.h"
#include "ephemeris/chart_steps.h"

#include <string>

namespace qv {

struct ChartSummary {
    std::string planets;  // 12 groups of 6: house, point letter, sign letter, degrees in sign
    std::string cusps;    // 12 groups of 5: cusp number, sign letter, degrees in sign
    std::string aspects;  // groups of 4, at most 31: point, aspect letter, point, orb
};

// From a chart whose longitudes 1–14 are absolute and in the ephemeris
// layout (8 Uranus … 11 node, 12 Black Moon, 13 Ascendant) and whose cusps
// 1–12 are set.
ChartSummary summariseChart(const ChartState& chart);

// The summary chart of a birth: Julian Day plus Corr / 24, Placidus cusps,
// every body with the node and Black Moon kinds in force. Works on a chart
// of its own: the chart state of the process is left as it was.
ChartSummary summaryChartOf(const BirthData& birth);

} // namespace qv
