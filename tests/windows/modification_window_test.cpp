// The modification window: the data panel of a chosen subject, the checks
// of "&OK  Registra" in their order, the consistency question, the rewrite
// and the text document.
#include "tests/windows/editor_opener.h"
#include "settings/chart_settings.h"
#include "archive/archive_files.h"
#include "archive/current_subject.h"
#include "archive/side_files.h"
#include "archive/subject_operations.h"
#include "archive/ui/modification_window.h"
#include "base/data_dir.h"
#include "base/text_file.h"
#include "consultations/consultation_store.h"
#include "editor/ui/text_editor_window.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"
#include "tests/windows/subject_windows_support.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include "tests/support/window_tests.h"

#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <filesystem>

using namespace qv;

namespace modification_window_test {

std::string bytesOf(const std::string& dataPath) { return readWholeFile(dataDir().resolve(dataPath)); }

std::string archiveBytes() { return bytesOf("BASE.ST1") + bytesOf("BASE.ST2") + bytesOf("BASE.ST3"); }

QLineEdit* field(TFoModifi& window, const char* name) { return window.findChild<QLineEdit*>(name); }

void click(TFoModifi& window, const char* button) {
    QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton);
}

class ModificationWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>();
        test::writeZeroCorrectionTables(dir_->path());
        resetChartSettings();
    }
    void cleanup() {
        resetChartSettings();
        dir_.reset();
    }

    void aDoubleClickShowsTheStoredFields() {
        test::StoredExample s{"ROSSI MARIO"};
        s.annotation = {{"Prima", "Seconda", "", "Quarta" + std::string(58, ' ') + "00003"}};
        test::writeExampleArchive("BASE", {{"ANNA"}, s});
        TFoModifi window(test::openInEditor);
        QVERIFY(!window.showsData());
        test::chooseListedSubject(&window, 1);
        QVERIFY(window.showsData());
        const std::pair<const char*, QString> shown[] = {
            {"EditNome", QString("ROSSI MARIO").leftJustified(38)}, {"EditData", "15/03/1944"},
            {"EditOra", "12:30"}, {"EditCorr", "-1"}, {"EditLocalita", "MILANO *MI*"}, {"EditStato", "ITALIA"},
            {"EditCoordin", "45N28-009E11"}, {"EditCalendario", "GREGORIANO"}, {"EditAnnot1", "Prima"},
            {"EditAnnot2", "Seconda"}, {"EditAnnot4", QString("Quarta").leftJustified(64)}, {"EditNumTesto", "00003"},
        };
        for (const auto& [name, text] : shown) QCOMPARE(field(window, name)->text(), text);
        click(window, "BBelenco");
        QVERIFY(!window.showsData());
        QCOMPARE(field(window, "EditNome")->text(), QString());
    }

    void theChecksStopInTheirOrderAndWriteNothing() {
        test::writeExampleArchive("BASE", {{"ROSSI MARIO"}});
        test::RecordedBoxes boxes;
        TFoModifi window(test::openInEditor);
        const std::string before = archiveBytes();
        struct Check {
            const char* field;
            const char* wrong;
            const char* message;
        };
        // Case i makes its own field and every later one wrong: only its
        // message may show.
        const Check checks[] = {
            {"EditData", "32/03/1944", "Data Nascita Scorretta o Incompleta"},
            {"EditOra", "12:60", "Ora Nascita Scorretta o Incompleta"},
            {"EditCoordin", "45N28-009X11", "Coordinate Scorrette o Incomplete"},
            {"EditCalendario", "GREG", "Errore definizione Calendario"},
            {"EditCorr", "meno uno", "Errore alla voce \"Corr\" (Correzione Totale)"},
        };
        const std::size_t count = std::size(checks);
        for (std::size_t i = 0; i < count; ++i) {
            test::chooseListedSubject(&window, 0);
            for (std::size_t j = i; j < count; ++j) field(window, checks[j].field)->setText(checks[j].wrong);
            boxes->shown.clear();
            click(window, "BBokRegistra");
            QCOMPARE(boxes->shown.size(), std::size_t(1));
            QCOMPARE(boxes.last(), QString(checks[i].message));
            QVERIFY2(!window.locked(), "the fields stay editable");
            click(window, "BBelenco");
        }
        test::chooseListedSubject(&window, 0);
        field(window, "EditCorr")->setText("-12,5");
        click(window, "BBokRegistra");
        QCOMPARE(boxes.last(), QString("\"Corr\" riporta un valore impossibile"));
        QCOMPARE(archiveBytes(), before);
        // The fields are shown stripped.
        field(window, "EditStato")->setText("  ITALIA ");
        click(window, "BBokRegistra");
        QCOMPARE(field(window, "EditStato")->text(), QString("ITALIA"));
    }

    void theConsistencyQuestionGuardsTheRewrite() {
        test::writeExampleArchive("BASE", {{"ROSSI MARIO"}});
        test::RecordedBoxes boxes;
        TFoModifi window(test::openInEditor);
        test::chooseListedSubject(&window, 0);
        const std::string before = archiveBytes();
        field(window, "EditCorr")->setText("3");  // at 9° E: |3 + 0.6| > 2
        boxes->answers = {Dialogs::Answer::No};
        click(window, "BBokRegistra");
        QCOMPARE(boxes.last(), QString("Possibile Incongruenza tra Longitudine e \"Corr\", Confermi i Dati?"));
        QCOMPARE(archiveBytes(), before);
        QVERIFY(!window.locked());
        boxes->answers = {Dialogs::Answer::Yes};
        click(window, "BBokRegistra");
        QVERIFY(window.locked());
        const Archive base = openAnyArchive("BASE");
        QCOMPARE(base.readBirth(1).moment, std::string("1944031512303"));
    }

    // A date moved into summer time: the atlas's correction is shown beside
    // Corr and offered on OK; no keeps the typed one on purpose, yes stores
    // the atlas's.
    void aChangedDateBringsTheAtlasCorrectionWhenConfirmed() {
        namespace fs = std::filesystem;
        fs::create_directories(dir_->path() / "Localita");
        fs::copy_file(test::dataTemplateDir() / "Localita" / "ITALIA.LOC", dir_->path() / "Localita" / "ITALIA.LOC");
        fs::copy(test::dataTemplateDir() / "Calendar", dir_->path() / "Calendar", fs::copy_options::recursive);
        test::writeExampleArchive("BASE", {{"ROSSI MARIO"}});  // Milano, 15/03/1944 12:30, Corr -1
        test::RecordedBoxes boxes;
        TFoModifi window(test::openInEditor);
        test::chooseListedSubject(&window, 0);
        field(window, "EditData")->setText("15/06/1944");
        emit field(window, "EditData")->editingFinished();
        QCOMPARE(window.findChild<QLabel*>("LabCorrAtlante")->text(), QString::fromUtf8("Atlante: \u22122"));

        boxes->answers = {Dialogs::Answer::No};
        click(window, "BBokRegistra");
        QCOMPARE(boxes->shown.front().text, QString::fromUtf8("La correzione cambia da \u22121 a \u22122: confermare?"));
        QCOMPARE(openAnyArchive("BASE").readBirth(1).moment, std::string("194406151230-1"));

        click(window, "BBancora");
        test::chooseListedSubject(&window, 0);
        field(window, "EditOra")->setText("12:45");
        boxes->answers = {Dialogs::Answer::Yes};
        click(window, "BBokRegistra");
        QCOMPARE(boxes.last(), QString::fromUtf8("La correzione cambia da \u22121 a \u22122: confermare?"));
        QCOMPARE(openAnyArchive("BASE").readBirth(1).moment, std::string("194406151245-2"));
        QCOMPARE(field(window, "EditCorr")->text(), QString("-2"));
    }

    void aNewNameMovesTheEntryAndTheCurrentSubjectStays() {
        test::writeExampleArchive("BASE", {{"ANNA"}, {"CARLO"}, {"ROSSI MARIO"}});
        writeCurrentSubject("CORRENTE", BirthRecord{});
        const std::string current = bytesOf("TMPR.ST1") + bytesOf("TMPR.ST2");
        test::RecordedBoxes boxes;
        TFoModifi window(test::openInEditor);
        test::chooseListedSubject(&window, 2);
        field(window, "EditNome")->setText("Bianchi Mario");
        field(window, "EditOra")->setText("08:05");
        QVERIFY(!window.findChild<QPushButton*>("BBancora")->isEnabled());
        click(window, "BBokRegistra");
        QVERIFY(boxes->shown.empty());
        QVERIFY(window.locked());
        QVERIFY(field(window, "EditNome")->isReadOnly());
        QVERIFY(window.findChild<QPushButton*>("BBancora")->isEnabled());
        QCOMPARE(test::indexTexts("BASE")[2], std::string("BIANCHI MARIO                         00003"));
        QCOMPARE(openAnyArchive("BASE").readBirth(3).moment, std::string("194403150805-1"));
        QCOMPARE(bytesOf("TMPR.ST1") + bytesOf("TMPR.ST2"), current);
        click(window, "BBancora");
        QVERIFY(!window.showsData());
        auto* list = window.findChild<QListWidget*>("ListBoxNomi");
        QCOMPARE(list->item(1)->text().left(13), QString("BIANCHI MARIO"));
    }

    // The person's consultations follow the corrected name and birth
    // moment; a correction into another entry's name and birth moment is
    // refused, naming that entry, and changes nothing.
    void aCorrectionCarriesTheConsultationsAndTakesNoOtherIdentity() {
        test::writeExampleArchive("BASE", {{"ANNA"}, {"CARLO"}, {"ROSSI MARIO"}});
        const consultations::SubjectLink rossi{"BASE", "ROSSI MARIO", "194403151230-1"};
        for (int day : {2, 9}) {
            consultations::Consultation c;
            c.subject = rossi;
            c.date = {day, 3, 2026};
            consultations::openStore().save(c);
        }
        test::RecordedBoxes boxes;
        TFoModifi window(test::openInEditor);
        test::chooseListedSubject(&window, 2);
        field(window, "EditNome")->setText("Rossi Mario Luigi");
        field(window, "EditOra")->setText("12:35");
        click(window, "BBokRegistra");
        QVERIFY(boxes->shown.empty());
        const consultations::SubjectLink corrected{"BASE", "ROSSI MARIO LUIGI", "194403151235-1"};
        QCOMPARE(consultations::openStore().countOf(corrected), 2);
        QCOMPARE(consultations::openStore().countOf(rossi), 0);

        click(window, "BBancora");
        test::chooseListedSubject(&window, 0);  // ANNA
        const std::string before = archiveBytes();
        field(window, "EditNome")->setText("Rossi Mario Luigi");
        field(window, "EditOra")->setText("12:35");
        click(window, "BBokRegistra");
        QCOMPARE(boxes->shown.size(), std::size_t{1});
        QVERIFY2(boxes->shown[0].text.contains("c'\u00E8 gi\u00E0 nell'archivio BASE alla voce 3"),
                 qPrintable(boxes->shown[0].text));
        QCOMPARE(archiveBytes(), before);
        QCOMPARE(consultations::openStore().countOf(corrected), 2);
    }

    // A name the archives cannot hold ("Ł" is not in Windows-1252) is
    // refused by both buttons before a byte or a document is written.
    void aCharacterTheArchivesCannotHoldWritesNothing() {
        for (const char* button : {"BBokRegistra", "BBtesto"}) {
            test::writeExampleArchive("BASE", {{"ROSSI MARIO"}});
            const std::string before = archiveBytes();
            test::RecordedBoxes boxes;
            TFoModifi window(test::openInEditor);
            test::chooseListedSubject(&window, 0);
            field(window, "EditNome")->setText(QString::fromUtf8("\u0141UKASZ MARIO"));
            QTimer closer;  // an editor opened by mistake must not hang the test
            connect(&closer, &QTimer::timeout, [] {
                if (auto* editor = qobject_cast<TFoReMaiH*>(QApplication::activeModalWidget())) editor->close();
            });
            closer.start(10);
            click(window, button);
            closer.stop();
            QVERIFY2(!boxes.last().isEmpty(), button);
            QCOMPARE(archiveBytes(), before);
            QVERIFY2(!dataDir().exists("BASEtxt"), button);
            QVERIFY(!window.locked());
        }
    }

    void theTextDocumentIsCreatedAndOpenedInTheEditor() {
        test::writeExampleArchive("BASE", {{"ROSSI MARIO"}});
        writeTextPointer({"RICE", "00004"});  // the current subject's text
        test::RecordedBoxes boxes;
        TFoModifi window(test::openInEditor);
        test::chooseListedSubject(&window, 0);
        QString shownText;
        QString shownName;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto* editor = qobject_cast<TFoReMaiH*>(QApplication::activeModalWidget())) {
                shownText = editor->textArea()->toPlainText();
                shownName = editor->documentName();
                editor->close();
            }
        });
        closer.start(10);
        click(window, "BBtesto");
        closer.stop();
        QCOMPARE(shownText, QString("ROSSI MARIO").leftJustified(38));
        QVERIFY(shownName.endsWith("BASEtxt/00001.txt"));
        QCOMPARE(field(window, "EditNumTesto")->text(), QString("00001"));
        QCOMPARE(readTextLines(dataDir().resolve("BASEtxt\\FlagTxt.set")), std::vector<std::string>{"2"});
        const Archive base = openAnyArchive("BASE");
        QCOMPARE(base.readBirth(1).annotationNumber, std::string("00001"));
        QCOMPARE(base.readAnnotation(1).textNumber(), std::string("00001"));
        QCOMPARE(readTextLines(dataDir().resolve(kEditedDocumentFile)), std::vector<std::string>{"BASEtxt\\00001.txt"});
        QCOMPARE(readTextLines(dataDir().resolve(kTextPointerFile)), (std::vector<std::string>{"RICE", "00004"}));
        QVERIFY(window.locked());

        // Again on the same subject: the document is reused.
        click(window, "BBancora");
        test::chooseListedSubject(&window, 0);
        QCOMPARE(field(window, "EditNumTesto")->text(), QString("00001"));
        closer.start(10);
        click(window, "BBtesto");
        closer.stop();
        QCOMPARE(readTextLines(dataDir().resolve("BASEtxt\\FlagTxt.set")), std::vector<std::string>{"2"});
        QCOMPARE(openAnyArchive("BASE").annotationCount(), 2);  // the subject's own record was rewritten
    }
};

QV_WINDOW_TEST(ModificationWindowTest)
} // namespace modification_window_test
#include "modification_window_test.moc"
