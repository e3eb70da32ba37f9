// Birth data entry driven as a user would, on a temporary data directory
// with the small atlas of tests/fixtures/entry: 40 Italian places
// (BOLZANO/BOZEN, MEZZANEGO ... MINORI, TORINO, TORINO DI SANGRO, TRIESTE)
// and 11 foreign ones (GENEVE ... LONDON, LONDON (OH), LONDON VILLAGE ...).
#include "tests/windows/editor_opener.h"
#include "archive/archive_files.h"
#include "archive/current_subject.h"
#include "archive/ui/birth_entry_window.h"
#include "archive/ui/registration_window.h"
#include "base/text_file.h"
#include "base/ui/dialogs.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include "tests/support/window_tests.h"

#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

using namespace qv;
namespace fs = std::filesystem;

namespace birth_entry_test {

// A line of the place list: the name padded to 32 characters, then the state.
QString line(const QString& name, const QString& state) { return name.leftJustified(32) + state; }

const QString kMilano = line("MILANO (MI)", "ITALIA");

class BirthEntryTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;
    RecordingDialogs* shown_ = nullptr;
    std::unique_ptr<Dialogs> previous_;
    std::unique_ptr<TFoInputSpa> window_;

    template <typename T>
    T* find(const char* name) const {
        T* w = window_->findChild<T*>(name);
        if (!w) qFatal("no control %s", name);
        return w;
    }
    QLineEdit* field(const char* name) const { return find<QLineEdit>(name); }
    void type(const char* name, const QString& text) {
        field(name)->clear();
        QTest::keyClicks(field(name), text);
    }
    void idle() { QCoreApplication::processEvents(); }
    QStringList messages() const {
        QStringList out;
        for (const auto& s : shown_->shown) out << s.kind + ": " + s.text;
        return out;
    }
    void typeDate(const QString& day, const QString& month, const QString& year, const QString& hour,
                  const QString& minute) {
        type("EditGiorno", day);
        type("EditMese", month);
        type("EditAnno", year);
        type("EditOra", hour);
        type("EditMinuti", minute);
    }
    // Types a prefix and chooses the middle line with Enter.
    void choosePlace(const QString& prefix) {
        type("EditLocal", prefix);
        QTest::keyClick(field("EditLocal"), Qt::Key_Return);
    }
    void fresh() {
        window_ = std::make_unique<TFoInputSpa>(test::openInEditor);
        window_->show();
    }
    QListWidget* list() const { return find<QListWidget>("ListLocal"); }
    void doubleClickLine(int row) { emit list()->itemDoubleClicked(list()->item(row)); }
    // Milano, 15 June 1944 10:30, summer time: the road of the examples.
    void enterMilano1944(const QString& name = "VERDI GIUSEPPE") {
        type("EditSogg", name);
        typeDate("15", "06", "1944", "10", "30");
        choosePlace("MILANO");
        idle();
    }

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>(false);
        fs::copy(test::fixturesDir() / "entry", dir_->path(), fs::copy_options::recursive);
        test::writeZeroCorrectionTables(dir_->path());
        createPersonalArchive();
        auto recorder = std::make_unique<RecordingDialogs>();
        shown_ = recorder.get();
        previous_ = setDialogs(std::move(recorder));
        fresh();
    }
    void cleanup() {
        window_.reset();
        setDialogs(std::move(previous_));
        dir_.reset();
    }

    void opensOnTheItalianTableWithALockedEmptyResult() {
        QVERIFY(find<QRadioButton>("RBitalia")->isChecked());
        QCOMPARE(list()->count(), 7);
        QCOMPARE(list()->item(0)->text(), line("BOLZANO/BOZEN (BZ)", "ITALIA"));
        QCOMPARE(field("EditStato")->text(), QString("ITALIA"));
        QVERIFY(field("EditFuso")->text().isEmpty());
        QVERIFY(window_->resultLocked());
        QVERIFY(field("EditCoord")->isReadOnly());
        QVERIFY(!find<QPushButton>("BBprosegui")->isEnabled());
        QVERIFY(!find<QLabel>("LabRegimi")->isVisibleTo(window_.get()));
        QVERIFY(shown_->shown.empty());
    }

    // The prefix lands on the last place that sorts below it followed by
    // "!": a whole name lands on that name, a part of a name just before
    // the names that continue it; the middle line is clamped to 4..n-3.
    void typedPrefixMovesTheListAsTheLandingRuleSays() {
        const struct {
            bool foreign;
            QString prefix;
            qint64 position;
            QString middleLine;
        } cases[] = {
            {false, "MILANO", 22, kMilano},
            {false, "mil", 21, line("MIGNANO MONTE LUNGO (CE)", "ITALIA")},
            {false, "MIGLIO", 18, line("MIGLIERINA (CZ)", "ITALIA")},
            {false, "A", 4, line("MEZZANO (TN)", "ITALIA")},               // entry 1, clamped
            {false, "TRIESTE", 37, line("MINORI (SA)", "ITALIA")},          // entry 40, clamped
            {true, "'s-hertogenbosch", 8, line("PARIS", "CANADA")},        // entry 10 of 11, clamped
            {true, "london", 6, line("LONDON VILLAGE", "KIRIBATI")},
            {true, "GENEVE", 4, line("LONDON", "REGNO UNITO")},            // the accented E of GENEVE compares as E
        };
        for (const auto& c : cases) {
            if (c.foreign) QTest::mouseClick(find<QRadioButton>("RBestero"), Qt::LeftButton);
            type("EditLocal", c.prefix);
            QCOMPARE(field("EditLocal")->text(), c.prefix.toUpper());
            QCOMPARE(window_->listPosition(), c.position);
            QCOMPARE(window_->placeLines().at(3), c.middleLine);
            QCOMPARE(find<QScrollBar>("SBlocal")->value(), int(c.position));
        }
        // The last place of a table can be reached and shown.
        QTest::mouseClick(find<QRadioButton>("RBitalia"), Qt::LeftButton);
        type("EditLocal", "TRIESTE");
        QCOMPARE(window_->placeLines().last(), line("TRIESTE (TS)", "ITALIA"));
    }

    void scrollBarAndListKeysMoveTheLinesWithinTheTable() {
        auto* bar = find<QScrollBar>("SBlocal");
        QCOMPARE(bar->minimum(), 4);
        QCOMPARE(bar->maximum(), 37);
        const struct {
            int from;
            std::function<void()> move;
            qint64 to;
        } cases[] = {
            {4, [&] { bar->triggerAction(QScrollBar::SliderSingleStepAdd); }, 5},
            {4, [&] { bar->triggerAction(QScrollBar::SliderSingleStepSub); }, 4},
            {4, [&] { bar->triggerAction(QScrollBar::SliderPageStepAdd); }, 11},
            {29, [&] { bar->triggerAction(QScrollBar::SliderPageStepAdd); }, 36},
            {30, [&] { bar->triggerAction(QScrollBar::SliderPageStepAdd); }, 30},  // no whole page after it
            {13, [&] { bar->triggerAction(QScrollBar::SliderPageStepSub); }, 6},
            {12, [&] { bar->triggerAction(QScrollBar::SliderPageStepSub); }, 12},  // no whole page before it
            {10, [&] { list()->setCurrentRow(6); QTest::keyClick(list(), Qt::Key_Down); }, 11},
            {10, [&] { list()->setCurrentRow(3); QTest::keyClick(list(), Qt::Key_Down); }, 10},
            {10, [&] { list()->setCurrentRow(0); QTest::keyClick(list(), Qt::Key_Up); }, 9},
            {10, [&] { QTest::keyClick(list(), Qt::Key_PageDown); }, 16},
            {33, [&] { QTest::keyClick(list(), Qt::Key_PageDown); }, 37},
            {8, [&] { QTest::keyClick(list(), Qt::Key_PageUp); }, 4},
        };
        for (const auto& c : cases) {
            bar->setValue(c.from);
            QCOMPARE(window_->listPosition(), qint64(c.from));
            c.move();
            QCOMPARE(window_->listPosition(), c.to);
            QCOMPARE(list()->count(), 7);
        }
    }

    void placeIsChosenByDoubleClickOrEnterWithItsMessages() {
        choosePlace("");
        choosePlace("MIL");  // the middle line is MIGNANO
        type("EditLocal", "MILANO");
        QTest::keyClick(field("EditLocal"), Qt::Key_Return);  // no date yet
        QCOMPARE(messages(), QStringList({QString::fromUtf8("information: Doppio Clic sull'Elenco Localit\u00E0"),
                                          QString::fromUtf8("information: Doppio Clic sull'Elenco Localit\u00E0"),
                                          "information: Inserire Data di Nascita"}));
        QVERIFY(!window_->placeSelected());

        doubleClickLine(0);  // the first line around MILANO
        QVERIFY(window_->placeSelected());
        QCOMPARE(field("EditLocal")->text(), QString("MIGLIONICO (MT)"));
        QVERIFY(field("EditLocal")->styleSheet().contains("aqua"));
        QTest::keyClicks(field("EditLocal"), "X");  // typing again drops the choice
        QVERIFY(!window_->placeSelected());
        QVERIFY(!field("EditLocal")->styleSheet().contains("aqua"));

        typeDate("01", "01", "1950", "12", "00");
        choosePlace("MILANO");
        QVERIFY(window_->placeSelected());
        QCOMPARE(field("EditLocal")->text(), QString("MILANO (MI)"));
        QCOMPARE(shown_->shown.size(), size_t(3));

        // A whole name lands on the last place that continues it (TORINO
        // DI SANGRO, LONDON VILLAGE); Enter takes the place of exactly that
        // name, and shows it. Near the end of a table the landing is not
        // the middle line and Enter still takes it.
        const struct {
            bool foreign;
            QString typed, chosen, state;
        } wholeNames[] = {
            {false, "TORINO", "TORINO (TO)", "ITALIA"},
            {true, "LONDON", "LONDON", "REGNO UNITO"},
            {false, "MILITELLO", "MILITELLO ROSMARINO (ME)", "ITALIA"},  // none of exactly that name
            {false, "TRIESTE", "TRIESTE (TS)", "ITALIA"},
        };
        for (const auto& c : wholeNames) {
            QTest::mouseClick(find<QRadioButton>(c.foreign ? "RBestero" : "RBitalia"), Qt::LeftButton);
            type("EditLocal", c.typed);
            QTest::keyClick(field("EditLocal"), Qt::Key_Return);
            QCOMPARE(field("EditLocal")->text(), c.chosen);
            QCOMPARE(list()->currentItem()->text(), line(c.chosen, c.state));
        }
        QCOMPARE(shown_->shown.size(), size_t(3));
    }

    void idleDerivationFillsTheResultForMilanoIn1944() {
        enterMilano1944();
        QVERIFY(shown_->shown.empty());
        QCOMPARE(field("EditFuso")->text(), QString("-2"));
        QCOMPARE(field("EditCalend")->text(), QString("GREG"));
        QCOMPARE(field("EditCoord")->text(), QString("45N28-009E11"));
        QCOMPARE(field("EditLocEstesa")->text(), QString("MILANO (MI)"));
        QCOMPARE(field("EditStato")->text(), QString("ITALIA"));
        QCOMPARE(field("EditJD")->text(), QString("2431256.8542"));  // 08:30 Universal Time
        QCOMPARE(field("EditDataEstesa")->text(), QString::fromUtf8("gioved\u00EC 15 giugno 1944, ore 10:30"));
        QVERIFY(!find<QCheckBox>("CBoraLocale")->isChecked());
        QVERIFY(window_->resultLocked());
        QVERIFY(field("EditFuso")->styleSheet().contains("teal"));
        QVERIFY(find<QPushButton>("BBprosegui")->isEnabled());

        // The regime log: hidden until the name caption is double-clicked.
        auto* log = find<QListWidget>("ListRegimi");
        QVERIFY(!log->isVisibleTo(window_.get()));
        QTest::mouseDClick(find<QLabel>("LabSogg"), Qt::LeftButton);
        QVERIFY(log->isVisibleTo(window_.get()));
        QCOMPARE(log->item(0)->text(), QString("00000001.CAL"));
        QVERIFY(log->item(log->count() - 1)->text().endsWith(" CET "));
    }

    void correctionCalendarAndNoteFollowPlaceAndDate() {
        const struct {
            bool foreign;
            QString place;
            int row;  // the list line double-clicked; -1: Enter on the middle line
            QString day, month, year;
            QString correction, calendar;
            bool localTime, notUpdated;
        } cases[] = {
            {false, "MILANO", -1, "15", "01", "1860", "-0,61222", "GREG", true, false},  // local mean time
            {false, "MILANO", -1, "15", "01", "1950", "-1", "GREG", false, false},
            {false, "MILANO", -1, "15", "07", "2030", "-2", "GREG", false, true},  // regimes beyond the known ones
            {false, "BOLZANO", 0, "15", "07", "1950", "-1", "GREG", false, false},  // its table continues in another
            {false, "MILANO", -1, "15", "07", "1500", "-0,61222", "GIUL", true, false},
            {true, "LONDON", -1, "15", "07", "2030", "-1", "GREG", false, false},  // not the Italian table
        };
        for (const auto& c : cases) {
            QTest::mouseClick(find<QRadioButton>(c.foreign ? "RBestero" : "RBitalia"), Qt::LeftButton);
            typeDate(c.day, c.month, c.year, "12", "00");
            type("EditLocal", c.place);
            if (c.row < 0)
                QTest::keyClick(field("EditLocal"), Qt::Key_Return);  // LONDON lands on the one in REGNO UNITO
            else
                doubleClickLine(c.row);
            idle();
            QCOMPARE(field("EditFuso")->text(), c.correction);
            QCOMPARE(field("EditCalend")->text(), c.calendar);
            QCOMPARE(find<QCheckBox>("CBoraLocale")->isChecked(), c.localTime);
            QCOMPARE(find<QLabel>("LabRegimi")->isVisibleTo(window_.get()), c.notUpdated);
        }
        QVERIFY(shown_->shown.empty());
    }

    void wrongDateFieldTurnsRedEmptiesAndSaysDataScorretta() {
        const struct {
            QStringList date;
            const char* wrong;
        } cases[] = {
            {{"15", "13", "1944", "10", "30"}, "EditMese"},
            {{"15", "0", "1944", "10", "30"}, "EditMese"},
            {{"32", "13", "1944", "10", "30"}, "EditGiorno"},  // the first wrong field only
            {{"15", "06", "2081", "10", "30"}, "EditAnno"},
            {{"15", "06", "19x4", "10", "30"}, "EditAnno"},
            {{"15", "06", "1944", "24", "30"}, "EditOra"},
            {{"15", "06", "1944", "10", "60"}, "EditMinuti"},
            {{"31", "02", "0", "10", "30"}, nullptr},  // passes the field checks
        };
        choosePlace("MILANO");
        for (const auto& c : cases) {
            shown_->shown.clear();
            typeDate(c.date[0], c.date[1], c.date[2], c.date[3], c.date[4]);
            idle();
            if (!c.wrong) {
                QVERIFY(shown_->shown.empty());
                continue;
            }
            QCOMPARE(messages(), QStringList({"error: Data Scorretta"}));
            QVERIFY(field(c.wrong)->text().isEmpty());
            QVERIFY(field(c.wrong)->styleSheet().contains("red"));
            idle();  // the emptied field leaves the date incomplete: nothing more is said
            QCOMPARE(shown_->shown.size(), size_t(1));
            QTest::keyClicks(field(c.wrong), "1");
            QVERIFY(!field(c.wrong)->styleSheet().contains("red"));
        }
    }

    void usaOraLocaleTakesTheCorrectionFromTheCoordinates() {
        enterMilano1944();
        auto* box = find<QCheckBox>("CBoraLocale");
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(box->isChecked());
        QCOMPARE(field("EditFuso")->text(), QString("-0,61222"));  // longitude x 4 / 60, sign reversed
        QVERIFY(field("EditFuso")->isReadOnly());
        QCOMPARE(field("EditJD")->text(), QString("2431256.912"));  // 10:30 - 0.61222 h
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(field("EditFuso")->text().isEmpty());
        QVERIFY(!field("EditFuso")->isReadOnly());
        QVERIFY(field("EditJD")->text().isEmpty());  // no correction, no Julian Day

        // West of Greenwich the correction is positive.
        QTest::mouseClick(find<QToolButton>("BBlock"), Qt::LeftButton);
        type("EditCoord", "40N43-074W00");
        QTest::mouseClick(box, Qt::LeftButton);
        QCOMPARE(field("EditFuso")->text(), QString("+4,93333"));
        QVERIFY(field("EditFuso")->styleSheet().contains("teal"));  // unlocked, yet not to be typed over
        QVERIFY(field("EditCoord")->styleSheet().contains("aqua"));
        // Without readable coordinates the box stays clear.
        QTest::mouseClick(box, Qt::LeftButton);
        type("EditCoord", "45N28");
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(!box->isChecked());
        QCOMPARE(messages(), QStringList({"warning: Coordinate Errate o Mancanti"}));
    }

    void calendarFieldRecomputesTheJulianDay() {
        enterMilano1944();
        QTest::mouseClick(find<QToolButton>("BBlock"), Qt::LeftButton);
        QVERIFY(!window_->resultLocked());
        QVERIFY(field("EditCalend")->styleSheet().contains("aqua"));
        type("EditCalend", "giul");
        QCOMPARE(field("EditCalend")->text(), QString("GIUL"));
        QCOMPARE(field("EditJD")->text(), QString("2431269.8542"));  // 13 days later
        type("EditCalend", "GRE");
        QVERIFY(field("EditJD")->text().isEmpty());
        type("EditCalend", "GREG");
        QCOMPARE(field("EditJD")->text(), QString("2431256.8542"));
        type("EditFuso", "-1");  // a hand-made correction moves the Julian Day as well
        QCOMPARE(field("EditJD")->text(), QString("2431256.8958"));
        QTest::mouseClick(find<QToolButton>("BBlock"), Qt::LeftButton);
        QVERIFY(window_->resultLocked());
        QVERIFY(field("EditCalend")->isReadOnly());
    }

    void manualCoordinatesInDegreesOrTime() {
        enterMilano1944();
        auto* panel = find<QFrame>("PanelCoord");
        QTest::mouseDClick(field("EditCoord"), Qt::LeftButton);
        QVERIFY(panel->isVisibleTo(window_.get()));
        QCOMPARE(field("EdLatGradi")->text(), QString("45"));
        QCOMPARE(field("EdLonGradi")->text(), QString("009"));
        QCOMPARE(field("EdLonOre")->text(), QString("0"));   // 9 degrees 11 minutes are 0h 36m 44s
        QCOMPARE(field("EdLonMinuti")->text(), QString("36"));
        QCOMPARE(field("EdLonSecondi")->text(), QString("44"));

        const struct {
            bool inTime;
            QStringList values;  // latitude degrees, minutes; longitude fields
            QString result;      // empty: "Coordinate Scorrette"
        } cases[] = {
            {false, {"41", "54", "12", "29"}, "41N54-012E29"},
            {true, {"41", "54", "0", "49", "56"}, "41N54-012E29"},  // 49m 56s are 12 degrees 29 minutes
            {true, {"0", "0", "11", "59", "54"}, "00N00-179E58"},   // 179 degrees 58.5 minutes: half rounds to even
            {false, {"95", "00", "12", "29"}, ""},                  // a latitude above 90 degrees
            {false, {"41", "60", "12", "29"}, ""},
            {false, {"41", "54", "180", "00"}, ""},
            {true, {"41", "54", "12", "0", "0"}, ""},
            {false, {"41", "", "12", "29"}, ""},
        };
        for (const auto& c : cases) {
            shown_->shown.clear();
            QTest::mouseDClick(field("EditCoord"), Qt::LeftButton);
            QTest::mouseClick(find<QRadioButton>(c.inTime ? "RBtempo" : "RBgradi"), Qt::LeftButton);
            const QStringList names = c.inTime ? QStringList{"EdLatGradi", "EdLatPrimi", "EdLonOre", "EdLonMinuti", "EdLonSecondi"}
                                               : QStringList{"EdLatGradi", "EdLatPrimi", "EdLonGradi", "EdLonPrimi"};
            for (int i = 0; i < names.size(); ++i) type(names[i].toLatin1().constData(), c.values[i]);
            const QString before = field("EditCoord")->text();
            QTest::mouseClick(find<QPushButton>("BBokCoord"), Qt::LeftButton);
            if (c.result.isEmpty()) {
                QCOMPARE(messages(), QStringList({"error: Coordinate Scorrette"}));
                QVERIFY(panel->isVisibleTo(window_.get()));
                QCOMPARE(field("EditCoord")->text(), before);
                QTest::mouseClick(find<QPushButton>("BBcanc"), Qt::LeftButton);
            } else {
                QVERIFY(shown_->shown.empty());
                QCOMPARE(field("EditCoord")->text(), c.result);
            }
            QVERIFY(!panel->isVisibleTo(window_.get()));
        }
    }

    void datePickerAndTodayFillTheFiveFields() {
        find<QCalendarWidget>("CalPicker")->setSelectedDate(QDate(1944, 6, 15));
        window_->DTPickerCloseUp();
        QCOMPARE(field("EditGiorno")->text(), QString("15"));
        QCOMPARE(field("EditMese")->text(), QString("06"));
        QCOMPARE(field("EditAnno")->text(), QString("1944"));
        QCOMPARE(field("EditOra")->text().size(), 2);
        const QDate before = QDate::currentDate();
        QTest::mouseClick(find<QPushButton>("BBoggi"), Qt::LeftButton);
        const QDate shown(field("EditAnno")->text().toInt(), field("EditMese")->text().toInt(),
                          field("EditGiorno")->text().toInt());
        QVERIFY(shown == before || shown == QDate::currentDate());
        QCOMPARE(field("EditMinuti")->text().size(), 2);
    }

    void keysMoveBetweenTheNameAndTheDateFields() {
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        field("EditSogg")->setFocus();
        QTest::keyClick(field("EditSogg"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), field("EditGiorno"));
        QTest::keyClicks(field("EditGiorno"), "15");  // a full field hands on
        QCOMPARE(QApplication::focusWidget(), field("EditMese"));
        QTest::keyClick(field("EditMese"), Qt::Key_Left);
        QCOMPARE(QApplication::focusWidget(), field("EditGiorno"));
        QTest::keyClick(field("EditGiorno"), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), field("EditOra"));
        QTest::keyClick(field("EditOra"), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), field("EditMinuti"));
        QTest::keyClick(field("EditMinuti"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), field("EditLocal"));
        QVERIFY(window_->isVisible());  // Enter never closes the window
    }

    // Each check of "OK Prosegui" in its order: the data of the 1944
    // example with one thing broken (and everything before it right).
    void proseguiChecksInOrder() {
        const struct {
            std::function<void()> spoil;
            QString message;
        } cases[] = {
            {[&] { type("EditSogg", " "); }, "warning: Manca il Nome del Soggetto"},
            {[&] { type("EditCalend", "GRE"); }, "warning: Manca indicazione Calendario (GREG/GIUL)"},
            {[&] { field("EditMinuti")->clear(); }, "information: Inserire Data di Nascita"},
            {[&] { field("EditMese")->setText("13"); }, "error: Data Scorretta"},
            {[&] { type("EditLocEstesa", "  "); }, QString::fromUtf8("warning: Manca Nome Localit\u00E0")},
            {[&] { type("EditCoord", "45N28-009X11"); }, "warning: Coordinate Errate o Mancanti"},
            {[&] { type("EditCoord", "90N00-009E11"); }, "warning: Coordinate Errate o Mancanti"},
            {[&] { type("EditFuso", ""); }, "warning: Manca correzione Coordinate Totale"},
            {[&] { type("EditFuso", "-"); }, "warning: Manca correzione Coordinate Totale"},
            {[&] { type("EditFuso", "uno"); }, "warning: Manca correzione Coordinate Totale"},
            {[&] { type("EditFuso", "+30"); }, "warning: Correzione Totale fuori dai limiti (da -24 a +24 ore)"},
        };
        for (const auto& c : cases) {
            fresh();
            enterMilano1944();
            QTest::mouseClick(find<QToolButton>("BBlock"), Qt::LeftButton);
            shown_->shown.clear();
            c.spoil();
            QTest::mouseClick(find<QPushButton>("BBprosegui"), Qt::LeftButton);
            QCOMPARE(messages(), QStringList({c.message}));
            QVERIFY(window_->resultLocked());  // the first step locks the panel
            QVERIFY(!window_->findChild<TFormRegSpa*>());
            QVERIFY(!currentSubjectExists());
        }
    }

    // A correction and coordinates as typed in the panel, and what
    // registration shows: the zone offset with the sign reversed, and 60
    // minutes carried into the degrees.
    void handOverToRegistrationReversesTheCorrection() {
        const struct {
            QString correction, coordinates, gmt, shownCoordinates;
        } cases[] = {
            {"-1", "45N28-009E11", "+1", "45N28-009E11"},
            {"+5,75", "45N28-009E11", "-5,75", "45N28-009E11"},
            {"1", "45N28-009E11", "-1", "45N28-009E11"},  // no sign: a positive correction
            {"-12.75", "45N28-009E11", "+12,75", "45N28-009E11"},
            {"-0,61222", "45N60-009E60", "+0,61222", "46N00-010E00"},
        };
        for (const auto& c : cases) {
            fresh();
            enterMilano1944();
            QTest::mouseClick(find<QToolButton>("BBlock"), Qt::LeftButton);
            type("EditFuso", c.correction);
            type("EditCoord", c.coordinates);
            QString gmt, coordinates;
            QTimer::singleShot(0, this, [&] {
                auto* registration = window_->findChild<TFormRegSpa*>();
                QVERIFY(registration);
                gmt = registration->findChild<QLineEdit*>("EditGMT")->text();
                coordinates = registration->findChild<QLineEdit*>("EditCoord")->text();
                registration->reject();
            });
            QTest::mouseClick(find<QPushButton>("BBprosegui"), Qt::LeftButton);
            QCOMPARE(gmt, c.gmt);
            QCOMPARE(coordinates, c.shownCoordinates);
            QCOMPARE(window_->result(), int(QDialog::Rejected));  // abandoned there, closed here too
        }
        QVERIFY(shown_->shown.empty());
        QVERIFY(!currentSubjectExists());  // nothing written
    }

    void subjectTypedFromNameToRegistrationBecomesCurrent() {
        enterMilano1944("Verdi Giuseppe");
        QCOMPARE(field("EditSogg")->text(), QString("VERDI GIUSEPPE"));
        QStringList summary;
        QTimer::singleShot(0, this, [&] {
            auto* registration = window_->findChild<TFormRegSpa*>();
            QVERIFY(registration && registration->isVisible());
            for (const char* name : {"EditNome", "EditData", "EditGMT", "EditLocal", "EditCoord", "EditCalend",
                                     "EditJD", "EditStato", "EditArchi"})
                summary << registration->findChild<QLineEdit*>(name)->text();
            registration->findChild<QLineEdit*>("EditAnnot1")->setText("nato in casa");
            QTest::mouseClick(registration->findChild<QPushButton*>("BBregistra"), Qt::LeftButton);
        });
        QTest::mouseClick(find<QPushButton>("BBprosegui"), Qt::LeftButton);
        QCOMPARE(summary, QStringList({"VERDI GIUSEPPE", "15/06/1944 10:30", "+2", "MILANO (MI)", "45N28-009E11",
                                       "GREGORIANO", "2431256.8542", "ITALIA", "BASE"}));
        QVERIFY(!window_->isVisible());
        QCOMPARE(window_->result(), int(QDialog::Accepted));
        QVERIFY(shown_->shown.empty());

        const CurrentSubject current = readCurrentSubject();
        QCOMPARE(QString::fromStdString(current.nameText), QString("VERDI GIUSEPPE                        00001"));
        QCOMPARE(QString::fromStdString(current.record.moment), QString("194406151030-2"));
        QCOMPARE(QString::fromStdString(current.record.place), QString("45N28-009E11MILANO *MI*"));
        QCOMPARE(QString::fromStdString(current.record.calendar), QString("GR"));
        QCOMPARE(QString::fromStdString(current.record.annotationNumber), QString("00001"));
        Archive base = openAnyArchive("BASE");
        QCOMPARE(base.subjectCount(), 1);
        QCOMPARE(QString::fromStdString(base.readIndex(1).text), QString::fromStdString(current.nameText));
        QCOMPARE(readTextLines(dir_->path() / "FileDum" / "MMDatArc.dum"),
                 (std::vector<std::string>{"BASE", current.nameText, "1", "VERDI GIUSEPPE"}));
    }
};

QV_WINDOW_TEST(BirthEntryTest)
} // namespace birth_entry_test
#include "birth_entry_test.moc"
