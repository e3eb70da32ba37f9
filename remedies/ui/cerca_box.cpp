#include "remedies/ui/cerca_box.h"

#include "base/ui/qt_text.h"

#include <QKeyEvent>
#include <QListWidget>

namespace qv {

CercaBox::CercaBox(QListWidget* list, bool upperEveryCharacter, QWidget* parent)
    : QLineEdit(parent), list_(list), prefix_(upperEveryCharacter) {
    setObjectName("EdCerca");
    setPlaceholderText("Cerca");
}

void CercaBox::clearPrefix() {
    prefix_.clear();
    clear();
}

void CercaBox::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return;  // Enter starts nothing
    if (e->key() == Qt::Key_Backspace) {
        prefix_.backspace();
    } else {
        const std::string typed = toCp1252(e->text());
        // Control characters, and the 127 that Delete carries, are editing keys.
        if (typed.empty() || static_cast<unsigned char>(typed[0]) < 0x20 || typed[0] == 0x7f) {
            QLineEdit::keyPressEvent(e);  // navigation keys
            return;
        }
        for (char c : typed) prefix_.type(c);
    }
    setText(fromCp1252(prefix_.text()));
    search();
}

void CercaBox::mousePressEvent(QMouseEvent* e) {
    clearPrefix();
    QLineEdit::mousePressEvent(e);
    emit boxClicked();
}

void CercaBox::search() {
    // The bisection may reach the last entry (hi = n).
    const int pos = remedies::listPrefixSearch(entries_, prefix_.text(), static_cast<int>(entries_.size()));
    if (pos < 0 || pos >= list_->count()) return;
    list_->setCurrentRow(pos);
    list_->scrollToItem(list_->item(pos));
}

} // namespace qv
