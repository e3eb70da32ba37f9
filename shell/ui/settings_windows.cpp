#include "base/decimal_text.h"
#include "shell/ui/settings_windows.h"

#include "base/ui/qt_text.h"
#include "base/ui/dialogs.h"
#include "base/ui/storable_text.h"
#include "base/ui/user_action.h"
#include "ephemeris/text_forms.h"

#include "base/data_dir.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QCheckBox>
#include <QFormLayout>
#include <QRadioButton>
#include <QUrl>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdlib>

namespace qv {

namespace {

// The "OK" (BBok) and "Annulla" (BBannulla) buttons at the right of a row;
// "Annulla" closes the dialog.
QHBoxLayout* okCancelRow(QDialog* dialog, QPushButton*& ok) {
    ok = new QPushButton("OK", dialog);
    ok->setObjectName("BBok");
    auto* cancel = new QPushButton("Annulla", dialog);
    cancel->setObjectName("BBannulla");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

TFoNomUte::TFoNomUte(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoNomUte");
    setWindowTitle("Cambio Nome Utente");
    EdNome = new QLineEdit(this);
    EdNome->setObjectName("EdNome");
    EdCognome = new QLineEdit(this);
    EdCognome->setObjectName("EdCognome");
    EdQualifica = new QLineEdit(this);
    EdQualifica->setObjectName("EdQualifica");
    EdQualifica->setPlaceholderText("es. Naturopata");
    EdAssociazione = new QLineEdit(this);
    EdAssociazione->setObjectName("EdAssociazione");
    EdAssociazione->setPlaceholderText("associazione professionale (facoltativa)");
    EdContatti = new QLineEdit(this);
    EdContatti->setObjectName("EdContatti");
    EdContatti->setPlaceholderText("telefono, posta elettronica, indirizzo dello studio");
    CBlegge4 = new QCheckBox("Citare la Legge 4/2013 nei documenti per la persona", this);
    CBlegge4->setObjectName("CBlegge4");
    EdLegge4 = new QLineEdit(this);
    EdLegge4->setObjectName("EdLegge4");
    EdLegge4->setMinimumWidth(520);
    auto* form = new QFormLayout;
    form->addRow("Nome", EdNome);
    form->addRow("Cognome", EdCognome);
    form->addRow("Qualifica", EdQualifica);
    form->addRow("Associazione", EdAssociazione);
    form->addRow("Contatti", EdContatti);
    form->addRow(CBlegge4);
    form->addRow("Testo", EdLegge4);
    QPushButton* ok = nullptr;
    QHBoxLayout* buttons = okCancelRow(this, ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TFoNomUte::BBokClick);
    runUserAction(this, [&] {
        original_ = readPractitionerIdentity();
        EdNome->setText(fromCp1252(original_.name.firstName));
        EdCognome->setText(fromCp1252(original_.name.surname));
        EdQualifica->setText(fromCp1252(original_.qualification));
        EdAssociazione->setText(fromCp1252(original_.association));
        EdContatti->setText(fromCp1252(original_.contact));
        CBlegge4->setChecked(original_.citesLaw4);
        EdLegge4->setText(fromCp1252(original_.law4Text));
    });
}

void TFoNomUte::BBokClick() {
    if (const QString why = unstorableTextIn(this); !why.isEmpty()) {
        dialogs().warning(this, why);
        return;
    }
    PractitionerIdentity now = original_;
    now.name = {toCp1252(EdNome->text()), toCp1252(EdCognome->text())};
    now.qualification = toCp1252(EdQualifica->text().trimmed());
    now.association = toCp1252(EdAssociazione->text().trimmed());
    now.contact = toCp1252(EdContatti->text().trimmed());
    now.citesLaw4 = CBlegge4->isChecked();
    now.law4Text = EdLegge4->text().trimmed().isEmpty() ? std::string(kDefaultLaw4Text) : toCp1252(EdLegge4->text().trimmed());
    const bool nameChanged = now.name.firstName != original_.name.firstName || now.name.surname != original_.name.surname;
    PractitionerIdentity nameOnly = original_;
    nameOnly.name = now.name;
    const bool ok = runUserAction(this, [&] {
        // A name alone is written as the two lines every reader knows.
        if (!(now == nameOnly)) writePractitionerIdentity(now);
        else if (nameChanged) writePractitionerName(now.name);
        changed_ = nameChanged || !(now == nameOnly);
    });
    if (ok) accept();
}

TFoSpeLin::TFoSpeLin(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoSpeLin");
    setWindowTitle("Spessore Linee");
    LabValore = new QLabel(this);
    LabValore->setObjectName("LabValore");
    LabValore->setAlignment(Qt::AlignCenter);
    LabValore->setMinimumWidth(80);
    auto* up = new QToolButton(this);
    up->setObjectName("SpinUp");
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(this);
    down->setObjectName("SpinDown");
    down->setArrowType(Qt::DownArrow);
    auto* reset = new QPushButton("Reset", this);
    reset->setObjectName("BBreset");
    auto* back = new QPushButton("&Ritorna ", this);
    back->setObjectName("BBritorna");
    auto* spin = new QVBoxLayout;
    spin->addWidget(up);
    spin->addWidget(down);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Fattore di spessore delle linee:", this));
    row->addWidget(LabValore);
    row->addLayout(spin);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addStretch();
    buttons->addWidget(back);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    connect(up, &QToolButton::clicked, this, &TFoSpeLin::SpinUpClick);
    connect(down, &QToolButton::clicked, this, &TFoSpeLin::SpinDownClick);
    connect(reset, &QPushButton::clicked, this, &TFoSpeLin::BBresetClick);
    connect(back, &QPushButton::clicked, this, &QDialog::accept);
    // A settings file that cannot be read is left as it is: writing the
    // defaults over it would lose the backup folder and the screen factors.
    loaded_ = runUserAction(this, [&] {
        settings_ = readDisplaySettings();
        show(settings_.lineThickness);
    });
    for (QWidget* w : std::initializer_list<QWidget*>{up, down, reset}) w->setEnabled(loaded_);
}

QString TFoSpeLin::shownValue() const { return LabValore->text(); }

// The factor as shown (four characters with a decimal point).
Extended TFoSpeLin::shownFactor() const {
    Extended v = 1.0L;
    parseDecimal(toCp1252(LabValore->text()), v);
    return v;
}

void TFoSpeLin::show(Extended value) { LabValore->setText(fromCp1252(NumberText(4, value))); }

void TFoSpeLin::save(Extended value) {
    if (!loaded_) return;
    runUserAction(this, [&] {
        settings_.lineThickness = value;
        writeDisplaySettings(settings_);
    });
}

// Each step starts from the value as shown (four characters).
void TFoSpeLin::SpinDownClick() {
    Extended v = shownFactor() * 0.95L;
    if (v < 0.5L) v = 0.5L;
    show(v);
    save(shownFactor());
}

void TFoSpeLin::SpinUpClick() {
    Extended v = shownFactor() / 0.95L;
    if (v > 4.0L) v = 4.0L;
    show(v);
    save(shownFactor());
}

void TFoSpeLin::BBresetClick() {
    show(1.0L);
    save(1.0L);
}

void TFoSpeLin::done(int result) {
    Extended v = shownFactor();
    if (v < 0.5L) v = 0.5L;
    if (v > 4.0L) v = 4.0L;
    save(v);
    QDialog::done(result);
}

TFoStampa::TFoStampa(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoStampa");
    setWindowTitle("Stampante");
    panels_ = new QStackedWidget(this);
    auto makePanel = [&](const QString& text, const QString& button, const char* name) {
        auto* panel = new QWidget(panels_);
        auto* l = new QVBoxLayout(panel);
        auto* label = new QLabel(text, panel);
        label->setWordWrap(true);
        l->addWidget(label);
        auto* b = new QPushButton(button, panel);
        b->setObjectName(name);
        l->addWidget(b);
        connect(b, &QPushButton::clicked, this, &TFoStampa::BBmodificaClick);
        panels_->addWidget(panel);
    };
    makePanel("La stampa usa le impostazioni standard.\n"
              "Se la stampante taglia o deforma i grafici, attivare l'adattamento.",
              "Modifica per Epson", "BBepson");
    makePanel("La stampa usa l'adattamento per stampanti che tagliano o deformano i grafici.",
              "Ripristina Standard", "BBstandard");
    LabAttuata = new QLabel(this);
    LabAttuata->setObjectName("LabAttuata");
    LabAttuata->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panels_);
    layout->addWidget(LabAttuata);
    // Unreadable settings: nothing to switch, and nothing is written over them.
    panels_->setEnabled(runUserAction(this, [&] {
        settings_ = readDisplaySettings();
        panels_->setCurrentIndex(settings_.printerAdapted ? 1 : 0);
    }));
}

void TFoStampa::BBmodificaClick() {
    LabAttuata->setText("MODIFICA  ATTUATA !\nattendere...");
    const bool ok = runUserAction(this, [&] {
        settings_.printerAdapted = settings_.printerAdapted ? 0 : 1;
        settings_.line1 = 1;
        writeDisplaySettings(settings_);
    });
    if (!ok) return;
    panels_->setCurrentIndex(settings_.printerAdapted ? 1 : 0);
    // One change per opening: a second click during the wait (a double
    // click lands on the other panel's button) must not switch it back.
    panels_->setEnabled(false);
    QTimer::singleShot(600, this, &QDialog::accept);
}

DocumentOpener& documentOpener() {
    static DocumentOpener opener = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    return opener;
}

bool openManual(QWidget* parent, const QString& fileName) {
    QString path;
    if (!runUserAction(parent, [&] { path = QString::fromStdString(dataDir().resolve(toCp1252(fileName)).string()); }))
        return false;
    if (!QFileInfo(path).isFile()) {
        dialogs().information(parent, "Il documento " + fileName + " non \u00e8 presente nella cartella del programma");
        return false;
    }
    if (!documentOpener()(path)) {
        dialogs().information(parent, "Non \u00e8 stato possibile aprire " + fileName +
                                          ": occorre un programma per la lettura dei file PDF");
        return false;
    }
    return true;
}

TFoIstDef::TFoIstDef(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoIstDef");
    setWindowTitle("Selezionare");
    RBsommarie = new QRadioButton("Istruzioni sommarie  (Istruzioni_J.pdf)", this);
    RBsommarie->setObjectName("RBsommarie");
    RBestese = new QRadioButton("Istruzioni estese   (Istruzioni.pdf)", this);
    RBestese->setObjectName("RBestese");
    RBsommarie->setChecked(true);
    QPushButton* ok = nullptr;
    QHBoxLayout* buttons = okCancelRow(this, ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RBsommarie);
    layout->addWidget(RBestese);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TFoIstDef::BBokClick);
}

// The short instructions are the proposal at every opening.
void TFoIstDef::showEvent(QShowEvent* e) {
    RBsommarie->setChecked(true);
    QDialog::showEvent(e);
}

void TFoIstDef::BBokClick() {
    openManual(this, RBestese->isChecked() ? "Istruzioni.pdf" : "Istruzioni_J.pdf");
    accept();
}

} // namespace qv
