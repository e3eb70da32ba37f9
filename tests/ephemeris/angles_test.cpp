#include "ephemeris/angles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace qv {
namespace angles_test {

TEST(Angles, Reductions) {
    EXPECT_EQ(Norm360(-30.0L), 330.0L);
    EXPECT_EQ(Norm360(720.0L), 0.0L);
    EXPECT_EQ(Norm360(359.5L), 359.5L);
    EXPECT_EQ(Norm360(-720.0L), 0.0L);
    EXPECT_EQ(Norm30(59.5L), 29.5L);
    EXPECT_EQ(FracTimes(25.5L, 24.0L), 1.5L);
}

TEST(Angles, DegreeTrigonometryAndTheProcessorRange) {
    EXPECT_NEAR(static_cast<double>(SinDeg(30.0L)), 0.5, 1e-18);
    EXPECT_NEAR(static_cast<double>(CosDeg(60.0L)), 0.5, 1e-18);
    EXPECT_NEAR(static_cast<double>(TanDeg(45.0L)), 1.0, 1e-18);
    EXPECT_NEAR(static_cast<double>(RadToDeg(kPi)), 180.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(RadToDeg(ArcSin(0.5L))), 30.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(RadToDeg(ArcCosPositive(0.5L))), 60.0, 1e-12);
    EXPECT_EQ(SinDeg(1e30L), 0.0L); // beyond 2^63 radians
    EXPECT_EQ(CosDeg(-1e30L), 0.0L);
    EXPECT_EQ(Int(-2.7L), -2.0L);
    EXPECT_EQ(Round(2.5L), 2.0L);
    EXPECT_EQ(Round(3.5L), 4.0L);
}

// Large arguments are reduced exactly: the sine of 30° plus many whole
// quarter turns is the sine of 30° turned by those quarters to the last bit,
// in degrees and in radians alike.
TEST(Angles, LargeArgumentsLoseNothingInTheReduction) {
    const Extended thirty = SinDeg(30.0L);
    const Extended sixty = SinDeg(60.0L);
    const std::pair<Extended, Extended> degrees[] = {
        {30.0L + 360.0L * 1000003, thirty}, {30.0L + 90.0L * 4194305, sixty},
        {30.0L + 180.0L * 7777777, -thirty}, {-30.0L - 90.0L * 4194305, -sixty},
        {30.0L + 90.0L * 0x1p40L, thirty}};
    for (auto [x, expected] : degrees) EXPECT_EQ(SinDeg(x), expected) << static_cast<double>(x);
    EXPECT_EQ(CosDeg(60.0L + 360.0L * 123456), CosDeg(60.0L));
    EXPECT_EQ(SinDeg(180.0L), 0.0L);
    EXPECT_EQ(CosDeg(-90.0L), 0.0L);
    EXPECT_NEAR(static_cast<double>(TanDeg(45.0L + 180.0L * 99999)), 1.0, 1e-18);

    Extended s, c;
    SinCosDeg(300.0L + 360.0L * 5000, s, c);
    EXPECT_EQ(s, -sixty);
    EXPECT_EQ(c, thirty);

    // Radians: within a few units of the last place of the exact values.
    const Extended x = 1000.0L; // sin 1000 = 0.8268795405320025602558874291092181412…
    EXPECT_NEAR(static_cast<double>((SinRad(x) - 0.8268795405320025602558874291092181412L) / 1e-19L), 0.0, 2.0);
    EXPECT_NEAR(static_cast<double>((CosRad(x) - 0.5623790762907029910782492266053959687L) / 1e-19L), 0.0, 2.0);
    SinCosRad(-x, s, c);
    EXPECT_EQ(s, -SinRad(x));
    EXPECT_EQ(c, CosRad(x));
    EXPECT_NEAR(static_cast<double>((SinRad(0.5L) - std::sin(0.5L)) / 1e-19L), 0.0, 1.0);
    EXPECT_NEAR(static_cast<double>((CosRad(-0.7L) - std::cos(0.7L)) / 1e-19L), 0.0, 1.0);
    EXPECT_EQ(SinRad(1e-30L), 1e-30L);
}

// The arctangent agrees with the library's within two units of the last
// place across the table's steps, beyond 1 and for negative arguments, and
// keeps the library's answers at zero, the infinities and not-a-number.
TEST(Angles, ArcTanAgreesWithTheLibrary) {
    double worst = 0;
    for (int i = -20000; i <= 20000; ++i) {
        const Extended x = i == 0 ? 1e-30L : std::ldexp(static_cast<Extended>(i), -12) * (1.0L + i % 7 / 9.0L);
        for (Extended y : {x, 1.0L / x}) {
            const Extended expected = std::atan(y);
            worst = std::max(worst, static_cast<double>(std::fabs(ArcTan(y) / expected - 1.0L) / 0x1p-64L));
        }
    }
    EXPECT_LE(worst, 2.0);
    EXPECT_EQ(ArcTan(1.0L), std::atan(1.0L));
    EXPECT_TRUE(std::signbit(ArcTan(-0.0L)));
    EXPECT_EQ(ArcTan(0.0L), 0.0L);
    EXPECT_EQ(ArcTan(INFINITY), std::atan(static_cast<Extended>(INFINITY)));
    EXPECT_TRUE(std::isnan(ArcTan(NAN)));
}

// Over the whole reduced range the sines and cosines agree with the
// library's within a unit or two of the last place.
TEST(Angles, SinesAgreeWithTheLibrary) {
    double worst = 0;
    for (int i = -5000; i <= 5000; ++i) {
        const Extended x = 0.7853981634L * i / 5000.0L;
        Extended s, c;
        SinCosRad(x, s, c);
        if (x != 0) worst = std::max(worst, static_cast<double>(std::fabs(s / std::sin(x) - 1.0L) / 0x1p-63L));
        worst = std::max(worst, static_cast<double>(std::fabs(c / std::cos(x) - 1.0L) / 0x1p-63L));
    }
    EXPECT_LE(worst, 2.0);
}

// Truncation agrees with the library's to the sign of a zero.
TEST(Angles, TruncationTowardZero) {
    const Extended values[] = {-0.3L, 0.3L, -0.0L, 2.9999999999999999L, -2.5L, 7.0L, -7.0L,
                               123456789.999L, -0x1p61L - 0.5L, 0x1p63L + 2048.0L, 1e30L, 0.49999999999999999L};
    for (Extended x : values) {
        EXPECT_EQ(Int(x), std::trunc(x)) << static_cast<double>(x);
        EXPECT_EQ(std::signbit(Int(x)), std::signbit(std::trunc(x))) << static_cast<double>(x);
        EXPECT_EQ(Frac(x), x - std::trunc(x)) << static_cast<double>(x);
    }
}

// Two passes at nearby moments: the second one's turns, taken from the
// first one's, agree with fresh ones; a turn far from the one kept is
// computed afresh.
TEST(Angles, TurnsReplayedFromANearbyPass) {
    TurnMemory memory;
    memory.record();
    TurnDeg(100.0L);
    TurnRad(2.0L);
    TurnDeg(5000.0L);
    memory.replay();
    const Turn nearDeg = TurnDeg(100.013L);
    const Turn nearRad = TurnRad(2.0001L);
    const Turn far = TurnDeg(5003.0L);
    EXPECT_NEAR(static_cast<double>(nearDeg.s - SinDeg(100.013L)), 0.0, 1e-18);
    EXPECT_NEAR(static_cast<double>(nearDeg.c - CosDeg(100.013L)), 0.0, 1e-18);
    EXPECT_NEAR(static_cast<double>(nearRad.s - SinRad(2.0001L)), 0.0, 1e-18);
    EXPECT_NEAR(static_cast<double>(nearRad.c - CosRad(2.0001L)), 0.0, 1e-18);
    EXPECT_EQ(far.s, SinDeg(5003.0L));
    // More turns than were kept, and no memory at all, are computed afresh.
    EXPECT_EQ(TurnDeg(7.0L).s, SinDeg(7.0L));
}

// Sums and multiples of angles by multiplying their turns agree with the
// sines of the summed angles.
TEST(Angles, TurnsAddAngles) {
    const Multiples<6> m(TurnDeg(37.3L));
    for (int n = -6; n <= 6; ++n) {
        EXPECT_NEAR(static_cast<double>(m[n].s - SinDeg(37.3L * n)), 0.0, 1e-18) << n;
        EXPECT_NEAR(static_cast<double>(m[n].c - CosDeg(37.3L * n)), 0.0, 1e-18) << n;
    }
    const Turn sum = TurnDeg(250.0L) * conj(TurnDeg(100.0L)) * m[2];
    EXPECT_NEAR(static_cast<double>(sum.s - SinDeg(250.0L - 100.0L + 74.6L)), 0.0, 1e-18);
    EXPECT_EQ(m[0].c, 1.0L);
    EXPECT_EQ(m[0].s, 0.0L);
}

} // namespace angles_test
} // namespace qv
