#include "timing/body_positions.h"

#include "ephemeris/angles.h"
#include "ephemeris/bodies.h"
#include "ephemeris/fundamental_arguments.h"
#include "ephemeris/sun_moon.h"
#include "timing/roots.h"

#include <cmath>

namespace qv::timing {

const std::array<const char*, kTransitBodyCount + 1> kTransitBodyNames = {
    "", "Sole", "Luna", "Mercurio", "Venere", "Marte", "Giove", "Saturno", "Urano", "Nettuno", "Plutone",
    "Nodo Nord"};

namespace {

std::string squeezed(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return out;
}

} // namespace

std::optional<int> transitBodyNamed(const std::string& name) {
    const std::string key = squeezed(name);
    for (int k = 1; k <= kTransitBodyCount; ++k)
        if (squeezed(kTransitBodyNames[static_cast<std::size_t>(k)]) == key) return k;
    if (key == "nodo") return kEphemerisNode;
    return std::nullopt;
}

BodyPositions::BodyPositions(int body, const std::string& nodeKind) : body_(body) {
    state_.nodeKind = nodeKind;
    state_.blackMoonKind = "MEDIA";
}

Extended BodyPositions::computeLongitude(Extended jd) {
    // The Sun and the Moon need nothing of the other bodies: their series
    // alone, as the full pass computes them (the Moon without its latitude).
    if (body_ == kSun || body_ == kMoon) {
        const FundamentalArgs fa = FundamentalArguments(jd);
        return Norm360(body_ == kSun ? sunPosition(fa).longitude : moonPosition(fa, true, false).longitude);
    }
    computeBodiesOnce(state_, body_, jd, false);
    return Norm360(state_.longitude[static_cast<std::size_t>(body_)]);
}

Extended BodyPositions::speed(Extended jd) {
    constexpr Extended h = 1.0L / 192.0L;
    return halfTurn(longitude(jd + h) - longitude(jd - h)) / (2 * h);
}

bool BodyPositions::turns() const {
    if (body_ == kSun || body_ == kMoon) return false;
    return body_ != kEphemerisNode || state_.nodeKind == "VERO";
}

Extended BodyPositions::samplingStep() const {
    // The shortest time between two stations: Mercury's retrograde weeks
    // (about 21 days), Mars's (about 60), the months of the others; the true
    // node turns within days. A step is a fraction of that, and the cubic
    // through four samples still places a root to seconds before its
    // Newton step.
    switch (body_) {
    case kSun: return 4.0L;
    case kMoon: return 0.5L;
    case kMercury: case kVenus: return 2.0L;
    case kMars: return 4.0L;
    case kJupiter: return 8.0L;
    case kEphemerisNode: return state_.nodeKind == "VERO" ? 0.5L : 10.0L;
    default: return 10.0L;
    }
}

} // namespace qv::timing
