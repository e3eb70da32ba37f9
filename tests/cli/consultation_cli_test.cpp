// End-to-end runs of `quorendaville-cli consultation` on a small remedy
// database and an archive of two subjects in a temporary data directory.
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/cli_runner.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace consultation_cli_test {

using qv::test::CliRun;
using qv::test::remedy;

class CliConsultation : public ::testing::Test {
protected:
    qv::test::TempDataDir temp;
    qv::DataDir dir{temp.path()};

    void SetUp() override {
        qv::remedies::RemedyRecord melissa = remedy("TSA Melissa", "Insonnia da agitazione", "Luna", "Cancro");
        melissa.setDosage("15 gocce la sera, per tre settimane. Poi una pausa.");
        qv::remedies::RemedyRecord melissaAnxiety = remedy("TSA Melissa", "Ansia", "Luna", "Cancro");
        melissaAnxiety.setDosage("10 gocce al mattino, per dieci giorni");
        qv::test::writeRemedyDatabase(dir, {melissa, melissaAnxiety, remedy("TSA Timo", "Tosse secca", "Marte"),
                                            remedy("TSA Tiglio", "Insonnia lieve", "Venere")});
        qv::test::writeRepertoryDatabase(dir, {qv::test::therapy("Cefalea", "TSA Timo")});
        ASSERT_EQ(run("remedies rebuild").status, 0);
        for (const char* who : {"--name \"Rossi Maria\" --date 12/03/1968 --time 14:30",
                                "--name \"Bianchi Luca\" --date 01/01/1975 --time 08:00",
                                "--name \"Verdi Anna\" --date 02/02/1980 --time 10:00"}) {
            const CliRun r = run(std::string("register --archive BASE ") + who +
                                 " --place MILANO --nation ITALIA --corr -1 --coords 45N28-009E11");
            ASSERT_EQ(r.status, 0) << r.out;
        }
    }
    CliRun run(const std::string& args) const {
        return qv::test::runCli(QV_CLI_PATH, args + " --data-dir " + temp.path().string());
    }
};

TEST_F(CliConsultation, AddsWithTheDatabaseDosageAndListsNewestFirst) {
    // The dosage is that of the record serving the chosen symptom, with the
    // period it names as the duration.
    CliRun added = run("consultation add --archive BASE --subject \"rossi maria\" --date 05/03/2026 "
                       "--symptom \"insonnia da agitazione\" --remedy \"tsa melissa\" --note \"Meno caff\xC3\xA8\" "
                       "--follow-up 02/04/2026");
    ASSERT_EQ(added.status, 0) << added.out;
    EXPECT_TRUE(added.has("Consultazione 1 del 05/03/2026, controllo il 02/04/2026")) << added.out;
    EXPECT_TRUE(added.has("Posologia: 15 gocce la sera, per tre settimane. Poi una pausa.")) << added.out;
    EXPECT_TRUE(added.has("Durata: per tre settimane")) << added.out;

    added = run("consultation add --archive BASE --subject 2 --date 06/03/2026 --symptom Ansia --remedy \"TSA Melissa\"");
    ASSERT_EQ(added.status, 0) << added.out;
    EXPECT_TRUE(added.has("Posologia: 10 gocce al mattino, per dieci giorni")) << added.out;

    const CliRun listed = run("consultation list --archive BASE --subject \"Rossi Maria\"");
    ASSERT_EQ(listed.status, 0) << listed.out;
    EXPECT_TRUE(listed.has("ROSSI MARIA (BASE, voce 2): 2 consultazioni")) << listed.out;
    EXPECT_LT(listed.out.find("del 06/03/2026"), listed.out.find("del 05/03/2026")) << listed.out;
    EXPECT_TRUE(listed.has("Note: Meno caff\xC3\xA8")) << listed.out;

    const CliRun json = run("consultation list --archive BASE --subject 2 --json");
    ASSERT_EQ(json.status, 0) << json.out;
    EXPECT_TRUE(json.has("\"consultations\": [{\"id\": 2, \"date\": \"06/03/2026\", \"follow_up\": null")) << json.out;
    EXPECT_TRUE(json.has("{\"name\": \"TSA Melissa\", \"dosage\": \"15 gocce la sera, per tre settimane. Poi una "
                         "pausa.\", \"duration\": \"per tre settimane\"}")) << json.out;

    // The link is the subject, not its place in the index: deleting a
    // subject before it moves it from position 2 to 1, and its
    // consultations follow it.
    ASSERT_EQ(run("delete BASE 1").status, 0);  // no consultations: no question
    const CliRun moved = run("consultation list --archive BASE --subject 1");
    EXPECT_TRUE(moved.has("ROSSI MARIA (BASE, voce 1): 2 consultazioni")) << moved.out;
}

TEST_F(CliConsultation, RefusesUnknownEntriesWithSuggestionsWritingNothing) {
    struct Case {
        const char* args;
        std::vector<const char*> said;
    };
    const std::vector<Case> cases{
        {"--symptom \"Insonia da agitazione\" --remedy Timo",
         {"Sintomo sconosciuto: \"Insonia da agitazione\". Forse: \"Insonnia da agitazione\""}},
        {"--remedy Melisa --remedy \"TSA Malva\"",
         {"Rimedio sconosciuto: \"Melisa\". Forse: \"TSA Melissa\"", "Rimedio sconosciuto: \"TSA Malva\""}},
        {"--symptom Insonnia", {"Sintomo non univoco: \"Insonnia\". Pu\xC3\xB2 essere: \"Insonnia da agitazione\", "
                                "\"Insonnia lieve\""}},
        {"--date 31/02/2026", {"Data non valida per --date: \"31/02/2026\" (GG/MM/AAAA)"}},
        {"--date 05/03/2026 --follow-up 01/03/2026", {"La data del controllo precede quella della consultazione"}},
    };
    for (const Case& c : cases) {
        const CliRun r = run(std::string("consultation add --archive BASE --subject \"Rossi Maria\" ") + c.args);
        EXPECT_EQ(r.status, 2) << c.args << "\n" << r.out;
        for (const char* s : c.said) EXPECT_TRUE(r.has(s)) << c.args << "\n" << r.out;
    }
    EXPECT_TRUE(run("consultation list --archive BASE --subject \"Rossi Maria\"").has("0 consultazioni"));

    // Subjects: an unknown name is answered with the near ones, a position
    // past the end with the range.
    CliRun r = run("consultation list --archive BASE --subject \"Rosi Maria\"");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.has("Soggetto sconosciuto: \"Rosi Maria\". Forse: \"ROSSI MARIA\" (archivio BASE)")) << r.out;
    r = run("consultation list --archive BASE --subject 9");
    EXPECT_TRUE(r.has("Posizione 9 inesistente nell'archivio BASE (1 \xE2\x80\x93 3)")) << r.out;
}

// Deleting a subject with consultations says what becomes of them.
TEST_F(CliConsultation, DeletingASubjectSaysWhatBecomesOfItsConsultations) {
    ASSERT_EQ(run("consultation add --archive BASE --subject \"Rossi Maria\" --remedy \"TSA Timo\"").status, 0);
    ASSERT_EQ(run("consultation add --archive BASE --subject \"Verdi Anna\" --remedy \"TSA Timo\"").status, 0);
    CliRun r = run("delete BASE 2");  // ROSSI MARIA
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.has("Il soggetto ha 1 consultazione registrata: indicare --with-consultations")) << r.out;
    EXPECT_TRUE(run("archive list BASE").has("ROSSI MARIA")) << "nothing deleted";
    r = run("delete BASE 2 --with-consultations");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.has("Consultazioni eliminate: 1")) << r.out;
    r = run("delete BASE 2 --keep-consultations");  // VERDI ANNA
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.has("Consultazioni conservate: 1")) << r.out;
    // The kept consultation stays under its person; the deleted person
    // leaves no row.
    const CliRun rows = qv::test::runCli("sqlite3", (temp.path() / "Consulti.db").string() +
                                                       " \"SELECT s.name FROM consultation c JOIN subject s "
                                                       "ON s.id = c.subject_id; SELECT COUNT(*) FROM subject\"");
    EXPECT_EQ(rows.out, "VERDI ANNA\n1\n");
}

// The same person registered twice would share one record: refused with
// exit 2 and the entry already there; a correction into another entry's
// name and birth moment likewise. Nothing moves between the two.
TEST_F(CliConsultation, OnePersonIsOneEntryAndKeepsTheirOwnConsultations) {
    ASSERT_EQ(run("consultation add --archive BASE --subject \"Rossi Maria\" --remedy \"TSA Timo\"").status, 0);
    CliRun r = run("register --archive BASE --name \"rossi maria\" --date 12/03/1968 --time 14:30 --place MILANO "
                   "--nation ITALIA --corr -1 --coords 45N28-009E11");
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_TRUE(r.has("ROSSI MARIA (nascita 12/03/1968 14:30) c'\xC3\xA8 gi\xC3\xA0 nell'archivio BASE alla voce 2"))
        << r.out;
    r = run("modify BASE 3 --name \"Rossi Maria\" --date 12/03/1968 --time 14:30");  // VERDI ANNA
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_TRUE(r.has("alla voce 2")) << r.out;
    EXPECT_TRUE(run("archive list BASE").has("VERDI ANNA")) << "nothing changed";
    // Corrected, Rossi keeps her consultation under her new name.
    r = run("modify BASE 2 --name \"Rossi Maria Grazia\"");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.has("Consultazioni che seguono i nuovi dati: 1")) << r.out;
    EXPECT_TRUE(run("consultation list --archive BASE --subject \"Rossi Maria Grazia\"").has("1 consultazione"));
    EXPECT_TRUE(run("consultation list --archive BASE --subject \"Verdi Anna\"").has("0 consultazioni"));
}

// A store on a volume that is not mounted: the link is named and left as it
// is, and nothing is recorded elsewhere.
TEST_F(CliConsultation, ADanglingLinkToTheStoreIsRefusedAndLeftAsItIs) {
    const std::filesystem::path link = temp.path() / "Consulti.db";
    const std::filesystem::path away = temp.path() / "disco" / "Consulti.db";
    std::filesystem::create_symlink(away, link);
    for (const char* command : {"consultation add --archive BASE --subject 1 --remedy \"TSA Timo\"",
                                "consultation list --archive BASE --subject 1"}) {
        const CliRun r = run(command);
        EXPECT_EQ(r.status, 1) << command << "\n" << r.out;
        EXPECT_TRUE(r.has(link.string())) << r.out;
        EXPECT_TRUE(r.has("collegamento simbolico a un file che non c'\xC3\xA8")) << r.out;
        EXPECT_TRUE(std::filesystem::is_symlink(link));
        EXPECT_FALSE(std::filesystem::exists(away));
    }
}

TEST_F(CliConsultation, DeletesOnlyTheNamedSubjectsConsultation) {
    ASSERT_EQ(run("consultation add --archive BASE --subject \"Rossi Maria\" --remedy \"TSA Timo\"").status, 0);
    const CliRun other = run("consultation delete --archive BASE --subject \"Bianchi Luca\" --id 1");
    EXPECT_EQ(other.status, 2);
    EXPECT_TRUE(other.has("Il soggetto BIANCHI LUCA (BASE, voce 1) non ha una consultazione 1")) << other.out;
    const CliRun deleted = run("consultation delete --archive BASE --subject \"Rossi Maria\" --id 1");
    ASSERT_EQ(deleted.status, 0) << deleted.out;
    EXPECT_TRUE(deleted.has("Eliminata la consultazione 1")) << deleted.out;
    EXPECT_TRUE(run("consultation list --archive BASE --subject \"Rossi Maria\"").has("0 consultazioni"));
}

// The report is the latest consultation unless --id names another; the
// PDF's text holds the person, the remedy and its dosage.
TEST_F(CliConsultation, WritesTheReportOfTheLatestConsultation) {
    const std::string pdf = (temp.path() / "relazione.pdf").string();
    CliRun r = run("report --archive BASE --subject \"Rossi Maria\" --out " + pdf);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.has("Il soggetto ROSSI MARIA (BASE) non ha consultazioni")) << r.out;
    ASSERT_EQ(run("consultation add --archive BASE --subject \"Rossi Maria\" --date 01/03/2026 --remedy \"TSA Timo\"").status, 0);
    ASSERT_EQ(run("consultation add --archive BASE --subject \"Rossi Maria\" --date 05/03/2026 --symptom Ansia "
                  "--remedy \"TSA Melissa\" --follow-up 02/04/2026").status, 0);
    r = run("report --archive BASE --subject \"Rossi Maria\" --out " + pdf);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(r.has("Relazione della consultazione 2 del 05/03/2026 di ROSSI MARIA (BASE) scritta in")) << r.out;
    const CliRun text = qv::test::runCli("pdftotext", pdf + " -");
    for (const char* expected : {"ROSSI MARIA", "TSA Melissa", "10 gocce al mattino, per dieci giorni", "02/04/2026"})
        EXPECT_TRUE(text.has(expected)) << expected << "\n" << text.out;
    EXPECT_FALSE(text.has("TSA Timo")) << text.out;

    r = run("report --archive BASE --subject \"Rossi Maria\" --id 1 --out " + pdf);
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(qv::test::runCli("pdftotext", pdf + " -").has("TSA Timo"));
    r = run("report --archive BASE --subject \"Bianchi Luca\" --id 1 --out " + pdf);
    EXPECT_TRUE(r.has("Il soggetto BIANCHI LUCA (BASE) non ha una consultazione 1")) << r.out;
    EXPECT_TRUE(run("report --archive BASE --subject 1 --out relazione.txt").has("deve finire in .pdf"));

    // A target that is no file is refused, with nothing written and the
    // report before it untouched.
    const std::filesystem::path folder = temp.path() / "cartella.pdf";
    std::filesystem::create_directory(folder);
    r = run("report --archive BASE --subject \"Rossi Maria\" --out " + folder.string());
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_TRUE(r.has("cartella.pdf")) << r.out;
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    EXPECT_TRUE(qv::test::runCli("pdftotext", pdf + " -").has("TSA Timo"));
}

// With --current the ranking says whose chart it reads and why a row is
// raised; the JSON carries the reason of every row.
TEST_F(CliConsultation, RanksWithTheCurrentSubjectsChart) {
    ASSERT_EQ(run("recall BASE 2").status, 0);
    const CliRun text = run("remedies rank \"Insonnia da agitazione\" Ansia \"Tosse secca\" --current");
    ASSERT_EQ(text.status, 0) << text.out;
    EXPECT_TRUE(text.has("Con il tema di ROSSI MARIA: ")) << text.out;
    EXPECT_TRUE(text.has("02 TSA Melissa")) << text.out;
    const CliRun json = run("remedies rank \"Insonnia da agitazione\" Ansia --current --json");
    ASSERT_EQ(json.status, 0) << json.out;
    EXPECT_TRUE(json.has("\"subject\": \"ROSSI MARIA\", \"chart\": [{\"planet\": ")) << json.out;
    EXPECT_TRUE(json.has("\"reason\": ")) << json.out;
    EXPECT_EQ(run("remedies therapy Cefalea --current").status, 2);
}

} // namespace consultation_cli_test

namespace consultation_cli_test {

// A corrected name or birth moment does not leave the person's
// consultations behind under the old one.
TEST_F(CliConsultation, ConsultationsFollowASubjectWhoseDataIsCorrected) {
    ASSERT_EQ(run("consultation add --archive BASE --subject \"Rossi Maria\" --remedy \"TSA Timo\"").status, 0);
    const CliRun modified = run("modify BASE 2 --name \"Rossi Mariangela\" --date 13/03/1968 --corr -1");
    ASSERT_EQ(modified.status, 0) << modified.out;
    const CliRun listed = run("consultation list --archive BASE --subject \"Rossi Mariangela\"");
    EXPECT_TRUE(listed.has("1 consultazion")) << listed.out;
    EXPECT_TRUE(listed.has("TSA Timo")) << listed.out;
}

} // namespace consultation_cli_test

namespace consultation_cli_test {

// A consultation recorded on the command line says, with the shipped
// safety tables, when to see the doctor for each complaint and which
// cautions apply to this person: a sixteen-year-old given calamus, St
// John's wort with sertraline, buckthorn with a follow-up after its week,
// a pregnancy.
TEST_F(CliConsultation, AddTellsTheReferralsAndTheCautionsThatApplyToThePerson) {
    qv::test::writeRemedyDatabase(dir, {remedy("TSA Calamo aromatico", "Inappetenza", "Marte"),
                                        remedy("TSA Iperico", "Umore basso nella stagione buia", "Sole"),
                                        remedy("TSA Frangola", "Stitichezza occasionale", "Saturno"),
                                        remedy("TSA Biancospino", "Palpitazioni nervose", "Sole")});
    ASSERT_EQ(run("remedies rebuild").status, 0);
    ASSERT_EQ(run("register --archive BASE --name \"Neri Luca\" --date 01/06/2009 --time 10:00 --place MILANO "
                  "--nation ITALIA --corr -1 --coords 45N28-009E11").status, 0);
    const CliRun added = run(
        "consultation add --archive BASE --subject \"neri luca\" --date 05/03/2026 --follow-up 02/04/2026 "
        "--symptom \"Palpitazioni nervose\" --symptom \"Umore basso nella stagione buia\" --remedy \"TSA Calamo aromatico\" "
        "--remedy \"TSA Iperico\" --remedy \"TSA Frangola\" --medicine \"sertralina 50 mg\" --medicine Tachipirina");
    ASSERT_EQ(added.status, 0) << added.out;
    for (const char* expected : {
             "  Farmaci: sertralina 50 mg\r\nTachipirina",
             "Quando rivolgersi al medico:\n- Palpitazioni nervose: Palpitazioni con dolore al petto",
             "subito al medico o al 118",
             "- Umore basso nella stagione buia: Se l'umore resta basso",
             "Attenzione: TSA Calamo aromatico per una persona di 16 anni: Non adatto a bambini e ragazzi. (contiene "
             "beta-asarone",
             "Attenzione: TSA Iperico con \"sertralina 50 mg\" (antidepressivo serotoninergico",
             "sindrome serotoninergica",
             "Attenzione: TSA Frangola: il controllo del 02/04/2026 cade 28 giorni dopo la consultazione, oltre i 7 giorni",
             "Attenzione: farmaco non riconosciuto \"Tachipirina\"",
         })
        EXPECT_TRUE(added.has(expected)) << expected << "\n" << added.out;
    EXPECT_FALSE(added.has("Nei ragazzi solo su indicazione")) << added.out;
    const CliRun listed = run("consultation list --archive BASE --subject \"neri luca\" --json");
    EXPECT_TRUE(listed.has("\"medicines\": \"sertralina 50 mg\\r\\nTachipirina\", \"pregnancy\": false")) << listed.out;

    const CliRun pregnant = run("consultation add --archive BASE --subject \"Verdi Anna\" --date 05/03/2026 "
                                "--remedy \"TSA Iperico\" --pregnancy");
    ASSERT_EQ(pregnant.status, 0) << pregnant.out;
    EXPECT_TRUE(pregnant.has("  In gravidanza\n")) << pregnant.out;
    EXPECT_TRUE(pregnant.has("Attenzione: TSA Iperico in gravidanza: Non usare in gravidanza e allattamento.")) << pregnant.out;
}

// The practitioner's identity set on the command line is what reports and
// sheets print; a name never set prints nothing.
TEST_F(CliConsultation, PractitionerIsShownAndSetFieldByField) {
    CliRun shown = run("practitioner show");
    ASSERT_EQ(shown.status, 0) << shown.out;
    EXPECT_TRUE(shown.has("Nessun nome impostato")) << shown.out;
    const CliRun set = run("practitioner set --name \"Maria Grazia Rossi\" --qualification Naturopata "
                           "--contact \"tel. 333 1234567\" --law4 on");
    ASSERT_EQ(set.status, 0) << set.out;
    EXPECT_TRUE(set.has("Nome: Maria Grazia\nCognome: Rossi\n")) << set.out;
    EXPECT_TRUE(set.has("  Maria Grazia Rossi, Naturopata\n  tel. 333 1234567\n  Professione non organizzata")) << set.out;
    // Fields not named stay as they are; an empty value clears one.
    ASSERT_EQ(run("practitioner set --association \"Associazione X\" --contact \"\" --law4 off").status, 0);
    shown = run("practitioner show");
    EXPECT_TRUE(shown.has("  Maria Grazia Rossi, Naturopata\n  Associazione X\n")) << shown.out;
    EXPECT_FALSE(shown.has("  tel. 333")) << shown.out;
    EXPECT_FALSE(shown.has("  Professione non organizzata")) << shown.out;
    EXPECT_EQ(run("practitioner set --law4 forse").status, 2);
    EXPECT_EQ(run("practitioner set --surname Bianchi").status, 2);
}

} // namespace consultation_cli_test
