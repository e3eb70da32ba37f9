#include "ephemeris/julian_day.h"

#include "ephemeris/angles.h"
#include "ephemeris/chart_state.h"
#include "ephemeris/text_forms.h"

#include <cmath>

namespace qv {

Extended julianDayOf(bool gregorian, Extended day, Extended month, Extended year, Extended hour,
                     Extended minute) {
    const Extended d = day + hour / 24.0L + minute / 1440.0L;
    if (month < 3) {
        year = year - 1;
        month = month + 12;
    }
    Extended b = 0;
    if (gregorian) {
        const Extended a = Int(year / 100.0L);
        b = 2.0L - a + Int(a / 4.0L);
    }
    // Whole days of the years before: the floor of 365.25 × year. (Taking
    // one day off the truncation for every negative year would also move
    // the years that are exact multiples of 4, a day too early.)
    const Extended c = std::floor(365.25L * year);
    const Extended e = Int(30.6001L * (month + 1.0L));
    return b + c + e + d + 1720994.5L;
}

JulianDayResult JulianDay(bool gregorian, Extended day, Extended month, Extended year, Extended hour,
                          Extended minute) {
    const Extended jd = julianDayOf(gregorian, day, month, year, hour, minute);
    return {jd, jd >= kAsteroidsFirstJd && jd <= kAsteroidsLastJd};
}

namespace {

CivilDate civilDate(Extended jd, int calendar) { // calendar: -1 by date, 0 Julian, 1 Gregorian
    Extended x = jd + 0.5L;
    for (;;) {
        const Extended z = Int(x);
        const Extended f = Frac(x);
        Extended a = z;
        const bool gregorian = calendar < 0 ? z > 2299160.0L : calendar == 1;
        if (gregorian) {
            const Extended alpha = Int((z - 1867216.25L) / 36524.25L);
            a = z + 1.0L + alpha - Int(alpha / 4.0L);
        }
        const Extended b = a + 1524.0L;
        const Extended c = Int((b - 122.1L) / 365.25L);
        const Extended d = Int(365.25L * c);
        const Extended e = Int((b - d) / 30.6001L);
        Extended day = b - d + f - Int(30.6001L * e);
        const Extended month = e < 13.5L ? e - 1.0L : e - 13.0L;
        const Extended year = month > 2.5L ? c - 4716.0L : c - 4715.0L;
        const Extended hours = Frac(day) * 24.0L;
        const Extended hour = Int(hours);
        const Extended minute = Int(Frac(hours) * 60.0L + 0.5L);
        day = Int(day);
        if (minute == 60.0L) {
            x = x + 0.00001L;
            continue;
        }
        return CivilDate{static_cast<int>(Round(day)), static_cast<int>(Round(month)),
                         static_cast<int>(Round(year)), static_cast<int>(Round(hour)),
                         static_cast<int>(Round(minute))};
    }
}

} // namespace

CivilDate civilDateOf(Extended jd) { return civilDate(jd, -1); }
CivilDate civilDateOf(Extended jd, bool gregorian) { return civilDate(jd, gregorian ? 1 : 0); }

std::string civilDateText(const CivilDate& d) {
    return ZeroPad(d.day, 2) + "/" + ZeroPad(d.month, 2) + "/" + ZeroPad(d.year, 4) + " " +
           ZeroPad(d.hour, 2) + ":" + ZeroPad(d.minute, 2);
}

std::string JulianDayText(Extended jd) { return civilDateText(civilDateOf(jd)); }

std::string JulianDayTextByFlag(Extended jd) {
    return civilDateText(civilDateOf(jd, chartState().gregorian));
}

} // namespace qv
