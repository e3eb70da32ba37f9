#include "display/sheet_output.h"

#include "display/drawing.h"
#include "display/drawing_setup.h"
#include "display/painter_canvas.h"

#include <QPainter>

namespace qv::draw {

void drawSheetOnScreen(QPainter& painter, int width, int height, const SheetOutput& sheet, double pixelsPerMm,
                       double zoom, int x0, int y0, bool printerInstalled, bool printerLandscape) {
    painter.fillRect(0, 0, width, height, Qt::black);
    PainterCanvas canvas(painter);
    TargetScope target(canvas);
    useScreenSettings(sheet.settings);
    DrawingContext& c = drawingContext();
    c.scale = pixelsPerMm;
    c.zoom = zoom;
    c.x0 = x0;
    c.y0 = y0;
    c.monochrome = sheet.monochrome;
    c.printerInstalled = printerInstalled;
    c.printerLandscape = printerLandscape;
    c.targetVisible = true;
    c.practitioner = sheet.practitioner;
    drawSheet(sheet.layout, *sheet.chart, *sheet.content);
}

void drawSheetOnPrinterPage(QPainter& painter, int pageWidthPixels, const SheetOutput& sheet) {
    PainterCanvas canvas(painter);
    TargetScope target(canvas);
    useScreenSettings(sheet.settings);
    usePrinterPage(pageWidthPixels);
    DrawingContext& c = drawingContext();
    c.zoom = 1;
    c.x0 = c.y0 = 0;
    c.monochrome = sheet.monochrome;
    c.targetVisible = true;
    c.practitioner = sheet.practitioner;
    drawSheet(sheet.layout, *sheet.chart, *sheet.content);
}

PictureRequest sheetPictureRequest(const std::string& file, PictureFormat format, bool landscapePage) {
    PictureRequest request;
    request.file = file;
    request.format = format;
    const SheetLayout page = landscapePage ? SheetLayout::Horizontal1 : SheetLayout::Vertical1;
    request.areaWidth = sheetPageWidth();
    request.areaHeight = sheetPageHeight(page);
    request.outputWidth = paperWidth(page);
    return request;
}

void writeSheetFile(const std::string& file, PictureFormat format, bool landscapePage, const SheetOutput& sheet) {
    PictureRequest request = sheetPictureRequest(file, format, landscapePage);
    request.monochrome = sheet.monochrome;
    request.thickness = static_cast<double>(sheet.settings.lineThickness);
    request.practitioner = sheet.practitioner;
    writePicture(request, [&] { drawSheet(sheet.layout, *sheet.chart, *sheet.content); });
}

} // namespace qv::draw
