// A spin button: an up arrow over a down arrow (SpinUp, SpinDown) in one
// small widget, each calling its handler when pressed.
#pragma once

#include <functional>

class QWidget;

namespace qv {

QWidget* spinArrows(QWidget* parent, const char* name, std::function<void()> up, std::function<void()> down,
                    const char* upHint, const char* downHint);

} // namespace qv
