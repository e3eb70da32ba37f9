#include "remedies/ui/signature_windows.h"

#include "base/data_dir.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "remedies/consultation.h"
#include "base/ui/search_box.h"
#include "remedies/ui/remedy_pages.h"
#include "remedies/ui/signature_choice.h"
#include "remedies/ui/window_parts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {

const char* const kSignatureHelp =
    "Per conoscere la segnatura astrologica di un rimedio selezionare il rimedio sulla lista Rimedi: ogni clic "
    "aggiunge una riga, cos\u00EC da confrontare le segnature di pi\u00F9 rimedi (dopo la quattordicesima si "
    "ricomincia dalla prima).\n"
    "Per isolare i rimedi con una determinata segnatura astrologica scegliere il pianeta e il segno (Qualsiasi "
    "li accetta tutti) e premere \"Avvia Ricerca Rimedi...\": il pianeta \u00E8 cercato nella segnatura primaria "
    "e nella secondaria, il segno in quella zodiacale. Quando i rimedi trovati sono pi\u00F9 di 14 l'indicatore "
    "di pagina diventa rosso e le frecce portano alle altre pagine.\n"
    "I pulsanti numerati mostrano in basso, a ogni pressione, Avvertenze, Sintesi Psichica, Note e Note "
    "Supplementari del rimedio della riga.";

} // namespace

TFoSegnat::TFoSegnat(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoSegnat");
    setWindowTitle("SEGNATURE  ASTROLOGICHE");
    ListBox2 = entryList(this, "ListBox2");
    EditCerca = new SearchBox(ListBox2, this);
    EditCerca->setObjectName("EditCerca");
    choice_ = new SignatureChoice("Segnatura Planetaria", "Segnatura Zodiacale", SignatureChoice::Signs::AsCarried, this);
    EdTot = new QLineEdit(this);
    EdTot->setObjectName("EdTot");
    EdTot->setReadOnly(true);
    EdTot->setFixedWidth(70);
    auto* BBRicerca = windowButton(this, "Avvia Ricerca Rimedi...", "BBRicerca");

    panel_ = new RemedyPagesPanel(
        {{"EdP", "Rimedio", 26}, {"EdD", "Segn. primaria", 18}, {"EdE", "Segn. secondaria", 18},
         {"EdF", "Segnatura zodiacale", 28}},
        4,
        [this](int entry) -> std::vector<std::string> {
            const remedies::SignatureHit h = remedies::signatureHitOf(rows_.at(static_cast<std::size_t>(entry)).data);
            return {h.rimedio, h.primaria, h.secondaria, h.zodiacale};
        },
        [this](int entry, int state) {
            return remedies::symptomRowNote(rows_.at(static_cast<std::size_t>(entry)).data, state);
        },
        this);
    MemoInfo = helpMemo(this, kSignatureHelp);

    auto* note1 = new QLabel("Per conoscere la segnatura astrologica di un rimedio selezionare il rimedio sulla lista "
                             "Rimedi.", this);
    auto* note2 = new QLabel("Per isolare i rimedi con una determinata segnatura astrologica, specificare qui sotto "
                             "la segnatura richiesta.", this);
    for (QLabel* l : {note1, note2}) l->setStyleSheet("color: #303080;");
    auto* search = new QHBoxLayout;
    search->addWidget(BBRicerca);
    search->addStretch();
    search->addWidget(new QLabel("Rimedi trovati", this));
    search->addWidget(EdTot);
    auto* head = new QVBoxLayout;
    head->addWidget(note1);
    head->addWidget(note2);
    head->addWidget(choice_);
    head->addLayout(search);

    auto* clear = windowButton(this, "Pulisci", "BBpulisci");
    auto* info = windowButton(this, "Informazioni On/Off", "BBinfo");
    auto* back = windowButton(this, "&Ritorna al Menu", "BBritorna");
    layOutConsultation(this, head, panel_, "1) Elenco Rimedi disponibili", ListBox2, EditCerca, clear, info, back);
    resize(1180, 800);

    connect(ListBox2, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ListBox2Click(ListBox2->row(item)); });
    connect(BBRicerca, &QPushButton::clicked, this, &TFoSegnat::BBRicercaClick);
    connect(clear, &QPushButton::clicked, this, &TFoSegnat::PulisciClick);
    connect(info, &QPushButton::clicked, this, &TFoSegnat::InfoClick);
    connect(back, &QPushButton::clicked, this, &QDialog::accept);
}

void TFoSegnat::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

void TFoSegnat::FormActivate() {
    searchMode_ = false;
    rows_.clear();
    panel_->startSearch();
    EdTot->clear();
    EditCerca->clearSearch();
    std::vector<remedies::ListedRemedy> list;
    if (!runUserAction(this, [&] { list = remedies::openRemedyNameList(dataDir()); })) list.clear();
    names_.clear();
    for (const remedies::ListedRemedy& r : list) names_.push_back(r.name);
    fillEntryList(ListBox2, EditCerca, names_);
    EditCerca->setFocus();
}

void TFoSegnat::leaveSearchMode() {
    searchMode_ = false;
    rows_.clear();
    panel_->startSearch();
    EdTot->clear();
}

// Each click lists one more remedy's signatures under the ones before;
// the fifteenth starts the rows again from the first.
void TFoSegnat::ListBox2Click(int row) {
    if (row < 0 || row >= static_cast<int>(names_.size())) return;
    std::optional<remedies::FoundRemedy> found;
    if (!runUserAction(this, [&] { found = remedies::firstRecordOf(dataDir(), names_[static_cast<std::size_t>(row)]); }))
        return;
    if (searchMode_) leaveSearchMode();
    if (!found) return;
    MemoInfo->hide();
    if (rows_.size() == static_cast<std::size_t>(remedies::kRowsPerPage)) {
        rows_.clear();
        panel_->startSearch();
    }
    rows_.push_back(*found);
    panel_->addMatch(found->record);
}

void TFoSegnat::BBRicercaClick() {
    std::vector<remedies::FoundRemedy> hits;
    if (!runUserAction(this, [&] {
            hits = remedies::signatureSearch(dataDir(), names_, choice_->planet(), choice_->signShown());
        }))
        return;
    MemoInfo->hide();
    searchMode_ = true;
    rows_ = std::move(hits);
    panel_->startSearch();
    for (const remedies::FoundRemedy& h : rows_) panel_->addMatch(h.record);
    EdTot->setText(QString::number(rows_.size()));
}

void TFoSegnat::PulisciClick() {
    leaveSearchMode();
    EditCerca->clearSearch();
}

void TFoSegnat::InfoClick() { toggleOver(MemoInfo, panel_); }

} // namespace qv
