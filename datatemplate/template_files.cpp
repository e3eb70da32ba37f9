#include "datatemplate/template_files.h"

#include "base/data_manifest.h"
#include "base/errors.h"

#include <algorithm>
#include <cstring>

namespace fs = std::filesystem;

namespace qv {

bool isProgramFile(const std::string& dataPath) {
    const auto parts = dataPathParts(dataPath);
    if (parts.empty()) return false;
    if (parts.size() == 1) {
        const std::string name = foldedAscii(parts[0]);
        for (const char* ext : {".jpg", ".bmp", ".png", ".svg", ".pdf", ".txt"})
            if (name.size() > std::strlen(ext) && name.compare(name.size() - std::strlen(ext), std::string::npos, ext) == 0)
                return true;
        return false;
    }
    const std::string folder = foldedAscii(parts[0]);
    for (const char* owned :
         {"fileposi", "localita", "calendar", "scambi", "appoggio", "opzionet", "simboli", "zodiaco", "glifi", "manuali"})
        if (folder == owned) return true;
    return false;
}

bool isShippedDatabaseFile(const std::string& dataPath) {
    const auto parts = dataPathParts(dataPath);
    if (parts.size() != 2) return false;
    const std::string folder = foldedAscii(parts[0]);
    const std::string name = foldedAscii(parts[1]);
    return (folder == "opzioneh" || folder == "opziones") && name != "riccom.rnd" && name != "tercom.rnd";
}

std::vector<ShippedDatabaseEntry> computeShippedDatabase(const fs::path& folder) {
    std::vector<ShippedDatabaseEntry> out;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file()) continue;
        const std::string dataPath = dataPathOf(it->path().lexically_relative(folder));
        if (!isShippedDatabaseFile(dataPath)) continue;
        out.push_back({{dataPath, fs::file_size(it->path()), fileCrc32(it->path()), {}}, true});
    }
    if (ec) throw IoError(folder.string(), italianSystemReason(ec.value()));
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.file.dataPath < b.file.dataPath; });
    return out;
}

std::vector<ManifestEntry> computeManifest(const fs::path& folder) {
    std::vector<ManifestEntry> out;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file()) continue;
        const std::string dataPath = dataPathOf(it->path().lexically_relative(folder));
        if (!isProgramFile(dataPath)) continue;
        out.push_back({dataPath, fs::file_size(it->path()), fileCrc32(it->path()), {}});
    }
    if (ec) throw IoError(folder.string(), italianSystemReason(ec.value()));
    std::sort(out.begin(), out.end(), [](const ManifestEntry& a, const ManifestEntry& b) {
        return a.dataPath < b.dataPath;
    });
    return out;
}

} // namespace qv
