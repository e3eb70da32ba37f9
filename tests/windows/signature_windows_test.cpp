// The signature, debility, composition, synthesis and principles windows
// and the plant database windows, driven as a user would.
#include "base/data_dir.h"
#include "base/text_file.h"
#include "base/ui/dialogs.h"
#include "base/ui/search_box.h"
#include "remedies/remedy_files.h"
#include "remedies/support_lists.h"
#include "remedies/ui/plant_windows.h"
#include "remedies/ui/remedy_pages.h"
#include "remedies/ui/signature_windows.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/recorded_boxes.h"
#include "tests/support/temp_data_dir.h"
#include "tests/windows/list_clicks.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include "tests/support/window_tests.h"

#include <QTest>
#include <QToolButton>

using namespace qv;

namespace signature_windows_test {
using qv::test::clickEntry;
using qv::test::listed;
using qv::test::listRow;
using qv::test::picture;
using qv::test::remedy;
using qv::test::therapy;

QString text(QWidget* window, const char* name) {
    auto* e = window->findChild<QLineEdit*>(name);
    return e ? e->text() : QString("<%1?>").arg(name);
}

void press(QWidget* window, const char* name) { QTest::mouseClick(window->findChild<QAbstractButton*>(name), Qt::LeftButton); }

QStringList rowNames(QWidget* window) {
    QStringList out;
    for (int k = 1; k <= 14; ++k) out << window->findChild<QLineEdit*>(QString("EdP%1").arg(k))->text();
    while (!out.isEmpty() && out.back().isEmpty()) out.pop_back();
    return out;
}

bool red(QWidget* window) { return window->findChild<QLineEdit*>("Edit1")->styleSheet().contains("red"); }

remedies::PlantEntryRecord plant(const std::string& name, const std::string& symptom, const std::string& authors) {
    remedies::PlantEntryRecord e;
    e.pianta = name;
    e.sintomo = symptom;
    e.autori = authors;
    e.segnaturaPrimaria = "luna";
    e.segnaturaZodiacale = "Cancro";
    e.sintesi = "Accoglienza";
    return e;
}

class SignatureWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;
    std::unique_ptr<test::RecordedBoxes> recorded_;
    RecordingDialogs* boxes_ = nullptr;

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>();
        recorded_ = std::make_unique<test::RecordedBoxes>();
        boxes_ = recorded_->recorder();
        std::vector<remedies::RemedyRecord> records;
        // Fifteen remedies of Sole in Leone, one of them with Marte as its
        // secondary signature only.
        for (int i = 1; i <= 15; ++i) {
            remedies::RemedyRecord r = remedy(QString("Rimedio %1").arg(i, 2, 10, QChar('0')).toStdString(), "Cefalea",
                                              "Sole", "Leone");
            if (i == 7) r.segnaturaSecondaria = "Marte";
            r.setNotes(i == 2 ? "Fiori di Calendula e di Arnica" : "");
            r.setSynthesis(i == 2 ? "Calore e coraggio" : "abc");
            records.push_back(r);
        }
        records.push_back(remedy("Ortica", "Gotta", "Saturno", "Ariete"));
        records.push_back(remedy("Errore vecchio", "Gotta", "Saturno", "Ariete"));
        test::writeRemedyDatabase(dataDir(), records);
        test::writeRepertoryDatabase(dataDir(), {therapy("Artrosi", "Ortica"), therapy("Artrosi", "Rimedio 01")});
        remedies::rebuildSupportLists(dataDir());
    }
    void cleanup() {
        recorded_.reset();
        dir_.reset();
    }

    void signatureSearchPagesAndBrowsing() {
        TFoSegnat window;
        window.show();
        auto* list = window.findChild<QListWidget*>("ListBox2");
        QCOMPARE(list->count(), 17);  // the header's name, Ortica and fifteen; never the "Errore" record
        QCOMPARE(listRow(list, "Errore vecchio"), -1);

        // Qualsiasi and Qualsiasi: every name once, 17 hits over two pages.
        press(&window, "BBRicerca");
        QCOMPARE(text(&window, "EdTot"), QString("17"));
        QCOMPARE(text(&window, "Edit1"), QString("1/2"));
        QVERIFY(red(&window));
        press(&window, "BBAnticipo");
        QCOMPARE(text(&window, "Edit1"), QString("1/2"));
        press(&window, "BBseguito");
        QCOMPARE(rowNames(&window), (QStringList{"Rimedio 13", "Rimedio 14", "Rimedio 15"}));
        QVERIFY(!red(&window));
        QCOMPARE(readTextLines(dataDir().resolve(remedies::files::kSignatureHits)).size(), 17u * 4);

        // Marte only in a secondary signature.
        press(&window, "RBmar");
        QCOMPARE(text(&window, "EdPianeta"), QString("Marte"));
        press(&window, "BBRicerca");
        QCOMPARE(rowNames(&window), QStringList{"Rimedio 07"});
        QCOMPARE(text(&window, "EdE1"), QString("Marte"));
        QCOMPARE(text(&window, "EdTot"), QString("1"));

        press(&window, "RBsol");
        press(&window, "RBleo");
        press(&window, "BBRicerca");
        QCOMPARE(text(&window, "EdTot"), QString("15"));
        picture(&window, "TFoSegnat_ricerca");

        // A click leaves the search: fifteen clicks leave the fifteenth alone in row 1.
        for (int i = 1; i <= 15; ++i) clickEntry(list, listRow(list, QString("Rimedio %1").arg(i, 2, 10, QChar('0'))));
        QVERIFY(!window.searchMode());
        QCOMPARE(rowNames(&window), QStringList{"Rimedio 15"});
        QCOMPARE(text(&window, "EdTot"), QString());
        clickEntry(list, listRow(list, "Ortica"));
        QCOMPARE(rowNames(&window), (QStringList{"Rimedio 15", "Ortica"}));
        QCOMPARE(text(&window, "EdF2"), QString("Ariete"));
        picture(&window, "TFoSegnat");
        press(&window, "BBpulisci");
        QVERIFY(rowNames(&window).isEmpty());
    }

    // The signature window's box compares folded keys like every other.
    void signatureCercaComparesFoldedKeys() {
        TFoSegnat window;
        window.show();
        auto* list = window.findChild<QListWidget*>("ListBox2");
        auto* cerca = window.findChild<SearchBox*>("EditCerca");
        const struct {
            const char* typed;
            QString selected;
            bool noMatch;
        } cases[] = {{"ORT", "Ortica", false}, {"rimedio 07", "Rimedio 07", false}, {" rimedio  1", "Rimedio 10", false},
                     {"ortiga", "", true}};
        for (const auto& c : cases) {
            cerca->clearSearch();
            QTest::keyClicks(cerca, c.typed);
            QCOMPARE(list->currentItem() ? list->currentItem()->text() : QString(), c.selected);
            QCOMPARE(cerca->noMatch(), c.noMatch);
        }
        QCOMPARE(cerca->dropDownTexts(), QStringList{"Ortica"}); // the near entry
    }

    void debilitiesSearchTheOppositeSign() {
        TFoMali window;
        window.show();
        press(&window, "RBsat");
        press(&window, "RBari");  // captioned Bilancia
        QCOMPARE(window.findChild<QRadioButton*>("RBari")->text(), QString("Bilancia"));
        QCOMPARE(text(&window, "EdSegno"), QString("Bilancia"));
        press(&window, "BBRicerca");
        auto* pathologies = window.findChild<QListWidget*>("ListBox2");
        QCOMPARE(listed(pathologies), QStringList{"Artrosi"});
        QCOMPARE(text(&window, "EdTot"), QString("1"));
        clickEntry(pathologies, 0);
        QCOMPARE(listed(window.findChild<QListWidget*>("ListBox3")), (QStringList{">>> Ortica <<<", "Rimedio 01"}));
        picture(&window, "TFoMali");

        press(&window, "RBbil");  // captioned Ariete: searches Bilancia, which no remedy carries
        press(&window, "BBRicerca");
        QCOMPARE(pathologies->count(), 0);
        QCOMPARE(text(&window, "EdTot"), QString("0"));
    }

    void compositionAndSynthesisSearches() {
        TFoPiante plants;
        plants.show();
        auto* list = plants.findChild<QListWidget*>("ListBox2");
        clickEntry(list, listRow(list, "Rimedio 02"));
        QCOMPARE(plants.findChild<QLabel*>("LabNote")->text(), QString("Composizione di Rimedio 02"));
        QCOMPARE(plants.findChild<QPlainTextEdit*>("MemoNote")->toPlainText(), QString("Fiori di Calendula e di Arnica"));
        plants.findChild<QLineEdit*>("EditCerca")->setText("arnica");
        press(&plants, "BBcerca");
        auto* found = plants.findChild<QListWidget*>("ListBox3");
        QCOMPARE(listed(found), QStringList{"Rimedio 02"});
        clickEntry(found, 0);
        QCOMPARE(plants.findChild<QPlainTextEdit*>("MemoNote")->toPlainText(), QString("Fiori di Calendula e di ARNICA"));
        picture(&plants, "TFoPiante");
        plants.findChild<QLineEdit*>("EditCerca")->setText("mirra");
        press(&plants, "BBcerca");
        QCOMPARE(listed(found), QStringList{"**NESSUN RISULTATO**"});
        clickEntry(found, 0);
        QCOMPARE(plants.findChild<QLabel*>("LabNote")->text(), QString("Composizione del Rimedio"));

        TFoSintesi synthesis;
        synthesis.show();
        auto* names = synthesis.findChild<QListWidget*>("ListBox2");
        clickEntry(names, listRow(names, "Rimedio 03"));
        QCOMPARE(synthesis.findChild<QPlainTextEdit*>("MemoNote")->toPlainText(),
                 QString::fromUtf8("Non è riportata una Sintesi Psichica"));
        clickEntry(names, listRow(names, "Rimedio 02"));
        QCOMPARE(synthesis.findChild<QLabel*>("LabNote")->text(), QString("Sintesi Psichica di Rimedio 02"));
        picture(&synthesis, "TFoSintesi");
    }

    void principlesArchive() {
        std::vector<std::string> lines;
        for (int i = 0; i < 75; ++i) lines.push_back("principio " + std::to_string(i));
        writeTextLines(dataDir().prepareForWrite(remedies::files::kPrinciplesText), lines);
        TFoPrinci window;
        window.show();
        press(&window, "BBgenera");
        QCOMPARE(boxes_->shown.back().text, QString("Archivio Principi.sto generato: 15 record."));
        QVERIFY(window.findChild<QPlainTextEdit*>("MemoPrinci")->toPlainText().contains("PRINCIPIO 74"));
        QCOMPARE(test::fileBytes(dataDir(), remedies::files::kPrinciples).size(), 15u * 205);
        picture(&window, "TFoPrinci");
    }

    void plantWindowsBothWays() {
        std::vector<remedies::PlantEntryRecord> entries{remedies::PlantEntryRecord{}};
        entries.push_back(plant("", "Tosse", "vedi Catarro"));
        entries.push_back(plant("Altea", "Catarro", "Autori A"));
        entries.push_back(plant("Malva", "Catarro", "Autori M"));
        for (int i = 0; i < 30; ++i) entries.push_back(plant("Tiglio", "Sintomo " + std::to_string(100 + i), "T"));
        remedies::writePlantEntries(dataDir(), entries);
        remedies::rebuildSupportLists(dataDir());

        TFoSintom2 symptoms;
        symptoms.show();
        auto* list = symptoms.findChild<QListWidget*>("ListBox1");
        clickEntry(list, listRow(list, "Catarro"));
        QCOMPARE(symptoms.findChild<QListWidget*>("ListBoxPiante")->count(), 2);
        QCOMPARE(text(&symptoms, "EdPianta"), QString("Malva"));
        clickEntry(symptoms.findChild<QListWidget*>("ListBoxPiante"), 0);
        QCOMPARE(text(&symptoms, "EdAutori"), QString("Autori A"));
        picture(&symptoms, "TFoSintom2");
        // Enter in the "Cerca" box opens the symptom it selected.
        auto* cerca = symptoms.findChild<QLineEdit*>("EditCerca");
        QTest::mouseClick(cerca, Qt::LeftButton);
        QTest::keyClicks(cerca, "TOS");
        QTest::keyClick(cerca, Qt::Key_Return);
        QCOMPARE(symptoms.findChild<QListWidget*>("ListBoxPiante")->count(), 0);
        QVERIFY(symptoms.findChild<QLineEdit*>("EdAlternativa")->isVisible());
        QCOMPARE(text(&symptoms, "EdAlternativa"), QString("vedi Catarro"));

        TFoSintom3 plants;
        plants.show();
        auto* names = plants.findChild<QListWidget*>("ListBox1");
        QCOMPARE(listed(names), (QStringList{"Altea", "Malva", "Tiglio"}));
        clickEntry(names, 0);
        QVERIFY(!plants.findChild<QWidget*>("SpinButton1")->isVisible());
        clickEntry(names, 2);
        QCOMPARE(plants.findChild<QListWidget*>("ListBoxSintomi")->count(), 26);
        // The warnings of the remedies made from the plant (none in this database).
        QCOMPARE(plants.findChild<QPlainTextEdit*>("EdAvve")->toPlainText(),
                 QString("Nessuna Avvertenza registrata per i rimedi di questa pianta"));
        QVERIFY(plants.findChild<QWidget*>("SpinButton1")->isVisible());
        QCOMPARE(plants.findChild<QLabel*>("LabPagine")->text(), QString("Pagina 1/2"));
        press(&plants, "SpinDown");
        press(&plants, "SpinDown");
        QCOMPARE(plants.findChild<QLabel*>("LabPagine")->text(), QString("Pagina 2/2"));
        QCOMPARE(plants.findChild<QListWidget*>("ListBoxSintomi")->count(), 4);
        picture(&plants, "TFoSintom3");
        press(&plants, "SpinUp");
        QCOMPARE(plants.page(), 1);
    }
};

QV_WINDOW_TEST(SignatureWindowsTest)
} // namespace signature_windows_test
#include "signature_windows_test.moc"
