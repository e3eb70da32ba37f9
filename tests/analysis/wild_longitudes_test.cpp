// Longitudes of any size reach the analyses when a damaged table slips
// through: they are read a whole number of turns away, and one that is no
// number at all is refused with a message; no table is ever indexed by them.
#include "analysis/chart_master.h"
#include "analysis/substance.h"
#include "base/errors.h"

#include "tests/analysis/hand_charts.h"

#include <gtest/gtest.h>

#include <limits>

namespace qv {
namespace wild_longitudes_test {

TEST(WildLongitudes, SignsAreTakenOneTurnAway) {
    // 7455.7 = 20 turns + 255.7 (Sagittario); -3 = 357 (Pesci); 1e30 and a
    // value just below a whole turn land in some sign 1..12.
    struct Case { Extended longitude; int sign; };
    const Case cases[] = {{7455.7L, 9}, {-3.0L, 12}, {360.0L, 1}, {-1e-20L, 1}, {719.99L, 12}, {-7455.7L, 4}};
    for (const Case& c : cases) EXPECT_EQ(zodiacSignOf(c.longitude), c.sign) << static_cast<double>(c.longitude);
    const int far = zodiacSignOf(1e30L);
    EXPECT_TRUE(far >= 1 && far <= 12);
    EXPECT_THROW(zodiacSignOf(std::numeric_limits<Extended>::quiet_NaN()), ConversionError);
    EXPECT_THROW(zodiacSignOf(std::numeric_limits<Extended>::infinity()), ConversionError);
}

TEST(WildLongitudes, SubstanceCountsEveryPlanetOnce) {
    const Substance s = computeSubstance(test::chartWith({7455.7L, -3, 1e30L, 4000, -720.5L, 1e9L, 359.9999999L}));
    int counted = 0;
    for (int e : s.elementalHumours.element) counted += e;
    EXPECT_EQ(counted, 7);
    EXPECT_EQ(s.elemental.rowTotal[0] + s.elemental.rowTotal[1] + s.elemental.rowTotal[2], 7);
    ChartState bad = test::chartWith({1, 2, 3});
    bad.longitude[2] = std::numeric_limits<Extended>::quiet_NaN();
    EXPECT_THROW(computeSubstance(bad), ConversionError);
}

TEST(WildLongitudes, ACastChartIsBroughtWithinOneTurn) {
    ChartState c = test::chartWith({10, 20, 30});
    c.longitude[kSaturn] = 7455.7L;
    c.signOf[kSaturn] = 251;
    c.houseOf[kSaturn] = 0;
    c.cusp[4] += 720;
    bringWithinOneTurn(c);
    EXPECT_NEAR(static_cast<double>(c.longitude[kSaturn]), 255.7, 1e-9);
    EXPECT_EQ(c.signOf[kSaturn], 9);
    for (int i = 1; i <= kMarkSlots; ++i) {
        EXPECT_TRUE(c.houseOf[static_cast<std::size_t>(i)] >= 1 && c.houseOf[static_cast<std::size_t>(i)] <= 12) << i;
        EXPECT_TRUE(c.longitude[static_cast<std::size_t>(i)] >= 0 && c.longitude[static_cast<std::size_t>(i)] < 360) << i;
    }
    EXPECT_LT(c.cusp[4], 360);
    // A sound chart is left untouched.
    ChartState sound = test::chartWith({10, 20, 30});
    sound.houseOf.fill(3);
    sound.signOf.fill(2);
    const ChartState before = sound;
    bringWithinOneTurn(sound);
    EXPECT_EQ(sound.houseOf, before.houseOf);
    EXPECT_EQ(sound.signOf, before.signOf);
    c.longitude[kMoon] = std::numeric_limits<Extended>::quiet_NaN();
    EXPECT_THROW(bringWithinOneTurn(c), ConversionError);
}

TEST(WildLongitudes, ChartMasterScoresStayInTheirTables) {
    std::array<Extended, 13> longitude{0, 7455.7L, -3, 1e30L, 4000, -720.5L, 1e9L, 359.9999999L, 12345, -0.0L, 999, -4000, 7200};
    std::array<Extended, 13> cusp{};
    for (int h = 1; h <= 12; ++h) cusp[static_cast<std::size_t>(h)] = 30.0L * (h - 1) + 3600.0L * h;
    const std::array<double, 11> speed{};
    const ChartMasterScores r = scoreOf(longitude, speed, cusp);
    for (int i = 1; i <= 12; ++i) {
        EXPECT_TRUE(r.sign[static_cast<std::size_t>(i)] >= 1 && r.sign[static_cast<std::size_t>(i)] <= 12) << i;
        EXPECT_TRUE(r.house[static_cast<std::size_t>(i)] >= 1 && r.house[static_cast<std::size_t>(i)] <= 12) << i;
    }
    EXPECT_TRUE(r.ascendantSign >= 1 && r.ascendantSign <= 12);
    // The same chart a whole number of turns nearer scores the same.
    std::array<Extended, 13> near = longitude, nearCusp = cusp;
    for (int i = 1; i <= 12; ++i) {
        near[static_cast<std::size_t>(i)] = oneTurn(longitude[static_cast<std::size_t>(i)]);
        nearCusp[static_cast<std::size_t>(i)] = oneTurn(cusp[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(scoreOf(near, speed, nearCusp).total, r.total);
    longitude[4] = std::numeric_limits<Extended>::infinity();
    EXPECT_THROW(scoreOf(longitude, speed, cusp), ConversionError);
}

} // namespace wild_longitudes_test
} // namespace qv
