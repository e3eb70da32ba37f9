// Drawings of the drawing layer written to picture files. Every format is
// drawn for paper by default (the print palette on white, print_palette.h);
// a PNG can instead be drawn as the screen shows it (on the black background
// of the drawing windows).
// The header holds no Qt, so the command line can use it.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace qv::draw {

enum class PictureFormat { Svg, Pdf, Png };

// By the file's extension, in any case (".svg", ".pdf", ".png").
std::optional<PictureFormat> pictureFormatOf(const std::string& file);

struct PictureRequest {
    std::string file;
    PictureFormat format = PictureFormat::Png;
    double areaWidth = 195, areaHeight = 195;  // sheet millimetres drawn
    double outputWidth = 195;                  // width of the picture, mm (the height follows)
    double pngPixelsPerMm = 5;                 // PNG resolution at outputWidth
    bool monochrome = false;
    bool screenLook = false;                   // PNG only: the screen's colours on black
    double thickness = 1;                      // line thickness factor
    std::string practitioner;
};

// Sets up the drawing context for the format, runs `draw` (which draws in
// sheet millimetres) and writes the file. A file that cannot be written
// raises IoError naming it. Starts the offscreen GUI machinery when the
// process has none (fonts and pictures need it).
void writePicture(const PictureRequest& request, const std::function<void()>& draw);

// Starts the offscreen GUI machinery when the process has none, for
// drawing without windows (the command line, the report PDF).
void ensureGuiApplication();

} // namespace qv::draw
