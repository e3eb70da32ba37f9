// The named archives of subjects: three record files NAME.ST1 (index),
// NAME.ST2 (birth records) and NAME.ST3 (annotations) in the data
// directory, and the operations that the archive windows share.
#pragma once

#include "archive/archive_records.h"
#include "base/record_file.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qv {

inline constexpr const char* kPersonalArchive = "BASE";
inline constexpr const char* kTemporaryArchive = "TMPR";

// An archive is named by one to four letters or digits (A-Z, a-z, 0-9):
// the name becomes a file name in the data directory, so a dot, a slash or
// a backslash never passes.
bool isPlainArchiveName(const std::string& name);
// Raises ConversionError with an Italian message naming `name` when it is
// no plain archive name.
void requirePlainArchiveName(const std::string& name);

// "BASE.ST1", "BASE.ST2", "BASE.ST3" for extension 1, 2, 3; a name that is
// not plain raises ConversionError.
std::string archiveFileName(const std::string& archive, int extension);

// An archive exists when its .ST1 file exists.
bool archiveExists(const std::string& name);

// "BASE (personale)", "RICE (speciale)", "BANK (banca dati)",
// "TMPR (temporaneo)"; any other name as it is.
std::string archiveCaption(const std::string& name);

struct ArchiveListing {
    std::string name;     // four characters, upper case
    std::string caption;
};

// The archives of the data directory (files "????.ST1"), in alphabetical
// order; TMPR only when `withTemporary`.
std::vector<ArchiveListing> listArchives(bool withTemporary);

// Creates the files of archive NAME that are missing, each with its header
// record. Existing files are never overwritten.
void createArchive(const std::string& name);
// The personal archive BASE.
void createPersonalArchive();

// Where `locate` landed: the position and the entry read last, and whether
// that entry begins with the prefix.
struct Located {
    int position = 0;
    IndexEntry entry;
    bool matches = false;
};

struct ArchiveOpening;

// One archive open for the operations of a window. Every change to the
// index, and every rewrite of a record in place, replaces the file whole
// through a temporary file, so a failure leaves it as it was; appended
// records are removed again when the append fails.
class Archive {
public:
    const std::string& name() const { return name_; }
    // Index record count − 1.
    int subjectCount() const;
    int birthCount() const;
    bool hasAnnotations() const { return annotations_.has_value(); }
    int annotationCount() const;

    IndexEntry readIndex(int k) const;
    BirthRecord readBirth(int k) const;
    // An annotation number past the end of .ST3, or an archive without
    // .ST3, is an IoError.
    AnnotationRecord readAnnotation(int k) const;
    std::vector<IndexEntry> readWholeIndex() const;

    // The index position for a typed name prefix (upper-cased here): 100
    // halving steps over entries 1..n with the prefix padded by "!" to 38.
    // An empty archive is not searched (position 0).
    Located locate(const std::string& prefix) const;

    // Moves the entry at position k (the last one) down to its sorted place;
    // returns its final position.
    int insertInOrder(int k);
    // Appends `entry` at the end of the index and puts it in order, as one
    // rewrite of the file; returns its final position.
    int appendInOrder(const IndexEntry& entry);
    // Replaces the entry at position k by `text` and moves it to its sorted
    // place; returns its final position.
    int replaceInOrder(int k, const IndexEntry& entry);
    // Deletes entry k (1..n); the birth and annotation records stay.
    void removeIndexEntry(int k);

    int appendBirth(const BirthRecord& record);
    void rewriteBirth(int k, const BirthRecord& record);
    // Creates .ST3 with its header record when the archive has none.
    int appendAnnotation(const AnnotationRecord& record);
    void rewriteAnnotation(int k, const AnnotationRecord& record);
    // Overwrites birth record `birthNumber`, and annotation record
    // `annotationNumber` unless it is 0 (the shared standard text), with
    // zero bytes: a deleted subject's data leave the files while the record
    // numbers stay taken. Numbers past the end are passed over.
    void eraseSubjectRecords(int birthNumber, int annotationNumber);

private:
    friend ArchiveOpening openArchive(const std::string& name);
    friend Archive openAnyArchive(const std::string& name);
    explicit Archive(std::string name);
    void reopen();
    void rewriteIndex(const std::vector<IndexEntry>& entries);

    std::string name_;
    std::optional<RecordFile> index_;
    std::optional<RecordFile> births_;
    std::optional<RecordFile> annotations_;
};

// The result of opening an archive for recall, modification or deletion:
// the archive, or the message of the refusal.
struct ArchiveOpening {
    std::optional<Archive> archive;
    std::string refusal;
};

// Opens NAME (upper-cased) for recall, modification or deletion: TMPR, and
// names that are not four characters, are refused with "Nome Archivio Non
// Ammesso". A missing .ST1 or .ST2 is an IoError.
ArchiveOpening openArchive(const std::string& name);
// The same without the refusal (registration writes into TMPR as well).
Archive openAnyArchive(const std::string& name);

// Whole-file helpers of record files: `records` replace the file through a
// temporary file in the same folder.
void rewriteRecordFile(const std::filesystem::path& path, const std::vector<Bytes>& records,
                       const std::string& shownName);
// Writes records at the given numbers through a temporary file: a number may
// equal the record count (the record is appended); a missing file is created.
void writeRecordsAtomically(const std::filesystem::path& path, std::size_t recordSize,
                            const std::vector<std::pair<int, Bytes>>& writes, const std::string& shownName);

} // namespace qv
