// The views drawn as tables or texts: the four substance tables, the
// aspect-and-orb grid, the spherical distances and the two masters views.
#include "analysis/aspects.h"
#include "analysis/planetary_hour.h"
#include "analysis/substance.h"
#include "display/house_check.h"
#include "display/pictures.h"
#include "display/view_common.h"

#include <array>

namespace qv::draw::views {

namespace {

// ---- substance ------------------------------------------------------------------

constexpr std::array<double, 4> kColumnX = {70, 98, 126, 154};
constexpr double kTotalX = 180;
constexpr double kCellHalf = 14;

struct TableColumn {
    const char* name;
    const char* under;  // a second line under the name (the season's element), or ""
    int picture;        // element picture 1–4
    TextColour colour;
};

struct TableRow {
    const char* name;
    const char* under;  // "(cardinali)", "Istinto", …
    int picture;        // principle picture 5–7, 0: none
};

void caption(const char* text) {
    textColour(0);
    textRight(text, 15, 5.5, 190);
}

void columnHeads(const std::array<TableColumn, 4>& columns, double y) {
    for (std::size_t c = 0; c < 4; ++c) {
        drawElementPicture(columns[c].picture, 9, kColumnX[c], y);
        useColour(columns[c].colour);
        textCentre(columns[c].name, 2, y + 7, kColumnX[c]);
        if (*columns[c].under) textCentre(columns[c].under, 15, y + 13, kColumnX[c]);
    }
}

// The thin lines of a table: under the heads, between rows and columns.
void tableLines(double top, double bottom, int columns, bool totalColumn) {
    selectPen(drawingContext().onScreen() ? 8 : 9);
    const double right = totalColumn ? kTotalX + 12 : kColumnX[static_cast<std::size_t>(columns - 1)] + kCellHalf;
    for (int c = 0; c <= columns; ++c) {
        const double x = kColumnX[0] - kCellHalf + c * 2 * kCellHalf;
        line({x, top}, {x, bottom});
    }
    if (totalColumn) line({right, top}, {right, bottom});
    line({8, top}, {right, top});
    line({8, bottom}, {right, bottom});
}

// The seven planets and the signs they stand in: what the tables count.
void countedPlanets(const ChartState& chart, double y) {
    textColour(4);
    textLeft("Pianeti contati (ciascuno vale 1):", 15, y - 9, 8);
    for (int p = 1; p <= kPlanets; ++p) {
        const double x = 14 + (p - 1) * 26;
        drawPointPicture(p, 6, x, y);
        drawSignPicture("M", zodiacSignOf(chart.longitude[static_cast<std::size_t>(p)]), 6, x + 8, y);
    }
}

void countTable(const CountTable& t, const std::array<TableColumn, 4>& columns, const std::array<TableRow, 3>& rows,
                const char* totalName, const std::array<const char*, 4>& footers) {
    constexpr double kHeadY = 34, kFirstRow = 68, kPitch = 22;
    columnHeads(columns, kHeadY);
    useColour(TextColour::White);
    textCentre("Tot", 2, kHeadY + 7, kTotalX);
    tableLines(kFirstRow - kPitch / 2, kFirstRow + 3.5 * kPitch, 4, true);
    for (std::size_t r = 0; r < 3; ++r) {
        const double y = kFirstRow + static_cast<double>(r) * kPitch;
        if (rows[r].picture) drawElementPicture(rows[r].picture, 8, 13, y);
        textColour(4);
        textLeftMiddle(rows[r].name, 2, y - 2.5, 20);
        textColour(0);
        textLeftMiddle(rows[r].under, 15, y + 3, 20);
        for (std::size_t c = 0; c < 4; ++c) {
            useColour(TextColour::Grey);
            textMiddle(std::to_string(t.cell[r][c]), 3, y, kColumnX[c]);
        }
        useColour(TextColour::White);
        textMiddle(std::to_string(t.rowTotal[r]), 3, y, kTotalX);
    }
    const double totalY = kFirstRow + 3 * kPitch;
    selectPen(drawingContext().onScreen() ? 8 : 9);
    line({8, totalY - kPitch / 2}, {kTotalX + 12, totalY - kPitch / 2});
    textColour(0);
    textLeftMiddle(totalName, 2, totalY, 20);
    for (std::size_t c = 0; c < 4; ++c) {
        useColour(columns[c].colour);
        textMiddle(std::to_string(t.columnTotal[c]), 3, totalY, kColumnX[c]);
        if (*footers[c]) textCentre(footers[c], 15, totalY + 14, kColumnX[c]);
    }
}

void humoursTable(const Humours& h) {
    // Columns Aria, Fuoco, Terra, Acqua with their two qualities and the
    // humoral total each shows.
    static const std::array<TableColumn, 4> kColumns = {{{"Aria", "", 3, TextColour::Yellow},
                                                         {"Fuoco", "", 1, TextColour::Red},
                                                         {"Terra", "", 2, TextColour::Green},
                                                         {"Acqua", "", 4, TextColour::Aqua}}};
    static const std::array<const char*, 4> kQualities = {"C   U", "C   S", "F   S", "F   U"};
    static const std::array<const char*, 4> kTotalLetters = {"C", "U", "F", "S"};
    static const std::array<const char*, 4> kTemperaments = {"Estroverso", "Eteronomo", "Introverso", "Autonomo"};
    const std::array<int, 4> counts = {h.element[kAir], h.element[kFire], h.element[kEarth], h.element[kWater]};
    const std::array<int, 4> totals = {h.hot, h.moist, h.cold, h.dry};
    constexpr double kHeadY = 34;
    columnHeads(kColumns, kHeadY);
    tableLines(kHeadY + 16, 132, 4, false);
    for (std::size_t c = 0; c < 4; ++c) {
        textColour(0);
        textCentre(kQualities[c], 2, 60, kColumnX[c]);
        useColour(kColumns[c].colour);
        textMiddle(std::to_string(counts[c]), 3, 80, kColumnX[c]);
        useColour(TextColour::White);
        textMiddle(std::string(kTotalLetters[c]) + " " + std::to_string(totals[c]), 3, 102, kColumnX[c]);
        textColour(4);
        textCentre(kTemperaments[c], 15, 120, kColumnX[c]);
    }
    textColour(4);
    textLeftMiddle("Tot", 2, 80, 20);
    textLeftMiddle("Tot", 2, 102, 20);
    textColour(0);
    textLeftMiddle("elementi", 15, 86, 20);
    textLeftMiddle("qualit\xE0", 15, 108, 20);
    static const std::array<const char*, 4> kLegend = {"C=caldo", "U=umido", "F=freddo", "S=secco"};
    for (std::size_t i = 0; i < 4; ++i) {
        textColour(0);
        textLeft(kLegend[i], 15, 70 + static_cast<double>(i) * 6, 172);
    }
}

} // namespace

AnalysisViewResult substanceView(AnalysisView view, const AnalysisViewInputs& in) {
    const Substance s = computeSubstance(*in.chart);
    switch (view) {
    case AnalysisView::Substance1:
        heading("STOFFA ELEMENTARE", "(Livello psicosomatico)");
        caption("[Elementare]");
        countTable(s.elemental,
                   {{{"Fuoco", "", 1, TextColour::Red},
                     {"Terra", "", 2, TextColour::Green},
                     {"Aria", "", 3, TextColour::Yellow},
                     {"Acqua", "", 4, TextColour::Aqua}}},
                   {{{"Sale", "Istinto", 5}, {"Zolfo", "Persona", 6}, {"Mercurio", "Collettivit\xE0", 7}}}, "Tot",
                   {"Volont\xE0", "Corpo", "Pensiero", "Sentimento"});
        break;
    case AnalysisView::Substance2:
        heading("ATTRIBUZIONE UMORALE", "(Elementare)");
        caption("[Elementare]");
        humoursTable(s.elementalHumours);
        break;
    case AnalysisView::Substance3:
        heading("STOFFA STAGIONALE", "(Livello somatopsichico)");
        caption("[Stagionale]");
        countTable(s.seasonal,
                   {{{"Primavera", "Aria", 3, TextColour::Yellow},
                     {"Estate", "Fuoco", 1, TextColour::Red},
                     {"Autunno", "Terra", 2, TextColour::Green},
                     {"Inverno", "Acqua", 4, TextColour::Aqua}}},
                   {{{"Tropici", "(cardinali)", 0}, {"Solidi", "(fissi)", 0}, {"Bicorporei", "(mutevoli)", 0}}},
                   "Totali", {"", "", "", ""});
        break;
    default:
        heading("ATTRIBUZIONE UMORALE", "(Stagionale)");
        caption("[Stagionale]");
        humoursTable(s.seasonalHumours);
        break;
    }
    countedPlanets(*in.chart, 182);
    return {};
}

// ---- aspects grid and spherical distances -----------------------------------------

namespace {

double gridColumnX(int column) { return 31 + (column - 2) * 16.3; }
double gridRowY(int row) { return 44 + (row - 1) * 16.3; }
constexpr double kGridHalf = 8.15;

// The heads of the triangle (points 2–11 across, 1–9 down) and the frame of
// every cell that exists.
void triangle() {
    for (int g = 2; g <= kTraditionalPoints; ++g) drawPointPicture(g, 6, gridColumnX(g), gridRowY(1) - 13);
    for (int f = 1; f <= 9; ++f) drawPointPicture(f, 6, 14, gridRowY(f));
    selectPen(drawingContext().onScreen() ? 8 : 9);
    selectNoBrush();
    for (int f = 1; f <= 9; ++f)
        for (int g = f + 1; g <= kTraditionalPoints; ++g)
            rectangle(gridColumnX(g) - kGridHalf, gridRowY(f) - kGridHalf, gridColumnX(g) + kGridHalf,
                      gridRowY(f) + kGridHalf);
}

} // namespace

AnalysisViewResult gridView(const AnalysisViewInputs& in) {
    heading("ASPETTI  &  ORBITE", "sull'eclittica");
    triangle();
    for (const GridCell& cell : aspectGrid(*in.chart, in.orbs)) {
        if (cell.aspect == Aspect::None) continue;
        const double x = gridColumnX(cell.column), y = gridRowY(cell.row);
        drawAspectGlyph(static_cast<int>(cell.aspect), 1.4, x - 3.6, y);
        textColour(0);
        textMiddle(cell.deviationText, 15, y, x + 3.6);
    }
    // The key of the glyphs in the empty half of the square.
    static constexpr Aspect kKey[] = {Aspect::Conjunction,  Aspect::SemiSextile,    Aspect::SemiSquare, Aspect::Sextile,
                                      Aspect::Quintile,     Aspect::Square,         Aspect::Trine,      Aspect::Sesquiquadrate,
                                      Aspect::Biquintile,   Aspect::Quincunx,       Aspect::Opposition};
    double y = 110;
    for (Aspect a : kKey) {
        drawAspectGlyph(static_cast<int>(a), 1.1, 27, y);
        textColour(0);
        textLeftMiddle(aspectName(a), 15, y, 31);
        y += 6;
    }
    textColour(4);
    textLeft("il numero: distanza dall'esatto, in gradi", 0, y - 1, 23);
    return {};
}

AnalysisViewResult distancesView(const AnalysisViewInputs& in) {
    heading("DISTANZE SFERICHE", "(con le latitudini)");
    triangle();
    for (const DistanceCell& cell : sphericalDistances(*in.chart, in.orbs)) {
        const double x = gridColumnX(cell.column), y = gridRowY(cell.row);
        useColour(cell.colour);
        textMiddle(cell.text, 15, y - 1.5, x);
        const std::array<std::pair<bool, Rgb>, 3> marks = {{{cell.hard, kRed}, {cell.soft, kCyan}, {cell.conjunct, kYellow}}};
        for (std::size_t i = 0; i < marks.size(); ++i) {
            if (!marks[i].first) continue;
            const double left = x - 6 + static_cast<double>(i) * 4.2;
            fillBox(left, y + 3.5, left + 3.6, y + 4.8, marks[i].second);
        }
    }
    static const std::array<std::pair<Rgb, const char*>, 3> kKey = {
        {{kRed, "dura (opposizione, quadrato)"}, {kCyan, "armonica (trigono, sestile)"}, {kYellow, "congiunzione"}}};
    double y = 130;
    for (const auto& [colour, text] : kKey) {
        fillBox(24, y - 0.6, 29, y + 0.6, colour);
        textColour(0);
        textLeftMiddle(text, 15, y, 31);
        y += 6;
    }
    useColour(TextColour::Grey);
    textLeftMiddle("in grigio: nessun aspetto", 15, y, 24);
    return {};
}

// ---- masters -------------------------------------------------------------------

AnalysisViewResult mastersView(AnalysisView view, const AnalysisViewInputs& in) {
    const ChartState& chart = *in.chart;
    constexpr double kLeft = 22, kPitch = 11;
    const auto drawLines = [&](const std::vector<ColouredLine>& lines, const std::vector<int>& rulers, double top) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const double y = top + static_cast<double>(i) * kPitch;
            useColour(lines[i].colour);
            textLeftMiddle(lines[i].text, 2, y, kLeft);
            if (i < rulers.size() && rulers[i] >= 1 && rulers[i] <= kPlanets) drawPointPicture(rulers[i], 7, 12, y);
        }
    };
    if (view == AnalysisView::Masters1) {
        heading(mastersHeading());
        const PlanetaryHour& h = in.hour;
        const std::vector<ColouredLine> lines = mastersLines(chart, h);
        // The ruler each line names, by its first word.
        std::vector<int> rulers;
        int governed = 0;
        for (const ColouredLine& l : lines) {
            int ruler = 0;
            if (l.text.rfind("Governata", 0) == 0) ruler = h.hourRuler;
            if (l.text.rfind("Governato", 0) == 0) ruler = governed++ == 0 ? h.ascendantRuler : h.mcRuler;
            rulers.push_back(ruler);
        }
        drawLines(lines, rulers, 34);
        if (!h.hourFound) {
            textColour(0);
            // Why: the Sun does not rise or does not set that day.
            textLeft("(" + noPlanetaryHourLine(chart, h) + ")", 15, 34 + static_cast<double>(lines.size()) * kPitch, kLeft);
        }
        AnalysisViewResult r;
        r.wheelPlaces = smallChartWheel(in, 0.55, 142, 142);
        return r;
    }
    AnalysisViewResult r;
    heading(kYearMastersHeading);
    r.wheelPlaces = smallChartWheel(in, 0.55, 142, 142);
    const YearMasters m = yearMastersOf(chart);
    drawLines(yearMastersLines(m), {m.yearMaster, m.cycleMaster}, 34);
    textColour(0);
    textLeft("(anno astrologico " + std::to_string(mastersYear(chart)) + ", dall'ingresso del Sole in Ariete)", 15, 34 + 2 * kPitch, kLeft);
    return r;
}

} // namespace qv::draw::views
