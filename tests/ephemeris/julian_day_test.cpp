#include "ephemeris/chart_state.h"
#include "ephemeris/julian_day.h"

#include <gtest/gtest.h>

namespace qv {
namespace julian_day_test {

TEST(JulianDay, KnownDatesInBothCalendars) {
    struct Case { bool gregorian; int day, month, year, hour, minute; Extended jd; };
    const Case cases[] = {
        {true, 1, 1, 2000, 12, 0, 2451545.0L},
        {false, 4, 10, 1582, 0, 0, 2299159.5L},   // last day of the Julian calendar
        {true, 15, 10, 1582, 0, 0, 2299160.5L},   // first Gregorian day
        {true, 31, 12, 1899, 12, 0, 2415020.0L},  // the epoch of T
        {false, 1, 1, 1, 0, 0, 1721423.5L},
        {false, 1, 3, 0, 0, 0, 1721117.5L},       // astronomical year 0
        {false, 1, 1, 0, 0, 0, 1721057.5L},       // January of year 0 counts in year −1
        {false, 1, 3, -4, 0, 0, 1719656.5L},      // a negative leap year
        {false, 1, 1, -4712, 12, 0, 0.0L},
        {true, 29, 2, 2024, 18, 30, 2460370.2708333333333L},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(static_cast<double>(julianDayOf(c.gregorian, c.day, c.month, c.year, c.hour, c.minute)),
                    static_cast<double>(c.jd), 1e-7)
            << c.day << "/" << c.month << "/" << c.year;
    }
}

TEST(JulianDay, TellsWhetherTheMinorBodiesCanBeComputedWithoutTouchingTheChart) {
    chartState().asteroidsValid = true;
    EXPECT_TRUE(JulianDay(true, 1, 1, 1850, 0, 0).asteroidsValid);
    EXPECT_FALSE(JulianDay(true, 31, 12, 1849, 0, 0).asteroidsValid);
    EXPECT_TRUE(JulianDay(true, 31, 12, 2080, 0, 0).asteroidsValid);
    EXPECT_FALSE(JulianDay(true, 31, 12, 2080, 0, 1).asteroidsValid);
    EXPECT_EQ(JulianDay(true, 1, 1, 2000, 12, 0).jd, julianDayOf(true, 1, 1, 2000, 12, 0));
    EXPECT_TRUE(chartState().asteroidsValid) << "the chart state is left alone";
}

TEST(JulianDayText, DatesAroundTheReformAndTheMinuteCarry) {
    EXPECT_EQ(JulianDayText(2451544.999999L), "01/01/2000 12:00");
    EXPECT_EQ(JulianDayText(2299159.5L), "04/10/1582 00:00");
    EXPECT_EQ(JulianDayText(2299160.5L), "15/10/1582 00:00");
    EXPECT_EQ(JulianDayText(2451544.958333333L), "01/01/2000 11:00");
    chartState().gregorian = false;
    EXPECT_EQ(JulianDayTextByFlag(2451545.0L), "19/12/1999 12:00");
    chartState().gregorian = true;
    EXPECT_EQ(JulianDayTextByFlag(2299159.5L), "14/10/1582 00:00"); // proleptic Gregorian
}

TEST(JulianDayText, InvertsJulianDayOverTwoThousandYears) {
    for (int year = -100; year <= 2100; year += 7) {
        for (int month : {1, 2, 3, 7, 12}) {
            const bool gregorian = year > 1582;
            const Extended jd = julianDayOf(gregorian, 28, month, year, 17, 43);
            const CivilDate d = civilDateOf(jd, gregorian);
            EXPECT_EQ(d.day, 28) << year << "/" << month;
            EXPECT_EQ(d.month, month) << year;
            EXPECT_EQ(d.year, year);
            EXPECT_EQ(d.hour, 17);
            EXPECT_EQ(d.minute, 43);
        }
    }
}

} // namespace julian_day_test
} // namespace qv
