// How the signature windows and the linked panel are reached: the main
// window's buttons and hidden-mode buttons, and the analysis window's second
// click on a glyph, with the shipped remedy and plant databases.
#include "archive/data_directory_startup.h"
#include "archive/subject_registration.h"
#include "archive/archive_files.h"
#include "base/data_dir.h"
#include "base/ui/dialogs.h"
#include "display/display_scales.h"
#include "display/ui/analysis_window.h"
#include "display/ui/linked_remedies_panel.h"
#include "remedies/records.h"
#include "remedies/remedy_files.h"
#include "settings/chart_settings.h"
#include "shell/access_modes.h"
#include "shell/ui/main_window.h"
#include "tests/support/example_subject.h"
#include "tests/support/recorded_boxes.h"
#include "tests/support/temp_data_dir.h"
#include "tests/windows/list_clicks.h"
#include "tests/support/zero_tables.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include "tests/support/window_tests.h"

#include <QTest>
#include <QTimer>

using namespace qv;

namespace signature_wiring_test {
using qv::test::clickEntry;
using qv::test::listed;
using qv::test::listRow;
using qv::test::picture;

constexpr int kScreenWidth = 1024, kScreenHeight = 700;

class SignatureWiringTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;
    std::unique_ptr<test::RecordedBoxes> recorded_;
    RecordingDialogs* shown_ = nullptr;

    QString openWith(TFoSpagyr& main, const char* button) {
        QString opened;
        QTimer::singleShot(50, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = modal->metaObject()->className();
                modal->close();
            }
        });
        main.findChild<QPushButton*>(button)->click();
        return opened;
    }

    std::unique_ptr<TFgrSpagy> openAnalysis(bool plants) {
        auto w = std::make_unique<TFgrSpagy>();
        attachLinkedPanel(*w, plants);
        w->setWindowState(Qt::WindowNoState);
        w->resize(kScreenWidth, kScreenHeight);
        w->show();
        if (!QTest::qWaitFor([&] { return w->currentView().has_value(); }, 3000)) QTest::qFail("the analysis window showed no view", __FILE__, __LINE__);
        return w;
    }
    void click(TFgrSpagy& w, QPoint at) {
        QVERIFY(at.x() >= 0);
        QTest::mouseClick(w.findChild<QWidget*>("AreaDisegno"), Qt::LeftButton, {}, at);
    }

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>(false);
        prepareDataDirectory(dir_->path(), test::dataTemplateDir());
        test::writeZeroCorrectionTables(dir_->path());
        recorded_ = std::make_unique<test::RecordedBoxes>();
        shown_ = recorded_->recorder();
        resetChartSettings();
        accessModes() = {};
        setScreenScales(kScreenWidth, kScreenHeight);
        test::registerExampleSubject();
    }
    void cleanup() {
        accessModes() = {};
        recorded_.reset();
        dir_.reset();
    }

    // The main window keeps one analysis window: opened again after the
    // archetypal structure, it starts from that view; a chart view otherwise.
    void analysisWindowOpensAgainOnTheStructure() {
        TFoSpagyr main;
        main.show();
        std::optional<draw::AnalysisView> first[2];
        for (int round = 0; round < 2; ++round) {
            QTimer::singleShot(50, [&, round] {
                auto* w = qobject_cast<TFgrSpagy*>(QApplication::activeModalWidget());
                if (!w) return;
                if (!QTest::qWaitFor([&] { return w->currentView().has_value(); }, 3000)) QTest::qFail("the analysis window showed no view", __FILE__, __LINE__);
                first[round] = w->currentView();
                if (round == 0) w->findChild<QPushButton*>("BBarchetip")->click();
                w->findChild<QPushButton*>("BBprivato")->click();
            });
            main.findChild<QPushButton*>("BBmodello")->click();
        }
        QCOMPARE(first[0], std::optional(draw::AnalysisView::Chart));
        QCOMPARE(first[1], std::optional(draw::AnalysisView::ArchetypalStructure));
        QCOMPARE(main.findChildren<TFgrSpagy*>().size(), 1);
    }

    void mainWindowButtonsAndTheHiddenMode() {
        TFoSpagyr main;
        main.show();
        const std::pair<const char*, const char*> buttons[] = {{"BBsegnature", "qv::TFoSegnat"},
                                                               {"BBpiante", "qv::TFoPiante"},
                                                               {"BBdebilita", "qv::TFoMali"},
                                                               {"BBsintesi", "qv::TFoSintesi"}};
        for (auto [button, windowClass] : buttons) QCOMPARE(openWith(main, button), QString(windowClass));
        QCOMPARE(main.findChild<QPushButton*>("BBdebilita")->text(), QString::fromUtf8("Debilità Astrologiche / T"));
        for (const char* hidden : {"DevButton1", "DevButton2", "BBprincipi"})
            QVERIFY(main.findChild<QPushButton*>(hidden)->isHidden());

        QTest::mouseClick(main.findChild<QPushButton*>("BBcodice"), Qt::LeftButton);
        QTest::keyClicks(main.findChild<QLineEdit*>("EdPass"), "quernadil");
        QVERIFY(accessModes().hidden);
        main.findChild<QTabWidget*>("PageControl")->setCurrentIndex(1);
        picture(&main, "main_window_rimedi");
        QCOMPARE(openWith(main, "DevButton1"), QString("qv::TFoSintom3"));
        QCOMPARE(openWith(main, "DevButton2"), QString("qv::TFoSintom2"));
        QVERIFY(main.findChild<QPushButton*>("BBprincipi")->isHidden());
        QVERIFY(shown_->shown.empty());
    }

    void secondClickOnAGlyphOpensTheLinkedRemedies() {
        auto w = openAnalysis(false);
        auto* panel = w->findChild<PanelPianta*>("PanelPianta");
        QVERIFY(panel);

        // The Ascendant has no linked remedies: its second click opens nothing.
        click(*w, w->pointGlyphCentre(10));
        click(*w, w->pointGlyphCentre(10));
        QVERIFY(!w->linkedPanelShown());
        QVERIFY(panel->isHidden());

        click(*w, w->pointGlyphCentre(5));
        click(*w, w->pointGlyphCentre(5));
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->findChild<QLabel*>("LabPianta")->text(), QString("RIMEDI associabili a MARTE"));
        const auto mars = remedies::readNames(dataDir(), "OpzioneH\\MartPri.rnd", remedies::kRemedyNameWidth);
        auto* chooser = panel->findChild<QComboBox*>("ComboBoxPiante");
        QCOMPARE(chooser->count(), static_cast<int>(mars.size()));
        QVERIFY(chooser->count() > 0);
        QTest::mouseClick(panel->findChild<QAbstractButton*>("SpinDown"), Qt::LeftButton);
        QVERIFY(panel->findChild<QPlainTextEdit*>("Memo3")->toPlainText().startsWith("USI TRADIZIONALI di \n"));
        QVERIFY(panel->findChild<QPlainTextEdit*>("Memo4")->toPlainText().contains("Marte"));
        picture(w.get(), "TFgrSpagy_PanelPianta");

        click(*w, w->signGlyphCentre(1));
        click(*w, w->signGlyphCentre(1));
        QCOMPARE(panel->findChild<QLabel*>("LabPianta")->text(), QString("RIMEDI associabili all'ARIETE"));
        QVERIFY(shown_->shown.empty());
    }

    void hiddenModeListsPlants() {
        auto w = openAnalysis(true);
        auto* panel = w->findChild<PanelPianta*>("PanelPianta");
        click(*w, w->pointGlyphCentre(2));
        click(*w, w->pointGlyphCentre(2));
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->findChild<QLabel*>("LabPianta")->text(), QString("PIANTE associate alla LUNA"));
        auto* plants = panel->findChild<QListWidget*>("ListBoxPiante");
        QVERIFY(plants->isVisible());
        QVERIFY(plants->count() > 0);
        QTest::mouseClick(plants->viewport(), Qt::LeftButton, {}, plants->visualItemRect(plants->item(0)).center());
        QVERIFY(panel->findChild<QPlainTextEdit*>("Memo4")->toPlainText().startsWith("PIANTA: "));
        picture(w.get(), "TFgrSpagy_PanelPianta_piante");
        QVERIFY(shown_->shown.empty());
    }
};

QV_WINDOW_TEST(SignatureWiringTest)
} // namespace signature_wiring_test
#include "signature_wiring_test.moc"
