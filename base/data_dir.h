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
};

// The one line that tells the user what an update did, in Italian; empty
// when no existing file was replaced or restored.
std::string templateUpdateNotice(const TemplateUpdate& update);

// The template's data version file and its manifest of the program's own
// files. The data directory records the version it holds in kDataVersionFile.
inline constexpr const char* kDataVersionFile = "VERSION";
inline constexpr const char* kDataManifestFile = "MANIFEST";

// One program file of the template: data path (backslashes), size, CRC-32.
struct ManifestEntry {
    std::string dataPath;
    std::uintmax_t size = 0;
    std::uint32_t crc = 0;
    bool operator==(const ManifestEntry&) const = default;
};

// Whether a template file belongs to the program (replaced by updates) rather
// than to the user: everything under FilePosi, Localita, Calendar, Scambi,
// Appoggio, OpzioneT, Simboli, Zodiaco, Glifi and Manuali, and the pictures,
// manuals and texts at the top of the folder. Any other file is the user's.
bool isProgramFile(const std::string& dataPath);

// The manifest of the program files under `folder`, sorted by data path, and
// its text form (one "crc size path" line each, CR LF); the parser throws
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

// The data directory in force for this process (tests set their own).
const DataDir& dataDir();
void setDataDir(const std::filesystem::path& root);

// $XDG_DATA_HOME/quorendaville, or ~/.local/share/quorendaville.
std::filesystem::path defaultDataDirRoot();

// The template shipped with the program, found beside its executable:
// ../share/quorendaville/data, in the installed tree (PREFIX/bin and
// PREFIX/share) and in the build tree (bin/ and share/) alike.
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
