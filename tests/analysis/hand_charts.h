// Charts and orb tables built by hand for the doctrine tests.
#pragma once

#include "settings/chart_settings.h"
#include "ephemeris/chart_state.h"

#include <initializer_list>

namespace qv::test {

// The orbs of a set in file order, placed by orb index.
inline OrbTable orbTableOf(const OrbSet& set) {
    OrbTable t{};
    for (int place = 0; place < kAspectCount; ++place)
        t[static_cast<std::size_t>(kAspectKeys[static_cast<std::size_t>(place)].orbIndex)] = set[static_cast<std::size_t>(place)];
    return t;
}

inline OrbTable setA() { return orbTableOf(kOrbSetA); }

// Orbs by orb index: conjunction, sextile, square, trine, opposition; every
// other aspect gets `others`.
inline OrbTable majorOrbs(Extended conj, Extended sextile, Extended square, Extended trine, Extended opposition,
                          Extended others = 0) {
    OrbTable t{};
    t.fill(others);
    t[0] = conj;
    t[1] = sextile;
    t[2] = square;
    t[3] = trine;
    t[4] = opposition;
    return t;
}

// A chart whose points 1.. hold the given longitudes, with equal cusps from
// the Ascendant (point 10 when given, else 0).
inline ChartState chartWith(std::initializer_list<Extended> longitudes) {
    ChartState c;
    int i = 1;
    for (Extended l : longitudes) c.longitude[static_cast<std::size_t>(i++)] = l;
    const Extended asc = longitudes.size() >= 10 ? c.longitude[10] : 0;
    for (int k = 1; k <= 12; ++k) {
        Extended cusp = asc + 30.0L * (k - 1);
        if (cusp >= 360) cusp -= 360;
        c.cusp[static_cast<std::size_t>(k)] = cusp;
    }
    for (int k = 1; k <= 22; ++k) c.retroMark[static_cast<std::size_t>(k)] = ' ';
    return c;
}

} // namespace qv::test
