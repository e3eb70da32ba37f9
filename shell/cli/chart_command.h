#pragma once

#include "ephemeris/birth_data.h"
#include "ephemeris/chart_state.h"
#include "ephemeris/chart_steps.h"
#include "shell/cli/cli_support.h"

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

// The birth data options --date, --time, --corr, --coords and --calendar,
// checked as the chart command checks them (UsageError naming the option).
BirthData birthDataFromOptions(const Arguments& a);
// The options --houses (CASE_MEDIE), --node (MEDIO) and --black-moon (MEDIA)
// into the chart state.
void chartKindsFromOptions(const Arguments& a, ChartState& s);

// The chart of a cast chart (points as the ephemeris leaves them) as the
// chart command prints it: JSON, or the table.
void printChartJson(const ChartState& s, const MotionFlags& moved, std::ostream& out);
void printChartTable(const ChartState& s, const MotionFlags& moved, std::ostream& out);

int chartCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
