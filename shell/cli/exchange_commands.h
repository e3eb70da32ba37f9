// Subjects in and out of an archive:
//   archive export NAME --format aaf|csv --out FILE
//   archive import NAME FILE --format aaf|csv [--dry-run] [--accept-all | --accept N,...]
// The import prints its review first; --dry-run stops there, writing
// nothing. Without --dry-run the records to register are named: all that
// are ready, or by their number in the review. The accepted records are
// registered as one unit.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

int exportSubjects(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int importSubjects(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
