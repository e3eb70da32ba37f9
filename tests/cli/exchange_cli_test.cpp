// archive import and export on the command line: the review printed first,
// --dry-run writing nothing, the records chosen, and a round trip through
// each format that changes nothing.
#include "base/text_file.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace exchange_cli_test {

namespace fs = std::filesystem;
using qv::test::CliRun;

class ExchangeCli : public ::testing::Test {
protected:
    CliRun run(const std::string& args) const { return qv::test::runCli(QV_CLI_PATH, args + " --data-dir " + data.path().string()); }
    std::string archiveBytes() const {
        return qv::readWholeFile(data.path() / "BASE.ST1") + qv::readWholeFile(data.path() / "BASE.ST2");
    }
    qv::test::TempDataDir data{true}, out;
    const std::string aaf = (qv::test::fixturesDir() / "exchange" / "dieci.aaf").string();
};

TEST_F(ExchangeCli, TheReviewComesFirstAndOnlyChosenRecordsAreWritten) {
    ASSERT_EQ(run("archive list BASE").status, 0);
    const std::string empty = archiveBytes();
    CliRun r = run("archive import BASE " + aaf + " --format aaf --dry-run");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.has("7. riga 17  FERRARI GIULIA  12/05/1990 09:45  NAPOLI (NA)  pronto")) << r.out;
    EXPECT_TRUE(r.has("fuso dai regimi orari: GMT+2")) << r.out;
    EXPECT_TRUE(r.has("10 pronti, 0 gi\xC3\xA0 presenti, 0 esclusi")) << r.out;
    EXPECT_EQ(archiveBytes(), empty);

    r = run("archive import BASE " + aaf + " --format aaf");
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_EQ(archiveBytes(), empty);
    r = run("archive import BASE " + aaf + " --format aaf --accept 1,3");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.has("2 soggetti importati in BASE (personale)")) << r.out;
    r = run("archive import BASE " + aaf + " --format aaf --accept 1");
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_TRUE(r.has("Il record 1 non si pu\xC3\xB2 importare")) << r.out;
    r = run("archive import BASE " + aaf + " --format aaf --accept-all");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.has("8 soggetti importati")) << r.out;
    EXPECT_TRUE(run("archive list BASE").has("10 soggetti"));
}

TEST_F(ExchangeCli, ARoundTripThroughEachFormatChangesNothing) {
    ASSERT_EQ(run("archive import BASE " + aaf + " --format aaf --accept-all").status, 0);
    const std::string imported = archiveBytes();
    for (const char* format : {"aaf", "csv"}) {
        SCOPED_TRACE(format);
        const fs::path file = out.path() / (std::string("soggetti.") + format);
        CliRun r = run("archive export BASE --format " + std::string(format) + " --out " + file.string());
        ASSERT_EQ(r.status, 0) << r.out;
        EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms(0600));
        r = run("archive import BASE " + file.string() + " --format " + format + " --accept-all");
        ASSERT_EQ(r.status, 0) << r.out;
        EXPECT_TRUE(r.has("0 pronti, 10 gi\xC3\xA0 presenti")) << r.out;
        EXPECT_EQ(archiveBytes(), imported);

        // Into an empty archive, the same subjects come back.
        qv::test::TempDataDir other(true);
        const CliRun again = qv::test::runCli(QV_CLI_PATH, "archive import BASE " + file.string() + " --format " + format +
                                                                " --accept-all --data-dir " + other.path().string());
        ASSERT_EQ(again.status, 0) << again.out;
        const fs::path back = out.path() / (std::string("ritorno.") + format);
        ASSERT_EQ(qv::test::runCli(QV_CLI_PATH, "archive export BASE --format " + std::string(format) + " --out " +
                                                    back.string() + " --data-dir " + other.path().string())
                      .status,
                  0);
        EXPECT_EQ(qv::readWholeFile(back), qv::readWholeFile(file));
    }
}

} // namespace exchange_cli_test
