// Commands that write the data directory, while the desktop program holds
// it: `remedies rebuild`, `recall` and `delete` write nothing and say why.
// And `remedies linked --current`: the remedies of the current subject's
// chart, the same as for the birth data typed in.
#include "remedies/remedy_files.h"
#include "remedies/support_lists.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include "base/text_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace held_directory_cli_test {

namespace fs = std::filesystem;
using qv::test::CliRun;
using qv::test::remedy;

const std::string kBirth = " --date 21/07/1990 --time 12:00 --corr 0 --coords 41N54-012E29";

class HeldDirectory : public ::testing::Test {
protected:
    qv::test::TempDataDir temp;
    qv::DataDir dir{temp.path()};

    void SetUp() override {
        qv::remedies::RemedyRecord iperico = remedy("Iperico", "Ansia", "Sole", "Capricorno");
        iperico.setWarnings("Rende la pelle sensibile al sole. Con farmaci solo su parere del medico.");
        qv::test::writeRemedyDatabase(dir, {remedy("Ortica", "Gotta", "Marte", "Ariete"),
                                            remedy("Malva", "Tosse", "Luna", "Cancro"), iperico});
        qv::test::writeRepertoryDatabase(dir, {});
        qv::remedies::rebuildSupportLists(dir);
        ASSERT_EQ(cli("register --archive BASE --name \"Bianchi Anna\"" + kBirth + " --place Roma --nation Italia")
                      .status,
                  0);
    }
    CliRun cli(const std::string& args) const {
        return qv::test::runCli(QV_CLI_PATH, args + " --data-dir " + temp.path().string());
    }
    // Every file of the data directory with its bytes, but the lock itself.
    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& e : fs::recursive_directory_iterator(temp.path()))
            if (e.is_regular_file() && e.path().filename() != ".quorendaville.lock")
                files[fs::relative(e.path(), temp.path()).string()] = qv::readWholeFile(e.path());
        return files;
    }
    // The files added, removed or changed since `before`, by name.
    std::string changedFiles(const std::map<std::string, std::string>& before) const {
        const auto now = snapshot();
        std::string changed;
        for (const auto& [name, bytes] : now)
            if (!before.count(name) || before.at(name) != bytes) changed += name + " ";
        for (const auto& [name, bytes] : before)
            if (!now.count(name)) changed += name + " (tolto) ";
        return changed;
    }
};

TEST_F(HeldDirectory, RebuildRecallAndDeleteWriteNothingWhileAnotherCopyHoldsIt) {
    // A remedy added after the last rebuild: a rebuild would rewrite the
    // support lists.
    qv::test::writeRemedyDatabase(dir, {remedy("Ortica", "Gotta", "Marte", "Ariete"),
                                        remedy("Malva", "Tosse", "Luna", "Cancro"),
                                        remedy("Tiglio", "Insonnia", "Venere", "Bilancia")});
    // The start's own work done: files changed within the file system's
    // clock tick are looked at again by every start until they are older.
    for (int start = 0; start < 2; ++start) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1100));
        ASSERT_EQ(cli("archive list BASE").status, 0);
    }
    const auto before = snapshot();
    const int fd = ::open((temp.path() / ".quorendaville.lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    for (const char* command : {"remedies rebuild", "recall BASE 1", "delete BASE 1"}) {
        const CliRun r = cli(command);
        EXPECT_EQ(r.status, 1) << command << ": " << r.out;
        EXPECT_TRUE(r.has("in uso da un'altra copia di Quorendaville")) << command << ": " << r.out;
        EXPECT_EQ(changedFiles(before), "") << command << " wrote while the directory was held";
    }
    ::close(fd);
    // Released, the same commands do their work.
    EXPECT_EQ(cli("remedies rebuild").status, 0);
    EXPECT_NE(changedFiles(before), "") << "the rebuild had nothing to write";
    EXPECT_EQ(cli("recall BASE 1").status, 0);
}

TEST_F(HeldDirectory, LinkedRemediesOfTheCurrentSubjectAreThoseOfItsBirth) {
    ASSERT_EQ(cli("recall BASE 1").status, 0);
    const CliRun typed = cli("remedies linked" + kBirth);
    const CliRun current = cli("remedies linked --current");
    ASSERT_EQ(typed.status, 0) << typed.out;
    ASSERT_EQ(current.status, 0) << current.out;
    // 21/07/1990 12:00 UT: the Sun in Cancer, with Iperico's warnings whole.
    const std::string sun = "Sole in Cancro\n  segnatura primaria Sole: Iperico\n"
                            "    Avvertenze di Iperico: Rende la pelle sensibile al sole. Con farmaci solo su parere del "
                            "medico.\n  segnatura zodiacale Cancro: Malva\n";
    EXPECT_TRUE(typed.has(sun)) << typed.out;
    EXPECT_TRUE(current.has(sun)) << current.out;
    // Every point's lines are the same, whatever heading names the subject.
    const std::size_t from = typed.out.find("Sole in ");
    ASSERT_NE(from, std::string::npos);
    EXPECT_TRUE(current.has(typed.out.substr(from))) << "typed:\n" << typed.out << "\ncurrent:\n" << current.out;
}

} // namespace held_directory_cli_test
