// List order and distinctness.
#include "remedies/list_order.h"

#include <gtest/gtest.h>

namespace qv::remedies {
namespace list_order_test {

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

} // namespace list_order_test
} // namespace qv::remedies
