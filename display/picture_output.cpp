#include "display/picture_output.h"

#include "base/errors.h"
#include "display/drawing.h"
#include "display/painter_canvas.h"
#include "display/picture_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QXmlStreamReader>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>

namespace qv::draw {

void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "quorendaville";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

namespace {

constexpr double kVectorPixelsPerMm = 10;  // SVG and PDF: 254 dots per inch

// False when the painter could not take the device or could not finish
// on it (the writer's own status).
bool drawOn(QPaintDevice& device, const PictureRequest& r, double pixelsPerMm, bool screen,
            const std::function<void()>& draw) {
    QPainter painter(&device);
    if (!painter.isActive()) return false;
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
    return painter.end();
}

// An SVG is accepted only when it parses back as XML with an <svg> root: a
// text with a character XML does not allow, or a cut, is caught here.
bool wellFormedSvg(const QByteArray& bytes) {
    QXmlStreamReader xml(bytes);
    bool root = false;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && !root) {
            if (xml.name() != QLatin1String("svg")) return false;
            root = true;
        }
    }
    return root && !xml.hasError();
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
    PictureFile file(r.file);  // an unusable target is refused before anything is drawn
    ensureGuiApplication();
    const double heightMm = r.outputWidth * r.areaHeight / r.areaWidth;
    // The picture is made in memory and checked whole before any byte
    // reaches the disk.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (r.format) {
    case PictureFormat::Png: {
        const int w = std::max(1, static_cast<int>(r.outputWidth * r.pngPixelsPerMm + 0.5));
        const int h = std::max(1, static_cast<int>(heightMm * r.pngPixelsPerMm + 0.5));
        QImage image(w, h, QImage::Format_RGB32);
        if (image.isNull()) throw IoError(r.file, "memoria insufficiente per l'immagine");
        image.fill(r.screenLook ? Qt::black : Qt::white);
        if (!drawOn(image, r, r.pngPixelsPerMm, r.screenLook, draw) || !image.save(&buffer, "PNG") ||
            !completePng(bytes.toStdString()))
            throw IoError(r.file, "l'immagine PNG non \xE8 stata prodotta per intero");
        break;
    }
    case PictureFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setResolution(static_cast<int>(kVectorPixelsPerMm * 25.4 + 0.5));
        const QSize size(static_cast<int>(r.outputWidth * kVectorPixelsPerMm + 0.5),
                         static_cast<int>(heightMm * kVectorPixelsPerMm + 0.5));
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle("Quorendaville");
        if (!drawOn(svg, r, kVectorPixelsPerMm, false, draw) || !wellFormedSvg(bytes))
            throw IoError(r.file, "il disegno SVG prodotto non \xE8 valido");
        break;
    }
    case PictureFormat::Pdf: {
        {
            QPdfWriter pdf(&buffer);
            pdf.setResolution(static_cast<int>(kVectorPixelsPerMm * 25.4 + 0.5));
            pdf.setPageSize(QPageSize(QSizeF(r.outputWidth, heightMm), QPageSize::Millimeter));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setCreator("Quorendaville");
            if (!drawOn(pdf, r, kVectorPixelsPerMm, false, draw))
                throw IoError(r.file, "il documento PDF non \xE8 stato prodotto");
        }
        if (!completePdf(bytes.toStdString())) throw IoError(r.file, "il documento PDF prodotto \xE8 incompleto");
        break;
    }
    }
    buffer.close();
    file.commit(bytes.toStdString());
}

} // namespace qv::draw
