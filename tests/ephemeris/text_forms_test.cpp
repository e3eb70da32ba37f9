#include "ephemeris/text_forms.h"

#include <gtest/gtest.h>

#include <clocale>

namespace qv {
namespace text_forms_test {

Extended dms(int sign, int degrees, int minutes, Extended seconds) {
    return 30.0L * (sign - 1) + degrees + minutes / 60.0L + seconds / 3600.0L;
}

TEST(TextForms, LongitudesRoundToTheMinuteExceptAt29Degrees) {
    struct Case { Extended lon; const char* shortForm; const char* degMin; const char* withSign; };
    const Case cases[] = {
        {dms(1, 15, 23, 10), "15Ari23", "15\xB0" "23'", "15\xB0" "23' Ariete"},
        {dms(3, 29, 59, 45), "29Gem59", "29\xB0" "59'", "29\xB0" "59' Gemelli"},
        {dms(3, 14, 59, 45), "15Gem00", "15\xB0" "00'", "15\xB0" "00' Gemelli"},
        {dms(3, 14, 58, 45), "14Gem59", "14\xB0" "59'", "14\xB0" "59' Gemelli"},
        {dms(12, 29, 59, 59), "29Pes59", "29\xB0" "59'", "29\xB0" "59' Pesci"},
        {0.0L, "00Ari00", "00\xB0" "00'", "00\xB0" "00' Ariete"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LongitudeShort(1, c.lon), c.shortForm);
        EXPECT_EQ(LongitudeDegMin(1, c.lon), c.degMin);
        EXPECT_EQ(LongitudeWithSign(" ", c.lon), std::string(c.withSign) + " ");
    }
}

TEST(TextForms, SecondsFormsAreNotRounded) {
    const Extended lon = dms(5, 14, 59, 45.2L);
    EXPECT_EQ(LongitudeShort(2, lon), "14Leo59:45");
    EXPECT_EQ(LongitudeDegMin(2, lon), "14\xB0" "59'45\"");
}

TEST(TextForms, RetrogradeMarkAndLatitudes) {
    EXPECT_EQ(LongitudeWithSign("r", dms(7, 3, 5, 0)), "03\xB0" "05' Bilancia Retrogrado ");
    EXPECT_EQ(LongitudeWithSign("R", dms(7, 3, 5, 0)), "03\xB0" "05' Bilancia Retrogrado ");
    EXPECT_EQ(LongitudeWithSign("*", dms(7, 3, 5, 0)), "03\xB0" "05' Bilancia*");
    EXPECT_EQ(LatitudeText(-0.5L), "00\xB0 30' Sud");
    EXPECT_EQ(LatitudeText(45.0L + 28.0L / 60.0L), "45\xB0 28' Nord");
    EXPECT_EQ(LatitudeText(5.999L), "05\xB0 59' Nord"); // minutes truncated
}

TEST(TextForms, Numbers) {
    EXPECT_EQ(NumberText(4, 1.0L), "1.00");
    EXPECT_EQ(NumberText(4, 12.5L), "12.5");
    EXPECT_EQ(NumberText(4, 0.05L), "0.05");
    EXPECT_EQ(NumberText(4, -1.5L), "1.50");
    EXPECT_EQ(NumberText(20, 2.0L), "2.00000000000000");
    EXPECT_EQ(DecimalText15(2451545.0L - 1.0L / 24.0L).substr(0, 12), "2451544.9583");
    EXPECT_EQ(DecimalText15(2451545.0L), "2451545");
    EXPECT_EQ(DecimalText15(-0.25L), "-0.25");
    EXPECT_EQ(ZeroPad(7, 2), "07");
    EXPECT_EQ(ZeroPad(2024, 4), "2024");
    EXPECT_EQ(ZeroPad(1234567, 2), "12345");
    EXPECT_EQ(RepeatChar(3, '.'), "...");
}

TEST(TextForms, Trimming) {
    EXPECT_EQ(TrimRightSpaces("ROSSI   "), "ROSSI");
    EXPECT_EQ(TrimRightSpaces(std::string(100, 'x')).size(), 80u);
    EXPECT_EQ(TrimRightSymbols("MILANO (MI)  ;-"), "MILANO (MI)");
    EXPECT_EQ(TrimRightSymbols("citt\xE0!?"), "citt\xE0");
    EXPECT_EQ(TrimRightSymbols("a" + std::string(12, '-')), "a--"); // ten at most
    EXPECT_EQ(UpperCase("perch\xE9"), "PERCH\xC9");
    EXPECT_EQ(FileDateText("/nonexistent/quorendaville"), "Non Valida");
}

} // namespace text_forms_test
} // namespace qv

namespace qv {
namespace text_forms_test {

TEST(TextForms, NumbersKeepThePointUnderAnItalianLocale) {
    if (!std::setlocale(LC_ALL, "it_IT.UTF-8") && !std::setlocale(LC_ALL, "it_IT.utf8"))
        GTEST_SKIP() << "no Italian locale on this machine";
    EXPECT_EQ(NumberText(4, 1.0L), "1.00");
    EXPECT_EQ(DecimalText15(2451545.0L - 1.0L / 24.0L).substr(0, 12), "2451544.9583");
    std::setlocale(LC_ALL, "C");
}

} // namespace text_forms_test
} // namespace qv
