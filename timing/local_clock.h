// The clock of a place: from a moment in Universal Time to the local clock
// time, through the place's time regimes in the atlas (local mean time,
// standard time, summer time as each regime record dates it), or through
// one fixed correction where no place is known.
#pragma once

#include "archive/places.h"
#include "base/reals.h"

#include <string>
#include <vector>

namespace qv::timing {

class LocalClock {
public:
    // One correction for every moment (hours: Universal Time = clock + corr).
    static LocalClock fixed(Extended corr);
    // The regimes of a place of the atlas (reads its regime tables, raises
    // IoError or ConversionError as the atlas does).
    static LocalClock ofPlace(atlas::PlaceArchive archive, const atlas::Place& place);

    // The correction in force at a moment of Universal Time, hours.
    Extended correctionAt(Extended universalJd) const;
    // The local clock time of a moment, as a Julian Day.
    Extended localJd(Extended universalJd) const { return universalJd - correctionAt(universalJd) / 24.0L; }
    // "regimi orari di MILANO (00000001.CAL)" or "correzione fissa -1".
    const std::string& description() const { return description_; }
    bool fromAtlas() const { return !changes_.empty(); }

private:
    struct Change {
        Extended universalJd;  // the first moment of the new regime
        Extended correction;
    };
    Extended initial_ = 0;          // before the first change
    std::vector<Change> changes_;   // in time order
    std::string description_;
};

} // namespace qv::timing
