// The archive windows under test open subject texts in the program's editor,
// as the main window hands it to them.
#pragma once

#include "editor/ui/text_editor_window.h"

namespace qv::test {

inline void openInEditor(QWidget* parent, const QString& dataPath) {
    TFoReMaiH editor(dataPath, parent);
    editor.exec();
}

} // namespace qv::test
