// The apparent longitude of the Sun and the longitude and latitude of the
// Moon from classical analytic series.
#pragma once

#include "base/reals.h"
#include "ephemeris/chart_state.h"
#include "ephemeris/fundamental_arguments.h"

namespace qv {

struct EclipticPosition {
    Extended longitude = 0;
    Extended latitude = 0;
};

// Sun: Keplerian orbit with long-period, planetary and lunar terms,
// nutation and aberration.
EclipticPosition sunPosition(const FundamentalArgs& fa);

// Moon: 69 terms in longitude, the argument of latitude, a short latitude
// formula; the table correction of DSEL.rnd applies strictly inside
// (1721422.5, 2499373.5) when `useTable` is set. Without `withLatitude`
// only the longitude is computed (the latitude is left 0).
EclipticPosition moonPosition(const FundamentalArgs& fa, bool useTable = true, bool withLatitude = true);

} // namespace qv
