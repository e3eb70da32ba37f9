#include "timing/transits.h"

#include "ephemeris/angles.h"
#include "timing/body_positions.h"
#include "timing/longitude_track.h"
#include "timing/roots.h"

#include <algorithm>
#include <cmath>

namespace qv::timing {

const std::array<const char*, kNatalTargetCount + 1> kNatalTargetNames = {
    "", "Sole", "Luna", "Mercurio", "Venere", "Marte", "Giove", "Saturno", "NodoNord", "NodoSud", "Ascendente",
    "Medio Cielo"};

const char* aspectName(int degrees) {
    switch (degrees) {
    case 0: return "Congiunzione";
    case 60: return "Sestile";
    case 90: return "Quadratura";
    case 120: return "Trigono";
    case 180: return "Opposizione";
    default: return "";
    }
}

Extended searchMargin(int body) {
    switch (body) {
    case kSun: return 4;
    case kMoon: return 1;
    case kMercury: return 50;
    case kVenus: return 70;
    case kMars: return 120;
    case kJupiter: return 220;
    case kSaturn: return 300;
    case kEphemerisNode: return 60;
    default: return 700;
    }
}

namespace {

enum class EventKind { Enter, Leave, Exact };
struct Event {
    Extended jd;
    EventKind kind;
    int side;  // −1 the lower edge of the orb, +1 the upper one
};

// The crossings of one aspect point and of the two edges of its orb.
struct PointCrossings {
    std::vector<Crossing> exact, lower, upper;
};

// The events of one body over one aspect point, in time order.
std::vector<Event> eventsAt(const PointCrossings& crossings) {
    std::vector<Event> events;
    for (const Crossing& c : crossings.exact) events.push_back({c.jd, EventKind::Exact, 0});
    for (int side : {-1, 1})
        for (const Crossing& c : side < 0 ? crossings.lower : crossings.upper) {
            // Moving forward the body enters at the lower edge and leaves at the upper.
            const bool entering = c.forward == (side < 0);
            events.push_back({c.jd, entering ? EventKind::Enter : EventKind::Leave, side});
        }
    std::sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.jd < b.jd; });
    return events;
}

// The contacts of one body over one aspect point along its track.
std::vector<Contact> contactsAt(const LongitudeTrack& track, const Contact& model, const PointCrossings& crossings) {
    std::vector<Contact> out;
    const auto& first = track.samples().front();
    bool inside = std::fabs(halfTurn(first.longitude - model.point)) <= model.orb;
    std::optional<Contact> current;
    if (inside) {
        current = model;
        current->sortKey = first.jd;
    }
    int leftSide = 0;  // the side of the last leave of `current`, while it is out of orb
    for (const Event& e : eventsAt(crossings)) {
        switch (e.kind) {
        case EventKind::Exact:
            if (current) current->exact.push_back(e.jd);
            break;
        case EventKind::Leave:
            if (current) {
                current->leave = e.jd;
                leftSide = e.side;
            }
            inside = false;
            break;
        case EventKind::Enter:
            if (current && current->leave && leftSide == e.side) {
                // Back through the side it left by: the body turned, same passage.
                current->outOfOrb.emplace_back(*current->leave, e.jd);
                current->leave.reset();
            } else {
                if (current) out.push_back(*current);
                current = model;
                current->enter = e.jd;
                current->sortKey = e.jd;
            }
            inside = true;
            break;
        }
    }
    if (current) out.push_back(*current);
    return out;
}

} // namespace

std::vector<Contact> findTransits(const ChartState& natal, const TransitQuery& q, PositionSource source) {
    std::vector<int> bodies = q.bodies;
    if (bodies.empty())
        for (int b = 1; b <= kTransitBodyCount; ++b) bodies.push_back(b);
    std::vector<Contact> all;
    for (int body : bodies) {
        const std::unique_ptr<BodyPositions> positions =
            source ? source(body, q.nodeKind) : std::make_unique<BodyPositions>(body, q.nodeKind);
        const Extended margin = searchMargin(body);
        const LongitudeTrack track(*positions, q.from - margin, q.to + margin);
        std::vector<Contact> models;
        std::vector<Extended> levels;
        for (int n = 1; n <= kNatalTargetCount; ++n) {
            const Extended natalLongitude = Norm360(natal.longitude[static_cast<std::size_t>(n)]);
            for (int aspect : kMajorAspects) {
                for (int side : {1, -1}) {
                    if (side < 0 && (aspect == 0 || aspect == 180)) continue;
                    Contact model;
                    model.body = body;
                    model.aspect = aspect;
                    model.natal = n;
                    model.natalLongitude = natalLongitude;
                    model.point = Norm360(natalLongitude + side * aspect);
                    model.orb = q.orbs.of(body);
                    models.push_back(model);
                    for (int edge : {0, -1, 1}) levels.push_back(Norm360(model.point + edge * model.orb));
                }
            }
        }
        const auto crossings = track.crossings(levels);
        for (std::size_t m = 0; m < models.size(); ++m) {
            const PointCrossings pc{crossings[3 * m], crossings[3 * m + 1], crossings[3 * m + 2]};
            for (Contact& c : contactsAt(track, models[m], pc)) {
                const bool before = c.leave && *c.leave < q.from;
                const bool after = c.enter && *c.enter > q.to;
                if (!before && !after) all.push_back(std::move(c));
            }
        }
    }
    std::stable_sort(all.begin(), all.end(), [](const Contact& a, const Contact& b) { return a.sortKey < b.sortKey; });
    return all;
}

} // namespace qv::timing
