// Transits to the natal chart over a period: for each moving body, each
// natal point of the traditional chart and each of the five major aspects,
// the contacts in orb with the moment each begins, its exact moments and
// the moment it ends, all found by root finding on the ephemeris.
//
// A contact is one passage of a body over an aspect point: from the moment
// it enters the orb to the moment it leaves it for good. A body that turns
// (retrograde) may leave the orb and come back through the same side before
// it has passed; that is still the same passage, so the contact keeps the
// stretches out of orb and gathers up to three exact moments.
#pragma once

#include "base/reals.h"
#include "ephemeris/chart_state.h"
#include "timing/body_positions.h"
#include "timing/transit_orbs.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qv::timing {

// The five major aspects, in degrees, and their names.
inline constexpr std::array<int, 5> kMajorAspects = {0, 60, 90, 120, 180};
const char* aspectName(int degrees);

// The natal targets: points 1–11 of the traditional chart ("Sole" …
// "Saturno", "NodoNord", "NodoSud", "Ascendente", "Medio Cielo").
inline constexpr int kNatalTargetCount = 11;
extern const std::array<const char*, kNatalTargetCount + 1> kNatalTargetNames;

struct Contact {
    int body = 0;                 // 1–11, as kTransitBodyNames
    int aspect = 0;               // 0, 60, 90, 120, 180
    int natal = 0;                // 1–11, as kNatalTargetNames
    Extended natalLongitude = 0;
    Extended point = 0;           // where the aspect is exact: natal longitude ± aspect
    Extended orb = 0;
    std::optional<Extended> enter;  // none when already in orb before the search reaches back
    std::vector<Extended> exact;    // in time order; empty when the body turned back short of it
    std::optional<Extended> leave;  // none when still in orb after the search reaches forward
    std::vector<std::pair<Extended, Extended>> outOfOrb;  // left and came back through the same side
    Extended sortKey = 0;           // enter, or the start of the search
};

struct TransitQuery {
    Extended from = 0, to = 0;     // Universal Time Julian Days
    std::vector<int> bodies;       // 1–11; empty means all
    std::string nodeKind = "MEDIO";
    TransitOrbs orbs;
};

// The contacts that are in orb at some moment of [from, to], sorted by
// their beginning. `natal` holds the chart in the traditional layout.
// `source` makes the bodies' positions (the program's ephemeris when none).
std::vector<Contact> findTransits(const ChartState& natal, const TransitQuery& query,
                                  PositionSource source = nullptr);

// How far before and after the period each body is followed, in days, so
// that contacts begun before it or ending after it are found whole.
Extended searchMargin(int body);

} // namespace qv::timing
