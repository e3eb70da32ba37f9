// Speed of the program's body computation against the reference ephemeris
// library (Debian's libswe-dev) for the same points and dates, in the same
// run, and their ratio. The program computes every point twice (at jd + 0.001
// and at jd, for its test of apparent motion) and reads its correction
// tables from disk; the reference computes each point once with its speed,
// which tells the direction of motion as well.
// Run: build/bench/reference_bench
#include "base/data_dir.h"
#include "ephemeris/bodies.h"

#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

// The same dates for both: a walk through 1900–2100, and one through
// 1600–1800, where the program also reads its planet table and the
// reference has no files and computes analytically.
qv::Extended modernDate(long i) { return 2415020.5L + static_cast<qv::Extended>((i * 3737) % 7300000) / 100.0L; }
qv::Extended earlyDate(long i) { return 2305447.5L + static_cast<qv::Extended>((i * 3737) % 7300000) / 100.0L; }

// Sun, Moon, Mercury … Pluto, true node, osculating apogee, Ceres … Chiron.
constexpr int kModernPoints[] = {SE_SUN,     SE_MOON,   SE_MERCURY, SE_VENUS,     SE_MARS,     SE_JUPITER,
                                 SE_SATURN,  SE_URANUS, SE_NEPTUNE, SE_PLUTO,     SE_TRUE_NODE, SE_OSCU_APOG,
                                 SE_CERES,   SE_PALLAS, SE_JUNO,    SE_VESTA,     SE_CHIRON};
// Before 1800 the minor bodies are not computed by either.
constexpr int kEarlyPoints[] = {SE_SUN,    SE_MOON,   SE_MERCURY, SE_VENUS, SE_MARS,      SE_JUPITER,
                                SE_SATURN, SE_URANUS, SE_NEPTUNE, SE_PLUTO, SE_TRUE_NODE, SE_OSCU_APOG};

template <qv::Extended (*Date)(long)>
void BM_Program(benchmark::State& st) {
    qv::setDataDir(QV_DATA_TEMPLATE_DIR);
    qv::ChartState s;
    s.nodeKind = "VERO";
    s.blackMoonKind = "VERA";
    long i = 0;
    for (auto _ : st) {
        qv::computeBodies(s, 0, Date(i++));
        benchmark::DoNotOptimize(s.longitude[2]);
    }
}

template <qv::Extended (*Date)(long), const int* Points, std::size_t Count, int Ephemeris>
void BM_Reference(benchmark::State& st) {
    swe_set_ephe_path("/usr/share/libswe/ephe");
    double x[6];
    char error[AS_MAXCH];
    long i = 0;
    for (auto _ : st) {
        const double jd = static_cast<double>(Date(i++));
        for (std::size_t k = 0; k < Count; ++k) {
            if (swe_calc_ut(jd, Points[k], Ephemeris | SEFLG_SPEED, x, error) < 0) {
                st.SkipWithError(error);
                return;
            }
            benchmark::DoNotOptimize(x[0]);
        }
    }
}

BENCHMARK(BM_Program<modernDate>)->Name("Program/1900-2100");
BENCHMARK(BM_Reference<modernDate, kModernPoints, std::size(kModernPoints), SEFLG_SWIEPH>)
    ->Name("Reference/1900-2100");
BENCHMARK(BM_Program<earlyDate>)->Name("Program/1600-1800");
BENCHMARK(BM_Reference<earlyDate, kEarlyPoints, std::size(kEarlyPoints), SEFLG_MOSEPH>)
    ->Name("Reference/1600-1800");

// Prints the runs as usual and keeps their times for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration) times[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* period : {"1900-2100", "1600-1800"}) {
        const auto ours = reporter.times.find(std::string("Program/") + period);
        const auto ref = reporter.times.find(std::string("Reference/") + period);
        if (ours != reporter.times.end() && ref != reporter.times.end())
            std::printf("%s: the program takes %.2f times the reference's time for the same points\n", period,
                        ours->second / ref->second);
    }
    swe_close();
    benchmark::Shutdown();
    return 0;
}
