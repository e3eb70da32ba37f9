#include "base/cp1252.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(Cp1252, ConvertsToAndFromUtf8) {
    const std::string bytes = "Citt\xE0 15\xB0 \x80 \x93virgolette\x94";
    const std::string utf8 = "Citt\xC3\xA0 15\xC2\xB0 \xE2\x82\xAC \xE2\x80\x9Cvirgolette\xE2\x80\x9D";
    EXPECT_EQ(cp1252ToUtf8(bytes), utf8);
    EXPECT_EQ(utf8ToCp1252(utf8), bytes);
    EXPECT_EQ(utf8ToCp1252("\xE4\xB8\xAD"), "?");  // no Windows-1252 form
    EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");        // cut sequence
}

TEST(Cp1252, UpperCasesAccentedLetters) {
    EXPECT_EQ(upperCase1252("nicol\xF2 d'amico"), "NICOL\xD2 D'AMICO");
    EXPECT_EQ(upperCase1252("\xE0\xE8\xE9\xEC\xF9\xFF\xF7"), "\xC0\xC8\xC9\xCC\xD9\x9F\xF7");
}

} // namespace
} // namespace qv
