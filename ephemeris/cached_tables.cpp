#include "ephemeris/cached_tables.h"

#include "base/data_dir.h"
#include "base/errors.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qv {

namespace fs = std::filesystem;

namespace {

struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};
};

bool operator==(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }
bool operator==(const Identity& a, const Identity& b) {
    return a.device == b.device && a.inode == b.inode && a.size == b.size && a.modified == b.modified &&
           a.changed == b.changed;
}

Identity identityOf(const struct stat& st) {
    return Identity{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

// A file whose last change is less than this before it was read may change
// again without its times moving.
constexpr long kRacyNanoseconds = 1000000000L;

struct Table {
    std::string dataPath;
    fs::path root;      // of the data directory the table was read from
    fs::path resolved;  // where it was found
    bool exactCase = false; // found under the name as written
    bool loaded = false;
    bool present = false;
    int openError = 0;  // errno of the failed open when not present
    Identity identity;
    bool racy = true;
    std::vector<std::uint8_t> bytes;
    std::uint64_t checkedInScope = 0;
    std::uint64_t loading = 0;  // which reading of the file the bytes are
};

thread_local std::vector<Table> tables;
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

bool racyAt(const timespec& changed) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const long long elapsed = (static_cast<long long>(now.tv_sec) - changed.tv_sec) * 1000000000LL +
                              (now.tv_nsec - changed.tv_nsec);
    return elapsed < kRacyNanoseconds;
}

void load(Table& t, const DataDir& dir) {
    t.loaded = false;
    t.present = false;
    t.bytes.clear();
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
    t.bytes.resize(static_cast<std::size_t>(st.st_size));
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
    t.identity = identityOf(st);
    t.racy = racyAt(st.st_ctim);
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
    struct stat st {};
    return ::stat(t.resolved.c_str(), &st) == 0 && identityOf(st) == t.identity;
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
    return {data_ + start, recordSize_};
}

TableRecords tableRecords(const char* dataPath, std::size_t recordSize) {
    if (recordSize == 0) throw IoError(dataPath, "dimensione del record nulla");
    const Table& t = lookUp(dataPath);
    if (!t.present) {
        errno = t.openError;
        throwSystemIoError(dataPath);
    }
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
