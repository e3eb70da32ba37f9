#include "consultations/consultation_store.h"

#include "base/data_dir.h"
#include "base/errors.h"
#include "consultations/store_schema.h"
#include "consultations/store_statements.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qv::consultations {

const int kStoreSchemaVersion = static_cast<int>(schemaSteps().size());

namespace {

// How long a writer waits for another program's lock before giving up.
constexpr int kBusyWaitMs = 3000;

sqlite3* openConnection(const fs::path& file, int flags) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const int err = errno;
        sqlite3_close(db);
        if ((rc & 0xff) == SQLITE_CANTOPEN && err != 0) throw IoError(file.string(), italianSystemReason(err));
        sql::fail(file, nullptr, rc);
    }
    sqlite3_extended_result_codes(db, 0);
    sqlite3_busy_timeout(db, kBusyWaitMs);
    return db;
}

struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};

void syncFolderOf(const fs::path& file) {
    const int fd = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// An empty file at `path` (one left there before is replaced), readable and
// writable by its owner only; a failure names `shown`.
void createOwnerOnly(const fs::path& path, const fs::path& shown) {
    ::unlink(path.c_str());
    const int fd = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) throwSystemIoError(shown.string());
    ::close(fd);
}

// A new store is made complete under a temporary name, readable by its
// owner only, and renamed into place: the store's name never stands for a
// half-made file, so a store found empty is a damaged one.
void createStore(const fs::path& file) {
    fs::path temp = file;
    temp += ".nuovo~";
    createOwnerOnly(temp, file);
    try {
        std::unique_ptr<sqlite3, Closer> db(openConnection(temp, SQLITE_OPEN_READWRITE));
        migrateSchema(temp, db.get(), 0);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    if (::rename(temp.c_str(), file.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw IoError(file.string(), italianSystemReason(err));
    }
    syncFolderOf(file);
}

// Damage SQLite finds only when it reads the pages: the header may be
// sound and a table's pages not.
void checkIntegrity(const fs::path& file, sqlite3* db) {
    sql::Statement check(file, db, "PRAGMA quick_check");
    if (!check.step() || check.text(0) != "ok")
        throw IoError(file.string(),
                      "archivio delle consultazioni danneggiato; non viene ricreato: ripristinarlo da una copia di "
                      "sicurezza");
}

// The whole-file check reads every page; a window opens the store at each
// action, so a file is checked again only when it changed since it was
// last found sound (another size, time of change or inode).
struct FileStamp {
    fs::path file;
    struct ::stat st {};
    bool same(const FileStamp& o) const {
        return file == o.file && st.st_size == o.st.st_size && st.st_ino == o.st.st_ino &&
               st.st_mtim.tv_sec == o.st.st_mtim.tv_sec && st.st_mtim.tv_nsec == o.st.st_mtim.tv_nsec &&
               st.st_ctim.tv_sec == o.st.st_ctim.tv_sec && st.st_ctim.tv_nsec == o.st.st_ctim.tv_nsec;
    }
};

std::optional<FileStamp> stampOf(const fs::path& file) {
    FileStamp s{file, {}};
    if (::stat(file.c_str(), &s.st) != 0) return std::nullopt;
    return s;
}

std::optional<FileStamp>& lastFoundSound() {
    static std::optional<FileStamp> stamp;
    return stamp;
}

void checkIntegrityOnce(const fs::path& file, sqlite3* db) {
    const auto before = stampOf(file);
    if (before && lastFoundSound() && lastFoundSound()->same(*before)) return;
    checkIntegrity(file, db);
    lastFoundSound() = before;
}

void readSummaryColumns(const sql::Statement& s, ConsultationSummary& out) {
    out.id = s.integer(0);
    out.date = parseIsoDate(s.text(1)).value_or(CalendarDate{});
    out.followUp = s.isNull(2) ? std::nullopt : parseIsoDate(s.text(2));
    out.complaints = s.text(3);
}

const char* const kSubjectCondition = "archive = ? AND subject_name = ? AND birth_moment = ?";

void bindSubject(sql::Statement& s, const SubjectLink& subject, int first = 1) {
    s.bind(first, subject.archive).bind(first + 1, subject.name).bind(first + 2, subject.moment);
}

} // namespace

void ConsultationStore::Deleter::operator()(sqlite3* db) const { sqlite3_close(db); }

ConsultationStore::ConsultationStore(const fs::path& file, bool create) : file_(file) {
    std::error_code ec;
    const bool exists = fs::exists(file_, ec);
    if (!exists) {
        if (!create) throw IoError(file_.string(), "file o cartella inesistente");
        createStore(file_);
    } else if (fs::is_directory(file_, ec)) {
        throw IoError(file_.string(), italianSystemReason(EISDIR));
    } else if (fs::file_size(file_, ec) == 0 && !ec) {
        throw IoError(file_.string(),
                      "archivio delle consultazioni vuoto (troncato); non viene ricreato: ripristinarlo da una copia "
                      "di sicurezza");
    }
    db_.reset(openConnection(file_, SQLITE_OPEN_READWRITE));
    sql::exec(file_, db_.get(), "PRAGMA foreign_keys = ON; PRAGMA synchronous = FULL");
    const int version = recordedSchemaVersion(file_, db_.get());
    if (version == 0)
        throw IoError(file_.string(), "non \xE8 un archivio delle consultazioni (nessuna tabella); non viene ricreato");
    if (version > kStoreSchemaVersion)
        throw IoError(file_.string(), "archivio delle consultazioni creato da una versione pi\xF9 recente di "
                                      "Quorendaville (schema " + std::to_string(version) + ")");
    checkIntegrityOnce(file_, db_.get());
    migrateSchema(file_, db_.get(), version);
}

ConsultationStore::~ConsultationStore() = default;
ConsultationStore::ConsultationStore(ConsultationStore&&) noexcept = default;
ConsultationStore& ConsultationStore::operator=(ConsultationStore&&) noexcept = default;

int ConsultationStore::schemaVersion() const { return recordedSchemaVersion(file_, db_.get()); }

std::vector<ConsultationSummary> ConsultationStore::summariesOf(const SubjectLink& subject) const {
    sql::Statement s(file_, db_.get(),
                     (std::string("SELECT id, date, follow_up, complaints, "
                                  "(SELECT COUNT(*) FROM consultation_symptom WHERE consultation_id = id), "
                                  "(SELECT COUNT(*) FROM consultation_remedy WHERE consultation_id = id) "
                                  "FROM consultation WHERE ") +
                      kSubjectCondition + " ORDER BY date DESC, id DESC")
                         .c_str());
    bindSubject(s, subject);
    std::vector<ConsultationSummary> out;
    while (s.step()) {
        ConsultationSummary c;
        readSummaryColumns(s, c);
        c.symptoms = static_cast<int>(s.integer(4));
        c.remedies = static_cast<int>(s.integer(5));
        out.push_back(std::move(c));
    }
    return out;
}

std::vector<Consultation> ConsultationStore::consultationsOf(const SubjectLink& subject) const {
    // Three reads in all, whatever the number of consultations: the rows,
    // then every symptom and every remedy of the subject in order.
    sql::Statement rows(file_, db_.get(),
                        (std::string("SELECT id, date, follow_up, complaints, notes FROM consultation WHERE ") +
                         kSubjectCondition + " ORDER BY date DESC, id DESC")
                            .c_str());
    bindSubject(rows, subject);
    std::vector<Consultation> out;
    std::vector<std::pair<std::int64_t, std::size_t>> at;  // id → position in out
    while (rows.step()) {
        ConsultationSummary head;
        readSummaryColumns(rows, head);
        Consultation c;
        c.id = head.id;
        c.subject = subject;
        c.date = head.date;
        c.followUp = head.followUp;
        c.complaints = head.complaints;
        c.notes = rows.text(4);
        at.emplace_back(c.id, out.size());
        out.push_back(std::move(c));
    }
    if (out.empty()) return out;
    std::sort(at.begin(), at.end());
    auto find = [&](std::int64_t id) -> Consultation* {
        auto it = std::lower_bound(at.begin(), at.end(), std::make_pair(id, std::size_t{0}));
        return it != at.end() && it->first == id ? &out[it->second] : nullptr;
    };
    sql::Statement symptoms(file_, db_.get(),
                            (std::string("SELECT s.consultation_id, s.symptom FROM consultation_symptom s "
                                         "JOIN consultation c ON c.id = s.consultation_id WHERE ") +
                             "c.archive = ? AND c.subject_name = ? AND c.birth_moment = ? "
                             "ORDER BY s.consultation_id, s.position")
                                .c_str());
    bindSubject(symptoms, subject);
    while (symptoms.step())
        if (Consultation* c = find(symptoms.integer(0))) c->symptoms.push_back(symptoms.text(1));
    sql::Statement remedies(file_, db_.get(),
                            "SELECT r.consultation_id, r.name, r.dosage, r.duration FROM consultation_remedy r "
                            "JOIN consultation c ON c.id = r.consultation_id "
                            "WHERE c.archive = ? AND c.subject_name = ? AND c.birth_moment = ? "
                            "ORDER BY r.consultation_id, r.position");
    bindSubject(remedies, subject);
    while (remedies.step())
        if (Consultation* c = find(remedies.integer(0)))
            c->remedies.push_back({remedies.text(1), remedies.text(2), remedies.text(3)});
    return out;
}

std::optional<Consultation> ConsultationStore::find(std::int64_t id) const {
    sql::Statement row(file_, db_.get(),
                       "SELECT id, date, follow_up, complaints, notes, archive, subject_name, birth_moment "
                       "FROM consultation WHERE id = ?");
    row.bind(1, id);
    if (!row.step()) return std::nullopt;
    ConsultationSummary head;
    readSummaryColumns(row, head);
    Consultation c;
    c.id = head.id;
    c.date = head.date;
    c.followUp = head.followUp;
    c.complaints = head.complaints;
    c.notes = row.text(4);
    c.subject = {row.text(5), row.text(6), row.text(7)};
    sql::Statement symptoms(file_, db_.get(),
                            "SELECT symptom FROM consultation_symptom WHERE consultation_id = ? ORDER BY position");
    symptoms.bind(1, id);
    while (symptoms.step()) c.symptoms.push_back(symptoms.text(0));
    sql::Statement remedies(file_, db_.get(),
                            "SELECT name, dosage, duration FROM consultation_remedy WHERE consultation_id = ? "
                            "ORDER BY position");
    remedies.bind(1, id);
    while (remedies.step()) c.remedies.push_back({remedies.text(0), remedies.text(1), remedies.text(2)});
    return c;
}

int ConsultationStore::countOf(const SubjectLink& subject) const {
    sql::Statement s(file_, db_.get(), (std::string("SELECT COUNT(*) FROM consultation WHERE ") + kSubjectCondition).c_str());
    bindSubject(s, subject);
    s.step();
    return static_cast<int>(s.integer(0));
}

void ConsultationStore::save(Consultation& c) {
    if (const std::string failure = consultationFailure(c); !failure.empty()) throw ConversionError(failure);
    sql::Transaction t(file_, db_.get());
    std::int64_t id = c.id;
    // The columns of the row, parameters 1–7 of both statements.
    auto bindRow = [&](sql::Statement& s) -> sql::Statement& {
        bindSubject(s, c.subject);
        s.bind(4, isoDateText(c.date));
        if (c.followUp) s.bind(5, isoDateText(*c.followUp)); else s.bindNull(5);
        return s.bind(6, c.complaints).bind(7, c.notes);
    };
    if (id == 0) {
        sql::Statement insert(file_, db_.get(),
                              "INSERT INTO consultation (archive, subject_name, birth_moment, date, follow_up, "
                              "complaints, notes) VALUES (?, ?, ?, ?, ?, ?, ?)");
        bindRow(insert).run();
        id = sqlite3_last_insert_rowid(db_.get());
    } else {
        sql::Statement update(file_, db_.get(),
                              "UPDATE consultation SET archive = ?, subject_name = ?, birth_moment = ?, date = ?, "
                              "follow_up = ?, complaints = ?, notes = ? WHERE id = ?");
        bindRow(update).bind(8, id).run();
        if (sqlite3_changes(db_.get()) != 1)
            throw IoError(file_.string(), "la consultazione " + std::to_string(id) + " non esiste pi\xF9");
        sql::Statement dropSymptoms(file_, db_.get(), "DELETE FROM consultation_symptom WHERE consultation_id = ?");
        dropSymptoms.bind(1, id).run();
        sql::Statement dropRemedies(file_, db_.get(), "DELETE FROM consultation_remedy WHERE consultation_id = ?");
        dropRemedies.bind(1, id).run();
    }
    sql::Statement symptom(file_, db_.get(),
                           "INSERT INTO consultation_symptom (consultation_id, position, symptom) VALUES (?, ?, ?)");
    for (std::size_t i = 0; i < c.symptoms.size(); ++i) {
        symptom.bind(1, id).bind(2, static_cast<std::int64_t>(i + 1)).bind(3, c.symptoms[i]).run();
        symptom.reset();
    }
    sql::Statement remedy(file_, db_.get(),
                          "INSERT INTO consultation_remedy (consultation_id, position, name, dosage, duration) "
                          "VALUES (?, ?, ?, ?, ?)");
    for (std::size_t i = 0; i < c.remedies.size(); ++i) {
        const PrescribedRemedy& r = c.remedies[i];
        remedy.bind(1, id).bind(2, static_cast<std::int64_t>(i + 1)).bind(3, r.name).bind(4, r.dosage).bind(5, r.duration).run();
        remedy.reset();
    }
    t.commit();
    c.id = id;
}

bool ConsultationStore::remove(std::int64_t id) {
    sql::Transaction t(file_, db_.get());
    sql::Statement s(file_, db_.get(), "DELETE FROM consultation WHERE id = ?");
    s.bind(1, id).run();
    const bool removed = sqlite3_changes(db_.get()) > 0;
    t.commit();
    return removed;
}

int ConsultationStore::removeAllOf(const SubjectLink& subject) {
    sql::Transaction t(file_, db_.get());
    sql::Statement s(file_, db_.get(), (std::string("DELETE FROM consultation WHERE ") + kSubjectCondition).c_str());
    bindSubject(s, subject);
    s.run();
    const int removed = sqlite3_changes(db_.get());
    t.commit();
    return removed;
}

int ConsultationStore::moveAllOf(const SubjectLink& from, const SubjectLink& to) {
    if (from == to) return 0;
    sql::Transaction t(file_, db_.get());
    sql::Statement s(file_, db_.get(),
                     (std::string("UPDATE consultation SET archive = ?, subject_name = ?, birth_moment = ? WHERE ") +
                      kSubjectCondition)
                         .c_str());
    bindSubject(s, to);
    bindSubject(s, from, 4);
    s.run();
    const int moved = sqlite3_changes(db_.get());
    t.commit();
    return moved;
}

fs::path storePath() { return dataDir().prepareForWrite(kStoreFileName); }

ConsultationStore openStore() { return ConsultationStore(storePath(), true); }

int followSubject(const SubjectLink& before, const SubjectLink& after) {
    std::error_code ec;
    if (before == after || !fs::exists(storePath(), ec)) return 0;
    return ConsultationStore(storePath(), false).moveAllOf(before, after);
}

void copyStore(const fs::path& from, const fs::path& to) {
    // The source is only read: a store on a backup medium is checked as it
    // is, never migrated or repaired there.
    std::error_code ec;
    if (!fs::exists(from, ec)) throw IoError(from.string(), "file o cartella inesistente");
    if (fs::file_size(from, ec) == 0 && !ec)
        throw IoError(from.string(), "archivio delle consultazioni vuoto (troncato)");
    std::unique_ptr<sqlite3, Closer> reader(openConnection(from, SQLITE_OPEN_READONLY));
    const int version = recordedSchemaVersion(from, reader.get());
    if (version == 0) throw IoError(from.string(), "non \xE8 un archivio delle consultazioni (nessuna tabella)");
    if (version > kStoreSchemaVersion)
        throw IoError(from.string(), "archivio delle consultazioni creato da una versione pi\xF9 recente di Quorendaville");
    checkIntegrity(from, reader.get());

    createOwnerOnly(to, to);
    try {
        std::unique_ptr<sqlite3, Closer> target(openConnection(to, SQLITE_OPEN_READWRITE));
        sqlite3_backup* backup = sqlite3_backup_init(target.get(), "main", reader.get(), "main");
        if (!backup) sql::fail(to, target.get(), sqlite3_errcode(target.get()));
        const int rc = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE) sql::fail(to, target.get(), rc);
    } catch (...) {
        ::unlink(to.c_str());
        throw;
    }
}

} // namespace qv::consultations
