#include "ephemeris/houses.h"

#include "ephemeris/angles.h"

#include <cmath>

namespace qv {

// The half-turn is added from 180° itself: a right ascension of exactly 180°
// is the autumn point, not the spring one.
Extended EclipticFromRightAscension(Extended alpha, Extended cosObliquity) {
    Extended mu = RadToDeg(std::atan(TanDeg(alpha) / cosObliquity));
    if (mu < 0) mu += 180.0L;
    if (alpha >= 180.0L) mu += 180.0L;
    return mu;
}

Extended AscendantOf(Extended ramc, Extended obliquity, Extended latitude) {
    const Extended alphaE = FracTimes(ramc + 90.0L, 360.0L);
    const Extended n = RadToDeg(std::atan(TanDeg(latitude) / CosDeg(alphaE)));
    Extended a = RadToDeg(std::atan(CosDeg(n) * TanDeg(alphaE) / CosDeg(n + obliquity)));
    if (a < 0) a += 180.0L;
    if (SinDeg(alphaE) < 0) a += 180.0L;
    // The Ascendant is the rising intersection of ecliptic and horizon, east
    // of the meridian. Inside the polar circles the formula above can give
    // the setting one instead; the other intersection is then the rising one.
    const Extended eastward = -SinDeg(ramc) * CosDeg(a) + CosDeg(ramc) * SinDeg(a) * CosDeg(obliquity);
    if (eastward < 0) a = Norm360(a + 180.0L);
    return a;
}

HouseFrame houseFrame(const HouseInput& in) {
    HouseFrame f;
    const Extended t = (in.jd - 2415020.0L) / 36525.0L;
    f.obliquity = 23.4522944L - 0.0130125L * t;
    f.cosObliquity = CosDeg(f.obliquity);

    Extended lonG = in.lonDegrees + in.lonMinutes / 60.0L;
    if (in.lonLetter == "O" || in.lonLetter == "W") lonG = 360.0L - lonG;
    Extended lat = in.latDegrees + in.latMinutes / 60.0L;
    if (in.latLetter == "S") lat = 360.0L - lat;
    f.latitude = lat;

    Extended theta = 18.6460655L + 2400.05126L * t + 0.000025805555L * t * t;
    while (theta < 0) theta += 24.0L;
    theta = FracTimes(theta, 24.0L);

    const Extended clock = in.hour + in.minute / 60.0L;
    const Extended u = clock + in.corr + in.extraHours;
    const Extended u12 = FracTimes(u + 12.0L, 24.0L);

    const Extended lst = FracTimes(theta + u12 + lonG / 15.0L, 24.0L);
    f.localSiderealTime = lst;
    f.ramc = 15.0L * lst;

    f.mc = EclipticFromRightAscension(f.ramc, f.cosObliquity);

    f.asc = AscendantOf(f.ramc, f.obliquity, lat);

    f.q = TanDeg(f.obliquity) * (-TanDeg(lat));
    return f;
}

namespace {

Cusps equalCusps(const HouseFrame& f) {
    Cusps c{};
    const Extended ascDegrees = (f.asc * kDegToRad) * 180.0L / kPi;
    for (int i = 1; i <= 12; ++i) c[i] = Norm360(ascDegrees + 30.0L * (i - 1));
    return c;
}

// The right ascension where the semi-arc fraction k of the Placidus
// equation is met, found by secant steps, as an ecliptic longitude. Five
// steps settle it at ordinary latitudes; toward the polar circles they are
// not enough, so the steps go on until the hour angle stops moving. Near
// the polar circles the secant can also run out of 0°–180°, where the
// semi-arc lives, and settle on a cusp far off (up to a half-turn at 66°):
// there the one root of the bracket 0°–180° is found by halving instead.
// Where the equation has no solution the steps stop after a fixed number
// and give what they reached.
Extended placidusCusp(const HouseFrame& f, Extended k) {
    auto fn = [&](Extended h) { return SinDeg(k * h + f.ramc) * f.q - CosDeg(h); };
    Extended hPrev = 0.000000001L;
    Extended h = 180.0001L;
    Extended fPrev = fn(hPrev);
    Extended fCur = fn(h);
    constexpr int kFirstSteps = 5;
    constexpr int kMostSteps = 60;
    bool settled = false;
    for (int step = 1; step <= kMostSteps; ++step) {
        Extended delta = fCur - fPrev;
        if (delta == 0) delta = 0.000001L;
        const Extended next = h - (h - hPrev) / delta * fCur;
        hPrev = h;
        fPrev = fCur;
        h = next;
        fCur = fn(h);
        if (step >= kFirstSteps && std::fabs(h - hPrev) < 1e-12L) {
            settled = true;
            break;
        }
    }
    const bool inside = h >= 0 && h <= 180.0L;
    if (!(settled && inside)) {
        Extended lo = 0, hi = 180.0L;
        const Extended fLo = fn(lo);
        if ((fLo < 0) != (fn(hi) < 0)) {
            for (int i = 0; i < 200 && hi - lo > 1e-15L; ++i) {
                const Extended mid = (lo + hi) / 2;
                ((fn(mid) < 0) == (fLo < 0) ? lo : hi) = mid;
            }
            h = (lo + hi) / 2;
        }
    }
    Extended alpha = k * h + f.ramc;
    if (alpha < 0) alpha += 360.0L;
    alpha = FracTimes(alpha, 360.0L);
    return EclipticFromRightAscension(alpha, f.cosObliquity);
}

Extended reduced(Extended x) { return FracTimes(x, 360.0L); }

Cusps placidusCusps(const HouseFrame& f) {
    Cusps c{};
    c[1] = f.asc;
    c[10] = f.mc;
    c[11] = placidusCusp(f, 1.0L / 3.0L);
    c[12] = placidusCusp(f, 2.0L / 3.0L);
    c[2] = Norm360(placidusCusp(f, -2.0L / 3.0L) + 180.0L);
    c[3] = Norm360(placidusCusp(f, -1.0L / 3.0L) + 180.0L);
    c[7] = reduced(c[1] + 180.0L);
    c[8] = reduced(c[2] + 180.0L);
    c[9] = reduced(c[3] + 180.0L);
    c[4] = reduced(c[10] + 180.0L);
    c[5] = reduced(c[11] + 180.0L);
    c[6] = reduced(c[12] + 180.0L);
    return c;
}

} // namespace

bool isKnownHouseSystem(const std::string& name) {
    for (const char* known : kHouseSystemNames)
        if (name == known) return true;
    return false;
}

Cusps cuspsOfSystem(const std::string& system, const HouseFrame& f) {
    if (system == "PLACIDO") return placidusCusps(f);
    if (system == "KOCH") return kochCusps(f);
    if (system == "REGIOMONT") return regiomontanusCusps(f);
    if (system == "PORFIRIO") return porphyryCusps(f);
    if (system == "CAMPANO") return campanusCusps(f);
    if (system == "MORINO") return morinusCusps(f);
    if (system == "ALCABIZIO") return alcabitiusCusps(f);
    // "CASE_MEDIE", "CASE_UGUALI" and any name not known: equal houses.
    return equalCusps(f);
}

void computeHouses(ChartState& state, const HouseInput& in) {
    const HouseFrame f = houseFrame(in);
    state.localSiderealTime = f.localSiderealTime;
    state.mcRadians = f.mc * kDegToRad;
    state.ascRadians = f.asc * kDegToRad;
    const Cusps c = cuspsOfSystem(state.houseSystem, f);
    for (int i = 1; i <= 12; ++i) state.cusp[i] = c[i];
}

} // namespace qv
