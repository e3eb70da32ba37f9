#include "timing/calendar_events.h"

#include "analysis/chart_codes.h"
#include "analysis/planetary_hour.h"
#include "ephemeris/chart_state.h"
#include "ephemeris/julian_day.h"

#include <cmath>
#include <cstdio>

namespace qv::timing {

std::string localClockText(const LocalClock& clock, Extended universalJd) {
    // To the second first, so that 10:59:59.9 is not shown as 10:59 by one
    // rounding and 11:00 by another.
    const long long seconds = std::llround(static_cast<double>((clock.localJd(universalJd) + 0.5L) * 86400.0L));
    const CivilDate c = civilDateOf(static_cast<Extended>(seconds / 86400));
    const long long rest = seconds % 86400;
    char text[24];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02lld:%02lld", c.day, c.month, c.year, rest / 3600, rest / 60 % 60);
    return text;
}

std::string localClockTime(const LocalClock& clock, Extended universalJd) {
    return localClockText(clock, universalJd).substr(11);
}

std::string hourTitle(const CalendarHour& h) {
    return std::string("Ora ") + kOfPhrases[static_cast<std::size_t>(h.planet)] + " (" +
           std::to_string(h.night ? h.number - 12 : h.number) + (h.night ? "\xAA notturna" : "\xAA diurna") + ")";
}

std::vector<IcsEvent> calendarEvents(const std::vector<CalendarDay>& days, const LocalClock& clock,
                                     const std::string& placeText, const std::string& remedy) {
    std::vector<IcsEvent> events;
    for (const CalendarDay& d : days)
        for (const CalendarHour& h : d.hours) {
            IcsEvent e;
            e.start = h.start;
            e.end = h.end;
            // Stable across exports: the hour's start to the second and its number.
            const long long seconds = std::llround(static_cast<double>((h.start - 2440587.5L) * 86400.0L));
            e.uid = "ora-" + std::to_string(seconds) + "-" + std::to_string(h.number) + "@quorendaville";
            e.summary = hourTitle(h) + (remedy.empty() ? "" : " - " + remedy);
            e.description = std::string("Giorno ") + kOfPhrases[static_cast<std::size_t>(d.ruler)] + " (" +
                            kWeekdayNames[static_cast<std::size_t>(d.weekday)] + ")\nOra locale: " +
                            localClockTime(clock, h.start) + " - " + localClockTime(clock, h.end) + " (" +
                            clock.description() + ")\nLuna in " + kSignNames[static_cast<std::size_t>(h.moonSign)] +
                            ", " + (h.waxing ? "crescente" : "calante") + (h.voidOfCourse ? ", vuota di corso" : "") +
                            "\nFase: " + d.moonPhase + "\nLuogo: " + placeText +
                            (remedy.empty() ? "" : "\nRimedio: " + remedy);
            events.push_back(e);
        }
    return events;
}

} // namespace qv::timing
