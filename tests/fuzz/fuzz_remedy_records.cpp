// "OpzioneH\DBmain.rnd": whole-file reading, the symptom search and the
// composite ranking's scan.
#include "remedies/consultation.h"
#include "remedies/remedy_files.h"
#include "remedies/support_lists.h"
#include "tests/fuzz/remedy_fuzz_support.h"

using namespace qv;
using namespace qv::remedies;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::withFile(files::kRemedies, data, size, [](const DataDir& dir) {
        const auto records = readRemedies(dir);
        deriveSymptomList(records);
        deriveRemedyLines(deriveRemedyNames(records));
        findSymptom(dir, "Tosse");
        findRemedy(dir, "MSA Rosa");
    });
    return 0;
}

std::vector<std::string> qvFuzzSeeds() {
    const auto record = [](int k) {
        RemedyRecord r;
        r.rimedio = k % 2 ? "MSA Rosa" : "Malva";
        r.setIndication(k % 3 ? "Tosse" : std::string(260, 'T'));
        r.segnaturaPrimaria = "Sole-Luna";
        r.setSynthesis(std::string(static_cast<std::size_t>(k) * 200, 's'));
        return encodeRemedy(r);
    };
    const std::size_t size = encodeRemedy(RemedyRecord{}).size();
    return {fuzz::recordsOf(1, record), fuzz::recordsOf(3, record), std::string(),
            fuzz::shippedRecords(files::kRemedies, size, 6)};
}
