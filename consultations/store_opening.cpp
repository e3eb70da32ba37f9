#include "consultations/store_opening.h"

#include "base/errors.h"
#include "base/file_writing.h"
#include "consultations/store_schema.h"
#include "consultations/store_statements.h"

#include <sqlite3.h>

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace qv::consultations {

namespace {

struct TempConnectionCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};

// Puts `temp` at `file` only when no file has that name: the kernel decides
// between two programs that both found no store, so a store in place is
// never replaced. False when another file took the name first.
bool placeUnlessPresent(const fs::path& temp, const fs::path& file) {
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, file.c_str(), RENAME_NOREPLACE) == 0) return true;
    int err = errno;
    if (err == EEXIST) return false;
    if (err == EINVAL || err == ENOSYS || err == ENOTSUP) {
        // A file system without the no-replace rename: a hard link is made
        // only when the name is free, too.
        if (::link(temp.c_str(), file.c_str()) == 0) {
            ::unlink(temp.c_str());
            return true;
        }
        err = errno;
        if (err == EEXIST) return false;
    }
    throw IoError(file.string(), italianSystemReason(err));
}

} // namespace

sqlite3* openConnection(const fs::path& file, int flags) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const int err = errno;
        sqlite3_close(db);
        if ((rc & 0xff) == SQLITE_CANTOPEN && err != 0) throw IoError(file.string(), italianSystemReason(err));
        sql::fail(file, nullptr, rc);
    }
    sqlite3_extended_result_codes(db, 0);
    sqlite3_busy_timeout(db, kBusyWaitMs);
    return db;
}

StoreFileKind storeFileKind(const fs::path& file) {
    struct ::stat link {};
    if (::lstat(file.c_str(), &link) != 0) {
        if (errno == ENOENT) return StoreFileKind::Missing;
        throwSystemIoError(file.string());
    }
    struct ::stat target = link;
    if (S_ISLNK(link.st_mode)) {
        // A link is followed only to a store that is there: a link whose
        // volume is not mounted must not be replaced by a new, empty store
        // that splits the record in two.
        if (::stat(file.c_str(), &target) != 0)
            throw IoError(file.string(), "collegamento simbolico a un file che non c'\xE8 (un disco non collegato?); "
                                         "il collegamento resta com'\xE8: ricollegare il disco o correggere il "
                                         "collegamento");
        if (!S_ISREG(target.st_mode))
            throw IoError(file.string(), "collegamento simbolico a qualcosa che non \xE8 un file; il collegamento "
                                         "resta com'\xE8");
    } else if (S_ISDIR(link.st_mode)) {
        throw IoError(file.string(), italianSystemReason(EISDIR));
    } else if (!S_ISREG(link.st_mode)) {
        throw IoError(file.string(), "non \xE8 un file (un dispositivo o una coda?); non viene aperto");
    }
    if (target.st_size == 0) return StoreFileKind::Empty;
    return StoreFileKind::Regular;
}

bool createStore(const fs::path& file) {
    fs::path temp;
    const int fd = createTemporaryBeside(file, temp);  // readable by its owner only
    if (fd < 0) throwSystemIoError(file.string());
    ::close(fd);
    try {
        std::unique_ptr<sqlite3, TempConnectionCloser> db(openConnection(temp, SQLITE_OPEN_READWRITE));
        migrateSchema(temp, db.get(), 0);
        db.reset();
        const bool placed = placeUnlessPresent(temp, file);
        if (!placed) ::unlink(temp.c_str());
        syncFolder(file.parent_path());
        return placed;
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
}

} // namespace qv::consultations
