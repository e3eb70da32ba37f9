#include "timing/sun_horizon.h"

#include "ephemeris/angles.h"
#include "ephemeris/fundamental_arguments.h"
#include "ephemeris/sun_moon.h"
#include "timing/roots.h"

#include <algorithm>
#include <cmath>

namespace qv::timing {

namespace {

constexpr Extended kRad = 3.14159265358979323846264338327950288L / 180.0L;

struct Equatorial {
    Extended rightAscension;  // degrees
    Extended declination;     // degrees
};

// The Sun's apparent place: its longitude (which carries nutation and
// aberration) on the true equator.
Equatorial sunEquatorial(const FundamentalArgs& fa) {
    const Extended lambda = sunPosition(fa).longitude * kRad;
    // Nutation in obliquity, main term.
    const Extended eps = (fa.obliquity + 0.00256L * std::cos(fa.omega * kRad)) * kRad;
    const Extended ra = std::atan2(std::cos(eps) * std::sin(lambda), std::cos(lambda));
    const Extended dec = std::asin(std::sin(eps) * std::sin(lambda));
    return {Norm360(ra / kRad), dec / kRad};
}

// Apparent sidereal time at Greenwich, degrees: the mean sidereal time of
// the moment and the equation of the equinoxes.
Extended greenwichSiderealTime(const FundamentalArgs& fa) {
    const Extended d = fa.jd - 2451545.0L;
    const Extended t = d / 36525.0L;
    const Extended mean = 280.46061837L + 360.98564736629L * d + 0.000387933L * t * t - t * t * t / 38710000.0L;
    return Norm360(mean + fa.nutation * std::cos(fa.obliquity * kRad));
}

// The hour angle of the Sun, degrees in [−180, 180).
Extended hourAngle(const GeoPlace& place, Extended jd) {
    const FundamentalArgs fa = FundamentalArguments(jd);
    const Equatorial e = sunEquatorial(fa);
    return halfTurn(greenwichSiderealTime(fa) + place.longitude - e.rightAscension);
}

// The moment near `guess` at which the Sun's hour angle is `target`.
Extended culmination(const GeoPlace& place, Extended guess, Extended target) {
    Extended t = guess;
    for (int i = 0; i < 6; ++i) {
        const Extended step = halfTurn(hourAngle(place, t) - target) / 360.9856L;
        t -= step;
        if (std::fabs(step) < 1e-8L) break;
    }
    return t;
}

} // namespace

Extended sunAltitude(const GeoPlace& place, Extended jd) {
    const FundamentalArgs fa = FundamentalArguments(jd);
    const Equatorial e = sunEquatorial(fa);
    const Extended h = (greenwichSiderealTime(fa) + place.longitude - e.rightAscension) * kRad;
    const Extended phi = place.latitude * kRad, delta = e.declination * kRad;
    const Extended s = std::sin(phi) * std::sin(delta) + std::cos(phi) * std::cos(delta) * std::cos(h);
    return std::asin(std::clamp(s, -1.0L, 1.0L)) / kRad;
}

SunTimes sunTimes(const GeoPlace& place, Extended dateJd) {
    // Local mean noon of the date, whatever the zone's meridian.
    const Extended meanNoon = dateJd + 0.5L - place.longitude / 360.0L;

    SunTimes out;
    out.noon = culmination(place, meanNoon, 0);
    const Extended before = culmination(place, out.noon - 0.5L, 180);
    const Extended after = culmination(place, out.noon + 0.5L, 180);
    auto above = [&](Extended t) { return sunAltitude(place, t) - kRiseSetAltitude; };
    const Extended hBefore = above(before), hNoon = above(out.noon), hAfter = above(after);
    if (hBefore < 0 && hNoon >= 0) out.sunrise = bracketedRoot(above, before, out.noon, hBefore, hNoon);
    if (hNoon >= 0 && hAfter < 0) out.sunset = bracketedRoot(above, out.noon, after, hNoon, hAfter);
    if (out.sunrise && out.sunset)
        out.kind = SunDay::RisesAndSets;
    else if (out.sunrise)
        out.kind = SunDay::RisesOnly;
    else if (out.sunset)
        out.kind = SunDay::SetsOnly;
    else
        out.kind = hNoon >= 0 ? SunDay::AlwaysAbove : SunDay::AlwaysBelow;
    return out;
}

} // namespace qv::timing
