// Standard output is a file: a command whose output cannot be written (a
// full disk, a closed output) fails and says so on standard error, instead
// of exiting 0 with an empty file that a script takes for the data it
// asked for.
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace standard_output_cli_test {

using qv::test::CliRun;

class StandardOutput : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this machine";
        ASSERT_EQ(run("register --archive BASE --name \"Rossi Maria\"" + birth +
                      " --place MILANO --nation ITALIA").status, 0);
        const CliRun added = run("consultation add --archive BASE --subject 1 --date 05/03/2026 --note Controllo");
        ASSERT_EQ(added.status, 0) << added.out;
    }
    CliRun run(const std::string& args) const {
        return qv::test::runCli(QV_CLI_PATH, args + " --data-dir " + data.path().string());
    }
    // Standard output redirected as written in `redirection`; standard
    // error still reaches the test.
    CliRun runWithOutput(const std::string& args, const std::string& redirection) const {
        return qv::test::runCli("{ " + std::string(QV_CLI_PATH),
                                args + " --data-dir " + data.path().string() + " " + redirection + "; }");
    }

    qv::test::TempDataDir data;
    const std::string birth = " --date 04/02/1962 --time 12:00 --corr -1 --coords 45N28-009E11";
};

TEST_F(StandardOutput, EveryCommandThatPrintsFailsOnAFullDisk) {
    const std::string commands[] = {
        "--help",
        "--version",
        "chart" + birth,
        "chart" + birth + " --json",
        "chart --current --json",
        "analysis" + birth + " --json",
        "analysis --current",
        "atlas find MIL",
        "archive list BASE",
        "archive show BASE 1",
        "recall BASE 1",
        "consultation list --archive BASE --subject 1 --json",
        "remedies symptom A",
        "remedies remedy \"TSA Achillea\"",
        // The drawing commands run in a program of their own.
        "wheel" + birth + " --out " + (data.path() / "tema.svg").string(),
        "sheet --layout V1" + birth + " --out " + (data.path() / "foglio.pdf").string(),
    };
    for (const std::string& command : commands) {
        SCOPED_TRACE(command);
        const CliRun sound = run(command);
        ASSERT_EQ(sound.status, 0) << sound.out;
        ASSERT_FALSE(sound.out.empty());
        const CliRun full = runWithOutput(command, ">/dev/full");
        EXPECT_EQ(full.status, 1) << full.out;
        EXPECT_TRUE(full.has("Errore di scrittura sullo standard output: spazio su disco esaurito")) << full.out;
    }
}

TEST_F(StandardOutput, AFailedCommandKeepsItsOwnStatus) {
    // The usage goes to standard output; the missing command stays the
    // reason of the exit.
    const CliRun r = qv::test::runCli("{ " + std::string(QV_CLI_PATH), ">/dev/full; }");
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_TRUE(r.has("Errore di scrittura sullo standard output")) << r.out;
}

TEST_F(StandardOutput, AClosedOutputIsAFailure) {
    const CliRun r = runWithOutput("chart" + birth, ">&-");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_TRUE(r.has("Errore di scrittura sullo standard output: lo standard output \xC3\xA8 chiuso")) << r.out;
}

TEST_F(StandardOutput, AnOutputLongerThanTheBufferArrivesWhole) {
    const std::filesystem::path file = data.path() / "sintomi.txt";
    const CliRun piped = run("remedies symptom A");
    ASSERT_EQ(piped.status, 0);
    ASSERT_GT(piped.out.size(), 1u << 16) << "the output should pass through the buffer more than once";
    ASSERT_EQ(runWithOutput("remedies symptom A", ">" + file.string()).status, 0);
    EXPECT_EQ(qv::test::runCli("cat", file.string()).out, piped.out);
}

} // namespace standard_output_cli_test
