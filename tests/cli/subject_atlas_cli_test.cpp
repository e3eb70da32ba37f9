// End-to-end runs of register and modify against the shipped atlas: the
// correction and the coordinates come from the atlas and the time regimes
// unless given, given ones are compared with it, and a change of birth data
// brings the correction along.
#include "base/data_dir.h"
#include "base/text_file.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace subject_atlas_cli_test {

using CliResult = qv::test::CliRun;

CliResult cli(const std::string& args) { return qv::test::runCli(QV_CLI_PATH, args); }

const std::string kMinus = "\xE2\x88\x92";

class SubjectAtlasCli : public ::testing::Test {
protected:
    void SetUp() override { qv::test::writeZeroCorrectionTables(dir.path()); }
    std::string in() const { return " --data-dir " + dir.path().string(); }
    std::string bytes(const std::string& dataPath) const {
        return qv::readWholeFile(qv::DataDir(dir.path()).resolve(dataPath));
    }
    // Birth record k of BASE: the moment field and the place field.
    std::string moment(int k) const { return field(k, 0, 20); }
    std::string place(int k) const { return field(k, 21, 39); }
    std::string field(int k, std::size_t offset, std::size_t width) const {
        const std::string record = bytes("BASE.ST2").substr(static_cast<std::size_t>(k) * 385 + offset, width + 1);
        return record.substr(1, static_cast<unsigned char>(record[0]));
    }
    // Each registration another person of the same birth moment: the same
    // person twice would be refused.
    CliResult registerGubbio(const std::string& extra) {
        return cli("register --archive BASE --name 'Rossi Maria " + std::to_string(++registered) +
                   "' --date 03/03/1975 --time 12:00 " + extra + in());
    }
    int registered = 0;
    qv::test::TempDataDir dir;
};

TEST_F(SubjectAtlasCli, RegisterTakesCoordinatesAndCorrectionFromTheAtlas) {
    const CliResult r = registerGubbio("--place Gubbio");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(moment(1), "197503031200-1");
    EXPECT_EQ(place(1), "43N21-012E34GUBBIO *PG*");
    EXPECT_TRUE(r.has("Correzione " + kMinus + "1")) << r.out;
    EXPECT_FALSE(r.has("Attenzione")) << r.out;
    // A stressed final vowel typed with its accent, as the table spells it.
    ASSERT_EQ(registerGubbio("--place 'forl\xC3\xAC'").status, 0);
    EXPECT_EQ(place(2), "44N13-012E02FORLI' *FC*");
}

// What birth entry shows beside a derived correction is said too.
TEST_F(SubjectAtlasCli, RepeatedHoursAndUnknownRegimesAreTold) {
    CliResult r = cli("register --archive BASE --name Ora --date 28/09/1975 --time 00:30 --place Gubbio" + in());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(moment(1), "197509280030-2");
    EXPECT_TRUE(r.has("Attenzione: ORA AMBIGUA: l'ora si ripete al cambio di regime del 28/09/1975 01:00")) << r.out;
    r = cli("modify BASE 1 --date 03/03/2030 --time 12:00" + in());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.has("Attenzione: REGIMI ORARI NON AGGIORNATI")) << r.out;
}

TEST_F(SubjectAtlasCli, GivenValuesAreStoredAndComparedWithTheAtlas) {
    // A typo in the minutes and the zone's sign typed as a correction.
    CliResult r = registerGubbio("--place Gubbio --coords 43N21-012E03 --corr +1");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(moment(1), "197503031200+1");
    EXPECT_EQ(place(1).substr(0, 12), "43N21-012E03");
    EXPECT_TRUE(r.has("le coordinate 43N21-012E03 differiscono di 31' da quelle dell'atlante (43N21-012E34)"))
        << r.out;
    EXPECT_TRUE(r.has("la correzione +1 differisce da quella dell'atlante (" + kMinus + "1)")) << r.out;
    EXPECT_TRUE(r.has("--zone +1")) << r.out;

    // Within 2' and the same correction: nothing to say.
    r = registerGubbio("--place Gubbio --coords 43N22-012E33 --corr -1");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_FALSE(r.has("Attenzione")) << r.out;
    // The zone form, east positive, is the same correction.
    r = registerGubbio("--place Gubbio --zone +1");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(moment(3), "197503031200-1");
    EXPECT_FALSE(r.has("Attenzione")) << r.out;
    r = registerGubbio("--place Gubbio --zone +1 --corr -1");
    EXPECT_EQ(r.status, 2) << r.out;
}

TEST_F(SubjectAtlasCli, AnAmbiguousOrUnknownPlaceIsToldAndNothingIsWritten) {
    ASSERT_EQ(registerGubbio("--place Gubbio").status, 0);
    const std::string births = bytes("BASE.ST2");
    CliResult r = registerGubbio("--place Castro");
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_TRUE(r.has("CASTRO (BG) - ITALIA\n  CASTRO (LE) - ITALIA")) << r.out;
    r = registerGubbio("--place London --estero");
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_TRUE(r.has("--state")) << r.out;
    EXPECT_TRUE(r.has("LONDON - REGNO UNITO")) << r.out;
    r = registerGubbio("--place Atlantide");
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_TRUE(r.has("non trovata nell'atlante")) << r.out;
    EXPECT_EQ(bytes("BASE.ST2"), births);

    // Abroad, the state picks one; summer time in London is one hour.
    r = registerGubbio("--place London --estero --state 'Regno Unito' --date 03/07/1975");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(place(2), "51N31-000W08LONDON");
}

TEST_F(SubjectAtlasCli, ModifyBringsTheCorrectionAlongUnlessGiven) {
    ASSERT_EQ(registerGubbio("--place Gubbio").status, 0);
    // Into summer time: 1 June 1975.
    CliResult r = cli("modify BASE 1 --date 03/06/1975" + in());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.has("Data: 03/03/1975 \xE2\x86\x92 03/06/1975\nCorrezione: " + kMinus + "1 \xE2\x86\x92 " + kMinus +
                      "2\n"))
        << r.out;
    EXPECT_EQ(moment(1), "197506031200-2");

    // A typed correction is kept on purpose, with a warning.
    r = cli("modify BASE 1 --date 10/06/1975 --corr -1" + in());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(moment(1), "197506101200-1");
    EXPECT_TRUE(r.has("la correzione " + kMinus + "1 differisce da quella dell'atlante (" + kMinus + "2)")) << r.out;

    // A new place brings its coordinates.
    r = cli("modify BASE 1 --place 'Milano (MI)' --date 03/03/1975" + in());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(place(1), "45N28-009E11MILANO *MI*");
    EXPECT_EQ(moment(1), "197503031200-1");

    // Julian 25 May 1975 is Gregorian 7 June: summer time.
    r = cli("modify BASE 1 --date 25/05/1975 --calendar GI" + in());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(moment(1), "197505251200-2");
    EXPECT_TRUE(r.has("Calendario: GREGORIANO \xE2\x86\x92 GIULIANO")) << r.out;

    r = cli("modify BASE 1 --place Castro" + in());
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_TRUE(r.has("CASTRO (LE) - ITALIA")) << r.out;
    r = cli("modify BASE 1 --date 31/02/1975" + in());
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_EQ(moment(1), "197505251200-2");
}

TEST_F(SubjectAtlasCli, TheCurrentSubjectChangesOnlyWhenAsked) {
    ASSERT_EQ(registerGubbio("--place Gubbio").status, 0);  // registration makes it current
    CliResult r = cli("modify BASE 1 --time 13:00" + in());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.has("Il soggetto attuale resta com'era")) << r.out;
    EXPECT_TRUE(cli("chart --current" + in()).has("Nascita 03/03/1975 12:00")) << "unchanged by default";

    ASSERT_EQ(cli("recall BASE 1" + in()).status, 0);
    r = cli("modify BASE 1 --time 14:00 --update-current" + in());
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.has("Soggetto attuale aggiornato")) << r.out;
    EXPECT_TRUE(cli("chart --current" + in()).has("Nascita 03/03/1975 14:00"));
}

TEST_F(SubjectAtlasCli, TheHelpSaysWhichSignEachOptionUses) {
    const CliResult r = cli("--help");
    EXPECT_TRUE(r.has("--corr ORE: le ore da aggiungere all'ora locale per avere il Tempo Universale")) << r.out;
    EXPECT_TRUE(r.has("--zone \xC2\xB1H: il fuso, positivo a est")) << r.out;
    EXPECT_TRUE(r.has("modify NOME N")) << r.out;
}

} // namespace subject_atlas_cli_test
