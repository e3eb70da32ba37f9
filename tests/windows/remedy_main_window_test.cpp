// The main window's "Consultazione Rimedi" buttons open the remedy windows;
// the therapy window is one window for the whole run and keeps its rows.
#include "base/data_dir.h"
#include "base/ui/dialogs.h"
#include "remedies/support_lists.h"
#include "remedies/ui/consultation_windows.h"
#include "shell/ui/main_window.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include "tests/support/window_tests.h"

#include <QTest>
#include <QTimer>

using namespace qv;

namespace remedy_main_window_test {

class RemedyMainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;
    std::unique_ptr<Dialogs> previous_;

    // Clicks `button` and runs `inside` on the modal window it opens, then closes it.
    QString openWith(TFoSpagyr& main, const char* button, const std::function<void(QWidget*)>& inside = {}) {
        QString opened;
        QTimer::singleShot(50, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = modal->metaObject()->className();
                if (inside) inside(modal);
                modal->close();
            }
        });
        main.findChild<QPushButton*>(button)->click();
        return opened;
    }

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>(false);
        test::writeZeroCorrectionTables(dir_->path());
        previous_ = setDialogs(std::make_unique<RecordingDialogs>());
        test::writeRemedyDatabase(dataDir(), {test::remedy("Malva", "Tosse")});
        test::writeRepertoryDatabase(dataDir(), {test::therapy("Tosse", "Malva", "5 gocce")});
        remedies::rebuildSupportLists(dataDir());
    }
    void cleanup() {
        setDialogs(std::move(previous_));
        dir_.reset();
    }

    void consultationButtonsOpenTheirWindows() {
        TFoSpagyr main;
        main.show();
        const std::pair<const char*, const char*> buttons[] = {
            {"BBsintomi", "qv::TFoSintom1"},       {"BBrimedi", "qv::TFoRimed"},
            {"BBterapie", "qv::TFoTerapi"},       {"BBsintomiMultipli", "qv::TFoRicCom"},
            {"BBterapieComposite", "qv::TFoTerCom"}};
        for (auto [button, windowClass] : buttons) QCOMPARE(openWith(main, button), QString(windowClass));

        // The therapy window keeps its rows from one opening to the next.
        openWith(main, "BBterapie", [](QWidget* w) {
            auto* list = w->findChild<QListWidget*>("ListBox1");
            static_cast<TFoTerapi*>(w)->ListBox1Click(list->count() - 1);
        });
        QString kept;
        openWith(main, "BBterapie", [&](QWidget* w) { kept = w->findChild<QLineEdit*>("EdP1")->text(); });
        QCOMPARE(kept, QString("Malva"));
    }
};

QV_WINDOW_TEST(RemedyMainWindowTest)
} // namespace remedy_main_window_test
#include "remedy_main_window_test.moc"
