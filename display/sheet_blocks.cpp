#include "display/sheet_blocks.h"

#include "analysis/aspects.h"
#include "analysis/dignities.h"
#include "analysis/subdivisions.h"
#include "display/drawing.h"
#include "display/drawing_numbers.h"
#include "display/house_check.h"
#include "display/pictures.h"
#include "ephemeris/angles.h"
#include "ephemeris/text_forms.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace qv::draw {

namespace {

constexpr std::array<const char*, 10> kTermCodes = {"", "Sole", "Luna", "Merc", "Vene", "Mart", "Giov", "Satu", "NNor", "NSud"};
constexpr std::array<const char*, 10> kDecanCodes = {"", "Sol", "Lun", "Mer", "Ven", "Mar", "Gio", "Sat", "Non", "Nos"};

constexpr double kGlyphSize = 4;
constexpr double kRowPitch = 4.5;

void blockTitle(const std::string& title, double y, double x, double left = 2) {
    textColour(4);
    textLeft(title, 2, y - 8, x - left);
}

// A row: the point's glyph at the row's place, its text 2.5 mm higher and
// 5 mm to the right.
void row(int point, const std::string& text, int font, double y, double x, double glyphDrop = 0) {
    drawPointPicture(point, kGlyphSize, x, y + glyphDrop);
    textLeft(text, font, y - 2.5, x + 5);
}

void colourOf(TextColour colour) {
    switch (colour) {
    case TextColour::Aqua: textColour(4); break;
    case TextColour::White: textColour(0); break;
    case TextColour::Red: textRgb(kRed); break;
    case TextColour::Yellow: textRgb(drawingContext().onScreen() ? kYellow : kOrange); break;
    case TextColour::Blue: textRgb(kBlue); break;
    case TextColour::Green: textRgb(drawingContext().onScreen() ? kGreen : Rgb{0, 128, 0}); break;
    case TextColour::Grey: textRgb(kGrey); break;
    }
}

} // namespace

int birthWeekday(const ChartState& chart) {
    const long double local = static_cast<long double>(chart.jd) - static_cast<long double>(chart.corr) / 24.0L;
    const long double q = (local + 1.5L) / 7.0L;
    const long double f = q - std::floor(q);
    const int day = static_cast<int>(f * 7.0L);
    return day < 0 ? 0 : (day > 6 ? 6 : day);
}

std::string birthLine(const ChartState& chart) {
    std::string line = "NASCITA " + std::string(kWeekdayNames[static_cast<std::size_t>(birthWeekday(chart))]) + " " +
                       chart.birth.dateText() + " (GMT" + chart.zoneText + ")";
    if (!chart.birth.gregorian) line += " Calend. Giuliano";
    return line;
}

std::vector<std::string> sheetKeyList(const ChartState& chart) {
    std::vector<std::string> keys;
    const Extended asc = chart.cusp[1];
    for (int p = 1; p <= 9; ++p)
        keys.push_back(std::string(kTermCodes[static_cast<std::size_t>(p)]) +
                       twoDigits(termOf(chart.longitude[static_cast<std::size_t>(p)], asc)));
    for (int p = 1; p <= 9; ++p)
        keys.push_back(std::string(kDecanCodes[static_cast<std::size_t>(p)]) + "Dec" +
                       twoDigits(decanOf(chart.longitude[static_cast<std::size_t>(p)])));
    return keys;
}

std::vector<TermRow> termRows(const std::vector<std::string>& keyList, const std::vector<std::string>& termTexts) {
    std::vector<TermRow> rows;
    for (const std::string& line : keyList) {
        const std::string key = line.substr(0, 8);
        // Only term keys select texts: the decan keys are eight characters
        // long and no text line is written for them here.
        if (key.size() != 6) continue;
        const std::string padded = key + "  ";
        for (const std::string& text : termTexts) {
            if (text.compare(0, 8, padded) != 0) continue;
            TermRow r;
            const std::size_t n = rows.size();
            r.glyph = static_cast<int>(n % 9) + 1;
            r.highlighted = n < 9;
            r.text = text.size() > 21 ? text.substr(21, 60) : std::string();
            while (!r.text.empty() && (r.text.back() == ' ' || r.text.back() == '\r')) r.text.pop_back();
            rows.push_back(r);
        }
    }
    return rows;
}

std::string absoluteLongitudeText(Extended longitude) {
    const long double l = static_cast<long double>(Norm360(longitude));
    int whole = static_cast<int>(l);
    int hundredths = static_cast<int>((l - whole) * 100.0L + 1e-9L);
    if (hundredths > 99) hundredths = 99;
    return "(" + std::to_string(whole) + "\xB0," + twoDigits(hundredths) + ")";
}

// ---- blocks -------------------------------------------------------------------

void drawTermBlock(const std::vector<TermRow>& rows, double y, double x) {
    blockTitle("TERMINI", y, x, 1);
    double rowY = y;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0 && i % 9 == 0) rowY += 1;
        drawPointPicture(rows[i].glyph, kGlyphSize, x, rowY);
        textColour(rows[i].highlighted ? 4 : 0);
        textLeft(rows[i].text, 0, rowY - 2.6, x + 4);
        rowY += kRowPitch;
    }
}

void drawDodecatemoryBlock(const ChartState& chart, double y, double x) {
    blockTitle("DODECATEMORIE", y, x);
    textColour(0);
    for (int p = 1; p <= 11; ++p)
        row(p, LongitudeWithSign(" ", dodecatemoryOf(chart.longitude[static_cast<std::size_t>(p)])), 2,
            y + (p - 1) * kRowPitch, x);
}

void drawLongitudeBlock(const ChartState& chart, double y, double x) {
    blockTitle("LONGITUDINI", y, x);
    for (int p = 1; p <= 11; ++p) {
        const double rowY = y + (p - 1) * 7.0;
        const Extended l = chart.longitude[static_cast<std::size_t>(p)];
        textColour(0);
        row(p, LongitudeWithSign(" ", l), 2, rowY, x, 1);
        textLeft(absoluteLongitudeText(l), 0, rowY - 2.5 + 4, x + 5);
    }
}

void drawRelativeLongitudeBlock(const ChartState& chart, double y, double x) {
    blockTitle("LONGITUDINI Relative (tra parentesi: Longitudini Assolute)", y, x);
    textColour(0);
    for (int p = 1; p <= 11; ++p) {
        const int column = p <= 4 ? 0 : (p <= 8 ? 1 : 2);
        const int first = column == 0 ? 1 : (column == 1 ? 5 : 9);
        const Extended l = chart.longitude[static_cast<std::size_t>(p)];
        row(p, LongitudeWithSign(" ", l) + " " + absoluteLongitudeText(l), 15, y + (p - first) * kRowPitch,
            x + column * 55.0, 0.1);
    }
}

void drawLatitudeBlock(const ChartState& chart, double y, double x) {
    blockTitle("LATITUDINI", y, x);
    textColour(0);
    for (int p = 1; p <= 7; ++p)
        row(p, LatitudeText(chart.latitude[static_cast<std::size_t>(p)]), 2, y + (p - 1) * kRowPitch, x);
}

void drawMastersBlock(const ChartState& chart, const PlanetaryHour& hour, const YearMasters& year, double y,
                      double x) {
    // Each line has its own place, so a chart without a planetary hour keeps
    // the rulers where they always stand.
    static constexpr std::array<const char*, 7> kStarts = {"Giorno", "Ora", "Governata", "Ascendente", "Governato",
                                                          "Mediocielo", "Governato"};
    static constexpr std::array<double, 7> kOffsets = {0, 4.5, 9, 14.5, 19, 24.5, 29};
    std::size_t slot = 0;
    for (const ColouredLine& line : mastersLines(chart, hour)) {
        std::size_t found = slot;
        while (found < kStarts.size() && line.text.rfind(kStarts[found], 0) != 0) ++found;
        if (found == kStarts.size()) continue;  // the sunrise is not shown on the sheets
        slot = found;
        colourOf(line.colour);
        textLeft(line.text, 15, y + kOffsets[slot], x);
        ++slot;
    }
    // Without an hour its two lines would stay blank: say why instead.
    const std::string reason = noPlanetaryHourLine(chart, hour);
    if (!reason.empty()) {
        colourOf(TextColour::Red);
        textLeft(reason, 15, y + kOffsets[1], x);
    }
    double rowY = y + 35;
    for (const ColouredLine& line : yearMastersLines(year)) {
        colourOf(line.colour);
        textLeft(line.text, 15, rowY, x);
        rowY += kRowPitch;
    }
}

void drawDistanceBlock(const ChartState& chart, const OrbTable& orbs, double y, double x, bool narrow) {
    textColour(4);
    // One line: a second one would stand on the column glyphs.
    textLeft("DISTANZE SFERICHE", 2, y - 8, x - 2);
    const double kColumn = narrow ? 8 : 10.5, kLine = 5;  // narrow: clear of the wheel's degrees beside it
    const int cellFont = narrow ? 0 : 15;
    const auto columnX = [&](int c) { return x + (narrow ? 10 : 11) + (c - 2) * kColumn; };
    const auto rowY = [&](int r) { return y + 5 + (r - 1) * kLine; };
    for (int c = 2; c <= 9; ++c) drawPointPicture(c, 3.5, columnX(c), y + 0.5);
    for (int r = 1; r <= 8; ++r) drawPointPicture(r, 3.5, x + 2, rowY(r));
    selectPen(drawingContext().onScreen() ? 1 : 0);
    moveTo(x - 1, y + 2.7);
    lineTo(columnX(9) + kColumn / 2, y + 2.7);
    for (const DistanceCell& cell : sphericalDistances(chart, orbs)) {
        if (cell.row < 1 || cell.row > 8 || cell.column < 2 || cell.column > 9) continue;
        colourOf(cell.colour);
        textMiddle(cell.text, cellFont, rowY(cell.row), columnX(cell.column));
    }
}

namespace {

void countTable(const CountTable& t, const std::array<const char*, 3>& rowNames, bool elementGlyphs,
                const std::array<const char*, 4>& columnNames, double y, double x) {
    // Narrow enough to stand beside a wheel: names, four counts, the total.
    constexpr double kColumn = 5, kLine = 4.5;
    const double firstColumn = x + 12.5;
    const double totalColumn = firstColumn + 4 * kColumn + 1;
    textColour(4);
    for (int c = 0; c < 4; ++c) {
        if (elementGlyphs)
            drawElementPicture(c + 1, 3, firstColumn + c * kColumn, y - 1.5);
        else
            textCentre(columnNames[static_cast<std::size_t>(c)], 0, y - 3, firstColumn + c * kColumn);
    }
    textCentre("T", 0, y - 3, totalColumn);
    for (int r = 0; r < 3; ++r) {
        const double rowTop = y + 1.5 + r * kLine;
        textColour(4);
        textLeft(rowNames[static_cast<std::size_t>(r)], 0, rowTop + 0.6, x);
        textColour(0);
        for (int c = 0; c < 4; ++c)
            textCentre(std::to_string(t.cell[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]), 15, rowTop,
                       firstColumn + c * kColumn);
        textColour(4);
        textCentre(std::to_string(t.rowTotal[static_cast<std::size_t>(r)]), 15, rowTop, totalColumn);
    }
    const double totalTop = y + 1.5 + 3 * kLine + 1;
    textColour(4);
    textLeft("Totale", 0, totalTop + 0.6, x);
    for (int c = 0; c < 4; ++c)
        textCentre(std::to_string(t.columnTotal[static_cast<std::size_t>(c)]), 15, totalTop, firstColumn + c * kColumn);
    selectPen(drawingContext().onScreen() ? 1 : 0);
    moveTo(x, totalTop - 0.5);
    lineTo(totalColumn + 2.5, totalTop - 0.5);
}

} // namespace

void drawElementalTable(const Substance& substance, double y, double x) {
    blockTitle("STOFFA ELEMENTARE", y, x);
    countTable(substance.elemental, {"Sale", "Zolfo", "Mercurio"}, true, {"", "", "", ""}, y, x);
}

void drawSeasonalTable(const Substance& substance, double y, double x) {
    blockTitle("STOFFA STAGIONALE", y, x);
    countTable(substance.seasonal, {"Cardinale", "Fisso", "Mobile"}, false, {"P", "E", "A", "I"}, y, x);
}

void drawStructureBlock(const ArchetypalStructure& structure, double y, double x) {
    blockTitle("STRUTTURA ARCHETIPALE", y, x);
    if (structure.rows.empty()) {
        textColour(0);
        textLeft(structure.noDignity ? kNoDignityMessage : "", 15, y - 2, x);
        return;
    }
    constexpr int kRowsPerColumn = 4;
    constexpr double kPitch = 4.2, kColumnWidth = 56, kGlyphPitch = 8;
    for (std::size_t k = 0; k < structure.rows.size(); ++k) {
        const StructureRow& row = structure.rows[k];
        const double rowX = x + static_cast<double>(k / kRowsPerColumn) * kColumnWidth;
        const double rowY = y + static_cast<double>(k % kRowsPerColumn) * kPitch;
        colourOf(stateColour(row.state));
        const std::string label = row.state == kExchange ? "Scamb" : stateLabel(row.state);
        textLeft(label, 0, rowY - 1.5, rowX);
        for (std::size_t i = 0; i < row.members.size(); ++i) {
            const StructureSlot& slot = row.members[i];
            if (slot.planet == 0) continue;
            const double glyphX = rowX + 12 + static_cast<double>(i) * kGlyphPitch;
            drawPointPicture(slot.planet, 3.5, glyphX, rowY);
            if (slot.parent != 0) {
                textColour(0);
                textLeft(parentAbbreviation(slot.parent), 0, rowY - 0.2, glyphX + 1.6);
            }
        }
    }
}

void drawHumoursBlock(const Humours& h, bool seasonal, double y, double x) {
    blockTitle("ATTRIBUZIONE UMORALE", y, x);
    textColour(4);
    textLeft(seasonal ? "(Stagionale)" : "(Elementare)", 15, y - 3.4, x - 2);
    y += 1.5;
    static constexpr std::array<const char*, 4> kHumours = {"Collerico (Fuoco)", "Melanconico (Terra)",
                                                           "Sanguigno (Aria)", "Flemmatico (Acqua)"};
    for (int e = 0; e < 4; ++e) {
        drawElementPicture(e + 1, 3.5, x + 1.5, y + 2.5 + e * kRowPitch);
        textColour(0);
        textLeft(std::string(kHumours[static_cast<std::size_t>(e)]) + ": " +
                     std::to_string(h.element[static_cast<std::size_t>(e)]),
                 15, y + 0.5 + e * kRowPitch, x + 5);
    }
    textColour(4);
    textLeft("Caldo " + std::to_string(h.hot) + "   Umido " + std::to_string(h.moist), 15, y + 1 + 4 * kRowPitch, x);
    textLeft("Freddo " + std::to_string(h.cold) + "   Secco " + std::to_string(h.dry), 15, y + 1 + 5 * kRowPitch, x);
}

} // namespace qv::draw
