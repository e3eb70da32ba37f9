// The chart analysis window driven as a practitioner would: opening, the
// buttons and their views in order, the four clicks on a planet's glyph, a
// click on empty space, the size controls and the panels' places.
#include "display/analysis_views.h"
#include "display/recording_canvas.h"
#include "archive/archive_files.h"
#include "archive/current_subject.h"
#include "archive/data_directory_startup.h"
#include "archive/subject_registration.h"
#include "base/data_dir.h"
#include "base/ui/dialogs.h"
#include "display/display_scales.h"
#include "display/ui/analysis_window.h"
#include "settings/chart_settings.h"
#include "tests/support/example_subject.h"
#include "tests/support/recorded_boxes.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include "tests/support/window_tests.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

using namespace qv;

namespace analysis_window_test {
using draw::AnalysisView;

constexpr int kScreenWidth = 800, kScreenHeight = 600;

// The texts a view's recorded drawing holds.
QStringList recordedTexts(AnalysisView view, const DominantChart* dominant, const PlanetaryHour& hour) {
    draw::RecordingCanvas canvas;
    draw::TargetScope target(canvas);
    draw::drawingContext().scale = 3;
    draw::AnalysisViewInputs in;
    in.chart = &chartState();
    in.orbs = ActiveOrbs();
    in.hour = hour;
    in.dominant = dominant;
    draw::drawAnalysisView(view, in);
    QStringList texts;
    for (const draw::Recorded& r : canvas.of(draw::Recorded::Kind::Text)) texts << QString::fromLatin1(r.text.c_str());
    return texts;
}

class AnalysisWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>(false);
        prepareDataDirectory(dir_->path(), test::dataTemplateDir());
        test::writeZeroCorrectionTables(dir_->path());
        recorded_ = std::make_unique<test::RecordedBoxes>();
        shown_ = recorded_->recorder();
        resetChartSettings();
        setScreenScales(kScreenWidth, kScreenHeight);
        test::registerExampleSubject();
    }
    void cleanup() {
        window_.reset();
        recorded_.reset();
        dir_.reset();
    }

    void openingShowsTheChartViewAndTheFirstMessage() {
        TFgrSpagy& w = open();
        QCOMPARE(w.currentView(), std::optional(AnalysisView::Chart));
        QCOMPARE(w.messageShown(), 1);
        QVERIFY(memo("Memo1").startsWith("INFORMAZIONI:\nLa parte interna dei simboli\nastrologici (cerchietto rosso)"));
        QVERIFY(memo("MemoL1").isEmpty());
        QVERIFY(!w.findChild<QWidget*>("Panel3")->isVisible());
        QCOMPARE(w.findChild<QLineEdit*>("EdNome")->text(), QString("  ROSSI MARIA"));
        QCOMPARE(w.findChild<QLineEdit*>("EdData")->text(), QString("14/07/1968 06:35 (GMT+2.00)"));
        QCOMPARE(w.findChild<QLineEdit*>("EdLocal")->text(), QString("MILANO (MI) - ITALIA"));
        QCOMPARE(w.findChild<QLineEdit*>("EdCoordi")->text(), QString("45N28-009E11"));
        QCOMPARE(w.findChild<QLineEdit*>("EdDomif")->text(), QString("CASE_MEDIE"));
        QVERIFY(w.findChild<QLineEdit*>("EdJd")->text().startsWith("2440"));
        for (int p = 1; p <= 11; ++p) QVERIFY(w.pointGlyphCentre(p).x() > 0);
        // The key lists the attribution panel reads were written with the wheel.
        QVERIFY(std::filesystem::exists(dataDir().resolve("OpzioneT\\PosiPian.txt")));
        QVERIFY(shown_->shown.empty());
    }

    void aButtonShowsItsViewsInOrderAndAnotherButtonResetsIt() {
        TFgrSpagy& w = open();
        const QList<std::pair<AnalysisView, int>> expected = {{AnalysisView::AspectsPlain, 10},
                                                              {AnalysisView::AspectsSpindle, 24},
                                                              {AnalysisView::AspectGrid, 25},
                                                              {AnalysisView::SphericalDistances, 26},
                                                              {AnalysisView::AspectsPlain, 10}};
        for (const auto& [view, message] : expected) {
            press("BBaspetti");
            QCOMPARE(w.currentView(), std::optional(view));
            QCOMPARE(w.messageShown(), message);
        }
        QVERIFY(w.findChild<QWidget*>("Panel3")->isVisible());  // the aspect list
        QVERIFY(!memo("MemoAspetti").isEmpty());
        press("BBaspetti");
        QCOMPARE(w.currentView(), std::optional(AnalysisView::AspectsSpindle));
        press("BBmaestri");
        QCOMPARE(w.currentView(), std::optional(AnalysisView::Masters1));
        QCOMPARE(w.messageShown(), 22);
        press("BBaspetti");
        QCOMPARE(w.currentView(), std::optional(AnalysisView::AspectsPlain));
        QVERIFY(shown_->shown.empty());
    }

    void everyButtonsViewsCarryTheirHeadings() {
        TFgrSpagy& w = open();
        const PlanetaryHour hour = ComputePlanetaryHour(chartState());
        const CurrentSubject subject = readCurrentSubject();
        const DominantChart dominant =
            computeDominantChart(chartState(), subject.name(), subject.record.moment, subject.record.place);
        const struct {
            const char* button;
            QStringList headings;  // of the views in order
        } cases[] = {
            {"BBcoordi", {"LONGITUDINI PLANETARIE", "LONGITUDINI PLANETARIE", "LATITUDINI PLANETARIE"}},
            {"BBstoffa", {"STOFFA ELEMENTARE", "ATTRIBUZIONE UMORALE", "STOFFA STAGIONALE", "ATTRIBUZIONE UMORALE"}},
            {"BBarchetip", {"STRUTTURA ARCHETIPALE"}},
            {"BBaspetti", {"ASPETTI PLANETARI", "ASPETTI PLANETARI", "ASPETTI  &  ORBITE", "DISTANZE SFERICHE"}},
            {"BBEnergi", {"AFFINITA' ENERGETICHE", "AFFINITA' ENERGETICHE", "AFFINITA' ENERGETICHE"}},
            {"BBantisce", {"ANTISCE E CONTRANTISCE", "ANTISCE E CONTRANTISCE", "ANTISCE E CONTRANTISCE",
                           "ANTISCE E CONTRANTISCE"}},
            {"BBdodecate", {"DODECATEMORIE"}},
            {"BBdominante", {"LONGITUDINI PLANETARIE", "ASPETTI PLANETARI", "ASPETTI PLANETARI", "POTENZE PLANETARIE"}},
            {"BBmaestri", {"MAESTRI \"ASC\", \"MC\", \"Ora Planetaria\"", "MAESTRI dell'ANNO e del CICLO"}},
        };
        for (const auto& c : cases) {
            for (const QString& heading : c.headings) {
                press(c.button);
                QVERIFY(w.currentView().has_value());
                QVERIFY2(recordedTexts(*w.currentView(), &dominant, hour).contains(heading),
                         qPrintable(QString(c.button) + ": " + heading));
            }
        }
        QVERIFY(shown_->shown.empty());
    }

    void fourClicksOnMarte() {
        TFgrSpagy& w = open();
        QWidget* panel = new QWidget;
        std::vector<LinkedSubject> asked;
        w.setLinkedPanel({panel, [&](const LinkedSubject& s) { asked.push_back(s); }});
        press("BBaspetti");  // the wheel with the aspect list on the right, which the click hides
        QVERIFY(w.findChild<QWidget*>("Panel3")->isVisible());

        clickPoint(w, 5);
        QVERIFY(memo("MemoL1").startsWith("MARTE  "));
        QVERIFY(!memo("MemoL2").isEmpty());
        QCOMPARE(w.findChild<QLabel*>("LabSpecific")->text(), QString("ATTRIBUZIONI SPECIFICHE al PIANETA"));
        QCOMPARE(w.messageShown(), 28);
        QVERIFY(!w.findChild<QLabel*>("Image2")->pixmap().isNull());
        QVERIFY(!w.findChild<QWidget*>("Panel3")->isVisible());

        clickPoint(w, 5);
        QCOMPARE(w.messageShown(), 29);
        QVERIFY(w.linkedPanelShown());
        QVERIFY(panel->isVisible());
        QCOMPARE(asked.size(), std::size_t(1));
        QCOMPARE(asked.front().sign, false);
        QCOMPARE(asked.front().number, 5);

        clickPoint(w, 5);
        QCOMPARE(w.messageShown(), 28);
        QVERIFY(!panel->isVisible());

        clickPoint(w, 5);
        QCOMPARE(w.currentView(), std::optional(AnalysisView::PointMirrorLines));
        QCOMPARE(w.messageShown(), 30);
        QVERIFY(w.pointGlyphCentre(5).x() > 0);  // the chart drawn afresh keeps its glyphs sensitive
        QVERIFY(shown_->shown.empty());
    }

    void withoutALinkedPanelTheSecondClickOnlyTellsWhatItWouldShow() {
        TFgrSpagy& w = open();
        clickPoint(w, 2);
        clickPoint(w, 2);
        QCOMPARE(w.messageShown(), 29);
        QVERIFY(!w.linkedPanelShown());
        QVERIFY(shown_->shown.empty());
    }

    void theNorthNodesFourthClickDrawsNoMirrorLines() {
        TFgrSpagy& w = open();
        for (int i = 0; i < 4; ++i) clickPoint(w, 8);
        QCOMPARE(w.currentView(), std::optional(AnalysisView::Chart));
        QCOMPARE(w.messageShown(), 28);  // the message of the third click stays
        for (int i = 0; i < 4; ++i) clickSign(w, 3);
        QCOMPARE(w.currentView(), std::optional(AnalysisView::SignMirrorLines));
        QCOMPARE(w.messageShown(), 33);
        QCOMPARE(w.findChild<QLabel*>("LabSpecific")->text(), QString("ATTRIBUZIONI SPECIFICHE al SEGNO"));
        QVERIFY(memo("MemoL1").startsWith("GEMELLI"));
    }

    void aClickOnEmptySpaceClearsOnlyTheSpecificMemo() {
        TFgrSpagy& w = open();
        clickPoint(w, 1);
        QVERIFY(!memo("MemoL1").isEmpty());
        const QString general = memo("MemoL2");
        QVERIFY(!general.isEmpty());
        // The drawing area's lower left corner, 197 mm left of the column.
        const double s = w.pixelsPerMm();
        const QPoint origin = w.findChild<QWidget*>("PanelBase")->pos() - QPoint(qRound(197 * s), qRound(1.3 * s));
        const QPoint corner = origin + QPoint(qRound(3 * s), qRound(190 * s));
        QTest::mouseClick(canvas(), Qt::LeftButton, {}, corner);
        QVERIFY(memo("MemoL1").isEmpty());
        QCOMPARE(memo("MemoL2"), general);
    }

    void theDominantPlanetsViewsIgnoreClicks() {
        TFgrSpagy& w = open();
        const QPoint mars = w.pointGlyphCentre(5);
        press("BBdominante");
        QCOMPARE(w.currentView(), std::optional(AnalysisView::DominantPositions));
        QCOMPARE(w.messageShown(), 19);
        QTest::mouseClick(canvas(), Qt::LeftButton, {}, mars);
        QCOMPARE(w.messageShown(), 19);
        // The natal chart is left as it was.
        QCOMPARE(chartState().houseSystem, std::string("CASE_MEDIE"));
        QVERIFY(std::filesystem::exists(dataDir().resolve("FileDum\\MMMaitr2.dum")));
    }

    void withoutAWindowManagerTheWindowTakesTheScreensSize() {
        // Offscreen no window manager sizes a full-screen window: the window
        // takes the screen's size itself instead of its minimum size.
        TFgrSpagy w;
        QCOMPARE(w.geometry().size(), QGuiApplication::primaryScreen()->geometry().size());
    }

    void sizeControlsAndPanelsKeepTheirPlaces() {
        TFgrSpagy& w = open();
        const double s = w.pixelsPerMm();
        auto* base = w.findChild<QWidget*>("PanelBase");
        auto* info = w.findChild<QWidget*>("PanelInfo");
        QVERIFY(qAbs(base->width() - 82 * s) <= 1);
        QVERIFY(qAbs(base->height() - 92 * s) <= 1);
        QVERIFY(qAbs(info->height() - 35 * s) <= 1);
        QVERIFY(qAbs(base->geometry().right() + 1 - base->x() - 82 * s) <= 1);
        // The column's right edge stands at 279 mm from the drawing's origin.
        const double origin = base->x() - 197 * s;
        QVERIFY(qAbs(w.findChild<QWidget*>("PanelPulsanti")->geometry().right() + 1 - origin - 279 * s) <= 1.5);

        w.Memo1DblClick();
        QVERIFY(qAbs(info->height() - 118 * s) <= 1);
        QVERIFY(qAbs(info->y() - base->y() - (51 - 1.3) * s) <= 1.5);
        w.Memo1DblClick();
        QVERIFY(qAbs(info->height() - 35 * s) <= 1);

        auto* list = w.findChild<QWidget*>("Panel3");
        w.MemoAspettiDblClick();
        QVERIFY(qAbs(list->height() - 167 * s) <= 1);
        w.MemoAspettiDblClick();
        QVERIFY(qAbs(list->height() - 92 * s) <= 1);

        auto* font = w.findChild<QPushButton*>("BBFont");
        QCOMPARE(font->text(), QString("Font +"));
        const int small = w.findChild<QPlainTextEdit*>("MemoAspetti")->font().pixelSize();
        QTest::mouseClick(font, Qt::LeftButton);
        QCOMPARE(font->text(), QString("Font -"));
        QVERIFY(w.findChild<QPlainTextEdit*>("MemoAspetti")->font().pixelSize() > small);

        auto* coordinates = w.findChild<QPushButton*>("BBcoordi");
        const int buttonFont = coordinates->font().pixelSize();
        QTest::mouseClick(w.findChild<QPushButton*>("BBsizeFont"), Qt::LeftButton);
        QVERIFY(coordinates->font().pixelSize() > buttonFont);
        QTest::mouseClick(w.findChild<QPushButton*>("BBsizeFont"), Qt::LeftButton);
        QCOMPARE(coordinates->font().pixelSize(), buttonFont);

        QTest::mouseClick(w.findChild<QPushButton*>("BBprivato"), Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    void aMissingMessagesFileIsReportedAndTheWindowStays() {
        std::filesystem::remove(dataDir().resolve("Appoggio\\Messaggi.txt"));
        TFgrSpagy& w = open();
        QCOMPARE(w.currentView(), std::optional(AnalysisView::Chart));
        QVERIFY(!shown_->shown.empty());
        QVERIFY(shown_->shown.front().text.contains("Messaggi.txt"));
        QVERIFY(w.isVisible());
    }

    void withoutACurrentSubjectTheWindowSaysSoAndCloses() {
        for (const char* ext : {".ST1", ".ST2", ".ST3"}) std::filesystem::remove(dir_->path() / (std::string("TMPR") + ext));
        TFgrSpagy w;
        w.setWindowState(Qt::WindowNoState);
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(!w.isVisible(), 3000);
        QCOMPARE(shown_->shown.size(), std::size_t(1));
        QVERIFY(!w.currentView().has_value());
    }

private:
    TFgrSpagy& open() {
        window_ = std::make_unique<TFgrSpagy>();
        window_->setWindowState(Qt::WindowNoState);
        window_->resize(kScreenWidth, kScreenHeight);
        window_->show();
        if (!QTest::qWaitFor([this] { return window_->currentView().has_value(); }, 3000)) QTest::qFail("the analysis window showed no view", __FILE__, __LINE__);
        return *window_;
    }
    void press(const char* name) { QTest::mouseClick(window_->findChild<QPushButton*>(name), Qt::LeftButton); }
    QWidget* canvas() { return window_->findChild<QWidget*>("AreaDisegno"); }
    QString memo(const char* name) { return window_->findChild<QPlainTextEdit*>(name)->toPlainText(); }
    void clickPoint(TFgrSpagy& w, int point) {
        const QPoint at = w.pointGlyphCentre(point);
        QVERIFY(at.x() >= 0);
        QTest::mouseClick(canvas(), Qt::LeftButton, {}, at + QPoint(3, -2));
    }
    void clickSign(TFgrSpagy& w, int sign) {
        const QPoint at = w.signGlyphCentre(sign);
        QVERIFY(at.x() >= 0);
        QTest::mouseClick(canvas(), Qt::LeftButton, {}, at);
    }

    std::unique_ptr<test::TempDataDir> dir_;
    std::unique_ptr<test::RecordedBoxes> recorded_;
    RecordingDialogs* shown_ = nullptr;
    std::unique_ptr<TFgrSpagy> window_;
};

QV_WINDOW_TEST(AnalysisWindowTest)
} // namespace analysis_window_test
#include "analysis_window_test.moc"
