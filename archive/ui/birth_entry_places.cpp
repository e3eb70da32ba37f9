// The place side of birth data entry: the two place tables, the seven-line
// list around a position with its scroll bar and keys, the typed-prefix
// search and the choice of a place.
#include "archive/place_search.h"
#include "archive/ui/birth_entry_window.h"
#include "base/ui/dialogs.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"

#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

namespace qv {

namespace {

constexpr int kListLines = 7;
constexpr qint64 kListPageStep = 6;  // Page Up and Page Down in the list

// The list shows records p-3..p+3 of the places 1..n; p stays within
// 4..n-3, so that the first and the last place can both be shown.
qint64 clampedPosition(qint64 p, qint64 n) { return std::max<qint64>(4, std::min(p, n - 3)); }

// The comparison form of a place name: as stored in the Italian table,
// normalised in the foreign one.
std::string keyOf(const atlas::PlaceTable& table, const std::string& name) {
    return table.archive() == atlas::PlaceArchive::Estero ? atlas::normalisePlaceName(name) : name;
}

// Where a typed prefix lands: the last place that sorts below the prefix
// followed by "!". The search of the atlas stops one short of the last
// place, so the last one is compared here as well.
qint64 landing(const atlas::PlaceTable& table, const std::string& prefix) {
    const atlas::LocateResult landed = atlas::locatePlace(table, prefix);
    const qint64 n = table.count();
    if (n < 2 || landed.position != n - 1) return landed.position;
    const std::string last = table.read(n).name;
    const std::string key = keyOf(table, last);
    const std::string probe = atlas::normalisePlaceName(prefix) + std::string(25, '!');
    return probe > key ? n : landed.position;  // std::string compares bytes as unsigned values
}

// Enter after a whole name lands on the last of the places whose names go
// on after it ("TORINO DI SANGRO (CH)" for "TORINO"). The place of exactly
// that name is chosen instead when it stands in that run of names above
// the landing: the name itself, or else the name with a suffix in
// parentheses (Italian names carry their province: "TORINO (TO)").
qint64 wholeNameChoice(const atlas::PlaceTable& table, qint64 landing, const std::string& prefix) {
    qint64 withSuffix = 0;
    for (qint64 k = landing; k >= 1; --k) {
        const std::string key = keyOf(table, table.read(k).name);
        if (key.compare(0, prefix.size(), prefix) != 0) break;
        const std::string rest = key.substr(prefix.size());
        if (rest.empty()) return k;
        if (withSuffix == 0 && rest.size() > 3 && rest.compare(0, 2, " (") == 0 &&
            rest.find(')') == rest.size() - 1)
            withSuffix = k;
    }
    return withSuffix != 0 ? withSuffix : landing;
}

} // namespace

QStringList TFoInputSpa::placeLines() const {
    QStringList lines;
    for (int i = 0; i < ListLocal->count(); ++i) lines << ListLocal->item(i)->text();
    return lines;
}

void TFoInputSpa::RBitaliaClick() { openTable(atlas::PlaceArchive::Italia); }

void TFoInputSpa::RBesteroClick() { openTable(atlas::PlaceArchive::Estero); }

// Switching tables closes the old one and clears the place and the result.
void TFoInputSpa::openTable(atlas::PlaceArchive archive) {
    table_.reset();
    selected_.reset();
    archive_ = archive;
    {
        const QSignalBlocker block(RBitalia);
        const QSignalBlocker block2(RBestero);
        (archive == atlas::PlaceArchive::Italia ? RBitalia : RBestero)->setChecked(true);
    }
    EditLocal->clear();
    EditLocal->setStyleSheet({});
    clearResult();
    runUserAction(this, [&] { table_.emplace(archive); });
    position_ = kListLines / 2 + 1;
    landed_ = position_;
    showList();
}

void TFoInputSpa::showList() {
    const int row = ListLocal->currentRow();
    ListLocal->clear();
    const qint64 count = table_ ? table_->count() : 0;
    runUserAction(this, [&] {
        if (!table_) return;
        position_ = clampedPosition(position_, count);
        for (qint64 k = position_ - 3; k <= position_ + 3; ++k) {
            if (k < 1 || k > count) continue;
            auto* item = new QListWidgetItem(fromCp1252(atlas::placeListText(table_->read(k))), ListLocal);
            item->setData(Qt::UserRole, QVariant::fromValue<qint64>(k));
        }
    });
    if (row >= 0 && row < ListLocal->count()) ListLocal->setCurrentRow(row);
    const QSignalBlocker block(SBlocal);
    SBlocal->setRange(4, static_cast<int>(clampedPosition(count, count)));
    SBlocal->setValue(static_cast<int>(position_));
    SBlocal->setEnabled(count > kListLines);
}

void TFoInputSpa::moveList(qint64 position) {
    if (!table_) return;
    position_ = clampedPosition(position, table_->count());
    landed_ = position_;
    showList();
}

// The page areas move only while a whole page fits before the first or
// after the last line.
void TFoInputSpa::SBlocalAction(int action) {
    const qint64 n = table_ ? table_->count() : 0;
    const qint64 p = SBlocal->value();
    if ((action == QScrollBar::SliderPageStepSub && !(p > 12)) ||
        (action == QScrollBar::SliderPageStepAdd && !(p < n - 10)))
        SBlocal->setSliderPosition(static_cast<int>(p));
}

void TFoInputSpa::SBlocalChange(int value) {
    if (value != position_) moveList(value);
}

// Down on the last line and Up on the first scroll by one; Page Down and
// Page Up scroll by six; Enter chooses the highlighted line.
bool TFoInputSpa::listKey(int key) {
    const int row = ListLocal->currentRow();
    const int last = ListLocal->count() - 1;
    switch (key) {
    case Qt::Key_Down:
        if (row != last) return false;
        moveList(position_ + 1);
        ListLocal->setCurrentRow(last);
        return true;
    case Qt::Key_Up:
        if (row != 0) return false;
        moveList(position_ - 1);
        ListLocal->setCurrentRow(0);
        return true;
    case Qt::Key_PageDown:
        moveList(position_ + kListPageStep);
        return true;
    case Qt::Key_PageUp:
        moveList(position_ - kListPageStep);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (ListLocal->currentItem()) ListLocalDblClick(ListLocal->currentItem());
        return true;
    default:
        return false;
    }
}

// Every change of the place field is a new prefix: the choice of a place
// is dropped and the list moves to where the prefix lands.
void TFoInputSpa::EditLocalChange(const QString& typed) {
    const QString upper = typed.toUpper();
    if (upper != typed) {
        const int caret = EditLocal->cursorPosition();
        EditLocal->setText(upper);
        EditLocal->setCursorPosition(caret);
    }
    selected_.reset();
    EditLocal->setStyleSheet({});
    if (upper.isEmpty() || !table_) return;
    runUserAction(this, [&] {
        landed_ = landing(*table_, toCp1252(upper));
        position_ = clampedPosition(landed_, table_->count());
    });
    showList();
}

// Enter chooses the place where the typed prefix landed (the middle line,
// or a line near it at either end of the table) when it begins with the
// prefix, or the place of exactly the typed name above it.
void TFoInputSpa::EditLocalEnter() {
    const std::string prefix = atlas::normalisePlaceName(toCp1252(EditLocal->text().toUpper()));
    qint64 chosen = 0;
    runUserAction(this, [&] {
        if (prefix.empty() || !table_ || landed_ < 1 || landed_ > table_->count()) return;
        const std::string key = keyOf(*table_, table_->read(landed_).name);
        if (key.compare(0, prefix.size(), prefix) == 0) chosen = wholeNameChoice(*table_, landed_, prefix);
    });
    if (chosen == 0) {
        dialogs().information(this, QString::fromUtf8("Doppio Clic sull'Elenco Localit\u00E0"));
        return;
    }
    if (!dateComplete()) {
        dialogs().information(this, "Inserire Data di Nascita");
        return;
    }
    if (chosen != landed_) moveList(chosen);
    selectPlace(chosen);
}

void TFoInputSpa::ListLocalDblClick(QListWidgetItem* item) {
    if (item) selectPlace(item->data(Qt::UserRole).toLongLong());
}

// The chosen place shows its name in aqua; correction and calendar are
// derived again at the next idle moment.
void TFoInputSpa::selectPlace(qint64 record) {
    if (!table_) return;
    const bool read = runUserAction(this, [&] { selected_ = table_->read(record); });
    if (!read) return;
    {
        const QSignalBlocker block(EditLocal);
        EditLocal->setText(fromCp1252(selected_->name));
    }
    EditLocal->setStyleSheet("background-color: aqua; color: black;");
    for (int row = 0; row < ListLocal->count(); ++row)
        if (ListLocal->item(row)->data(Qt::UserRole).toLongLong() == record) ListLocal->setCurrentRow(row);
    EditFuso->clear();
    EditCalend->clear();
    markChanged();
}

} // namespace qv
