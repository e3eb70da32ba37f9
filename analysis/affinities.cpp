#include "analysis/affinities.h"

#include "ephemeris/angles.h"

namespace qv {

const std::array<SignPair, 6> kMagneticPairs = {{
    {1, 7, TextColour::Yellow},
    {2, 8, TextColour::Yellow},
    {6, 12, TextColour::Red},
    {9, 11, TextColour::Aqua},
    {3, 5, TextColour::Red},
    {4, 10, TextColour::Aqua},
}};

const std::array<SignPair, 6> kSolilunarPairs = {{
    {4, 11, TextColour::Aqua},
    {3, 12, TextColour::Red},
    {1, 2, TextColour::Yellow},
    {5, 6, TextColour::Red},
    {7, 8, TextColour::Yellow},
    {9, 10, TextColour::Aqua},
}};

const char* affinityCaption(AffinityMode mode) {
    switch (mode) {
    case AffinityMode::Magnetic: return "Magnetiche";
    case AffinityMode::Solilunar: return "Solilunari";
    default: return "";
    }
}

AffinityMode nextAffinityMode(AffinityMode mode) {
    switch (mode) {
    case AffinityMode::Magnetic: return AffinityMode::Solilunar;
    case AffinityMode::Solilunar: return AffinityMode::Both;
    default: return AffinityMode::Magnetic;
    }
}

Extended wheelAngle(Extended ascendant, Extended longitude) {
    return Round(ascendant) - Round(longitude) + 360.0L;
}

WheelPlace wheelPlace(Extended ascendant, Extended longitude, Extended cx, Extended cy, Extended r) {
    const Extended angle = wheelAngle(ascendant, longitude);
    return {static_cast<long>(Round(cx - r * CosDeg(angle))), static_cast<long>(Round(cy - r * SinDeg(angle)))};
}

WheelPlace signPlace(Extended ascendant, int sign, Extended cx, Extended cy, Extended r) {
    return wheelPlace(ascendant, 15.0L + 30.0L * (sign - 1), cx, cy, r);
}

} // namespace qv
