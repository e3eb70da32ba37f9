// Texts typed into a window that are to be stored in the program's files,
// which hold Windows-1252: a character the encoding has not would silently
// become "?", and a control character would split record and list lines.
#pragma once

#include <QString>

class QWidget;

namespace qv {

// Why `typed` cannot be stored, or an empty text when it can. Accents typed
// as combining marks are joined first; `multiLine` texts may hold line
// breaks and tabs.
QString unstorableReason(const QString& typed, bool multiLine = false);

// The reason for the first editable text box of `window` (one-line boxes and
// memos) whose text cannot be stored, quoting the start of that text, or an
// empty text.
QString unstorableTextIn(const QWidget* window);

} // namespace qv
