#include "archive/ui/registration_window.h"

#include "archive/archive_files.h"
#include "archive/side_files.h"
#include "base/ui/dialogs.h"
#include "base/ui/storable_text.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"

#include <QFont>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {

// The widths of the four annotation lines. The fourth line keeps 64
// characters: characters 65-69 of the stored line hold the text number.
constexpr int kAnnotationWidths[4] = {70, 70, 70, 64};

QLineEdit* shownField(QWidget* parent, const char* name, int widthInChars) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setStyleSheet("background-color: #e8e8e8;");
    const int width = e->fontMetrics().horizontalAdvance(QString(widthInChars, '0')) + 14;
    if (widthInChars <= 16)
        e->setFixedWidth(width);
    else
        e->setMinimumWidth(width);
    return e;
}

QPushButton* button(QWidget* parent, const QString& text, const char* name) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// "+" or "-" alone stands for a zero offset.
QString shownGmt(const std::string& gmt) {
    if (gmt == "+" || gmt == "-") return fromCp1252(gmt + "0");
    return fromCp1252(gmt);
}

} // namespace

TFormRegSpa::TFormRegSpa(SubjectTextOpener openText, QWidget* parent)
    : QDialog(parent), openText_(std::move(openText)) {
    setObjectName("TFormRegSpa");
    setWindowTitle("Registrazione Dati Nascita");

    auto* caption = new QLabel("(Questi Dati non sono  pi\u00F9 modificabili)", this);
    caption->setObjectName("LabNonModificabili");
    caption->setStyleSheet("color: #800000; font-weight: bold;");
    EditNome = shownField(this, "EditNome", 38);
    EditData = shownField(this, "EditData", 16);
    EditGMT = shownField(this, "EditGMT", 8);
    EditLocal = shownField(this, "EditLocal", 31);
    EditCoord = shownField(this, "EditCoord", 12);
    EditCalend = shownField(this, "EditCalend", 11);
    EditJD = shownField(this, "EditJD", 12);
    EditStato = shownField(this, "EditStato", 23);

    auto* data = new QGroupBox("Dati del Soggetto", this);
    auto* grid = new QGridLayout(data);
    auto addRow = [&](int row, int column, const QString& label, QLineEdit* field, int span = 1) {
        grid->addWidget(new QLabel(label, data), row, column);
        grid->addWidget(field, row, column + 1, 1, span);
    };
    grid->addWidget(caption, 0, 0, 1, 4);
    addRow(1, 0, "Nome", EditNome, 3);
    addRow(2, 0, "Data e ora", EditData);
    addRow(2, 2, "GMT", EditGMT);
    addRow(3, 0, "Localit\u00E0", EditLocal);
    addRow(3, 2, "Coordinate", EditCoord);
    addRow(4, 0, "Stato", EditStato);
    addRow(4, 2, "Calendario", EditCalend);
    addRow(5, 0, "Giorno Giuliano", EditJD);

    ListArchivi = new QListWidget(this);
    ListArchivi->setObjectName("ListArchivi");
    ListArchivi->setMaximumHeight(ListArchivi->fontMetrics().height() * 6);
    EditArchi = new QLineEdit(this);
    EditArchi->setObjectName("EditArchi");
    EditArchi->setMaxLength(4);
    EditArchi->setMaximumWidth(EditArchi->fontMetrics().horizontalAdvance("MMMMMM"));
    auto* archives = new QGroupBox("Archivio di Registrazione", this);
    auto* archiveLayout = new QVBoxLayout(archives);
    archiveLayout->addWidget(ListArchivi);
    auto* archiveRow = new QHBoxLayout;
    archiveRow->addWidget(new QLabel("Archivio", archives));
    archiveRow->addWidget(EditArchi);
    archiveRow->addStretch();
    archiveLayout->addLayout(archiveRow);

    auto* notes = new QGroupBox("Annotazioni  (Dati Facoltativi)", this);
    auto* notesLayout = new QVBoxLayout(notes);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (int i = 0; i < 4; ++i) {
        auto* e = new QLineEdit(notes);
        e->setObjectName(QString("EditAnnot%1").arg(i + 1));
        e->setMaxLength(kAnnotationWidths[i]);
        e->setFont(fixed);
        e->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(72, 'M')));
        EditAnnot[static_cast<std::size_t>(i)] = e;
        notesLayout->addWidget(e);
    }
    EditNumTesto = shownField(notes, "EditNumTesto", 5);
    auto* textRow = new QHBoxLayout;
    textRow->addWidget(new QLabel("Numero del File di Testo", notes));
    textRow->addWidget(EditNumTesto);
    textRow->addStretch();
    notesLayout->addLayout(textRow);

    BBregistra = button(this, "OK  Registra", "BBregistra");
    BBregistraTesto = button(this, "OK  Registra Dati  e Crea File di Testo", "BBregistraTesto");
    BBannulla = button(this, "&Annulla  e Ritorna", "BBannulla");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BBregistra);
    buttons->addWidget(BBregistraTesto);
    buttons->addStretch();
    buttons->addWidget(BBannulla);

    auto* top = new QHBoxLayout;
    top->addWidget(data, 3);
    top->addWidget(archives, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(notes);
    layout->addLayout(buttons);

    connect(ListArchivi, &QListWidget::itemClicked, this, &TFormRegSpa::ListArchiviClick);
    connect(EditArchi, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int caret = EditArchi->cursorPosition();
        EditArchi->setText(text.toUpper());
        EditArchi->setCursorPosition(caret);
    });
    connect(BBregistra, &QPushButton::clicked, this, &TFormRegSpa::BBregistraClick);
    connect(BBregistraTesto, &QPushButton::clicked, this, &TFormRegSpa::BBregistraTestoClick);
    connect(BBannulla, &QPushButton::clicked, this, &QDialog::reject);
    FormActivate();
}

void TFormRegSpa::FormActivate() {
    runUserAction(this, [&] {
        ListArchivi->clear();
        for (const ArchiveListing& a : listArchives(true)) {
            auto* item = new QListWidgetItem(fromCp1252(a.caption), ListArchivi);
            if (a.name == kPersonalArchive) {
                ListArchivi->setCurrentItem(item);
                EditArchi->setText(fromCp1252(a.name));
            }
        }
    });
}

void TFormRegSpa::setEnteredBirth(const EnteredBirth& entered) {
    entered_ = entered;
    const NewSubject& s = entered.subject;
    EditNome->setText(fromCp1252(s.name));
    EditNome->setReadOnly(true);
    EditNome->setFocusPolicy(Qt::NoFocus);
    EditNome->setStyleSheet("background-color: #e8e8e8;");
    EditData->setText(fromCp1252(entered.dateText));
    EditGMT->setText(shownGmt(entered.gmt));
    EditLocal->setText(fromCp1252(s.place));
    EditCoord->setText(fromCp1252(s.coordinates));
    EditCalend->setText(s.gregorian ? "GREGORIANO" : "GIULIANO");
    EditJD->setText(fromCp1252(entered.julianDay.substr(0, 12)));
    EditStato->setText(fromCp1252(s.nation));
    for (QLineEdit* e : EditAnnot) e->clear();
    EditNumTesto->clear();
    registration_.reset();
}

void TFormRegSpa::ListArchiviClick(QListWidgetItem* item) {
    if (item) EditArchi->setText(item->text().left(4).toUpper());
}

std::string TFormRegSpa::chosenArchive() const { return toCp1252(EditArchi->text().trimmed().toUpper()); }

NewSubject TFormRegSpa::subjectToRegister() const {
    NewSubject s = entered_.subject;
    // The name may have been changed to tell the person from one already
    // registered under the same name and birth moment.
    if (!EditNome->isReadOnly()) s.name = toCp1252(EditNome->text().trimmed());
    for (std::size_t i = 0; i < 4; ++i) s.annotations[i] = toCp1252(EditAnnot[i]->text());
    s.textNumber = toCp1252(EditNumTesto->text());
    return s;
}

std::string TFormRegSpa::refusal() const {
    const std::string archive = chosenArchive();
    if (archive.empty()) return "Scegliere l'Archivio di Registrazione";
    if (archive != kTemporaryArchive && (archive.size() != 4 || !archiveExists(archive)))
        return "Archivio " + archive + " inesistente";
    return checkNewSubject(subjectToRegister());
}

bool TFormRegSpa::registerNow() {
    if (const QString why = unstorableTextIn(this); !why.isEmpty()) {
        dialogs().warning(this, why);
        return false;
    }
    bool done = false;
    runUserAction(this, [&] {
        const std::string refused = refusal();
        if (!refused.empty()) {
            dialogs().warning(this, fromCp1252(refused));
            return;
        }
        Registration r = registerSubject(chosenArchive(), subjectToRegister());
        if (r.samePosition > 0) {
            offerDistinguishingName(fromCp1252(r.failure));
            return;
        }
        if (!r.failure.empty()) {
            dialogs().warning(this, fromCp1252(r.failure));
            return;
        }
        registration_ = std::move(r);
        done = true;
    });
    return done;
}

// The same person is already in the archive: registering them again would
// give two entries one record. The practitioner may still register a
// different person of the same name and birth moment under a name that
// tells them apart.
void TFormRegSpa::offerDistinguishingName(const QString& same) {
    const QString question = same + ".\n\nSe \u00E8 la stessa persona, usare la voce gi\u00E0 presente (Richiama). "
                                    "Registrare un'altra persona con un nome che la distingua?";
    if (dialogs().question(this, question) != Dialogs::Answer::Yes) return;
    EditNome->setReadOnly(false);
    EditNome->setFocusPolicy(Qt::StrongFocus);
    EditNome->setStyleSheet(QString());
    EditNome->setToolTip("Cambiare il nome perch\u00E9 distingua questa persona da quella gi\u00E0 registrata");
    EditNome->setFocus();
    EditNome->setCursorPosition(EditNome->text().size());
}

void TFormRegSpa::BBregistraClick() {
    if (registerNow()) accept();
}

// The document is created once: after a failed registration a second
// attempt reuses the number shown, in the same archive.
void TFormRegSpa::BBregistraTestoClick() {
    bool ready = false;
    runUserAction(this, [&] {
        const std::string refused = refusal();
        if (!refused.empty()) {
            dialogs().warning(this, fromCp1252(refused));
            return;
        }
        const std::string archive = chosenArchive();
        if (EditNumTesto->text().isEmpty()) {
            EditNumTesto->setText(fromCp1252(createTextDocument(archive, entered_.subject.name)));
            EditArchi->setReadOnly(true);
            ListArchivi->setEnabled(false);
        }
        openDocument(textDocumentPath(archive, toCp1252(EditNumTesto->text())));
        ready = true;
    });
    if (ready && registerNow()) accept();
}

// The subject text editor, modal: registration goes on when it closes.
void TFormRegSpa::openDocument(const std::string& dataPath) {
    openText_(this, fromCp1252(dataPath));
}

void TFormRegSpa::done(int result) {
    if (registration_) {
        const Registration& r = *registration_;
        runUserAction(this, [&] {
            writeArchiveChoice(r.archive, r.entry.text, r.indexPosition, subjectToRegister().name);
        });
    }
    QDialog::done(result);
}

} // namespace qv
