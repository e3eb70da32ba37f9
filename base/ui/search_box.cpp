#include "base/ui/search_box.h"

#include "base/ui/qt_text.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QStandardItemModel>

namespace qv {

namespace {
constexpr int kEntryRole = Qt::UserRole + 1;
const QColor kNoMatchColour(0xc0, 0, 0);
} // namespace

SearchBox::SearchBox(QListWidget* list, QWidget* parent) : QLineEdit(parent), list_(list) {
    setObjectName("EdCerca");
    setPlaceholderText("Cerca");
    noMatchLabel_ = new QLabel(kNoMatchText, this);
    noMatchLabel_->setObjectName("LabNessunaVoce");
    noMatchLabel_->setStyleSheet("QLabel { color: #c00000; font-style: italic; background: transparent; }");
    noMatchLabel_->setAttribute(Qt::WA_TransparentForMouseEvents);
    noMatchLabel_->hide();

    dropDownModel_ = new QStandardItemModel(this);
    dropDown_ = new QCompleter(dropDownModel_, this);
    dropDown_->setWidget(this);
    dropDown_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    dropDown_->setMaxVisibleItems(static_cast<int>(kMaxContaining));
    connect(dropDown_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) { pickFromDropDown(index.data(kEntryRole).toInt()); });

    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { lookUp(toCp1252(text)); });
}

void SearchBox::setEntries(std::vector<std::string> entries) {
    entries_ = std::move(entries);
    keys_.assign(entries_);
    result_ = {};
    showResult();
}

void SearchBox::lookUp(const std::string& cp1252Text) {
    result_ = keys_.lookup(cp1252Text);
    showResult();
    if (!list_) return;
    if (result_.selected && static_cast<int>(*result_.selected) < list_->count()) {
        const int row = static_cast<int>(*result_.selected);
        list_->setCurrentRow(row);
        list_->scrollToItem(list_->item(row));
    } else if (!result_.empty()) {
        // Nothing begins with the typed text: no entry is pretended to match.
        list_->setCurrentRow(-1);
    }
}

void SearchBox::clearSearch() {
    clear(); // textChanged looks the empty text up
    result_ = {};
    showResult();
}

void SearchBox::showResult() {
    dropDownModel_->clear();
    auto add = [this](std::size_t entry, bool near) {
        if (entry >= entries_.size()) return;
        auto* item = new QStandardItem(fromCp1252(entries_[entry]));
        item->setData(static_cast<int>(entry), kEntryRole);
        item->setEditable(false);
        if (near) {
            QFont font = item->font();
            font.setItalic(true);
            item->setFont(font);
            item->setToolTip("Voce simile");
        }
        dropDownModel_->appendRow(item);
    };
    for (std::size_t entry : result_.containing) add(entry, false);
    for (std::size_t entry : result_.suggestions) add(entry, true);
    if (dropDownModel_->rowCount() > 0 && isVisible())
        dropDown_->complete();
    else
        dropDown_->popup()->hide();
    showNoMatch(result_.noMatch());
}

void SearchBox::showNoMatch(bool none) {
    QPalette pal = palette();
    pal.setColor(QPalette::Text, none ? kNoMatchColour : QPalette().color(QPalette::Text));
    setPalette(pal);
    noMatchLabel_->setVisible(none);
    const int room = none ? noMatchLabel_->sizeHint().width() + 6 : 0;
    setTextMargins(0, 0, room, 0);
    setToolTip(none ? kNoMatchText : QString());
}

void SearchBox::resizeEvent(QResizeEvent* e) {
    QLineEdit::resizeEvent(e);
    const QSize hint = noMatchLabel_->sizeHint();
    noMatchLabel_->setGeometry(width() - hint.width() - 6, (height() - hint.height()) / 2, hint.width(), hint.height());
}

void SearchBox::pickFromDropDown(int entry) {
    if (entry < 0 || entry >= static_cast<int>(entries_.size())) return;
    setText(fromCp1252(entries_[static_cast<std::size_t>(entry)])); // selects it, by its whole key
    emit entryActivated(entry);
}

void SearchBox::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        // With the drop-down open, Enter picks its current entry: the
        // drop-down does that with the keys the box leaves to it.
        if (dropDown_->popup()->isVisible()) {
            e->ignore();
            return;
        }
        // Enter never reaches the window's default button from here.
        if (result_.selected) emit entryActivated(static_cast<int>(*result_.selected));
        return;
    }
    if (e->key() == Qt::Key_Down && dropDownModel_->rowCount() > 0 && !dropDown_->popup()->isVisible()) {
        dropDown_->complete();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void SearchBox::mousePressEvent(QMouseEvent* e) {
    if (emptiedOnClick_ && isEnabled() && !isReadOnly()) clearSearch();
    QLineEdit::mousePressEvent(e);
    emit boxClicked();
}

QStringList SearchBox::dropDownTexts() const {
    QStringList texts;
    for (int r = 0; r < dropDownModel_->rowCount(); ++r) texts << dropDownModel_->item(r)->text();
    return texts;
}

bool SearchBox::dropDownVisible() const { return dropDown_->popup()->isVisible(); }

QString SearchBox::message() const { return result_.noMatch() ? kNoMatchText : QString(); }

} // namespace qv
