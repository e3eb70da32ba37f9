// The "Transiti" window on the example subject (the list of a month, a
// contact's wheel, a solar return's wheel) and the "Calendario spagirico"
// window (a day of hours in Milan, a planet's and a remedy's hours, the
// iCalendar file, a place the atlas does not know).
#include "chart/chart_computation.h"
#include "settings/chart_settings.h"
#include "tests/support/example_subject.h"
#include "tests/support/recorded_boxes.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/window_tests.h"
#include "timing/birthplace_clock.h"
#include "timing/icalendar.h"
#include "timing/transit_orbs.h"
#include "timing/ui/calendar_window.h"
#include "timing/ui/transits_window.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace qv;

namespace timing_windows_test {

// Whether a picture shows something besides its black background.
bool drawn(const QPixmap& pixmap) {
    if (pixmap.isNull()) return false;
    const QImage image = pixmap.toImage();
    int lit = 0;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            if (image.pixelColor(x, y) != Qt::black) ++lit;
    return lit > 200;
}

class TimingWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;
    std::unique_ptr<test::RecordedBoxes> boxes_;

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>(true);
        boxes_ = std::make_unique<test::RecordedBoxes>();
        test::registerExampleSubject();
        LoadActiveOrbs();
        computeChart();
    }
    void cleanup() {
        boxes_.reset();
        dir_.reset();
    }

    void transitsOfAMonthAndTheirWheels() {
        TFoTransiti w(chartState(), timing::birthplaceClock("MILANO (MI)", "ITALIA", -2), "ROSSI MARIA");
        w.resize(1200, 640);
        w.show();
        w.findChild<QDateEdit*>("EdDal")->setDate(QDate(2026, 3, 1));
        w.findChild<QDateEdit*>("EdAl")->setDate(QDate(2026, 3, 31));
        QTest::mouseClick(w.findChild<QPushButton*>("BBcalcola"), Qt::LeftButton);
        auto* list = w.findChild<QTreeWidget*>("ListTransiti");
        QVERIFY(boxes_.get()->last().isEmpty());
        QVERIFY(list->topLevelItemCount() > 10);
        QCOMPARE(static_cast<std::size_t>(list->topLevelItemCount()), w.contacts().size());
        for (std::size_t i = 1; i < w.contacts().size(); ++i)
            QVERIFY(w.contacts()[i - 1].sortKey <= w.contacts()[i].sortKey);
        // Without "Anche la Luna" the Moon is left out.
        for (const auto& c : w.contacts()) QVERIFY(c.body != 2);
        QVERIFY(w.findChild<QLabel*>("LabStato")->text().contains("Luminari 2"));
        // The orbs used are kept as the practitioner's setting.
        QCOMPARE(timing::readTransitOrbs(), timing::TransitOrbs{});
        w.findChild<QDoubleSpinBox*>("SpinOrbo3")->setValue(1.5);
        QTest::mouseClick(w.findChild<QPushButton*>("BBcalcola"), Qt::LeftButton);
        QCOMPARE(timing::readTransitOrbs().degrees[3], 1.5L);
        QVERIFY(w.findChild<QLabel*>("LabStato")->text().contains("Lenti 1.50"));

        auto* wheel = w.findChild<QLabel*>("AreaRuota");
        QVERIFY(wheel->pixmap().isNull());
        list->setCurrentItem(list->topLevelItem(0));
        emit list->itemClicked(list->topLevelItem(0), 0);
        QVERIFY(drawn(wheel->pixmap()));
        const QImage contactWheel = wheel->pixmap().toImage();

        w.findChild<QSpinBox*>("SpinAnno")->setValue(2026);
        QTest::mouseClick(w.findChild<QPushButton*>("BBrivoluzione"), Qt::LeftButton);
        QVERIFY(boxes_.get()->last().isEmpty());
        QVERIFY(w.findChild<QLabel*>("LabStato")->text().contains("Rivoluzione solare 2026: "));
        QVERIFY(drawn(wheel->pixmap()));
        QVERIFY(wheel->pixmap().toImage() != contactWheel);

        // The return's wheel on paper.
        const std::filesystem::path pdf = dir_->path() / "rivoluzione.pdf";
        w.saveWheel(pdf.string());
        QVERIFY(std::filesystem::file_size(pdf) > 2000);
        std::ifstream in(pdf, std::ios::binary);
        std::string head(5, ' ');
        in.read(head.data(), 5);
        QCOMPARE(QString::fromStdString(head), QString("%PDF-"));
    }

    void aPeriodBackwardsIsRefused() {
        TFoTransiti w(chartState(), timing::LocalClock::fixed(-2), "ROSSI MARIA");
        w.findChild<QDateEdit*>("EdDal")->setDate(QDate(2026, 3, 31));
        w.findChild<QDateEdit*>("EdAl")->setDate(QDate(2026, 3, 1));
        QTest::mouseClick(w.findChild<QPushButton*>("BBcalcola"), Qt::LeftButton);
        QVERIFY(boxes_.get()->last().contains("precede"));
        QCOMPARE(w.findChild<QTreeWidget*>("ListTransiti")->topLevelItemCount(), 0);
    }

    void aDayOfHoursAPlanetsHoursAndTheirCalendarFile() {
        TFoCalendario w("MILANO (MI)", "45N28-009E11", -1);
        w.show();
        w.findChild<QDateEdit*>("EdDal")->setDate(QDate(2026, 11, 2));
        w.findChild<QDateEdit*>("EdAl")->setDate(QDate(2026, 11, 3));
        auto* calcola = w.findChild<QPushButton*>("BBcalcola");
        QTest::mouseClick(calcola, Qt::LeftButton);
        QVERIFY(boxes_.get()->last().isEmpty());
        auto* list = w.findChild<QTreeWidget*>("ListCalendario");
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(0)->childCount(), 24);
        QVERIFY(list->topLevelItem(0)->text(0).startsWith(QString::fromUtf8("02/11/2026 Lunedì, giorno della Luna - alba ")));
        QVERIFY(list->topLevelItem(0)->child(0)->text(0).contains("Ora della Luna (1"));

        w.findChild<QComboBox*>("CBpianeta")->setCurrentIndex(4);  // Venere
        QTest::mouseClick(calcola, Qt::LeftButton);
        int venus = 0;
        for (int d = 0; d < list->topLevelItemCount(); ++d) {
            venus += list->topLevelItem(d)->childCount();
            for (int h = 0; h < list->topLevelItem(d)->childCount(); ++h)
                QVERIFY(list->topLevelItem(d)->child(h)->text(0).contains("Ora di Venere"));
        }
        QVERIFY(venus >= 6 && venus <= 8);
        QVERIFY(w.findChild<QPushButton*>("BBesporta")->isEnabled());

        const std::string file = (dir_->path() / "venere.ics").string();
        QCOMPARE(w.exportTo(file), venus);
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const timing::IcsCheck check = timing::checkIcalendar(text.str());
        QVERIFY(check.valid);
        QCOMPARE(check.events, venus);
    }

    void aRemedyGivesItsPlanetAndAnUnknownPlaceIsSaid() {
        TFoCalendario w("MILANO (MI)", "45N28-009E11", -1);
        w.findChild<QDateEdit*>("EdDal")->setDate(QDate(2026, 11, 2));
        w.findChild<QDateEdit*>("EdAl")->setDate(QDate(2026, 11, 8));
        w.findChild<QLineEdit*>("EdRimedio")->setText("Altea");
        auto* calcola = w.findChild<QPushButton*>("BBcalcola");
        QTest::mouseClick(calcola, Qt::LeftButton);
        QVERIFY(boxes_.get()->last().isEmpty());
        QCOMPARE(w.findChild<QComboBox*>("CBpianeta")->currentIndex(), 4);
        QVERIFY(w.findChild<QLabel*>("LabStato")->text().contains("24 ore per MSA Altea"));

        w.findChild<QLineEdit*>("EdLocalita")->setText("NESSUNLUOGO");
        QTest::mouseClick(calcola, Qt::LeftButton);
        QVERIFY(boxes_.get()->last().contains("non trovata"));

        // Without a place, the coordinates and the correction.
        w.findChild<QLineEdit*>("EdLocalita")->clear();
        w.findChild<QLineEdit*>("EdRimedio")->clear();
        w.findChild<QComboBox*>("CBpianeta")->setCurrentIndex(0);
        QTest::mouseClick(calcola, Qt::LeftButton);
        QCOMPARE(w.findChild<QTreeWidget*>("ListCalendario")->topLevelItem(0)->childCount(), 24);
        QVERIFY(w.findChild<QLabel*>("LabStato")->text().contains("correzione fissa -1"));
    }
};

QV_WINDOW_TEST(TimingWindowsTest)
} // namespace timing_windows_test
#include "timing_windows_test.moc"
