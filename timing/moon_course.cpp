#include "timing/moon_course.h"

#include "ephemeris/angles.h"
#include "ephemeris/chart_state.h"
#include "timing/longitude_track.h"
#include "timing/roots.h"

#include <algorithm>
#include <cmath>

namespace qv::timing {

const char* moonPhaseName(Extended elongation) {
    static const char* const names[8] = {"Luna nuova",  "Luna crescente",  "Primo quarto",  "Gibbosa crescente",
                                         "Luna piena",  "Gibbosa calante", "Ultimo quarto", "Luna calante"};
    const int octant = static_cast<int>(std::floor(Norm360(elongation + 22.5L) / 45.0L)) % 8;
    return names[octant];
}

namespace {

constexpr int kAspectPlanets[] = {kSun, kMercury, kVenus, kMars, kJupiter, kSaturn};
constexpr Extended kStep = 0.25L;  // days; the Moon gains at most ~4° a step on any planet

} // namespace

MoonCourse::MoonCourse(Extended from, Extended to)
    : moon_(std::make_unique<BodyPositions>(kMoon, "MEDIO")), sun_(std::make_unique<BodyPositions>(kSun, "MEDIO")) {
    // Far enough back to see the ingress before the period, and the aspects
    // of the sign the Moon is in when it begins.
    const Extended a = from - 3.0L, b = to + 3.0L;
    const LongitudeTrack track(*moon_, a, b);
    for (int s = 0; s < 12; ++s)
        for (const Crossing& c : track.crossings(30.0L * s)) ingresses_.push_back(c.jd);
    std::sort(ingresses_.begin(), ingresses_.end());
    for (Extended t : ingresses_) ingressSigns_.push_back(signOf(Norm360(moon_->longitude(t) + 1e-7L)));

    // Exact aspects: the Moon's angle from each planet, which always grows.
    std::vector<Extended> aspects;
    // New and full Moons: the elongation, which always grows, passing 0° and 180°.
    {
        auto elongationAt = [&](Extended t) { return elongation(t); };
        Extended t0 = a, e0 = elongationAt(a);
        while (t0 < b) {
            const Extended t1 = std::min(b, t0 + 1.0L);
            const Extended e1 = elongationAt(t1);
            for (int target : {0, 180}) {
                const Extended u0 = halfTurn(e0 - target), u1 = u0 + halfTurn(e1 - e0);
                if ((u0 < 0 && u1 >= 0) || (u0 > 0 && u1 <= 0)) {
                    auto f = [&](Extended t) { return halfTurn(elongationAt(t) - target); };
                    syzygies_.emplace_back(bracketedRoot(f, t0, t1, u0, u1), target == 0);
                }
            }
            t0 = t1;
            e0 = e1;
        }
        std::sort(syzygies_.begin(), syzygies_.end());
    }

    for (int planet : kAspectPlanets) {
        BodyPositions other(planet, "MEDIO");
        auto angle = [&](Extended t) { return Norm360(moon_->longitude(t) - other.longitude(t)); };
        Extended t0 = a, r0 = angle(a);
        while (t0 < b) {
            const Extended t1 = std::min(b, t0 + kStep);
            const Extended r1 = angle(t1);
            const Extended gain = halfTurn(r1 - r0);
            for (int degrees : {0, 60, 90, 120, 180, 240, 270, 300}) {
                const Extended u0 = halfTurn(r0 - degrees), u1 = u0 + gain;
                if ((u0 < 0 && u1 >= 0) || (u0 > 0 && u1 <= 0)) {
                    auto f = [&](Extended t) { return halfTurn(angle(t) - degrees); };
                    aspects.push_back(bracketedRoot(f, t0, t1, u0, u1));
                }
            }
            t0 = t1;
            r0 = r1;
        }
    }
    std::sort(aspects.begin(), aspects.end());

    for (std::size_t i = 1; i < ingresses_.size(); ++i) {
        const Extended begin = ingresses_[i - 1], end = ingresses_[i];
        auto last = std::lower_bound(aspects.begin(), aspects.end(), end);
        Extended start = begin;
        if (last != aspects.begin() && *std::prev(last) >= begin) start = *std::prev(last);
        voids_.push_back({start, end, signOf(Norm360(moon_->longitude((begin + end) / 2)))});
    }
}

Extended MoonCourse::longitude(Extended jd) { return moon_->longitude(jd); }

Extended MoonCourse::elongation(Extended jd) { return Norm360(moon_->longitude(jd) - sun_->longitude(jd)); }

int MoonCourse::sign(Extended jd) {
    // Inside the period the ingresses say it without computing the Moon.
    const auto after = std::upper_bound(ingresses_.begin(), ingresses_.end(), jd);
    if (after != ingresses_.begin() && after != ingresses_.end())
        return ingressSigns_[static_cast<std::size_t>(std::prev(after) - ingresses_.begin())];
    return signOf(moon_->longitude(jd));
}

bool MoonCourse::waxingAt(Extended jd) {
    const auto after = std::upper_bound(syzygies_.begin(), syzygies_.end(), std::make_pair(jd, true));
    if (after != syzygies_.begin() && after != syzygies_.end()) return std::prev(after)->second;
    return waxing(elongation(jd));
}

bool MoonCourse::voidWithin(Extended a, Extended b) const {
    for (const VoidSpan& v : voids_)
        if (v.start < b && v.end > a) return true;
    return false;
}

} // namespace qv::timing
