#include "display/glyph_separation.h"

#include "display/drawing_numbers.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace qv::draw {

namespace {

// A run of angles set `separation` apart: its members are u[first] …
// u[first + count − 1]; `offsets` sums u[m] − i·separation over its members
// (i the member's place in the run), so that the run's start that moves
// its members least (in the squared sense) is offsets ÷ count.
struct Run {
    int first = 0, count = 0;
    double offsets = 0;
    double start() const { return offsets / count; }
};

} // namespace

double glyphSeparationAngle(double diameter, double gap, double radius) {
    const double half = (diameter + gap) / (2 * radius);
    if (half >= 1) return 360;
    return std::min(360.0, 2 * std::asin(half) * 180 / std::numbers::pi);
}

std::vector<double> widenSeparations(const std::vector<double>& angles, double separation) {
    const int n = static_cast<int>(angles.size());
    if (n < 2) return angles;
    const double d = std::min(separation, 360.0 / n);
    constexpr double kTolerance = 1e-9;

    // Sorted around the wheel and unrolled from the end of the widest gap,
    // so that no crowd straddles the cut.
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    const auto at = [&](int k) { return norm360(angles[static_cast<std::size_t>(k)]); };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return at(a) < at(b); });
    int cut = 0;
    double widest = -1;
    for (int k = 0; k < n; ++k) {
        double gap = at(order[static_cast<std::size_t>(k)]) - at(order[static_cast<std::size_t>((k + n - 1) % n)]);
        if (gap <= 0) gap += 360;
        if (gap > widest) {
            widest = gap;
            cut = k;
        }
    }
    std::vector<double> u(static_cast<std::size_t>(n));
    std::vector<int> who(static_cast<std::size_t>(n));
    for (int j = 0; j < n; ++j) {
        const int k = (cut + j) % n;
        who[static_cast<std::size_t>(j)] = order[static_cast<std::size_t>(k)];
        u[static_cast<std::size_t>(j)] = at(order[static_cast<std::size_t>(k)]) + (cut + j >= n ? 360 : 0);
    }

    // Runs from the first angle on; a run that comes too near the one
    // before joins it, and the joined run settles where its members were.
    std::vector<Run> runs;
    for (int j = 0; j < n; ++j) {
        runs.push_back({j, 1, u[static_cast<std::size_t>(j)]});
        while (runs.size() >= 2) {
            Run& before = runs[runs.size() - 2];
            const Run& last = runs.back();
            if (last.start() - (before.start() + (before.count - 1) * d) >= d - kTolerance) break;
            before.offsets += last.offsets - static_cast<double>(last.count) * before.count * d;
            before.count += last.count;
            runs.pop_back();
        }
    }
    // Round the wheel: the last run must also stay clear of the first.
    if (runs.size() >= 2) {
        const Run& first = runs.front();
        const Run& last = runs.back();
        if (first.start() + 360 - (last.start() + (last.count - 1) * d) < d - kTolerance) {
            double offsets = 0;
            for (int j = 0; j < n; ++j) offsets += u[static_cast<std::size_t>(j)] - j * d;
            runs = {{0, n, offsets}};
        }
    }

    std::vector<double> out(angles);
    for (const Run& run : runs)
        for (int i = 0; i < run.count; ++i) {
            const int j = run.first + i;
            const int k = who[static_cast<std::size_t>(j)];
            const double placed = run.start() + i * d;
            // Back on the turn of the input angle.
            const double input = angles[static_cast<std::size_t>(k)];
            out[static_cast<std::size_t>(k)] = input + std::remainder(placed - input, 360.0);
        }
    return out;
}

} // namespace qv::draw
