// The chart analysis window on a 1366 × 768 screen (offscreen): opening it
// up to its first drawing (chart computed, planetary hour, chart view, key
// lists, message 1), and each analysis button pressed in turn (its views
// drawn with their lists and messages, one after the other), and the first
// press of the dominant-planet button, which casts its chart.
#include "display/ui/analysis_window.h"
#include "archive/archive_files.h"
#include "archive/data_directory_startup.h"
#include "archive/subject_registration.h"
#include "display/display_scales.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr int kWidth = 1366, kHeight = 768;

const char* const kButtons[] = {"BBcoordi",  "BBstoffa",   "BBarchetip",  "BBaspetti", "BBEnergi",
                                "BBantisce", "BBdodecate", "BBdominante", "BBmaestri"};

std::unique_ptr<qv::TFgrSpagy> openWindow() {
    auto window = std::make_unique<qv::TFgrSpagy>();
    window->setWindowState(Qt::WindowNoState);
    window->resize(kWidth, kHeight);
    window->show();
    while (!window->currentView()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    return window;
}

void BM_OpenAnalysisWindow(benchmark::State& state) {
    for (auto _ : state) {
        auto window = openWindow();
        benchmark::DoNotOptimize(window->drawing());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAnalysisWindow)->Unit(benchmark::kMillisecond);

// One press of a button: the next of its views (the presses go round them).
void BM_PressAnalysisButton(benchmark::State& state) {
    auto window = openWindow();
    auto* button = window->findChild<QPushButton*>(kButtons[state.range(0)]);
    button->click();  // the dominant planet's chart is cast on the first press only
    for (auto _ : state) button->click();
    state.SetLabel(kButtons[state.range(0)]);
}
BENCHMARK(BM_PressAnalysisButton)->DenseRange(0, 8)->Unit(benchmark::kMillisecond);

// The first press of the dominant-planet button: the natal moment cast
// again with Placidus houses and the chart-master scoring, then its view.
void BM_FirstDominantPress(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto window = openWindow();
        auto* button = window->findChild<QPushButton*>("BBdominante");
        state.ResumeTiming();
        button->click();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstDominantPress)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::string scratch = (std::filesystem::temp_directory_path() / "qv-bench-XXXXXX").string();
    if (!mkdtemp(scratch.data())) return 1;
    qv::prepareDataDirectory(scratch, QV_DATA_TEMPLATE_DIR);
    qv::NewSubject subject;
    subject.name = "ROSSI MARIA";
    subject.day = 14;
    subject.month = 7;
    subject.year = 1968;
    subject.hour = 6;
    subject.minute = 35;
    subject.corr = -2;
    subject.coordinates = "45N28-009E11";
    subject.place = "MILANO *MI*";
    subject.nation = "ITALIA";
    qv::registerSubject(qv::kTemporaryArchive, subject);
    qv::setScreenScales(kWidth, kHeight);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(scratch);
    return 0;
}
