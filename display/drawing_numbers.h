// Small numeric helpers of the drawing code: angles in degrees, device
// units and two-digit numbers.
#pragma once

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

namespace qv::draw {

inline constexpr double kDegree = std::numbers::pi / 180;

// `a` brought into [0, 360).
inline double norm360(double a) {
    a = std::fmod(a, 360.0);
    return a < 0 ? a + 360.0 : a;
}

// A length in device units: the nearest whole unit, halves to even.
inline int roundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// "07" for 7: numbers of two digits at least.
inline std::string twoDigits(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

} // namespace qv::draw
