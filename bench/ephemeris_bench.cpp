// Speed of the ephemeris: one call of the body computation (both passes,
// all nineteen points) on random dates and on a walk of steps, and a year of
// hourly charts (houses and bodies). Times to quote are the CPU column (the
// thread's CPU time); run with --benchmark_repetitions=5 on a shared machine.
// Run: build/bench/ephemeris_bench
#include "base/data_dir.h"
#include "ephemeris/bodies.h"
#include "ephemeris/chart_steps.h"
#include "random_charts.h"

#include <benchmark/benchmark.h>

namespace {

void useShippedData() { qv::setDataDir(QV_DATA_TEMPLATE_DIR); }

void BM_ComputeBodiesAllPoints(benchmark::State& st) {
    useShippedData();
    qv::ChartState s;
    s.nodeKind = "VERO";
    s.blackMoonKind = "VERA";
    qv::Extended jd = 2451545.0L;
    for (auto _ : st) {
        qv::computeBodies(s, 0, jd);
        benchmark::DoNotOptimize(s.longitude[2]);
        jd += 0.37L;
    }
}
BENCHMARK(BM_ComputeBodiesAllPoints);

// Random dates 1600–2100.
void BM_ComputeBodiesRandomDates(benchmark::State& st) {
    useShippedData();
    qv::bench::timeComputeBodies(st, qv::bench::randomDates(2305447.5, 2488069.5, 1600));
}
BENCHMARK(BM_ComputeBodiesRandomDates)->Unit(benchmark::kMicrosecond);

// Random dates 1900–2100: the outer planets' perturbation series apply.
void BM_ComputeBodiesRandomDates1900(benchmark::State& st) {
    useShippedData();
    qv::bench::timeComputeBodies(st, qv::bench::randomDates(2415020.5, 2488069.5, 1900));
}
BENCHMARK(BM_ComputeBodiesRandomDates1900)->Unit(benchmark::kMicrosecond);

// Random dates 2140–2900, where no correction table reaches: the
// computation alone.
void BM_ComputeBodiesNoTables(benchmark::State& st) {
    useShippedData();
    qv::bench::timeComputeBodies(st, qv::bench::randomDates(2502678.5, 2780263.5, 2140));
}
BENCHMARK(BM_ComputeBodiesNoTables)->Unit(benchmark::kMicrosecond);

// A date before 1900 also reads the planet corrections.
void BM_ComputeBodiesBefore1900(benchmark::State& st) {
    useShippedData();
    qv::ChartState s;
    s.nodeKind = "MEDIO";
    s.blackMoonKind = "MEDIA";
    qv::Extended jd = 2400000.5L;
    for (auto _ : st) {
        qv::computeBodies(s, 0, jd);
        benchmark::DoNotOptimize(s.longitude[3]);
        jd += 0.37L;
    }
}
BENCHMARK(BM_ComputeBodiesBefore1900);

void BM_YearOfHourlyCharts(benchmark::State& st) {
    useShippedData();
    qv::ChartState s;
    s.houseSystem = "PLACIDO";
    s.nodeKind = "VERO";
    s.blackMoonKind = "VERA";
    qv::BirthData b;
    b.year = 2024;
    b.corr = -1;
    b.latDegrees = 45;
    b.latMinutes = 28;
    b.lonDegrees = 9;
    b.lonMinutes = 11;
    for (auto _ : st) {
        for (int day = 0; day < 365; ++day) {
            for (int hour = 0; hour < 24; ++hour) {
                b.day = 1 + day; // days past the month's end roll over in the Julian Day
                b.month = 1;
                b.hour = hour;
                qv::castChart(s, b);
            }
        }
        benchmark::DoNotOptimize(s.cusp[1]);
    }
    st.SetItemsProcessed(st.iterations() * 365 * 24);
}
BENCHMARK(BM_YearOfHourlyCharts)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
