// Speed of the analysis window's views: each view drawn as the window shows
// it, onto an image the size of the drawing area of a 1366 × 768 and of a
// 1920 × 1080 screen, for a chart cast at a real moment (the dominant-planet
// chart computed once beforehand, as the window does before it draws). The
// pictures are parsed once per process, as in the program. Times to quote
// are the CPU column; run with --benchmark_repetitions=5 on a shared
// machine.
//
// With --png DIR [DAY MONTH YEAR HOUR MINUTE] it writes each view as
// DIR/<view>_<side>.png at both sizes instead of measuring (for looking at
// them), for the fixture's moment or the one given (in Milan, Corr -1).
// Run: build/bench/views_bench [--png DIR [D M Y h m]]
#include "analysis/dominant_chart.h"
#include "analysis/planetary_hour.h"
#include "archive/archive_records.h"
#include "base/data_dir.h"
#include "base/decimal_text.h"
#include "display/analysis_views.h"
#include "display/painter_canvas.h"
#include "ephemeris/chart_steps.h"

#include <QGuiApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <unistd.h>
#include <string>

namespace {

using namespace qv;
namespace fs = std::filesystem;

// A working copy of the data the views read, so that the files the
// dominant-planet computation writes stay out of the template.
struct DataCopy {
    fs::path root = fs::temp_directory_path() / ("qv_views_bench_" + std::to_string(::getpid()));
    DataCopy() {
        fs::create_directories(root);
        for (const char* folder : {"Simboli", "Zodiaco", "Glifi", "OpzioneT", "Scambi", "Appoggio", "FilePosi", "FileSet"})
            fs::copy(fs::path(QV_DATA_TEMPLATE_DIR) / folder, root / folder, fs::copy_options::recursive);
        fs::create_directories(root / "FileTmp");
        fs::create_directories(root / "FileDum");
        setDataDir(root);
    }
    ~DataCopy() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

// The moment of the charts drawn: 4 February 1962, 13:30 in Milan (seven
// planets in Acquario) unless --png names another.
int gDay = 4, gMonth = 2, gYear = 1962, gHour = 13, gMinute = 30;

struct Fixture {
    DataCopy data;
    ChartState chart;
    DominantChart dominant;
    draw::AnalysisViewInputs in;
    Fixture() {
        BirthData b;
        b.day = gDay;
        b.month = gMonth;
        b.year = gYear;
        b.hour = gHour;
        b.minute = gMinute;
        b.corr = -1;
        b.gregorian = true;
        b.latDegrees = 45;
        b.latMinutes = 28;
        b.latLetter = "N";
        b.lonDegrees = 9;
        b.lonMinutes = 11;
        b.lonLetter = "E";
        b.place = "Milano (MI)";
        b.nation = "Italia";
        chart.houseSystem = "CASE_MEDIE";
        chart.nodeKind = "MEDIO";
        chart.blackMoonKind = "MEDIA";
        layOutTraditionally(chart, castChart(chart, b));
        for (int i = 0; i < 14; ++i) in.orbs[static_cast<std::size_t>(i)] = i < 5 ? 8 : 2;
        in.orbs[0] = 10;
        const std::string moment = momentDigits(gDay, gMonth, gYear, gHour, gMinute) + corrText(-1);
        dominant = computeDominantChart(chart, "Rossi Maria", moment, "45N28-009E11Milano (MI)");
        in.chart = &chart;
        in.hour = ComputePlanetaryHour(chart);
        in.dominant = &dominant;
        in.mirrorPoint = kMars;
        in.mirrorSign = 5;
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

// The drawing area of the window on a screen `height` pixels high.
void drawOnImage(QImage& image, draw::AnalysisView view) {
    image.fill(Qt::black);
    QPainter painter(&image);
    draw::PainterCanvas canvas(painter);
    draw::TargetScope target(canvas);
    draw::drawingContext().scale = image.width() / draw::kChartAreaSize;
    draw::drawAnalysisView(view, fixture().in);
}

void BM_View(benchmark::State& st) {
    const auto views = draw::allAnalysisViews();
    const draw::AnalysisView view = views[static_cast<std::size_t>(st.range(0))];
    const int side = static_cast<int>(st.range(1));
    QImage image(side, side, QImage::Format_RGB32);
    fixture();
    for (auto _ : st) drawOnImage(image, view);
    st.SetLabel(draw::analysisViewName(view));
}

void viewArguments(benchmark::internal::Benchmark* b) {
    const int count = static_cast<int>(draw::allAnalysisViews().size());
    // The area is about 0.95 of the screen's height.
    for (int side : {730, 1026})
        for (int v = 0; v < count; ++v) b->Args({v, side});
}
BENCHMARK(BM_View)->Apply(viewArguments)->Unit(benchmark::kMillisecond);

// The dominant-planet computation that runs before each of its views.
void BM_DominantChart(benchmark::State& st) {
    Fixture& f = fixture();
    const std::string moment = momentDigits(4, 2, 1962, 13, 30) + corrText(-1);
    for (auto _ : st)
        benchmark::DoNotOptimize(computeDominantChart(f.chart, "Rossi Maria", moment, "45N28-009E11Milano (MI)"));
}
BENCHMARK(BM_DominantChart)->Unit(benchmark::kMillisecond);

int writePictures(const fs::path& dir) {
    fs::create_directories(dir);
    for (int side : {730, 1026}) {
        QImage image(side, side, QImage::Format_RGB32);
        for (draw::AnalysisView view : draw::allAnalysisViews()) {
            drawOnImage(image, view);
            const fs::path file = dir / (std::string(draw::analysisViewName(view)) + "_" + std::to_string(side) + ".png");
            if (!image.save(QString::fromStdString(file.string()), "PNG")) {
                std::cerr << "impossibile scrivere " << file << "\n";
                return 1;
            }
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc >= 3 && std::string(argv[1]) == "--png") {
        if (argc == 8) {
            gDay = std::stoi(argv[3]);
            gMonth = std::stoi(argv[4]);
            gYear = std::stoi(argv[5]);
            gHour = std::stoi(argv[6]);
            gMinute = std::stoi(argv[7]);
        }
        return writePictures(argv[2]);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
