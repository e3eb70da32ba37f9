// The orb editor: validation of the fields and applying a set.
#include "settings/chart_settings.h"
#include "analysis/ui/orb_editor.h"
#include "base/data_dir.h"
#include "base/text_file.h"
#include "base/ui/dialogs.h"
#include "tests/support/temp_data_dir.h"

#include <QLineEdit>
#include <QPushButton>
#include "tests/support/window_tests.h"

#include <QTest>

using namespace qv;

namespace orb_editor_test {

class OrbEditorTest : public QObject {
    Q_OBJECT

private slots:
    void invalidFieldsTurnRedAndKeepTheWindowOpen() {
        test::TempDataDir dir(true);
        auto recorder = std::make_unique<RecordingDialogs>();
        RecordingDialogs* shown = recorder.get();
        auto previous = setDialogs(std::move(recorder));
        TFoOrbSpa window;
        auto* field = window.findChild<QLineEdit*>("EditQuadB");
        QVERIFY(field);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, "16");
        QTest::qWait(20); // the idle validation
        QVERIFY(!window.allValid());
        QCOMPARE(field->text(), QString());
        QVERIFY(field->styleSheet().contains("red"));
        QVERIFY(!window.findChild<QPushButton*>("BBritorna")->isEnabled());
        QTest::mouseClick(window.findChild<QPushButton*>("BBadottaB"), Qt::LeftButton);
        QCOMPARE(shown->shown.back().text, QString("Errore Impostazione Orbite"));
        QTest::keyClicks(field, "4.5");
        QTest::qWait(20);
        QVERIFY(window.allValid());
        QCOMPARE(field->text(), QString("4,5"));
        setDialogs(std::move(previous));
    }

    void adoptingASetWritesBothFilesAndTheOrbsInForce() {
        test::TempDataDir dir(true);
        TFoOrbSpa window;
        QString caption;
        connect(&window, &TFoOrbSpa::orbSetApplied, [&](const QString& c) { caption = c; });
        auto* trineC = window.findChild<QLineEdit*>("EditTrigC");
        trineC->setText("6,25");
        window.FieldChange();
        window.ValidateFields();
        QTest::mouseClick(window.findChild<QPushButton*>("BBadottaC"), Qt::LeftButton);
        QCOMPARE(caption, QString("C (personali)"));
        QCOMPARE(window.activeLetter(), QString("C"));
        QCOMPARE(chartSettings().setLetter, std::string("C"));
        QCOMPARE(ActiveOrbs()[3], 6.25L); // the trine by orb index
        const auto active = readTextLines(dataDir().resolve("FileSet\\OrbiDomi.stt"));
        QCOMPARE(active.at(9), settingRealText(6.25L));
        QCOMPARE(active.at(18), std::string("C"));
        const auto sets = readTextLines(dataDir().resolve("FileDum\\MMVarOrb.dum"));
        QCOMPARE(sets.at(0), std::string("10"));
        QCOMPARE(sets.at(48), std::string("C"));
    }
};

QV_WINDOW_TEST(OrbEditorTest)
} // namespace orb_editor_test
#include "orb_editor_test.moc"
