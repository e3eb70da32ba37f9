// The linked-remedies panel: from a planet or sign to its remedies (or, in
// the hidden mode, its plants), the symptoms of the chosen one, stepping,
// and the panel's own controls.
#include "base/data_dir.h"
#include "base/ui/dialogs.h"
#include "display/ui/linked_remedies_panel.h"
#include "remedies/remedy_files.h"
#include "remedies/support_lists.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/recorded_boxes.h"
#include "tests/support/temp_data_dir.h"
#include "tests/windows/list_clicks.h"

#include <QComboBox>
#include <QScrollBar>
#include <filesystem>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include "tests/support/window_tests.h"

#include <QTest>
#include <QToolButton>

using namespace qv;

namespace linked_panel_test {
using qv::test::clickEntry;
using qv::test::listed;
using qv::test::listRow;
using qv::test::picture;
using qv::test::remedy;

QStringList memoLines(PanelPianta& panel, const char* name) {
    return panel.findChild<QPlainTextEdit*>(name)->toPlainText().split('\n');
}

void press(QWidget* w, const char* name) { QTest::mouseClick(w->findChild<QAbstractButton*>(name), Qt::LeftButton); }

remedies::PlantEntryRecord plant(const std::string& name, const std::string& symptom) {
    remedies::PlantEntryRecord e;
    e.pianta = name;
    e.sintomo = symptom;
    e.segnaturaPrimaria = "luna";
    e.sintesi = "Quiete";
    return e;
}

class LinkedPanelTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;
    std::unique_ptr<test::RecordedBoxes> recorded_;
    RecordingDialogs* boxes_ = nullptr;

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>(true);  // with the shipped pictures
        recorded_ = std::make_unique<test::RecordedBoxes>();
        boxes_ = recorded_->recorder();
        remedies::RemedyRecord first = remedy("Rosa", "Tosse", "Venere", "Toro");
        first.segnaturaSecondaria = "Luna";
        test::writeRemedyDatabase(dataDir(), {first, remedy("Rosa", "Ansia", "Sole"), remedy("Malva", "Febbre", "Venere"),
                                              remedy("Rosa", "cefalea"), remedy("Rosa", "Insonnia"), remedy("Rosa", "Asma"),
                                              remedy("Viola", "Rossore", "Venere")});
        test::writeRepertoryDatabase(dataDir(), {});
        remedies::rebuildSupportLists(dataDir());
    }
    void cleanup() {
        recorded_.reset();
        dir_.reset();
    }

    void pointsWithoutRemediesOpenNoPanel() {
        PanelPianta panel;
        QVERIFY(!panel.ShowLinkedRemedies({false, 10}));  // Ascendant
        QVERIFY(!panel.ShowLinkedRemedies({false, 11}));  // Medium Coeli
        QVERIFY(panel.isHidden());
        panel.setPlantsMode(true);
        QVERIFY(!panel.ShowLinkedRemedies({false, 8}));   // no plants of the nodes
        QVERIFY(panel.isHidden());
    }

    void planetRemediesSymptomsAndStepping() {
        PanelPianta panel;
        QVERIFY(panel.ShowLinkedRemedies({false, 4}));
        QVERIFY(panel.isVisible());
        QCOMPARE(panel.findChild<QLabel*>("LabPianta")->text(), QString("RIMEDI associabili a VENERE"));
        auto* chooser = panel.findChild<QComboBox*>("ComboBoxPiante");
        QCOMPARE(chooser->count(), 3);  // Malva, Rosa, Viola
        QVERIFY(panel.findChild<QListWidget*>("ListBoxPiante")->isHidden());

        press(&panel, "SpinDown");
        press(&panel, "SpinDown");
        QCOMPARE(panel.chosenIndex(), 1);
        QCOMPARE(memoLines(panel, "Memo3"), (QStringList{"USI TRADIZIONALI di ", "Rosa", "Ansia", "Asma", "cefalea",
                                                         "Insonnia", "Tosse"}));
        QCOMPARE(memoLines(panel, "Memo4"), (QStringList{"RIMEDIO: Rosa", "SEGNATURA PRIMARIA: Venere",
                                                         "SEGNATURA SECONDARIA: Luna", "SEGNATURA ZODIACALE: Toro",
                                                         "AVVERTENZE: Non \u00E8 stato finora necessario prescrivere Avvertenze"}));
        picture(&panel, "PanelPianta");
        press(&panel, "SpinDown");
        press(&panel, "SpinDown");  // already at the last entry
        QCOMPARE(panel.chosenIndex(), 2);
        QCOMPARE(memoLines(panel, "Memo4").first(), QString("RIMEDIO: Viola"));
        press(&panel, "SpinUp");
        QCOMPARE(panel.chosenIndex(), 1);

        // A name that left the database shows the two heading lines alone.
        remedies::writeRecords(dataDir(), "OpzioneH\\VenePri.rnd", {remedies::encodeName("Assente", 50)});
        QVERIFY(panel.ShowLinkedRemedies({false, 4}));
        press(&panel, "SpinDown");
        QCOMPARE(memoLines(panel, "Memo3"), (QStringList{"USI TRADIZIONALI di ", "Assente"}));
        QCOMPARE(panel.findChild<QPlainTextEdit*>("Memo4")->toPlainText(), QString());
    }

    // Iperico among the Sun's remedies, with the shipped database: its
    // whole warning is in the details, with nothing to scroll.
    void shippedIpericoWarningsInTheDetails() {
        test::TempDataDir shipped(true);
        PanelPianta panel;
        QVERIFY(panel.ShowLinkedRemedies({false, 1}));
        auto* chooser = panel.findChild<QComboBox*>("ComboBoxPiante");
        const int iperico = chooser->findText("Iperico", Qt::MatchContains);
        QVERIFY(iperico >= 0);
        panel.ShowRemedySymptoms(iperico);
        QApplication::processEvents();
        auto* details = panel.findChild<QPlainTextEdit*>("Memo4");
        const QString last = memoLines(panel, "Memo4").last();
        QVERIFY2(last.startsWith("AVVERTENZE: ") && last.contains("farmaci"), qPrintable(last));
        QCOMPARE(details->verticalScrollBar()->maximum(), 0);
        picture(&panel, "PanelPianta_Iperico");
    }

    void hiddenModeListsPlants() {
        remedies::writePlantEntries(dataDir(), {remedies::PlantEntryRecord{}, plant("Melissa", "Insonnia"),
                                                plant("Tiglio", "Tosse"), plant("Melissa", "Ansia")});
        remedies::writeRecords(dataDir(), "OpzioneS\\LunaPri.rnd",
                               remedies::namesFromRecordOne({"Melissa", "Tiglio"}, remedies::kPlantNameWidth));
        PanelPianta panel;
        panel.setPlantsMode(true);
        QVERIFY(panel.ShowLinkedRemedies({false, 2}));
        QCOMPARE(panel.findChild<QLabel*>("LabPianta")->text(), QString("PIANTE associate alla LUNA"));
        auto* plants = panel.findChild<QListWidget*>("ListBoxPiante");
        QVERIFY(plants->isVisible());
        QCOMPARE(plants->count(), 2);
        QCOMPARE(plants->item(0)->text(), QString("Melissa"));
        QTest::mouseClick(plants->viewport(), Qt::LeftButton, {}, plants->visualItemRect(plants->item(0)).center());
        QCOMPARE(memoLines(panel, "Memo3"), (QStringList{"USI TRADIZIONALI di Melissa", "Insonnia", "Ansia"}));
        QCOMPARE(memoLines(panel, "Memo4").last(), QString("SINTESI PSICHICA: Quiete"));
        picture(&panel, "PanelPianta_piante");
    }

    void fontExpandCloseAndAMissingList() {
        PanelPianta panel;
        QVERIFY(panel.ShowLinkedRemedies({true, 2}));  // Toro
        QCOMPARE(panel.findChild<QLabel*>("LabPianta")->text(), QString("RIMEDI associabili al TORO"));
        press(&panel, "BBFontPianta");
        QCOMPARE(panel.fontPoints(), 10);
        QCOMPARE(panel.findChild<QPushButton*>("BBFontPianta")->text(), QString("Font -"));
        press(&panel, "BBFontPianta");
        QCOMPARE(panel.findChild<QPushButton*>("BBFontPianta")->text(), QString("Font +"));

        const int reduced = panel.height();
        auto* memo = panel.findChild<QPlainTextEdit*>("Memo3");
        QTest::mouseDClick(memo->viewport(), Qt::LeftButton);
        QVERIFY(panel.expanded());
        QCOMPARE(panel.findChild<QPushButton*>("BBsuGiu")->text(), QString("Riduci"));
        QVERIFY(panel.height() > reduced);
        QCOMPARE(panel.height() - reduced, memo->height() - 180);  // the memo takes the growth
        press(&panel, "BBsuGiu");
        QCOMPARE(panel.height(), reduced);
        QCOMPARE(panel.findChild<QPushButton*>("BBsuGiu")->text(), QString("Espandi"));

        std::filesystem::remove(dataDir().resolve("OpzioneH\\Gemelli.rnd"));
        QVERIFY(panel.ShowLinkedRemedies({true, 3}));
        QCOMPARE(boxes_->shown.size(), 1u);
        QVERIFY(boxes_->shown.back().text.contains("Gemelli.rnd"));
        press(&panel, "BBchiudiPianta");
        QVERIFY(panel.isHidden());
    }
};

QV_WINDOW_TEST(LinkedPanelTest)
} // namespace linked_panel_test
#include "linked_panel_test.moc"
