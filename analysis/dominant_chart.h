// The chart of the dominant-planet views: the natal moment cast again with
// Placidus houses and the bodies in the ephemeris numbering (1 Sole …
// 7 Saturno, 8 Urano, 9 Nettuno, 10 Plutone, 11 Nodo Nord, 12 Luna Nera),
// with the chart-master scoring of that moment and the bars of its totals.
// The computation works on a copy: the chart state of the process is left
// as it was, so the natal chart the window shows needs no restoring.
#pragma once

#include "analysis/chart_master.h"
#include "base/reals.h"
#include "ephemeris/chart_state.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace qv {

inline constexpr int kDominantBodies = 12;  // Sole … Plutone, Nodo Nord, Luna Nera
inline constexpr int kDominantPoints = 14;  // the bodies, the Ascendant and the Medium Coeli

struct DominantChart {
    // The Placidus chart as the ephemeris leaves it (bodies in slots 1–12,
    // the Ascendant copy in 13), longitudes absolute.
    ChartState chart;
    // Points 1–14 the views draw and join by aspects: the twelve bodies,
    // 13 the Ascendant, 14 the Medium Coeli (index 0 unused).
    std::array<Extended, kDominantPoints + 1> longitude{};
    std::array<char, kDominantPoints + 1> retroMark{};  // 'r' for a body that moved backwards
    std::array<Extended, 13> cusp{};                    // Placidus cusps 1–12
    Extended mediumCoeli = 0;                           // degrees
    ChartMasterScores scores;
    ChartMasterDisplay display;  // the bars of the ten totals and the master
};

// Casts `natal`'s birth again with "PLACIDO" houses, writes the carrier file
// FileTmp\DatiNasc.Tmp from the subject's name text, birth-moment field and
// place field, runs the chart-master scoring (its result files in FileDum\)
// and reads the totals back for the bars. The caller hands over the subject
// and the node and Black Moon kinds (in `natal`); nothing here reads an
// archive. IoError when a file can't be written.
DominantChart computeDominantChart(const ChartState& natal, const std::string& name, const std::string& moment,
                                   const std::string& place);

// Body names of the positions list: "Sole" … "Plutone", "Nodo Nord",
// "Luna Nera" (index 0 unused).
extern const std::array<const char*, kDominantBodies + 1> kDominantBodyNames;

// The points (number, longitude) whose aspect lines the dominant views draw.
std::vector<std::pair<int, Extended>> dominantAspectPoints(const DominantChart& dominant);

// The caption under "POTENZE PLANETARIE": where the method comes from.
extern const char* const kPlanetaryPowersCaption;

} // namespace qv
