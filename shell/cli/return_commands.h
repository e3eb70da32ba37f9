#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// quorendaville-cli return --year YYYY (--current | BIRTH OPTIONS) [--coords C --corr H] [--json]
// The solar return of the year: its moment and its chart, cast for the
// birthplace or for the place of --coords (with that place's --corr).
int returnCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// quorendaville-cli progressions --date GG/MM/AAAA (--current | BIRTH OPTIONS) [--json]
// The secondary progressions to the date and their aspects to the natal chart.
int progressionsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
