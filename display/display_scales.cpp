#include "display/display_scales.h"

namespace qv {

DisplayScales& displayScales() {
    static DisplayScales scales;
    return scales;
}

void setScreenScales(int screenWidth, int screenHeight) {
    DisplayScales& s = displayScales();
    if (screenWidth <= 0 || screenHeight <= 0) return;
    s.screenAspect = static_cast<Extended>(screenHeight) / screenWidth;
    s.screenPixelsPerMm = screenWidth / 210.0L * s.screenAspect;
    s.fontBase = s.screenPixelsPerMm * 3.7L;
}

void setPrinterScale(int pageWidthPixels) {
    DisplayScales& s = displayScales();
    s.printerAvailable = pageWidthPixels > 0;
    s.printerPixelsPerMm = s.printerAvailable ? pageWidthPixels / 210.0L * 0.776L : 0;
}

} // namespace qv
