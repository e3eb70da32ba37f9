// House cusps, Ascendant, Medium Coeli and local sidereal time.
#pragma once

#include "base/reals.h"
#include "ephemeris/chart_state.h"

#include <array>
#include <string>

namespace qv {

// What every house system starts from: the common part of the computation.
struct HouseFrame {
    Extended ramc = 0;        // right ascension of the Medium Coeli, degrees
    Extended obliquity = 0;   // mean obliquity ε, degrees
    Extended cosObliquity = 0;
    Extended latitude = 0;    // φ as the computation holds it: 360 − φ for south
    Extended mc = 0;          // degrees
    Extended asc = 0;         // degrees
    Extended q = 0;           // TanDeg(ε) × (−TanDeg(φ))
    Extended localSiderealTime = 0; // hours

    // The geographic latitude with its sign (south negative), degrees.
    Extended signedLatitude() const { return latitude > 180.0L ? latitude - 360.0L : latitude; }
};

// Cusps 1..12 (index 0 unused).
using Cusps = std::array<Extended, 13>;

// The birth moment and place as the callers hold them.
struct HouseInput {
    int lonDegrees = 0, lonMinutes = 0;
    std::string lonLetter = "E";   // "E", or "W"/"O" for west
    int latDegrees = 0, latMinutes = 0;
    std::string latLetter = "N";   // "N" or "S"
    int hour = 0, minute = 0;      // local clock time
    Extended corr = 0;             // hours added to the clock to get Universal Time
    Extended extraHours = 0;       // 0 for the natal chart
    Extended jd = 0;
};

// The ecliptic longitude whose right ascension is α (degrees).
Extended EclipticFromRightAscension(Extended alpha, Extended cosObliquity);

// The Ascendant for a right ascension of the Medium Coeli, an obliquity and
// a latitude as the house computation holds it (360 − φ for south).
Extended AscendantOf(Extended ramc, Extended obliquity, Extended latitude);

// Sidereal time, angles and Q: the part every house system shares.
HouseFrame houseFrame(const HouseInput& in);

// Names the house computation recognises ("CASE_UGUALI" is "CASE_MEDIE"
// by another name).
inline constexpr std::array<const char*, 9> kHouseSystemNames = {
    "PLACIDO", "CASE_MEDIE", "CASE_UGUALI", "KOCH", "REGIOMONT", "PORFIRIO", "CAMPANO", "MORINO", "ALCABIZIO"};
bool isKnownHouseSystem(const std::string& name);

// Computes the cusps of the named system from the frame. Names not known
// give equal houses.
Cusps cuspsOfSystem(const std::string& system, const HouseFrame& frame);

// The house computation of the chart: fills cusp[1..12], mcRadians,
// ascRadians and localSiderealTime of `state` with the system named by
// state.houseSystem.
void computeHouses(ChartState& state, const HouseInput& in);

// Cusps of the systems beyond equal houses and Placidus.
Cusps kochCusps(const HouseFrame& frame);
Cusps regiomontanusCusps(const HouseFrame& frame);
Cusps porphyryCusps(const HouseFrame& frame);
Cusps campanusCusps(const HouseFrame& frame);
Cusps morinusCusps(const HouseFrame& frame);
Cusps alcabitiusCusps(const HouseFrame& frame);

} // namespace qv
