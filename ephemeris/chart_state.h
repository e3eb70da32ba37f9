// The one computed chart every analysis and drawing reads, with the point and
// sign numbering shared by the whole program and the sign and house rules.
#pragma once

#include "base/reals.h"
#include "ephemeris/birth_data.h"

#include <array>
#include <cstdint>
#include <string>

namespace qv {

// Chart points. Slots 8–11 hold Uranus, Neptune, Pluto and the lunar node
// while the ephemeris runs; the chart computation then lays them out the
// traditional way (north node, south node, Ascendant, Medium Coeli).
enum Point : int {
    kSun = 1, kMoon = 2, kMercury = 3, kVenus = 4, kMars = 5, kJupiter = 6, kSaturn = 7,
    kNorthNode = 8, kSouthNode = 9, kAscendantPoint = 10, kMcPoint = 11,
    kUranus = 8, kNeptune = 9, kPluto = 10, kEphemerisNode = 11,
    kBlackMoon = 12, kAscendantCopy = 13, kPoint14 = 14,
    kCeres = 15, kPallas = 16, kJuno = 17, kVesta = 18, kChiron = 19,
};

inline constexpr int kPointSlots = 25;  // longitude/latitude [1..25]
inline constexpr int kMarkSlots = 22;   // retroMark, signOf, houseOf [1..22]
inline constexpr int kCuspSlots = 15;   // cusp [1..15]

struct ChartState {
    Extended jd = 0;
    Extended corr = 0;
    bool gregorian = false;
    std::array<Extended, kPointSlots + 1> longitude{};
    std::array<Extended, kPointSlots + 1> latitude{};
    std::array<Extended, kCuspSlots + 1> cusp{};
    std::array<char, kMarkSlots + 1> retroMark{};
    std::array<std::uint8_t, kMarkSlots + 1> signOf{};
    std::array<std::uint8_t, kMarkSlots + 1> houseOf{};
    std::array<std::uint8_t, 13> cuspSign{};
    Extended mcRadians = 0;
    Extended ascRadians = 0;
    Extended localSiderealTime = 0;
    std::string jdText;
    std::string zoneText;
    bool asteroidsValid = false;
    std::string houseSystem;
    std::string nodeKind;
    std::string blackMoonKind;

    // The birth the chart was cast for.
    BirthData birth;
};

// The chart state of the process, zero at start.
ChartState& chartState();
void resetChartState();

// Names of the signs 1..12 (index 0 unused): full and three-letter forms.
extern const std::array<const char*, 13> kSignNames;
extern const std::array<const char*, 13> kSignAbbreviations;
// Full names of the ephemeris bodies 1..12 and three-letter names of the
// traditional layout's points 1..11 (index 0 unused).
extern const std::array<const char*, 13> kBodyNames;
extern const std::array<const char*, 12> kPointAbbreviations;

// Sign of a longitude in [0, 360): Trunc(λ / 30) + 1.
int signOf(Extended longitude);

void signsOfPoints(int count, const Extended* longitudes, std::uint8_t* signs);
void signsOfCusps(int count, const Extended* cusps, std::uint8_t* signs);
// The house of a point is the last of the twelve arcs that contains it, so a
// point exactly on cusp i + 1 is in house i + 1 (and one on cusp 1, the
// Ascendant itself, in house 1); with no arc containing it the slot keeps
// what it held.
void housesOfPoints(int count, const Extended* longitudes, const Extended* cusps,
                    std::uint8_t* houses);

} // namespace qv
