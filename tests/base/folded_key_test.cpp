#include "base/folded_key.h"

#include "base/cp1252.h"

#include <gtest/gtest.h>

namespace qv {
namespace folded_key_test {

TEST(FoldedKey, FoldsCaseAccentsBlanksAndPunctuation) {
    struct Case {
        const char* text;
        const char* key;
    };
    const Case cases[] = {
        {"Tosse", "tosse"},
        {"TOSSE GRASSA", "tosse grassa"},
        {"Fragilit\xE0 capillare", "fragilita capillare"},
        {"\xC8 CITT\xC0", "e citta"},
        {"Fran\xE7ois Pe\xF1" "a", "francois pena"},
        {"Stra\xDF" "e", "strasse"},
        {"\x8C" "uvre \x9C" "il", "oeuvre oeil"},
        {"\xC6gir \xDEor", "aegir thor"},
        {"\x8A\x9A\x8E\x9E\x9F\xFF", "sszzyy"},
        {"\xD8re \xD0\xF0", "ore dd"},
        {"  Sant'Angelo  ", "sant angelo"},
        {"SANT\x92" "ANGELO.", "sant angelo"},
        {"GUBBIO (PG)", "gubbio pg"},
        {"a \t\r\n b", "a b"},
        {"\xA0\x93" "citato\x94\xA0", "citato"},
        {"3 \xD7 4 \xF7 2", "3 4 2"},
        {"...", ""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(foldedKey(c.text), c.key) << c.text;
}

TEST(FoldedKey, EveryByteFoldsToLowerCaseLettersDigitsOrOneBlank) {
    for (int b = 1; b < 256; ++b) {
        const std::string text = std::string("x") + static_cast<char>(b) + "y";
        const std::string key = foldedKey(text);
        for (char c : key)
            EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ') << b;
        // The capital of a letter folds as the letter does.
        EXPECT_EQ(foldedKey(upperCase1252(text)), key) << b;
    }
}

} // namespace folded_key_test
} // namespace qv
