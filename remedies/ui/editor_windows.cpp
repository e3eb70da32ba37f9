#include "base/data_dir.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"
#include "remedies/ui/database_editor.h"
#include "remedies/ui/window_parts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qv {

namespace {

const char* const kPrimaryInstructions =
    "USO RISERVATO all'amministratore della banca dati.\n\n"
    "Per modificare un record: sceglierlo nell'elenco a destra, correggere le caselle e premere [Salva]. "
    "[Salva come Nuovo] aggiunge il contenuto delle caselle come nuovo record in fondo all'archivio.\n\n"
    "Le ELIMINAZIONI sono DEFINITIVE: un record eliminato per errore si recupera soltanto riscrivendolo "
    "nelle caselle e salvandolo con [Salva come Nuovo].\n\n"
    "Capacit\u00E0 delle caselle (caratteri; un a capo vale due): Rimedio 50, Indicazioni 300, Posologia 900, "
    "Avvertenze 400, Segnatura Primaria 30, Segnatura Secondaria 40, Segnatura Zodiacale 70, Sintesi "
    "Psichica 1500, Note 750, Note Supplementari 750. Oltre il limite compare l'avviso rosso e il testo in "
    "eccesso non viene salvato. L'indicazione va scritta su una sola riga: negli elenchi dei sintomi ogni "
    "indicazione occupa una riga.\n\n"
    "Dopo le modifiche premere [Ricostruisci File]: gli elenchi di consultazione (sintomi, rimedi, "
    "segnature) sono rigenerati dall'archivio.\n\n"
    "ORDINE DELL'ARCHIVIO: [Modifica Elenco] mostra i record nell'ordine del file. Un doppio clic su una voce "
    "la sceglie (compare nella casella Cerca); un doppio clic sulla posizione di arrivo ve la sposta. Un "
    "doppio clic sulla voce scelta annulla una scelta sbagliata. [Definitivo] scrive il nuovo ordine, "
    "[Annulla Modifiche] lo abbandona.\n\n"
    "TROVA: scrivere una parola nella casella accanto a [trova] e premere il pulsante: l'elenco si porta "
    "sulla prima voce che la contiene; ogni nuova pressione cerca la successiva. Un clic nella casella "
    "ricomincia dall'inizio.";

const char* const kRepertoryInstructions =
    "USO RISERVATO all'amministratore della banca dati.\n\n"
    "Per modificare una coppia Patologia-Rimedio: sceglierla nell'elenco a destra, correggere le caselle e "
    "premere [Salva]. [Salva come Nuovo] la aggiunge come nuovo record.\n\n"
    "Le ELIMINAZIONI sono DEFINITIVE: un record eliminato per errore si recupera soltanto riscrivendolo e "
    "salvandolo con [Salva come Nuovo].\n\n"
    "Capacit\u00E0 delle caselle (caratteri; un a capo vale due): Patologia 100, Rimedio 100, Posologia 250, "
    "Note 750.\n\n"
    "Il riquadro del Database Primario mostra avvertenze, segnature, sintesi psichica e note del rimedio; "
    "un doppio clic sul riquadro ne copia il testo nelle Note, un doppio clic sulle Note le svuota.\n\n"
    "Dopo le modifiche premere [Ricostruisci File] per rigenerare l'elenco delle patologie.\n\n"
    "ORDINE DELL'ARCHIVIO: [Modifica Elenco], doppio clic sulla voce da spostare e doppio clic sulla "
    "posizione di arrivo; [Definitivo] scrive il nuovo ordine, [Annulla Modifiche] lo abbandona.\n\n"
    "TROVA: scrivere una parola accanto a [trova] e premere il pulsante; ogni pressione cerca la voce "
    "successiva che la contiene.";

QLineEdit* lineBox(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

QPlainTextEdit* memoBox(QWidget* parent, const char* name, const char* placeholder, int height) {
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(name);
    m->setPlaceholderText(placeholder);
    m->setMinimumHeight(height);
    return m;
}

void addRow(QGridLayout* grid, int row, const char* caption, QWidget* box) {
    auto* l = new QLabel(caption);
    l->setStyleSheet("font-weight: bold;");
    grid->addWidget(l, row, 0, Qt::AlignTop);
    grid->addWidget(box, row, 1);
}

} // namespace

// ---- DATABASE  PRIMARIO --------------------------------------------------

TFoMainArc::TFoMainArc(QWidget* parent)
    : DatabaseEditor(remedies::Database::Primary,
                     {"DATABASE  PRIMARIO", "TFoMainArc", "ordinamento per Indicazioni", "RBindi",
                      "Elimina dal Database", "Cambiamento nel Nome del Prodotto",
                      "Cambiamento nell'indicazione Terapeutica", "Cambiamento nelle Descrizioni",
                      kPrimaryInstructions, true},
                     parent) {
    auto* fields = new QWidget(this);
    EdProd = lineBox(fields, "EdProd");
    MemoPare = new QLabel(fromCp1252(remedies::kUseNumberNotice), fields);
    MemoPare->setObjectName("MemoPare");
    MemoPare->setWordWrap(true);
    MemoPare->setStyleSheet("QLabel { color: #804000; background: #fff8d0; padding: 2px; }");
    MemoPare->hide();
    MemoIndi = memoBox(fields, "MemoIndi", "Indicazioni", 54);
    MemoPoso = memoBox(fields, "MemoPoso", "Posologia", 70);
    MemoAvve = memoBox(fields, "MemoAvve", "Avvertenze", 54);
    EdPlane = lineBox(fields, "EdPlane");
    EdSeco = lineBox(fields, "EdSeco");
    EdZodi = lineBox(fields, "EdZodi");
    MemoSint = memoBox(fields, "MemoSint", "Sintesi Psichica", 80);
    MemoNote = memoBox(fields, "MemoNote", "Note", 54);
    MemoNoteSupp = memoBox(fields, "MemoNoteSupp", "Note Supplementari", 54);

    auto* grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    addRow(grid, 0, "Rimedio", EdProd);
    grid->addWidget(MemoPare, 1, 1);
    addRow(grid, 2, "Indicazioni", MemoIndi);
    addRow(grid, 3, "Posologia", MemoPoso);
    addRow(grid, 4, "Avvertenze", MemoAvve);
    addRow(grid, 5, "Segnat. Primaria", EdPlane);
    addRow(grid, 6, "Segnat. Secondaria", EdSeco);
    addRow(grid, 7, "Segnat. Zodiacale", EdZodi);
    addRow(grid, 8, "Sintesi Psichica", MemoSint);
    addRow(grid, 9, "Note", MemoNote);
    addRow(grid, 10, "Note Suppl.", MemoNoteSupp);
    grid->setRowStretch(8, 2);

    watchBox(EdProd, 50, Role::Name, true);
    watchBox(MemoIndi, 300, Role::Key);
    watchBox(MemoPoso, 900, Role::Description);
    watchBox(MemoAvve, 400, Role::Description);
    watchBox(EdPlane, 30, Role::Description);
    watchBox(EdSeco, 40, Role::Description);
    watchBox(EdZodi, 70, Role::Description);
    watchBox(MemoSint, 1500, Role::Description);
    watchBox(MemoNote, 750, Role::Description);
    watchBox(MemoNoteSupp, 750, Role::Description);
    finishLayout(fields);
    resize(1180, 700); // fits a 1366x768 screen with its title bar and task bar
}

Bytes TFoMainArc::formToRecord() const {
    remedies::RemedyRecord r;
    r.rimedio = stored(EdProd).substr(0, 50);
    r.setIndication(stored(MemoIndi));
    r.setDosage(stored(MemoPoso));
    r.setWarnings(stored(MemoAvve));
    r.segnaturaPrimaria = stored(EdPlane).substr(0, 30);
    r.segnaturaSecondaria = stored(EdSeco).substr(0, 40);
    r.segnaturaZodiacale = stored(EdZodi).substr(0, 70);
    r.setSynthesis(stored(MemoSint));
    r.setNotes(stored(MemoNote));
    r.setSupplementaryNotes(stored(MemoNoteSupp));
    return remedies::encodeRemedy(r);
}

void TFoMainArc::recordToForm(const Bytes& record) {
    const remedies::RemedyRecord r = remedies::decodeRemedy(record);
    showStored(EdProd, r.rimedio);
    showStored(MemoIndi, r.indication());
    showStored(MemoPoso, r.dosage());
    showStored(MemoAvve, r.warnings());
    showStored(EdPlane, r.segnaturaPrimaria);
    showStored(EdSeco, r.segnaturaSecondaria);
    showStored(EdZodi, r.segnaturaZodiacale);
    showStored(MemoSint, r.synthesis());
    showStored(MemoNote, r.notes());
    showStored(MemoNoteSupp, r.supplementaryNotes());
}

void TFoMainArc::clearFields() {
    for (QLineEdit* e : {EdProd, EdPlane, EdSeco, EdZodi}) e->clear();
    for (QPlainTextEdit* m : {MemoIndi, MemoPoso, MemoAvve, MemoSint, MemoNote, MemoNoteSupp}) m->clear();
    MemoPare->hide();
}

QString TFoMainArc::nameBoxText() const { return fromCp1252(stored(EdProd)); }
QString TFoMainArc::keyBoxText() const { return fromCp1252(stored(MemoIndi)); }

remedies::MaintenanceRebuild TFoMainArc::rebuildLists() { return remedies::rebuildPrimaryLists(dataDir()); }

void TFoMainArc::afterLoad(const std::string& name) { MemoPare->setVisible(remedies::hasUseNumber(name)); }

// ---- REPERTORIO TERAPIE --------------------------------------------------

TFoAggRep::TFoAggRep(QWidget* parent)
    : DatabaseEditor(remedies::Database::Repertory,
                     {"REPERTORIO TERAPIE", "TFoAggRep", "ordinamento per Patologia", "RBpato",
                      "Elimina dal Repertorio", "Cambiamento nel Nome del Rimedio",
                      "Cambiamento nell nome della Patologia", "Cambiamento nelle Descrizioni",
                      kRepertoryInstructions, false},
                     parent) {
    auto* fields = new QWidget(this);
    EdPato = lineBox(fields, "EdPato");
    EdProd = lineBox(fields, "EdProd");
    EdPoso = lineBox(fields, "EdPoso");
    MemoNote = memoBox(fields, "MemoNote", "", 120);

    auto* PanelPrimario = new QFrame(fields);
    PanelPrimario->setObjectName("PanelPrimario");
    PanelPrimario->setFrameShape(QFrame::StyledPanel);
    auto* title = new QLabel("Database Primario", PanelPrimario);
    title->setStyleSheet("font-weight: bold;");
    MemoPrim = new QPlainTextEdit(PanelPrimario);
    MemoPrim->setObjectName("MemoPrim");
    MemoPrim->setReadOnly(true);
    MemoPrim->setMinimumHeight(110);
    const char* captions[4] = {"Avvertenze", "Segnature Astrologiche", "Sintesi Psichica", "Note"};
    const char* names[4] = {"BBavve", "BBsegn", "BBsint", "BBnote"};
    auto* primaryButtons = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        primaryButtons_[i] = windowButton(PanelPrimario, captions[i], names[i]);
        primaryButtons->addWidget(primaryButtons_[i]);
        connect(primaryButtons_[i], &QPushButton::clicked, this, [this, i] {
            const std::string* texts[4] = {&primary_.warnings, &primary_.signatures, &primary_.synthesis,
                                           &primary_.notes};
            showPrimary(*texts[i]);
        });
    }
    auto* panelLayout = new QVBoxLayout(PanelPrimario);
    panelLayout->addWidget(title);
    panelLayout->addLayout(primaryButtons);
    panelLayout->addWidget(MemoPrim, 1);

    auto* grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    addRow(grid, 0, "Patologia", EdPato);
    addRow(grid, 1, "Rimedio", EdProd);
    addRow(grid, 2, "Posologia", EdPoso);
    addRow(grid, 3, "Note", MemoNote);
    grid->addWidget(PanelPrimario, 4, 0, 1, 2);
    grid->setRowStretch(3, 1);
    grid->setRowStretch(4, 1);

    watchBox(EdPato, 100, Role::Key, true);
    watchBox(EdProd, 100, Role::Name);
    watchBox(EdPoso, 250, Role::Description);
    watchBox(MemoNote, 750, Role::Description);
    // A double click on the primary database's text copies it into the
    // notes; one on the notes empties them.
    onMouse(MemoPrim->viewport(), {}, [this] { MemoNote->setPlainText(MemoPrim->toPlainText()); });
    onMouse(MemoNote->viewport(), {}, [this] {
        if (!MemoNote->isReadOnly()) MemoNote->clear();
    });
    finishLayout(fields);
    resize(1120, 700);
}

Bytes TFoAggRep::formToRecord() const {
    remedies::RepertoryRecord r;
    r.patologia = stored(EdPato).substr(0, 100);
    r.rimedio = stored(EdProd).substr(0, 100);
    r.posologia = stored(EdPoso).substr(0, 250);
    r.setNotes(stored(MemoNote));
    return remedies::encodeRepertory(r);
}

void TFoAggRep::recordToForm(const Bytes& record) {
    const remedies::RepertoryRecord r = remedies::decodeRepertory(record);
    showStored(EdPato, r.patologia);
    showStored(EdProd, r.rimedio);
    showStored(EdPoso, r.posologia);
    showStored(MemoNote, r.notes());
}

void TFoAggRep::clearFields() {
    for (QLineEdit* e : {EdProd, EdPoso, EdPato}) e->clear();
    MemoNote->clear();
    MemoPrim->clear();
    for (QPushButton* b : primaryButtons_) b->setEnabled(false);
    primary_ = {};
}

QString TFoAggRep::nameBoxText() const { return fromCp1252(stored(EdProd)); }
QString TFoAggRep::keyBoxText() const { return fromCp1252(stored(EdPato)); }

remedies::MaintenanceRebuild TFoAggRep::rebuildLists() { return remedies::rebuildRepertoryLists(dataDir()); }

void TFoAggRep::afterLoad(const std::string& name) {
    primary_ = {};
    runUserAction(this, [&] { primary_ = remedies::primaryInfoOfRemedy(dataDir(), name); });
    for (QPushButton* b : primaryButtons_) b->setEnabled(primary_.found);
    if (primary_.found) {
        MemoPrim->setStyleSheet("QPlainTextEdit { color: black; }");
        MemoPrim->clear();
    } else {
        MemoPrim->setStyleSheet("QPlainTextEdit { color: red; }");
        MemoPrim->setPlainText(fromCp1252(remedies::trimRightBlanks(name)) +
                               " non \u00E8 rintracciabile nel Database Primario.");
    }
}

void TFoAggRep::showPrimary(const std::string& text) {
    QString t = fromCp1252(text);
    t.replace("\r\n", "\n");
    MemoPrim->setPlainText(t);
}

} // namespace qv
