// Julian Day of a civil date in the Julian or Gregorian calendar, and back.
#pragma once

#include "base/reals.h"

#include <string>

namespace qv {

// Julian Day of a civil date and time.
Extended julianDayOf(bool gregorian, Extended day, Extended month, Extended year, Extended hour,
                     Extended minute);

// The Julian Day of a civil moment and whether the minor bodies are
// computed for it (1850–2080).
struct JulianDayResult {
    Extended jd = 0;
    bool asteroidsValid = false;
};
JulianDayResult JulianDay(bool gregorian, Extended day, Extended month, Extended year, Extended hour,
                          Extended minute);

// Range of Julian Days in which the minor bodies are computed.
inline constexpr Extended kAsteroidsFirstJd = 2396758.5L;
inline constexpr Extended kAsteroidsLastJd = 2481129.5L;

struct CivilDate {
    int day = 0, month = 0, year = 0, hour = 0, minute = 0;
};

// The civil date of a Julian Day; Gregorian after JD 2299160 when
// `gregorian` is not given, else in the calendar the flag names.
CivilDate civilDateOf(Extended jd);
CivilDate civilDateOf(Extended jd, bool gregorian);

// "dd/mm/yyyy hh:mm"; the first chooses the calendar by date, the second by
// the chart's calendar flag.
std::string JulianDayText(Extended jd);
std::string JulianDayTextByFlag(Extended jd);
std::string civilDateText(const CivilDate& d);

} // namespace qv
