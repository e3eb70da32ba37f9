// The circle calibration window, driven as a user would: the scroll bars
// follow the factors of the display settings and write them back, "Reset"
// puts both to 1, the panel keeps its size in millimetres, the test figure
// appears a moment after opening and closing puts the chart settings back.
#include "display/display_scales.h"
#include "display/ui/calibration_window.h"
#include "settings/chart_settings.h"
#include "settings/display_settings.h"
#include "tests/support/temp_data_dir.h"

#include <QImage>
#include <QPushButton>
#include <QScrollBar>
#include "tests/support/window_tests.h"

#include <QTest>

using namespace qv;

namespace calibration_window_test {

class CalibrationWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() { setScreenScales(1000, 700); }  // 3.33 pixels per millimetre

    void barsFollowAndWriteTheFactors() {
        test::TempDataDir dir;
        DisplaySettings s;
        s.scaleX = 0.9L;
        s.scaleY = 1.15L;
        s.backupFolder = "/media/chiavetta";
        writeDisplaySettings(s);
        TFgrTxtSpa window;
        auto* h = window.findChild<QScrollBar*>("ScrollBarH");
        auto* v = window.findChild<QScrollBar*>("ScrollBarV");
        QCOMPARE(h->minimum(), -200);
        QCOMPARE(h->maximum(), 200);
        QCOMPARE(h->value(), 100);   // round((1 − 0.9) × 1000)
        QCOMPARE(v->value(), -150);
        h->setValue(-50);
        QCOMPARE(static_cast<double>(readDisplaySettings().scaleX), 1.05);
        v->setValue(200);
        const DisplaySettings written = readDisplaySettings();
        QCOMPARE(static_cast<double>(written.scaleY), 0.8);
        QCOMPARE(written.backupFolder, std::string("/media/chiavetta"));  // the other lines as they were

        QTest::mouseClick(window.findChild<QPushButton*>("BBreset"), Qt::LeftButton);
        QCOMPARE(h->value(), 0);
        QCOMPARE(v->value(), 0);
        QCOMPARE(readDisplaySettings().scaleX, 1.0L);
        QCOMPARE(readDisplaySettings().scaleY, 1.0L);
    }

    void panelStaysSeventyMillimetresSquareThroughTheFactors() {
        test::TempDataDir dir;
        writeDisplaySettings(DisplaySettings{});
        TFgrTxtSpa window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* panel = window.findChild<QWidget*>("Panel1");
        const double scale = 1000 / 210.0 * 0.7;
        QCOMPARE(panel->width(), qRound(70 * scale));
        QCOMPARE(panel->x(), qRound(105 * scale));
        window.findChild<QScrollBar*>("ScrollBarH")->setValue(200);  // factor 0.8: wider
        QCOMPARE(panel->width(), qRound(70 / 0.8 * scale));
        QVERIFY(qAbs(panel->x() - 105 / 0.8 * scale) <= 1);
        QCOMPARE(panel->height(), qRound(70 * scale));
    }

    void testFigureAppearsAfterOpeningAndClosingReloadsTheChartSettings() {
        test::TempDataDir dir(true);
        writeDisplaySettings(DisplaySettings{});
        TFgrTxtSpa window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.figureShown());
        QTRY_VERIFY_WITH_TIMEOUT(window.figureShown(), 2000);
        // The yellow frame of the sheet is on the window.
        const QImage shot = window.grab().toImage();
        bool yellow = false;
        for (int x = 0; x < shot.width() && !yellow; ++x) {
            const QColor c = shot.pixelColor(x, qRound(101.6 * 1000 / 210.0 * 0.7));
            yellow = c.red() > 100 && c.green() > 100 && c.blue() < 40;
        }
        QVERIFY(yellow);

        chartSettings() = ChartSettings{};
        QTest::mouseClick(window.findChild<QPushButton*>("BBritorna"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QVERIFY(chartSettings().loaded);
        QCOMPARE(chartSettings().houseSystem, std::string("CASE_MEDIE"));
    }
};

QV_WINDOW_TEST(CalibrationWindowTest)
} // namespace calibration_window_test
#include "calibration_window_test.moc"
