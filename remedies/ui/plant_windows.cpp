#include "remedies/ui/plant_windows.h"

#include "base/data_dir.h"
#include "base/ui/qt_text.h"
#include "base/ui/spin_arrows.h"
#include "base/ui/user_action.h"
#include "base/ui/search_box.h"
#include "remedies/named_lists.h"
#include "remedies/ui/warnings_box.h"
#include "remedies/ui/window_parts.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace qv {

namespace {

QLineEdit* shownBox(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    return e;
}

// The details of one entry of the plant database.
QFormLayout* detailsForm(const std::vector<std::pair<const char*, QLineEdit*>>& rows) {
    auto* form = new QFormLayout;
    for (const auto& [caption, box] : rows) form->addRow(caption, box);
    return form;
}

} // namespace

// ---- TFoSintom2 -------------------------------------------------------------

TFoSintom2::TFoSintom2(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoSintom2");
    setWindowTitle("SINTOMI e Piante Correlate");
    ListBox1 = entryList(this);
    EditCerca = new SearchBox(ListBox1, this);
    EditCerca->setObjectName("EditCerca");
    ListBoxPiante = entryList(this, "ListBoxPiante");
    ListBoxSintesi = entryList(this, "ListBoxSintesi");
    EdPianta = shownBox(this, "EdPianta");
    EdSegPri = shownBox(this, "EdSegPri");
    EdSegSec = shownBox(this, "EdSegSec");
    EdSegZod = shownBox(this, "EdSegZod");
    EdAutori = shownBox(this, "EdAutori");
    EdAlternativa = shownBox(this, "EdAlternativa");
    EdAlternativa->setStyleSheet("QLineEdit { background-color: #ffffc0; }");
    EdAlternativa->hide();
    EdAvve = new WarningsBox(this);
    auto* back = windowButton(this, "&Ritorna al Menu", "BBritorna");

    QVBoxLayout* left = captioned(this, "Sintomi della banca dati delle piante", ListBox1);
    left->addWidget(EditCerca);
    auto* lists = new QHBoxLayout;
    lists->addLayout(captioned(this, "Piante", ListBoxPiante));
    lists->addLayout(captioned(this, "Sintesi", ListBoxSintesi));
    auto* right = new QVBoxLayout;
    right->addLayout(lists, 1);
    right->addWidget(EdAlternativa);
    right->addLayout(detailsForm({{"Pianta", EdPianta},
                                  {"Segnatura primaria", EdSegPri},
                                  {"Segnatura secondaria", EdSegSec},
                                  {"Segnatura zodiacale", EdSegZod},
                                  {"Autori", EdAutori}}));
    right->addLayout(captioned(this, "Avvertenze dei rimedi della pianta", EdAvve));
    layOutWithBack(this, left, 2, right, 3, back);
    resize(1040, 620);

    connect(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ListBox1Click(ListBox1->row(item)); });
    // Enter in the "Cerca" box opens the symptom it selected.
    connect(EditCerca, &SearchBox::entryActivated, this, &TFoSintom2::ListBox1Click);
    connect(ListBoxPiante, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListBoxPianteClick(ListBoxPiante->row(item)); });
    connect(back, &QPushButton::clicked, this, &QDialog::accept);
}

void TFoSintom2::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

void TFoSintom2::FormActivate() {
    EditCerca->clearSearch();
    if (!runUserAction(this, [&] { symptoms_ = remedies::plantSymptomNames(dataDir()); })) symptoms_.clear();
    fillEntryList(ListBox1, EditCerca, symptoms_);
    EditCerca->setFocus();
}

void TFoSintom2::showEntry(const remedies::PlantEntryRecord& e) {
    EdPianta->setText(fromCp1252(e.pianta));
    EdSegPri->setText(fromCp1252(e.segnaturaPrimaria));
    EdSegSec->setText(fromCp1252(e.segnaturaSecondaria));
    EdSegZod->setText(fromCp1252(e.segnaturaZodiacale));
    EdAutori->setText(fromCp1252(e.autori));
    for (QLineEdit* box : {EdPianta, EdSegPri, EdSegSec, EdSegZod, EdAutori}) box->setCursorPosition(0);
    std::string warnings;
    if (!e.pianta.empty()) runUserAction(this, [&] { warnings = remedies::plantRemedyWarningsText(dataDir(), e.pianta); });
    EdAvve->setText(fromCp1252(warnings));
}

void TFoSintom2::ListBox1Click(int row) {
    if (row < 0 || row >= static_cast<int>(symptoms_.size())) return;
    remedies::SymptomPlants found;
    if (!runUserAction(this, [&] { found = remedies::plantsOfSymptom(dataDir(), symptoms_[static_cast<std::size_t>(row)]); }))
        return;
    ListBoxPiante->clear();
    ListBoxSintesi->clear();
    ListBoxNum.clear();
    showEntry({});
    EdAlternativa->hide();
    for (const remedies::PlantOfSymptom& p : found.plants) {
        ListBoxPiante->addItem(fromCp1252(p.line));
        ListBoxSintesi->addItem(fromCp1252(p.sintesi));
        ListBoxNum.push_back(p.record);
    }
    if (!found.plants.empty()) {
        showEntry(found.last);
    } else {
        EdAlternativa->setText(fromCp1252(found.alternative));
        EdAlternativa->show();
    }
}

void TFoSintom2::ListBoxPianteClick(int row) {
    if (row < 0 || row >= static_cast<int>(ListBoxNum.size())) return;
    remedies::PlantEntryRecord e;
    if (runUserAction(this, [&] { e = remedies::plantEntry(dataDir(), ListBoxNum[static_cast<std::size_t>(row)]); }))
        showEntry(e);
}

// ---- TFoSintom3 -------------------------------------------------------------

TFoSintom3::TFoSintom3(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoSintom3");
    setWindowTitle("PIANTE e Sintomi Correlati");
    ListBox1 = entryList(this);
    ListBox1->setMinimumWidth(200);
    EdPianta = shownBox(this, "EdPianta");
    EdPianta->setStyleSheet("QLineEdit { font-weight: bold; }");
    EdSegPri = shownBox(this, "EdSegPri");
    EdSegSec = shownBox(this, "EdSegSec");
    EdSegZod = shownBox(this, "EdSegZod");
    EdSintesi = shownBox(this, "EdSintesi");
    EdAvve = new WarningsBox(this);
    ListBoxSintomi = entryList(this, "ListBoxSintomi");
    ListBoxAutori = entryList(this, "ListBoxAutori");
    LabPagine = new QLabel(this);
    LabPagine->setObjectName("LabPagine");
    SpinButton1 = spinArrows(this, "SpinButton1", [this] { SpinUpClick(); }, [this] { SpinDownClick(); },
                             "Pagina precedente", "Pagina seguente");
    LabPagine->hide();
    SpinButton1->hide();
    auto* back = windowButton(this, "&Ritorna al Menu", "BBritorna");

    auto* lists = new QHBoxLayout;
    lists->addLayout(captioned(this, "Sintomi", ListBoxSintomi), 3);
    lists->addLayout(captioned(this, "Autori", ListBoxAutori), 2);
    auto* pager = new QHBoxLayout;
    pager->addStretch();
    pager->addWidget(LabPagine);
    pager->addWidget(SpinButton1);
    auto* right = new QVBoxLayout;
    right->addLayout(detailsForm({{"Pianta", EdPianta},
                                  {"Segnatura primaria", EdSegPri},
                                  {"Segnatura secondaria", EdSegSec},
                                  {"Segnatura zodiacale", EdSegZod},
                                  {"Sintesi psichica", EdSintesi}}));
    right->addLayout(captioned(this, "Avvertenze dei rimedi della pianta", EdAvve));
    right->addLayout(lists, 1);
    right->addLayout(pager);
    layOutWithBack(this, captioned(this, "Piante", ListBox1), 1, right, 3, back);
    resize(1040, 680);

    connect(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ListBox1Click(ListBox1->row(item)); });
    connect(back, &QPushButton::clicked, this, &QDialog::accept);
}

void TFoSintom3::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

void TFoSintom3::FormActivate() {
    if (!runUserAction(this, [&] { plants_ = remedies::plantNames(dataDir()); })) plants_.clear();
    fillEntryList(ListBox1, nullptr, plants_);
}

void TFoSintom3::ListBox1Click(int row) {
    if (row < 0 || row >= static_cast<int>(plants_.size())) return;
    const std::string& plant = plants_[static_cast<std::size_t>(row)];
    remedies::PlantSymptoms found;
    if (!runUserAction(this, [&] { found = remedies::symptomsOfPlant(dataDir(), plant); })) return;
    EdPianta->setText(fromCp1252(plant));
    EdSegPri->setText(fromCp1252(found.last.segnaturaPrimaria));
    EdSegSec->setText(fromCp1252(found.last.segnaturaSecondaria));
    EdSegZod->setText(fromCp1252(found.last.segnaturaZodiacale));
    EdSintesi->setText(fromCp1252(found.last.sintesi));
    for (QLineEdit* box : {EdSegPri, EdSegSec, EdSegZod, EdSintesi}) box->setCursorPosition(0);
    std::string warnings;
    runUserAction(this, [&] { warnings = remedies::plantRemedyWarningsText(dataDir(), plant); });
    EdAvve->setText(fromCp1252(warnings));
    pages_ = std::move(found.pages);
    page_ = 1;
    showPage();
}

void TFoSintom3::showPage() {
    ListBoxSintomi->clear();
    ListBoxAutori->clear();
    if (page_ <= static_cast<int>(pages_.size()))
        for (const remedies::SymptomOfPlant& s : pages_[static_cast<std::size_t>(page_ - 1)]) {
            ListBoxSintomi->addItem(fromCp1252(s.sintomo));
            ListBoxAutori->addItem(fromCp1252(s.autori));
        }
    const bool several = pages_.size() >= 2;
    LabPagine->setText(QString("Pagina %1/%2").arg(page_).arg(pages_.size()));
    LabPagine->setVisible(several);
    SpinButton1->setVisible(several);
}

void TFoSintom3::SpinDownClick() {
    if (page_ >= static_cast<int>(pages_.size())) return;
    ++page_;
    showPage();
}

void TFoSintom3::SpinUpClick() {
    if (page_ <= 1) return;
    --page_;
    showPage();
}

} // namespace qv
