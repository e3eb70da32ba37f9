// The Moon's ascending node (mean or true) and the Black Moon (the mean
// lunar apogee, or corrected by NOJLNE.rnd).
#pragma once

#include "base/reals.h"
#include "ephemeris/fundamental_arguments.h"

#include <string>

namespace qv {

// Mean node, degrees in [0, 360).
Extended meanNode(Extended t);

// True node from the Sun and Moon of the same moment, with the DPR1.rnd
// field 9 correction strictly inside (1721433.5, 2499373.5).
Extended trueNode(const FundamentalArgs& fa, Extended sunLongitude, Extended moonLongitude);

// Black Moon: the mean apogee, corrected when `kind` is "VERA" and
// 2396758.5 ≤ jd < 2488433.5.
Extended blackMoon(const FundamentalArgs& fa, const std::string& kind);

} // namespace qv
