#include "consultations/store_statements.h"

#include "base/cp1252.h"
#include "base/errors.h"

#include <sqlite3.h>

namespace qv::consultations::sql {

namespace {

std::string reasonOf(sqlite3* db, int rc) {
    switch (rc & 0xff) {
    case SQLITE_CORRUPT:
        return "archivio delle consultazioni danneggiato; non viene ricreato: ripristinarlo da una copia di sicurezza";
    case SQLITE_NOTADB:
        return "non \xE8 un archivio delle consultazioni (file danneggiato o di altro tipo); non viene ricreato: "
               "ripristinarlo da una copia di sicurezza";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "archivio delle consultazioni bloccato da un altro programma; riprovare quando l'altro programma lo "
               "ha chiuso";
    case SQLITE_FULL: return "spazio su disco esaurito";
    case SQLITE_READONLY: return "archivio delle consultazioni in sola lettura";
    case SQLITE_PERM:
    case SQLITE_AUTH: return "accesso negato";
    case SQLITE_CANTOPEN: return "impossibile aprire il file";
    case SQLITE_IOERR: return "errore del dispositivo";
    case SQLITE_NOMEM: return "memoria insufficiente";
    default:
        return std::string("errore dell'archivio delle consultazioni: ") + (db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    }
}

} // namespace

void fail(const std::filesystem::path& file, sqlite3* db, int rc) { throw IoError(file.string(), reasonOf(db, rc)); }

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
