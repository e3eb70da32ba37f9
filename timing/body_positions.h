// The bodies that move over a natal chart, by their ephemeris numbers
// (1 Sole … 7 Saturno, 8 Urano, 9 Nettuno, 10 Plutone, 11 the lunar node,
// mean or true by the chart's setting), and their longitudes at any moment
// from the program's own ephemeris.
#pragma once

#include "base/reals.h"
#include "ephemeris/cached_tables.h"
#include "ephemeris/chart_state.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qv::timing {

inline constexpr int kTransitBodyCount = 11;

// "Sole" … "Plutone", "Nodo Nord" (index 0 unused).
extern const std::array<const char*, kTransitBodyCount + 1> kTransitBodyNames;

// The body numbered by an Italian name, any case ("venere", "Nodo Nord",
// "NodoNord"); empty when none.
std::optional<int> transitBodyNamed(const std::string& name);

// Longitudes of one body: one pass of the ephemeris per moment, with the
// correction tables checked once for the whole search.
class BodyPositions {
public:
    // `nodeKind` "VERO" or "MEDIO", as the chart has it.
    BodyPositions(int body, const std::string& nodeKind);
    virtual ~BodyPositions() = default;
    int body() const { return body_; }
    // Apparent ecliptic longitude at `jd` (Universal Time), in [0, 360).
    Extended longitude(Extended jd) { return computeLongitude(jd); }
    // Degrees per day, from a difference a quarter of an hour wide.
    Extended speed(Extended jd);
    // Whether the body ever stands still and turns back (not the Sun, the
    // Moon or the mean node).
    bool turns() const;
    // A sampling step in days that lets at most one station fall between
    // two samples and keeps every step well under a half turn.
    Extended samplingStep() const;

protected:
    // The program's ephemeris; a benchmark puts another in its place to
    // time the same search on it.
    virtual Extended computeLongitude(Extended jd);

private:
    int body_;
    ChartState state_;
    TableCheckScope tables_;
};

// Makes the positions of a body (1–11) with the given node kind.
using PositionSource = std::unique_ptr<BodyPositions> (*)(int body, const std::string& nodeKind);

} // namespace qv::timing
