// quorendaville-cli practitioner: the practitioner's identity that reports
// and sheets print (name, qualification, association, contact, the line
// citing the law on professions without an order).
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// practitioner show [--data-dir DIR]
// practitioner set [--name N [--surname S]] [--qualification Q] [--association A] [--contact C]
//                  [--law4 on|off] [--law4-text T] [--data-dir DIR]
int practitionerCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
