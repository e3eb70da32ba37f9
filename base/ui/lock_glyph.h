// The lock glyph of the panels that are locked until the user opens them
// (the main window's orb and node boxes, the result panel of birth data
// entry): "LockShut" and "LockOpen".
#pragma once

#include <QIcon>

namespace qv {

QIcon lockGlyph(bool open);

} // namespace qv
