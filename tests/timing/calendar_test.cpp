#include "timing/spagyric_calendar.h"

#include "analysis/planetary_hour.h"
#include "ephemeris/angles.h"
#include "ephemeris/julian_day.h"
#include "tests/analysis/cast_charts.h"
#include "timing/body_positions.h"
#include "timing/icalendar.h"
#include "timing/moon_course.h"
#include "timing/roots.h"

#include <gtest/gtest.h>

#include <map>

namespace qv::timing {
namespace {

const GeoPlace kMilano{45.4667L, 9.1833L};

Extended calendarDay(int d, int m, int y) { return julianDayOf(true, d, m, y, 0, 0); }

class Calendar : public ::testing::Test {
protected:
    test::EphemerisDir dir;
};

TEST_F(Calendar, TwentyFourHoursFromSunriseToTheNextInChaldeanOrder) {
    const auto days = spagyricCalendar(kMilano, calendarDay(1, 3, 2026), calendarDay(14, 3, 2026));
    ASSERT_EQ(days.size(), 14u);
    std::map<int, int> hoursOf;
    for (std::size_t i = 0; i < days.size(); ++i) {
        const CalendarDay& d = days[i];
        EXPECT_EQ(d.day, static_cast<int>(i) + 1);
        ASSERT_EQ(d.hours.size(), 24u) << d.day;
        EXPECT_EQ(d.hours.front().planet, d.ruler) << "the day's first hour is its ruler's";
        EXPECT_EQ(d.hours.front().start, *d.sunrise);
        EXPECT_EQ(d.hours[12].start, *d.sunset);
        EXPECT_EQ(d.hours.back().end, *d.nextSunrise);
        for (std::size_t h = 1; h < 24; ++h) EXPECT_EQ(d.hours[h].start, d.hours[h - 1].end);
        // Day hours share the daylight evenly, night hours the night.
        EXPECT_NEAR(static_cast<double>((d.hours[0].end - d.hours[0].start) * 12 - (*d.sunset - *d.sunrise)), 0, 1e-9);
        // The sequence runs on into the next day: its ruler follows hour 24.
        if (i + 1 < days.size()) {
            EXPECT_EQ(days[i + 1].hours.front().start, d.hours.back().end);
            EXPECT_EQ(hourRulerOf(d.weekday, 25), days[i + 1].ruler);
        }
        if (i < 7)
            for (const CalendarHour& h : d.hours) ++hoursOf[h.planet];
    }
    // Seven days of 24 hours: 24 hours for each of the seven planets.
    for (int p = 1; p <= 7; ++p) EXPECT_EQ(hoursOf[p], 24) << p;
    EXPECT_EQ(days[0].weekday, 0);  // 1 March 2026 is a Sunday
    EXPECT_EQ(days[0].ruler, kSun);
}

TEST_F(Calendar, FiltersKeepTheHoursThatMeetThemAll) {
    const auto all = spagyricCalendar(kMilano, calendarDay(1, 4, 2026), calendarDay(30, 4, 2026));
    HourFilter venus;
    venus.planet = kVenus;
    HourFilter waxingVenus = venus;
    waxingVenus.waxing = true;
    HourFilter waxingVenusInTaurus = waxingVenus;
    waxingVenusInTaurus.moonSigns[2] = true;
    std::size_t counts[3] = {};
    const HourFilter* filters[3] = {&venus, &waxingVenus, &waxingVenusInTaurus};
    for (int f = 0; f < 3; ++f)
        for (const CalendarDay& d : filtered(all, *filters[f]))
            for (const CalendarHour& h : d.hours) {
                ++counts[f];
                EXPECT_EQ(h.planet, kVenus);
                if (f >= 1) {
                    EXPECT_TRUE(h.waxing);
                }
                if (f == 2) {
                    EXPECT_EQ(h.moonSign, 2);
                }
            }
    // 30 days of 24 hours, one in seven ruled by Venus.
    EXPECT_NEAR(static_cast<double>(counts[0]), 30 * 24 / 7.0, 1.0);
    EXPECT_LT(counts[1], counts[0]);
    EXPECT_GT(counts[1], 0u);
    EXPECT_LT(counts[2], counts[1]);
}

TEST_F(Calendar, PolarDaysHaveNoHoursAndSaySo) {
    const auto days = spagyricCalendar({69.6492L, 18.9553L}, calendarDay(20, 6, 2026), calendarDay(21, 6, 2026));
    for (const CalendarDay& d : days) {
        EXPECT_TRUE(d.hours.empty());
        EXPECT_EQ(d.sun, SunDay::AlwaysAbove);
        EXPECT_NE(d.note.find("non tramonta"), std::string::npos) << d.note;
        EXPECT_FALSE(d.moonPhase.empty());
    }
}

TEST(MoonPhases, EighthsOfTheElongation) {
    const std::pair<Extended, const char*> cases[] = {
        {0, "Luna nuova"},        {350, "Luna nuova"},       {30, "Luna crescente"},  {90, "Primo quarto"},
        {130, "Gibbosa crescente"}, {180, "Luna piena"},     {200, "Luna piena"},     {225, "Gibbosa calante"},
        {270, "Ultimo quarto"},   {330, "Luna calante"}};
    for (auto [e, name] : cases) EXPECT_STREQ(moonPhaseName(e), name) << static_cast<double>(e);
    EXPECT_TRUE(waxing(10));
    EXPECT_FALSE(waxing(190));
    EXPECT_FALSE(waxing(0));
}

TEST_F(Calendar, TheMoonIsVoidFromItsLastAspectToTheNextSign) {
    MoonCourse moon(calendarDay(1, 5, 2026), calendarDay(31, 5, 2026));
    ASSERT_GT(moon.voids().size(), 9u);
    const int planets[] = {kSun, kMercury, kVenus, kMars, kJupiter, kSaturn};
    for (const VoidSpan& v : moon.voids()) {
        EXPECT_LE(v.start, v.end);
        // It ends at an ingress...
        EXPECT_NEAR(static_cast<double>(Norm360(moon.longitude(v.end) + 1e-6L)) / 30.0 -
                        std::round(static_cast<double>(Norm360(moon.longitude(v.end) + 1e-6L)) / 30.0), 0.0, 1e-6);
        // ...and within it the Moon makes no exact major aspect to a
        // traditional planet: the angle to each stays off every aspect.
        for (int p : planets) {
            BodyPositions other(p, "MEDIO");
            auto angle = [&](Extended t) { return Norm360(moon.longitude(t) - other.longitude(t)); };
            const Extended a0 = angle(v.start + 1e-5L), a1 = angle(v.end - 1e-5L);
            for (int aspect : {0, 60, 90, 120, 180, 240, 270, 300}) {
                const Extended u0 = halfTurn(a0 - aspect), u1 = u0 + halfTurn(a1 - a0);
                EXPECT_FALSE(u0 < 0 && u1 > 0) << "aspect " << aspect << " to " << p;
            }
        }
    }
}

TEST_F(Calendar, ICalendarWrittenAndReadBackWithLibical) {
    std::vector<IcsEvent> events(3);
    for (int i = 0; i < 3; ++i) {
        events[static_cast<std::size_t>(i)].start = calendarDay(1, 4, 2026) + i * 0.05L;
        events[static_cast<std::size_t>(i)].end = calendarDay(1, 4, 2026) + i * 0.05L + 0.04L;
        events[static_cast<std::size_t>(i)].uid = "ora-" + std::to_string(i) + "@quorendaville";
        events[static_cast<std::size_t>(i)].summary = "Ora di Venere - Luna in Toro, crescente";
        events[static_cast<std::size_t>(i)].description = "Giorno di Mercurio (mercoled\xEC)\nOra locale: 08:00";
    }
    const std::string text = icalendarText("Calendario spagirico", events);
    EXPECT_NE(text.find("DTSTART:20260401T000000Z"), std::string::npos) << text;
    EXPECT_NE(text.find("mercoled\xC3\xAC"), std::string::npos) << "written in UTF-8";
    const IcsCheck ok = checkIcalendar(text);
    EXPECT_TRUE(ok.valid) << ok.problem;
    EXPECT_EQ(ok.events, 3);

    // An event that ends before it begins is refused.
    std::swap(events[1].start, events[1].end);
    EXPECT_FALSE(checkIcalendar(icalendarText("x", events)).valid);
    EXPECT_FALSE(checkIcalendar("BEGIN:VEVENT\r\nEND:VEVENT\r\n").valid);
}

} // namespace
} // namespace qv::timing
