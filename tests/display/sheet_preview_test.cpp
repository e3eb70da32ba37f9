// The sheet preview's zoom and drag rules, the exported pictures' names and
// the orientation list Emf\TipGraf.Set.
#include "display/sheet_preview.h"

#include "base/data_dir.h"
#include "base/text_file.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::draw {
namespace sheet_preview_test {

TEST(SheetPreview, TenZoomsInStopAtFourAndSevenZoomsOutReachTheFloor) {
    SheetPreview p;
    for (int i = 1; i <= 9; ++i) p.zoomIn(0, 0);
    EXPECT_LT(p.zoom, 4.0);
    p.zoomIn(0, 0);
    EXPECT_EQ(p.zoom, 4.0);
    p.zoomIn(0, 0);
    EXPECT_EQ(p.zoom, 4.0);

    SheetPreview q;
    for (int i = 1; i <= 6; ++i) q.zoomOut(0, 0);
    EXPECT_GT(q.zoom, 0.4);
    q.zoomOut(0, 0);
    EXPECT_EQ(q.zoom, 0.4);
    q.zoomOut(0, 0);
    EXPECT_EQ(q.zoom, 0.4);
}

TEST(SheetPreview, ZoomKeepsTheScreenCentreInPlace) {
    SheetPreview p;
    const int cx = 640, cy = 400;
    // The sheet point under the centre before and after each step.
    for (int i = 0; i < 5; ++i) {
        const double before = (cx - p.x0) / p.zoom;
        p.zoomIn(cx, cy);
        EXPECT_NEAR((cx - p.x0) / p.zoom, before, 1.0);
        EXPECT_NEAR((cy - p.y0) / p.zoom, cy, 1.0);
    }
    EXPECT_EQ(p.x0, static_cast<int>(std::nearbyint(cx - p.zoom * cx)));
    for (int i = 0; i < 5; ++i) p.zoomOut(cx, cy);
    EXPECT_NEAR(p.zoom, 1.0, 1e-12);
    EXPECT_EQ(p.x0, 0);
    EXPECT_EQ(p.y0, 0);
}

TEST(SheetPreview, DragsOfTwoPixelsOrLessDoNotMoveTheSheet) {
    struct Case {
        int dx, dy, x0, y0;
    };
    for (const Case c : {Case{2, -2, 0, 0}, Case{3, 1, 3, 0}, Case{-1, -3, 0, -3}, Case{-40, 25, -40, 25}}) {
        SheetPreview p;
        p.endDrag(c.dx, c.dy);
        EXPECT_EQ(p.x0, c.x0) << c.dx;
        EXPECT_EQ(p.y0, c.y0) << c.dy;
    }
    SheetPreview p;
    p.wheel(true);
    p.wheel(true);
    p.wheel(false);
    EXPECT_EQ(p.y0, 20);
    p.fitHeight(false, 1280);
    EXPECT_EQ(p.zoom, 0.5);
    EXPECT_EQ(p.x0, 320);
    EXPECT_EQ(p.y0, 0);
    p.fitWidth();
    EXPECT_EQ(p.zoom, 1.0);
    EXPECT_EQ(p.x0, 0);
}

TEST(PictureNames, OnlyGrafNumberedSvgNamesAreAccepted) {
    EXPECT_EQ(pictureNumberOf("GRAF07.SVG"), 7);
    EXPECT_EQ(pictureNumberOf("graf15.svg"), 15);
    EXPECT_EQ(pictureNumberOf("GRAF16.SVG"), 16);  // beyond the list: kept, the list grows
    for (const char* refused : {"GRAF01.EMF", "GRAF01.SVG.BAK", "GRAF01", "GRAF00.SVG", "GRAFAB.SVG", "TEMA.SVG", ""})
        EXPECT_FALSE(pictureNumberOf(refused)) << refused;
    const auto choices = pictureNameChoices();
    ASSERT_EQ(choices.size(), 15u);
    EXPECT_EQ(choices.front(), "GRAF01.SVG");
    EXPECT_EQ(choices.back(), "GRAF15.SVG");
}

TEST(PictureNames, ViewerSizeFollowsThePictureAndTheScreensProportion) {
    struct Case {
        bool portrait;
        int screenWidth, screenHeight;
        ViewerSize size;
    };
    const Case cases[] = {
        {false, 1366, 768, {660, 510}},  // 0.562
        {true, 1366, 768, {450, 680}},
        {false, 1280, 800, {755, 510}},  // 0.625
        {true, 1280, 800, {525, 680}},
        {true, 1000, 620, {525, 680}},   // 0.62 and 0.63 themselves belong to the range
        {false, 1000, 630, {755, 510}},
        {false, 1000, 631, {660, 510}},
        {true, 0, 0, {450, 680}},        // no screen known
    };
    for (const Case& c : cases)
        EXPECT_EQ(pictureViewerSize(c.portrait, c.screenWidth, c.screenHeight), c.size)
            << c.screenWidth << "x" << c.screenHeight << (c.portrait ? " P" : " L");
}

TEST(PictureNames, OrientationListKeepsTheOtherLinesAndGrowsForHigherNumbers) {
    std::vector<std::string> lines(15, "L");
    lines[2] = "P";
    const auto set = withOrientation(lines, 7, true);
    ASSERT_EQ(set.size(), 15u);
    EXPECT_EQ(set[6], "P");
    EXPECT_EQ(set[2], "P");
    EXPECT_EQ(withOrientation(set, 3, false)[2], "L");
    const auto grown = withOrientation({}, 17, true);
    ASSERT_EQ(grown.size(), 17u);
    EXPECT_EQ(grown[15], "L");
    EXPECT_EQ(grown[16], "P");
    EXPECT_TRUE(isPortraitPicture(grown, 17));
    EXPECT_FALSE(isPortraitPicture(grown, 16));
    EXPECT_FALSE(isPortraitPicture(grown, 40));

    test::TempDataDir dir;
    recordPictureOrientation(7, true);
    recordPictureOrientation(2, false);
    EXPECT_TRUE(pictureSavedPortrait(7));
    EXPECT_FALSE(pictureSavedPortrait(2));
    const auto file = readTextLines(dataDir().resolve(kOrientationListPath));
    ASSERT_EQ(file.size(), 7u);
    EXPECT_EQ(file[6], "P");
    EXPECT_EQ(file[1], "L");
}

} // namespace sheet_preview_test
} // namespace qv::draw
