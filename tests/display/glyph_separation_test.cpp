// Glyphs that never overlap: the widening of separations after the
// spreading rule, and the planet ring on crowds of 3 to 10 planets within 5
// to 30 degrees — no two glyph rings (or glyph pictures) touch, no leader
// line crosses another.
#include "display/glyph_separation.h"
#include "display/recording_canvas.h"
#include "display/wheel.h"
#include "tests/display/paper_checks.h"
#include "tests/display/picture_folders.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::draw {
namespace glyph_separation_test {

void expectAngles(const std::vector<double>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], want[i], 1e-9) << "angle " << i;
}

TEST(GlyphSeparation, AngleOfAGlyphAndAGapAtARadius) {
    // A 9 mm ring and 0.6 mm at radius 50.5: the chord is 9.6 mm.
    const double a = glyphSeparationAngle(9, 0.6, 50.5);
    EXPECT_NEAR(2 * 50.5 * std::sin(a / 2 * 3.14159265358979323846 / 180), 9.6, 1e-9);
    EXPECT_GT(a, 10.0);  // wider than the 10 degrees of the spreading rule
    EXPECT_EQ(glyphSeparationAngle(30, 0, 10), 360);
}

TEST(GlyphSeparation, CrowdsWidenAsBlocksTowardTheirFreeSide) {
    // Far enough apart: nothing moves.
    expectAngles(widenSeparations({10, 40, 200}, 12), {10, 40, 200});
    // A pair widens about its middle.
    expectAngles(widenSeparations({96.5, 106.5}, 12), {95.5, 107.5});
    // A pair beside a planet with room: it keeps its middle, the other stays.
    expectAngles(widenSeparations({80, 100, 110}, 15), {80, 97.5, 112.5});
    // Blocks that meet become one, placed where its members were on average.
    expectAngles(widenSeparations({90, 100, 110}, 15), {85, 100, 115});
    // Across 0 degrees, each angle back on its own turn.
    expectAngles(widenSeparations({355, 365}, 12), {354, 366});
    expectAngles(widenSeparations({-5, 5}, 12), {-6, 6});
    // More than the circle holds: shared evenly.
    const std::vector<double> full = widenSeparations({0, 1, 2, 3}, 100);
    for (std::size_t i = 1; i < full.size(); ++i) EXPECT_NEAR(full[i] - full[i - 1], 90, 1e-9);
    EXPECT_TRUE(widenSeparations({}, 10).empty());
}

class CrowdRing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pictures);
        resetDrawingContext();
    }
    void TearDown() override { resetDrawingContext(); }

    // The crowd of `n` planets spread evenly over `span` degrees from `start`.
    static std::vector<RingPoint> crowd(int n, double span, double start) {
        std::vector<RingPoint> points;
        for (int k = 0; k < n; ++k) points.push_back({k + 1, start + span * k / (n - 1), ' '});
        return points;
    }

    // The faults of one ring drawn in `style`: glyphs that touch, leaders
    // that cross.
    std::vector<std::string> faults(const std::vector<RingPoint>& points, double ascendant, const PlanetRingStyle& style,
                                    double r1, double r2) {
        // 40 pixels to the millimetre: the rounding to whole pixels stays far
        // below the distance between two leaders of a crowd.
        constexpr double kScale = 40;
        RecordingCanvas canvas;
        {
            TargetScope target(canvas);
            drawingContext().scale = kScale;
            drawingContext().exporting = true;
            drawPlanetRing(points, 100, 100, r1, r2, ascendant, style);
        }
        const std::vector<paper::Disc> glyphs = style.glyphRing > 0
                                                    ? paper::ringsOfRadius(canvas, style.glyphRing * kScale)
                                                    : paper::picturesOfSide(canvas, style.glyphSize * kScale);
        std::vector<std::string> found = paper::touchingDiscs(glyphs);
        if (glyphs.size() != points.size()) found.push_back("glyphs found: " + std::to_string(glyphs.size()));
        // Every segment of every leader (a leader's own segments meet only at
        // their shared ends).
        const auto lines = canvas.of(Recorded::Kind::Line);
        if (lines.size() < 2 * points.size()) found.push_back("leaders: " + std::to_string(lines.size()));
        for (std::size_t i = 0; i < lines.size(); ++i)
            for (std::size_t j = i + 1; j < lines.size(); ++j)
                if (paper::segmentsCross(lines[i].points[0], lines[i].points[1], lines[j].points[0], lines[j].points[1]))
                    found.push_back("leaders " + std::to_string(i) + " and " + std::to_string(j) + " cross: (" +
                                    std::to_string(lines[i].points[0].x) + "," + std::to_string(lines[i].points[0].y) + ")-(" +
                                    std::to_string(lines[i].points[1].x) + "," + std::to_string(lines[i].points[1].y) + ") (" +
                                    std::to_string(lines[j].points[0].x) + "," + std::to_string(lines[j].points[0].y) + ")-(" +
                                    std::to_string(lines[j].points[1].x) + "," + std::to_string(lines[j].points[1].y) + ")");
        return found;
    }

    qv::test::TempDataDir dir{false};
    const bool pictures = installPictureFolders(dir.path());
};

TEST_F(CrowdRing, NoGlyphsTouchAndNoLeadersCrossInCrowdsOfThreeToTen) {
    struct Ring {
        const char* name;
        PlanetRingStyle style;
        double r1, r2;
    };
    PlanetRingStyle view = PlanetRingStyle::chartView();
    view.glyphRadius = 57.5;
    const Ring rings[] = {{"sheet", PlanetRingStyle::full(), 57, 44},
                          {"affinity", PlanetRingStyle::compact(), 55, 44},
                          {"chart view", view, 65, 50}};
    for (const Ring& ring : rings)
        for (int n = 3; n <= 10; ++n)
            for (double span : {5.0, 12.0, 20.0, 30.0})
                for (double start : {2.0, 170.0, 352.0}) {
                    // A planet alone on the far side, where the crowd may not go.
                    std::vector<RingPoint> points = crowd(n, span, start);
                    points.push_back({n + 1, start + span + 40, ' '});
                    const auto found = faults(points, 37, ring.style, ring.r1, ring.r2);
                    EXPECT_TRUE(found.empty()) << ring.name << ": " << n << " planets in " << span << " degrees from "
                                               << start << ": " << found.front();
                }
}

TEST_F(CrowdRing, TheCrowdedChartOfFebruary1962) {
    // 05/02/1962 12:00 Milano: seven planets within 20 degrees of Aquarius.
    const std::vector<RingPoint> points = {{1, 316.1, ' '}, {2, 315.0, ' '}, {3, 311.6, 'r'}, {4, 306.4, ' '},
                                           {5, 318.6, ' '}, {6, 313.5, ' '}, {7, 306.6, ' '}, {8, 126.9, ' '},
                                           {9, 306.9, ' '}};
    const auto found = faults(points, 64, PlanetRingStyle::full(), 57, 44);
    EXPECT_TRUE(found.empty()) << found.front();
}

} // namespace glyph_separation_test
} // namespace qv::draw
