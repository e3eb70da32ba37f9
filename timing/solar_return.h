// The solar return of a year: the moment the Sun comes back to the
// longitude it had at birth, and the chart cast for that moment at the
// birthplace or another place.
#pragma once

#include "base/reals.h"
#include "ephemeris/birth_data.h"
#include "ephemeris/chart_state.h"
#include "ephemeris/chart_steps.h"

namespace qv::timing {

// The moment (Universal Time) in `year` at which the program's Sun stands
// again at `natal`'s Sun longitude; found to a hundredth of a second of
// the root. `natal` is a cast chart (its Sun is point 1).
Extended solarReturnMoment(const ChartState& natal, int year);

// The birth data of a moment at a place: the local clock date and time of
// `jd` under `place.corr` (whole minutes, the seconds left to `seconds`).
BirthData birthDataAt(const BirthData& place, Extended jd, Extended& seconds);

// Casts a chart (house system, node and Black Moon kinds already set in
// `state`) for the exact moment `jd` at the place of `place`, as castChart
// does for a birth: the houses take the seconds the clock minutes leave out.
MotionFlags castChartAt(ChartState& state, const BirthData& place, Extended jd);

} // namespace qv::timing
