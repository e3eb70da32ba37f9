// The Moon's course over a period: its sign, its phase, and where it is void
// of course.
//
// The Moon is void of course from its last exact major aspect (conjunction,
// sextile, square, trine, opposition) to one of the traditional planets
// (Sole, Mercurio, Venere, Marte, Giove, Saturno) until it enters the next
// sign. The traditional bodies are the ones the spagyric hours are ruled
// by; the slow planets are left out, as in the tradition the hours come
// from.
#pragma once

#include "base/reals.h"
#include "timing/body_positions.h"

#include <memory>
#include <utility>
#include <string>
#include <vector>

namespace qv::timing {

// "Luna nuova", "Luna crescente", "Primo quarto", "Gibbosa crescente",
// "Luna piena", "Gibbosa calante", "Ultimo quarto", "Luna calante": eighths
// of the Moon's elongation from the Sun, each centred on its phase.
const char* moonPhaseName(Extended elongation);
// Waxing between new and full Moon: elongation in (0°, 180°).
inline bool waxing(Extended elongation) { return elongation > 0 && elongation < 180; }

struct VoidSpan {
    Extended start = 0, end = 0;  // Universal Time; end is the next sign's ingress
    int sign = 0;                 // the sign the Moon is leaving, 1–12
};

class MoonCourse {
public:
    // Follows the Moon over [from, to] and a few days either side.
    MoonCourse(Extended from, Extended to);
    Extended longitude(Extended jd);
    // The Moon's longitude minus the Sun's, in [0, 360).
    Extended elongation(Extended jd);
    int sign(Extended jd);
    // Whether the Moon waxes at a moment of the period: the last new or
    // full Moon before it was new.
    bool waxingAt(Extended jd);
    // The moments the Moon enters a sign, in time order.
    const std::vector<Extended>& ingresses() const { return ingresses_; }
    // The void stretches, in time order.
    const std::vector<VoidSpan>& voids() const { return voids_; }
    // Whether [a, b] meets a void stretch.
    bool voidWithin(Extended a, Extended b) const;

private:
    std::unique_ptr<BodyPositions> moon_, sun_;
    std::vector<Extended> ingresses_;
    std::vector<int> ingressSigns_;           // the sign entered at each ingress
    std::vector<std::pair<Extended, bool>> syzygies_;  // new (true) and full Moons
    std::vector<VoidSpan> voids_;
};

} // namespace qv::timing
