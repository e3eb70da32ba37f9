#include "remedies/ui/warnings_box.h"

#include "base/ui/text_height.h"

#include <QTextDocument>

#include <algorithm>

namespace qv {

namespace {
// Beyond this many lines the field scrolls: no warning written for the
// program comes near it.
constexpr int kMostLines = 12;
} // namespace

WarningsBox::WarningsBox(QWidget* parent, const char* name) : QPlainTextEdit(parent) {
    setObjectName(name);
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    fitHeight();
}

void WarningsBox::setText(const QString& text) {
    setPlainText(text);
    fitHeight();
}

int WarningsBox::shownLines() const {
    return wrappedLines(toPlainText(), font(), contentsRect().width() - 2 * document()->documentMargin() - cursorWidth() - 2);
}

void WarningsBox::resizeEvent(QResizeEvent* e) {
    QPlainTextEdit::resizeEvent(e);
    fitHeight();
}

void WarningsBox::fitHeight() {
    // While the whole text fits no scroll bar is wanted: one that appears
    // for a pixel would narrow the text and wrap it into one more line.
    const int most = kMostLines * fontMetrics().lineSpacing();
    const int whole = heightForWholeText(this);
    setVerticalScrollBarPolicy(whole > most ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    const int height = std::min(whole, most);
    if (height != this->height()) setFixedHeight(height);
}

} // namespace qv
