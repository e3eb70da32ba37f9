#include "remedies/plant_viewer.h"

#include "remedies/list_order.h"
#include "remedies/remedy_files.h"
#include "remedies/remedy_text.h"

#include <algorithm>

namespace qv::remedies {

std::vector<PlantViewerEntry> plantViewerEntries(const std::vector<PlantEntryRecord>& entries, bool sorted) {
    std::vector<PlantViewerEntry> out;
    for (std::size_t k = 1; k < entries.size(); ++k) {
        std::string plant = trimRightBlanks(entries[k].pianta);
        if (plant.empty()) plant = "XXXX";
        plant.resize(kPlantNameWidth, ' ');
        out.push_back({plant + trimRightBlanks(entries[k].sintomo), static_cast<std::int64_t>(k)});
    }
    if (sorted)
        std::stable_sort(out.begin(), out.end(), [](const PlantViewerEntry& a, const PlantViewerEntry& b) {
            return listOrderLess(a.text, b.text);
        });
    return out;
}

std::vector<PlantEntryRecord> readPlantDatabase(const DataDir& dir) {
    if (!dir.exists(files::kPlantEntries)) return {};
    return readPlantEntries(dir);
}

} // namespace qv::remedies
