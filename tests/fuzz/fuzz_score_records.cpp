// "OpzioneH\RicCom.Rnd" and "OpzioneH\TerCom.Rnd": tally records.
#include "remedies/remedy_files.h"
#include "tests/fuzz/remedy_fuzz_support.h"

using namespace qv;
using namespace qv::remedies;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::withFile(files::kSymptomTally, data, size, [](const DataDir& dir) { readScores(dir, files::kSymptomTally); });
    return 0;
}

std::vector<std::string> qvFuzzSeeds() {
    const std::size_t size = encodeScore(ScoreRecord{}).size();
    return {fuzz::recordsOf(4, [](int k) { return encodeScore(ScoreRecord{"Rimedio " + std::to_string(k), static_cast<std::uint8_t>(k)}); }),
            fuzz::shippedRecords(files::kSymptomTally, size, 40)};
}
