// A thin layer over the SQLite C interface for the consultation store:
// prepared statements that bind and read Windows-1252 text as UTF-8, a
// transaction that rolls back unless committed, and the Italian reasons of
// SQLite's failures.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace qv::consultations::sql {

// Raises IoError for `file` with the Italian reason of SQLite's result
// code `rc` (damaged, not a database, locked, disk full, another schema, …);
// SQLite's own English text never reaches the user.
[[noreturn]] void fail(const std::filesystem::path& file, sqlite3* db, int rc);

// Runs statements that return no rows.
void exec(const std::filesystem::path& file, sqlite3* db, const char* sql);

class Statement {
public:
    Statement(const std::filesystem::path& file, sqlite3* db, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Parameters count from 1. Text is Windows-1252 and is bound as UTF-8.
    Statement& bind(int index, const std::string& cp1252);
    Statement& bind(int index, std::int64_t value);
    Statement& bindNull(int index);
    // True while a row is available.
    bool step();
    // Runs a statement that returns no row.
    void run();
    void reset();

    // Columns count from 0. Text is read back as Windows-1252.
    std::string text(int column) const;
    std::int64_t integer(int column) const;
    bool isNull(int column) const;

private:
    const std::filesystem::path& file_;
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// BEGIN IMMEDIATE on construction (so a writer waits for the lock before
// reading what it will change), ROLLBACK on destruction unless commit()
// ran.
class Transaction {
public:
    Transaction(const std::filesystem::path& file, sqlite3* db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    const std::filesystem::path& file_;
    sqlite3* db_;
    bool done_ = false;
};

} // namespace qv::consultations::sql
