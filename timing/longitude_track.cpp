#include "timing/longitude_track.h"

#include "ephemeris/angles.h"
#include "timing/roots.h"

#include <algorithm>
#include <array>
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
    for (std::size_t i = 1; i < samples_.size(); ++i)
        samples_[i].motion = halfTurn(samples_[i].longitude - samples_[i - 1].longitude);
}

namespace {

// The cubic through four samples (times and unwrapped offsets), as a
// polynomial in x − t1 (t1 the start of the step), with its value, first
// and second derivative.
class Cubic {
public:
    Cubic(const std::array<Extended, 4>& t, const std::array<Extended, 4>& y) : origin_(t[1]) {
        // Newton's divided differences, then expanded about the origin.
        std::array<Extended, 4> x{}, d = y;
        for (int i = 0; i < 4; ++i) x[static_cast<std::size_t>(i)] = t[static_cast<std::size_t>(i)] - origin_;
        for (int j = 1; j < 4; ++j)
            for (int i = 3; i >= j; --i)
                d[static_cast<std::size_t>(i)] = (d[static_cast<std::size_t>(i)] - d[static_cast<std::size_t>(i - 1)]) /
                                                 (x[static_cast<std::size_t>(i)] - x[static_cast<std::size_t>(i - j)]);
        // p(x) = d0 + (x − x0)(d1 + (x − x1)(d2 + (x − x2) d3)), with x1 = 0.
        std::array<Extended, 4> poly{d[3], 0, 0, 0};
        int degree = 0;
        for (int k = 2; k >= 0; --k) {
            // poly = poly · (x − x_k) + d_k
            std::array<Extended, 4> next{};
            for (int p = 0; p <= degree; ++p) {
                next[static_cast<std::size_t>(p + 1)] += poly[static_cast<std::size_t>(p)];
                next[static_cast<std::size_t>(p)] -= poly[static_cast<std::size_t>(p)] * x[static_cast<std::size_t>(k)];
            }
            next[0] += d[static_cast<std::size_t>(k)];
            poly = next;
            ++degree;
        }
        c_ = poly;  // c_[p] multiplies (x − t1)^p
    }
    void at(Extended t, Extended& value, Extended& slope, Extended& bend) const {
        const Extended x = t - origin_;
        value = c_[0] + x * (c_[1] + x * (c_[2] + x * c_[3]));
        slope = c_[1] + x * (2 * c_[2] + 3 * x * c_[3]);
        bend = 2 * c_[2] + 6 * x * c_[3];
    }

private:
    Extended origin_;
    std::array<Extended, 4> c_{};
};

} // namespace

std::vector<Crossing> LongitudeTrack::crossings(Extended point) const {
    return crossings(std::vector<Extended>{point}).front();
}

std::vector<std::vector<Crossing>> LongitudeTrack::crossings(const std::vector<Extended>& points) const {
    std::vector<std::vector<Crossing>> out(points.size());
    // The points in order of longitude, to find those a step passes over by
    // bisection instead of trying each point at each step.
    std::vector<std::pair<Extended, std::size_t>> sorted;
    sorted.reserve(points.size());
    for (std::size_t k = 0; k < points.size(); ++k) sorted.emplace_back(Norm360(points[k]), k);
    std::sort(sorted.begin(), sorted.end());
    auto tryPoint = [&](std::size_t i, std::size_t k) {
        const TrackSample& a = samples_[i - 1];
        const Extended u0 = halfTurn(a.longitude - points[k]);
        const Extended u1 = u0 + samples_[i].motion;
        // Reached inside the step; a root exactly on a sample belongs to the
        // step that ends there, so it is counted once.
        if ((u0 < 0 && u1 >= 0) || (u0 > 0 && u1 <= 0)) out[k].push_back({refine(i, points[k], u0, u1), u1 > u0});
    };
    auto tryRange = [&](Extended from, Extended to) {  // the points in [from, to], 0 ≤ from
        return std::make_pair(std::lower_bound(sorted.begin(), sorted.end(), std::make_pair(from, std::size_t{0})),
                              std::upper_bound(sorted.begin(), sorted.end(), std::make_pair(to, points.size())));
    };
    constexpr Extended kSlack = 1e-9L;  // a point on a sample is tried by both steps; the test keeps one
    for (std::size_t i = 1; i < samples_.size(); ++i) {
        const Extended start = samples_[i - 1].longitude;
        const Extended lo = start + std::min<Extended>(0, samples_[i].motion) - kSlack;
        const Extended hi = start + std::max<Extended>(0, samples_[i].motion) + kSlack;
        // [lo, hi] is less than a half turn wide; it may run over 360 or below 0.
        const Extended base = Norm360(lo);
        const Extended top = base + (hi - lo);
        auto [first, last] = tryRange(base, std::min<Extended>(top, 360));
        for (auto it = first; it != last; ++it) tryPoint(i, it->second);
        if (top > 360) {
            auto [wrapFirst, wrapLast] = tryRange(0, top - 360);
            for (auto it = wrapFirst; it != wrapLast; ++it) tryPoint(i, it->second);
        }
    }
    for (auto& list : out)
        std::sort(list.begin(), list.end(), [](const Crossing& x, const Crossing& y) { return x.jd < y.jd; });
    return out;
}

Extended LongitudeTrack::refine(std::size_t i, Extended point, Extended u0, Extended u1) const {
    const TrackSample& a = samples_[i - 1];
    const TrackSample& b = samples_[i];
    auto offset = [&](Extended t) { return halfTurn(body_.longitude(t) - point); };
    // Away from stations the path is smooth over four samples: the cubic
    // through them places the root to a small fraction of the step, and a
    // Newton step on one true longitude finishes it.
    const bool smooth = i >= 2 && i + 1 < samples_.size() && !samples_[i - 2].station && !a.station && !b.station &&
                        !samples_[i + 1].station;
    if (smooth) {
        const TrackSample& before = samples_[i - 2];
        const TrackSample& after = samples_[i + 1];
        const Cubic c({before.jd, a.jd, b.jd, after.jd},
                      {u0 - a.motion, u0, u1, u1 + after.motion});
        Extended t = a.jd + (b.jd - a.jd) * u0 / (u0 - u1);
        Extended value, slope, bend;
        for (int k = 0; k < 4; ++k) {
            c.at(t, value, slope, bend);
            if (slope == 0) break;
            t -= value / slope;
        }
        // Newton with the cubic's slope, then secants through the true
        // offsets. The slope is good to far better than a thousandth, so a
        // step under 1e-5 day (a second) leaves an error under a
        // hundredth of a second.
        if (std::fabs(slope) > 1e-6L && t > a.jd && t < b.jd) {
            Extended r = offset(t);
            for (int k = 0; k < 4; ++k) {
                const Extended step = r / slope;
                const Extended next = t - step;
                if (!(next >= a.jd && next <= b.jd)) break;
                if (std::fabs(step) < 1e-5L) return next;
                const Extended rNext = offset(next);
                if (rNext == r) break;
                slope = (rNext - r) / (next - t);
                t = next;
                r = rNext;
            }
        }
    }
    return bracketedRoot(offset, a.jd, b.jd, u0, u1);
}

std::vector<Extended> LongitudeTrack::stations() const {
    std::vector<Extended> out;
    for (const TrackSample& s : samples_)
        if (s.station) out.push_back(s.jd);
    return out;
}

} // namespace qv::timing
