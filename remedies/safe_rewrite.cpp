#include "remedies/safe_rewrite.h"

#include "base/errors.h"
#include "base/file_safety.h"
#include "remedies/remedy_files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv::remedies {

namespace {

// The whole file copied through `emit`, which receives every record in file
// order with its number and decides what the new file holds.
template <typename Emit>
std::int64_t rewrite(const DataDir& dir, const std::string& dataPath, const RecordLayout& layout, Emit emit) {
    const RecordScan scan(dir, dataPath, layout); // a missing or damaged file stops here
    const std::filesystem::path target = dir.resolve(dataPath);
    FileReplacement out(target, dataPath);
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
    out.putInPlace();
    return count;
}

void checkRecord(const std::string& dataPath, const RecordLayout& layout, const Bytes& record) {
    if (record.size() != layout.size) throw IoError(dataPath, "dimensione del record errata");
}

} // namespace

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
        FileReplacement out(target, dataPath);
        const Bytes header(layout.size, 0);
        out.write(header.data(), header.size());
        out.write(record.data(), record.size());
        out.putInPlace();
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
