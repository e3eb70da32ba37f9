// The entries of the plant database viewer: for each record 1 … N−1 of
// "OpzioneS\DataStf.rnd" the plant (blanks trimmed, "XXXX" when empty)
// padded or cut to 20 characters, then the symptom (blanks trimmed). In
// file order they follow the file, which is kept in symptom order; sorted,
// they come in plant order. Each entry keeps the record it shows.
#pragma once

#include "base/data_dir.h"
#include "remedies/records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::remedies {

struct PlantViewerEntry {
    std::string text;
    std::int64_t record = 0;
};

std::vector<PlantViewerEntry> plantViewerEntries(const std::vector<PlantEntryRecord>& entries, bool sorted);
// The whole database (nothing when the file does not exist).
std::vector<PlantEntryRecord> readPlantDatabase(const DataDir& dir);

} // namespace qv::remedies
