// End-to-end runs of the archive commands and of `chart --current` on a
// temporary data directory: a subject registered, listed, shown, recalled,
// charted and deleted.
#include "base/data_dir.h"
#include "base/text_file.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

namespace archive_cli_test {

using CliResult = qv::test::CliRun;

CliResult cli(const std::string& args) { return qv::test::runCli(QV_CLI_PATH, args); }

bool has(const CliResult& r, const std::string& text) { return r.out.find(text) != std::string::npos; }

class ArchiveCli : public ::testing::Test {
protected:
    void SetUp() override { qv::test::writeZeroCorrectionTables(dir.path()); }
    std::string in() const { return " --data-dir " + dir.path().string(); }
    std::string bytes(const std::string& dataPath) const {
        return qv::readWholeFile(qv::DataDir(dir.path()).resolve(dataPath));
    }
    qv::test::TempDataDir dir;
};

const std::string kRegister =
    "register --archive BASE --name 'Rossi Mario' --date 01/01/2000 --time 12:00 --corr 0 "
    "--coords 51N29-000E00 --place 'Forl\xC3\xAC (Fc)' --nation 'Regno Unito'";

TEST_F(ArchiveCli, ASubjectFromRegistrationToDeletion) {
    CliResult r = cli(kRegister + " --annotation 'Prima nota' --annotation '' --annotation 'caff\xC3\xA8' --with-text" + in());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(has(r, "voce 1, record di nascita 1")) << r.out;
    EXPECT_TRUE(has(r, "Testo: BASEtxt\\00001.txt")) << r.out;
    const std::string key = "ROSSI MARIO                           00001";
    EXPECT_EQ(bytes("BASE.ST1").substr(44), std::string(1, 43) + key);
    EXPECT_EQ(bytes("BASE.ST2").substr(385 + 21, 23), std::string(1, 22) + "51N29-000E00FORL\xCC *FC*");
    EXPECT_EQ(bytes("BASE.ST3").substr(284 + 213, 71).substr(0, 70),
              std::string(1, 69) + std::string(64, ' ') + "00001");
    EXPECT_EQ(bytes("FileDum\\MMDatArc.dum"), "BASE\r\n" + key + "\r\n1\r\nROSSI MARIO" + std::string(27, ' ') + "\r\n");

    ASSERT_EQ(cli("register --archive base --name Bianchi --date 02/03/1950 --time 06:30 --corr -1 "
                  "--coords 41N54-012E29 --place Roma --nation Italia" + in()).status, 0);
    r = cli("archive list BASE" + in());
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(has(r, "Archivio BASE (personale): 2 soggetti\n"
                       "    1  BIANCHI                               00002\n"
                       "    2  ROSSI MARIO                           00001\n")) << r.out;
    // Only the names that begin with the prefix, or a line that says none does.
    r = cli("archive list BASE --prefix rossi" + in());
    EXPECT_TRUE(has(r, "2 soggetti\n    2  ROSSI MARIO                           00001\n")) << r.out;
    EXPECT_FALSE(has(r, "BIANCHI")) << r.out;
    r = cli("archive list BASE --prefix ROSSINI" + in());
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(has(r, "2 soggetti\nNessun nome inizia con \"ROSSINI\"\n")) << r.out;
    EXPECT_FALSE(has(r, "ROSSI MARIO")) << r.out;

    r = cli("archive show BASE 2" + in());
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(has(r, "Nascita 01/01/2000 12:00  Correz. +0.00\n")) << r.out;
    EXPECT_TRUE(has(r, "Localit\xC3\xA0: FORL\xC3\x8C (FC)\n")) << r.out;
    EXPECT_TRUE(has(r, "Calendario: GREGORIANO\n")) << r.out;
    EXPECT_TRUE(has(r, "  caff\xC3\xA8\n")) << r.out;

    r = cli("recall BASE 2" + in());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(has(r, "Soggetto attuale: ROSSI MARIO (BASE, voce 2)")) << r.out;
    EXPECT_EQ(bytes("FileDum\\PointGlo.dum"), "00001\r\nBASE\r\n");
    EXPECT_EQ(bytes("FileDum\\Annotaz.dum"), " Prima nota  caff\xE8 00001\r\n");

    r = cli("chart --current --json" + in());
    ASSERT_EQ(r.status, 0) << r.out;
    for (const char* key : {"\"bodies\": {\"sun\": {\"longitude\": 280.368", "\"uranus\": {\"longitude\": 314.80",
                            "\"points\": [{\"number\": 1, \"name\": \"Sole\", \"longitude\": 280.368",
                            "{\"number\": 8, \"name\": \"NodoNord\"", "\"sign\": 10, \"house\": 9, \"mark\": \" \", \"cusp_house\": 9, \"wheel_house\": 9}",
                            "{\"number\": 10, \"name\": \"Ascendente\", \"longitude\": 24.28",
                            "{\"number\": 11, \"name\": \"Medio Cielo\", \"longitude\": 279.61",
                            "\"zone_text\": \"+0.00\"", "\"jd_text\": \"JD=2451545\"",
                            "\"house_system\": \"CASE_MEDIE\"", "\"node_kind\": \"MEDIO\""})
        EXPECT_TRUE(has(r, key)) << key << "\n" << r.out;
    EXPECT_TRUE(has(r, "\"name\": \"NodoSud\", \"longitude\": ")) << r.out;

    r = cli("chart --current" + in());
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(has(r, "Nascita 01/01/2000 12:00  Correz. +0.00\nLocalit\xC3\xA0: FORL\xC3\x8C (FC)\n")) << r.out;
    EXPECT_TRUE(has(r, "NodoNord     ")) << r.out;

    r = cli("delete BASE 2" + in());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(has(r, "Testo eliminato: BASEtxt\\00001.txt")) << r.out;
    EXPECT_FALSE(qv::DataDir(dir.path()).exists("BASEtxt\\00001.txt"));
    r = cli("delete BASE 1" + in());
    EXPECT_TRUE(has(r, "ARCHIVIO VUOTO")) << r.out;
    EXPECT_EQ(bytes("BASE.ST1").size(), 44u);
    EXPECT_EQ(bytes("BASE.ST2").size(), 3 * 385u) << "birth records stay";
    EXPECT_EQ(bytes("FileDum\\MMordina.dum"), "BASE\r\n");
}

TEST_F(ArchiveCli, FailuresSayWhyAndWriteNothing) {
    CliResult r = cli("chart --current" + in());
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(has(r, "Nessun soggetto attuale")) << r.out;
    r = cli("archive list BASE" + in());
    EXPECT_TRUE(has(r, "ARCHIVIO VUOTO")) << r.out;

    const std::string st2 = bytes("BASE.ST2");
    r = cli("register --archive BASE --name X --date 01/13/2000 --time 12:00 --corr 0 --coords 51N29-000E00 "
            "--place P --nation N --with-text" + in());
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(has(r, "Data Scorretta")) << r.out;
    EXPECT_EQ(bytes("BASE.ST2"), st2);
    EXPECT_FALSE(qv::DataDir(dir.path()).exists("BASEtxt")) << "no text document for a refused subject";
    r = cli(kRegister.substr(0, kRegister.find("BASE")) + "RICE" + kRegister.substr(kRegister.find("BASE") + 4) + in());
    EXPECT_TRUE(has(r, "Archivio RICE inesistente")) << r.out;

    for (const char* command : {"recall TMPR 1", "delete TMPR 1", "archive show TMPR 1"}) {
        r = cli(command + in());
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_TRUE(has(r, "Nome Archivio Non Ammesso")) << command << ": " << r.out;
    }
    // A subject number the archive does not have: the same words and status
    // for every command.
    for (const char* command : {"recall BASE 1", "delete BASE 1", "archive show BASE 1", "modify BASE 1 --name X"}) {
        r = cli(command + in());
        EXPECT_EQ(r.status, 2) << command;
        EXPECT_TRUE(has(r, "Posizione 1 inesistente nell'archivio BASE")) << command << ": " << r.out;
        EXPECT_FALSE(has(r, "Errore di I/O")) << command << ": " << r.out;
    }
    r = cli("chart --current --date 01/01/2000" + in());
    EXPECT_EQ(r.status, 2) << r.out;
}

TEST_F(ArchiveCli, ASecondRunningCopyIsKeptFromWriting) {
    ASSERT_EQ(cli("archive list BASE" + in()).status, 0);  // prepares the directory
    qv::DataDirLock held(qv::DataDir(dir.path()));
    ASSERT_TRUE(held.acquired());
    const std::string st1 = bytes("BASE.ST1");
    CliResult r = cli(kRegister + in());
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(has(r, "\" \xC3\xA8 in uso da un'altra copia di Quorendaville")) << r.out;
    EXPECT_FALSE(has(r, "Errore di I/O")) << r.out;
    EXPECT_EQ(bytes("BASE.ST1"), st1);
    EXPECT_EQ(cli("archive list BASE" + in()).status, 0) << "reading is still possible";
}

} // namespace archive_cli_test
