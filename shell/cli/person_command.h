// A person's rights on the command line:
//   person erase --archive A --subject N --confirm [--receipt FILE]
//     removes the person everywhere the program keeps them (the archive
//     entry and records, the text, the consultations, the current subject
//     and the side files), writes a receipt when asked, and records the
//     erasure in the log by an opaque number;
//   person export --archive A --subject N --out FOLDER
//     everything the program holds about the person, as persona.json (and
//     the text document), for the person to take away;
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
// retention list [--years N]: the subjects whose last consultation is older
// than N years (10 when not given), archive by archive.
int retentionCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
