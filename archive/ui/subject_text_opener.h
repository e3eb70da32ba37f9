// How the archive windows open a subject's text document. The program hands
// them its text editor; the windows only say which document and over which
// window, and go on when the editor has been closed.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace qv {

// Opens the document at `dataPath` (such as "BASEtxt\00001.txt") modally over
// `parent` and returns when it is closed.
using SubjectTextOpener = std::function<void(QWidget* parent, const QString& dataPath)>;

} // namespace qv
