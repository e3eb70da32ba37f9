// A sheet onto its three targets besides the recording canvas: the window's
// picture (black, at the preview's zoom and origin, with the printable area
// framed), a printer page (the printer's scale and font base) and a picture
// or PDF file of the page the sheet is printed on.
#pragma once

#include "display/picture_output.h"
#include "display/sheet_layouts.h"
#include "settings/display_settings.h"

#include <string>

class QPainter;

namespace qv::draw {

// What a drawing of the sheet needs besides the chart.
struct SheetOutput {
    SheetLayout layout = SheetLayout::Vertical1;
    const ChartState* chart = nullptr;
    const SheetContent* content = nullptr;
    bool monochrome = false;
    std::string practitioner;      // Windows-1252
    DisplaySettings settings;      // screen calibration and line thickness
};

// The sheet as the window shows it, on a black area `width` × `height`
// pixels: the screen scale (`pixelsPerMm`) with the calibration factors,
// the zoom and origin of the preview, and the page frame of the printer's
// orientation when a printer is installed.
void drawSheetOnScreen(QPainter& painter, int width, int height, const SheetOutput& sheet, double pixelsPerMm,
                       double zoom, int x0, int y0, bool printerInstalled, bool printerLandscape);

// One printer page whose printable width is `pageWidthPixels`: page width
// ÷ 210 × 0.776 pixels per sheet millimetre, calibration factors 1, font
// base round(page width ÷ 82), printing on; the context is put back after.
void drawSheetOnPrinterPage(QPainter& painter, int pageWidthPixels, const SheetOutput& sheet);

// The picture request of the sheet written on a page of the given
// orientation: the page's width in sheet millimetres onto the A4 paper's
// width in millimetres.
PictureRequest sheetPictureRequest(const std::string& file, PictureFormat format, bool landscapePage);

// Writes the sheet into `file` (SVG, PDF or PNG) on a page of the given
// orientation; IoError when the file cannot be written.
void writeSheetFile(const std::string& file, PictureFormat format, bool landscapePage, const SheetOutput& sheet);

} // namespace qv::draw
