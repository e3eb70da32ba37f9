// The correction tables of FilePosi\ (DSEL.rnd, DPR1.rnd, NOJLNE.rnd,
// DAST.rnd) and the data directory's record of its version and program
// files. The first input byte chooses the file, the next two the date read
// (and the DPR1 field, the DAST body); the rest is the file. A reader either
// returns a finite value or stops with an IoError; the record parser returns
// or throws ConversionError.
//
// The seeds are the heads of the shipped tables (whole records, DPR1's days
// in their sequence, every value in range) with a date inside them, so that
// mutations start from files the readers accept and reach their values.
#include "base/data_dir.h"
#include "base/errors.h"
#include "base/text_file.h"
#include "ephemeris/correction_tables.h"
#include "tests/fuzz/fuzz_outcome.h"

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

const char* const kTables[] = {"DSEL.rnd", "DPR1.rnd", "NOJLNE.rnd", "DAST.rnd"};
constexpr int kRecordSizes[] = {kDselRecordSize, kDpr1RecordSize, kNojlneRecordSize, kDastRecordSize};

// The date read, in days from the table's origin (DPR1: from its third
// record, the step that holds the jump below), from the input's bytes 1–2.
Extended daysIn(const std::uint8_t* data) { return static_cast<Extended>(data[1] | data[2] << 8) / 16.0L - 8.0L; }

// Input bytes 1–2 that read `days` in (see daysIn), with `fine` (0..15) in
// the low bits that also choose the DPR1 field.
std::string dateBytes(int days, int fine) {
    const int v = (days + 8) * 16 + fine;
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

// The first `records` records of a shipped table.
std::string shippedHead(int kind, int records) {
    const std::string whole = readWholeFile(DataDir(QV_DATA_TEMPLATE_DIR).resolve(std::string("FilePosi\\") + kTables[kind]));
    return whole.substr(0, static_cast<std::size_t>(records * kRecordSizes[kind]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const int kind = data[0] % 5;
    const Extended days = daysIn(data);
    const std::string body(reinterpret_cast<const char*>(data + 3), size - 3);
    if (kind == 4) {
        try {
            fuzz::noteOutcome(std::to_string(parseDataVersion(body) > 0));
            parseManifest(body);
            fuzz::noteOutcome("letto");
        } catch (const ConversionError& e) {
            fuzz::noteOutcome(e);
        }
        return 0;
    }
    fuzz::noteOutcome(kTables[kind]);
    setDataDir(fuzzRoot());
    std::filesystem::create_directories(fuzzRoot() / "FilePosi");
    std::ofstream(fuzzRoot() / "FilePosi" / kTables[kind], std::ios::binary | std::ios::trunc) << body;
    const int field = 1 + data[1] % 17;
    const int minorBody = 1 + data[2] % 5;
    const auto read = [&](Extended days) {
        try {
            Extended v = 0;
            switch (kind) {
            case 0: v = ReadDsel(kDselOrigin + days); break;
            case 1:
                v = ReadDpr1(kDpr1Origin + 10 + days, field) +
                    ReadDpr1AcrossJump(kDpr1Origin + 10 + days, 8, kDpr1Origin + 12);
                break;
            case 2: v = ReadNojlne(kNojlneOrigin + days); break;
            default: v = ReadDast(kDastOrigin + days, minorBody); break;
            }
            if (!std::isfinite(v)) std::abort();
            fuzz::noteOutcome(v < 0 ? "negativo" : v == 0 ? "zero" : "positivo");
        } catch (const IoError& e) {
            // A short or missing table is reported; that is the expected outcome.
            fuzz::noteOutcome(e);
        }
    };
    read(days);
    // The table's last day as its length says, which reads its last two
    // records, and the day after, whose second record is past the end.
    const auto records = static_cast<Extended>(body.size() / static_cast<std::size_t>(kRecordSizes[kind]));
    const Extended step = kind == 1 ? 5 : 1;
    const Extended dayAfter = kind == 1 ? 5 * records - 12.5L : records - 0.75L;
    read(dayAfter - step);
    read(dayAfter);
    return 0;
}

std::vector<std::string> qvFuzzSeeds() {
    std::vector<std::string> seeds;
    const auto seed = [&](int kind, int days, int fine, int records) {
        seeds.push_back(std::string(1, static_cast<char>(kind)) + dateBytes(days, fine) + shippedHead(kind, records));
    };
    // The Moon and the Black Moon: 400 days, read in the middle.
    seed(0, 200, 5, 400);
    seed(2, 150, 9, 400);
    // Ceres to Chiron, each body once: the date's high byte chooses the body,
    // and these five dates run through its five values.
    for (int body = 0; body < 5; ++body) seed(3, 16 * body + 8, 3, 300);
    // The planets: 64 records of 5 days; a field from each group, and dates
    // on both sides of the jump at day 12 (inside the third record's step).
    for (int fine = 0; fine < 16; fine += 5) seed(1, 100, fine, 64);
    seed(1, 1, 8, 64);
    seed(1, 3, 8, 64);
    // The data directory's VERSION and MANIFEST as shipped.
    const DataDir shipped(QV_DATA_TEMPLATE_DIR);
    seeds.push_back(std::string{4, 0, 0} + readWholeFile(shipped.resolve("VERSION")));
    seeds.push_back(std::string{4, 0, 0} + readWholeFile(shipped.resolve("MANIFEST")));
    return seeds;
}
