// Qt's message log in the data directory, when someone else put something
// in its place: a drawing command neither waits on a FIFO for ever nor
// writes through a symbolic link; it draws, and goes on without the log.
#include "base/text_file.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>

namespace message_log_cli_test {

namespace fs = std::filesystem;
using qv::test::CliRun;

class MessageLog : public ::testing::Test {
protected:
    // Qt's debug messages switched on, so that the log is surely opened; a
    // run that hangs is stopped and fails instead of stopping the suite.
    CliRun wheel() const {
        return qv::test::runCli("QT_LOGGING_RULES='*.debug=true' timeout 120 " + std::string(QV_CLI_PATH),
                                "wheel" + birth + " --out " + picture().string() + " --data-dir " + data().string());
    }
    fs::path data() const { return temp.path() / "dati"; }
    fs::path log() const { return data() / "MessaggiQt.log"; }
    fs::path picture() const { return temp.path() / "tema.svg"; }

    qv::test::TempDataDir temp;
    const std::string birth = " --date 04/02/1962 --time 12:00 --corr -1 --coords 45N28-009E11";
};

TEST_F(MessageLog, AFileOfOursIsTheLogOwnerOnly) {
    const CliRun r = wheel();
    ASSERT_EQ(r.status, 0) << r.out;
    struct stat st {};
    ASSERT_EQ(::lstat(log().c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_GT(st.st_size, 0) << "the messages reach the log";
}

TEST_F(MessageLog, WhatIsNoFileOfOursIsLeftAloneAndTheCommandFinishes) {
    const fs::path victim = temp.path() / "altrui.txt";
    const struct {
        const char* what;
        std::function<void()> plant;
        std::function<bool()> leftAlone;
    } cases[] = {
        {"FIFO", [&] { ASSERT_EQ(::mkfifo(log().c_str(), 0666), 0); },
         [&] { return fs::is_fifo(fs::symlink_status(log())); }},
        {"link to a file",
         [&] {
             qv::writeFileAtomically(victim, "intatto");
             fs::create_symlink(victim, log());
         },
         [&] { return fs::is_symlink(fs::symlink_status(log())) && qv::readWholeFile(victim) == "intatto"; }},
        {"link to nothing", [&] { fs::create_symlink(temp.path() / "nuovo.txt", log()); },
         [&] { return fs::is_symlink(fs::symlink_status(log())) && !fs::exists(temp.path() / "nuovo.txt"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(data());
        fs::remove(picture());
        fs::create_directories(data());
        c.plant();
        const CliRun r = wheel();
        EXPECT_EQ(r.status, 0) << r.out;
        EXPECT_TRUE(fs::exists(picture()));
        EXPECT_TRUE(r.has("MessaggiQt.log\" non viene usato")) << r.out;
        EXPECT_TRUE(c.leftAlone());
    }
}

} // namespace message_log_cli_test
