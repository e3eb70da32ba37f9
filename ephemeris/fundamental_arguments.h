// The time argument and the fundamental arguments of the Sun and the Moon.
#pragma once

#include "base/reals.h"

namespace qv {

struct FundamentalArgs {
    Extended jd = 0;
    Extended d = 0;       // days from JD 2415020.0
    Extended t = 0;       // Julian centuries from JD 2415020.0
    Extended t2 = 0;
    Extended omega = 0;   // Ω, longitude of the Moon's ascending node
    Extended sunMeanLongitude = 0;   // L
    Extended elongation = 0;         // D
    Extended moonPerigee = 0;        // Γ′
    Extended sunMeanAnomaly = 0;     // M
    Extended moonMeanLongitude = 0;  // L′
    Extended moonMeanAnomaly = 0;    // M′
    Extended nutation = 0;           // Δψ, degrees
    Extended obliquity = 0;          // ε, degrees
    Extended cosObliquity = 0;
    Extended sinObliquity = 0;
};

FundamentalArgs FundamentalArguments(Extended jd);

// The Moon's perigee Γ′ as a function of d and T (degrees, reduced).
Extended moonPerigee(Extended d, Extended t);

} // namespace qv
