#include "remedies/ui/database_editor.h"

#include "base/data_dir.h"
#include "base/folded_key.h"
#include "base/ui/dialogs.h"
#include "base/ui/storable_text.h"
#include "base/ui/qt_text.h"
#include "base/ui/search_box.h"
#include "base/ui/user_action.h"
#include "remedies/remedy_text.h"
#include "remedies/ui/window_parts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

namespace {

const char* const kAdminNotice =
    "ATTENZIONE: Sono consentite MODIFICHE ed AGGIUNTE.  Per renderle accessibili al programma\n"
    "dopo averle salvate \u00E8 indispensabile RICOSTRUIRE gli archivi di appoggio. Questo avviene\n"
    "automaticamente azionando il pulsante [Ricostruisci File]";

// While the cursor shows the hourglass.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

// ---- the editor ------------------------------------------------------------

DatabaseEditor::DatabaseEditor(remedies::Database db, const Captions& captions, QWidget* parent)
    : QDialog(parent), db_(db), captions_(captions) {
    setObjectName(captions.objectName);
    setWindowTitle(captions.title);

    ListBox1 = entryList(this);
    ListBox1->setMinimumWidth(340);
    EdCerca = new SearchBox(ListBox1, this);
    RBprod = new QRadioButton("ordinamento per Rimedio", this);
    RBprod->setObjectName("RBprod");
    RBsecond = new QRadioButton(captions.secondSort, this);
    RBsecond->setObjectName(captions.secondSortName);
    EdNumRec = new QLineEdit(this);
    EdNumRec->setObjectName("EdNumRec");
    EdNumRec->setReadOnly(true);
    EdNumRec->setMaximumWidth(140);

    MemoInfo = new QPlainTextEdit(kAdminNotice, this);
    MemoInfo->setObjectName("MemoInfo");
    MemoInfo->setReadOnly(true);
    MemoInfo->setLineWrapMode(QPlainTextEdit::NoWrap);
    MemoInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MemoInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MemoInfo->setFixedHeight(MemoInfo->fontMetrics().lineSpacing() * 3 + 16);
    MemoInfo->setStyleSheet("QPlainTextEdit { color: #a00000; background: #fff6e8; }");
    MemoIstruz = helpMemo(this, captions.instructions, "MemoIstruz");

    EdLimite = new QLabel("Superato Limite Lunghezza", this);
    EdLimite->setObjectName("EdLimite");
    EdLimite->setStyleSheet("QLabel { background: red; color: white; font-weight: bold; padding: 2px 6px; }");
    EdLimite->adjustSize();
    EdLimite->hide();

    BBpulisci = windowButton(this, "Pulisci", "BBpulisci");
    BBsalva = windowButton(this, "Salva", "BBsalva");
    BBnuovo = windowButton(this, "Salva come Nuovo", "BBnuovo");
    BBelimina = windowButton(this, captions.deleteCaption, "BBelimina");
    BBRico = windowButton(this, "Ricostruisci File", "BBRico");
    BBinfo = windowButton(this, "Info On/Off", "BBinfo");
    BBmodifEle = windowButton(this, "Modifica Elenco", "BBmodifEle");
    BBannulla = windowButton(this, "Annulla Modifiche", "BBannulla");
    BBannulla->hide();
    BBtrova = windowButton(this, "trova", "BBtrova");
    EdTrova = new QLineEdit(this);
    EdTrova->setObjectName("EdTrova");
    EdTrova->setMaximumWidth(160);
    EdTrova->setPlaceholderText("testo da trovare");
    BBritorna = windowButton(this, "&Ritorna al Menu", "BBritorna");

    // The panel shown on leaving when something changed.
    PanelSalva = new QFrame(this);
    PanelSalva->setObjectName("PanelSalva");
    PanelSalva->setFrameShape(QFrame::Box);
    PanelSalva->setStyleSheet("QFrame#PanelSalva { background: #fff3c8; border: 2px solid #b00; }");
    auto* attention = new QLabel("ATTENZIONE:", PanelSalva);
    attention->setStyleSheet("color: #b00; font-weight: bold; font-size: 13pt;");
    auto* question = new QLabel("Che cosa vuoi fare?", PanelSalva);
    question->setStyleSheet("font-weight: bold;");
    LabNome = new QLabel(captions.changeName, PanelSalva);
    LabNome->setObjectName("LabNome");
    LabChiave = new QLabel(captions.changeKey, PanelSalva);
    LabChiave->setObjectName("LabChiave");
    LabDescr = new QLabel(captions.changeDescriptions, PanelSalva);
    LabDescr->setObjectName("LabDescr");
    PBsalva = windowButton(PanelSalva, "Salva", "PBsalva");
    PBnuovo = windowButton(PanelSalva, "Salva come Nuovo", "PBnuovo");
    PBelimina = windowButton(PanelSalva, "Elimina dal Database", "PBelimina");
    PBignora = windowButton(PanelSalva, "Ignora", "PBignora");
    auto* panelLayout = new QVBoxLayout(PanelSalva);
    panelLayout->addWidget(attention);
    for (QLabel* l : {LabNome, LabChiave, LabDescr}) panelLayout->addWidget(l);
    panelLayout->addWidget(question);
    auto* panelButtons = new QHBoxLayout;
    for (QPushButton* b : {PBsalva, PBnuovo, PBelimina, PBignora}) panelButtons->addWidget(b);
    panelLayout->addLayout(panelButtons);
    PanelSalva->hide();

    connect(RBprod, &QRadioButton::clicked, this, &DatabaseEditor::RBprodClick);
    connect(RBsecond, &QRadioButton::clicked, this, &DatabaseEditor::RBsecondClick);
    connect(BBpulisci, &QPushButton::clicked, this, &DatabaseEditor::BBpulisciClick);
    connect(BBsalva, &QPushButton::clicked, this, &DatabaseEditor::BBsalvaClick);
    connect(BBnuovo, &QPushButton::clicked, this, &DatabaseEditor::BBnuovoClick);
    connect(BBelimina, &QPushButton::clicked, this, &DatabaseEditor::BBeliminaClick);
    connect(BBRico, &QPushButton::clicked, this, &DatabaseEditor::BBRicoClick);
    connect(BBinfo, &QPushButton::clicked, this, &DatabaseEditor::BBinfoClick);
    connect(BBmodifEle, &QPushButton::clicked, this, &DatabaseEditor::BBmodifEleClick);
    connect(BBannulla, &QPushButton::clicked, this, &DatabaseEditor::BBannullaClick);
    connect(BBtrova, &QPushButton::clicked, this, &DatabaseEditor::BBtrovaClick);
    connect(BBritorna, &QPushButton::clicked, this, &DatabaseEditor::BBritornaClick);
    connect(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* i) { ListBox1Click(ListBox1->row(i)); });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* i) { ListBox1DblClick(ListBox1->row(i)); });
    onMouse(EdTrova, [this] { EdTrovaClick(); });
    connect(PBsalva, &QPushButton::clicked, this, [this] { panelAction(0); });
    connect(PBnuovo, &QPushButton::clicked, this, [this] { panelAction(1); });
    connect(PBelimina, &QPushButton::clicked, this, [this] { panelAction(2); });
    connect(PBignora, &QPushButton::clicked, this, [this] { panelAction(3); });
}

void DatabaseEditor::finishLayout(QWidget* fields) {
    fields_ = fields;
    auto* right = new QVBoxLayout;
    right->addWidget(EdNumRec);
    right->addWidget(ListBox1, 1);
    right->addWidget(EdCerca);
    right->addWidget(RBprod);
    right->addWidget(RBsecond);
    auto* middle = new QHBoxLayout;
    middle->addWidget(fields, 3);
    middle->addLayout(right, 2);
    auto* buttons = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{BBpulisci, BBsalva, BBnuovo, BBelimina, BBRico, BBinfo,
                                                      BBmodifEle, BBannulla, EdTrova, BBtrova})
        buttons->addWidget(w);
    buttons->addStretch();
    buttons->addWidget(BBritorna);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MemoInfo);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    setAdministrator(false);
    clearForm();
}

void DatabaseEditor::watchBox(QWidget* box, int limit, Role role, bool followList) {
    boxes_.push_back(box);
    auto changed = [this, box, limit, role, followList] {
        if (loading_) return;
        boxChanged(role, box, limit);
        if (followList && !reordering_) EdCerca->lookUp(stored(box));
    };
    if (auto* line = qobject_cast<QLineEdit*>(box))
        connect(line, &QLineEdit::textEdited, this, changed);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(box))
        connect(memo, &QPlainTextEdit::textChanged, this, changed);
}

std::string DatabaseEditor::stored(const QWidget* box) {
    QString t;
    if (auto* line = qobject_cast<const QLineEdit*>(box)) t = line->text();
    else if (auto* memo = qobject_cast<const QPlainTextEdit*>(box)) t = memo->toPlainText();
    t.replace("\n", "\r\n");
    return toCp1252(t);
}

void DatabaseEditor::showStored(QWidget* box, const std::string& text) {
    QString t = fromCp1252(text);
    t.replace("\r\n", "\n");
    if (auto* line = qobject_cast<QLineEdit*>(box)) line->setText(t);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(box)) memo->setPlainText(t);
}

QWidget* DatabaseEditor::lengthWarning() const { return EdLimite; }

void DatabaseEditor::showLengthWarning(QWidget* beside, bool over) {
    if (!over) {
        EdLimite->hide();
        return;
    }
    const QPoint at = beside->mapTo(this, QPoint(beside->width() - EdLimite->width(), -EdLimite->height() / 2));
    EdLimite->move(std::max(0, at.x()), std::max(0, at.y()));
    EdLimite->show();
    EdLimite->raise();
}

void DatabaseEditor::boxChanged(Role role, QWidget* box, int limit) {
    // The text the key produced is measured; the key itself is never refused.
    const bool over = static_cast<int>(stored(box).size()) > limit;
    showLengthWarning(box, over);
    if (over) QApplication::beep();
    if (role != Role::Description) {
        BBsalva->setEnabled(true);
        BBnuovo->setEnabled(true);
    } else if (tracking_) {
        descChanged_ = true;
        BBsalva->setEnabled(true);
        BBnuovo->setEnabled(true);
    }
}

void DatabaseEditor::setEditingControlsVisible(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{MemoInfo, BBRico, BBinfo, BBelimina, BBsalva, BBnuovo,
                                                      BBmodifEle, BBtrova, EdTrova})
        w->setVisible(on);
    if (!on) BBannulla->hide();
}

void DatabaseEditor::setBoxesReadOnly(bool readOnly) {
    for (QWidget* box : boxes_) {
        if (auto* line = qobject_cast<QLineEdit*>(box)) line->setReadOnly(readOnly);
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(box)) memo->setReadOnly(readOnly);
    }
}

void DatabaseEditor::setAdministrator(bool on) {
    admin_ = on;
    setEditingControlsVisible(on);
    setBoxesReadOnly(!on);
}

void DatabaseEditor::hideSavingControls() {
    for (QWidget* w : std::initializer_list<QWidget*>{MemoInfo, BBRico, BBelimina, BBsalva, BBnuovo}) w->hide();
}

void DatabaseEditor::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

void DatabaseEditor::FormActivate() {
    PanelSalva->hide();
    MemoIstruz->hide();
    if (reordering_) enterNormalMode();
    clearForm();
    fillList(captions_.listByNameOnActivation);
    picked_ = -1;
}

void DatabaseEditor::clearForm() {
    loading_ = true;
    current_ = 0;
    EdNumRec->clear();
    clearFields();
    loading_ = false;
    loadedName_.clear();
    loadedKey_.clear();
    descChanged_ = false;
    tracking_ = false;
    BBelimina->setEnabled(false);
    BBsalva->setEnabled(false);
    BBnuovo->setEnabled(false);
    EdLimite->hide();
}

void DatabaseEditor::fillList(bool byName) {
    byName_ = byName;
    RBprod->setChecked(byName);
    RBsecond->setChecked(!byName);
    std::vector<remedies::EditorEntry> found;
    runUserAction(this, [&] { found = remedies::editorEntries(dataDir(), db_, byName, !reordering_); });
    entries_ = std::move(found);
    refill();
}

void DatabaseEditor::refill() {
    entryTexts_.clear();
    for (const remedies::EditorEntry& e : entries_) entryTexts_.push_back(e.text);
    fillEntryList(ListBox1, EdCerca, entryTexts_);
}

void DatabaseEditor::RBprodClick() {
    if (!reordering_) fillList(true);
}

void DatabaseEditor::RBsecondClick() {
    if (!reordering_) fillList(false);
}

void DatabaseEditor::BBpulisciClick() { clearForm(); }

void DatabaseEditor::ListBox1Click(int row) {
    if (reordering_ || row < 0 || row >= static_cast<int>(entries_.size())) return;
    EdLimite->hide();
    MemoIstruz->hide();
    const remedies::EditorEntry entry = entries_[static_cast<std::size_t>(row)];
    Bytes record;
    std::int64_t count = 0;
    if (!runUserAction(this, [&] {
            record = remedies::readDatabaseRecord(dataDir(), db_, entry.record);
            count = remedies::listedCount(dataDir(), db_);
        }))
        return;
    loading_ = true;
    recordToForm(record);
    loading_ = false;
    loadedName_ = remedies::recordName(db_, record);
    loadedKey_ = remedies::recordSecondKey(db_, record);
    current_ = entry.record;
    EdNumRec->setText(QString("%1 / %2").arg(current_).arg(count));
    afterLoad(loadedName_);
    BBelimina->setEnabled(true);
    BBsalva->setEnabled(false);
    BBnuovo->setEnabled(false);
    descChanged_ = false;
    tracking_ = true;
}

bool DatabaseEditor::save() {
    if (current_ == 0) {
        dialogs().error(this, "Possibile solo [Salva come Nuovo]");
        return false;
    }
    if (!fieldsStorable()) return false;
    const Bytes record = formToRecord();
    if (!keyListable(record)) return false;
    if (!runUserAction(this, [&] { remedies::saveRecord(dataDir(), db_, current_, record); })) return false;
    loadedName_ = remedies::recordName(db_, record);
    loadedKey_ = remedies::recordSecondKey(db_, record);
    descChanged_ = false;
    BBsalva->setEnabled(false);
    BBnuovo->setEnabled(false);
    return true;
}

// The form's texts go to the database in Windows-1252: a character it has
// not, or a control character, is refused rather than stored as "?".
bool DatabaseEditor::fieldsStorable() {
    const QString why = unstorableTextIn(fields_);
    if (why.isEmpty()) return true;
    dialogs().error(this, why);
    return false;
}

bool DatabaseEditor::keyListable(const Bytes& record) {
    const std::string why = remedies::listedKeyProblem(db_, record);
    if (why.empty()) return true;
    dialogs().error(this, fromCp1252(why));
    return false;
}

bool DatabaseEditor::append() {
    if (!fieldsStorable()) return false;
    const Bytes record = formToRecord();
    if (!keyListable(record)) return false;
    std::int64_t count = 0;
    if (!runUserAction(this, [&] { count = remedies::appendRecord(dataDir(), db_, record); })) return false;
    // The form now stands for the new last record.
    current_ = count;
    loadedName_ = remedies::recordName(db_, record);
    loadedKey_ = remedies::recordSecondKey(db_, record);
    descChanged_ = false;
    tracking_ = true;
    EdNumRec->setText(QString("Tot=%1").arg(count));
    BBelimina->setEnabled(true);
    BBsalva->setEnabled(false);
    BBnuovo->setEnabled(false);
    return true;
}

bool DatabaseEditor::removeCurrent() {
    if (current_ == 0) return false;
    std::int64_t count = 0;
    if (!runUserAction(this, [&] { count = remedies::deleteRecord(dataDir(), db_, current_); })) return false;
    clearForm();
    EdNumRec->setText(QString("Tot=%1").arg(count));
    return true;
}

void DatabaseEditor::BBsalvaClick() {
    if (save()) fillList(byName_);
}

void DatabaseEditor::BBnuovoClick() {
    if (append()) fillList(byName_);
}

void DatabaseEditor::BBeliminaClick() {
    if (current_ == 0) return;
    const QString question = QString("Eliminare definitivamente il record %1 (%2)?\nL'eliminazione non si pu\u00F2 "
                                     "annullare.")
                                 .arg(current_)
                                 .arg(fromCp1252(loadedName_).trimmed());
    if (dialogs().question(this, question) != Dialogs::Answer::Yes) return;
    if (removeCurrent()) fillList(byName_);
}

void DatabaseEditor::BBRicoClick() {
    remedies::MaintenanceRebuild done;
    bool ok = false;
    {
        const BusyCursor busy;
        ok = runUserAction(this, [&] { done = rebuildLists(); });
    }
    if (!ok) return;
    if (db_ == remedies::Database::Repertory) clearForm();
    fillList(false);
    dialogs().information(this, QString("Archivi di appoggio ricostruiti: %1 file scritti, %2 voci nell'elenco %3.")
                                    .arg(done.files)
                                    .arg(done.lines)
                                    .arg(db_ == remedies::Database::Primary ? "dei sintomi" : "delle patologie"));
}

void DatabaseEditor::BBinfoClick() { toggleOver(MemoIstruz, fields_); }

void DatabaseEditor::BBmodifEleClick() {
    if (!reordering_) {
        reordering_ = true;
        clearForm();
        fillList(true); // file order, by name
        RBprod->hide();
        RBsecond->hide();
        EdCerca->clearSearch();
        EdCerca->setEnabled(false);
        BBmodifEle->setText("Definitivo");
        BBannulla->show();
        picked_ = -1;
        return;
    }
    std::vector<std::int64_t> order;
    for (const remedies::EditorEntry& e : entries_) order.push_back(e.record);
    bool ok = false;
    {
        const BusyCursor busy;
        ok = runUserAction(this, [&] {
            remedies::reorderDatabase(dataDir(), db_, order, [this](std::int64_t next) {
                if (next % 50 != 1) return;
                BBmodifEle->setText(QString::number(next));
                BBmodifEle->repaint();
            });
        });
    }
    if (!ok) {
        BBmodifEle->setText("Definitivo");
        return;
    }
    enterNormalMode();
}

void DatabaseEditor::enterNormalMode() {
    reordering_ = false;
    picked_ = -1;
    BBmodifEle->setText("Modifica Elenco");
    BBannulla->hide();
    RBprod->show();
    RBsecond->show();
    EdCerca->setEnabled(true);
    EdCerca->clearSearch();
    fillList(true);
}

void DatabaseEditor::BBannullaClick() { enterNormalMode(); }

void DatabaseEditor::ListBox1DblClick(int row) {
    if (!reordering_ || row < 0 || row >= static_cast<int>(entries_.size())) return;
    if (picked_ < 0) {
        picked_ = row;
        EdCerca->setText(fromCp1252(entries_[static_cast<std::size_t>(row)].text));
        return;
    }
    if (row != picked_) {
        remedies::moveEntry(entries_, static_cast<std::size_t>(picked_), static_cast<std::size_t>(row));
        refill();
        ListBox1->setCurrentRow(row);
    }
    picked_ = -1;
    EdCerca->clear();
}

void DatabaseEditor::BBtrovaClick() {
    const std::string wanted = foldedKey(toCp1252(EdTrova->text()));
    if (wanted.empty()) return;
    const std::size_t start = trovaContinuing_ ? static_cast<std::size_t>(trovaPos_ + 1) : 0;
    if (const std::optional<std::size_t> found = EdCerca->keys().nextContaining(wanted, start)) {
        const int i = static_cast<int>(*found);
        ListBox1->setCurrentRow(i);
        ListBox1->scrollToItem(ListBox1->item(i));
        trovaPos_ = i;
        trovaContinuing_ = true;
        return;
    }
    trovaContinuing_ = false;
    QApplication::beep();
}

void DatabaseEditor::EdTrovaClick() {
    trovaContinuing_ = false;
    BBtrova->setDefault(true);
}

void DatabaseEditor::BBritornaClick() {
    MemoIstruz->hide();
    if (!admin_) {
        closeWindow();
        return;
    }
    showExitPanel();
}

void DatabaseEditor::showExitPanel() {
    const bool nameChanged = toCp1252(nameBoxText()) != loadedName_;
    const bool keyChanged = toCp1252(keyBoxText()) != loadedKey_;
    if (!nameChanged && !keyChanged && !descChanged_) {
        closeWindow();
        return;
    }
    LabNome->setEnabled(nameChanged);
    LabChiave->setEnabled(keyChanged);
    LabDescr->setEnabled(descChanged_);
    PBsalva->setEnabled(true);
    PBnuovo->setEnabled(nameChanged || keyChanged);
    PBelimina->setEnabled(current_ != 0);
    PanelSalva->adjustSize();
    PanelSalva->move((width() - PanelSalva->width()) / 2, (height() - PanelSalva->height()) / 2);
    PanelSalva->show();
    PanelSalva->raise();
}

void DatabaseEditor::panelAction(int which) {
    PanelSalva->hide();
    bool ok = true;
    switch (which) {
    case 0: ok = save(); break;
    case 1: ok = append(); break;
    case 2: ok = removeCurrent(); break;
    default: clearForm(); break;
    }
    // A save that did not happen keeps the window open with the form as typed.
    if (ok) closeWindow();
}

void DatabaseEditor::closeWindow() {
    closing_ = true;
    PanelSalva->hide();
    QDialog::accept();
    closing_ = false;
}

void DatabaseEditor::reject() {
    if (closing_) {
        QDialog::reject();
        return;
    }
    if (PanelSalva->isVisible()) {
        PanelSalva->hide();
        return;
    }
    BBritornaClick();
}

void DatabaseEditor::closeEvent(QCloseEvent* e) {
    if (closing_ || !isVisible()) {
        e->accept();
        return;
    }
    e->ignore();
    BBritornaClick();
}

} // namespace qv
