// The "Consultazioni" window on the shipped remedy database and the example
// subject: adding, editing and deleting a consultation; and the symptom
// ranking window's check box for the current subject's chart.
#include "archive/current_subject.h"
#include "archive/ui/deletion_window.h"
#include "base/data_dir.h"
#include "consultations/consultation_store.h"
#include "consultations/offered_remedies.h"
#include "consultations/report_subject.h"
#include "consultations/ui/consultation_window.h"
#include "display/ui/linked_remedies_panel.h"
#include "remedies/ui/composite_windows.h"
#include "remedies/ui/consultation_windows.h"
#include "settings/chart_settings.h"
#include "tests/support/example_subject.h"
#include "tests/support/pdf_text.h"
#include "tests/support/recorded_boxes.h"
#include "tests/support/temp_data_dir.h"
#include "tests/windows/list_clicks.h"
#include "tests/windows/subject_windows_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include "tests/support/window_tests.h"

#include <QTest>

using namespace qv;

namespace consultation_window_test {

class ConsultationWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempDataDir> dir_;
    std::unique_ptr<test::RecordedBoxes> boxes_;

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDataDir>(true);
        boxes_ = std::make_unique<test::RecordedBoxes>();
        test::registerExampleSubject();
        LoadActiveOrbs();
    }
    void cleanup() {
        boxes_.reset();
        dir_.reset();
    }

    // What must be told before the remedies shows as the form is filled:
    // each complaint's referral, then the cautions that apply to the person;
    // the medicines, pregnancy and breastfeeding are stored with the visit.
    void showsTheReferralsAndTheCautionsThatApply() {
        TFoConsulti w;
        w.show();
        QVERIFY(w.hasSubject());
        w.findChild<QLineEdit*>("EdData")->setText("05/03/2026");
        QCOMPARE(w.findChild<QLabel*>("LabEta")->text(), QString("57 anni alla data della consultazione"));
        w.addSymptom("Palpitazioni nervose");
        QVERIFY(w.attentionLines().join('\n').contains("Palpitazioni nervose \u2013 quando rivolgersi al medico: "
                                                       "Palpitazioni con dolore al petto"));
        QVERIFY(w.attentionLines().join('\n').contains("118"));
        w.addRemedy("TSA Iperico");
        w.addRemedy("TSA Frangola");
        QVERIFY(!w.attentionLines().join('\n').contains("Attenzione"));
        w.findChild<QPlainTextEdit*>("MemoFarmaci")->setPlainText("Zoloft 50 mg");
        const auto hasLine = [&](const QString& start) {
            for (const QString& l : w.attentionLines())
                if (l.startsWith(start)) return true;
            return false;
        };
        QVERIFY(hasLine("Attenzione: TSA Iperico con \"Zoloft 50 mg\" (antidepressivo serotoninergico"));
        QVERIFY(w.attentionLines().join('\n').contains("sindrome serotoninergica"));
        w.findChild<QLineEdit*>("EdControllo")->setText("02/04/2026");
        QVERIFY(hasLine("Attenzione: TSA Frangola: il controllo del 02/04/2026"));
        w.findChild<QCheckBox*>("CBallattamento")->setChecked(true);
        QVERIFY(hasLine("Attenzione: TSA Iperico durante l'allattamento"));
        QVERIFY(w.BBregistraClick());
        const auto stored =
            consultations::ConsultationStore(consultations::storePath(), false).consultationsOf(consultations::currentSubjectLink());
        QCOMPARE(stored.size(), std::size_t{1});
        QCOMPARE(stored[0].medicines, std::string("Zoloft 50 mg"));
        QVERIFY(stored[0].breastfeeding);
        QVERIFY(!stored[0].pregnancy);
        // A new form forgets them; the stored one brings them back.
        w.findChild<QPushButton*>("BBnuova")->click();
        QVERIFY(w.findChild<QPlainTextEdit*>("MemoFarmaci")->toPlainText().isEmpty());
        QVERIFY(!w.attentionLines().join('\n').contains("Attenzione"));
        w.findChild<QListWidget*>("ListaConsulti")->setCurrentRow(0);
        QVERIFY(w.findChild<QCheckBox*>("CBallattamento")->isChecked());
        QVERIFY(hasLine("Attenzione: TSA Iperico con \"Zoloft 50 mg\""));
        w.resize(1366, 740);
        test::picture(&w, "consultazioni_avvertenze");
    }

    void addsEditsAndDeletesAConsultation() {
        TFoConsulti w;
        w.show();
        QVERIFY(w.hasSubject());
        QCOMPARE(w.findChild<QLabel*>("LabSoggetto")->text(), QString("ROSSI MARIA  (TMPR)"));
        QCOMPARE(w.findChild<QListWidget*>("ListaConsulti")->count(), 0);
        QVERIFY(!w.findChild<QPushButton*>("BBelimina")->isEnabled());

        // A symptom through its search box, a remedy from the list.
        auto* cerca = w.findChild<QLineEdit*>("EdCercaSintomo");
        QTest::keyClicks(cerca, "insonnia da agit");
        QTest::keyClick(cerca, Qt::Key_Return);
        QCOMPARE(w.findChild<QListWidget*>("ListaSintomi")->count(), 1);
        QCOMPARE(w.findChild<QListWidget*>("ListaSintomi")->item(0)->text(), QString("Insonnia da agitazione"));
        w.findChild<QLineEdit*>("EdData")->setText("05/03/2026");
        w.findChild<QLineEdit*>("EdControllo")->setText("02/04/2026");
        w.findChild<QPlainTextEdit*>("MemoDisturbi")->setPlainText(QString::fromUtf8("Si sveglia alle quattro, è agitata"));
        w.addRemedy("TSA Melissa");
        auto* table = w.findChild<QTableWidget*>("TabRimedi");
        QCOMPARE(table->rowCount(), 1);
        QVERIFY(table->item(0, 1)->text().contains("gocce"));                      // prefilled dosage
        QVERIFY(table->item(0, 2)->text().startsWith("per "));                     // and duration
        QVERIFY(w.findChild<QPlainTextEdit*>("MemoAvvertenze")->toPlainText().contains("Avvertenze"));
        table->item(0, 1)->setText("15 gocce la sera");
        w.addRemedy("TSA Melissa");  // not twice
        QCOMPARE(table->rowCount(), 1);
        QVERIFY(w.BBregistraClick());

        auto stored = [] {
            return consultations::ConsultationStore(consultations::storePath(), false)
                .consultationsOf(consultations::currentSubjectLink());
        };
        auto list = stored();
        QCOMPARE(list.size(), std::size_t{1});
        QCOMPARE(list[0].date, (consultations::CalendarDate{5, 3, 2026}));
        QCOMPARE(list[0].symptoms, std::vector<std::string>{"Insonnia da agitazione"});
        QCOMPARE(list[0].remedies.at(0).dosage, std::string("15 gocce la sera"));
        QCOMPARE(list[0].complaints, std::string("Si sveglia alle quattro, \xE8 agitata"));
        QCOMPARE(w.findChild<QListWidget*>("ListaConsulti")->count(), 1);
        w.resize(1366, 740);
        test::picture(&w, "consultazioni");

        // A second, later one is listed first; editing the first keeps two.
        w.findChild<QPushButton*>("BBnuova")->click();
        w.findChild<QLineEdit*>("EdData")->setText("20/03/2026");
        w.addRemedy("TSA Biancospino");
        QVERIFY(w.BBregistraClick());
        auto* consultations = w.findChild<QListWidget*>("ListaConsulti");
        QCOMPARE(consultations->count(), 2);
        QVERIFY(consultations->item(0)->text().startsWith("20/03/2026"));
        consultations->setCurrentRow(1);
        QCOMPARE(w.findChild<QLineEdit*>("EdData")->text(), QString("05/03/2026"));
        w.findChild<QPlainTextEdit*>("MemoNote")->setPlainText("Rivedere tra un mese");
        QVERIFY(w.BBregistraClick());
        list = stored();
        QCOMPARE(list.size(), std::size_t{2});
        QCOMPARE(list[1].notes, std::string("Rivedere tra un mese"));
        QCOMPARE(list[1].remedies.at(0).dosage, std::string("15 gocce la sera"));

        // A follow-up before the date is refused and nothing is written.
        w.findChild<QLineEdit*>("EdControllo")->setText("01/03/2026");
        QVERIFY(!w.BBregistraClick());
        QCOMPARE(boxes_->last(), QString("La data del controllo precede quella della consultazione"));
        QCOMPARE(stored()[1].followUp, (consultations::CalendarDate{2, 4, 2026}));

        // The report of the consultation in the form prints; the form as
        // refused above is not printed either: the person would take home
        // a follow-up before the visit.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString((dir_->path() / "relazione.pdf").string()));
        const std::size_t boxesBefore = (*boxes_)->shown.size();
        QVERIFY(!w.printReport(printer));
        QCOMPARE((*boxes_)->shown.size(), boxesBefore + 1);
        QCOMPARE(boxes_->last(), QString("La data del controllo precede quella della consultazione"));
        QVERIFY(!std::filesystem::exists(dir_->path() / "relazione.pdf"));
        w.findChild<QLineEdit*>("EdControllo")->setText("02/04/2026");
        QVERIFY(w.printReport(printer));
        QCOMPARE((*boxes_)->shown.size(), boxesBefore + 1);
        QVERIFY(std::filesystem::file_size(dir_->path() / "relazione.pdf") > 1000);
        // The report is the consultation in the form (the first, with its
        // note), read back from the page: the person, the visit, the
        // symptom, the remedy with the dosage typed and its warnings, the
        // follow-up; never the practitioner's private note.
        const test::PdfText report = test::pdfText(printer.outputFileName());
        QVERIFY2(report.error.isEmpty(), qPrintable(report.error));
        for (const char* part : {"Relazione di consultazione", "ROSSI MARIA", "14/07/1968 06:35", "05/03/2026",
                                 "Si sveglia alle quattro, \u00E8 agitata", "Insonnia da agitazione", "TSA Melissa",
                                 "15 gocce la sera", "Prossimo controllo", "02/04/2026",
                                 "non sostituiscono, il parere e le cure del medico"})
            QVERIFY2(report.has(QString::fromUtf8(part)), qPrintable(QString::fromUtf8(part) + "\n" + report.text));
        QVERIFY2(!report.has("Rivedere tra un mese"), qPrintable(report.text));
        QVERIFY2(!report.has("TSA Biancospino"), qPrintable(report.text));

        // Deleting asks first; "No" keeps it.
        (*boxes_)->answers = {Dialogs::Answer::No};
        w.BBeliminaClick();
        QCOMPARE(stored().size(), std::size_t{2});
        QVERIFY(boxes_->last().startsWith("Eliminare la consultazione del 05/03/2026 di ROSSI MARIA"));
        w.BBeliminaClick();
        QCOMPARE(stored().size(), std::size_t{1});
        QCOMPARE(consultations->count(), 1);
    }

    // Deleting a subject with consultations asks whether they go too:
    // Annulla keeps both, No keeps the consultations, Yes removes them.
    void deletingASubjectAsksAboutItsConsultations() {
        test::writeExampleArchive("BASE", {{"ANNA"}, {"ROSSI MARIO"}, {"VERDI LUCA"}});
        auto linkOf = [](const char* name) {
            return consultations::subjectLinkOf("BASE", name, "194403151230-1");
        };
        {
            consultations::ConsultationStore store = consultations::openStore();
            for (const char* name : {"ANNA", "ROSSI MARIO", "ROSSI MARIO"}) {
                consultations::Consultation c;
                c.subject = linkOf(name);
                c.date = {1, 2, 2026};
                store.save(c);
            }
        }
        auto count = [&](const char* name) {
            return consultations::ConsultationStore(consultations::storePath(), false).countOf(linkOf(name));
        };
        TFoCancel window;
        auto* elimina = window.findChild<QPushButton*>("BBelimina");
        test::chooseListedSubject(&window, 1);  // ROSSI MARIO
        (*boxes_)->answers = {Dialogs::Answer::Cancel};
        QTest::mouseClick(elimina, Qt::LeftButton);
        QCOMPARE(boxes_->last(), QString("Il soggetto ha 2 consultazioni registrate. Eliminarle insieme al soggetto?"));
        QCOMPARE(test::indexTexts("BASE").size(), std::size_t(4));
        QCOMPARE(count("ROSSI MARIO"), 2);

        (*boxes_)->answers = {Dialogs::Answer::Yes};
        QTest::mouseClick(elimina, Qt::LeftButton);
        QCOMPARE(test::indexTexts("BASE").size(), std::size_t(3));
        QCOMPARE(count("ROSSI MARIO"), 0);
        QCOMPARE(count("ANNA"), 1);

        test::chooseListedSubject(&window, 0);  // ANNA
        (*boxes_)->answers = {Dialogs::Answer::No};
        QTest::mouseClick(elimina, Qt::LeftButton);
        QCOMPARE(boxes_->last(), QString("Il soggetto ha 1 consultazione registrata. Eliminarla insieme al soggetto?"));
        QCOMPARE(test::indexTexts("BASE").size(), std::size_t(2));
        QCOMPARE(count("ANNA"), 1);

        // A subject without consultations goes without a question.
        const auto asked = (*boxes_)->shown.size();
        test::chooseListedSubject(&window, 0);  // VERDI LUCA
        QTest::mouseClick(elimina, Qt::LeftButton);
        QCOMPARE((*boxes_)->shown.size(), asked);
        QCOMPARE(test::indexTexts("BASE").size(), std::size_t(1));
    }

    void symptomRankingReadsTheChartWhenASubjectIsCurrent() {
        TFoRicCom w;
        w.show();
        auto* box = w.findChild<QCheckBox*>("CBtema");
        QVERIFY(box);
        QVERIFY(box->isEnabled());
        QVERIFY(box->isChecked());
        auto* list = w.complaints();
        for (const char* symptom : {"Ansia", "Insonnia da agitazione", "Tosse secca"}) {
            const auto found = list->findItems(symptom, Qt::MatchExactly);
            QVERIFY2(!found.isEmpty(), symptom);
            w.ListBox1Click(list->row(found.first()));
        }
        w.BBricercaClick();
        // Within each count, the rows the chart raises (with their reason)
        // come before the others.
        const QListWidget* results = w.results();
        QVERIFY(results->count() > 0);
        bool anyReason = false;
        for (int i = 1; i < results->count(); ++i) {
            const QString before = results->item(i - 1)->text(), now = results->item(i)->text();
            anyReason = anyReason || before.contains("Segnatura: ") || now.contains("Segnatura: ");
            if (before.left(2) == now.left(2))
                QVERIFY2(before.contains("Segnatura: ") || !now.contains("Segnatura: "), qPrintable(before + " / " + now));
        }
        QVERIFY(anyReason);
        // "Aggiungi alla consultazione" hands the chosen result to the next
        // consultation's form.
        w.results()->setCurrentRow(0);
        const std::string chosen = w.ranked().front().name;
        w.findChild<QPushButton*>("BBaggiungiConsulto")->click();
        QCOMPARE(consultations::offeredRemedies(), std::vector<std::string>{chosen});
        {
            TFoConsulti form;
            form.show();
            auto* table = form.findChild<QTableWidget*>("TabRimedi");
            QCOMPARE(table->rowCount(), 1);
            QCOMPARE(table->item(0, 0)->text(), QString::fromLatin1(chosen.c_str()));
            QVERIFY(consultations::offeredRemedies().empty());
        }

        // So does the symptom window, with the remedy of the row clicked.
        {
            TFoSintom1 symptoms;
            symptoms.show();
            const auto found = symptoms.findChild<QListWidget*>("ListBox1")->findItems("Ansia serale", Qt::MatchExactly);
            QVERIFY(!found.isEmpty());
            symptoms.ListBox1Click(symptoms.findChild<QListWidget*>("ListBox1")->row(found.first()));
            auto* firstRemedy = symptoms.findChild<QLineEdit*>("EdP1");
            QVERIFY(!firstRemedy->text().isEmpty());
            QTest::mouseClick(firstRemedy, Qt::LeftButton);
            test::picture(&symptoms, "sintomi_aggiungi");
            symptoms.findChild<QPushButton*>("BBaggiungiConsulto")->click();
            QCOMPARE(consultations::offeredRemedies(),
                     std::vector<std::string>{firstRemedy->text().trimmed().toLatin1().toStdString()});
            consultations::takeOfferedRemedies();
        }

        // The linked-remedies panel offers its chosen remedy the same way.
        {
            PanelPianta panel;
            QVERIFY(panel.ShowLinkedRemedies({false, 4}));  // Venere
            auto* chooser = panel.findChild<QComboBox*>("ComboBoxPiante");
            QVERIFY(chooser->count() > 0);
            chooser->setCurrentIndex(0);
            panel.findChild<QPushButton*>("BBaggiungiConsulto")->click();
            QCOMPARE(consultations::offeredRemedies(),
                     std::vector<std::string>{chooser->itemText(0).trimmed().toLatin1().toStdString()});
            consultations::takeOfferedRemedies();
        }

        // Off, the rows carry no reason.
        box->setChecked(false);
        w.BBricercaClick();
        for (int i = 0; i < results->count(); ++i) QVERIFY(!results->item(i)->text().contains("Segnatura"));

        // Without a current subject the box is off and cannot be turned on.
        std::filesystem::remove(dataDir().resolve("TMPR.ST1"));
        TFoRicCom none;
        none.show();
        QVERIFY(!none.findChild<QCheckBox*>("CBtema")->isChecked());
        QVERIFY(!none.findChild<QCheckBox*>("CBtema")->isEnabled());
    }
};

QV_WINDOW_TEST(ConsultationWindowTest)
} // namespace consultation_window_test
#include "consultation_window_test.moc"
