// The data directory: every file the program reads or writes lives under it.
// Paths are written in the code as the users' documents write them, with
// backslashes ("OpzioneH\\DBmain.rnd"); file-name case is not significant.
#pragma once

#include <cstdint>
#include <filesystem>
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

// The one line that tells the user what an update did, in Italian; empty
// when no existing file was replaced or restored.
std::string templateUpdateNotice(const TemplateUpdate& update);
// The line that says an edited remedy database was kept and a newer one
// can be installed.
std::string databaseUpdateKeptNotice();

// The template's data version file and its manifest of the program's own
// files. The data directory records the version it holds in kDataVersionFile.
inline constexpr const char* kDataVersionFile = "VERSION";
inline constexpr const char* kDataManifestFile = "MANIFEST";

// Who a file on disk is, without reading it: its inode, and its size and
// change times to the nanosecond. A file rewritten in place, replaced by a
// rename, cut or grown has another identity. All zero: not known.
struct FileIdentity {
    std::uintmax_t inode = 0;
    long long modifiedNs = 0; // st_mtim
    long long changedNs = 0;  // st_ctim: no program can set it back
    bool known() const { return inode != 0; }
    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file at `path` with its size, or nothing (unknown
// identity, size 0) when it cannot be seen.
struct StatResult {
    FileIdentity identity;
    std::uintmax_t size = 0;
    bool regular = false;
};
StatResult statFile(const std::filesystem::path& path);

// One program file of the template: data path (backslashes), size, CRC-32.
// In a data directory's record, also the identity the file had when the
// program put it there or last checked its bytes, so that a start compares
// identities instead of reading every file.
struct ManifestEntry {
    std::string dataPath;
    std::uintmax_t size = 0;
    std::uint32_t crc = 0;
    FileIdentity identity;
    bool operator==(const ManifestEntry&) const = default;
};

// Whether a template file belongs to the program (replaced by updates) rather
// than to the user: everything under FilePosi, Localita, Calendar, Scambi,
// Appoggio, OpzioneT, Simboli, Zodiaco, Glifi and Manuali, and the pictures,
// manuals and texts at the top of the folder. Any other file is the user's.
bool isProgramFile(const std::string& dataPath);

// Whether a template file belongs to the remedy database the user may edit
// (everything under OpzioneH and OpzioneS but the tallies that searches
// write): such a file follows the program's updates only while it is
// exactly one the program shipped.
bool isShippedDatabaseFile(const std::string& dataPath);

// The remedy database files in a manifest: as shipped now ("D crc size
// path" lines) and as earlier data versions shipped them ("P" lines).
struct ShippedDatabaseEntry {
    ManifestEntry file;
    bool current = true;
    bool operator==(const ShippedDatabaseEntry&) const = default;
};
std::vector<ShippedDatabaseEntry> computeShippedDatabase(const std::filesystem::path& folder);
std::string shippedDatabaseText(const std::vector<ShippedDatabaseEntry>& entries);
// The D and P lines of a manifest's text (parseManifest reads the others).
std::vector<ShippedDatabaseEntry> parseShippedDatabase(const std::string& text);

// The manifest of the program files under `folder`, sorted by data path, and
// its text form (one "crc size path" line each, CR LF; a known identity is
// written as "crc size =inode/mtime/ctime path"); the parser throws
// ConversionError on a malformed line.
std::vector<ManifestEntry> computeManifest(const std::filesystem::path& folder);
std::string manifestText(const std::vector<ManifestEntry>& entries);
std::vector<ManifestEntry> parseManifest(const std::string& text);

// The data version written in a VERSION file's text: a positive whole number
// on its first line; 0 when the text holds none.
long parseDataVersion(const std::string& text);

// CRC-32 (the polynomial of zip and PNG) of a file's bytes.
std::uint32_t fileCrc32(const std::filesystem::path& path);

class DataDir {
public:
    DataDir() = default;
    explicit DataDir(std::filesystem::path root);

    const std::filesystem::path& root() const { return root_; }
    bool valid() const { return !root_.empty(); }

    // Maps a backslash path to a real path: each component is matched
    // case-insensitively against what exists; components that do not exist
    // keep the case given (so new files are created as named).
    std::filesystem::path resolve(const std::string& dataPath) const;
    bool exists(const std::string& dataPath) const;

    // Creates the folders leading to `dataPath` (matching existing ones
    // case-insensitively) and returns the resolved path of the file.
    std::filesystem::path prepareForWrite(const std::string& dataPath) const;

    // Brings the data directory up to the template (see TemplateUpdate) and
    // says on standard error, in one line, when program files were replaced
    // or restored. Returns the number of missing files copied in.
    int installTemplate(const std::filesystem::path& templateDir) const;

    // The work of installTemplate without the notice:
    // - every template file missing here (matched case-insensitively) is
    //   copied in;
    // - the program's own files, those the template's MANIFEST lists (tables,
    //   atlas, analysis data, pictures, texts), are all replaced when the
    //   template's data version (its VERSION) is newer than the one recorded
    //   here; a directory with no record that holds the personal archive
    //   BASE predates data versions and counts as older than any;
    // - at the same version, a program file whose size or checksum is no
    //   longer the one recorded when it was installed (cut short, damaged)
    //   is restored;
    // - the directory's VERSION records the version and the size and
    //   checksum of each program file; files a new directory already held
    //   (a test's own tables) are recorded as they are and kept;
    // - any other existing file (archives, settings, remedy databases) is
    //   never touched, and a directory already at a newer version keeps its
    //   files.
    // Every file is written under a temporary name in its own folder and
    // renamed into place, so an interrupted start leaves no half file.
    TemplateUpdate updateFromTemplate(const std::filesystem::path& templateDir) const;

private:
    std::filesystem::path root_;
};

// The data directory holds people's birth and health data: it is readable
// by its owner only (folder 0700, files 0600). Creates `root` so when it is
// missing; tightens an existing one that others could read (every folder
// and file inside it) and then returns true.
bool secureDataDirRoot(const std::filesystem::path& root);

// Whether the file at `dataPath` (seen as `seen`) is, by its identity, one
// this process's start found holding exactly the bytes the program shipped
// (checked when that identity was recorded): its contents need no checking
// again. False for any directory not brought up to the template here.
bool isIntactShippedFile(const DataDir& dir, const std::string& dataPath, const StatResult& seen);

// Left by a start that kept an edited remedy database while a newer one
// shipped; the desktop program shows databaseUpdateKeptNotice() once and
// removes it (takeDatabaseUpdateNotice returns whether it was there).
inline constexpr const char* kDatabaseUpdateMarker = "FileDum\\NuovaBancaDati.dum";
bool takeDatabaseUpdateNotice(const DataDir& dir);

// The data directory in force for this process (tests set their own).
const DataDir& dataDir();
void setDataDir(const std::filesystem::path& root);

// The lines of a text file of the data directory in force, named by its
// data path in messages.
std::vector<std::string> readDataTextLines(const std::string& dataPath);

// $XDG_DATA_HOME/quorendaville, or ~/.local/share/quorendaville.
std::filesystem::path defaultDataDirRoot();

// The template shipped with the program, found beside its executable:
// ../share/quorendaville/data, in the installed tree (PREFIX/bin and
// PREFIX/share) and in the build tree (bin/ and share/) alike; from
// PREFIX/libexec/quorendaville (the drawing commands' program) the same.
std::filesystem::path templateDir();

// Keeps a second running copy from writing the same archives: holds an
// exclusive lock on a file of the data directory while alive.
class DataDirLock {
public:
    explicit DataDirLock(const DataDir& dir);
    ~DataDirLock();
    DataDirLock(const DataDirLock&) = delete;
    DataDirLock& operator=(const DataDirLock&) = delete;
    // False when another running copy holds the lock.
    bool acquired() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

} // namespace qv
