#include "analysis/planetary_hour.h"

#include "base/errors.h"
#include "ephemeris/julian_day.h"
#include "tests/analysis/cast_charts.h"
#include "tests/analysis/hand_charts.h"

#include <gtest/gtest.h>

namespace qv {
namespace planetary_hour_test {

using test::birth;
using test::castTraditional;

TEST(Weekdays, FromWholeDayNumbers) {
    struct Case { Extended jd; int weekday; };
    const Case cases[] = {
        {2451544.5L, 6},             // 1 January 2000 00:00, Sabato
        {2451545.0L, 6},
        {2451544.5L - 1e-12L, 6},    // a rounding step before midnight
        {2451544.49L, 5},
        {2451545.5L, 0},
        {2451548.75L, 3},             // 5 January 2000 06:00, Mercoledì
    };
    for (const Case& c : cases) EXPECT_EQ(WeekdayOf(c.jd), c.weekday) << static_cast<double>(c.jd);
}

TEST(Weekdays, MidnightOfTheLocalClock) {
    // Local midnight with a Corr that does not cancel exactly in binary.
    for (Extended corr : {-1.0L, -2.0L, -5.5L, 3.0L, -1.0L / 3.0L}) {
        const Extended jd = julianDayOf(true, 3, 1, 2001, 0, 0) + corr / 24.0L;  // Mercoledì
        EXPECT_EQ(WeekdayOf(jd - corr / 24.0L), 3) << static_cast<double>(corr);
    }
}

TEST(HourRulers, ChaldeanSequence) {
    struct Case { int weekday, hour, ruler; };
    const Case cases[] = {
        {3, 3, 7},   // Mercoledì: Mercurio, Luna, Saturno
        {6, 13, 3},  // Sabato, first nocturnal hour: Mercurio
        {0, 1, 1},  {0, 2, 4},  {1, 1, 2},  {6, 24, 5},  {2, 1, 5},  {4, 8, 6},
    };
    for (const Case& c : cases) EXPECT_EQ(hourRulerOf(c.weekday, c.hour), c.ruler) << c.weekday << " " << c.hour;
}

// Independent estimates of the geometric sunrise (the Sun's centre on the
// horizon, no refraction), local clock: Roma 26/12/1999 07:42 (Corr −1),
// Roma 21/06/2000 05:40 (Corr −2). The search stops up to 0.4° of the
// Ascendant before the Sun, a minute or two early.
struct SunriseCase {
    BirthData birth;
    int sunriseMinute;  // local clock, minutes after midnight
    const char* weekday;
    int hour;           // 0: none expected
    int ruler;
};

TEST(PlanetaryHour, SunriseWeekdayHourAndRuler) {
    test::EphemerisDir dir;
    const SunriseCase cases[] = {
        // Sunday 26 December 1999 at Roma.
        {birth(26, 12, 1999, 7, 0, -1, 41, 54, "N", 12, 29, "E"), 7 * 60 + 42, "Sabato", 24, 5},
        {birth(26, 12, 1999, 8, 0, -1, 41, 54, "N", 12, 29, "E"), 7 * 60 + 42, "Domenica", 1, 1},
        {birth(26, 12, 1999, 22, 0, -1, 41, 54, "N", 12, 29, "E"), 7 * 60 + 42, "Domenica", 17, 3},
        // Wednesday 21 June 2000, before sunrise: the last hour of Tuesday's night.
        {birth(21, 6, 2000, 5, 0, -2, 41, 54, "N", 12, 29, "E"), 5 * 60 + 40, "Marted\xEC", 24, 4},
        {birth(21, 6, 2000, 13, 30, -2, 41, 54, "N", 12, 29, "E"), 5 * 60 + 40, "Mercoled\xEC", 0, 0},
    };
    for (const SunriseCase& c : cases) {
        const ChartState chart = castTraditional(c.birth);
        const PlanetaryHour h = ComputePlanetaryHour(chart);
        ASSERT_TRUE(h.sunriseFound);
        const Extended localMinutes = (h.sunrise - chart.corr / 24.0L - julianDayOf(true, c.birth.day, c.birth.month, c.birth.year, 0, 0)) * 1440.0L;
        EXPECT_GT(localMinutes, c.sunriseMinute - 4) << c.birth.hour;
        EXPECT_LT(localMinutes, c.sunriseMinute + 1) << c.birth.hour;
        EXPECT_STREQ(kWeekdayNames[static_cast<std::size_t>(h.weekday)], c.weekday) << c.birth.hour;
        if (c.hour != 0) {
            ASSERT_TRUE(h.hourFound);
            EXPECT_EQ(h.hour, c.hour) << c.birth.hour;
            EXPECT_EQ(h.hourRuler, c.ruler) << c.birth.hour;
        }
    }
}

TEST(PlanetaryHour, HourOfTheSunAmongTheLines) {
    test::EphemerisDir dir;
    // At 13:30 on 21 June 2000 in Roma the Sun has just passed the meridian:
    // the seventh diurnal hour begins at the Medium Coeli line.
    const ChartState chart = castTraditional(birth(21, 6, 2000, 13, 30, -2, 41, 54, "N", 12, 29, "E"));
    const PlanetaryHour h = ComputePlanetaryHour(chart);
    ASSERT_TRUE(h.hourFound);
    EXPECT_EQ(h.hour, 7);
    EXPECT_NEAR(h.lines.line[7], chart.longitude[kMcPoint], 1.0L);  // L7 is the Medium Coeli line
    EXPECT_EQ(h.lines.line[0], h.lines.line[24]);
    EXPECT_EQ(h.lines.line[25], h.lines.line[1]);
    EXPECT_NEAR(Norm360(h.lines.line[13] - h.lines.line[1]), 180.0L, 1e-12L);
}

TEST(PlanetaryHour, PolarDaysHaveNoSunriseAndNoHour) {
    test::EphemerisDir dir;
    // Longyearbyen (78°13′ N) in the polar night and under the midnight sun.
    for (const BirthData& b : {birth(21, 12, 2000, 12, 0, -1, 78, 13, "N", 15, 38, "E"),
                               birth(21, 6, 2000, 12, 0, -2, 78, 13, "N", 15, 38, "E")}) {
        const ChartState chart = castTraditional(b);
        const PlanetaryHour h = ComputePlanetaryHour(chart);
        EXPECT_FALSE(h.sunriseFound);
        EXPECT_FALSE(h.hourFound);
        EXPECT_EQ(h.hourRuler, 0);
        // The civil weekday: Giovedì and Mercoledì.
        EXPECT_EQ(h.weekday, b.month == 12 ? 4 : 3);
        const auto lines = mastersLines(chart, h);
        ASSERT_EQ(lines.size(), 5u);
        EXPECT_EQ(lines[0].text.rfind("Giorno Planetario: ", 0), 0u);
    }
}

TEST(PlanetaryHour, MidnightBirthKeepsItsDay) {
    test::EphemerisDir dir;
    // 00:00 of Wednesday 3 January 2001 is before sunrise: the planetary day
    // is Tuesday's, not Monday's.
    const ChartState chart = castTraditional(birth(3, 1, 2001, 0, 0, -1, 45, 28, "N", 9, 11, "E"));
    EXPECT_EQ(ComputePlanetaryHour(chart).weekday, 2);
}

TEST(MastersView, LinesAndColours) {
    ChartState chart = test::chartWith({100, 0, 0, 0, 0, 0, 0, 0, 0, 135.0L, 310.5L});
    chart.corr = -1;
    PlanetaryHour h;
    h.sunriseFound = true;
    h.sunrise = julianDayOf(true, 26, 12, 1999, 7, 41) + chart.corr / 24.0L;  // 06:41 in Universal Time
    h.weekday = 3;
    h.hourFound = true;
    h.hour = 16;
    h.hourRuler = hourRulerOf(3, 16);
    h.ascendantRuler = signRuler(5);
    h.mcRuler = signRuler(11);
    const std::vector<std::pair<std::string, TextColour>> expected = {
        {"Il Sole sorge alle ore: 07:41", TextColour::Yellow},
        {"Giorno Planetario: Mercoled\xEC", TextColour::Aqua},
        {"Ora Planetaria: 4 Notturna", TextColour::Aqua},
        {"Governata dalla Luna", TextColour::Aqua},
        {"Ascendente 15Leo00", TextColour::White},
        {"Governato dal Sole", TextColour::White},
        {"Mediocielo 10Acq30", TextColour::Aqua},
        {"Governato da Saturno", TextColour::Aqua},
    };
    const auto lines = mastersLines(chart, h);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].text, expected[i].first);
        EXPECT_EQ(lines[i].colour, expected[i].second) << i;
    }
    EXPECT_EQ(mastersHeading(), "MAESTRI \"ASC\", \"MC\", \"Ora Planetaria\"");
}

TEST(YearMasters, YearOfTheMasters) {
    test::EphemerisDir dir;
    struct Case { BirthData b; int year; };
    const Case cases[] = {
        {birth(10, 3, 1990, 12, 0, -1, 45, 28, "N", 9, 11, "E"), 1989},  // Sun in Pesci
        {birth(10, 4, 1990, 12, 0, -1, 45, 28, "N", 9, 11, "E"), 1990},
        {birth(31, 12, 1990, 12, 0, -1, 45, 28, "N", 9, 11, "E"), 1990},
        {birth(1, 1, 1991, 0, 30, -1, 45, 28, "N", 9, 11, "E"), 1990},   // 31/12/1990 23:30 in Universal Time
    };
    for (const Case& c : cases) EXPECT_EQ(mastersYear(castTraditional(c.b)), c.year) << c.b.day << "/" << c.b.month;
}

TEST(YearMasters, YearsBroughtIntoTheTable) {
    struct Case { int year, inTable; };
    const Case cases[] = {{1500, 2004}, {2020, 1768}, {1765, 1765}, {2016, 2016}, {1, 1765}, {252, 2016},
                          {1513, 1765}, {2300, 2048 - 252}, {0, 2016}, {-100, 1916}};
    for (const Case& c : cases) EXPECT_EQ(yearInTable(c.year), c.inTable) << c.year;
}

TEST(YearMasters, LookUpInTheLines) {
    const std::vector<std::string> lines = {"19860503", "19870104 nota", "19880207", "20160706"};
    struct Case { int year, yearMaster, cycleMaster; };
    const Case cases[] = {{1986, 5, 3}, {1987, 1, 4}, {1999, 7, 6}};  // 1999 is missing: the last line
    for (const Case& c : cases) {
        const YearMasters m = lookUpYearMasters(c.year, lines);
        EXPECT_EQ(m.yearMaster, c.yearMaster) << c.year;
        EXPECT_EQ(m.cycleMaster, c.cycleMaster) << c.year;
    }
    EXPECT_THROW(lookUpYearMasters(1986, {"19860803"}), ConversionError);
    EXPECT_THROW(lookUpYearMasters(1986, {"198605"}), ConversionError);
    EXPECT_THROW(lookUpYearMasters(1986, {}), ConversionError);
}

TEST(YearMasters, ShippedTableAndViews) {
    test::EphemerisDir dir(true);
    // 10 March 1990 belongs to 1989: a year of the Sole in the cycle of Marte.
    const YearMasters m = yearMastersOf(castTraditional(birth(10, 3, 1990, 12, 0, -1, 45, 28, "N", 9, 11, "E")));
    EXPECT_EQ(m.year, 1989);
    const auto lines = yearMastersLines(m);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "Anno del Sole");
    EXPECT_EQ(lines[1].text, "nel Ciclo di Marte");
    // 2020 is read as 1768, 1500 as 2004.
    const auto table = readYearTable();
    EXPECT_EQ(lookUpYearMasters(yearInTable(2020), table).yearMaster, 2);
    EXPECT_EQ(lookUpYearMasters(yearInTable(2020), table).cycleMaster, 1);
    EXPECT_EQ(lookUpYearMasters(yearInTable(1500), table).yearMaster, 4);
    EXPECT_EQ(lookUpYearMasters(yearInTable(1500), table).cycleMaster, 5);
}

TEST(YearMasters, MissingTableIsAnIoError) {
    test::TempDataDir dir;
    EXPECT_THROW(readYearTable(), IoError);
}

} // namespace planetary_hour_test
} // namespace qv
