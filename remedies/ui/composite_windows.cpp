#include "remedies/ui/composite_windows.h"

#include "base/data_dir.h"
#include "base/ui/dialogs.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "archive/current_subject.h"
#include "consultations/offered_remedies.h"
#include "remedies/remedy_files.h"
#include "remedies/support_lists.h"
#include "base/ui/search_box.h"
#include "remedies/ui/window_parts.h"

#include <QApplication>
#include <QCheckBox>
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

const char* const kSlotNormal = "QLineEdit { background-color: rgb(192, 192, 192); }";
const char* const kSlotServed = "QLineEdit { background-color: rgb(254, 226, 186); }";

const char* const kSymptomsCompositeHelp =
    "- Individuare, sulla colonna di destra, i SINTOMI PRESENTI.\n"
    "- Con un clic, questi sintomi (max 15) vengono copiati sulle caselle numerate.\n"
    "- Clic su [Avvia Ricerca] per rintracciare i RIMEDI adatti. Verr\u00E0 compilata una colonna\n"
    "  nella quale il nome del RIMEDIO \u00E8 preceduto da un numero che specifica per quanti dei\n"
    "  SINTOMI PRESENTI \u00E8 adatto quel RIMEDIO.\n"
    "- Clic sui RIMEDI rintracciati per precisare a quali dei SINTOMI PRESENTI possono\n"
    "  essere associati.\n"
    "Il pulsante [Trova] permette il riconoscimento di un SINTOMO nella cui descrizione \u00E8\n"
    "presente la parola scritta nella casella azzurra. Il pulsante [Trova] pu\u00F2 essere\n"
    "azionato pi\u00F9 volte in successione. ";

const char* const kTherapiesCompositeHelp =
    "- Individuare, sulla colonna di destra, i DISTURBI PRESENTI.\n"
    "- Con un clic, questi disturbi (max 15) vengono copiati sulle caselle numerate.\n"
    "- Clic su [Avvia Ricerca] per rintracciare le TERAPIE adatte. Verr\u00E0 compilata una colonna\n"
    "  nella quale il nome della TERAPIA \u00E8 preceduto da un numero che specifica per quanti dei\n"
    "  DISTURBI PRESENTI \u00E8 adatta quella TERAPIA.\n"
    "- Clic sulle TERAPIE rintracciate per precisare a quali dei DISTURBI PRESENTI possono\n"
    "  essere associate.\n"
    "Il pulsante [Trova] permette il riconoscimento di un DISTURBO nella cui descrizione \u00E8\n"
    "presente la parola scritta nella casella azzurra. Il pulsante [Trova] pu\u00F2 essere\n"
    "azionato pi\u00F9 volte in successione. ";

} // namespace

TFoRicCom::TFoRicCom(QWidget* parent)
    : CompositeSearchWindow(remedies::CompositeKind::Symptoms, "TFoRicCom", "SINTOMI MULTIPLI",
                            QString::fromUtf8(kSymptomsCompositeHelp), parent) {}

TFoTerCom::TFoTerCom(QWidget* parent)
    : CompositeSearchWindow(remedies::CompositeKind::Therapies, "TFoTerCom", "TERAPIE COMPOSITE",
                            QString::fromUtf8(kTherapiesCompositeHelp), parent) {}

CompositeSearchWindow::CompositeSearchWindow(remedies::CompositeKind kind, const char* name, const QString& caption,
                                             const QString& help, QWidget* parent)
    : QDialog(parent), kind_(kind) {
    setObjectName(name);
    setWindowTitle(caption);
    ListBox1 = entryList(this);
    EdCerca = new SearchBox(ListBox1, this);
    EdCerca->setStyleSheet("QLineEdit { background-color: #c8f0ff; }");
    auto* BBtrova = windowButton(this, "Trova", "BBtrova");

    auto* slotGrid = new QGridLayout;
    slotGrid->setVerticalSpacing(2);
    for (int k = 0; k < remedies::kComplaintSlots; ++k) {
        auto* label = new QLabel(QString("%1)").arg(k + 1, 2, 10, QChar('0')), this);
        auto* e = new QLineEdit(this);
        e->setObjectName(QString("Ed%1").arg(k + 1, 2, 10, QChar('0')));
        e->setReadOnly(true);
        e->setMinimumWidth(e->fontMetrics().averageCharWidth() * 44);
        e->setStyleSheet(kSlotNormal);
        auto* x = windowButton(this, "X", QString("BB%1").arg(k + 1, 2, 10, QChar('0')).toLatin1().constData());
        x->setFixedWidth(28);
        connect(x, &QPushButton::clicked, this, [this, k] { BBclearSlot(k); });
        connect(e, &QLineEdit::textChanged, this, &CompositeSearchWindow::refreshSlots);
        slotGrid->addWidget(label, k, 0);
        slotGrid->addWidget(e, k, 1);
        slotGrid->addWidget(x, k, 2);
        slots_[static_cast<std::size_t>(k)] = e;
    }
    BBricerca = windowButton(this, "Avvia Ricerca", "BBricerca");
    BBricerca->setEnabled(false);
    if (kind == remedies::CompositeKind::Symptoms) {
        CBtema = new QCheckBox("A pari numero, prima i rimedi con la segnatura del tema del soggetto attuale", this);
        CBtema->setObjectName("CBtema");
    }
    ListBox3 = entryList(this, "ListBox3");
    ListBox3->setToolTip("Clic per sviluppare");
    auto* BBaggiungiConsulto = windowButton(this, "Aggiungi alla consultazione", "BBaggiungiConsulto");
    BBaggiungiConsulto->setToolTip("Il rimedio scelto entra nel modulo della prossima consultazione");
    ListBox3->setMinimumWidth(240);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    auto* Memo2 = new QPlainTextEdit(help, this);
    Memo2->setObjectName("Memo2");
    Memo2->setReadOnly(true);
    Memo2->setFixedHeight(Memo2->fontMetrics().lineSpacing() * 10 + 2 * Memo2->frameWidth() + 12);
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* BBpulisciTutto = windowButton(this, "Pulisci Tutto", "BBpulisciTutto");
    auto* BBpuliMemo = windowButton(this, "Pulisci", "BBpuliMemo");
    auto* BitBtnRitorna = windowButton(this, "&Ritorna al Menu", "BitBtnRitorna");

    auto* slotsColumn = new QVBoxLayout;
    slotsColumn->addLayout(slotGrid);
    slotsColumn->addWidget(BBricerca);
    if (CBtema) slotsColumn->addWidget(CBtema);
    slotsColumn->addStretch();
    auto* resultsColumn = new QVBoxLayout;
    resultsColumn->addWidget(new QLabel("Clic per sviluppare", this));
    resultsColumn->addWidget(ListBox3, 2);
    resultsColumn->addWidget(BBaggiungiConsulto);
    resultsColumn->addWidget(Memo1, 3);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(ListBox1, 1);
    auto* find = new QHBoxLayout;
    find->addWidget(EdCerca, 1);
    find->addWidget(BBtrova);
    listColumn->addLayout(find);
    auto* top = new QHBoxLayout;
    top->addLayout(slotsColumn, 2);
    top->addLayout(resultsColumn, 2);
    top->addLayout(listColumn, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BBpulisciTutto);
    buttons->addWidget(BBpuliMemo);
    buttons->addStretch();
    buttons->addWidget(BitBtnRitorna);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(Memo2);
    layout->addLayout(buttons);
    resize(1280, 760);

    connect(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ListBox1Click(ListBox1->row(item)); });
    connect(ListBox3, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ListBox3Click(ListBox3->row(item)); });
    connect(EdCerca, &SearchBox::boxClicked, this, [this] { trovaPosition_ = 0; });
    connect(BBtrova, &QPushButton::clicked, this, &CompositeSearchWindow::BBtrovaClick);
    connect(BBricerca, &QPushButton::clicked, this, &CompositeSearchWindow::BBricercaClick);
    connect(BBaggiungiConsulto, &QPushButton::clicked, this, &CompositeSearchWindow::BBaggiungiConsultoClick);
    connect(BBpulisciTutto, &QPushButton::clicked, this, &CompositeSearchWindow::BBpulisciTuttoClick);
    connect(BBpuliMemo, &QPushButton::clicked, this, &CompositeSearchWindow::BBpuliMemoClick);
    connect(BitBtnRitorna, &QPushButton::clicked, this, &QDialog::accept);
}

void CompositeSearchWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

void CompositeSearchWindow::FormActivate() {
    for (int k = 0; k < remedies::kComplaintSlots; ++k) BBclearSlot(k);
    EdCerca->clearSearch();
    trovaPosition_ = 0;
    chartKey_.reset();
    if (CBtema) {
        // On by default when there is a subject whose chart can be read.
        const bool subject = currentSubjectExists();
        CBtema->setEnabled(subject);
        CBtema->setChecked(subject);
    }
    runUserAction(this, [&] {
        std::vector<std::string> entries;
        if (kind_ == remedies::CompositeKind::Therapies) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            remedies::rebuildTherapyTally(dataDir());
            QApplication::restoreOverrideCursor();
            entries = remedies::readOptionalList(dataDir(), remedies::files::kPathologies, remedies::kLongestPathology);
        } else {
            entries = remedies::readSupportList(dataDir(), remedies::files::kSymptomList, remedies::kLongestIndication);
        }
        fillEntryList(ListBox1, EdCerca, std::move(entries));
    });
    EdCerca->setFocus();
}

void CompositeSearchWindow::ListBox1Click(int row) {
    if (row < 0 || row >= static_cast<int>(EdCerca->entries().size())) return;
    for (std::size_t k = 0; k < slots_.size(); ++k) {
        if (!slotTexts_[k].empty()) continue;
        slotTexts_[k] = EdCerca->entries()[static_cast<std::size_t>(row)];
        slots_[k]->setText(fromCp1252(slotTexts_[k]));
        slots_[k]->setCursorPosition(0);
        return;
    }
}

void CompositeSearchWindow::BBclearSlot(int slot) {
    slotTexts_.at(static_cast<std::size_t>(slot)).clear();
    slots_.at(static_cast<std::size_t>(slot))->clear();
    refreshSlots();
}

// After any change of a slot: "Avvia Ricerca" only while a slot is occupied;
// with none left, the results go too.
void CompositeSearchWindow::refreshSlots() {
    const bool any = std::any_of(slotTexts_.begin(), slotTexts_.end(), [](const std::string& s) { return !s.empty(); });
    BBricerca->setEnabled(any);
    if (!any) {
        resetSlotColours();
        ListBox3->clear();
        ranked_.clear();
        Memo1->clear();
    }
}

void CompositeSearchWindow::resetSlotColours() {
    for (QLineEdit* e : slots_) e->setStyleSheet(kSlotNormal);
}

void CompositeSearchWindow::BBricercaClick() {
    remedies::ComplaintSlots captured;
    for (std::size_t k = 0; k < slotTexts_.size(); ++k) captured[k] = slotTexts_[k];
    std::vector<consultations::ChartRankedRemedy> rows;
    const bool withChart = CBtema && CBtema->isChecked();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = runUserAction(this, [&] {
        const auto ranked = remedies::rankRemedies(dataDir(), kind_, captured);
        if (withChart && !chartKey_) chartKey_ = consultations::currentSubjectKey();
        rows = consultations::rankWithChart(dataDir(), ranked, withChart ? *chartKey_ : consultations::ChartSignatureKey{});
    });
    QApplication::restoreOverrideCursor();
    if (!ok) return;
    Memo1->clear();
    captured_ = captured;
    ranked_.clear();
    ListBox3->clear();
    for (const consultations::ChartRankedRemedy& r : rows) {
        ranked_.push_back(r.ranked);
        ListBox3->addItem(fromCp1252(r.ranked.entry() + (r.reason.empty() ? "" : "   (" + r.reason + ")")));
        if (!r.reason.empty()) ListBox3->item(ListBox3->count() - 1)->setToolTip(fromCp1252(r.reason));
    }
}

void CompositeSearchWindow::ListBox3Click(int row) {
    if (row < 0 || row >= static_cast<int>(ranked_.size())) return;
    remedies::RemedyDetail detail;
    if (!runUserAction(this, [&] {
            detail = remedies::remedyDetail(dataDir(), kind_, ranked_[static_cast<std::size_t>(row)].name, captured_);
        }))
        return;
    resetSlotColours();
    for (const std::string& line : detail.lines) Memo1->appendPlainText(fromCp1252(line));
    for (std::size_t k = 0; k < slots_.size(); ++k)
        if (detail.complaints.count(slotTexts_[k])) slots_[k]->setStyleSheet(kSlotServed);
}

void CompositeSearchWindow::BBpulisciTuttoClick() {
    BBricerca->setEnabled(false);
    for (int k = 0; k < remedies::kComplaintSlots; ++k) BBclearSlot(k);
    resetSlotColours();
    ListBox3->clear();
    ranked_.clear();
    Memo1->clear();
}

void CompositeSearchWindow::BBpuliMemoClick() { Memo1->clear(); }

void CompositeSearchWindow::BBaggiungiConsultoClick() {
    const int row = ListBox3->currentRow();
    if (row < 0 || row >= static_cast<int>(ranked_.size())) {
        dialogs().information(this, "Scegliere prima un rimedio fra quelli rintracciati");
        return;
    }
    consultations::offerRemedy(ranked_[static_cast<std::size_t>(row)].name);
    dialogs().information(this, fromCp1252(ranked_[static_cast<std::size_t>(row)].name) +
                                    " sar\u00E0 nel modulo della prossima consultazione (Consultazioni)");
}

void CompositeSearchWindow::BBtrovaClick() {
    if (ListBox1->count() == 0) return;
    ListBox1->setCurrentRow(0);
    const int found = remedies::findWordInList(EdCerca->entries(), toCp1252(EdCerca->text()), trovaPosition_);
    ListBox1->setCurrentRow(found);
    ListBox1->scrollToItem(ListBox1->currentItem());
}

} // namespace qv
