#include "remedies/ui/consultation_windows.h"

#include "base/data_dir.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"
#include "base/ui/search_box.h"
#include "remedies/ui/remedy_pages.h"
#include "remedies/ui/warnings_box.h"
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

const char* const kRemedyHelp =
    "Individuare il Rimedio nell'elenco a destra e farvi clic: nelle righe compaiono i sintomi che serve, con "
    "le segnature planetarie e zodiacali; sopra, le Avvertenze, il tipo di preparazione e la Sintesi Psichica.\n"
    "Nella casella Cerca si scrive l'inizio del nome (maiuscole, accenti e punteggiatura non contano): l'elenco "
    "si porta sulla voce corrispondente, che va poi scelta con un clic; se nessuna voce inizia cos\u00EC, sotto la "
    "casella compaiono quelle che contengono il testo e quelle simili. I nomi preceduti dal tipo di preparazione compaiono anche sotto il nome della pianta.\n"
    "I pulsanti numerati 1\u00B0 \u2026 14\u00B0 mostrano in basso, a ogni pressione, Posologia, Sintesi "
    "Psichica, Note e Note Supplementari della loro riga.\n"
    "Quando le righe sono pi\u00F9 di 14 l'indicatore di pagina diventa rosso: le frecce portano alle altre "
    "pagine.\n"
    "Un doppio clic su una casella delle segnature ne elenca le parole; un doppio clic sulle Avvertenze le "
    "ingrandisce (\u00A7 =Segnatura Primaria).";

} // namespace

TFoRimed::TFoRimed(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoRimed");
    setWindowTitle("RIMEDI e Sintomi correlati");
    ListBox1 = entryList(this);
    ListBox1->setMinimumWidth(340);
    EdCerca = new SearchBox(ListBox1, this);
    EdRime = new QLineEdit(this);
    EdRime->setObjectName("EdRime");
    EdRime->setReadOnly(true);
    EdRime->setStyleSheet("QLineEdit { font-weight: bold; }");
    LabSpeci = new QLabel(this);
    LabSpeci->setObjectName("LabSpeci");
    LabSpeci->setMinimumWidth(LabSpeci->fontMetrics().horizontalAdvance("(Quintessenza Spagirica Canonica)") + 8);
    // The warnings grow with their text: every sentence stays on view.
    EdAvve = new WarningsBox(this);
    EdAvve->setToolTip("Doppio clic per ingrandire");
    MemoAvveLarge = new QPlainTextEdit(this);
    MemoAvveLarge->setObjectName("MemoAvveLarge");
    MemoAvveLarge->setReadOnly(true);
    MemoAvveLarge->setStyleSheet("QPlainTextEdit { background-color: #fff4e0; border: 2px solid #c96; }");
    MemoAvveLarge->hide();
    MemoPare = new QLabel(QString::fromStdString(remedies::kUseNumberNotice), this);
    MemoPare->setObjectName("MemoPare");
    MemoPare->setWordWrap(true);
    MemoPare->setStyleSheet("QLabel { color: #a00000; }");
    MemoPare->hide();

    panel_ = new RemedyPagesPanel(
        {{"EdP", "Rimedio", 24}, {"EdA", "Pianeti", 16}, {"EdS", "Segni", 16}, {"EdD", "Sintomo", 34}},
        4,
        [this](int entry) -> std::vector<std::string> {
            const remedies::RemedyRecord& r = matches_.at(static_cast<std::size_t>(entry)).data;
            return {r.rimedio, remedies::planetsText(r), r.segnaturaZodiacale, r.indication()};
        },
        [this](int entry, int state) {
            MemoAvveLarge->hide();
            MemoInfo->hide();
            return remedies::remedyRowNote(matches_.at(static_cast<std::size_t>(entry)).data, state);
        },
        this);
    MemoInfo = helpMemo(this, kRemedyHelp);

    auto* BitBtn1 = windowButton(this, "Pulisci", "BitBtn1");
    auto* BitBtn2 = windowButton(this, "Informazioni On/Off", "BitBtn2");
    auto* BitBtnRitorna = windowButton(this, "&Ritorna al Menu", "BitBtnRitorna");

    auto* head = new QGridLayout;
    head->addWidget(new QLabel("Rimedio", this), 0, 0);
    head->addWidget(EdRime, 0, 1);
    head->addWidget(LabSpeci, 0, 2);
    head->addWidget(new QLabel("Avvertenze", this), 1, 0);
    head->addWidget(EdAvve, 1, 1, 1, 2);
    head->addWidget(MemoPare, 2, 1, 1, 2);
    head->setColumnStretch(1, 1);
    layOutConsultation(this, head, panel_, "Rimedi", ListBox1, EdCerca, BitBtn1, BitBtn2, BitBtnRitorna);
    resize(1240, 760);

    connect(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ListBox1Click(ListBox1->row(item)); });
    connect(BitBtn1, &QPushButton::clicked, this, &TFoRimed::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFoRimed::BitBtn2Click);
    connect(BitBtnRitorna, &QPushButton::clicked, this, &QDialog::accept);
    connect(panel_, &RemedyPagesPanel::boxDoubleClicked, this, &TFoRimed::signaturePopup);
    connect(panel_, &RemedyPagesPanel::boxClicked, this, [this](int, int column) {
        if (column == 1 || column == 2) panel_->hidePopup();
    });
    onMouse(EdAvve->viewport(), {}, [this] {
        MemoAvveLarge->setPlainText(EdAvve->text());
        showOver(MemoAvveLarge, panel_);
    });
    onMouse(MemoAvveLarge->viewport(), [this] { MemoAvveLarge->hide(); });
}

void TFoRimed::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

void TFoRimed::FormActivate() {
    runUserAction(this, [&] {
        fillEntryList(ListBox1, EdCerca, remedies::readSupportList(dataDir(), remedies::files::kRemedyLines,
                                                                    remedies::kLongestRemedyLine));
    });
    EdCerca->setFocus();
}

void TFoRimed::ListBox1Click(int row) {
    if (row < 0 || row >= static_cast<int>(EdCerca->entries().size())) return;
    const std::string line = EdCerca->entries()[static_cast<std::size_t>(row)];
    std::vector<remedies::RemedyMatch> found;
    if (!runUserAction(this, [&] { found = remedies::findRemedy(dataDir(), line); })) return;
    MemoAvveLarge->hide();
    MemoInfo->hide();
    BitBtn1Click();
    MemoPare->setVisible(remedies::hasUseNumber(line));
    matches_ = std::move(found);
    for (const remedies::RemedyMatch& m : matches_) panel_->addMatch(m.record);
    if (matches_.empty()) return;
    const remedies::RemedyRecord& last = matches_.back().data;  // the last record stays on view
    EdRime->setText(fromCp1252(last.rimedio));
    LabSpeci->setText(fromCp1252(remedies::preparationCaption(last.rimedio)));
    EdAvve->setText(fromCp1252(remedies::warningsOrNotice(last)));
    panel_->showNote(last.rimedio + " - Sintesi Psichica", last.synthesis());
}

void TFoRimed::BitBtn1Click() {
    panel_->startSearch();
    matches_.clear();
    EdRime->clear();
    EdAvve->setText(QString());
    EdCerca->clearSearch();
    LabSpeci->clear();
    MemoPare->hide();
    MemoAvveLarge->hide();
}

void TFoRimed::BitBtn2Click() {
    MemoAvveLarge->hide();
    toggleOver(MemoInfo, panel_);
}

void TFoRimed::signaturePopup(int row, int column) {
    const int entry = panel_->pages().entryOfRow(row);
    if (entry >= 0 && (column == 1 || column == 2))
        panel_->showSignatures(row, column, matches_.at(static_cast<std::size_t>(entry)).data, column == 1);
}

} // namespace qv
