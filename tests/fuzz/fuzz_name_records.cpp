// The name files: "OpzioneS\Piante.rnd" (20), "OpzioneS\Sintomi.rnd" (100)
// and the per-planet and per-sign files of "OpzioneH" (50). The first input
// byte chooses the file.
#include "remedies/remedy_files.h"
#include "tests/fuzz/remedy_fuzz_support.h"

using namespace qv;
using namespace qv::remedies;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const std::pair<const char*, std::size_t> kinds[] = {
        {files::kPlants, kPlantNameWidth}, {files::kPlantSymptoms, kSymptomNameWidth}, {"OpzioneH\\SolePri.rnd", kRemedyNameWidth}};
    const auto& [path, width] = kinds[data[0] % 3];
    fuzz::withFile(path, data + 1, size - 1, [&, w = width, p = path](const DataDir& dir) { readNames(dir, p, w); });
    return 0;
}

std::vector<std::string> qvFuzzSeeds() {
    std::vector<std::string> seeds;
    for (std::size_t kind = 0; kind < 3; ++kind) {
        const std::size_t width = kind == 0 ? kPlantNameWidth : kind == 1 ? kSymptomNameWidth : kRemedyNameWidth;
        seeds.push_back(std::string(1, static_cast<char>(kind)) +
                        fuzz::recordsOf(3, [&](int k) { return encodeName("Nome " + std::to_string(k), width); }));
    }
    // The shipped lists.
    seeds.push_back(std::string(1, 0) + fuzz::shippedRecords(files::kPlants, kPlantNameWidth + 1, 40));
    seeds.push_back(std::string(1, 1) + fuzz::shippedRecords(files::kPlantSymptoms, kSymptomNameWidth + 1, 40));
    seeds.push_back(std::string(1, 2) + fuzz::shippedRecords("OpzioneH\\SolePri.rnd", kRemedyNameWidth + 1, 40));
    return seeds;
}
