// End-to-end runs of `quorendaville-cli analysis` on a temporary data directory.
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include "base/text_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

namespace analysis_cli_test {

using qv::test::CliRun;

CliRun runCli(const std::string& args) { return qv::test::runCli(QV_CLI_PATH, args); }

class CliAnalysis : public ::testing::Test {
protected:
    void SetUp() override { qv::test::writeZeroCorrectionTables(dir.path()); }
    std::string dataDir() const { return " --data-dir " + dir.path().string(); }
    qv::test::TempDataDir dir;
};

// Milano, 10 March 1990 at 12:30 (Corr −1).
const char* const kMilano = "--date 10/03/1990 --time 12:30 --corr -1 --coords 45N28-009E11 --place Milano --name \"ROSSI MARIO\"";

TEST_F(CliAnalysis, MastersOfAHandCheckedChart) {
    // Sunrise by an independent estimate of the Sun's centre on the horizon
    // at 06:51; a Saturday. Day from 06:50 to about 18:15, so a temporal
    // hour of about 57 minutes: 12:30 is 340 minutes after sunrise, in the
    // sixth hour; from Saturno five places on: Giove, Marte, Sole, Venere,
    // Mercurio. Ascendant in Cancro (Luna), Medium Coeli in Pesci (Giove).
    // 10 March is before the Sun enters Ariete: the year 1989, a year of the
    // Sole in the cycle of Marte (1981–2016).
    const CliRun r = runCli(std::string("analysis --only hour ") + kMilano + dataDir());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out,
              "MAESTRI \"ASC\", \"MC\", \"Ora Planetaria\"\n"
              "Il Sole sorge alle ore: 06:50\n"
              "Giorno Planetario: Sabato\n"
              "Ora Planetaria: 6 Diurna\n"
              "Governata da Mercurio\n"
              "Ascendente 13Can37\n"
              "Governato dalla Luna\n"
              "Mediocielo 18Pes39\n"
              "Governato da Giove\n");
    const CliRun m = runCli(std::string("analysis --only masters ") + kMilano + dataDir());
    EXPECT_EQ(m.out, "MAESTRI dell'ANNO e del CICLO\nAnno del Sole\nnel Ciclo di Marte\n");
}

TEST_F(CliAnalysis, StructureAndAspectListOfTheChart) {
    // Sole 19°38′ Pesci, Luna 8°19′ Vergine, Mercurio 11°52′ Pesci (exile),
    // Venere 5°00′ Acquario, Marte 29°08′ Capricorno (exaltation), Giove
    // 1°07′ Cancro (exaltation), Saturno 22°56′ Capricorno (domicile): the
    // Luna in Vergine is disposed by Mercurio, the Sole in Pesci by Giove,
    // Venere in Acquario by Saturno.
    const CliRun r = runCli(std::string("analysis --only structure ") + kMilano + dataDir());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out,
              "STRUTTURA ARCHETIPALE\n"
              "Esilio    1 Mercurio  2 Luna (mer)\n"
              "Esaltaz   1 Marte\n"
              "Esaltaz   1 Giove  2 Sole (gio)\n"
              "Domicil   1 Saturno  2 Venere (sat)\n");
    const CliRun a = runCli(std::string("analysis --only aspects ") + kMilano + dataDir());
    EXPECT_NE(a.out.find("ASPETTI PLANETARI\n"), std::string::npos);
    EXPECT_NE(a.out.find("   il Sole in Congiunzione con il Mediocielo\n"), std::string::npos);
    EXPECT_EQ(a.out.find("Nodo Nord in Opposizione"), std::string::npos);
    EXPECT_NE(a.out.find("L'aspetto \xC3\xA8 tanto pi\xC3\xB9 preciso quanto\n"), std::string::npos);  // UTF-8
}

TEST_F(CliAnalysis, CurrentSubjectGivesTheSameAnalyses) {
    ASSERT_EQ(runCli("register --archive BASE --name \"ROSSI MARIO\" --date 10/03/1990 --time 12:30 --corr -1 "
                     "--coords 45N28-009E11 --place MILANO --nation ITALIA" + dataDir()).status, 0);
    ASSERT_EQ(runCli("recall BASE 1" + dataDir()).status, 0);
    const CliRun current = runCli("analysis --current --json" + dataDir());
    ASSERT_EQ(current.status, 0) << current.out;
    const CliRun given = runCli(std::string("analysis --json ") + kMilano + dataDir());
    EXPECT_EQ(current.out, given.out);
    for (const char* key : {"\"aspects\": [", "\"grid\": [", "\"distances\": [", "\"subdivisions\": {",
                            "\"dodecatemories\": {", "\"antiscia\": [", "\"structure\": {", "\"substance\": {",
                            "\"hour\": {", "\"masters\": {", "\"scoring\": {", "\"keys\": {"})
        EXPECT_NE(current.out.find(key), std::string::npos) << key;
    EXPECT_NE(current.out.find("\"year\": 1989, \"year_master\": \"Sole\", \"cycle_master\": \"Marte\""), std::string::npos);

    // The scoring left its files.
    EXPECT_EQ(qv::readTextLines(dir.path() / "FileDum" / "MMMaitr2.dum").size(), 18u);
    EXPECT_EQ(qv::readTextLines(dir.path() / "FileDum" / "Dati3.dum")[0], "PESCI     ");
}

TEST_F(CliAnalysis, BadArguments) {
    struct Case { std::string args; const char* message; };
    const Case cases[] = {
        {"analysis --only nope", "Analisi sconosciuta: \"nope\""},
        {"analysis", "Indicare --current oppure i dati di nascita"},
        {"analysis --current", "Nessun soggetto attuale"},
        {"analysis --current --date 10/03/1990", "togliere --date"},
        {"analysis --date 31/02/1990 --time 12:00 --corr 0 --coords 45N28-009E11", "Data inesistente"},
        {"analysis --date 10/03/1990 --time 12:00 --corr 0 --coords 45X28-009E11", "Coordinate non valide"},
        {"analysis --date 10/03/1990 --time 12:00 --corr 0 --coords 45N28-009E11 --node X", "Tipo di nodo"},
    };
    for (const Case& c : cases) {
        const CliRun r = runCli(c.args + dataDir());
        EXPECT_EQ(r.status, 2) << c.args << "\n" << r.out;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << c.args << "\n" << r.out;
    }
}

TEST_F(CliAnalysis, PolarNightShowsNoSunrise) {
    const CliRun r = runCli("analysis --only hour --date 21/12/2000 --time 12:00 --corr -1 --coords 78N13-015E38" + dataDir());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.find("sorge"), std::string::npos);
    EXPECT_EQ(r.out.find("Ora Planetaria:"), std::string::npos);
    EXPECT_NE(r.out.find("Giorno Planetario: Gioved\xC3\xAC\n"), std::string::npos);
}

} // namespace analysis_cli_test
