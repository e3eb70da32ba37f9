#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// quorendaville-cli chart --date DD/MM/YYYY --time HH:MM --corr HOURS
//   --coords 45N28-009E11 [--calendar GR|GI] [--houses NAME]
//   [--node MEDIO|VERO] [--black-moon VERA|MEDIA] [--data-dir DIR] [--json]
// quorendaville-cli chart --current [--data-dir DIR] [--json]: the chart of
//   the current subject with the settings in force.
// The numbers of a "DD/MM/YYYY" or "HH:MM" option: `parts` numbers between
// `sep`; anything else is a UsageError naming the option and the `form`.
std::vector<int> splitNumbers(const std::string& text, char sep, std::size_t parts, const std::string& option,
                              const std::string& form);

int chartCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
