// A person's rights on the command line:
//   person erase --archive A --subject N --confirm [--receipt FILE]
//     removes the person everywhere the program keeps them (the archive
//     entry and records, the text, the consultations, the current subject
//     and the side files), writes a receipt when asked, and records the
//     erasure in the log by an opaque number;
//   audit show [--check]
//     the log of what left the program; --check fails when a line was
//     removed or changed.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

int personCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int auditCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
