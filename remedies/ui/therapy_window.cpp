#include "remedies/ui/consultation_windows.h"

#include "base/data_dir.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "remedies/remedy_files.h"
#include "base/ui/search_box.h"
#include "remedies/ui/remedy_pages.h"
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

const char* const kTherapyHelp =
    "Individuare la Patologia nell'elenco a destra e farvi clic: nelle righe compaiono i rimedi che il "
    "repertorio prescrive, ciascuno con la sua posologia.\n"
    "Nella casella Cerca si scrive l'inizio della patologia: l'elenco si porta sulla voce corrispondente, che va "
    "poi scelta con un clic.\n"
    "Il pulsante numerato della riga mostra in basso, alternandole, le note sulla coppia Patologia-Rimedio e le "
    "Avvertenze del rimedio nel Database Primario.\n"
    "Quando i rimedi sono pi\u00F9 di 14 l'indicatore di pagina diventa rosso: le frecce portano alle altre "
    "pagine.\n"
    "Un doppio clic su una casella della posologia la ingrandisce; un clic sul riquadro ingrandito lo chiude.";

} // namespace

TFoTerapi::TFoTerapi(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoTerapi");
    setWindowTitle("TERAPIE");
    ListBox1 = entryList(this);
    EditCerca = new SearchBox(ListBox1, this);
    EditCerca->setObjectName("EditCerca");
    EdPato = new QLineEdit(this);
    EdPato->setObjectName("EdPato");
    EdPato->setReadOnly(true);
    EdPato->setStyleSheet("QLineEdit { font-weight: bold; }");

    panel_ = new RemedyPagesPanel(
        {{"EdP", "Rimedio", 30}, {"EdD", "Posologia", 60}}, 2,
        [this](int entry) -> std::vector<std::string> {
            const remedies::RepertoryRecord& r = matches_.at(static_cast<std::size_t>(entry)).data;
            return {r.rimedio, r.posologia};
        },
        [this](int entry, int state) {
            remedies::NoteSection s;
            const std::string& remedy = matches_.at(static_cast<std::size_t>(entry)).data.rimedio;
            // The files are read at the press; a failure shows its message and the note stays empty.
            if (!runUserAction(this, [&] { s = remedies::therapyRowNote(dataDir(), pathology_, remedy, state); }))
                s.label = "Note";
            return s;
        },
        this);
    MemoZoom = new QPlainTextEdit(this);
    MemoZoom->setObjectName("MemoZoom");
    MemoZoom->setReadOnly(true);
    MemoZoom->setStyleSheet("QPlainTextEdit { background-color: #fff4e0; border: 2px solid #c96; }");
    MemoZoom->hide();
    MemoInfo = helpMemo(this, kTherapyHelp);

    auto* BitBtn1 = windowButton(this, "Pulisci", "BitBtn1");
    auto* BitBtn2 = windowButton(this, "Informazioni On/Off", "BitBtn2");
    auto* BitBtnRitorna = windowButton(this, "&Ritorna al Menu", "BitBtnRitorna");

    auto* chosen = new QHBoxLayout;
    chosen->addWidget(new QLabel("PATOLOGIA", this));
    chosen->addWidget(EdPato, 1);
    layOutConsultation(this, chosen, panel_, "Patologie", ListBox1, EditCerca, BitBtn1, BitBtn2, BitBtnRitorna);
    resize(1120, 720);

    connect(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ListBox1Click(ListBox1->row(item)); });
    connect(BitBtn1, &QPushButton::clicked, this, &TFoTerapi::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TFoTerapi::BitBtn2Click);
    connect(BitBtnRitorna, &QPushButton::clicked, this, &QDialog::accept);
    connect(panel_, &RemedyPagesPanel::boxDoubleClicked, this, &TFoTerapi::zoomDosage);
    onMouse(MemoZoom->viewport(), [this] { MemoZoom->hide(); });
}

void TFoTerapi::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

void TFoTerapi::FormActivate() {
    runUserAction(this, [&] {
        fillEntryList(ListBox1, EditCerca, remedies::readOptionalList(dataDir(), remedies::files::kPathologies,
                                                                       remedies::kLongestPathology));
    });
    EditCerca->setFocus();
}

void TFoTerapi::ListBox1Click(int row) {
    if (row < 0 || row >= static_cast<int>(EditCerca->entries().size())) return;
    const std::string line = EditCerca->entries()[static_cast<std::size_t>(row)];
    std::vector<remedies::RepertoryMatch> found;
    if (!runUserAction(this, [&] { found = remedies::findPathology(dataDir(), line); })) return;
    BitBtn1Click();
    pathology_ = line;
    matches_ = std::move(found);
    for (const remedies::RepertoryMatch& m : matches_) {
        panel_->addMatch(m.record);
        EdPato->setText(fromCp1252(m.data.patologia));
    }
}

void TFoTerapi::BitBtn1Click() {
    panel_->startSearch();
    matches_.clear();
    pathology_.clear();
    EdPato->clear();
    MemoZoom->hide();
    MemoInfo->hide();
}

void TFoTerapi::BitBtn2Click() {
    MemoZoom->hide();
    toggleOver(MemoInfo, panel_);
}

void TFoTerapi::zoomDosage(int row, int column) {
    if (column != 1) return;
    QLineEdit* box = panel_->box(row, column);
    MemoZoom->setPlainText(box->text());
    const QPoint at = box->mapTo(this, QPoint(0, 0));
    MemoZoom->setGeometry(at.x(), at.y(), box->width(), box->height() * 5);
    MemoZoom->show();
    MemoZoom->raise();
}

} // namespace qv
