// The chart computation of the current subject, on zero correction tables:
// the J2000 chart at Greenwich has the Sun at 280.368°, the Moon at 223.316°,
// the Ascendant at 24.28° and the Medium Coeli at 279.61°.
#include "settings/chart_settings.h"
#include "archive/archive_files.h"
#include "archive/current_subject.h"
#include "archive/side_files.h"
#include "archive/subject_registration.h"
#include "base/data_dir.h"
#include "base/errors.h"
#include "chart/chart_computation.h"
#include "tests/support/temp_data_dir.h"
#include "tests/support/zero_tables.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace chart_computation_test {

class ChartComputation : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeZeroCorrectionTables(dir.path());
        resetChartSettings();
        resetChartState();
        LoadActiveOrbs();
        createPersonalArchive();
    }
    void TearDown() override {
        resetChartSettings();
        resetChartState();
    }
    // Record 0 of TMPR as a registration or a recall leaves it.
    static void makeCurrent(const std::string& moment, const std::string& place = "51N29-000E00GREENWICH *LDN*") {
        BirthRecord r;
        r.moment = moment;
        r.place = place;
        r.calendar = "GR";
        r.nation = "REGNO UNITO";
        r.reserved2 = "riservato";
        writeCurrentSubject("ROSSI MARIO", r);
        writeAnnotationsFile(" nota");
    }
    test::TempDataDir dir{true};
};

TEST_F(ChartComputation, TheJ2000ChartOfARegisteredSubject) {
    NewSubject s;
    s.name = "Rossi Mario";
    s.coordinates = "51N29-000E00";
    s.place = "Greenwich (Ldn)";
    s.nation = "Regno Unito";
    s.hour = 12;
    ASSERT_EQ(registerSubject("BASE", s).failure, "");

    const ComputedChart c = computeChart();
    const ChartState& st = chartState();
    EXPECT_EQ(st.jd, 2451545.0L);
    const std::pair<int, double> points[] = {{1, 280.368}, {2, 223.316}, {3, 271.892}, {4, 241.568},
                                             {5, 327.963}, {6, 25.253},  {7, 40.387}};
    for (auto [k, value] : points) EXPECT_NEAR(static_cast<double>(st.longitude[k]), value, 0.0005) << k;
    EXPECT_NEAR(static_cast<double>(c.ephemerisLongitude[8]), 314.808, 0.0005) << "Uranus before the layout";
    EXPECT_NEAR(static_cast<double>(c.ephemerisLongitude[10]), 251.396, 0.0005) << "Pluto before the layout";

    // The traditional layout.
    EXPECT_EQ(st.longitude[kNorthNode], c.ephemerisLongitude[kEphemerisNode]);
    EXPECT_EQ(std::fmod(st.longitude[kSouthNode] - st.longitude[kNorthNode] + 360.0L, 360.0L), 180.0L);
    EXPECT_EQ(st.longitude[kAscendantPoint], st.cusp[1]);
    EXPECT_NEAR(static_cast<double>(st.longitude[kAscendantPoint]), 24.28, 0.005);
    EXPECT_NEAR(static_cast<double>(st.longitude[kMcPoint]), 279.61, 0.005);
    for (int k = kNorthNode; k <= kMcPoint; ++k) EXPECT_EQ(st.latitude[k], 0) << k;
    EXPECT_EQ(st.cusp[2], st.cusp[1] + 30) << "equal houses";
    EXPECT_EQ(st.houseSystem, "CASE_MEDIE");

    // Marks: the mean node always moves backwards; Saturn was retrograde.
    EXPECT_EQ(st.retroMark[kNorthNode], 'r');
    EXPECT_EQ(st.retroMark[kSouthNode], 'r');
    EXPECT_EQ(st.retroMark[kSaturn], 'r');
    EXPECT_EQ(st.retroMark[kSun], ' ');
    EXPECT_EQ(st.retroMark[kMcPoint], ' ');

    EXPECT_EQ(st.signOf[kSun], 10) << "Capricorno";
    EXPECT_EQ(st.signOf[kAscendantPoint], 1);
    EXPECT_EQ(st.houseOf[kSun], 9) << "between cusp 9 (264.28) and cusp 10 (294.28)";
    EXPECT_EQ(st.cuspSign[10], 10) << "cusp 10 = Ascendant + 270";
    EXPECT_EQ(st.jdText, "JD=2451545");
    EXPECT_EQ(st.zoneText, "+0.00");

    EXPECT_EQ(c.texts.name, "ROSSI MARIO" + std::string(27, ' '));
    EXPECT_EQ(c.texts.birth, "Nascita 01/01/2000 12:00  Correz. +0.00");
    EXPECT_EQ(c.texts.place, "Localit\xE0: GREENWICH (LDN)");
    EXPECT_EQ(c.texts.nation, "Nazionalit\xE0: REGNO UNITO");
    EXPECT_EQ(c.texts.coordinates, "Coordinate: 51N29-000E00");
    EXPECT_EQ(c.texts.calendar, "Calendario GREGORIANO");
    EXPECT_EQ(c.texts.annotations.substr(0, 11), " LO SPAZIO ");
}

TEST_F(ChartComputation, ZoneAndJulianDayTexts) {
    makeCurrent("200001011200-1");
    const ComputedChart c = computeChart();
    EXPECT_EQ(chartState().jdText, "JD=2451544.9583");
    EXPECT_EQ(chartState().zoneText, "+1.00");
    EXPECT_EQ(c.texts.birth, "Nascita 01/01/2000 12:00  Correz. +1.00");
    EXPECT_EQ(c.reserved2, "riservato");
    EXPECT_EQ(c.texts.annotations, " nota");

    const std::pair<long double, const char*> zones[] = {{-1, "+1.00"}, {2, "-2.00"}, {0, "+0.00"}, {-5.5L, "+5.50"}, {-10.5L, "+10.5"}};
    for (auto [corr, text] : zones) EXPECT_EQ(zoneTextOf(corr), text);
}

TEST_F(ChartComputation, CorrWithAPointOrACommaBothRead) {
    for (const char* moment : {"200001011200-1,5", "200001011200-1.5"}) {
        makeCurrent(moment);
        computeChart();
        EXPECT_EQ(chartState().corr, -1.5L) << moment;
        EXPECT_EQ(chartState().jd, 2451545.0L - 1.5L / 24.0L) << moment;
    }
}

TEST_F(ChartComputation, Before1850TheMinorBodiesAreZeroAndUnmarked) {
    makeCurrent("180001011200+0");
    computeChart();
    EXPECT_FALSE(chartState().asteroidsValid);
    for (int k = kCeres; k <= kChiron; ++k) {
        EXPECT_EQ(chartState().longitude[k], 0) << k;
        EXPECT_EQ(chartState().retroMark[k], ' ') << k;
    }
}

TEST_F(ChartComputation, FailuresLeaveTheChartStateAlone) {
    makeCurrent("200001011200+0");
    computeChart();
    const ChartState before = chartState();

    makeCurrent("200001011200abc");
    EXPECT_THROW(computeChart(), ConversionError);
    makeCurrent("200001011200+0", "5xN29-000E00GREENWICH");
    EXPECT_THROW(computeChart(), ConversionError);
    makeCurrent("200001011200+0");
    std::filesystem::remove(dataDir().resolve(kAnnotationsFile));
    EXPECT_THROW(computeChart(), IoError);
    std::filesystem::remove(dataDir().resolve("TMPR.ST2"));
    EXPECT_THROW(computeChart(), IoError);
    EXPECT_FALSE(currentSubjectExists());
    EXPECT_EQ(chartState().jd, before.jd);
    EXPECT_EQ(chartState().longitude, before.longitude);
}

TEST_F(ChartComputation, TheSettingsInForceAndTheAnalysisWindowsVariant) {
    makeCurrent("200001011200+0");
    computeChart();
    const ChartState single = chartState();
    computeChart(HouseCalls::PlacidusFirst);
    EXPECT_EQ(chartState().cusp, single.cusp) << "the equal-house call comes last";
    EXPECT_EQ(chartState().longitude, single.longitude);

    WriteSettingLine(18, "VERO");
    computeChart();
    EXPECT_EQ(chartState().nodeKind, "VERO");
    EXPECT_NE(chartState().longitude[kNorthNode], single.longitude[kNorthNode]) << "the true node";

    // Nothing loaded yet: the settings file is read first.
    resetChartSettings();
    computeChart();
    EXPECT_EQ(chartState().nodeKind, "VERO");
}

} // namespace chart_computation_test
} // namespace qv
