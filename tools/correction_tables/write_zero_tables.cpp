// Writes the correction tables of FilePosi\ with every correction zero:
// the ephemeris then runs on its analytic model alone. The record counts
// are those of the generated tables (table_layout.h):
//   DSEL.rnd    daily from JD 1721420.5 through 2499373.5, plus one record
//   DPR1.rnd    every 5 days from JD 1721408.5 through 2499373.5 (the true
//               node reads field 9 up to that date, not only to 1900)
//   NOJLNE.rnd  daily from JD 2341972.5 through 2488433.5, plus one record
//   DAST.rnd    daily from JD 2396758.5 through 2481129.5, plus one record
// Usage: write_zero_tables OUTPUT_FOLDER
#include "base/reals.h"
#include "tools/correction_tables/table_layout.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_zero_tables OUTPUT_FOLDER\n";
        return 2;
    }
    const std::string dir = argv[1];
    using namespace qv::tables;

    std::vector<unsigned char> dsel(static_cast<std::size_t>(kDselRecords) * qv::kDselRecordSize, 0);
    std::vector<unsigned char> nojlne(static_cast<std::size_t>(kNojlneRecords) * qv::kNojlneRecordSize, 0);
    std::vector<unsigned char> dast(static_cast<std::size_t>(kDastRecords) * qv::kDastRecordSize, 0);
    std::vector<unsigned char> dpr1(static_cast<std::size_t>(kDpr1Records) * qv::kDpr1RecordSize, 0);
    for (long k = 0; k < kDpr1Records; ++k) {
        const auto t0 = qv::encodeReal48(dpr1RecordDay(k));
        std::copy(t0.begin(), t0.end(), dpr1.begin() + k * qv::kDpr1RecordSize);
    }
    bool ok = writeFile(dir + "/DSEL.rnd", dsel) && writeFile(dir + "/DPR1.rnd", dpr1) &&
              writeFile(dir + "/NOJLNE.rnd", nojlne) && writeFile(dir + "/DAST.rnd", dast);
    if (!ok) {
        std::cerr << "write_zero_tables: cannot write into " << dir << "\n";
        return 1;
    }
    std::printf("DSEL.rnd %ld records, DPR1.rnd %ld records, NOJLNE.rnd %ld records, DAST.rnd %ld records\n",
                kDselRecords, kDpr1Records, kNojlneRecords, kDastRecords);
    return 0;
}
