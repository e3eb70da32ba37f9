// The total time correction and the calendar of a birth at a place, derived
// from the place's time-regime table. Returns values and the lines of the
// regime log; shows nothing.
#pragma once

#include "archive/places.h"
#include "base/reals.h"

#include <optional>
#include <string>
#include <vector>

namespace qv::atlas {

// The local civil date and time as typed.
struct BirthMoment {
    int day = 0, month = 0, year = 0, hour = 0, minute = 0;
};

// Which field of a typed date fails its range check (day 1-31, month 1-12,
// year 0-2080, hour 0-23, minutes 0-59), in that order; None when all pass.
enum class DateField { None, Day, Month, Year, Hour, Minute };
DateField invalidDateField(const BirthMoment& moment);

// How the typed clock time relates to the change of regime nearest to it.
enum class ClockAnomaly {
    None,
    Repeated,  // the clock went back and showed this time twice: the earlier one is taken
    Skipped,   // the clock jumped forward over this time: the regime after the jump is taken
};

struct Derivation {
    std::string tableName;        // the place's table ("00000001.CAL")
    bool gregorian = true;
    std::string calendar;         // "GREG" or "GIUL"
    bool localMeanTime = false;   // the "Usa Ora Locale" box
    Extended correction = 0;      // hours: Universal Time = local clock time + correction
    std::string correctionText;   // "+1", "-2", "-0.612222222222222"
    std::string regimeCode;       // code of the regime in force ("LMT " for local mean time)
    Extended localJd = 0;         // Julian Day of the local date and time, in `calendar`
    Extended universalJd = 0;     // localJd + correction / 24
    std::string universalJdText;  // 11 significant digits
    std::string extendedDate;     // "domenica 4 giugno 1916, ore 10:30"
    std::string placeName, state, coordinates;
    bool regimesNotUpdated = false;  // "REGIMI ORARI NON AGGIORNATI"
    ClockAnomaly anomaly = ClockAnomaly::None;
    std::vector<std::string> log;    // the regime log
};

// The year after which the Italian regimes are extrapolated from the last
// known rule (the time-zone data the tables were built from).
inline constexpr int kRegimesKnownThroughYear = 2025;

// Derives correction and calendar for `place` of `archive` at the local
// `moment` (which must pass invalidDateField). `reformSetting` is line 4 of
// the display settings: with 1, every date after 15 October 1582 is
// Gregorian. `chosenGregorian`, when given, is the calendar the user chose
// for the typed date; it replaces the one the reform gives. Reads the
// regime tables of the data directory (IoError, ConversionError on missing
// or corrupt tables).
Derivation deriveCorrection(PlaceArchive archive, const Place& place, const BirthMoment& moment,
                            int reformSetting, std::optional<bool> chosenGregorian = std::nullopt);

// "domenica 4 giugno 1916, ore 10:30": the civil date of a Julian Day in the
// given calendar, with its weekday.
std::string extendedDateText(Extended jd, bool gregorian);

} // namespace qv::atlas
