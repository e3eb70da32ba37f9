// The data directory: every file the program reads or writes lives under it.
// Paths are written in the code as the users' documents write them, with
// backslashes ("OpzioneH\\DBmain.rnd"); file-name case is not significant.
#pragma once

#include <filesystem>
#include <string>

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

    // Creates the folders leading to `dataPath` (matching existing ones
    // case-insensitively) and returns the resolved path of the file.
    std::filesystem::path prepareForWrite(const std::string& dataPath) const;

    // Copies into the data directory every file of `templateDir` that is
    // missing there (matched case-insensitively); existing files are never
    // overwritten. Returns the number of files copied.
    int installTemplate(const std::filesystem::path& templateDir) const;

private:
    std::filesystem::path root_;
};

// The data directory in force for this process (tests set their own).
const DataDir& dataDir();
void setDataDir(const std::filesystem::path& root);

// $XDG_DATA_HOME/quorendaville, or ~/.local/share/quorendaville.
std::filesystem::path defaultDataDirRoot();

// The template shipped with the program: next to an installed executable
// (../share/quorendaville/data) or the source tree's data/ folder.
std::filesystem::path templateDir();

// Keeps a second running copy from writing the same archives: holds an
// exclusive lock on a file of the data directory while alive.
class DataDirLock {
public:
    explicit DataDirLock(const DataDir& dir);
    ~DataDirLock();
    DataDirLock(const DataDirLock&) = delete;
    DataDirLock& operator=(const DataDirLock&) = delete;
    // False when another running copy holds the lock.
    bool acquired() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

} // namespace qv
