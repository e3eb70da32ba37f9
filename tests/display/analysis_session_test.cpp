// The analysis window's memory between clicks: which view and message each
// button and glyph gives next, the reset of the other counters, where a
// press lands, and the blocks of the messages file.
#include "display/analysis_session.h"

#include "base/data_dir.h"
#include "base/errors.h"
#include "base/text_file.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

using namespace qv;

namespace analysis_session_test {

std::vector<int> pressTimes(AnalysisSession& s, AnalysisButton b, int times) {
    std::vector<int> messages;
    for (int i = 0; i < times; ++i) messages.push_back(s.press(b).message);
    return messages;
}


TEST(AnalysisSession, EachButtonCyclesThroughItsMessagesAndStartsAgain) {
    const struct {
        AnalysisButton button;
        std::vector<int> messages;  // one full round and the first again
    } cases[] = {
        {AnalysisButton::Coordinates, {2, 3, 4, 2}},
        {AnalysisButton::Substance, {5, 6, 7, 8, 5}},
        {AnalysisButton::Structure, {9, 9}},
        {AnalysisButton::Aspects, {10, 24, 25, 26, 10}},
        {AnalysisButton::Affinities, {11, 12, 13, 11}},
        {AnalysisButton::Antiscia, {14, 15, 16, 17, 14}},
        {AnalysisButton::Dodecatemories, {18, 18}},
        {AnalysisButton::Dominant, {19, 20, 27, 21, 19}},
        {AnalysisButton::Masters, {22, 23, 22}},
    };
    for (const auto& c : cases) {
        AnalysisSession s;
        s.open();
        EXPECT_EQ(pressTimes(s, c.button, static_cast<int>(c.messages.size())), c.messages)
            << static_cast<int>(c.button);
    }
}

TEST(AnalysisSession, AnyOtherButtonOrGlyphSendsAButtonBackToItsFirstView) {
    AnalysisSession s;
    EXPECT_EQ(s.press(AnalysisButton::Aspects).view, 0);
    EXPECT_EQ(s.press(AnalysisButton::Aspects).view, 1);
    EXPECT_EQ(s.press(AnalysisButton::Masters).view, 0);
    EXPECT_EQ(s.press(AnalysisButton::Aspects).view, 0);  // after Maestri: first view again
    EXPECT_EQ(s.press(AnalysisButton::Aspects).view, 1);

    s.clickPoint(5);
    EXPECT_EQ(s.press(AnalysisButton::Aspects).view, 0);  // a glyph resets the buttons too
    EXPECT_EQ(s.clickPoint(5).view, 0);                     // and a button the glyphs
    EXPECT_EQ(s.clickPoint(5).view, 1);
    EXPECT_EQ(s.clickSign(3).view, 0);
    EXPECT_EQ(s.clickPoint(5).view, 0);                     // another glyph resets it
    s.clickPoint(5);
    s.clickStructureGlyph();
    EXPECT_EQ(s.clickPoint(5).view, 0);

    s.clickPoint(5);
    s.open();  // the window opening again
    for (int slot = 0; slot < ViewCounters::kSlots; ++slot) {
        EXPECT_EQ(s.counters().value(ViewCounters::Bank::Points, slot), 0);
        EXPECT_EQ(s.counters().value(ViewCounters::Bank::Buttons, slot), 0);
    }
}

TEST(AnalysisSession, CounterOutsideItsBankResetsAndShowsTheFirstView) {
    ViewCounters c;
    c.click(ViewCounters::Bank::Signs, 2, 4);
    EXPECT_EQ(c.click(ViewCounters::Bank::Points, 16, 4), 0);
    EXPECT_EQ(c.click(ViewCounters::Bank::Points, -1, 4), 0);
    EXPECT_EQ(c.value(ViewCounters::Bank::Signs, 2), 0);
}

TEST(AnalysisSession, FourClicksOnAPointOrASign) {
    using A = GlyphAction;
    const struct {
        int point;  // 0: a sign
        std::array<A, 4> actions;
        std::array<int, 4> messages;
        bool pictures;
    } cases[] = {
        {5, {A::Attributions, A::LinkedRemedies, A::HideLinked, A::MirrorLines}, {28, 29, 28, 30}, true},   // Marte
        {1, {A::Attributions, A::LinkedRemedies, A::HideLinked, A::MirrorLines}, {28, 29, 28, 30}, true},   // Sole
        {8, {A::Attributions, A::LinkedRemedies, A::HideLinked, A::Nothing}, {28, 29, 28, 0}, false},       // Nodo Nord
        {9, {A::Attributions, A::LinkedRemedies, A::HideLinked, A::Nothing}, {28, 29, 28, 0}, false},       // Nodo Sud
        {10, {A::Attributions, A::Nothing, A::HideLinked, A::Nothing}, {28, 0, 28, 0}, false},              // Ascendant
        {11, {A::Attributions, A::Nothing, A::HideLinked, A::Nothing}, {28, 0, 28, 0}, false},              // Medium Coeli
        {0, {A::Attributions, A::LinkedRemedies, A::HideLinked, A::MirrorLines}, {31, 32, 31, 33}, true},   // a sign
    };
    for (const auto& c : cases) {
        AnalysisSession s;
        for (int i = 0; i < 5; ++i) {
            const GlyphStep step = c.point ? s.clickPoint(c.point) : s.clickSign(7);
            const auto k = static_cast<std::size_t>(i % 4);
            EXPECT_EQ(step.view, i % 4) << c.point;
            EXPECT_EQ(step.action, c.actions[k]) << c.point << " click " << i + 1;
            EXPECT_EQ(step.message, c.messages[k]) << c.point << " click " << i + 1;
            EXPECT_EQ(step.pictures, c.pictures) << c.point;
        }
    }
}

TEST(AnalysisSession, PressHitsAGlyphWithinFifteenPixelsDividedByTheFactors) {
    const GlyphPlace glyph{5, 100, 50};  // at 4 px/mm: pixel (400, 200) with factors 1
    const struct {
        double h, v, px, py;
        bool hit;
    } cases[] = {
        {1, 1, 400, 200, true},
        {1, 1, 414.9, 185.1, true},
        {1, 1, 415, 200, false},         // 15 pixels is not below 15
        {1, 1, 400, 185, false},
        {0.8, 1, 500 + 18.7, 200, true}, // centre 400/0.8 = 500, tolerance 18.75
        {0.8, 1, 500 + 18.8, 200, false},
        {1, 1.25, 400, 160 - 11.9, true}, // centre 200/1.25 = 160, tolerance 12
        {1, 1.25, 400, 160 - 12, false},
    };
    for (const auto& c : cases) {
        HitGeometry g;
        g.scale = 4;
        g.hFactor = c.h;
        g.vFactor = c.v;
        EXPECT_EQ(hitsGlyph(c.px, c.py, glyph, g), c.hit) << c.h << " " << c.v << " " << c.px << " " << c.py;
    }
    HitGeometry shifted;
    shifted.scale = 4;
    shifted.x0 = 100;
    shifted.y0 = 10;
    EXPECT_TRUE(hitsGlyph(500, 210, glyph, shifted));
    EXPECT_FALSE(hitsGlyph(400, 200, glyph, shifted));
}

TEST(AnalysisSession, StructureGlyphsAreTestedBeforePointsAndPointsBeforeSigns) {
    HitGeometry g;
    g.scale = 1;
    const std::vector<GlyphPlace> structure = {{4, 100, 100}, {4, 200, 100}};  // a planet in two rows
    const std::vector<GlyphPlace> points = {{2, 50, 50}, {3, 105, 100}, {7, 52, 50}};
    const std::vector<GlyphPlace> signs = {{9, 50, 50}, {10, 300, 300}};
    const struct {
        double x, y;
        GlyphHit::Kind kind;
        int number;
    } cases[] = {
        {102, 100, GlyphHit::Kind::Structure, 4},
        {201, 100, GlyphHit::Kind::Structure, 4},
        {51, 50, GlyphHit::Kind::Point, 2},  // the first point of the list that is hit
        {300, 310, GlyphHit::Kind::Sign, 10},
        {200, 200, GlyphHit::Kind::None, 0},
    };
    for (const auto& c : cases) {
        const GlyphHit hit = hitGlyph(c.x, c.y, structure, points, signs, g);
        EXPECT_EQ(hit.kind, c.kind) << c.x;
        EXPECT_EQ(hit.number, c.number) << c.x;
        if (hit.kind != GlyphHit::Kind::None) {
            EXPECT_NEAR(hit.x, c.x, 14) << c.x;  // the centre of the glyph hit
        }
    }
}

TEST(AnalysisSession, MessageBlockIsTheRunAfterTheNthMarkLine) {
    const std::vector<std::string> lines = {"prima riga senza segno", "#01", "uno a", "", "uno b",
                                            "#02 con testo", "due", "riga # in mezzo", "tre", "tre b"};
    const struct {
        int n;
        std::vector<std::string> block;
    } cases[] = {
        {0, {}},
        {-3, {}},
        {1, {"uno a", "", "uno b"}},  // empty lines kept
        {2, {"due"}},                 // the next mark may stand anywhere in a line
        {3, {"tre", "tre b"}},        // the last block runs to the end of the file
        {4, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(messageBlock(lines, c.n), c.block) << c.n;
}

TEST(AnalysisSession, ShippedMessagesHoldEveryMessageTheWindowShows) {
    test::TempDataDir dir;
    setDataDir(test::dataTemplateDir());
    EXPECT_EQ(readInfoMessage(1).at(0), "INFORMAZIONI:");
    for (int n = 1; n <= kLastInfoMemoMessage; ++n) EXPECT_FALSE(readInfoMessage(n).empty()) << n;

    setDataDir(dir.path());
    EXPECT_THROW(readInfoMessage(1), IoError);
}

} // namespace analysis_session_test
