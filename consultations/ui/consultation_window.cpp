#include "consultations/ui/consultation_window.h"

#include "archive/current_subject.h"
#include "base/data_dir.h"
#include "base/ui/dialogs.h"
#include "base/ui/qt_text.h"
#include "base/ui/search_box.h"
#include "base/ui/storable_text.h"
#include "base/ui/user_action.h"
#include "consultations/health_warnings.h"
#include "consultations/offered_remedies.h"
#include "consultations/prescription.h"
#include "consultations/print/report_document.h"
#include "consultations/report_subject.h"
#include "ephemeris/text_forms.h"
#include "remedies/consultation.h"
#include "settings/chart_settings.h"
#include "settings/display_settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qv {

namespace {

using namespace consultations;

QPushButton* button(QWidget* parent, const QString& caption, const char* name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

template <typename W>
W* named(W* w, const char* name) {
    w->setObjectName(name);
    return w;
}

QVBoxLayout* captioned(QWidget* parent, const QString& caption, QWidget* w) {
    auto* column = new QVBoxLayout;
    auto* label = new QLabel(caption, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    column->addWidget(label);
    column->addWidget(w, 1);
    return column;
}

QString summaryText(const ConsultationSummary& s) {
    QString t = QString::fromStdString(dateText(s.date));
    if (s.followUp) t += QStringLiteral("  (controllo %1)").arg(QString::fromStdString(dateText(*s.followUp)));
    t += QStringLiteral("  \u2013  %1 %2, %3 %4")
             .arg(s.symptoms)
             .arg(s.symptoms == 1 ? "sintomo" : "sintomi")
             .arg(s.remedies)
             .arg(s.remedies == 1 ? "rimedio" : "rimedi");
    std::string first = s.complaints.substr(0, s.complaints.find_first_of("\r\n"));
    if (!first.empty()) t += QStringLiteral("  \u2013  ") + fromCp1252(first.substr(0, 60));
    return t;
}

enum RemedyColumn { kName = 0, kDosage = 1, kDuration = 2 };

} // namespace

TFoConsulti::TFoConsulti(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoConsulti");
    setWindowTitle("Consultazioni");

    LabSoggetto = named(new QLabel(this), "LabSoggetto");
    QFont big = LabSoggetto->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    LabSoggetto->setFont(big);
    ListaConsulti = named(new QListWidget(this), "ListaConsulti");
    auto* BBnuova = button(this, "Nuova", "BBnuova");
    BBelimina = button(this, "Elimina", "BBelimina");
    BBstampa = button(this, "Stampa Relazione", "BBstampa");

    EdData = named(new QLineEdit(this), "EdData");
    EdData->setPlaceholderText("GG/MM/AAAA");
    EdControllo = named(new QLineEdit(this), "EdControllo");
    EdControllo->setPlaceholderText("GG/MM/AAAA (facoltativo)");
    MemoDisturbi = named(new QPlainTextEdit(this), "MemoDisturbi");
    ListaSintomiDB = named(new QListWidget(this), "ListaSintomiDB");
    EdCercaSintomo = named(new SearchBox(ListaSintomiDB, this), "EdCercaSintomo");
    auto* BBaggiungiSintomo = button(this, "Aggiungi sintomo", "BBaggiungiSintomo");
    ListaSintomi = named(new QListWidget(this), "ListaSintomi");
    auto* BBtogliSintomo = button(this, "Togli sintomo", "BBtogliSintomo");
    ListaRimediDB = named(new QListWidget(this), "ListaRimediDB");
    EdCercaRimedio = named(new SearchBox(ListaRimediDB, this), "EdCercaRimedio");
    auto* BBaggiungiRimedio = button(this, "Aggiungi rimedio", "BBaggiungiRimedio");
    TabRimedi = named(new QTableWidget(0, 3, this), "TabRimedi");
    TabRimedi->setHorizontalHeaderLabels({"Rimedio", "Posologia", "Durata"});
    TabRimedi->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::ResizeToContents);
    TabRimedi->horizontalHeader()->setSectionResizeMode(kDosage, QHeaderView::Stretch);
    TabRimedi->horizontalHeader()->setSectionResizeMode(kDuration, QHeaderView::Interactive);
    TabRimedi->setColumnWidth(kDuration, 220);
    TabRimedi->setWordWrap(true);
    auto* BBtogliRimedio = button(this, "Togli rimedio", "BBtogliRimedio");
    MemoAvvertenze = named(new QPlainTextEdit(this), "MemoAvvertenze");
    MemoAvvertenze->setReadOnly(true);
    MemoAvvertenze->setPlaceholderText("Avvertenze del rimedio scelto");
    MemoNote = named(new QPlainTextEdit(this), "MemoNote");
    MemoNote->setPlaceholderText("Note del professionista (non compaiono nella relazione)");
    MemoFarmaci = named(new QPlainTextEdit(this), "MemoFarmaci");
    MemoFarmaci->setPlaceholderText("Farmaci che la persona assume, uno per riga (es. sertralina 50 mg)");
    MemoFarmaci->setMaximumHeight(MemoFarmaci->fontMetrics().lineSpacing() * 3 + 12);
    CBgravidanza = named(new QCheckBox("Gravidanza", this), "CBgravidanza");
    CBallattamento = named(new QCheckBox("Allattamento", this), "CBallattamento");
    LabEta = named(new QLabel(this), "LabEta");
    MemoAttenzione = named(new QPlainTextEdit(this), "MemoAttenzione");
    MemoAttenzione->setReadOnly(true);
    MemoAttenzione->setPlaceholderText("Quando rivolgersi al medico e avvertenze per la persona");
    {
        QPalette warm = MemoAttenzione->palette();
        warm.setColor(QPalette::Base, QColor(0xFF, 0xF4, 0xE5));
        warm.setColor(QPalette::Text, QColor(0x70, 0x10, 0x10));
        MemoAttenzione->setPalette(warm);
    }
    BBregistra = button(this, "Registra", "BBregistra");
    auto* BitBtnRitorna = button(this, "&Ritorna al Menu", "BitBtnRitorna");

    // Left: the list and what acts on it.
    auto* left = new QVBoxLayout;
    left->addWidget(LabSoggetto);
    left->addLayout(captioned(this, "Consultazioni (la pi\u00F9 recente per prima)", ListaConsulti), 2);
    // Beside the form, where the eye goes before the remedies are handed on.
    left->addLayout(captioned(this, "Da dire alla persona", MemoAttenzione), 3);
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(BBnuova);
    listButtons->addWidget(BBelimina);
    listButtons->addWidget(BBstampa);
    left->addLayout(listButtons);

    // Right: the form.
    auto* dates = new QFormLayout;
    dates->addRow("Data:", EdData);
    dates->addRow("Controllo:", EdControllo);
    dates->addRow("Et\u00E0:", LabEta);
    auto* states = new QHBoxLayout;
    states->addWidget(CBgravidanza);
    states->addWidget(CBallattamento);
    states->addStretch();
    dates->addRow("Stato:", states);
    dates->addRow("Farmaci:", MemoFarmaci);
    auto* symptomPick = new QVBoxLayout;
    symptomPick->addLayout(captioned(this, "Elenco dei sintomi", ListaSintomiDB), 1);
    symptomPick->addWidget(EdCercaSintomo);
    symptomPick->addWidget(BBaggiungiSintomo);
    auto* symptomChosen = captioned(this, "Sintomi della consultazione", ListaSintomi);
    symptomChosen->addWidget(BBtogliSintomo);
    auto* remedyPick = new QVBoxLayout;
    remedyPick->addLayout(captioned(this, "Elenco dei rimedi", ListaRimediDB), 1);
    remedyPick->addWidget(EdCercaRimedio);
    remedyPick->addWidget(BBaggiungiRimedio);
    auto* remedyChosen = captioned(this, "Rimedi prescritti (posologia e durata modificabili)", TabRimedi);
    remedyChosen->addWidget(BBtogliRimedio);
    remedyChosen->addWidget(MemoAvvertenze);
    MemoAvvertenze->setMaximumHeight(MemoAvvertenze->fontMetrics().lineSpacing() * 4 + 12);


    auto* grid = new QGridLayout;
    grid->addLayout(dates, 0, 0);
    grid->addLayout(captioned(this, "Disturbi", MemoDisturbi), 1, 0);
    grid->addLayout(captioned(this, "Note", MemoNote), 1, 1);
    grid->addLayout(symptomPick, 2, 0);
    grid->addLayout(symptomChosen, 2, 1);
    grid->addLayout(remedyPick, 3, 0);
    grid->addLayout(remedyChosen, 3, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(2, 2);
    grid->setRowStretch(3, 3);

    auto* top = new QHBoxLayout;
    top->addLayout(left, 2);
    top->addLayout(grid, 5);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(BBregistra);
    bottom->addWidget(BitBtnRitorna);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
    resize(1340, 760);

    connect(ListaConsulti, &QListWidget::currentRowChanged, this, &TFoConsulti::ListaConsultiClick);
    connect(BBnuova, &QPushButton::clicked, this, &TFoConsulti::BBnuovaClick);
    connect(BBelimina, &QPushButton::clicked, this, &TFoConsulti::BBeliminaClick);
    connect(BBstampa, &QPushButton::clicked, this, &TFoConsulti::BBstampaClick);
    connect(BBregistra, &QPushButton::clicked, this, [this] { BBregistraClick(); });
    connect(BitBtnRitorna, &QPushButton::clicked, this, &QDialog::accept);
    auto chosenSymptom = [this] {
        const int row = ListaSintomiDB->currentRow();
        if (row >= 0 && row < static_cast<int>(EdCercaSintomo->entries().size()))
            addSymptom(EdCercaSintomo->entries()[static_cast<std::size_t>(row)]);
    };
    auto chosenRemedy = [this] {
        const int row = ListaRimediDB->currentRow();
        if (row >= 0 && row < static_cast<int>(EdCercaRimedio->entries().size()))
            addRemedy(EdCercaRimedio->entries()[static_cast<std::size_t>(row)]);
    };
    connect(BBaggiungiSintomo, &QPushButton::clicked, this, chosenSymptom);
    connect(ListaSintomiDB, &QListWidget::itemDoubleClicked, this, chosenSymptom);
    connect(EdCercaSintomo, &SearchBox::entryActivated, this, chosenSymptom);
    connect(BBaggiungiRimedio, &QPushButton::clicked, this, chosenRemedy);
    connect(ListaRimediDB, &QListWidget::itemDoubleClicked, this, chosenRemedy);
    connect(EdCercaRimedio, &SearchBox::entryActivated, this, chosenRemedy);
    connect(BBtogliSintomo, &QPushButton::clicked, this, &TFoConsulti::BBtogliSintomoClick);
    connect(BBtogliRimedio, &QPushButton::clicked, this, &TFoConsulti::BBtogliRimedioClick);
    connect(TabRimedi, &QTableWidget::currentCellChanged, this, [this](int row) { showWarnings(row); });
    // What the person must be told follows every change of the form that
    // bears on it.
    connect(EdData, &QLineEdit::textChanged, this, &TFoConsulti::refreshAttention);
    connect(EdControllo, &QLineEdit::textChanged, this, &TFoConsulti::refreshAttention);
    connect(MemoFarmaci, &QPlainTextEdit::textChanged, this, &TFoConsulti::refreshAttention);
    connect(MemoDisturbi, &QPlainTextEdit::textChanged, this, &TFoConsulti::refreshAttention);
    connect(CBgravidanza, &QCheckBox::toggled, this, &TFoConsulti::refreshAttention);
    connect(CBallattamento, &QCheckBox::toggled, this, &TFoConsulti::refreshAttention);
    connect(ListaSintomi->model(), &QAbstractItemModel::rowsInserted, this, &TFoConsulti::refreshAttention);
    connect(ListaSintomi->model(), &QAbstractItemModel::rowsRemoved, this, &TFoConsulti::refreshAttention);
    connect(TabRimedi->model(), &QAbstractItemModel::rowsInserted, this, &TFoConsulti::refreshAttention);
    connect(TabRimedi->model(), &QAbstractItemModel::rowsRemoved, this, &TFoConsulti::refreshAttention);
}

QStringList TFoConsulti::attentionLines() const {
    return MemoAttenzione->toPlainText().split('\n', Qt::SkipEmptyParts);
}

void TFoConsulti::refreshAttention() {
    const Consultation c = formConsultation();
    const std::optional<int> age = subject_ ? ageOn(c.subject, c.date) : std::nullopt;
    LabEta->setText(age ? QStringLiteral("%1 anni alla data della consultazione").arg(*age) : QString());
    QStringList lines;
    runUserAction(this, [&] {
        for (const ComplaintReferral& f : complaintReferrals(c))
            lines << fromCp1252((f.complaint.empty() ? std::string("Disturbi") : f.complaint) +
                                " \x96 quando rivolgersi al medico: " + f.referral);
        for (const std::string& w : healthWarnings(c)) lines << fromCp1252(w);
    });
    MemoAttenzione->setPlainText(lines.join('\n'));
}

void TFoConsulti::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormActivate();
}

void TFoConsulti::FormActivate() {
    subject_.reset();
    listed_.clear();
    ListaConsulti->clear();
    runUserAction(this, [&] {
        if (!currentSubjectExists()) {
            LabSoggetto->setText("Nessun soggetto attuale: richiamarne o registrarne uno");
            return;
        }
        subject_ = currentSubjectLink();
        LabSoggetto->setText(fromCp1252(subject_->name + "  (" + subject_->archive + ")"));
        std::vector<std::string> symptoms = symptomEntries(dataDir());
        for (QListWidget* list : {ListaSintomiDB, ListaRimediDB}) list->clear();
        for (const std::string& s : symptoms) ListaSintomiDB->addItem(fromCp1252(s));
        EdCercaSintomo->setEntries(std::move(symptoms));
        std::vector<std::string> remedies = remedyEntries(dataDir());
        for (const std::string& r : remedies) ListaRimediDB->addItem(fromCp1252(r));
        EdCercaRimedio->setEntries(std::move(remedies));
    });
    for (QWidget* w : std::initializer_list<QWidget*>{BBregistra, BBelimina, BBstampa, EdData, EdControllo})
        w->setEnabled(subject_.has_value());
    BBnuovaClick();
    if (!subject_) return;
    refreshList(0);
    // The remedies chosen in the search windows start a new consultation.
    const std::vector<std::string> offered = takeOfferedRemedies();
    for (const std::string& name : offered) addRemedy(name);
}

void TFoConsulti::refreshList(std::int64_t select) {
    const QSignalBlocker quiet(ListaConsulti);
    ListaConsulti->clear();
    listed_.clear();
    if (!subject_) return;
    runUserAction(this, [&] {
        // Reading never creates the store: a subject without consultations
        // leaves no file behind.
        if (const auto store = openStoreIfPresent()) listed_ = store->summariesOf(*subject_);
    });
    for (std::size_t i = 0; i < listed_.size(); ++i) {
        ListaConsulti->addItem(summaryText(listed_[i]));
        if (listed_[i].id == select) ListaConsulti->setCurrentRow(static_cast<int>(i));
    }
    BBelimina->setEnabled(editing_ != 0);
    BBstampa->setEnabled(editing_ != 0);
}

void TFoConsulti::ListaConsultiClick(int row) {
    if (row < 0 || row >= static_cast<int>(listed_.size())) return;
    std::optional<Consultation> c;
    if (!runUserAction(this, [&] { c = ConsultationStore(storePath(), false).find(listed_[static_cast<std::size_t>(row)].id); }))
        return;
    if (c) fillForm(*c);
}

void TFoConsulti::BBnuovaClick() {
    Consultation c;
    c.date = *parseDate(TodayText());
    fillForm(c);
    const QSignalBlocker quiet(ListaConsulti);
    ListaConsulti->setCurrentRow(-1);
    ListaConsulti->clearSelection();
}

void TFoConsulti::fillForm(const Consultation& c) {
    editing_ = c.id;
    EdData->setText(QString::fromStdString(dateText(c.date)));
    EdControllo->setText(c.followUp ? QString::fromStdString(dateText(*c.followUp)) : QString());
    MemoDisturbi->setPlainText(fromCp1252(c.complaints));
    MemoNote->setPlainText(fromCp1252(c.notes));
    {
        const QSignalBlocker quietMedicines(MemoFarmaci), quietPregnancy(CBgravidanza), quietBreastfeeding(CBallattamento);
        MemoFarmaci->setPlainText(fromCp1252(c.medicines));
        CBgravidanza->setChecked(c.pregnancy);
        CBallattamento->setChecked(c.breastfeeding);
    }
    ListaSintomi->clear();
    for (const std::string& s : c.symptoms) ListaSintomi->addItem(fromCp1252(s));
    TabRimedi->setRowCount(0);
    for (const PrescribedRemedy& r : c.remedies) {
        const int row = TabRimedi->rowCount();
        TabRimedi->insertRow(row);
        auto* name = new QTableWidgetItem(fromCp1252(r.name));
        name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        TabRimedi->setItem(row, kName, name);
        TabRimedi->setItem(row, kDosage, new QTableWidgetItem(fromCp1252(r.dosage)));
        TabRimedi->setItem(row, kDuration, new QTableWidgetItem(fromCp1252(r.duration)));
    }
    TabRimedi->resizeRowsToContents();
    MemoAvvertenze->clear();
    BBelimina->setEnabled(editing_ != 0);
    BBstampa->setEnabled(editing_ != 0);
    refreshAttention();
}

Consultation TFoConsulti::formConsultation() const {
    Consultation c;
    c.id = editing_;
    if (subject_) c.subject = *subject_;
    c.date = parseDate(toCp1252(EdData->text().trimmed())).value_or(CalendarDate{});
    if (!EdControllo->text().trimmed().isEmpty())
        c.followUp = parseDate(toCp1252(EdControllo->text().trimmed())).value_or(CalendarDate{});
    c.complaints = toCp1252(MemoDisturbi->toPlainText());
    c.notes = toCp1252(MemoNote->toPlainText());
    c.medicines = toCp1252(MemoFarmaci->toPlainText());
    c.pregnancy = CBgravidanza->isChecked();
    c.breastfeeding = CBallattamento->isChecked();
    for (int i = 0; i < ListaSintomi->count(); ++i) c.symptoms.push_back(toCp1252(ListaSintomi->item(i)->text()));
    for (int row = 0; row < TabRimedi->rowCount(); ++row) {
        auto text = [&](int column) {
            const QTableWidgetItem* item = TabRimedi->item(row, column);
            return item ? toCp1252(item->text().trimmed()) : std::string();
        };
        c.remedies.push_back({text(kName), text(kDosage), text(kDuration)});
    }
    return c;
}

bool TFoConsulti::BBregistraClick() {
    if (!subject_) return false;
    if (!parseDate(toCp1252(EdData->text().trimmed()))) {
        dialogs().warning(this, "Data della consultazione non valida (GG/MM/AAAA)");
        return false;
    }
    if (!EdControllo->text().trimmed().isEmpty() && !parseDate(toCp1252(EdControllo->text().trimmed()))) {
        dialogs().warning(this, "Data del controllo non valida (GG/MM/AAAA)");
        return false;
    }
    // The store keeps Unicode, but the rest of the program reads
    // Windows-1252: a character it lacks would come back as "?".
    if (const QString reason = unstorableTextIn(this); !reason.isEmpty()) {
        dialogs().warning(this, reason);
        return false;
    }
    Consultation c = formConsultation();
    if (const std::string failure = consultationFailure(c); !failure.empty()) {
        dialogs().warning(this, fromCp1252(failure));
        return false;
    }
    if (!runUserAction(this, [&] { openStore().save(c); })) return false;
    editing_ = c.id;
    refreshList(c.id);
    return true;
}

void TFoConsulti::BBeliminaClick() {
    if (!subject_ || editing_ == 0) return;
    const Consultation c = formConsultation();
    if (dialogs().question(this, QStringLiteral("Eliminare la consultazione del %1 di %2?")
                                     .arg(QString::fromStdString(dateText(c.date)), fromCp1252(subject_->name))) !=
        Dialogs::Answer::Yes)
        return;
    if (!runUserAction(this, [&] { ConsultationStore(storePath(), false).remove(editing_); })) return;
    BBnuovaClick();
    refreshList(0);
}

void TFoConsulti::addSymptom(const std::string& entry) {
    const QString text = fromCp1252(entry);
    if (!ListaSintomi->findItems(text, Qt::MatchExactly).isEmpty()) return;
    ListaSintomi->addItem(text);
}

void TFoConsulti::addRemedy(const std::string& name) {
    const QString text = fromCp1252(name);
    for (int row = 0; row < TabRimedi->rowCount(); ++row)
        if (TabRimedi->item(row, kName) && TabRimedi->item(row, kName)->text() == text) {
            TabRimedi->setCurrentCell(row, kDosage);
            return;
        }
    PrescribedRemedy p{name, {}, {}};
    const std::vector<std::string> symptoms = formConsultation().symptoms;
    if (!runUserAction(this, [&] { p = prescriptionFromDatabase(dataDir(), name, symptoms); })) return;
    const int row = TabRimedi->rowCount();
    TabRimedi->insertRow(row);
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    TabRimedi->setItem(row, kName, item);
    TabRimedi->setItem(row, kDosage, new QTableWidgetItem(fromCp1252(p.dosage)));
    TabRimedi->setItem(row, kDuration, new QTableWidgetItem(fromCp1252(p.duration)));
    TabRimedi->resizeRowToContents(row);
    TabRimedi->setCurrentCell(row, kDosage);
    showWarnings(row);
    refreshAttention();
}

// Wherever a remedy is proposed its warnings are shown whole.
void TFoConsulti::showWarnings(int row) {
    MemoAvvertenze->clear();
    if (row < 0 || row >= TabRimedi->rowCount() || !TabRimedi->item(row, kName)) return;
    const std::string name = toCp1252(TabRimedi->item(row, kName)->text());
    runUserAction(this, [&] {
        const auto records = remedies::findRemedy(dataDir(), name);
        MemoAvvertenze->setPlainText(
            fromCp1252(name + " - Avvertenze: " +
                       (records.empty() ? std::string("rimedio non presente nella banca dati")
                                        : remedies::warningsOrNotice(records.back().data))));
    });
}

void TFoConsulti::BBtogliSintomoClick() { delete ListaSintomi->takeItem(ListaSintomi->currentRow()); }

void TFoConsulti::BBtogliRimedioClick() {
    if (TabRimedi->currentRow() >= 0) TabRimedi->removeRow(TabRimedi->currentRow());
    showWarnings(TabRimedi->currentRow());
}

QString TFoConsulti::formFailure() const {
    const std::string failure = consultationFailure(formConsultation());
    return failure.empty() ? QString() : fromCp1252(failure);
}

// The report goes to the person: what it says must be a consultation the
// program would register. A follow-up date before the visit, refused when
// registering, would otherwise reach the person on paper.
bool TFoConsulti::printReport(QPrinter& printer) {
    if (const QString failure = formFailure(); !failure.isEmpty()) {
        dialogs().warning(this, failure);
        return false;
    }
    return runUserAction(this, [&] {
        const SubjectChart chart = chartOfCurrentSubject();
        const ReportContent content =
            reportContent(formConsultation(), chart.subject, chart.natal, chart.master, readPractitionerIdentity().printedLines());
        consultations::printReport(content, chart.natal, ActiveOrbs(), printer);
    });
}

void TFoConsulti::BBstampaClick() {
    if (!subject_ || editing_ == 0) return;
    // Refused before the preview opens, not on each of its repaints.
    if (const QString failure = formFailure(); !failure.isEmpty()) {
        dialogs().warning(this, failure);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName("Relazione di consultazione");
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle("Stampa Relazione");
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { printReport(*p); });
    preview.exec();
}

} // namespace qv
