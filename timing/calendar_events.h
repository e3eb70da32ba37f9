// The hours of a spagyric calendar as iCalendar events: one event per hour,
// titled with its planet (and the remedy, when one was chosen), with the
// day's ruler, the local clock times, the Moon's sign, phase and void of
// course in the description.
#pragma once

#include "timing/icalendar.h"
#include "timing/local_clock.h"
#include "timing/spagyric_calendar.h"

#include <string>
#include <vector>

namespace qv::timing {

// "Ora di Venere (6ª diurna)".
std::string hourTitle(const CalendarHour& hour);

std::vector<IcsEvent> calendarEvents(const std::vector<CalendarDay>& days, const LocalClock& clock,
                                     const std::string& placeText, const std::string& remedy);

// "dd/mm/yyyy hh:mm" on the local clock of a Universal Time moment, and
// "hh:mm" alone.
std::string localClockText(const LocalClock& clock, Extended universalJd);
std::string localClockTime(const LocalClock& clock, Extended universalJd);

} // namespace qv::timing
