#include "ephemeris/bodies.h"

#include "ephemeris/angles.h"
#include "ephemeris/cached_tables.h"
#include "ephemeris/correction_tables.h"
#include "ephemeris/fundamental_arguments.h"
#include "ephemeris/nodes.h"
#include "ephemeris/orbits.h"
#include "ephemeris/planets.h"
#include "ephemeris/sun_moon.h"

#include <cmath>

namespace qv {

namespace {

struct Pass {
    FundamentalArgs fa;
    OrbitState earth;
    bool firstPass = false;
};

void sun(ChartState& s, Pass& pass) {
    const EclipticPosition p = sunPosition(pass.fa);
    s.longitude[kSun] = p.longitude;
    s.latitude[kSun] = 0;
    pass.earth = orbitState(earthElements(pass.fa.t));
}

void moon(ChartState& s, const Pass& pass) {
    // The first pass serves the test of motion, which reads longitudes only.
    const EclipticPosition p = moonPosition(pass.fa, true, !pass.firstPass);
    s.longitude[kMoon] = p.longitude;
    s.latitude[kMoon] = p.latitude;
}

// The first correction of planet k (DPR1.rnd field k − 2). Jupiter to Pluto
// jump where they change element set (T = −2) and where their perturbation
// series start (T = 0) and stop (after T = 2): the table is read on the
// jd's own side of the nearest of those instants.
Extended firstPlanetCorrection(Extended jd, int k) {
    if (k < kJupiter) return ReadDpr1(jd, k - 2);
    // The instants of T = −2 and T = 0, and just after T = 2 (the series
    // still apply at T = 2 itself).
    const Extended jumps[] = {2341970.0L, 2415020.0L, 2488070.0L + 1e-7L};
    Extended nearest = jumps[0];
    for (Extended j : jumps)
        if (std::fabs(jd - j) < std::fabs(jd - nearest)) nearest = j;
    return ReadDpr1AcrossJump(jd, k - 2, nearest);
}

void body(ChartState& s, const Pass& pass, int k) {
    const Extended t = pass.fa.t;
    const OrbitState state = orbitState(elementsOf(k, t));
    const GeocentricResult g =
        geocentric(state, pass.earth, perturbationOf(k, t), pass.fa.nutation, k == kPallas, !pass.firstPass);
    s.longitude[k] = g.longitude;
    s.latitude[k] = g.latitude;
    const Extended jd = pass.fa.jd;
    if (k >= 3 && k <= 10 && jd >= kPlanetTableFrom && jd < kPlanetTableUntil) {
        s.longitude[k] = Norm360(s.longitude[k] + firstPlanetCorrection(jd, k) / 60.0L);
        if (!pass.firstPass && jd < kSecondPlanetCorrectionsUntil)
            s.longitude[k] = s.longitude[k] + ReadDpr1(jd, k + 7) / 60.0L;
    }
    if (k >= kCeres && k <= kChiron && jd >= kDastOrigin && jd < kMinorBodyTableUntil)
        s.longitude[k] = Norm360(s.longitude[k] + ReadDast(jd, k - kCeres + 1) / 3600.0L);
}

void node(ChartState& s, Pass& pass, bool alone) {
    if (s.nodeKind == "VERO") {
        if (alone) {
            sun(s, pass);
            moon(s, pass);
        }
        s.longitude[kEphemerisNode] = trueNode(pass.fa, s.longitude[kSun], s.longitude[kMoon]);
    } else {
        s.longitude[kEphemerisNode] = meanNode(pass.fa.t);
    }
    s.latitude[kEphemerisNode] = 0;
}

void point(ChartState& s, Pass& pass, int k, bool alone) {
    switch (k) {
    case kSun: sun(s, pass); break;
    case kMoon: moon(s, pass); break;
    case kEphemerisNode: node(s, pass, alone); break;
    case kBlackMoon:
        s.longitude[kBlackMoon] = blackMoon(pass.fa, s.blackMoonKind);
        s.latitude[kBlackMoon] = 0;
        break;
    case kAscendantCopy:
        s.longitude[kAscendantCopy] = s.cusp[1];
        s.latitude[kAscendantCopy] = 0;
        break;
    case kPoint14: s.latitude[kPoint14] = 0; break;
    default: body(s, pass, k); break;
    }
}

} // namespace

void computeBodiesOnce(ChartState& s, int selector, Extended jd, bool firstPass) {
    const TableCheckScope tables; // each correction table checked once
    Pass pass;
    pass.fa = FundamentalArguments(jd);
    pass.firstPass = firstPass;
    if (selector == 0) {
        for (int k = 1; k <= 19; ++k) point(s, pass, k, false);
    } else if (selector == 20 || selector == 21) {
        for (int k = 1; k <= 10; ++k) point(s, pass, k, false);
    } else if (selector == 13 || selector == 14) {
        point(s, pass, kSun, false);
    } else if ((selector >= 1 && selector <= 12) || (selector >= 15 && selector <= 19)) {
        point(s, pass, kSun, false);
        if (selector != kSun) point(s, pass, selector, true);
    }
}

void computeBodies(ChartState& s, int selector, Extended jd) {
    const TableCheckScope tables; // each correction table checked once for both passes
    // The second pass takes its sines and cosines from the first one's.
    TurnMemory turns;
    turns.record();
    computeBodiesOnce(s, selector, jd + 0.001L, true);
    turns.replay();
    std::array<Extended, 20> later{};
    for (int i = 1; i <= 19; ++i) later[i] = s.longitude[i];
    computeBodiesOnce(s, selector, jd, false);
    for (int i = 1; i <= 19; ++i) {
        const Extended c = s.longitude[i];
        const Extended d = later[i];
        if (c > d && std::fabs(c - d) < 5.0L) s.longitude[i] = -c;
    }
}

void computeBodies(int selector, Extended jd) { computeBodies(chartState(), selector, jd); }

} // namespace qv
