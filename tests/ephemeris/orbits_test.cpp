#include "ephemeris/angles.h"
#include "ephemeris/orbits.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace orbits_test {

// The orbit plane carried to the ecliptic in three stages through polar
// form: the angle of the pair plus ω, the second coordinate and a zero
// plus i, the pair in the ecliptic plus Ω.
Vector3 throughPolarForm(Extended p, Extended q, Extended w, Extended i, Extended node) {
    Polar s1 = toPolar(p, q);
    Extended p1, q1;
    toRectangular(s1.r, s1.theta + w, p1, q1);
    Extended zero = 0;
    Polar s2 = toPolar(q1, zero);
    Extended q2, z;
    toRectangular(s2.r, s2.theta + i, q2, z);
    Polar s3 = toPolar(p1, q2);
    Extended theta = s3.theta + node;
    if (theta < 0) theta += 2.0L * kPi;
    Vector3 out;
    toRectangular(s3.r, theta, out.x, out.y);
    out.z = z;
    return out;
}

TEST(Orbits, PlaneTurnsAgreeWithThePolarStages) {
    struct Case {
        Extended p, q, w, i, node; // AU and degrees
    };
    const Case cases[] = {
        {0.3L, 0.2L, 28.75L, 7.0L, 47.1L},    {-1.2L, 0.4L, 285.4L, 1.85L, 48.8L},
        {5.1L, -0.3L, 273.4L, 1.31L, 99.4L},   {-0.7L, -0.7L, 113.5L, 17.15L, 108.9L},
        {0.98L, 0.0L, 101.2L, 0.0L, 0.0L},     {2.5L, 1.0L, 310.2L, 34.8L, 172.5L},
        {0.0L, -0.9L, 0.0L, 90.0L, 359.0L}};
    for (const Case& c : cases) {
        const Vector3 want = throughPolarForm(c.p, c.q, c.w * kDegToRad, c.i * kDegToRad, c.node * kDegToRad);
        const Vector3 got = rotateToEcliptic(c.p, c.q, orbitTurns(c.w, c.i, c.node));
        EXPECT_NEAR(static_cast<double>(got.x - want.x), 0.0, 1e-17) << static_cast<double>(c.p);
        EXPECT_NEAR(static_cast<double>(got.y - want.y), 0.0, 1e-17) << static_cast<double>(c.p);
        EXPECT_NEAR(static_cast<double>(got.z - want.z), 0.0, 1e-17) << static_cast<double>(c.p);
    }
}

// A body in the ecliptic plane is still lifted by the small constant, and a
// zero second coordinate is taken as that constant.
TEST(Orbits, TheSmallReplacementsStay) {
    const Vector3 flat = rotateToEcliptic(0.98L, 0.1L, orbitTurns(101.2L, 0.0L, 0.0L));
    EXPECT_EQ(flat.z, kConversionEpsilon);
    const Vector3 tilted = rotateToEcliptic(1.0L, 0.5L, orbitTurns(0.0L, 60.0L, 0.0L));
    EXPECT_NEAR(static_cast<double>(tilted.z - (0.5L * SinDeg(60.0L) + kConversionEpsilon * CosDeg(60.0L))), 0.0,
                1e-18);
    const Vector3 onAxis = rotateToEcliptic(2.0L, 0.0L, orbitTurns(0.0L, 0.0L, 0.0L));
    EXPECT_NEAR(static_cast<double>(onAxis.y), static_cast<double>(kConversionEpsilon), 1e-20);
    EXPECT_NEAR(static_cast<double>(onAxis.z), static_cast<double>(kConversionEpsilon), 1e-20);
}

// The velocity is the rate of the position (a nearly circular orbit, where
// three steps of Kepler's equation settle it; the small lift of each turn
// keeps them from agreeing to more than a few parts in a million), and a
// given a^1.5 is used as it is.
TEST(Orbits, VelocityIsTheRateOfThePosition) {
    OrbitalElements el{212.6L, 0.0068L, 0.7233316L, 54.38L, 75.78L, 3.39L};
    const Extended step = 0.01L;     // days
    const Extended rate = RadToDeg(0.01720209L / std::pow(el.semiMajorAxis, 1.5L)); // degrees a day
    const OrbitState now = orbitState(el);
    el.meanAnomaly += rate * step;
    const OrbitState later = orbitState(el);
    el.meanAnomaly -= 2.0L * rate * step;
    const OrbitState earlier = orbitState(el);
    const Extended dx = (later.position.x - earlier.position.x) / (2.0L * step);
    const Extended dy = (later.position.y - earlier.position.y) / (2.0L * step);
    EXPECT_NEAR(static_cast<double>(dx / now.velocity.x), 1.0, 1e-5);
    EXPECT_NEAR(static_cast<double>(dy / now.velocity.y), 1.0, 1e-5);

    el.semiMajorAxisPower = std::exp(1.5L * std::log(el.semiMajorAxis));
    const OrbitState given = orbitState(el);
    el.semiMajorAxisPower = 0;
    EXPECT_EQ(given.velocity.x, orbitState(el).velocity.x);
}

} // namespace orbits_test
} // namespace qv
