// Exchange files a practitioner brings from another program (AAF and CSV):
// any bytes are read into subjects and problems, never a crash; what is
// read writes out and reads back as the same subjects.
#include "archive/exchange/aaf_format.h"
#include "archive/exchange/csv_format.h"
#include "tests/fuzz/fuzz_outcome.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace qv;
using namespace qv::exchange;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const bool aaf : {true, false}) {
        const ExchangeFile f = aaf ? readAaf(text) : readCsv(text);
        fuzz::noteOutcome(std::string(aaf ? "aaf " : "csv ") + std::to_string(f.subjects.size() > 0) + "/" +
                          std::to_string(f.problems.size() > 0));
        if (!aaf) {
            const ExchangeFile again = readCsv(writeCsv(f.subjects));
            if (again.subjects.size() != f.subjects.size()) std::abort();
        }
    }
    return 0;
}

// A subject in each format.
std::vector<std::string> qvFuzzSeeds() {
    return {"#A93:Rossi,Mario,m,01.02.1980,08:30,Milano,I\r\n#B93:2444270.8125,45n28,9e11,1he,0\r\n#COM:nota\r\n",
            "nome,data,ora,luogo,nazione,coordinate,fuso,giorno_giuliano,note\r\n"
            "\"Rossi, Mario\",01/02/1980,08:30,MILANO (MI),I,45N28-009E11,+1,2444270.8125,\"una \"\"nota\"\"\"\r\n"};
}
