#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// quorendaville-cli archive list NAME [--prefix P] | archive show NAME N
int archiveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// quorendaville-cli register --archive NAME --name … --date GG/MM/AAAA
//   --time HH:MM --corr ORE --coords 45N28-009E11 --place … --nation …
//   [--calendar GR|GI] [--annotation TESTO]… [--with-text]
int registerCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// quorendaville-cli recall NAME N: the subject at index position N becomes
// the current subject.
int recallCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// quorendaville-cli delete NAME N: removes the subject at index position N.
int deleteCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
