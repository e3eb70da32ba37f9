// The constitution read from the signs of the seven planets: element by
// alchemical principle, season by modality, and the humoral attribution of
// both. Each planet counts one; nodes and angles do not count.
#pragma once

#include "ephemeris/chart_state.h"

#include <array>

namespace qv {

// Columns of the elemental table: Fuoco, Terra, Aria, Acqua; rows: Sale,
// Zolfo, Mercurio.
enum Element : int { kFire = 0, kEarth = 1, kAir = 2, kWater = 3 };
enum Principle : int { kSalt = 0, kSulphur = 1, kMercuryPrinciple = 2 };
// Columns of the seasonal table: Primavera, Estate, Autunno, Inverno; rows:
// cardinal, fixed, mutable.
enum Season : int { kSpring = 0, kSummer = 1, kAutumn = 2, kWinter = 3 };
enum Modality : int { kCardinal = 0, kFixed = 1, kMutable = 2 };

// A longitude of any size reduced to [0, 360): a damaged table may leave a
// point thousands of degrees out, or below 0. A longitude that is no number
// raises ConversionError.
Extended oneTurn(Extended longitude);
// The sign 1 (Ariete) .. 12 (Pesci) of a longitude of any size.
int zodiacSignOf(Extended longitude);
// A cast chart made fit for the analyses and the printed chart: every point
// and cusp within [0, 360), and the signs and houses of the points read
// again from them when one was out of its range; a point that is no number
// raises ConversionError. A sound chart is left as it is.
void bringWithinOneTurn(ChartState& chart);

// Sign 1..12; any other number raises ConversionError.
Element elementOfSign(int sign);
Principle principleOfSign(int sign);
Season seasonOfSign(int sign);
Modality modalityOfSign(int sign);
// The element a season is read as: Primavera Aria, Estate Fuoco, Autunno
// Terra, Inverno Acqua.
Element elementOfSeason(Season season);

// A 3 × 4 table of counts with its row and column totals.
struct CountTable {
    std::array<std::array<int, 4>, 3> cell{};
    std::array<int, 3> rowTotal{};
    std::array<int, 4> columnTotal{};
};

// The humoral attribution: the four element counts (indexed by Element) and
// the four qualities.
struct Humours {
    std::array<int, 4> element{};
    int hot = 0;    // C = Aria + Fuoco
    int moist = 0;  // U = Aria + Acqua
    int cold = 0;   // F = Terra + Acqua
    int dry = 0;    // S = Fuoco + Terra
};

struct Substance {
    CountTable elemental;  // [principle][element]
    CountTable seasonal;   // [modality][season]
    Humours elementalHumours;
    Humours seasonalHumours;
};

// From the longitudes of points 1–7.
Substance computeSubstance(const ChartState& chart);

} // namespace qv
