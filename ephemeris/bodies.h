// The single entry into the body computations, with the two-pass test of
// apparent motion that marks retrograde points.
#pragma once

#include "base/reals.h"
#include "ephemeris/chart_state.h"

namespace qv {

// Computes the chart points selected at `jd` into `state`: selector 0 all
// points 1–19; 1–12 and 15–19 the Sun and then that point; 20 and 21 the
// points 1–10; 13 and 14 the Sun only. The points are computed first at
// jd + 0.001 (the first pass) and then at jd; a point whose longitude at jd
// exceeds the first pass's by less than 5° moved backwards and is stored
// negated.
void computeBodies(ChartState& state, int selector, Extended jd);
void computeBodies(int selector, Extended jd); // on the chart state of the process

// One pass without the retrograde test, for computations of other moments.
// `firstPass` set only for the pass at jd + 0.001: the second planet table
// corrections are left out of it, and so are the latitudes (that pass
// serves the test of motion, which reads longitudes only).
void computeBodiesOnce(ChartState& state, int selector, Extended jd, bool firstPass);

} // namespace qv
