// Secondary progressions: a day after birth for each year of life. The
// bodies at the progressed moment and their major aspects to the natal
// points of the traditional chart.
#pragma once

#include "base/reals.h"
#include "ephemeris/chart_state.h"

#include <array>
#include <string>
#include <vector>

namespace qv::timing {

// Days of a tropical year: the length of life that one day after birth
// stands for.
inline constexpr Extended kTropicalYear = 365.24219L;
// Progressed aspects count within 1°: a progressed body moves about a
// degree a year at most (the Moon about 13°), so the orb is a year or so.
inline constexpr Extended kProgressionOrb = 1.0L;

struct ProgressedBody {
    int body = 0;              // 1–11, as kTransitBodyNames
    Extended longitude = 0;
    bool retrograde = false;
};

struct ProgressedAspect {
    int body = 0;
    int aspect = 0;            // 0, 60, 90, 120, 180
    int natal = 0;             // 1–11, as kNatalTargetNames
    Extended natalLongitude = 0;
    Extended orb = 0;          // degrees from exact
    bool applying = false;     // the progressed body still moves towards exact
};

struct Progression {
    Extended date = 0;           // the date progressed to, Universal Time
    Extended progressedJd = 0;   // natal jd + (date − natal jd) / year
    std::vector<ProgressedBody> bodies;
    std::vector<ProgressedAspect> aspects;  // by orb, tightest first
};

// `natal` is the chart in the traditional layout.
Progression progressTo(const ChartState& natal, Extended date, const std::string& nodeKind);

} // namespace qv::timing
