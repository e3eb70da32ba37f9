// The recall window driven as a user would: archive list, typed-prefix
// search, the name list, recalling a subject and making it current.
#include "archive/current_subject.h"
#include "archive/side_files.h"
#include "archive/ui/recall_window.h"
#include "base/data_dir.h"
#include "base/text_file.h"
#include "tests/support/temp_data_dir.h"
#include "tests/windows/subject_windows_support.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include "tests/support/window_tests.h"

#include <QTest>

using namespace qv;

namespace recall_window_test {

std::vector<std::string> lines(const char* dataPath) { return readTextLines(dataDir().resolve(dataPath)); }

QStringList listed(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

// The name part of each line of the name list.
QStringList names(QListWidget* list) {
    QStringList out;
    for (const QString& line : listed(list)) out << line.left(38).trimmed();
    return out;
}

bool aqua(QLineEdit* field) { return field->styleSheet().contains("aqua"); }
bool red(QLineEdit* field) { return field->styleSheet().contains("red"); }

class RecallWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;

private slots:
    void init() { dir_ = std::make_unique<test::TempDataDir>(); }
    void cleanup() { dir_.reset(); }

    void archivesAreListedWithCaptionsAndBaseIsOpened() {
        test::writeExampleArchive("BASE", {{"ROSSI MARIO"}, {"BIANCHI LUCA"}});
        test::writeExampleArchive("RICE", {});
        test::writeExampleArchive("ZETA", {{"VERDI ANNA"}});
        test::writeExampleArchive("TMPR", {{"CORRENTE"}});
        TFormRich window;
        auto* archives = window.findChild<QListWidget*>("ListBoxArchivi");
        QCOMPARE(listed(archives), (QStringList{"BASE (personale)", "RICE (speciale)", "ZETA"}));
        QCOMPARE(window.findChild<QLineEdit*>("EditArchi")->text(), QString("BASE"));
        auto* list = window.findChild<QListWidget*>("ListBoxNomi");
        QCOMPARE(names(list), (QStringList{"BIANCHI LUCA", "ROSSI MARIO"}));
        QCOMPARE(list->item(0)->text().right(5), QString("00002"));

        QTest::mouseClick(archives->viewport(), Qt::LeftButton, {}, archives->visualItemRect(archives->item(1)).center());
        QCOMPARE(window.findChild<QLineEdit*>("EditArchi")->text(), QString("RICE"));
        QCOMPARE(listed(list), QStringList{"ARCHIVIO VUOTO"});
        QVERIFY(!window.findChild<QLineEdit*>("EditSoggetto")->isEnabled());
    }

    void theTemporaryArchiveIsRefused() {
        test::writeExampleArchive("BASE", {{"ROSSI MARIO"}});
        test::writeExampleArchive("TMPR", {{"CORRENTE"}});
        test::RecordedBoxes boxes;
        TFormRich window;
        auto* archive = window.findChild<QLineEdit*>("EditArchi");
        archive->clear();
        QTest::keyClicks(archive, "tmpr");
        QTest::keyClick(archive, Qt::Key_Return);
        QCOMPARE(boxes.last(), QString("Nome Archivio Non Ammesso"));
        QCOMPARE(window.findChild<QListWidget*>("ListBoxNomi")->count(), 0);
    }

    void typedPrefixesTurnTheFieldAquaOrRed() {
        test::writeExampleArchive("BASE", {{"ROSSI ANNA"}, {"ROSSI MARIO"}, {"ROSSINI GIOACCHINO"}, {"VERDI GIUSEPPE"}});
        TFormRich window;
        auto* field = window.findChild<QLineEdit*>("EditSoggetto");
        QVERIFY2(!red(field), "nothing typed yet after opening");
        QCOMPARE(field->placeholderText(), QString("Cognome Nome"));
        struct Step {
            const char* keys;
            bool found;
        };
        // Red only when no name holds what was typed.
        const Step steps[] = {{"rossi", true}, {"n", true}, {"i", true}, {"x", false}};
        for (const Step& s : steps) {
            QTest::keyClicks(field, s.keys);
            QCOMPARE(aqua(field), s.found);
        }
        QCOMPARE(field->text(), QString("ROSSINIX"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QVERIFY(aqua(field));
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QVERIFY2(aqua(field), "an empty prefix is aqua");
    }

    // Words of the name in any order, in part, with or without accents,
    // find the first name that holds them all; Enter chooses it.
    void wordsTypedInAnyOrderFindTheName() {
        test::writeExampleArchive("BASE", {{"BIANCHI LUCA"}, {"ROSSI ANNA"}, {"ROSSI MARIA"}, {"VERDI GIUSEPPE"}});
        TFormRich window;
        auto* field = window.findChild<QLineEdit*>("EditSoggetto");
        auto* list = window.findChild<QListWidget*>("ListBoxNomi");
        const struct {
            const char* typed;
            const char* selected;  // nullptr: nothing matches
        } cases[] = {
            {"mar ros", "ROSSI MARIA"},  {"maria rossi", "ROSSI MARIA"}, {"ros", "ROSSI ANNA"},
            {"luc", "BIANCHI LUCA"},     {"seppe ver", "VERDI GIUSEPPE"}, {"ross  mar.", "ROSSI MARIA"},
            {"mar bianchi", nullptr},
        };
        for (const auto& c : cases) {
            field->clear();
            QTest::keyClicks(field, QString::fromUtf8(c.typed));
            QCOMPARE(red(field), c.selected == nullptr);
            if (c.selected) {
                QVERIFY2(list->currentItem(), c.typed);
                QCOMPARE(list->currentItem()->text().left(38).trimmed(), QString(c.selected));
            }
        }
        field->clear();
        QTest::keyClicks(field, "mar ros");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(window.findChild<QLineEdit*>("EditNome")->text().trimmed(), QString("ROSSI MARIA"));
    }

    void theListFollowsTheSearchAndTheScrollBar() {
        test::writeExampleArchive("BASE", test::numberedSubjects(20));
        TFormRich window;
        auto* field = window.findChild<QLineEdit*>("EditSoggetto");
        auto* list = window.findChild<QListWidget*>("ListBoxNomi");
        auto* bar = window.findChild<QScrollBar*>("ScrollBarNomi");
        QCOMPARE(list->count(), 9);
        QCOMPARE(names(list).first(), QString("NAME01"));
        QCOMPARE(bar->minimum(), 5);
        QCOMPARE(bar->maximum(), 16);

        struct Case {
            const char* typed;
            const char* firstShown;
            const char* lastShown;
        };
        const Case cases[] = {
            {"NAME10", "NAME06", "NAME14"},  // the found name in the middle line
            {"NAME02", "NAME01", "NAME09"},
            {"NAME20", "NAME12", "NAME20"},  // the last subject is shown
        };
        for (const Case& c : cases) {
            field->clear();
            QTest::keyClicks(field, c.typed);
            QVERIFY(aqua(field));
            QCOMPARE(names(list).first(), QString(c.firstShown));
            QCOMPARE(names(list).last(), QString(c.lastShown));
            QCOMPARE(list->currentItem()->text().left(6), QString(c.typed));
        }
        bar->setValue(8);
        QCOMPARE(names(list).first(), QString("NAME04"));
        bar->triggerAction(QScrollBar::SliderPageStepAdd);
        QCOMPARE(bar->value(), 16);
        QCOMPARE(names(list).first(), QString("NAME12"));
        bar->setValue(10);
        list->setFocus();
        list->setCurrentRow(8);
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(names(list).first(), QString("NAME07"));
        QCOMPARE(list->currentRow(), 8);
        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Up);
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(names(list).first(), QString("NAME05"));
    }

    void recallingASubjectWritesItsSideFilesAndOkMakesItCurrent() {
        test::StoredExample annotated{"ROSSI MARIO LUIGI"};
        annotated.annotation = {{"  Prima riga  ", "", "Terza", "Quarta" + std::string(58, ' ') + "00007"}};
        test::writeExampleArchive("BASE", {{"BIANCHI LUCA"}, annotated});
        TFormRich window;
        auto* inverti = window.findChild<QPushButton*>("BBinverti");
        QVERIFY(!inverti->isEnabled());
        test::chooseListedSubject(&window, 1);
        QCOMPARE(window.findChild<QLineEdit*>("EditSoggetto")->text(), QString("ROSSI MARIO LUIGI                     00002"));
        QCOMPARE(window.findChild<QLineEdit*>("EditNome")->text(), QString("ROSSI MARIO LUIGI").leftJustified(38));
        QCOMPARE(window.findChild<QLineEdit*>("EditData")->text(), QString("15/03/1944 12:30"));
        QCOMPARE(window.findChild<QLineEdit*>("EditCorrez")->text(), QString("-1"));
        QCOMPARE(window.findChild<QLineEdit*>("EditCoordinate")->text(), QString("45N28-009E11"));
        QCOMPARE(window.findChild<QLineEdit*>("EditCalend")->text(), QString("GREG"));
        QCOMPARE(window.findChild<QLineEdit*>("EditLocalita")->text(), QString("MILANO (MI)"));
        QCOMPARE(window.findChild<QLineEdit*>("EditNazional")->text(), QString("ITALIA"));
        QVERIFY(window.findChild<QPlainTextEdit*>("MemoAnnotaz")->toPlainText().startsWith("Prima riga\n\nTerza\nQuarta"));
        QVERIFY(inverti->isEnabled());
        QCOMPARE(window.focusWidget(), window.findChild<QPushButton*>("BBok"));
        QCOMPARE(lines(kRecalledPointerFile), (std::vector<std::string>{"00002", "BASE"}));

        window.findChild<QLineEdit*>("EditNome")->setText("Rossi Mario");
        window.findChild<QLineEdit*>("EditLocalita")->setText("Milano");
        window.findChild<QLineEdit*>("EditNazional")->setText("Italia");
        QTest::mouseClick(window.findChild<QPushButton*>("BBok"), Qt::LeftButton);
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QVERIFY(window.recalled());
        const CurrentSubject current = readCurrentSubject();
        QCOMPARE(current.nameText, std::string("Rossi Mario"));
        QCOMPARE(current.record.place, std::string("45N28-009E11Milano"));
        QCOMPARE(current.record.nation, std::string("Italia"));
        QCOMPARE(current.record.moment, std::string("194403151230-1"));
        QCOMPARE(current.record.annotationNumber, std::string("00001"));
        // Each stored line stripped and appended after one space.
        QCOMPARE(lines(kAnnotationsFile),
                 std::vector<std::string>{" Prima riga  Terza Quarta" + std::string(58, ' ') + "00007"});
        QCOMPARE(lines(kTextPointerFile), (std::vector<std::string>{"BASE", "00007"}));
        QCOMPARE(lines(kArchiveChoiceFile),
                 (std::vector<std::string>{"BASE", "ROSSI MARIO LUIGI                     00002", "2", "ROSSI MARIO LUIGI"}));
    }

    // "\u0141" is not in Windows-1252: OK refuses it instead of making the
    // subject current with "?" in its place.
    void okRefusesAPlaceTheFilesCannotHold() {
        test::writeExampleArchive("BASE", {{"ROSSI MARIO"}});
        test::RecordedBoxes boxes;
        TFormRich window;
        test::chooseListedSubject(&window, 0);
        window.findChild<QLineEdit*>("EditLocalita")->setText(QString::fromUtf8("\u0141\u00D3D\u0179"));
        QTest::mouseClick(window.findChild<QPushButton*>("BBok"), Qt::LeftButton);
        QVERIFY(!boxes.last().isEmpty());
        QVERIFY(!window.recalled());
        QVERIFY(!currentSubjectExists());
    }

    void cancellingLeavesTheCurrentSubjectsSideFiles() {
        test::StoredExample annotated{"ROSSI MARIO"};
        annotated.annotation = {{"Nota", "", "", std::string(64, ' ') + "00002"}};
        test::writeExampleArchive("BASE", {annotated});
        writeAnnotationsFile(" Annotazioni del soggetto attuale");
        writeTextPointer({"RICE", "00009"});
        TFormRich window;
        test::chooseListedSubject(&window, 0);
        QCOMPARE(lines(kTextPointerFile), (std::vector<std::string>{"RICE", "00009"})); // only looked at
        QTest::mouseClick(window.findChild<QPushButton*>("BBannulla"), Qt::LeftButton);
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QCOMPARE(lines(kAnnotationsFile), std::vector<std::string>{" Annotazioni del soggetto attuale"});
        QCOMPARE(lines(kTextPointerFile), (std::vector<std::string>{"RICE", "00009"}));
        QVERIFY(!currentSubjectExists());
    }

    void theInversionCyclesThroughTheWords() {
        test::writeExampleArchive("BASE", {{"ROSSI MARIO LUIGI"}, {"VERDI ANNA"}});
        TFormRich window;
        auto* inverti = window.findChild<QPushButton*>("BBinverti");
        auto* nome = window.findChild<QLineEdit*>("EditNome");
        test::chooseListedSubject(&window, 0);
        const QStringList three = {"MARIO LUIGI ROSSI", "ROSSI LUIGI MARIO", "MARIO ROSSI LUIGI", "LUIGI ROSSI MARIO",
                                   "LUIGI MARIO ROSSI", "ROSSI MARIO LUIGI", "MARIO LUIGI ROSSI"};
        for (const QString& expected : three) {
            QTest::mouseClick(inverti, Qt::LeftButton);
            QCOMPARE(nome->text(), expected);
        }
        test::chooseListedSubject(&window, 1);
        for (const char* expected : {"ANNA VERDI", "VERDI ANNA", "ANNA VERDI"}) {
            QTest::mouseClick(inverti, Qt::LeftButton);
            QCOMPARE(nome->text(), QString(expected));
        }
    }

    void enterChoosesTheFoundNameOrAsksForADoubleClick() {
        test::writeExampleArchive("BASE", {{"ROSSI ANNA"}, {"ROSSI MARIO"}, {"VERDI GIUSEPPE"}});
        test::RecordedBoxes boxes;
        TFormRich window;
        auto* field = window.findChild<QLineEdit*>("EditSoggetto");
        QTest::keyClicks(field, "VERDI");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(window.findChild<QLineEdit*>("EditNome")->text().trimmed(), QString("VERDI GIUSEPPE"));
        QVERIFY(boxes->shown.empty());

        field->clear();
        QTest::keyClicks(field, "VERDO");
        QVERIFY(red(field));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(boxes.last(), QString("Doppio Clic sull'Elenco Nomi"));

        // Enter on a highlighted list line chooses it.
        auto* list = window.findChild<QListWidget*>("ListBoxNomi");
        field->clear();
        list->setFocus();
        list->setCurrentRow(0);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(window.findChild<QLineEdit*>("EditNome")->text().trimmed(), QString("ROSSI ANNA"));
    }

    void okWithARedFieldOnlyClearsIt() {
        test::writeExampleArchive("BASE", {{"ROSSI ANNA"}});
        TFormRich window;
        auto* field = window.findChild<QLineEdit*>("EditSoggetto");
        test::chooseListedSubject(&window, 0);
        field->clear();
        QTest::keyClicks(field, "X");
        QVERIFY(red(field));
        QTest::mouseClick(window.findChild<QPushButton*>("BBok"), Qt::LeftButton);
        QVERIFY(aqua(field));
        QCOMPARE(field->text(), QString());
        QVERIFY(!currentSubjectExists());
        QCOMPARE(window.result(), int(QDialog::Rejected));
    }
};

QV_WINDOW_TEST(RecallWindowTest)
} // namespace recall_window_test
#include "recall_window_test.moc"
