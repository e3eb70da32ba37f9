#include "consultations/store_statements.h"

#include "base/cp1252.h"
#include "base/errors.h"

#include <sqlite3.h>

namespace qv::consultations::sql {

namespace {

// SQLite's own text is English and speaks of tables and pages: the user is
// told, in Italian, what is wrong with the file and what to do. The
// statements are the program's own, so a statement that does not compile
// or a constraint that does not hold means the file is not the store this
// program made (another program's tables, or its own from a changed
// schema).
std::string reasonOf(int rc) {
    switch (rc & 0xff) {
    case SQLITE_CORRUPT:
        return "archivio delle consultazioni danneggiato; non viene ricreato: ripristinarlo da una copia di sicurezza";
    case SQLITE_NOTADB:
        return "non \xE8 un archivio delle consultazioni (file danneggiato o di altro tipo); non viene ricreato: "
               "ripristinarlo da una copia di sicurezza";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_PROTOCOL:
        return "archivio delle consultazioni bloccato da un altro programma; riprovare quando l'altro programma lo "
               "ha chiuso";
    case SQLITE_FULL: return "spazio su disco esaurito";
    case SQLITE_READONLY: return "archivio delle consultazioni in sola lettura";
    case SQLITE_PERM:
    case SQLITE_AUTH: return "accesso negato";
    case SQLITE_CANTOPEN: return "impossibile aprire il file";
    case SQLITE_IOERR: return "errore del dispositivo";
    case SQLITE_NOMEM: return "memoria insufficiente";
    case SQLITE_ERROR:
    case SQLITE_SCHEMA:
        return "archivio delle consultazioni di uno schema inatteso (tabelle o colonne diverse da quelle di "
               "Quorendaville); non \xE8 stato modificato";
    case SQLITE_CONSTRAINT:
        return "i dati non rispettano i vincoli dell'archivio delle consultazioni (una voce doppia o senza la "
               "consultazione a cui appartiene); non \xE8 stato modificato";
    case SQLITE_MISMATCH:
        return "un valore dell'archivio delle consultazioni non \xE8 del tipo atteso; non \xE8 stato modificato";
    case SQLITE_TOOBIG: return "un testo \xE8 troppo lungo per l'archivio delle consultazioni";
    default:
        return "errore inatteso dell'archivio delle consultazioni (codice " + std::to_string(rc) + ")";
    }
}

} // namespace

void fail(const std::filesystem::path& file, sqlite3*, int rc) { throw IoError(file.string(), reasonOf(rc)); }

void exec(const std::filesystem::path& file, sqlite3* db, const char* sql) {
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) fail(file, db, rc);
}

Statement::Statement(const std::filesystem::path& file, sqlite3* db, const char* sql) : file_(file), db_(db) {
    const int rc = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr);
    if (rc != SQLITE_OK) fail(file_, db_, rc);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement& Statement::bind(int index, const std::string& cp1252) {
    const std::string utf8 = cp1252ToUtf8(cp1252);
    const int rc = sqlite3_bind_text(stmt_, index, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) fail(file_, db_, rc);
    return *this;
}

Statement& Statement::bind(int index, std::int64_t value) {
    const int rc = sqlite3_bind_int64(stmt_, index, value);
    if (rc != SQLITE_OK) fail(file_, db_, rc);
    return *this;
}

Statement& Statement::bindNull(int index) {
    const int rc = sqlite3_bind_null(stmt_, index);
    if (rc != SQLITE_OK) fail(file_, db_, rc);
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    fail(file_, db_, rc);
}

void Statement::run() {
    while (step()) {
    }
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::string Statement::text(int column) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    if (!p) return {};
    // Text another program wrote may hold characters Windows-1252 lacks:
    // they are shown as "?" rather than refused.
    return utf8ToCp1252(std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))));
}

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

bool Statement::isNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

Transaction::Transaction(const std::filesystem::path& file, sqlite3* db) : file_(file), db_(db) {
    exec(file_, db_, "BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (!done_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    exec(file_, db_, "COMMIT");
    done_ = true;
}

} // namespace qv::consultations::sql
