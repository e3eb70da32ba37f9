#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// quorendaville-cli archive list NAME [--prefix P] | archive show NAME N
int archiveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// quorendaville-cli register --archive NAME --name … --date GG/MM/AAAA
//   --time HH:MM --place … [--estero --state …] [--corr ORE | --zone ±H]
//   [--coords 45N28-009E11] [--nation …] [--calendar GR|GI]
//   [--annotation TESTO]… [--with-text]. Coordinates and correction not
//   given come from the atlas; given ones are compared with it.
int registerCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// quorendaville-cli recall NAME N: the subject at index position N becomes
// the current subject.
int recallCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// quorendaville-cli modify NAME N [--name] [--date] [--time] [--place]
//   [--nation] [--coords] [--corr | --zone] [--calendar] [--update-current]:
//   rewrites subject N; the correction (and a new place's coordinates)
//   follow the atlas unless given.
int modifyCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// quorendaville-cli delete NAME N: removes the subject at index position N.
int deleteCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
