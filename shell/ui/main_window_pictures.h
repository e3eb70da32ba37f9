// The exit picture of the main window: FineProg.bmp, and FineProgClic.bmp
// while pressed.
#pragma once

#include <QPixmap>

namespace qv {

QPixmap exitPicture(bool pressed);

} // namespace qv
