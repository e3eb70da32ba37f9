// The birth data every part of the program shares: reading the moment and
// the coordinates as the archive and the carrier files hold them, and the
// texts written back.
#include "ephemeris/birth_data.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(BirthData, ReadsTheMomentAndTheCoordinatesAndWritesThemBack) {
    BirthData b;
    ASSERT_TRUE(readMomentDigits("199003101230-1", b));
    ASSERT_TRUE(readCoordinates("45N28-009O11", b));
    EXPECT_EQ(b.year, 1990);
    EXPECT_EQ(b.month, 3);
    EXPECT_EQ(b.day, 10);
    EXPECT_EQ(b.hour, 12);
    EXPECT_EQ(b.minute, 30);
    EXPECT_EQ(b.latDegrees, 45);
    EXPECT_EQ(b.latLetter, "N");
    EXPECT_EQ(b.lonDegrees, 9);
    EXPECT_EQ(b.lonLetter, "O");
    EXPECT_EQ(b.lonMinutes, 11);
    EXPECT_EQ(b.dateText(), "10/03/1990 12:30");
    EXPECT_EQ(b.momentDigits(), "199003101230");
    EXPECT_EQ(b.coordinatesText(), "45N28-009O11");
}

TEST(BirthData, NumbersReadAsIntegerTextsAndNothingElse) {
    struct Case { const char* text; bool reads; int value; };
    const Case cases[] = {
        {"12", true, 12}, {" 7", true, 7}, {"+5", true, 5}, {"-3 ", true, -3}, {"", false, 0},
        {"  ", false, 0}, {"1x", false, 0}, {"+", false, 0}, {"1234567890", false, 0},
    };
    for (const Case& c : cases) {
        int v = 0;
        EXPECT_EQ(readIntegerText(c.text, v), c.reads) << c.text;
        if (c.reads) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
    BirthData b;
    EXPECT_FALSE(readMomentDigits("1990031012", b)) << "the minutes are missing";
    EXPECT_FALSE(readCoordinates("45N28", b));
    EXPECT_FALSE(readCoordinates("4xN28-009E11", b));
}
