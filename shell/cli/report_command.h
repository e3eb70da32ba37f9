// quorendaville-cli report: the person's report of a consultation as an A4
// PDF.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// report --archive A --subject N [--id K] --out FILE.pdf [--data-dir DIR]
// (the latest consultation by default)
int reportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
