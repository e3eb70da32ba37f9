#include "remedies/plant_lookup.h"

#include "remedies/list_order.h"
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"

namespace qv::remedies {

namespace {

std::vector<std::string> namesFromRecordOne(const DataDir& dir, const char* dataPath, std::size_t width) {
    if (!dir.exists(dataPath)) return {};
    std::vector<std::string> names = readNames(dir, dataPath, width);
    if (!names.empty()) names.erase(names.begin());
    sortInListOrder(names);
    return names;
}

} // namespace

std::vector<std::string> plantSymptomNames(const DataDir& dir) {
    return namesFromRecordOne(dir, files::kPlantSymptoms, kSymptomNameWidth);
}

std::vector<std::string> plantNames(const DataDir& dir) { return namesFromRecordOne(dir, files::kPlants, kPlantNameWidth); }

SymptomPlants plantsOfSymptom(const DataDir& dir, const std::string& symptom) {
    const std::string wanted = trimRightBlanks(symptom);
    SymptomPlants out;
    const RecordScan scan(dir, files::kPlantEntries, plantEntryLayout());
    scan.forEach(1, [&](std::int64_t k, std::span<const std::uint8_t> r) {
        const PlantEntryRecord e = decodePlantEntry(r);
        if (trimRightBlanks(e.sintomo) != wanted) return true;
        const std::string plant = trimRightBlanks(e.pianta);
        if (plant.empty()) {
            out.alternative = e.autori;
            return true;
        }
        out.plants.push_back({plant + std::string(40, '-'), e.sintesi, k});
        out.last = e;
        return true;
    });
    return out;
}

PlantEntryRecord plantEntry(const DataDir& dir, std::int64_t record) {
    const RecordScan scan(dir, files::kPlantEntries, plantEntryLayout());
    return decodePlantEntry(scan.read(record));
}

PlantSymptoms symptomsOfPlant(const DataDir& dir, const std::string& plant) {
    const std::string wanted = trimRightBlanks(plant);
    PlantSymptoms out;
    int count = 0;
    const RecordScan scan(dir, files::kPlantEntries, plantEntryLayout());
    scan.forEach(1, [&](std::int64_t, std::span<const std::uint8_t> r) {
        const PlantEntryRecord e = decodePlantEntry(r);
        if (trimRightBlanks(e.pianta) != wanted) return true;
        out.last = e;
        const std::size_t page = static_cast<std::size_t>(std::min(count++ / kPlantPageLines, kPlantPages - 1));
        if (out.pages.size() <= page) out.pages.resize(page + 1);
        out.pages[page].push_back({e.sintomo, e.autori});
        return true;
    });
    return out;
}

} // namespace qv::remedies
