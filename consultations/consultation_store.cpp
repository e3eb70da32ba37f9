#include "consultations/consultation_store.h"

#include "base/data_dir.h"
#include "base/errors.h"
#include "base/file_safety.h"
#include "consultations/store_opening.h"
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

struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};

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
// action, so a file is checked again only when its identity changed since
// it was last found sound, and only an identity old enough to prove
// anything is kept.
std::optional<FileIdentity>& lastFoundSound() {
    static std::optional<FileIdentity> identity;
    return identity;
}

void checkIntegrityOnce(const fs::path& file, sqlite3* db) {
    const FileIdentity before = statFile(file).identity;
    if (before.known() && lastFoundSound() && *lastFoundSound() == before) return;
    checkIntegrity(file, db);
    if (identitySettled(before, file)) lastFoundSound() = before; else lastFoundSound().reset();
}

void readSummaryColumns(const sql::Statement& s, ConsultationSummary& out) {
    out.id = s.integer(0);
    out.date = parseIsoDate(s.text(1)).value_or(CalendarDate{});
    out.followUp = s.isNull(2) ? std::nullopt : parseIsoDate(s.text(2));
    out.complaints = s.text(3);
}

// Medicines, pregnancy and breastfeeding from `first` on.
void readHealthColumns(const sql::Statement& s, int first, Consultation& c) {
    c.medicines = s.text(first);
    c.pregnancy = s.integer(first + 1) != 0;
    c.breastfeeding = s.integer(first + 2) != 0;
}

void bindSubject(sql::Statement& s, const SubjectLink& subject, int first = 1) {
    s.bind(first, subject.archive).bind(first + 1, subject.name).bind(first + 2, subject.moment);
}

} // namespace

void ConsultationStore::Deleter::operator()(sqlite3* db) const { sqlite3_close(db); }

ConsultationStore::ConsultationStore(const fs::path& file, bool create) : file_(file) {
    switch (storeFileKind(file_)) {
    case StoreFileKind::Missing:
        if (!create) throw IoError(file_.string(), "file o cartella inesistente");
        // Another program may create it at the same moment: whichever store
        // took the name is the one opened.
        opening_ = createStore(file_) ? StoreOpening::Created : StoreOpening::LostCreationRace;
        break;
    case StoreFileKind::Empty:
        throw IoError(file_.string(),
                      "archivio delle consultazioni vuoto (troncato); non viene ricreato: ripristinarlo da una copia "
                      "di sicurezza");
    case StoreFileKind::Regular: break;
    }
    db_.reset(openConnection(file_, SQLITE_OPEN_READWRITE));
    // Deleted rows are overwritten, not only unlinked: a person deleted
    // leaves nothing readable in the file.
    sql::exec(file_, db_.get(), "PRAGMA foreign_keys = ON; PRAGMA synchronous = FULL; PRAGMA secure_delete = ON");
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

std::optional<std::int64_t> ConsultationStore::subjectIdOf(const SubjectLink& subject) const {
    sql::Statement s(file_, db_.get(), "SELECT id FROM subject WHERE archive = ? AND name = ? AND birth_moment = ?");
    bindSubject(s, subject);
    if (!s.step()) return std::nullopt;
    return s.integer(0);
}

std::vector<ConsultationSummary> ConsultationStore::summariesOf(const SubjectLink& subject) const {
    std::vector<ConsultationSummary> out;
    const auto subjectId = subjectIdOf(subject);
    if (!subjectId) return out;
    sql::Statement s(file_, db_.get(),
                     "SELECT id, date, follow_up, complaints, "
                     "(SELECT COUNT(*) FROM consultation_symptom WHERE consultation_id = id), "
                     "(SELECT COUNT(*) FROM consultation_remedy WHERE consultation_id = id) "
                     "FROM consultation WHERE subject_id = ? ORDER BY date DESC, id DESC");
    s.bind(1, *subjectId);
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
    std::vector<Consultation> out;
    const auto subjectId = subjectIdOf(subject);
    if (!subjectId) return out;
    sql::Statement rows(file_, db_.get(),
                        "SELECT id, date, follow_up, complaints, notes, medicines, pregnancy, breastfeeding "
                        "FROM consultation WHERE subject_id = ? "
                        "ORDER BY date DESC, id DESC");
    rows.bind(1, *subjectId);
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
        readHealthColumns(rows, 5, c);
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
                            "SELECT s.consultation_id, s.symptom FROM consultation_symptom s "
                            "JOIN consultation c ON c.id = s.consultation_id WHERE c.subject_id = ? "
                            "ORDER BY s.consultation_id, s.position");
    symptoms.bind(1, *subjectId);
    while (symptoms.step())
        if (Consultation* c = find(symptoms.integer(0))) c->symptoms.push_back(symptoms.text(1));
    sql::Statement remedies(file_, db_.get(),
                            "SELECT r.consultation_id, r.name, r.dosage, r.duration FROM consultation_remedy r "
                            "JOIN consultation c ON c.id = r.consultation_id WHERE c.subject_id = ? "
                            "ORDER BY r.consultation_id, r.position");
    remedies.bind(1, *subjectId);
    while (remedies.step())
        if (Consultation* c = find(remedies.integer(0)))
            c->remedies.push_back({remedies.text(1), remedies.text(2), remedies.text(3)});
    return out;
}

std::optional<Consultation> ConsultationStore::find(std::int64_t id) const {
    sql::Statement row(file_, db_.get(),
                       "SELECT c.id, c.date, c.follow_up, c.complaints, c.notes, s.archive, s.name, s.birth_moment, "
                       "c.medicines, c.pregnancy, c.breastfeeding "
                       "FROM consultation c JOIN subject s ON s.id = c.subject_id WHERE c.id = ?");
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
    readHealthColumns(row, 8, c);
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
    const auto subjectId = subjectIdOf(subject);
    if (!subjectId) return 0;
    sql::Statement s(file_, db_.get(), "SELECT COUNT(*) FROM consultation WHERE subject_id = ?");
    s.bind(1, *subjectId);
    s.step();
    return static_cast<int>(s.integer(0));
}

std::int64_t ConsultationStore::subjectIdForWriting(const SubjectLink& subject) {
    sql::Statement insert(file_, db_.get(),
                          "INSERT OR IGNORE INTO subject (archive, name, birth_moment) VALUES (?, ?, ?)");
    bindSubject(insert, subject);
    insert.run();
    return *subjectIdOf(subject);
}

void ConsultationStore::save(Consultation& c) {
    if (const std::string failure = consultationFailure(c); !failure.empty()) throw ConversionError(failure);
    std::optional<sql::Transaction> t;
    if (sqlite3_get_autocommit(db_.get())) t.emplace(file_, db_.get());
    std::int64_t id = c.id;
    const std::int64_t subjectId = subjectIdForWriting(c.subject);
    // The columns of the row, parameters 1–8 of both statements.
    auto bindRow = [&](sql::Statement& s) -> sql::Statement& {
        s.bind(1, subjectId).bind(2, isoDateText(c.date));
        if (c.followUp) s.bind(3, isoDateText(*c.followUp)); else s.bindNull(3);
        return s.bind(4, c.complaints).bind(5, c.notes).bind(6, c.medicines)
            .bind(7, static_cast<std::int64_t>(c.pregnancy)).bind(8, static_cast<std::int64_t>(c.breastfeeding));
    };
    if (id == 0) {
        sql::Statement insert(file_, db_.get(),
                              "INSERT INTO consultation (subject_id, date, follow_up, complaints, notes, medicines, "
                              "pregnancy, breastfeeding) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        bindRow(insert).run();
        id = sqlite3_last_insert_rowid(db_.get());
    } else {
        sql::Statement update(file_, db_.get(),
                              "UPDATE consultation SET subject_id = ?, date = ?, follow_up = ?, complaints = ?, "
                              "notes = ?, medicines = ?, pregnancy = ?, breastfeeding = ? WHERE id = ?");
        bindRow(update).bind(9, id).run();
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
    if (t) t->commit();
    c.id = id;
}

bool ConsultationStore::remove(std::int64_t id) {
    std::optional<sql::Transaction> t;
    if (sqlite3_get_autocommit(db_.get())) t.emplace(file_, db_.get());
    sql::Statement s(file_, db_.get(), "DELETE FROM consultation WHERE id = ?");
    s.bind(1, id).run();
    const bool removed = sqlite3_changes(db_.get()) > 0;
    if (t) t->commit();
    return removed;
}

int ConsultationStore::removeAllOf(const SubjectLink& subject) {
    std::optional<sql::Transaction> t;
    if (sqlite3_get_autocommit(db_.get())) t.emplace(file_, db_.get());
    const auto subjectId = subjectIdOf(subject);
    if (!subjectId) return 0;
    sql::Statement s(file_, db_.get(), "DELETE FROM consultation WHERE subject_id = ?");
    s.bind(1, *subjectId).run();
    const int removed = sqlite3_changes(db_.get());
    sql::Statement forget(file_, db_.get(), "DELETE FROM subject WHERE id = ?");
    forget.bind(1, *subjectId).run();
    if (t) t->commit();
    return removed;
}

bool ConsultationStore::forgetIfUnused(const SubjectLink& subject) {
    std::optional<sql::Transaction> t;
    if (sqlite3_get_autocommit(db_.get())) t.emplace(file_, db_.get());
    sql::Statement s(file_, db_.get(),
                     "DELETE FROM subject WHERE archive = ? AND name = ? AND birth_moment = ? AND NOT EXISTS "
                     "(SELECT 1 FROM consultation WHERE subject_id = subject.id)");
    bindSubject(s, subject);
    s.run();
    const bool forgotten = sqlite3_changes(db_.get()) > 0;
    if (t) t->commit();
    return forgotten;
}

int ConsultationStore::moveAllOf(const SubjectLink& from, const SubjectLink& to) {
    if (from == to) return 0;
    std::optional<sql::Transaction> t;
    if (sqlite3_get_autocommit(db_.get())) t.emplace(file_, db_.get());
    const auto fromId = subjectIdOf(from);
    if (!fromId) return 0;
    const int moved = countOf(from);
    if (const auto toId = subjectIdOf(to)) {
        // The person's consultations kept from an earlier entry of the same
        // name and birth moment: one person, one record.
        sql::Statement join(file_, db_.get(), "UPDATE consultation SET subject_id = ? WHERE subject_id = ?");
        join.bind(1, *toId).bind(2, *fromId).run();
        sql::Statement forget(file_, db_.get(), "DELETE FROM subject WHERE id = ?");
        forget.bind(1, *fromId).run();
    } else {
        sql::Statement rename(file_, db_.get(), "UPDATE subject SET archive = ?, name = ?, birth_moment = ? WHERE id = ?");
        bindSubject(rename, to);
        rename.bind(4, *fromId).run();
    }
    if (t) t->commit();
    return moved;
}

ConsultationStore::Change ConsultationStore::beginChange() { return Change(file_, db_.get()); }

ConsultationStore::Change::Change(const fs::path& file, sqlite3* db)
    : transaction_(std::make_unique<sql::Transaction>(file, db)) {}
ConsultationStore::Change::~Change() = default;
ConsultationStore::Change::Change(Change&&) noexcept = default;
void ConsultationStore::Change::commit() { transaction_->commit(); }

fs::path storePath() { return dataDir().prepareForWrite(kStoreFileName); }

ConsultationStore openStore() { return ConsultationStore(storePath(), true); }

std::optional<ConsultationStore> openStoreIfPresent() {
    const fs::path file = storePath();
    if (storeFileKind(file) == StoreFileKind::Missing) return std::nullopt;
    return ConsultationStore(file, false);
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

    FileReplacement copy(to, to.string());
    copy.handOver();
    {
        std::unique_ptr<sqlite3, Closer> target(openConnection(copy.temporary(), SQLITE_OPEN_READWRITE));
        sqlite3_backup* backup = sqlite3_backup_init(target.get(), "main", reader.get(), "main");
        if (!backup) sql::fail(to, target.get(), sqlite3_errcode(target.get()));
        const int rc = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE) sql::fail(to, target.get(), rc);
    }
    copy.putInPlace();
}

} // namespace qv::consultations
