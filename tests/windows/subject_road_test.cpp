// The road of a practitioner through the real windows, from the main
// window: a subject entered and registered with its text document, the
// document reopened, the subject recalled, its time corrected and finally
// deleted. Each step is checked as the user sees it: the subject box, the
// windows' fields and the files left in the data directory. The steps run
// in order on one data directory.
#include "settings/chart_settings.h"
#include "archive/archive_files.h"
#include "archive/current_subject.h"
#include "archive/data_directory_startup.h"
#include "archive/side_files.h"
#include "archive/subject_registration.h"
#include "archive/ui/birth_entry_window.h"
#include "archive/ui/deletion_window.h"
#include "archive/ui/modification_window.h"
#include "archive/ui/recall_window.h"
#include "archive/ui/registration_window.h"
#include "base/data_dir.h"
#include "base/text_file.h"
#include "base/ui/dialogs.h"
#include "editor/ui/text_editor_window.h"
#include "shell/access_modes.h"
#include "shell/ui/main_window.h"
#include "tests/support/example_subject.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"
#include "tests/windows/subject_windows_support.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include "tests/support/window_tests.h"

#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <memory>

using namespace qv;
namespace fs = std::filesystem;

namespace subject_road_test {

const std::string kName = "VERDI GIUSEPPE";
const std::string kKey = "VERDI GIUSEPPE                        00001";  // name padded to 38, birth record 1
const QString kPaddedName = QString::fromStdString(kName).leftJustified(38);
constexpr const char* kDocument = "BASEtxt\\00001.txt";

template <typename T>
T* child(QWidget* window, const char* name) {
    T* w = window->findChild<T*>(name);
    if (!w) qFatal("%s has no control %s", window->metaObject()->className(), name);
    return w;
}
QLineEdit* field(QWidget* window, const char* name) { return child<QLineEdit>(window, name); }
void click(QWidget* window, const char* name) { QTest::mouseClick(child<QPushButton>(window, name), Qt::LeftButton); }
void type(QWidget* window, const char* name, const QString& text) {
    field(window, name)->clear();
    QTest::keyClicks(field(window, name), text);
}

// The subject box as the main window shows it for the subject born at `time`.
QStringList subjectBox(const QString& time) {
    return {kPaddedName,
            "Nascita 15/06/1944 " + time + "  Correz. +2.00",
            QString::fromUtf8("Localit\u00E0: MILANO (MI)"),
            QString::fromUtf8("Nazionalit\u00E0: ITALIA"),
            "Coordinate: 45N28-009E11",
            "Calendario GREGORIANO"};
}

class SubjectRoadTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;
    PreparedDataDirectory prepared_;
    RecordingDialogs* shown_ = nullptr;
    std::unique_ptr<Dialogs> previous_;
    std::unique_ptr<TFoSpagyr> main_;
    QStringList missed_;  // modal windows that never came, or were left open
    bool roadBroken_ = false;

    QStringList messages() const {
        QStringList out;
        for (const auto& s : shown_->shown) out << s.kind + ": " + s.text;
        return out;
    }

    // Acts on the modal window of class W as soon as it is the active modal
    // widget. A window that never comes, or that the action leaves open, is
    // noted and closed, so that a failing step cannot hang the run.
    template <typename W, typename Act>
    void whenShown(Act act) {
        auto* poll = new QTimer(this);
        auto clock = std::make_shared<QElapsedTimer>();
        clock->start();
        connect(poll, &QTimer::timeout, this, [this, poll, clock, act] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* window = qobject_cast<W*>(modal)) {
                poll->stop();
                poll->deleteLater();
                QPointer<W> guard(window);
                act(window);
                if (guard && guard->isVisible()) {
                    missed_ << QString(W::staticMetaObject.className()) + " left open";
                    guard->reject();
                }
            } else if (clock->elapsed() > 20000) {
                poll->stop();
                poll->deleteLater();
                missed_ << QString(W::staticMetaObject.className()) + " never shown";
                for (int i = 0; i < 8 && QApplication::activeModalWidget(); ++i)
                    if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
            }
        });
        poll->start(10);
    }

    void checkBoxesAndWindows() {
        QCOMPARE(missed_, QStringList());
        QCOMPARE(messages(), QStringList());
        QVERIFY(!QApplication::activeModalWidget());
    }

    // The text document of the subject and the line typed into it.
    static std::string documentBytes() { return readWholeFile(dataDir().resolve(kDocument)); }
    static std::string expectedDocument() { return kPaddedName.toStdString() + "\r\nNota di prova\r\n"; }

private slots:
    void initTestCase() {
        dir_ = std::make_unique<test::TempDataDir>(false);
        prepared_ = prepareDataDirectory(dir_->path(), test::dataTemplateDir());
        QVERIFY(prepared_.refusal.empty());
        for (const char* folder : {"Calendar", "Localita"})
            fs::copy(test::fixturesDir() / "entry" / folder, dir_->path() / folder,
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        test::writeZeroCorrectionTables(dir_->path());
        resetChartSettings();
        accessModes() = {};
        auto recorder = std::make_unique<RecordingDialogs>();
        shown_ = recorder.get();
        previous_ = setDialogs(std::move(recorder));

        main_ = std::make_unique<TFoSpagyr>();
        main_->show();
        QVERIFY(QTest::qWaitForWindowActive(main_.get()));
        QCOMPARE(main_->subjectLines().value(0), QString("Nessun soggetto selezionato"));
        QVERIFY(!child<QPushButton>(main_.get(), "BBapriTesto")->isVisibleTo(main_.get()));
        QCOMPARE(openAnyArchive("BASE").subjectCount(), 0);
        checkBoxesAndWindows();
    }
    void cleanupTestCase() {
        main_.reset();
        setDialogs(std::move(previous_));
        prepared_ = {};
        dir_.reset();
    }
    // A step builds on the ones before it: after a failed step the road is
    // broken and the remaining steps are not walked.
    void init() {
        if (roadBroken_) QSKIP("an earlier step of the road failed");
        shown_->shown.clear();
        missed_.clear();
    }
    void cleanup() { roadBroken_ = roadBroken_ || QTest::currentTestFailed(); }

    // "Inserim Dati Nascita", "OK Prosegui", registration with a text
    // document typed and saved in the editor.
    void enteredSubjectIsRegisteredWithItsText() {
        QStringList registrationFields;
        QString firstDocumentText, documentAfterSave;
        bool registeredWhileEditing = true;
        whenShown<TFoInputSpa>([&](TFoInputSpa* entry) {
            type(entry, "EditSogg", "Verdi Giuseppe");
            type(entry, "EditGiorno", "15");
            type(entry, "EditMese", "06");
            type(entry, "EditAnno", "1944");
            type(entry, "EditOra", "10");
            type(entry, "EditMinuti", "30");
            type(entry, "EditLocal", "MILANO");
            QTest::keyClick(field(entry, "EditLocal"), Qt::Key_Return);
            QCoreApplication::processEvents();  // the result is derived when idle
            QCOMPARE(field(entry, "EditFuso")->text(), QString("-2"));
            QCOMPARE(field(entry, "EditJD")->text(), QString("2431256.8542"));
            whenShown<TFormRegSpa>([&](TFormRegSpa* registration) {
                for (const char* name : {"EditNome", "EditData", "EditGMT", "EditLocal", "EditCoord", "EditCalend",
                                         "EditStato", "EditArchi"})
                    registrationFields << field(registration, name)->text();
                field(registration, "EditAnnot1")->setText("nato in casa");
                whenShown<TFoReMaiH>([&](TFoReMaiH* editor) {
                    registeredWhileEditing = openAnyArchive("BASE").subjectCount() != 0;
                    firstDocumentText = editor->textArea()->toPlainText();
                    QTest::keyClick(editor->textArea(), Qt::Key_End, Qt::ControlModifier);
                    QTest::keyClick(editor->textArea(), Qt::Key_Return);
                    QTest::keyClicks(editor->textArea(), "Nota di prova");
                    child<QAction>(editor, "FileSaveItem")->trigger();
                    documentAfterSave = QString::fromStdString(documentBytes());
                    child<QAction>(editor, "FileExitItem")->trigger();
                });
                click(registration, "BBregistraTesto");
            });
            click(entry, "BBprosegui");
        });
        click(main_.get(), "BBinserimento");
        checkBoxesAndWindows();

        QCOMPARE(registrationFields, QStringList({"VERDI GIUSEPPE", "15/06/1944 10:30", "+2", "MILANO (MI)",
                                                  "45N28-009E11", "GREGORIANO", "ITALIA", "BASE"}));
        QCOMPARE(firstDocumentText, kPaddedName);
        QVERIFY2(!registeredWhileEditing, "registered only once the editor is closed");
        QCOMPARE(documentAfterSave.toStdString(), expectedDocument());

        // What the main window shows now.
        QCOMPARE(main_->subjectLines(), subjectBox("10:30"));
        QVERIFY(child<QPushButton>(main_.get(), "BBapriTesto")->isVisibleTo(main_.get()));

        // What is on disk: the archive, the current subject, the side files.
        const Archive base = openAnyArchive("BASE");
        QCOMPARE(base.subjectCount(), 1);
        QCOMPARE(base.readIndex(1).text, kKey);
        QCOMPARE(base.readBirth(1).moment, std::string("194406151030-2"));
        QCOMPARE(base.readBirth(1).annotationNumber, std::string("00001"));
        const std::string textLine = std::string(64, ' ') + "00001";
        QCOMPARE(base.readAnnotation(1).lines[3], textLine);
        const CurrentSubject current = readCurrentSubject();
        QCOMPARE(current.nameText, kKey);
        QCOMPARE(current.record.moment, std::string("194406151030-2"));
        QCOMPARE(current.record.place, std::string("45N28-009E11MILANO *MI*"));
        QCOMPARE(readAnnotationsFile(), "nato in casa   " + textLine);
        QCOMPARE(readTextLines(dataDir().resolve(kArchiveChoiceFile)),
                 (std::vector<std::string>{"BASE", kKey, "1", kName}));
        QCOMPARE(documentBytes(), expectedDocument());
    }

    // "Apri Testo" opens the document as it was saved.
    void apriTestoShowsTheSavedDocument() {
        QString shownText, shownName;
        whenShown<TFoReMaiH>([&](TFoReMaiH* editor) {
            shownText = editor->textArea()->toPlainText();
            shownName = editor->documentName();
            QCOMPARE(editor->modifiedPanel(), QString());
            child<QAction>(editor, "FileExitItem")->trigger();
        });
        click(main_.get(), "BBapriTesto");
        checkBoxesAndWindows();
        QCOMPARE(shownText, kPaddedName + "\nNota di prova");
        QVERIFY2(shownName.endsWith("BASEtxt/00001.txt"), qPrintable(shownName));
        QCOMPARE(readTextLines(dataDir().resolve(kEditedDocumentFile)), std::vector<std::string>{kDocument});
        QCOMPARE(documentBytes(), expectedDocument());  // closed unchanged: not rewritten
        QCOMPARE(main_->subjectLines(), subjectBox("10:30"));
    }

    // "Richiamo Nuovo Soggetto": the subject chosen from BASE becomes current.
    void recalledSubjectBecomesCurrent() {
        QStringList shownData;
        QString annotations;
        whenShown<TFormRich>([&](TFormRich* recall) {
            QCOMPARE(field(recall, "EditArchi")->text(), QString("BASE"));
            test::chooseListedSubject(recall, 0);
            for (const char* name : {"EditNome", "EditData", "EditCorrez", "EditCoordinate", "EditCalend",
                                     "EditLocalita", "EditNazional"})
                shownData << field(recall, name)->text();
            annotations = child<QPlainTextEdit>(recall, "MemoAnnotaz")->toPlainText();
            click(recall, "BBok");
        });
        click(main_.get(), "BBrichiamo");
        checkBoxesAndWindows();
        QCOMPARE(shownData, QStringList({kPaddedName, "15/06/1944 10:30", "-2", "45N28-009E11", "GREG",
                                         "MILANO (MI)", "ITALIA"}));
        QVERIFY2(annotations.startsWith("nato in casa\n"), qPrintable(annotations));

        QCOMPARE(main_->subjectLines(), subjectBox("10:30"));
        QVERIFY(child<QPushButton>(main_.get(), "BBapriTesto")->isVisibleTo(main_.get()));
        const CurrentSubject current = readCurrentSubject();
        QCOMPARE(current.name(), kPaddedName.toStdString());
        QCOMPARE(current.record.moment, std::string("194406151030-2"));
        QCOMPARE(readAnnotationsFile(), std::string(" nato in casa   00001"));  // each line stripped
        QCOMPARE(readTextLines(dataDir().resolve(kTextPointerFile)), (std::vector<std::string>{"BASE", "00001"}));
        QCOMPARE(readTextLines(dataDir().resolve(kRecalledPointerFile)), (std::vector<std::string>{"00001", "BASE"}));
        QCOMPARE(openAnyArchive("BASE").subjectCount(), 1);
    }

    // "Modifica Dati Nascita / Crea Testo": the birth time corrected in the
    // archive. Asked whether the current subject follows, the user says no:
    // it stays as it was recalled.
    void modifiedTimeIsRewrittenInTheArchive() {
        QString shownTime, shownText;
        QStringList boxWhileOpen;
        bool lockedAfterRewrite = false;
        whenShown<TFoModifi>([&](TFoModifi* modification) {
            test::chooseListedSubject(modification, 0);
            shownTime = field(modification, "EditOra")->text();
            shownText = field(modification, "EditNumTesto")->text();
            type(modification, "EditOra", "11:45");
            shown_->answers = {Dialogs::Answer::No};
            click(modification, "BBokRegistra");
            lockedAfterRewrite = modification->locked();
            boxWhileOpen = main_->subjectLines();
            click(modification, "BBritorna");
        });
        click(main_.get(), "BBmodifica");
        QCOMPARE(messages(), QStringList{"question: Aggiornare anche il soggetto attuale?"});
        shown_->shown.clear();
        checkBoxesAndWindows();
        QCOMPARE(boxWhileOpen, subjectBox("10:30"));
        QCOMPARE(shownTime, QString("10:30"));
        QCOMPARE(shownText, QString("00001"));
        QVERIFY(lockedAfterRewrite);

        const Archive base = openAnyArchive("BASE");
        QCOMPARE(base.subjectCount(), 1);
        QCOMPARE(base.readIndex(1).text, kKey);
        QCOMPARE(base.readBirth(1).moment, std::string("194406151145-2"));
        QCOMPARE(base.readBirth(1).place, std::string("45N28-009E11MILANO *MI*"));
        QCOMPARE(base.readAnnotation(std::stoi(base.readBirth(1).annotationNumber)).lines[3].substr(64),
                 std::string("00001"));
        QCOMPARE(readCurrentSubject().record.moment, std::string("194406151030-2"));
        QCOMPARE(main_->subjectLines(), subjectBox("10:30"));
        QCOMPARE(documentBytes(), expectedDocument());
    }

    // "Eliminaz Dati Nascita": the last subject goes, with its document.
    void deletedSubjectLeavesAnEmptyArchive() {
        QString verification, listAfter;
        bool searchEnabledAfter = true;
        whenShown<TFoCancel>([&](TFoCancel* deletion) {
            test::chooseListedSubject(deletion, 0);
            verification = child<QPlainTextEdit>(deletion, "MemoVerifica")->toPlainText();
            click(deletion, "BBelimina");
            auto* list = child<QListWidget>(deletion, "ListBoxNomi");
            listAfter = list->count() == 1 ? list->item(0)->text() : QString::number(list->count()) + " lines";
            searchEnabledAfter = field(deletion, "EditSoggetto")->isEnabled();
            click(deletion, "BBritorna");
        });
        click(main_.get(), "BBelimina");
        checkBoxesAndWindows();
        QVERIFY2(verification.startsWith(kPaddedName + "\nNascita 15/06/1944 11:45  Correz. +2.00\n"),
                 qPrintable(verification));
        QCOMPARE(listAfter, QString("ARCHIVIO VUOTO"));
        QVERIFY(!searchEnabledAfter);

        QCOMPARE(openAnyArchive("BASE").subjectCount(), 0);
        QCOMPARE(test::indexTexts("BASE").size(), std::size_t(1));
        QVERIFY(!dataDir().exists(kDocument));
        // The current subject is still the one recalled; its document is
        // gone, and so is "Apri Testo".
        QCOMPARE(main_->subjectLines(), subjectBox("10:30"));
        QVERIFY(!child<QPushButton>(main_.get(), "BBapriTesto")->isVisibleTo(main_.get()));
        QVERIFY(currentSubjectExists());
    }

    // A subject registered is the current one. Modified, it asks whether
    // the current subject follows: yes refreshes the main window at once,
    // while the modification window is still open; no leaves the current
    // subject and the main window as they were.
    void modifiedCurrentSubjectFollowsOnlyWhenAsked() {
        QVERIFY(registerSubject("BASE", test::exampleSubject()).failure.empty());  // Milano, 14/07/1968 06:35
        main_->FormActivate();
        QCOMPARE(main_->subjectLines().value(1), QString("Nascita 14/07/1968 06:35  Correz. +2.00"));

        QStringList afterYes, afterNo;
        whenShown<TFoModifi>([&](TFoModifi* modification) {
            test::chooseListedSubject(modification, 0);
            type(modification, "EditOra", "12:15");
            shown_->answers = {Dialogs::Answer::Yes};
            click(modification, "BBokRegistra");
            afterYes = main_->subjectLines();
            click(modification, "BBancora");
            test::chooseListedSubject(modification, 0);
            type(modification, "EditOra", "13:00");
            shown_->answers = {Dialogs::Answer::No};
            click(modification, "BBokRegistra");
            afterNo = main_->subjectLines();
            click(modification, "BBritorna");
        });
        click(main_.get(), "BBmodifica");
        QCOMPARE(messages(), QStringList({"question: Aggiornare anche il soggetto attuale?",
                                          "question: Aggiornare anche il soggetto attuale?"}));
        shown_->shown.clear();
        checkBoxesAndWindows();
        QCOMPARE(afterYes.value(1), QString("Nascita 14/07/1968 12:15  Correz. +2.00"));
        QCOMPARE(afterNo.value(1), QString("Nascita 14/07/1968 12:15  Correz. +2.00"));
        QCOMPARE(main_->subjectLines().value(1), QString("Nascita 14/07/1968 12:15  Correz. +2.00"));
        QCOMPARE(readCurrentSubject().record.moment, std::string("196807141215-2"));
        QCOMPARE(openAnyArchive("BASE").readBirth(2).moment, std::string("196807141300-2"));
    }
};

QV_WINDOW_TEST(SubjectRoadTest)
} // namespace subject_road_test
#include "subject_road_test.moc"
