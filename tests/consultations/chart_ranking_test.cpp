#include "analysis/dignities.h"
#include "consultations/chart_ranking.h"
#include "remedies/composite.h"
#include "remedies/support_lists.h"
#include "tests/remedies/remedy_fixture.h"
#include "tests/support/temp_data_dir.h"

#include <gtest/gtest.h>

namespace qv::consultations {
namespace chart_ranking_test {

using test::remedy;

// Sole in Bilancia (fall), Luna in Toro (exaltation), Mercurio in Gemelli,
// Venere in Ariete (exile), Marte in Leone, Giove in Gemelli (exile),
// Saturno in Capricorno; the Ascendant in Cancro (ruled by the Luna).
const std::array<int, 8> kSigns{0, 7, 2, 3, 1, 5, 3, 10};

TEST(ChartSignatureKey, NamesTheMasterTheAscendantsRulerAndTheDebilities) {
    const ChartSignatureKey key = chartSignatureKey(4, 4, kSigns);
    ASSERT_EQ(key.planets.size(), 4u);
    EXPECT_EQ(key.planets[0].planet, 1);
    EXPECT_EQ(key.planets[0].roles, std::vector<std::string>{"in caduta"});
    EXPECT_EQ(key.planets[1].planet, 2);
    EXPECT_EQ(key.planets[1].roles, std::vector<std::string>{"signore dell'Ascendente"});
    EXPECT_EQ(key.planets[2].planet, 4);
    EXPECT_EQ(key.planets[2].roles, (std::vector<std::string>{"maestro del tema", "in esilio"}));
    EXPECT_EQ(key.planets[3].planet, 6);
    EXPECT_EQ(keyText(key), "Sole, in caduta; Luna, signore dell'Ascendente; Venere, maestro del tema, in esilio; "
                            "Giove, in esilio");

    // An outer planet as master is no signature of a remedy.
    EXPECT_EQ(chartSignatureKey(9, 0, {}).planets.size(), 0u);
    EXPECT_TRUE(chartSignatureKey(0, 0, {}).empty());
}

TEST(ChartSignatureKey, ReasonsNameThePlanetsTheSignaturesCarry) {
    const ChartSignatureKey key = chartSignatureKey(4, 4, kSigns);
    EXPECT_EQ(signatureReason(chartSignatureKey(4, 0, {}), "Venere", ""), "Segnatura: Venere, maestro del tema");
    EXPECT_EQ(signatureReason(key, "Marte", "Venere-Luna"),
              "Segnatura: Luna, signore dell'Ascendente; Venere, maestro del tema, in esilio");
    EXPECT_EQ(signatureReason(key, "Marte", "Saturno"), "");
}

// Two remedies serve both symptoms; the one whose signature carries the
// chart master comes first although the ranking alone put it second, and
// the order of equal rows without a reason is kept.
TEST(ChartRanking, RaisesARemedyCarryingTheChartAmongEqualCounts) {
    test::TempDataDir data;
    const DataDir dir(data.path());
    test::writeRemedyDatabase(dir, {remedy("TSA Zenzero", "Nausea", "Marte"), remedy("TSA Zenzero", "Tosse", "Marte"),
                                    remedy("TSA Rosa", "Nausea", "Venere"), remedy("TSA Rosa", "Tosse", "Venere"),
                                    remedy("TSA Timo", "Tosse", "Sole")});
    test::writeRepertoryDatabase(dir, {test::therapy("Cefalea", "TSA Rosa")});
    remedies::rebuildSupportLists(dir);
    remedies::ComplaintSlots slots;
    slots[0] = "Nausea";
    slots[1] = "Tosse";
    const auto ranked = remedies::rankRemedies(dir, remedies::CompositeKind::Symptoms, slots);
    ASSERT_EQ(ranked.size(), 3u);
    EXPECT_EQ(ranked[0].name, "TSA Zenzero");  // Z before R among equal counts

    const auto withChart = rankWithChart(dir, ranked, chartSignatureKey(4, 0, {}));
    ASSERT_EQ(withChart.size(), 3u);
    EXPECT_EQ(withChart[0].ranked.entry(), "02 TSA Rosa");
    EXPECT_EQ(withChart[0].reason, "Segnatura: Venere, maestro del tema");
    EXPECT_EQ(withChart[1].ranked.entry(), "02 TSA Zenzero");
    EXPECT_EQ(withChart[1].reason, "");
    EXPECT_EQ(withChart[2].ranked.entry(), "01 TSA Timo");

    // A planet the chart stresses never lifts a remedy above a higher count.
    const auto solar = rankWithChart(dir, ranked, chartSignatureKey(1, 0, {}));
    EXPECT_EQ(solar[2].ranked.name, "TSA Timo");
    EXPECT_EQ(solar[2].reason, "Segnatura: Sole, maestro del tema");
    // Without a key the ranking is left as it was.
    const auto plain = rankWithChart(dir, ranked, {});
    EXPECT_EQ(plain[0].ranked.name, "TSA Zenzero");
}

} // namespace chart_ranking_test
} // namespace qv::consultations
