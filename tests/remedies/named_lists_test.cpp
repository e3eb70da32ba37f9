// Finding entries of the consultation lists by what was typed, and the
// warnings that go with every proposed remedy.
#include "remedies/named_lists.h"

#include "remedies/remedy_files.h"
#include "remedies/support_lists.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace qv::remedies {
namespace named_lists_test {

using test::remedy;

// A symptom list as the rebuild writes it, and a pathology list in capitals.
const std::vector<std::string> kSymptoms = {"Insonnia da agitazione", "Insonnia da pensieri", "Nervosismo con insonnia",
                                            "Tosse", "Tosse grassa"};
const std::vector<std::string> kPathologies = {"CISTITE", "CROSTA LATTEA", "\xC8RPETE"};

TEST(NamedLists, SearchFindsBeginningsAndContainedTextOrSuggests) {
    struct Case {
        const std::vector<std::string>* list;
        const char* typed;
        std::vector<std::string> matches;
        std::vector<std::string> suggestions;
    };
    const Case cases[] = {
        {&kSymptoms, "insonnia", {"Insonnia da agitazione", "Insonnia da pensieri", "Nervosismo con insonnia"}, {}},
        {&kSymptoms, "TOSSE", {"Tosse", "Tosse grassa"}, {}},
        {&kSymptoms, " tosse  grassa.", {"Tosse grassa"}, {}},
        {&kSymptoms, "insonia", {}, {"Insonnia da pensieri", "Insonnia da agitazione", "Nervosismo con insonnia"}},
        {&kSymptoms, "cefalea", {}, {}},
        {&kSymptoms, "", {}, {}},
        {&kPathologies, "cis", {"CISTITE"}, {}},
        {&kPathologies, "erpete", {"\xC8RPETE"}, {}},
        {&kPathologies, "lattea", {"CROSTA LATTEA"}, {}},
    };
    for (const Case& c : cases) {
        const ListSearch found = searchList(*c.list, c.typed);
        EXPECT_EQ(found.matches, c.matches) << c.typed;
        EXPECT_EQ(found.suggestions, c.suggestions) << c.typed;
    }
}

TEST(NamedLists, ChoosingANameResolvesOrNamesTheCandidates) {
    EXPECT_EQ(chooseName(kSymptoms, "tosse").entry, "Tosse"); // the whole key over a longer entry
    EXPECT_EQ(chooseName(kSymptoms, "insonnia da p").entry, "Insonnia da pensieri");
    EXPECT_EQ(chooseName(kSymptoms, "nervosismo").entry, "Nervosismo con insonnia");
    const NameChoice two = chooseName(kSymptoms, "insonnia");
    EXPECT_FALSE(two.entry);
    EXPECT_EQ(two.candidates, (std::vector<std::string>{"Insonnia da agitazione", "Insonnia da pensieri"}));
    const NameChoice none = chooseName(kPathologies, "cistide");
    EXPECT_FALSE(none.entry);
    EXPECT_EQ(none.suggestions, std::vector<std::string>{"CISTITE"});
    EXPECT_EQ(chooseName(kPathologies, "crosta").entry, "CROSTA LATTEA");
}

TEST(NamedLists, ListNamesAndPrefixes) {
    EXPECT_EQ(namedListOf("SYMPTOMS"), NamedList::Symptoms);
    EXPECT_EQ(namedListOf("piante"), NamedList::Plants);
    EXPECT_FALSE(namedListOf("animali"));
    EXPECT_EQ(entriesBeginningWith(kSymptoms, "TOS"), (std::vector<std::string>{"Tosse", "Tosse grassa"}));
    EXPECT_TRUE(entriesBeginningWith(kPathologies, "zz").empty());
}

TEST(NamedLists, WarningsOfRemediesAndOfThePlantsTheyAreMadeFrom) {
    test::TempDataDir temp;
    DataDir dir(temp.path());
    RemedyRecord tsa = remedy("TSA Iperico", "Tristezza");
    RemedyRecord later = remedy("TSA Iperico", "Dolori nervosi");
    later.setWarnings("Riduce l'effetto di molti farmaci: con farmaci solo su parere del medico.");
    RemedyRecord qspc = remedy("QSPC Iperico", "Tristezza");
    qspc.setWarnings("Rende la pelle sensibile al sole.");
    test::writeRemedyDatabase(dir, {tsa, later, qspc, remedy("Iperico (2)", "Ansia"), remedy("Malva", "Tosse")});
    const auto all = remedyWarnings(dir);
    EXPECT_EQ(all.at("TSA Iperico"), "Riduce l'effetto di molti farmaci: con farmaci solo su parere del medico.");
    EXPECT_EQ(all.at("Malva"), "");
    EXPECT_EQ(remedyWarningsOf(dir, "QSPC Iperico  "), "Rende la pelle sensibile al sole.");
    EXPECT_EQ(remedyWarningsOf(dir, "Assente"), "");
    EXPECT_EQ(plantRemedyWarningsText(dir, "IPERICO"),
              "QSPC Iperico: Rende la pelle sensibile al sole.\n"
              "TSA Iperico: Riduce l'effetto di molti farmaci: con farmaci solo su parere del medico.");
    EXPECT_EQ(plantRemedyWarningsText(dir, "Malva"), "Nessuna Avvertenza registrata per i rimedi di questa pianta");
}

} // namespace named_lists_test
} // namespace qv::remedies
