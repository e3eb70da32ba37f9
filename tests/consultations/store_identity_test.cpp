// The store's own subjects: one id per person, brought in from a store of
// the previous schema; a store that two programs create at once; links
// followed only to a store that is there; rows deleted without a trace.
#include "base/errors.h"
#include "consultations/consultation_store.h"
#include "consultations/store_schema.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace qv::consultations {
namespace store_identity_test {

namespace fs = std::filesystem;

const SubjectLink kRossi{"BASE", "ROSSI MARIA", "196803121430-1"};
const SubjectLink kBianchi{"BASE", "BIANCHI LUCA", "197501010800-1"};

Consultation consultation(const SubjectLink& who, CalendarDate date, const std::string& notes = "Riposo") {
    Consultation c;
    c.subject = who;
    c.date = date;
    c.complaints = "Stanchezza";
    c.symptoms = {"Insonnia"};
    c.remedies = {{"Melissa", "15 gocce", "tre settimane"}};
    c.notes = notes;
    return c;
}

std::string fileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void rawSql(const fs::path& file, const std::string& sqlText) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sqlText.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

std::vector<std::string> rawColumn(const fs::path& file, const char* query) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, query, -1, &s, nullptr);
    std::vector<std::string> out;
    while (sqlite3_step(s) == SQLITE_ROW) out.push_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    sqlite3_close(db);
    return out;
}

// A store of the schema before subjects had ids: Rossi twice, Bianchi once.
TEST(StoreSubjects, AStoreOfThePreviousSchemaGivesEachPersonOneId) {
    test::TempDataDir data;
    const fs::path file = data.path() / kStoreFileName;
    rawSql(file, std::string(schemaSteps()[0]) + schemaSteps()[1] +
                     "UPDATE schema_version SET version = 2;"
                     "INSERT INTO consultation (archive, subject_name, birth_moment, date, complaints, notes) VALUES "
                     "('BASE', 'ROSSI MARIA', '196803121430-1', '2024-05-06', 'Tosse', ''),"
                     "('BASE', 'BIANCHI LUCA', '197501010800-1', '2024-06-01', 'Ansia', ''),"
                     "('BASE', 'ROSSI MARIA', '196803121430-1', '2025-01-10', 'Tosse', 'meglio');"
                     "INSERT INTO consultation_remedy VALUES (3, 1, 'Timo', '20 gocce', 'dieci giorni');");
    ConsultationStore store(file);
    EXPECT_EQ(store.schemaVersion(), kStoreSchemaVersion);
    EXPECT_EQ(rawColumn(file, "SELECT name || '/' || id FROM subject ORDER BY id"),
              (std::vector<std::string>{"ROSSI MARIA/1", "BIANCHI LUCA/2"}));
    // The natural key lives in one row only.
    EXPECT_EQ(rawColumn(file, "SELECT name FROM pragma_table_info('consultation') WHERE name = 'subject_name'").size(), 0u);
    const auto rossi = store.consultationsOf(kRossi);
    ASSERT_EQ(rossi.size(), 2u);
    EXPECT_EQ(rossi[0].notes, "meglio");
    EXPECT_EQ(rossi[0].remedies, (std::vector<PrescribedRemedy>{{"Timo", "20 gocce", "dieci giorni"}}));
    EXPECT_EQ(store.countOf(kBianchi), 1);

    // A correction changes the one row; the id and the consultations stay.
    const SubjectLink renamed{"BASE", "ROSSI MARIA GRAZIA", "196803121430-1"};
    EXPECT_EQ(store.moveAllOf(kRossi, renamed), 2);
    EXPECT_EQ(store.subjectIdOf(renamed), 1);
    EXPECT_FALSE(store.subjectIdOf(kRossi));
    // Onto a person the store already knows: one person, one record.
    EXPECT_EQ(store.moveAllOf(kBianchi, renamed), 1);
    EXPECT_EQ(store.countOf(renamed), 3);
    EXPECT_FALSE(store.subjectIdOf(kBianchi));
    EXPECT_EQ(rawColumn(file, "PRAGMA integrity_check"), std::vector<std::string>{"ok"});
}

// Four programs open a data directory without a store at the same moment,
// each to record one consultation, again and again until one of them has
// made a store and found another's in its place. Every consultation is
// there, and the store is never empty.
TEST(StoreSubjects, FourProgramsCreatingTheStoreAtOnceEndWithOneStoreWithEverything) {
    constexpr int kWriters = 4;
    enum Outcome { kCreated = 10, kLost = 11, kFound = 12, kFailed = 13 };
    int lost = 0, rounds = 0;
    for (; rounds < 400 && (lost == 0 || rounds < 20); ++rounds) {
        test::TempDataDir data;
        const fs::path file = data.path() / kStoreFileName;
        int go[2];
        ASSERT_EQ(::pipe(go), 0);
        std::vector<pid_t> children;
        for (int w = 0; w < kWriters; ++w) {
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                ::close(go[1]);
                char start = 0;
                if (::read(go[0], &start, 1) != 0) ::_exit(kFailed);
                try {
                    ConsultationStore store(file);
                    Consultation c = consultation(kRossi, {1 + w, 1, 2026}, "scrittore " + std::to_string(w));
                    store.save(c);
                    ::_exit(store.opening() == StoreOpening::Created ? kCreated
                            : store.opening() == StoreOpening::LostCreationRace ? kLost
                                                                                 : kFound);
                } catch (...) {
                    ::_exit(kFailed);
                }
            }
            children.push_back(child);
        }
        ::close(go[0]);
        ::close(go[1]);  // every writer starts now
        int created = 0;
        for (pid_t child : children) {
            int status = 0;
            ::waitpid(child, &status, 0);
            ASSERT_TRUE(WIFEXITED(status));
            ASSERT_NE(WEXITSTATUS(status), kFailed) << "a writer failed in round " << rounds;
            created += WEXITSTATUS(status) == kCreated;
            lost += WEXITSTATUS(status) == kLost;
        }
        EXPECT_EQ(created, 1) << "round " << rounds;
        ASSERT_GT(fs::file_size(file), 0u);
        EXPECT_EQ(ConsultationStore(file).countOf(kRossi), kWriters) << "round " << rounds;
        // Nothing but the store is left in the folder.
        for (const auto& e : fs::directory_iterator(data.path()))
            EXPECT_EQ(e.path().filename(), kStoreFileName) << "round " << rounds;
    }
    EXPECT_GT(lost, 0) << "no writer lost the race in " << rounds << " rounds";
}

std::string openingError(const fs::path& file) {
    try {
        ConsultationStore store(file);
    } catch (const IoError& e) {
        EXPECT_EQ(e.file(), file.string());
        return e.reason();
    }
    return {};
}

// A store on a volume that is not mounted is not replaced by an empty one
// (the record would split in two); a link to a store that is there is
// followed.
TEST(StoreSubjects, ALinkIsFollowedOnlyToAStoreThatIsThere) {
    test::TempDataDir data;
    const fs::path link = data.path() / kStoreFileName;
    const fs::path away = data.path() / "altrove" / "Consulti.db";

    fs::create_symlink(away, link);
    EXPECT_NE(openingError(link).find("collegamento simbolico a un file che non c'\xE8"), std::string::npos);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), away);
    EXPECT_FALSE(fs::exists(away));

    fs::create_directories(away);  // a folder at the target
    EXPECT_NE(openingError(link).find("non \xE8 un file"), std::string::npos);
    fs::remove(away);

    { ConsultationStore made(away); }
    {
        ConsultationStore store(link);
        Consultation c = consultation(kRossi, {2, 3, 2026});
        store.save(c);
    }
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ConsultationStore(away).countOf(kRossi), 1);
}

// A person deleted with their consultations leaves none of their words in
// the file: the pages are overwritten, not only freed.
TEST(StoreSubjects, DeletedRowsLeaveNoTraceInTheFile) {
    test::TempDataDir data;
    const fs::path file = data.path() / kStoreFileName;
    const SubjectLink secret{"BASE", "ZANARDELLI OTTAVIA", "198001010800-1"};
    {
        ConsultationStore store(file);
        for (int i = 0; i < 30; ++i) {
            Consultation c = consultation(secret, {1 + i % 28, 1, 2025}, "DIARIO-RISERVATO-" + std::to_string(i));
            store.save(c);
            Consultation other = consultation(kBianchi, {1 + i % 28, 2, 2025});
            store.save(other);
        }
        ASSERT_NE(fileBytes(file).find("ZANARDELLI OTTAVIA"), std::string::npos);
        EXPECT_EQ(store.removeAllOf(secret), 30);
    }
    const std::string bytes = fileBytes(file);
    EXPECT_EQ(bytes.find("ZANARDELLI"), std::string::npos);
    EXPECT_EQ(bytes.find("DIARIO-RISERVATO"), std::string::npos);
    EXPECT_EQ(ConsultationStore(file).countOf(kBianchi), 30);
}

} // namespace store_identity_test
} // namespace qv::consultations
