// The wheel pieces on the recording canvas: the spreading of crowded
// planets, the rings, the angles and the aspect lines.
#include "display/chart_wheel.h"
#include "display/recording_canvas.h"
#include "display/glyph_separation.h"
#include "display/wheel.h"
#include "tests/display/picture_folders.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace qv::draw {
namespace wheel_test {

using Kind = Recorded::Kind;

void expectAngles(const std::vector<double>& got, const std::vector<double>& expected) {
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], expected[i], 1e-9) << "point " << i;
}

TEST(SpreadAngles, TwoPointsThreeDegreesApartMoveThreeAndAHalfEachWay) {
    expectAngles(spreadAngles({100, 103, 250}, 10), {96.5, 106.5, 250});
}

TEST(SpreadAngles, ClusterAfterTheWidestGapMovesBackByHalfItsLastPush) {
    // Pushed to 100, 110, 120: the last glyph moved 13°, so all move back 6.5°.
    expectAngles(spreadAngles({107, 100, 104}, 10), {113.5, 93.5, 103.5});
}

TEST(SpreadAngles, ClusterCloseBehindItsNeighbourMovesBackOnlyWhatTheGapAllows) {
    // Three in one place 12° after a neighbour: back by 2°, the first 10° after it.
    expectAngles(spreadAngles({88, 100, 100, 100}, 10), {88, 98, 108, 118});
    // Two in one place there: half the push (5°) does not fit and one push
    // alone never moves back.
    expectAngles(spreadAngles({88, 100, 100}, 10), {88, 100, 110});
}

TEST(SpreadAngles, SevenPointsWithinTwentyDegreesSpreadOverSixty) {
    const std::vector<double> spread = spreadAngles({43, 30, 50, 33, 36, 46, 40}, 10);
    expectAngles(spread, {50, 10, 70, 20, 30, 60, 40});
    EXPECT_NEAR(*std::max_element(spread.begin(), spread.end()) - *std::min_element(spread.begin(), spread.end()), 60,
                1e-9);
}

TEST(SpreadAngles, ClusterAcrossZeroDegreesAndCompactSeparation) {
    // 355° and 2° are 7° apart across 0°: pushed 3°, each moves 1.5° away.
    expectAngles(spreadAngles({355, 2}, 10), {353.5, 3.5});
    expectAngles(spreadAngles({-5, 2}, 10), {353.5, 3.5});  // angles are reduced first
    expectAngles(spreadAngles({100, 103}, 8), {97.5, 105.5});
    EXPECT_TRUE(spreadAngles({}, 10).empty());
    expectAngles(spreadAngles({42}, 10), {42});
}

class WheelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pictures);
        resetDrawingContext();
        drawingContext().scale = 10;
    }
    void TearDown() override { resetDrawingContext(); }
    test::TempDataDir dir{false};
    const bool pictures = installPictureFolders(dir.path());
    RecordingCanvas canvas;
};

std::vector<std::string> pictureNames(const RecordingCanvas& canvas) {
    std::vector<std::string> names;
    for (const Recorded& r : canvas.of(Kind::Picture)) names.push_back(r.text.substr(r.text.find_last_of("/\\") + 1));
    return names;
}

TEST_F(WheelTest, ZodiacRingPlacesSignsAndDecanRulers) {
    TargetScope target(canvas);
    const std::vector<MmPoint> centres = drawZodiacRing("M", 9, 65, 78, 100, 100, 30);
    const std::vector<std::string> names = pictureNames(canvas);
    ASSERT_EQ(names.size(), 12u + 36u);
    EXPECT_EQ(names[0], "SegM01.svg");
    EXPECT_EQ(names[11], "SegM12.svg");
    // Mars, Sun, Venus, Mercury, Moon, Saturn, Jupiter, from Aries' first decan.
    const char* rulers[] = {"PiaX05.svg", "PiaX01.svg", "PiaX04.svg", "PiaX03.svg", "PiaX02.svg", "PiaX07.svg", "PiaX06.svg"};
    for (int d = 0; d < 36; ++d) EXPECT_EQ(names[static_cast<std::size_t>(12 + d)], rulers[d % 7]) << "decan " << d;
    // Ariete's middle (15°) at radius 71.5, 15° clockwise of the Ascendant (30°).
    const MmPoint aries = wheelPoint(15, 71.5, 100, 100, 30);
    EXPECT_NEAR(centres[1].x, aries.x, 1e-9);
    EXPECT_NEAR(centres[1].y, aries.y, 1e-9);
    EXPECT_EQ(canvas.of(Kind::Arc).size(), 3u);  // 83, 78, 65

    canvas.clear();
    drawZodiacRing("M", 7, 55, 65, 100, 100, 30, RingVariant::Compact);
    EXPECT_EQ(canvas.of(Kind::Picture).size(), 12u);
    EXPECT_EQ(canvas.of(Kind::Arc).size(), 2u);
    // Horizon marks from r2 to r2 + 10 beside the circle.
    const auto lines = canvas.of(Kind::Line);
    EXPECT_EQ(lines[0].points[0], toDevice(35, 100));
    EXPECT_EQ(lines[0].points[1], toDevice(25, 100));
}

TEST_F(WheelTest, HouseRingLinesStandFifteenDegreesBeforeTheCuspsOrOnThem) {
    TargetScope target(canvas);
    double cusps[13];
    for (int i = 1; i <= 12; ++i) cusps[i] = std::fmod(100 + 30.0 * (i - 1), 360);
    drawHouseRing(cusps, 47, 39, 100, 100, 100, HouseLines::FifteenBeforeCusp);
    EXPECT_EQ(canvas.of(Kind::Arc).size(), 3u);
    const auto numerals = canvas.of(Kind::Text);
    ASSERT_EQ(numerals.size(), 12u);
    EXPECT_EQ(numerals[0].text, "I");
    EXPECT_EQ(numerals[11].text, "XII");
    const auto lines = canvas.of(Kind::Line);
    ASSERT_EQ(lines.size(), 60u + 12u);
    // The first axis line: 15° before the Ascendant, from 47 to 39.
    EXPECT_EQ(lines[60].points[0], toDevice(wheelPoint(85, 47, 100, 100, 100)));
    EXPECT_EQ(lines[60].points[1], toDevice(wheelPoint(85, 39, 100, 100, 100)));
    EXPECT_EQ(lines[60].pen.colour, kWhite);   // axes 1 and 4 with the stronger pen
    EXPECT_EQ(lines[62].pen.width, 1);         // the others thin

    canvas.clear();
    drawHouseRing(cusps, 75, 70, 100, 100, 100, HouseLines::OnCusps);
    EXPECT_TRUE(canvas.of(Kind::Arc).empty());  // no circles from radius 70 on
    EXPECT_EQ(canvas.of(Kind::Line)[60].points[0], toDevice(wheelPoint(100, 75, 100, 100, 100)));
}

TEST_F(WheelTest, AnglesMarkTheMediumCoeliAndBoundariesOnlyWithEqualHouses) {
    TargetScope target(canvas);
    double cusps[13];
    for (int i = 1; i <= 12; ++i) cusps[i] = std::fmod(100 + 30.0 * (i - 1), 360);
    drawAngles(cusps, 8, "CASE_MEDIE", 83, 100, 100);
    auto texts = canvas.of(Kind::Text);
    // Ascendant degrees, "AS", "MC", its degrees, and ten of the twelve boundaries.
    EXPECT_EQ(texts.size(), 4u + 10u);
    EXPECT_EQ(texts[0].text, "10\xB0" "00'");
    EXPECT_EQ(texts[1].text, "AS");
    EXPECT_EQ(canvas.of(Kind::Ellipse).size(), 1u + 2u + 12u);

    canvas.clear();
    drawAngles(cusps, 8, "CASE_MEDIE", 65, 100, 100, AnglesVariant::Compact);
    EXPECT_EQ(canvas.of(Kind::Text).size(), 4u);

    canvas.clear();
    drawAngles(cusps, 8, "PLACIDO", 83, 100, 100);
    EXPECT_EQ(canvas.of(Kind::Text).size(), 2u);
    EXPECT_EQ(canvas.of(Kind::Ellipse).size(), 1u);
}

TEST_F(WheelTest, PlanetRingSpreadsGlyphsAndLeadsBackToTheTruePlaces) {
    TargetScope target(canvas);
    const std::vector<RingPoint> points = {{1, 200, ' '}, {2, 203, 'r'}, {3, 50, ' '}};
    const std::vector<MmPoint> centres = drawPlanetRing(points, 100, 100, 57, 44, 100, PlanetRingStyle::full());
    ASSERT_EQ(centres.size(), 3u);
    // Spread 10° apart about their middle (258.5°), then widened so the 4.5 mm
    // rings stand 0.6 mm apart at radius 50.5: the pair keeps its middle.
    const double sunAngle = 258.5 + glyphSeparationAngle(9, 0.6, 50.5) / 2;
    const MmPoint sun = wheelPointAtAngle(sunAngle, 50.5, 100, 100);
    EXPECT_NEAR(centres[0].x, sun.x, 1e-9);
    EXPECT_NEAR(centres[0].y, sun.y, 1e-9);
    EXPECT_EQ(pictureNames(canvas), (std::vector<std::string>{"PiaX01.svg", "PiaX02.svg", "PiaX03.svg"}));
    const auto texts = canvas.of(Kind::Text);
    ASSERT_EQ(texts.size(), 4u);  // three degree texts and the Moon's "r"
    EXPECT_EQ(texts[0].text, "20\xB0" "00'");
    EXPECT_EQ(texts[2].text, "r");
    EXPECT_EQ(texts[2].textColour, kRed);
    // Leaders: from the Sun's true place on circle 57 to its glyph at 50.5 +
    // 4.3, a segment for every 2 degrees or less (3.9 degrees: two).
    const auto lines = canvas.of(Kind::Line);
    ASSERT_EQ(lines.size(), 2u * 2 + 2u * 2 + 2u);
    EXPECT_EQ(lines[0].points[0], toDevice(wheelPoint(200, 57, 100, 100, 100)));
    EXPECT_EQ(lines[0].points[1], lines[1].points[0]);
    EXPECT_EQ(lines[1].points[1], toDevice(wheelPointAtAngle(sunAngle, 54.8, 100, 100)));
    EXPECT_EQ(lines[2].points[0], toDevice(wheelPoint(200, 44, 100, 100, 100)));
    EXPECT_EQ(canvas.of(Kind::Arc).size(), 3u + 1u);  // three glyph rings, then circle r2

    canvas.clear();
    PlanetRingStyle view = PlanetRingStyle::chartView();
    view.glyphRadius = 57.5;
    drawPlanetRing({{5, 10, 'R'}, {8, 12, 'r'}}, 100, 100, 65, 50, 0, view);
    const auto marks = canvas.of(Kind::Text);
    ASSERT_EQ(marks.size(), 2u);  // no degrees; an "R" for every retrograde point up to 9
    EXPECT_EQ(marks[0].text, "R");
    EXPECT_EQ(marks[1].text, "R");
    EXPECT_EQ(pictureNames(canvas), (std::vector<std::string>{"PiaX05.svg", "PiaX11.svg"}));
}

TEST_F(WheelTest, AspectLinesPlainDashedDottedAndSpindles) {
    TargetScope target(canvas);
    const std::vector<WheelAspectLine> lines = {{1, 2, Aspect::Trine, 3, false}, {1, 3, Aspect::Square, 0, true}};
    const auto placeOf = [](int k) { return MmPoint{10.0 * k, 0}; };
    drawAspectLines(lines, placeOf, AspectLineMode::Plain, AspectLineStyle::window());
    const auto drawn = canvas.of(Kind::Line);
    ASSERT_EQ(drawn.size(), 1u + 15u);
    EXPECT_EQ(drawn[0].pen.colour, kCyan);
    EXPECT_EQ(drawn[1].points[0], toDevice(30, 0));  // from the second point toward the first
    EXPECT_EQ(drawn[1].pen.colour, kRed);

    canvas.clear();
    drawAspectLines(lines, placeOf, AspectLineMode::Plain, AspectLineStyle::sheet());
    EXPECT_EQ(canvas.of(Kind::Line).size(), 1u);
    EXPECT_EQ(canvas.of(Kind::Ellipse).size(), 12u);  // round(1.8 × 20 ÷ 3) small dots

    canvas.clear();
    drawAspectLines(lines, placeOf, AspectLineMode::Spindle, AspectLineStyle::window());
    const auto spindles = canvas.of(Kind::Polygon);
    ASSERT_EQ(spindles.size(), 2u);
    EXPECT_EQ(spindles[0].points.size(), 6u);
    EXPECT_EQ(spindles[0].brush.colour, kBlue);
    EXPECT_EQ(spindles[1].brush.colour, kRed);
    EXPECT_EQ(spindles[1].pen.colour, kYellow);
    // The exact square is the widest: half-width 1 ÷ (1.2 √0.2).
    const double w = 1 / (1.2 * std::sqrt(0.2));
    EXPECT_EQ(spindles[1].points[1], toDevice(10 + 20.0 / 3, w));
}

TEST_F(WheelTest, ChartWheelDrawsEveryPieceAndReportsItsGlyphs) {
    ChartState chart;
    for (int k = 1; k <= 11; ++k) chart.longitude[static_cast<std::size_t>(k)] = 20.0L * k;
    chart.longitude[10] = 100;  // the Ascendant
    for (int i = 1; i <= 12; ++i) chart.cusp[static_cast<std::size_t>(i)] = std::fmod(100 + 30.0L * (i - 1), 360.0L);
    chart.mcRadians = 10 * 3.14159265358979323846L / 180;
    chart.longitude[11] = 10;
    chart.houseSystem = "CASE_MEDIE";
    OrbTable orbs{};
    orbs.fill(6);
    TargetScope target(canvas);
    const ChartWheelPlaces places = drawChartWheel(chart, orbs);
    EXPECT_EQ(canvas.of(Kind::Picture).size(), 12u + 36u + 11u);
    EXPECT_NEAR(std::hypot(places.points[1].x - 100, places.points[1].y - 100), 57.5, 1e-9);
    EXPECT_NEAR(std::hypot(places.signs[5].x - 100, places.signs[5].y - 100), 71.5, 1e-9);
    const auto caption = canvas.where([](const Recorded& r) { return r.text == "Corvalimetrix 3"; });
    EXPECT_EQ(caption.size(), 1u);
}

} // namespace wheel_test
} // namespace qv::draw
