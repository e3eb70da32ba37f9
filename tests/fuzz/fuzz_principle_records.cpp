// "Principi.sto": the principles archive, five names of 40 per record.
#include "remedies/remedy_files.h"
#include "tests/fuzz/remedy_fuzz_support.h"

using namespace qv;
using namespace qv::remedies;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::withFile(files::kPrinciples, data, size, [](const DataDir& dir) {
        const RecordScan scan(dir, files::kPrinciples, principleLayout());
        scan.forEach(0, [](std::int64_t, std::span<const std::uint8_t> r) {
            decodePrinciple(r);
            return true;
        });
    });
    return 0;
}

std::vector<std::string> qvFuzzSeeds() {
    return {fuzz::recordsOf(15, [](int k) {
        return encodePrinciple({"ACIDO " + std::to_string(k), "B", "", "D", std::string(40, 'E')});
    })};
}
