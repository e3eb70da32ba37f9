#include "ephemeris/bodies.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace motion_passes_test {

// The pass at jd + 0.001 serves only the test of motion: the chart's
// latitudes and longitudes are those of a single pass at jd (to the last
// places, since the second pass takes its sines from the first one's).
TEST(MotionPasses, TheChartIsThePassAtTheMoment) {
    test::TempDataDir dir;
    test::writeZeroCorrectionTables(dir.path());
    for (Extended jd : {2451545.3L, 2400000.7L, 1800000.2L}) {
        ChartState twoPasses;
        twoPasses.nodeKind = "VERO";
        twoPasses.blackMoonKind = "VERA";
        computeBodies(twoPasses, 0, jd);
        ChartState once;
        once.nodeKind = "VERO";
        once.blackMoonKind = "VERA";
        computeBodiesOnce(once, 0, jd, false);
        for (int k = 1; k <= 19; ++k) {
            EXPECT_NEAR(static_cast<double>(twoPasses.latitude[k] - once.latitude[k]), 0.0, 1e-15) << k;
            EXPECT_NEAR(static_cast<double>(std::fabs(twoPasses.longitude[k]) - once.longitude[k]), 0.0, 1e-15) << k;
        }
        EXPECT_NE(once.latitude[kMoon], 0);
    }
}

} // namespace motion_passes_test
} // namespace qv
