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

class ConsultationStore {
public:
    // Opens the store at `file`. A missing file is created (through a
    // temporary file, so a half-made store never takes the name) when
    // `create` is true, and is an IoError otherwise. A file that is empty,
    // no SQLite database, damaged, of a newer schema or locked by another
    // program for more than a few seconds is an IoError with an Italian
    // reason; the file is left as it is.
    explicit ConsultationStore(const std::filesystem::path& file, bool create = true);
    ~ConsultationStore();
    ConsultationStore(ConsultationStore&&) noexcept;
    ConsultationStore& operator=(ConsultationStore&&) noexcept;
    ConsultationStore(const ConsultationStore&) = delete;
    ConsultationStore& operator=(const ConsultationStore&) = delete;

    const std::filesystem::path& file() const { return file_; }
    int schemaVersion() const;

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
    // Deletes every consultation of a subject; returns how many.
    int removeAllOf(const SubjectLink& subject);
    // Gives every consultation of `from` to `to` (a subject whose stored
    // name or birth moment was corrected); returns how many.
    int moveAllOf(const SubjectLink& from, const SubjectLink& to);

private:
    struct Deleter {
        void operator()(sqlite3* db) const;
    };
    std::filesystem::path file_;
    std::unique_ptr<sqlite3, Deleter> db_;
};

// The store of the data directory in force.
std::filesystem::path storePath();
// Opens it (creating it on first use).
ConsultationStore openStore();
// After a subject's stored name or birth moment was corrected: its
// consultations follow it (none when the data directory has no store).
int followSubject(const SubjectLink& before, const SubjectLink& after);

// A consistent copy of the store at `from` written to `to` (a new file,
// readable by its owner only). The source is only read (a store on a
// backup medium is not migrated there); a damaged, foreign or newer source
// is an IoError and leaves no file at `to`.
void copyStore(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace qv::consultations
