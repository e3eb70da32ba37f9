// The clock of a subject's birthplace: the place's time regimes when the
// atlas has exactly one place of that name, else the birth's own correction
// for every moment.
#pragma once

#include "base/reals.h"
#include "timing/local_clock.h"

#include <string>

namespace qv::timing {

// `place` as the subject shows it ("MILANO (MI)"), `nation` as recorded
// ("ITALIA" or empty for the Italian table, the state otherwise).
LocalClock birthplaceClock(const std::string& place, const std::string& nation, Extended corr);

} // namespace qv::timing

#include "archive/places.h"

#include <optional>

namespace qv::timing {

// A place of the atlas with its clock.
struct AtlasPlace {
    atlas::Place place;
    LocalClock clock = LocalClock::fixed(0);
};

// The one place of the atlas named `name` (the Italian table, or the foreign
// one with `foreign`, of `state` when given); none when no place or several
// places have that name. Reads the atlas (IoError when it cannot).
std::optional<AtlasPlace> atlasPlaceNamed(const std::string& name, bool foreign, const std::string& state);

} // namespace qv::timing
