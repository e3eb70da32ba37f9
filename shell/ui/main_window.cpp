#include "shell/ui/main_window.h"

#include "settings/chart_settings.h"
#include "analysis/ui/orb_editor.h"
#include "archive/ui/birth_entry_window.h"
#include "archive/ui/deletion_window.h"
#include "archive/ui/modification_window.h"
#include "archive/ui/recall_window.h"
#include "archive/archive_files.h"
#include "base/data_dir.h"
#include "base/ui/dialogs.h"
#include "base/ui/lock_glyph.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "consultations/ui/consultation_window.h"
#include "display/ui/analysis_window.h"
#include "display/ui/calibration_window.h"
#include "display/ui/linked_remedies_panel.h"
#include "display/ui/sheet_window.h"
#include "editor/ui/text_editor_window.h"
#include "remedies/ui/composite_windows.h"
#include "remedies/ui/consultation_windows.h"
#include "remedies/ui/database_editor.h"
#include "remedies/ui/maintenance_windows.h"
#include "remedies/ui/plant_windows.h"
#include "remedies/ui/signature_windows.h"
#include "shell/current_subject_view.h"
#include "shell/ui/backup_window.h"
#include "shell/ui/main_window_pictures.h"
#include "shell/ui/settings_windows.h"
#include "archive/archive_records.h"
#include "archive/current_subject.h"
#include "ephemeris/text_forms.h"
#include "timing/birthplace_clock.h"
#include "timing/ui/calendar_window.h"
#include "timing/ui/transits_window.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>

#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace qv {

namespace {

// The archive windows open a subject's text in the program's text editor.
void openInTextEditor(QWidget* parent, const QString& dataPath) {
    TFoReMaiH editor(dataPath, parent);
    editor.exec();
}

} // namespace

void ClickableLabel::mousePressEvent(QMouseEvent* e) {
    emit pressed();
    QLabel::mousePressEvent(e);
}
void ClickableLabel::mouseReleaseEvent(QMouseEvent* e) {
    emit released();
    if (rect().contains(e->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(e);
}

namespace {

const char* const kOrbCaptions[] = {"A (normali)", "B (personali)", "C (personali)"};

QPushButton* tabButton(QWidget* parent, const QString& caption, const char* name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setMinimumHeight(36);
    return b;
}

// Watches a widget for double clicks and plain keys on behalf of the window.
class EventTap : public QObject {
public:
    std::function<bool(QEvent*)> handler;
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* e) override { return handler && handler(e); }
};

} // namespace

TFoSpagyr::TFoSpagyr(QWidget* parent) : QMainWindow(parent) {
    setObjectName("TFoSpagyr");
    setWindowTitle("Quorendaville");
    background_ = QPixmap(QString::fromStdString(dataDir().resolve("Sfondo.jpg").string()));

    auto* central = new QWidget(this);
    setCentralWidget(central);

    // Top panel.
    BBcodice = new QPushButton(central);
    BBcodice->setObjectName("BBcodice");
    BBcodice->setFixedSize(18, 18);
    BBcodice->setToolTip("Codice di accesso");
    EdPass = new QLineEdit(central);
    EdPass->setObjectName("EdPass");
    EdPass->setFixedWidth(110);
    EdPass->setStyleSheet("color: blue;");
    EdPass->hide();

    ImgFine = new ClickableLabel(central);
    ImgFine->setObjectName("ImgFine");
    ImgFine->setToolTip("Chiudi il Programma");
    ImgFine->setPixmap(exitPicture(false));
    ImgFine->setCursor(Qt::PointingHandCursor);

    CBorbite = new QComboBox(central);
    CBorbite->setObjectName("CBorbite");
    for (const char* c : kOrbCaptions) CBorbite->addItem(c);
    CBnodo = new QComboBox(central);
    CBnodo->setObjectName("CBnodo");
    CBnodo->addItems({"MEDIO", "VERO"});
    BBlock = new QToolButton(central);
    BBlock->setObjectName("BBlock");
    BBlock->setToolTip("Sblocca/Blocca");
    BBlock->setIconSize(QSize(20, 20));

    BBstampa = new QPushButton("Tipo\nStampante", central);
    BBstampa->setObjectName("BBstampa");
    BBnome = new QPushButton(central);
    BBnome->setObjectName("BBnome");
    BBnome->setToolTip("Cambia Personalizzazione");
    BBapriTesto = new QPushButton("Apri Testo", central);
    BBapriTesto->setObjectName("BBapriTesto");
    BBapriTesto->hide();
    auto* BBaggiorna = new QPushButton("Aggiornam.", central);
    BBaggiorna->setObjectName("BBaggiorna");
    BBaggiorna->setToolTip("Per aggiornare l'elenco Rimedi e relativo utilizzo");

    auto* BBistruzioni = new QPushButton("Istruzioni.pdf", central);
    BBistruzioni->setObjectName("BBistruzioni");
    auto* BBdispensa = new QPushButton("Dispensa.pdf", central);
    BBdispensa->setObjectName("BBdispensa");

    auto* orbLabel = new QLabel("Orbite", central);
    auto* nodeLabel = new QLabel("Nodo", central);
    for (QLabel* l : {orbLabel, nodeLabel}) l->setStyleSheet("color: #f4e8c0;");
    auto* optionsBox = new QGridLayout;
    optionsBox->addWidget(orbLabel, 0, 0);
    optionsBox->addWidget(CBorbite, 0, 1);
    optionsBox->addWidget(nodeLabel, 1, 0);
    optionsBox->addWidget(CBnodo, 1, 1);
    optionsBox->addWidget(BBlock, 0, 2, 2, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(BBcodice, 0, Qt::AlignTop);
    top->addWidget(EdPass, 0, Qt::AlignTop);
    top->addWidget(ImgFine);
    top->addSpacing(12);
    top->addLayout(optionsBox);
    top->addStretch();
    top->addWidget(BBstampa);
    top->addWidget(BBnome);
    top->addWidget(BBaggiorna);
    top->addWidget(BBistruzioni);
    top->addWidget(BBdispensa);
    top->addWidget(BBapriTesto);

    // The subject box and, over it on a click, the annotations box.
    auto* astro = new QWidget;
    auto* subjectFrame = new QWidget(astro);
    auto* stack = new QGridLayout(subjectFrame);
    stack->setContentsMargins(0, 0, 0, 0);
    MemoSoggetto = new ClickableLabel(subjectFrame);
    MemoSoggetto->setObjectName("MemoSoggetto");
    MemoAnnotaz = new ClickableLabel(subjectFrame);
    MemoAnnotaz->setObjectName("MemoAnnotaz");
    for (ClickableLabel* box : {MemoSoggetto, MemoAnnotaz}) {
        box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        box->setWordWrap(true);
        box->setMinimumSize(460, 150);
        box->setMargin(8);
        box->setStyleSheet("background-color: rgba(255, 255, 240, 235); color: black; font-family: 'Courier New'; font-size: 11pt; border: 1px solid #776;");
        stack->addWidget(box, 0, 0);
    }
    MemoAnnotaz->hide();
    auto* subjectTitle = new QLabel("Soggetto Attualmente selezionato", astro);
    subjectTitle->setStyleSheet("color: #f4e8c0; font-weight: bold;");
    auto* recall = tabButton(astro, "Richiamo Nuovo Soggetto", "BBrichiamo");
    auto* entry = tabButton(astro, "Inserim Dati Nascita", "BBinserimento");
    auto* deletion = tabButton(astro, "Eliminaz Dati Nascita", "BBelimina");
    auto* modification = tabButton(astro, "Modifica Dati Nascita / Crea Testo", "BBmodifica");
    auto* subjectButtons = new QGridLayout;
    subjectButtons->addWidget(recall, 0, 0);
    subjectButtons->addWidget(entry, 0, 1);
    subjectButtons->addWidget(deletion, 1, 0);
    subjectButtons->addWidget(modification, 1, 1);
    auto* astroLayout = new QVBoxLayout(astro);
    astroLayout->addWidget(subjectTitle);
    astroLayout->addWidget(subjectFrame);
    astroLayout->addLayout(subjectButtons);
    auto* model = tabButton(astro, "Modello Propedeutico Interattivo", "BBmodello");
    connect(model, &QPushButton::clicked, this, &TFoSpagyr::BBmodelloClick);
    astroLayout->addWidget(model);
    // When: transits and returns of the subject, and the days and hours to
    // prepare a remedy in.
    auto* transits = tabButton(astro, "Transiti e Rivoluzione Solare", "BBtransiti");
    auto* calendar = tabButton(astro, "Calendario Spagirico", "BBcalendario");
    connect(transits, &QPushButton::clicked, this, &TFoSpagyr::BBtransitiClick);
    connect(calendar, &QPushButton::clicked, this, &TFoSpagyr::BBcalendarioClick);
    auto* timingButtons = new QHBoxLayout;
    timingButtons->addWidget(transits);
    timingButtons->addWidget(calendar);
    astroLayout->addLayout(timingButtons);
    auto* sheets = new QGroupBox("Grafici Riassuntivi Stampabili", astro);
    sheets->setObjectName("GBgrafici");
    sheets->setStyleSheet("QGroupBox { color: #f4e8c0; font-weight: bold; }");
    auto* sheetButtons = new QGridLayout(sheets);
    const struct {
        const char* caption;
        const char* name;
        int code;
    } sheetKinds[] = {{"Orizzontale 1 ", "BBorizzontale1", 16},
                      {"Orizzontale 2", "BBorizzontale2", 17},
                      {"Verticale 1", "BBverticale1", 5},
                      {"Verticale 2", "BBverticale2", 18}};
    for (int i = 0; i < 4; ++i) {
        auto* b = tabButton(sheets, sheetKinds[i].caption, sheetKinds[i].name);
        const int code = sheetKinds[i].code;
        connect(b, &QPushButton::clicked, this, [this, code] { openSheet(code); });
        sheetButtons->addWidget(b, 0, i);
    }
    astroLayout->addWidget(sheets);
    astroLayout->addStretch();

    auto* accessory = new QWidget;
    auto* orbs = tabButton(accessory, "Variaz Orbite Aspetti", "BBorbite");
    auto* circles = tabButton(accessory, "Rotondit\u00e0 Cerchi e Ridimensionamento Schermo", "BBcerchi");
    auto* thickness = tabButton(accessory, "Spessore Linee", "BBspessore");
    auto* backup = tabButton(accessory, "Backup/Ripristino  Dati di Nascita e Testi ", "BBbackup");
    auto* accessoryLayout = new QVBoxLayout(accessory);
    BButility = tabButton(accessory, "Utility Ricerca", "BButility");
    BButility->hide(); // administrator mode only
    BBmanutenzione = tabButton(accessory, "Manutenzione", "BBmanutenzione");
    BBmanutenzione->hide(); // administrator mode only
    for (QPushButton* b : {orbs, circles, thickness, backup, BButility, BBmanutenzione}) accessoryLayout->addWidget(b);
    accessoryLayout->addStretch();

    // Consultazione Rimedi: the consultations of the remedy database.
    auto* remedyTab = new QWidget;
    remedyTab->setObjectName("TabRimedi");
    auto* symptoms = tabButton(remedyTab, "Sintomi", "BBsintomi");
    auto* remedyButton = tabButton(remedyTab, "Rimedi", "BBrimedi");
    auto* therapies = tabButton(remedyTab, "Terapie", "BBterapie");
    auto* multiple = tabButton(remedyTab, "Sintomi Multipli", "BBsintomiMultipli");
    auto* composite = tabButton(remedyTab, "Terapie Composite", "BBterapieComposite");
    auto* remedyLayout = new QGridLayout(remedyTab);
    remedyLayout->addWidget(symptoms, 0, 0);
    remedyLayout->addWidget(remedyButton, 0, 1);
    remedyLayout->addWidget(therapies, 0, 2);
    remedyLayout->addWidget(multiple, 1, 0);
    remedyLayout->addWidget(composite, 1, 1);
    auto* consultationsButton = tabButton(remedyTab, "Consultazioni", "BBconsultazioni");
    remedyLayout->addWidget(consultationsButton, 1, 2);
    connect(consultationsButton, &QPushButton::clicked, this, &TFoSpagyr::BBconsultazioniClick);
    auto* database = tabButton(remedyTab, "Database Primario", "BBdatabase");
    auto* repertory = tabButton(remedyTab, "Repertorio Terapie", "BBrepertorio");
    remedyLayout->addWidget(database, 2, 0);
    remedyLayout->addWidget(repertory, 2, 1);
    // By signature and by text; the principles archive in administrator
    // mode, the plant database windows in the hidden mode.
    auto* signatures = tabButton(remedyTab, "Segnature Astrologiche / S", "BBsegnature");
    auto* plants = tabButton(remedyTab, "Piante e Principi Attivi", "BBpiante");
    auto* debilities = tabButton(remedyTab, "Debilit\u00e0 Astrologiche / T", "BBdebilita");
    auto* synthesis = tabButton(remedyTab, "Sintesi Psichica", "BBsintesi");
    BBprincipi = tabButton(remedyTab, "Principi Curativi", "BBprincipi");
    BBprincipi->hide();
    DevButton1 = tabButton(remedyTab, "Piante e Sintomi", "DevButton1");
    DevButton2 = tabButton(remedyTab, "Sintomi e Piante", "DevButton2");
    DevButton1->hide();
    DevButton2->hide();
    remedyLayout->addWidget(signatures, 3, 0);
    remedyLayout->addWidget(plants, 3, 1);
    remedyLayout->addWidget(debilities, 4, 0);
    remedyLayout->addWidget(synthesis, 4, 1);
    remedyLayout->addWidget(BBprincipi, 3, 2);
    remedyLayout->addWidget(DevButton1, 5, 0);
    remedyLayout->addWidget(DevButton2, 5, 1);
    remedyLayout->setRowStretch(6, 1);
    connect(signatures, &QPushButton::clicked, this, &TFoSpagyr::BBsegnatureClick);
    connect(plants, &QPushButton::clicked, this, &TFoSpagyr::BBpianteClick);
    connect(debilities, &QPushButton::clicked, this, &TFoSpagyr::BBdebilitaClick);
    connect(synthesis, &QPushButton::clicked, this, &TFoSpagyr::BBsintesiClick);
    connect(BBprincipi, &QPushButton::clicked, this, &TFoSpagyr::BBprincipiClick);
    connect(DevButton1, &QPushButton::clicked, this, &TFoSpagyr::DevButton1Click);
    connect(DevButton2, &QPushButton::clicked, this, &TFoSpagyr::DevButton2Click);
    connect(database, &QPushButton::clicked, this, &TFoSpagyr::BBdatabaseClick);
    connect(repertory, &QPushButton::clicked, this, &TFoSpagyr::BBrepertorioClick);
    connect(BBaggiorna, &QPushButton::clicked, this, &TFoSpagyr::BBaggiornaClick);
    connect(BButility, &QPushButton::clicked, this, &TFoSpagyr::BButilityClick);
    connect(BBmanutenzione, &QPushButton::clicked, this, &TFoSpagyr::BBmanutenzioneClick);

    PageControl = new QTabWidget(central);
    PageControl->setObjectName("PageControl");
    PageControl->addTab(astro, "Funzioni Astrologiche");
    PageControl->addTab(remedyTab, "Consultazione Rimedi");
    PageControl->addTab(accessory, "Funzioni Accessorie");
    PageControl->setStyleSheet("QTabWidget::pane { background: transparent; border: 1px solid #887; } "
                               "QTabWidget > QWidget > QWidget { background: transparent; }");

    auto* layout = new QVBoxLayout(central);
    layout->addLayout(top);
    layout->addWidget(PageControl, 1);
    resize(760, 520);

    connect(BBlock, &QToolButton::clicked, this, &TFoSpagyr::BBlockClick);
    connect(CBorbite, &QComboBox::currentIndexChanged, this, &TFoSpagyr::CBorbiteChange);
    connect(CBnodo, &QComboBox::currentIndexChanged, this, &TFoSpagyr::CBnodoChange);
    // Choosing the entry already shown applies it again as well: the active
    // orbs are rewritten from the chosen set, after an edit of the set.
    connect(CBorbite, &QComboBox::activated, this, &TFoSpagyr::CBorbiteChange);
    connect(CBnodo, &QComboBox::activated, this, &TFoSpagyr::CBnodoChange);
    connect(BBcodice, &QPushButton::clicked, this, &TFoSpagyr::BBcodiceClick);
    connect(BBnome, &QPushButton::clicked, this, &TFoSpagyr::BBnomeClick);
    connect(BBstampa, &QPushButton::clicked, this, &TFoSpagyr::BBstampaClick);
    connect(BBapriTesto, &QPushButton::clicked, this, &TFoSpagyr::BBapriTestoClick);
    connect(BBistruzioni, &QPushButton::clicked, this, &TFoSpagyr::BBistruzioniClick);
    connect(BBdispensa, &QPushButton::clicked, this, &TFoSpagyr::BBdispensaClick);
    connect(recall, &QPushButton::clicked, this, &TFoSpagyr::BBrichiamoClick);
    connect(entry, &QPushButton::clicked, this, &TFoSpagyr::BBinserimentoClick);
    connect(deletion, &QPushButton::clicked, this, &TFoSpagyr::BBeliminaClick);
    connect(modification, &QPushButton::clicked, this, &TFoSpagyr::BBmodificaClick);
    connect(orbs, &QPushButton::clicked, this, &TFoSpagyr::BBorbiteClick);
    connect(circles, &QPushButton::clicked, this, &TFoSpagyr::BBcerchiClick);
    connect(thickness, &QPushButton::clicked, this, &TFoSpagyr::BBspessoreClick);
    connect(backup, &QPushButton::clicked, this, &TFoSpagyr::BBbackupClick);
    connect(symptoms, &QPushButton::clicked, this, &TFoSpagyr::BBsintomiClick);
    connect(remedyButton, &QPushButton::clicked, this, &TFoSpagyr::BBrimediClick);
    connect(therapies, &QPushButton::clicked, this, &TFoSpagyr::BBterapieClick);
    connect(multiple, &QPushButton::clicked, this, &TFoSpagyr::BBsintomiMultipliClick);
    connect(composite, &QPushButton::clicked, this, &TFoSpagyr::BBterapieCompositeClick);
    connect(MemoSoggetto, &ClickableLabel::clicked, this, &TFoSpagyr::MemoSoggettoClick);
    connect(MemoAnnotaz, &ClickableLabel::clicked, this, &TFoSpagyr::MemoAnnotazClick);
    connect(ImgFine, &ClickableLabel::pressed, this, &TFoSpagyr::ImgFineMouseDown);
    connect(ImgFine, &ClickableLabel::released, this, &TFoSpagyr::ImgFineMouseUp);

    // The node box toggles on a double click; the code field takes keys one
    // by one and tells a click from a double click.
    auto* nodeTap = new EventTap(this);
    nodeTap->handler = [this](QEvent* e) {
        if (e->type() != QEvent::MouseButtonDblClick) return false;
        CBnodoDblClick();
        return true;
    };
    CBnodo->installEventFilter(nodeTap);
    auto* clickTimer = new QTimer(this);
    clickTimer->setSingleShot(true);
    connect(clickTimer, &QTimer::timeout, this, &TFoSpagyr::EdPassClick);
    auto* codeTap = new EventTap(this);
    codeTap->handler = [this, clickTimer](QEvent* e) {
        if (e->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent*>(e)->text();
            if (!text.isEmpty() && text.at(0).isPrint()) EdPassKeyPress(text);
            return true;
        }
        if (e->type() == QEvent::MouseButtonPress) {
            clickTimer->start(QApplication::doubleClickInterval());
            return true;
        }
        if (e->type() == QEvent::MouseButtonDblClick) {
            clickTimer->stop();
            EdPassDblClick();
            return true;
        }
        return false;
    };
    EdPass->installEventFilter(codeTap);

    setBoxesLocked(true);
}

bool TFoSpagyr::event(QEvent* e) {
    // The first activation loads everything; afterwards openChild activates
    // again when a child window closes. Activations of any other kind (a
    // message box closing, the user switching back) do not reload, so a
    // failure shown by the activation cannot bring itself back.
    if (e->type() == QEvent::WindowActivate && !activatedOnce_) {
        activatedOnce_ = true;
        FormActivate();
    }
    return QMainWindow::event(e);
}

void TFoSpagyr::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    if (!background_.isNull())
        p.drawPixmap(rect(), background_.scaled(size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation));
    else
        p.fillRect(rect(), QColor(24, 26, 44));
    QMainWindow::paintEvent(e);
}

void TFoSpagyr::FormActivate() {
    runUserAction(this, [&] {
        retireOldBackupFolder();
        if (!archiveExists(kPersonalArchive)) createPersonalArchive();
        BBnome->setText(fromCp1252(readPractitionerName().shown()));
        readDisplaySettings();
        LoadActiveOrbs();
        const ChartSettings& settings = chartSettings();
        {
            const QSignalBlocker block(CBnodo);
            CBnodo->setCurrentIndex(settings.nodeKind == "VERO" ? 1 : 0);
        }
        loadCurrentSubject();
        setBoxesLocked(true);
        const QSignalBlocker block(CBorbite);
        const int index = settings.setLetter == "B" ? 1 : settings.setLetter == "C" ? 2 : 0;
        CBorbite->setCurrentIndex(index);
    });
}

void TFoSpagyr::loadCurrentSubject() {
    const MainWindowSubject subject = computeChartForMainWindow();
    subject_ = QStringList();
    for (const std::string& line : subject.lines) subject_ << fromCp1252(line);
    MemoSoggetto->setText(subject_.join('\n'));
    MemoAnnotaz->setText(fromCp1252(subject.annotations));
    BBapriTesto->setVisible(subject.hasText);
}

QStringList TFoSpagyr::subjectLines() const { return subject_; }

int TFoSpagyr::openChild(QDialog* child) {
    child->adjustSize();
    placeChildWindow(child, this);
    const int result = child->exec();
    FormActivate();
    return result;
}

void TFoSpagyr::setBoxesLocked(bool locked) {
    locked_ = locked;
    CBorbite->setEnabled(!locked);
    CBnodo->setEnabled(!locked);
    const char* style = locked ? "background-color: #b0b0b0; color: white;" : "background-color: aqua; color: black;";
    CBorbite->setStyleSheet(style);
    CBnodo->setStyleSheet(style);
    BBlock->setIcon(lockGlyph(!locked));
}

void TFoSpagyr::BBlockClick() { setBoxesLocked(!locked_); }

void TFoSpagyr::CBorbiteChange() {
    orbChanged_ = true;
    QTimer::singleShot(0, this, &TFoSpagyr::ApplicationIdle);
}

void TFoSpagyr::CBnodoChange() {
    nodeChanged_ = true;
    QTimer::singleShot(0, this, &TFoSpagyr::ApplicationIdle);
}

void TFoSpagyr::CBnodoDblClick() {
    const QSignalBlocker block(CBnodo);
    CBnodo->setCurrentIndex(CBnodo->currentText() == "VERO" ? 0 : 1);
    CBnodoChange();
}

// Changes of the two boxes are applied at the next idle moment.
void TFoSpagyr::ApplicationIdle() {
    if (nodeChanged_) {
        nodeChanged_ = false;
        QString kind = CBnodo->currentText();
        if (kind != "MEDIO" && kind != "VERO") kind = "MEDIO";
        runUserAction(this, [&] { WriteSettingLine(18, kind.toStdString()); });
    }
    if (orbChanged_) {
        orbChanged_ = false;
        const std::string letter = std::string(1, "ABC"[std::max(0, CBorbite->currentIndex())]);
        runUserAction(this, [&] {
            std::string caption;
            try {
                caption = SelectOrbSet(letter);
            } catch (const OrbSetsFileMissing& missing) {
                dialogs().error(this, fromCp1252(missing.notice()));
                throw;
            }
            const QSignalBlocker block(CBorbite);
            CBorbite->setCurrentText(QString::fromStdString(caption));
        });
    }
}

void TFoSpagyr::BBcodiceClick() {
    EdPass->setVisible(!EdPass->isVisible());
    if (EdPass->isVisible()) EdPass->setFocus();
}

void TFoSpagyr::EdPassKeyPress(const QString& typed) {
    for (const QChar c : typed) {
        const auto match = code_.type(static_cast<char>(c.toLatin1()));
        EdPass->setText(QString::fromStdString(code_.echo()));
        if (match == AccessCodeBuffer::Match::Administrator) {
            EdPass->setText("OK");
            BButility->show();
            BBmanutenzione->show();
            BBprincipi->show();
            primarySavingHidden_ = false;
            EdPass->hide();
        } else if (match == AccessCodeBuffer::Match::Hidden) {
            DevButton1->show();
            DevButton2->show();
            EdPass->hide();
        }
    }
}

void TFoSpagyr::EdPassDblClick() {
    code_.clear();
    EdPass->clear();
}

void TFoSpagyr::EdPassClick() {
    EdPass->hide();
    EdPass->clear();
    code_.clear();
    if (accessModes().administrator) primarySavingHidden_ = true;
}

void TFoSpagyr::BBnomeClick() {
    TFoNomUte window(this);
    openChild(&window);
}

void TFoSpagyr::BBstampaClick() {
    TFoStampa window(this);
    openChild(&window);
}

void TFoSpagyr::BBorbiteClick() {
    TFoOrbSpa window(this);
    connect(&window, &TFoOrbSpa::orbSetApplied, this, [this](const QString& caption) {
        const QSignalBlocker block(CBorbite);
        CBorbite->setCurrentText(caption);
    });
    openChild(&window);
}

// The chart analysis window: the current subject reloaded and its chart
// computed, then the full-screen window.
void TFoSpagyr::BBmodelloClick() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool loaded = runUserAction(this, [&] { loadCurrentSubject(); });
    QApplication::restoreOverrideCursor();
    if (!loaded) return;
    if (!spagy_) {
        spagy_ = new TFgrSpagy(this);
        spagyPanel_ = attachLinkedPanel(*spagy_, accessModes().hidden);
    }
    spagyPanel_->setPlantsMode(accessModes().hidden);
    spagy_->exec();
    FormActivate();
}

// The birthplace of the current subject and its clock, for the timing windows.
namespace {
struct SubjectPlace {
    std::string name, place, coordinates;
    timing::LocalClock clock = timing::LocalClock::fixed(0);
};
SubjectPlace currentSubjectPlace() {
    const CurrentSubject subject = readCurrentSubject();
    const DecodedBirth birth = decodeBirth(subject.record);
    SubjectPlace p;
    p.name = TrimRightSpaces(subject.name());
    p.place = TrimRightSpaces(placeShown(birth.placeAsStored));
    p.coordinates = birth.coordinates;
    p.clock = timing::birthplaceClock(p.place, birth.nation, chartState().corr);
    return p;
}
} // namespace

void TFoSpagyr::BBtransitiClick() {
    if (!currentSubjectExists()) {
        dialogs().information(this, "Nessun soggetto attuale: richiamarne o inserirne uno");
        return;
    }
    SubjectPlace place;
    if (!runUserAction(this, [&] {
            loadCurrentSubject();
            place = currentSubjectPlace();
        }))
        return;
    TFoTransiti window(chartState(), place.clock, place.name, this);
    openChild(&window);
}

void TFoSpagyr::BBcalendarioClick() {
    SubjectPlace place;
    if (currentSubjectExists()) runUserAction(this, [&] { place = currentSubjectPlace(); });
    TFoCalendario window(place.place, place.coordinates, place.clock.correctionAt(2451545.0L), this);
    openChild(&window);
}

// The signature, debility, composition, synthesis and principles windows and
// the two plant database windows live for the whole run.
template <typename Window>
void TFoSpagyr::openLasting(Window*& window) {
    if (!window) window = new Window(this);
    openChild(window);
}

void TFoSpagyr::BBsegnatureClick() { openLasting(segnat_); }
void TFoSpagyr::BBpianteClick() { openLasting(piante_); }
void TFoSpagyr::BBdebilitaClick() { openLasting(mali_); }
void TFoSpagyr::BBsintesiClick() { openLasting(sintesi_); }
void TFoSpagyr::BBprincipiClick() { openLasting(princi_); }
void TFoSpagyr::DevButton1Click() { openLasting(sintom3_); }
void TFoSpagyr::DevButton2Click() { openLasting(sintom2_); }

void TFoSpagyr::BBcerchiClick() {
    TFgrTxtSpa window(this);
    openChild(&window);
}

void TFoSpagyr::BBspessoreClick() {
    TFoSpeLin window(this);
    openChild(&window);
}

void TFoSpagyr::BBbackupClick() {
    TFoBakMod1 window(this);
    openChild(&window);
}

void TFoSpagyr::BBapriTestoClick() {
    std::string path;
    if (!runUserAction(this, [&] { path = currentSubjectTextPath(); })) return;
    TFoReMaiH editor(fromCp1252(path), this);
    openChild(&editor);
}

void TFoSpagyr::BBistruzioniClick() {
    TFoIstDef window(this);
    openChild(&window);
}

void TFoSpagyr::BBdispensaClick() { openManual(this, "Dispensa.pdf"); }

void TFoSpagyr::BBrichiamoClick() {
    TFormRich window(this);
    openChild(&window);
}

void TFoSpagyr::BBinserimentoClick() {
    TFoInputSpa window(openInTextEditor, this);
    openChild(&window);
}

void TFoSpagyr::BBeliminaClick() {
    TFoCancel window(this);
    openChild(&window);
}

void TFoSpagyr::BBmodificaClick() {
    TFoModifi window(openInTextEditor, this);
    // The subject box shows the new data as soon as the current subject takes them.
    connect(&window, &TFoModifi::currentSubjectChanged, this,
            [this] { runUserAction(this, [&] { loadCurrentSubject(); }); });
    openChild(&window);
}

void TFoSpagyr::openSheet(int layoutCode) {
    if (!runUserAction(this, [&] { loadCurrentSubject(); })) return;
    TFgrNaSpa window(static_cast<draw::SheetLayout>(layoutCode), this);
    if (window.loadSheet()) openChild(&window);
}

void TFoSpagyr::BBsintomiClick() {
    TFoSintom1 window(this);
    openChild(&window);
}

void TFoSpagyr::BBrimediClick() {
    TFoRimed window(this);
    openChild(&window);
}

void TFoSpagyr::BBterapieClick() {
    if (!terapi_) terapi_ = new TFoTerapi(this);
    openChild(terapi_);
}

void TFoSpagyr::BBsintomiMultipliClick() {
    TFoRicCom window(this);
    openChild(&window);
}

void TFoSpagyr::BBconsultazioniClick() {
    TFoConsulti window(this);
    openChild(&window);
}

void TFoSpagyr::BBterapieCompositeClick() {
    TFoTerCom window(this);
    openChild(&window);
}

void TFoSpagyr::BBdatabaseClick() {
    if (!mainArc_) mainArc_ = new TFoMainArc(this);
    mainArc_->setAdministrator(accessModes().administrator);
    if (primarySavingHidden_) mainArc_->hideSavingControls();
    openChild(mainArc_);
}

void TFoSpagyr::BBrepertorioClick() {
    if (!aggRep_) aggRep_ = new TFoAggRep(this);
    aggRep_->setAdministrator(accessModes().administrator);
    openChild(aggRep_);
}

void TFoSpagyr::BBaggiornaClick() {
    if (!aggiorna_) aggiorna_ = new TFoAggiorna(this);
    openChild(aggiorna_);
}

void TFoSpagyr::BBmanutenzioneClick() {
    if (!manut1_) manut1_ = new TFoManut1(this);
    openChild(manut1_);
}

void TFoSpagyr::BButilityClick() {
    if (!utilit_) utilit_ = new TFoUtilit(this);
    openChild(utilit_);
}

void TFoSpagyr::MemoSoggettoClick() {
    MemoAnnotaz->show();
    MemoAnnotaz->raise();
}

void TFoSpagyr::MemoAnnotazClick() { MemoAnnotaz->hide(); }

void TFoSpagyr::ImgFineMouseDown() { ImgFine->setPixmap(exitPicture(true)); }

void TFoSpagyr::ImgFineMouseUp() {
    ImgFine->setPixmap(exitPicture(false));
    close();
}

} // namespace qv
