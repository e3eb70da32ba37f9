// Every command that writes, run on a full disk: each exits non-zero, says
// so, and leaves every file it would have replaced as it was, with no
// temporary file behind. The disk is a small tmpfs mounted for the test and
// filled up, so the test runs only as root (mounting needs it) and is
// skipped otherwise, saying why.
#include "base/cp1252.h"
#include "base/data_dir.h"
#include "base/text_file.h"
#include "remedies/remedy_files.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <chrono>
#include <map>
#include <thread>
#include <sys/mount.h>
#include <unistd.h>

namespace full_disk_cli_test {

namespace fs = std::filesystem;
using qv::test::CliRun;

class FullDisk : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root: the full disk is a small tmpfs this test mounts (mount needs CAP_SYS_ADMIN)";
        if (::mount("tmpfs", disk.path().c_str(), "tmpfs", 0, "size=64m,mode=0700") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
        mounted = true;
        qv::setDataDir(data());  // the command line installs the template there, as for a user
        fs::create_directory(disk.path() / "uscita");
        for (const char* name : {"tema.svg", "tema.pdf", "tema.png", "foglio.pdf"})
            qv::writeFileAtomically(disk.path() / "uscita" / name, "vecchio");
        for (const char* name : {"Anna", "Bruno"})
            ASSERT_EQ(cli(std::string("register --archive BASE --name ") + name + birth +
                          " --place Milano --nation Italia --annotation nota").status, 0);
        // Each command once with room, so that what a first run creates
        // (settings with their defaults, working files) is there already.
        for (const char* command : {"recall BASE 1", "remedies rebuild", "analysis --current",
                                    "wheel --current --out /dev/null/x.svg", "sheet --layout V1 --current --out /dev/null/x.pdf"})
            cli(command);
        // Anna's first consultation and her report, made with room.
        ASSERT_EQ(cli("consultation add --archive BASE --subject Anna --date 02/03/2026 --note prima").status, 0);
        const CliRun report = cli("report --archive BASE --subject Anna --out " + (disk.path() / "uscita" / "relazione.pdf").string());
        ASSERT_EQ(report.status, 0) << report.out;
        symptom = qv::cp1252ToUtf8(qv::readTextLines(qv::dataDir().resolve(qv::remedies::files::kSymptomList)).at(0));
        pathology = qv::cp1252ToUtf8(qv::readTextLines(qv::dataDir().resolve(qv::remedies::files::kPathologies)).at(0));
        const CliRun therapy = cli("remedies therapy '" + pathology + "'");
        ASSERT_EQ(therapy.status, 0) << therapy.out;
        // The start-up trusts a file's identity only once its times are in
        // the past: a start a moment later records them, and later starts
        // then write nothing of their own.
        std::this_thread::sleep_for(std::chrono::seconds(2));
        ASSERT_EQ(cli("recall BASE 1").status, 0);
        fill();
    }
    void TearDown() override {
        if (mounted) ::umount2(disk.path().c_str(), MNT_DETACH);
    }

    fs::path data() const { return disk.path() / "dati"; }
    CliRun cli(const std::string& args) const {
        return qv::test::runCli(QV_CLI_PATH, args + " --data-dir " + data().string());
    }

    // Writes a filler file until the disk takes no more.
    void fill() const {
        const int fd = ::open((disk.path() / "riempitivo").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        const std::string block(1 << 16, 'x');
        for (std::size_t size = block.size(); size > 0;) {
            if (::write(fd, block.data(), size) < 0) size /= 2;
        }
        ::close(fd);
    }

    // Every file of the disk but the filler and Qt's log, with its bytes.
    std::map<std::string, std::string> files() const {
        std::map<std::string, std::string> out;
        for (const auto& e : fs::recursive_directory_iterator(disk.path())) {
            const std::string name = e.path().filename().string();
            if (!e.is_regular_file() || name == "riempitivo" || name == "MessaggiQt.log") continue;
            out[e.path().string()] = qv::readWholeFile(e.path());
        }
        return out;
    }

    qv::test::TempDataDir disk;
    bool mounted = false;
    const std::string birth = " --date 04/02/1962 --time 12:00 --corr -1 --coords 45N28-009E11";
    std::string symptom, pathology;
};

TEST_F(FullDisk, EveryWritingCommandFailsAndLeavesTheOldFiles) {
    const fs::path out = disk.path() / "uscita";
    const std::string commands[] = {
        "register --archive BASE --name Carlo" + birth + " --place Milano --nation Italia --annotation nota",
        "register --archive TMPR --name Dario" + birth + " --place Milano --nation Italia",
        "recall BASE 2",
        "modify BASE 1 --name Anita",
        "delete BASE 2",
        "analysis --current",
        "wheel --current --out " + (out / "tema.svg").string(),
        "wheel --current --out " + (out / "tema.pdf").string(),
        "wheel --current --out " + (out / "tema.png").string(),
        "sheet --layout V1 --current --out " + (out / "foglio.pdf").string(),
        "remedies rebuild",
        "remedies rank '" + symptom + "'",
        "remedies therapy '" + pathology + "'",
        "consultation add --archive BASE --subject Anna --date 03/03/2026 --note seconda",
        "report --archive BASE --subject Anna --out " + (out / "relazione.pdf").string(),
        "delete BASE 1 --with-consultations",
    };
    const auto before = files();
    for (const std::string& command : commands) {
        const CliRun r = cli(command);
        SCOPED_TRACE(command);
        EXPECT_GT(r.status, 0) << r.out;
        EXPECT_FALSE(r.has("scritta in") || r.has("scritto in")) << r.out;
        const auto after = files();
        for (const auto& [path, bytes] : before) {
            const auto it = after.find(path);
            EXPECT_TRUE(it != after.end() && it->second == bytes) << path << " changed\n" << r.out;
        }
        for (const auto& [path, bytes] : after)
            EXPECT_TRUE(before.count(path)) << path << " was left behind\n" << r.out;
    }
    // The consultation store said so in its own words, left no journal (no
    // file was left behind) and still opens, with Anna's one consultation.
    for (const std::string command : {"consultation add --archive BASE --subject Anna", "delete BASE 1 --with-consultations"}) {
        const CliRun r = cli(command);
        EXPECT_TRUE(r.has("spazio su disco esaurito")) << command << "\n" << r.out;
    }
    const CliRun listed = cli("consultation list --archive BASE --subject Anna");
    EXPECT_EQ(listed.status, 0) << listed.out;
    EXPECT_TRUE(listed.has("1 consultazione")) << listed.out;

    // The same disk made read-only: an existing picture on it is not
    // reported as written either.
    ASSERT_EQ(::mount("tmpfs", disk.path().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0) << std::strerror(errno);
    for (const char* name : {"tema.svg", "tema.pdf", "tema.png"}) {
        const CliRun r = cli("wheel --current --out " + (out / name).string());
        EXPECT_EQ(r.status, 1) << r.out;
        EXPECT_TRUE(r.has((out / name).string() + "\": il disco \xC3\xA8 in sola lettura")) << r.out;
        EXPECT_EQ(qv::readWholeFile(out / name), "vecchio");
    }
}

} // namespace full_disk_cli_test
