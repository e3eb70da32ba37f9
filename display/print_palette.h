// The two palettes of the drawings. The screen keeps its colours on black;
// whatever is made for paper (printing, PDF, SVG and PNG pictures of the
// sheets and the wheel, the consultation report) takes each colour's paper
// twin: the same hue, darkened until it reads on white — at least 4.5:1
// against white for texts, 3:1 for lines, glyphs and fills. Black-and-white
// drawing stays black on white (white on black on screen).
//
// A drawing of the drawing layer (drawing.h) picks its palette from the
// context: `currentPalette()`. A drawing made with plain QPainter calls for
// paper can take its colours from `paperTwin`.
//
// No Qt here: the glyph generator and the command line share it.
#pragma once

#include "display/canvas.h"

namespace qv::draw {

enum class Palette {
    Screen,      // the program's colours on the black drawing windows
    Paper,       // the paper twins on white
    Monochrome,  // black on white (white on black on screen)
};

// What a colour is used for on paper: a text needs the stronger contrast.
enum class PaperUse { Text, Mark };

// The minimum contrast against white of each use.
double minimumPaperContrast(PaperUse use);

// The relative luminance of a colour (sRGB) and its contrast ratio against
// white, from 1 (white) to 21 (black).
double relativeLuminance(Rgb colour);
double contrastOnWhite(Rgb colour);

// The paper twin of a screen colour: pure white (the screen's foreground)
// becomes black; any other colour keeps its hue and saturation and is
// darkened just enough to reach the use's contrast against white. A colour
// that already has it is returned as it is.
Rgb paperTwin(Rgb screen, PaperUse use);

} // namespace qv::draw
