// The maintenance windows of the remedy database driven as the
// administrator would: the two editors (length warnings, save, append,
// delete, rebuild, new order, trova, the check on leaving), the update
// window on media folders, the plant viewer and search-and-correct.
#include "base/data_dir.h"
#include "base/ui/search_box.h"
#include "base/text_file.h"
#include "base/ui/dialogs.h"
#include "remedies/maintenance.h"
#include "remedies/remedy_files.h"
#include "remedies/ui/database_editor.h"
#include "remedies/ui/maintenance_windows.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/temp_data_dir.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include "tests/support/window_tests.h"

#include <QTest>

#include <fstream>
#include <sys/stat.h>
#include <fcntl.h>

using namespace qv;

namespace maintenance_windows_test {
using qv::test::remedy;
using qv::test::therapy;

void clickEntry(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void doubleClickEntry(QListWidget* list, int row) {
    list->scrollToItem(list->item(row));
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

QStringList listed(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

template <typename T = QLineEdit>
T* child(QWidget* w, const char* name) {
    T* c = w->findChild<T*>(name);
    if (!c) qFatal("missing control %s", name);
    return c;
}

void press(QWidget* w, const char* name) { QTest::mouseClick(child<QPushButton>(w, name), Qt::LeftButton); }

// Saves a picture of the window when QV_REMEDY_SCREENSHOTS names a folder.
void picture(QWidget* window, const char* name) {
    const QByteArray dir = qgetenv("QV_REMEDY_SCREENSHOTS");
    if (!dir.isEmpty()) window->grab().save(QString("%1/%2.png").arg(QString::fromLocal8Bit(dir), name));
}

std::vector<std::string> names() {
    std::vector<std::string> out;
    for (const remedies::RemedyRecord& r : remedies::readRemedies(dataDir())) out.push_back(r.rimedio);
    return out;
}

class MaintenanceWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;
    std::unique_ptr<Dialogs> previous_;
    RecordingDialogs* boxes_ = nullptr;

    QStringList shownTexts() const {
        QStringList out;
        for (const auto& s : boxes_->shown) out << s.text;
        return out;
    }

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>();
        auto recorder = std::make_unique<RecordingDialogs>();
        boxes_ = recorder.get();
        previous_ = setDialogs(std::move(recorder));
        remedies::RemedyRecord tarassaco = remedy("Tarassaco", "Digestione lenta", "Giove", "Sagittario");
        tarassaco.setWarnings("Non in gravidanza.");
        test::writeRemedyDatabase(dataDir(), {tarassaco, remedy("Melissa (2)", "Insonnia", "Luna", "Cancro"),
                                              remedy("Iperico", "Malinconia", "Sole", "Leone")});
        test::writeRepertoryDatabase(dataDir(), {therapy("Cefalea", "Melissa (2)", "10 gocce", "prima dei pasti"),
                                                 therapy("Ansia", "Valeriana", "15 gocce")});
    }
    void cleanup() {
        setDialogs(std::move(previous_));
        dir_.reset();
    }

    void editingControlsOnlyInAdministratorMode() {
        TFoMainArc window;
        window.show();
        QVERIFY(!child<QPushButton>(&window, "BBsalva")->isVisible());
        QVERIFY(!child<QPlainTextEdit>(&window, "MemoInfo")->isVisible());
        QVERIFY(child(&window, "EdProd")->isReadOnly());
        QCOMPARE(listed(window.list()), QStringList({"Iperico**Malinconia", "Melissa (2)**Insonnia",
                                                      "Tarassaco**Digestione lenta"}));
        // Browsing: a click loads, leaving asks nothing.
        clickEntry(window.list(), 1);
        QCOMPARE(child(&window, "EdProd")->text(), QString("Melissa (2)"));
        QVERIFY(child<QLabel>(&window, "MemoPare")->isVisible());
        picture(&window, "TFoMainArc_browse");
        press(&window, "BBritorna");
        QVERIFY(!window.isVisible());

        window.setAdministrator(true);
        window.show();
        for (const char* name : {"BBsalva", "BBnuovo", "BBelimina", "BBRico", "BBinfo", "BBmodifEle", "BBtrova"})
            QVERIFY2(child<QPushButton>(&window, name)->isVisible(), name);
        QVERIFY(child<QPlainTextEdit>(&window, "MemoInfo")->toPlainText().startsWith("ATTENZIONE: Sono consentite"));
        // With the notice and every button, the editor still fits a 1366x768
        // screen with room for a title bar and a task bar.
        clickEntry(window.list(), 1);
        QVERIFY(child<QLabel>(&window, "MemoPare")->isVisible());
        QVERIFY2(window.height() <= 720 && window.width() <= 1366, qPrintable(QString::number(window.height())));
        window.hideSavingControls();
        QVERIFY(!child<QPushButton>(&window, "BBsalva")->isVisible());
        QVERIFY(child<QPushButton>(&window, "BBmodifEle")->isVisible());
    }

    void lengthWarningAtTheLimitAndAppendOnAHeaderOnlyDatabase() {
        test::writeRemedyDatabase(dataDir(), {});
        TFoMainArc window;
        window.setAdministrator(true);
        window.show();
        QCOMPARE(window.list()->count(), 0);
        auto* name = child(&window, "EdProd");
        QTest::keyClicks(name, QString(50, 'a'));
        QVERIFY(!window.lengthWarning()->isVisible());
        QTest::keyClicks(name, "b");
        QVERIFY(window.lengthWarning()->isVisible());
        QTest::keyClick(name, Qt::Key_Backspace);
        QVERIFY(!window.lengthWarning()->isVisible());
        QTest::keyClicks(name, "b");
        // Line breaks count two characters.
        auto* indication = child<QPlainTextEdit>(&window, "MemoIndi");
        QTest::keyClicks(indication, QString(298, 'i'));
        QVERIFY(!window.lengthWarning()->isVisible());
        QTest::keyClick(indication, Qt::Key_Return);
        QVERIFY(!window.lengthWarning()->isVisible());
        QTest::keyClicks(indication, "j");
        QVERIFY(window.lengthWarning()->isVisible());
        picture(&window, "TFoMainArc_limit");

        press(&window, "BBsalva");
        QCOMPARE(shownTexts(), QStringList({"Possibile solo [Salva come Nuovo]"}));
        QCOMPARE(remedies::listedCount(dataDir(), remedies::Database::Primary), 0);
        press(&window, "BBnuovo");
        QCOMPARE(child(&window, "EdNumRec")->text(), QString("Tot=1"));
        const remedies::RemedyRecord saved = remedies::readRemedies(dataDir()).at(1);
        QCOMPARE(saved.rimedio, std::string(50, 'a')); // the 51st character is not stored
        QCOMPARE(saved.indication(), std::string(298, 'i') + "\r\n");
        QCOMPARE(window.list()->count(), 1);
        // A line break inside the indication would split it in the symptom list.
        boxes_->shown.clear();
        indication->setPlainText("Tosse\nsecca");
        press(&window, "BBnuovo");
        QCOMPARE(boxes_->shown.size(), std::size_t(1));
        QVERIFY(boxes_->shown[0].text.startsWith("L'indicazione va scritta su una sola riga"));
        QCOMPARE(remedies::listedCount(dataDir(), remedies::Database::Primary), 1);
    }

    void renamingAndLeavingShowsThePanel() {
        TFoMainArc window;
        window.setAdministrator(true);
        window.show();
        clickEntry(window.list(), 2); // Tarassaco
        QCOMPARE(child(&window, "EdNumRec")->text(), QString("1 / 3"));
        QCOMPARE(child<QPlainTextEdit>(&window, "MemoAvve")->toPlainText(), QString("Non in gravidanza."));
        auto* name = child(&window, "EdProd");
        name->selectAll();
        QTest::keyClicks(name, "Tarassaco officinale");
        press(&window, "BBritorna");
        auto* panel = child<QWidget>(&window, "PanelSalva");
        QVERIFY(panel->isVisible() && window.isVisible());
        QVERIFY(child<QLabel>(&window, "LabNome")->isEnabled());
        QVERIFY(!child<QLabel>(&window, "LabChiave")->isEnabled());
        QVERIFY(!child<QLabel>(&window, "LabDescr")->isEnabled());
        QVERIFY(child<QPushButton>(&window, "PBsalva")->isEnabled());
        QVERIFY(child<QPushButton>(&window, "PBnuovo")->isEnabled());
        QVERIFY(child<QPushButton>(&window, "PBelimina")->isEnabled());
        picture(&window, "TFoMainArc_exit_panel");
        press(&window, "PBsalva");
        QVERIFY(!window.isVisible());
        QCOMPARE(names()[1], std::string("Tarassaco officinale"));
        QCOMPARE(remedies::readRemedies(dataDir())[1].warnings(), std::string("Non in gravidanza."));
    }

    void deletionThenRebuildOfTheSupportLists() {
        TFoMainArc window;
        window.setAdministrator(true);
        window.show();
        clickEntry(window.list(), 0); // Iperico, record 3
        press(&window, "BBelimina");
        QCOMPARE(boxes_->shown.size(), std::size_t(1)); // the confirmation
        QCOMPARE(child(&window, "EdNumRec")->text(), QString("Tot=2"));
        QCOMPARE(window.list()->count(), 2);
        press(&window, "BBRico");
        QVERIFY(child<QRadioButton>(&window, "RBindi")->isChecked());
        QCOMPARE(listed(window.list()).first(), QString("Digestione lenta**Tarassaco"));
        const DataDir& d = dataDir();
        QCOMPARE(readTextLines(d.resolve(remedies::files::kSymptomList)),
                 (std::vector<std::string>{"Digestione lenta", "Insonnia"}));
        QVERIFY(remedies::readNames(d, "OpzioneH\\SolePri.rnd", 50).empty());
        QCOMPARE(remedies::readNames(d, "OpzioneH\\LunaPri.rnd", 50), (std::vector<std::string>{"Melissa (2)"}));
    }

    void reorderingThroughAnExistingProvisionalFile() {
        { std::ofstream(dataDir().prepareForWrite("ArcProv.rnd")) << "resto"; }
        TFoMainArc window;
        window.setAdministrator(true);
        window.show();
        press(&window, "BBmodifEle");
        QCOMPARE(child<QPushButton>(&window, "BBmodifEle")->text(), QString("Definitivo"));
        QVERIFY(child<QPushButton>(&window, "BBannulla")->isVisible());
        QVERIFY(!child<QRadioButton>(&window, "RBprod")->isVisible());
        QCOMPARE(listed(window.list()).first(), QString("Tarassaco**Digestione lenta")); // file order
        doubleClickEntry(window.list(), 2);
        QCOMPARE(child(&window, "EdCerca")->text(), QString("Iperico**Malinconia"));
        doubleClickEntry(window.list(), 0);
        QCOMPARE(listed(window.list()), QStringList({"Iperico**Malinconia", "Tarassaco**Digestione lenta",
                                                      "Melissa (2)**Insonnia"}));
        picture(&window, "TFoMainArc_reorder");
        press(&window, "BBmodifEle");
        QCOMPARE(child<QPushButton>(&window, "BBmodifEle")->text(), QString("Modifica Elenco"));
        QCOMPARE(names(), (std::vector<std::string>{"Intestazione", "Iperico", "Tarassaco", "Melissa (2)"}));
        QVERIFY(!dataDir().exists("ArcProv.rnd"));

        // "Annulla Modifiche" writes nothing.
        press(&window, "BBmodifEle");
        doubleClickEntry(window.list(), 2);
        doubleClickEntry(window.list(), 0);
        press(&window, "BBannulla");
        QCOMPARE(names(), (std::vector<std::string>{"Intestazione", "Iperico", "Tarassaco", "Melissa (2)"}));
    }

    void deleteKeyIsNoCharacterOfTheCercaPrefix() {
        TFoMainArc window;
        window.show();
        auto* cerca = child(&window, "EdCerca");
        QTest::keyClicks(cerca, "me");
        // The Delete key carries the character 127 on some keyboards: it is
        // an editing key, not a character of the prefix.
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f)));
        QApplication::sendEvent(cerca, &del);
        QTest::keyClick(cerca, Qt::Key_Backspace);
        QCOMPARE(cerca->text(), QString("m"));
    }

    // The editor's box and its "trova" compare folded keys, as every list does.
    void editorCercaAndTrovaIgnoreCaseAccentsAndPunctuation() {
        TFoMainArc window;
        window.setAdministrator(true);
        window.show();
        auto* cerca = window.findChild<SearchBox*>("EdCerca");
        const struct {
            const char* typed;
            int row;
            QStringList dropDown;
            bool noMatch;
        } cases[] = {
            {"MELISSA 2", 1, {}, false},
            {"tarassaco  digest", 2, {}, false},
            {"malinconia", -1, {"Iperico**Malinconia"}, false},
            {"zzzz", -1, {}, true},
        };
        for (const auto& c : cases) {
            cerca->clearSearch();
            QTest::keyClicks(cerca, c.typed);
            QCOMPARE(window.list()->currentRow(), c.row);
            QCOMPARE(cerca->dropDownTexts(), c.dropDown);
            QCOMPARE(cerca->noMatch(), c.noMatch);
        }
        auto* box = child(&window, "EdTrova");
        QTest::keyClicks(box, "DIGESTIONE");
        press(&window, "BBtrova");
        QCOMPARE(window.list()->currentRow(), 2);
    }

    void trovaGoesOnAndStartsAgain() {
        TFoMainArc window;
        window.setAdministrator(true);
        window.show();
        auto* box = child(&window, "EdTrova");
        QTest::keyClicks(box, "in");
        press(&window, "BBtrova");
        QCOMPARE(window.list()->currentRow(), 0); // "Iperico**Malinconia"
        press(&window, "BBtrova");
        QCOMPARE(window.list()->currentRow(), 1); // "Melissa (2)**Insonnia"
        press(&window, "BBtrova");                 // no more: the next press starts again
        press(&window, "BBtrova");
        QCOMPARE(window.list()->currentRow(), 0);
    }

    void repertoryEditorShowsThePrimaryDatabase() {
        TFoAggRep window;
        window.setAdministrator(true);
        window.show();
        QCOMPARE(listed(window.list()), QStringList({"Ansia**Valeriana", "Cefalea**Melissa (2)"}));
        clickEntry(window.list(), 0);
        auto* prim = child<QPlainTextEdit>(&window, "MemoPrim");
        QCOMPARE(prim->toPlainText(), QString("Valeriana non \u00E8 rintracciabile nel Database Primario."));
        QVERIFY(!child<QPushButton>(&window, "BBavve")->isEnabled());
        clickEntry(window.list(), 1);
        press(&window, "BBsegn");
        QCOMPARE(prim->toPlainText(), QString("Luna\n\nCancro"));
        press(&window, "BBavve");
        QCOMPARE(prim->toPlainText(), QString("Nessuna Avvertenza Registrata"));
        // The notes are measured after every change.
        auto* notes = child<QPlainTextEdit>(&window, "MemoNote");
        notes->setPlainText(QString(751, 'n'));
        QVERIFY(window.lengthWarning()->isVisible());
        picture(&window, "TFoAggRep");
        notes->setPlainText(QString(750, 'n'));
        QVERIFY(!window.lengthWarning()->isVisible());
        press(&window, "BBsalva");
        QCOMPARE(remedies::readRepertory(dataDir())[1].notes(), std::string(750, 'n'));
        press(&window, "BBRico");
        QCOMPARE(readTextLines(dataDir().resolve(remedies::files::kPathologies)),
                 (std::vector<std::string>{"Ansia", "Cefalea"}));
    }

    void updatesFromMediaFolders() {
        namespace fs = std::filesystem;
        const fs::path media = dir_->path() / "media";
        auto make = [&](const char* medium, std::time_t when, bool withRepertory) {
            const fs::path f = media / medium / "OpzioneH";
            fs::create_directories(f);
            fs::copy_file(dataDir().resolve(remedies::files::kRemedies), f / "DBmain.rnd");
            if (withRepertory) fs::copy_file(dataDir().resolve(remedies::files::kRepertory), f / "Repertorio.rnd");
            const timespec t[2] = {{when, 0}, {when, 0}};
            for (const char* file : {"DBmain.rnd", "Repertorio.rnd"}) ::utimensat(AT_FDCWD, (f / file).c_str(), t, 0);
        };
        make("VECCHIA", 1000000000, true);
        make("NUOVA", 1900000000, false);
        make("TERZA", 1000000000, true);
        make("ZQUARTA", 1000000000, true);
        TFoAggiorna window;
        window.setMountCandidates([media] { return remedies::mountCandidates({media}, {}); });
        window.show();
        QVERIFY(child(&window, "EdDisp1")->text().endsWith("NUOVA"));
        QVERIFY(child(&window, "EdDisp3")->text().endsWith("VECCHIA")); // the fourth is not offered
        QVERIFY(child(&window, "EdNuoAgg3")->styleSheet().contains("red"));
        QVERIFY(child(&window, "EdNuoAgg1")->styleSheet().contains("aqua"));
        QVERIFY(child<QPlainTextEdit>(&window, "Memo1")->toPlainText().contains("non esiste"));
        press(&window, "BBok1");
        QCOMPARE(child(&window, "EdUltAgg")->text(), child(&window, "EdNuoAgg1")->text());
        QCOMPARE(child<QPushButton>(&window, "BBritorna")->text(), QString("Fatto. Ritorna al Menu"));
        QCOMPARE(shownTexts(), QStringList({"L'aggiornamento non conteneva Repertorio.rnd: resta in uso quello "
                                            "gi\u00E0 installato."}));
        QVERIFY(dataDir().exists("OpzioneH\\AutoSet"));
        picture(&window, "TFoAggiorna");

        boxes_->shown.clear();
        window.setMountCandidates([] { return std::vector<std::filesystem::path>{}; });
        window.FormActivate();
        QCOMPARE(shownTexts(), QStringList({"Non \u00E8 stato rilevato alcun disco di aggiornamento"}));
        QVERIFY(!child<QPushButton>(&window, "BBok1")->isEnabled());
    }

    void plantViewerInFileAndPlantOrder() {
        std::vector<remedies::PlantEntryRecord> plants(3);
        plants[1].pianta = "Salvia";
        plants[1].sintomo = "Affanno";
        plants[1].autori = "Autori vari";
        plants[2].pianta = "Achillea";
        plants[2].sintomo = "Crampi";
        remedies::writePlantEntries(dataDir(), plants);
        TFoManut1 window;
        window.show();
        auto* list = child<QListWidget>(&window, "ListBox1");
        QCOMPARE(list->item(0)->text(), QString("Salvia              Affanno"));
        press(&window, "BitBtn1");
        QCOMPARE(list->item(0)->text(), QString("Achillea            Crampi"));
        clickEntry(list, 1);
        QCOMPARE(child(&window, "EdPianta")->text(), QString("Salvia"));
        QCOMPARE(child(&window, "EdAutori")->text(), QString("Autori vari"));
        picture(&window, "TFoManut1");
        press(&window, "BitBtn1");
        QCOMPARE(list->item(0)->text(), QString("Salvia              Affanno"));
    }

    void searchAndCorrect() {
        TFoUtilit window;
        window.show();
        QVERIFY(!child<QWidget>(&window, "PanelTerap")->isVisible());
        QTest::keyClicks(child(&window, "EditCerca"), "meli");
        press(&window, "BBcerca");
        QCOMPARE(child(&window, "EdRime")->text(), QString("Melissa (2)"));
        QCOMPARE(child<QPlainTextEdit>(&window, "Memo1")->toPlainText(), QString(""));
        QCOMPARE(child<QPlainTextEdit>(&window, "Memo2")->toPlainText(), QString("Melissa (2)"));
        QCOMPARE(child(&window, "Edit2")->text(), QString("11/50"));
        QCOMPARE(child(&window, "Edit1")->text(), QString("3"));
        QCOMPARE(child<QPushButton>(&window, "BBcerca")->text(), QString("Continua"));
        // Typing without a click into the memo does not enable "Salva".
        auto* memo2 = child<QPlainTextEdit>(&window, "Memo2");
        memo2->setPlainText("Melissa officinale (2)");
        QVERIFY(!child<QPushButton>(&window, "BBsalva")->isEnabled());
        QTest::mouseClick(memo2->viewport(), Qt::LeftButton);
        QTest::keyClicks(memo2, QString(40, 'x'));
        QVERIFY(child<QPushButton>(&window, "BBsalva")->isEnabled());
        picture(&window, "TFoUtilit");
        const std::string before = test::fileBytes(dataDir(), remedies::files::kRemedies);
        press(&window, "BBsalva"); // 62 characters in a field of 50: refused
        QCOMPARE(boxes_->shown.size(), std::size_t(1));
        QVERIFY(boxes_->shown[0].text.contains("al massimo 50"));
        QCOMPARE(test::fileBytes(dataDir(), remedies::files::kRemedies), before);
        memo2->setPlainText("Melissa officinale (2)");
        press(&window, "BBsalva");
        QCOMPARE(names()[2], std::string("Melissa officinale (2)"));
        press(&window, "BBcerca");
        QCOMPARE(child(&window, "EdRime")->text(), QString("FINE ARCHIVIO"));
        QCOMPARE(child(&window, "Edit1")->text(), QString("3"));

        // The repertory's notes.
        QTest::mouseClick(child<QRadioButton>(&window, "RadioButton6"), Qt::LeftButton);
        QVERIFY(child<QWidget>(&window, "PanelTerap")->isVisible());
        child<QRadioButton>(&window, "RBnotes")->click();
        child(&window, "EditCerca")->setText("pasti");
        press(&window, "BBcerca");
        QCOMPARE(child<QPlainTextEdit>(&window, "Memo1")->toPlainText(), QString("prima dei "));
        QTest::mouseClick(child<QPlainTextEdit>(&window, "Memo1")->viewport(), Qt::LeftButton);
        child<QPlainTextEdit>(&window, "Memo1")->setPlainText("dopo i ");
        press(&window, "BBsalva");
        QCOMPARE(remedies::readRepertory(dataDir())[1].notes(), std::string("dopo i pasti"));
        QCOMPARE(names()[2], std::string("Melissa officinale (2)"));
    }

    // A correction typed for one archive's field is never written into
    // another field: changing the archive, or opening the window again,
    // forgets the hit and disarms "Salva".
    void correctionIsForgottenWhenTheArchiveChanges() {
        const std::string primary = test::fileBytes(dataDir(), remedies::files::kRemedies);
        const std::string repertory = test::fileBytes(dataDir(), remedies::files::kRepertory);
        TFoUtilit window;
        window.show();
        auto* memo2 = child<QPlainTextEdit>(&window, "Memo2");
        auto typeCorrection = [&] {
            QTest::keyClicks(child(&window, "EditCerca"), "meli");
            press(&window, "BBcerca");
            QCOMPARE(child(&window, "EdRime")->text(), QString("Melissa (2)"));
            QTest::mouseClick(memo2->viewport(), Qt::LeftButton);
            memo2->setPlainText("Melissa corretta");
            QVERIFY(child<QPushButton>(&window, "BBsalva")->isEnabled());
        };
        typeCorrection();
        QTest::mouseClick(child<QRadioButton>(&window, "RadioButton6"), Qt::LeftButton);
        QVERIFY(!child<QPushButton>(&window, "BBsalva")->isEnabled());
        QVERIFY(memo2->toPlainText().isEmpty());
        press(&window, "BBsalva");

        QTest::mouseClick(child<QRadioButton>(&window, "RadioButton5"), Qt::LeftButton);
        child(&window, "EditCerca")->clear();
        typeCorrection();
        window.hide();
        window.show();
        QVERIFY(!child<QPushButton>(&window, "BBsalva")->isEnabled());
        press(&window, "BBsalva");
        QCOMPARE(test::fileBytes(dataDir(), remedies::files::kRemedies), primary);
        QCOMPARE(test::fileBytes(dataDir(), remedies::files::kRepertory), repertory);
    }
};

QV_WINDOW_TEST(MaintenanceWindowsTest)
} // namespace maintenance_windows_test
#include "maintenance_windows_test.moc"
