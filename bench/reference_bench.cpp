// Speed of the program's body computation against the reference ephemeris
// library (Debian's libswe-dev with its data files, see bench/README) in the
// same run, on the same random dates, for the same points, and their ratio.
//
// The program computes every point twice (at jd + 0.001 and at jd, for its
// test of apparent motion) and applies its correction tables; the reference
// computes each point once from its data files with its speed, which tells
// the direction of motion as well. Both sides: Sun, Moon, Mercury to Pluto,
// the true node, the corrected Black Moon (the reference's osculating
// apogee) and Ceres, Pallas, Juno, Vesta, Chiron.
//
// The dates are random, not a regular step: a step of a fraction of a day
// keeps the reference inside the same buffered file segment. Times are the
// thread's CPU time (the machine may be shared); each benchmark is repeated
// and the ratio of the medians is printed at the end.
// Run: build/bench/reference_bench [--benchmark_repetitions=N]
#include "base/data_dir.h"
#include "ephemeris/bodies.h"
#include "random_charts.h"

#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

struct Period {
    const char* name;
    double first, last; // Julian Days
};
constexpr Period kPeriods[] = {
    {"1600-2100", 2305447.5, 2488069.5}, // before 1900 the second planet corrections too
    {"1900-2100", 2415020.5, 2488069.5},
};

const std::vector<double>& datesOf(int period) {
    static const std::vector<double> dates[] = {
        qv::bench::randomDates(kPeriods[0].first, kPeriods[0].last, 1600),
        qv::bench::randomDates(kPeriods[1].first, kPeriods[1].last, 1900)};
    return dates[period];
}

constexpr int kReferencePoints[] = {SE_SUN,       SE_MOON,      SE_MERCURY, SE_VENUS,  SE_MARS, SE_JUPITER,
                                    SE_SATURN,    SE_URANUS,    SE_NEPTUNE, SE_PLUTO,  SE_TRUE_NODE,
                                    SE_OSCU_APOG, SE_CERES,     SE_PALLAS,  SE_JUNO,   SE_VESTA, SE_CHIRON};

void BM_Program(benchmark::State& st) {
    qv::setDataDir(QV_DATA_TEMPLATE_DIR);
    qv::bench::timeComputeBodies(st, datesOf(static_cast<int>(st.range(0))));
}

void BM_Reference(benchmark::State& st) {
    swe_set_ephe_path(const_cast<char*>("/usr/share/libswe/ephe"));
    const std::vector<double>& dates = datesOf(static_cast<int>(st.range(0)));
    double x[6];
    char error[AS_MAXCH];
    // Files missing for a date would send the reference to its analytic
    // mode quietly: the returned flag tells.
    for (double jd : {dates.front(), dates.back()})
        for (int point : kReferencePoints) {
            const int used = swe_calc_ut(jd, point, SEFLG_SWIEPH | SEFLG_SPEED, x, error);
            if (used < 0 || !(used & SEFLG_SWIEPH)) {
                st.SkipWithError("the reference's data files are missing (see bench/README)");
                return;
            }
        }
    std::size_t i = 0;
    for (auto _ : st) {
        const double jd = dates[i++ % dates.size()];
        for (int point : kReferencePoints) {
            if (swe_calc_ut(jd, point, SEFLG_SWIEPH | SEFLG_SPEED, x, error) < 0) {
                st.SkipWithError(error);
                return;
            }
            benchmark::DoNotOptimize(x[0]);
        }
    }
}

void periods(benchmark::internal::Benchmark* b) {
    for (int p = 0; p < static_cast<int>(std::size(kPeriods)); ++p) b->Arg(p);
    b->Unit(benchmark::kMicrosecond);
}
BENCHMARK(BM_Program)->Apply(periods);
BENCHMARK(BM_Reference)->Apply(periods);

// Prints the runs as usual and keeps the median CPU times for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            const bool single = r.run_type == Run::RT_Iteration && r.repetitions <= 1;
            const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            if (single || median) cpu[r.run_name.function_name + "/" + r.run_name.args] = r.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> cpu;
};

} // namespace

int main(int argc, char** argv) {
    // Three repetitions unless the command line asks for another number.
    std::vector<char*> args(argv, argv + argc);
    bool repetitionsGiven = false;
    for (char* a : args) repetitionsGiven = repetitionsGiven || std::string(a).rfind("--benchmark_repetitions", 0) == 0;
    char threeRepetitions[] = "--benchmark_repetitions=3";
    if (!repetitionsGiven) args.push_back(threeRepetitions);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (int p = 0; p < static_cast<int>(std::size(kPeriods)); ++p) {
        const auto ours = reporter.cpu.find("BM_Program/" + std::to_string(p));
        const auto ref = reporter.cpu.find("BM_Reference/" + std::to_string(p));
        if (ours != reporter.cpu.end() && ref != reporter.cpu.end())
            std::printf("%s, random dates: program %.1f us, reference %.1f us per chart (thread CPU, median); "
                        "the program takes %.2f times the reference's time\n",
                        kPeriods[p].name, ours->second, ref->second, ours->second / ref->second);
    }
    swe_close();
    benchmark::Shutdown();
    return 0;
}
