#include "tests/support/zero_tables.h"

#include "base/reals.h"
#include "base/text_file.h"

#include <string>

namespace qv::test {

namespace {
constexpr long double kDselOrigin = 1721420.5L;
constexpr long double kDpr1Origin = 1721408.5L;
constexpr long double kNojlneOrigin = 2341972.5L;
constexpr long double kLastCorrectedDay = 2499373.5L;
constexpr long double kLastBlackMoonDay = 2488433.5L;
} // namespace

// The program refuses a daily table with a long run of zero records (a part
// of the file never written), so the Moon's and the Black Moon's tables
// carry one arcsecond every kMarkStep days; elsewhere their corrections are
// exactly zero, and within a day of a mark they differ from zero by less
// than an arcsecond.
constexpr long kMarkStep = 128;

void writeZeroCorrectionTables(const std::filesystem::path& root) {
    const auto folder = root / "FilePosi";
    std::filesystem::create_directories(folder);
    const long dsel = static_cast<long>(kLastCorrectedDay - kDselOrigin) + 2;
    const long nojlne = static_cast<long>(kLastBlackMoonDay - kNojlneOrigin) + 2;
    const long dpr1 = static_cast<long>((kLastCorrectedDay - kDpr1Origin) / 5) + 2;
    std::string moon(static_cast<std::size_t>(dsel) * 2, '\0');
    for (long k = kMarkStep / 2; k < dsel; k += kMarkStep) moon[static_cast<std::size_t>(k) * 2] = 1;
    writeFileAtomically(folder / "DSEL.rnd", moon);
    std::string blackMoon(static_cast<std::size_t>(nojlne) * 4, '\0');
    for (long k = kMarkStep / 2; k < nojlne; k += kMarkStep) blackMoon[static_cast<std::size_t>(k) * 4] = 1;
    writeFileAtomically(folder / "NOJLNE.rnd", blackMoon);
    std::string records(static_cast<std::size_t>(dpr1) * 32, '\0');
    for (long k = 0; k < dpr1; ++k) {
        const auto t0 = encodeReal48(kDpr1Origin + 5.0L * k);
        records.replace(static_cast<std::size_t>(k) * 32, 6, reinterpret_cast<const char*>(t0.data()), 6);
    }
    writeFileAtomically(folder / "DPR1.rnd", records);
}

} // namespace qv::test
