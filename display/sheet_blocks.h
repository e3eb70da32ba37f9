// The printable sheets' own blocks and texts, apart from the wheel: the
// weekday and heading lines, the key list the "TERMINI" block reads, the
// rows of the longitude, latitude, dodecatemory and term blocks, the
// masters of the hour and of the year, the spherical distances and the
// substance tables. Everything is drawn in sheet millimetres through the
// drawing layer; positions are the block's (y, x), its title standing 8 mm
// above it.
#pragma once

#include "analysis/planetary_hour.h"
#include "analysis/substance.h"
#include "base/reals.h"
#include "ephemeris/chart_state.h"
#include "settings/chart_settings.h"

#include <string>
#include <vector>

namespace qv {
struct ArchetypalStructure;
} // namespace qv

namespace qv::draw {

// The weekday of the birth, 0 Domenica … 6 Sabato, from the local Julian
// Day J = jd − corr/24: trunc(frac((J + 1.5) / 7) × 7).
int birthWeekday(const ChartState& chart);

// "NASCITA Lunedì 01/02/1990 10:30 (GMT+01)" with " Calend. Giuliano" for
// a Julian-calendar birth.
std::string birthLine(const ChartState& chart);

// The sheet's key list: the nine term keys of points Sole … NodoSud
// ("Sole05"), then their nine decan keys ("SolDec05"; "SolDec00" for a
// point on a multiple of 10°).
std::vector<std::string> sheetKeyList(const ChartState& chart);

// One row of the "TERMINI" block: the point glyph (1–9) and the text.
struct TermRow {
    int glyph = 1;
    std::string text;  // characters 22 to 81 of the text line
    bool highlighted = true;  // the first nine rows (text colour 4)
};
// The rows the key list selects from the lines of OpzioneT\SpgPianCan.Txt:
// a term key padded to eight characters selects every text line that
// begins with it; other keys select nothing.
std::vector<TermRow> termRows(const std::vector<std::string>& keyList, const std::vector<std::string>& termTexts);

// "(123°,45)": whole degrees and the first two decimals of the absolute
// longitude, truncated.
std::string absoluteLongitudeText(Extended longitude);

// ---- blocks -------------------------------------------------------------------

void drawTermBlock(const std::vector<TermRow>& rows, double y, double x);
void drawDodecatemoryBlock(const ChartState& chart, double y, double x);
void drawLongitudeBlock(const ChartState& chart, double y, double x);          // portrait: one column
void drawRelativeLongitudeBlock(const ChartState& chart, double y, double x);  // landscape: three columns
void drawLatitudeBlock(const ChartState& chart, double y, double x);
// Hour, weekday and rulers, and 33 mm lower the masters of the year.
void drawMastersBlock(const ChartState& chart, const PlanetaryHour& hour, const YearMasters& year, double y,
                      double x);
// Distances of points 1–9 to one another: rows 1–8, columns 2–9.
// `narrow` keeps the landscape table clear of the wheel.
void drawDistanceBlock(const ChartState& chart, const OrbTable& orbs, double y, double x, bool narrow);
// Principles (Sale, Zolfo, Mercurio) by elements (their pictures heading
// the columns), or modalities by seasons (P, E, A, I), with the totals.
void drawElementalTable(const Substance& substance, double y, double x);
void drawSeasonalTable(const Substance& substance, double y, double x);
// The rows of the archetypal structure, four to a column: the row's state
// ("Scamb" for an exchange), then its planets, each disposed planet with
// the abbreviation of the planet that disposes it.
void drawStructureBlock(const ArchetypalStructure& structure, double y, double x);
// The four element counts and the four qualities.
void drawHumoursBlock(const Humours& humours, bool seasonal, double y, double x);

} // namespace qv::draw
