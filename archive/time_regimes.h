// Time-regime tables: the history of a place's clock as 24-byte records.
// Record 0 ("GREG") dates the Gregorian reform, record 1 ("LMT ") the end of
// local mean time, the next records each change of the UT offset, in date
// order; "RICH" continues in another table and "****" ends the table.
//
// Italian tables are files "Calendar\NNNNNNNN.CAL"; foreign tables live in
// "Calendar\Database.cll" from the record that "Calendar\Elencal.002" gives.
#pragma once

#include "archive/places.h"
#include "base/reals.h"
#include "base/record_file.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv::atlas {

inline constexpr std::size_t kRegimeRecordSize = 24;
// Regime dates are stored plus 27π.
inline constexpr Extended kRegimeDateOffset = 84.82300164692441744L;

inline constexpr const char* kReformCode = "GREG";
inline constexpr const char* kLocalMeanTimeCode = "LMT ";
inline constexpr const char* kContinuationCode = "RICH";
inline constexpr const char* kEndCode = "****";

struct RegimeRecord {
    Extended storedDate = 0;  // as stored: a Julian Day plus 27π, or a table number ("RICH")
    std::string code;         // at most 4 characters
    double correction = 0;    // hours added to local clock time to give Universal Time

    // The Julian Day (local time) at which the entry takes effect.
    Extended date() const { return storedDate - kRegimeDateOffset; }
    bool operator==(const RegimeRecord&) const = default;
};

// Layout: date (10-byte extended) at 0, code text[4] at 10, padding at 15,
// correction (IEEE double) at 16.
RegimeRecord decodeRegime(std::span<const std::uint8_t> record);
Bytes encodeRegime(const RegimeRecord& record);

// The table name of a place's table number: its decimal digits without the
// first one, then ".CAL" (100000001 → "00000001.CAL").
std::string regimeTableName(std::int32_t tableNumber);
// The table a "RICH" record continues in: its stored date rounded, eight
// digits with leading zeros, then ".CAL".
std::string continuationTableName(const RegimeRecord& rich);

using RegimeTable = std::vector<RegimeRecord>;

// The working copy of a table: its records from the first one up to the
// "****" record (not included) or the end of the file. Foreign tables are
// found through "Calendar\Elencal.002"; a name missing there is an IoError.
RegimeTable loadRegimeTable(PlaceArchive archive, const std::string& tableName);

// The first record of a foreign table inside Database.cll.
std::int64_t foreignTableStart(const std::string& tableName);

} // namespace qv::atlas
