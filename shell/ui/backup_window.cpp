#include "shell/ui/backup_window.h"

#include "base/ui/dialogs.h"
#include "base/ui/qt_text.h"
#include "base/ui/user_action.h"
#include "shell/backup.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {
void colour(QWidget* w, const char* background) {
    w->setStyleSheet(QString("background-color: %1; color: black;").arg(background));
}
} // namespace

TFoBakMod1::TFoBakMod1(QWidget* parent) : QDialog(parent) {
    setObjectName("TFoBakMod1");
    setWindowTitle("Backup/Ripristino Archivio BASE");

    auto* note = new QLabel(
        "La procedura copia l'archivio dei dati di nascita (BASE) con le note di testo dei soggetti "
        "in una cartella \"OrdelinxBck\" sull'unit\u00e0 scelta. La copia pu\u00f2 essere ripristinata "
        "su qualsiasi computer su cui sia installato il programma.\n\n"
        "Il ricevimento di un messaggio \ndi ERRORE indica la scelta \ndi un dispositivo non idoneo",
        this);
    note->setWordWrap(true);

    LabUnita = new QLabel("Unit\u00e0:", this);
    LabUnita->setObjectName("LabUnita");
    LabUnita->setStyleSheet("color: blue;");
    EdCartella = new QLineEdit(kUndefinedBackupFolder, this);
    EdCartella->setObjectName("EdCartella");
    EdCartella->setReadOnly(true);
    colour(EdCartella, "red");
    LabHint = new QLabel("Definire l'Unit\u00e0 su cui copiare o\ndalla quale attingere i dati.", this);
    LabHint->setObjectName("LabHint");

    auto* define = new QPushButton("Definisci Unit\u00e0 Backup", this);
    define->setObjectName("BBdefinisci");
    auto* backup = new QPushButton("Backup", this);
    backup->setObjectName("BBbackup");
    auto* restore = new QPushButton("Ripristino", this);
    restore->setObjectName("BBripristino");
    auto* close = new QPushButton("Ritorna", this);
    close->setObjectName("BBritorna");
    LabOK = new QLabel("OK", this);
    LabOK->setObjectName("LabOK");
    LabOK->setStyleSheet("color: green; font-weight: bold; font-size: 18pt;");
    LabOK->hide();

    LabUltimo = new QLabel(this);
    LabUltimo->setObjectName("LabUltimo");

    ListUnita = new QListWidget(this);
    ListUnita->setObjectName("ListUnita");
    ListUnita->hide();

    PanelMain = new QWidget(this);
    PanelMain->setObjectName("PanelMain");
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(LabUnita);
    folderRow->addWidget(EdCartella, 1);
    auto* actions = new QHBoxLayout;
    actions->addWidget(backup);
    actions->addWidget(restore);
    actions->addWidget(LabOK);
    actions->addStretch();
    auto* last = new QHBoxLayout;
    last->addWidget(new QLabel("ultimo\nbackup", this));
    last->addWidget(LabUltimo);
    last->addStretch();
    auto* panel = new QVBoxLayout(PanelMain);
    panel->addLayout(folderRow);
    panel->addWidget(LabHint);
    panel->addLayout(actions);
    panel->addLayout(last);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(define);
    layout->addWidget(ListUnita);
    layout->addWidget(PanelMain);
    layout->addWidget(close, 0, Qt::AlignRight);

    connect(define, &QPushButton::clicked, this, &TFoBakMod1::BBdefinisciClick);
    connect(ListUnita, &QListWidget::itemClicked, this, &TFoBakMod1::ListUnitaClick);
    connect(backup, &QPushButton::clicked, this, &TFoBakMod1::BBbackupClick);
    connect(restore, &QPushButton::clicked, this, &TFoBakMod1::BBripristinoClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    runUserAction(this, [&] { LabUltimo->setText(fromCp1252(lastBackupText())); });
}

void TFoBakMod1::BBdefinisciClick() {
    ListUnita->clear();
    for (const Drive& d : availableDrives()) {
        auto* item = new QListWidgetItem(QString::fromStdString(d.label).toUpper(), ListUnita);
        item->setData(Qt::UserRole, QString::fromStdString(d.root.string()));
    }
    ListUnita->addItem("X");
    ListUnita->show();
    PanelMain->hide();
}

void TFoBakMod1::ListUnitaClick(QListWidgetItem* item) {
    if (item->text() == "X") {
        ListUnita->hide();
        PanelMain->show();
        return;
    }
    chooseDrive(item->data(Qt::UserRole).toString().toStdString());
}

void TFoBakMod1::chooseDrive(const std::filesystem::path& root) {
    const std::filesystem::path folder = backupFolderOn(root);
    const bool ok = runUserAction(this, [&] { recordBackupFolder(folder); });
    ListUnita->hide();
    PanelMain->show();
    if (!ok) return;
    folder_ = folder;
    EdCartella->setText(QString::fromStdString(folder.string()));
    colour(EdCartella, "aqua");
    LabHint->hide();
}

void TFoBakMod1::BBbackupClick() {
    LabUnita->setText("Destinaz.:");
    LabUnita->setStyleSheet("color: blue;");
    LabOK->hide();
    BackupOutcome outcome;
    if (!runUserAction(this, [&] { outcome = runBackup(folder_); })) return;
    if (outcome.message) {
        dialogs().information(this, fromCp1252(*outcome.message));
        return;
    }
    LabOK->show();
    runUserAction(this, [&] { LabUltimo->setText(fromCp1252(lastBackupText())); });
}

void TFoBakMod1::BBripristinoClick() {
    LabUnita->setText("Sorgente:");
    LabUnita->setStyleSheet("color: red;");
    LabOK->hide();
    if (const auto refusal = restoreRefusal(folder_)) {
        dialogs().information(this, fromCp1252(*refusal));
        if (!folder_) {
            LabUnita->setText("Unit\u00e0:");
            LabUnita->setStyleSheet("color: blue;");
        }
        return;
    }
    if (dialogs().question(this, "SOSTITUIRE i dati attuali con una COPIA?") != Dialogs::Answer::Yes) {
        LabUnita->setText("Origine:");
        return;
    }
    if (!runUserAction(this, [&] { runRestore(*folder_); })) return;
    LabOK->show();
    LabUnita->setText("Unit\u00e0:");
    LabUnita->setStyleSheet("color: blue;");
}

} // namespace qv
