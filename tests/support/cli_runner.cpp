#include "tests/support/cli_runner.h"

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/wait.h>

namespace qv::test {

void decodeWaitStatus(int waitStatus, CliRun& run) {
    run.status = -1;
    run.signal = 0;
    if (WIFSIGNALED(waitStatus)) {
        run.signal = WTERMSIG(waitStatus);
    } else if (WIFEXITED(waitStatus)) {
        const int code = WEXITSTATUS(waitStatus);
        if (code > 128 && code < 128 + NSIG) run.signal = code - 128;
        else run.status = code;
    }
}

CliRun runCli(const std::string& cliPath, const std::string& args) {
    const std::string command = cliPath + " " + args + " 2>&1";
    CliRun r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        r.status = -1;
        ADD_FAILURE() << "could not start: " << command;
        return r;
    }
    std::array<char, 4096> buf{};
    while (std::size_t n = fread(buf.data(), 1, buf.size(), pipe)) r.out.append(buf.data(), n);
    decodeWaitStatus(pclose(pipe), r);
    if (r.signal != 0)
        ADD_FAILURE() << "the program died by signal " << r.signal << " (" << strsignal(r.signal) << "): " << args
                      << "\n" << r.out;
    return r;
}

} // namespace qv::test
