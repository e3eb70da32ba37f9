#include "archive/ui/modification_window.h"

#include "consultations/subject_lifecycle.h"

#include "archive/correction_review.h"
#include "archive/side_files.h"
#include "archive/ui/subject_list_panel.h"
#include "base/data_dir.h"
#include "base/ui/dialogs.h"
#include "base/ui/storable_text.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "settings/display_settings.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace qv {

namespace {

QLineEdit* editField(QWidget* parent, const char* name, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    QFont fixed("Courier New");
    fixed.setStyleHint(QFont::TypeWriter);
    e->setFont(fixed);
    const QFontMetrics fm(fixed);
    e->setMinimumWidth(fm.horizontalAdvance(QString(maxLength + 1, 'M')) + 12);
    return e;
}

// A correction as the user reads it: a true minus sign.
QString signedText(const std::string& corr) {
    QString text = fromCp1252(corr);
    if (text.startsWith('-')) text.replace(0, 1, QChar(0x2212));
    return text;
}

// "La correzione cambia da −1 a −2: confermare?", with a line for the
// coordinates and the calendar when they change too.
QString reviewQuestion(const SubjectEdit& typed, const CorrectionReview& r) {
    QStringList lines;
    if (r.correctionDiffers)
        lines << "La correzione cambia da " + signedText(typed.corr) + " a " + signedText(r.correction);
    if (r.coordinatesDiffer)
        lines << "Le coordinate cambiano da " + fromCp1252(typed.coordinates) + " a " + fromCp1252(r.coordinates);
    if (r.calendarDiffers)
        lines << "Il calendario cambia da " + fromCp1252(typed.calendar) + " a " + fromCp1252(r.calendar);
    return lines.join('\n') + ": confermare?";
}

QString candidatesText(const CorrectionReview& r) {
    QString text = "Pi\u00F9 localit\u00E0 con questo nome: indicare quale (provincia o stato)";
    for (const atlas::Place& p : r.candidates) text += "\n  " + fromCp1252(p.name) + " - " + fromCp1252(p.state);
    return text;
}

} // namespace

TFoModifi::TFoModifi(SubjectTextOpener openText, QWidget* parent)
    : QDialog(parent), openText_(std::move(openText)) {
    setObjectName("TFoModifi");
    setWindowTitle("Modifica Dati di Nascita");

    panel_ = new SubjectListPanel(8, false, this);
    auto* listPage = new QWidget(this);
    auto* lp = new QVBoxLayout(listPage);
    lp->setContentsMargins(0, 0, 0, 0);
    lp->addWidget(panel_);
    auto* hint = new QLabel("Doppio clic sul nome del soggetto da modificare", listPage);
    lp->addWidget(hint);
    lp->addStretch();

    auto* dataPage = new QGroupBox("Dati di nascita del soggetto", this);
    EditNome = editField(dataPage, "EditNome", 38);
    EditData = editField(dataPage, "EditData", 10);
    EditOra = editField(dataPage, "EditOra", 5);
    EditCorr = editField(dataPage, "EditCorr", 8);
    LabCorrAtlante = new QLabel(dataPage);
    LabCorrAtlante->setObjectName("LabCorrAtlante");
    EditLocalita = editField(dataPage, "EditLocalita", 27);
    EditStato = editField(dataPage, "EditStato", 20);
    EditCoordin = editField(dataPage, "EditCoordin", 12);
    EditCalendario = editField(dataPage, "EditCalendario", 10);
    const int widths[4] = {70, 70, 70, 64};
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = "EditAnnot" + QByteArray::number(i + 1);
        EditAnnot[static_cast<std::size_t>(i)] = editField(dataPage, name.constData(), widths[i]);
    }
    EditNumTesto = editField(dataPage, "EditNumTesto", 5);

    auto* grid = new QGridLayout(dataPage);
    auto label = [&](const char* text, QWidget* buddy, int row, int column) {
        auto* l = new QLabel(text, dataPage);
        l->setBuddy(buddy);
        grid->addWidget(l, row, column, Qt::AlignRight);
    };
    label("Nome", EditNome, 0, 0);
    grid->addWidget(EditNome, 0, 1, 1, 3, Qt::AlignLeft);
    label("Data", EditData, 1, 0);
    grid->addWidget(EditData, 1, 1, Qt::AlignLeft);
    label("Ora", EditOra, 1, 2);
    grid->addWidget(EditOra, 1, 3, Qt::AlignLeft);
    label("Corr", EditCorr, 2, 0);
    auto* corrRow = new QHBoxLayout;
    corrRow->addWidget(EditCorr);
    corrRow->addWidget(LabCorrAtlante);
    corrRow->addStretch();
    grid->addLayout(corrRow, 2, 1);
    label("Calendario", EditCalendario, 2, 2);
    grid->addWidget(EditCalendario, 2, 3, Qt::AlignLeft);
    label("Localit\u00E0", EditLocalita, 3, 0);
    grid->addWidget(EditLocalita, 3, 1, Qt::AlignLeft);
    label("Stato", EditStato, 3, 2);
    grid->addWidget(EditStato, 3, 3, Qt::AlignLeft);
    label("Coordin", EditCoordin, 4, 0);
    grid->addWidget(EditCoordin, 4, 1, Qt::AlignLeft);
    auto* formats = new QLabel("Correggere rispettando i formati", dataPage);
    formats->setObjectName("LabFormati");
    formats->setStyleSheet("color: maroon; font-weight: bold;");
    grid->addWidget(formats, 4, 2, 1, 2);
    auto* notes = new QLabel("Annotazioni", dataPage);
    grid->addWidget(notes, 5, 0, Qt::AlignRight | Qt::AlignTop);
    for (int i = 0; i < 4; ++i) grid->addWidget(EditAnnot[static_cast<std::size_t>(i)], 5 + i, 1, 1, 3, Qt::AlignLeft);
    label("N. Testo", EditNumTesto, 9, 0);
    grid->addWidget(EditNumTesto, 9, 1, Qt::AlignLeft);
    grid->setColumnStretch(3, 1);

    pages_ = new QStackedWidget(this);
    pages_->addWidget(listPage);
    pages_->addWidget(dataPage);

    BBokRegistra = new QPushButton("&OK  Registra", this);
    BBokRegistra->setObjectName("BBokRegistra");
    BBtesto = new QPushButton("Crea / Aggiorna Testo Esteso", this);
    BBtesto->setObjectName("BBtesto");
    BBelenco = new QPushButton("Elenco", this);
    BBelenco->setObjectName("BBelenco");
    BBancora = new QPushButton("&Ancora", this);
    BBancora->setObjectName("BBancora");
    BBritorna = new QPushButton("&Ritorna a Menu Principale", this);
    BBritorna->setObjectName("BBritorna");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BBokRegistra, BBtesto, BBelenco, BBancora}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(BBritorna);
    for (QPushButton* b : {BBokRegistra, BBtesto, BBelenco, BBancora, BBritorna}) b->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(buttons);

    connect(panel_, &SubjectListPanel::subjectChosen, this, &TFoModifi::ListBoxNomiSelect);
    connect(BBokRegistra, &QPushButton::clicked, this, &TFoModifi::BBokRegistraClick);
    connect(BBtesto, &QPushButton::clicked, this, &TFoModifi::BBtestoClick);
    connect(BBelenco, &QPushButton::clicked, this, &TFoModifi::BBelencoClick);
    connect(BBancora, &QPushButton::clicked, this, &TFoModifi::BBancoraClick);
    connect(BBritorna, &QPushButton::clicked, this, &QDialog::accept);
    for (QLineEdit* e : {EditData, EditOra, EditLocalita, EditStato, EditCalendario})
        connect(e, &QLineEdit::editingFinished, this, &TFoModifi::EditNascitaExit);
    showList();
    panel_->start();
}

bool TFoModifi::showsData() const { return pages_->currentIndex() == 1; }

void TFoModifi::showList() {
    subject_.reset();
    showEdit(SubjectEdit{});
    setLocked(false);
    pages_->setCurrentIndex(0);
    BBokRegistra->setEnabled(false);
    BBtesto->setEnabled(false);
    BBelenco->setEnabled(false);
    BBancora->setEnabled(false);
}

void TFoModifi::setLocked(bool locked) {
    locked_ = locked;
    for (QLineEdit* e : {EditNome, EditData, EditOra, EditCorr, EditLocalita, EditStato, EditCoordin, EditCalendario,
                         EditAnnot[0], EditAnnot[1], EditAnnot[2], EditAnnot[3], EditNumTesto})
        e->setReadOnly(locked);
    BBokRegistra->setEnabled(!locked);
    BBtesto->setEnabled(!locked);
    BBancora->setEnabled(locked);
}

SubjectEdit TFoModifi::editFromFields() const {
    SubjectEdit e;
    e.name = toCp1252(EditNome->text());
    e.date = toCp1252(EditData->text());
    e.time = toCp1252(EditOra->text());
    e.corr = toCp1252(EditCorr->text());
    e.place = toCp1252(EditLocalita->text());
    e.nation = toCp1252(EditStato->text());
    e.coordinates = toCp1252(EditCoordin->text());
    e.calendar = toCp1252(EditCalendario->text());
    for (std::size_t i = 0; i < 4; ++i) e.annotations[i] = toCp1252(EditAnnot[i]->text());
    e.textNumber = toCp1252(EditNumTesto->text());
    return e;
}

void TFoModifi::showEdit(const SubjectEdit& e) {
    EditNome->setText(fromCp1252(e.name));
    EditData->setText(fromCp1252(e.date));
    EditOra->setText(fromCp1252(e.time));
    EditCorr->setText(fromCp1252(e.corr));
    EditLocalita->setText(fromCp1252(e.place));
    EditStato->setText(fromCp1252(e.nation));
    EditCoordin->setText(fromCp1252(e.coordinates));
    EditCalendario->setText(fromCp1252(e.calendar));
    for (std::size_t i = 0; i < 4; ++i) EditAnnot[i]->setText(fromCp1252(e.annotations[i]));
    EditNumTesto->setText(fromCp1252(e.textNumber));
    for (QLineEdit* f : findChildren<QLineEdit*>()) f->setCursorPosition(0);
    LabCorrAtlante->clear();
}

CorrectionReview TFoModifi::review(const SubjectEdit& typed) const {
    SubjectEdit stored = editFieldsOf(*subject_);
    checkSubjectEdit(stored);  // strips the fields as the typed ones were
    return reviewCorrection(stored, typed, calendarReformSetting());
}

void TFoModifi::EditNascitaExit() {
    if (!subject_ || locked_) return;
    SubjectEdit typed = editFromFields();
    checkSubjectEdit(typed);
    CorrectionReview r;
    if (!runUserAction(this, [&] { r = review(typed); })) return;
    LabCorrAtlante->setToolTip({});
    switch (r.answer) {
    case AtlasAnswer::Unchanged: LabCorrAtlante->clear(); break;
    case AtlasAnswer::Derived: {
        QStringList notes;
        for (const std::string& note : r.notes) notes << fromCp1252(note);
        LabCorrAtlante->setText("Atlante: " + signedText(r.correction) + (notes.isEmpty() ? "" : "  (vedi nota)"));
        LabCorrAtlante->setToolTip(notes.join('\n'));
        break;
    }
    case AtlasAnswer::NotFound: LabCorrAtlante->setText("Localit\u00E0 non trovata nell'atlante"); break;
    case AtlasAnswer::Ambiguous: LabCorrAtlante->setText("Pi\u00F9 localit\u00E0 con questo nome"); break;
    case AtlasAnswer::NotDerived: LabCorrAtlante->setText(fromCp1252(r.reason)); break;
    }
}

// A correction that no longer fits the birth data would put every chart of
// the subject off by the difference: the atlas value is offered, and the
// typed one stays when the user keeps it on purpose.
bool TFoModifi::correctionReviewed(SubjectEdit& edit) {
    CorrectionReview r;
    if (!runUserAction(this, [&] { r = review(edit); })) return false;
    if (r.answer == AtlasAnswer::Ambiguous) {
        dialogs().information(this, candidatesText(r));
        return false;
    }
    if (!r.proposesChange()) return true;
    if (dialogs().question(this, reviewQuestion(edit, r)) == Dialogs::Answer::Yes) acceptReview(edit, r);
    return true;
}

// A double click on a name: the data panel takes the list's place.
void TFoModifi::ListBoxNomiSelect(int position) {
    runUserAction(this, [&] {
        StoredSubject s = readStoredSubject(*panel_->archive(), position);
        showEdit(editFieldsOf(s));
        subjectIsCurrent_ = isCurrentSubject(s);
        subject_ = std::move(s);
        setLocked(false);
        BBelenco->setEnabled(true);
        pages_->setCurrentIndex(1);
        EditNome->setFocus();
    });
}

bool TFoModifi::checksPass(SubjectEdit& edit) {
    EditCheck check = checkSubjectEdit(edit);
    showEdit(edit);
    if (!check.failure.empty()) {
        dialogs().information(this, fromCp1252(check.failure));
        return false;
    }
    if (!correctionReviewed(edit)) return false;
    check = checkSubjectEdit(edit);
    showEdit(edit);
    if (!check.question.empty() && dialogs().question(this, fromCp1252(check.question)) != Dialogs::Answer::Yes)
        return false;
    return true;
}

bool TFoModifi::rewrite(const SubjectEdit& edit) {
    setLocked(true);
    BBancora->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    consultations::SubjectCorrection done;
    // The archive records and the consultations change together.
    const bool ok =
        runUserAction(this, [&] { done = consultations::correctSubject(*panel_->archive(), *subject_, edit, true); });
    QApplication::restoreOverrideCursor();
    if (!ok || !done.failure.empty()) {
        if (ok) dialogs().information(this, fromCp1252(done.failure));
        setLocked(false);
        return false;
    }
    // The subject now stands where the rewrite put it; the list is read again.
    panel_->reopen();
    subject_.reset();
    if (panel_->archive())
        runUserAction(this, [&] { subject_ = readStoredSubject(*panel_->archive(), done.indexPosition); });
    BBancora->setEnabled(true);
    if (subjectIsCurrent_ && subject_) offerCurrentSubjectUpdate();
    return true;
}

// The current subject keeps its data unless the user asks otherwise; then
// it takes the new ones, and the windows that show it are told.
void TFoModifi::offerCurrentSubjectUpdate() {
    if (dialogs().question(this, "Aggiornare anche il soggetto attuale?") != Dialogs::Answer::Yes) {
        subjectIsCurrent_ = false;
        return;
    }
    if (runUserAction(this, [&] { makeCurrentSubject(*panel_->archive(), subject_->indexPosition); }))
        emit currentSubjectChanged();
}

// A character the archives cannot hold is refused before anything is
// written, rather than stored as "?".
bool TFoModifi::fieldsStorable() {
    if (const QString why = unstorableTextIn(pages_->widget(1)); !why.isEmpty()) {
        dialogs().information(this, why);
        return false;
    }
    return true;
}

void TFoModifi::BBokRegistraClick() {
    if (!subject_ || locked_ || !panel_->archive() || !fieldsStorable()) return;
    SubjectEdit edit = editFromFields();
    if (!checksPass(edit)) return;
    rewrite(edit);
}

// Creates the subject's text document (or reuses the one it has), rewrites
// the subject with its number and opens the document in the editor.
void TFoModifi::BBtestoClick() {
    if (!subject_ || locked_ || !panel_->archive() || !fieldsStorable()) return;
    SubjectEdit edit = editFromFields();
    if (!checksPass(edit)) return;
    std::string path;
    const bool ok = runUserAction(this, [&] {
        const std::string archive = panel_->archive()->name();
        const std::string number = textDocumentForEdit(archive, edit);
        edit.textNumber = number;
        EditNumTesto->setText(fromCp1252(number));
        path = textDocumentPath(archive, number);
    });
    if (!ok || !rewrite(edit)) return;
    openText_(this, fromCp1252(path));
}

void TFoModifi::BBelencoClick() { showList(); }

void TFoModifi::BBancoraClick() { showList(); }

} // namespace qv
