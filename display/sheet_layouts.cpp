#include "display/sheet_layouts.h"

#include "analysis/affinities.h"
#include "analysis/aspects.h"
#include "analysis/dignities.h"
#include "analysis/substance.h"
#include "base/data_dir.h"
#include "display/drawing.h"
#include "display/drawing_extent.h"
#include "display/house_check.h"
#include "display/sheet_blocks.h"
#include "ephemeris/angles.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>

namespace qv::draw {

namespace {

constexpr const char* kTermTextsPath = "OpzioneT\\SpgPianCan.Txt";

// The wheel radii of the sheets (sheet millimetres): centre R1, R2; rings
// R3 … R8.
constexpr double kR1 = 173, kR2 = 105, kR3 = 67, kR4 = 57, kR6 = 44, kR8 = 38;
constexpr double kAspectRadius = kR8 - 3;

// Puts the zoom back whatever happens while a sheet is drawn.
class ZoomScope {
public:
    explicit ZoomScope(double factor) : saved_(drawingContext().zoom) { drawingContext().zoom = saved_ * factor; }
    ~ZoomScope() { drawingContext().zoom = saved_; }
    ZoomScope(const ZoomScope&) = delete;
    ZoomScope& operator=(const ZoomScope&) = delete;

private:
    double saved_;
};

std::array<double, 13> cuspsOf(const ChartState& chart) {
    std::array<double, 13> cusps{};
    for (int i = 1; i <= 12; ++i) cusps[static_cast<std::size_t>(i)] = static_cast<double>(chart.cusp[static_cast<std::size_t>(i)]);
    return cusps;
}

std::vector<RingPoint> ringPoints(const ChartState& chart) {
    std::vector<RingPoint> points;
    for (int k = 1; k <= 9; ++k)
        points.push_back({k, static_cast<double>(chart.longitude[static_cast<std::size_t>(k)]),
                          chart.retroMark[static_cast<std::size_t>(k)]});
    return points;
}

MmPoint placeOnCircle(Extended ascendant, Extended longitude, double r, double cx, double cy) {
    const WheelPlace p = wheelPlace(ascendant, longitude, cx, cy, r);
    return {static_cast<double>(p.x), static_cast<double>(p.y)};
}

void heading(const ChartState& chart, const SheetContent& content, double right, bool landscape) {
    textColour(0);
    textLeft(content.subjectName, 4, 15, 15);
    textRight("TEMA DI NASCITA", 3, 15, right);
    textLeft(birthLine(chart), 2, 25, 15);
    std::string place = chart.birth.place;
    if (!chart.birth.nation.empty()) place += " - " + chart.birth.nation;
    textLeft(place, 2, 30, 15);
    textLeft(chart.birth.coordinatesText(), 2, 35, 15);
    textLeft(chart.jdText, 2, 40, 15);
    textColour(4);
    textRight(landscape ? std::string("DOMIFICAZIONE: CASE MEDIE") : "DOMIFICAZIONE: " + chart.houseSystem, 15,
              landscape ? 20.5 : 19.8, right);
    textRight((landscape ? "NODO " : "NODO: ") + chart.nodeKind, 15, landscape ? 25 : 23.5, right);
    if (!housesHold(chart)) {
        // Under the birth data, in the small font: clear of every wheel.
        textRgb(kRed);
        textLeft(housesUndefinedLine(chart), 0, 45, 15);
    }
}

// The birth chart wheel of the first sheets around (cx, cy).
void fullWheel(const ChartState& chart, const SheetContent& content, double cx, double cy, bool landscape) {
    const auto cusps = cuspsOf(chart);
    const double asc = cusps[1];
    drawZodiacRing("M", 7, kR4, kR3, cx, cy, asc, RingVariant::Full);
    drawPlanetRing(ringPoints(chart), cx, cy, kR4, kR6, asc, PlanetRingStyle::full());
    const bool centred = landscape || chart.houseSystem == "CASE_MEDIE";
    const bool houses = housesHold(chart);
    drawHouseRing(cusps.data(), 41, 35, cx, cy, asc,
                  !houses ? HouseLines::None : centred ? HouseLines::FifteenBeforeCusp : HouseLines::OnCusps);
    const auto placeOf = [&](int k) {
        return placeOnCircle(chart.cusp[1], chart.longitude[static_cast<std::size_t>(k)], kAspectRadius, cx, cy);
    };
    drawAspectLines(sheetAspectLines(chart, content.orbs), placeOf, content.aspectMode, AspectLineStyle::sheet());
    drawAngles(cusps.data(), static_cast<double>(RadToDeg(chart.mcRadians)), landscape ? "CASE_MEDIE" : chart.houseSystem,
               72, cx, cy, houses ? AnglesVariant::Full : AnglesVariant::NoHouses);
}

void affinityLine(MmPoint a, MmPoint b, bool dotted) {
    const bool screen = drawingContext().onScreen();
    if (dotted) {
        selectPen(screen ? 7 : 79);
        selectBrush(screen ? kYellow : kRed);
        dottedLine(a, b, DotSize::Small);
        selectNoBrush();
    } else {
        selectPen(screen ? 75 : 71);
        line(a, b);
    }
}

// One of the two affinity wheels: the compact rings and, inside, the
// energetic (magnetic solid, solilunar dotted) or the specular pairs of
// signs (antiscia solid, contrantiscia dotted).
void affinityWheel(const ChartState& chart, double cx, double cy, bool specular) {
    const auto cusps = cuspsOf(chart);
    const double asc = cusps[1];
    drawZodiacRing("M", 7, 55, 65, cx, cy, asc, RingVariant::Compact);
    drawPlanetRing(ringPoints(chart), cx, cy, 55, 44, asc, PlanetRingStyle::compact());
    const bool houses = housesHold(chart);
    drawHouseRing(cusps.data(), 41, 35, cx, cy, asc,
                  !houses                            ? HouseLines::None
                  : chart.houseSystem == "CASE_MEDIE" ? HouseLines::FifteenBeforeCusp
                                                      : HouseLines::OnCusps);
    drawAngles(cusps.data(), static_cast<double>(RadToDeg(chart.mcRadians)), chart.houseSystem, 65, cx, cy,
               houses ? AnglesVariant::Compact : AnglesVariant::NoHouses);
    const auto place = [&](int sign) {
        const WheelPlace p = signPlace(chart.cusp[1], sign, cx, cy, 34.5);
        return MmPoint{static_cast<double>(p.x), static_cast<double>(p.y)};
    };
    if (!specular) {
        for (const SignPair& pair : kMagneticPairs) affinityLine(place(pair.first), place(pair.second), false);
        for (const SignPair& pair : kSolilunarPairs) affinityLine(place(pair.first), place(pair.second), true);
        return;
    }
    // The antiscion 360 − λ pairs sign s with 13 − s; the contrantiscion
    // 180 − λ pairs s with 7 − s (and 19 − s in the second half).
    for (int s = 1; s <= 6; ++s) affinityLine(place(s), place(13 - s), false);
    for (int s = 1; s <= 3; ++s) affinityLine(place(s), place(7 - s), true);
    for (int s = 7; s <= 9; ++s) affinityLine(place(s), place(19 - s), true);
}

void vertical1(const ChartState& chart, const SheetContent& content) {
    ZoomScope zoom(1.15);
    heading(chart, content, 230, false);
    fullWheel(chart, content, kR1 - 25, kR2 + 18, false);
    drawDistanceBlock(chart, content.orbs, 202, 15, false);
    productCaption(190, 170);
    dateAndPractitioner(316, 225);
    drawTermBlock(termRows(sheetKeyList(chart), content.termTexts), 220, 115);
    drawDodecatemoryBlock(chart, 275, 115);
    drawLatitudeBlock(chart, 219, 205);
    drawLongitudeBlock(chart, 115, 18);
    drawMastersBlock(chart, content.hour, content.yearMasters, 55, 16);
    if (content.structure) drawStructureBlock(*content.structure, 315, 25);
    textColour(0);
    textLeft("NOTA: sul grafico zodiacale non", 2, 267.5, 165);
    textLeft("sono tracciati gli Aspetti", 2, 272.5, 165);
    textLeft("che coinvolgono i Nodi Lunari", 2, 277.5, 165);
}

void horizontal1(const ChartState& chart, const SheetContent& content) {
    ZoomScope zoom(1 / 1.22);
    heading(chart, content, 313, true);
    fullWheel(chart, content, kR1 - 5, kR2 - 7, true);
    drawDistanceBlock(chart, content.orbs, 105, 15, true);
    productCaption(108, 77);
    dateAndPractitioner(218, 158);
    drawDodecatemoryBlock(chart, 90, 265);
    drawTermBlock(termRows(sheetKeyList(chart), content.termTexts), 150, 243);
    drawLatitudeBlock(chart, 65, 18);
    drawRelativeLongitudeBlock(chart, 210, 165);
    if (content.structure) drawStructureBlock(*content.structure, 218, 25);
    drawMastersBlock(chart, content.hour, content.yearMasters, 35, 263);
    textColour(0);
    textCentre("NOTA: sul grafico zodiacale non sono tracciati gli Aspetti", 15, 185, 170);
    textCentre("che coinvolgono i Nodi Lunari", 15, 190, 170);
}

void vertical2(const ChartState& chart, const SheetContent& content) {
    ZoomScope zoom(1.15);
    heading(chart, content, 230, false);
    const Substance substance = computeSubstance(chart);
    affinityWheel(chart, 161, 105, false);
    textColour(4);
    textRight("AFFINITA' ENERGETICHE", 15, 52, 113);
    textRight("(Magnetiche e Solilunari)", 15, 57, 111);
    affinityWheel(chart, 161, 255, true);
    textColour(4);
    textRight("AFFINITA' SPECULARI", 15, 202, 113);
    textRight("(per Antisce e Contrantisce)", 15, 207, 111);
    drawElementalTable(substance, 95, 46);
    drawHumoursBlock(substance.elementalHumours, false, 160, 50);
    drawSeasonalTable(substance, 233, 46);
    drawHumoursBlock(substance.seasonalHumours, true, 300, 50);
    productCaption(190, 35);
    dateAndPractitioner(181, 225);
}

void horizontal2(const ChartState& chart, const SheetContent& content) {
    ZoomScope zoom(1 / 1.32);
    heading(chart, content, 338, true);
    const Substance substance = computeSubstance(chart);
    affinityWheel(chart, 113, 110, false);
    // The second wheel stands to the right of its titles as the first does
    // (centre 279, clear of "(per Antisce e Contrantisce)"): further right
    // its horizon mark would leave the landscape page.
    affinityWheel(chart, 279, 105, true);
    textColour(4);
    textLeft("AFFINITA' ENERGETICHE", 15, 60, 15);
    textLeft("(Magnetiche e Solilunari)", 15, 65, 15);
    textLeft("AFFINITA' SPECULARI", 15, 60, 175);
    textLeft("(per Antisce e Contrantisce)", 15, 65, 175);
    drawElementalTable(substance, 215, 50);
    drawHumoursBlock(substance.elementalHumours, false, 215, 130);
    drawSeasonalTable(substance, 210, 230);
    // At 290, not 305: the block's title would otherwise run off the page.
    drawHumoursBlock(substance.seasonalHumours, true, 215, 290);
    productCaption(163, -115);
    dateAndPractitioner(30, 213);
}

void drawLayout(SheetLayout layout, const ChartState& chart, const SheetContent& content) {
    switch (layout) {
    case SheetLayout::Vertical1: vertical1(chart, content); break;
    case SheetLayout::Horizontal1: horizontal1(chart, content); break;
    case SheetLayout::Vertical2: vertical2(chart, content); break;
    case SheetLayout::Horizontal2: horizontal2(chart, content); break;
    }
}

// A little room for the rounding of the fonts of a scaled sheet.
constexpr double kFitSlack = 0.3;

SheetFit fitInto(const SheetArea& area, const std::function<void()>& draw) {
    ExtentCanvas extent;
    {
        TargetScope target(extent);
        draw();
    }
    if (extent.box.empty) return {};
    // The marks' box in sheet millimetres of the page.
    const DrawingContext& c = drawingContext();
    const double kx = c.hFactor / (c.scale * c.zoom), ky = c.vFactor / (c.scale * c.zoom);
    const double left = (extent.box.left - c.x0) * kx, right = (extent.box.right - c.x0) * kx;
    const double top = (extent.box.top - c.y0) * ky, bottom = (extent.box.bottom - c.y0) * ky;
    const double l = area.left + kFitSlack, r = area.right - kFitSlack;
    const double t = area.top + kFitSlack, b = area.bottom - kFitSlack;
    if (left >= l && right <= r && top >= t && bottom <= b) return {};
    SheetFit fit;
    fit.factor = std::min({1.0, (r - l) / (right - left), (b - t) / (bottom - top)});
    const auto shift = [&](double low, double high, double from, double to) {
        low *= fit.factor;
        high *= fit.factor;
        if (low < from) return from - low;
        if (high > to) return to - high;
        return 0.0;
    };
    fit.dx = shift(left, right, l, r);
    fit.dy = shift(top, bottom, t, b);
    return fit;
}

// Applies a fit to the drawing context for the life of the scope.
class FitScope {
public:
    explicit FitScope(const SheetFit& fit) : saved_(drawingContext()) {
        DrawingContext& c = drawingContext();
        c.x0 = saved_.x0 + static_cast<int>(std::lround(fit.dx / c.hFactor * c.scale * c.zoom));
        c.y0 = saved_.y0 + static_cast<int>(std::lround(fit.dy / c.vFactor * c.scale * c.zoom));
        c.zoom = saved_.zoom * fit.factor;
    }
    ~FitScope() {
        DrawingContext& c = drawingContext();
        c.x0 = saved_.x0;
        c.y0 = saved_.y0;
        c.zoom = saved_.zoom;
    }
    FitScope(const FitScope&) = delete;
    FitScope& operator=(const FitScope&) = delete;

private:
    DrawingContext saved_;
};

} // namespace

bool isLandscape(SheetLayout layout) {
    return layout == SheetLayout::Horizontal1 || layout == SheetLayout::Horizontal2;
}

std::optional<SheetLayout> sheetLayoutNamed(const std::string& name) {
    std::string n = name;
    std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (n == "V1") return SheetLayout::Vertical1;
    if (n == "V2") return SheetLayout::Vertical2;
    if (n == "O1") return SheetLayout::Horizontal1;
    if (n == "O2") return SheetLayout::Horizontal2;
    return std::nullopt;
}

const char* sheetLayoutCaption(SheetLayout layout) {
    switch (layout) {
    case SheetLayout::Vertical1: return "Verticale 1";
    case SheetLayout::Vertical2: return "Verticale 2";
    case SheetLayout::Horizontal1: return "Orizzontale 1 ";
    case SheetLayout::Horizontal2: return "Orizzontale 2";
    }
    return "";
}

double sheetPageWidth() { return 210.0 / 0.776; }
double sheetPageHeight(SheetLayout layout) {
    return isLandscape(layout) ? sheetPageWidth() * 210.0 / 297.0 : sheetPageWidth() * 297.0 / 210.0;
}
double paperWidth(SheetLayout layout) { return isLandscape(layout) ? 297 : 210; }

SheetContent sheetContentFor(const ChartState& chart, const std::string& subjectName, const OrbTable& orbs) {
    SheetContent content;
    content.subjectName = subjectName;
    content.orbs = orbs;
    content.termTexts = readDataTextLines(kTermTextsPath);
    content.hour = ComputePlanetaryHour(chart);
    content.yearMasters = yearMastersOf(chart);
    content.structure = std::make_shared<const ArchetypalStructure>(ComputeArchetypalStructure(chart));
    return content;
}

std::vector<WheelAspectLine> sheetAspectLines(const ChartState& chart, const OrbTable& orbs) {
    // The sheets tell the reader that no aspect of the lunar nodes is drawn
    // on the wheel, so only the seven planets are paired here.
    std::vector<WheelAspectLine> lines;
    for (int i = 1; i <= 7; ++i)
        for (int j = i + 1; j <= 7; ++j) {
            const AspectMatch m = ClassifyMajorAspect(
                AngularSeparation(chart.longitude[static_cast<std::size_t>(i)], chart.longitude[static_cast<std::size_t>(j)]),
                orbs);
            if (m.aspect == Aspect::None || m.aspect == Aspect::Conjunction) continue;
            WheelAspectLine l;
            // Drawn from the first planet toward the second.
            l.first = j;
            l.second = i;
            l.aspect = m.aspect;
            l.roundedDeviation = static_cast<int>(std::lround(static_cast<double>(m.deviation)));
            l.hard = m.aspect == Aspect::Square || m.aspect == Aspect::Opposition;
            lines.push_back(l);
        }
    return lines;
}

SheetArea printableArea(SheetLayout layout) {
    const double margin = kPaperMargin * sheetPageWidth() / paperWidth(layout);
    return {margin, margin, sheetPageWidth() - margin, sheetPageHeight(layout) - margin};
}

SheetFit sheetFit(SheetLayout layout, const ChartState& chart, const SheetContent& content) {
    return fitInto(printableArea(layout), [&] { drawLayout(layout, chart, content); });
}

void drawSheet(SheetLayout layout, const ChartState& chart, const SheetContent& content) {
    {
        FitScope scope(sheetFit(layout, chart, content));
        drawLayout(layout, chart, content);
    }
    const SheetArea frame = printableArea(drawingContext().printerLandscape ? SheetLayout::Horizontal1
                                                                            : SheetLayout::Vertical1);
    pageBorder(frame.left, frame.top, frame.right, frame.bottom);
}

} // namespace qv::draw
