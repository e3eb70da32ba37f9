// The small settings windows of the main window, driven as a user would.
#include "base/text_file.h"
#include "base/ui/dialogs.h"
#include "base/ui/storable_text.h"
#include "settings/display_settings.h"
#include "shell/ui/backup_window.h"
#include "shell/ui/settings_windows.h"
#include "tests/support/recorded_boxes.h"
#include "tests/support/temp_data_dir.h"

#include <QLabel>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include "tests/support/window_tests.h"

#include <QTest>
#include <QToolButton>

using namespace qv;

namespace settings_windows_test {

class SettingsWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void lineThicknessStepsFromTheShownValueWithinItsBounds() {
        test::TempDataDir dir;
        DisplaySettings s;
        s.lineThickness = 0.52L;
        writeDisplaySettings(s);
        TFoSpeLin window;
        QCOMPARE(window.shownValue(), QString("0.52"));
        auto* down = window.findChild<QToolButton*>("SpinDown");
        auto* up = window.findChild<QToolButton*>("SpinUp");
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(window.shownValue(), QString("0.50"));  // the floor: 0.52 × 0.95 < 0.5
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(window.shownValue(), QString("0.50"));
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(window.shownValue(), QString("0.52"));  // 0.5 / 0.95 = 0.526…, shown in four characters
        QCOMPARE(readDisplaySettings().lineThickness, 0.52L);
        s.lineThickness = 4.0L;
        writeDisplaySettings(s);
        TFoSpeLin atCeiling;
        QTest::mouseClick(atCeiling.findChild<QToolButton*>("SpinUp"), Qt::LeftButton);
        QCOMPARE(atCeiling.shownValue(), QString("4.00"));
        QTest::mouseClick(atCeiling.findChild<QPushButton*>("BBreset"), Qt::LeftButton);
        QCOMPARE(atCeiling.shownValue(), QString("1.00"));
        QCOMPARE(readDisplaySettings().lineThickness, 1.0L);
    }

    void printerTypeTogglesLineTwoAndCloses() {
        test::TempDataDir dir;
        writeDisplaySettings(DisplaySettings{});
        TFoStampa window;
        window.show();
        QSignalSpy closed(&window, &QDialog::finished);
        QTest::mouseClick(window.findChild<QPushButton*>("BBepson"), Qt::LeftButton);
        QVERIFY(window.findChild<QLabel*>("LabAttuata")->text().startsWith("MODIFICA  ATTUATA !"));
        QCOMPARE(readDisplaySettings().printerAdapted, 1);
        // The second click of a double click finds the other button in place.
        QTest::mouseClick(window.findChild<QPushButton*>("BBstandard"), Qt::LeftButton);
        QCOMPARE(readDisplaySettings().printerAdapted, 1);
        QVERIFY(closed.wait(2000));
        QCOMPARE(readTextLines(dir.path() / "FileSet" / "MMVarLas.stt").at(1), std::string("1"));
    }

    // A settings file that cannot be read is reported and left alone by the
    // line thickness and printer type windows, not replaced by the defaults.
    void unreadableSettingsAreNotOverwritten() {
        test::TempDataDir dir;
        const std::string damaged = "1\r\n1\r\n0\r\n1\r\n1.5\r\n/media/chiave/OrdelinxBck\r\n0.9\r\n";
        std::filesystem::create_directories(dir.path() / "FileSet");
        writeFileAtomically(dir.path() / "FileSet" / "MMVarLas.stt", damaged);
        test::RecordedBoxes shown;
        {
            TFoSpeLin window;
            window.QDialog::show();
            QTest::mouseClick(window.findChild<QToolButton*>("SpinUp"), Qt::LeftButton);
            window.accept();
        }
        {
            TFoStampa window;
            window.show();
            QTest::mouseClick(window.findChild<QPushButton*>("BBepson"), Qt::LeftButton);
        }
        QCOMPARE(shown->shown.size(), std::size_t(2));
        QCOMPARE(readWholeFile(dir.path() / "FileSet" / "MMVarLas.stt"), damaged);
    }

    void practitionerNameIsWrittenOnlyWhenChanged() {
        test::TempDataDir dir;
        std::filesystem::create_directories(dir.path() / "FileTmp");
        writeFileAtomically(dir.path() / "FileTmp" / "Personal.Tmp", "Anna\nRossi\n"); // LF: not as we write
        {
            TFoNomUte window;
            QTest::mouseClick(window.findChild<QPushButton*>("BBok"), Qt::LeftButton);
            QVERIFY(!window.changed());
        }
        QCOMPARE(readWholeFile(dir.path() / "FileTmp" / "Personal.Tmp"), std::string("Anna\nRossi\n"));
        TFoNomUte window;
        auto* surname = window.findChild<QLineEdit*>("EdCognome");
        surname->setText("Verdi");
        QTest::mouseClick(window.findChild<QPushButton*>("BBok"), Qt::LeftButton);
        QVERIFY(window.changed());
        QCOMPARE(readWholeFile(dir.path() / "FileTmp" / "Personal.Tmp"), std::string("Anna\r\nVerdi\r\n"));
    }

    // The identity the documents print follows the name in the same file;
    // changing the name afterwards keeps it.
    void practitionerIdentityFollowsTheNameAndSurvivesANameChange() {
        test::TempDataDir dir;
        std::filesystem::create_directories(dir.path() / "FileTmp");
        writeFileAtomically(dir.path() / "FileTmp" / "Personal.Tmp", "Anna\r\nRossi\r\n");
        {
            TFoNomUte window;
            QVERIFY(!window.findChild<QCheckBox*>("CBlegge4")->isChecked());
            QVERIFY(window.findChild<QLineEdit*>("EdLegge4")->text().contains("Legge 14 gennaio 2013, n. 4"));
            window.findChild<QLineEdit*>("EdQualifica")->setText("Naturopata");
            window.findChild<QLineEdit*>("EdContatti")->setText("anna.rossi@example.it");
            window.findChild<QCheckBox*>("CBlegge4")->setChecked(true);
            QTest::mouseClick(window.findChild<QPushButton*>("BBok"), Qt::LeftButton);
            QVERIFY(window.changed());
        }
        PractitionerIdentity id = readPractitionerIdentity();
        QCOMPARE(id.printedLines().size(), std::size_t(3));
        QCOMPARE(id.printedLines()[0], std::string("Anna Rossi, Naturopata"));
        QCOMPARE(id.printedLines()[1], std::string("anna.rossi@example.it"));
        {
            TFoNomUte window;
            window.findChild<QLineEdit*>("EdCognome")->setText("Verdi");
            QTest::mouseClick(window.findChild<QPushButton*>("BBok"), Qt::LeftButton);
        }
        id = readPractitionerIdentity();
        QCOMPARE(id.name.surname, std::string("Verdi"));
        QCOMPARE(id.qualification, std::string("Naturopata"));
        QVERIFY(id.citesLaw4);
        QVERIFY(readWholeFile(dir.path() / "FileTmp" / "Personal.Tmp").rfind("Anna\r\nVerdi\r\nNaturopata\r\n", 0) == 0);
    }

    // Texts go to files in Windows-1252: what it cannot hold is refused
    // with a message, never stored as "?".
    void untypableTextsAreRefusedNotStoredAsQuestionMarks() {
        const std::pair<QString, bool> cases[] = {
            {QString::fromUtf8("Niccolo\xCC\x80"), true},        // a combining accent joins its letter
            {QString::fromUtf8("Forl\xC3\xAC \xE2\x82\xAC"), true},
            {QString::fromUtf8("Mao \xE4\xB8\xAD"), false},      // no Chinese in Windows-1252
            {"Rossi\tMario", false},                               // a tab in a one-line box
        };
        for (const auto& [text, storable] : cases) QCOMPARE(unstorableReason(text).isEmpty(), storable);
        QVERIFY(unstorableReason("riga uno\nriga\tdue", true).isEmpty());
        QVERIFY(unstorableReason(QString("a") + QChar(0x1B), true).contains("ESC"));

        test::TempDataDir dir;
        std::filesystem::create_directories(dir.path() / "FileTmp");
        writeFileAtomically(dir.path() / "FileTmp" / "Personal.Tmp", "Anna\r\nRossi\r\n");
        test::RecordedBoxes shown;
        TFoNomUte window;
        window.findChild<QLineEdit*>("EdCognome")->setText(QString::fromUtf8("\xE7\x8E\x8B"));
        QTest::mouseClick(window.findChild<QPushButton*>("BBok"), Qt::LeftButton);
        QVERIFY(!window.changed());
        QCOMPARE(shown->shown.size(), std::size_t(1));
        QVERIFY(shown->shown[0].text.contains(QString::fromUtf8("\xE7\x8E\x8B")));
        QCOMPARE(readWholeFile(dir.path() / "FileTmp" / "Personal.Tmp"), std::string("Anna\r\nRossi\r\n"));
    }

    // The instructions chooser proposes the short manual at every opening and
    // hands the chosen file of the program folder to the desktop; a manual
    // that is missing or that the desktop refuses is told, not passed over.
    void instructionsChooserOpensTheChosenManual() {
        test::TempDataDir dir;
        writeFileAtomically(dir.path() / "Istruzioni_J.pdf", "%PDF-1.4\n");
        writeFileAtomically(dir.path() / "Istruzioni.pdf", "%PDF-1.4\n");
        test::RecordedBoxes shown;
        QStringList opened;
        bool desktopTakes = true;
        const DocumentOpener previous = documentOpener();
        documentOpener() = [&](const QString& path) {
            opened << path;
            return desktopTakes;
        };
        TFoIstDef window;
        window.show();
        QVERIFY(window.findChild<QRadioButton*>("RBsommarie")->isChecked());
        QTest::mouseClick(window.findChild<QPushButton*>("BBok"), Qt::LeftButton);
        window.show();
        window.findChild<QRadioButton*>("RBestese")->setChecked(true);
        QTest::mouseClick(window.findChild<QPushButton*>("BBok"), Qt::LeftButton);
        window.show();
        QVERIFY(window.findChild<QRadioButton*>("RBsommarie")->isChecked());
        QTest::mouseClick(window.findChild<QPushButton*>("BBannulla"), Qt::LeftButton);
        QCOMPARE(opened, QStringList({QString::fromStdString((dir.path() / "Istruzioni_J.pdf").string()),
                                      QString::fromStdString((dir.path() / "Istruzioni.pdf").string())}));
        QVERIFY(shown->shown.empty());

        QVERIFY(!openManual(nullptr, "Dispensa.pdf"));
        QCOMPARE(opened.size(), 2);
        QVERIFY(shown.last().contains("Dispensa.pdf"));
        desktopTakes = false;
        QVERIFY(!openManual(nullptr, "Istruzioni.pdf"));
        QCOMPARE(shown->shown.size(), std::size_t(2));
        documentOpener() = previous;
    }

    void restoreAnsweredNoCopiesNothing() {
        test::TempDataDir drive;
        test::TempDataDir data;
        writeFileAtomically(data.path() / "BASE.ST1", "current");
        test::RecordedBoxes shown;
        TFoBakMod1 window;
        window.show();
        QTest::mouseClick(window.findChild<QPushButton*>("BBripristino"), Qt::LeftButton);
        QCOMPARE(shown->shown.back().text, QString::fromUtf8("Necessario definire l'Unità di backup"));
        window.chooseDrive(drive.path());
        QTest::mouseClick(window.findChild<QPushButton*>("BBbackup"), Qt::LeftButton);
        writeFileAtomically(data.path() / "BASE.ST1", "changed");
        shown->answers = {Dialogs::Answer::No};
        QTest::mouseClick(window.findChild<QPushButton*>("BBripristino"), Qt::LeftButton);
        QCOMPARE(window.findChild<QLabel*>("LabUnita")->text(), QString("Origine:"));
        QCOMPARE(readWholeFile(data.path() / "BASE.ST1"), std::string("changed"));
        QCOMPARE(QString::fromStdString(readDisplaySettings().backupFolder),
                 QString::fromStdString((drive.path() / "OrdelinxBck").string()));
    }
};

QV_WINDOW_TEST(SettingsWindowsTest)
} // namespace settings_windows_test
#include "settings_windows_test.moc"
