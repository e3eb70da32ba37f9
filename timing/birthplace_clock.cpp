#include "timing/birthplace_clock.h"

#include "archive/archive_records.h"
#include "archive/place_lookup.h"

#include <exception>

namespace qv::timing {

LocalClock birthplaceClock(const std::string& place, const std::string& nation, Extended corr) {
    try {
        const atlas::PlaceArchive archive = atlas::placeArchiveOfNation(trimSpaces(nation));
        const atlas::PlaceTable table(archive);
        const auto places =
            atlas::placesNamed(table, trimSpaces(place), archive == atlas::PlaceArchive::Estero ? trimSpaces(nation) : "");
        if (places.size() == 1) return LocalClock::ofPlace(archive, places.front());
    } catch (const std::exception&) {
        // An atlas that cannot be read tells nothing: the birth's own
        // correction stands, and the clock says so in its description.
    }
    return LocalClock::fixed(corr);
}

} // namespace qv::timing

namespace qv::timing {

std::optional<AtlasPlace> atlasPlaceNamed(const std::string& name, bool foreign, const std::string& state) {
    const atlas::PlaceArchive archive = foreign ? atlas::PlaceArchive::Estero : atlas::PlaceArchive::Italia;
    const atlas::PlaceTable table(archive);
    const auto places = atlas::placesNamed(table, trimSpaces(name), trimSpaces(state));
    if (places.size() != 1) return std::nullopt;
    return AtlasPlace{places.front(), LocalClock::ofPlace(archive, places.front())};
}

} // namespace qv::timing
