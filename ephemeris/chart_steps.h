// The steps that cast a chart from decoded birth data: Julian Day of the
// birth moment in Universal Time, houses, bodies with their motion test,
// retrograde marks and the range of the minor bodies. The chart computation
// of the current subject and the command line both run them.
#pragma once

#include "base/reals.h"
#include "ephemeris/birth_data.h"
#include "ephemeris/chart_state.h"
#include "ephemeris/houses.h"

#include <array>
#include <string>

namespace qv {

// The birth moment as a Julian Day in Universal Time: the local clock time
// in the birth's calendar, plus Corr.
Extended universalJulianDay(const BirthData& birth);

// The place and clock time of the birth as the house computation takes them.
HouseInput houseInputOf(const BirthData& birth, Extended jd);

// Which points 1..22 moved backwards over the motion interval, as the
// ephemeris told it (before the chart keeps only some of the marks).
using MotionFlags = std::array<bool, kMarkSlots + 1>;

// Runs the steps on `state` with the house system, node kind and Black Moon
// kind already set in it. Afterwards longitudes are absolute (in [0, 360)),
// retroMark holds "r" for points 1–9 that moved backwards and " " for the
// others, and points 15–19 are 0 when outside 1850–2080.
MotionFlags castChart(ChartState& state, const BirthData& birth);

// The traditional layout of a cast chart: the nodes, the Ascendant and the
// Medium Coeli take the slots of Uranus, Neptune, Pluto and the ephemeris
// node (latitude 0, the nodes marked by the node's motion); then the signs
// and houses of the points and the signs of the cusps.
void layOutTraditionally(ChartState& state, const MotionFlags& moved);

} // namespace qv
