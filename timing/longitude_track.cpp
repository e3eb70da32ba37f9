#include "timing/longitude_track.h"

#include "timing/roots.h"

#include <cmath>

namespace qv::timing {

namespace {

// The sign of the motion from one sample to the next.
int direction(const TrackSample& a, const TrackSample& b) {
    const Extended d = halfTurn(b.longitude - a.longitude);
    return d > 0 ? 1 : (d < 0 ? -1 : 0);
}

} // namespace

LongitudeTrack::LongitudeTrack(BodyPositions& body, Extended from, Extended to) : body_(body) {
    const Extended step = body.samplingStep();
    const long n = std::max(1L, static_cast<long>(std::ceil(static_cast<double>((to - from) / step))));
    std::vector<TrackSample> grid;
    grid.reserve(static_cast<std::size_t>(n) + 1);
    for (long i = 0; i <= n; ++i) {
        const Extended jd = i == n ? to : from + i * step;
        grid.push_back({jd, body.longitude(jd), false});
    }
    samples_.reserve(grid.size() + 8);
    samples_.push_back(grid[0]);
    for (std::size_t i = 1; i < grid.size(); ++i) {
        // A change of direction between steps i − 1 and i: the station lies
        // between samples i − 2 and i, where the speed changes sign.
        if (body.turns() && i >= 2 && direction(grid[i - 2], grid[i - 1]) * direction(grid[i - 1], grid[i]) < 0) {
            auto speed = [&](Extended t) { return body.speed(t); };
            const Extended a = grid[i - 2].jd, b = grid[i].jd;
            const Extended sa = speed(a), sb = speed(b);
            Extended t = grid[i - 1].jd;
            if ((sa < 0) != (sb < 0)) t = bracketedRoot(speed, a, b, sa, sb, 1e-6L);
            const TrackSample station{t, body.longitude(t), true};
            // Put it in its place among the samples already kept.
            if (t < samples_.back().jd) {
                const TrackSample last = samples_.back();
                samples_.back() = station;
                samples_.push_back(last);
            } else if (t > samples_.back().jd && t < grid[i].jd) {
                samples_.push_back(station);
            }
        }
        samples_.push_back(grid[i]);
    }
}

std::vector<Crossing> LongitudeTrack::crossings(Extended point) const {
    std::vector<Crossing> out;
    auto offset = [&](Extended t) { return halfTurn(body_.longitude(t) - point); };
    for (std::size_t i = 1; i < samples_.size(); ++i) {
        const TrackSample& a = samples_[i - 1];
        const TrackSample& b = samples_[i];
        const Extended u0 = halfTurn(a.longitude - point);
        const Extended u1 = u0 + halfTurn(b.longitude - a.longitude);
        // Reached inside the step; a root exactly on a sample belongs to the
        // step that ends there, so it is counted once.
        if (!((u0 < 0 && u1 >= 0) || (u0 > 0 && u1 <= 0))) continue;
        const Extended t = bracketedRoot(offset, a.jd, b.jd, u0, u1);
        out.push_back({t, u1 > u0});
    }
    return out;
}

std::vector<Extended> LongitudeTrack::stations() const {
    std::vector<Extended> out;
    for (const TrackSample& s : samples_)
        if (s.station) out.push_back(s.jd);
    return out;
}

} // namespace qv::timing
