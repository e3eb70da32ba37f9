#include "display/drawing_setup.h"

#include "display/display_scales.h"
#include "display/drawing.h"

#include <cmath>

namespace qv::draw {

void useScreenSettings(const DisplaySettings& settings) {
    DrawingContext& c = drawingContext();
    const DisplayScales& scales = displayScales();
    c.printing = c.exporting = false;
    c.scale = static_cast<double>(scales.screenPixelsPerMm);
    c.fontBase = 0;
    c.hFactor = static_cast<double>(settings.scaleX);
    c.vFactor = static_cast<double>(settings.scaleY);
    c.thickness = static_cast<double>(settings.lineThickness);
    c.printerInstalled = scales.printerAvailable;
}

void usePrinterPage(int pageWidthPixels) {
    DrawingContext& c = drawingContext();
    c.printing = true;
    c.exporting = false;
    c.scale = pageWidthPixels / 210.0 * 0.776;
    c.hFactor = c.vFactor = 1;
    c.fontBase = static_cast<float>(std::nearbyint(pageWidthPixels / 82.0));
}

void usePaperPage(double pixelsPerMm, bool monochrome) {
    DrawingContext& c = drawingContext();
    c.exporting = true;
    c.printing = false;
    c.monochrome = monochrome;
    c.scale = pixelsPerMm;
    c.zoom = 1;
    c.x0 = c.y0 = 0;
    c.hFactor = c.vFactor = 1;
    c.fontBase = 0;
    c.targetVisible = true;
    c.printerInstalled = false;
}

} // namespace qv::draw
