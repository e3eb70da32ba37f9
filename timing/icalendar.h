// Calendar files (iCalendar, RFC 5545) of timed events, written and read
// back with libical.
//
// Times are written in UTC (DTSTART:20260301T061500Z) rather than with a
// VTIMEZONE: the atlas regimes carry local mean time and corrections of any
// fraction of an hour that a VTIMEZONE rule cannot always state, and a
// calendar client shows UTC times in the user's own zone anyway. The local
// clock time of the place is written in each event's description.
#pragma once

#include "base/reals.h"

#include <string>
#include <vector>

namespace qv::timing {

struct IcsEvent {
    Extended start = 0, end = 0;  // Universal Time Julian Days
    std::string uid;              // unique and stable across exports of the same hour
    std::string summary;          // Windows-1252
    std::string description;      // Windows-1252, lines separated by "\n"
};

// The text of a VCALENDAR holding the events, in UTF-8 with CR LF lines.
std::string icalendarText(const std::string& calendarName, const std::vector<IcsEvent>& events);

struct IcsCheck {
    bool valid = false;
    int events = 0;
    std::string problem;  // in Italian, when not valid
};

// Parses a calendar text with libical and checks it: one VCALENDAR with
// VERSION and PRODID, no parse errors, every VEVENT with UID, DTSTAMP,
// DTSTART before DTEND.
IcsCheck checkIcalendar(const std::string& text);

} // namespace qv::timing
