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
