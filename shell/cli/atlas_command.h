// quorendaville-cli atlas: looking up places and deriving the time
// correction and calendar of a birth at a place.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// atlas find PREFIX [--estero] [--data-dir DIR]
// atlas correction --place NOME [--estero] [--state STATO] --date GG/MM/AAAA
//                  --time HH:MM [--reform-flag 0|1] [--json] [--data-dir DIR]
int atlasCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
