#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// quorendaville-cli transits (--current | BIRTH OPTIONS [--place P [--estero] [--state S]])
//   --from GG/MM/AAAA --to GG/MM/AAAA [--bodies Sole,Marte,...] [--orbs L,P,S,O,N] [--json]
// The contacts of the moving bodies with the natal points over the period:
// entering the orb, each exact moment, leaving it; in Universal Time and on
// the local clock of the birthplace.
int transitsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
