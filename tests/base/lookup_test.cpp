#include "base/lookup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace qv {
namespace lookup_test {

// A symptom list as the remedy database stores it: mixed case, accents,
// an entry that is the beginning of the next ones.
const std::vector<std::string> kSymptoms = {
    "Cattiva digestione con spasmi",
    "Fragilit\xE0 capillare",
    "Insonnia da agitazione",
    "Insonnia da pensieri",
    "TSA Zenzero",
    "Tosse",
    "Tosse grassa",
    "Tosse secca",
    "Risveglio notturno con insonnia",
};
// A pathology list stored in capitals.
const std::vector<std::string> kPathologies = {"ACNE", "CISTITE", "CROSTA LATTEA", "DERMATITE", "\xC8RPETE"};

TEST(Lookup, SelectsTheFirstEntryBeginningWithTheTypedKey) {
    struct Case {
        const std::vector<std::string>* list;
        const char* typed;
        std::optional<std::size_t> selected;
        bool exact;
    };
    const Case cases[] = {
        {&kSymptoms, "tosse", 5, true},             // exact wins over "Tosse grassa"
        {&kSymptoms, "TOSSE ", 5, true},            // case and trailing blank
        {&kSymptoms, "tosse  g", 6, false},         // inner blanks collapse
        {&kSymptoms, "fragilita", 1, false},        // accent folded
        {&kSymptoms, "FRAGILIT\xC0", 1, false},
        {&kSymptoms, "insonnia", 2, false},         // first in list order
        {&kSymptoms, "tsa z", 4, false},
        {&kSymptoms, "tsa me", std::nullopt, false}, // no silent jump to "TSA Zenzero"
        {&kSymptoms, "cefalea", std::nullopt, false},
        {&kPathologies, "cis", 1, false},           // list in capitals
        {&kPathologies, "Crosta lattea", 2, true},
        {&kPathologies, "erpete", 4, true},
        {&kPathologies, "  ", std::nullopt, false},
    };
    for (const Case& c : cases) {
        const LookupResult r = FoldedList(*c.list).lookup(c.typed);
        EXPECT_EQ(r.selected, c.selected) << c.typed;
        EXPECT_EQ(r.exact, c.exact) << c.typed;
    }
}

TEST(Lookup, OffersContainingEntriesThenNearOnesWhenNothingBegins) {
    const FoldedList list(kSymptoms);
    LookupResult r = list.lookup("insonnia");
    EXPECT_TRUE(r.containing.empty()); // something begins with it: no drop-down

    r = list.lookup("spasmi");
    EXPECT_EQ(r.containing, (std::vector<std::size_t>{0}));
    EXPECT_FALSE(r.noMatch());

    r = list.lookup("notturno");
    EXPECT_EQ(r.containing, (std::vector<std::size_t>{8}));

    r = list.lookup("grassa");
    EXPECT_EQ(r.containing, (std::vector<std::size_t>{6}));

    r = list.lookup("insonia"); // a letter missing: near, not contained
    EXPECT_TRUE(r.noMatch());
    // Equally near within each entry; the shorter entry, nearer as a whole, first.
    EXPECT_EQ(r.suggestions, (std::vector<std::size_t>{3, 2, 8}));

    r = list.lookup("Tose secca");
    EXPECT_TRUE(r.noMatch());
    ASSERT_FALSE(r.suggestions.empty());
    EXPECT_EQ(r.suggestions.front(), 7u);

    r = list.lookup("cefalea"); // absent and far from every entry
    EXPECT_TRUE(r.noMatch());
    EXPECT_TRUE(r.suggestions.empty());

    r = list.lookup("");
    EXPECT_TRUE(r.empty());
    EXPECT_FALSE(r.noMatch());
}

TEST(Lookup, DropDownAndSuggestionsAreBounded) {
    std::vector<std::string> many;
    for (int i = 0; i < 40; ++i) many.push_back("Voce " + std::to_string(i) + " di prova");
    const FoldedList list(many);
    const LookupResult contained = list.lookup("di prova");
    EXPECT_EQ(contained.containing.size(), kMaxContaining);
    EXPECT_EQ(contained.containing.front(), 0u); // list order
    EXPECT_TRUE(contained.suggestions.empty()); // a full drop-down has no room for them
    const LookupResult near = list.lookup("di prava");
    EXPECT_TRUE(near.containing.empty());
    EXPECT_EQ(near.suggestions.size(), kMaxSuggestions);
    EXPECT_EQ(near.suggestions.front(), 0u); // equal distances keep list order
}

TEST(Lookup, DistancesOverKeys) {
    EXPECT_EQ(editDistance("tosse", "tose"), 1u);
    EXPECT_EQ(editDistance("", "abc"), 3u);
    EXPECT_EQ(editDistance("kitten", "sitting"), 3u);
    EXPECT_EQ(partialDistance("sonno", "disturbi del sonno"), 0u);
    EXPECT_EQ(partialDistance("sono", "disturbi del sonno"), 1u);
    EXPECT_EQ(partialDistance("abc", ""), 3u);
    EXPECT_EQ(suggestionReach(2), 0u);
    EXPECT_EQ(suggestionReach(7), 2u);
    EXPECT_EQ(suggestionReach(40), 4u);
}

// The word-parallel partial distance against its definition: the least
// edit distance to any stretch of the key.
TEST(Lookup, PartialDistanceIsTheLeastDistanceToAnyStretch) {
    std::mt19937 rng(7);
    auto randomKey = [&](std::size_t length) {
        std::string s;
        for (std::size_t i = 0; i < length; ++i) s += "abc "[rng() % 4];
        return s;
    };
    for (int round = 0; round < 300; ++round) {
        const std::string typed = randomKey(1 + rng() % (round < 290 ? 9 : 70));
        const std::string key = randomKey(rng() % 14);
        std::size_t least = editDistance(typed, "");
        for (std::size_t from = 0; from <= key.size(); ++from)
            for (std::size_t to = from; to <= key.size(); ++to)
                least = std::min(least, editDistance(typed, key.substr(from, to - from)));
        ASSERT_EQ(partialDistance(typed, key), least) << typed << " | " << key;
    }
}

TEST(Lookup, ResolvesANameArgument) {
    const FoldedList symptoms(kSymptoms);
    struct Case {
        const char* typed;
        std::optional<std::size_t> index;
        std::vector<std::size_t> candidates;
    };
    const Case cases[] = {
        {"tosse", 5, {}},              // exact over the longer entries
        {"tosse gr", 6, {}},           // the only one beginning so
        {"insonnia", std::nullopt, {2, 3}}, // two begin with it; the one containing it is not counted
        {"notturno", 8, {}},           // the only one containing it
        {"zenzero", 4, {}},
        {"con", std::nullopt, {0, 8}},
        {"cefalea", std::nullopt, {}},
    };
    for (const Case& c : cases) {
        const Resolution r = resolveName(symptoms, c.typed);
        EXPECT_EQ(r.index, c.index) << c.typed;
        EXPECT_EQ(r.candidates, c.candidates) << c.typed;
    }
    EXPECT_EQ(resolveName(symptoms, "tose grassa").suggestions.front(), 6u);
}

} // namespace lookup_test
} // namespace qv
