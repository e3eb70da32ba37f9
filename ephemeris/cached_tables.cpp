#include "ephemeris/cached_tables.h"

#include "base/data_dir.h"
#include "base/file_safety.h"
#include "base/errors.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <deque>
#include <vector>

namespace qv {

namespace fs = std::filesystem;

namespace {

struct Table {
    std::string dataPath;
    fs::path root;      // of the data directory the table was read from
    fs::path resolved;  // where it was found
    bool exactCase = false; // found under the name as written
    bool loaded = false;
    bool present = false;
    int openError = 0;  // errno of the failed open when not present
    FileIdentity identity;
    bool racy = true;  // changed too lately for its identity to prove anything
    std::vector<std::uint8_t> bytes;
    // A shipped table, read in blocks as they are asked for (bytes stays
    // empty): the open file and the blocks read so far.
    bool shipped = false;
    int fd = -1;
    std::size_t size = 0;
    std::map<std::size_t, std::unique_ptr<std::uint8_t[]>> blocks;
    std::uint64_t checkedInScope = 0;
    std::uint64_t loading = 0;  // which reading of the file the bytes are
};

// A deque: a table's place never moves, so records read in parts stay valid.
thread_local std::deque<Table> tables;
thread_local int scopeDepth = 0;
thread_local std::uint64_t scopeSerial = 0;
thread_local std::uint64_t loadings = 0;

fs::path asWritten(const fs::path& root, const std::string& dataPath) {
    fs::path p = root;
    std::string part;
    for (char c : dataPath + '\\') {
        if (c == '\\' || c == '/') {
            if (!part.empty()) p /= part;
            part.clear();
        } else {
            part += c;
        }
    }
    return p;
}

// Blocks of a shipped table read at a time: a chart needs a few records of
// each table, never the whole.
constexpr std::size_t kBlockBytes = 16384;

void forget(Table& t) {
    t.bytes.clear();
    t.bytes.shrink_to_fit();
    t.blocks.clear();
    if (t.fd >= 0) ::close(t.fd);
    t.fd = -1;
    t.shipped = false;
}

// The block of a shipped table that starts at `first` (a multiple of
// kBlockBytes), read when first asked for.
const std::uint8_t* block(Table& t, std::size_t first) {
    auto found = t.blocks.find(first);
    if (found != t.blocks.end()) return found->second.get();
    const std::size_t length = std::min(kBlockBytes, t.size - first);
    auto bytes = std::make_unique<std::uint8_t[]>(length);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::pread(t.fd, bytes.get() + done, length - done, static_cast<off_t>(first + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throwSystemIoError(t.dataPath);
        if (n == 0) throw IoError(t.dataPath, "il file \u00E8 stato accorciato durante la lettura");
        done += static_cast<std::size_t>(n);
    }
    return t.blocks.emplace(first, std::move(bytes)).first->second.get();
}

std::span<const std::uint8_t> readPart(const void* table, std::size_t start, std::size_t length) {
    Table& t = *const_cast<Table*>(static_cast<const Table*>(table));
    const std::size_t first = start / kBlockBytes * kBlockBytes;
    if (start + length <= first + kBlockBytes) return {block(t, first) + (start - first), length};
    // A record across two blocks: kept whole as a block of its own, keyed
    // past the ones of block starts (which are multiples of kBlockBytes).
    const std::size_t key = start * kBlockBytes + 1;
    auto found = t.blocks.find(key);
    if (found == t.blocks.end()) {
        auto bytes = std::make_unique<std::uint8_t[]>(length);
        const std::size_t head = first + kBlockBytes - start;
        std::memcpy(bytes.get(), block(t, first) + (start - first), head);
        std::memcpy(bytes.get() + head, block(t, first + kBlockBytes), length - head);
        found = t.blocks.emplace(key, std::move(bytes)).first;
    }
    return {found->second.get(), length};
}

void load(Table& t, const DataDir& dir) {
    t.loaded = false;
    t.present = false;
    forget(t);
    t.root = dir.root();
    t.resolved = dir.resolve(t.dataPath);
    t.exactCase = t.resolved == asWritten(t.root, t.dataPath);
    const int fd = ::open(t.resolved.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        t.openError = errno;
        t.loaded = true;
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        throwSystemIoError(t.dataPath);
    }
    StatResult seen;
    seen.regular = S_ISREG(st.st_mode);
    seen.size = static_cast<std::uintmax_t>(st.st_size);
    seen.identity = identityOfOpenFile(fd);
    if (isIntactShippedFile(dir, t.dataPath, seen)) {
        t.fd = fd;
        t.size = static_cast<std::size_t>(st.st_size);
        t.shipped = true;
        t.loading = ++loadings;
        t.identity = seen.identity;
        t.racy = !identitySettled(t.identity, t.resolved);
        t.present = true;
        t.loaded = true;
        return;
    }
    // One byte more than the file holds, to see it grow while being read.
    t.bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t done = 0;
    for (;;) {
        if (done == t.bytes.size()) t.bytes.resize(t.bytes.size() + 4096);
        const ssize_t n = ::read(fd, t.bytes.data() + done, t.bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            t.bytes.clear();
            errno = error;
            throwSystemIoError(t.dataPath);
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    t.bytes.resize(done);
    t.loading = ++loadings;
    t.identity = seen.identity;
    t.racy = !identitySettled(t.identity, t.resolved);
    t.present = true;
    t.loaded = true;
}

// The same folder: the same text, or paths that compare equal.
bool sameRoot(const fs::path& a, const fs::path& b) { return a.native() == b.native() || a == b; }

// Whether the file found last time is still the one to read, unchanged.
bool unchanged(const Table& t, const DataDir& dir) {
    if (!t.loaded || !t.present || t.racy || !sameRoot(t.root, dir.root())) return false;
    // Under another case a new file of the exact name would now be found.
    if (!t.exactCase && dir.resolve(t.dataPath) != t.resolved) return false;
    return statFile(t.resolved).identity == t.identity;
}

Table& lookUp(const char* dataPath) {
    Table* table = nullptr;
    for (Table& t : tables)
        if (t.dataPath == dataPath) {
            table = &t;
            break;
        }
    if (!table) {
        tables.emplace_back();
        table = &tables.back();
        table->dataPath = dataPath;
    }
    const DataDir& dir = dataDir();
    const bool inScope = scopeDepth > 0;
    if (inScope && table->loaded && table->checkedInScope == scopeSerial && sameRoot(table->root, dir.root()))
        return *table;
    if (!unchanged(*table, dir)) load(*table, dir);
    table->checkedInScope = inScope ? scopeSerial : 0;
    return *table;
}

} // namespace

TableCheckScope::TableCheckScope() {
    if (scopeDepth++ == 0) ++scopeSerial;
}

TableCheckScope::~TableCheckScope() { --scopeDepth; }

std::span<const std::uint8_t> TableRecords::record(std::int64_t k) const {
    if (k < 0) throw IoError(name_, "numero di record negativo (" + std::to_string(k) + ")");
    const std::size_t start = static_cast<std::size_t>(k) * recordSize_;
    if (static_cast<std::size_t>(k) > size_ / recordSize_ || start + recordSize_ > size_)
        throw IoError(name_, "lettura oltre la fine del file (record " + std::to_string(k) + ")");
    if (reader_) return reader_(table_, start, recordSize_);
    return {data_ + start, recordSize_};
}

TableRecords tableRecords(const char* dataPath, std::size_t recordSize) {
    if (recordSize == 0) throw IoError(dataPath, "dimensione del record nulla");
    const Table& t = lookUp(dataPath);
    if (!t.present) {
        errno = t.openError;
        throwSystemIoError(dataPath);
    }
    if (t.shipped) return TableRecords(readPart, &t, t.size, recordSize, dataPath, t.loading);
    return TableRecords(t.bytes.data(), t.bytes.size(), recordSize, dataPath, t.loading);
}

bool tablePresent(const char* dataPath) {
    const Table& t = lookUp(dataPath);
    if (t.present) return true;
    // Not opened: a folder of that name still counts as existing.
    std::error_code ec;
    return fs::exists(t.resolved, ec);
}

} // namespace qv
