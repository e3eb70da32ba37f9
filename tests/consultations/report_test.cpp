#include "archive/current_subject.h"
#include "base/cp1252.h"
#include "consultations/print/report_pdf.h"
#include "consultations/report_subject.h"
#include "settings/chart_settings.h"
#include "settings/display_settings.h"
#include "tests/support/example_subject.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>

namespace qv::consultations {
namespace report_test {

namespace fs = std::filesystem;

std::string foldBlanks(const std::string& raw);

// The text of a PDF as pdftotext reads it, blanks and line ends folded to
// single blanks (the lines wrap where the page does).
std::string pdfText(const fs::path& pdf) {
    const std::string command = "pdftotext -enc UTF-8 '" + pdf.string() + "' - 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::string raw;
    std::array<char, 4096> buf{};
    while (pipe && std::fgets(buf.data(), buf.size(), pipe.get())) raw += buf.data();
    return foldBlanks(raw);
}

// The pages pdftotext finds: it ends each with a form feed.
int pdfPages(const fs::path& pdf) {
    const std::string command = "pdftotext '" + pdf.string() + "' - 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    int pages = 0;
    for (int c; pipe && (c = std::fgetc(pipe.get())) != EOF;) pages += c == '\f';
    return pages;
}

std::string foldBlanks(const std::string& raw) {
    std::string out;
    for (char c : raw) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f';
        if (blank) {
            if (!out.empty() && out.back() != ' ') out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

class Report : public ::testing::Test {
protected:
    test::TempDataDir data{true};
    void SetUp() override {
        writePractitionerName({"Laura", "Conti"});
        test::registerExampleSubject();
        LoadActiveOrbs();
    }
    Consultation visit() const {
        Consultation c;
        c.subject = {"TMPR", "ROSSI MARIA", readCurrentSubject().record.moment};
        c.date = {5, 3, 2026};
        c.followUp = CalendarDate{2, 4, 2026};
        c.complaints = "Sonno leggero da un mese,\r\nrisvegli alle quattro.";
        c.symptoms = {"Insonnia da agitazione"};
        c.remedies = {{"TSA Melissa", "15 gocce la sera in poca acqua", "per tre settimane"},
                      {"TSA Biancospino", "10 gocce due volte al giorno", ""}};
        c.notes = "Nota riservata del professionista";
        return c;
    }
};

TEST_F(Report, HoldsThePersonTheRemediesTheirDosageAndWarnings) {
    const SubjectChart chart = chartOfCurrentSubject();
    EXPECT_EQ(chart.subject.name, "ROSSI MARIA");
    const ReportContent r =
        reportContent(visit(), chart.subject, chart.natal, chart.master, readPractitionerIdentity().printedLines());
    EXPECT_EQ(r.practitioner, std::vector<std::string>{"Laura Conti"});
    EXPECT_EQ(r.birth, "Nascita: 14/07/1968 06:35, MILANO (MI) (ITALIA)");
    ASSERT_EQ(r.remedies.size(), 2u);
    EXPECT_EQ(r.remedies[0].preparation, "Tintura Spagirico-Alchemica");
    EXPECT_NE(r.remedies[0].warnings.find("gravidanza"), std::string::npos) << r.remedies[0].warnings;
    ASSERT_GE(r.constitution.size(), 3u);
    EXPECT_EQ(r.constitution[0].rfind("Il pianeta che guida il tema \xE8 ", 0), 0u) << r.constitution[0];
    const std::string text = reportText(r);
    EXPECT_EQ(text.find("Nota riservata"), std::string::npos) << "the practitioner's notes stay private";

    const fs::path pdf = data.path() / "relazione.pdf";
    writeReportPdf(r, chart.natal, ActiveOrbs(), pdf.string());
    const std::string printed = pdfText(pdf);
    for (const char* expected : {"Relazione di consultazione", "Laura Conti", "ROSSI MARIA", "14/07/1968 06:35",
                                 "05/03/2026", "Il pianeta che guida il tema", "Sonno leggero da un mese,",
                                 "Insonnia da agitazione", "TSA Melissa", "15 gocce la sera in poca acqua",
                                 "per tre settimane", "TSA Biancospino", "10 gocce due volte al giorno",
                                 "Prossimo controllo", "02/04/2026", "non sostituiscono, il parere e le cure del medico"})
        EXPECT_NE(printed.find(expected), std::string::npos) << expected << "\n" << printed;
    // Each remedy's warnings are printed whole.
    for (const ReportRemedy& m : r.remedies) {
        const std::string warning = foldBlanks(cp1252ToUtf8(m.warnings));
        EXPECT_NE(printed.find(warning), std::string::npos) << warning << "\n" << printed;
    }
}

// The report as the person reads it, for a typical visit of three remedies:
// each complaint with when to see the doctor, the dose and duration as
// prescribed, the cautions that apply to this person, the follow-up with
// the remedies, the practitioner's block; plain words for the constitution;
// two pages.
TEST_F(Report, TellsThePersonWhatToTakeAndWhenToSeeTheDoctorOnTwoPages) {
    PractitionerIdentity id = readPractitionerIdentity();
    id.qualification = "Naturopata";
    id.association = "Associazione Italiana Naturopati";
    id.contact = "laura.conti@example.it";
    id.citesLaw4 = true;
    writePractitionerIdentity(id);
    Consultation c = visit();
    c.complaints.clear();
    c.symptoms = {"Palpitazioni nervose", "Umore basso nella stagione buia"};
    c.remedies = {{"TSA Iperico", "20 gocce al mattino in poca acqua", "per tre settimane"},
                  {"TSA Biancospino", "15 gocce due volte al giorno", "per quattro settimane"},
                  {"TSA Frangola", "15 gocce la sera", "per non pi\xF9 di una settimana"}};
    c.medicines = "sertralina 50 mg";
    c.followUp = CalendarDate{2, 4, 2026};
    const SubjectChart chart = chartOfCurrentSubject();
    const ReportContent r =
        reportContent(c, chart.subject, chart.natal, chart.master, readPractitionerIdentity().printedLines());
    const fs::path pdf = data.path() / "relazione.pdf";
    writeReportPdf(r, chart.natal, ActiveOrbs(), pdf.string());
    const std::string printed = pdfText(pdf);
    for (const char* expected :
         {"Laura Conti, Naturopata", "Associazione Italiana Naturopati", "laura.conti@example.it",
          "Legge 14 gennaio 2013, n. 4", "Palpitazioni nervose", "subito al medico o al 118",
          "Umore basso nella stagione buia", "pensieri di farsi del male", "20 gocce al mattino in poca acqua",
          "per tre settimane", "Attenzione: TSA Iperico con \"sertralina 50 mg\"", "sindrome serotoninergica",
          "Attenzione: TSA Frangola: il controllo del 02/04/2026", "Prossimo controllo: 02/04/2026",
          "Nel tema prevale", "il temperamento"})
        EXPECT_NE(printed.find(expected), std::string::npos) << expected << "\n" << printed;
    for (const char* absent : {"Nome Cognome", "malefico", "Il maestro del tema", "vanno stabilite dal professionista"})
        EXPECT_EQ(printed.find(absent), std::string::npos) << absent;
    EXPECT_EQ(pdfPages(pdf), 2) << printed;
}

TEST_F(Report, AFreshPractitionerFilePrintsNoPlaceholder) {
    fs::remove(data.path() / "FileTmp" / "Personal.Tmp");
    EXPECT_EQ(readPractitionerName().shown(), "Nome Cognome") << "the file is created as always";
    EXPECT_TRUE(readPractitionerIdentity().printedLines().empty());
    EXPECT_EQ(practitionerForPrint(), "");
    const SubjectChart chart = chartOfCurrentSubject();
    const ReportContent r =
        reportContent(visit(), chart.subject, chart.natal, chart.master, readPractitionerIdentity().printedLines());
    const fs::path pdf = data.path() / "relazione.pdf";
    writeReportPdf(r, chart.natal, ActiveOrbs(), pdf.string());
    const std::string printed = pdfText(pdf);
    EXPECT_EQ(printed.find("Nome"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("Cognome"), std::string::npos);
    EXPECT_EQ(printed.find("Professionista"), std::string::npos);
    EXPECT_NE(printed.find("ROSSI MARIA"), std::string::npos);
}

TEST(ReportDosage, KeepsThePrescriptionAndDropsTheNoteToThePractitioner) {
    const std::pair<const char*, const char*> cases[] = {
        {"Tintura spagirica: di norma 15-25 gocce in poca acqua, la sera. Dose, durata e associazioni vanno stabilite "
         "dal professionista per la singola persona.",
         "Tintura spagirica: di norma 15-25 gocce in poca acqua, la sera."},
        {"15-25 gocce la sera, per tre settimane; secondo il professionista.", "15-25 gocce la sera, per tre settimane."},
        {"20 gocce al mattino", "20 gocce al mattino"},
    };
    for (const auto& [dosage, shown] : cases) EXPECT_EQ(dosageForThePerson(dosage), shown);
}

} // namespace report_test
} // namespace qv::consultations
