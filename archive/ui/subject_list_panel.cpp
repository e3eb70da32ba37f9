#include "archive/ui/subject_list_panel.h"

#include "archive/name_words.h"

#include "base/ui/dialogs.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QVBoxLayout>

namespace qv {

namespace {

constexpr const char* kEmptyArchive = "ARCHIVIO VUOTO";
constexpr const char* kAqua = "QLineEdit { background-color: aqua; color: black; }";
constexpr const char* kRed = "QLineEdit { background-color: red; color: white; }";

// Upper-cases the text of a field as it is typed, keeping the caret.
QString upperCased(QLineEdit* field, const QString& text) {
    const QString upper = text.toUpper();
    if (upper != text) {
        const int caret = field->cursorPosition();
        field->setText(upper);
        field->setCursorPosition(caret);
    }
    return upper;
}

} // namespace

SubjectListPanel::SubjectListPanel(int lines, bool enterInList, QWidget* parent)
    : QWidget(parent), lines_(lines), enterInList_(enterInList) {
    setObjectName("SubjectListPanel");
    ListBoxArchivi = new QListWidget(this);
    ListBoxArchivi->setObjectName("ListBoxArchivi");
    EditArchi = new QLineEdit(this);
    EditArchi->setObjectName("EditArchi");
    EditArchi->setMaxLength(4);
    EditArchi->setToolTip("Archivio aperto (scegliere dall'elenco o scrivere il nome e premere Invio)");
    EditSoggetto = new QLineEdit(this);
    EditSoggetto->setObjectName("EditSoggetto");
    EditSoggetto->setMaxLength(43);
    EditSoggetto->setToolTip("Scrivere l'inizio del nome: azzurro se trovato, rosso se no");
    ListBoxNomi = new QListWidget(this);
    ListBoxNomi->setObjectName("ListBoxNomi");
    ListBoxNomi->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBoxNomi->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBoxNomi->setUniformItemSizes(true);
    ScrollBarNomi = new QScrollBar(Qt::Vertical, this);
    ScrollBarNomi->setObjectName("ScrollBarNomi");
    ScrollBarNomi->setSingleStep(1);
    ScrollBarNomi->setPageStep(9);
    ScrollBarNomi->setEnabled(false);

    // Names and their record numbers line up in a fixed-pitch font.
    QFont fixed("Courier New");
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPointSize(font().pointSize() > 0 ? font().pointSize() : 10);
    ListBoxNomi->setFont(fixed);
    EditSoggetto->setFont(fixed);
    const QFontMetrics fm(fixed);
    rowHeight_ = fm.height() + 2;
    const int frame = 2 * ListBoxNomi->frameWidth();
    ListBoxNomi->setFixedHeight(lines_ * rowHeight_ + frame);
    ListBoxNomi->setMinimumWidth(fm.horizontalAdvance(QString(44, 'M')) + frame + 8);
    ListBoxArchivi->setFixedWidth(fm.horizontalAdvance(QString(19, 'M')));
    EditArchi->setFixedWidth(fm.horizontalAdvance(QString(7, 'M')));

    auto* archives = new QGroupBox("Archivi", this);
    auto* al = new QVBoxLayout(archives);
    al->addWidget(ListBoxArchivi, 1);
    al->addWidget(EditArchi);
    auto* names = new QGroupBox("Nomi in archivio", this);
    auto* nl = new QVBoxLayout(names);
    nl->addWidget(EditSoggetto);
    auto* listRow = new QHBoxLayout;
    listRow->setSpacing(0);
    listRow->addWidget(ListBoxNomi, 1);
    listRow->addWidget(ScrollBarNomi);
    nl->addLayout(listRow);
    nl->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(archives);
    layout->addWidget(names, 1);
    ListBoxArchivi->setMaximumHeight(ListBoxNomi->height() + EditSoggetto->sizeHint().height() - EditArchi->sizeHint().height());

    connect(ListBoxArchivi, &QListWidget::itemClicked, this, &SubjectListPanel::ListBoxArchiviClick);
    connect(EditArchi, &QLineEdit::textEdited, this, [this](const QString& t) { upperCased(EditArchi, t); });
    connect(EditArchi, &QLineEdit::returnPressed, this, &SubjectListPanel::EditArchiEnter);
    connect(EditSoggetto, &QLineEdit::textEdited, this, &SubjectListPanel::EditSoggettoChange);
    connect(EditSoggetto, &QLineEdit::returnPressed, this, &SubjectListPanel::EditSoggettoEnter);
    connect(ListBoxNomi, &QListWidget::itemClicked, this, &SubjectListPanel::ListBoxNomiClick);
    connect(ListBoxNomi, &QListWidget::itemDoubleClicked, this, &SubjectListPanel::ListBoxNomiDblClick);
    connect(ScrollBarNomi, &QScrollBar::valueChanged, this, &SubjectListPanel::ScrollBarNomiChange);
    ListBoxNomi->installEventFilter(this);
    // The names are stored surname first.
    EditSoggetto->setPlaceholderText("Cognome Nome");
    EditSoggetto->setToolTip("Cognome Nome, oppure parti del nome in qualsiasi ordine (\"mar ros\")");
    setRed(false);

    runUserAction(this, [&] { fillArchiveList(); });
}

QString SubjectListPanel::archiveName() const { return archive_ ? fromCp1252(archive_->name()) : QString(); }

NameListWindow SubjectListPanel::window() const {
    return {lines_, archive_ ? archive_->subjectCount() : 0};
}

void SubjectListPanel::fillArchiveList() {
    ListBoxArchivi->clear();
    for (const ArchiveListing& a : listArchives(false)) {
        auto* item = new QListWidgetItem(fromCp1252(a.caption), ListBoxArchivi);
        item->setData(Qt::UserRole, fromCp1252(a.name));
    }
}

// An empty field is never red: there is nothing in it that fails to match.
void SubjectListPanel::setRed(bool red) {
    red_ = red && !EditSoggetto->text().isEmpty();
    EditSoggetto->setStyleSheet(red_ ? kRed : kAqua);
}

void SubjectListPanel::clearField(bool red) {
    EditSoggetto->clear();
    setRed(red);
}

void SubjectListPanel::setFieldText(const QString& text) { EditSoggetto->setText(text); }

void SubjectListPanel::openNamedArchive(const QString& typed) {
    const QString name = typed.left(4).toUpper();
    archive_.reset();
    ListBoxNomi->clear();
    ScrollBarNomi->setEnabled(false);
    clearField(true);
    position_ = located_ = lastPosition_ = 0;
    lastEntry_ = {};
    EditArchi->setText(name);
    for (int i = 0; i < ListBoxArchivi->count(); ++i)
        if (ListBoxArchivi->item(i)->data(Qt::UserRole).toString() == name) ListBoxArchivi->setCurrentRow(i);
    runUserAction(this, [&] {
        ArchiveOpening opening = openArchive(toCp1252(name));
        if (!opening.archive) {
            dialogs().information(this, fromCp1252(opening.refusal));
            return;
        }
        archive_ = std::move(opening.archive);
        position_ = window().lowest();
        showList();
    });
    emit archiveChanged();
}

void SubjectListPanel::reopen() {
    if (!archive_) return;
    const std::string name = archive_->name();
    archive_.reset();
    ListBoxNomi->clear();
    runUserAction(this, [&] {
        ArchiveOpening opening = openArchive(name);
        if (!opening.archive) return;
        archive_ = std::move(opening.archive);
        if (located_ > archive_->subjectCount()) located_ = 0;
        showList();
    });
}

// The lines around the current position; an empty archive shows one line
// and takes no typing.
void SubjectListPanel::showList() {
    ListBoxNomi->clear();
    const QSignalBlocker block(ScrollBarNomi);
    ScrollBarNomi->setEnabled(false);
    ScrollBarNomi->setRange(0, 0);
    if (!archive_) return;
    const NameListWindow w = window();
    if (w.subjects == 0) {
        (new QListWidgetItem(kEmptyArchive, ListBoxNomi))->setSizeHint(QSize(0, rowHeight_));
        clearField(true);
        EditSoggetto->setEnabled(false);
        return;
    }
    EditSoggetto->setEnabled(true);
    position_ = w.clamp(position_);
    const int first = w.first(position_);
    for (int i = 0; i < w.shown(); ++i) {
        auto* item = new QListWidgetItem(fromCp1252(archive_->readIndex(first + i).text), ListBoxNomi);
        item->setSizeHint(QSize(0, rowHeight_));
    }
    if (!w.showsAll()) {
        ScrollBarNomi->setRange(w.lowest(), w.highest());
        ScrollBarNomi->setValue(position_);
        ScrollBarNomi->setEnabled(true);
    }
}

int SubjectListPanel::positionOfRow(int row) const {
    const NameListWindow w = window();
    if (row < 0 || row >= w.shown() || w.subjects == 0) return 0;
    return w.first(position_) + row;
}

void SubjectListPanel::ListBoxArchiviClick(QListWidgetItem* item) {
    if (item) openNamedArchive(item->data(Qt::UserRole).toString());
}

void SubjectListPanel::EditArchiEnter() { openNamedArchive(EditArchi->text()); }

void SubjectListPanel::EditSoggettoChange(const QString& typed) {
    const QString text = upperCased(EditSoggetto, typed);
    if (text.isEmpty()) {
        setRed(false);
        return;
    }
    if (!archive_ || archive_->subjectCount() == 0) return;
    runUserAction(this, [&] {
        const std::string typedText = toCp1252(text);
        Located found = archive_->locate(typedText);
        // A beginning the bisection does not find may still be the words of
        // a name in another order or in part: the first name holding them all.
        if (!found.matches) {
            const std::vector<int> holding = positionsHoldingWords(archive_->readWholeIndex(), typedText);
            if (!holding.empty()) found = {holding.front(), archive_->readIndex(holding.front()), true};
        }
        located_ = found.position;
        setRed(!found.matches);
        position_ = window().clamp(found.position);
        showList();
        const int row = found.position - window().first(position_);
        if (found.matches) ListBoxNomi->setCurrentRow(row);
    });
}

// Enter chooses the entry the search landed on when it begins with the
// typed text; the double click is the other way.
void SubjectListPanel::EditSoggettoEnter() {
    bool chosen = false;
    runUserAction(this, [&] {
        const std::string typed = toCp1252(EditSoggetto->text());
        if (!archive_ || typed.empty() || red_ || located_ < 1 || located_ > archive_->subjectCount()) return;
        const IndexEntry entry = archive_->readIndex(located_);
        if (entry.text.compare(0, typed.size(), typed) != 0 && !nameHoldsWords(entry.name(), foldedWords(typed)))
            return;
        chosen = true;
        choose(located_);
    });
    if (!chosen) dialogs().information(this, "Doppio Clic sull'Elenco Nomi");
}

void SubjectListPanel::ListBoxNomiClick(QListWidgetItem* item) {
    const int k = positionOfRow(ListBoxNomi->row(item));
    if (k < 1) return;
    runUserAction(this, [&] {
        const IndexEntry entry = archive_->readIndex(k);
        EditSoggetto->setText(fromCp1252(entry.text));
        setRed(false);
        located_ = lastPosition_ = k;
        lastEntry_ = entry;
    });
}

void SubjectListPanel::ListBoxNomiDblClick(QListWidgetItem* item) {
    const int k = positionOfRow(ListBoxNomi->row(item));
    if (k < 1 || EditSoggetto->text().isEmpty()) return;
    runUserAction(this, [&] { choose(k); });
}

void SubjectListPanel::ScrollBarNomiChange(int value) {
    position_ = value;
    runUserAction(this, [&] { showList(); });
}

void SubjectListPanel::scrollBy(int delta) {
    const int row = ListBoxNomi->currentRow();
    position_ = window().clamp(position_ + delta);
    runUserAction(this, [&] { showList(); });
    ListBoxNomi->setCurrentRow(row);
}

void SubjectListPanel::choose(int k) {
    if (const IndexEntry entry = archive_->readIndex(k); entry.recordNumber()) {
        lastPosition_ = k;
        lastEntry_ = entry;
        emit subjectChosen(k);
        return;
    }
    const int fifth = positionOfRow(4);
    if (fifth > 0) {
        if (const IndexEntry entry = archive_->readIndex(fifth); entry.recordNumber()) {
            lastPosition_ = fifth;
            lastEntry_ = entry;
            emit subjectChosen(fifth);
            return;
        }
    }
    clearField(true);
}

// Down on the last line and Up on the first scroll the list by one; in
// recall, Enter chooses the highlighted line when it begins with the typed
// text.
bool SubjectListPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBoxNomi && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int row = ListBoxNomi->currentRow();
        const NameListWindow w = window();
        if (key->key() == Qt::Key_Down && row == ListBoxNomi->count() - 1 && !w.showsAll()) {
            scrollBy(1);
            return true;
        }
        if (key->key() == Qt::Key_Up && row == 0 && !w.showsAll()) {
            scrollBy(-1);
            return true;
        }
        if (enterInList_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            const int k = positionOfRow(row);
            bool chosen = false;
            if (k > 0) {
                runUserAction(this, [&] {
                    const std::string typed = toCp1252(EditSoggetto->text());
                    if (archive_->readIndex(k).text.compare(0, typed.size(), typed) != 0) return;
                    chosen = true;
                    choose(k);
                });
            }
            if (!chosen) dialogs().information(this, "Doppio Clic sull'Elenco Nomi");
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SubjectListPanel::start() {
    for (int i = 0; i < ListBoxArchivi->count(); ++i)
        if (ListBoxArchivi->item(i)->data(Qt::UserRole).toString() == kPersonalArchive) {
            openNamedArchive(kPersonalArchive);
            break;
        }
    // The user can type a name at once.
    if (EditSoggetto->isEnabled()) EditSoggetto->setFocus();
}

} // namespace qv
