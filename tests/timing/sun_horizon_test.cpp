#include "timing/sun_horizon.h"

#include "ephemeris/julian_day.h"
#include "tests/analysis/cast_charts.h"

#include <gtest/gtest.h>

namespace qv::timing {
namespace {

Extended minutesOfDay(Extended jd) {
    const Extended f = jd + 0.5L - std::floor(jd + 0.5L);
    return f * 1440.0L;
}

class SunHorizon : public ::testing::Test {
protected:
    test::EphemerisDir dir;
};

// Published sunrise and sunset (upper limb, standard refraction) in
// Universal Time, to the minute: Greenwich at the equinoxes and
// solstices of 2026, and the equator.
TEST_F(SunHorizon, KnownSunrisesAndSunsets) {
    struct Case {
        const char* what;
        GeoPlace place;
        int day, month, year;
        int riseMinutes, setMinutes;  // Universal Time
    };
    const GeoPlace greenwich{51.4769L, 0.0L};
    const Case cases[] = {
        {"Greenwich, March equinox", greenwich, 20, 3, 2026, 6 * 60 + 3, 18 * 60 + 14},
        {"Greenwich, June solstice", greenwich, 21, 6, 2026, 3 * 60 + 43, 20 * 60 + 21},
        {"Greenwich, December solstice", greenwich, 21, 12, 2026, 8 * 60 + 4, 15 * 60 + 54},
        // On the equator at the equinox the day is some seven minutes over
        // twelve hours: refraction and the Sun's half disc at both ends.
        {"Equator, March equinox", GeoPlace{0.0L, 0.0L}, 20, 3, 2026, 6 * 60 + 5, 18 * 60 + 10},
    };
    for (const Case& c : cases) {
        const SunTimes t = sunTimes(c.place, julianDayOf(true, c.day, c.month, c.year, 0, 0));
        ASSERT_EQ(t.kind, SunDay::RisesAndSets) << c.what;
        EXPECT_NEAR(static_cast<double>(minutesOfDay(*t.sunrise)), c.riseMinutes, 1.5) << c.what;
        EXPECT_NEAR(static_cast<double>(minutesOfDay(*t.sunset)), c.setMinutes, 1.5) << c.what;
        EXPECT_NEAR(static_cast<double>(sunAltitude(c.place, *t.sunrise)), static_cast<double>(kRiseSetAltitude), 1e-5);
        EXPECT_GT(t.noon, *t.sunrise);
        EXPECT_LT(t.noon, *t.sunset);
    }
}

TEST_F(SunHorizon, PolarDaysAndNightsAreSaidPlainly) {
    const GeoPlace tromso{69.6492L, 18.9553L};
    struct Case {
        int day, month;
        SunDay kind;
    };
    const Case cases[] = {{21, 6, SunDay::AlwaysAbove}, {21, 12, SunDay::AlwaysBelow}, {20, 3, SunDay::RisesAndSets}};
    for (const Case& c : cases) {
        const SunTimes t = sunTimes(tromso, julianDayOf(true, c.day, c.month, 2026, 0, 0));
        EXPECT_EQ(t.kind, c.kind) << c.day << "/" << c.month;
        EXPECT_EQ(t.sunrise.has_value(), c.kind == SunDay::RisesAndSets);
        EXPECT_EQ(t.sunset.has_value(), c.kind == SunDay::RisesAndSets);
    }
    // South of the polar circle the Sun still rises at the December solstice.
    const SunTimes rovaniemiSouth = sunTimes({66.0L, 25.7L}, julianDayOf(true, 21, 12, 2026, 0, 0));
    EXPECT_EQ(rovaniemiSouth.kind, SunDay::RisesAndSets);
}

} // namespace
} // namespace qv::timing
