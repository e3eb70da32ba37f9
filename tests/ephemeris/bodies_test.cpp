#include "base/reals.h"
#include "base/text_file.h"
#include "ephemeris/angles.h"
#include "ephemeris/bodies.h"
#include "ephemeris/correction_tables.h"
#include "ephemeris/fundamental_arguments.h"
#include "ephemeris/nodes.h"
#include "ephemeris/orbits.h"
#include "ephemeris/planets.h"
#include "ephemeris/sun_moon.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace qv {
namespace bodies_test {

namespace fs = std::filesystem;

class Bodies : public ::testing::Test {
protected:
    void SetUp() override { test::writeZeroCorrectionTables(dir.path()); }
    test::TempDataDir dir;
};

double lon(const ChartState& s, int k) { return static_cast<double>(s.longitude[k]); }

TEST_F(Bodies, PositionsAtJ2000WithZeroTables) {
    ChartState s;
    s.nodeKind = "MEDIO";
    computeBodies(s, 0, 2451545.0L);
    const std::pair<int, double> expected[] = {
        {kSun, 280.368},     {kMoon, 223.316},  {kMercury, 271.892}, {kVenus, 241.568},
        {kMars, 327.963},    {kJupiter, 25.253}, {kSaturn, 40.387},  {kUranus, 314.808},
        {kNeptune, 303.196}, {kPluto, 251.396}};
    for (auto [k, value] : expected) EXPECT_NEAR(std::fabs(lon(s, k)), value, 0.0005) << "point " << k;
    EXPECT_GT(s.longitude[kJupiter], 0);  // direct
    EXPECT_LT(s.longitude[kSaturn], 0);   // retrograde in January 2000
    EXPECT_LT(s.longitude[kEphemerisNode], 0); // the mean node always moves back
    EXPECT_EQ(s.longitude[kAscendantCopy], s.cusp[1]);
}

TEST_F(Bodies, JupiterWithoutItsPerturbations) {
    const FundamentalArgs fa = FundamentalArguments(2451545.0L);
    const OrbitState earth = orbitState(earthElements(fa.t));
    const GeocentricResult g = geocentric(orbitState(elementsOf(kJupiter, fa.t)), earth, Vector3{}, fa.nutation, false);
    EXPECT_NEAR(static_cast<double>(g.longitude), 25.290, 0.0005);
}

TEST(BodiesModel, ElementSetsPerturbationWindowAndConversions) {
    EXPECT_EQ(elementsOf(kJupiter, -2.0L).meanAnomaly, 225.49281253L + 3033.687936L * -2.0L);
    const Extended before = -2.0L - 1.0L / 36525.0L;
    EXPECT_EQ(elementsOf(kJupiter, before).meanAnomaly,
              225.32833L + 3034.69202L * before - 0.00072L * (before * before));
    for (int k = kJupiter; k <= kPluto; ++k) {
        const Vector3 late = perturbationOf(k, 2.0001L);
        EXPECT_EQ(late.x, 0);
        EXPECT_EQ(late.y, 0);
        EXPECT_EQ(late.z, 0);
        EXPECT_NE(perturbationOf(k, 1.0L).x, 0);
    }
    Extended y = 0;
    const Polar p = toPolar(2.0L, y);
    EXPECT_EQ(y, kConversionEpsilon);
    EXPECT_NEAR(static_cast<double>(p.theta), static_cast<double>(kConversionEpsilon / 2.0L), 1e-20);
    Extended x1, y1;
    toRectangular(1.0L, 0.0L, x1, y1);
    EXPECT_EQ(y1, std::sin(kConversionEpsilon));
    Extended negY = 0;
    EXPECT_NEAR(static_cast<double>(toPolar(-1.0L, negY).theta), static_cast<double>(kPi), 1e-6);
    Extended down = -1.0L;
    EXPECT_NEAR(static_cast<double>(toPolar(0.0L, down).theta), 1.5 * static_cast<double>(kPi), 1e-15);
}

TEST(BodiesModel, MeanNodeAtTheEpochOfT) { EXPECT_EQ(meanNode(0.0L), 259.183275L); }

// Tables whose every record holds one value, to see where a correction applies.
void writeConstantTables(const fs::path& root, std::int16_t moonSeconds, int planetMinutes, std::int32_t blackMoonSeconds) {
    test::writeZeroCorrectionTables(root);
    std::string dsel = readWholeFile(root / "FilePosi" / "DSEL.rnd");
    for (std::size_t i = 0; i < dsel.size(); i += 2) std::memcpy(&dsel[i], &moonSeconds, 2);
    writeFileAtomically(root / "FilePosi" / "DSEL.rnd", dsel);
    std::string nojlne = readWholeFile(root / "FilePosi" / "NOJLNE.rnd");
    for (std::size_t i = 0; i < nojlne.size(); i += 4) std::memcpy(&nojlne[i], &blackMoonSeconds, 4);
    writeFileAtomically(root / "FilePosi" / "NOJLNE.rnd", nojlne);
    std::string dpr1 = readWholeFile(root / "FilePosi" / "DPR1.rnd");
    for (std::size_t r = 0; r < dpr1.size(); r += 32)
        for (int field = 1; field <= 17; ++field) {
            const Dpr1Field f = dpr1Field(field);
            const std::int16_t v = static_cast<std::int16_t>(planetMinutes);
            std::memcpy(&dpr1[r + static_cast<std::size_t>(f.offset)], &v, static_cast<std::size_t>(f.width));
        }
    writeFileAtomically(root / "FilePosi" / "DPR1.rnd", dpr1);
}

TEST(BodiesTables, EachCorrectionAppliesOnlyInsideItsWindow) {
    test::TempDataDir dir;
    writeConstantTables(dir.path(), 3600, 60, 3600); // one degree everywhere

    auto moonShift = [](Extended jd) {
        const FundamentalArgs fa = FundamentalArguments(jd);
        return static_cast<double>(Norm360(moonPosition(fa, true).longitude - moonPosition(fa, false).longitude));
    };
    EXPECT_NEAR(moonShift(1721422.5L), 0.0, 1e-12);
    EXPECT_NEAR(moonShift(1721423.5L), 1.0, 1e-12);
    EXPECT_NEAR(moonShift(2499372.5L), 1.0, 1e-12);
    EXPECT_NEAR(moonShift(2499373.5L), 0.0, 1e-12);

    // Mercury before 1900: the first correction in every pass, the second
    // one only in the pass at jd itself (a constant of one degree each).
    auto mercury = [](Extended jd, bool firstPass) {
        ChartState s;
        computeBodiesOnce(s, kMercury, jd, firstPass);
        return s.longitude[kMercury];
    };
    auto model = [](Extended jd) {
        const FundamentalArgs fa = FundamentalArguments(jd);
        const OrbitState earth = orbitState(earthElements(fa.t));
        return geocentric(orbitState(elementsOf(kMercury, fa.t)), earth, Vector3{}, fa.nutation, false).longitude;
    };
    EXPECT_NEAR(static_cast<double>(Norm360(mercury(2415020.4L, false) - model(2415020.4L))), 2.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(Norm360(mercury(2415020.4L, true) - model(2415020.4L))), 1.0, 1e-9);
    // From 1900 to the end of the table only the first correction.
    EXPECT_NEAR(static_cast<double>(Norm360(mercury(2415020.5L, false) - model(2415020.5L))), 1.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(Norm360(mercury(2499373.4L, false) - model(2499373.4L))), 1.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(Norm360(mercury(2499373.5L, false) - model(2499373.5L))), 0.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(Norm360(mercury(1721423.4L, false) - model(1721423.4L))), 0.0, 1e-9);

    // The corrected Black Moon from 1850; any other kind is the mean one.
    const FundamentalArgs y1849 = FundamentalArguments(2396758.0L);
    const FundamentalArgs y1900 = FundamentalArguments(2415020.5L);
    EXPECT_EQ(blackMoon(y1849, "VERA"), blackMoon(y1849, "MEDIA"));
    EXPECT_NEAR(static_cast<double>(Norm360(blackMoon(y1900, "VERA") - blackMoon(y1900, "MEDIA"))), 1.0, 1e-9);
    EXPECT_EQ(blackMoon(y1900, "vera"), blackMoon(y1900, "MEDIA"));
}

TEST_F(Bodies, TrueNodeAloneAgreesWithAFullPass) {
    ChartState full;
    full.nodeKind = "VERO";
    computeBodies(full, 0, 2451545.3L);
    ChartState alone;
    alone.nodeKind = "VERO";
    computeBodies(alone, kEphemerisNode, 2451545.3L);
    EXPECT_EQ(alone.longitude[kEphemerisNode], full.longitude[kEphemerisNode]);
    // Almanacs give the true node of that evening near 123.9°.
    EXPECT_NEAR(std::fabs(static_cast<double>(full.longitude[kEphemerisNode])), 123.9, 0.3);
}

TEST_F(Bodies, MotionAcrossZeroIsNotTakenForRetrograde) {
    // Find the moment the mean node crosses 0° going backwards in 2001.
    auto node = [](Extended jd) { return meanNode((jd - 2415020.0L) / 36525.0L); };
    // The node, at 125° in January 2000, reaches 0° about six and a half years later.
    Extended lo = 2451545.0L + 2000, hi = 2451545.0L + 3000;
    for (Extended jd = lo; jd < hi; jd += 1.0L) {
        if (node(jd) < 1.0L && node(jd + 1.0L) > 359.0L) {
            lo = jd;
            hi = jd + 1.0L;
            break;
        }
    }
    for (int i = 0; i < 80; ++i) {
        const Extended mid = (lo + hi) / 2.0L;
        (node(mid) < 180.0L ? lo : hi) = mid;
    }
    ChartState s;
    s.nodeKind = "MEDIO";
    const Extended jd = lo - 0.0004L; // node a little above 0°, and just below 360° 0.001 days later
    computeBodies(s, kEphemerisNode, jd);
    ASSERT_GT(node(jd), 0.0L);
    ASSERT_LT(node(jd), 0.001L);
    EXPECT_GT(s.longitude[kEphemerisNode], 0) << "a backward step through 0° is not marked";
    computeBodies(s, kEphemerisNode, jd - 10.0L);
    EXPECT_LT(s.longitude[kEphemerisNode], 0);
}

} // namespace bodies_test
} // namespace qv
