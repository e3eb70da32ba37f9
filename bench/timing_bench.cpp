// Speed of the timing computations: a year of transits of the eleven moving
// bodies to the eleven natal points of one person, a month of the spagyric
// calendar for one place, and the single steps they repeat (one longitude,
// one sunrise). Times to quote are the CPU column.
// Run: build/bench/timing_bench [--benchmark_repetitions=5]
#include "base/data_dir.h"
#include "ephemeris/chart_steps.h"
#include "ephemeris/julian_day.h"
#include "timing/body_positions.h"
#include "timing/spagyric_calendar.h"
#include "timing/sun_horizon.h"
#include "timing/transits.h"

#include <benchmark/benchmark.h>

namespace {

void useShippedData() { qv::setDataDir(QV_DATA_TEMPLATE_DIR); }

qv::ChartState natalChart() {
    qv::BirthData b;
    b.day = 14;
    b.month = 3;
    b.year = 1975;
    b.hour = 10;
    b.minute = 30;
    b.corr = -1;
    b.latDegrees = 45;
    b.latMinutes = 28;
    b.lonDegrees = 9;
    b.lonMinutes = 11;
    qv::ChartState s;
    s.houseSystem = "CASE_MEDIE";
    s.nodeKind = "MEDIO";
    s.blackMoonKind = "MEDIA";
    qv::layOutTraditionally(s, qv::castChart(s, b));
    return s;
}

void BM_TransitsYear(benchmark::State& st) {
    useShippedData();
    const qv::ChartState natal = natalChart();
    qv::timing::TransitQuery q;
    q.from = qv::julianDayOf(true, 1, 1, 2026, 0, 0);
    q.to = qv::julianDayOf(true, 1, 1, 2027, 0, 0);
    std::size_t contacts = 0;
    for (auto _ : st) contacts = qv::timing::findTransits(natal, q).size();
    st.counters["contacts"] = static_cast<double>(contacts);
}
BENCHMARK(BM_TransitsYear)->Unit(benchmark::kMillisecond);

// One body at a time, to see where a year goes.
void BM_TransitsYearOfOneBody(benchmark::State& st) {
    useShippedData();
    const qv::ChartState natal = natalChart();
    qv::timing::TransitQuery q;
    q.from = qv::julianDayOf(true, 1, 1, 2026, 0, 0);
    q.to = qv::julianDayOf(true, 1, 1, 2027, 0, 0);
    q.bodies = {static_cast<int>(st.range(0))};
    for (auto _ : st) benchmark::DoNotOptimize(qv::timing::findTransits(natal, q).size());
}
BENCHMARK(BM_TransitsYearOfOneBody)->DenseRange(1, 11)->Unit(benchmark::kMillisecond);

void BM_CalendarMonth(benchmark::State& st) {
    useShippedData();
    const qv::timing::GeoPlace milano{45.4667L, 9.1833L};
    const qv::Extended first = qv::julianDayOf(true, 1, 11, 2026, 0, 0);
    for (auto _ : st) benchmark::DoNotOptimize(qv::timing::spagyricCalendar(milano, first, first + 29).size());
}
BENCHMARK(BM_CalendarMonth)->Unit(benchmark::kMillisecond);

void BM_Longitude(benchmark::State& st) {
    useShippedData();
    qv::timing::BodyPositions body(static_cast<int>(st.range(0)), "MEDIO");
    qv::Extended jd = 2461000.5L;
    for (auto _ : st) {
        benchmark::DoNotOptimize(body.longitude(jd));
        jd += 0.37L;
    }
}
BENCHMARK(BM_Longitude)->Arg(1)->Arg(2)->Arg(6)->Unit(benchmark::kMicrosecond);

void BM_SunriseAndSunset(benchmark::State& st) {
    useShippedData();
    qv::Extended jd = qv::julianDayOf(true, 1, 11, 2026, 0, 0);
    for (auto _ : st) {
        benchmark::DoNotOptimize(qv::timing::sunTimes({45.4667L, 9.1833L}, jd).sunrise);
        jd += 1;
    }
}
BENCHMARK(BM_SunriseAndSunset)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
