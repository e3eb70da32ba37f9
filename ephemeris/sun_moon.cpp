#include "ephemeris/sun_moon.h"

#include "ephemeris/angles.h"
#include "ephemeris/correction_tables.h"

#include <array>
#include <cmath>

namespace qv {

namespace {

struct CosTerm {
    Extended c;
    int multiple;      // of the group's argument
    int mcMultiple;    // of the corrected mean anomaly (negative: subtracted)
    Extended phase;
};

// Perturbations of the Sun by Venus (a1), Mars (a2), Jupiter (a3) and Saturn (a4).
constexpr CosTerm kGroup1[] = {
    {4.838L, 1, 0, 90.0L},    {5.526L, 2, 0, 90.12L},   {2.497L, 2, -1, 257.75L},
    {1.559L, 3, -1, 77.96L},  {1.024L, 3, -2, 50.85L},  {0.666L, 3, 0, 270.41L},
    {0.21L, 4, 0, 89.8L},     {0.154L, 5, -3, 34.1L},   {0.152L, 4, -2, 227.4L},
    {0.144L, 4, -1, 79.0L}};
constexpr CosTerm kGroup2[] = {
    {2.043L, 2, 0, 89.76L},  {1.77L, 2, -1, 306.27L}, {0.585L, 4, -2, 185.82L},
    {0.5L, 4, -1, 317.7L},   {0.425L, 3, -1, 317.7L}, {0.204L, 5, -2, 185.5L}};
constexpr CosTerm kGroup3[] = {
    {7.208L, 1, 0, 91.08999L}, {2.731L, 2, 0, 270.25L}, {2.6L, 1, -1, 174.77L},
    {1.61L, 2, -1, 292.6L},    {0.556L, 3, -1, 177.31L}};
constexpr CosTerm kGroup4[] = {{0.419L, 1, 0, 90.33999L}, {0.32L, 1, -1, 259.22L}};

// The phases of a group as turns, once.
template <std::size_t N>
std::array<Turn, N> phasesOf(const CosTerm (&terms)[N]) {
    std::array<Turn, N> phases;
    for (std::size_t k = 0; k < N; ++k) SinCosDeg(terms[k].phase, phases[k].s, phases[k].c);
    return phases;
}

// Σ c cos(n a + m Mc + phase), with the multiples of a and Mc by angle
// addition.
template <std::size_t N>
Extended groupSum(const CosTerm (&terms)[N], const std::array<Turn, N>& phases, Extended a,
                  const Multiples<3>& mc) {
    const Multiples<5> multiples(TurnDeg(a));
    Extended sum = 0;
    for (std::size_t k = 0; k < N; ++k) {
        const CosTerm& term = terms[k];
        Turn arg = multiples[term.multiple] * phases[k];
        if (term.mcMultiple != 0) arg = arg * mc[term.mcMultiple];
        sum += term.c * arg.c;
    }
    return sum / 3600.0L;
}

struct SinTerm {
    int l, lp, f, d;
    Extended c;
};

constexpr SinTerm kMoonLongitude[] = {
    {1, 0, 0, 0, 22639.55L},  {1, 0, 0, -2, -4586.47L}, {0, 0, 0, 2, 2369.912L},
    {2, 0, 0, 0, 769.02L},    {0, 1, 0, 0, -668.15L},   {0, 0, 2, 0, -411.61L},
    {2, 0, 0, -2, -211.66L},  {1, 1, 0, -2, -205.96L},  {1, 0, 0, 2, 191.95L},
    {0, 1, 0, -2, -165.15L},  {1, -1, 0, 0, 147.69L},   {0, 0, 0, 1, -125.15L},
    {1, 1, 0, 0, -109.67L},   {0, 0, 2, -2, -55.17L},   {1, 0, 2, 0, -45.099L},
    {1, 0, -2, 0, 39.53L},    {1, 0, 0, -4, -38.43L},   {3, 0, 0, 0, 36.12L},
    {2, 0, 0, -4, -30.77L},   {1, -1, 0, -2, 28.48L},   {0, 1, 0, 2, -24.42L},
    {1, 0, 0, -1, 18.61L},    {0, 1, 0, 1, 18.02L},     {1, -1, 0, 2, 14.58L},
    {2, 0, 0, 2, 14.39L},     {0, 0, 0, 4, 13.9L},      {3, 0, 0, -2, -13.19L},
    {2, -1, 0, 0, 9.7L},      {1, 0, -2, -2, 9.37L},    {2, 1, 0, -2, -8.63L},
    {1, 0, 0, 1, -8.47L},     {0, 2, 0, -2, -8.096L},   {2, 1, 0, 0, -7.65L},
    {0, 2, 0, 0, -7.49L},     {1, 2, 0, -2, -7.41L},    {1, 0, -2, 2, -6.38L},
    {0, 0, 2, 2, -5.74L},     {1, 1, 0, -4, -4.39L},    {2, 0, 2, 0, -3.99L},
    {1, 0, 0, -3, 3.22L},     {1, 1, 0, 2, -2.92L},     {2, 1, 0, -4, -2.74L},
    {2, -1, 0, -2, -2.49L},   {1, -2, 0, 0, 2.58L},     {1, -2, 0, -2, 2.53L},
    {0, 1, 2, -2, -2.15L},    {1, 0, 0, 4, 1.98L},      {4, 0, 0, 0, 1.94L},
    {0, 1, 0, -4, -1.88L},    {2, 0, 0, -1, 1.75L},     {0, 1, -2, 2, -1.44L},
    {2, 0, -2, 0, -1.298L},   {1, 1, 0, 1, 1.27L},      {2, 0, 0, -3, 1.23L},
    {3, 0, 0, -4, -1.19L},    {2, -1, 0, 2, 1.18L},     {1, 2, 0, 0, -1.17L},
    {1, -1, 0, -1, -1.09L},   {3, 0, 0, 2, 1.06L},      {2, 0, 0, 1, -0.59L},
    {1, 0, 2, 2, -0.99L},     {4, 0, 0, -2, -0.95L},    {2, 0, 0, -6, -0.59L},
    {1, 0, 0, -4, 0.64L},     {0, 1, 0, -1, 0.56L},     {1, -2, 0, 2, 0.76L},
    {0, 0, 2, -1, 0.58L},     {3, 1, 0, 0, -0.55L},     {3, -1, 0, 0, 0.68L}};

constexpr SinTerm kMoonLatitudeArgument[] = {
    {1, 0, 0, 0, 22609.0L},  {1, 0, 0, -2, -4578.1L}, {0, 0, 0, 2, 2373.4L},
    {2, 0, 0, 0, 768.0L},    {1, 0, 0, 2, 192.7L},    {1, 1, 0, -2, -182.4L},
    {0, 1, 0, -2, -165.1L},  {2, 0, 0, -2, -152.5L},  {-1, 1, 0, 0, -138.8L},
    {0, 1, 0, 0, -127.0L},   {1, 1, 0, 0, -115.2L},   {0, 0, 0, 1, -112.8L},
    {-1, 0, 2, 0, -85.1L},   {0, 0, 2, -2, -52.1L},   {3, 0, 0, 0, 50.64L},
    {1, 0, 0, -4, -38.6L},   {2, 0, 0, -4, -34.1L}};

// The multiples of the Moon's four arguments that its series use.
struct MoonArguments {
    MoonArguments(Extended l, Extended lp, Extended f, Extended d)
        : l(TurnDeg(l)), lp(TurnDeg(lp)), f(TurnDeg(f)), d(TurnDeg(d)) {}
    Multiples<4> l;
    Multiples<2> lp;
    Multiples<2> f;
    Multiples<6> d;
};

// Σ c sin(i l + j l′ + k F + m D), the sines by angle addition.
template <std::size_t N>
Extended seriesSum(const SinTerm (&terms)[N], const MoonArguments& a) {
    Extended sum = 0;
    for (const SinTerm& s : terms) {
        Turn arg = a.l[s.l];
        if (s.lp != 0) arg = arg * a.lp[s.lp];
        if (s.f != 0) arg = arg * a.f[s.f];
        if (s.d != 0) arg = arg * a.d[s.d];
        sum += s.c * arg.s;
    }
    return sum;
}

} // namespace

EclipticPosition sunPosition(const FundamentalArgs& fa) {
    const Extended t = fa.t, t2 = fa.t2;
    const Extended e = 0.01675104L - 0.0000418L * t - 0.000000126L * t2;
    const Extended m = fa.sunMeanAnomaly;
    Extended ecc = m * kDegToRad;
    for (int i = 0; i < 5; ++i) ecc = m * kDegToRad + e * SinRad(ecc);
    const Turn half = TurnRad(ecc / 2.0L);
    const Extended v = RadToDeg(2.0L * ArcTan(std::sqrt((1.0L + e) / (1.0L - e)) * half.s / half.c));
    const Extended lambda0 = Norm360(v - m + fa.sunMeanLongitude);

    const Extended p = 6.4L * SinDeg(231.19L + 20.2L * t) + (1.882L - 0.016L * t) * SinDeg(57.24L + 150.27L * t) +
                       0.266L * SinDeg(31.8L + 119.0L * t) + 0.202L * SinDeg(315.6L + 893.3L * t);
    const Extended pDeg = p / 3600.0L;
    const Extended mc = m + pDeg;

    const Extended a1 = Norm360(63.07037L + 22518.442986L * t);
    const Extended a2 = Norm360(165.94905L + 16859.069667L * t);
    const Extended a3 = Norm360(221.64742L + 32964.466939L * t);
    const Extended a4 = Norm360(193.1323L + 34777.259042L * t);
    static const auto phases1 = phasesOf(kGroup1);
    static const auto phases2 = phasesOf(kGroup2);
    static const auto phases3 = phasesOf(kGroup3);
    static const auto phases4 = phasesOf(kGroup4);
    const Multiples<3> mcTurns(TurnDeg(mc));
    const Extended g1 = groupSum(kGroup1, phases1, a1, mcTurns);
    const Extended g2 = groupSum(kGroup2, phases2, a2, mcTurns);
    const Extended g3 = groupSum(kGroup3, phases3, a3, mcTurns);
    const Extended g4 = groupSum(kGroup4, phases4, a4, mcTurns);

    const Extended lunar = (6.454L * SinDeg(fa.elongation) + 0.424L * SinDeg(fa.elongation - fa.moonMeanAnomaly)) / 3600.0L;
    const Extended aberration = -(20.47L + 0.342L * mcTurns[1].c) / 3600.0L;

    EclipticPosition out;
    out.longitude = Norm360(lambda0 + pDeg + g1 + g2 + g3 + g4 + lunar + fa.nutation + aberration);
    out.latitude = 0;
    return out;
}

EclipticPosition moonPosition(const FundamentalArgs& fa, bool useTable, bool withLatitude) {
    const Extended t = fa.t, t2 = fa.t2;
    Extended lMoon = fa.moonMeanLongitude;                 // L′
    Extended l = fa.moonMeanLongitude - fa.moonPerigee;    // mean anomaly
    Extended f = fa.moonMeanLongitude - fa.omega;          // argument of latitude
    Extended d = fa.elongation;
    Extended lp = fa.sunMeanAnomaly;                       // l′

    const Turn omega = TurnDeg(fa.omega);
    const Turn omegaShifted = TurnDeg(fa.omega + 275.05L - 2.3L * t);
    const Extended s1 = SinDeg(51.2L + 20.2L * t);
    const Extended s2 = 14.27L * SinDeg(193.4404L - 132.87L * t - 0.0091731L * t2);
    const Extended s3 = omega.s;
    const Extended s4 = -15.58L * omegaShifted.s;
    lMoon += (0.84L * s1 + s2 + 7.261L * s3) / 3600.0L;
    l += (2.94L * s1 + s2 + 9.337L * s3) / 3600.0L;
    d += (7.24L * s1 + 7.261L * s3) / 3600.0L;
    lp += (-6.4L * s1) / 3600.0L;
    f += (0.21L * s1 + s2 - 88.699L * s3 + s4) / 3600.0L;

    const MoonArguments args(l, lp, f, d);
    const Extended sigma = seriesSum(kMoonLongitude, args);
    Extended lambda = Norm360(lMoon + sigma / 3600.0L + fa.nutation);
    if (useTable && fa.jd > 1721422.5L && fa.jd < 2499373.5L)
        lambda = Norm360(lambda + ReadDsel(fa.jd) / 3600.0L);

    EclipticPosition out;
    out.longitude = lambda;
    if (!withLatitude) return out;

    const Extended sigmaS = seriesSum(kMoonLatitudeArgument, args);
    const Extended s = f + sigmaS / 3600.0L;
    const Extended k = 1.0L - 0.00004664L * omega.c - 0.0000754L * omegaShifted.c;
    // Only the pass at the moment itself computes the latitude: this turn
    // is not one of those the two passes share.
    Turn sTurn;
    SinCosDeg(s, sTurn.s, sTurn.c);
    const Multiples<3> sTurns(sTurn);
    const Turn fMinus2d = args.f[1] * args.d[-2];
    out.latitude = (18519.7L * k * sTurns[1].s - 6.2L * sTurns[3].s - 526.1L * fMinus2d.s) / 3600.0L;
    return out;
}

} // namespace qv
