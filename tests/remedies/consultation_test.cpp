// Symptom, remedy and therapy consultations, their pages of fourteen rows
// and the sections the numbered buttons cycle through.
#include "remedies/consultation.h"
#include "remedies/remedy_text.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace qv::remedies {
namespace consultation_test {

using test::remedy;
using test::therapy;

TEST(MatchPages, FourteenToAPageAndNothingLeftOut) {
    struct Case {
        int matches;
        std::string indicator;
        bool red;
        int rowsOnLastPage;
    };
    for (const Case& c : {Case{14, "1/1", false, 14}, Case{15, "1/2", true, 1}, Case{20, "1/2", true, 6},
                          Case{141, "1/11", true, 1}}) {
        MatchPages pages;
        for (int i = 0; i < c.matches; ++i) pages.add(100 + i);
        EXPECT_EQ(pages.indicator(), c.indicator) << c.matches;
        EXPECT_EQ(pages.indicatorRed(), c.red) << c.matches;
        EXPECT_FALSE(pages.previous());
        while (pages.next()) {}
        EXPECT_EQ(static_cast<int>(pages.entriesOnPage().size()), c.rowsOnLastPage) << c.matches;
        EXPECT_EQ(pages.record(pages.entryOfRow(0)), 100 + (pages.pages() - 1) * 14);
        EXPECT_FALSE(pages.indicatorRed());
        EXPECT_EQ(pages.entryOfRow(13), c.rowsOnLastPage == 14 ? pages.count() - 1 : -1);
    }
    MatchPages pages;
    for (int i = 0; i < 15; ++i) pages.add(i);
    ASSERT_TRUE(pages.next());
    EXPECT_EQ(pages.indicator(), "2/2");
    EXPECT_FALSE(pages.next());
}

TEST(NoteCycle, StepsThroughItsStatesPerRow) {
    NoteCycle four(4);
    std::vector<int> shown;
    for (int i = 0; i < 5; ++i) shown.push_back(four.press(2));
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 0}));
    EXPECT_EQ(four.state(0), 0);
    four.reset();
    EXPECT_EQ(four.press(2), 0);
    NoteCycle two(2);
    EXPECT_EQ(two.press(0), 0);
    EXPECT_EQ(two.press(0), 1);
    EXPECT_EQ(two.press(0), 0);
}

TEST(NoteSections, SymptomAndRemedyRowsWithTheirEmptyTexts) {
    RemedyRecord r = remedy("Rosa", "Tosse");
    r.setWarnings("Non in gravidanza.  --");
    r.setDosage(std::string(900, 'd'));
    const NoteSection warn = symptomRowNote(r, 0);
    EXPECT_EQ(warn.label, "Rosa - Avvertenze");
    EXPECT_EQ(warn.text, "Non in gravidanza.");
    EXPECT_EQ(symptomRowNote(r, 1).text, "Non \xE8 per ora stabilita una Sintesi Psichica");
    EXPECT_EQ(symptomRowNote(r, 2).text, "Il Database Primario non riporta Note");
    EXPECT_EQ(symptomRowNote(r, 3).label, "Rosa - Note Supplementari");
    EXPECT_EQ(symptomRowNote(r, 3).text, "Il Database Primario non riporta Note Supplementari");
    EXPECT_EQ(symptomRowNote(remedy("Malva", ""), 0).text, kNoWarnings);
    EXPECT_EQ(remedyRowNote(r, 0).label, "Rosa - Posologia");
    EXPECT_EQ(remedyRowNote(r, 0).text.size(), 900u);  // the whole dosage
    EXPECT_EQ(remedyRowNote(remedy("Malva", ""), 0).text, "");
}

TEST(SignatureWords, PrimaryWordsMarkedEmptyWordsKept) {
    using W = std::vector<std::string>;
    EXPECT_EQ(signatureWords("Sole-Luna", "Marte", true), (W{"\xA7 Sole", "\xA7 Luna", "Marte"}));
    EXPECT_EQ(signatureWords("Sole", "", true), (W{"\xA7 Sole", ""}));
    // A hyphen in the secondary signature does not make its words primary.
    EXPECT_EQ(signatureWords("Sole", "Marte-Giove", true), (W{"\xA7 Sole", "Marte", "Giove"}));
    EXPECT_EQ(signatureWords("Ariete  Toro", "", false), (W{"Ariete", "", "Toro"}));
    std::string many;
    for (int i = 0; i < 14; ++i) many += "Parolalunghissima" + std::to_string(i) + " ";
    EXPECT_EQ(signatureWords(many, "", false).size(), 15u);  // every word, whole
}

TEST(RemedyNames, PreparationCaptionAndUseNumber) {
    EXPECT_EQ(preparationCaption("MSA Rosa"), "(Macerato Spagirico-Alchemico)");
    EXPECT_EQ(preparationCaption("Rosa TSA MSA"), "(Tintura Spagirico-Alchemica)");
    EXPECT_FALSE(preparationCaption("QSPC Ruta").empty());
    EXPECT_EQ(preparationCaption("HS 8 - Rosa"), "");
    EXPECT_TRUE(hasUseNumber("Rosa (2)"));
    EXPECT_FALSE(hasUseNumber("Rosa (0)"));
    EXPECT_FALSE(hasUseNumber("Rosa"));
}

class Consultation : public ::testing::Test {
protected:
    test::TempDataDir temp;
    DataDir dir{temp.path()};
};

TEST_F(Consultation, SymptomSearchComparesTheWholeIndicationInFileOrder) {
    const std::string long251 = std::string(250, 'L') + "x";
    test::writeRemedyDatabase(dir, {remedy("Rosa", "Tosse"), remedy("Malva", "tosse"), remedy("Altea", "Tosse;"),
                                    remedy("Ortica", long251), remedy("Salvia", "Tosse secca")});
    std::vector<std::string> found;
    for (const RemedyMatch& m : findSymptom(dir, "Tosse")) found.push_back(m.data.rimedio + "@" + std::to_string(m.record));
    EXPECT_EQ(found, (std::vector<std::string>{"Rosa@1", "Altea@3"}));
    ASSERT_EQ(findSymptom(dir, long251).size(), 1u);
    EXPECT_TRUE(findSymptom(dir, "Nessuno").empty());
}

TEST_F(Consultation, RemedySearchFindsVariantLinesThroughTheirSourceName) {
    test::writeRemedyDatabase(dir, {remedy("MSA Rosa", "Tosse"), remedy("Malva", "Afonia"), remedy("MSA Rosa", "Ansia")});
    const std::string variant = "Rosa (MSA)" + std::string(60, ' ') + "MSA Rosa";
    const auto direct = findRemedy(dir, "MSA Rosa");
    const auto throughVariant = findRemedy(dir, variant);
    ASSERT_EQ(direct.size(), 2u);
    ASSERT_EQ(throughVariant.size(), 2u);
    EXPECT_EQ(throughVariant[1].record, 3);
    EXPECT_TRUE(findRemedy(dir, "Ignota").empty());
}

TEST_F(Consultation, TherapyRowsAndTheirTwoNoteStates) {
    RemedyRecord rosa = remedy("Rosa", "Tosse");
    rosa.setWarnings("Non superare la dose.");
    test::writeRemedyDatabase(dir, {rosa, remedy("Malva", "Afonia")});
    test::writeRepertoryDatabase(dir, {therapy("Tosse", "Rosa", "10 gocce", "Al mattino."), therapy("Tosse", "Malva", "5 gocce"),
                                       therapy("Tosse", "Altea", "3 gocce"), therapy("Febbre", "Rosa")});
    const auto rows = findPathology(dir, "Tosse");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].data.posologia, "10 gocce");

    const NoteSection notes = therapyRowNote(dir, "Tosse", "Rosa", 0);
    EXPECT_EQ(notes.label, "Note su Rosa / Tosse");
    EXPECT_EQ(notes.text, "Al mattino.");
    EXPECT_EQ(therapyRowNote(dir, "Tosse", "Malva", 0).text,
              "Nessuna Nota registrata per questa combinazione Patologia-Rimedio");
    const NoteSection warnings = therapyRowNote(dir, "Tosse", "Rosa", 1);
    EXPECT_EQ(warnings.label, "Rosa - Avvertenze");
    EXPECT_EQ(warnings.text, "Non superare la dose.");
    EXPECT_EQ(therapyRowNote(dir, "Tosse", "Malva", 1).text,
              "Il Database Primario non contempla Avvertenze per l'uso di questo Rimedio");
    const NoteSection missing = therapyRowNote(dir, "Tosse", "Altea", 1);
    EXPECT_EQ(missing.label, "Altea non \xE8 stato rintracciato nel Database Primario");
    EXPECT_EQ(missing.text, "");
}

} // namespace consultation_test
} // namespace qv::remedies
