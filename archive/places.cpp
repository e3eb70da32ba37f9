#include "archive/places.h"

#include "base/data_dir.h"
#include "base/errors.h"
#include "base/text_field.h"

#include <algorithm>
#include <cstring>

namespace qv::atlas {

namespace {

constexpr std::size_t kNameOffset = 0, kNameWidth = 31;
constexpr std::size_t kLatitudeOffset = 32;
constexpr std::size_t kLongitudeOffset = 48;
constexpr std::size_t kTableOffset = 60;
constexpr std::size_t kStateOffset = 64, kStateWidth = 23;

} // namespace

Place decodePlace(std::span<const std::uint8_t> record) {
    if (record.size() != kPlaceRecordSize) throw ConversionError("Record di localit\xE0 di lunghezza errata");
    Place p;
    p.name = readTextField(record, kNameOffset, kNameWidth);
    p.latitude = decodeExtended10(record.subspan<kLatitudeOffset, 10>());
    p.longitude = decodeExtended10(record.subspan<kLongitudeOffset, 10>());
    std::uint32_t raw = 0;
    for (int i = 3; i >= 0; --i) raw = (raw << 8) | record[kTableOffset + static_cast<std::size_t>(i)];
    p.tableNumber = static_cast<std::int32_t>(raw);
    p.state = readTextField(record, kStateOffset, kStateWidth);
    return p;
}

Bytes encodePlace(const Place& place) {
    Bytes out(kPlaceRecordSize, 0);
    std::span<std::uint8_t> r(out);
    writeTextField(r, kNameOffset, kNameWidth, place.name);
    const auto lat = encodeExtended10(place.latitude);
    const auto lon = encodeExtended10(place.longitude);
    std::copy(lat.begin(), lat.end(), out.begin() + kLatitudeOffset);
    std::copy(lon.begin(), lon.end(), out.begin() + kLongitudeOffset);
    const auto raw = static_cast<std::uint32_t>(place.tableNumber);
    for (std::size_t i = 0; i < 4; ++i) out[kTableOffset + i] = static_cast<std::uint8_t>(raw >> (8 * i));
    writeTextField(r, kStateOffset, kStateWidth, place.state);
    return out;
}

std::string placeTablePath(PlaceArchive archive) {
    return archive == PlaceArchive::Italia ? "Localita\\ITALIA.LOC" : "Localita\\ESTERO.LOC";
}

PlaceTable::PlaceTable(PlaceArchive archive)
    : archive_(archive),
      file_(dataDir().resolve(placeTablePath(archive)), kPlaceRecordSize, RecordFile::Mode::ReadOnly,
            placeTablePath(archive)) {
    count_ = std::max<std::int64_t>(file_.count() - 1, 0);
}

Place PlaceTable::read(std::int64_t k) const {
    if (k < 0 || k > count_)
        throw IoError(file_.shownName(), "record " + std::to_string(k) + " oltre la fine del file");
    return decodePlace(file_.read(k));
}

} // namespace qv::atlas
