// The views drawn over the chart wheel: aspect lines, energetic affinities,
// mirror figures, the mirror places of one point or sign, and the
// archetypal structure inside its own wheel.
#include "analysis/affinities.h"
#include "analysis/aspects.h"
#include "analysis/dignities.h"
#include "analysis/subdivisions.h"
#include "display/pictures.h"
#include "display/view_common.h"
#include "display/wheel.h"
#include "ephemeris/angles.h"
#include "ephemeris/text_forms.h"

#include <algorithm>
#include <stdexcept>

namespace qv::draw::views {

namespace {

constexpr double kCx = 100, kCy = 100;
constexpr double kFigureRadius = 39;  // the inner circle of the house ring

MmPoint figurePlace(const ChartState& chart, Extended longitude) {
    const WheelPlace p = wheelPlace(chart.cusp[1], longitude, kCx, kCy, kFigureRadius);
    return {static_cast<double>(p.x), static_cast<double>(p.y)};
}

MmPoint signFigurePlace(const ChartState& chart, int sign) {
    return figurePlace(chart, 15.0L + 30.0L * (sign - 1));
}

// A small dot just inside the circle at each sign's middle.
void signDots(const ChartState& chart) {
    choosePen(10);
    selectBrush(drawingContext().onScreen() ? kWhite : kBlack);
    for (int s = 1; s <= 12; ++s) {
        const WheelPlace p = wheelPlace(chart.cusp[1], 15.0L + 30.0L * (s - 1), kCx, kCy, kFigureRadius - 0.2L);
        dot(0.8, static_cast<double>(p.x), static_cast<double>(p.y));
    }
    selectNoBrush();
}

// Pens of the figures' lines: 0.5 mm in the colour of the pair.
int figurePen(TextColour colour) {
    switch (colour) {
    case TextColour::Red: return 74;
    case TextColour::Aqua: return 75;
    default: return 76;  // yellow
    }
}
Rgb figureColour(TextColour colour) {
    switch (colour) {
    case TextColour::Red: return kRed;
    case TextColour::Aqua: return kCyan;
    default: return kYellow;
    }
}

// The legends stand in the lower right corner of the drawing area: below
// the zodiac ring (they start where its outer band is past) and ending
// before the area's right edge, where the window's column begins.
constexpr double kLegendTop = 181, kLegendPitch = 5.5, kLegendRight = 193, kLegendLeft = 153;

enum class Sample { Solid, Dotted, Dashed };

// A legend line: a short sample of the line and its text, moved left from
// its usual place as far as a long text needs.
void legend(int row, TextColour colour, Sample sample, const std::string& text, int pen = 0) {
    const double y = kLegendTop + row * kLegendPitch;
    const double x = std::min(kLegendLeft, kLegendRight - textWidthMm(text, 15)) - 13;
    selectPen(pen != 0 ? pen : figurePen(colour));
    if (sample == Sample::Dotted) {
        selectBrush(figureColour(colour));
        dottedLine({x, y}, {x + 10, y}, DotSize::Large);
        selectNoBrush();
    } else if (sample == Sample::Dashed) {
        dashedLine({x, y}, {x + 10, y});
    } else {
        line({x, y}, {x + 10, y});
    }
    textColour(0);
    textLeftMiddle(text, 15, y, x + 13);
}

} // namespace

AnalysisViewResult aspectsView(AnalysisView view, const AnalysisViewInputs& in) {
    AnalysisViewResult r;
    heading("ASPETTI PLANETARI", "(Solo aspetti maggiori)");
    const bool plain = view == AnalysisView::AspectsPlain;
    r.wheelPlaces = chartViewWheel(in, true, plain ? AspectLineMode::Plain : AspectLineMode::Spindle);
    legend(0, TextColour::Aqua, Sample::Solid, "Trigono, Sestile");
    if (plain) {
        legend(1, TextColour::Red, Sample::Dashed, "Quadrato, Opposizione", 2);
    } else {
        legend(1, TextColour::Red, Sample::Solid, "Quadrato, Opposizione");
        textColour(0);
        textLeft("(pi\xF9 largo = pi\xF9 esatto)", 0, kLegendTop + 2 * kLegendPitch - 2, kLegendLeft);
    }
    r.panelLines = aspectListLines(*in.chart, in.orbs);
    return r;
}

AnalysisViewResult affinitiesView(AnalysisView view, const AnalysisViewInputs& in) {
    AnalysisViewResult r;
    const ChartState& chart = *in.chart;
    heading("AFFINITA' ENERGETICHE", "(Relazioni Magnetiche e Solilunari)");
    const AffinityMode mode = view == AnalysisView::Affinities1   ? AffinityMode::Magnetic
                              : view == AnalysisView::Affinities2 ? AffinityMode::Solilunar
                                                                  : AffinityMode::Both;
    if (const std::string caption = affinityCaption(mode); !caption.empty()) {
        textColour(0);
        textLeft(caption, 2, 16.5, 5);
    }
    r.wheelPlaces = chartViewWheel(in);
    signDots(chart);
    if (mode != AffinityMode::Solilunar)
        for (const SignPair& p : kMagneticPairs) {
            selectPen(figurePen(p.colour));
            line(signFigurePlace(chart, p.first), signFigurePlace(chart, p.second));
        }
    if (mode != AffinityMode::Magnetic)
        for (const SignPair& p : kSolilunarPairs) {
            selectPen(figurePen(p.colour));
            selectBrush(figureColour(p.colour));
            dottedLine(signFigurePlace(chart, p.first), signFigurePlace(chart, p.second), DotSize::Large);
            selectNoBrush();
        }
    int row = 0;
    if (mode != AffinityMode::Solilunar) legend(row++, TextColour::Yellow, Sample::Solid, "Magnetiche");
    if (mode != AffinityMode::Magnetic) legend(row++, TextColour::Yellow, Sample::Dotted, "Solilunari");
    return r;
}

AnalysisViewResult antisciaView(AnalysisView view, const AnalysisViewInputs& in) {
    AnalysisViewResult r;
    const ChartState& chart = *in.chart;
    heading("ANTISCE E CONTRANTISCE");
    textColour(0);
    if (view == AnalysisView::Antiscia1) textLeft("Antisce", 2, 11, 5);
    if (view == AnalysisView::Antiscia2) textLeft("Contrantisce", 2, 11, 5);
    if (view == AnalysisView::Antiscia4) textLeft("Quartetti speculari", 2, 11, 5);
    r.wheelPlaces = chartViewWheel(in);
    signDots(chart);
    const bool antiscia = view == AnalysisView::Antiscia1 || view == AnalysisView::Antiscia3;
    const bool contrantiscia = view == AnalysisView::Antiscia2 || view == AnalysisView::Antiscia3;
    if (antiscia) {
        selectPen(figurePen(TextColour::Aqua));
        for (const auto& pair : kAntisciaPairs) line(signFigurePlace(chart, pair[0]), signFigurePlace(chart, pair[1]));
        legend(0, TextColour::Aqua, Sample::Solid, "Antisce (asse 0\xB0 Ariete)");
    }
    if (contrantiscia) {
        selectPen(figurePen(TextColour::Red));
        for (const auto& pair : kContrantisciaPairs) line(signFigurePlace(chart, pair[0]), signFigurePlace(chart, pair[1]));
        legend(antiscia ? 1 : 0, TextColour::Red, Sample::Solid, "Contrantisce (asse 0\xB0 Cancro)");
    }
    if (view == AnalysisView::Antiscia4) {
        static const TextColour kQuartetColours[3] = {TextColour::Yellow, TextColour::Aqua, TextColour::Red};
        selectNoBrush();
        for (std::size_t q = 0; q < kMirrorQuartets.size(); ++q) {
            std::vector<MmPoint> corners;
            for (int s : kMirrorQuartets[q]) corners.push_back(signFigurePlace(chart, s));
            corners.push_back(corners.front());
            selectPen(figurePen(kQuartetColours[q]));
            for (std::size_t i = 0; i + 1 < corners.size(); ++i) line(corners[i], corners[i + 1]);
            std::string names;
            for (int s : kMirrorQuartets[q]) names += std::string(names.empty() ? "" : " ") + kSignAbbreviations[static_cast<std::size_t>(s)];
            legend(static_cast<int>(q), kQuartetColours[q], Sample::Solid, names);
        }
    }
    return r;
}

AnalysisViewResult mirrorLinesView(AnalysisView view, const AnalysisViewInputs& in) {
    const ChartState& chart = *in.chart;
    const bool ofPoint = view == AnalysisView::PointMirrorLines;
    if (ofPoint && (in.mirrorPoint < 1 || in.mirrorPoint > kPlanets))
        throw std::invalid_argument("antisce di un punto che non \xE8 un pianeta");
    if (!ofPoint && (in.mirrorSign < 1 || in.mirrorSign > 12)) throw std::invalid_argument("segno inesistente");
    AnalysisViewResult r;
    r.wheelPlaces = chartViewWheel(in);
    textColour(4);
    textLeft("ANTISCE e", 2, 5, 5);
    textRgb(kRed);
    textLeft("CONTRANTISCE", 2, 10.5, 5);

    const Extended longitude = ofPoint ? chart.longitude[static_cast<std::size_t>(in.mirrorPoint)]
                                       : 15.0L + 30.0L * (in.mirrorSign - 1);
    const std::string name = ofPoint ? std::string(kPlanetNames[static_cast<std::size_t>(in.mirrorPoint)])
                                     : std::string(kSignNames[static_cast<std::size_t>(in.mirrorSign)]);
    const Extended a = Antiscion(longitude), c = Contrantiscion(longitude);
    const MmPoint place = figurePlace(chart, longitude), pa = figurePlace(chart, a), pc = figurePlace(chart, c);
    selectPen(9);
    line(pa, pc);
    selectPen(figurePen(TextColour::Aqua));
    line(place, pa);
    selectPen(figurePen(TextColour::Red));
    line(place, pc);
    choosePen(10);
    selectBrush(drawingContext().onScreen() ? kWhite : kBlack);
    dot(1.2, place.x, place.y);
    selectBrush(kCyan);
    dot(0.8, pa.x, pa.y);
    selectBrush(kRed);
    dot(0.8, pc.x, pc.y);
    selectNoBrush();

    // Below the zodiac ring, ending before the area's right edge.
    const std::string lines[3] = {
        name + (ofPoint ? " " + LongitudeWithSign(" ", longitude) : std::string(" (met\xE0 del segno)")),
        "Antiscio " + LongitudeWithSign(" ", a), "Contrantiscio " + LongitudeWithSign(" ", c)};
    double widest = 0;
    for (const std::string& text : lines) widest = std::max(widest, textWidthMm(text, 15));
    const double x = std::min(140.0, kLegendRight - widest), y = kLegendTop - 3;
    textColour(0);
    textLeft(lines[0], 15, y, x);
    textColour(4);
    textLeft(lines[1], 15, y + kLegendPitch, x);
    textRgb(kRed);
    textLeft(lines[2], 15, y + 2 * kLegendPitch, x);
    return r;
}

// ---- archetypal structure ------------------------------------------------------

namespace {

constexpr double kStructureGlyphPitch = 9, kStructureRowPitch = 14, kStructureGlyph = 5.5;

int framePen(int state) {
    if (state == kDomicile || state == kExaltation) return 5;
    if (state == kExile || state == kFall) return 2;
    return 7;
}

// The wheel of the structure view: the zodiac and the planets, no houses.
ChartWheelPlaces structureWheel(const ChartState& chart) {
    const double asc = static_cast<double>(chart.cusp[1]);
    ChartWheelPlaces places;
    const std::vector<MmPoint> signs = drawZodiacRing("M", 7, 69, 78, kCx, kCy, asc, RingVariant::Full);
    selectPen(2);
    selectNoBrush();
    for (std::size_t s = 1; s <= 12; ++s) {
        places.signs[s] = signs[s];
        circle(1.5, signs[s].x, signs[s].y);
    }
    std::vector<RingPoint> points;
    for (int k = 1; k <= kTraditionalPoints; ++k)
        points.push_back({k, static_cast<double>(chart.longitude[static_cast<std::size_t>(k)]),
                          chart.retroMark[static_cast<std::size_t>(k)]});
    PlanetRingStyle style = PlanetRingStyle::chartView();
    style.glyphRadius = 62;
    const std::vector<MmPoint> centres = drawPlanetRing(points, kCx, kCy, 69, 55, asc, style);
    for (std::size_t k = 1; k <= 11; ++k) places.points[k] = centres[k - 1];
    return places;
}

} // namespace

AnalysisViewResult structureView(const AnalysisViewInputs& in) {
    AnalysisViewResult r;
    heading("STRUTTURA ARCHETIPALE", "(Dignit\xE0, debilit\xE0, scambi e disposizioni)");
    r.wheelPlaces = structureWheel(*in.chart);
    const ArchetypalStructure s = ComputeArchetypalStructure(*in.chart);
    if (s.rows.empty()) {
        textColour(0);
        textCentre(s.noDignity ? kNoDignityMessage : "", 15, kCy - 2, kCx);
        return r;
    }
    const double top = kCy - static_cast<double>(s.rows.size()) * kStructureRowPitch / 2;
    const double right = kCx + 14;  // the heads' column; the labels stand to its right
    std::vector<double> lefts;
    for (std::size_t k = 0; k < s.rows.size(); ++k) {
        const StructureRow& row = s.rows[k];
        const double y0 = top + static_cast<double>(k) * kStructureRowPitch;
        const double glyphY = y0 + 8.5;
        const int n = row.size();
        const double left = right - kStructureGlyphPitch * (n - 1) - kStructureGlyphPitch / 2 - 1;
        lefts.push_back(left);
        selectPen(framePen(row.state));
        selectNoBrush();
        rectangle(left, y0 + 4.5, right + kStructureGlyphPitch / 2 + 1, y0 + 12.5);
        useColour(stateColour(row.state));
        textLeftMiddle(stateLabel(row.state), 15, glyphY, right + kStructureGlyphPitch / 2 + 3);
        int i = 0;
        for (const StructureSlot& slot : row.members) {
            if (slot.planet == 0) continue;
            const double x = right - kStructureGlyphPitch * i++;
            backgroundDisc(kStructureGlyph * 0.5, x, glyphY);
            drawPointPicture(slot.planet, kStructureGlyph, x, glyphY);
            r.structureGlyphs.emplace_back(slot.planet, MmPoint{x, glyphY});
            useColour(stateColour(row.state));
            if (slot.level == 1)
                textCentre("1", 15, y0, x);
            else
                textCentre(std::to_string(slot.level) + " " + parentAbbreviation(slot.parent), 0, y0 + 1.2, x);
        }
    }
    // Rows of one exchange joined by a bracket at their left ends.
    selectPen(7);
    for (std::size_t k = 0; k + 1 < s.rows.size(); ++k) {
        if (!joinedToNext(s, k)) continue;
        const double x = std::min(lefts[k], lefts[k + 1]) - 2.5;
        const double y1 = top + static_cast<double>(k) * kStructureRowPitch + 8.5;
        const double y2 = y1 + kStructureRowPitch;
        line({lefts[k], y1}, {x, y1});
        line({x, y1}, {x, y2});
        line({x, y2}, {lefts[k + 1], y2});
    }
    return r;
}

} // namespace qv::draw::views
