// The correction tables of FilePosi\ (DSEL.rnd, DPR1.rnd, NOJLNE.rnd,
// DAST.rnd) and the data directory's record of its version and program
// files. The first input byte chooses the file, the next two the date read;
// the rest is the file. A reader either returns a finite value or stops
// with an IoError; the record parser returns or throws ConversionError.
#include "base/data_dir.h"
#include "base/errors.h"
#include "ephemeris/correction_tables.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace qv;

namespace {

const std::filesystem::path& fuzzRoot() {
    static const std::filesystem::path root = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "qv-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(fuzzRoot(), ec);
        });
        return std::filesystem::path(pattern);
    }();
    return root;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const int kind = data[0] % 5;
    const Extended offset = static_cast<Extended>(data[1] | data[2] << 8) / 16.0L - 8.0L;
    const std::string body(reinterpret_cast<const char*>(data + 3), size - 3);
    if (kind == 4) {
        parseDataVersion(body);
        try {
            parseManifest(body);
        } catch (const ConversionError&) {
        }
        return 0;
    }
    static const char* names[] = {"DSEL.rnd", "DPR1.rnd", "NOJLNE.rnd", "DAST.rnd"};
    setDataDir(fuzzRoot());
    std::filesystem::create_directories(fuzzRoot() / "FilePosi");
    std::ofstream(fuzzRoot() / "FilePosi" / names[kind], std::ios::binary | std::ios::trunc) << body;
    try {
        Extended v = 0;
        switch (kind) {
        case 0: v = ReadDsel(kDselOrigin + offset); break;
        case 1:
            v = ReadDpr1(kDpr1Origin + 10 + offset, 1 + data[1] % 17) +
                ReadDpr1AcrossJump(kDpr1Origin + 10 + offset, 8, kDpr1Origin + 12);
            break;
        case 2: v = ReadNojlne(kNojlneOrigin + offset); break;
        default: v = ReadDast(kDastOrigin + offset, 1 + data[2] % 5); break;
        }
        if (!std::isfinite(v)) std::abort();
    } catch (const IoError&) {
        // A short or missing table is reported; that is the expected outcome.
    }
    return 0;
}

std::vector<std::string> qvFuzzSeeds() {
    std::vector<std::string> seeds;
    for (char kind = 0; kind < 4; ++kind) seeds.push_back(std::string{kind, char(0x88), 0} + std::string(200, '\x01'));
    seeds.push_back(std::string{4, 0, 0} + "2\r\n0000002a 12 FilePosi\\DSEL.rnd\r\nffffffff 0 Sfondo.jpg\r\n");
    return seeds;
}
