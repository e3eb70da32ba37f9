// The consultation windows of the remedy database driven as a user would:
// pages of fourteen rows, the numbered buttons' note cycles, the signature
// pop-up, the "Cerca" box, and the composite searches with "Trova".
#include "base/data_dir.h"
#include "base/ui/dialogs.h"
#include "base/ui/search_box.h"
#include "remedies/named_lists.h"
#include "remedies/ui/warnings_box.h"
#include "remedies/remedy_files.h"
#include "remedies/support_lists.h"
#include "remedies/ui/composite_windows.h"
#include "remedies/ui/consultation_windows.h"
#include "remedies/ui/remedy_pages.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/temp_data_dir.h"
#include "tests/windows/list_clicks.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include "tests/support/window_tests.h"

#include <QTest>

using namespace qv;

namespace remedy_windows_test {
using qv::test::clickEntry;
using qv::test::listed;
using qv::test::listRow;
using qv::test::picture;
using qv::test::remedy;
using qv::test::therapy;

template <typename W>
QString text(W* window, const char* name) {
    auto* e = window->template findChild<QLineEdit*>(name);
    return e ? e->text() : QString("<%1?>").arg(name);
}

template <typename W>
void press(W* window, const char* name) {
    QTest::mouseClick(window->template findChild<QPushButton*>(name), Qt::LeftButton);
}

int filledRows(QWidget* window) {
    int n = 0;
    for (int k = 1; k <= 14; ++k) n += !window->findChild<QLineEdit*>(QString("EdP%1").arg(k))->text().isEmpty();
    return n;
}

bool red(QWidget* window) { return window->findChild<QLineEdit*>("Edit1")->styleSheet().contains("red"); }

// Types text key by key, accented letters included (QTest::keyClicks
// takes Latin-1 only).
void typeText(QWidget* box, const QString& typed) {
    for (QChar c : typed) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &key);
    }
}

class RemedyWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;
    std::unique_ptr<Dialogs> previous_;
    RecordingDialogs* boxes_ = nullptr;

    void writeDatabase() {
        std::vector<remedies::RemedyRecord> records;
        for (int i = 1; i <= 15; ++i) {
            remedies::RemedyRecord r = remedy(QString("Rimedio %1").arg(i, 2, 10, QChar('0')).toStdString(), "Cefalea",
                                              "Sole-Luna", "Ariete ");
            r.segnaturaSecondaria = "Marte";
            r.setDosage("Dose " + std::to_string(i));
            r.setWarnings(i == 3 ? "Avvertenza tre." : "");
            r.setSynthesis(i == 3 ? "Sintesi tre." : "");
            records.push_back(r);
        }
        for (int i = 1; i <= 14; ++i) records.push_back(remedy("Altro " + std::to_string(i), "Afonia"));
        for (int i = 1; i <= 20; ++i) records.push_back(remedy("MSA Ortica", "Uso " + std::to_string(i)));
        records.push_back(remedy("Iperico (2)", "Ansia"));
        records.push_back(remedy("X", "Astenia"));
        records.push_back(remedy("Y", "Bruciore"));
        records.push_back(remedy("X", "Capogiro"));
        test::writeRemedyDatabase(dataDir(), records);
        test::writeRepertoryDatabase(dataDir(), {therapy("Tosse", "Iperico (2)", "5 gocce", "Al mattino."),
                                                 therapy("Tosse", "Assente", "2 gocce"), therapy("Febbre", "Iperico (2)")});
        remedies::rebuildSupportLists(dataDir());
    }

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>();
        auto recorder = std::make_unique<RecordingDialogs>();
        boxes_ = recorder.get();
        previous_ = setDialogs(std::move(recorder));
        writeDatabase();
    }
    void cleanup() {
        setDialogs(std::move(previous_));
        dir_.reset();
    }

    void symptomPagesNoteCycleAndPopup() {
        TFoSintom1 window;
        window.show();
        auto* list = window.findChild<QListWidget*>("ListBox1");
        QCOMPARE(listed(list).first(), QString("Afonia"));

        clickEntry(list, listRow(list, "Afonia"));  // exactly 14 records
        QCOMPARE(filledRows(&window), 14);
        QCOMPARE(text(&window, "Edit1"), QString("1/1"));
        QVERIFY(!red(&window));
        press(&window, "BBseguito");
        QCOMPARE(text(&window, "Edit1"), QString("1/1"));

        clickEntry(list, listRow(list, "Cefalea"));  // 15 records
        QCOMPARE(filledRows(&window), 14);
        QCOMPARE(text(&window, "Edit1"), QString("1/2"));
        QVERIFY(red(&window));
        QCOMPARE(text(&window, "EdDist"), QString("Cefalea"));
        QCOMPARE(text(&window, "EdA1"), QString("Sole-Luna Marte"));
        QCOMPARE(text(&window, "EdD3"), QString("Dose 3"));
        picture(&window, "TFoSintom1");

        QStringList labels, notes;
        for (int i = 0; i < 5; ++i) {
            press(&window, "SB3");
            labels << window.findChild<QLabel*>("LabNote")->text();
            notes << window.findChild<QPlainTextEdit*>("MemoNote")->toPlainText();
        }
        QCOMPARE(labels, (QStringList{"Rimedio 03 - Avvertenze", "Rimedio 03 - Sintesi Psichica", "Rimedio 03 - Note",
                                      "Rimedio 03 - Note Supplementari", "Rimedio 03 - Avvertenze"}));
        QCOMPARE(notes.at(1), QString("Sintesi tre."));
        QCOMPARE(notes.at(2), QString("Il Database Primario non riporta Note"));

        press(&window, "BBseguito");  // page 2: one row; note states stay
        QCOMPARE(filledRows(&window), 1);
        QCOMPARE(text(&window, "Edit1"), QString("2/2"));
        QVERIFY(!red(&window));
        press(&window, "SB2");  // an empty row's button shows nothing
        QCOMPARE(window.findChild<QLabel*>("LabNote")->text(), QString("Rimedio 03 - Avvertenze"));
        press(&window, "BBAnticipo");
        press(&window, "SB3");
        QCOMPARE(window.findChild<QLabel*>("LabNote")->text(), QString("Rimedio 03 - Sintesi Psichica"));

        auto* planets = window.findChild<QLineEdit*>("EdA1");
        QTest::mouseDClick(planets, Qt::LeftButton);
        auto* popup = window.findChild<QListWidget*>("list");
        QVERIFY(popup->isVisible());
        QCOMPARE(listed(popup), (QStringList{"\u00A7 Sole", "\u00A7 Luna", "Marte"}));
        QTest::mouseDClick(window.findChild<QLineEdit*>("EdS1"), Qt::LeftButton);
        QCOMPARE(listed(popup), (QStringList{"Ariete", ""}));
        picture(&window, "TFoSintom1-popup");
        QTest::mouseClick(planets, Qt::LeftButton);
        QVERIFY(!popup->isVisible());

        press(&window, "BitBtn1");  // Pulisci
        QCOMPARE(filledRows(&window), 0);
        QCOMPARE(text(&window, "Edit1"), QString());
        QVERIFY(boxes_->shown.empty());
    }

    void cercaSelectsWithoutOpening() {
        TFoSintom1 window;
        window.show();
        auto* list = window.findChild<QListWidget*>("ListBox1");
        auto* cerca = window.findChild<SearchBox*>("EdCerca");
        QTest::keyClicks(cerca, "ce");
        QCOMPARE(cerca->text(), QString("ce"));
        QCOMPARE(list->currentItem()->text(), QString("Cefalea"));
        QCOMPARE(filledRows(&window), 0);
        // Delete carries the character 127 on some keyboards: it is an
        // editing key, not a character of the text.
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f)));
        QApplication::sendEvent(cerca, &del);
        QCOMPARE(cerca->text(), QString("ce"));
        QCOMPARE(list->currentItem()->text(), QString("Cefalea"));
        QTest::mouseClick(cerca, Qt::LeftButton);
        QCOMPARE(cerca->text(), QString());
    }

    // Enter in the symptom box acts as a click on the entry it selected,
    // and only when the typed text matches it.
    void enterInTheSymptomBoxOpensTheSelectedEntry() {
        TFoSintom1 window;
        window.show();
        auto* cerca = window.findChild<SearchBox*>("EdCerca");
        QTest::keyClicks(cerca, "cefalez");
        QVERIFY(cerca->noMatch());
        QTest::keyClick(cerca, Qt::Key_Return);
        QCOMPARE(filledRows(&window), 0);
        QTest::keyClick(cerca, Qt::Key_Backspace);
        QTest::keyClick(cerca, Qt::Key_Return);
        QCOMPARE(text(&window, "EdDist"), QString("Cefalea"));
        QCOMPARE(filledRows(&window), 14);
    }

    // A pick in the drop-down puts the entry in the box and, in the symptom
    // window, opens it as Enter would.
    void dropDownPickOpensTheSymptom() {
        TFoSintom1 window;
        window.show();
        auto* cerca = window.findChild<SearchBox*>("EdCerca");
        QTest::keyClicks(cerca, "fonia");
        QVERIFY(cerca->dropDownVisible());
        auto* popup = QApplication::activePopupWidget() ? qobject_cast<QAbstractItemView*>(QApplication::activePopupWidget())
                                                          : nullptr;
        if (!popup) QSKIP("no pop-up window on this platform");
        picture(popup, "TFoSintom1_dropdown");
        popup->setCurrentIndex(popup->model()->index(0, 0));
        QTest::keyClick(popup, Qt::Key_Return);
        QCOMPARE(cerca->text(), QString("Afonia"));
        QCOMPARE(text(&window, "EdDist"), QString("Afonia"));
        QCOMPARE(filledRows(&window), 14);
    }

    // Every consultation box compares folded keys: case, accents, blanks
    // and punctuation do not count; a text nothing matches is said so and
    // selects nothing; a text only contained, or near, is offered below.
    void cercaComparesFoldedKeysInEveryWindow() {
        struct Case {
            const char* window;
            const char* typed;
            QString selected;
            QStringList dropDown;
            bool noMatch;
        };
        const Case cases[] = {
            {"TFoSintom1", "CEF", "Cefalea", {}, false},
            {"TFoSintom1", "  capo ", "Capogiro", {}, false},
            {"TFoSintom1", "USO 2", "Uso 2", {}, false},
            {"TFoSintom1", "fonia", "", {"Afonia"}, false},
            {"TFoSintom1", "cefaela", "", {"Cefalea"}, true},
            {"TFoSintom1", "zzzz", "", {}, true},
            {"TFoRimed", "ipe", "Iperico (2)", {}, false},
            {"TFoRimed", "IPERICO 2", "Iperico (2)", {}, false},
            {"TFoRimed", "msa \u00F2rtica", "MSA Ortica", {}, false},
            {"TFoTerapi", "tos", "Tosse", {}, false},
            {"TFoTerapi", "FEBBRE.", "Febbre", {}, false},
            {"TFoTerapi", "cefalea", "", {}, true},
            {"TFoTerCom", "to", "Tosse", {}, false},
            {"TFoRicCom", "ASTE", "Astenia", {}, false},
        };
        for (const Case& c : cases) {
            std::unique_ptr<QDialog> window;
            const QString name(c.window);
            if (name == "TFoSintom1") window = std::make_unique<TFoSintom1>();
            else if (name == "TFoRimed") window = std::make_unique<TFoRimed>();
            else if (name == "TFoTerapi") window = std::make_unique<TFoTerapi>();
            else if (name == "TFoTerCom") window = std::make_unique<TFoTerCom>();
            else window = std::make_unique<TFoRicCom>();
            window->show();
            auto* cerca = window->findChild<SearchBox*>(name == "TFoTerapi" ? "EditCerca" : "EdCerca");
            QVERIFY(cerca);
            typeText(cerca, QString::fromUtf8(c.typed));
            const QListWidgetItem* item = window->findChild<QListWidget*>("ListBox1")->currentItem();
            const QString where = name + " " + c.typed;
            QVERIFY2((item ? item->text() : QString()) == c.selected, qPrintable(where));
            QVERIFY2(cerca->dropDownTexts() == c.dropDown, qPrintable(where + ": " + cerca->dropDownTexts().join(",")));
            QVERIFY2(cerca->dropDownVisible() == !c.dropDown.isEmpty(), qPrintable(where));
            QVERIFY2(cerca->noMatch() == c.noMatch, qPrintable(where));
            QVERIFY2(cerca->message() == (c.noMatch ? QString("Nessuna voce trovata") : QString()), qPrintable(where));
            QVERIFY2((cerca->palette().color(QPalette::Text) == QColor(0xc0, 0, 0)) == c.noMatch, qPrintable(where));
            if (QString(c.typed) == "zzzz") picture(window.get(), "TFoSintom1_nessuna_voce");
        }
    }

    // The shipped warnings are on view whole in the remedy window: Iperico's
    // (its sentence on drug interactions included) and the longest of all.
    void shippedWarningsAreWhollyOnView() {
        test::TempDataDir shipped(true);
        TFoRimed window;
        window.show();
        auto* list = window.findChild<QListWidget*>("ListBox1");
        auto* cerca = window.findChild<SearchBox*>("EdCerca");
        QTest::keyClicks(cerca, "tsa iperico");
        QVERIFY(list->currentItem());
        clickEntry(list, list->currentRow());
        auto* warnings = window.findChild<WarningsBox*>("EdAvve");
        QApplication::processEvents();
        QVERIFY(warnings->text().contains("farmaci"));
        QCOMPARE(warnings->verticalScrollBar()->maximum(), 0);
        QCOMPARE(warnings->document()->lineCount(), warnings->shownLines()); // every line on view
        QVERIFY(warnings->shownLines() > 1);
        picture(&window, "TFoRimed_Iperico");

        std::string longest;
        for (const auto& [name, w] : remedies::remedyWarnings(dataDir()))
            if (w.size() > longest.size()) longest = w;
        warnings->setText(QString::fromLatin1(longest.c_str()));
        QApplication::processEvents();
        QCOMPARE(warnings->verticalScrollBar()->maximum(), 0);
        QCOMPARE(warnings->document()->lineCount(), warnings->shownLines());
    }

    void remedyPagesVariantLineAndUseNumber() {
        TFoRimed window;
        window.show();
        auto* list = window.findChild<QListWidget*>("ListBox1");
        clickEntry(list, listRow(list, "MSA Ortica"));
        QCOMPARE(filledRows(&window), 14);
        QCOMPARE(text(&window, "Edit1"), QString("1/2"));
        QVERIFY(red(&window));
        QCOMPARE(window.findChild<QLabel*>("LabSpeci")->text(), QString("(Macerato Spagirico-Alchemico)"));
        QCOMPARE(window.findChild<QPlainTextEdit*>("EdAvve")->toPlainText(),
                 QString("Non \u00E8 stato finora necessario prescrivere Avvertenze"));
        press(&window, "BBseguito");
        QCOMPARE(filledRows(&window), 6);
        picture(&window, "TFoRimed");

        const int variant = listRow(list, "Ortica (MSA)" + QString(58, ' ') + "MSA Ortica");
        QVERIFY(variant >= 0);
        clickEntry(list, variant);
        QCOMPARE(filledRows(&window), 14);
        QCOMPARE(text(&window, "EdD14"), QString("Uso 14"));
        QCOMPARE(window.findChild<QLabel*>("LabSpeci")->text(), QString("(Macerato Spagirico-Alchemico)"));
        QVERIFY(!window.findChild<QLabel*>("MemoPare")->isVisible());

        clickEntry(list, listRow(list, "Iperico (2)"));
        QVERIFY(window.findChild<QLabel*>("MemoPare")->isVisible());
        press(&window, "SB1");
        QCOMPARE(window.findChild<QLabel*>("LabNote")->text(), QString("Iperico (2) - Posologia"));
    }

    void therapyNoteCycle() {
        TFoTerapi window;
        window.show();
        auto* list = window.findChild<QListWidget*>("ListBox1");
        QCOMPARE(listed(list), (QStringList{"Febbre", "Tosse"}));
        clickEntry(list, 1);
        QCOMPARE(text(&window, "EdPato"), QString("Tosse"));
        QCOMPARE(text(&window, "EdD1"), QString("5 gocce"));
        auto* label = window.findChild<QLabel*>("LabNote");
        auto* memo = window.findChild<QPlainTextEdit*>("MemoNote");
        press(&window, "SB1");
        QCOMPARE(label->text(), QString("Note su Iperico (2) / Tosse"));
        QCOMPARE(memo->toPlainText(), QString("Al mattino."));
        press(&window, "SB1");
        QCOMPARE(label->text(), QString("Iperico (2) - Avvertenze"));
        QCOMPARE(memo->toPlainText(), QString("Il Database Primario non contempla Avvertenze per l'uso di questo Rimedio"));
        press(&window, "SB1");
        QCOMPARE(label->text(), QString("Note su Iperico (2) / Tosse"));
        press(&window, "SB2");
        QCOMPARE(memo->toPlainText(), QString("Nessuna Nota registrata per questa combinazione Patologia-Rimedio"));
        press(&window, "SB2");
        QCOMPARE(label->text(), QString("Assente non \u00E8 stato rintracciato nel Database Primario"));
        QCOMPARE(memo->toPlainText(), QString());
        QTest::mouseDClick(window.findChild<QLineEdit*>("EdD1"), Qt::LeftButton);
        QVERIFY(window.findChild<QPlainTextEdit*>("MemoZoom")->isVisible());
        picture(&window, "TFoTerapi");
    }

    void compositeRankingDetailAndSlots() {
        TFoRicCom window;
        window.show();
        auto* list = window.complaints();
        for (const char* symptom : {"Astenia", "Bruciore", "Capogiro"}) clickEntry(list, listRow(list, symptom));
        QCOMPARE(text(&window, "Ed03"), QString("Capogiro"));
        auto* search = window.findChild<QPushButton*>("BBricerca");
        QVERIFY(search->isEnabled());
        QTest::mouseClick(search, Qt::LeftButton);
        QCOMPARE(listed(window.results()), (QStringList{"02 X", "01 Y"}));

        clickEntry(window.results(), 0);
        clickEntry(window.results(), 1);
        const QStringList memo = window.findChild<QPlainTextEdit*>("Memo1")->toPlainText().split('\n');
        const QString separator = "            =======\u00A7\u00A7\u00A7\u00A7\u00A7\u00A7\u00A7=======";
        QCOMPARE(memo, (QStringList{"= Astenia", "- ", "= Capogiro", "- ", separator, "= Bruciore", "- ", separator}));
        QVERIFY(window.findChild<QLineEdit*>("Ed02")->styleSheet().contains("254, 226, 186"));
        QVERIFY(window.findChild<QLineEdit*>("Ed01")->styleSheet().contains("192, 192, 192"));
        picture(&window, "TFoRicCom");

        for (const char* x : {"BB01", "BB02"}) press(&window, x);
        QVERIFY(search->isEnabled());
        press(&window, "BB03");  // the last occupied slot
        QVERIFY(!search->isEnabled());
        QCOMPARE(window.results()->count(), 0);
        QVERIFY(window.findChild<QPlainTextEdit*>("Memo1")->toPlainText().isEmpty());
    }

    void trovaStepsThroughMatches() {
        TFoRicCom window;
        window.show();
        auto* list = window.complaints();
        const QStringList entries = listed(list);
        QStringList hits;
        for (int i = 0; i < entries.size(); ++i)
            if (entries[i].contains("uso", Qt::CaseInsensitive)) hits << QString::number(i);
        QVERIFY(hits.size() >= 2);
        auto* cerca = window.findChild<QLineEdit*>("EdCerca");
        QTest::keyClicks(cerca, "uso 1");  // "Uso 1", "Uso 10" … "Uso 19"
        const QString first = QString::number(listRow(list, "Uso 1"));
        press(&window, "BBtrova");
        QCOMPARE(list->currentItem()->text(), QString("Uso 1"));
        press(&window, "BBtrova");
        QCOMPARE(list->currentItem()->text(), QString("Uso 10"));
        for (int i = 0; i < 9; ++i) press(&window, "BBtrova");  // Uso 11 … Uso 19
        QCOMPARE(list->currentItem()->text(), QString("Uso 19"));
        press(&window, "BBtrova");  // no further entry: back to entry 0
        QCOMPARE(list->currentRow(), 0);
        press(&window, "BBtrova");
        QCOMPARE(list->currentRow(), 0);
        QTest::mouseClick(cerca, Qt::LeftButton);  // a click into Cerca starts again
        QTest::keyClicks(cerca, "uso 1");
        press(&window, "BBtrova");
        QCOMPARE(QString::number(list->currentRow()), first);
    }

    void compositeTherapy() {
        TFoTerCom window;
        window.show();
        auto* list = window.complaints();
        QCOMPARE(listed(list), (QStringList{"Febbre", "Tosse"}));
        clickEntry(list, 0);
        clickEntry(list, 1);
        press(&window, "BBricerca");
        QCOMPARE(listed(window.results()), (QStringList{"02 Iperico (2)", "01 Assente"}));
        clickEntry(window.results(), 0);
        QVERIFY(window.findChild<QPlainTextEdit*>("Memo1")->toPlainText().startsWith("= Tosse\n- 5 gocce\n= Febbre"));
        picture(&window, "TFoTerCom");
    }

    void manyMatchesArePagedNotLost() {
        std::vector<remedies::RemedyRecord> records;
        for (int i = 0; i < 150; ++i) records.push_back(remedy("R" + std::to_string(i), "Tosse"));
        test::writeRemedyDatabase(dataDir(), records);
        remedies::rebuildSupportLists(dataDir());
        TFoSintom1 window;
        window.show();
        clickEntry(window.findChild<QListWidget*>("ListBox1"), 0);
        QCOMPARE(text(&window, "Edit1"), QString("1/11"));
        for (int i = 0; i < 10; ++i) press(&window, "BBseguito");
        QCOMPARE(text(&window, "Edit1"), QString("11/11"));
        QCOMPARE(filledRows(&window), 10);
        QCOMPARE(text(&window, "EdP10"), QString("R149"));
    }

    void missingListIsReported() {
        std::filesystem::remove(dataDir().resolve(remedies::files::kSymptomList));
        TFoSintom1 window;
        window.show();
        QCOMPARE(boxes_->shown.size(), std::size_t{1});
        QVERIFY(boxes_->shown.back().text.contains("OpzioneH\\Sintomi.txt"));
    }
};

QV_WINDOW_TEST(RemedyWindowsTest)
} // namespace remedy_windows_test
#include "remedy_windows_test.moc"
