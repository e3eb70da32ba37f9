// quorendaville-cli under hostile input: archive names that try to leave
// the data directory, archives cut short or missing their index,
// corrections too small to write, impossible dates, control characters and
// foreign scripts, a data directory held by another copy. Each is refused
// with an Italian message and leaves the files as they were.
#include "base/data_dir.h"
#include "base/text_file.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace hostile_input_cli_test {

namespace fs = std::filesystem;
using qv::test::CliRun;

CliRun cli(const std::string& args) { return qv::test::runCli(QV_CLI_PATH, args); }

// Every byte of a message is printable UTF-8 text: no buffer tail, no
// Windows-1252 byte passed through.
bool cleanText(const std::string& s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == '\n') continue;
        if (c < 0x20 || c == 0x7F) return false;
        if (c >= 0x80) {
            const std::size_t n = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : 9;
            if (n == 9 || i + n >= s.size() + 1) return false;
            for (std::size_t k = 1; k <= n; ++k)
                if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
            i += n;
        }
    }
    return true;
}

class HostileInput : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(data);
        qv::test::writeZeroCorrectionTables(data);
    }
    std::string in() const { return " --data-dir " + data.string(); }
    std::string bytes(const fs::path& p) const { return fs::exists(p) ? qv::readWholeFile(p) : std::string("<none>"); }
    std::string file(const std::string& dataPath) const { return bytes(qv::DataDir(data).resolve(dataPath)); }
    CliRun registerSubject(const std::string& name, const std::string& date, const std::string& extra = "") {
        return cli("register --archive BASE --name " + name + " --date " + date +
                   " --time 12:00 --corr -1 --coords 45N28-009E11 --place Milano --nation Italia" + extra + in());
    }
    qv::test::TempDataDir root;
    fs::path data = root.path() / "dati";
};

TEST_F(HostileInput, ArchiveNamesNeverLeaveTheDataDirectory) {
    ASSERT_EQ(registerSubject("Rossi", "01/01/1980").status, 0);
    // An archive next to the data directory, as "../X" would find it.
    for (const char* ext : {".ST1", ".ST2", ".ST3"})
        fs::copy_file(qv::DataDir(data).resolve(std::string("BASE") + ext), root.path() / (std::string("X") + ext));
    const std::string before = bytes(root.path() / "X.ST1") + bytes(root.path() / "X.ST2");
    const std::string quotedBackslash = "'..\\x'";
    for (const std::string& command :
         {std::string("register --archive ../x --name Bianchi --date 01/01/1990 --time 12:00 --corr 0 --coords 45N28-009E11 "
          "--place Roma --nation Italia"),
          "register --archive " + quotedBackslash + " --with-text --name Bianchi --date 01/01/1990 --time 12:00 "
          "--corr 0 --coords 45N28-009E11 --place Roma --nation Italia",
          std::string("delete ../x 1"), std::string("archive list ../x"), std::string("archive show ../x 1"),
          std::string("recall ../x 1"), "delete " + quotedBackslash + " 1", std::string("archive list BASE/")}) {
        const CliRun r = cli(command + in());
        EXPECT_EQ(r.status, 2) << command << ": " << r.out;
        EXPECT_TRUE(r.has("on ammesso") || r.has("Non Ammesso")) << command << ": " << r.out;
    }
    EXPECT_EQ(bytes(root.path() / "X.ST1") + bytes(root.path() / "X.ST2"), before);
    EXPECT_FALSE(fs::exists(root.path() / "XTXT")) << "no text folder outside";
    EXPECT_FALSE(fs::exists(root.path() / "..\\Xtxt"));
}

TEST_F(HostileInput, ABirthFileShorterThanItsIndexIsNotWrittenTo) {
    ASSERT_EQ(registerSubject("Primo", "01/01/1980").status, 0);
    ASSERT_EQ(registerSubject("Secondo", "02/02/1982").status, 0);
    const fs::path st2 = qv::DataDir(data).resolve("BASE.ST2");
    fs::resize_file(st2, 770);  // the header and the first subject only
    const std::string index = file("BASE.ST1"), births = file("BASE.ST2");
    const CliRun r = registerSubject("Terzo", "03/03/1983");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_TRUE(r.has("BASE.ST2")) << r.out;
    EXPECT_TRUE(r.has("corto")) << r.out;
    EXPECT_EQ(file("BASE.ST1"), index);
    EXPECT_EQ(file("BASE.ST2"), births);
    // A torn record at the end is no place to write either.
    fs::resize_file(st2, 770 + 100);
    EXPECT_EQ(registerSubject("Terzo", "03/03/1983").status, 1);
    EXPECT_EQ(fs::file_size(st2), 870u);
}

TEST_F(HostileInput, AMissingIndexIsAnErrorNotAnEmptyArchive) {
    ASSERT_EQ(registerSubject("Primo", "01/01/1980").status, 0);
    fs::remove(qv::DataDir(data).resolve("BASE.ST1"));
    for (const char* command : {"archive list BASE", "recall BASE 1"}) {
        const CliRun r = cli(command + in());
        EXPECT_NE(r.status, 0) << command << ": " << r.out;
        EXPECT_TRUE(r.has("BASE.ST1")) << command << ": " << r.out;
        EXPECT_FALSE(r.has("ARCHIVIO VUOTO")) << r.out;
    }
    EXPECT_FALSE(qv::DataDir(data).exists("BASE.ST1")) << "no empty index made in its place";
}

TEST_F(HostileInput, CorrectionsTooSmallToWriteAreRefusedCleanly) {
    for (const char* corr : {"1e-400", "5e-324", "-0.0000000001"}) {
        for (const std::string& command :
             {std::string("register --archive BASE --name Rossi --date 01/01/2000 --time 12:00 --coords 45N28-009E11 "
                          "--place Milano --nation Italia --corr "),
              std::string("chart --date 01/01/2000 --time 12:00 --coords 45N28-009E11 --corr "),
              std::string("analysis --date 01/01/2000 --time 12:00 --coords 45N28-009E11 --corr ")}) {
            const CliRun r = cli(command + corr + in());
            EXPECT_NE(r.status, 0) << command << corr << ": " << r.out;
            EXPECT_TRUE(r.has("Correzione")) << command << corr << ": " << r.out;
            EXPECT_TRUE(cleanText(r.out)) << r.out;
        }
    }
    EXPECT_EQ(cli("archive list BASE" + in()).out.find("ARCHIVIO VUOTO") != std::string::npos, true);
}

TEST_F(HostileInput, OneValidationOfDatesAndCoordinates) {
    const std::string birth = " --time 12:00 --corr -1";
    struct Case { std::string date, coords; };
    const Case cases[] = {{"31/02/2001", "45N28-009E11"}, {"29/02/1900", "45N28-009E11"},
                          {"01/01/2001", "89N59-180E01"}, {"01/01/2001", "90N00-009E11"}};
    ASSERT_EQ(registerSubject("Primo", "01/01/1980").status, 0);
    const std::string births = file("BASE.ST2");
    for (const Case& c : cases) {
        for (const std::string& command : {std::string("chart"), std::string("analysis"), std::string("wheel --out ") +
                                           (root.path() / "r.svg").string()}) {
            const CliRun r = cli(command + " --date " + c.date + " --coords " + c.coords + birth + in());
            EXPECT_EQ(r.status, 2) << command << " " << c.date << " " << c.coords << ": " << r.out;
        }
        const CliRun r = cli("register --archive BASE --name Rossi --date " + c.date + " --coords " + c.coords + birth +
                             " --place Milano --nation Italia" + in());
        EXPECT_EQ(r.status, 2) << c.date << " " << c.coords << ": " << r.out;
        EXPECT_TRUE(r.has("Data Scorretta") || r.has("Coordinate Errate")) << r.out;
    }
    EXPECT_EQ(file("BASE.ST2"), births);
    EXPECT_FALSE(fs::exists(root.path() / "r.svg"));
    // 29/02/1900 exists in the Julian calendar.
    EXPECT_EQ(cli("chart --calendar GI --date 29/02/1900 --coords 45N28-009E11" + birth + in()).status, 0);
    for (const char* date : {"31/02/2001", "29/02/1900"}) {
        const CliRun r = cli(std::string("atlas correction --place \"MILANO (MI)\" --time 12:00 --date ") + date + in());
        EXPECT_NE(r.status, 0) << date << ": " << r.out;
        EXPECT_TRUE(r.has("Data Scorretta")) << r.out;
    }
}

TEST_F(HostileInput, NamesAreWindows1252TextWithoutControlCharacters) {
    // popen's shell has no $'...': printf makes the bytes.
    for (const std::string& name : {std::string("\"$(printf 'Rossi\\nMario')\""),
                                    std::string("\"$(printf 'Rossi\\tMario')\""),
                                    std::string("\"$(printf '\\033[31mRossi')\"")}) {
        const CliRun r = registerSubject(name, "01/01/1980");
        EXPECT_EQ(r.status, 2) << name << ": " << r.out;
        EXPECT_TRUE(r.has("carattere di controllo")) << r.out;
    }
    const CliRun foreign = registerSubject("'Mao \xE4\xB8\xAD'", "01/01/1980");
    EXPECT_EQ(foreign.status, 2) << foreign.out;
    EXPECT_TRUE(foreign.has("\"\xE4\xB8\xAD\"")) << foreign.out;  // the character echoed as typed
    EXPECT_TRUE(cli("archive list BASE" + in()).has("ARCHIVIO VUOTO"));

    // An accent typed as a combining mark is the accented letter.
    ASSERT_EQ(registerSubject("'Niccolo\xCC\x80'", "01/01/1980").status, 0);
    const CliRun list = cli("archive list BASE" + in());
    EXPECT_TRUE(list.has("NICCOL\xC3\x92 ")) << list.out;
    const CliRun json = cli("chart --current --json" + in());
    EXPECT_EQ(json.status, 0) << json.out;
    EXPECT_TRUE(json.has("\"name\": \"NICCOL\xC3\x92\"")) << json.out;

    // Typed text quoted in a message comes back as it was typed.
    const CliRun unknown = cli("atlas find 'Citt\xC3\xA0 \xE4\xB8\xAD'" + in());
    EXPECT_TRUE(cleanText(unknown.out)) << unknown.out;
    EXPECT_TRUE(unknown.has("\xE4\xB8\xAD")) << unknown.out;
}

TEST_F(HostileInput, CorrIsShownWithOneSign) {
    ASSERT_EQ(registerSubject("Rossi", "01/01/1980").status, 0);
    const CliRun show = cli("archive show BASE 1" + in());
    const CliRun chart = cli("chart --current" + in());
    EXPECT_TRUE(show.has("Correz. +1.00\n")) << show.out;
    EXPECT_TRUE(chart.has("Correz. +1.00\n")) << chart.out;
    EXPECT_TRUE(cli("recall BASE 1" + in()).has("Correz. +1.00\n"));
}

TEST_F(HostileInput, AnalysisWritesNothingWhileAnotherCopyHoldsTheData) {
    ASSERT_EQ(cli("chart --date 01/01/2000 --time 12:00 --corr 0 --coords 45N28-009E11" + in()).status, 0);
    const int fd = ::open((data / ".quorendaville.lock").c_str(), O_RDWR | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    const auto filesBefore = std::distance(fs::recursive_directory_iterator(data), fs::recursive_directory_iterator());
    const CliRun r = cli("analysis --date 01/01/2000 --time 12:00 --corr 0 --coords 45N28-009E11" + in());
    ::close(fd);
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_TRUE(r.has("in uso")) << r.out;
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(data), fs::recursive_directory_iterator()), filesBefore);
    EXPECT_FALSE(qv::DataDir(data).exists("FileDum\\MMMaitr2.dum"));
}

TEST_F(HostileInput, AnEmptyDataDirectoryNameIsAnsweredInItalian) {
    for (const char* command : {"chart --date 01/01/2000 --time 12:00 --corr 0 --coords 45N28-009E11", "archive list BASE",
                                "analysis --date 01/01/2000 --time 12:00 --corr 0 --coords 45N28-009E11"}) {
        const CliRun r = cli(std::string(command) + " --data-dir ''");
        EXPECT_EQ(r.status, 2) << command << ": " << r.out;
        EXPECT_TRUE(r.has("--data-dir vuoto")) << command << ": " << r.out;
    }
}

} // namespace hostile_input_cli_test

namespace hostile_input_cli_test {

// Correction tables put in the data directory before its first use are
// taken as they are (no shipped copy restores them): a damaged one must be
// refused by name, never read.
// `table` with one disk block of zeros at byte `at`.
std::string withZeroBlock(std::string table, std::size_t at) {
    table.replace(at, 4096, std::string(4096, '\0'));
    return table;
}

TEST_F(HostileInput, DamagedCorrectionTablesAreRefusedByName) {
    const std::string dpr1 = bytes(data / "FilePosi" / "DPR1.rnd");
    const std::string birth = " --date 01/01/1990 --time 12:00 --corr -1 --coords 45N28-009E11 --black-moon VERA";
    struct Case { const char* file; std::string content; };
    const Case cases[] = {
        {"DPR1.rnd", "X" + dpr1},                                // shifted by one byte
        {"DPR1.rnd", std::string(dpr1.size(), '\0')},            // zero-filled: no day sequence
        {"DPR1.rnd", dpr1.substr(1)},                            // its first byte lost
        {"NOJLNE.rnd", std::string(4 * 146463, '\x7F')},         // Black Moon corrections of 600 turns
        {"DSEL.rnd", std::string(777955 * 2 + 1, '\0')},         // a torn record
        {"DSEL.rnd", std::string(777955 * 2, '\0')},             // zero-filled
        {"NOJLNE.rnd", std::string(4 * 146463, '\0')},           // zero-filled
        {"DSEL.rnd", withZeroBlock(bytes(data / "FilePosi" / "DSEL.rnd"), 2 * 730000)}, // a block never written
    };
    int n = 0;
    for (const Case& c : cases) {
        const fs::path fresh = root.path() / ("caso" + std::to_string(n++));
        qv::test::writeZeroCorrectionTables(fresh);
        qv::writeFileAtomically(fresh / "FilePosi" / c.file, c.content);
        for (const char* command : {"chart", "analysis"}) {
            const CliRun r = cli(command + birth + " --data-dir " + fresh.string());
            EXPECT_EQ(r.status, 1) << c.file << ": " << r.out;
            EXPECT_TRUE(r.has(c.file)) << r.out;
            EXPECT_TRUE(r.has("danneggiata")) << r.out;
        }
    }
    // The same tables sound.
    EXPECT_EQ(cli("chart" + birth + in()).status, 0);
}

} // namespace hostile_input_cli_test
