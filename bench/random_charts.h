// Random dates, and the body computation of the chart (all nineteen points,
// true node, corrected Black Moon) timed over them: shared by the
// benchmarks. Random dates, not a walk of small steps, which would keep
// reading the same table records and file segments.
#pragma once

#include "ephemeris/bodies.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace qv::bench {

inline std::vector<double> randomDates(double firstJd, double lastJd, unsigned seed, int count = 4096) {
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> pick(firstJd, lastJd);
    std::vector<double> dates(static_cast<std::size_t>(count));
    for (double& d : dates) d = pick(rng);
    return dates;
}

inline void timeComputeBodies(benchmark::State& st, const std::vector<double>& dates) {
    ChartState s;
    s.nodeKind = "VERO";
    s.blackMoonKind = "VERA";
    std::size_t i = 0;
    for (auto _ : st) {
        computeBodies(s, 0, dates[i++ % dates.size()]);
        benchmark::DoNotOptimize(s.longitude[2]);
    }
}

} // namespace qv::bench
