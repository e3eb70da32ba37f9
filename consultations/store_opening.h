// Finding and creating the consultation store's file. A new store is made
// whole under a name of its own and takes the store's name only when no
// file has it, so two programs that start together on a data directory
// without a store end up with one store, and the name never stands for a
// half-made or empty file.
#pragma once

#include <filesystem>

struct sqlite3;

namespace qv::consultations {

// How long a writer waits for another program's lock before giving up.
inline constexpr int kBusyWaitMs = 3000;

// A connection to `file` with the store's busy wait; a failure is an
// IoError naming the file.
sqlite3* openConnection(const std::filesystem::path& file, int flags);

enum class StoreFileKind { Missing, Empty, Regular };

// What stands at the store's name. A symbolic link counts as its target
// when that is a regular file; a dangling link, a link to anything else, a
// folder or a device is an IoError naming the file (the link stays as it
// is).
StoreFileKind storeFileKind(const std::filesystem::path& file);

// Makes a new store with the whole schema and puts it at `file` unless a
// file took that name meanwhile. True when this call's store is the one in
// place; false when another program's store won (this one is removed).
bool createStore(const std::filesystem::path& file);

} // namespace qv::consultations
