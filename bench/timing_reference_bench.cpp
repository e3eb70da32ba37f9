// A year of transits of the eleven moving bodies to the eleven natal points
// of one person, with the same search (sampling, stations, roots) on the
// program's ephemeris and on the reference's swe_calc_ut, in one run; the
// ratio of the median CPU times is printed at the end.
// Run: build/bench/timing_reference_bench [--benchmark_repetitions=5]
#include "base/data_dir.h"
#include "ephemeris/chart_steps.h"
#include "ephemeris/julian_day.h"
#include "timing/transits.h"
#include "tools/reference/reference_positions.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

qv::ChartState natalChart() {
    qv::BirthData b;
    b.day = 14; b.month = 3; b.year = 1975; b.hour = 10; b.minute = 30; b.corr = -1;
    b.latDegrees = 45; b.latMinutes = 28; b.lonDegrees = 9; b.lonMinutes = 11;
    qv::ChartState s;
    s.houseSystem = "CASE_MEDIE";
    s.nodeKind = "MEDIO";
    s.blackMoonKind = "MEDIA";
    qv::layOutTraditionally(s, qv::castChart(s, b));
    return s;
}


void run(benchmark::State& st, qv::timing::PositionSource source) {
    qv::setDataDir(QV_DATA_TEMPLATE_DIR);
    const qv::ChartState natal = natalChart();
    qv::timing::TransitQuery q;
    q.from = qv::julianDayOf(true, 1, 1, 2026, 0, 0);
    q.to = qv::julianDayOf(true, 1, 1, 2027, 0, 0);
    std::size_t contacts = 0;
    for (auto _ : st) contacts = qv::timing::findTransits(natal, q, source).size();
    st.counters["contacts"] = static_cast<double>(contacts);
}

void BM_TransitsYearProgram(benchmark::State& st) { run(st, nullptr); }
void BM_TransitsYearReference(benchmark::State& st) { run(st, &qv::reference::ReferencePositions::make); }
BENCHMARK(BM_TransitsYearProgram)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransitsYearReference)->Unit(benchmark::kMillisecond);

// Keeps each run's CPU time per iteration to print the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && r.iterations > 0)
                cpu_[r.benchmark_name().find("Reference") != std::string::npos].push_back(
                    r.cpu_accumulated_time / static_cast<double>(r.iterations));
        ConsoleReporter::ReportRuns(runs);
    }
    void printRatio() const {
        if (cpu_[0].empty() || cpu_[1].empty()) return;
        std::printf("reference / program, median CPU time: %.1f\n", median(cpu_[1]) / median(cpu_[0]));
    }

private:
    static double median(std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    }
    std::vector<double> cpu_[2];
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio();
    benchmark::Shutdown();
    return 0;
}
