#include "base/data_dir.h"
#include "base/errors.h"
#include "base/reals.h"
#include "base/text_file.h"
#include "ephemeris/angles.h"
#include "ephemeris/bodies.h"
#include "ephemeris/correction_tables.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace qv {
namespace correction_tables_test {

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

// Where the planets' model jumps inside a 5-day step, the correction on each
// side follows the two records on that side instead of the line across the
// jump.
TEST(CorrectionTables, PlanetTableIsNotInterpolatedAcrossAJumpOfTheModel) {
    test::TempDataDir dir;
    const Extended o = kDpr1Origin;
    writeDpr1(dir.path(), {{o, {{4, 10}}}, {o + 5, {{4, 20}}}, {o + 10, {{4, 100}}}, {o + 15, {{4, 110}}}});
    EXPECT_EQ(ReadDpr1(o + 6.0L, 4), 36.0L);
    EXPECT_EQ(ReadDpr1AcrossJump(o + 6.0L, 4, o + 7.0L), 22.0L);
    EXPECT_EQ(ReadDpr1AcrossJump(o + 8.0L, 4, o + 7.0L), 96.0L);
    EXPECT_EQ(ReadDpr1AcrossJump(o + 8.0L, 4, o + 12.0L), 36.0L + 2 * 16.0L); // no jump in this step
    EXPECT_EQ(ReadDpr1AcrossJump(o + 1.0L, 4, o + 2.0L), 12.0L);             // no record before the first
}

// DAST.rnd: five int32 a day (Ceres, Pallas, Juno, Vesta, Chiron), read like
// the daily tables; without the file the corrections are zero.
TEST(CorrectionTables, MinorBodyTableHoldsFiveBodiesADay) {
    test::TempDataDir dir;
    EXPECT_EQ(ReadDast(kDastOrigin + 1.0L, 5), 0.0L);
    writeDaily<std::int32_t>(dir.path(), "dast.rnd", {1, 2, 3, 4, 5, 11, 22, 33, 44, -55, 0, 0, 0, 0, 0});
    EXPECT_EQ(ReadDast(kDastOrigin, 1), 1.0L);
    EXPECT_EQ(ReadDast(kDastOrigin + 0.5L, 2), 12.0L);
    EXPECT_EQ(ReadDast(kDastOrigin + 0.5L, 5), -25.0L);
    EXPECT_EQ(ReadDast(kDastOrigin + 1.25L, 4), 33.0L);
    EXPECT_THROW(ReadDast(kDastOrigin + 2.5L, 1), IoError); // needs record 3
    EXPECT_THROW(ReadDast(kDastOrigin, 6), IoError);
}

// Ceres to Chiron take the table's correction from 1850 through the last day
// of 2080, the planets their first correction up to the end of DPR1.rnd.
TEST(CorrectionTables, MinorBodiesAreCorrectedInsideTheirWindow) {
    test::TempDataDir dir;
    const long records = static_cast<long>(kMinorBodyTableUntil - kDastOrigin) + 1;
    std::vector<std::int32_t> values(static_cast<std::size_t>(records) * kDastBodies);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = 3600 * static_cast<std::int32_t>(i % 5 + 1);
    writeDaily<std::int32_t>(dir.path(), "DAST.rnd", values);
    auto shifts = [](Extended jd) {
        ChartState with, without;
        for (int k = kCeres; k <= kChiron; ++k) computeBodiesOnce(with, k, jd, false);
        const fs::path table = dataDir().resolve(kDastPath);
        const fs::path aside = table.string() + ".aside";
        fs::rename(table, aside);
        for (int k = kCeres; k <= kChiron; ++k) computeBodiesOnce(without, k, jd, false);
        fs::rename(aside, table);
        std::vector<double> out;
        for (int k = kCeres; k <= kChiron; ++k)
            out.push_back(std::round(static_cast<double>(Norm360(with.longitude[k] - without.longitude[k])) * 1e9) /
                          1e9);
        return out;
    };
    const std::vector<double> none(5, 0.0), inside = {1, 2, 3, 4, 5};
    EXPECT_EQ(shifts(kDastOrigin - 0.01L), none);
    EXPECT_EQ(shifts(kDastOrigin), inside);
    EXPECT_EQ(shifts(2451545.0L), inside);
    EXPECT_EQ(shifts(kMinorBodyTableUntil - 0.01L), inside);
    EXPECT_EQ(shifts(kMinorBodyTableUntil), none);
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

} // namespace correction_tables_test
} // namespace qv
