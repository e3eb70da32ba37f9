// End-to-end runs of `quorendaville-cli atlas` on a temporary data directory
// holding the shipped place and regime tables.
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace atlas_cli_test {

using AtlasRun = qv::test::CliRun;

class CliAtlas : public ::testing::Test {
protected:
    AtlasRun atlas(const std::string& args) const {
        return qv::test::runCli(QV_CLI_PATH, "atlas " + args + " --data-dir " + dir.path().string());
    }
    qv::test::TempDataDir dir;
};

TEST_F(CliAtlas, FindShowsSevenPlacesAroundTheMatch) {
    const AtlasRun r = atlas("find milano");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("> MILANO (MI)"), std::string::npos) << r.out;
    int lines = 0;
    for (char c : r.out) lines += c == '\n';
    EXPECT_EQ(lines, 9) << r.out;  // the position line, seven places and the place the name stands for
    EXPECT_NE(r.out.find("\nLocalit\xC3\xA0: MILANO (MI) - ITALIA\n"), std::string::npos) << r.out;

    const AtlasRun foreign = atlas("find \"M\xC3\xBCnchen\" --estero");  // typed in UTF-8
    ASSERT_EQ(foreign.status, 0) << foreign.out;
    EXPECT_NE(foreign.out.find("M\xC3\x9CNCHEN"), std::string::npos) << foreign.out;
}

TEST_F(CliAtlas, CorrectionAsJsonAndAsText) {
    const AtlasRun milano = atlas("correction --place \"Milano (MI)\" --date 15/06/1850 --time 12:00 --json");
    ASSERT_EQ(milano.status, 0) << milano.out;
    for (const char* part : {"\"calendar\": \"GREG\"", "\"local_mean_time\": true",
                             "\"correction_text\": \"-0.612222222222222\"", "\"coordinates\": \"45N28-009E11\"",
                             "\"table\": \"00000001.CAL\"", "\"anomaly\": \"none\""})
        EXPECT_NE(milano.out.find(part), std::string::npos) << part << "\n" << milano.out;

    const AtlasRun trieste = atlas("correction --place \"TRIESTE (TS)\" --date 15/05/1916 --time 12:00");
    ASSERT_EQ(trieste.status, 0) << trieste.out;
    EXPECT_NE(trieste.out.find("Correzione (ore):    -2\n"), std::string::npos) << trieste.out;
    EXPECT_NE(trieste.out.find("  00000003.CAL\n"), std::string::npos) << trieste.out;

    const AtlasRun forli = atlas("correction --place \"Forl\xC3\xAC (FC)\" --date 15/05/1950 --time 12:00");
    EXPECT_NE(forli.out.find("FORLI' (FC) - ITALIA"), std::string::npos) << forli.out;

    const AtlasRun rome = atlas("correction --place \"ROMA (RM)\" --date 25/10/2020 --time 02:30");
    EXPECT_NE(rome.out.find("ORA AMBIGUA"), std::string::npos) << rome.out;
}

TEST_F(CliAtlas, ReformSettingComesFromTheSettingsFileUnlessGiven) {
    const std::string london = "correction --place London --state \"Regno Unito\" --estero --date 15/06/1700 --time 12:00";
    EXPECT_NE(atlas(london).out.find("Calendario:          GREG"), std::string::npos);
    std::filesystem::create_directories(dir.path() / "FileSet");
    std::ofstream(dir.path() / "FileSet" / "MMVarLas.stt") << "1\r\n0\r\n0\r\n0\r\n1.0\r\n\r\n1.0\r\n1.0\r\n";
    EXPECT_NE(atlas(london).out.find("Calendario:          GIUL"), std::string::npos) << atlas(london).out;
    EXPECT_NE(atlas(london + " --reform-flag 1").out.find("Calendario:          GREG"), std::string::npos);
}

// A place typed without its province resolves when only one province has a
// place of that name; otherwise every candidate is listed.
TEST_F(CliAtlas, PlaceWithoutItsProvince) {
    const AtlasRun gubbio = atlas("correction --place GUBBIO --date 01/01/1990 --time 12:00");
    ASSERT_EQ(gubbio.status, 0) << gubbio.out;
    EXPECT_NE(gubbio.out.find("GUBBIO (PG) - ITALIA"), std::string::npos) << gubbio.out;
    EXPECT_EQ(atlas("correction --place \" gubbio \" --date 01/01/1990 --time 12:00").status, 0);

    const AtlasRun castro = atlas("correction --place castro --date 01/01/1990 --time 12:00");
    EXPECT_EQ(castro.status, 2);
    EXPECT_NE(castro.out.find("indicare la provincia, per esempio \"CASTRO (XX)\"\n  CASTRO (BG) - ITALIA\n  CASTRO (LE) - ITALIA"),
              std::string::npos)
        << castro.out;

    const AtlasRun find = atlas("find castro");
    ASSERT_EQ(find.status, 0) << find.out;
    EXPECT_NE(find.out.find("CASTRO (BG) - ITALIA\n  CASTRO (LE) - ITALIA\n"), std::string::npos) << find.out;
    EXPECT_NE(atlas("find gubbio").out.find("Localit\xC3\xA0: GUBBIO (PG) - ITALIA"), std::string::npos);
}

TEST_F(CliAtlas, BadInputIsReportedWithUsageStatus) {
    const std::pair<std::string, std::string> cases[] = {
        {"correction --place \"MILANO (MI)\" --date 01/13/1990 --time 12:00", "Data Scorretta"},
        {"correction --place \"MILANO (MI)\" --date 1/1/1990 --time 24:00", "Data Scorretta"},
        {"correction --place \"MILANO (MI)\" --date 1-1-1990 --time 12:00", "Formato non valido"},
        {"correction --place \"NESSUNA (XX)\" --date 01/01/1990 --time 12:00", "non trovata"},
        {"correction --place Berlin --estero --date 01/01/1990 --time 12:00", "--state"},
        {"correction --place \"MILANO (MI)\" --date 01/01/1990 --time 12:00 --reform-flag 2", "--reform-flag"},
        {"locate MILANO", "Sottocomando sconosciuto"},
        {"find", "un solo prefisso"},
    };
    for (const auto& [args, message] : cases) {
        const AtlasRun r = atlas(args);
        EXPECT_EQ(r.status, 2) << args << "\n" << r.out;
        EXPECT_NE(r.out.find(message), std::string::npos) << args << "\n" << r.out;
    }
}

} // namespace atlas_cli_test
