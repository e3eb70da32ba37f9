#include "remedies/ui/signature_windows.h"

#include "base/data_dir.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "remedies/remedy_files.h"
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

const char* const kDebilityHelp =
    "Scegliere il pianeta debilitato e il segno in cui si trova debilitato, poi premere \"Avvia Ricerca "
    "Patologie...\".\n"
    "1) L'elenco Patologie raccoglie le patologie del Repertorio Terapie curate da rimedi la cui segnatura porta "
    "quel pianeta (primaria o secondaria) e il segno opposto a quello debilitato (Qualsiasi li accetta tutti).\n"
    "2) Un clic su una patologia elenca i suoi rimedi: solo i rimedi contrassegnati >>>   <<< rispondono alla "
    "segnatura astrologica scelta.";

QLabel* heading(QWidget* parent, const QString& number, const QString& caption) {
    auto* l = new QLabel(QString("<b>%1</b> %2").arg(number, caption), parent);
    return l;
}

} // namespace

TFoMali::TFoMali(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoMali");
    setWindowTitle("DEBILITA' ASTROLOGICHE / PATOLOGIE");
    choice_ = new SignatureChoice("Pianeta Debilitato", "Segno Debilitato", SignatureChoice::Signs::Debilitated, this);
    auto* BBRicerca = windowButton(this, "Avvia Ricerca Patologie...", "BBRicerca");
    EdTot = new QLineEdit(this);
    EdTot->setObjectName("EdTot");
    EdTot->setReadOnly(true);
    EdTot->setFixedWidth(70);
    ListBox2 = entryList(this, "ListBox2");
    ListBox3 = entryList(this, "ListBox3");
    MemoZoom = helpNote(this, kDebilityHelp);
    auto* back = windowButton(this, "&Ritorna al Menu", "BBritorna");

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(BBRicerca);
    searchRow->addStretch();
    searchRow->addWidget(new QLabel("Patologie trovate", this));
    searchRow->addWidget(EdTot);
    auto* lists = new QGridLayout;
    lists->addWidget(heading(this, "1)", "Patologie"), 0, 0);
    lists->addWidget(heading(this, "2)", "Rimedi"), 0, 1);
    lists->addWidget(ListBox2, 1, 0);
    lists->addWidget(ListBox3, 1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(back);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(choice_);
    layout->addLayout(searchRow);
    layout->addWidget(MemoZoom);
    layout->addLayout(lists, 1);
    layout->addLayout(bottom);
    resize(940, 720);

    connect(BBRicerca, &QPushButton::clicked, this, &TFoMali::BBRicercaClick);
    connect(ListBox2, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ListBox2Click(ListBox2->row(item)); });
    connect(back, &QPushButton::clicked, this, &QDialog::accept);
}

void TFoMali::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

// Both record files must be there before anything is searched.
void TFoMali::FormActivate() {
    runUserAction(this, [&] {
        const remedies::RecordScan remedies(dataDir(), remedies::files::kRemedies, remedies::remedyLayout());
        const remedies::RecordScan repertory(dataDir(), remedies::files::kRepertory, remedies::repertoryLayout());
    });
}

void TFoMali::BBRicercaClick() {
    const std::string planet = choice_->planet(), sign = choice_->signSearched();
    std::vector<std::string> found;
    if (!runUserAction(this, [&] { found = remedies::debilityPathologies(dataDir(), planet, sign); })) return;
    planet_ = planet;
    searchedSign_ = sign;
    pathologies_ = std::move(found);
    fillEntryList(ListBox2, nullptr, pathologies_);
    ListBox3->clear();
    EdTot->setText(QString::number(pathologies_.size()));
}

void TFoMali::ListBox2Click(int row) {
    if (row < 0 || row >= static_cast<int>(pathologies_.size())) return;
    std::vector<std::string> remedies;
    if (!runUserAction(this, [&] {
            remedies = remedies::pathologyRemedies(dataDir(), pathologies_[static_cast<std::size_t>(row)], planet_,
                                                   searchedSign_);
        }))
        return;
    fillEntryList(ListBox3, nullptr, remedies);
}

} // namespace qv
