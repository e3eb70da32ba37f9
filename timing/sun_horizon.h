// Sunrise and sunset at a place, from the program's Sun.
//
// The horizon convention is the usual civil one: the Sun rises or sets
// when its upper limb touches the horizon seen through standard refraction,
// that is when the centre stands 50' below the geometric horizon (34' of
// refraction and 16' of semi-diameter), at sea level.
//
// The day of a date is the turn of the Sun around its upper culmination
// nearest to local mean noon of that date: the rising is looked for between
// the lower culmination before it and the noon culmination, the setting
// between that and the next lower culmination. In each stretch the Sun's
// altitude moves one way only, so a bracketed root finds the moment, or the
// altitudes at its ends say plainly that the Sun stays above or below the
// horizon (polar day or night).
#pragma once

#include "base/reals.h"

#include <optional>

namespace qv::timing {

inline constexpr Extended kRiseSetAltitude = -50.0L / 60.0L;

// A place: latitude north positive, longitude east positive, degrees.
struct GeoPlace {
    Extended latitude = 0;
    Extended longitude = 0;
};

// The Sun's altitude above the geometric horizon, degrees, at a moment of
// Universal Time.
Extended sunAltitude(const GeoPlace& place, Extended jd);

enum class SunDay {
    RisesAndSets,
    AlwaysAbove,   // polar day: the Sun does not set
    AlwaysBelow,   // polar night: the Sun does not rise
    RisesOnly,     // near a polar circle: it rises but does not set that day
    SetsOnly,
};

struct SunTimes {
    SunDay kind = SunDay::RisesAndSets;
    std::optional<Extended> sunrise, sunset;  // Universal Time
    Extended noon = 0;                        // upper culmination
};

// The sunrise and sunset of a date at a place; `dateJd` is the Julian Day
// of the date at 0h (a whole day plus a half).
SunTimes sunTimes(const GeoPlace& place, Extended dateJd);

} // namespace qv::timing
