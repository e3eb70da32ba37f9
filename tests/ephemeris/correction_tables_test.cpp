#include "base/errors.h"
#include "base/reals.h"
#include "base/text_file.h"
#include "ephemeris/correction_tables.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace qv {
namespace {

namespace fs = std::filesystem;

template <typename T>
void writeDaily(const fs::path& root, const char* name, const std::vector<T>& values) {
    fs::create_directories(root / "FilePosi");
    std::string bytes(values.size() * sizeof(T), '\0');
    std::memcpy(bytes.data(), values.data(), bytes.size());
    writeFileAtomically(root / "FilePosi" / name, bytes);
}

struct Dpr1Record {
    Extended t0;
    std::vector<std::pair<int, int>> fields; // field number, value
};

void writeDpr1(const fs::path& root, const std::vector<Dpr1Record>& records) {
    fs::create_directories(root / "FilePosi");
    std::string bytes(records.size() * 32, '\0');
    for (std::size_t k = 0; k < records.size(); ++k) {
        const auto t0 = encodeReal48(records[k].t0);
        std::memcpy(&bytes[k * 32], t0.data(), 6);
        for (auto [field, value] : records[k].fields) {
            const Dpr1Field f = dpr1Field(field);
            const std::int16_t v = static_cast<std::int16_t>(value);
            std::memcpy(&bytes[k * 32 + static_cast<std::size_t>(f.offset)], &v, static_cast<std::size_t>(f.width));
        }
    }
    writeFileAtomically(root / "FilePosi" / "DPR1.rnd", bytes);
}

TEST(CorrectionTables, FieldLayoutOfThePlanetTable) {
    const std::pair<int, Dpr1Field> expected[] = {
        {1, {6, 1}}, {7, {12, 1}}, {8, {14, 2}}, {9, {16, 1}}, {16, {23, 1}}, {17, {24, 2}}};
    for (auto [field, f] : expected) {
        EXPECT_EQ(dpr1Field(field).offset, f.offset) << field;
        EXPECT_EQ(dpr1Field(field).width, f.width) << field;
    }
}

TEST(CorrectionTables, DailyTablesInterpolateFromTheRecordOfTheDay) {
    test::TempDataDir dir;
    writeDaily<std::int16_t>(dir.path(), "DSEL.rnd", {0, 0, 0, 100, 200, 21700, 21700});
    writeDaily<std::int32_t>(dir.path(), "nojlne.RND", {-100000, 50000});
    // Record n is the day starting at origin + n.
    EXPECT_EQ(ReadDsel(kDselOrigin + 3.25L), 125.0L);
    EXPECT_EQ(ReadDsel(kDselOrigin + 3.0L), 100.0L);
    EXPECT_EQ(ReadDsel(kDselOrigin + 5.5L), 100.0L); // above 21600: 21600 less
    EXPECT_EQ(ReadNojlne(kNojlneOrigin + 0.5L), -25000.0L);
}

TEST(CorrectionTables, PlanetTableStepsFiveDaysFromTheRecordsOwnDay) {
    test::TempDataDir dir;
    const Extended o = kDpr1Origin;
    writeDpr1(dir.path(), {{o, {{1, 10}, {3, -5}, {8, 1000}, {17, -300}}},
                           {o + 5, {{1, 20}, {3, -15}, {8, 2000}, {17, 300}}},
                           {o + 10, {{1, 30}}}});
    EXPECT_EQ(ReadDpr1(o + 7.5L, 1), 25.0L);
    EXPECT_EQ(ReadDpr1(o + 2.5L, 3), -10.0L);
    EXPECT_EQ(ReadDpr1(o + 2.5L, 8), 1500.0L);
    EXPECT_EQ(ReadDpr1(o + 2.5L, 17), 0.0L);
    // The record index is Int(u − 0.5) div 5: a date 0.3 days into the
    // second record still reads from the first.
    EXPECT_NEAR(static_cast<double>(ReadDpr1(o + 5.3L, 1)), 20.6, 1e-12);
}

TEST(CorrectionTables, MissingOrShortTablesAreIoErrorsNamingTheTable) {
    test::TempDataDir dir;
    try {
        ReadDsel(2451545.0L);
        FAIL();
    } catch (const IoError& e) {
        EXPECT_EQ(e.file(), "FilePosi\\DSEL.rnd");
    }
    writeDaily<std::int16_t>(dir.path(), "DSEL.rnd", {1, 2, 3});
    EXPECT_THROW(ReadDsel(kDselOrigin + 2.5L), IoError); // needs record 3
    EXPECT_NO_THROW(ReadDsel(kDselOrigin + 1.5L));
    EXPECT_THROW(ReadDpr1(kDpr1Origin + 10, 1), IoError);
}

} // namespace
} // namespace qv
