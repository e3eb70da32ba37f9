// The chart computation of the current subject: from record 0 of TMPR and
// the settings in force to the whole chart state in the traditional layout,
// with the texts the main window shows for the subject.
#pragma once

#include "archive/archive_records.h"
#include "base/reals.h"
#include "ephemeris/chart_state.h"
#include "ephemeris/chart_steps.h"

#include <array>
#include <string>

namespace qv {

// The subject box of the main window, and its annotations box.
struct SubjectTexts {
    std::string name;         // the first 38 characters of TMPR.ST1's text
    std::string birth;        // "Nascita dd/mm/yyyy hh:mm  Correz. " + zoneText
    std::string place;        // "Località: " + place name (display transform)
    std::string nation;       // "Nazionalità: " + nation
    std::string coordinates;  // "Coordinate: " + the 12 characters
    std::string calendar;     // "Calendario GREGORIANO" or "Calendario GIULIANO"
    std::string annotations;  // the first line of FileDum\Annotaz.dum
};

struct ComputedChart {
    SubjectTexts texts;
    DecodedBirth birth;
    std::string reserved1, reserved2;  // the birth record's reserved fields, as loaded
    // Which points 1–22 moved backwards, as the ephemeris told it.
    MotionFlags moved{};
    // Points 1–19 as the ephemeris left them (8 Uranus, 9 Neptune, 10 Pluto,
    // 11 the node), absolute, before the traditional layout.
    std::array<Extended, 20> ephemerisLongitude{};
    std::array<Extended, 20> ephemerisLatitude{};
};

enum class HouseCalls {
    Single,          // the main window: one equal-house call
    PlacidusFirst,   // the chart analysis window: a "PLACIDO" call, then the equal houses
};

// Fills the chart state of the process from the current subject. The node
// and Black Moon kinds are those in force (loaded from the settings file
// first when nothing is loaded yet); the houses are always "CASE_MEDIE".
// A missing or short TMPR.ST1, TMPR.ST2 or FileDum\Annotaz.dum raises
// IoError, a date, Corr or coordinate that does not read ConversionError;
// both before the chart state is touched.
ComputedChart computeChart(HouseCalls calls = HouseCalls::Single);

// The zone shown beside the birth time: "+" and Corr in 4 characters when
// −Corr ≥ 0, "-" and the same 4 characters otherwise (Corr −1 gives +1.00).
std::string zoneTextOf(Extended corr);
// "JD=" and the first 12 characters of the Julian Day's decimal text.
std::string jdTextOf(Extended jd);

} // namespace qv
