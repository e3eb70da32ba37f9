// Angles of the drawing code, in degrees.
#pragma once

#include <cmath>

namespace qv::draw {

// `a` brought into [0, 360).
inline double norm360(double a) {
    a = std::fmod(a, 360.0);
    return a < 0 ? a + 360.0 : a;
}

} // namespace qv::draw
