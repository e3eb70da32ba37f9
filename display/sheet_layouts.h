// The four printable sheets of a chart: "Verticale 1" (5) and "Verticale 2"
// (18) on a portrait page, "Orizzontale 1 " (16) and "Orizzontale 2" (17)
// on a landscape one. Each combines the wheel (or, on the second sheets, the
// two affinity wheels) with the heading and the analysis blocks, in sheet
// millimetres through the drawing layer, onto whatever target the drawing
// context holds.
#pragma once

#include "analysis/planetary_hour.h"
#include "display/wheel.h"
#include "ephemeris/chart_state.h"
#include "settings/chart_settings.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv {
struct ArchetypalStructure;
} // namespace qv

namespace qv::draw {

enum class SheetLayout : int { Vertical1 = 5, Vertical2 = 18, Horizontal1 = 16, Horizontal2 = 17 };

bool isLandscape(SheetLayout layout);
// "V1", "V2", "O1", "O2" in any case.
std::optional<SheetLayout> sheetLayoutNamed(const std::string& name);
// The caption of the main window's button ("Orizzontale 1 " keeps its blank).
const char* sheetLayoutCaption(SheetLayout layout);

// The printable page in sheet millimetres at zoom 1: the printer scale puts
// 0.776 × 210 paper millimetres' worth of pixels on 210 sheet millimetres,
// so a page is 210 ÷ 0.776 sheet millimetres wide whatever its orientation.
double sheetPageWidth();
double sheetPageHeight(SheetLayout layout);
// The paper's own size in millimetres (A4).
double paperWidth(SheetLayout layout);

// Printers leave this much of the paper's edge blank (millimetres of paper).
inline constexpr double kPaperMargin = 5;

// The part of the page every mark of a sheet stays in: the page less
// kPaperMargin of paper on each side, in sheet millimetres at zoom 1.
struct SheetArea {
    double left = 0, top = 0, right = 0, bottom = 0;
};
SheetArea printableArea(SheetLayout layout);

// Everything a sheet shows besides the chart state.
struct SheetContent {
    std::string subjectName;              // Windows-1252
    OrbTable orbs{};
    std::vector<std::string> termTexts;   // lines of OpzioneT\SpgPianCan.Txt
    PlanetaryHour hour;
    YearMasters yearMasters;
    std::shared_ptr<const ArchetypalStructure> structure;  // none: the block is left out
    AspectLineMode aspectMode = AspectLineMode::Plain;
};

// Reads the texts and computes the masters for `chart` (IoError when a data
// file is missing).
SheetContent sheetContentFor(const ChartState& chart, const std::string& subjectName, const OrbTable& orbs);

// How a sheet is brought inside its printable area: scaled by `factor`
// about the page's corner, then moved by (dx, dy) sheet millimetres.
struct SheetFit {
    double factor = 1, dx = 0, dy = 0;
};
// The fit the sheet needs in the drawing context as it is now (measured
// by drawing it once on an extent canvas): none when every mark is inside.
SheetFit sheetFit(SheetLayout layout, const ChartState& chart, const SheetContent& content);

// Draws the sheet; the zoom is changed for the drawing and put back. A
// sheet whose marks (long names, a wheel's horizon marks) would reach into
// the paper's blank edge is first measured, then moved and, if it must,
// scaled down as a whole into the printable area, so its blocks keep their
// order and proportions. On screen with a printer installed the printable
// area of the printer's orientation is framed.
void drawSheet(SheetLayout layout, const ChartState& chart, const SheetContent& content);

// The aspect lines of the full wheels: every pair of the seven planets
// whose separation holds an opposition, trine, square or sextile.
std::vector<WheelAspectLine> sheetAspectLines(const ChartState& chart, const OrbTable& orbs);

} // namespace qv::draw
