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

void writeZeroCorrectionTables(const std::filesystem::path& root) {
    const auto folder = root / "FilePosi";
    std::filesystem::create_directories(folder);
    const long dsel = static_cast<long>(kLastCorrectedDay - kDselOrigin) + 2;
    const long nojlne = static_cast<long>(kLastBlackMoonDay - kNojlneOrigin) + 2;
    const long dpr1 = static_cast<long>((kLastCorrectedDay - kDpr1Origin) / 5) + 2;
    writeFileAtomically(folder / "DSEL.rnd", std::string(static_cast<std::size_t>(dsel) * 2, '\0'));
    writeFileAtomically(folder / "NOJLNE.rnd", std::string(static_cast<std::size_t>(nojlne) * 4, '\0'));
    std::string records(static_cast<std::size_t>(dpr1) * 32, '\0');
    for (long k = 0; k < dpr1; ++k) {
        const auto t0 = encodeReal48(kDpr1Origin + 5.0L * k);
        records.replace(static_cast<std::size_t>(k) * 32, 6, reinterpret_cast<const char*>(t0.data()), 6);
    }
    writeFileAtomically(folder / "DPR1.rnd", records);
}

} // namespace qv::test
