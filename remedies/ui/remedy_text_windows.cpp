#include "remedies/ui/signature_windows.h"

#include "base/data_dir.h"
#include "base/ui/dialogs.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "remedies/remedy_files.h"
#include "remedies/scratch_files.h"
#include "remedies/ui/signature_choice.h"
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

using remedies::RemedyTextKind;

const char* const kCompositionHelp =
    "1) Un clic su un rimedio dell'Elenco Rimedi ne mostra la composizione: le piante e i principi attivi che il "
    "Database Primario riporta nel campo Note.\n"
    "2) Per trovare i rimedi che contengono una pianta o un principio attivo scriverne il nome nella casella e "
    "premere \"Cerca\": l'elenco 2) raccoglie i rimedi trovati; un clic su uno di essi ne mostra la composizione "
    "con la parola cercata in maiuscolo.";
const char* const kSynthesisHelp =
    "1) Un clic su un rimedio dell'Elenco Rimedi ne mostra la Sintesi Psichica.\n"
    "2) Per trovare i rimedi la cui Sintesi Psichica contiene una parola o una frase scriverla nella casella e "
    "premere \"Cerca\" (maiuscole e minuscole sono indifferenti): l'elenco 2) raccoglie i rimedi trovati; un clic "
    "su uno di essi ne mostra la Sintesi con la parola cercata in maiuscolo.";

} // namespace

RemedyTextWindow::RemedyTextWindow(RemedyTextKind kind, QWidget* parent) : QDialog(parent), kind_(kind) {
    const bool composition = kind == RemedyTextKind::Composition;
    ListBox2 = entryList(this, "ListBox2");
    ListBox3 = entryList(this, "ListBox3");
    ListBox3->setMinimumWidth(220);
    EditCerca = new QLineEdit(this);
    EditCerca->setObjectName("EditCerca");
    EditCerca->setPlaceholderText(composition ? "pianta o principio attivo" : "parola o frase");
    auto* BBcerca = windowButton(this, "Cerca ", "BBcerca");
    LabNote = new QLabel(remedies::textKindWords(kind).label, this);
    LabNote->setObjectName("LabNote");
    LabNote->setStyleSheet("font-weight: bold;");
    MemoNote = new QPlainTextEdit(this);
    MemoNote->setObjectName("MemoNote");
    MemoNote->setReadOnly(true);
    auto* MemoZoom = helpNote(this, composition ? kCompositionHelp : kSynthesisHelp);
    auto* back = windowButton(this, "&Ritorna al Menu", "BBritorna");

    auto* middle = new QVBoxLayout;
    if (composition) middle->addWidget(new QLabel("(composizione dal campo Note del Database Primario)", this));
    middle->addWidget(LabNote);
    middle->addWidget(MemoNote, 1);
    middle->addWidget(MemoZoom);
    QVBoxLayout* found = captioned(this, "2) Rimedi trovati", ListBox3);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(EditCerca, 1);
    searchRow->addWidget(BBcerca);
    found->addLayout(searchRow);
    auto* rest = new QHBoxLayout;
    rest->addLayout(middle, 3);
    rest->addLayout(found, 2);
    layOutWithBack(this, captioned(this, "1) Elenco Rimedi disponibili", ListBox2), 2, rest, 5, back);
    resize(1100, 640);

    connect(ListBox2, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ListBox2Click(ListBox2->row(item)); });
    connect(ListBox3, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ListBox3Click(ListBox3->row(item)); });
    connect(BBcerca, &QPushButton::clicked, this, &RemedyTextWindow::BBcercaClick);
    connect(EditCerca, &QLineEdit::returnPressed, this, &RemedyTextWindow::BBcercaClick);
    connect(back, &QPushButton::clicked, this, &QDialog::accept);
}

void RemedyTextWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

void RemedyTextWindow::FormActivate() {
    std::vector<remedies::ListedRemedy> list;
    if (!runUserAction(this, [&] { list = remedies::openRemedyNameList(dataDir()); })) list.clear();
    names_.clear();
    for (const remedies::ListedRemedy& r : list) names_.push_back(r.name);
    fillEntryList(ListBox2, nullptr, names_);
}

void RemedyTextWindow::ListBox2Click(int row) {
    if (row < 0 || row >= static_cast<int>(names_.size())) return;
    const std::string& name = names_[static_cast<std::size_t>(row)];
    LabNote->setText(remedies::textKindWords(kind_).label);
    std::optional<std::string> text;
    if (!runUserAction(this, [&] { text = remedies::remedyTextShown(dataDir(), name, kind_); }) || !text) return;
    LabNote->setText(fromCp1252(remedies::textKindWords(kind_).ofRemedy + name));
    MemoNote->setPlainText(fromCp1252(*text));
}

void RemedyTextWindow::BBcercaClick() {
    ListBox3->clear();
    MemoNote->clear();
    LabNote->setText(remedies::textKindWords(kind_).searchLabel);
    word_ = toCp1252(EditCerca->text());
    std::vector<std::string> found;
    if (!runUserAction(this, [&] { found = remedies::searchRemedyTexts(dataDir(), names_, word_, kind_); })) return;
    found_ = std::move(found);
    fillEntryList(ListBox3, nullptr, found_);
}

// The remedy's text with the word found in capitals. When its first record
// does not hold the word (a later record of the same name did), the first
// record holding it is shown instead.
void RemedyTextWindow::ListBox3Click(int row) {
    if (row < 0 || row >= static_cast<int>(found_.size())) return;
    const std::string& name = found_[static_cast<std::size_t>(row)];
    if (name == remedies::kNoResult) return;
    std::string text;
    if (!runUserAction(this, [&] { text = remedies::textHoldingWord(dataDir(), name, word_, kind_); })) return;
    LabNote->setText(fromCp1252(remedies::textKindWords(kind_).ofRemedy + name));
    MemoNote->setPlainText(fromCp1252(remedies::highlightWord(text, word_)));
}

TFoPiante::TFoPiante(QWidget* parent) : RemedyTextWindow(RemedyTextKind::Composition, parent) {
    setObjectName("TFoPiante");
    setWindowTitle("PIANTE e PRINCIPI ATTIVI");
}

TFoSintesi::TFoSintesi(QWidget* parent) : RemedyTextWindow(RemedyTextKind::Synthesis, parent) {
    setObjectName("TFoSintesi");
    setWindowTitle("SINTESI PSICHICA");
}

TFoPrinci::TFoPrinci(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoPrinci");
    setWindowTitle("PRINCIPI CURATIVI");
    auto* explain = new QLabel("Genera l'archivio dei principi curativi (Principi.sto) dal testo Principi.txt: "
                               "15 gruppi di 5 righe, scritti in maiuscolo.", this);
    explain->setWordWrap(true);
    auto* BBgenera = windowButton(this, "Genera archivio", "BBgenera");
    MemoPrinci = new QPlainTextEdit(this);
    MemoPrinci->setObjectName("MemoPrinci");
    MemoPrinci->setReadOnly(true);
    MemoPrinci->setFont(QFont("Courier New", 9));
    auto* back = windowButton(this, "&Ritorna al Menu", "BBritorna");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(BBgenera);
    bottom->addStretch();
    bottom->addWidget(back);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explain);
    layout->addWidget(MemoPrinci, 1);
    layout->addLayout(bottom);
    resize(560, 520);
    connect(BBgenera, &QPushButton::clicked, this, &TFoPrinci::BBgeneraClick);
    connect(back, &QPushButton::clicked, this, &QDialog::accept);
}

void TFoPrinci::BBgeneraClick() {
    std::vector<remedies::PrincipleRecord> written;
    if (!runUserAction(this, [&] {
            remedies::buildPrinciples(dataDir());
            // What the archive now holds, read back from it.
            const remedies::RecordScan scan(dataDir(), remedies::files::kPrinciples, remedies::principleLayout());
            scan.forEach(0, [&](std::int64_t, std::span<const std::uint8_t> r) {
                written.push_back(remedies::decodePrinciple(r));
                return true;
            });
        }))
        return;
    QString shown;
    for (std::size_t k = 0; k < written.size(); ++k) {
        shown += QString("Record %1\n").arg(k);
        for (const std::string& line : written[k]) shown += "   " + fromCp1252(line) + "\n";
    }
    MemoPrinci->setPlainText(shown);
    dialogs().information(this, QString("Archivio Principi.sto generato: %1 record.").arg(written.size()));
}

} // namespace qv
