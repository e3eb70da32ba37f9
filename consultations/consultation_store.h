// The practitioner's record of consultations: one SQLite database,
// "Consulti.db", in the data directory. It holds health data about people,
// so it is created readable by its owner only; every write is one
// transaction; a damaged, foreign or locked file is reported in Italian and
// never replaced by an empty one. The schema carries its version and is
// migrated step by step from the first one.
#pragma once

#include "consultations/consultation.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;

namespace qv::consultations {

namespace sql {
class Transaction;
}

inline constexpr const char* kStoreFileName = "Consulti.db";
// The schema this program writes; older files are migrated on opening.
extern const int kStoreSchemaVersion;

// One line of the list of a subject's consultations.
struct ConsultationSummary {
    std::int64_t id = 0;
    CalendarDate date;
    std::optional<CalendarDate> followUp;
    std::string complaints;  // the free text
    int symptoms = 0;
    int remedies = 0;
};

// How a store came to be open: it was there, this program made it, or this
// program made one too and another program's took the name first.
enum class StoreOpening { Found, Created, LostCreationRace };

class ConsultationStore {
public:
    // Opens the store at `file`. A missing file is created (made whole
    // under a name of its own and put in place only when no store has
    // appeared meanwhile) when `create` is true, and is an IoError
    // otherwise. A file that is empty, no SQLite database, damaged, of a
    // newer schema, locked by another program for more than a few seconds,
    // or a symbolic link to nothing or to no file, is an IoError with an
    // Italian reason; the file is left as it is.
    explicit ConsultationStore(const std::filesystem::path& file, bool create = true);
    ~ConsultationStore();
    ConsultationStore(ConsultationStore&&) noexcept;
    ConsultationStore& operator=(ConsultationStore&&) noexcept;
    ConsultationStore(const ConsultationStore&) = delete;
    ConsultationStore& operator=(const ConsultationStore&) = delete;

    const std::filesystem::path& file() const { return file_; }
    int schemaVersion() const;
    StoreOpening opening() const { return opening_; }

    // The store's own id of a subject (archive, stored name and birth
    // moment); nothing when the store has never had a consultation of it.
    std::optional<std::int64_t> subjectIdOf(const SubjectLink& subject) const;

    // The consultations of a subject, newest first (by date, then by the
    // order they were recorded).
    std::vector<Consultation> consultationsOf(const SubjectLink& subject) const;
    // The same as list lines, without reading the remedies and symptoms.
    std::vector<ConsultationSummary> summariesOf(const SubjectLink& subject) const;
    std::optional<Consultation> find(std::int64_t id) const;
    int countOf(const SubjectLink& subject) const;

    // Stores a new consultation (id 0: the new id is written into it) or
    // replaces the stored one of the same id, all in one transaction. A
    // consultation that fails consultationFailure() is a ConversionError
    // and writes nothing; an id that is not stored is an IoError.
    void save(Consultation& c);
    // Deletes one consultation; false when there was none with that id.
    bool remove(std::int64_t id);
    // Deletes every consultation of a subject and the subject's row; returns
    // how many consultations went.
    int removeAllOf(const SubjectLink& subject);
    // Deletes the subject's row when no consultation is left under it, so a
    // person deleted leaves no name behind; true when it did.
    bool forgetIfUnused(const SubjectLink& subject);
    // The subject `from` takes the name and birth moment of `to` (its data
    // were corrected): one row changes, and its consultations follow.
    // When the store already knows `to` (consultations kept from an
    // earlier entry of the same person) the two become one. Returns how
    // many consultations `to` gained.
    int moveAllOf(const SubjectLink& from, const SubjectLink& to);

    // A change that spans this store and other files: the store's write
    // lock is taken at once (another program's lock held past the busy
    // wait is an IoError, and nothing has changed), the calls above join
    // it, and nothing of it is permanent until commit(). Dropped without
    // commit, it is undone.
    class Change {
    public:
        ~Change();
        Change(Change&&) noexcept;
        void commit();

    private:
        friend class ConsultationStore;
        Change(const std::filesystem::path& file, sqlite3* db);
        std::unique_ptr<sql::Transaction> transaction_;
    };
    Change beginChange();

private:
    std::int64_t subjectIdForWriting(const SubjectLink& subject);

    struct Deleter {
        void operator()(sqlite3* db) const;
    };
    std::filesystem::path file_;
    StoreOpening opening_ = StoreOpening::Found;
    std::unique_ptr<sqlite3, Deleter> db_;
};

// The store of the data directory in force.
std::filesystem::path storePath();
// Opens it (creating it on first use).
ConsultationStore openStore();
// Opens it when there is one, without creating it; a dangling link or
// another file at its name is an IoError.
std::optional<ConsultationStore> openStoreIfPresent();

// A consistent copy of the store at `from` written to `to` (a new file,
// readable by its owner only). The source is only read (a store on a
// backup medium is not migrated there); a damaged, foreign or newer source
// is an IoError and leaves no file at `to`.
void copyStore(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace qv::consultations
