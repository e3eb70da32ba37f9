#include "base/errors.h"
#include "consultations/consultation_store.h"
#include "consultations/store_schema.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qv::consultations {
namespace store_test {

namespace fs = std::filesystem;

const SubjectLink kRossi{"BASE", "ROSSI MARIA", "196803121430-1"};
const SubjectLink kBianchi{"BASE", "BIANCHI LUCA", "197501010800-1"};

Consultation consultation(const SubjectLink& who, CalendarDate date, const std::string& complaints = "Stanchezza") {
    Consultation c;
    c.subject = who;
    c.date = date;
    c.followUp = CalendarDate{date.day, date.month == 12 ? 1 : date.month + 1, date.month == 12 ? date.year + 1 : date.year};
    c.complaints = complaints;
    c.symptoms = {"Insonnia", "Ansia"};
    c.remedies = {{"Melissa", "15 gocce due volte al giorno", "tre settimane"}, {"Passiflora", "10 gocce la sera", ""}};
    c.notes = "Riduce il caff\xE8";
    return c;
}

std::string fileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const fs::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary | std::ios::trunc) << bytes;
}

// Runs SQL on the file directly, as another program would.
void rawSql(const fs::path& file, const char* sqlText) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sqlText, nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

std::string rawText(const fs::path& file, const char* query) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, query, -1, &s, nullptr);
    std::string out;
    if (sqlite3_step(s) == SQLITE_ROW) out = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    sqlite3_finalize(s);
    sqlite3_close(db);
    return out;
}

std::string openingError(const fs::path& file) {
    try {
        ConsultationStore store(file);
    } catch (const IoError& e) {
        return e.reason();
    }
    return {};
}

TEST(ConsultationStore, KeepsWhatWasSavedNewestFirstAndPerSubject) {
    test::TempDataDir data;
    ConsultationStore store = openStore();
    EXPECT_EQ(store.file(), data.path() / "Consulti.db");
    Consultation older = consultation(kRossi, {3, 2, 2025});
    Consultation newer = consultation(kRossi, {10, 1, 2026}, "Cefalea\r\nal mattino");
    Consultation sameDay = consultation(kRossi, {10, 1, 2026}, "Seconda visita del giorno");
    Consultation other = consultation(kBianchi, {1, 3, 2026});
    for (Consultation* c : {&older, &newer, &sameDay, &other}) store.save(*c);
    EXPECT_GT(older.id, 0);
    EXPECT_NE(older.id, newer.id);

    // By date, and on the same day the one recorded last first.
    const auto list = store.consultationsOf(kRossi);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0], sameDay);
    EXPECT_EQ(list[1], newer);
    EXPECT_EQ(list[2], older);
    EXPECT_EQ(store.countOf(kBianchi), 1);
    EXPECT_EQ(*store.find(other.id), other);

    const auto summaries = store.summariesOf(kRossi);
    ASSERT_EQ(summaries.size(), 3u);
    EXPECT_EQ(summaries[2].id, older.id);
    EXPECT_EQ(summaries[2].symptoms, 2);
    EXPECT_EQ(summaries[2].remedies, 2);

    // A link is the archive, the name and the moment: another moment under
    // the same name is another person.
    EXPECT_EQ(store.countOf({"BASE", "ROSSI MARIA", "196803121431-1"}), 0);
    EXPECT_EQ(store.countOf({"RICE", "ROSSI MARIA", "196803121430-1"}), 0);
}

TEST(ConsultationStore, StoresTextAsUtf8AndReadsItBack) {
    test::TempDataDir data;
    ConsultationStore store = openStore();
    Consultation c = consultation(kRossi, {1, 1, 2026}, "Perch\xE9 \x80 e \x93virgolette\x94");
    store.save(c);
    EXPECT_EQ(rawText(store.file(), "SELECT complaints FROM consultation"), "Perch\xC3\xA9 \xE2\x82\xAC e \xE2\x80\x9Cvirgolette\xE2\x80\x9D");
    EXPECT_EQ(rawText(store.file(), "SELECT notes FROM consultation"), "Riduce il caff\xC3\xA8");
    EXPECT_EQ(store.find(c.id)->complaints, c.complaints);
    // Another program's character with no Windows-1252 form reads as "?".
    rawSql(store.file(), "UPDATE consultation SET notes = 'freccia \xE2\x86\x92 qui'");
    EXPECT_EQ(ConsultationStore(store.file()).find(c.id)->notes, "freccia ? qui");
}

TEST(ConsultationStore, EditsReplaceTheListsAndDeletionsRemoveEverything) {
    test::TempDataDir data;
    ConsultationStore store = openStore();
    Consultation c = consultation(kRossi, {1, 1, 2026});
    store.save(c);
    c.symptoms = {"Cefalea"};
    c.remedies = {{"Rosmarino", "20 gocce", "un mese"}};
    c.followUp.reset();
    c.notes.clear();
    store.save(c);
    EXPECT_EQ(*store.find(c.id), c);
    EXPECT_EQ(rawText(store.file(), "SELECT COUNT(*) FROM consultation_remedy"), "1");

    // A consultation that no longer exists is not created again by saving it.
    Consultation gone = c;
    gone.id = c.id + 100;
    EXPECT_THROW(store.save(gone), IoError);

    Consultation second = consultation(kRossi, {2, 1, 2026});
    Consultation third = consultation(kBianchi, {2, 1, 2026});
    store.save(second);
    store.save(third);
    EXPECT_TRUE(store.remove(c.id));
    EXPECT_FALSE(store.remove(c.id));
    EXPECT_EQ(store.removeAllOf(kRossi), 1);
    EXPECT_EQ(store.countOf(kRossi), 0);
    EXPECT_EQ(store.countOf(kBianchi), 1);
    // The symptoms and remedies of deleted consultations go with them.
    EXPECT_EQ(rawText(store.file(), "SELECT COUNT(*) FROM consultation_symptom"), "2");
    EXPECT_EQ(rawText(store.file(), "SELECT COUNT(*) FROM consultation_remedy"), "2");
}

TEST(ConsultationStore, RefusesAnInvalidConsultationWritingNothing) {
    test::TempDataDir data;
    ConsultationStore store = openStore();
    Consultation c = consultation(kRossi, {1, 1, 2026});
    c.followUp = CalendarDate{31, 12, 2025};
    EXPECT_THROW(store.save(c), ConversionError);
    EXPECT_EQ(c.id, 0);
    EXPECT_EQ(store.countOf(kRossi), 0);
}

TEST(ConsultationStore, IsCreatedReadableByItsOwnerOnly) {
    test::TempDataDir data;
    ::umask(022);
    ConsultationStore store = openStore();
    EXPECT_EQ(fs::status(store.file()).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(data.path() / "Consulti.db.nuovo~"));
    EXPECT_EQ(store.schemaVersion(), kStoreSchemaVersion);

    Consultation c = consultation(kRossi, {1, 1, 2026});
    store.save(c);
    const fs::path copy = data.path() / "copia.db";
    copyStore(store.file(), copy);
    EXPECT_EQ(fs::status(copy).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(*ConsultationStore(copy, false).find(c.id), c);
}

TEST(ConsultationStore, ADamagedOrForeignFileIsReportedAndLeftAsItIs) {
    test::TempDataDir data;
    const fs::path file = data.path() / "Consulti.db";
    {
        ConsultationStore store(file);
        for (int i = 1; i <= 60; ++i) {
            Consultation c = consultation(kRossi, {1 + i % 28, 1 + i % 12, 2025}, std::string(400, 'x'));
            store.save(c);
        }
    }
    const std::string sound = fileBytes(file);
    ASSERT_GT(sound.size(), 8192u);

    struct Case {
        const char* what;
        std::string bytes;
        const char* reason;
    };
    std::string brokenPages = sound;
    for (std::size_t i = 4096; i < brokenPages.size(); ++i) brokenPages[i] = static_cast<char>(i * 7);
    const std::vector<Case> cases{
        {"empty", "", "vuoto"},
        {"text", "questo non \xE8 un archivio\r\n", "non \xE8 un archivio delle consultazioni"},
        {"pages", brokenPages, "danneggiato"},
        {"cut", sound.substr(0, 4096 + 100), "danneggiato"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(file, c.bytes);
        const std::string reason = openingError(file);
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
        EXPECT_EQ(fileBytes(file), c.bytes);  // never recreated nor repaired
    }

    // Another program's database, and a store of a newer program.
    fs::remove(file);
    rawSql(file, "CREATE TABLE persone (nome TEXT)");
    EXPECT_NE(openingError(file).find("manca la versione"), std::string::npos);
    fs::remove(file);
    { ConsultationStore store(file); }
    rawSql(file, "UPDATE schema_version SET version = 99");
    EXPECT_NE(openingError(file).find("versione pi\xF9 recente"), std::string::npos);
}

TEST(ConsultationStore, SQLitesFailuresAreToldInItalianNamingTheFile) {
    test::TempDataDir data;
    const fs::path file = data.path() / "Consulti.db";
    const struct {
        const char* what;
        const char* sqlText;  // run by another program on a sound store
        const char* reason;
    } cases[] = {
        {"a table dropped", "DROP TABLE consultation_remedy", "schema inatteso"},
        {"a column renamed", "ALTER TABLE consultation RENAME COLUMN complaints TO disturbi", "schema inatteso"},
        {"a trigger that refuses", "CREATE TRIGGER no BEFORE INSERT ON consultation BEGIN SELECT RAISE(ABORT, 'no'); END",
         "vincoli"},
        {"a uniqueness of its own", "CREATE UNIQUE INDEX once_ever ON consultation_symptom (symptom)", "vincoli"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove(file);
        {
            ConsultationStore store(file);
            Consultation first = consultation(kRossi, {1, 1, 2026});
            store.save(first);
        }
        rawSql(file, c.sqlText);
        const std::string before = fileBytes(file);
        try {
            ConsultationStore store(file);
            Consultation second = consultation(kRossi, {2, 1, 2026});  // the same symptoms as the first
            store.save(second);
            store.consultationsOf(kRossi);
            ADD_FAILURE() << "no error";
        } catch (const IoError& e) {
            EXPECT_EQ(e.file(), file.string());
            EXPECT_NE(e.reason().find(c.reason), std::string::npos) << e.reason();
            for (const char* english : {"no such", "constraint", "failed", "table", "column", "SQL"})
                EXPECT_EQ(e.reason().find(english), std::string::npos) << e.reason();
        }
        EXPECT_TRUE(fileBytes(file) == before) << "the store was changed";
    }
}

TEST(ConsultationStore, AStoreLockedByAnotherProgramIsReported) {
    test::TempDataDir data;
    ConsultationStore store = openStore();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(store.file().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    Consultation c = consultation(kRossi, {1, 1, 2026});
    try {
        store.save(c);
        ADD_FAILURE() << "saved into a locked store";
    } catch (const IoError& e) {
        EXPECT_NE(e.reason().find("bloccato da un altro programma"), std::string::npos) << e.reason();
    }
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    store.save(c);
    EXPECT_EQ(store.countOf(kRossi), 1);
}

TEST(ConsultationStore, MigratesAStoreOfTheFirstSchema) {
    test::TempDataDir data;
    const fs::path file = data.path() / "Consulti.db";
    // A store as the first version wrote it, with one consultation.
    rawSql(file, schemaSteps().front());
    rawSql(file,
           "UPDATE schema_version SET version = 1;"
           "INSERT INTO consultation (archive, subject_name, birth_moment, date, follow_up, complaints, notes) "
           "VALUES ('BASE', 'ROSSI MARIA', '196803121430-1', '2024-05-06', NULL, 'Tosse', 'perch\xC3\xA9');"
           "INSERT INTO consultation_symptom VALUES (1, 1, 'Tosse secca');"
           "INSERT INTO consultation_remedy VALUES (1, 1, 'Timo', '20 gocce', 'dieci giorni');");
    ConsultationStore store(file);
    EXPECT_EQ(store.schemaVersion(), kStoreSchemaVersion);
    EXPECT_EQ(rawText(file, "SELECT name FROM sqlite_master WHERE name = 'consultation_by_subject'"),
              "consultation_by_subject");
    const auto list = store.consultationsOf(kRossi);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].date, (CalendarDate{6, 5, 2024}));
    EXPECT_FALSE(list[0].followUp);
    EXPECT_EQ(list[0].notes, "perch\xE9");
    EXPECT_EQ(list[0].symptoms, std::vector<std::string>{"Tosse secca"});
    EXPECT_EQ(list[0].remedies, (std::vector<PrescribedRemedy>{{"Timo", "20 gocce", "dieci giorni"}}));
    Consultation added = consultation(kRossi, {1, 1, 2026});
    store.save(added);
    EXPECT_EQ(store.countOf(kRossi), 2);
}

// A store of the schema that gave subjects their ids, with a consultation
// recorded before the health context existed: it reads as one that says
// nothing of medicines, pregnancy or breastfeeding, and takes them once
// edited, without touching the other consultation.
TEST(ConsultationStore, MigratesAStoreWithoutTheHealthContext) {
    test::TempDataDir data;
    const fs::path file = data.path() / "Consulti.db";
    for (int v = 0; v < 3; ++v) rawSql(file, schemaSteps()[static_cast<std::size_t>(v)]);
    rawSql(file,
           "UPDATE schema_version SET version = 3;"
           "INSERT INTO subject (archive, name, birth_moment) VALUES ('BASE', 'ROSSI MARIA', '196803121430-1');"
           "INSERT INTO consultation (subject_id, date, follow_up, complaints, notes) "
           "VALUES (1, '2024-05-06', '2024-06-01', 'Tosse', '');"
           "INSERT INTO consultation (subject_id, date, follow_up, complaints, notes) "
           "VALUES (1, '2024-07-06', NULL, 'Sonno', '');"
           "INSERT INTO consultation_remedy VALUES (1, 1, 'TSA Timo', '20 gocce', 'dieci giorni');");
    ConsultationStore store(file);
    EXPECT_EQ(store.schemaVersion(), kStoreSchemaVersion);
    auto list = store.consultationsOf(kRossi);
    ASSERT_EQ(list.size(), 2u);
    for (const Consultation& c : list) {
        EXPECT_EQ(c.medicines, "");
        EXPECT_FALSE(c.pregnancy);
        EXPECT_FALSE(c.breastfeeding);
    }
    Consultation older = list[1];
    EXPECT_EQ(older.remedies, (std::vector<PrescribedRemedy>{{"TSA Timo", "20 gocce", "dieci giorni"}}));
    older.medicines = "sertralina 50 mg\r\nCoumadin";
    older.breastfeeding = true;
    store.save(older);
    const auto again = store.find(older.id);
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, older);
    const auto other = store.find(list[0].id);
    ASSERT_TRUE(other);
    EXPECT_EQ(*other, list[0]);
    // A new consultation keeps its pregnancy through the list read too.
    Consultation added = consultation(kRossi, {1, 1, 2026});
    added.pregnancy = true;
    store.save(added);
    EXPECT_TRUE(store.consultationsOf(kRossi).front().pregnancy);
}

// A writer killed at any moment leaves the store readable with every
// consultation whole: each was written with two symptoms and two remedies.
TEST(ConsultationStore, SurvivesAWriterKilledDuringItsWrites) {
    test::TempDataDir data;
    const fs::path file = data.path() / "Consulti.db";
    { ConsultationStore created(file); }
    for (int round = 0; round < 6; ++round) {
        // The writer says when its first consultation is stored, so that a
        // busy machine never kills it before it wrote anything.
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            try {
                ConsultationStore store(file);
                for (int i = 0;; ++i) {
                    Consultation c = consultation(kRossi, {1 + i % 28, 1 + i % 12, 2020 + round}, std::string(3000, 'a' + i % 26));
                    store.save(c);
                    if (i == 0) {
                        const char one = 1;
                        if (::write(ready[1], &one, 1) != 1) ::_exit(2);
                        ::close(ready[1]);
                    }
                    if (i % 3 == 0) {
                        c.remedies.push_back({"Timo", "20 gocce", ""});
                        c.remedies.erase(c.remedies.begin());
                        store.save(c);
                    }
                }
            } catch (...) {
            }
            ::_exit(1);
        }
        ::close(ready[1]);
        char started = 0;
        ASSERT_EQ(::read(ready[0], &started, 1), 1) << "the writer stored nothing";
        ::close(ready[0]);
        ::usleep(static_cast<useconds_t>(5000 + round * 17000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped before it was killed";

        ConsultationStore store(file);
        const auto list = store.consultationsOf(kRossi);
        EXPECT_FALSE(list.empty());
        for (const Consultation& c : list) {
            EXPECT_EQ(c.symptoms.size(), 2u) << c.id;
            EXPECT_EQ(c.remedies.size(), 2u) << c.id;
            EXPECT_EQ(c.complaints.size(), 3000u) << c.id;
        }
    }
    EXPECT_EQ(rawText(file, "PRAGMA integrity_check"), "ok");
}

TEST(ConsultationDates, ReadAndWriteTheirTexts) {
    struct Case {
        const char* text;
        std::optional<CalendarDate> date;
    };
    const std::vector<Case> cases{
        {"05/03/2026", CalendarDate{5, 3, 2026}}, {"5/3/2026", CalendarDate{5, 3, 2026}},
        {"29/02/2024", CalendarDate{29, 2, 2024}}, {"29/02/2100", std::nullopt},
        {"31/04/2026", std::nullopt},             {"00/01/2026", std::nullopt},
        {"05/03/26", std::nullopt},               {"05-03-2026", std::nullopt},
        {" 5/3/2026", std::nullopt},              {"05/03/2026x", std::nullopt},
        {"+5/3/2026", std::nullopt},              {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(parseDate(c.text), c.date) << c.text;
    EXPECT_EQ(dateText({5, 3, 2026}), "05/03/2026");
    EXPECT_EQ(isoDateText({5, 3, 2026}), "2026-03-05");
    EXPECT_EQ(parseIsoDate("2026-03-05"), (CalendarDate{5, 3, 2026}));
    EXPECT_EQ(parseIsoDate("2026-02-30"), std::nullopt);
}

TEST(ConsultationChecks, NameTheFieldThatFails) {
    const Consultation sound = consultation(kRossi, {1, 1, 2026});
    EXPECT_EQ(consultationFailure(sound), "");
    struct Case {
        std::function<void(Consultation&)> change;
        const char* failure;
    };
    const std::vector<Case> cases{
        {[](Consultation& c) { c.subject = {}; }, "Consultazione senza soggetto: richiamare prima un soggetto"},
        {[](Consultation& c) { c.date = {31, 2, 2026}; }, "Data della consultazione non valida (GG/MM/AAAA)"},
        {[](Consultation& c) { c.followUp = CalendarDate{31, 12, 2025}; },
         "La data del controllo precede quella della consultazione"},
        {[](Consultation& c) { c.followUp = CalendarDate{0, 1, 2026}; }, "Data del controllo non valida (GG/MM/AAAA)"},
        {[](Consultation& c) { c.symptoms.push_back("Ansia"); }, "Il sintomo \"Ansia\" \xE8 indicato due volte"},
        {[](Consultation& c) { c.remedies.push_back({"Melissa", "", ""}); },
         "Il rimedio \"Melissa\" \xE8 indicato due volte"},
        {[](Consultation& c) { c.remedies.push_back({"  ", "", ""}); }, "Rimedio 3 senza nome"},
    };
    for (const Case& k : cases) {
        Consultation c = sound;
        k.change(c);
        EXPECT_EQ(consultationFailure(c), k.failure);
    }
    Consultation sameDay = sound;
    sameDay.followUp = sameDay.date;
    EXPECT_EQ(consultationFailure(sameDay), "");
}

TEST(ConsultationLinks, AreTheStoredFieldsWithoutTrailingBlanks) {
    EXPECT_EQ(subjectLinkOf("base", "ROSSI MARIA                           ", "196803121430-1      "), kRossi);
}

} // namespace store_test
} // namespace qv::consultations
