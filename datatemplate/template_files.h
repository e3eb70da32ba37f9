// Which files of the shipped data template belong to the program and
// follow its updates, and which belong to the user.
#pragma once

#include "base/data_manifest.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qv {

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

// The manifest of the program files under `folder`, sorted by data path,
// and the remedy database files as shipped now.
std::vector<ManifestEntry> computeManifest(const std::filesystem::path& folder);
std::vector<ShippedDatabaseEntry> computeShippedDatabase(const std::filesystem::path& folder);

} // namespace qv
