// End-to-end runs of `quorendaville-cli remedies` on a small remedy
// database written into a temporary data directory.
#include "base/text_file.h"
#include "remedies/remedy_files.h"
#include "remedies/safety_tables.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace remedies_cli_test {

using qv::test::CliRun;
using qv::test::remedy;
using qv::test::therapy;
namespace files = qv::remedies::files;

class CliRemedies : public ::testing::Test {
protected:
    qv::test::TempDataDir temp;
    qv::DataDir dir{temp.path()};

    void SetUp() override {
        qv::remedies::RemedyRecord rosa = remedy("MSA Rosa", "Tosse", "Venere", "Toro");
        rosa.segnaturaSecondaria = "Luna";
        rosa.setDosage("10 gocce al mattino");
        rosa.setWarnings("Non in gravidanza.");
        qv::test::writeRemedyDatabase(dir, {rosa, remedy("Malva (2)", "Tosse", "Luna", "Cancro"),
                                            remedy("MSA Rosa", "Insonnia \xE8 notturna"), remedy("Y", "B"),
                                            remedy("X", "A"), remedy("X", "C"), remedy("Malva (2)", "Tosse grassa")});
        qv::test::writeRepertoryDatabase(dir, {therapy("Cefalea", "MSA Rosa", "5 gocce", "Con acqua."),
                                               therapy("Febbre", "Malva (2)", "2 gocce"), therapy("Cefalea", "Malva (2)")});
        // When to see the doctor: two complaints of their own, the rest the general line.
        qv::writeTextLines(dir.prepareForWrite(qv::remedies::files::kRedFlags),
                           {"*\tGenerale.", "tosse\tTosse che dura: al medico.", "Cefalea\tImprovvisa e violenta: 118."});
    }
    CliRun remedies(const std::string& args) const {
        return qv::test::runCli(QV_CLI_PATH, "remedies " + args + " --data-dir " + temp.path().string());
    }
};

TEST_F(CliRemedies, RebuildThenConsultSymptomRemedyAndPathology) {
    const CliRun rebuilt = remedies("rebuild");
    ASSERT_EQ(rebuilt.status, 0) << rebuilt.out;
    // 28 files, or 30 when the data directory also holds the plant database.
    EXPECT_TRUE(rebuilt.has("28 file rigenerati") || rebuilt.has("30 file rigenerati")) << rebuilt.out;
    EXPECT_EQ(qv::readTextLines(dir.resolve(files::kSymptomList)),
              (std::vector<std::string>{"A", "B", "C", "Insonnia \xE8 notturna", "Tosse", "Tosse grassa"}));

    const CliRun symptom = remedies("symptom Tosse");
    ASSERT_EQ(symptom.status, 0) << symptom.out;
    EXPECT_TRUE(symptom.has("Sintomo: Tosse\nQuando rivolgersi al medico: Tosse che dura: al medico.\n"
                            "2 rimedi\n- MSA Rosa  [Venere Luna | Toro]\n  Posologia: 10 gocce al mattino\n"
                            "  Avvertenze: Non in gravidanza.\n- Malva (2)"))
        << symptom.out;
    EXPECT_TRUE(symptom.has("Sintomo: Tosse grassa\nQuando rivolgersi al medico: Generale.\n1 rimedi\n- Malva (2)"))
        << symptom.out;
    const CliRun accented = remedies("symptom \"Insonnia \xC3\xA8 notturna\" --json");
    EXPECT_TRUE(accented.has("\"symptom\": \"Insonnia \xC3\xA8 notturna\", \"referral\": \"Generale.\", "
                             "\"matches\": [{\"record\": 3, \"remedy\": \"MSA Rosa\""))
        << accented.out;

    const CliRun rosa = remedies("remedy \"MSA Rosa\"");
    ASSERT_EQ(rosa.status, 0) << rosa.out;
    EXPECT_TRUE(rosa.has("Rimedio: MSA Rosa (Macerato Spagirico-Alchemico)")) << rosa.out;
    EXPECT_TRUE(rosa.has("2 indicazioni\n- Tosse")) << rosa.out;
    const CliRun malva = remedies("remedy \"Malva (2)\" --json");
    EXPECT_TRUE(malva.has("\"use_number\": true")) << malva.out;
    EXPECT_TRUE(malva.has("\"warnings\": \"Non \xC3\xA8 stato finora necessario prescrivere Avvertenze\"")) << malva.out;

    const CliRun cefalea = remedies("pathology Cefalea --json");
    EXPECT_TRUE(cefalea.has("{\"record\": 1, \"remedy\": \"MSA Rosa\", \"dosage\": \"5 gocce\", \"notes\": \"Con acqua.\", "
                             "\"warnings\": \"Non in gravidanza.\"}"))
        << cefalea.out;
}

TEST_F(CliRemedies, RankingOfSymptomsAndCompositeTherapy) {
    ASSERT_EQ(remedies("rebuild").status, 0);
    const CliRun ranked = remedies("rank A B C");
    ASSERT_EQ(ranked.status, 0) << ranked.out;
    EXPECT_TRUE(ranked.has("\n02 X\n01 Y\n") || ranked.out.rfind("02 X\n01 Y\n", 0) == 0) << ranked.out;
    // Every complaint goes with when to see the doctor, its own or the general one.
    EXPECT_TRUE(ranked.has("Quando rivolgersi al medico:\n- A: Generale.\n- B: Generale.\n- C: Generale.\n")) << ranked.out;
    const CliRun json = remedies("rank A B C --json");
    EXPECT_TRUE(json.has("\"ranking\": [{\"count\": 2, \"name\": \"X\", \"warnings\": \"\"}, {\"count\": 1, \"name\": \"Y\", \"warnings\": \"\"}]")) << json.out;

    const CliRun therapy = remedies("therapy Cefalea Febbre");
    ASSERT_EQ(therapy.status, 0) << therapy.out;
    EXPECT_TRUE(therapy.has("02 Malva (2)\n01 MSA Rosa\n")) << therapy.out;
    const CliRun none = remedies("therapy Nessuna");
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.has("Nessuna patologia trovata: \"Nessuna\"")) << none.out;
}

// Every lookup compares folded keys: case, accents, blanks and punctuation
// do not count; an entry that only contains the text is found too; when
// nothing matches, the answer says so with the near entries and exit 1.
TEST_F(CliRemedies, LookupsCompareFoldedKeys) {
    ASSERT_EQ(remedies("rebuild").status, 0);
    const struct {
        const char* args;
        int status;
        const char* expected;
    } cases[] = {
        {"symptom TOSSE", 0, "Sintomo: Tosse\nQuando rivolgersi al medico: Tosse che dura: al medico.\n2 rimedi"},
        {"symptom ' tosse, '", 0, "Sintomo: Tosse grassa\n"},
        {"symptom insonnia", 0, "Sintomo: Insonnia \xC3\xA8 notturna\nQuando rivolgersi al medico: Generale.\n1 rimedi\n- MSA Rosa"},
        {"symptom 'INSONNIA E NOTTURNA'", 0, "Sintomo: Insonnia \xC3\xA8 notturna"},
        {"symptom notturna", 0, "Sintomo: Insonnia \xC3\xA8 notturna"},
        {"symptom tose", 1, "Nessun sintomo trovato: \"tose\"\nVoci simili:\n- Tosse\n- Tosse grassa\n"},
        {"symptom cefalea", 1, "Nessun sintomo trovato: \"cefalea\"\n"},
        {"symptom tose --json", 1, "{\"query\": \"tose\", \"symptoms\": [], \"suggestions\": [\"Tosse\", \"Tosse grassa\"]}"},
        {"symptom tosse --json", 0, "\"dosage\": \"10 gocce al mattino\", \"warnings\": \"Non in gravidanza.\"}"},
        {"remedy rosa", 0, "Rimedio: MSA Rosa (Macerato Spagirico-Alchemico)"},
        {"remedy 'MALVA 2'", 0, "Rimedio: Malva (2)"},
        {"remedy ortica", 1, "Nessun rimedio trovato: \"ortica\""},
        {"pathology CEFALEA", 0, "Patologia: Cefalea\n2 rimedi\n- MSA Rosa  Posologia: 5 gocce\n  Note: Con acqua.\n"
                                 "  Avvertenze: Non in gravidanza.\n"},
        {"pathology febre", 1, "Nessuna patologia trovata: \"febre\"\nVoci simili:\n- Febbre\n"},
        {"rank a c", 0, "02 X\n"},
        {"rank tosse --json", 0, "{\"count\": 1, \"name\": \"MSA Rosa\", \"warnings\": \"Non in gravidanza.\"}"},
        {"rank tosse", 0, "01 MSA Rosa\n  Avvertenze: Non in gravidanza.\n"},
        {"rank tos a", 1, "Pi\xC3\xB9 voci per il sintomo \"tos\":\n- Tosse\n- Tosse grassa\n"},
        {"rank a tose", 1, "Nessun sintomo trovato: \"tose\""},
        {"rank tos --json", 1, "{\"unresolved\": [{\"query\": \"tos\", \"candidates\": [\"Tosse\", \"Tosse grassa\"]}]}"},
        {"therapy cefalea FEBBRE", 0, "02 Malva (2)\n"},
        {"therapy cefalea", 0, "01 MSA Rosa\n  Avvertenze: Non in gravidanza.\n"},
        {"therapy cefalea", 0, "Quando rivolgersi al medico:\n- Cefalea: Improvvisa e violenta: 118.\n"},
        {"therapy cefalea --json", 0, "\"referrals\": [{\"complaint\": \"Cefalea\", \"referral\": \"Improvvisa e violenta: 118.\"}]"},
        {"list symptoms", 0, "A\nB\nC\nInsonnia \xC3\xA8 notturna\nTosse\nTosse grassa\n"},
        {"list sintomi --prefix TOSSE", 0, "Tosse\nTosse grassa\n"},
        {"list pathologies --json", 0, "{\"list\": \"pathologies\", \"prefix\": null, \"entries\": [\"Cefalea\", \"Febbre\"]}"},
        {"list remedies --prefix malva", 0, "Malva (2)"},
        {"list symptoms --prefix zz", 1, "Nessuna voce trovata\n"},
        {"list animali", 2, "Elenco sconosciuto"},
        {"list", 2, "Indicare l'elenco"},
    };
    for (const auto& c : cases) {
        const CliRun r = remedies(c.args);
        EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.out;
        EXPECT_TRUE(r.has(c.expected)) << c.args << "\n" << r.out;
    }
    // An exact entry still lists the longer ones that begin with it, and no other.
    const CliRun tosse = remedies("symptom tosse");
    EXPECT_FALSE(tosse.has("Insonnia")) << tosse.out;
}

TEST_F(CliRemedies, BadArgumentsAndDamagedFiles) {
    std::string sixteen;
    for (int i = 0; i < 16; ++i) sixteen += " S" + std::to_string(i);
    const std::pair<std::string, std::string> usage[] = {
        {"rank" + sixteen, "Al massimo 15 voci"},
        {"rank", "Indicare almeno un sintomo"},
        {"symptom", "Indicare un solo testo"},
        {"search Tosse", "Sottocomando sconosciuto"},
        {"rebuild --fast", "Opzione sconosciuta"},
        {"symptom '\xE4\xB8\xAD'", "Il testo di SINTOMO contiene \"\xE4\xB8\xAD\""},  // not Windows-1252
        {"remedy 'Rosa\tcanina'", "Il testo di RIMEDIO contiene un carattere di controllo (tabulazione)"},
        {"rank Tosse '\x1b[31m'", "Il testo di VOCE 2 contiene un carattere di controllo (ESC)"},
    };
    for (const auto& [args, message] : usage) {
        const CliRun r = remedies(args);
        EXPECT_EQ(r.status, 2) << args << "\n" << r.out;
        EXPECT_TRUE(r.has(message)) << args << "\n" << r.out;
    }

    ASSERT_EQ(remedies("rebuild").status, 0);
    const std::string listBefore = qv::readWholeFile(dir.resolve(files::kSymptomList));
    std::ofstream(dir.resolve(files::kRemedies), std::ios::binary | std::ios::app) << "x";
    const std::string damaged = qv::readWholeFile(dir.resolve(files::kRemedies));
    for (const char* args : {"rebuild", "symptom Tosse", "rank A"}) {
        const CliRun r = remedies(args);
        EXPECT_EQ(r.status, 1) << args << "\n" << r.out;
        EXPECT_TRUE(r.has("OpzioneH\\DBmain.rnd")) << r.out;
        EXPECT_TRUE(r.has("non \xC3\xA8 un multiplo del record")) << r.out;
    }
    EXPECT_EQ(qv::readWholeFile(dir.resolve(files::kRemedies)), damaged);
    EXPECT_EQ(qv::readWholeFile(dir.resolve(files::kSymptomList)), listBefore);
}

} // namespace remedies_cli_test
