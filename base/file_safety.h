// The one way the program writes a file, and the one way it tells whether
// a file is still the one it saw.
//
// Writing: the new content goes to a temporary file beside the target,
// under a short name of this writer alone (so any name the file system
// allows for the target works), created readable by its owner only; it is
// checked for size, flushed to the disk and renamed over the target, and
// the folder is flushed. A failure leaves the old file as it was and no
// temporary file. A symbolic link at the target is replaced by the file,
// never followed: a link planted in a shared folder cannot redirect a
// person's data. A replaced regular file keeps its permissions; anything
// new is its owner's only.
//
// Identity: device, inode, size and both times. A file changed within its
// file system's settling time may change again without its times moving,
// so such an identity proves nothing yet.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qv {

struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    long long modifiedNs = 0;  // st_mtim
    long long changedNs = 0;   // st_ctim: no program can set it back
    bool known() const { return inode != 0; }
    bool operator==(const FileIdentity&) const = default;
};

// What is at a path, without reading it: the identity of the file (links
// followed) and whether it is a regular file. All zero when it cannot be
// seen.
struct StatResult {
    FileIdentity identity;
    std::uintmax_t size = 0;
    bool regular = false;
};
StatResult statFile(const std::filesystem::path& path);
FileIdentity identityOfOpenFile(int fd);

// Whether `identity`, seen of `file` now, is older than the settling time
// of the file's file system (a few clock ticks on local Linux file
// systems, two seconds on FAT, exFAT, NTFS, network and FUSE ones): only
// then may a later equal identity be taken for the same bytes.
bool identitySettled(const FileIdentity& identity, const std::filesystem::path& file);
// The identity worth keeping for a file just seen: itself when settled,
// unknown otherwise (the next look reads the file again).
FileIdentity settledIdentity(const StatResult& seen, const std::filesystem::path& file);

// A new version of a file, written under a temporary name beside it and
// put in its place whole. Dropped before it is in place, the temporary
// file is removed and the target is untouched.
class FileReplacement {
public:
    FileReplacement(std::filesystem::path target, std::string shownName);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    const std::filesystem::path& target() const { return target_; }
    const std::filesystem::path& temporary() const { return temp_; }

    // Writes all the bytes (a short write on a full disk is an IoError
    // naming the file, never a silent cut).
    void write(const void* data, std::size_t size);
    void write(const std::string& bytes) { write(bytes.data(), bytes.size()); }
    std::uint64_t written() const { return written_; }
    // Checks that the disk holds every byte written, flushes and closes;
    // `modifiedNs` (nanoseconds since the epoch) becomes the file's
    // modification time when given.
    void finish(std::int64_t modifiedNs = -1);
    // For a writer of its own (a database library) that writes the
    // temporary file by its name: the descriptor is closed and nothing is
    // checked or flushed here.
    void handOver();
    // finish(), then the rename over the target and the folder's flush.
    void putInPlace();
    // The same, but only when no file has the target's name: two programs
    // creating one file at once end with one of them. False (and the
    // temporary removed) when another file took the name first.
    bool putInPlaceUnlessPresent();

private:
    void giveTargetMode();
    std::filesystem::path target_, temp_;
    std::string shown_;
    int fd_ = -1;
    std::uint64_t written_ = 0;
    bool finished_ = false;
    bool handedOver_ = false;
    bool placed_ = false;
};

// Replaces `path` with `content` through a FileReplacement.
void writeFileAtomically(const std::filesystem::path& path, const std::string& content,
                         const std::string& shownName = {});
// Copies `from` over `to` the same way.
void copyFileAtomically(const std::filesystem::path& from, const std::filesystem::path& to,
                        const std::string& shownName);

// Writes all `size` bytes to `fd`, or raises IoError naming `shownName`
// with the system's reason (a short write on a full disk is ENOSPC).
void writeFully(int fd, const void* data, std::size_t size, const std::string& shownName);
// The same at offset `at` (pwrite), for record files written in place.
void writeFullyAt(int fd, const void* data, std::size_t size, std::int64_t at, const std::string& shownName);

// The test seam of every write above: after `bytes` more bytes, writing
// fails as on a full disk (the bytes up to the limit reach the file). A
// negative value removes the limit.
void setWriteFailureAfter(std::int64_t bytes);

// A new name beside `target` for a file of this writer alone
// (".qvPID.NNNNNN.tmp~"): hidden, short, and naming the process, so that a
// later start can tell a file abandoned by a killed process from one being
// written now.
std::filesystem::path uniqueTemporaryBeside(const std::filesystem::path& target);
// The process whose temporary file `name` is (either form this program has
// used), or 0 for any other name.
long writerOfTemporary(const std::string& name);
// Removes the temporary files in `folders` whose writer no longer runs.
void removeAbandonedTemporaries(const std::vector<std::filesystem::path>& folders);

// Flushes a folder's entries (a rename into it) to the disk, as far as the
// file system allows.
void syncFolder(const std::filesystem::path& folder);

// Creates a folder readable by its owner only (its parents too); an
// existing folder is left as it is. IoError naming `shownName` on failure.
void createPrivateFolders(const std::filesystem::path& folder, const std::string& shownName);

} // namespace qv
