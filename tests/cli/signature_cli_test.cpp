// End-to-end runs of `quorendaville-cli remedies signature` and `remedies
// linked` on a small remedy database in a temporary data directory.
#include "remedies/support_lists.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace signature_cli_test {

using qv::test::CliRun;
using qv::test::remedy;

class CliSignatures : public ::testing::Test {
protected:
    qv::test::TempDataDir temp;
    qv::DataDir dir{temp.path()};

    void SetUp() override {
        qv::remedies::RemedyRecord malva = remedy("Malva", "Tosse", "Luna", "Cancro");
        malva.segnaturaSecondaria = "Marte";
        qv::remedies::RemedyRecord iperico = remedy("Iperico", "Ansia", "Sole", "Capricorno");
        iperico.setWarnings("Rende la pelle sensibile al sole. Con farmaci solo su parere del medico.");
        qv::test::writeRemedyDatabase(dir, {remedy("Ortica", "Gotta", "Marte", "Ariete"), malva,
                                            remedy("Ortica", "Anemia", "Sole", "Leone"), iperico});
        qv::test::writeRepertoryDatabase(dir, {});
        qv::remedies::rebuildSupportLists(dir);
    }
    CliRun remedies(const std::string& args) const {
        return qv::test::runCli(QV_CLI_PATH, "remedies " + args + " --data-dir " + temp.path().string());
    }
};

TEST_F(CliSignatures, PlanetInThePrimaryOrAlsoInTheSecondarySignature) {
    const CliRun primary = remedies("signature --planet Marte");
    ASSERT_EQ(primary.status, 0) << primary.out;
    EXPECT_TRUE(primary.has("1 rimedi\n- Ortica  [Marte |  | Ariete]\n")) << primary.out;

    const CliRun both = remedies("signature --planet Marte --secondary --json");
    ASSERT_EQ(both.status, 0) << both.out;
    EXPECT_TRUE(both.has("{\"record\": 2, \"remedy\": \"Malva\", \"primary\": \"Luna\", \"secondary\": \"Marte\", "
                         "\"zodiacal\": \"Cancro\", \"through\": \"secondaria\"}"))
        << both.out;

    const CliRun any = remedies("signature --planet Qualsiasi --sign Qualsiasi");
    EXPECT_TRUE(any.has("4 rimedi\n")) << any.out;  // the header, Iperico, Malva, Ortica: each name once
    EXPECT_TRUE(remedies("signature --planet Sole --sign Leone").has("0 rimedi")) << "Ortica is judged by its first record";

    const CliRun wrong = remedies("signature --planet Plutone");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(wrong.has("Valore non valido per --planet: \"Plutone\"")) << wrong.out;
    EXPECT_EQ(remedies("signature --sign Ariete").status, 2);

    // Planet and sign words compare folded keys; a word that fits two is refused naming both.
    EXPECT_TRUE(remedies("signature --planet MARTE --sign ari").has("1 rimedi\n- Ortica")) << remedies("signature --planet MARTE --sign ari").out;
    EXPECT_TRUE(remedies("signature --planet qualsiasi --sign \"  leone \"").has("Segnatura: Qualsiasi in Leone"));
    const CliRun nodes = remedies("signature --planet nodo");
    EXPECT_EQ(nodes.status, 2);
    EXPECT_TRUE(nodes.has("NodoNord, NodoSud")) << nodes.out;
}

TEST_F(CliSignatures, LinkedRemediesOfEachPointWithTheReason) {
    // 21/07/1990 12:00 UT: the Sun in Cancer.
    const CliRun linked = remedies("linked --date 21/07/1990 --time 12:00 --corr 0 --coords 41N54-012E29");
    ASSERT_EQ(linked.status, 0) << linked.out;
    // Every proposed remedy with its warnings in full.
    EXPECT_TRUE(linked.has("Sole in Cancro\n  segnatura primaria Sole: Iperico, Ortica\n"
                           "    Avvertenze di Iperico: Rende la pelle sensibile al sole. Con farmaci solo su parere del medico.\n"
                           "  segnatura zodiacale Cancro: Malva\n"))
        << linked.out;
    EXPECT_TRUE(linked.has("Ascendente in ")) << linked.out;
    EXPECT_FALSE(linked.has("segnatura primaria Ascendente")) << linked.out;

    const CliRun json = remedies("linked --date 21/07/1990 --time 12:00 --corr 0 --coords 41N54-012E29 --json");
    ASSERT_EQ(json.status, 0) << json.out;
    EXPECT_TRUE(json.has("{\"point\": 1, \"name\": \"Sole\", \"sign\": 4, \"sign_name\": \"Cancro\", \"links\": "
                         "[{\"remedy\": \"Iperico\", \"through\": \"primary\", \"word\": \"Sole\", \"warnings\": "
                         "\"Rende la pelle sensibile al sole. Con farmaci solo su parere del medico.\"}, "
                         "{\"remedy\": \"Ortica\", \"through\": \"primary\", \"word\": \"Sole\", \"warnings\": \"\"}"))
        << json.out;

    EXPECT_EQ(remedies("linked").status, 2);
    EXPECT_EQ(remedies("linked --current").status, 2);  // no current subject yet
}

} // namespace signature_cli_test
