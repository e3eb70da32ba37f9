#include "archive/ui/deletion_window.h"

#include "archive/subject_operations.h"
#include "archive/ui/subject_list_panel.h"
#include "chart/chart_computation.h"
#include "base/ui/dialogs.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "consultations/subject_lifecycle.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <optional>

namespace qv {

namespace {

QPlainTextEdit* memo(QWidget* parent, const char* name, int lines, bool fixedPitch) {
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(name);
    m->setReadOnly(true);
    m->setLineWrapMode(fixedPitch ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    if (fixedPitch) {
        QFont fixed("Courier New");
        fixed.setStyleHint(QFont::TypeWriter);
        m->setFont(fixed);
    }
    m->setFixedHeight(m->fontMetrics().lineSpacing() * lines + 14);
    return m;
}

} // namespace

TFoCancel::TFoCancel(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoCancel");
    setWindowTitle("Eliminazione Dati da Archivio");
    panel_ = new SubjectListPanel(9, false, this);

    auto* verification = new QGroupBox("Verifica Dati da Eliminare", this);
    MemoVerifica = memo(verification, "MemoVerifica", 7, true);
    MemoVerifica->setMinimumWidth(QFontMetrics(MemoVerifica->font()).horizontalAdvance(QString(46, 'M')));
    MemoAnnotaz = memo(verification, "MemoAnnotaz", 7, false);
    MemoAnnotaz->setMinimumWidth(MemoAnnotaz->fontMetrics().horizontalAdvance(QString(36, 'M')));
    LabNumTesto = new QLabel(verification);
    LabNumTesto->setObjectName("LabNumTesto");
    QFont small = LabNumTesto->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    LabNumTesto->setFont(small);
    auto* vl = new QGridLayout(verification);
    vl->addWidget(MemoVerifica, 0, 0);
    vl->addWidget(MemoAnnotaz, 0, 1);
    vl->addWidget(LabNumTesto, 1, 1, Qt::AlignRight);
    vl->setColumnStretch(1, 1);

    BBelimina = new QPushButton("&OK Elimina Dato", this);
    BBelimina->setObjectName("BBelimina");
    BBelimina->setEnabled(false);
    BBritorna = new QPushButton("&Ritorna", this);
    BBritorna->setObjectName("BBritorna");
    for (QPushButton* b : {BBelimina, BBritorna}) b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BBelimina);
    buttons->addStretch();
    buttons->addWidget(BBritorna);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel_);
    layout->addWidget(verification);
    layout->addLayout(buttons);

    connect(panel_, &SubjectListPanel::subjectChosen, this, &TFoCancel::ListBoxNomiSelect);
    connect(panel_, &SubjectListPanel::archiveChanged, this, [this] {
        clearVerification();
        BBelimina->setEnabled(false);
    });
    connect(BBelimina, &QPushButton::clicked, this, &TFoCancel::BBeliminaClick);
    connect(BBritorna, &QPushButton::clicked, this, &QDialog::accept);
    panel_->start();
}

void TFoCancel::clearVerification() {
    verified_ = 0;
    MemoVerifica->clear();
    MemoAnnotaz->clear();
    LabNumTesto->clear();
}

// A double click on a name shows what would be deleted.
void TFoCancel::ListBoxNomiSelect(int position) {
    clearVerification();
    runUserAction(this, [&] {
        const StoredSubject s = readStoredSubject(*panel_->archive(), position);
        const DecodedBirth b = decodeBirth(s.record);
        const QStringList lines = {
            fromCp1252(s.entry.name()),
            // The correction as the main window and the chart show it.
            fromCp1252("Nascita " + b.dateText() + "  Correz. " + zoneTextOf(b.corr)),
            fromCp1252("Localit\xE0: " + b.place),
            fromCp1252("Nazionalit\xE0: " + b.nation),
            fromCp1252("Coordinate: " + b.coordinates),
            b.gregorian ? QString("Calendario: GREGORIANO") : QString("Calendario: GIULIANO"),
            fromCp1252(s.record.reserved2),
        };
        MemoVerifica->setPlainText(lines.join('\n'));
        if (s.annotation) {
            QStringList notes;
            for (const std::string& line : s.annotation->lines) notes << fromCp1252(trimSpaces(line));
            MemoAnnotaz->setPlainText(notes.join('\n'));
        }
        const std::string number = s.textNumber();
        LabNumTesto->setText(number.empty() ? QString() : "Testo n. " + fromCp1252(number));
        verified_ = position;
        BBelimina->setEnabled(true);
    });
}

// Deletes the subject shown for verification; there is no further question.
void TFoCancel::BBeliminaClick() {
    if (verified_ < 1 || !panel_->archive()) {
        dialogs().information(this, "Doppio Clic su Elenco");
        return;
    }
    if (panel_->fieldRed()) {
        panel_->clearField(true);
        dialogs().information(this, "Scelta Non valida");
        return;
    }
    // A subject with consultations on record: the practitioner says whether
    // they go with it (they are health data about the person) or stay.
    int recorded = 0;
    if (!runUserAction(this, [&] {
            recorded =
                consultations::consultationsOnRecord(*panel_->archive(), readStoredSubject(*panel_->archive(), verified_));
        }))
        return;
    bool withConsultations = false;
    if (recorded > 0) {
        const Dialogs::Answer a = dialogs().question(
            this, QStringLiteral("Il soggetto ha %1 consultazion%2 registrat%3. Eliminarl%4 insieme al soggetto?")
                      .arg(recorded)
                      .arg(recorded == 1 ? "e" : "i")
                      .arg(recorded == 1 ? "a" : "e")
                      .arg(recorded == 1 ? "a" : "e"),
            true);
        if (a == Dialogs::Answer::Cancel) return;
        withConsultations = a == Dialogs::Answer::Yes;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // One step: the entry, its records and (when asked) its consultations go
    // together, or nothing changes.
    consultations::SubjectDeletion done;
    const bool deleted = runUserAction(this, [&] {
        done = consultations::deleteSubjectWhole(*panel_->archive(), verified_,
                                                 withConsultations ? consultations::ConsultationsOfDeleted::Delete
                                                                   : consultations::ConsultationsOfDeleted::Keep);
    });
    QApplication::restoreOverrideCursor();
    // The list and the verification show the archive as it is now before
    // anything is said about it.
    clearVerification();
    panel_->clearField(false);
    panel_->reopen();
    if (deleted && done.wasCurrent)
        dialogs().information(this, "Il soggetto eliminato era il soggetto attuale: ora nessun soggetto \u00E8 "
                                    "selezionato");
}

} // namespace qv
