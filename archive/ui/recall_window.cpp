#include "archive/ui/recall_window.h"

#include "archive/ui/subject_list_panel.h"
#include "base/data_dir.h"
#include "base/ui/dialogs.h"
#include "base/ui/qt_text.h"
#include "base/ui/storable_text.h"
#include "base/ui/user_action.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {

// A field wide enough for `sample`.
QLineEdit* dataField(QWidget* parent, const char* name, int maxLength, bool readOnly, const char* sample = nullptr) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    e->setReadOnly(readOnly);
    if (sample) e->setMinimumWidth(e->fontMetrics().horizontalAdvance(sample) + 16);
    if (readOnly) e->setStyleSheet("QLineEdit { background-color: palette(window); }");
    return e;
}

} // namespace

TFormRich::TFormRich(QWidget* parent) : QDialog(parent) {
    setObjectName("TFormRich");
    setWindowTitle("Richiamo Dati da Archivio");
    panel_ = new SubjectListPanel(9, true, this);

    EditNome = dataField(this, "EditNome", 38, false);
    EditData = dataField(this, "EditData", 16, true, "00/00/0000 00:00");
    EditCorrez = dataField(this, "EditCorrez", 8, true, "-10,5");
    EditCoordinate = dataField(this, "EditCoordinate", 12, true, "00N00-000E00");
    EditCalend = dataField(this, "EditCalend", 4, true, "GIUL");
    EditLocalita = dataField(this, "EditLocalita", 27, false);
    EditNazional = dataField(this, "EditNazional", 20, false);
    MemoAnnotaz = new QPlainTextEdit(this);
    MemoAnnotaz->setObjectName("MemoAnnotaz");
    MemoAnnotaz->setReadOnly(true);
    MemoAnnotaz->setFixedHeight(MemoAnnotaz->fontMetrics().height() * 4 + 12);
    MemoAnnotaz->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* data = new QGroupBox("Soggetto richiamato", this);
    auto* grid = new QGridLayout(data);
    auto label = [&](const char* text, QWidget* buddy, int row, int column) {
        auto* l = new QLabel(text, data);
        l->setBuddy(buddy);
        grid->addWidget(l, row, column, Qt::AlignRight);
    };
    label("Nome", EditNome, 0, 0);
    grid->addWidget(EditNome, 0, 1, 1, 5);
    label("Data", EditData, 1, 0);
    grid->addWidget(EditData, 1, 1);
    label("Correz", EditCorrez, 1, 2);
    grid->addWidget(EditCorrez, 1, 3);
    label("Calend", EditCalend, 1, 4);
    grid->addWidget(EditCalend, 1, 5);
    label("Localit\u00E0", EditLocalita, 2, 0);
    grid->addWidget(EditLocalita, 2, 1, 1, 3);
    label("Nazional", EditNazional, 2, 4);
    grid->addWidget(EditNazional, 2, 5);
    label("Coordinate", EditCoordinate, 3, 0);
    grid->addWidget(EditCoordinate, 3, 1);
    label("Annotazioni", MemoAnnotaz, 4, 0);
    grid->addWidget(MemoAnnotaz, 4, 1, 1, 5);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(5, 2);

    BBinverti = new QPushButton("&Inverti Cognome/Nome", this);
    BBinverti->setObjectName("BBinverti");
    BBinverti->setEnabled(false);
    BBok = new QPushButton("&OK", this);
    BBok->setObjectName("BBok");
    BBannulla = new QPushButton("&Annulla", this);
    BBannulla->setObjectName("BBannulla");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BBinverti);
    buttons->addStretch();
    buttons->addWidget(BBok);
    buttons->addWidget(BBannulla);
    for (QPushButton* b : {BBinverti, BBok, BBannulla}) b->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel_);
    layout->addWidget(data);
    layout->addLayout(buttons);

    connect(panel_, &SubjectListPanel::subjectChosen, this, &TFormRich::ListBoxNomiSelect);
    connect(panel_, &SubjectListPanel::archiveChanged, this, &TFormRich::clearData);
    connect(BBinverti, &QPushButton::clicked, this, &TFormRich::BBinvertiClick);
    connect(BBok, &QPushButton::clicked, this, &TFormRich::BBokClick);
    connect(BBannulla, &QPushButton::clicked, this, &QDialog::reject);
    panel_->start();
}

void TFormRich::clearData() {
    recall_.reset();
    for (QLineEdit* e : {EditNome, EditData, EditCorrez, EditCoordinate, EditCalend, EditLocalita, EditNazional})
        e->clear();
    MemoAnnotaz->clear();
    BBinverti->setEnabled(false);
}

// A subject chosen in the list: its data are shown (and PointGlo.dum
// written); the current subject changes only with "&OK".
void TFormRich::ListBoxNomiSelect(int position) {
    clearData();
    runUserAction(this, [&] {
        Recall r = recallSubject(*panel_->archive(), position);
        const DecodedBirth& b = r.birth;
        chosenName_ = r.subject.entry.name();
        EditNome->setText(fromCp1252(chosenName_));
        EditData->setText(fromCp1252(b.dateText()));
        EditCorrez->setText(fromCp1252(b.corrText));
        EditCoordinate->setText(fromCp1252(b.coordinates));
        EditCalend->setText(b.gregorian ? "GREG" : "GIUL");
        EditLocalita->setText(fromCp1252(b.place));
        EditNazional->setText(fromCp1252(b.nation));
        if (r.subject.annotation) {
            QStringList lines;
            for (const std::string& line : r.subject.annotation->lines) lines << fromCp1252(trimSpaces(line));
            MemoAnnotaz->setPlainText(lines.join('\n'));
        }
        for (QLineEdit* e : {EditNome, EditData, EditCorrez, EditCoordinate, EditCalend, EditLocalita, EditNazional})
            e->setCursorPosition(0);
        recall_ = std::move(r);
        inversions_ = 0;
        BBinverti->setEnabled(true);
        BBok->setFocus();
    });
}

void TFormRich::BBinvertiClick() {
    if (!recall_) return;
    ++inversions_;
    const QString name = fromCp1252(invertedName(chosenName_, inversions_));
    EditNome->setText(name);
    panel_->setFieldText(name);
}

void TFormRich::BBokClick() {
    if (panel_->fieldRed()) {
        panel_->clearField(false);
        return;
    }
    if (!recall_) {
        dialogs().information(this, "Doppio Clic sull'Elenco Nomi");
        return;
    }
    // The current subject is not written with "?" for a character its
    // files cannot hold.
    if (const QString why = unstorableTextIn(this); !why.isEmpty()) {
        dialogs().information(this, why);
        return;
    }
    const bool ok = runUserAction(this, [&] {
        confirmRecall(*recall_, toCp1252(EditNome->text()), toCp1252(EditLocalita->text()),
                      toCp1252(EditNazional->text()));
    });
    if (!ok) return;
    recalled_ = true;
    accept();
}

// Leaving notes the archive, the entry and its position in MMDatArc.dum.
void TFormRich::done(int result) {
    if (panel_->archive() && panel_->lastPosition() > 0) {
        runUserAction(this, [&] {
            const IndexEntry& entry = panel_->lastEntry();
            writeArchiveChoice(panel_->archive()->name(), entry.text, panel_->lastPosition(), trimRight(entry.name()));
        });
    }
    QDialog::done(result);
}

} // namespace qv
