// The command-line test helper itself: a program ended by a signal fails the
// test that ran it, so a crash can never pass for a refusal.
#include "tests/support/cli_runner.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>

using qv::test::CliRun;

TEST(CliRunner, ADeathBySignalIsToldApartFromAnExitStatus) {
    struct Case {
        int waitStatus;
        int status;
        int signal;
    };
    // The shell passes a child's death by signal N on as the status 128 + N.
    const Case cases[] = {{0, 0, 0},           {2 << 8, 2, 0},       {1 << 8, 1, 0},
                          {139 << 8, -1, SIGSEGV}, {134 << 8, -1, SIGABRT}, {SIGSEGV, -1, SIGSEGV},
                          {SIGKILL, -1, SIGKILL}};
    for (const Case& c : cases) {
        CliRun r;
        qv::test::decodeWaitStatus(c.waitStatus, r);
        EXPECT_EQ(r.status, c.status) << c.waitStatus;
        EXPECT_EQ(r.signal, c.signal) << c.waitStatus;
    }
}

TEST(CliRunner, AProgramThatCrashesFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(qv::test::runCli("sh -c 'kill -SEGV $$'", ""), "died by signal 11");
    EXPECT_NONFATAL_FAILURE(qv::test::runCli("sh -c 'echo parziale; kill -ABRT $$'", ""), "parziale");
    const CliRun refused = qv::test::runCli("sh -c 'echo rifiutato; exit 2'", "");
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.signal, 0);
    EXPECT_EQ(refused.out, "rifiutato\n");
}
