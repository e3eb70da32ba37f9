// Root finding on functions of time (Julian Days): a bracketed root by
// inverse interpolation with a bisection guard, and the wrap of an angle
// difference into a half turn either side, which turns a longitude that
// reaches a given point into a function with a root there.
#pragma once

#include "base/reals.h"

#include <cmath>

namespace qv::timing {

// An angle brought into [−180, 180).
inline Extended halfTurn(Extended degrees) {
    Extended x = std::fmod(degrees + 180.0L, 360.0L);
    if (x < 0) x += 360.0L;
    return x - 180.0L;
}

// Moments are found to this many days (well under a tenth of a second).
inline constexpr Extended kRootTolerance = 1e-7L;

// The root of f on [a, b], where fa = f(a) and fb = f(b) have opposite
// signs (or one is 0) and f is continuous. Regula falsi with the Illinois
// change, falling back on a bisection whenever a step gains too little, so
// it always ends: a smooth function costs a handful of evaluations.
template <class F>
Extended bracketedRoot(F&& f, Extended a, Extended b, Extended fa, Extended fb,
                       Extended tolerance = kRootTolerance) {
    if (fa == 0) return a;
    if (fb == 0) return b;
    int side = 0;
    for (int i = 0; i < 100 && b - a > tolerance; ++i) {
        const Extended width = b - a;
        Extended c = b - fb * (b - a) / (fb - fa);
        if (!(c > a && c < b)) c = (a + b) / 2;
        const Extended fc = f(c);
        if (fc == 0) return c;
        if ((fc < 0) == (fa < 0)) {
            a = c;
            fa = fc;
            if (side == -1) fb /= 2;
            side = -1;
        } else {
            b = c;
            fb = fc;
            if (side == 1) fa /= 2;
            side = 1;
        }
        // A step that kept most of the bracket: halve it instead.
        if (b - a > 0.5L * width) {
            const Extended m = (a + b) / 2;
            const Extended fm = f(m);
            if (fm == 0) return m;
            if ((fm < 0) == (fa < 0)) {
                a = m;
                fa = fm;
            } else {
                b = m;
                fb = fm;
            }
            side = 0;
        }
    }
    return std::fabs(fa) < std::fabs(fb) ? a : b;
}

} // namespace qv::timing
