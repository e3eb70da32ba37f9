#pragma once

#include "display/picture_output.h"
#include "settings/chart_settings.h"
#include "shell/cli/cli_support.h"
#include "shell/cli/picture_chart.h"

#include <ostream>
#include <string>
#include <vector>

namespace qv::cli {

// quorendaville-cli wheel [--current | --date DD/MM/YYYY --time HH:MM
//   --corr HOURS --coords 45N28-009E11 [--calendar GR|GI] [--houses NAME]
//   [--node MEDIO|VERO] [--black-moon VERA|MEDIA]] --out FILE.svg|.pdf|.png
//   [--mono] [--spindles] [--size MM] [--data-dir DIR]
// Draws the chart wheel as the analysis window's chart view draws it (zodiac
// ring with the decans, planet ring, house ring, angles, aspect lines with
// the orbs in force) into a picture. SVG and PDF are drawn for paper (the
// print palette on white), PNG as the screen shows it (on black). --size is
// the picture's side in millimetres (195 by default, 50 to 1000).
// What the picture commands (wheel, sheet) share: the chart options
// (--current or the birth data), --out, --mono and --data-dir.
extern const std::vector<std::string> kChartPictureValues;
extern const std::vector<std::string> kChartPictureFlags;
// The format of --out (UsageError for another extension).
draw::PictureFormat pictureOutputFormat(const Arguments& a);
// The request for --out with --mono and the line thickness in force.
draw::PictureRequest pictureRequestFor(const Arguments& a);

int wheelCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
