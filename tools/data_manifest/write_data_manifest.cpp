// Writes data/MANIFEST, the list of the program's own files of the data
// template (tables, atlas, analysis data, pictures, texts) with their sizes
// and checksums, and raises data/VERSION by one whenever that list changes:
// a data directory holding an older version then has those files replaced at
// its next start. Run it after changing any shipped table or text; a test
// fails while the manifest does not describe the template.
// The manifest also lists the remedy database files as shipped now ("D"
// lines) and as every earlier version shipped them ("P" lines, kept from the
// manifest before): a database equal to one shipped earlier was never
// edited, and follows the program.
//
// Usage: write_data_manifest [DATA_FOLDER]   (default: the source tree's data/)
#include "base/data_dir.h"
#include "datatemplate/template_update.h"
#include "datatemplate/template_files.h"
#include "base/text_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: write_data_manifest [DATA_FOLDER]\n";
        return 2;
    }
    const fs::path folder = argc == 2 ? fs::path(argv[1]) : fs::path(QV_DATA_TEMPLATE_DIR);
    try {
        const auto manifest = qv::computeManifest(folder);
        const fs::path manifestPath = folder / qv::kDataManifestFile;
        const fs::path versionPath = folder / qv::kDataVersionFile;
        const std::string before = fs::exists(manifestPath) ? qv::readWholeFile(manifestPath) : std::string();
        long version = fs::exists(versionPath) ? qv::parseDataVersion(qv::readWholeFile(versionPath)) : 0;

        // The database as shipped now, and every earlier form of it.
        std::vector<qv::ShippedDatabaseEntry> database = qv::computeShippedDatabase(folder);
        const std::size_t current = database.size();
        for (qv::ShippedDatabaseEntry earlier : qv::parseShippedDatabase(before)) {
            earlier.current = false;
            bool known = false;
            for (const auto& e : database) known = known || e.file == earlier.file;
            if (!known) database.push_back(earlier);
        }
        std::sort(database.begin() + static_cast<long>(current), database.end(), [](const auto& a, const auto& b) {
            return a.file.dataPath != b.file.dataPath ? a.file.dataPath < b.file.dataPath : a.file.crc < b.file.crc;
        });
        const std::string text = qv::manifestText(manifest) + qv::shippedDatabaseText(database);
        if (before == text && version > 0) {
            std::printf("%s: %zu files, unchanged; data version %ld\n", manifestPath.c_str(), manifest.size(),
                        version);
            return 0;
        }
        if (before != text) {
            const auto old = before.empty() ? std::vector<qv::ManifestEntry>{} : qv::parseManifest(before);
            for (const auto& e : manifest)
                if (std::find(old.begin(), old.end(), e) == old.end()) std::printf("  changed or new: %s\n", e.dataPath.c_str());
            for (const auto& e : old) {
                bool kept = false;
                for (const auto& n : manifest) kept = kept || n.dataPath == e.dataPath;
                if (!kept) std::printf("  removed: %s\n", e.dataPath.c_str());
            }
            ++version;
        }
        qv::writeFileAtomically(manifestPath, text);
        qv::writeFileAtomically(versionPath, std::to_string(version) + "\r\n");
        std::printf("%s: %zu files, %zu database files; data version %ld\n", manifestPath.c_str(), manifest.size(),
                    current, version);
    } catch (const std::exception& e) {
        std::cerr << "write_data_manifest: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
