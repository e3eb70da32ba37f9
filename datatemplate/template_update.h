// A data directory brought up to the shipped template at every start:
// missing files copied in, the program's own files replaced when the
// shipped data version is newer or restored when damaged, the remedy
// database updated while the user has not edited it. Each program file is
// decided on its own by decideTemplateFile, from what is known of it.
#pragma once

#include "base/data_dir.h"
#include "base/data_manifest.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qv {

// What bringing a data directory up to the shipped template did.
struct TemplateUpdate {
    int copied = 0;   // missing files copied in
    int replaced = 0; // program files replaced by a newer data version
    int restored = 0; // program files whose size or checksum was wrong, restored
    std::string firstRestored; // the data path of the first one restored
    long fromVersion = 0;      // the data version recorded before (0: none)
    long toVersion = 0;        // the template's data version (0: it has none)
    // Program files that were damaged or missing and could not be put back
    // (a folder in their place, a read-only file): "path (reason)" each.
    // The start goes on; only what reads them fails.
    std::vector<std::string> unrepaired;
    int checksummed = 0; // files whose bytes were read to check them
    // The remedy database at a new data version: files replaced because the
    // ones here were exactly as an earlier version shipped them, or, when
    // the user has edited the database, the notice that a newer one exists.
    int databaseReplaced = 0;
    bool databaseUpdateKept = false;
};

// What is known of one program file of the manifest in a data directory.
struct TemplateFileFacts {
    const ManifestEntry* shipped = nullptr;   // its manifest entry
    const ManifestEntry* recorded = nullptr;  // the directory's record of it, if any
    bool directoryRecorded = false;  // the directory has a record (of any file)
    bool directoryOlder = false;     // it holds an older data version
    bool directoryNewer = false;     // a newer program brought it further
    bool sourcePresent = false;      // the template has the file
    bool present = false;            // something is at the target
    bool regular = false;            // ... and it is a regular file
    std::uintmax_t size = 0;
    FileIdentity identity;
    std::optional<std::uint32_t> crc;  // the target's checksum, once read
};

enum class TemplateFileAction {
    Skip,           // nothing done, nothing recorded
    Copy,           // missing: copied in
    Replace,        // an older data version: the shipped file replaces it
    TrustUnread,    // the same identity as when last found sound: not read
    ReadChecksum,   // decide again once its checksum is known
    RecordAsFound,  // a file the directory held before it had a record: kept
    RecordChecked,  // read, and still the bytes recorded
    Restore,        // damaged: put back from the template's own sound copy
};

// The record a decision compares with: the directory's own, or the
// manifest's when the directory has a record that lacks the file or when a
// folder stands in its place (no file of the user's).
const ManifestEntry* recordToCompare(const TemplateFileFacts& facts);

TemplateFileAction decideTemplateFile(const TemplateFileFacts& facts);

// Brings `dir` up to `templateDir` as described above. Every file is
// written under a temporary name in its own folder and renamed into place,
// so an interrupted start leaves no half file; a missing file of the
// user's (archives, settings, remedy databases) is copied in, an existing
// one never touched.
TemplateUpdate updateFromTemplate(const DataDir& dir, const std::filesystem::path& templateDir);

// The same, saying on standard error in one line when program files were
// replaced or restored; returns the number of missing files copied in.
int installTemplate(const DataDir& dir, const std::filesystem::path& templateDir);

// The one line that tells the user what an update did, in Italian; empty
// when no existing file was replaced or restored.
std::string templateUpdateNotice(const TemplateUpdate& update);
// The line that says an edited remedy database was kept and a newer one
// can be installed.
std::string databaseUpdateKeptNotice();

// Left by a start that kept an edited remedy database while a newer one
// shipped; the desktop program shows databaseUpdateKeptNotice() once and
// removes it (takeDatabaseUpdateNotice returns whether it was there).
inline constexpr const char* kDatabaseUpdateMarker = "FileDum\\NuovaBancaDati.dum";
bool takeDatabaseUpdateNotice(const DataDir& dir);

} // namespace qv
