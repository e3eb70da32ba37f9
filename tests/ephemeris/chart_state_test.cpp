#include "ephemeris/chart_state.h"

#include <gtest/gtest.h>

#include <limits>

namespace qv {
namespace chart_state_test {

std::array<Extended, 13> equalCuspsFrom(Extended asc) {
    std::array<Extended, 13> c{};
    for (int i = 1; i <= 12; ++i) {
        c[i] = asc + 30.0L * (i - 1);
        if (c[i] >= 360.0L) c[i] -= 360.0L;
    }
    return c;
}

TEST(ChartState, SignOfALongitude) {
    EXPECT_EQ(signOf(0.0L), 1);
    EXPECT_EQ(signOf(30.0L), 2);
    EXPECT_EQ(signOf(29.999999L), 1);
    EXPECT_EQ(signOf(359.99L), 12);
    Extended lons[4] = {0, 0.0L, 30.0L, 359.99L};
    std::uint8_t signs[4] = {};
    signsOfPoints(3, lons, signs);
    EXPECT_EQ(signs[1], 1);
    EXPECT_EQ(signs[2], 2);
    EXPECT_EQ(signs[3], 12);
}

TEST(ChartState, HouseIsTheLastArcThatContainsThePoint) {
    const auto cusps = equalCuspsFrom(350.0L);
    EXPECT_EQ(cusps[2], 20.0L);
    Extended lons[5] = {0, 5.0L, cusps[5], 349.0L, cusps[1]};
    std::uint8_t houses[5] = {};
    housesOfPoints(4, lons, cusps.data(), houses);
    EXPECT_EQ(houses[1], 1);
    EXPECT_EQ(houses[2], 5);  // exactly on cusp 5
    EXPECT_EQ(houses[3], 12);
    EXPECT_EQ(houses[4], 1);  // the Ascendant itself
}

TEST(ChartState, CuspsOutOfOrderStillPlaceEveryPoint) {
    // Walking forward from cusp to cusp always goes round the whole circle,
    // so some arc contains every point; the last one wins.
    std::array<Extended, 13> cusps{};
    for (int i = 1; i <= 12; ++i) cusps[i] = 100.0L - 1.0L * i;
    Extended lons[2] = {0, 200.0L};
    std::uint8_t houses[2] = {0, 0};
    housesOfPoints(1, lons, cusps.data(), houses);
    EXPECT_EQ(houses[1], 11);
}

TEST(ChartState, CuspsThatAreNotNumbersLeaveTheSlotUnchanged) {
    // Only cusps without a value (a house system undefined at the latitude)
    // leave a point in no arc.
    std::array<Extended, 13> cusps{};
    cusps.fill(std::numeric_limits<Extended>::quiet_NaN());
    Extended lons[2] = {0, 200.0L};
    std::uint8_t houses[2] = {0, 9};
    housesOfPoints(1, lons, cusps.data(), houses);
    EXPECT_EQ(houses[1], 9);
}

} // namespace chart_state_test
} // namespace qv
