// Qt's own messages (a paint device that would not open, a runtime folder
// that is not set, a library's complaint) are for the developer, not for
// the user: the program reports its own errors in Italian. One handler
// serves the command line and the desktop program; it writes Qt's messages
// to a log file of the data directory, and to standard error as well only
// when asked (--verbose). No Qt in this header.
#pragma once

#include <filesystem>

namespace qv {

// Installs the handler (once per process; a second call only changes
// `verbose`). Until the log file is known, messages are kept in memory.
void installQtMessageLog(bool verbose);

// The log file; the messages kept so far are written to it. A log that has
// grown past a megabyte is started afresh. It is created readable by its
// owner only and never through a symbolic link; when what lies there is not
// a regular file of this user (a link, a FIFO, another user's file) the
// program goes on without a log, saying so once on standard error.
void setQtMessageLogFile(const std::filesystem::path& file);

// The log file of a data directory.
std::filesystem::path qtMessageLogIn(const std::filesystem::path& dataDirRoot);

} // namespace qv
