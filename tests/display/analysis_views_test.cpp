// The analysis window's views on the recording canvas: each view clears
// the area and draws its heading and its elements, fills the text panel
// where it has one, reports where its glyphs stand, draws the figures of
// sign pairs between the right places, and raises the input/output error
// for a missing data file only after its heading is drawn.
#include "analysis/affinities.h"
#include "analysis/aspects.h"
#include "analysis/dignities.h"
#include "analysis/subdivisions.h"
#include "base/errors.h"
#include "display/analysis_views.h"
#include "display/drawing_extent.h"
#include "display/recording_canvas.h"
#include "ephemeris/text_forms.h"
#include "tests/analysis/cast_charts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>

namespace qv::draw {
namespace analysis_views_test {

using Kind = Recorded::Kind;
namespace fs = std::filesystem;

class AnalysisViewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"Simboli", "Zodiaco", "Glifi", "OpzioneT", "Scambi", "Appoggio"})
            fs::copy(test::dataTemplateDir() / folder, dir.dir.path() / folder, fs::copy_options::recursive);
        // 4 February 1962, 13:30 in Milan: the seven planets in Acquario.
        chart = test::castTraditional(test::birth(4, 2, 1962, 13, 30, -1, 45, 28, "N", 9, 11, "E"));
        orbs = {10, 8, 8, 8, 8, 2, 2, 2, 2, 2, 2, 2, 2, 2};
        dominant = computeDominantChart(chart, "Rossi Maria", "196202041330-1,00", "45N28-009E11Milano");
        in.chart = &chart;
        in.orbs = orbs;
        in.hour = ComputePlanetaryHour(chart);
        in.dominant = &dominant;
        in.mirrorPoint = kMars;
        in.mirrorSign = 5;
        resetDrawingContext();
        drawingContext().scale = 4;
    }
    void TearDown() override { resetDrawingContext(); }

    AnalysisViewResult draw(AnalysisView view) {
        canvas.clear();
        TargetScope target(canvas);
        drawingContext().scale = 4;
        return drawAnalysisView(view, in);
    }
    bool drewText(const std::string& text) const {
        return !canvas.where([&](const Recorded& r) { return r.kind == Kind::Text && r.text == text; }).empty();
    }
    bool drewLine(MmPoint a, MmPoint b) const {
        const DevicePoint da = toDevice(a), db = toDevice(b);
        return !canvas
                    .where([&](const Recorded& r) {
                        return r.kind == Kind::Line && ((r.points[0] == da && r.points[1] == db) ||
                                                        (r.points[0] == db && r.points[1] == da));
                    })
                    .empty();
    }
    MmPoint signPlaceOf(int sign) const {
        const WheelPlace p = signPlace(chart.cusp[1], sign, 100, 100, 39);
        return {static_cast<double>(p.x), static_cast<double>(p.y)};
    }

    test::EphemerisDir dir;
    ChartState chart;
    OrbTable orbs{};
    DominantChart dominant;
    AnalysisViewInputs in;
    RecordingCanvas canvas;
};

enum class Panel { None, Terms, DodecatemoryTerms, Aspects };

struct ViewCase {
    AnalysisView view;
    std::vector<std::string> texts;  // heading and elements
    Panel panel = Panel::None;
    bool wheel = true;               // glyph places reported
};

TEST_F(AnalysisViewsTest, EachViewDrawsItsHeadingAndItsElements) {
    const auto sun = chart.longitude[kSun], mars = chart.longitude[kMars];
    const long minutes = std::lround(static_cast<double>(sun) * 60);
    const std::string absoluteSun = ZeroPad(minutes / 60, 3) + "\xB0" + ZeroPad(minutes % 60, 2) + "'";
    const std::vector<ViewCase> cases = {
        {AnalysisView::CoordinatesRelative, {"LONGITUDINI PLANETARIE", "(Relative al Segno occupato)", LongitudeWithSign(" ", sun)}, Panel::Terms},
        {AnalysisView::CoordinatesAbsolute, {"(Assolute, con origine 0\xB0 Ariete)", absoluteSun}},
        {AnalysisView::Latitudes, {"LATITUDINI PLANETARIE", LatitudeText(chart.latitude[kMoon])}},
        {AnalysisView::Substance1, {"STOFFA ELEMENTARE", "(Livello psicosomatico)", "[Elementare]", "Sale", "Volont\xE0", "7"}, Panel::None, false},
        {AnalysisView::Substance2, {"ATTRIBUZIONE UMORALE", "(Elementare)", "C 7", "S 0", "Estroverso", "C=caldo"}, Panel::None, false},
        {AnalysisView::Substance3, {"STOFFA STAGIONALE", "(Livello somatopsichico)", "Tropici", "(cardinali)", "Totali"}, Panel::None, false},
        {AnalysisView::Substance4, {"ATTRIBUZIONE UMORALE", "(Stagionale)", "[Stagionale]", "Autonomo"}, Panel::None, false},
        {AnalysisView::ArchetypalStructure, {"STRUTTURA ARCHETIPALE", "Esilio", "Domicil"}},
        {AnalysisView::AspectsPlain, {"ASPETTI PLANETARI", "(Solo aspetti maggiori)"}, Panel::Aspects},
        {AnalysisView::AspectsSpindle, {"ASPETTI PLANETARI", "(Solo aspetti maggiori)"}, Panel::Aspects},
        {AnalysisView::AspectGrid, {"ASPETTI  &  ORBITE", "sull'eclittica", "Quinconce"}, Panel::None, false},
        {AnalysisView::SphericalDistances, {"DISTANZE SFERICHE", "180.0"}, Panel::None, false},
        {AnalysisView::Affinities1, {"AFFINITA' ENERGETICHE", "(Relazioni Magnetiche e Solilunari)", "Magnetiche"}},
        {AnalysisView::Affinities2, {"AFFINITA' ENERGETICHE", "Solilunari"}},
        {AnalysisView::Affinities3, {"AFFINITA' ENERGETICHE", "Magnetiche", "Solilunari"}},
        {AnalysisView::Antiscia1, {"ANTISCE E CONTRANTISCE", "Antisce"}},
        {AnalysisView::Antiscia2, {"ANTISCE E CONTRANTISCE", "Contrantisce"}},
        {AnalysisView::Antiscia3, {"ANTISCE E CONTRANTISCE"}},
        {AnalysisView::Antiscia4, {"ANTISCE E CONTRANTISCE", "Pes Ari Ver Bil"}},
        {AnalysisView::Dodecatemories, {"DODECATEMORIE", "(Sul cerchio interno)", LongitudeWithSign(" ", dodecatemoryOf(sun))}, Panel::DodecatemoryTerms},
        {AnalysisView::DominantPositions, {"LONGITUDINI PLANETARIE", "Plutone", "Luna Nera", LongitudeWithSign(" ", dominant.longitude[10])}, Panel::None, false},
        {AnalysisView::DominantAspectsPlain, {"ASPETTI PLANETARI"}, Panel::None, false},
        {AnalysisView::DominantAspectsSpindle, {"ASPETTI PLANETARI"}, Panel::None, false},
        {AnalysisView::DominantPowers, {"POTENZE PLANETARIE", kPlanetaryPowersCaption, "Maestro della Carta:", dominant.display.bars[1].label}, Panel::None, false},
        {AnalysisView::Masters1, {mastersHeading(), "Giorno Planetario: Domenica", "Governata " + std::string(kGovernedByPhrases[static_cast<std::size_t>(in.hour.hourRuler)])}},
        {AnalysisView::Masters2, {kYearMastersHeading}},
        {AnalysisView::PointMirrorLines, {"ANTISCE e", "CONTRANTISCE", "Antiscio " + LongitudeWithSign(" ", Antiscion(mars))}},
        {AnalysisView::SignMirrorLines, {"ANTISCE e", "Contrantiscio " + LongitudeWithSign(" ", 45.0L)}},
        {AnalysisView::Chart, {"Corvalimetrix 3"}},
    };
    ASSERT_EQ(cases.size(), allAnalysisViews().size());
    for (const ViewCase& c : cases) {
        SCOPED_TRACE(analysisViewName(c.view));
        const AnalysisViewResult r = draw(c.view);
        ASSERT_FALSE(canvas.shapes.empty());
        // The area is cleared first.
        EXPECT_EQ(canvas.shapes.front().kind, Kind::Fill);
        EXPECT_EQ(canvas.shapes.front().points[1], toDevice(195, 195));
        for (const std::string& t : c.texts) EXPECT_TRUE(drewText(t)) << t;
        EXPECT_FALSE(canvas.of(Kind::Picture).empty());
        EXPECT_EQ(r.wheelPlaces.has_value(), c.wheel);
        switch (c.panel) {
        case Panel::None: EXPECT_TRUE(r.panelLines.empty()); break;
        case Panel::Terms: ASSERT_FALSE(r.panelLines.empty()); EXPECT_EQ(r.panelLines.front(), "PIANETI NEI TERMINI"); break;
        case Panel::DodecatemoryTerms: ASSERT_FALSE(r.panelLines.empty()); EXPECT_EQ(r.panelLines.front(), "DODECATEMORIE NEI TERMINI"); break;
        case Panel::Aspects: EXPECT_EQ(r.panelLines, aspectListLines(chart, orbs)); break;
        }
        if (r.wheelPlaces) {
            // Every glyph place inside the area.
            for (int k = 1; k <= 11; ++k) {
                const MmPoint p = r.wheelPlaces->points[static_cast<std::size_t>(k)];
                EXPECT_TRUE(p.x > 0 && p.x < 195 && p.y > 0 && p.y < 195) << "point " << k;
            }
        }
    }
}

TEST_F(AnalysisViewsTest, ListViewsDrawTheWheelSmallerBesideTheList) {
    const ChartWheelPlaces full = *draw(AnalysisView::Chart).wheelPlaces;
    const ChartWheelPlaces small = *draw(AnalysisView::CoordinatesRelative).wheelPlaces;
    // The Sun's picture stands where the view says, right of the list.
    const auto pictureAt = [&](MmPoint p) {
        const DevicePoint d = toDevice(p);
        return !canvas.where([&](const Recorded& r) {
                          return r.kind == Kind::Picture && std::abs((r.points[0].x + r.points[1].x) / 2 - d.x) <= 1 &&
                                 std::abs((r.points[0].y + r.points[1].y) / 2 - d.y) <= 1;
                      }).empty();
    };
    EXPECT_TRUE(pictureAt(small.points[kSun]));
    EXPECT_GT(small.points[kAscendantPoint].x, full.points[kAscendantPoint].x + 20);
    EXPECT_LT(std::hypot(small.points[kSun].x - 121, small.points[kSun].y - 104),
              std::hypot(full.points[kSun].x - 100, full.points[kSun].y - 100));
}

TEST_F(AnalysisViewsTest, StructureGlyphsAreWhereTheirPicturesStand) {
    // Sole in Leone and Luna in Cancro (domicile), Marte in Cancro (fall);
    // the others without dignity and in no exchange the files admit.
    chart.longitude[kSun] = 130;
    chart.longitude[kMoon] = 100;
    chart.longitude[kMercury] = 65;
    chart.longitude[kVenus] = 70;
    chart.longitude[kMars] = 105;
    chart.longitude[kJupiter] = 40;
    chart.longitude[kSaturn] = 160;
    const ArchetypalStructure s = ComputeArchetypalStructure(chart);
    const AnalysisViewResult r = draw(AnalysisView::ArchetypalStructure);
    std::size_t planets = 0;
    for (const StructureRow& row : s.rows) planets += static_cast<std::size_t>(row.size());
    ASSERT_EQ(r.structureGlyphs.size(), planets);
    ASSERT_GT(planets, 2u);
    for (const auto& [planet, centre] : r.structureGlyphs) {
        const std::string file = "PiaX0" + std::to_string(planet) + ".svg";
        const DevicePoint d = toDevice(centre);
        EXPECT_FALSE(canvas.where([&](const Recorded& rec) {
                               return rec.kind == Kind::Picture && rec.text.find(file) != std::string::npos &&
                                      (rec.points[0].x + rec.points[1].x) / 2 == d.x &&
                                      (rec.points[0].y + rec.points[1].y) / 2 == d.y;
                           }).empty())
            << planet;
    }
    EXPECT_TRUE(drewText(stateLabel(s.rows.front().state)));
    EXPECT_TRUE(drewText("Caduta"));
}

TEST_F(AnalysisViewsTest, FiguresJoinTheMiddlesOfTheRightSigns) {
    using Pairs = std::vector<std::array<int, 2>>;
    Pairs magnetic, solilunar, antiscia(kAntisciaPairs.begin(), kAntisciaPairs.end()),
        contrantiscia(kContrantisciaPairs.begin(), kContrantisciaPairs.end()), quartets;
    for (const SignPair& p : kMagneticPairs) magnetic.push_back({p.first, p.second});
    for (const SignPair& p : kSolilunarPairs) solilunar.push_back({p.first, p.second});
    for (const auto& q : kMirrorQuartets)
        for (std::size_t i = 0; i < 4; ++i) quartets.push_back({q[i], q[(i + 1) % 4]});
    struct Case {
        AnalysisView view;
        Pairs drawn, absent;
    };
    const std::vector<Case> cases = {
        {AnalysisView::Affinities1, magnetic, solilunar},
        {AnalysisView::Antiscia1, antiscia, contrantiscia},
        {AnalysisView::Antiscia2, contrantiscia, antiscia},
        {AnalysisView::Antiscia4, quartets, {{12, 6}, {1, 7}, {3, 9}, {2, 8}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(analysisViewName(c.view));
        draw(c.view);
        for (const auto& p : c.drawn) EXPECT_TRUE(drewLine(signPlaceOf(p[0]), signPlaceOf(p[1]))) << p[0] << "-" << p[1];
        for (const auto& p : c.absent) EXPECT_FALSE(drewLine(signPlaceOf(p[0]), signPlaceOf(p[1]))) << p[0] << "-" << p[1];
    }
    // The solilunar pairs are dotted: a dot at each start, no stroke.
    for (AnalysisView view : {AnalysisView::Affinities2, AnalysisView::Affinities3}) {
        draw(view);
        for (const auto& p : solilunar) {
            EXPECT_FALSE(drewLine(signPlaceOf(p[0]), signPlaceOf(p[1])));
            const DevicePoint start = toDevice(signPlaceOf(p[0]));
            EXPECT_FALSE(canvas.where([&](const Recorded& r) {
                                   return r.kind == Kind::Ellipse && std::abs((r.points[0].x + r.points[1].x) / 2 - start.x) <= 1 &&
                                          std::abs((r.points[0].y + r.points[1].y) / 2 - start.y) <= 1;
                               }).empty());
        }
    }
}

TEST_F(AnalysisViewsTest, MirrorLinesJoinThePointToItsAntiscionAndContrantiscion) {
    const auto place = [&](Extended l) {
        const WheelPlace p = wheelPlace(chart.cusp[1], l, 100, 100, 39);
        return MmPoint{static_cast<double>(p.x), static_cast<double>(p.y)};
    };
    struct Case {
        AnalysisView view;
        Extended longitude;
    };
    for (const Case& c : {Case{AnalysisView::PointMirrorLines, chart.longitude[kMars]}, Case{AnalysisView::SignMirrorLines, 135.0L}}) {
        SCOPED_TRACE(analysisViewName(c.view));
        draw(c.view);
        const MmPoint p = place(c.longitude), a = place(Antiscion(c.longitude)), k = place(Contrantiscion(c.longitude));
        EXPECT_TRUE(drewLine(p, a));
        EXPECT_TRUE(drewLine(p, k));
        EXPECT_TRUE(drewLine(a, k));
    }
}

TEST_F(AnalysisViewsTest, LegendsStayInTheDrawingAreaAndOffTheZodiacRing) {
    // The legends and mirror-line texts below the wheel: inside the 195 mm
    // area (the window's column begins beyond it) and clear of the ring,
    // whose outer band and decans reach 83 mm from the centre.
    for (AnalysisView view : {AnalysisView::AspectsPlain, AnalysisView::AspectsSpindle, AnalysisView::Affinities3,
                              AnalysisView::Antiscia1, AnalysisView::Antiscia2, AnalysisView::Antiscia3,
                              AnalysisView::Antiscia4, AnalysisView::PointMirrorLines, AnalysisView::SignMirrorLines}) {
        for (int sign = 1; sign <= 12; ++sign) {
            in.mirrorSign = sign;
            in.mirrorPoint = 1 + sign % 7;
            draw(view);
            const double mm = drawingContext().scale;
            int below = 0;
            for (const Recorded& r : canvas.of(Kind::Text)) {
                const DeviceBox box = textBox(r.font, r.points[0], r.anchor, r.text);
                if (box.top / mm < 170) continue;
                ++below;
                EXPECT_LE(box.right / mm, 195) << analysisViewName(view) << ": " << r.text;
                const double nearX = std::clamp(100.0, box.left / mm, box.right / mm);
                const double nearY = std::clamp(100.0, box.top / mm, box.bottom / mm);
                EXPECT_GT(std::hypot(nearX - 100, nearY - 100), 83) << analysisViewName(view) << ": " << r.text;
            }
            EXPECT_GE(below, 2) << analysisViewName(view);
        }
    }
}

TEST_F(AnalysisViewsTest, MissingDataFileRaisesTheErrorAfterTheHeading) {
    struct Case {
        AnalysisView view;
        const char* file;
        const char* heading;
    };
    const Case cases[] = {
        {AnalysisView::CoordinatesRelative, "OpzioneT/SpgPianSpe.Txt", "LONGITUDINI PLANETARIE"},
        {AnalysisView::Dodecatemories, "OpzioneT/SpgPianSpe.Txt", "DODECATEMORIE"},
        {AnalysisView::ArchetypalStructure, "Scambi/Scambio22.txt", "STRUTTURA ARCHETIPALE"},
        {AnalysisView::Masters2, "Appoggio/GoverAnno.txt", kYearMastersHeading},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(analysisViewName(c.view));
        const fs::path file = dir.dir.path() / c.file, kept = file.string() + ".kept";
        fs::rename(file, kept);
        EXPECT_THROW(draw(c.view), IoError);
        EXPECT_TRUE(drewText(c.heading));
        fs::rename(kept, file);
    }
}

TEST_F(AnalysisViewsTest, MissingInputsAreRefused) {
    AnalysisViewInputs none = in;
    none.chart = nullptr;
    TargetScope target(canvas);
    EXPECT_THROW(drawAnalysisView(AnalysisView::Chart, none), std::invalid_argument);
    AnalysisViewInputs noDominant = in;
    noDominant.dominant = nullptr;
    EXPECT_THROW(drawAnalysisView(AnalysisView::DominantPowers, noDominant), std::invalid_argument);
    for (int point : {0, 8, 11}) {
        AnalysisViewInputs bad = in;
        bad.mirrorPoint = point;
        EXPECT_THROW(drawAnalysisView(AnalysisView::PointMirrorLines, bad), std::invalid_argument) << point;
    }
    AnalysisViewInputs badSign = in;
    badSign.mirrorSign = 13;
    EXPECT_THROW(drawAnalysisView(AnalysisView::SignMirrorLines, badSign), std::invalid_argument);
}

TEST(AnalysisViewTable, NamesAndMessagesOfEveryView) {
    const auto views = allAnalysisViews();
    std::vector<std::string> names;
    for (AnalysisView v : views) names.push_back(analysisViewName(v));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
    const std::pair<AnalysisView, int> messages[] = {
        {AnalysisView::CoordinatesRelative, 2}, {AnalysisView::Substance4, 8},        {AnalysisView::AspectsSpindle, 24},
        {AnalysisView::SphericalDistances, 26}, {AnalysisView::Affinities3, 13},      {AnalysisView::Dodecatemories, 18},
        {AnalysisView::DominantAspectsSpindle, 27}, {AnalysisView::DominantPowers, 21}, {AnalysisView::Masters2, 23},
        {AnalysisView::PointMirrorLines, 30},   {AnalysisView::SignMirrorLines, 33},  {AnalysisView::Chart, 1},
    };
    for (const auto& [view, message] : messages) EXPECT_EQ(analysisViewMessage(view), message) << analysisViewName(view);
}

} // namespace analysis_views_test
} // namespace qv::draw
