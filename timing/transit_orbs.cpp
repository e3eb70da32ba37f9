#include "timing/transit_orbs.h"

#include "ephemeris/chart_state.h"

namespace qv::timing {

const std::array<const char*, kBodyClassCount> kBodyClassNames = {"Luminari", "Personali", "Sociali", "Lenti",
                                                                    "Nodo"};

BodyClass bodyClassOf(int body) {
    switch (body) {
    case kSun: case kMoon: return BodyClass::Luminaries;
    case kMercury: case kVenus: case kMars: return BodyClass::Personal;
    case kJupiter: case kSaturn: return BodyClass::Social;
    case kEphemerisNode: return BodyClass::Node;
    default: return BodyClass::Slow;
    }
}

} // namespace qv::timing
