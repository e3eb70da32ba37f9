// quorendaville-cli remedies: consulting the remedy database and rebuilding
// its support lists.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// remedies symptom TESTO | remedy NOME | pathology TESTO
//          | rank SINTOMO... | therapy PATOLOGIA... | rebuild
//          [--json] [--data-dir DIR]
int remediesCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
