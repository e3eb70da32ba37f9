// Runs quorendaville-cli as a user would, for end-to-end tests.
#pragma once

#include <string>

namespace qv::test {

struct CliRun {
    int status = 0;
    std::string out; // standard output and standard error together
    bool has(const std::string& text) const { return out.find(text) != std::string::npos; }
};

// `cliPath` is the program the test target was built with; `args` are
// passed through the shell as written.
CliRun runCli(const std::string& cliPath, const std::string& args);

} // namespace qv::test
