#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// quorendaville-cli analysis [--current | --date DD/MM/YYYY --time HH:MM
//   --corr HOURS --coords 45N28-009E11 [--calendar GR|GI] [--name NAME]
//   [--place PLACE]] [--node MEDIO|VERO] [--black-moon VERA|MEDIA]
//   [--only SECTION] [--json] [--data-dir DIR]
// Prints the analyses of a chart as the analysis window lists them: the
// aspect list, the aspect grid, the spherical distances, the subdivisions,
// the dodecatemories, the mirror places, the archetypal structure, the
// substance tables, the planetary hour and rulers, the masters of the year,
// the chart-master scoring and the key lists. The orbs are those in force.
// The scoring writes its files into the data directory, as the window does.
int analysisCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
