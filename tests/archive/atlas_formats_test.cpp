// Byte layouts of the place and regime records, the table names, and the
// reading of Italian and foreign regime tables.
#include "archive/places.h"
#include "archive/time_regimes.h"
#include "base/errors.h"
#include "base/reals.h"
#include "base/text_file.h"
#include "tests/archive/atlas_support.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace qv::atlas {
namespace atlas_formats_test {

using test::regimeAt;
using test::rawRegime;

Bytes hex(const std::string& text) {
    Bytes out;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) out.push_back(static_cast<std::uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
    return out;
}

// MILANO (MI), 45.5 N, 9.25 E, table 100000001, ITALIA, from the layout:
// 45.5 = 1.421875 × 2^5 (mantissa B6 00.., exponent 16388 = 0x4004),
// 9.25 = 1.15625 × 2^3 (94 00.., 0x4002), 100000001 = 0x05F5E101.
Bytes milanoRecord() {
    Bytes r(88, 0);
    const std::string name = "MILANO (MI)";
    r[0] = static_cast<std::uint8_t>(name.size());
    std::copy(name.begin(), name.end(), r.begin() + 1);
    r[39] = 0xB6, r[40] = 0x04, r[41] = 0x40;
    r[55] = 0x94, r[56] = 0x02, r[57] = 0x40;
    r[60] = 0x01, r[61] = 0xE1, r[62] = 0xF5, r[63] = 0x05;
    const std::string state = "ITALIA";
    r[64] = static_cast<std::uint8_t>(state.size());
    std::copy(state.begin(), state.end(), r.begin() + 65);
    return r;
}

TEST(AtlasPlaceRecord, MatchesTheLayoutByteForByte) {
    const Place milano{"MILANO (MI)", 45.5L, 9.25L, 100000001, "ITALIA"};
    EXPECT_EQ(encodePlace(milano), milanoRecord());
    EXPECT_EQ(decodePlace(milanoRecord()), milano);
}

TEST(AtlasPlaceRecord, IgnoresPaddingAndBytesAfterTheTexts) {
    Bytes r = milanoRecord();
    for (std::size_t i : {42u, 45u, 47u, 58u, 59u, 20u, 80u}) r[i] = 0x5A;
    r[60] = 0xFF, r[61] = 0xFF, r[62] = 0xFF, r[63] = 0xFF;  // -1
    const Place p = decodePlace(r);
    EXPECT_EQ(p.name, "MILANO (MI)");
    EXPECT_EQ(p.state, "ITALIA");
    EXPECT_EQ(p.latitude, 45.5L);
    EXPECT_EQ(p.longitude, 9.25L);
    EXPECT_EQ(p.tableNumber, -1);
    EXPECT_THROW(decodePlace(Bytes(87, 0)), ConversionError);
}

TEST(AtlasRegimeRecord, MatchesTheLayoutByteForByte) {
    // 2451545 = 0x256859: mantissa 0x95A1640000000000, exponent 16383 + 21;
    // -2.0 as an IEEE double is 0xC000000000000000.
    const Bytes cest = hex("000000000064a1951440044345535400" "00000000000000c0");
    const RegimeRecord r{2451545.0L, "CEST", -2.0};
    EXPECT_EQ(encodeRegime(r), Bytes(cest.begin(), cest.begin() + 24));
    EXPECT_EQ(decodeRegime(Bytes(cest.begin(), cest.begin() + 24)), r);
    EXPECT_EQ(r.date(), 2451545.0L - 84.82300164692441744L);

    // "RICH" to table 1: the stored value is the table number itself.
    const Bytes rich = hex("0000000000000080ff3f0452494348000000000000000000");
    EXPECT_EQ(encodeRegime(RegimeRecord{1.0L, "RICH", 0.0}), rich);
    EXPECT_EQ(continuationTableName(decodeRegime(rich)), "00000001.CAL");
}

TEST(AtlasRegimeRecord, RejectsWrongSizesAndNonFiniteCorrections) {
    EXPECT_THROW(decodeRegime(Bytes(23, 0)), ConversionError);
    Bytes r = encodeRegime(RegimeRecord{1.0L, "LMT ", 0.0});
    r[22] = 0xF0, r[23] = 0x7F;  // +infinity
    EXPECT_THROW(decodeRegime(r), ConversionError);
}

// The builder's Python encoder of the 10-byte extended real, checked against
// the program's own (values, halfway cases included, in the fixture).
TEST(AtlasBuilderEncoding, AgreesWithTheProgramsExtendedEncoder) {
    const auto lines = readTextLines(test::fixturesDir() / "atlas" / "extended10.tsv");
    int checked = 0;
    for (const std::string& line : lines) {
        if (line.empty() || line[0] == '#') continue;
        const auto tab = line.find('\t');
        const std::string text = line.substr(0, tab);
        const auto bytes = encodeExtended10(std::strtold(text.c_str(), nullptr));
        EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), hex(line.substr(tab + 1))) << text;
        ++checked;
    }
    EXPECT_GE(checked, 10);
}

TEST(AtlasTableNames, FollowTheNumberRules) {
    EXPECT_EQ(regimeTableName(100000001), "00000001.CAL");
    EXPECT_EQ(regimeTableName(200010152), "00010152.CAL");
    EXPECT_EQ(regimeTableName(100920000), "00920000.CAL");
    EXPECT_EQ(continuationTableName(RegimeRecord{12.6L, "RICH", 0}), "00000013.CAL");
    EXPECT_EQ(continuationTableName(RegimeRecord{10001.4L, "RICH", 0}), "00010001.CAL");
    EXPECT_THROW(continuationTableName(RegimeRecord{-3.0L, "RICH", 0}), ConversionError);
    EXPECT_THROW(continuationTableName(RegimeRecord{1e9L, "RICH", 0}), ConversionError);
}

class AtlasTables : public ::testing::Test {
protected:
    test::TempDataDir dir;
};

TEST_F(AtlasTables, ItalianTableStopsBeforeItsEndRecord) {
    const std::vector<RegimeRecord> records = {
        rawRegime(2299161.5L + kRegimeDateOffset, "GREG"), regimeAt(1, 11, 1893, 0, 0, "LMT ", -0.83),
        regimeAt(1, 11, 1893, 0, 0, "CET ", -1), rawRegime(0, "****"), regimeAt(1, 1, 1990, 0, 0, "XXXX", 9)};
    test::writeRegimeFile("Calendar\\00000007.CAL", records);
    EXPECT_EQ(loadRegimeTable(PlaceArchive::Italia, "00000007.CAL"),
              std::vector<RegimeRecord>(records.begin(), records.begin() + 3));

    test::writeRegimeFile("Calendar\\00000008.CAL", {records[0], records[1]});
    EXPECT_EQ(loadRegimeTable(PlaceArchive::Italia, "00000008.CAL").size(), 2u);
    EXPECT_THROW(loadRegimeTable(PlaceArchive::Italia, "00000009.CAL"), IoError);
}

TEST_F(AtlasTables, ForeignTablesAreFoundThroughTheList) {
    const std::vector<RegimeRecord> first = {rawRegime(1, "GREG"), rawRegime(2, "LMT ", 5), rawRegime(0, "****")};
    const std::vector<RegimeRecord> second = {rawRegime(3, "GREG"), rawRegime(4, "LMT ", 6), rawRegime(5, "EST ", 7),
                                              rawRegime(0, "****")};
    std::vector<RegimeRecord> all = first;
    all.insert(all.end(), second.begin(), second.end());
    test::writeRegimeFile("Calendar\\Database.cll", all);
    test::writeTextFile("Calendar\\Elencal.002",
                        "00010001.CAL  000000  Zone/One\r\n00010002.CAL  000003  Zone/Two\r\n"
                        "00010003.CAL  00x003\r\n00010004.CAL  000099\r\n");

    EXPECT_EQ(foreignTableStart("00010002.CAL"), 3);
    EXPECT_EQ(loadRegimeTable(PlaceArchive::Estero, "00010002.CAL"),
              std::vector<RegimeRecord>(second.begin(), second.end() - 1));
    EXPECT_EQ(loadRegimeTable(PlaceArchive::Estero, "00010001.CAL").size(), 2u);
    EXPECT_THROW(loadRegimeTable(PlaceArchive::Estero, "00010009.CAL"), IoError);  // not listed
    EXPECT_THROW(loadRegimeTable(PlaceArchive::Estero, "00010003.CAL"), IoError);  // bad record number
    EXPECT_THROW(loadRegimeTable(PlaceArchive::Estero, "00010004.CAL"), IoError);  // past the end
}

TEST_F(AtlasTables, PlaceTableCountsPlacesWithoutTheHeader) {
    EXPECT_THROW(PlaceTable{PlaceArchive::Italia}, IoError);
    test::writePlaceTable(PlaceArchive::Estero, {Place{"PARIS", 48.85L, 2.35L, 200010001, "FRANCIA"}});
    const PlaceTable table(PlaceArchive::Estero);
    EXPECT_EQ(table.count(), 1);
    EXPECT_EQ(table.read(0).name, "INTESTAZIONE");
    EXPECT_EQ(table.read(1).state, "FRANCIA");
    EXPECT_THROW(table.read(2), IoError);
    EXPECT_THROW(table.read(-1), IoError);
}

} // namespace atlas_formats_test
} // namespace qv::atlas
