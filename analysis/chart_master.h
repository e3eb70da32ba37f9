// The chart-master scoring: the ten planets Sole … Plutone rated by seven
// tables and a speed rule, the totals per planet and the balance of the
// four elements. Its input is the carrier file FileTmp\DatiNasc.Tmp; its
// results are FileDum\MMMaitre.dum, FileDum\MMMaitr2.dum and
// FileDum\Dati.dum, and FileDum\Dati3.dum for the display of the totals.
// The other moments are computed on a copy of the chart state.
#pragma once

#include "base/reals.h"
#include "ephemeris/chart_state.h"
#include "ephemeris/chart_steps.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

inline constexpr const char* kCarrierPath = "FileTmp\\DatiNasc.Tmp";
inline constexpr const char* kMasterReportPath = "FileDum\\MMMaitre.dum";
inline constexpr const char* kMasterTotalsPath = "FileDum\\MMMaitr2.dum";
inline constexpr const char* kHouseValuesPath = "FileDum\\Dati.dum";
inline constexpr const char* kMasterSummaryPath = "FileDum\\Dati3.dum";

// The birth data as the scoring reads them from lines 1–3 of the carrier.
struct CarrierBirth : BirthData {
    std::string name;
    std::string corrText;  // characters 13–18 of the moment, trailing blanks removed
    std::string zoneText;  // corrText with its sign turned
    std::string title;     // "Nascita a " place " il " dd/mm/yyyy hh:mm "  GMT" zone
};
// Decodes the lines; a moment or coordinates that do not read are a
// ConversionError.
CarrierBirth decodeCarrier(const std::vector<std::string>& lines);

// Writes the carrier file from the subject's name text, birth-moment field
// and place field and the chart state (85 lines), and returns the birth as
// the scoring reads it from those lines.
CarrierBirth writeCarrierFile(const std::string& name, const std::string& moment, const std::string& place,
                              const ChartState& chart);

struct MasterSection {
    std::string header;
    std::array<int, 11> value{};  // planets 1–10
};

struct ChartMasterScores {
    CarrierBirth birth;
    std::array<Extended, 13> longitude{};  // 1–10 Sole … Plutone, 11 Ascendant, 12 Medium Coeli
    std::array<int, 13> sign{};
    std::array<int, 13> house{};
    std::array<double, 11> speed{};  // degrees per day
    int ascendantSign = 0;
    std::vector<MasterSection> sections;  // the seven tables, then "TOTALE"
    std::array<int, 11> total{};
    // Fire, Earth, Air, Water of the ten planets and of the seven.
    std::array<int, 4> elementsOfTen{};
    std::array<int, 4> elementsOfSeven{};
};

// Scores the subject of the carrier with the house system, node kind and
// Black Moon kind of `settings` (the caller sets "PLACIDO"), and writes the
// three result files.
ChartMasterScores scoreChartMaster(const CarrierBirth& birth, const ChartState& settings);

// The scores of planets 1–10 placed at the given longitudes and speeds,
// with the cusps: the tables alone, without files.
ChartMasterScores scoreOf(const std::array<Extended, 13>& longitude, const std::array<double, 11>& speed,
                          const std::array<Extended, 13>& cusp);

// Degrees per day of a planet that moved from `before` to `after` in two
// hours, through 0° Ariete either way.
double degreesPerDay(Extended before, Extended after);

// Fire, Earth, Air, Water of the totals placed in the points' signs:
// each sign's sum scaled so that the largest is 50 (a sum not above 0
// counts 1), then the three signs of each element added and rounded.
std::array<int, 4> elementBalance(const std::array<int, 13>& values, const std::array<int, 13>& sign);

// The bars of the totals as the analysis window draws them.
struct MasterBar {
    std::string label;  // the total's text, at most 4 characters
    long length = 0;    // units; at least 3
    bool negative = false;
};
struct ChartMasterDisplay {
    std::array<MasterBar, 11> bars{};  // planets 1–10
    int master = 0;                    // the planet with the highest positive total, 0 when none
};
// The bars and the master of the scores' totals (the totals MMMaitr2.dum
// holds), and Dati3.dum written with the signs of the natal chart's Sun and
// Ascendant and the master's name.
ChartMasterDisplay chartMasterDisplay(const ChartState& natal, const ChartMasterScores& scores);
// The same from ten totals, without files.
ChartMasterDisplay displayOf(const std::array<Extended, 11>& totals);

extern const std::array<const char*, 11> kMasterPlanetNames;  // "SOLE     ", …

} // namespace qv
