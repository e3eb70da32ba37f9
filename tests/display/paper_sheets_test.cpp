// The four sheets of six charts as they go to paper — a crowded one, a
// polar one with Placidus houses, an ordinary one, one in the southern
// hemisphere, one in 1600 (Julian calendar) and one in 2090 — drawn at the
// resolution of the PDF and SVG files: every mark at least 5 mm inside the
// page, every colour readable on white, no two glyphs touching. The polar
// chart says why it has no houses and no planetary hour.
#include "analysis/dignities.h"
#include "display/chart_wheel.h"
#include "display/drawing_extent.h"
#include "display/house_check.h"
#include "display/recording_canvas.h"
#include "display/sheet_layouts.h"
#include "ephemeris/angles.h"
#include "ephemeris/chart_steps.h"
#include "tests/analysis/cast_charts.h"
#include "tests/display/paper_checks.h"
#include "tests/display/picture_folders.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace qv::draw {
namespace paper_sheets_test {

struct Birth {
    const char* name;
    int day, month, year, hour, minute;
    double corr;
    int latDeg, latMin;
    const char* latLetter;
    int lonDeg, lonMin;
    const char* lonLetter;
    bool gregorian;
    const char* houses;
};

const Birth kBirths[] = {
    {"affollato", 5, 2, 1962, 12, 0, -1, 45, 28, "N", 9, 11, "E", true, "PLACIDO"},
    {"polare", 15, 12, 1975, 12, 0, -1, 69, 39, "N", 18, 57, "E", true, "PLACIDO"},
    {"ordinario", 1, 2, 1990, 10, 30, -1, 41, 54, "N", 12, 29, "E", true, "CASE_MEDIE"},
    {"australe", 20, 6, 1985, 15, 0, 3, 34, 36, "S", 58, 22, "W", true, "PLACIDO"},
    {"giuliano", 12, 3, 1600, 8, 0, 0, 51, 30, "N", 0, 7, "W", false, "CASE_MEDIE"},
    {"2090", 15, 8, 2090, 18, 0, -2, 45, 28, "N", 9, 11, "E", true, "PLACIDO"},
};

constexpr SheetLayout kLayouts[] = {SheetLayout::Vertical1, SheetLayout::Vertical2, SheetLayout::Horizontal1,
                                    SheetLayout::Horizontal2};

OrbTable eightDegreeOrbs() {
    OrbTable orbs{};
    orbs.fill(8);
    return orbs;
}

// The zoom each layout draws at.
double layoutZoom(SheetLayout layout) {
    switch (layout) {
    case SheetLayout::Horizontal1: return 1 / 1.22;
    case SheetLayout::Horizontal2: return 1 / 1.32;
    default: return 1.15;
    }
}

ChartState cast(const Birth& b) {
    BirthData birth = test::birth(b.day, b.month, b.year, b.hour, b.minute, b.corr, b.latDeg, b.latMin, b.latLetter,
                                  b.lonDeg, b.lonMin, b.lonLetter);
    birth.gregorian = b.gregorian;
    birth.place = b.name;
    ChartState s;
    s.houseSystem = b.houses;
    s.nodeKind = "MEDIO";
    s.blackMoonKind = "MEDIA";
    layOutTraditionally(s, castChart(s, birth));
    s.zoneText = "+0";
    s.jdText = "JD";
    return s;
}

class PaperSheets : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(installPictureFolders(dir.path()));
        std::error_code error;
        for (const char* folder : {"OpzioneT", "Appoggio", "Scambi"})
            std::filesystem::copy(test::dataTemplateDir() / folder, dir.path() / folder,
                                  std::filesystem::copy_options::recursive, error);
        ASSERT_FALSE(error);
        test::writeZeroCorrectionTables(dir.path());
        resetDrawingContext();
    }
    void TearDown() override { resetDrawingContext(); }

    // The context of a PDF or SVG page: 10 pixels to the paper millimetre.
    static void paperPage(SheetLayout layout) {
        DrawingContext& c = drawingContext();
        c.exporting = true;
        c.scale = 10 * paperWidth(layout) / sheetPageWidth();
    }
    // Paper millimetres in pixels.
    static double paperMm(double mm) { return 10 * mm; }

    test::TempDataDir dir{false};
};

TEST_F(PaperSheets, EveryMarkInsideTheMarginsReadableOnWhiteAndNoGlyphsTouching) {
    for (const Birth& b : kBirths) {
        const ChartState chart = cast(b);
        const SheetContent content = sheetContentFor(chart, std::string("Soggetto ") + b.name, eightDegreeOrbs());
        for (SheetLayout layout : kLayouts) {
            const std::string where = std::string(b.name) + " " + sheetLayoutCaption(layout);
            // The margins.
            ExtentCanvas extent;
            {
                TargetScope target(extent);
                paperPage(layout);
                drawSheet(layout, chart, content);
            }
            const double width = paperMm(paperWidth(layout)), height = width * sheetPageHeight(layout) / sheetPageWidth();
            EXPECT_GE(extent.box.left, paperMm(5)) << where;
            EXPECT_GE(extent.box.top, paperMm(5)) << where;
            EXPECT_LE(extent.box.right, width - paperMm(5)) << where;
            EXPECT_LE(extent.box.bottom, height - paperMm(5)) << where;

            // The colours and the glyphs.
            RecordingCanvas canvas;
            SheetFit fit;
            {
                TargetScope target(canvas);
                paperPage(layout);
                fit = sheetFit(layout, chart, content);
                drawSheet(layout, chart, content);
            }
            const auto colours = paper::paperColourFaults(canvas);
            EXPECT_TRUE(colours.empty()) << where << ": " << colours.front();
            // Glyph rings (4.5 mm) on the first sheets, glyphs of 5 mm on the
            // affinity wheels, in pixels of the page.
            const double pixels = layoutZoom(layout) * fit.factor * 10 * paperWidth(layout) / sheetPageWidth();
            const bool firstSheet = layout == SheetLayout::Vertical1 || layout == SheetLayout::Horizontal1;
            const auto glyphs = firstSheet ? paper::ringsOfRadius(canvas, 4.5 * pixels)
                                           : paper::picturesOfSide(canvas, 5 * pixels);
            EXPECT_EQ(glyphs.size(), firstSheet ? 9u : 18u) << where;
            const auto touching = paper::touchingDiscs(glyphs);
            EXPECT_TRUE(touching.empty()) << where << ": " << touching.front();
        }
    }
}

TEST_F(PaperSheets, APolarChartSaysWhyItHasNoHousesAndNoPlanetaryHour) {
    const ChartState polar = cast(kBirths[1]);
    ASSERT_FALSE(housesHold(polar));
    EXPECT_TRUE(housesHold(cast(kBirths[0])));
    const SheetContent content = sheetContentFor(polar, "Polare", eightDegreeOrbs());
    ASSERT_FALSE(content.hour.hourFound);
    RecordingCanvas canvas;
    {
        TargetScope target(canvas);
        paperPage(SheetLayout::Vertical1);
        drawSheet(SheetLayout::Vertical1, polar, content);
    }
    int houseLine = 0, sunLine = 0, numerals = 0;
    for (const Recorded& r : canvas.of(Recorded::Kind::Text)) {
        if (r.text == "Sistema di case non definito a questa latitudine (PLACIDO)") ++houseLine;
        if (r.text == "Il Sole non sorge in questo giorno") ++sunLine;
        if (r.text == "VI" || r.text == "XII") ++numerals;
    }
    EXPECT_EQ(houseLine, 1);
    EXPECT_EQ(sunLine, 1);
    EXPECT_EQ(numerals, 0) << "no house numerals over one another";

    // The analysis window's and the command line's wheel say it too.
    canvas.clear();
    {
        TargetScope target(canvas);
        drawChartWheel(polar, eightDegreeOrbs());
    }
    EXPECT_FALSE(canvas.where([](const Recorded& r) {
                           return r.kind == Recorded::Kind::Text &&
                                  r.text == "Sistema di case non definito a questa latitudine (PLACIDO)";
                       }).empty());
    EXPECT_TRUE(canvas.where([](const Recorded& r) { return r.kind == Recorded::Kind::Text && r.text == "XII"; }).empty());

    // In June the same place has the midnight Sun.
    Birth june = kBirths[1];
    june.month = 6;
    const ChartState summer = cast(june);
    const PlanetaryHour hour = ComputePlanetaryHour(summer);
    ASSERT_FALSE(hour.hourFound);
    EXPECT_EQ(noPlanetaryHourLine(summer, hour), "Il Sole non tramonta in questo giorno");
    EXPECT_EQ(noPlanetaryHourLine(cast(kBirths[0]), ComputePlanetaryHour(cast(kBirths[0]))), "");
}

} // namespace paper_sheets_test
} // namespace qv::draw
