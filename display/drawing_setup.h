// Puts the drawing context in the state a target needs: the screen with the
// calibration of the display settings, or the printer page for a print job.
// The windows that draw (analysis window, sheets, circle calibration) call
// these around each drawing.
#pragma once

#include "settings/display_settings.h"

namespace qv::draw {

// On screen: the screen scale of the display scales, the horizontal and
// vertical factors (lines 7 and 8) and the line thickness (line 5) of the
// settings, the font base from the screen scale, printing and exporting off,
// whether a printer is installed.
void useScreenSettings(const DisplaySettings& settings);

// For a print job on a page `pageWidthPixels` wide: the printer scale (page
// width ÷ 210 × 0.776 pixels per millimetre), factors 1, the font base
// round(page width ÷ 82), printing on. The line thickness stays.
void usePrinterPage(int pageWidthPixels);

// For any drawing made for paper outside the sheets' own outputs (a
// report's wheel, a picture): `pixelsPerMm` device pixels per millimetre,
// zoom 1, origin at the device's corner, factors 1, the font base from the
// scale, colour (the print palette, print_palette.h) unless `monochrome`,
// exporting on. The thickness factor stays.
void usePaperPage(double pixelsPerMm, bool monochrome = false);

} // namespace qv::draw
