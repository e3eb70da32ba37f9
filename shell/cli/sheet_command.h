#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// quorendaville-cli sheet --layout V1|V2|O1|O2 [--current | --date DD/MM/YYYY
//   --time HH:MM --corr HOURS --coords 45N28-009E11 [--calendar GR|GI]
//   [--houses NAME] [--node MEDIO|VERO] [--black-moon VERA|MEDIA]
//   [--name TEXT] [--place TEXT] [--nation TEXT]] --out FILE.pdf|.svg|.png
//   [--mono] [--screen] [--data-dir DIR]
// Draws one of the four printable sheets of the chart on an A4 page
// (portrait for V1 and V2, landscape for O1 and O2), with the
// practitioner's name of the data directory under the date. Every format is
// drawn for paper (the print palette on a white page); --screen draws a PNG
// as the sheet window shows it, on black.
int sheetCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
