// The printable sheets on the recording canvas: the key list and the term
// rows it selects, the heading and block titles of each layout at their
// places, the aspect lines of the planets only, and the zoom put back.
#include "analysis/dignities.h"
#include "display/recording_canvas.h"
#include "display/sheet_blocks.h"
#include "display/sheet_layouts.h"
#include "tests/display/picture_folders.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::draw {
namespace sheet_layouts_test {

using Kind = Recorded::Kind;

ChartState sampleChart() {
    ChartState chart;
    // The Sun trine the Moon, square Mercury, sextile Venus, conjunct Mars;
    // the nodes opposite each other and in aspect to the Sun.
    const long double lon[12] = {0, 90.2L, 210.5L, 180.4L, 150.3L, 91, 300, 45, 270, 90, 100, 10};
    for (int k = 1; k <= 11; ++k) chart.longitude[static_cast<std::size_t>(k)] = lon[k];
    for (int k = 1; k <= 7; ++k) chart.latitude[static_cast<std::size_t>(k)] = 0.5L * k;
    for (int i = 1; i <= 12; ++i) chart.cusp[static_cast<std::size_t>(i)] = std::fmod(100 + 30.0L * (i - 1), 360.0L);
    chart.mcRadians = 10 * 3.14159265358979323846L / 180;
    chart.houseSystem = "PLACIDO";
    chart.nodeKind = "MEDIO";
    chart.zoneText = "+1.00";
    chart.jdText = "JD=2437700.0";
    chart.jd = 2437700.0L;  // a Sunday noon in Universal Time
    chart.corr = -1;
    chart.birth.day = 4;
    chart.birth.month = 2;
    chart.birth.year = 1962;
    chart.birth.hour = 13;
    chart.birth.place = "Milano";
    chart.birth.nation = "Italia";
    return chart;
}

TEST(SheetTexts, WeekdayBirthLineAndAbsoluteLongitude) {
    ChartState chart = sampleChart();
    EXPECT_EQ(birthWeekday(chart), 0);
    chart.corr = 14;  // local clock 14 hours behind Universal Time: Saturday evening
    EXPECT_EQ(birthWeekday(chart), 6);
    chart.corr = -13;  // 13 hours ahead: past midnight, Monday
    EXPECT_EQ(birthWeekday(chart), 1);
    chart.corr = -1;
    EXPECT_EQ(birthLine(chart), "NASCITA Domenica 04/02/1962 13:00 (GMT+1.00)");
    chart.birth.gregorian = false;
    EXPECT_EQ(birthLine(chart), "NASCITA Domenica 04/02/1962 13:00 (GMT+1.00) Calend. Giuliano");

    EXPECT_EQ(absoluteLongitudeText(123.4567L), "(123\xB0,45)");
    EXPECT_EQ(absoluteLongitudeText(5.5L), "(5\xB0,50)");
    EXPECT_EQ(absoluteLongitudeText(0), "(0\xB0,00)");
    EXPECT_EQ(absoluteLongitudeText(359.999L), "(359\xB0,99)");
}

TEST(SheetTexts, KeyListSelectsTermRowsAndRestartsTheGlyphsAfterNine) {
    const ChartState chart = sampleChart();
    const std::vector<std::string> keys = sheetKeyList(chart);
    ASSERT_EQ(keys.size(), 18u);
    // Term sectors start at the Ascendant − 15° = 85°: the Sun at 90.2° is in
    // the first, the Moon at 210.5° in the 21st.
    EXPECT_EQ(keys[0], "Sole01");
    EXPECT_EQ(keys[1], "Luna21");
    EXPECT_EQ(keys[8].substr(0, 4), "NSud");
    EXPECT_EQ(keys[9], "SolDec10");   // 90.2° lies in the tenth decan
    EXPECT_EQ(keys[17], "NosDec00");  // 270° is a decan boundary: none

    std::vector<std::string> texts = {
        "Sole01               " + std::string("Sole T01 testo della riga"),
        "Luna21               Luna prima riga",
        "Luna21               Luna seconda riga",
        "SolDec10             mai scelta",
        "Luna2                troppo corta per la chiave",
    };
    // Nine texts for the Sun push the tenth row past the first nine.
    for (int i = 0; i < 8; ++i) texts.push_back("Sole01               altra " + std::to_string(i));
    const std::vector<TermRow> rows = termRows(keys, texts);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_EQ(rows[0].text, "Sole T01 testo della riga");
    EXPECT_EQ(rows[0].glyph, 1);
    EXPECT_EQ(rows[8].glyph, 9);
    EXPECT_TRUE(rows[8].highlighted);
    EXPECT_EQ(rows[9].glyph, 1);
    EXPECT_FALSE(rows[9].highlighted);
    EXPECT_EQ(rows[9].text, "Luna prima riga");
    EXPECT_EQ(rows[10].text, "Luna seconda riga");
}

TEST(SheetTexts, AspectLinesPairOnlyThePlanets) {
    const ChartState chart = sampleChart();
    OrbTable orbs{};
    for (auto& orb : orbs) orb = 8;
    const std::vector<WheelAspectLine> lines = sheetAspectLines(chart, orbs);
    for (const WheelAspectLine& l : lines) {
        EXPECT_LE(l.first, 7);
        EXPECT_LE(l.second, 7);
        EXPECT_NE(l.aspect, Aspect::Conjunction);
    }
    const auto has = [&](int a, int b, Aspect aspect) {
        for (const WheelAspectLine& l : lines)
            if (((l.first == a && l.second == b) || (l.first == b && l.second == a)) && l.aspect == aspect) return true;
        return false;
    };
    EXPECT_TRUE(has(1, 2, Aspect::Trine));
    EXPECT_TRUE(has(1, 3, Aspect::Square));
    EXPECT_TRUE(has(1, 4, Aspect::Sextile));
    EXPECT_FALSE(has(1, 5, Aspect::Conjunction));
}

TEST(SheetLayoutNames, CodesCaptionsAndPages) {
    EXPECT_EQ(sheetLayoutNamed("v1"), SheetLayout::Vertical1);
    EXPECT_EQ(static_cast<int>(*sheetLayoutNamed("O2")), 17);
    EXPECT_FALSE(sheetLayoutNamed("V3"));
    EXPECT_STREQ(sheetLayoutCaption(SheetLayout::Horizontal1), "Orizzontale 1 ");
    EXPECT_TRUE(isLandscape(SheetLayout::Horizontal2));
    EXPECT_FALSE(isLandscape(SheetLayout::Vertical2));
    EXPECT_NEAR(sheetPageWidth() / sheetPageHeight(SheetLayout::Vertical1), 210.0 / 297.0, 1e-12);
}

class SheetDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pictures);
        resetDrawingContext();
        drawingContext().scale = 10;
        drawingContext().exporting = true;
        content.subjectName = "Maria Rossi";
        for (auto& orb : content.orbs) orb = 8;
        content.termTexts = {"Sole01               Sole nel primo termine"};
        content.structure = std::make_shared<const ArchetypalStructure>();
    }
    void TearDown() override { resetDrawingContext(); }

    // The point where a text of the sheet stands, at the layout's zoom,
    // once the sheet is fitted into its printable area.
    DevicePoint at(double zoom, double y, double x) const {
        const DrawingContext saved = drawingContext();
        drawingContext().zoom = zoom * fit.factor;
        drawingContext().x0 = static_cast<int>(std::lround(fit.dx * saved.scale));
        drawingContext().y0 = static_cast<int>(std::lround(fit.dy * saved.scale));
        const DevicePoint p = toDevice(x, y);
        drawingContext() = saved;
        return p;
    }
    void draw(SheetLayout layout) {
        canvas.clear();
        TargetScope target(canvas);
        drawingContext().scale = 10;
        drawingContext().exporting = true;
        fit = sheetFit(layout, chart, content);
        drawSheet(layout, chart, content);
        EXPECT_DOUBLE_EQ(drawingContext().zoom, 1.0) << "the zoom is put back";
    }
    const Recorded* textNamed(const std::string& text) const {
        for (const Recorded& r : canvas.shapes)
            if (r.kind == Kind::Text && r.text == text) return &r;
        return nullptr;
    }

    test::TempDataDir dir{false};
    const bool pictures = installPictureFolders(dir.path());
    RecordingCanvas canvas;
    ChartState chart = sampleChart();
    SheetContent content;
    SheetFit fit;
};

struct Placed {
    SheetLayout layout;
    double zoom;
    const char* text;
    double y, x;  // where its corner stands, sheet millimetres before the zoom
};

TEST_F(SheetDrawing, EachLayoutPutsItsHeadingAndBlocksInPlace) {
    const Placed placed[] = {
        {SheetLayout::Vertical1, 1.15, "Maria Rossi", 15, 15},
        {SheetLayout::Vertical1, 1.15, "TEMA DI NASCITA", 15, 230},
        {SheetLayout::Vertical1, 1.15, "DOMIFICAZIONE: PLACIDO", 19.8, 230},
        {SheetLayout::Vertical1, 1.15, "NODO: MEDIO", 23.5, 230},
        {SheetLayout::Vertical1, 1.15, "Milano - Italia", 30, 15},
        {SheetLayout::Vertical1, 1.15, "TERMINI", 212, 114},
        {SheetLayout::Vertical1, 1.15, "DODECATEMORIE", 267, 113},
        {SheetLayout::Vertical1, 1.15, "LATITUDINI", 211, 203},
        {SheetLayout::Vertical1, 1.15, "LONGITUDINI", 107, 16},
        {SheetLayout::Vertical1, 1.15, "DISTANZE SFERICHE", 194, 13},
        {SheetLayout::Vertical1, 1.15, "Giorno Planetario: Domenica", 55, 16},
        {SheetLayout::Vertical1, 1.15, "Sole nel primo termine", 217.4, 119},
        {SheetLayout::Vertical1, 1.15, "che coinvolgono i Nodi Lunari", 277.5, 165},
        {SheetLayout::Vertical1, 1.15, "STRUTTURA ARCHETIPALE", 307, 23},
        {SheetLayout::Horizontal1, 1 / 1.22, "STRUTTURA ARCHETIPALE", 210, 23},
        {SheetLayout::Horizontal1, 1 / 1.22, "TEMA DI NASCITA", 15, 313},
        {SheetLayout::Horizontal1, 1 / 1.22, "DOMIFICAZIONE: CASE MEDIE", 20.5, 313},
        {SheetLayout::Horizontal1, 1 / 1.22, "NODO MEDIO", 25, 313},
        {SheetLayout::Horizontal1, 1 / 1.22, "DODECATEMORIE", 82, 263},
        {SheetLayout::Horizontal1, 1 / 1.22, "TERMINI", 142, 242},
        {SheetLayout::Horizontal1, 1 / 1.22, "LATITUDINI", 57, 16},
        {SheetLayout::Horizontal1, 1 / 1.22, "LONGITUDINI Relative (tra parentesi: Longitudini Assolute)", 202, 163},
        {SheetLayout::Horizontal1, 1 / 1.22, "DISTANZE SFERICHE", 97, 13},
        {SheetLayout::Horizontal1, 1 / 1.22, "Giorno Planetario: Domenica", 35, 263},
        {SheetLayout::Vertical2, 1.15, "AFFINITA' ENERGETICHE", 52, 113},
        {SheetLayout::Vertical2, 1.15, "(per Antisce e Contrantisce)", 207, 111},
        {SheetLayout::Vertical2, 1.15, "STOFFA ELEMENTARE", 87, 44},
        {SheetLayout::Vertical2, 1.15, "STOFFA STAGIONALE", 225, 44},
        {SheetLayout::Horizontal2, 1 / 1.32, "TEMA DI NASCITA", 15, 338},
        {SheetLayout::Horizontal2, 1 / 1.32, "AFFINITA' SPECULARI", 60, 175},
        {SheetLayout::Horizontal2, 1 / 1.32, "STOFFA ELEMENTARE", 207, 48},
        {SheetLayout::Horizontal2, 1 / 1.32, "STOFFA STAGIONALE", 202, 228},
    };
    SheetLayout drawn = SheetLayout::Vertical1;
    bool any = false;
    for (const Placed& p : placed) {
        if (!any || drawn != p.layout) {
            draw(p.layout);
            drawn = p.layout;
            any = true;
        }
        const Recorded* r = textNamed(p.text);
        ASSERT_NE(r, nullptr) << p.text;
        EXPECT_EQ(r->points[0], at(p.zoom, p.y, p.x)) << p.text;
    }
}

TEST_F(SheetDrawing, StructureRowsLabelExchangesScambAndWrapAfterFour) {
    ArchetypalStructure structure;
    for (int k = 0; k < 5; ++k) {
        StructureRow row;
        row.state = k == 0 ? kExchange : kDomicile;
        row.members[0] = {k + 1, 1, 0};
        row.members[1] = {7, 2, k + 1};
        structure.rows.push_back(row);
    }
    {
        TargetScope target(canvas);
        drawingContext().scale = 10;
        drawStructureBlock(structure, 100, 20);
    }
    const Recorded* exchange = textNamed("Scamb");
    ASSERT_NE(exchange, nullptr);
    EXPECT_EQ(exchange->points[0], toDevice(20, 98.5));
    EXPECT_EQ(textNamed("Scambio"), nullptr);
    // The fifth row opens the second column, level with the first.
    int fifthColumnLabels = 0;
    for (const Recorded& r : canvas.of(Kind::Text))
        if (r.text == "Domicil" && r.points[0] == toDevice(20 + 56, 98.5)) ++fifthColumnLabels;
    EXPECT_EQ(fifthColumnLabels, 1);
    EXPECT_NE(textNamed("sol"), nullptr);  // Saturn disposed by the Sun in the first row

    canvas.clear();
    structure = {};
    structure.noDignity = true;
    {
        TargetScope target(canvas);
        drawStructureBlock(structure, 100, 20);
    }
    EXPECT_NE(textNamed(kNoDignityMessage), nullptr);
}

TEST_F(SheetDrawing, OnScreenThePrintableAreaOfThePrintersOrientationIsFramed) {
    for (const bool landscape : {true, false}) {
        canvas.clear();
        {
            TargetScope target(canvas);
            drawingContext().scale = 10;
            drawingContext().exporting = false;  // the window
            drawingContext().printerInstalled = true;
            drawingContext().printerLandscape = landscape;
            drawSheet(SheetLayout::Vertical1, chart, content);
        }
        const SheetArea area = printableArea(landscape ? SheetLayout::Horizontal1 : SheetLayout::Vertical1);
        // 5 mm of paper: 5 × 270.6 ÷ 210 sheet millimetres on a portrait page.
        EXPECT_NEAR(area.left, landscape ? 5 * sheetPageWidth() / 297 : 5 * sheetPageWidth() / 210, 1e-9);
        const Recorded& frame = canvas.shapes.back();
        ASSERT_EQ(frame.kind, Kind::Rectangle);
        EXPECT_EQ(frame.points[0], toDevice(area.left, area.top));
        EXPECT_EQ(frame.points[1], toDevice(area.right, area.bottom));
        EXPECT_EQ(frame.pen.colour, kYellow);
    }
}

TEST_F(SheetDrawing, TheFirstSheetsDrawOneWheelTheSecondTwo) {
    const auto wheels = [&](SheetLayout layout) {
        draw(layout);
        int signPictures = 0;
        for (const Recorded& r : canvas.of(Kind::Picture))
            if (r.text.find("SegM") != std::string::npos) ++signPictures;
        return signPictures / 12;
    };
    EXPECT_EQ(wheels(SheetLayout::Vertical1), 1);
    EXPECT_EQ(wheels(SheetLayout::Horizontal1), 1);
    EXPECT_EQ(wheels(SheetLayout::Vertical2), 2);
    EXPECT_EQ(wheels(SheetLayout::Horizontal2), 2);
}

} // namespace sheet_layouts_test
} // namespace qv::draw
