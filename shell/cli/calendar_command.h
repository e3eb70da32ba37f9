#pragma once

#include "timing/calendar_events.h"

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// quorendaville-cli calendar (--coords C --corr H | --place P [--estero] [--state S])
//   --from GG/MM/AAAA --to GG/MM/AAAA [--planet NAME | --remedy NAME] [--waxing]
//   [--moon-signs Ariete,Toro,...] [--ics FILE] [--json]
// The spagyric calendar of the place: each day's ruler, its planetary hours
// from sunrise and sunset, the Moon's sign, phase and void of course; the
// hours that pass the filters, and their iCalendar file.
// The iCalendar file is written by `writeIcs`: the file's events, or a
// refusal naming the file. Only the drawing program has one (it alone links
// the calendar library); the command line hands a calendar with --ics to it.
using IcsWriter = int (*)(const std::string& file, const std::vector<timing::IcsEvent>& events);
int calendarCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    IcsWriter writeIcs = nullptr);

// The drawing program's writer: writes the file and checks it back with
// libical; returns the number of events read back.
int writeCheckedIcs(const std::string& file, const std::vector<timing::IcsEvent>& events);

} // namespace qv::cli
