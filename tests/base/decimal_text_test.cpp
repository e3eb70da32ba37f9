#include "base/decimal_text.h"

#include <gtest/gtest.h>

#include <clocale>

namespace qv {
namespace {

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
        if (c.reads) EXPECT_EQ(v, c.value) << c.text;
    }
}

} // namespace
} // namespace qv
