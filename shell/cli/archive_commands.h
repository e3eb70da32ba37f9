#pragma once

#include "archive/data_directory_startup.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// The data directory prepared as at start-up (template, BASE, lock) for the
// archive commands. One that writes refuses to run while another copy
// holds the lock, or on a read-only directory; one that only reads goes on
// without creating anything. A correction or deletion a stop cut short is
// finished or undone first, said on `err`.
PreparedDataDirectory prepareArchives(const std::optional<std::string>& dir, bool writes, std::ostream& err);

// quorendaville-cli archive list NAME [--prefix P] | archive show NAME N
//   | archive export … | archive import … (see exchange_commands.h)
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
