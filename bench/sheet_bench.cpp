// Speed of the printable sheets: one sheet drawn as the window shows it
// (into a screen-sized image), one sheet written as an A4 PDF file as
// "Salva PDF" and the command line write it, and one printer page at 600
// dots per inch (a PDF writer standing in for the printer). The pictures are parsed once
// per process, as in the program. Times to quote are the CPU column; run
// with --benchmark_repetitions=5 on a shared machine.
// Run: build/bench/sheet_bench
#include "base/data_dir.h"
#include "display/painter_canvas.h"
#include "display/picture_output.h"
#include "display/sheet_layouts.h"
#include "display/sheet_output.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace qv;

// A crowded chart: seven points within 17° of Aquarius, born in Milan.
ChartState crowdedChart() {
    ChartState c;
    const double longitudes[12] = {0, 315.15, 307.5, 317.6, 317.1, 301.9, 318.5, 303.7, 138.2, 318.2, 93.0, 305.9};
    for (int k = 1; k <= 11; ++k) c.longitude[static_cast<std::size_t>(k)] = longitudes[k];
    for (int k = 1; k <= 7; ++k) c.latitude[static_cast<std::size_t>(k)] = 0.3L * k - 1;
    for (int i = 1; i <= 12; ++i) c.cusp[static_cast<std::size_t>(i)] = std::fmod(93.0L + 30.0L * (i - 1), 360.0L);
    c.mcRadians = 305.9L * 3.14159265358979323846L / 180;
    c.retroMark[3] = c.retroMark[8] = c.retroMark[9] = 'r';
    c.houseSystem = "CASE_MEDIE";
    c.nodeKind = "MEDIO";
    c.jd = 2437700.0L;
    c.corr = -1;
    c.zoneText = "+1.00";
    c.jdText = "JD=2437700.0";
    c.birth.day = 4;
    c.birth.month = 2;
    c.birth.year = 1962;
    c.birth.hour = 13;
    c.birth.latDegrees = 45;
    c.birth.latMinutes = 28;
    c.birth.lonDegrees = 9;
    c.birth.lonMinutes = 11;
    c.birth.place = "Milano";
    c.birth.nation = "Italia";
    return c;
}

struct Fixture {
    ChartState chart = crowdedChart();
    draw::SheetContent content;
    Fixture() {
        OrbTable orbs{};
        for (int i = 0; i < 14; ++i) orbs[static_cast<std::size_t>(i)] = i < 5 ? 8 : 2;
        content = draw::sheetContentFor(chart, "Maria Rossi", orbs);
    }
};

const Fixture& fixture() {
    static const Fixture f;
    return f;
}

const draw::SheetLayout kLayouts[] = {draw::SheetLayout::Vertical1, draw::SheetLayout::Vertical2,
                                      draw::SheetLayout::Horizontal1, draw::SheetLayout::Horizontal2};

// A 1920 × 1080 screen: 1920 ÷ 210 × 1080 ÷ 1920 pixels per sheet millimetre.
void BM_SheetOnScreen(benchmark::State& st) {
    const draw::SheetLayout layout = kLayouts[st.range(0)];
    const Fixture& f = fixture();
    QImage image(1920, 1080, QImage::Format_RGB32);
    draw::SheetOutput sheet;
    sheet.layout = layout;
    sheet.chart = &f.chart;
    sheet.content = &f.content;
    sheet.practitioner = "Nome Cognome";
    const bool landscape = draw::isLandscape(layout);
    for (auto _ : st) {
        // As the window opens it: a portrait page at half size, a quarter of the screen in.
        QPainter painter(&image);
        draw::drawSheetOnScreen(painter, image.width(), image.height(), sheet, 1080.0 / 210.0, landscape ? 1.0 : 0.5,
                                landscape ? 0 : 480, 0, true, landscape);
    }
    st.SetLabel(draw::sheetLayoutCaption(layout));
}
BENCHMARK(BM_SheetOnScreen)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_SheetIntoPdfFile(benchmark::State& st) {
    const draw::SheetLayout layout = kLayouts[st.range(0)];
    const Fixture& f = fixture();
    draw::PictureRequest request;
    request.file = (QDir::tempPath() + "/quorendaville-sheet-bench.pdf").toStdString();
    request.format = draw::PictureFormat::Pdf;
    request.areaWidth = draw::sheetPageWidth();
    request.areaHeight = draw::sheetPageHeight(layout);
    request.outputWidth = draw::paperWidth(layout);
    request.practitioner = "Nome Cognome";
    for (auto _ : st) draw::writePicture(request, [&] { draw::drawSheet(layout, f.chart, f.content); });
    QFile::remove(QString::fromStdString(request.file));
    st.SetLabel(draw::sheetLayoutCaption(layout));
}
BENCHMARK(BM_SheetIntoPdfFile)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_SheetPrinterPage(benchmark::State& st) {
    const draw::SheetLayout layout = kLayouts[st.range(0)];
    const Fixture& f = fixture();
    draw::SheetOutput sheet;
    sheet.layout = layout;
    sheet.chart = &f.chart;
    sheet.content = &f.content;
    const QString file = QDir::tempPath() + "/quorendaville-sheet-bench-printer.pdf";
    for (auto _ : st) {
        QPdfWriter printer(file);
        printer.setResolution(600);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(draw::isLandscape(layout) ? QPageLayout::Landscape : QPageLayout::Portrait);
        QPainter painter(&printer);
        draw::drawSheetOnPrinterPage(painter, printer.pageLayout().paintRectPixels(600).width(), sheet);
    }
    QFile::remove(file);
    st.SetLabel(draw::sheetLayoutCaption(layout));
}
BENCHMARK(BM_SheetPrinterPage)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

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
