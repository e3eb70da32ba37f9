// Whole-file rewrites of the remedy database that a power cut or a killed
// program cannot leave half done: the new version is written beside the
// old one under another name, flushed to the disk, and only then renamed
// over it, so the file always holds either its old or its new content.
// Saving, appending and deleting a record all go this way.
#pragma once

#include "base/data_dir.h"
#include "remedies/records.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace qv::remedies {

// A seam for tests: after `bytes` more bytes written by any SafeRewrite,
// writing fails as on a full disk (the bytes up to the limit reach the
// file). A negative value removes the limit.
void setWriteFailureAfter(std::int64_t bytes);

// The new version of one file, written under `temp` (same file system) and
// moved over `target` by commit(). Dropped without commit (an error on the
// way), the temporary file is removed and the target is untouched.
class SafeRewrite {
public:
    SafeRewrite(std::filesystem::path target, std::filesystem::path temp, std::string shownName);
    ~SafeRewrite();
    SafeRewrite(const SafeRewrite&) = delete;
    SafeRewrite& operator=(const SafeRewrite&) = delete;

    void write(const void* data, std::size_t size);
    std::uint64_t written() const { return written_; }
    // Flushes the new content to the disk (and gives it `modified` as its
    // modification time when set, in nanoseconds since the epoch).
    void finish(std::int64_t modifiedNs = -1);
    // finish() when not yet done, then the rename and the flush of the folder.
    void commit();
    const std::filesystem::path& temp() const { return temp_; }

private:
    std::filesystem::path target_, temp_;
    std::string shown_;
    int fd_ = -1;
    std::uint64_t written_ = 0;
    bool finished_ = false;
    bool committed_ = false;
};

// Record k replaced, a record appended, record k removed (the records after
// it move down by one). Each checks the whole file first (whole records,
// sound length bytes) and rewrites it safely. They return the number of
// records after the change.
std::int64_t replaceRecordSafely(const DataDir& dir, const std::string& dataPath, const RecordLayout& layout,
                                 std::int64_t k, const Bytes& record);
std::int64_t appendRecordSafely(const DataDir& dir, const std::string& dataPath, const RecordLayout& layout,
                                const Bytes& record);
std::int64_t deleteRecordSafely(const DataDir& dir, const std::string& dataPath, const RecordLayout& layout,
                                std::int64_t k);

} // namespace qv::remedies
