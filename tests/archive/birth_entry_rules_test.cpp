// The rules of typing a birth: the correction as its field shows it, the
// zone offset registration shows, and 60 minutes carried into the degrees.
#include "archive/birth_entry_rules.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(BirthEntryRules, FittedCorrectionKeepsWithinTheField) {
    EXPECT_EQ(fittedCorrection(-1), "-1");
    EXPECT_EQ(fittedCorrection(0), "+0");
    EXPECT_EQ(fittedCorrection(-0.5L), "-0,5");
    EXPECT_EQ(fittedCorrection(-0.612222222L), "-0,61222");  // rounded to fit 8 characters
    EXPECT_EQ(fittedCorrection(-11.9999999L), "-12");
}

TEST(BirthEntryRules, GmtIsTheCorrectionWithItsSignTurned) {
    struct Case { const char* typed; const char* gmt; };
    const Case cases[] = {
        {"-1", "+1"}, {"+2", "-2"}, {"1,5", "-1,5"}, {" -0.5 ", "+0,5"},
        {"", ""}, {"+", ""}, {"--1", ""}, {"abc", ""}, {"1.5,2", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(gmtOfCorrection(c.typed), c.gmt) << c.typed;
}

TEST(BirthEntryRules, SixtyMinutesAreCarriedIntoTheDegrees) {
    EXPECT_EQ(carriedMinutes("45N60-009E11"), "46N00-009E11");
    EXPECT_EQ(carriedMinutes("45N60-009E60"), "46N00-010E00");
    EXPECT_EQ(carriedMinutes("45N28-179W60"), "45N28-180W00");
    EXPECT_EQ(carriedMinutes("45N28-009E11"), "45N28-009E11");
    EXPECT_EQ(carriedMinutes("45N60"), "45N60") << "only the whole 12-character form";
}
