#pragma once

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
int calendarCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
