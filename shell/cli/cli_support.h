// What every command of quorendaville-cli shares: argument parsing, the
// data directory and Italian messages on the terminal.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace qv {
class DataDirLock;
}

namespace qv::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;   // the work failed (a file, a computation)
inline constexpr int kExitUsage = 2;     // bad arguments

// A bad argument: its message is Italian and is printed as it is.
struct UsageError {
    std::string message;
};

// The data directory is held by another running copy of the program: told
// as it is, not as a failed file operation. `consequence` may add what the
// command would have done.
struct DataDirectoryInUse {
    std::string root;
    std::string consequence;
};

// Options of the form --name VALUE and flags of the form --name.
class Arguments {
public:
    // `flags` are the options that take no value.
    Arguments(const std::vector<std::string>& args, const std::vector<std::string>& valued,
              const std::vector<std::string>& flags);
    std::optional<std::string> value(const std::string& name) const;
    std::string required(const std::string& name) const;
    bool flag(const std::string& name) const;
    const std::vector<std::string>& positional() const { return positional_; }

private:
    std::map<std::string, std::string> values_;
    std::vector<std::string> flags_;
    std::vector<std::string> positional_;
};

// Selects the data directory (--data-dir or the default), installs the
// missing template files and makes it the one in force.
void openDataDirectory(const std::optional<std::string>& dir);
// Called by openDataDirectory with the directory's root once it is in
// force (the drawing program sends Qt's messages to a log there).
void whenDataDirectoryOpens(void (*hook)(const std::filesystem::path& root));
// Holds the data directory's lock for a command that rewrites working
// files. Another command line run holds it only for moments, so the lock is
// waited for up to `waitSeconds`; when it stays held (the desktop program,
// a long command), DataDirectoryInUse is raised with `consequence`.
std::unique_ptr<DataDirLock> holdDataDirectory(const std::string& consequence, int waitSeconds = 5);
// The folder --data-dir names, or the default one; an empty name raises
// UsageError.
std::filesystem::path dataDirectoryRoot(const std::optional<std::string>& dir);

// Windows-1252 bytes of the core, shown as UTF-8 on the terminal.
std::string shown(const std::string& cp1252);
// The same, as a line of output.
inline std::string shownLine(const std::string& cp1252) { return shown(cp1252) + "\n"; }

// JSON pieces: a Windows-1252 text as an escaped UTF-8 string, a real with
// 15 significant digits (never in the machine's locale).
std::string jsonString(const std::string& cp1252);
std::string jsonNumber(long double x);

// Text typed for `option` (UTF-8) in Windows-1252: accents typed as
// combining marks are joined; a character with no Windows-1252 form or a
// control character (new line, tab, ESC) raises UsageError naming it.
std::string typedText(const std::string& utf8, const std::string& option);

// A text the user typed, quoted for a message: in double quotes, cut after
// 80 characters with "…", bytes that are no UTF-8 shown as U+FFFD, so the
// terminal never receives a whole pasted file or garbled letters.
std::string echoed(const std::string& typed);

// "del nome dell'archivio" for "il nome dell'archivio", "di --name" for an
// option: the preposition joined with the article as Italian wants it.
std::string ofWhat(const std::string& what);

// Parsers that raise UsageError naming the option.
int parseInt(const std::string& text, const std::string& option);
// Digits only, from `smallest` to `largest`: a number past the bounds is a
// bad argument like any other, never a library's exception.
std::int64_t parseBoundedInteger(const std::string& text, const std::string& option, std::int64_t smallest,
                                 std::int64_t largest);
long double parseReal(const std::string& text, const std::string& option);

// Runs a command body, turning errors into messages and exit statuses.
template <typename Body>
int runCommand(std::ostream& err, Body body);

} // namespace qv::cli

#include "shell/cli/cli_support_impl.h"
