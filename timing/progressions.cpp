#include "timing/progressions.h"

#include "ephemeris/angles.h"
#include "timing/body_positions.h"
#include "timing/roots.h"
#include "timing/transits.h"

#include <algorithm>
#include <cmath>

namespace qv::timing {

Progression progressTo(const ChartState& natal, Extended date, const std::string& nodeKind) {
    Progression p;
    p.date = date;
    p.progressedJd = natal.jd + (date - natal.jd) / kTropicalYear;
    for (int body = 1; body <= kTransitBodyCount; ++body) {
        BodyPositions positions(body, nodeKind);
        ProgressedBody pb;
        pb.body = body;
        pb.longitude = positions.longitude(p.progressedJd);
        const Extended speed = positions.speed(p.progressedJd);
        pb.retrograde = speed < 0;
        p.bodies.push_back(pb);
        for (int n = 1; n <= kNatalTargetCount; ++n) {
            const Extended natalLongitude = Norm360(natal.longitude[static_cast<std::size_t>(n)]);
            const Extended offset = halfTurn(pb.longitude - natalLongitude);
            for (int aspect : kMajorAspects) {
                const Extended distance = std::fabs(offset) - aspect;
                if (std::fabs(distance) > kProgressionOrb) continue;
                ProgressedAspect a;
                a.body = body;
                a.aspect = aspect;
                a.natal = n;
                a.natalLongitude = natalLongitude;
                a.orb = std::fabs(distance);
                // |offset| grows with the motion when the offset and the
                // speed have the same sign; it must grow when short of exact.
                const bool growing = (offset >= 0) == (speed >= 0);
                a.applying = (distance < 0) == growing;
                p.aspects.push_back(a);
            }
        }
    }
    std::stable_sort(p.aspects.begin(), p.aspects.end(),
                     [](const ProgressedAspect& a, const ProgressedAspect& b) { return a.orb < b.orb; });
    return p;
}

} // namespace qv::timing
