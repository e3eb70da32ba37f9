// The derivation of correction and calendar: the rules of the walk on small
// hand-built tables, then births a practitioner meets, on the shipped tables
// (expected values read from the IANA time-zone database with zdump).
#include "archive/place_search.h"
#include "archive/regime_derivation.h"
#include "archive/time_regimes.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "ephemeris/julian_day.h"
#include "tests/archive/atlas_support.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

#include <memory>

namespace qv::atlas {
namespace atlas_derivation_test {

using test::rawRegime;
using test::regimeAt;

constexpr long double kOffset = kRegimeDateOffset;

bool logHas(const Derivation& d, const std::string& text) {
    for (const auto& line : d.log)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

class AtlasWalk : public ::testing::Test {
protected:
    void SetUp() override {
        // An Italian table: reform on 14/09/1752 (stored as the day of
        // adoption, read one day less), local mean time until 1900, then
        // three regimes.
        test::writeRegimeFile("Calendar\\00000005.CAL",
                              {rawRegime(2361221.5L + kOffset, "GREG"), regimeAt(1, 1, 1900, 0, 0, "LMT ", -0.5),
                               regimeAt(1, 1, 1900, 0, 0, "AAA ", -1), regimeAt(1, 6, 1950, 0, 0, "BBB ", -2),
                               regimeAt(1, 9, 1950, 0, 0, "CCC ", -1), rawRegime(0, "****")});
        // Foreign tables: the same reform record without the day less; one
        // that continues in another; one that continues in itself; one with
        // the reform left to the setting.
        test::writeRegimeFile("Calendar\\Database.cll",
                              {rawRegime(2361221.5L + kOffset, "GREG"), regimeAt(1, 1, 1900, 0, 0, "LMT ", 1),
                               regimeAt(1, 1, 1900, 0, 0, "XXX ", 1), regimeAt(1, 1, 1940, 0, 0, "YYY ", 2),
                               rawRegime(10002, "RICH"), rawRegime(0, "****"),
                               // 00010002.CAL at 6
                               rawRegime(2299160.5L + kOffset, "GREG"), regimeAt(1, 1, 1850, 0, 0, "LMT ", 9),
                               regimeAt(1, 1, 1930, 0, 0, "ZZZ ", 3), regimeAt(1, 1, 1950, 0, 0, "WWW ", 4),
                               rawRegime(0, "****"),
                               // 00010003.CAL at 11
                               rawRegime(2299160.5L + kOffset, "GREG"), regimeAt(1, 1, 1850, 0, 0, "LMT ", 9),
                               rawRegime(10003.2L, "RICH"), rawRegime(0, "****"),
                               // 00010004.CAL at 15
                               rawRegime(1721423.5L + kOffset, "GREG"), rawRegime(kOffset, "LMT ", 0),
                               rawRegime(0, "****")});
        test::writeTextFile("Calendar\\Elencal.002",
                            "00010001.CAL  000000\r\n00010002.CAL  000006\r\n00010003.CAL  000011\r\n"
                            "00010004.CAL  000015\r\n");
        test::writeRegimeFile("Calendar\\00920000.CAL", {rawRegime(2299161.5L + kOffset, "GREG"),
                                                         regimeAt(1, 1, 1800, 0, 0, "LMT ", -1),
                                                         regimeAt(1, 1, 1900, 0, 0, "EST ", -1)});
        test::writeRegimeFile("Calendar\\00000006.CAL", {rawRegime(2299161.5L + kOffset, "GREG")});
    }
    static Place place(std::int32_t table, long double longitude = 9.25L) {
        return Place{"LUOGO", 45.5L, longitude, table, "STATO"};
    }
    test::TempDataDir dir;
};

TEST_F(AtlasWalk, CalendarFromTheReformEntryAndTheSetting) {
    struct Case {
        PlaceArchive archive;
        std::int32_t table;
        BirthMoment moment;
        int setting;
        const char* calendar;
    };
    const Case cases[] = {
        {PlaceArchive::Italia, 100000005, {15, 6, 1700, 12, 0}, 0, "GIUL"},
        {PlaceArchive::Italia, 100000005, {15, 6, 1700, 12, 0}, 1, "GREG"},  // after 15/10/1582 with 1
        {PlaceArchive::Italia, 100000005, {15, 6, 1500, 12, 0}, 0, "GIUL"},
        {PlaceArchive::Italia, 100000005, {15, 6, 1500, 12, 0}, 1, "GIUL"},
        {PlaceArchive::Italia, 100000005, {2, 9, 1752, 23, 59}, 0, "GIUL"},
        {PlaceArchive::Italia, 100000005, {14, 9, 1752, 0, 0}, 0, "GREG"},
        // The Italian table's reform date is read one day less than stored.
        {PlaceArchive::Italia, 100000005, {13, 9, 1752, 12, 0}, 0, "GREG"},
        {PlaceArchive::Estero, 200010001, {13, 9, 1752, 12, 0}, 0, "GIUL"},
        // A reform entry on JD 1721423: Julian only with the setting, before 1582.
        {PlaceArchive::Estero, 200010004, {15, 6, 1500, 12, 0}, 1, "GIUL"},
        {PlaceArchive::Estero, 200010004, {15, 6, 1500, 12, 0}, 0, "GREG"},
        {PlaceArchive::Estero, 200010004, {15, 6, 1600, 12, 0}, 1, "GREG"},
    };
    for (const Case& c : cases) {
        const Derivation d = deriveCorrection(c.archive, place(c.table), c.moment, c.setting);
        EXPECT_EQ(d.calendar, c.calendar) << c.table << " " << c.moment.day << "/" << c.moment.month << "/"
                                          << c.moment.year << " setting " << c.setting;
        EXPECT_EQ(d.gregorian, d.calendar == "GREG");
        EXPECT_EQ(d.localJd, julianDayOf(d.gregorian, c.moment.day, c.moment.month, c.moment.year, c.moment.hour,
                                         c.moment.minute));
    }
}

TEST_F(AtlasWalk, RegimeInForceIsTheOneBeforeTheFirstLaterRecord) {
    const Derivation before = deriveCorrection(PlaceArchive::Italia, place(100000005), {15, 6, 1890, 12, 0}, 1);
    EXPECT_TRUE(before.localMeanTime);
    EXPECT_EQ(before.correctionText, "-0.616666666666667");  // 9°15' E, from the coordinates text
    EXPECT_EQ(before.log, (std::vector<std::string>{"00000005.CAL", "01/01/1900 00:00 -0.500 LMT "}));

    const Derivation between = deriveCorrection(PlaceArchive::Italia, place(100000005), {15, 6, 1920, 12, 0}, 1);
    EXPECT_FALSE(between.localMeanTime);
    EXPECT_EQ(between.correction, -1);
    EXPECT_EQ(between.correctionText, "-1");
    EXPECT_EQ(between.regimeCode, "AAA ");
    EXPECT_EQ(between.log.size(), 4u);  // name, LMT, AAA, BBB (the one that stops the walk)
    EXPECT_EQ(between.log.back(), "01/06/1950 00:00 -2.000 BBB ");
    EXPECT_EQ(between.universalJd, julianDayOf(true, 15, 6, 1920, 11, 0));
    EXPECT_EQ(between.universalJdText, "2422490.9583");

    // The table ends before the birth: the last regime holds.
    const Derivation after = deriveCorrection(PlaceArchive::Italia, place(100000005), {15, 6, 1960, 12, 0}, 1);
    EXPECT_EQ(after.correction, -1);
    EXPECT_EQ(after.regimeCode, "CCC ");
    EXPECT_EQ(after.log.size(), 5u);
}

TEST_F(AtlasWalk, ContinuationRecordSwitchesTable) {
    const Derivation before = deriveCorrection(PlaceArchive::Estero, place(200010001), {15, 6, 1935, 12, 0}, 1);
    EXPECT_EQ(before.correctionText, "+1");
    EXPECT_FALSE(logHas(before, "CAMBIO FILE"));

    const Derivation after = deriveCorrection(PlaceArchive::Estero, place(200010001), {15, 6, 1945, 12, 0}, 1);
    EXPECT_TRUE(logHas(after, "CAMBIO FILE: 00010002.CAL"));
    EXPECT_EQ(after.correctionText, "+3");
    EXPECT_EQ(after.regimeCode, "ZZZ ");
    EXPECT_EQ(after.tableName, "00010001.CAL");

    EXPECT_THROW(deriveCorrection(PlaceArchive::Estero, place(200010003), {15, 6, 1945, 12, 0}, 1),
                 ConversionError);
}

TEST_F(AtlasWalk, SpecialTableAndBrokenTables) {
    EXPECT_EQ(deriveCorrection(PlaceArchive::Italia, place(100920000), {15, 6, 1940, 12, 0}, 1).correctionText, "-1");
    const Derivation late = deriveCorrection(PlaceArchive::Italia, place(100920000), {15, 6, 1960, 12, 0}, 1);
    EXPECT_EQ(late.correctionText, "-5");
    EXPECT_EQ(late.universalJd, julianDayOf(true, 15, 6, 1960, 7, 0));

    EXPECT_THROW(deriveCorrection(PlaceArchive::Italia, place(100000006), {1, 1, 1950, 0, 0}, 1), ConversionError);
    EXPECT_THROW(deriveCorrection(PlaceArchive::Italia, place(100000009), {1, 1, 1950, 0, 0}, 1), IoError);
    EXPECT_THROW(deriveCorrection(PlaceArchive::Estero, place(200019999), {1, 1, 1950, 0, 0}, 1), IoError);
    EXPECT_THROW(deriveCorrection(PlaceArchive::Italia, place(100000005), {1, 13, 1950, 0, 0}, 1), ConversionError);
}

TEST(AtlasDates, FieldRangesAsTheEntryWindowChecksThem) {
    EXPECT_EQ(invalidDateField({31, 2, 1990, 10, 0}), DateField::None);
    EXPECT_EQ(invalidDateField({1, 1, 0, 0, 0}), DateField::None);
    EXPECT_EQ(invalidDateField({0, 1, 1990, 0, 0}), DateField::Day);
    EXPECT_EQ(invalidDateField({1, 0, 1990, 0, 0}), DateField::Month);
    EXPECT_EQ(invalidDateField({1, 13, 1990, 0, 0}), DateField::Month);
    EXPECT_EQ(invalidDateField({1, 1, 2081, 0, 0}), DateField::Year);
    EXPECT_EQ(invalidDateField({1, 1, 1990, 24, 0}), DateField::Hour);
    EXPECT_EQ(invalidDateField({1, 1, 1990, 0, 60}), DateField::Minute);
    EXPECT_EQ(extendedDateText(2451545.0L, true), "sabato 1 gennaio 2000, ore 12:00");
    EXPECT_EQ(extendedDateText(julianDayOf(true, 31, 2, 1990, 10, 0), true), "sabato 3 marzo 1990, ore 10:00");
    EXPECT_EQ(extendedDateText(julianDayOf(false, 4, 10, 1582, 6, 30), false), "gioved\xEC 4 ottobre 1582, ore 06:30");
}

// --- the shipped tables ---------------------------------------------------------

class AtlasShipped : public test::ShippedAtlasSuite {
protected:
    static Place find(PlaceArchive archive, const std::string& name, const std::string& state) {
        const PlaceTable table(archive);
        const std::string bare = name.substr(0, name.find(" ("));
        const std::int64_t at = locatePlace(table, bare).position;
        for (std::int64_t k = std::min(at + 1, table.count()); k >= std::max<std::int64_t>(1, at - 300); --k) {
            const Place p = table.read(k);
            if (p.name == name && (state.empty() || p.state == state)) return p;
        }
        ADD_FAILURE() << "no place " << name;
        return {};
    }
};

struct Birth {
    PlaceArchive archive;
    const char* name;
    const char* state;
    BirthMoment moment;
    int setting;
    const char* calendar;
    const char* correction;
    const char* regime;
    ClockAnomaly anomaly;
};

TEST_F(AtlasShipped, BirthsAgreeWithTheTimeZoneDatabase) {
    const auto I = PlaceArchive::Italia, E = PlaceArchive::Estero;
    const auto none = ClockAnomaly::None;
    const Birth births[] = {
        // Italian clocks kept local mean time until 11 December 1866, Rome's
        // mean time (+0:49:56) from 12 December 1866 to 31 October 1893, then
        // Central European time.
        {I, "MILANO (MI)", "", {15, 6, 1850, 12, 0}, 1, "GREG", "-0.612222222222222", "LMT ", none},
        {I, "TORINO (TO)", "", {11, 12, 1866, 12, 0}, 1, "GREG", "-0.512222222222222", "LMT ", none},
        {I, "TORINO (TO)", "", {13, 12, 1866, 12, 0}, 1, "GREG", "-0.832222222222222", "RMT ", none},
        {I, "PALERMO (PA)", "", {15, 6, 1882, 12, 0}, 1, "GREG", "-0.832222222222222", "RMT ", none},
        {I, "TORINO (TO)", "", {15, 6, 1887, 12, 0}, 1, "GREG", "-0.832222222222222", "RMT ", none},
        {I, "MILANO (MI)", "", {15, 6, 1893, 12, 0}, 1, "GREG", "-0.832222222222222", "RMT ", none},
        {I, "MILANO (MI)", "", {31, 10, 1893, 23, 0}, 1, "GREG", "-0.832222222222222", "RMT ", none},
        {I, "MILANO (MI)", "", {1, 11, 1893, 0, 30}, 1, "GREG", "-1", "CET ", none},
        {I, "MILANO (MI)", "", {15, 6, 1900, 12, 0}, 1, "GREG", "-1", "CET ", none},
        // The same for cities whose mean time became their country's: Paris
        // mean time (+0:09:21) from 1891.
        {E, "LYON", "FRANCIA", {15, 6, 1880, 12, 0}, 1, "GREG", "-0.323333333333333", "LMT ", none},
        {E, "LYON", "FRANCIA", {15, 6, 1900, 12, 0}, 1, "GREG", "-0.155833333333333", "PMT ", none},
        // Rome: German summer time until the liberation (4 June 1944), then
        // Italian summer time until 17 September.
        {I, "ROMA (RM)", "", {15, 7, 1944, 12, 0}, 1, "GREG", "-2", "CEST", none},
        {I, "ROMA (RM)", "", {15, 8, 1944, 12, 0}, 1, "GREG", "-2", "CEST", none},
        {I, "ROMA (RM)", "", {20, 9, 1944, 12, 0}, 1, "GREG", "-1", "CET ", none},
        // Trieste kept Austrian time until November 1918; Udine Italian.
        {I, "TRIESTE (TS)", "", {15, 5, 1916, 12, 0}, 1, "GREG", "-2", "CEST", none},
        {I, "UDINE (UD)", "", {15, 5, 1916, 12, 0}, 1, "GREG", "-1", "CET ", none},
        {I, "TRIESTE (TS)", "", {1, 10, 1918, 12, 0}, 1, "GREG", "-1", "CET ", none},
        {I, "UDINE (UD)", "", {1, 10, 1918, 12, 0}, 1, "GREG", "-2", "CEST", none},
        {I, "TRIESTE (TS)", "", {15, 6, 1920, 12, 0}, 1, "GREG", "-2", "CEST", none},
        // Berlin: double summer time of the Soviet zone, 24 May - 24 September 1945.
        {E, "BERLIN", "GERMANIA", {15, 6, 1945, 12, 0}, 1, "GREG", "-3", "CEMT", none},
        // London: Julian until 2 September 1752 (with the setting at 0), local mean time until 1847.
        {E, "LONDON", "REGNO UNITO", {15, 6, 1700, 12, 0}, 0, "GIUL", "+0.00888888888888889", "LMT ", none},
        {E, "LONDON", "REGNO UNITO", {15, 6, 1700, 12, 0}, 1, "GREG", "+0.00888888888888889", "LMT ", none},
        {E, "LONDON", "REGNO UNITO", {15, 6, 1760, 12, 0}, 0, "GREG", "+0.00888888888888889", "LMT ", none},
        {E, "LONDON", "REGNO UNITO", {15, 6, 1500, 12, 0}, 1, "GIUL", "+0.00888888888888889", "LMT ", none},
        {E, "LONDON", "REGNO UNITO", {15, 6, 1950, 12, 0}, 1, "GREG", "-1", "BST ", none},
        // New York: standard time from noon of 18 November 1883 (12:03:58 local mean time).
        {E, "NEW YORK CITY", "STATI UNITI", {18, 11, 1883, 11, 0}, 1, "GREG", "+4.93333333333333", "LMT ", none},
        {E, "NEW YORK CITY", "STATI UNITI", {18, 11, 1883, 12, 30}, 1, "GREG", "+5", "EST ", none},
        {E, "NEW YORK CITY", "STATI UNITI", {19, 11, 1883, 11, 0}, 1, "GREG", "+5", "EST ", none},
        {E, "SYDNEY", "AUSTRALIA", {15, 1, 2000, 12, 0}, 1, "GREG", "-11", "AEDT", none},
        {E, "SYDNEY", "AUSTRALIA", {15, 7, 2000, 12, 0}, 1, "GREG", "-10", "AEST", none},
        // The hour repeated when summer time ends is taken as summer time (the first).
        {I, "ROMA (RM)", "", {25, 10, 2020, 2, 30}, 1, "GREG", "-2", "CEST", ClockAnomaly::Repeated},
        {I, "ROMA (RM)", "", {25, 10, 2020, 1, 30}, 1, "GREG", "-2", "CEST", none},
        {I, "ROMA (RM)", "", {25, 10, 2020, 3, 30}, 1, "GREG", "-1", "CET ", none},
        {E, "SYDNEY", "AUSTRALIA", {26, 3, 2000, 2, 30}, 1, "GREG", "-11", "AEDT", ClockAnomaly::Repeated},
        // The hour skipped when summer time starts.
        {I, "ROMA (RM)", "", {29, 3, 2020, 2, 30}, 1, "GREG", "-2", "CEST", ClockAnomaly::Skipped},
        // Rules carried on to 2081.
        {I, "ROMA (RM)", "", {30, 7, 2080, 12, 0}, 1, "GREG", "-2", "CEST", none},
    };
    for (const Birth& b : births) {
        const Place p = find(b.archive, b.name, b.state);
        const Derivation d = deriveCorrection(b.archive, p, b.moment, b.setting);
        const std::string what = std::string(b.name) + " " + std::to_string(b.moment.day) + "/" +
                                 std::to_string(b.moment.month) + "/" + std::to_string(b.moment.year) + " " +
                                 std::to_string(b.moment.hour) + ":" + std::to_string(b.moment.minute);
        EXPECT_EQ(d.calendar, b.calendar) << what;
        EXPECT_EQ(d.correctionText, b.correction) << what;
        EXPECT_EQ(d.regimeCode, b.regime) << what;
        EXPECT_EQ(d.anomaly, b.anomaly) << what;
        EXPECT_EQ(d.localMeanTime, std::string(b.regime) == "LMT ") << what;
        EXPECT_EQ(logHas(d, "ORA AMBIGUA"), b.anomaly == ClockAnomaly::Repeated) << what;
        EXPECT_EQ(logHas(d, "ORA INESISTENTE"), b.anomaly == ClockAnomaly::Skipped) << what;
        EXPECT_NEAR(static_cast<double>(d.universalJd - d.localJd), static_cast<double>(d.correction / 24), 1e-9)
            << what;
    }
}

TEST_F(AtlasShipped, TriesteContinuesInTheTableOfItaly) {
    const Place trieste = find(PlaceArchive::Italia, "TRIESTE (TS)", "");
    EXPECT_EQ(trieste.tableNumber, 100000003);
    EXPECT_FALSE(logHas(deriveCorrection(PlaceArchive::Italia, trieste, {15, 5, 1916, 12, 0}, 1), "CAMBIO FILE"));
    const Derivation d = deriveCorrection(PlaceArchive::Italia, trieste, {15, 6, 1920, 12, 0}, 1);
    EXPECT_EQ(d.log.front(), "00000003.CAL");
    EXPECT_TRUE(logHas(d, "CAMBIO FILE: 00000001.CAL"));
}

TEST_F(AtlasShipped, ItalianRegimesBeyondTheDataAreFlagged) {
    const Place milano = find(PlaceArchive::Italia, "MILANO (MI)", "");
    EXPECT_FALSE(deriveCorrection(PlaceArchive::Italia, milano, {1, 7, 2025, 12, 0}, 1).regimesNotUpdated);
    const Derivation later = deriveCorrection(PlaceArchive::Italia, milano, {1, 7, 2030, 12, 0}, 1);
    EXPECT_TRUE(later.regimesNotUpdated);
    EXPECT_EQ(later.correctionText, "-2");
    const Place paris = find(PlaceArchive::Estero, "PARIS", "FRANCIA");
    EXPECT_FALSE(deriveCorrection(PlaceArchive::Estero, paris, {1, 7, 2030, 12, 0}, 1).regimesNotUpdated);
}

TEST_F(AtlasShipped, TablesHaveTheExpectedShape) {
    const PlaceTable italia(PlaceArchive::Italia);
    const PlaceTable estero(PlaceArchive::Estero);
    EXPECT_GT(italia.count(), 7800);
    EXPECT_GT(estero.count(), 150000);
    const Place roma = find(PlaceArchive::Italia, "ROMA (RM)", "");
    EXPECT_EQ(roma.state, "ITALIA");
    EXPECT_NEAR(static_cast<double>(roma.latitude), 41.89, 0.05);
    EXPECT_NEAR(static_cast<double>(roma.longitude), 12.48, 0.05);
    const RegimeTable rome = loadRegimeTable(PlaceArchive::Italia, "00000001.CAL");
    EXPECT_EQ(rome[0].code, "GREG");
    EXPECT_EQ(rome[1].code, "LMT ");
    EXPECT_EQ(rome[2].code, "RMT ");
    EXPECT_NEAR(static_cast<double>(rome[1].date() - julianDayOf(true, 12, 12, 1866, 0, 0)), 0.0, 1e-9);
    EXPECT_EQ(rome[2].date(), rome[1].date());
    EXPECT_NEAR(rome[2].correction, -(49 * 60 + 56) / 3600.0, 1e-12);
    EXPECT_EQ(rome[3].code, "CET ");
    EXPECT_EQ(rome[0].date() - 1.0L, julianDayOf(false, 4, 10, 1582, 0, 0));
}

} // namespace atlas_derivation_test
} // namespace qv::atlas
