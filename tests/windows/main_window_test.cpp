// The main window: activation, the subject box, the two chart options and
// the code field.
#include "settings/chart_settings.h"
#include "archive/archive_files.h"
#include "archive/data_directory_startup.h"
#include "archive/subject_registration.h"
#include "base/data_dir.h"
#include "base/text_file.h"
#include "base/ui/dialogs.h"
#include "shell/access_modes.h"
#include "shell/ui/main_window.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include "tests/support/window_tests.h"

#include <QTest>
#include <QToolButton>

using namespace qv;

namespace main_window_test {

void registerExample() {
    NewSubject s;
    s.name = "ROSSI MARIA";
    s.day = 1;
    s.month = 1;
    s.year = 2000;
    s.hour = 13;
    s.minute = 0;
    s.corr = -1;
    s.coordinates = "51N29-000E00";
    s.place = "GREENWICH";
    s.nation = "REGNO UNITO";
    registerSubject(kTemporaryArchive, s); // the current subject only
}

std::vector<std::string> lines(const char* dataPath) { return readTextLines(dataDir().resolve(dataPath)); }

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>(false);
        prepareDataDirectory(dir_->path(), test::dataTemplateDir());
        test::writeZeroCorrectionTables(dir_->path());
        auto recorder = std::make_unique<RecordingDialogs>();
        shown_ = recorder.get();
        previous_ = setDialogs(std::move(recorder));
        resetChartSettings();
        accessModes() = {};
    }
    void cleanup() {
        setDialogs(std::move(previous_));
        dir_.reset();
    }

    void activationPreparesFilesAndShowsTheSubject() {
        std::filesystem::remove(dir_->path() / "BASE.ST1");
        std::filesystem::create_directories(dir_->path() / "FileSet");
        writeTextLines(dir_->path() / "FileSet" / "MMVarLas.stt",
                       {"1", "0", "0", "1", "1", "E:\\Od6Backup", "1", "1"});
        registerExample();
        TFoSpagyr window;
        window.FormActivate();
        QVERIFY(shown_->shown.empty());
        QVERIFY(archiveExists(kPersonalArchive));
        QCOMPARE(lines("FileSet\\MMVarLas.stt").at(5), std::string("Da definire"));
        const QStringList subject = window.subjectLines();
        QCOMPARE(subject.size(), 6);
        QCOMPARE(subject.at(0).trimmed(), QString("ROSSI MARIA"));
        QCOMPARE(subject.at(1), QString("Nascita 01/01/2000 13:00  Correz. +1.00"));
        QCOMPARE(subject.at(5), QString("Calendario GREGORIANO"));
        QCOMPARE(window.findChild<QPushButton*>("BBnome")->text(), QString("Nome Cognome"));
        QVERIFY(!window.findChild<QComboBox*>("CBnodo")->isEnabled());
        QVERIFY(!window.findChild<QPushButton*>("BBapriTesto")->isVisibleTo(&window));
    }

    void withoutACurrentSubjectTheBoxSaysSo() {
        TFoSpagyr window;
        window.FormActivate();
        QVERIFY(shown_->shown.empty());
        QCOMPARE(window.subjectLines().at(0), QString("Nessun soggetto selezionato"));
    }

    void nodeAndOrbChangesAreAppliedWhenIdle() {
        TFoSpagyr window;
        window.show();
        window.FormActivate();
        QTest::mouseClick(window.findChild<QToolButton*>("BBlock"), Qt::LeftButton);
        auto* node = window.findChild<QComboBox*>("CBnodo");
        QVERIFY(node->isEnabled());
        node->setCurrentText("VERO");
        QCOMPARE(lines("FileSet\\OrbiDomi.stt").at(17), std::string("MEDIO")); // not yet
        QTest::qWait(20);
        QCOMPARE(lines("FileSet\\OrbiDomi.stt").at(17), std::string("VERO"));
        QCOMPARE(chartSettings().nodeKind, std::string("VERO"));
        window.CBnodoDblClick();
        QTest::qWait(20);
        QCOMPARE(lines("FileSet\\OrbiDomi.stt").at(17), std::string("MEDIO"));

        window.findChild<QComboBox*>("CBorbite")->setCurrentIndex(2);
        QTest::qWait(20);
        QCOMPARE(lines("FileSet\\OrbiDomi.stt").at(18), std::string("C"));
        QCOMPARE(lines("FileDum\\MMVarOrb.dum").at(48), std::string("C"));

        // The same set chosen again writes the active orbs again.
        std::filesystem::remove(dataDir().resolve("FileSet\\OrbiDomi.stt"));
        auto* orbs = window.findChild<QComboBox*>("CBorbite");
        emit orbs->activated(orbs->currentIndex());
        QTest::qWait(20);
        QCOMPARE(lines("FileSet\\OrbiDomi.stt").at(18), std::string("C"));
    }

    void aMissingOrbSetsFileIsNamed() {
        TFoSpagyr window;
        window.FormActivate();
        std::filesystem::remove(dataDir().resolve("FileDum\\MMVarOrb.dum"));
        window.findChild<QComboBox*>("CBorbite")->setCurrentIndex(1);
        QTest::qWait(20);
        QVERIFY(shown_->shown.size() >= 1);
        QCOMPARE(shown_->shown.front().text, QString("Manca File \"MMVarOrb.dum\""));
        QCOMPARE(lines("FileSet\\OrbiDomi.stt").at(18), std::string("A"));
    }

    void theCodeFieldSwitchesTheAccessModes() {
        TFoSpagyr window;
        window.show();
        QTest::mouseClick(window.findChild<QPushButton*>("BBcodice"), Qt::LeftButton);
        auto* code = window.findChild<QLineEdit*>("EdPass");
        QVERIFY(code->isVisible());
        QTest::keyClicks(code, "x");
        QCOMPARE(code->text(), QString("*"));
        QTest::keyClicks(code, "tavoscrin");
        QVERIFY(!accessModes().administrator); // the wrong first key spoils the buffer
        window.EdPassDblClick();
        QTest::keyClicks(code, "tavoscrin");
        QVERIFY(accessModes().administrator);
        QCOMPARE(code->text(), QString("OK"));
        QVERIFY(!code->isVisible());
    }

    void buttonsOpenTheirWindows() {
        registerExample();
        TFoSpagyr window;
        window.show();
        window.FormActivate();
        const std::pair<const char*, const char*> buttons[] = {
            {"BBrichiamo", "qv::TFormRich"},     {"BBinserimento", "qv::TFoInputSpa"},
            {"BBelimina", "qv::TFoCancel"},      {"BBmodifica", "qv::TFoModifi"},
            {"BBorbite", "qv::TFoOrbSpa"},       {"BBspessore", "qv::TFoSpeLin"},
            {"BBbackup", "qv::TFoBakMod1"},      {"BBnome", "qv::TFoNomUte"},
            {"BBstampa", "qv::TFoStampa"},       {"BBistruzioni", "qv::TFoIstDef"}};
        for (auto [button, windowClass] : buttons) {
            QString opened;
            QTimer::singleShot(50, [&] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    opened = modal->metaObject()->className();
                    modal->close();
                }
            });
            auto* b = window.findChild<QPushButton*>(button);
            QVERIFY2(b, button);
            b->click();
            QCOMPARE(opened, QString(windowClass));
        }
    }

private:
    std::unique_ptr<test::TempDataDir> dir_;
    RecordingDialogs* shown_ = nullptr;
    std::unique_ptr<Dialogs> previous_;
};

QV_WINDOW_TEST(MainWindowTest)
} // namespace main_window_test
#include "main_window_test.moc"
