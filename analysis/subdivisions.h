// Zodiacal subdivisions of the chart points: terms (sixty 6° sectors from
// the Ascendant − 15°), decades and decans (thirty-six 10° sectors from
// 0° Ariete), dodecatemories (twelfth-parts) and the two mirror places,
// with the text keys that select their descriptions in
// OpzioneT\SpgPianSpe.Txt.
#pragma once

#include "base/reals.h"
#include "ephemeris/chart_state.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

// Term 1 … 60 of a longitude for an Ascendant. The sectors are tested in
// the order 2 … 60, 1 and the last that contains the point wins, so a point
// on a boundary falls in the later sector of that order.
int termOf(Extended longitude, Extended ascendant);
// Decade 1 … 36: the same rule with boundaries on the multiples of 10°.
int decadeOf(Extended longitude);
// Decan 1 … 36 for 10(i − 1) < λ < 10i, 0 on a multiple of 10°.
int decanOf(Extended longitude);

Extended dodecatemoryOf(Extended longitude);
Extended Antiscion(Extended longitude);       // 360 − λ, in [0, 360)
Extended Contrantiscion(Extended longitude);  // 180 − λ, in [0, 360)

// Subdivisions of points 1–11 (index 0 unused).
struct Subdivisions {
    std::array<int, 12> term{};
    std::array<int, 12> decade{};
    std::array<std::string, 12> decanKey;  // empty where the point has no decan
    std::array<std::string, 12> termKey;   // Sole05
    std::array<std::string, 12> decadeKey; // SO05
};

// Subdivisions of the eleven given longitudes with the Ascendant `asc`.
Subdivisions subdivisionsOf(const std::array<Extended, 12>& longitudes, Extended asc);

// The subdivisions of the chart's points (ASC is cusp 1).
Subdivisions ComputeSubdivisions(const ChartState& chart);

struct Dodecatemories {
    std::array<Extended, 12> longitude{};
    std::array<int, 12> sign{};
    Subdivisions subdivisions;  // of the dodecatemories, with the chart's ASC
};
Dodecatemories ComputeDodecatemories(const ChartState& chart);

// The lines of the text panel for the points or for their dodecatemories,
// from the lines of OpzioneT\SpgPianSpe.Txt; a key without a line adds
// nothing.
enum class SubdivisionList { Points, Dodecatemories };
std::vector<std::string> ListSubdivisionTexts(SubdivisionList kind, const Subdivisions& subdivisions,
                                              const std::vector<std::string>& specificTexts);

// Reads OpzioneT\SpgPianSpe.Txt (IoError when missing).
std::vector<std::string> readSpecificPointTexts();

// The sign pairs of the mirror places and the three quartets they form.
extern const std::array<std::array<int, 2>, 6> kAntisciaPairs;
extern const std::array<std::array<int, 2>, 6> kContrantisciaPairs;
extern const std::array<std::array<int, 4>, 3> kMirrorQuartets;

} // namespace qv
