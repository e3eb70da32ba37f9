// How tall a read-only text must be to show all of itself: the lines its
// paragraphs wrap into at a width, laid out here because an editor lays
// out only what it paints.
#pragma once

#include <QFont>
#include <QString>

class QPlainTextEdit;

namespace qv {

int wrappedLines(const QString& text, const QFont& font, qreal width);
// The height that shows the whole text of `edit` at its present width,
// frame and margins included.
int heightForWholeText(const QPlainTextEdit* edit);

} // namespace qv
