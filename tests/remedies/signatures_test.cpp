// Remedies by signature and by text: the signature test, the signature
// search and its scratch files, the debilitated-sign mapping with the
// pathologies and marked remedies it leads to, and the composition and
// synthesis searches.
#include "base/errors.h"
#include "base/text_file.h"
#include "remedies/remedy_files.h"
#include "remedies/signature_search.h"
#include "remedies/text_consultation.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace qv::remedies {
namespace signatures_test {

using test::remedy;
using test::therapy;

RemedyRecord signed_(const std::string& name, const std::string& primary, const std::string& secondary,
                     const std::string& zodiacal) {
    RemedyRecord r = remedy(name, "Indicazione di " + name, primary, zodiacal);
    r.segnaturaSecondaria = secondary;
    return r;
}

TEST(SignatureTest, PlanetInEitherPlanetarySignatureAndSignInTheZodiacalOne) {
    struct Case {
        const char* planet;
        const char* sign;
        bool carried;
    };
    // Primary "Venere-Luna", secondary "Marte", zodiacal "Toro Bilancia".
    for (const Case& c : {Case{"Qualsiasi", "Qualsiasi", true}, Case{"Venere", "Qualsiasi", true},
                          Case{"Luna", "Toro", true}, Case{"Marte", "Bilancia", true}, Case{"Sole", "Qualsiasi", false},
                          Case{"Qualsiasi", "Ariete", false}, Case{"marte", "Qualsiasi", false},
                          Case{"Venere", "toro", false}}) {
        EXPECT_EQ(carriesSignature("Venere-Luna", "Marte", "Toro Bilancia", c.planet, c.sign), c.carried)
            << c.planet << " " << c.sign;
    }
}

TEST(SignatureTest, DebilitatedSignIsSearchedAcrossTheZodiac) {
    const std::pair<const char*, const char*> mapping[] = {
        {"Bilancia", "Ariete"},   {"Scorpione", "Toro"},    {"Sagittario", "Gemelli"}, {"Capricorno", "Cancro"},
        {"Acquario", "Leone"},    {"Pesci", "Vergine"},     {"Ariete", "Bilancia"},    {"Toro", "Scorpione"},
        {"Gemelli", "Sagittario"}, {"Cancro", "Capricorno"}, {"Leone", "Acquario"},    {"Vergine", "Pesci"},
        {"Qualsiasi", "Qualsiasi"}};
    for (auto [debilitated, searched] : mapping) EXPECT_EQ(oppositeSign(debilitated), searched) << debilitated;
}

class SignatureSearch : public ::testing::Test {
protected:
    test::TempDataDir temp;
    DataDir dir{temp.path()};

    std::vector<std::string> listed() {
        std::vector<std::string> names;
        for (const ListedRemedy& r : openRemedyNameList(dir)) names.push_back(r.name);
        return names;
    }
};

TEST_F(SignatureSearch, AnyPlanetAnySignGivesEveryDistinctNameOnceWithItsFirstRecord) {
    test::writeRemedyDatabase(dir, {signed_("Rosa", "Venere", "", "Toro"), signed_("Malva", "Luna", "Marte", "Cancro"),
                                    signed_("Rosa", "Sole", "", "Leone"), signed_("Errore di stampa", "Sole", "", ""),
                                    signed_("Iperico  ", "Sole", "", "Leone")});
    const std::vector<std::string> names = listed();
    EXPECT_EQ(names, (std::vector<std::string>{"Intestazione", "Iperico", "Malva", "Rosa"}));
    EXPECT_EQ(test::fileBytes(dir, files::kRemedyRecordNumbers), "0\r\n5\r\n2\r\n1\r\n");

    const auto hits = signatureSearch(dir, names, "Qualsiasi", "Qualsiasi");
    ASSERT_EQ(hits.size(), 4u);
    EXPECT_EQ(hits[3].record, 1);  // Rosa's first record, Venere in Toro
    EXPECT_EQ(test::fileBytes(dir, files::kSignatureHits),
              "Intestazione\r\n\r\n\r\n\r\nIperico  \r\nSole\r\n\r\nLeone\r\nMalva\r\nLuna\r\nMarte\r\nCancro\r\n"
              "Rosa\r\nVenere\r\n\r\nToro\r\n");

    // Marte stands only in Malva's secondary signature; Rosa is judged by its
    // first record, so Sole does not find it.
    EXPECT_EQ(signatureSearch(dir, names, "Marte", "Qualsiasi").size(), 1u);
    const auto sole = signatureSearch(dir, names, "Sole", "Leone");
    ASSERT_EQ(sole.size(), 1u);
    EXPECT_EQ(sole[0].data.rimedio, "Iperico  ");
}

TEST_F(SignatureSearch, ALineOfTheRecordNumbersPointingElsewhereLeavesItsEntryOut) {
    test::writeRemedyDatabase(dir, {signed_("Rosa", "Venere", "", "Toro"), signed_("Malva", "Venere", "", "Toro")});
    const std::vector<std::string> names = listed();  // Intestazione, Malva, Rosa
    writeTextList(dir, files::kRemedyRecordNumbers, {"0", "1", "99"});
    EXPECT_TRUE(signatureSearch(dir, names, "Venere", "Qualsiasi").empty());
    writeTextList(dir, files::kRemedyRecordNumbers, {"0", "2", "1"});
    EXPECT_EQ(signatureSearch(dir, names, "Venere", "Qualsiasi").size(), 2u);
}

TEST_F(SignatureSearch, DebilitiesLeadToPathologiesAndMarkTheRemediesCarryingTheSignature) {
    // Saturno debilitated in Bilancia: remedies of Saturno in Ariete.
    test::writeRemedyDatabase(dir, {signed_("Ortica", "Saturno", "", "Ariete"), signed_("Malva", "Luna", "", "Ariete"),
                                    signed_("Salvia", "Giove", "Saturno", "Ariete Toro")});
    test::writeRepertoryDatabase(dir, {therapy("Artrosi", "Ortica"), therapy("Tosse", "Malva"),
                                       therapy("artrosi", "Salvia"), therapy("Artrosi", "Malva"),
                                       therapy("Artrosi", "SALVIA"), therapy("Gotta", "Ortica")});
    const std::string searched = oppositeSign("Bilancia");
    EXPECT_EQ(debilityPathologies(dir, "Saturno", searched),
              (std::vector<std::string>{"artrosi", "Artrosi", "Gotta"}));
    EXPECT_EQ(pathologyRemedies(dir, "Artrosi", "Saturno", searched),
              (std::vector<std::string>{"Malva", ">>> Ortica <<<", ">>> SALVIA <<<"}));
    EXPECT_TRUE(debilityPathologies(dir, "NodoSud", searched).empty());
}

TEST_F(SignatureSearch, TextSearchIgnoresCaseAndShowsTheWordFoundInCapitals) {
    RemedyRecord rosa = remedy("Rosa", "Tosse");
    rosa.setNotes("Petali di rosa canina e Calendula officinale");
    rosa.setSynthesis("Apre alla tenerezza");
    RemedyRecord rosa2 = remedy("Rosa", "Insonnia");
    rosa2.setNotes("Fiori di tiglio");
    RemedyRecord malva = remedy("Malva", "Tosse");
    malva.setNotes("Malva silvestre");
    malva.setSynthesis("Mite");
    test::writeRemedyDatabase(dir, {rosa, malva, rosa2});
    const std::vector<std::string> names = listed();

    for (const char* word : {"calendula", "CALENDULA", "Calendula"})
        EXPECT_EQ(searchRemedyTexts(dir, names, word, RemedyTextKind::Composition), std::vector<std::string>{"Rosa"});
    EXPECT_EQ(searchRemedyTexts(dir, names, "tiglio", RemedyTextKind::Composition), std::vector<std::string>{"Rosa"});
    EXPECT_EQ(searchRemedyTexts(dir, names, "tiglio", RemedyTextKind::Synthesis), std::vector<std::string>{kNoResult});

    EXPECT_EQ(highlightWord(rosa.notes(), "calendula"), "Petali di rosa canina e CALENDULA officinale");
    // The word found in a later record of the name is shown in that record.
    EXPECT_EQ(highlightWord(textHoldingWord(dir, "Rosa", "tiglio", RemedyTextKind::Composition), "tiglio"),
              "Fiori di TIGLIO");
    EXPECT_EQ(remedyTextShown(dir, "Rosa", RemedyTextKind::Composition), rosa.notes());
    EXPECT_EQ(remedyTextShown(dir, "Malva", RemedyTextKind::Synthesis), std::string(kNoSynthesis));
    EXPECT_EQ(remedyTextShown(dir, "Rosa", RemedyTextKind::Synthesis), std::string("Apre alla tenerezza"));
    EXPECT_FALSE(remedyTextShown(dir, "Assente", RemedyTextKind::Synthesis));
}

TEST_F(SignatureSearch, AMissingDatabaseIsAnError) {
    EXPECT_THROW(openRemedyNameList(dir), IoError);
    EXPECT_THROW(debilityPathologies(dir, "Sole", "Ariete"), IoError);
}

} // namespace signatures_test
} // namespace qv::remedies
