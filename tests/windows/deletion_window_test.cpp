// The deletion window: the verification of the chosen subject, its
// messages, and deleting down to an empty archive.
#include "archive/archive_files.h"
#include "archive/current_subject.h"
#include "archive/side_files.h"
#include "archive/ui/deletion_window.h"
#include "base/data_dir.h"
#include "base/text_file.h"
#include "base/ui/dialogs.h"
#include "consultations/consultation_store.h"
#include "tests/support/temp_data_dir.h"
#include "tests/windows/subject_windows_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include "tests/support/window_tests.h"

#include <QTest>

using namespace qv;

namespace deletion_window_test {

class DeletionWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;

private slots:
    void init() { dir_ = std::make_unique<test::TempDataDir>(); }
    void cleanup() { dir_.reset(); }

    void deletingTheOnlySubjectLeavesAnEmptyArchive() {
        test::StoredExample s{"ROSSI MARIO"};
        s.calendar = "GI";
        s.reserved2 = "riservato";
        s.annotation = {{"Allergico", "", "", "Fine" + std::string(60, ' ') + "00001"}};
        test::writeExampleArchive("BASE", {s});
        writeTextLines(dataDir().prepareForWrite("BASEtxt\\00001.txt"), {"ROSSI MARIO"});
        test::RecordedBoxes boxes;
        TFoCancel window;
        auto* elimina = window.findChild<QPushButton*>("BBelimina");
        QVERIFY(!elimina->isEnabled());
        test::chooseListedSubject(&window, 0);
        QCOMPARE(window.findChild<QPlainTextEdit*>("MemoVerifica")->toPlainText(),
                 QString("ROSSI MARIO").leftJustified(38) + "\n"
                         "Nascita 15/03/1944 12:30  Correz. +1.00\n"
                         "Localit\u00E0: MILANO (MI)\n"
                         "Nazionalit\u00E0: ITALIA\n"
                         "Coordinate: 45N28-009E11\n"
                         "Calendario: GIULIANO\n"
                         "riservato");
        QVERIFY(window.findChild<QPlainTextEdit*>("MemoAnnotaz")->toPlainText().startsWith("Allergico\n\n\nFine"));
        QVERIFY(window.findChild<QLabel*>("LabNumTesto")->text().contains("00001"));
        QVERIFY(elimina->isEnabled());

        QTest::mouseClick(elimina, Qt::LeftButton);
        QVERIFY2(boxes->shown.empty(), "no confirmation question");
        auto* list = window.findChild<QListWidget*>("ListBoxNomi");
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QString("ARCHIVIO VUOTO"));
        QVERIFY(!window.findChild<QLineEdit*>("EditSoggetto")->isEnabled());
        QCOMPARE(test::indexTexts("BASE").size(), std::size_t(1));
        QCOMPARE(openAnyArchive("BASE").birthCount(), 2);  // the birth record stays
        QVERIFY(!dataDir().exists("BASEtxt\\00001.txt"));
        QCOMPARE(archivesInUse(), std::vector<std::string>{"BASE"});
        QCOMPARE(window.findChild<QPlainTextEdit*>("MemoVerifica")->toPlainText(), QString());

        QTest::mouseClick(elimina, Qt::LeftButton);
        QCOMPARE(boxes.last(), QString("Doppio Clic su Elenco"));
    }

    // The current subject with consultations, deleted with them: the window
    // asks, then says that there is no current subject any more; TMPR and
    // the consultations are gone, the other person's stay.
    void theCurrentSubjectGoesWithItsConsultationsWhenAsked() {
        test::writeExampleArchive("BASE", {{"ANNA"}, {"ROSSI MARIO"}});
        BirthRecord current;
        current.moment = "194403151230-1";
        current.place = "45N28-009E11MILANO *MI*";
        current.calendar = "GR";
        writeCurrentSubject("ROSSI MARIO", current);
        const consultations::SubjectLink rossi{"BASE", "ROSSI MARIO", "194403151230-1"};
        const consultations::SubjectLink anna{"BASE", "ANNA", "194403151230-1"};
        for (const auto& who : {rossi, rossi, anna}) {
            consultations::Consultation c;
            c.subject = who;
            c.date = {4, 5, 2026};
            consultations::openStore().save(c);
        }
        test::RecordedBoxes boxes;
        boxes->answers = {Dialogs::Answer::Yes};
        TFoCancel window;
        test::chooseListedSubject(&window, 1);
        QTest::mouseClick(window.findChild<QPushButton*>("BBelimina"), Qt::LeftButton);
        QCOMPARE(boxes->shown.size(), std::size_t{2});
        QCOMPARE(boxes->shown[0].text, QString("Il soggetto ha 2 consultazioni registrate. Eliminarle insieme al soggetto?"));
        QCOMPARE(boxes->shown[1].text,
                 QString("Il soggetto eliminato era il soggetto attuale: ora nessun soggetto \u00E8 selezionato"));
        QVERIFY(!currentSubjectExists());
        QCOMPARE(consultations::openStore().countOf(rossi), 0);
        QCOMPARE(consultations::openStore().countOf(anna), 1);
        QCOMPARE(test::indexTexts("BASE").size(), std::size_t(2));
    }

    void aRedNameIsNoValidChoice() {
        test::writeExampleArchive("BASE", {{"ANNA"}, {"ROSSI MARIO"}});
        test::RecordedBoxes boxes;
        TFoCancel window;
        test::chooseListedSubject(&window, 1);
        auto* field = window.findChild<QLineEdit*>("EditSoggetto");
        field->clear();
        QTest::keyClicks(field, "Z");
        QTest::mouseClick(window.findChild<QPushButton*>("BBelimina"), Qt::LeftButton);
        QCOMPARE(boxes.last(), QString("Scelta Non valida"));
        QCOMPARE(field->text(), QString());
        QCOMPARE(test::indexTexts("BASE").size(), std::size_t(3));

        // Chosen again: the verified subject goes, the other stays.
        test::chooseListedSubject(&window, 1);
        QTest::mouseClick(window.findChild<QPushButton*>("BBelimina"), Qt::LeftButton);
        const auto index = test::indexTexts("BASE");
        QCOMPARE(index.size(), std::size_t(2));
        QCOMPARE(index[1], std::string("ANNA                                  00001"));
        QCOMPARE(window.findChild<QListWidget*>("ListBoxNomi")->count(), 1);
    }
};

QV_WINDOW_TEST(DeletionWindowTest)
} // namespace deletion_window_test
#include "deletion_window_test.moc"
