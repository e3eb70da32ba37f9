// The place tables: "Localita\ITALIA.LOC" (Italian municipalities) and
// "Localita\ESTERO.LOC" (foreign places), files of 88-byte records sorted by
// name. Record 0 is a header; the places are records 1 to count().
#pragma once

#include "base/reals.h"
#include "base/record_file.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace qv::atlas {

inline constexpr std::size_t kPlaceRecordSize = 88;

enum class PlaceArchive { Italia, Estero };

// Name, coordinates, time-regime table number and state of a place.
struct Place {
    std::string name;          // upper case, at most 31 characters
    Extended latitude = 0;     // degrees, north positive
    Extended longitude = 0;    // degrees, east positive
    std::int32_t tableNumber = 0;
    std::string state;         // at most 23 characters

    bool operator==(const Place&) const = default;
};

// Record layout: name text[31] at 0, latitude (10-byte extended) at 32,
// longitude at 48, table number (32-bit signed) at 60, state text[23] at 64;
// bytes 42-47 and 58-59 are padding.
Place decodePlace(std::span<const std::uint8_t> record);
Bytes encodePlace(const Place& place);

// "Localita\ITALIA.LOC" or "Localita\ESTERO.LOC".
std::string placeTablePath(PlaceArchive archive);

// One place table of the data directory, open for reading.
class PlaceTable {
public:
    explicit PlaceTable(PlaceArchive archive);
    PlaceArchive archive() const { return archive_; }
    // Number of places (records 1..count()); the header record is not counted.
    std::int64_t count() const { return count_; }
    // Record k, 0 (the header) to count(); other numbers raise IoError.
    Place read(std::int64_t k) const;

private:
    PlaceArchive archive_;
    RecordFile file_;
    std::int64_t count_ = 0;
};

} // namespace qv::atlas
