// Pictures of the main window: the exit picture (FineProg.bmp, and
// FineProgClic.bmp while pressed) and the two lock glyphs.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace qv {

QPixmap exitPicture(bool pressed);
QIcon lockGlyph(bool open);

} // namespace qv
