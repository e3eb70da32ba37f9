#pragma once

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
// the orbs in force) into a picture. SVG and PDF are drawn as exported
// pictures (black on white), PNG as the screen shows it (on black). --size is
// the picture's side in millimetres (195 by default, 50 to 1000).
int wheelCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qv::cli
