// The data directory and what is written outside it hold people's birth
// and health data: private whoever starts first, never written through a
// link planted by someone else, any name the file system allows; and a
// read-only data directory (a backup disk, a read-only mount) can be read
// by every reading command while writing ones say it is read-only.
#include "base/text_file.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/mount.h>
#include <unistd.h>

namespace private_files_cli_test {

namespace fs = std::filesystem;
using qv::test::CliRun;

const std::string kBirth = " --date 04/02/1962 --time 12:00 --corr -1 --coords 45N28-009E11";

CliRun cli(const fs::path& data, const std::string& args) {
    return qv::test::runCli(QV_CLI_PATH, args + " --data-dir " + data.string());
}

fs::perms modeOf(const fs::path& p) { return fs::symlink_status(p).permissions() & fs::perms::all; }

// A data directory made by any command is its owner's only, folders and
// files alike.
TEST(PrivateFiles, ADataDirectoryMadeByAnyCommandIsTheOwnersOnly) {
    for (const std::string& command : {"chart" + kBirth, std::string("atlas find Roma"), std::string("remedies symptom insonnia")}) {
        qv::test::TempDataDir parent;
        const fs::path data = parent.path() / "dati";
        const CliRun r = cli(data, command);
        ASSERT_EQ(r.status, 0) << command << "\n" << r.out;
        EXPECT_EQ(modeOf(data), fs::perms(0700)) << command;
        int files = 0;
        for (const auto& e : fs::recursive_directory_iterator(data)) {
            const fs::perms expected = e.is_directory() ? fs::perms(0700) : fs::perms(0600);
            EXPECT_EQ(modeOf(e.path()), expected) << command << ": " << e.path();
            files += e.is_regular_file();
        }
        EXPECT_GT(files, 100) << "the template was installed";
    }
}

// The person's report and the pictures: a link planted where they are to go
// is replaced, the file it points to untouched; a new file is the owner's
// only; a name of 255 characters, which the file system allows, works.
TEST(PrivateFiles, ReportsAndPicturesNeverFollowALinkAndTakeAnyName) {
    qv::test::TempDataDir data(true), shared;
    ASSERT_EQ(cli(data.path(), "register --archive BASE --name \"Rossi Maria\" --place MILANO --nation ITALIA" + kBirth).status, 0);
    ASSERT_EQ(cli(data.path(), "consultation add --archive BASE --subject 1 --note prima").status, 0);
    const fs::path victim = shared.path() / "altrui.txt";
    qv::writeFileAtomically(victim, "di un altro utente");
    const fs::path planted = shared.path() / "relazione.pdf";
    fs::create_symlink(victim, planted);
    CliRun r = cli(data.path(), "report --archive BASE --subject 1 --out " + planted.string());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_FALSE(fs::is_symlink(planted));
    EXPECT_EQ(qv::readWholeFile(victim), "di un altro utente");
    EXPECT_EQ(modeOf(planted), fs::perms(0600));
    EXPECT_EQ(qv::readWholeFile(planted).rfind("%PDF-", 0), 0u);

    for (const char* extension : {".pdf", ".png"}) {
        const fs::path longest = shared.path() / (std::string(255 - 4, 'r') + extension);
        r = cli(data.path(), "wheel" + kBirth + " --out " + longest.string());
        EXPECT_EQ(r.status, 0) << r.out;
        EXPECT_TRUE(fs::exists(longest)) << extension;
    }
}

// A read-only mount of a data directory: every reading command works and
// every writing one is refused saying so, with nothing written.
TEST(PrivateFiles, AReadOnlyDataDirectoryIsReadAndNotWritten) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root: the read-only data directory is a bind mount";
    qv::test::TempDataDir data(true), out;
    ASSERT_EQ(cli(data.path(), "register --archive BASE --name \"Rossi Maria\" --place MILANO --nation ITALIA" + kBirth).status, 0);
    ASSERT_EQ(cli(data.path(), "consultation add --archive BASE --subject 1 --note prima").status, 0);
    if (::mount(data.path().c_str(), data.path().c_str(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "cannot bind-mount here: " << std::strerror(errno);
    struct Unmount {
        fs::path p;
        ~Unmount() { ::umount2(p.c_str(), MNT_DETACH); }
    } unmount{data.path()};
    ASSERT_EQ(::mount(nullptr, data.path().c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr), 0)
        << std::strerror(errno);

    const std::string reading[] = {
        "archive list BASE",
        "archive show BASE 1",
        "chart --current",
        "analysis --current",
        "consultation list --archive BASE --subject 1",
        "remedies symptom insonnia",
        "remedies therapy Cefalea",
        "remedies linked --current",
        "report --archive BASE --subject 1 --out " + (out.path() / "relazione.pdf").string(),
        "sheet --layout V1 --current --out " + (out.path() / "foglio.pdf").string(),
        "wheel --current --out " + (out.path() / "ruota.png").string(),
    };
    for (const std::string& command : reading) {
        const CliRun r = cli(data.path(), command);
        EXPECT_EQ(r.status, 0) << command << "\n" << r.out;
        EXPECT_FALSE(r.has("sola lettura")) << command << "\n" << r.out;
    }
    const std::string writing[] = {
        "register --archive BASE --name Bruno --place MILANO --nation ITALIA" + kBirth,
        "recall BASE 1",
        "modify BASE 1 --name Anna",
        "delete BASE 1 --with-consultations",
        "consultation add --archive BASE --subject 1",
        "remedies rebuild",
    };
    for (const std::string& command : writing) {
        const CliRun r = cli(data.path(), command);
        EXPECT_EQ(r.status, 1) << command << "\n" << r.out;
        EXPECT_TRUE(r.has("sola lettura")) << command << "\n" << r.out;
    }
}

} // namespace private_files_cli_test
