#include "base/decimal_text.h"
#include "base/errors.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace qv {
namespace decimal_text_test {

// The desktop program runs under the user's locale; an Italian one must not
// turn the point of file and text numbers into a comma.
class UnderItalianLocale : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::setlocale(LC_ALL, "it_IT.UTF-8") && !std::setlocale(LC_ALL, "it_IT.utf8"))
            GTEST_SKIP() << "no Italian locale on this machine";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(UnderItalianLocale, TextsKeepThePoint) {
    EXPECT_EQ(scientificText(1.0L, 14), "1.00000000000000e+00");
    EXPECT_EQ(scientificText(-0.000123L, 2), "-1.23e-04");
    EXPECT_EQ(generalText(2451544.958333333L, 15), "2451544.95833333");
    EXPECT_EQ(generalText(0.5L, 15), "0.5");
}

TEST_F(UnderItalianLocale, ReadsThePointAndNothingElse) {
    struct Case { const char* text; bool reads; Extended value; };
    const Case cases[] = {
        {"1.5", true, 1.5L},       {"-0.25", true, -0.25L}, {"+2", true, 2.0L},
        {" 1.0E+0001", false, 0},  {"1.0E+0001", true, 10.0L}, {"1,5", false, 0},
        {"", false, 0},            {"1.5x", false, 0},      {"nan", false, 0},
        {"+-1", false, 0},         {"--1", false, 0},
    };
    for (const Case& c : cases) {
        Extended v = -99;
        EXPECT_EQ(parseDecimal(c.text, v), c.reads) << c.text;
        if (c.reads) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

} // namespace decimal_text_test
} // namespace qv

namespace qv {
namespace decimal_text_test {

// A Corr is written in full or refused: a size with no short fixed text
// (1e-400 is a normal long double; 5e-324 the least double) never leaves
// bytes of the buffer in the message.
TEST(CorrText, TooSmallOrTooLargeIsRefusedNotPrinted) {
    EXPECT_EQ(corrText(-1.0L), "-1");
    EXPECT_EQ(corrText(0.000001L), "+0,000001");
    for (Extended bad : {1e-400L, 5e-324L, -1e-7L, 1e300L, static_cast<Extended>(INFINITY)}) {
        EXPECT_FALSE(isWritableCorr(bad)) << static_cast<double>(bad);
        try {
            corrText(bad);
            ADD_FAILURE() << "written: " << static_cast<double>(bad);
        } catch (const ConversionError& e) {
            const std::string m = e.what();
            EXPECT_NE(m.find("Correzione oraria non scrivibile"), std::string::npos) << m;
            for (unsigned char c : m) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << m;
        }
    }
    for (const char* text : {"1e-400", "5e-324", "0,0000001", "1e9", "inf"}) EXPECT_FALSE(parseCorr(text)) << text;
    EXPECT_EQ(parseCorr("0"), 0.0L);
}

} // namespace decimal_text_test
} // namespace qv
