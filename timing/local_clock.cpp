#include "timing/local_clock.h"

#include "archive/local_time_correction.h"
#include "archive/time_regimes.h"
#include "base/errors.h"

#include <algorithm>

namespace qv::timing {

namespace {

// The one table whose correction becomes −5 from a date on, as the atlas
// derivation has it.
const char* const kSpecialTable = "00920000.CAL";
constexpr Extended kSpecialTableFrom = 2433919.5L;
constexpr int kMaxContinuations = 32;

} // namespace

LocalClock LocalClock::fixed(Extended corr) {
    LocalClock c;
    c.initial_ = corr;
    c.description_ = "correzione fissa " + atlas::correctionText(corr);
    return c;
}

LocalClock LocalClock::ofPlace(atlas::PlaceArchive archive, const atlas::Place& place) {
    LocalClock c;
    const std::string firstTable = atlas::regimeTableName(place.tableNumber);
    c.description_ = "regimi orari di " + place.name + " (" + firstTable + ")";
    atlas::RegimeTable table = atlas::loadRegimeTable(archive, firstTable);
    if (table.size() < 2) throw ConversionError("Tabella dei regimi orari " + firstTable + " incompleta");
    const std::string coordinates = atlas::coordinatesText(place.latitude, place.longitude);

    // A regime record is dated on the clock of the regime before it: it
    // takes effect at that local time, that is at date + previous / 24 in
    // Universal Time. Up to the end of local mean time the clock is the
    // place's own mean time.
    // Each record's correction applies from its date on; before the first
    // one, the first regime, or the place's mean time where the table
    // begins with the end of local mean time.
    const bool meanTime = table[1].code == atlas::kLocalMeanTimeCode;
    c.initial_ = meanTime ? atlas::localMeanTimeCorrection(coordinates) : static_cast<Extended>(table[1].correction);
    Extended previous = c.initial_;
    std::string tableName = firstTable;
    int continuations = 0;
    for (std::size_t k = meanTime ? 1 : 2; k < table.size(); ++k) {
        const atlas::RegimeRecord& r = table[k];
        if (r.code == atlas::kContinuationCode) {
            if (++continuations > kMaxContinuations)
                throw ConversionError("Tabelle dei regimi orari concatenate in cerchio da " + firstTable);
            tableName = atlas::continuationTableName(r);
            table = atlas::loadRegimeTable(archive, tableName);
            k = 0;  // the walk goes on from record 1 of the next table
            continue;
        }
        c.changes_.push_back({r.date() + previous / 24.0L, r.correction});
        previous = r.correction;
    }
    if (firstTable == kSpecialTable) {
        std::erase_if(c.changes_, [](const Change& ch) { return ch.universalJd >= kSpecialTableFrom; });
        c.changes_.push_back({kSpecialTableFrom, -5.0L});
    }
    std::stable_sort(c.changes_.begin(), c.changes_.end(),
                     [](const Change& a, const Change& b) { return a.universalJd < b.universalJd; });
    if (c.changes_.empty()) c.changes_.push_back({-1e9L, c.initial_});
    return c;
}

Extended LocalClock::correctionAt(Extended universalJd) const {
    auto after = std::upper_bound(changes_.begin(), changes_.end(), universalJd,
                                  [](Extended t, const Change& ch) { return t < ch.universalJd; });
    if (after == changes_.begin()) return initial_;
    return std::prev(after)->correction;
}

} // namespace qv::timing
