// Screen and printer scales, computed once at start from the screen size
// and the printer's page, and used by the drawing layer and the sheets.
#pragma once

#include "base/reals.h"

namespace qv {

struct DisplayScales {
    Extended screenAspect = 0;          // screen height ÷ screen width
    Extended screenPixelsPerMm = 0;     // screen width ÷ 210 × screen aspect
    Extended printerPixelsPerMm = 0;    // page width in pixels ÷ 210 × 0.776
    Extended fontBase = 0;              // screen pixels per millimetre × 3.7
    bool printerAvailable = false;
};

DisplayScales& displayScales();

// Fills the screen part from the screen size in pixels.
void setScreenScales(int screenWidth, int screenHeight);
// Fills the printer part from the page width in pixels (a page width of 0
// means no printer).
void setPrinterScale(int pageWidthPixels);

} // namespace qv
