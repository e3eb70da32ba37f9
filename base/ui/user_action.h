// Every user action of a window runs through here: an I/O or conversion
// error (or any other failure) is shown in one message box and the action
// ends; the program goes on.
#pragma once

#include <functional>

class QWidget;

namespace qv {

// Returns false when the action failed (and the failure was shown).
bool runUserAction(QWidget* parent, const std::function<void()>& action);

// Places a child window with its bottom-right corner 10 pixels beyond the
// main window's bottom-right corner.
void placeChildWindow(QWidget* child, const QWidget* mainWindow);

} // namespace qv
