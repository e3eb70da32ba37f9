// Keeping the primary database and the therapy repertory: the entries the
// two editors list, saving, appending and deleting records, the rebuild of
// each database's support lists, and the new order of a database chosen
// by the administrator. Every write goes through a safe whole-file rewrite.
#pragma once

#include "base/data_dir.h"
#include "remedies/records.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv::remedies {

enum class Database { Primary, Repertory };

const char* databasePath(Database db);
const RecordLayout& databaseLayout(Database db);
// The provisional file of a new order, in the data directory's top folder.
const char* provisionalPath(Database db);

// One entry of an editor's list: the name, "**" and the second key (the
// indication or the pathology), or the second key first, and the record
// it stands for.
struct EditorEntry {
    std::string text;
    std::int64_t record = 0;
};

// The two keys of a record as an editor lists them.
std::string recordName(Database db, const Bytes& record);
std::string recordSecondKey(Database db, const Bytes& record);

// Entries of records 1 … N−1: by name (else by the second key), in list
// order when `sorted`, in file order otherwise. A missing database lists
// nothing.
std::vector<EditorEntry> editorEntries(const DataDir& dir, Database db, bool byName, bool sorted);

// Why the record must not be stored, or empty. The consultation lists hold
// each remedy name, indication and pathology on one line of a text file, so
// a line break inside one would split it into two entries that lead to no
// record; a break at the end is dropped from the list and does no harm.
std::string listedKeyProblem(Database db, const Bytes& record);

// The record count minus the header (what "Tot=" shows).
std::int64_t listedCount(const DataDir& dir, Database db);

// Record k (1 … N−1) of a database, checked.
Bytes readDatabaseRecord(const DataDir& dir, Database db, std::int64_t k);
// Writes the record over record k (k ≥ 1: the header is never replaced).
void saveRecord(const DataDir& dir, Database db, std::int64_t k, const Bytes& record);
// Appends the record; a missing database is created with an empty header
// first. Returns the new count minus the header.
std::int64_t appendRecord(const DataDir& dir, Database db, const Bytes& record);
// Removes record k (k ≥ 1); the later records move down by one. Returns the
// new count minus the header.
std::int64_t deleteRecord(const DataDir& dir, Database db, std::int64_t k);

// The lists each editor's "Ricostruisci File" regenerates: for the primary
// database the indications, the remedy names, the remedy lines with their
// preparation types and the per-planet and per-sign name files; for the
// repertory the pathologies. Every source is read and checked first.
struct MaintenanceRebuild {
    std::size_t lines = 0;  // lines of the main list (Sintomi.txt or Patolog.txt)
    std::size_t files = 0;  // files written
};
MaintenanceRebuild rebuildPrimaryLists(const DataDir& dir);
MaintenanceRebuild rebuildRepertoryLists(const DataDir& dir);

// Writes the database in a new order: record 0, then the records 1 … N−1
// in the order given by their numbers, through the provisional file, which
// is then renamed over the database. `order` must name each record 1 … N−1
// exactly once (otherwise nothing is written). `progress` receives the
// number of the next record to be written.
void reorderDatabase(const DataDir& dir, Database db, const std::vector<std::int64_t>& order,
                     const std::function<void(std::int64_t)>& progress = {});

// Moves the entry at `from` to `to`, shifting the entries between by one
// place, as a pick and drop in the reordering list does.
template <typename T>
void moveEntry(std::vector<T>& entries, std::size_t from, std::size_t to) {
    if (from >= entries.size() || to >= entries.size() || from == to) return;
    T picked = std::move(entries[from]);
    if (from > to)
        for (std::size_t i = from; i > to; --i) entries[i] = std::move(entries[i - 1]);
    else
        for (std::size_t i = from; i < to; ++i) entries[i] = std::move(entries[i + 1]);
    entries[to] = std::move(picked);
}

} // namespace qv::remedies

namespace qv::remedies {

// What the primary database holds on a remedy of the repertory, as the
// repertory editor shows it beside the entry: the first record whose name
// equals the remedy in upper case (letters a to z).
struct PrimaryInfo {
    bool found = false;
    std::string warnings;   // or "Nessuna Avvertenza Registrata"
    std::string signatures; // three lines, or "Nessuna Segnatura Astrologica"
    std::string synthesis;  // or "Nessuna Sintesi Psichica Registrata"
    std::string notes;      // three lines, or "Nessuna Nota Registrata"
};
PrimaryInfo primaryInfoOfRemedy(const DataDir& dir, const std::string& remedy);

} // namespace qv::remedies
