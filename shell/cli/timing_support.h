// What the timing commands (transits, return, progressions, calendar)
// share: the natal chart from the current subject or from birth options,
// the clock of the place that turns moments into local time, dates typed
// as GG/MM/AAAA, and the texts of moments.
#pragma once

#include "ephemeris/chart_state.h"
#include "ephemeris/chart_steps.h"
#include "shell/cli/cli_support.h"
#include "timing/local_clock.h"

#include <optional>
#include <ostream>
#include <string>

namespace qv::cli {

// The birth options every timing command takes beside --current.
inline const std::vector<std::string> kTimingBirthOptions = {"--date", "--time", "--corr", "--coords", "--calendar",
                                                       "--houses", "--node", "--black-moon", "--place", "--state"};

struct NatalChart {
    ChartState chart;            // the traditional layout
    ChartState ephemeris;        // points as the ephemeris leaves them (for the return)
    MotionFlags moved{};
    BirthData birth;
    timing::LocalClock clock = timing::LocalClock::fixed(0);
    std::string name;            // the subject's name, for --current
};

// The chart of --current (the current subject, the settings in force) or
// of the birth options; the data directory is opened first. The clock is
// that of the birthplace in the atlas when it is found there (--place with
// the birth options, with --estero and --state for a foreign one), else the
// birth's own correction for every moment.
NatalChart natalChartFromOptions(const Arguments& a);

// The clock of a place named by --place (--estero, --state) when given.
std::optional<timing::LocalClock> placeClockFromOptions(const Arguments& a, BirthData* coordinates = nullptr);

// A date typed GG/MM/AAAA, checked; the Julian Day of its 0h.
Extended dateOption(const Arguments& a, const std::string& option);

// "dd/mm/yyyy hh:mm:ss" of a Julian Day (Gregorian).
std::string momentText(Extended jd);
// The local clock time of a Universal Time moment: "dd/mm/yyyy hh:mm".
std::string localText(const timing::LocalClock& clock, Extended jd);
// A JSON number or null.
std::string jsonMoment(const std::optional<Extended>& jd);

} // namespace qv::cli
