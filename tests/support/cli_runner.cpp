#include "tests/support/cli_runner.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace qv::test {

CliRun runCli(const std::string& cliPath, const std::string& args) {
    const std::string command = cliPath + " " + args + " 2>&1";
    CliRun r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        r.status = -1;
        return r;
    }
    std::array<char, 4096> buf{};
    while (std::size_t n = fread(buf.data(), 1, buf.size(), pipe)) r.out.append(buf.data(), n);
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

} // namespace qv::test
