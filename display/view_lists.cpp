// The views that show a list beside a smaller wheel: the coordinates of the
// points, the dodecatemories and the dominant-planet views.
#include "analysis/dominant_chart.h"
#include "analysis/subdivisions.h"
#include "display/chart_wheel.h"
#include "display/house_check.h"
#include "display/pictures.h"
#include "display/view_common.h"
#include "display/wheel.h"
#include "ephemeris/angles.h"
#include "ephemeris/text_forms.h"

#include <cmath>
#include <stdexcept>

namespace qv::draw::views {

namespace {

constexpr double kRowPitch = 6.5;
constexpr double kGlyph = 5;
constexpr int kListFont = 15;

// "123°45'": the longitude from 0° Ariete in whole degrees and minutes.
std::string absoluteText(Extended longitude) {
    long minutes = std::lround(static_cast<double>(Norm360(longitude)) * 60.0) % (360 * 60);
    return ZeroPad(minutes / 60, 3) + "\xB0" + ZeroPad(minutes % 60, 2) + "'";
}

std::array<double, 13> cuspsOf(const std::array<Extended, 13>& cusp) {
    std::array<double, 13> c{};
    for (std::size_t i = 1; i <= 12; ++i) c[i] = static_cast<double>(cusp[i]);
    return c;
}

std::array<Extended, 13> natalCusps(const ChartState& chart) {
    std::array<Extended, 13> c{};
    for (std::size_t i = 1; i <= 12; ++i) c[i] = chart.cusp[i];
    return c;
}

// A red "R" after a list row of a point that moves backwards.
void retrogradeMark(char mark, double y) {
    if (mark != 'r' && mark != 'R') return;
    textRgb(kRed);
    textLeftMiddle("R", kListFont, y, kListLeft);
}

} // namespace

AnalysisViewResult coordinatesView(AnalysisView view, const AnalysisViewInputs& in) {
    const ChartState& chart = *in.chart;
    AnalysisViewResult r;
    if (view == AnalysisView::CoordinatesRelative)
        heading("LONGITUDINI PLANETARIE", "(Relative al Segno occupato)");
    else if (view == AnalysisView::CoordinatesAbsolute)
        heading("LONGITUDINI PLANETARIE", "(Assolute, con origine 0\xB0 Ariete)");
    else
        heading("LATITUDINI PLANETARIE", "(Nord o Sud dell'eclittica)");
    r.wheelPlaces = smallChartWheel(in, kListWheelZoom, kListWheelCx, kListWheelCy);

    const int last = view == AnalysisView::Latitudes ? kPlanets : kTraditionalPoints;
    for (int p = 1; p <= last; ++p) {
        const auto k = static_cast<std::size_t>(p);
        const double y = kListTop + (p - 1) * kRowPitch;
        std::string text;
        if (view == AnalysisView::CoordinatesRelative)
            text = LongitudeWithSign(" ", chart.longitude[k]);
        else if (view == AnalysisView::CoordinatesAbsolute)
            text = absoluteText(chart.longitude[k]);
        else
            text = LatitudeText(chart.latitude[k]);
        textColour(0);
        listRow(p, false, kGlyph, text, kListFont, y, kListLeft + 4);
        if (view != AnalysisView::Latitudes && p <= 9) retrogradeMark(chart.retroMark[k], y);
    }
    productCaption(0, 50);

    if (view == AnalysisView::CoordinatesRelative)
        r.panelLines = ListSubdivisionTexts(SubdivisionList::Points, ComputeSubdivisions(chart), readSpecificPointTexts());
    return r;
}

AnalysisViewResult dodecatemoriesView(const AnalysisViewInputs& in) {
    const ChartState& chart = *in.chart;
    AnalysisViewResult r;
    heading("DODECATEMORIE", "(Sul cerchio interno)");
    const Dodecatemories d = ComputeDodecatemories(chart);
    r.wheelPlaces = scaledWheel(kListWheelZoom, kListWheelCx, kListWheelCy, [&](double cx, double cy) {
        const auto cusps = cuspsOf(natalCusps(chart));
        const double asc = cusps[1];
        ChartWheelPlaces places;
        const std::vector<MmPoint> signs = drawZodiacRing("M", 7, 69, 78, cx, cy, asc, RingVariant::Full);
        for (std::size_t s = 1; s <= 12; ++s) places.signs[s] = signs[s];
        selectPen(2);
        selectNoBrush();
        for (std::size_t s = 1; s <= 12; ++s) circle(1.5, signs[s].x, signs[s].y);

        std::vector<RingPoint> points, twelfths;
        for (int k = 1; k <= kTraditionalPoints; ++k) {
            const auto i = static_cast<std::size_t>(k);
            points.push_back({k, static_cast<double>(chart.longitude[i]), chart.retroMark[i]});
            twelfths.push_back({k, static_cast<double>(d.longitude[i]), ' '});
        }
        PlanetRingStyle style = PlanetRingStyle::chartView();
        style.glyphRadius = 62;
        const std::vector<MmPoint> centres = drawPlanetRing(points, cx, cy, 69, 55, asc, style);
        for (std::size_t k = 1; k <= 11; ++k) places.points[k] = centres[k - 1];

        PlanetRingStyle inner = PlanetRingStyle::chartView();
        inner.glyphSize = 5;
        inner.glyphRadius = 49;
        inner.leaderInset = 2.5;
        inner.clickCircles = false;
        drawPlanetRing(twelfths, cx, cy, 55, 43, asc, inner);

        const bool houses = housesHold(chart);
        drawHouseRing(cusps.data(), 40, 32, cx, cy, asc, houses ? HouseLines::FifteenBeforeCusp : HouseLines::None);
        drawAngles(cusps.data(), static_cast<double>(RadToDeg(chart.mcRadians)), chart.houseSystem, 83, cx, cy,
                   houses ? AnglesVariant::Full : AnglesVariant::NoHouses);
        return places;
    });

    for (int p = 1; p <= kTraditionalPoints; ++p) {
        textColour(4);
        listRow(p, false, kGlyph, LongitudeWithSign(" ", d.longitude[static_cast<std::size_t>(p)]), kListFont,
                kListTop + (p - 1) * kRowPitch, kListLeft + 4);
    }
    productCaption(0, 50);
    r.panelLines = ListSubdivisionTexts(SubdivisionList::Dodecatemories, d.subdivisions, readSpecificPointTexts());
    return r;
}

// ---- dominant-planet views ------------------------------------------------------

namespace {

// The wheel of the dominant chart: the twelve bodies on the planet ring,
// the Placidus houses with their lines on the cusps, the angles.
void dominantWheel(const DominantChart& d, double cx, double cy) {
    const auto cusps = cuspsOf(d.cusp);
    const double asc = cusps[1];
    drawZodiacRing("M", 9, 65, 78, cx, cy, asc, RingVariant::Full);
    std::vector<RingPoint> bodies;
    for (int k = 1; k <= kDominantBodies; ++k)
        bodies.push_back({k, static_cast<double>(d.longitude[static_cast<std::size_t>(k)]), d.retroMark[static_cast<std::size_t>(k)]});
    PlanetRingStyle style = PlanetRingStyle::chartView();
    style.clickCircles = false;
    style.glyphRadius = 57.5;
    drawPlanetRing(bodies, cx, cy, 65, 50, asc, style, true);
    const bool houses = cuspsHold(d.cusp.data());
    drawHouseRing(cusps.data(), 50, 43, cx, cy, asc, houses ? HouseLines::OnCusps : HouseLines::None);
    drawAngles(cusps.data(), static_cast<double>(d.mediumCoeli), d.chart.houseSystem, 83, cx, cy,
               houses ? AnglesVariant::Full : AnglesVariant::NoHouses);
    if (!houses) housesUndefinedNote(d.chart);
    // The Medium Coeli, the fourteenth point the aspects join: its mark and
    // its degree beside the outer circle.
    const double mc = static_cast<double>(d.mediumCoeli);
    const MmPoint at = wheelPoint(mc, 83, cx, cy, asc), label = wheelPoint(mc, 89, cx, cy, asc);
    selectPen(5);
    selectBrush(kCyan);
    dot(1.5, at.x, at.y);
    selectNoBrush();
    textColour(0);
    textMiddle("MC " + LongitudeDegMin(1, d.mediumCoeli).substr(0, 6), 0, label.y, label.x);
}

void smallDominantWheel(const DominantChart& d) {
    scaledWheel(kWideListWheelZoom, kWideListWheelCx, kListWheelCy, [&](double cx, double cy) {
        dominantWheel(d, cx, cy);
        return ChartWheelPlaces{};
    });
}

void positionsList(const DominantChart& d) {
    for (int k = 1; k <= kDominantBodies; ++k) {
        const auto i = static_cast<std::size_t>(k);
        const double y = kListTop + (k - 1) * kRowPitch;
        textColour(0);
        listRow(k, true, kGlyph, LongitudeWithSign(" ", d.longitude[i]), kListFont, y, kListLeft + 4);
        textColour(4);
        textLeftMiddle(kDominantBodyNames[i], 0, y, kListLeft + 42);
        if (k <= 10) retrogradeMark(d.retroMark[i], y);
    }
}

void powerBars(const DominantChart& d) {
    constexpr double kTop = 26, kPitch = 7, kBarLeft = 25, kBarHeight = 3.6;
    for (int p = 1; p <= 10; ++p) {
        const MasterBar& bar = d.display.bars[static_cast<std::size_t>(p)];
        const double y = kTop + (p - 1) * kPitch;
        drawBodyPicture(p, kGlyph, kListLeft + kGlyph / 2, y);
        textColour(0);
        textRight(bar.label, kListFont, y - mmOfDeviceHeight(fontHeight(kListFont)) * 0.5, kBarLeft - 2);
        selectPen(bar.negative ? 2 : 5);
        selectBrush(bar.negative ? kRed : kBlue);
        rectangle(kBarLeft, y - kBarHeight / 2, kBarLeft + static_cast<double>(bar.length), y + kBarHeight / 2);
        selectNoBrush();
    }
    double y = kTop + 10 * kPitch + 2;
    textColour(4);
    textLeft("Maestro della Carta:", kListFont, y, kListLeft);
    useColour(TextColour::Yellow);
    textLeft(d.display.master == 0 ? std::string("nessuno (nessun totale positivo)")
                                   : std::string(kDominantBodyNames[static_cast<std::size_t>(d.display.master)]),
             2, y + 5, kListLeft);
    y += 14;
    static const char* const kElements[4] = {"Fuoco", "Terra", "Aria", "Acqua"};
    static const TextColour kElementColours[4] = {TextColour::Red, TextColour::Green, TextColour::Yellow, TextColour::Aqua};
    textColour(4);
    textLeft("Elementi (10 pianeti):", kListFont, y, kListLeft);
    for (int e = 0; e < 4; ++e) {
        useColour(kElementColours[e]);
        textLeft(std::string(kElements[e]) + " " + std::to_string(d.scores.elementsOfTen[static_cast<std::size_t>(e)]),
                 kListFont, y + 5.5 + e * 5, kListLeft + 2);
    }
}

} // namespace

AnalysisViewResult dominantView(AnalysisView view, const AnalysisViewInputs& in) {
    if (!in.dominant) throw std::invalid_argument("vista del pianeta dominante senza il suo tema");
    const DominantChart& d = *in.dominant;
    AnalysisViewResult r;
    switch (view) {
    case AnalysisView::DominantPositions:
        heading("LONGITUDINI PLANETARIE", "(Relative al Segno occupato)");
        smallDominantWheel(d);
        positionsList(d);
        break;
    case AnalysisView::DominantAspectsPlain:
    case AnalysisView::DominantAspectsSpindle: {
        heading("ASPETTI PLANETARI", "(Solo aspetti maggiori)");
        constexpr double cx = 100, cy = 100, kInner = 43;
        dominantWheel(d, cx, cy);
        const double asc = static_cast<double>(d.cusp[1]);
        const auto placeOf = [&](int k) {
            return wheelPoint(static_cast<double>(d.longitude[static_cast<std::size_t>(k)]), kInner, cx, cy, asc);
        };
        drawAspectLines(wheelAspectLines(dominantAspectPoints(d), in.orbs), placeOf,
                        view == AnalysisView::DominantAspectsPlain ? AspectLineMode::Plain : AspectLineMode::Spindle,
                        AspectLineStyle::window());
        choosePen(10);
        selectBrush(drawingContext().onScreen() ? kWhite : kBlack);
        for (int k = 1; k <= kDominantPoints; ++k) {
            const MmPoint p = placeOf(k);
            dot(0.6, p.x, p.y);
        }
        selectNoBrush();
        break;
    }
    default:
        heading("POTENZE PLANETARIE", kPlanetaryPowersCaption);
        smallDominantWheel(d);
        powerBars(d);
        break;
    }
    productCaption(0, 50);
    return r;
}

} // namespace qv::draw::views
