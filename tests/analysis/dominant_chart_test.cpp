// The dominant-planet chart: the natal moment cast again with Placidus
// houses, the fourteen points its views draw, the chart-master files it
// leaves, and the process's chart state left alone.
#include "analysis/dominant_chart.h"

#include "base/data_dir.h"
#include "base/errors.h"
#include "base/text_file.h"
#include "ephemeris/houses.h"
#include "tests/analysis/cast_charts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace qv {
namespace dominant_chart_test {

std::vector<std::string> lines(const char* path) { return readTextLines(dataDir().resolve(path), path); }

TEST(DominantChart, PlacidusChartOfTheNatalMomentWithItsScoringFiles) {
    test::EphemerisDir dir;
    const BirthData b = test::birth(4, 2, 1962, 13, 30, -1, 45, 28, "N", 9, 11, "E");
    const ChartState natal = test::castTraditional(b);
    resetChartState();
    chartState().longitude[1] = 123;  // the window's chart: must stay as it is

    const DominantChart d = computeDominantChart(natal, "Rossi Maria", "196202041330-1,00", "45N28-009E11Milano");

    EXPECT_EQ(chartState().longitude[1], 123);
    EXPECT_EQ(d.chart.houseSystem, "PLACIDO");
    // The same moment: the bodies are those of the natal chart, Urano …
    // the node in their ephemeris slots.
    ChartState ephemeris;
    ephemeris.houseSystem = "PLACIDO";
    ephemeris.nodeKind = natal.nodeKind;
    ephemeris.blackMoonKind = natal.blackMoonKind;
    castChart(ephemeris, b);
    for (int k = 1; k <= kDominantBodies; ++k)
        EXPECT_EQ(d.longitude[static_cast<std::size_t>(k)], ephemeris.longitude[static_cast<std::size_t>(k)]) << k;
    EXPECT_EQ(d.longitude[1], natal.longitude[1]);
    // Placidus, not equal houses; point 13 the Ascendant, 14 the Medium
    // Coeli (Placidus' tenth cusp).
    EXPECT_EQ(d.cusp[1], natal.cusp[1]);
    EXPECT_GT(std::fabs(static_cast<double>(Norm360(d.cusp[2] - d.cusp[1]) - 30)), 1.0);
    EXPECT_EQ(d.longitude[13], d.cusp[1]);
    EXPECT_NEAR(static_cast<double>(d.longitude[14]), static_cast<double>(d.cusp[10]), 1e-9);
    // The mean node always moves backwards; the Black Moon carries no mark.
    EXPECT_EQ(d.retroMark[11], 'r');
    EXPECT_EQ(d.retroMark[12], ' ');
    const auto aspectPoints = dominantAspectPoints(d);
    ASSERT_EQ(aspectPoints.size(), 14u);
    EXPECT_EQ(aspectPoints.back().first, 14);

    // The carrier and the scoring files.
    const auto carrier = lines(kCarrierPath);
    ASSERT_GE(carrier.size(), 5u);
    EXPECT_EQ(carrier[0], "Rossi Maria");
    EXPECT_EQ(carrier[3], "PLACIDO");
    const auto totals = lines(kMasterTotalsPath);
    ASSERT_EQ(totals.size(), 18u);
    for (int p = 1; p <= 10; ++p)
        EXPECT_EQ(totals[static_cast<std::size_t>(p - 1)], std::to_string(d.scores.total[static_cast<std::size_t>(p)]));
    const auto best = std::max_element(d.scores.total.begin() + 1, d.scores.total.end());
    EXPECT_EQ(d.display.master, *best > 0 ? static_cast<int>(best - d.scores.total.begin()) : 0);
    EXPECT_EQ(lines(kMasterSummaryPath).size(), 3u);
}

} // namespace dominant_chart_test
} // namespace qv
