#include "remedies/safe_rewrite.h"

#include "base/errors.h"
#include "base/file_writing.h"
#include "remedies/remedy_files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv::remedies {

namespace {

// A name of this writer alone: two commands rewriting the same file at
// once each write their own temporary file.
std::filesystem::path tempBeside(const std::filesystem::path& target) { return uniqueTemporaryBeside(target); }

// The whole file copied through `emit`, which receives every record in file
// order with its number and decides what the new file holds.
template <typename Emit>
std::int64_t rewrite(const DataDir& dir, const std::string& dataPath, const RecordLayout& layout, Emit emit) {
    const RecordScan scan(dir, dataPath, layout); // a missing or damaged file stops here
    const std::filesystem::path target = dir.resolve(dataPath);
    SafeRewrite out(target, tempBeside(target), dataPath);
    std::int64_t count = 0;
    auto put = [&](std::span<const std::uint8_t> r) {
        out.write(r.data(), r.size());
        ++count;
    };
    scan.forEach(0, [&](std::int64_t k, std::span<const std::uint8_t> r) {
        emit(k, r, put);
        return true;
    });
    emit(scan.count(), std::span<const std::uint8_t>(), put); // the end of the file
    out.commit();
    return count;
}

void checkRecord(const std::string& dataPath, const RecordLayout& layout, const Bytes& record) {
    if (record.size() != layout.size) throw IoError(dataPath, "dimensione del record errata");
}

} // namespace

void setWriteFailureAfter(std::int64_t bytes) { qv::setWriteFailureAfter(bytes); }

SafeRewrite::SafeRewrite(std::filesystem::path target, std::filesystem::path temp, std::string shownName)
    : target_(std::move(target)), temp_(std::move(temp)), shown_(std::move(shownName)) {
    // A file left there by an earlier interrupted save is simply replaced.
    fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0) throwSystemIoError(shown_);
}

SafeRewrite::~SafeRewrite() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(temp_.c_str());
}

void SafeRewrite::write(const void* data, std::size_t size) {
    writeFully(fd_, data, size, shown_);
    written_ += size;
}

void SafeRewrite::finish(std::int64_t modifiedNs) {
    if (finished_) return;
    if (modifiedNs >= 0) {
        const timespec times[2] = {{0, UTIME_OMIT}, {modifiedNs / 1000000000, modifiedNs % 1000000000}};
        if (::futimens(fd_, times) != 0) throwSystemIoError(shown_);
    }
    if (::fsync(fd_) != 0) throwSystemIoError(shown_);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throwSystemIoError(shown_);
    finished_ = true;
}

void SafeRewrite::commit() {
    finish();
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) throwSystemIoError(shown_);
    committed_ = true;
    syncFolder(target_.parent_path());
    if (temp_.parent_path() != target_.parent_path()) syncFolder(temp_.parent_path());
}

std::int64_t replaceRecordSafely(const DataDir& dir, const std::string& dataPath, const RecordLayout& layout,
                                 std::int64_t k, const Bytes& record) {
    checkRecord(dataPath, layout, record);
    return rewrite(dir, dataPath, layout, [&](std::int64_t at, std::span<const std::uint8_t> r, auto put) {
        if (r.empty()) {
            if (k < 0 || k >= at) throw IoError(dataPath, "il record " + std::to_string(k) + " non esiste");
            return;
        }
        put(at == k ? std::span<const std::uint8_t>(record) : r);
    });
}

std::int64_t appendRecordSafely(const DataDir& dir, const std::string& dataPath, const RecordLayout& layout,
                                const Bytes& record) {
    checkRecord(dataPath, layout, record);
    std::error_code ec;
    if (!dir.exists(dataPath) || std::filesystem::file_size(dir.resolve(dataPath), ec) == 0) {
        // A new (or empty) database starts with its header record, so the
        // first record appended is record 1 and is listed.
        const std::filesystem::path target = dir.prepareForWrite(dataPath);
        SafeRewrite out(target, tempBeside(target), dataPath);
        const Bytes header(layout.size, 0);
        out.write(header.data(), header.size());
        out.write(record.data(), record.size());
        out.commit();
        return 2;
    }
    return rewrite(dir, dataPath, layout, [&](std::int64_t, std::span<const std::uint8_t> r, auto put) {
        put(r.empty() ? std::span<const std::uint8_t>(record) : r);
    });
}

std::int64_t deleteRecordSafely(const DataDir& dir, const std::string& dataPath, const RecordLayout& layout,
                                std::int64_t k) {
    return rewrite(dir, dataPath, layout, [&](std::int64_t at, std::span<const std::uint8_t> r, auto put) {
        if (r.empty()) {
            if (k < 0 || k >= at) throw IoError(dataPath, "il record " + std::to_string(k) + " non esiste");
            return;
        }
        if (at != k) put(r);
    });
}

} // namespace qv::remedies
