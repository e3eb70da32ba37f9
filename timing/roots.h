// Root finding on functions of time (Julian Days): a bracketed root by
// inverse interpolation with a bisection guard, and the wrap of an angle
// difference into a half turn either side, which turns a longitude that
// reaches a given point into a function with a root there.
#pragma once

#include "base/reals.h"

#include <algorithm>
#include <cmath>

namespace qv::timing {

// An angle brought into [−180, 180).
inline Extended halfTurn(Extended degrees) {
    // floor rather than fmod: the x87 remainder loops, and this runs for
    // every sample against every aspect point.
    return degrees - 360.0L * std::floor((degrees + 180.0L) / 360.0L);
}

// Moments are found to this many days (well under a tenth of a second).
inline constexpr Extended kRootTolerance = 1e-7L;

// The root of f on [a, b], where fa = f(a) and fb = f(b) have opposite
// signs (or one is 0) and f is continuous. Brent's method: inverse
// quadratic or linear interpolation while it converges, a bisection step
// whenever it would not, so a smooth function costs a handful of
// evaluations and any continuous one still ends.
template <class F>
Extended bracketedRoot(F&& f, Extended a, Extended b, Extended fa, Extended fb,
                       Extended tolerance = kRootTolerance) {
    if (fa == 0) return a;
    if (fb == 0) return b;
    Extended c = b, fc = fb, d = b - a, e = d;
    for (int i = 0; i < 200; ++i) {
        if ((fb > 0) == (fc > 0)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b; b = c; c = a;
            fa = fb; fb = fc; fc = fa;
        }
        const Extended tol = tolerance / 2;
        const Extended m = (c - b) / 2;
        if (std::fabs(m) <= tol || fb == 0) return b;
        if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
            Extended p, q;
            const Extended s = fb / fa;
            if (a == c) {
                p = 2 * m * s;
                q = 1 - s;
            } else {
                const Extended r = fb / fc, t = fa / fc;
                p = s * (2 * m * t * (t - r) - (b - a) * (r - 1));
                q = (t - 1) * (r - 1) * (s - 1);
            }
            if (p > 0) q = -q; else p = -p;
            if (2 * p < std::min(3 * m * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = m;
                e = d;
            }
        } else {
            d = m;
            e = d;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol ? d : (m > 0 ? tol : -tol);
        fb = f(b);
    }
    return b;
}

} // namespace qv::timing
