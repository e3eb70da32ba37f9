// The normalisation of names, the 100-step prefix search and the place list.
#include "archive/local_time_correction.h"
#include "archive/place_search.h"
#include "base/errors.h"
#include "tests/archive/atlas_support.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace qv::atlas {
namespace atlas_search_test {

TEST(AtlasNormalisation, MapsTheListedLettersAndKeepsTheOthers) {
    const std::pair<std::string, std::string> cases[] = {
        {"m\xFCnchen", "MUNCHEN"},                      // ü, then a-z upper
        {"\xE0\xE1\xE2\xE3\xE4\xE5\xE6", "AAAAAAA"},    // à..æ
        {"\xF2\xF3\xF4\xF6\xF8", "OOOOO"},              // ò ó ô ö ø
        {"\xF5", "\xF5"},                               // õ is not listed
        {"stra\xDF" "e", "STRASE"},                     // ß → s
        {"\xF9\xFA\xFB\xFC \xE8\xE9\xEA\xEB \xEC\xED\xEE\xEF", "UUUU EEEE IIII"},
        {"espa\xF1" "a gar\xE7on", "ESPANA GARCON"},
        {"\xC1\xC2\xC4\xC5\xC6", "AAAAA"},              // Á Â Ä Å Æ
        {"\xC0\xC3", "\xC0\xC3"},                       // À Ã kept
        {"\xD3\xD4\xD6\xD8 \xD2", "OOOO \xD2"},         // Ò kept
        {"\xDC\xDA\xD9", "UU\xD9"},                     // Ù kept
        {"\xCC\xCD\xCE\xCF", "\xCCIII"},                // Ì kept
        {"\xC8\xC9\xCA\xCB", "EE\xCA" "E"},             // Ê kept
        {"\xC7" "a", "CA"},
        {"BADEN-BADEN (BW)", "BADEN BADEN  BW)"},
        {"'S-HERTOGENBOSCH", "S HERTOGENBOSCH"},        // leading apostrophe dropped
        {"L'AQUILA (AQ)", "L'AQUILA  AQ)"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(normalisePlaceName(in), out) << in;
}

class AtlasLocate : public ::testing::Test {
protected:
    void SetUp() override {
        // Sorted as stored (Italian table).
        test::writePlaceTable(PlaceArchive::Italia, {
            Place{"ABANO TERME (PD)", 45, 11, 100000001, "ITALIA"},
            Place{"FORLI' (FC)", 44, 12, 100000001, "ITALIA"},
            Place{"FORLIMPOPOLI (FC)", 44, 12, 100000001, "ITALIA"},
            Place{"MIGNANEGO (GE)", 44, 8, 100000001, "ITALIA"},
            Place{"MILANO (MI)", 45, 9, 100000001, "ITALIA"},
            Place{"MILAZZO (ME)", 38, 15, 100000001, "ITALIA"},
            Place{"MILETO (VV)", 38, 16, 100000001, "ITALIA"},
            Place{"ZUNGRI (VV)", 38, 15, 100000001, "ITALIA"},
            Place{"ZUNGOLI (AV)", 41, 15, 100000001, "ITALIA"},  // out of order on purpose: never reached last
        });
        // Sorted by the normalised name (foreign table).
        test::writePlaceTable(PlaceArchive::Estero, {
            Place{"M\xDC" "LHEIM", 51, 6, 200010001, "GERMANIA"},
            Place{"M\xDC" "NCHEN", 48, 11, 200010001, "GERMANIA"},
            Place{"MUNICH (ND)", 48, -98, 200010002, "STATI UNITI"},
            Place{"'S-GRAVENZANDE", 52, 4, 200010003, "PAESI BASSI"},
            Place{"ZWICKAU", 50, 12, 200010001, "GERMANIA"},
        });
    }
    test::TempDataDir dir;
};

TEST_F(AtlasLocate, SettlesOnTheLastEntryBelowTheProbe) {
    const PlaceTable italia(PlaceArchive::Italia);
    const std::pair<std::string, std::int64_t> cases[] = {
        {"MILANO", 5},       // a whole name: "MILANO (MI)" sorts below "MILANO!!!"
        {"MIL", 4},          // names that continue the prefix sort above the probe
        {"FORLI'", 2},
        {"FORLI", 1},        // "FORLI'" continues "FORLI" with an apostrophe, above "!"
        {"A", 1},            // nothing below: entry 1
        {"", 1},
        {"ZZZ", 8},          // above everything: the halving never reaches the last entry
        {"MILANO (MI)", 4},  // "(" is normalised to a space, the stored name keeps it
    };
    for (const auto& [prefix, position] : cases) EXPECT_EQ(locatePlace(italia, prefix).position, position) << prefix;
    EXPECT_EQ(locatePlace(italia, "MILANO").entry.name, "MILANO (MI)");
}

TEST_F(AtlasLocate, ForeignEntriesAreComparedNormalised) {
    const PlaceTable estero(PlaceArchive::Estero);
    EXPECT_EQ(locatePlace(estero, "MUNCHEN").entry.name, "M\xDC" "NCHEN");
    EXPECT_EQ(locatePlace(estero, "M\xFC" "nchen").entry.name, "M\xDC" "NCHEN");
    EXPECT_EQ(locatePlace(estero, "MUNICH").entry.name, "MUNICH (ND)");
    EXPECT_EQ(locatePlace(estero, "S-GRAVENZANDE").entry.name, "'S-GRAVENZANDE");
}

TEST_F(AtlasLocate, EmptyTableIsNotSearched) {
    test::writePlaceTable(PlaceArchive::Italia, {});
    const PlaceTable empty(PlaceArchive::Italia);
    EXPECT_EQ(locatePlace(empty, "MILANO").position, 0);
    EXPECT_TRUE(placeListAround(empty, 4).empty());
}

TEST_F(AtlasLocate, ListShowsSevenLinesAroundTheClampedPosition) {
    EXPECT_EQ(clampListPosition(1, 100), 4);
    EXPECT_EQ(clampListPosition(50, 100), 50);
    EXPECT_EQ(clampListPosition(99, 100), 96);
    const PlaceTable italia(PlaceArchive::Italia);  // 9 places
    const auto lines = placeListAround(italia, 9);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines.front().record, 2);
    EXPECT_EQ(lines.back().record, 8);
    EXPECT_EQ(lines[3].text, "MILANO (MI)                     ITALIA");
    const PlaceTable estero(PlaceArchive::Estero);  // 5 places: all of them
    EXPECT_EQ(placeListAround(estero, 1).size(), 5u);
}

TEST(AtlasCoordinates, TextFromDegrees) {
    const std::tuple<long double, long double, std::string> cases[] = {
        {45.46427L, 9.18951L, "45N28-009E11"},
        {-33.86785L, 151.20732L, "33S52-151E12"},
        {40.71427L, -74.00597L, "40N43-074W00"},
        {0.0L, 0.0L, "00N00-000E00"},
        {44.99999L, -0.5L, "44N60-000W30"},  // minutes are rounded, not carried
    };
    for (const auto& [lat, lon, text] : cases) EXPECT_EQ(coordinatesText(lat, lon), text);
}

TEST(AtlasCoordinates, ValidityAsTheEntryWindowChecksIt) {
    for (const char* ok : {"45N28-009E11", "89S60-179W60", "00N00-000E00", "45N28x009E11"})
        EXPECT_TRUE(validCoordinatesText(ok)) << ok;
    for (const char* bad : {"90N00-009E11", "45X28-009E11", "45N61-009E11", "45N28-180E00", "45N28-009O11",
                            "45N28-009E1", "4 N28-009E11", ""})
        EXPECT_FALSE(validCoordinatesText(bad)) << bad;
}

TEST(AtlasCoordinates, LocalMeanTimeFromTheLongitude) {
    EXPECT_NEAR(static_cast<double>(localMeanTimeCorrection("45N28-009E11")), -0.6122222222, 1e-10);
    EXPECT_EQ(localMeanTimeCorrectionText("45N28-009E11"), "-0.612222222222222");
    EXPECT_EQ(localMeanTimeCorrectionText("40N43-074W00"), "+4.93333333333333");
    EXPECT_EQ(localMeanTimeCorrectionText("51N29-000E00"), "+0");
    EXPECT_EQ(localMeanTimeCorrectionText("51N29-015E00"), "-1");
    EXPECT_THROW(localMeanTimeCorrection("45N28-0x9E11"), ConversionError);
    EXPECT_EQ(correctionText(-2), "-2");
    EXPECT_EQ(correctionText(0), "+0");
    EXPECT_EQ(correctionText(3.5L), "+3.5");
}

} // namespace atlas_search_test
} // namespace qv::atlas
