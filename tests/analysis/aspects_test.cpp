#include "analysis/aspects.h"

#include "tests/analysis/hand_charts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace aspects_test {

using test::chartWith;
using test::majorOrbs;
using test::setA;

TEST(AngularSeparation, FoldsIntoHalfCircle) {
    struct Case { Extended a, b, expected; };
    const Case cases[] = {{10, 350, 20}, {350, 10, 20}, {0, 180, 180}, {0, 190, 170}, {100, 100, 0}, {359, 1, 2}};
    for (const Case& c : cases) EXPECT_NEAR(AngularSeparation(c.a, c.b), c.expected, 1e-15L) << c.a << " " << c.b;
}

TEST(ClassifyMajorAspect, StrictOrbsOfSetA) {
    // Set A: conjunction 10, sextile 4, square 6, trine 8, opposition 9.
    struct Case { Extended separation; Aspect aspect; Extended deviation; };
    const Case cases[] = {
        {171.0L, Aspect::None, 0},           // exactly 180 − 9: outside
        {171.5L, Aspect::Opposition, 8.5L},
        {180.0L, Aspect::Opposition, 0},
        {128.0L, Aspect::None, 0},           // exactly 120 + 8
        {112.5L, Aspect::Trine, 7.5L},
        {84.5L, Aspect::Square, 5.5L},
        {63.9L, Aspect::Sextile, 3.9L},
        {9.99L, Aspect::Conjunction, 9.99L},
        {10.0L, Aspect::None, 0},
        {45.0L, Aspect::None, 0},            // minor aspects are not major
    };
    for (const Case& c : cases) {
        const AspectMatch m = ClassifyMajorAspect(c.separation, setA());
        EXPECT_EQ(m.aspect, c.aspect) << c.separation;
        if (c.aspect != Aspect::None) {
            EXPECT_NEAR(m.deviation, c.deviation, 1e-12L) << c.separation;
        }
    }
}

TEST(ClassifyMajorAspect, OverlapResolvesTowardTheLargerAngle) {
    // Square 90 ± 20 and trine 120 ± 15 both hold at 108.
    const AspectMatch m = ClassifyMajorAspect(108, majorOrbs(1, 1, 20, 15, 1));
    EXPECT_EQ(m.aspect, Aspect::Trine);
    EXPECT_NEAR(m.deviation, 12, 1e-15L);
}

TEST(ClassifyGridAspect, MinorAspectsAndOrder) {
    OrbTable orbs = setA();
    struct Case { Extended separation; Aspect aspect; };
    const Case cases[] = {
        {150.5L, Aspect::Quincunx}, {144.9L, Aspect::Biquintile}, {135.2L, Aspect::Sesquiquadrate},
        {72.0L, Aspect::Quintile},  {45.5L, Aspect::SemiSquare},  {30.9L, Aspect::SemiSextile},
        {36.0L, Aspect::None},      {40.0L, Aspect::None},        {360.0L / 7, Aspect::None},  // not looked for
        {119.0L, Aspect::Trine},    {2.0L, Aspect::Conjunction},
    };
    for (const Case& c : cases) EXPECT_EQ(ClassifyGridAspect(c.separation, orbs).aspect, c.aspect) << c.separation;
    // Quincunx 150 ± 25 overlaps the trine 120 ± 8: the quincunx wins.
    orbs[13] = 25;
    EXPECT_EQ(ClassifyGridAspect(126, orbs).aspect, Aspect::Quincunx);
    EXPECT_EQ(ClassifyMajorAspect(126, orbs).aspect, Aspect::Trine);
}

TEST(AspectList, LinesInPairOrderWithoutTheNodesAxis) {
    // Sole 10 trine Giove 132.345; Luna 200 conjunct Mercurio 200.0512; the
    // nodes exactly opposite; Ascendant 45 opposite Mediocielo 225.2.
    const ChartState c = chartWith({10, 200, 200.0512L, 243, 281, 132.345L, 327, 300, 120, 45, 225.2L});
    const std::vector<std::string> expected = {
        "ASPETTI PLANETARI",
        "2.34   il Sole in Trigono con Giove",
        "0.05   la Luna in Congiunzione con Mercurio",
        "0.20   l'Ascendente in Opposizione con il Mediocielo",
        "   ",
        "L'aspetto \xE8 tanto pi\xF9 preciso quanto",
        "pi\xF9 \xE8 piccolo il numero che lo precede",
    };
    EXPECT_EQ(aspectListLines(c, majorOrbs(1, 1, 1, 3, 1)), expected);
}

TEST(AspectList, WideConjunctionKeepsThreeDigits) {
    const ChartState c = chartWith({0, 12.34L, 100, 130, 160, 190, 220, 250, 280, 310, 340});
    const auto lines = aspectListLines(c, majorOrbs(15, 0, 0, 0, 0));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[1], "12.3   il Sole in Congiunzione con la Luna");
}

TEST(AspectGrid, CellsOfEveryPairButTheAngles) {
    ChartState c = chartWith({0, 127.6L, 250, 281, 300, 30.5L, 200, 60, 240, 90, 0});
    const auto cells = aspectGrid(c, setA());
    ASSERT_EQ(cells.size(), 54u);
    EXPECT_EQ(cells.front().row, 1);
    EXPECT_EQ(cells.front().column, 2);
    EXPECT_EQ(cells.back().row, 9);
    EXPECT_EQ(cells.back().column, 11);
    auto cell = [&](int f, int g) {
        for (const GridCell& x : cells)
            if (x.row == f && x.column == g) return x;
        return GridCell{};
    };
    // Sole–Luna 127.6: trine 7.6 from exact, shown as 08.
    EXPECT_EQ(cell(1, 2).aspect, Aspect::Trine);
    EXPECT_EQ(cell(1, 2).deviationText, "08");
    // Sole–Giove 30.5: semisextile, 00 (0.5 rounds to even).
    EXPECT_EQ(cell(1, 6).aspect, Aspect::SemiSextile);
    EXPECT_EQ(cell(1, 6).deviationText, "00");
    // Sole–Mediocielo 0: conjunction 00; Sole–Ascendente 90: square.
    EXPECT_EQ(cell(1, 11).aspect, Aspect::Conjunction);
    EXPECT_EQ(cell(1, 10).aspect, Aspect::Square);
    // Luna–Venere 153.4: no aspect, empty cell.
    EXPECT_EQ(cell(2, 4).aspect, Aspect::None);
    EXPECT_EQ(cell(2, 4).deviationText, "");
}

TEST(SphericalDistances, ValuesTextsAndMarks) {
    // Latitudes 0 unless set: the distance is then the separation.
    ChartState c = chartWith({0, 180, 93, 62, 5, 130, 0, 0, 0, 0, 0});
    c.latitude[7] = 3;
    c.latitude[8] = -3;
    const auto cells = sphericalDistances(c, setA());
    ASSERT_EQ(cells.size(), 54u);
    auto cell = [&](int f, int g) {
        for (const DistanceCell& x : cells)
            if (x.row == f && x.column == g) return x;
        return DistanceCell{};
    };
    struct Case { int f, g; const char* text; bool hard, soft, conjunct; TextColour colour; };
    const Case cases[] = {
        {1, 2, "180.0", true, false, false, TextColour::Red},
        {1, 3, "93.00", true, false, false, TextColour::Red},
        {1, 4, "62.00", false, true, false, TextColour::Aqua},
        {1, 5, "5.000", false, false, true, TextColour::Yellow},
        {1, 6, "130.0", false, false, false, TextColour::Grey},
        {7, 8, "6.000", false, false, true, TextColour::Yellow},  // latitudes 3 and −3 on one meridian
    };
    for (const Case& k : cases) {
        const DistanceCell x = cell(k.f, k.g);
        EXPECT_EQ(x.text, k.text) << k.f << "-" << k.g;
        EXPECT_EQ(x.hard, k.hard) << k.f << "-" << k.g;
        EXPECT_EQ(x.soft, k.soft) << k.f << "-" << k.g;
        EXPECT_EQ(x.conjunct, k.conjunct) << k.f << "-" << k.g;
        EXPECT_EQ(x.colour, k.colour) << k.f << "-" << k.g;
    }
    // With a square orb of 90 a close pair is both hard and conjunct: the
    // conjunct colour wins.
    const auto wide = sphericalDistances(c, majorOrbs(10, 0, 90, 0, 0));
    EXPECT_TRUE(wide[3].hard);
    EXPECT_TRUE(wide[3].conjunct);
    EXPECT_EQ(wide[3].colour, TextColour::Yellow);
}

TEST(SphericalDistances, FiveCharacterTexts) {
    // Latitudes 0: the distance is the separation, cut to five characters.
    const ChartState c = chartWith({0, 123.456L, 45.6L, 5.5L, 0, 0, 0, 0, 0, 0, 0});
    const auto cells = sphericalDistances(c, setA());
    EXPECT_EQ(cells[0].text, "123.4");
    EXPECT_EQ(cells[1].text, "45.60");
    EXPECT_EQ(cells[2].text, "5.500");
}

TEST(WheelAspectLines, DrawnAspectsAndRoundedDeviations) {
    // Sole–Luna 179.8 rounds to an exact opposition and the nodes are exact:
    // neither is drawn; conjunctions are never drawn; a square of 0 is.
    const std::vector<std::pair<int, Extended>> points = {
        {1, 0}, {2, 179.8L}, {3, 121.4L}, {4, 5}, {5, 275}, {8, 200}, {9, 20}};
    std::vector<std::string> got;
    for (const auto& l : wheelAspectLines(points, setA()))
        got.push_back(std::to_string(l.first) + "-" + std::to_string(l.second) + ":" + aspectName(l.aspect) + ":" +
                      std::to_string(l.roundedDeviation) + (l.hard ? ":hard" : ""));
    const std::vector<std::string> want = {
        "1-3:Trigono:1",        "1-5:Quadrato:5:hard", "2-3:Sestile:2",  "2-4:Opposizione:5:hard",
        "2-5:Quadrato:5:hard",  "3-4:Trigono:4",       "4-5:Quadrato:0:hard",
    };
    EXPECT_EQ(got, want);
}

TEST(WheelAspectLines, SpindleWidth) {
    EXPECT_NEAR(spindleHalfWidth(0), 1.0L / (1.2L * std::sqrt(0.2L)), 1e-15L);
    EXPECT_NEAR(spindleHalfWidth(4), 1.0L / 2.4L, 1e-15L);
}

} // namespace aspects_test
} // namespace qv
