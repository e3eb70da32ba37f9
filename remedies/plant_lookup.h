// The plant database looked up both ways: from a symptom to the plants
// that serve it, and from a plant to its symptoms and their authors, in
// pages of 26 lines (the fourth page takes whatever is left).
#pragma once

#include "base/data_dir.h"
#include "remedies/records.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::remedies {

// Records 1 … N−1 of "OpzioneS\Sintomi.rnd" (or of "OpzioneS\Piante.rnd")
// in list order; nothing when the file does not exist.
std::vector<std::string> plantSymptomNames(const DataDir& dir);
std::vector<std::string> plantNames(const DataDir& dir);

// A plant that serves a symptom: its line in the list (the plant followed by
// 40 "-"), its synthesis and the record it comes from.
struct PlantOfSymptom {
    std::string line;
    std::string sintesi;
    std::int64_t record = 0;
};
struct SymptomPlants {
    std::vector<PlantOfSymptom> plants;
    PlantEntryRecord last;     // the last entry with a plant, shown in the boxes
    std::string alternative;   // the authors' cross-reference of an entry without a plant
};
// The entries 1 … N−1 whose symptom equals `symptom` (trailing blanks dropped on both).
SymptomPlants plantsOfSymptom(const DataDir& dir, const std::string& symptom);
PlantEntryRecord plantEntry(const DataDir& dir, std::int64_t record);

inline constexpr int kPlantPageLines = 26;
inline constexpr int kPlantPages = 4;
struct SymptomOfPlant {
    std::string sintomo;
    std::string autori;
};
struct PlantSymptoms {
    PlantEntryRecord last;  // the boxes show the last entry of the plant
    std::vector<std::vector<SymptomOfPlant>> pages;  // at most four; the fourth holds all after the 78th
};
PlantSymptoms symptomsOfPlant(const DataDir& dir, const std::string& plant);

} // namespace qv::remedies
