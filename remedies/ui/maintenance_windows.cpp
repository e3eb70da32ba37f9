#include "remedies/ui/maintenance_windows.h"

#include "base/data_dir.h"
#include "base/text_file.h"
#include "base/ui/dialogs.h"
#include "base/ui/storable_text.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "remedies/remedy_text.h"
#include "remedies/ui/window_parts.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

namespace {

QLineEdit* readOnlyBox(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    return e;
}

QString shownText(const std::string& stored) {
    QString t = fromCp1252(stored);
    t.replace("\r\n", "\n");
    return t;
}

std::string storedText(const QString& shown) {
    QString t = shown;
    t.replace("\n", "\r\n");
    return toCp1252(t);
}

} // namespace

// ---- SITUAZIONE AGGIORNAMENTI ----------------------------------------------

TFoAggiorna::TFoAggiorna(QWidget* parent) : QDialog(parent), candidates_(remedies::defaultMountCandidates) {
    setObjectName("TFoAggiorna");
    setWindowTitle("SITUAZIONE AGGIORNAMENTI");
    EdUltAgg = readOnlyBox(this, "EdUltAgg");
    EdUltAgg->setMaximumWidth(160);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setMinimumHeight(220);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setRange(0, 1000);
    ProgressBar1->hide();
    BBritorna = windowButton(this, "&Ritorna al Menu", "BBritorna");
    BBritorna->setMinimumWidth(BBritorna->fontMetrics().horizontalAdvance("Fatto. Ritorna al Menu") + 32);

    auto* installed = new QHBoxLayout;
    installed->addWidget(new QLabel("Ultimo Aggiornamento al Programma effettuato  in data:", this));
    installed->addWidget(EdUltAgg);
    installed->addStretch();
    auto* slotGrid = new QGridLayout;
    auto* heading = new QLabel("Scegliere quale installare", this);
    heading->setStyleSheet("font-weight: bold;");
    slotGrid->addWidget(heading, 0, 0, 1, 5);
    for (int k = 0; k < 3; ++k) {
        EdDisp[k] = readOnlyBox(this, QString("EdDisp%1").arg(k + 1).toLatin1().constData());
        EdDisp[k]->setMinimumWidth(240);
        EdNuoAgg[k] = readOnlyBox(this, QString("EdNuoAgg%1").arg(k + 1).toLatin1().constData());
        EdNuoAgg[k]->setMaximumWidth(140);
        BBok[k] = windowButton(this, QString("Ok%1").arg(k + 1), QString("BBok%1").arg(k + 1).toLatin1().constData());
        slotGrid->addWidget(new QLabel("Sul dispositivo ", this), k + 1, 0);
        slotGrid->addWidget(EdDisp[k], k + 1, 1);
        slotGrid->addWidget(new QLabel("\u00E8 presente un Aggiornamento con data:", this), k + 1, 2);
        slotGrid->addWidget(EdNuoAgg[k], k + 1, 3);
        slotGrid->addWidget(BBok[k], k + 1, 4);
        connect(BBok[k], &QPushButton::clicked, this, [this, k] { BBokClick(k); });
    }
    slotGrid->setColumnStretch(1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ProgressBar1, 1);
    bottom->addStretch();
    bottom->addWidget(BBritorna);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(installed);
    layout->addWidget(Memo1, 1);
    layout->addLayout(slotGrid);
    layout->addLayout(bottom);
    resize(860, 540);
    connect(BBritorna, &QPushButton::clicked, this, &QDialog::accept);
}

void TFoAggiorna::setMountCandidates(std::function<std::vector<std::filesystem::path>()> candidates) {
    candidates_ = std::move(candidates);
}

void TFoAggiorna::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

void TFoAggiorna::FormActivate() {
    EdUltAgg->clear();
    for (int k = 0; k < 3; ++k) {
        EdDisp[k]->clear();
        EdNuoAgg[k]->clear();
        EdNuoAgg[k]->setStyleSheet({});
        BBok[k]->setEnabled(false);
    }
    ProgressBar1->hide();
    BBritorna->setText("&Ritorna al Menu");
    const DataDir& dir = dataDir();
    const char* help = dir.exists(remedies::kUpdateMarker) ? "Appoggio\\Aggiorna2.txt" : "Appoggio\\Aggiorna1.txt";
    if (dir.exists(help)) {
        runUserAction(this, [&] { Memo1->setPlainText(shownText(readWholeFile(dir.resolve(help), help))); });
    } else {
        Memo1->setPlainText(QString("Il file delle istruzioni %1 non esiste.").arg(fromCp1252(help)));
    }
    const remedies::DatabaseDate local = remedies::databaseDate(dir.resolve(remedies::kUpdateFolder));
    EdUltAgg->setText(fromCp1252(local.text));
    sources_.clear();
    runUserAction(this, [&] { sources_ = remedies::findUpdates(candidates_(), dir); });
    // Only the first three media appear.
    if (sources_.size() > 3) sources_.resize(3);
    for (std::size_t k = 0; k < sources_.size(); ++k) {
        const remedies::UpdateSource& s = sources_[k];
        EdDisp[k]->setText(QString::fromStdString(s.medium.string()));
        EdNuoAgg[k]->setText(fromCp1252(s.date.text));
        EdNuoAgg[k]->setStyleSheet(s.date.time < local.time ? "QLineEdit { background: red; color: white; }"
                                                            : "QLineEdit { background: aqua; }");
        BBok[k]->setEnabled(true);
    }
    if (sources_.empty()) dialogs().error(this, "Non \u00E8 stato rilevato alcun disco di aggiornamento");
}

void TFoAggiorna::BBokClick(int slot) {
    if (slot < 0 || slot >= static_cast<int>(sources_.size())) return;
    BBritorna->setText("Attendere...");
    for (QPushButton* b : BBok) b->setEnabled(false);
    BBritorna->setEnabled(false);
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    remedies::UpdateResult result;
    const bool ok = runUserAction(this, [&] {
        result = remedies::installUpdate(sources_[static_cast<std::size_t>(slot)], dataDir(),
                                         [this](std::uint64_t done, std::uint64_t total) {
                                             ProgressBar1->setValue(total ? static_cast<int>(done * 1000 / total) : 1000);
                                             QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                                         });
    });
    BBritorna->setEnabled(true);
    if (!ok) {
        // Nothing was replaced: the installed database and its date stay.
        ProgressBar1->hide();
        BBritorna->setText("&Ritorna al Menu");
        for (std::size_t k = 0; k < sources_.size(); ++k) BBok[k]->setEnabled(true);
        return;
    }
    ProgressBar1->setValue(1000);
    EdUltAgg->setText(fromCp1252(result.installed.text));
    BBritorna->setText("Fatto. Ritorna al Menu");
    if (!result.missing.empty()) {
        QStringList names;
        for (const std::string& m : result.missing) names << fromCp1252(m);
        dialogs().warning(this, QString("L'aggiornamento non conteneva %1: resta in uso quello gi\u00E0 installato.")
                                    .arg(names.join(" e ")));
    }
}

// ---- AGGIORNAMENTI / MODIFICHE DATABASE (plant viewer) ---------------------

TFoManut1::TFoManut1(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoManut1");
    setWindowTitle("AGGIORNAMENTI / MODIFICHE DATABASE");
    auto* heading = new QLabel("AGGIORNAMENTI / MODIFICHE DATABASE", this);
    heading->setObjectName("LabTitolo");
    heading->setStyleSheet("font-weight: bold; font-size: 13pt;");
    ListBox1 = entryList(this);
    ListBox1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ListBox1->setMinimumWidth(460);
    auto* memo = new QPlainTextEdit(
        "La banca dati delle piante \u00E8 ordinata per sintomo: l'elenco mostra la pianta e, accanto, il sintomo, "
        "nell'ordine del file.\n"
        "Il pulsante [Ordinamento] passa all'ordine per pianta, utile solo per la consultazione, e lo stesso "
        "pulsante riporta all'ordine del file.\n"
        "Un clic su una voce mostra a destra tutti i campi del record. Questa finestra non modifica la banca dati.",
        this);
    memo->setObjectName("Memo1");
    memo->setReadOnly(true);
    memo->setMaximumHeight(80);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* BitBtn1 = windowButton(this, "Ordinamento", "BitBtn1");
    auto* BBritorna = windowButton(this, "&Ritorna al Menu", "BBritorna");

    auto* form = new QGridLayout;
    const std::pair<const char*, QLineEdit**> boxes[] = {
        {"Sintomo", &EdSintomo}, {"Pianta", &EdPianta},           {"Sigla", &EdSigla},
        {"Sintesi", &EdSintesi}, {"Segnat. Primaria", &EdSegPri}, {"Segnat. Secondaria", &EdSegSec},
        {"Segnat. Zodiacale", &EdSegZod}, {"Autori", &EdAutori}, {"Note", &EdNote},
    };
    const char* names[] = {"EdSintomo", "EdPianta", "EdSigla", "EdSintesi", "EdSegPri",
                           "EdSegSec",  "EdSegZod", "EdAutori", "EdNote"};
    int row = 0;
    for (const auto& [caption, box] : boxes) {
        *box = readOnlyBox(this, names[row]);
        (*box)->setMinimumWidth(380);
        form->addWidget(new QLabel(caption, this), row, 0);
        form->addWidget(*box, row, 1);
        ++row;
    }
    form->setRowStretch(row, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(ListBox1, 1);
    middle->addLayout(form, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn1);
    buttons->addStretch();
    buttons->addWidget(BBritorna);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(memo);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    resize(1000, 620);

    connect(BitBtn1, &QPushButton::clicked, this, &TFoManut1::BitBtn1Click);
    connect(BBritorna, &QPushButton::clicked, this, &QDialog::accept);
    connect(ListBox1, &QListWidget::itemClicked, this, [this](QListWidgetItem* i) { ListBox1Click(ListBox1->row(i)); });
}

void TFoManut1::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

void TFoManut1::FormActivate() {
    sorted_ = false;
    records_.clear();
    runUserAction(this, [&] { records_ = remedies::readPlantDatabase(dataDir()); });
    fill();
}

void TFoManut1::fill() {
    entries_ = remedies::plantViewerEntries(records_, sorted_);
    std::vector<std::string> texts;
    for (const remedies::PlantViewerEntry& e : entries_) texts.push_back(e.text);
    fillEntryList(ListBox1, nullptr, texts);
}

void TFoManut1::BitBtn1Click() {
    sorted_ = !sorted_;
    fill();
}

void TFoManut1::ListBox1Click(int row) {
    if (row < 0 || row >= static_cast<int>(entries_.size())) return;
    const remedies::PlantEntryRecord& r = records_.at(static_cast<std::size_t>(entries_[static_cast<std::size_t>(row)].record));
    const std::pair<QLineEdit*, const std::string*> shown[] = {
        {EdSintomo, &r.sintomo}, {EdPianta, &r.pianta},   {EdSigla, &r.sigla},
        {EdSintesi, &r.sintesi}, {EdSegPri, &r.segnaturaPrimaria}, {EdSegSec, &r.segnaturaSecondaria},
        {EdSegZod, &r.segnaturaZodiacale}, {EdAutori, &r.autori}, {EdNote, &r.note},
    };
    for (const auto& [box, text] : shown) {
        box->setText(fromCp1252(*text));
        box->setCursorPosition(0);
    }
}

// ---- Utility Ricerca -------------------------------------------------------

TFoUtilit::TFoUtilit(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoUtilit");
    setWindowTitle("Utility Ricerca");
    EditCerca = new QLineEdit(this);
    EditCerca->setObjectName("EditCerca");
    BBcerca = windowButton(this, "Cerca ", "BBcerca");
    EdRime = readOnlyBox(this, "EdRime");
    Edit1 = readOnlyBox(this, "Edit1");
    Edit1->setMaximumWidth(90);
    Edit2 = readOnlyBox(this, "Edit2");
    Edit2->setMaximumWidth(110);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo2 = new QPlainTextEdit(this);
    Memo2->setObjectName("Memo2");
    Memo2->setStyleSheet("QPlainTextEdit { background: #fffbe6; }");
    BBsalva = windowButton(this, "Salva", "BBsalva");
    BBsalva->setEnabled(false);
    auto* BBritorna = windowButton(this, "&Ritorna al Menu", "BBritorna");

    RadioButton5 = new QRadioButton("Database Primario", this);
    RadioButton5->setObjectName("RadioButton5");
    RadioButton6 = new QRadioButton("Repertorio Terapie", this);
    RadioButton6->setObjectName("RadioButton6");
    auto* archives = new QButtonGroup(this);
    archives->addButton(RadioButton5);
    archives->addButton(RadioButton6);
    RadioButton5->setChecked(true);

    PanelPrima = new QWidget(this);
    PanelPrima->setObjectName("PanelPrima");
    PanelTerap = new QWidget(this);
    PanelTerap->setObjectName("PanelTerap");
    auto* primaLayout = new QVBoxLayout(PanelPrima);
    auto* terapLayout = new QVBoxLayout(PanelTerap);
    auto* primaGroup = new QButtonGroup(this);
    auto* terapGroup = new QButtonGroup(this);
    for (const remedies::SearchFieldInfo& f : remedies::searchFields()) {
        const bool primary = f.database == remedies::Database::Primary;
        auto* b = new QRadioButton(f.caption, primary ? PanelPrima : PanelTerap);
        b->setObjectName(f.control);
        (primary ? primaGroup : terapGroup)->addButton(b);
        (primary ? primaLayout : terapLayout)->addWidget(b);
        fieldButtons_.push_back(b);
        const remedies::SearchField field = f.field;
        connect(b, &QRadioButton::clicked, this, [this, field] { fieldClick(field); });
    }
    primaLayout->addStretch();
    terapLayout->addStretch();

    auto* top = new QGridLayout;
    top->addWidget(new QLabel("Frase da cercare", this), 0, 0);
    top->addWidget(EditCerca, 0, 1);
    top->addWidget(BBcerca, 0, 2);
    top->addWidget(new QLabel("Rimedio", this), 1, 0);
    top->addWidget(EdRime, 1, 1);
    auto* numbers = new QHBoxLayout;
    numbers->addWidget(new QLabel("posizione", this));
    numbers->addWidget(Edit1);
    numbers->addWidget(new QLabel("Caratteri Totali:", this));
    numbers->addWidget(Edit2);
    numbers->addStretch();
    top->addLayout(numbers, 2, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(new QLabel("Testo prima della frase trovata", this));
    left->addWidget(Memo1, 1);
    left->addWidget(new QLabel("Testo dalla frase trovata in poi", this));
    left->addWidget(Memo2, 2);
    auto* right = new QVBoxLayout;
    auto* archiveLabel = new QLabel("Archivio da esaminare:", this);
    archiveLabel->setStyleSheet("font-weight: bold;");
    right->addWidget(archiveLabel);
    right->addWidget(RadioButton5);
    right->addWidget(RadioButton6);
    auto* fieldLabel = new QLabel("Campo da esaminare", this);
    fieldLabel->setStyleSheet("font-weight: bold;");
    right->addWidget(fieldLabel);
    right->addWidget(PanelPrima);
    right->addWidget(PanelTerap);
    right->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addLayout(left, 3);
    middle->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BBsalva);
    buttons->addStretch();
    buttons->addWidget(BBritorna);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    resize(900, 620);

    connect(BBcerca, &QPushButton::clicked, this, &TFoUtilit::BBcercaClick);
    connect(BBsalva, &QPushButton::clicked, this, &TFoUtilit::BBsalvaClick);
    connect(BBritorna, &QPushButton::clicked, this, &QDialog::accept);
    connect(RadioButton5, &QRadioButton::clicked, this, [this] { archiveClick(true); });
    connect(RadioButton6, &QRadioButton::clicked, this, [this] { archiveClick(false); });
    connect(EditCerca, &QLineEdit::textChanged, this, &TFoUtilit::EditCercaChange);
    for (QPlainTextEdit* m : {Memo1, Memo2}) {
        onMouse(m->viewport(), [this] { memoTouched_ = true; });
        connect(m, &QPlainTextEdit::textChanged, this, [this] {
            if (loading_ || found_ < 0) return;
            if (memoTouched_) BBsalva->setEnabled(true);
            // The length of the corrected text, red beyond the field's capacity.
            const std::size_t length = storedText(Memo1->toPlainText()).size() + storedText(Memo2->toPlainText()).size();
            const std::size_t capacity = remedies::searchFieldInfo(field_).capacity;
            Edit2->setText(QString("%1/%2").arg(length).arg(capacity));
            Edit2->setStyleSheet(length > capacity ? "QLineEdit { background: red; color: white; }" : "");
        });
    }
}

void TFoUtilit::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

void TFoUtilit::FormActivate() {
    // Both record files must be there and sound.
    const bool ok = runUserAction(this, [&] {
        remedies::searchRecordCount(dataDir(), remedies::SearchField::Rimedio);
        remedies::searchRecordCount(dataDir(), remedies::SearchField::RepRimedio);
    });
    BBcerca->setEnabled(ok);
    RadioButton5->setChecked(true);
    fieldButtons_.front()->setChecked(true);
    for (QRadioButton* b : fieldButtons_)
        if (QString(b->objectName()) == "RBrimed") b->setChecked(true);
    archiveClick(true);
}

void TFoUtilit::archiveClick(bool primary) {
    PanelPrima->setVisible(primary);
    PanelTerap->setVisible(!primary);
    for (std::size_t i = 0; i < fieldButtons_.size(); ++i) {
        const remedies::SearchFieldInfo& f = remedies::searchFields()[i];
        if ((f.database == remedies::Database::Primary) == primary && fieldButtons_[i]->isChecked()) field_ = f.field;
    }
    stopSearch("Cerca ");
    forgetHit();
}

// The hit shown belongs to one field of one archive: once the archive (and
// with it the field) changes, or the window opens again, "Salva" must not
// write the memos into the field now chosen.
void TFoUtilit::forgetHit() {
    found_ = -1;
    memoTouched_ = false;
    BBsalva->setEnabled(false);
    loading_ = true;
    Memo1->clear();
    Memo2->clear();
    loading_ = false;
    for (QLineEdit* e : {Edit1, Edit2, EdRime}) e->clear();
    Edit2->setStyleSheet({});
}

void TFoUtilit::stopSearch(const QString& caption) {
    running_ = false;
    next_ = 0;
    BBcerca->setText(caption);
}

void TFoUtilit::fieldClick(remedies::SearchField field) {
    field_ = field;
    stopSearch("Cerca");
    forgetHit();
}

void TFoUtilit::EditCercaChange() {
    memoTouched_ = false;
    stopSearch("Cerca");
}

void TFoUtilit::BBcercaClick() {
    if (BBsalva->isEnabled()) {
        const Dialogs::Answer a = dialogs().question(this, "Salvare le modifiche apportate?", true);
        if (a == Dialogs::Answer::Yes) {
            writeCorrection();
            return;
        }
        if (a == Dialogs::Answer::Cancel) return;
    }
    BBsalva->setEnabled(false);
    memoTouched_ = false;
    if (!running_) {
        term_ = remedies::upperLetters(toCp1252(EditCerca->text()));
        if (term_.empty()) {
            dialogs().warning(this, "Scrivere nella casella \"Frase da cercare\" la parola o la frase da cercare.");
            return;
        }
        next_ = 0;
        running_ = true;
    }
    std::optional<remedies::SearchHit> hit;
    std::int64_t count = 0;
    if (!runUserAction(this, [&] {
            hit = remedies::findNextHit(dataDir(), field_, term_, next_);
            count = remedies::searchRecordCount(dataDir(), field_);
        })) {
        stopSearch("Cerca");
        return;
    }
    loading_ = true;
    if (hit) {
        const remedies::SearchFieldInfo& info = remedies::searchFieldInfo(field_);
        EdRime->setText(fromCp1252(hit->name));
        Edit2->setText(QString("%1/%2").arg(hit->text.size()).arg(info.capacity));
        Edit2->setStyleSheet({});
        Memo1->setPlainText(shownText(hit->text.substr(0, hit->position)));
        Memo2->setPlainText(shownText(hit->text.substr(hit->position)));
        found_ = hit->record;
        next_ = hit->record + 1;
        Edit1->setText(QString::number(next_));
        BBcerca->setText("Continua");
    } else {
        for (QPlainTextEdit* m : {Memo1, Memo2}) m->setPlainText("FINE ARCHIVIO");
        EdRime->setText("FINE ARCHIVIO");
        Edit2->clear();
        Edit2->setStyleSheet({});
        Edit1->setText(QString::number(count - 1));
        found_ = -1;
        stopSearch("Cerca");
    }
    loading_ = false;
}

void TFoUtilit::BBsalvaClick() {
    if (EdRime->text() == "FINE ARCHIVIO") return;
    writeCorrection();
}

bool TFoUtilit::writeCorrection() {
    if (found_ < 0) return false;
    for (const QString& typed : {Memo1->toPlainText(), Memo2->toPlainText()})
        if (const QString why = unstorableReason(typed, true); !why.isEmpty()) {
            dialogs().error(this, fromCp1252("Il testo corretto ") + why);
            return false;
        }
    const std::string text = storedText(Memo1->toPlainText()) + storedText(Memo2->toPlainText());
    if (!runUserAction(this, [&] { remedies::writeCorrection(dataDir(), field_, found_, text); })) return false;
    BBsalva->setEnabled(false);
    memoTouched_ = false;
    Edit2->setText(QString("%1/%2").arg(text.size()).arg(remedies::searchFieldInfo(field_).capacity));
    return true;
}

} // namespace qv
