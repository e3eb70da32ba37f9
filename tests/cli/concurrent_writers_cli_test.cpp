// Commands that rewrite working files of the data directory, run at the
// same time: each writes through a temporary file of its own and takes the
// data directory's lock, so neither fails for the other's files; while the
// desktop program holds the directory they write nothing and say why.
#include "base/text_file.h"
#include "remedies/remedy_files.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace concurrent_writers_cli_test {

namespace fs = std::filesystem;
using qv::test::CliRun;
using qv::test::remedy;
using qv::test::therapy;

class ConcurrentWriters : public ::testing::Test {
protected:
    qv::test::TempDataDir temp;
    qv::DataDir dir{temp.path()};
    void SetUp() override {
        qv::test::writeRemedyDatabase(dir, {remedy("MSA Rosa", "Tosse", "Venere", "Toro"), remedy("Malva (2)", "Tosse")});
        qv::test::writeRepertoryDatabase(dir, {therapy("Cefalea", "MSA Rosa", "5 gocce"), therapy("Febbre", "Malva (2)")});
        ASSERT_EQ(remedies("rebuild").status, 0);
    }
    CliRun remedies(const std::string& args) const {
        return qv::test::runCli(QV_CLI_PATH, "remedies " + args + " --data-dir " + temp.path().string());
    }
};

TEST_F(ConcurrentWriters, TwoRankingsAtOnceBothSucceed) {
    for (int pair = 0; pair < 12; ++pair) {
        CliRun first, second;
        std::thread a([&] { first = remedies("therapy Cefalea Febbre"); });
        std::thread b([&] { second = remedies(pair % 2 ? "rank Tosse" : "therapy Febbre"); });
        a.join();
        b.join();
        ASSERT_EQ(first.status, 0) << "pair " << pair << ": " << first.out;
        ASSERT_EQ(second.status, 0) << "pair " << pair << ": " << second.out;
    }
    for (const auto& e : fs::recursive_directory_iterator(temp.path()))
        EXPECT_NE(e.path().extension(), ".tmp~") << "temporary file left: " << e.path();
}

TEST_F(ConcurrentWriters, ARankingWritesNothingWhileTheDesktopProgramHoldsTheDirectory) {
    const fs::path tally = dir.resolve(qv::remedies::files::kTherapyTally);
    const std::string before = fs::exists(tally) ? qv::readWholeFile(tally) : std::string();
    const int fd = ::open((temp.path() / ".quorendaville.lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    const CliRun r = remedies("therapy Cefalea");
    ::close(fd);
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_TRUE(r.has("in uso")) << r.out;
    EXPECT_EQ(fs::exists(tally) ? qv::readWholeFile(tally) : std::string(), before);
}

} // namespace concurrent_writers_cli_test
