#include "timing/local_clock.h"

#include "archive/place_lookup.h"
#include "archive/regime_derivation.h"
#include "tests/analysis/cast_charts.h"

#include <gtest/gtest.h>

namespace qv::timing {
namespace {

// The clock agrees with the atlas derivation of a birth: the correction in
// force at the Universal Time of a local moment is the one the derivation
// gives for that moment.
TEST(LocalClock, AgreesWithTheAtlasDerivation) {
    test::EphemerisDir dir(true);
    struct Case {
        const char* place;
        atlas::PlaceArchive archive;
        const char* state;
        atlas::BirthMoment moment;
    };
    const Case cases[] = {
        {"MILANO", atlas::PlaceArchive::Italia, "", {15, 1, 2026, 12, 0}},
        {"MILANO", atlas::PlaceArchive::Italia, "", {15, 7, 2026, 12, 0}},
        {"MILANO", atlas::PlaceArchive::Italia, "", {29, 3, 2026, 3, 30}},   // the first hour of summer time
        {"MILANO", atlas::PlaceArchive::Italia, "", {25, 10, 2026, 4, 0}},   // just after it ends
        {"MILANO", atlas::PlaceArchive::Italia, "", {10, 8, 1944, 9, 0}},
        {"MILANO", atlas::PlaceArchive::Italia, "", {3, 5, 1870, 9, 0}},     // local mean time
        {"MILANO", atlas::PlaceArchive::Italia, "", {1, 8, 2040, 12, 0}},
    };
    for (const Case& c : cases) {
        const atlas::PlaceTable table(c.archive);
        const auto places = atlas::placesNamed(table, c.place, c.state);
        ASSERT_EQ(places.size(), 1u) << c.place;
        const LocalClock clock = LocalClock::ofPlace(c.archive, places.front());
        const atlas::Derivation d = atlas::deriveCorrection(c.archive, places.front(), c.moment, 0);
        ASSERT_EQ(d.anomaly, atlas::ClockAnomaly::None) << c.moment.year;
        EXPECT_NEAR(static_cast<double>(clock.correctionAt(d.universalJd)), static_cast<double>(d.correction), 1e-9)
            << c.place << " " << c.moment.day << "/" << c.moment.month << "/" << c.moment.year;
        EXPECT_NEAR(static_cast<double>(clock.localJd(d.universalJd) - d.localJd), 0.0, 1e-9);
        EXPECT_TRUE(clock.fromAtlas());
    }
}

TEST(LocalClock, AFixedCorrection) {
    const LocalClock clock = LocalClock::fixed(-1);
    EXPECT_EQ(clock.correctionAt(2461000.5L), -1);
    EXPECT_EQ(clock.localJd(2461000.5L), 2461000.5L + 1.0L / 24);
    EXPECT_FALSE(clock.fromAtlas());
    EXPECT_EQ(clock.description(), "correzione fissa -1");
}

} // namespace
} // namespace qv::timing
