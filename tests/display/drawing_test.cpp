// The drawing layer on the recording canvas: coordinates, circles, broken
// lines, fonts, the monochrome rules, the stroke glyphs and the pictures.
#include "base/errors.h"
#include "display/display_scales.h"
#include "display/drawing.h"
#include "display/drawing_setup.h"
#include "display/pictures.h"
#include "display/recording_canvas.h"
#include "tests/display/picture_folders.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace qv::draw {
namespace drawing_test {

using Kind = Recorded::Kind;

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override { resetDrawingContext(); }
    void TearDown() override { resetDrawingContext(); }
    RecordingCanvas canvas;
};

TEST_F(DrawingTest, MillimetresBecomePixelsWithFactorsZoomOriginAndHalvesToEven) {
    struct Case {
        double scale, zoom, h, v;
        int x0, y0;
        double x, y;
        DevicePoint expected;
    } cases[] = {
        {1, 1, 1, 1, 0, 0, 2.5, 3.5, {2, 4}},        // ties go to the even neighbour
        {1, 1, 1, 1, 0, 0, -2.5, 0.5, {-2, 0}},
        {2, 1, 1, 1, 10, 20, 1.25, 1.75, {12, 24}},  // 2.5 → 2, 3.5 → 4, then the origin
        {4, 1, 0.8, 1.25, 0, 0, 4, 5, {20, 16}},     // divided by the calibration factors
        {5, 1.15, 1, 1, 0, 0, 100, 100, {575, 575}},
        {3, 0.5, 1, 1, -7, 3, 10, 10, {8, 18}},
    };
    for (const Case& c : cases) {
        DrawingContext& ctx = drawingContext();
        ctx.scale = c.scale;
        ctx.zoom = c.zoom;
        ctx.hFactor = c.h;
        ctx.vFactor = c.v;
        ctx.x0 = c.x0;
        ctx.y0 = c.y0;
        EXPECT_EQ(toDevice(c.x, c.y), c.expected) << c.x << ", " << c.y << " at scale " << c.scale;
    }
}

TEST_F(DrawingTest, WheelPlacesTheAscendantLeftAndLongitudesCounterClockwise) {
    const MmPoint asc = wheelPoint(100, 10, 50, 50, 100);
    EXPECT_NEAR(asc.x, 40, 1e-9);
    EXPECT_NEAR(asc.y, 50, 1e-9);
    const MmPoint later = wheelPoint(190, 10, 50, 50, 100);  // 90° on: below the centre
    EXPECT_NEAR(later.x, 50, 1e-9);
    EXPECT_NEAR(later.y, 60, 1e-9);
}

TEST_F(DrawingTest, CircleIsTrueOnScreenAtZoomOneAndA72GonOtherwise) {
    TargetScope target(canvas);
    drawingContext().scale = 10;
    circle(10, 50, 50);
    ASSERT_EQ(canvas.shapes.size(), 1u);
    EXPECT_EQ(canvas.shapes[0].kind, Kind::Arc);
    EXPECT_EQ(canvas.shapes[0].points[0], (DevicePoint{400, 400}));
    EXPECT_EQ(canvas.shapes[0].points[1], (DevicePoint{600, 600}));

    for (auto setUp : {+[] { drawingContext().zoom = 1.15; }, +[] { drawingContext().printing = true; },
                       +[] { drawingContext().exporting = true; }}) {
        canvas.clear();
        drawingContext().zoom = 1;
        drawingContext().printing = drawingContext().exporting = false;
        setUp();
        const double z = drawingContext().zoom;
        circle(10, 50, 50);
        ASSERT_EQ(canvas.shapes.size(), 1u);
        const Recorded& gon = canvas.shapes[0];
        ASSERT_EQ(gon.kind, Kind::Polyline);
        ASSERT_EQ(gon.points.size(), 73u);  // the top, then 72 chords of 5°
        EXPECT_EQ(gon.points.front(), toDevice(50, 40));
        EXPECT_EQ(gon.points[1], toDevice(50 + 10 * std::sin(5 * M_PI / 180), 50 - 10 * std::cos(5 * M_PI / 180)));
        EXPECT_EQ(gon.points[18], toDevice(60, 50));  // 90°: the right of the circle
        EXPECT_EQ(gon.points.back(), gon.points.front());
        EXPECT_EQ(gon.points.front().x, static_cast<int>(std::nearbyint(500 * z)));
    }
}

TEST_F(DrawingTest, DashedLineHasFifteenDashesOfTwoFortyFourthsEveryThree) {
    TargetScope target(canvas);
    dashedLine({0, 0}, {44, 0});
    const auto dashes = canvas.of(Kind::Line);
    ASSERT_EQ(dashes.size(), 15u);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(dashes[static_cast<std::size_t>(i)].points[0], (DevicePoint{3 * i, 0}));
        EXPECT_EQ(dashes[static_cast<std::size_t>(i)].points[1], (DevicePoint{3 * i + 2, 0}));
    }
    canvas.clear();
    dashedLine({0, 88}, {0, 0});  // backwards along y
    EXPECT_EQ(canvas.of(Kind::Line).back().points[1], (DevicePoint{0, 0}));
}

TEST_F(DrawingTest, DottedLineCountsAndSpacesItsDots) {
    TargetScope target(canvas);
    drawingContext().scale = 100;
    dottedLine({0, 0}, {30, 0}, DotSize::Large);
    const auto dots = canvas.of(Kind::Ellipse);
    ASSERT_EQ(dots.size(), 18u);  // round(1.8 × 30 ÷ 3)
    const double step = 30 * 3 / (1.8 * 30 - 1);  // mm between dots
    EXPECT_EQ(dots[0].points[0], (DevicePoint{-50, -50}));  // 1 mm across, centred on the start
    EXPECT_EQ(dots[0].points[1], (DevicePoint{50, 50}));
    EXPECT_EQ(dots[17].points[0].x, static_cast<int>(std::nearbyint((17 * step - 0.5) * 100)));
    canvas.clear();
    dottedLine({0, 0}, {0, 10}, DotSize::Small);
    const auto small = canvas.of(Kind::Ellipse);
    ASSERT_EQ(small.size(), 6u);
    EXPECT_EQ(small[0].points[1], (DevicePoint{30, 30}));  // 0.6 mm across
    canvas.clear();
    dottedLine({0, 0}, {0.5, 0}, DotSize::Small);  // too short for a dot
    EXPECT_TRUE(canvas.shapes.empty());
}

TEST_F(DrawingTest, FontHeightsFollowTheBaseZoomAndDivisor) {
    DrawingContext& c = drawingContext();
    c.scale = 5;  // base 18.5: round(18.5 × 30) = 555
    EXPECT_EQ(fontHeight(0), 555 / 38);
    EXPECT_EQ(fontHeight(1), 555 / 30);
    EXPECT_EQ(fontHeight(4), 555 / 16);
    EXPECT_EQ(fontHeight(5), 555 / 12);
    EXPECT_EQ(fontHeight(77), 555 / 38);  // a code outside the table: as font 0
    c.zoom = 1.15;                        // round(638.25) = 638
    EXPECT_EQ(fontHeight(0), 638 / 38);
    c.zoom = 1;
    c.scale = 4.1;  // 4.1 × 3.7 held in single precision
    EXPECT_EQ(fontHeight(2), static_cast<int>(std::nearbyint(static_cast<double>(static_cast<float>(4.1 * 3.7)) * 30)) / 23);
    c.fontBase = 85;  // the printer's base, round(page width ÷ 82)
    EXPECT_EQ(fontHeight(3), 2550 / 20);

    TargetScope target(canvas);
    textLeft("abc", 21, 0, 0);
    textLeft("abc", 16, 0, 0);
    ASSERT_EQ(canvas.fonts.size(), 2u);
    EXPECT_EQ(canvas.fonts[0].face, "Courier");
    EXPECT_EQ(canvas.fonts[0].orientation, 1000);
    EXPECT_TRUE(canvas.fonts[1].italic);
    EXPECT_EQ(canvas.fonts[1].charWidth, 10);
}

TEST_F(DrawingTest, TextsAnchorTheirTopCorner) {
    TargetScope target(canvas);
    textLeft("a", 0, 5, 10);
    textRight("b", 0, 5, 10);
    textCentre("c", 0, 5, 10);
    const auto texts = canvas.of(Kind::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].anchor, TextAnchor::TopLeft);
    EXPECT_EQ(texts[1].anchor, TextAnchor::TopRight);
    EXPECT_EQ(texts[2].anchor, TextAnchor::TopCentre);
    for (const Recorded& t : texts) EXPECT_EQ(t.points[0], (DevicePoint{10, 5}));
}

TEST_F(DrawingTest, PensCarryColourWidthAndStyle) {
    TargetScope target(canvas);
    DrawingContext& c = drawingContext();
    c.scale = 8;
    struct Case {
        int code;
        Rgb colour;
        int width;
        bool dashed;
    } cases[] = {
        {0, kBlack, 2, false},   {10, kBlack, 1, false}, {8, kDarkGrey, 2, false}, {12, kRed, 1, true},
        {18, kOrange, 1, false}, {22, kRed, 6, false},   {26, kMagenta, 1, true},  {63, kBlack, 5, false},
        {78, kOlive, 3, false},  {58, kGreen, 16, false}, {99, kBlack, 1, false},   {9, kGrey, 2, false},
    };
    for (const Case& k : cases) {
        selectPen(k.code);
        EXPECT_EQ(canvas.pens.back(), (PenSpec{k.colour, k.width, k.dashed})) << "pen " << k.code;
    }
    c.zoom = 2;  // the zoomed pens follow the zoom, the others do not
    selectPen(59);
    EXPECT_EQ(canvas.pens.back().width, 16);
    selectPen(2);
    EXPECT_EQ(canvas.pens.back().width, 2);
    c.zoom = 1;
    c.thickness = 2;
    selectPen(0);
    EXPECT_EQ(canvas.pens.back().width, 4);
}

TEST_F(DrawingTest, MonochromeTurnsColoursBlackOnPaperAndWhiteOnScreen) {
    TargetScope target(canvas);
    DrawingContext& c = drawingContext();
    struct Case {
        bool mono, printing, exporting;
        int pen;
        Rgb expected;
    } cases[] = {
        {false, false, false, 2, kRed},  {true, true, false, 2, kBlack},  {true, false, true, 2, kBlack},
        {true, false, false, 2, kWhite}, {true, true, false, 1, kWhite},  {true, false, false, 1, kWhite},
        {true, true, false, 0, kBlack},  {true, false, false, 0, kWhite}, {true, false, true, 78, kBlack},
    };
    for (const Case& k : cases) {
        c.monochrome = k.mono;
        c.printing = k.printing;
        c.exporting = k.exporting;
        selectPen(k.pen);
        EXPECT_EQ(canvas.pens.back().colour, k.expected) << "pen " << k.pen;
        selectBrush(penEntry(k.pen, 1).colour);
        EXPECT_EQ(canvas.brushes.back().colour, k.expected) << "brush of pen " << k.pen;
    }

    // Text colours: code 4 aqua or blue, code 0 white or black; in
    // monochrome mode a font selection brings code 0.
    c.monochrome = false;
    c.printing = c.exporting = false;
    textColour(4);
    textLeft("x", 0, 0, 0);
    c.printing = true;
    textColour(4);
    textLeft("x", 0, 0, 0);
    textColour(0);
    textLeft("x", 0, 0, 0);
    textColour(9);  // other codes leave the colour
    textLeft("x", 0, 0, 0);
    c.monochrome = true;
    textColour(4);
    textLeft("x", 2, 0, 0);
    c.printing = false;
    textRgb(kRed);
    const auto texts = canvas.of(Kind::Text);
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0].textColour, kCyan);
    EXPECT_EQ(texts[1].textColour, kBlue);
    EXPECT_EQ(texts[2].textColour, kBlack);
    EXPECT_EQ(texts[3].textColour, kBlack);
    EXPECT_EQ(texts[4].textColour, kBlack);
    EXPECT_EQ(c.textColour, kWhite);
}

TEST_F(DrawingTest, ChoosePenFollowsScreenOrPaper) {
    TargetScope target(canvas);
    DrawingContext& c = drawingContext();
    const std::pair<int, int> screen[] = {{4, 5}, {0, 1}, {10, 17}, {2, 7}, {7, 2}};
    for (auto [code, pen] : screen) {
        choosePen(code);
        EXPECT_EQ(c.penCode, pen) << "screen " << code;
    }
    c.exporting = true;
    const std::pair<int, int> paper[] = {{4, 4}, {0, 0}, {10, 10}};
    for (auto [code, pen] : paper) {
        choosePen(code);
        EXPECT_EQ(c.penCode, pen) << "paper " << code;
    }
    choosePen(2);  // 2 and 7 leave the pen on paper
    choosePen(7);
    EXPECT_EQ(c.penCode, 10);
}

// The strokes of a glyph drawn at size 10/4.5 (one unit, 1 mm, is 10 pixels
// at scale 10), relative to the centre (100, 100) mm.
std::vector<std::pair<DevicePoint, DevicePoint>> strokes(RecordingCanvas& canvas, int code) {
    canvas.clear();
    drawAspectGlyph(code, 10 / 4.5, 100, 100);
    std::vector<std::pair<DevicePoint, DevicePoint>> out;
    for (const Recorded& r : canvas.of(Kind::Line))
        out.push_back({{r.points[0].x - 1000, r.points[0].y - 1000}, {r.points[1].x - 1000, r.points[1].y - 1000}});
    return out;
}

TEST_F(DrawingTest, StrokeGlyphsJoinPairsAndLiftOnHundred) {
    TargetScope target(canvas);
    drawingContext().scale = 10;
    using S = std::vector<std::pair<DevicePoint, DevicePoint>>;
    // The square: four sides, the last reaching the pair after the count.
    EXPECT_EQ(strokes(canvas, 3), (S{{{-30, -40}, {-30, 30}}, {{-30, 30}, {30, 30}}, {{30, 30}, {30, -40}}, {{30, -40}, {-30, -40}}}));
    // The sextile as its table gives it: a bar and one diagonal.
    EXPECT_EQ(strokes(canvas, 2), (S{{{-30, 0}, {30, 0}}, {{30, -30}, {-30, 30}}}));
    // Two bars with a lift between them.
    EXPECT_EQ(strokes(canvas, 13), (S{{{-50, -20}, {40, -20}}, {{-50, 10}, {40, 10}}}));
    // The semi-square: two sides of its angle from four bytes.
    EXPECT_EQ(strokes(canvas, 7), (S{{{0, -40}, {-30, 30}}, {{-30, 30}, {30, 30}}}));
    // The conjunction: the stem and the closed loop, nine strokes.
    const S conjunction = strokes(canvas, 1);
    ASSERT_EQ(conjunction.size(), 9u);
    EXPECT_EQ(conjunction.front(), (std::pair<DevicePoint, DevicePoint>{{30, -40}, {-10, 0}}));
    EXPECT_EQ(conjunction.back().second, (DevicePoint{-10, 0}));
    EXPECT_TRUE(strokes(canvas, 15).empty());
}

TEST_F(DrawingTest, StrokeGlyphPensTurnAquaOnScreen) {
    TargetScope target(canvas);
    const std::pair<int, int> screen[] = {{1, 3}, {2, 5}, {3, 5}, {8, 5}, {13, 3}};
    for (auto [code, pen] : screen) {
        drawAspectGlyph(code, 4, 50, 50);
        EXPECT_EQ(drawingContext().penCode, pen) << "glyph " << code;
    }
    drawingContext().printing = true;
    drawAspectGlyph(3, 4, 50, 50);
    EXPECT_EQ(drawingContext().penCode, 2);
}

TEST_F(DrawingTest, PicturesChooseTheirVariantAndNumber) {
    EXPECT_EQ(pictureOfPoint(1), 1);
    EXPECT_EQ(pictureOfPoint(8), 11);
    EXPECT_EQ(pictureOfPoint(9), 13);
    EXPECT_EQ(pictureOfPoint(10), 14);
    EXPECT_EQ(pictureOfPoint(11), 15);
    EXPECT_EQ(pictureOfPoint(12), 12);
    EXPECT_EQ(pointPicturePath(14, PictureVariant::Colour), "Simboli\\PiaX14.svg");
    EXPECT_EQ(pointPicturePath(3, PictureVariant::White), "Simboli\\PiaXB03.svg");
    EXPECT_EQ(signPicturePath("M", 12, PictureVariant::Black), "Zodiaco\\SegMN12.svg");
    EXPECT_EQ(elementPicturePath(6, PictureVariant::White), "Simboli\\ElZol2B.svg");

    DrawingContext& c = drawingContext();
    EXPECT_EQ(currentPictureVariant(), PictureVariant::Colour);
    c.monochrome = true;
    EXPECT_EQ(currentPictureVariant(), PictureVariant::White);
    c.exporting = true;
    EXPECT_EQ(currentPictureVariant(), PictureVariant::Black);
}

TEST_F(DrawingTest, ShippedPicturesAreDrawnIntoTheirSquare) {
    test::TempDataDir dir(false);
    ASSERT_TRUE(installPictureFolders(dir.path()));
    TargetScope target(canvas);
    drawingContext().scale = 10;
    drawingContext().monochrome = true;
    drawPointPicture(11, 4, 50, 60);  // the Medium Coeli, white on screen
    for (int sign = 1; sign <= 12; ++sign) drawSignPicture("M", sign, 7, 20, 20);
    for (int t = 1; t <= 7; ++t) drawElementPicture(t, 5, 20, 20);
    drawingContext().exporting = true;
    for (int body = 1; body <= 15; ++body) drawBodyPicture(body, 4, 20, 20);
    const auto pictures = canvas.of(Kind::Picture);
    ASSERT_EQ(pictures.size(), 1u + 12 + 7 + 15);
    EXPECT_NE(pictures[0].text.find("PiaXB15.svg"), std::string::npos);
    EXPECT_EQ(pictures[0].points[0], (DevicePoint{480, 580}));
    EXPECT_EQ(pictures[0].points[1], (DevicePoint{520, 620}));
    EXPECT_NE(pictures.back().text.find("PiaXN15.svg"), std::string::npos);

    drawingContext().exporting = false;
    drawingContext().targetVisible = false;  // a hidden window gets no pictures
    canvas.clear();
    drawPointPicture(1, 4, 50, 60);
    EXPECT_TRUE(canvas.shapes.empty());
}

TEST_F(DrawingTest, AMissingPictureIsAnInputOutputErrorNamingIt) {
    test::TempDataDir dir(false);
    TargetScope target(canvas);
    try {
        drawPointPicture(10, 4, 50, 50);
        FAIL() << "no error for a missing picture";
    } catch (const IoError& e) {
        EXPECT_EQ(e.file(), "Simboli\\PiaX14.svg");
    }
    EXPECT_TRUE(canvas.shapes.empty());
}

TEST_F(DrawingTest, ProductCaptionAndPageBorder) {
    TargetScope target(canvas);
    drawingContext().printerInstalled = true;
    pageBorder(6, 7, 264, 376);
    const auto frame = canvas.of(Kind::Rectangle);
    ASSERT_EQ(frame.size(), 1u);
    EXPECT_EQ(frame[0].points[0], (DevicePoint{6, 7}));
    EXPECT_EQ(frame[0].points[1], (DevicePoint{264, 376}));
    EXPECT_EQ(frame[0].pen.colour, kYellow);
    drawingContext().printing = true;  // not on paper
    canvas.clear();
    pageBorder(6, 7, 264, 376);
    EXPECT_TRUE(canvas.shapes.empty());

    productCaption(0, 0);
    const auto band = canvas.of(Kind::Rectangle);
    ASSERT_EQ(band.size(), 1u);
    EXPECT_EQ(band[0].points[0], (DevicePoint{4, 130}));
    EXPECT_EQ(band[0].brush.colour, kRed);
    // On paper: the yellow figure darkened to its twin, the band's text black.
    EXPECT_EQ(canvas.of(Kind::Polygon).at(0).brush.colour, paperTwin(kYellow, PaperUse::Mark));
    const auto caption = canvas.of(Kind::Text);
    ASSERT_EQ(caption.size(), 1u);
    EXPECT_EQ(caption[0].text, "Corvalimetrix 3");
    EXPECT_EQ(caption[0].textColour, kBlack);

    // In black and white the band is only outlined, so its text stays readable.
    canvas.clear();
    drawingContext().monochrome = true;
    productCaption(0, 0);
    EXPECT_TRUE(canvas.of(Kind::Rectangle).at(0).brush.none);
    EXPECT_EQ(canvas.of(Kind::Fill).at(0).fillColour, kWhite);  // the paper's colour hides the figure
    EXPECT_TRUE(canvas.of(Kind::Polygon).at(0).brush.none);
    EXPECT_EQ(canvas.of(Kind::Text).at(0).textColour, kBlack);
}

TEST_F(DrawingTest, DateAndPractitionerStandRightAligned) {
    TargetScope target(canvas);
    drawingContext().today = "10/12/2026";
    drawingContext().practitioner = "Nome Cognome";
    dateAndPractitioner(100, 200);
    const auto texts = canvas.of(Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "10/12/2026");
    EXPECT_EQ(texts[0].anchor, TextAnchor::TopRight);
    EXPECT_EQ(texts[1].text, "Nome Cognome");
    EXPECT_EQ(texts[1].points[0], (DevicePoint{200, 104}));
    EXPECT_EQ(texts[1].font.height, fontHeight(15));
}

TEST_F(DrawingTest, ScreenAndPrinterSetUpsFollowTheSettingsAndThePage) {
    setScreenScales(1920, 1080);
    setPrinterScale(4960);
    DisplaySettings settings;
    settings.scaleX = 0.9L;
    settings.scaleY = 1.1L;
    settings.lineThickness = 2;
    useScreenSettings(settings);
    const DrawingContext& c = drawingContext();
    EXPECT_DOUBLE_EQ(c.scale, 1920 / 210.0 * (1080.0 / 1920));
    EXPECT_DOUBLE_EQ(c.hFactor, 0.9);
    EXPECT_DOUBLE_EQ(c.vFactor, 1.1);
    EXPECT_EQ(c.thickness, 2);
    EXPECT_TRUE(c.printerInstalled);
    EXPECT_TRUE(c.onScreen());

    usePrinterPage(4960);  // an A4 page at 600 dots per inch
    EXPECT_TRUE(c.printing);
    EXPECT_DOUBLE_EQ(c.scale, 4960 / 210.0 * 0.776);
    EXPECT_EQ(c.hFactor, 1);
    EXPECT_EQ(c.vFactor, 1);
    EXPECT_EQ(fontHeight(0), 60 * 30 / 38);  // base round(4960 ÷ 82) = 60
    EXPECT_EQ(c.thickness, 2);
}

TEST(PrintPalette, EachColourHasATwinOfTheSameHueThatReadsOnWhite) {
    // Every colour the drawings use, and the glyphs' light ones.
    const Rgb colours[] = {kRed, kGreen, kBlue, kCyan, kMagenta, kYellow, kDarkGrey, kGrey, kOrange, kOlive,
                           {0xdf, 0xe6, 0xf2}, {0xff, 0xc2, 0x1a}, {0x5f, 0xe0, 0x8a}, {0xe8, 0xe8, 0xe8}};
    for (const Rgb c : colours)
        for (const PaperUse use : {PaperUse::Text, PaperUse::Mark}) {
            const Rgb twin = paperTwin(c, use);
            EXPECT_GE(contrastOnWhite(twin), minimumPaperContrast(use)) << int(c.r) << "," << int(c.g) << "," << int(c.b);
            // The same hue: the channels keep their proportions (to rounding).
            const int top = std::max({c.r, c.g, c.b});
            const int twinTop = std::max({twin.r, twin.g, twin.b});
            for (const auto& [a, b] : {std::pair{c.r, twin.r}, {c.g, twin.g}, {c.b, twin.b}})
                EXPECT_NEAR(static_cast<double>(b) / twinTop, static_cast<double>(a) / top, 0.02);
            // No darker than it has to be.
            if (contrastOnWhite(c) >= minimumPaperContrast(use) + 0.05) {
                EXPECT_EQ(twin, c);
            }
        }
    EXPECT_EQ(paperTwin(kWhite, PaperUse::Mark), kBlack);  // the screen's foreground
    EXPECT_EQ(paperTwin(kBlue, PaperUse::Text), kBlue);
    EXPECT_NEAR(contrastOnWhite(kBlack), 21, 1e-9);
    EXPECT_NEAR(contrastOnWhite(kWhite), 1, 1e-9);
}

// How far a paper twin may be darkened. A twin darker than its contrast
// needs costs what the two palettes are for: on paper the orange and the
// red, the yellow and the olive of the drawings would draw apart from their
// screen colours and merge into one another toward black. So, over the
// whole colour cube:
//  - a colour that reads on white keeps itself;
//  - a darkened twin has at most 0.3 of contrast beyond the use's minimum
//    (the 0.05 margin against rounding, plus one step of a whole channel
//    value, which at the threshold moves the contrast by less than 0.1):
//    4.8:1 for a text, 3.3:1 for a mark, never the 21:1 of black;
//  - it keeps at least 45% of its brightness (its largest channel): the
//    lightest colour there is, white less one step, needs its channels
//    scaled to about 47% to reach 4.5:1 (relative luminance 1 down to
//    0.18), so no colour has to go darker than that;
//  - it keeps its hue: each channel is the colour's scaled by the twin's
//    factor, to within the rounding of the two channels (one unit).
TEST(PrintPalette, ATwinIsDarkenedOnlyAsFarAsItsContrastNeeds) {
    int darkenedTwins = 0;
    for (int r = 0; r <= 255; r += 15)
        for (int g = 0; g <= 255; g += 15)
            for (int b = 0; b <= 255; b += 15) {
                const Rgb c{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
                if (c == kWhite) continue;  // the screen's foreground: black on paper
                for (const PaperUse use : {PaperUse::Text, PaperUse::Mark}) {
                    const Rgb twin = paperTwin(c, use);
                    const double least = minimumPaperContrast(use);
                    const std::string name = std::to_string(r) + "," + std::to_string(g) + "," + std::to_string(b) +
                                             (use == PaperUse::Text ? " text" : " mark");
                    if (contrastOnWhite(c) >= least + 0.05) {
                        EXPECT_EQ(twin, c) << name;
                        continue;
                    }
                    ++darkenedTwins;
                    EXPECT_GE(contrastOnWhite(twin), least) << name;
                    EXPECT_LE(contrastOnWhite(twin), least + 0.3) << name;
                    const int top = std::max({c.r, c.g, c.b});
                    const int twinTop = std::max({twin.r, twin.g, twin.b});
                    EXPECT_GE(twinTop, 0.45 * top) << name;
                    const double k = static_cast<double>(twinTop) / top;
                    for (const auto& [from, to] : {std::pair{c.r, twin.r}, {c.g, twin.g}, {c.b, twin.b}})
                        EXPECT_LE(std::abs(to - from * k), 1.0 + 1e-9) << name;
                }
            }
    EXPECT_GT(darkenedTwins, 1000);  // the cube's light half, for both uses
}

TEST(PrintPalette, TheContextPicksThePaletteAndThePictures) {
    resetDrawingContext();
    RecordingCanvas canvas;
    TargetScope target(canvas);
    EXPECT_EQ(currentPalette(), Palette::Screen);
    selectPen(5);
    EXPECT_EQ(canvas.pens.back().colour, kCyan);
    usePaperPage(10);
    EXPECT_EQ(currentPalette(), Palette::Paper);
    EXPECT_EQ(currentPictureVariant(), PictureVariant::Paper);
    EXPECT_EQ(pointPicturePath(14, PictureVariant::Paper), "Simboli\\PiaXC14.svg");
    selectPen(5);
    EXPECT_EQ(canvas.pens.back().colour, paperTwin(kCyan, PaperUse::Text));
    selectBrush(kYellow);
    EXPECT_EQ(canvas.brushes.back().colour, paperTwin(kYellow, PaperUse::Mark));
    textRgb(kWhite);
    textLeft("x", 0, 10, 10);
    EXPECT_EQ(canvas.shapes.back().textColour, kBlack);
    usePaperPage(10, true);
    EXPECT_EQ(currentPalette(), Palette::Monochrome);
    selectPen(5);
    EXPECT_EQ(canvas.pens.back().colour, kBlack);
    resetDrawingContext();
}

} // namespace drawing_test
} // namespace qv::draw
