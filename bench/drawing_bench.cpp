// Speed of the drawing layer: the analysis window's chart wheel (zodiac ring
// with decans, eleven spread points, house ring, angles, aspect lines) drawn
// into an image as the screen would be, and into SVG and PDF as an exported
// picture is. The pictures are parsed once per process, as in the program.
// Times to quote are the CPU column; run with --benchmark_repetitions=5 on a
// shared machine. Run: build/bench/drawing_bench
#include "base/data_dir.h"
#include "display/chart_wheel.h"
#include "display/painter_canvas.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <benchmark/benchmark.h>

namespace {

using namespace qv;

// A crowded chart: seven points within 17° of Aquarius.
ChartState crowdedChart() {
    ChartState c;
    const double longitudes[12] = {0, 315.15, 307.5, 317.6, 317.1, 301.9, 318.5, 303.7, 138.2, 318.2, 93.0, 305.9};
    for (int k = 1; k <= 11; ++k) c.longitude[static_cast<std::size_t>(k)] = longitudes[k];
    for (int i = 1; i <= 12; ++i) c.cusp[static_cast<std::size_t>(i)] = std::fmod(93.0L + 30.0L * (i - 1), 360.0L);
    c.mcRadians = 305.9L * 3.14159265358979323846L / 180;
    c.retroMark[3] = c.retroMark[8] = c.retroMark[9] = 'r';
    c.houseSystem = "CASE_MEDIE";
    return c;
}

OrbTable orbs() {
    OrbTable o{};
    for (int i = 0; i < 14; ++i) o[static_cast<std::size_t>(i)] = i < 5 ? 8 : 2;
    return o;
}

void drawWheel(QPaintDevice& device, double pixelsPerMm, bool screen) {
    static const ChartState chart = crowdedChart();
    static const OrbTable table = orbs();
    QPainter painter(&device);
    draw::PainterCanvas canvas(painter);
    draw::TargetScope target(canvas);
    draw::DrawingContext& c = draw::drawingContext();
    c.scale = pixelsPerMm;
    c.exporting = !screen;
    draw::fillBox(0, 0, draw::kChartAreaSize, draw::kChartAreaSize, screen ? draw::kBlack : draw::kWhite);
    draw::ChartWheelOptions options;
    draw::drawChartWheel(chart, table, options);
}

void BM_WheelIntoImage(benchmark::State& st) {
    QImage image(975, 975, QImage::Format_RGB32);
    for (auto _ : st) drawWheel(image, 5, true);
}
BENCHMARK(BM_WheelIntoImage)->Unit(benchmark::kMillisecond);

void BM_WheelIntoSvg(benchmark::State& st) {
    for (auto _ : st) {
        QBuffer buffer;
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(1950, 1950));
        svg.setResolution(254);
        drawWheel(svg, 10, false);
        benchmark::DoNotOptimize(buffer.size());
    }
}
BENCHMARK(BM_WheelIntoSvg)->Unit(benchmark::kMillisecond);

void BM_WheelIntoPdf(benchmark::State& st) {
    for (auto _ : st) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(254);
        pdf.setPageSize(QPageSize(QSizeF(195, 195), QPageSize::Millimeter));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        drawWheel(pdf, 10, false);
        benchmark::DoNotOptimize(buffer.size());
    }
}
BENCHMARK(BM_WheelIntoPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    qv::setDataDir(QV_DATA_TEMPLATE_DIR);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
