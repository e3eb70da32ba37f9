// The spagyric calendar of a place: for each day its planetary ruler, its
// twelve day hours from sunrise to sunset and twelve night hours from sunset
// to the next sunrise, each ruled by the next planet of the Chaldean order;
// the Moon's sign and phase and its void-of-course stretches. Filters keep
// the hours that suit a preparation: a planet's hours, with the Moon waxing
// and in chosen signs.
#pragma once

#include "base/reals.h"
#include "timing/sun_horizon.h"

#include <array>
#include <optional>
#include <utility>
#include <string>
#include <vector>

namespace qv::timing {

struct CalendarHour {
    int number = 0;     // 1–12 day hours, 13–24 night hours
    int planet = 0;     // 1–7, Sole … Saturno
    Extended start = 0, end = 0;  // Universal Time
    bool night = false;
    int moonSign = 0;             // at the start of the hour
    bool moonChangesSign = false; // the Moon enters another sign during the hour
    bool waxing = false;          // the Moon waxes for the whole hour
    bool voidOfCourse = false;    // the Moon is void of course during part of it
};

struct CalendarDay {
    int day = 0, month = 0, year = 0;
    Extended dateJd = 0;          // the date at 0h
    int weekday = 0;              // 0 Domenica … 6 Sabato
    int ruler = 0;                // planet 1–7
    SunDay sun = SunDay::RisesAndSets;
    std::optional<Extended> sunrise, sunset, nextSunrise;
    int moonSign = 0;             // at sunrise (at noon when the Sun does not rise)
    Extended moonElongation = 0;
    std::string moonPhase;
    std::vector<std::pair<Extended, Extended>> voids;  // void stretches that meet the day
    std::vector<CalendarHour> hours;  // empty where the Sun does not rise and set
    std::string note;                 // why there are no hours, in Italian
};

struct HourFilter {
    int planet = 0;                   // 0: any planet
    bool waxing = false;              // only with the Moon waxing
    std::array<bool, 13> moonSigns{}; // signs 1–12 allowed; none set: any
    bool anySign() const;
    bool keeps(const CalendarHour& hour) const;
};

// The days of the dates from `firstDateJd` to `lastDateJd` (each a date at
// 0h, both included) at `place`.
std::vector<CalendarDay> spagyricCalendar(const GeoPlace& place, Extended firstDateJd, Extended lastDateJd);

// The days with only the hours that pass the filter.
std::vector<CalendarDay> filtered(std::vector<CalendarDay> days, const HourFilter& filter);

} // namespace qv::timing
