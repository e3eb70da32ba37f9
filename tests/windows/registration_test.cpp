// The registration window on its own: what it shows, where it registers,
// the annotations, the text document and the file it leaves on closing.
#include "tests/windows/editor_opener.h"
#include "archive/archive_files.h"
#include "archive/current_subject.h"
#include "archive/side_files.h"
#include "archive/ui/registration_window.h"
#include "base/text_file.h"
#include "base/ui/dialogs.h"
#include "editor/ui/text_editor_window.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include "tests/support/window_tests.h"

#include <QTest>
#include <QTextEdit>
#include <QTimer>

using namespace qv;
namespace fs = std::filesystem;

namespace registration_test {

EnteredBirth milano1944() {
    EnteredBirth e;
    NewSubject& s = e.subject;
    s.name = "VERDI GIUSEPPE";
    s.day = 15;
    s.month = 6;
    s.year = 1944;
    s.hour = 10;
    s.minute = 30;
    s.corr = -2;
    s.coordinates = "45N28-009E11";
    s.place = "MILANO (MI)";
    s.nation = "ITALIA";
    e.dateText = "15/06/1944 10:30";
    e.gmt = "+2";
    e.julianDay = "2431256.8542";
    return e;
}

std::vector<std::string> lines(const fs::path& file) { return readTextLines(file); }

class RegistrationTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;
    RecordingDialogs* shown_ = nullptr;
    std::unique_ptr<Dialogs> previous_;

    static QLineEdit* field(QWidget& w, const char* name) { return w.findChild<QLineEdit*>(name); }
    static void click(QWidget& w, const char* name) {
        QTest::mouseClick(w.findChild<QPushButton*>(name), Qt::LeftButton);
    }

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>(false);
        test::writeZeroCorrectionTables(dir_->path());
        createPersonalArchive();
        auto recorder = std::make_unique<RecordingDialogs>();
        shown_ = recorder.get();
        previous_ = setDialogs(std::move(recorder));
    }
    void cleanup() {
        setDialogs(std::move(previous_));
        dir_.reset();
    }

    void showsTheSubjectReadOnlyAndOffersTheArchives() {
        createArchive("RICE");
        createArchive("TMPR");
        TFormRegSpa window(test::openInEditor);
        EnteredBirth e = milano1944();
        e.gmt = "-";  // a bare sign is a zero offset
        e.subject.gregorian = false;
        e.julianDay = "2431269.85416667";
        window.setEnteredBirth(e);
        const struct {
            const char* name;
            QString text;
        } shown[] = {
            {"EditNome", "VERDI GIUSEPPE"}, {"EditData", "15/06/1944 10:30"}, {"EditGMT", "-0"},
            {"EditLocal", "MILANO (MI)"},   {"EditCoord", "45N28-009E11"},    {"EditCalend", "GIULIANO"},
            {"EditJD", "2431269.8541"},     {"EditStato", "ITALIA"},          {"EditArchi", "BASE"},
            {"EditNumTesto", ""},
        };
        for (const auto& s : shown) QCOMPARE(field(window, s.name)->text(), s.text);
        for (const char* name : {"EditNome", "EditData", "EditGMT", "EditCoord", "EditNumTesto"})
            QVERIFY(field(window, name)->isReadOnly());
        QCOMPARE(field(window, "EditAnnot4")->maxLength(), 64);  // 65-69 hold the text number

        auto* list = window.findChild<QListWidget*>("ListArchivi");
        QStringList captions;
        for (int i = 0; i < list->count(); ++i) captions << list->item(i)->text();
        QCOMPARE(captions, QStringList({"BASE (personale)", "RICE (speciale)", "TMPR (temporaneo)"}));
        QCOMPARE(list->currentItem()->text(), QString("BASE (personale)"));
        window.ListArchiviClick(list->item(1));
        QCOMPARE(field(window, "EditArchi")->text(), QString("RICE"));
    }

    void registersIntoTheChosenArchiveWithAnnotations() {
        createArchive("RICE");
        TFormRegSpa window(test::openInEditor);
        window.setEnteredBirth(milano1944());
        field(window, "EditArchi")->clear();
        QTest::keyClicks(field(window, "EditArchi"), "rice");
        QCOMPARE(field(window, "EditArchi")->text(), QString("RICE"));
        const char* notes[] = {"prima riga", "", "terza", "quarta riga"};
        for (int i = 0; i < 4; ++i) field(window, QString("EditAnnot%1").arg(i + 1).toLatin1())->setText(notes[i]);
        click(window, "BBregistra");
        QVERIFY(shown_->shown.empty());
        QCOMPARE(window.result(), int(QDialog::Accepted));

        Archive rice = openAnyArchive("RICE");
        QCOMPARE(rice.subjectCount(), 1);
        const std::string key = "VERDI GIUSEPPE                        00001";
        QCOMPARE(rice.readIndex(1).text, key);
        QCOMPARE(rice.readBirth(1).annotationNumber, std::string("00001"));
        QCOMPARE(rice.readAnnotation(1).lines[3], std::string("quarta riga") + std::string(53, ' '));
        QCOMPARE(openAnyArchive("BASE").subjectCount(), 0);
        QCOMPARE(readCurrentSubject().nameText, key);
        QCOMPARE(readAnnotationsFile(), std::string("prima riga  terza quarta riga") + std::string(53, ' '));
        QCOMPARE(lines(dir_->path() / "FileDum" / "MMDatArc.dum"),
                 (std::vector<std::string>{"RICE", key, "1", "VERDI GIUSEPPE"}));
        QCOMPARE(archivesInUse(), std::vector<std::string>{"RICE"});
    }

    // The same person twice would share one record: the window names the
    // entry already there. Declining writes nothing; going on, the name
    // opens for a name that tells another person of the same birth apart,
    // and the same name is refused again.
    void theSamePersonTwiceIsRefusedUnlessTheNameTellsThemApart() {
        {
            TFormRegSpa first(test::openInEditor);
            first.setEnteredBirth(milano1944());
            click(first, "BBregistra");
            QCOMPARE(first.result(), int(QDialog::Accepted));
        }
        const std::string before = readWholeFile(dir_->path() / "BASE.ST1") + readWholeFile(dir_->path() / "BASE.ST2");
        TFormRegSpa window(test::openInEditor);
        window.setEnteredBirth(milano1944());
        shown_->answers = {Dialogs::Answer::No};
        click(window, "BBregistra");
        QCOMPARE(shown_->shown.size(), std::size_t{1});
        QVERIFY2(shown_->shown[0].text.startsWith("VERDI GIUSEPPE (nascita 15/06/1944 10:30) c'\u00E8 gi\u00E0 "
                                                  "nell'archivio BASE alla voce 1"),
                 qPrintable(shown_->shown[0].text));
        QVERIFY(field(window, "EditNome")->isReadOnly());
        QCOMPARE(readWholeFile(dir_->path() / "BASE.ST1") + readWholeFile(dir_->path() / "BASE.ST2"), before);

        shown_->answers = {Dialogs::Answer::Yes, Dialogs::Answer::Yes};
        click(window, "BBregistra");
        QVERIFY(!field(window, "EditNome")->isReadOnly());
        click(window, "BBregistra");  // the name unchanged: asked again
        QCOMPARE(shown_->shown.size(), std::size_t{3});
        QCOMPARE(readWholeFile(dir_->path() / "BASE.ST1") + readWholeFile(dir_->path() / "BASE.ST2"), before);
        field(window, "EditNome")->setText("Verdi Giuseppe II");
        click(window, "BBregistra");
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(openAnyArchive("BASE").subjectCount(), 2);
        QCOMPARE(openAnyArchive("BASE").readIndex(2).text, std::string("VERDI GIUSEPPE II                     00002"));
    }

    void refusedOrAbandonedRegistrationWritesNothing() {
        const struct {
            QString archive;
            const char* clicked;
            QString message;
        } cases[] = {
            {"", "BBregistra", "Scegliere l'Archivio di Registrazione"},
            {"ZZZZ", "BBregistra", "Archivio ZZZZ inesistente"},
            {"ZZZZ", "BBregistraTesto", "Archivio ZZZZ inesistente"},
            {"BASE", "BBannulla", ""},
        };
        for (const auto& c : cases) {
            shown_->shown.clear();
            TFormRegSpa window(test::openInEditor);
            window.setEnteredBirth(milano1944());
            field(window, "EditArchi")->setText(c.archive);
            click(window, c.clicked);
            if (c.message.isEmpty()) {
                QVERIFY(shown_->shown.empty());
                QCOMPARE(window.result(), int(QDialog::Rejected));
            } else {
                QCOMPARE(shown_->shown.size(), size_t(1));
                QCOMPARE(shown_->shown[0].text, c.message);
                QVERIFY(field(window, "EditNumTesto")->text().isEmpty());
            }
            QVERIFY(!window.registration());
        }
        QCOMPARE(openAnyArchive("BASE").subjectCount(), 0);
        QVERIFY(!currentSubjectExists());
        for (const char* name : {"FileDum", "ZZZZtxt", "BASEtxt"}) QVERIFY(!fs::exists(dir_->path() / name));
    }

    // The document exists when the editor opens on it, modal; the subject is
    // registered with its number once the editor closes.
    void registrationWithATextCreatesAndOpensTheDocument() {
        TFormRegSpa window(test::openInEditor);
        window.setEnteredBirth(milano1944());
        QString edited, firstLine;
        bool registeredWhileEditing = true;
        QTimer::singleShot(0, this, [&] {
            auto* editor = window.findChild<TFoReMaiH*>();
            QVERIFY(editor && editor->isModal());
            edited = editor->documentName();
            firstLine = editor->textArea()->toPlainText();
            registeredWhileEditing = openAnyArchive("BASE").subjectCount() != 0;
            editor->reject();
        });
        click(window, "BBregistraTesto");
        QVERIFY(shown_->shown.empty());
        QVERIFY(!registeredWhileEditing);
        QCOMPARE(field(window, "EditNumTesto")->text(), QString("00001"));
        QVERIFY(field(window, "EditArchi")->isReadOnly());  // the document belongs to BASE now
        QVERIFY(edited.endsWith("BASEtxt\\00001.txt") || edited.endsWith("BASEtxt/00001.txt"));
        QCOMPARE(firstLine, QString("VERDI GIUSEPPE").leftJustified(38));
        QCOMPARE(lines(dir_->path() / "BASEtxt" / "FlagTxt.set"), std::vector<std::string>{"2"});

        Archive base = openAnyArchive("BASE");
        QCOMPARE(base.subjectCount(), 1);
        QCOMPARE(base.readAnnotation(1).lines[3], std::string(64, ' ') + "00001");
        const TextPointer pointer = readTextPointer();
        QCOMPARE(pointer.archive + "/" + pointer.number, std::string("BASE/00001"));
        QCOMPARE(lines(dir_->path() / "FileDum" / "DatModif.dum"), std::vector<std::string>{"BASEtxt\\00001.txt"});
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }
};

QV_WINDOW_TEST(RegistrationTest)
} // namespace registration_test
#include "registration_test.moc"
