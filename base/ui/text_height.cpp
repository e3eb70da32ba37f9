#include "base/ui/text_height.h"

#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>

namespace qv {

int wrappedLines(const QString& text, const QFont& font, qreal width) {
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    int lines = 0;
    for (const QString& paragraph : text.split('\n')) {
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        int n = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(std::max<qreal>(20, width));
            ++n;
        }
        layout.endLayout();
        lines += std::max(1, n);
    }
    return std::max(1, lines);
}

int heightForWholeText(const QPlainTextEdit* edit) {
    const qreal margin = edit->document()->documentMargin();
    // The width without a scroll bar (the one the text has once it fits),
    // less the room the editor keeps for its cursor.
    const qreal width = edit->contentsRect().width() - 2 * margin - edit->cursorWidth() - 2;
    const int lines = wrappedLines(edit->toPlainText(), edit->font(), width);
    const int frame = edit->height() - edit->contentsRect().height();
    return lines * edit->fontMetrics().lineSpacing() + static_cast<int>(2 * margin) + frame + 4;
}

} // namespace qv
