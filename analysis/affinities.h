// Energetic affinities: the fixed figure of sign pairs related by magnetic
// or by solilunar affinity, drawn over the wheel and turned with the
// Ascendant.
#pragma once

#include "analysis/chart_codes.h"
#include "base/reals.h"

#include <array>

namespace qv {

struct SignPair {
    int first = 0, second = 0;
    TextColour colour = TextColour::Yellow;
};

// Solid lines.
extern const std::array<SignPair, 6> kMagneticPairs;
// Dotted lines.
extern const std::array<SignPair, 6> kSolilunarPairs;

// The three modes the button cycles through: magnetic pairs only,
// solilunar only, both.
enum class AffinityMode { Magnetic = 1, Solilunar = 2, Both = 3 };
const char* affinityCaption(AffinityMode mode);  // "Magnetiche", "Solilunari", ""
AffinityMode nextAffinityMode(AffinityMode mode);

// Wheel angle of a longitude with the chart's Ascendant on the left:
// [ASC] − [λ] + 360 degrees, [x] being x rounded to whole degrees.
Extended wheelAngle(Extended ascendant, Extended longitude);

struct WheelPlace {
    long x = 0, y = 0;
};
// A longitude's place on a circle of radius r about (cx, cy), in whole
// units: x = cx − r cos(angle), y = cy − r sin(angle), each rounded.
WheelPlace wheelPlace(Extended ascendant, Extended longitude, Extended cx, Extended cy, Extended r);
// The place of a sign: the middle of the sign.
WheelPlace signPlace(Extended ascendant, int sign, Extended cx, Extended cy, Extended r);

} // namespace qv
