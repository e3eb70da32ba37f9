#include "consultations/store_opening.h"

#include "base/errors.h"
#include "base/file_safety.h"
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
    FileReplacement made(file, file.string());  // readable by its owner only
    made.handOver();
    {
        std::unique_ptr<sqlite3, TempConnectionCloser> db(openConnection(made.temporary(), SQLITE_OPEN_READWRITE));
        migrateSchema(made.temporary(), db.get(), 0);
    }
    return made.putInPlaceUnlessPresent();
}

} // namespace qv::consultations
