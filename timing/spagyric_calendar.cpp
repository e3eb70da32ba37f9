#include "timing/spagyric_calendar.h"

#include "analysis/planetary_hour.h"
#include "ephemeris/julian_day.h"
#include "timing/moon_course.h"

#include <algorithm>

namespace qv::timing {

namespace {

const char* noteOf(SunDay kind) {
    switch (kind) {
    case SunDay::AlwaysAbove: return "Il Sole non tramonta (giorno polare): nessuna ora planetaria";
    case SunDay::AlwaysBelow: return "Il Sole non sorge (notte polare): nessuna ora planetaria";
    case SunDay::RisesOnly: return "Il Sole sorge ma non tramonta: nessuna ora planetaria";
    case SunDay::SetsOnly: return "Il Sole tramonta senza essere sorto: nessuna ora planetaria";
    default: return "";
    }
}

void addHours(CalendarDay& d, MoonCourse& moon) {
    const Extended rise = *d.sunrise, set = *d.sunset, next = *d.nextSunrise;
    for (int h = 1; h <= 24; ++h) {
        CalendarHour hour;
        hour.number = h;
        hour.night = h > 12;
        const int i = (h - 1) % 12;
        const Extended a = hour.night ? set : rise, b = hour.night ? next : set;
        hour.start = a + (b - a) * i / 12.0L;
        hour.end = h % 12 == 0 ? b : a + (b - a) * (i + 1) / 12.0L;
        hour.planet = hourRulerOf(d.weekday, h);
        hour.moonSign = moon.sign(hour.start);
        hour.moonChangesSign = moon.sign(hour.end) != hour.moonSign;
        hour.waxing = moon.waxingAt(hour.start) && moon.waxingAt(hour.end);
        hour.voidOfCourse = moon.voidWithin(hour.start, hour.end);
        d.hours.push_back(hour);
    }
}

} // namespace

bool HourFilter::anySign() const {
    return std::none_of(moonSigns.begin() + 1, moonSigns.end(), [](bool b) { return b; });
}

bool HourFilter::keeps(const CalendarHour& h) const {
    if (planet != 0 && h.planet != planet) return false;
    if (waxing && !h.waxing) return false;
    if (!anySign() && (!moonSigns[static_cast<std::size_t>(h.moonSign)] || h.moonChangesSign)) return false;
    return true;
}

std::vector<CalendarDay> spagyricCalendar(const GeoPlace& place, Extended firstDateJd, Extended lastDateJd) {
    MoonCourse moon(firstDateJd - 1, lastDateJd + 2);
    std::vector<CalendarDay> days;
    SunTimes today = sunTimes(place, firstDateJd);
    for (Extended jd = firstDateJd; jd <= lastDateJd + 0.25L; jd += 1) {
        const SunTimes tomorrow = sunTimes(place, jd + 1);
        CalendarDay d;
        const CivilDate c = civilDateOf(jd + 0.5L);
        d.day = c.day;
        d.month = c.month;
        d.year = c.year;
        d.dateJd = jd;
        d.weekday = WeekdayOf(jd);
        d.ruler = kWeekdayRulers[static_cast<std::size_t>(d.weekday)];
        d.sun = today.kind;
        d.sunrise = today.sunrise;
        d.sunset = today.sunset;
        d.nextSunrise = tomorrow.sunrise;
        const Extended moonMoment = d.sunrise ? *d.sunrise : today.noon;
        d.moonSign = moon.sign(moonMoment);
        d.moonElongation = moon.elongation(moonMoment);
        d.moonPhase = moonPhaseName(d.moonElongation);
        const Extended dayEnd = d.nextSunrise ? *d.nextSunrise : today.noon + 1;
        for (const VoidSpan& v : moon.voids())
            if (v.start < dayEnd && v.end > (d.sunrise ? *d.sunrise : today.noon - 0.5L))
                d.voids.emplace_back(v.start, v.end);
        if (d.sunrise && d.sunset && d.nextSunrise)
            addHours(d, moon);
        else if (today.kind != SunDay::RisesAndSets)
            d.note = noteOf(today.kind);
        else
            d.note = std::string("Il giorno dopo ") + (tomorrow.kind == SunDay::AlwaysAbove ? "il Sole non tramonta" : "il Sole non sorge") +
                     ": le ore della notte non hanno fine, nessuna ora planetaria";
        days.push_back(std::move(d));
        today = tomorrow;
    }
    return days;
}

std::vector<CalendarDay> filtered(std::vector<CalendarDay> days, const HourFilter& filter) {
    for (CalendarDay& d : days) std::erase_if(d.hours, [&](const CalendarHour& h) { return !filter.keeps(h); });
    return days;
}

} // namespace qv::timing
