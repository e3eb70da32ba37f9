#include "remedies/ui/consultation_windows.h"

#include "base/data_dir.h"
#include "base/ui/dialogs.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "consultations/offered_remedies.h"
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"
#include "base/ui/search_box.h"
#include "remedies/ui/remedy_pages.h"
#include "remedies/ui/window_parts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {

const char* const kSymptomHelp =
    "Individuare il Disturbo (o Sintomo) nell'elenco a destra e farvi clic: nelle righe compaiono i rimedi "
    "che lo servono, con le segnature planetarie e zodiacali e la posologia.\n"
    "Nella casella Cerca si scrive l'inizio del sintomo (maiuscole, accenti e punteggiatura non contano): "
    "l'elenco si porta sulla voce corrispondente, che si apre con un clic o con Invio. Se nessuna voce inizia "
    "cos\u00EC, sotto la casella compaiono quelle che contengono il testo e quelle simili; se nessuna corrisponde, "
    "la casella lo dice in rosso.\n"
    "I pulsanti numerati 1\u00B0 \u2026 14\u00B0 mostrano in basso, a ogni pressione, Avvertenze, Sintesi "
    "Psichica, Note e Note Supplementari del rimedio della loro riga.\n"
    "Quando i rimedi sono pi\u00F9 di 14 l'indicatore di pagina diventa rosso: le frecce portano alle pagine "
    "seguenti e precedenti.\n"
    "Un doppio clic su una casella delle segnature ne elenca le parole (\u00A7 =Segnatura Primaria).";

} // namespace

TFoSintom1::TFoSintom1(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoSintom1");
    setWindowTitle("SINTOMI e Rimedi Correlati");
    ListBox1 = entryList(this);
    EdCerca = new SearchBox(ListBox1, this);
    EdDist = new QLineEdit(this);
    EdDist->setObjectName("EdDist");
    EdDist->setReadOnly(true);
    EdDist->setStyleSheet("QLineEdit { font-weight: bold; }");

    panel_ = new RemedyPagesPanel(
        {{"EdP", "Rimedio", 24}, {"EdA", "Pianeti", 16}, {"EdS", "Segni", 16}, {"EdD", "Posologia", 34}},
        4,
        [this](int entry) -> std::vector<std::string> {
            const remedies::RemedyRecord& r = matches_.at(static_cast<std::size_t>(entry)).data;
            return {r.rimedio, remedies::planetsText(r), r.segnaturaZodiacale, r.dosage()};
        },
        [this](int entry, int state) { return remedies::symptomRowNote(matches_.at(static_cast<std::size_t>(entry)).data, state); },
        this);
    MemoInfo = helpMemo(this, kSymptomHelp);

    auto* BitBtn1 = windowButton(this, "Pulisci", "BitBtn1");
    auto* BitBtn2 = windowButton(this, "Informazioni On/Off", "BitBtn2");
    auto* BitBtnRitorna = windowButton(this, "&Ritorna al Menu", "BitBtnRitorna");

    // The remedy of the row clicked last waits for the next consultation.
    auto* BBaggiungiConsulto = windowButton(this, "Aggiungi alla consultazione", "BBaggiungiConsulto");
    BBaggiungiConsulto->setToolTip("Clic sul rimedio di una riga, poi qui: entra nel modulo della prossima consultazione");
    auto* chosen = new QHBoxLayout;
    chosen->addWidget(new QLabel("Sintomo", this));
    chosen->addWidget(EdDist, 1);
    chosen->addWidget(BBaggiungiConsulto);
    layOutConsultation(this, chosen, panel_, "Sintomi", ListBox1, EdCerca, BitBtn1, BitBtn2, BitBtnRitorna);
    resize(1180, 720);

    connect(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ListBox1Click(ListBox1->row(item)); });
    // Enter in the "Cerca" box opens the symptom it selected, as a click would.
    connect(EdCerca, &SearchBox::entryActivated, this, &TFoSintom1::ListBox1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TFoSintom1::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFoSintom1::BitBtn2Click);
    connect(BitBtnRitorna, &QPushButton::clicked, this, &QDialog::accept);
    connect(panel_, &RemedyPagesPanel::boxDoubleClicked, this, &TFoSintom1::signaturePopup);
    connect(panel_, &RemedyPagesPanel::boxClicked, this, [this](int row, int column) {
        chosenRow_ = row;
        if (column == 1) panel_->hidePopup();
    });
    connect(BBaggiungiConsulto, &QPushButton::clicked, this, &TFoSintom1::BBaggiungiConsultoClick);
}

void TFoSintom1::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

void TFoSintom1::FormActivate() {
    EdCerca->clearSearch();
    runUserAction(this, [&] {
        fillEntryList(ListBox1, EdCerca, remedies::readSupportList(dataDir(), remedies::files::kSymptomList,
                                                                    remedies::kLongestIndication));
    });
    EdCerca->setFocus();
}

void TFoSintom1::ListBox1Click(int row) {
    if (row < 0 || row >= static_cast<int>(EdCerca->entries().size())) return;
    const std::string line = EdCerca->entries()[static_cast<std::size_t>(row)];
    std::vector<remedies::RemedyMatch> found;
    if (!runUserAction(this, [&] { found = remedies::findSymptom(dataDir(), line); })) return;
    MemoInfo->hide();
    matches_ = std::move(found);
    chosenRow_ = -1;
    panel_->startSearch();
    EdDist->clear();
    for (const remedies::RemedyMatch& m : matches_) {
        panel_->addMatch(m.record);
        EdDist->setText(fromCp1252(m.data.indication()));
    }
    EdDist->setCursorPosition(0);
}

void TFoSintom1::BitBtn1Click() {
    panel_->startSearch();
    matches_.clear();
    chosenRow_ = -1;
    EdDist->clear();
    EdCerca->clearSearch();
}

void TFoSintom1::BBaggiungiConsultoClick() {
    const int entry = chosenRow_ < 0 ? -1 : panel_->pages().entryOfRow(chosenRow_);
    if (entry < 0 || entry >= static_cast<int>(matches_.size())) {
        dialogs().information(this, "Fare prima clic sul rimedio di una riga");
        return;
    }
    const std::string name = remedies::listedForm(matches_[static_cast<std::size_t>(entry)].data.rimedio);
    consultations::offerRemedy(name);
    dialogs().information(this, fromCp1252(name) + " sar\u00E0 nel modulo della prossima consultazione (Consultazioni)");
}

void TFoSintom1::BitBtn2Click() { toggleOver(MemoInfo, panel_); }

void TFoSintom1::signaturePopup(int row, int column) {
    const int entry = panel_->pages().entryOfRow(row);
    if (entry >= 0 && (column == 1 || column == 2))
        panel_->showSignatures(row, column, matches_.at(static_cast<std::size_t>(entry)).data, column == 1);
}

} // namespace qv
