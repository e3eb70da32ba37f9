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

// The sanity checks of the tables a user's data directory holds: a table
// the checks refuse is refused whole, by its name and with what is wrong
// with it, whatever day is asked for; a table just inside each bound is
// read. Each case is the smallest table that shows its rule.
TEST(CorrectionTables, DamagedTablesAreRefusedWithTheirOwnReason) {
    using Reader = Extended (*)();
    const Reader moon = [] { return ReadDsel(kDselOrigin + 0.5L); };
    const Reader blackMoon = [] { return ReadNojlne(kNojlneOrigin + 0.5L); };
    const Reader ceres = [] { return ReadDast(kDastOrigin + 0.5L, 1); };
    const Reader planets = [] { return ReadDpr1(kDpr1Origin + 2.5L, 1); };
    const auto int32s = [](std::vector<std::int32_t> v) {
        std::string bytes(v.size() * 4, '\0');
        std::memcpy(bytes.data(), v.data(), bytes.size());
        return bytes;
    };
    // Ten days of 1 arcsecond, then `zeros` zero days, then 1 again.
    const auto dselWithZeroRun = [](std::size_t zeros) {
        std::vector<std::int16_t> v(10, 1);
        v.resize(10 + zeros, 0);
        v.push_back(1);
        std::string bytes(v.size() * 2, '\0');
        std::memcpy(bytes.data(), v.data(), bytes.size());
        return bytes;
    };
    const auto nojlneWithZeroRun = [&](std::size_t zeros) {
        std::vector<std::int32_t> v(3, 7);
        v.resize(3 + zeros, 0);
        v.push_back(7);
        return int32s(v);
    };
    // Three days of Ceres to Chiron with one value set.
    const auto dastWith = [&](std::size_t at, std::int32_t value) {
        std::vector<std::int32_t> v(3 * kDastBodies, 0);
        v[at] = value;
        return int32s(v);
    };
    struct Case {
        const char* what;
        const char* file;
        std::string bytes;
        Reader read;
        std::string reason;  // empty: the table is read
    };
    const Case cases[] = {
        // Half a turn (648000") is the largest correction there can be.
        {"half a turn each way", "NOJLNE.rnd", int32s({648000, -648000, 5}), blackMoon, ""},
        {"past half a turn", "NOJLNE.rnd", int32s({0, 0, 648001}), blackMoon,
         "una correzione di 648001 al byte 8 (oltre mezzo giro)"},
        {"past half a turn backwards", "NOJLNE.rnd", int32s({-648001, 0}), blackMoon,
         "una correzione di -648001 al byte 0 (oltre mezzo giro)"},
        {"Chiron past half a turn", "DAST.rnd", dastWith(2 * kDastBodies + 4, 700000), ceres,
         "una correzione di 700000 al byte 56 (oltre mezzo giro)"},
        {"Ceres to Chiron at half a turn", "DAST.rnd", dastWith(7, -648000), ceres, ""},
        // The minor bodies' table all zero was never written; one value is enough.
        {"Ceres to Chiron all zero", "DAST.rnd", dastWith(0, 0), ceres, "tutta a zero"},
        {"Ceres to Chiron with one value", "DAST.rnd", dastWith(14, 1), ceres, ""},
        // Up to 256 zero days in a row are days; one more is a hole.
        {"256 zero Moon days", "DSEL.rnd", dselWithZeroRun(256), moon, ""},
        {"257 zero Moon days", "DSEL.rnd", dselWithZeroRun(257), moon,
         "pi\u00F9 di 256 record a zero di seguito dal record 10 (una parte del file non \u00E8 stata scritta)"},
        {"256 zero Black Moon days", "NOJLNE.rnd", nojlneWithZeroRun(256), blackMoon, ""},
        {"257 zero Black Moon days", "NOJLNE.rnd", nojlneWithZeroRun(257), blackMoon,
         "pi\u00F9 di 256 record a zero di seguito dal record 3"},
        // Whole records only.
        {"a torn Moon record", "DSEL.rnd", std::string(7, '\1'), moon, "7 byte, non un multiplo del record di 2"},
        {"a torn minor-body record", "DAST.rnd", dastWith(1, 1) + "\1", ceres,
         "61 byte, non un multiplo del record di 20"},
        // The planets' table: each record carries its own day, 5 days apart.
        {"the planets' days out of step", "DPR1.rnd",
         [] {
             std::string bytes(3 * 32, '\0');
             for (int k = 0; k < 3; ++k) {
                 const auto day = encodeReal48(kDpr1Origin + 5.0L * k + (k == 2 ? 1 : 0));
                 std::memcpy(&bytes[static_cast<std::size_t>(k) * 32], day.data(), 6);
             }
             return bytes;
         }(),
         planets, "il record 2 non porta il giorno atteso (1721418,5)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDataDir dir;
        fs::create_directories(dir.path() / "FilePosi");
        writeFileAtomically(dir.path() / "FilePosi" / c.file, c.bytes);
        if (c.reason.empty()) {
            EXPECT_NO_THROW(c.read());
            continue;
        }
        try {
            c.read();
            ADD_FAILURE() << "read";
        } catch (const IoError& e) {
            EXPECT_EQ(e.file(), std::string("FilePosi\\") + c.file);
            EXPECT_EQ(e.reason().rfind("tabella delle correzioni danneggiata: ", 0), 0u) << e.reason();
            EXPECT_NE(e.reason().find(c.reason), std::string::npos) << e.reason();
        }
    }
}

} // namespace correction_tables_test
} // namespace qv
