// The text forms of a data template's manifest and of a data directory's
// record of it: which files, their sizes and checksums and, in a record,
// the identity each file had when the program last put it there or checked
// it. Only the format lives here; which files are listed, and what a start
// does with them, is decided above.
#pragma once

#include "base/file_safety.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace qv {

// The template's data version file and its manifest of the program's own
// files. The data directory records the version it holds in kDataVersionFile.
inline constexpr const char* kDataVersionFile = "VERSION";
inline constexpr const char* kDataManifestFile = "MANIFEST";

// One file: data path (backslashes), size, CRC-32, and in a data
// directory's record the identity it had when last seen whole.
struct ManifestEntry {
    std::string dataPath;
    std::uintmax_t size = 0;
    std::uint32_t crc = 0;
    FileIdentity identity;
    bool operator==(const ManifestEntry&) const = default;
};

// The remedy database files in a manifest: as shipped now ("D crc size
// path" lines) and as earlier data versions shipped them ("P" lines).
struct ShippedDatabaseEntry {
    ManifestEntry file;
    bool current = true;
    bool operator==(const ShippedDatabaseEntry&) const = default;
};
std::string shippedDatabaseText(const std::vector<ShippedDatabaseEntry>& entries);
// The D and P lines of a manifest's text (parseManifest reads the others).
std::vector<ShippedDatabaseEntry> parseShippedDatabase(const std::string& text);

// One "crc size path" line per entry, CR LF; a known identity is written as
// "crc size =device/inode/mtime/ctime path". The parser throws
// ConversionError on a malformed line or a path that climbs out ("..").
std::string manifestText(const std::vector<ManifestEntry>& entries);
std::vector<ManifestEntry> parseManifest(const std::string& text);

// The data version written in a VERSION file's text: a positive whole number
// on its first line; 0 when the text holds none.
long parseDataVersion(const std::string& text);

// CRC-32 (the polynomial of zip and PNG) of a file's bytes.
std::uint32_t fileCrc32(const std::filesystem::path& path);

// A path relative to a template or data directory as the program writes
// it: with backslashes.
std::string dataPathOf(const std::filesystem::path& relative);
// The folders and file of a data path ("OpzioneH\\DBmain.rnd"), split at
// its backslashes or slashes, empty parts passed over.
std::vector<std::string> dataPathParts(const std::string& dataPath);
// The data path as a relative file-system path (slashes).
std::filesystem::path relativePathOf(const std::string& dataPath);
// The ASCII letters in lower case: how data paths are compared, whatever
// the case a file system or a document gives them.
std::string foldedAscii(std::string text);

} // namespace qv
