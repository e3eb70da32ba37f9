#include "display/picture_output.h"

#include "base/errors.h"
#include "display/drawing.h"
#include "display/painter_canvas.h"

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>

namespace qv::draw {

namespace {

constexpr double kVectorPixelsPerMm = 10;  // SVG and PDF: 254 dots per inch

void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quorendaville";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

void drawOn(QPaintDevice& device, const PictureRequest& r, double pixelsPerMm, bool screen,
            const std::function<void()>& draw) {
    QPainter painter(&device);
    PainterCanvas canvas(painter);
    TargetScope target(canvas);
    DrawingContext& c = drawingContext();
    c.exporting = !screen;
    c.printing = false;
    c.monochrome = r.monochrome;
    c.scale = pixelsPerMm * r.outputWidth / r.areaWidth;
    c.zoom = 1;
    c.x0 = c.y0 = 0;
    c.hFactor = c.vFactor = 1;
    c.thickness = r.thickness;
    c.fontBase = 0;
    c.targetVisible = true;
    c.printerInstalled = false;
    c.practitioner = r.practitioner;
    fillBox(0, 0, r.areaWidth, r.areaHeight, screen ? kBlack : kWhite);
    draw();
    painter.end();
}

} // namespace

std::optional<PictureFormat> pictureFormatOf(const std::string& file) {
    const auto dot = file.rfind('.');
    if (dot == std::string::npos) return std::nullopt;
    std::string ext = file.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char ch) { return std::tolower(ch); });
    if (ext == "svg") return PictureFormat::Svg;
    if (ext == "pdf") return PictureFormat::Pdf;
    if (ext == "png") return PictureFormat::Png;
    return std::nullopt;
}

void writePicture(const PictureRequest& r, const std::function<void()>& draw) {
    ensureGuiApplication();
    const QString file = QString::fromLocal8Bit(r.file.c_str());
    const double heightMm = r.outputWidth * r.areaHeight / r.areaWidth;
    switch (r.format) {
    case PictureFormat::Png: {
        const int w = std::max(1, static_cast<int>(r.outputWidth * r.pngPixelsPerMm + 0.5));
        const int h = std::max(1, static_cast<int>(heightMm * r.pngPixelsPerMm + 0.5));
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::black);
        drawOn(image, r, r.pngPixelsPerMm, true, draw);
        if (!image.save(file, "PNG")) throw IoError(r.file, "impossibile scrivere l'immagine");
        return;
    }
    case PictureFormat::Svg: {
        QSvgGenerator svg;
        svg.setFileName(file);
        svg.setResolution(static_cast<int>(kVectorPixelsPerMm * 25.4 + 0.5));
        const QSize size(static_cast<int>(r.outputWidth * kVectorPixelsPerMm + 0.5),
                         static_cast<int>(heightMm * kVectorPixelsPerMm + 0.5));
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle("Quorendaville");
        drawOn(svg, r, kVectorPixelsPerMm, false, draw);
        break;
    }
    case PictureFormat::Pdf: {
        QPdfWriter pdf(file);
        pdf.setResolution(static_cast<int>(kVectorPixelsPerMm * 25.4 + 0.5));
        pdf.setPageSize(QPageSize(QSizeF(r.outputWidth, heightMm), QPageSize::Millimeter));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setCreator("Quorendaville");
        drawOn(pdf, r, kVectorPixelsPerMm, false, draw);
        break;
    }
    }
    QFile written(file);
    if (!written.exists() || written.size() == 0) throw IoError(r.file, "impossibile scrivere il file");
}

} // namespace qv::draw
