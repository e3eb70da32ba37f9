// The data directory: every file the program reads or writes lives under it.
// Paths are written in the code as the users' documents write them, with
// backslashes ("OpzioneH\\DBmain.rnd"); file-name case is not significant.
#pragma once

#include "base/data_manifest.h"
#include "base/file_safety.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qv {

class DataDir {
public:
    DataDir() = default;
    explicit DataDir(std::filesystem::path root);

    const std::filesystem::path& root() const { return root_; }
    bool valid() const { return !root_.empty(); }

    // Maps a backslash path to a real path: each component is matched
    // case-insensitively against what exists; components that do not exist
    // keep the case given (so new files are created as named).
    std::filesystem::path resolve(const std::string& dataPath) const;
    bool exists(const std::string& dataPath) const;
    // A directory nothing can be written to (a read-only mount, a backup
    // disk, no write permission): every reading command works on it, and
    // only writing is refused.
    bool readOnly() const;

    // Creates the folders leading to `dataPath` (matching existing ones
    // case-insensitively; new ones readable by their owner only) and
    // returns the resolved path of the file.
    std::filesystem::path prepareForWrite(const std::string& dataPath) const;

private:
    std::filesystem::path root_;
};

// The data directory holds people's birth and health data: it is readable
// by its owner only (folder 0700, files 0600). Creates `root` so when it is
// missing; tightens an existing one that others could read (every folder
// and file inside it) and then returns true.
bool secureDataDirRoot(const std::filesystem::path& root);

// Whether the file at `dataPath` (seen as `seen`) is, by its identity, one
// this process's start found holding exactly the bytes the program shipped
// (checked when that identity was recorded): its contents need no checking
// again. False for any directory not brought up to the template here.
bool isIntactShippedFile(const DataDir& dir, const std::string& dataPath, const StatResult& seen);
// Set by the start that checked them: the files of `dir` known to hold the
// shipped bytes, with their identities then.
void recordIntactShippedFiles(const DataDir& dir, std::vector<ManifestEntry> files);

// The data directory in force for this process (tests set their own).
const DataDir& dataDir();
void setDataDir(const std::filesystem::path& root);

// The lines of a text file of the data directory in force, named by its
// data path in messages.
std::vector<std::string> readDataTextLines(const std::string& dataPath);

// $XDG_DATA_HOME/quorendaville, or ~/.local/share/quorendaville.
std::filesystem::path defaultDataDirRoot();

// The template shipped with the program, found beside its executable:
// ../share/quorendaville/data, in the installed tree (PREFIX/bin and
// PREFIX/share) and in the build tree (bin/ and share/) alike; from
// PREFIX/libexec/quorendaville (the drawing commands' program) the same.
std::filesystem::path templateDir();

// Keeps a second running copy from writing the same archives: holds an
// exclusive lock on a file of the data directory while alive.
class DataDirLock {
public:
    explicit DataDirLock(const DataDir& dir);
    ~DataDirLock();
    DataDirLock(const DataDirLock&) = delete;
    DataDirLock& operator=(const DataDirLock&) = delete;
    // False when another running copy holds the lock. A read-only
    // directory needs none: no copy can write it.
    bool acquired() const { return fd_ >= 0 || unneeded_; }

private:
    int fd_ = -1;
    bool unneeded_ = false;
};

} // namespace qv
