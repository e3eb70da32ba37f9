// The schema of the consultation store, one step per version. A new
// version adds a step at the end; a step is never changed once released,
// so a store written by any earlier program is brought up to date by
// running the steps it lacks, in order, in one transaction.
#pragma once

#include <filesystem>
#include <vector>

struct sqlite3;

namespace qv::consultations {

// The SQL of each step: step k brings version k − 1 to version k.
const std::vector<const char*>& schemaSteps();

// The version a store records (0 for a new, empty store). A database with
// tables but no version table belongs to another program: IoError.
int recordedSchemaVersion(const std::filesystem::path& file, sqlite3* db);

// Runs the steps after `from` up to the last one, recording the version.
void migrateSchema(const std::filesystem::path& file, sqlite3* db, int from);

} // namespace qv::consultations
