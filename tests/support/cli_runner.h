// Runs quorendaville-cli as a user would, for end-to-end tests.
#pragma once

#include <string>

namespace qv::test {

struct CliRun {
    int status = 0;  // the exit status; -1 when the program did not exit by itself
    int signal = 0;  // the signal that ended the program, or 0
    std::string out; // standard output and standard error together
    bool has(const std::string& text) const { return out.find(text) != std::string::npos; }
};

// `cliPath` is the program the test target was built with; `args` are
// passed through the shell as written. A program ended by a signal (a
// crash, an abort, a sanitizer's report) fails the calling test at once,
// whatever it expected: a crash is never a refusal.
CliRun runCli(const std::string& cliPath, const std::string& args);

// What a wait status says: the exit status and the signal, as in CliRun.
// The shell that runs the command reports a child's death by signal N as
// the exit status 128 + N; the program's own statuses are all small.
void decodeWaitStatus(int waitStatus, CliRun& run);

} // namespace qv::test
