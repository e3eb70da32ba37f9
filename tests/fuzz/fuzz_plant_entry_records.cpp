// "OpzioneS\DataStf.rnd": whole-file reading and the plant name lists.
#include "remedies/remedy_files.h"
#include "remedies/support_lists.h"
#include "tests/fuzz/remedy_fuzz_support.h"

using namespace qv;
using namespace qv::remedies;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::withFile(files::kPlantEntries, data, size, [](const DataDir& dir) {
        const auto entries = readPlantEntries(dir);
        derivePlantSymptoms(entries);
        derivePlantNames(entries);
    });
    return 0;
}

std::vector<std::string> qvFuzzSeeds() {
    const auto record = [](int k) {
        PlantEntryRecord r;
        r.sintomo = k % 2 ? "Tosse " : "Afonia";
        r.pianta = k % 3 ? "Malva" : "";
        r.autori = "Autori";
        return encodePlantEntry(r);
    };
    const std::size_t size = encodePlantEntry(PlantEntryRecord{}).size();
    return {fuzz::recordsOf(1, record), fuzz::recordsOf(4, record), fuzz::shippedRecords(files::kPlantEntries, size, 12)};
}
