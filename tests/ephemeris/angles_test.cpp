#include "ephemeris/angles.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

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

} // namespace
} // namespace qv
