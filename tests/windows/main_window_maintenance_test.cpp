// The main window's controls of the remedy database maintenance: which
// appear in administrator mode, and the windows they open with the editing
// controls that mode allows.
#include "archive/data_directory_startup.h"
#include "base/data_dir.h"
#include "base/ui/dialogs.h"
#include "settings/chart_settings.h"
#include "shell/access_modes.h"
#include "shell/ui/main_window.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include "tests/support/window_tests.h"

#include <QTest>
#include <QTimer>

using namespace qv;

namespace main_window_maintenance_test {

class MainWindowMaintenanceTest : public QObject {
    Q_OBJECT

    // Presses the button and returns the class of the window it opened and
    // whether that window showed the control `probe`.
    std::pair<QString, bool> open(TFoSpagyr& window, const char* button, const char* probe = "BBsalva") {
        QString opened;
        bool probeVisible = false;
        QTimer::singleShot(50, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = modal->metaObject()->className();
                auto* p = modal->findChild<QPushButton*>(probe);
                probeVisible = p && p->isVisible();
                modal->close();
            }
        });
        window.findChild<QPushButton*>(button)->click();
        return {opened, probeVisible};
    }

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>(false);
        prepareDataDirectory(dir_->path(), test::dataTemplateDir());
        test::writeZeroCorrectionTables(dir_->path());
        auto recorder = std::make_unique<RecordingDialogs>();
        previous_ = setDialogs(std::move(recorder));
        resetChartSettings();
        accessModes() = {};
    }
    void cleanup() {
        setDialogs(std::move(previous_));
        dir_.reset();
    }

    void administratorModeShowsTheMaintenanceControls() {
        TFoSpagyr window;
        window.show();
        window.FormActivate();
        auto* utility = window.findChild<QPushButton*>("BButility");
        QVERIFY(utility->isHidden());
        QVERIFY(window.findChild<QPushButton*>("BBmanutenzione")->isHidden());
        QCOMPARE(window.findChild<QPushButton*>("BBaggiorna")->toolTip(),
                 QString("Per aggiornare l'elenco Rimedi e relativo utilizzo"));
        QCOMPARE(open(window, "BBdatabase"), std::make_pair(QString("qv::TFoMainArc"), false));
        QCOMPARE(open(window, "BBrepertorio"), std::make_pair(QString("qv::TFoAggRep"), false));
        QCOMPARE(open(window, "BBaggiorna").first, QString("qv::TFoAggiorna"));

        QTest::mouseClick(window.findChild<QPushButton*>("BBcodice"), Qt::LeftButton);
        QTest::keyClicks(window.findChild<QLineEdit*>("EdPass"), "tavoscrin");
        QVERIFY(!utility->isHidden());
        QCOMPARE(open(window, "BBdatabase"), std::make_pair(QString("qv::TFoMainArc"), true));
        QCOMPARE(open(window, "BBrepertorio"), std::make_pair(QString("qv::TFoAggRep"), true));
        QCOMPARE(open(window, "BButility").first, QString("qv::TFoUtilit"));
        QCOMPARE(open(window, "BBmanutenzione").first, QString("qv::TFoManut1"));

        // A click on the code field hides the primary editor's saving controls again.
        window.EdPassClick();
        QCOMPARE(open(window, "BBdatabase"), std::make_pair(QString("qv::TFoMainArc"), false));
        QCOMPARE(open(window, "BBdatabase", "BBmodifEle"), std::make_pair(QString("qv::TFoMainArc"), true));
        QCOMPARE(open(window, "BBrepertorio"), std::make_pair(QString("qv::TFoAggRep"), true));
    }

private:
    std::unique_ptr<test::TempDataDir> dir_;
    std::unique_ptr<Dialogs> previous_;
};

QV_WINDOW_TEST(MainWindowMaintenanceTest)
} // namespace main_window_maintenance_test
#include "main_window_maintenance_test.moc"
