#include "base/cp1252.h"

#include <gtest/gtest.h>

namespace qv {
namespace cp1252_test {

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

} // namespace cp1252_test
} // namespace qv

namespace qv {
namespace cp1252_test {

TEST(TypedText, AccentsJoinAndForeignCharactersAreNamed) {
    // "Niccolò" typed with a combining grave accent, and "Ž" with a caron.
    EXPECT_EQ(typedTextToCp1252("Niccolo\xCC\x80"), "Niccol\xF2");
    EXPECT_EQ(typedTextToCp1252("Z\xCC\x8Cupan"), "\x8Eupan");
    EXPECT_EQ(typedTextToCp1252("Forl\xC3\xAC \xE2\x82\xAC"), "Forl\xEC \x80");
    std::string offending;
    EXPECT_FALSE(typedTextToCp1252("Mao \xE4\xB8\xAD", &offending));
    EXPECT_EQ(offending, "\xE4\xB8\xAD");
    EXPECT_FALSE(typedTextToCp1252("q\xCC\x80", &offending));  // no q with grave in Windows-1252
    EXPECT_FALSE(typedTextToCp1252("a\xC3"));                  // cut sequence
    EXPECT_FALSE(typedTextToCp1252("\xC0\xAF"));               // overlong slash
}

TEST(TypedText, ControlCharactersAndMixedMessages) {
    EXPECT_EQ(controlCharacterIn("Rossi Mario"), "");
    EXPECT_EQ(controlCharacterIn("Rossi\nMario"), "a capo");
    EXPECT_EQ(controlCharacterIn("Rossi\tMario"), "tabulazione");
    EXPECT_EQ(controlCharacterIn("\x1B[31m"), "ESC");
    EXPECT_EQ(controlCharacterIn(std::string("a\0b", 3)), "codice 0");
    // A core text (Windows-1252) quoting what the user typed (UTF-8).
    EXPECT_EQ(mixedToUtf8("Localit\xE0 \"Forl\xC3\xAC\""), "Localit\xC3\xA0 \"Forl\xC3\xAC\"");
}

} // namespace cp1252_test
} // namespace qv
