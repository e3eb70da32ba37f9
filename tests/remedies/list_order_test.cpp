// List order, distinctness and the "Cerca" bisection.
#include "remedies/list_order.h"
#include "remedies/list_prefix_search.h"

#include <gtest/gtest.h>

namespace qv::remedies {
namespace {

TEST(ListOrder, CaseInsensitiveWithAccentsByTheirLetterAndTiesBroken) {
    // Each text sorts before the next.
    const std::vector<std::string> expected = {
        "",
        "Ansia",
        "ansia notturna",  // a longer text after its beginning, whatever the case
        "Ansia-Panico",    // a blank before punctuation
        "Asma",
        "Citt\xE0",       // an accented letter sorts as its plain letter
        "cittadino",
        "dolore",          // equal letters: lower case first...
        "Dolore",
        "DOLORE",
        "Dolor\xE8",      // ...and the plain letter before the accented one
        "E5",              // digits before letters
        "Ea",
        "\xC8lleboro",    // È is an e
        "zenzero",
    };
    std::vector<std::string> texts(expected.rbegin(), expected.rend());
    sortInListOrder(texts);
    EXPECT_EQ(texts, expected);
    for (std::size_t i = 0; i + 1 < expected.size(); ++i) {
        EXPECT_TRUE(listOrderLess(expected[i], expected[i + 1])) << i;
        EXPECT_FALSE(listOrderLess(expected[i + 1], expected[i])) << i;
    }
    EXPECT_FALSE(listOrderLess("x", "x"));
}

TEST(ListOrder, DistinctDropsOnlyByteEqualNeighbours) {
    std::vector<std::string> texts = {"Tosse", "tosse", "Tosse", "Febbre", "tosse"};
    sortInListOrder(texts);
    EXPECT_EQ(texts, (std::vector<std::string>{"Febbre", "tosse", "tosse", "Tosse", "Tosse"}));
    dropRepeats(texts);
    EXPECT_EQ(texts, (std::vector<std::string>{"Febbre", "tosse", "Tosse"}));
}

TEST(ListPrefixSearch, LandsOnAnEntryThatBeginsWithThePrefixOrWhereItWouldSort) {
    const std::vector<std::string> list = {"Acne", "Afte", "Ansia", "Asma", "Cefalea", "Colite", "Tosse"};
    const int n = static_cast<int>(list.size());
    for (int hi : {n - 1, n}) {
        EXPECT_EQ(list[static_cast<std::size_t>(listPrefixSearch(list, "Ce", hi))], "Cefalea") << hi;
        EXPECT_EQ(list[static_cast<std::size_t>(listPrefixSearch(list, "As", hi))], "Asma") << hi;
        const int near = listPrefixSearch(list, "B", hi);  // between Asma and Cefalea
        EXPECT_TRUE(near == 3 || near == 4) << near;
    }
    // The last entry is reached only with hi = n (the windows use that).
    EXPECT_EQ(list[static_cast<std::size_t>(listPrefixSearch(list, "T", n))], "Tosse");
    EXPECT_EQ(listPrefixSearch(list, "T", n - 1), n - 2);
    // Ordinal and case-sensitive: a lower-case prefix sorts after every capital.
    EXPECT_EQ(listPrefixSearch(list, "ce", n), n - 1);
    EXPECT_EQ(listPrefixSearch({}, "A", -1), -1);
    EXPECT_EQ(listPrefixSearch({"Solo"}, "Z", 0), 0);
}

TEST(TypedPrefix, FirstLetterOrEveryLetterUpperCase) {
    TypedPrefix first(false);
    first.type('c');
    first.type('e');
    EXPECT_EQ(first.text(), "Ce");
    first.backspace();
    first.backspace();
    first.backspace();
    EXPECT_EQ(first.text(), "");
    EXPECT_EQ(first.type('\xE8'), '\xE8');  // only a to z change

    TypedPrefix every(true);
    for (char c : std::string("ce 1a")) every.type(c);
    EXPECT_EQ(every.text(), "CE 1A");
}

} // namespace
} // namespace qv::remedies
