// "OpzioneH\Repertorio.rnd": whole-file reading, the therapy search and the
// notes of a pathology–remedy pair.
#include "remedies/consultation.h"
#include "remedies/remedy_files.h"
#include "remedies/support_lists.h"
#include "tests/fuzz/remedy_fuzz_support.h"

using namespace qv;
using namespace qv::remedies;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::withFile(files::kRepertory, data, size, [](const DataDir& dir) {
        const auto records = readRepertory(dir);
        derivePathologies(records);
        deriveRepertoryRemedies(records);
        findPathology(dir, "Tosse");
        therapyRowNote(dir, "Tosse", "Malva", 0);
    });
    return 0;
}

std::vector<std::string> qvFuzzSeeds() {
    const auto record = [](int k) {
        RepertoryRecord r;
        r.patologia = "Tosse";
        r.rimedio = k % 2 ? "Malva" : "Rosa";
        r.posologia = "10 gocce";
        r.setNotes(std::string(static_cast<std::size_t>(k) * 300, 'n'));
        return encodeRepertory(r);
    };
    const std::size_t size = encodeRepertory(RepertoryRecord{}).size();
    return {fuzz::recordsOf(1, record), fuzz::recordsOf(3, record), fuzz::shippedRecords(files::kRepertory, size, 6)};
}
