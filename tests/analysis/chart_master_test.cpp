#include "analysis/chart_master.h"

#include "base/errors.h"
#include "base/text_file.h"
#include "ephemeris/julian_day.h"
#include "tests/analysis/cast_charts.h"

#include <gtest/gtest.h>

namespace qv {
namespace chart_master_test {

std::array<int, 11> sectionValues(const ChartMasterScores& s, std::size_t k) { return s.sections[k].value; }

// Equal cusps from an Ascendant.
std::array<Extended, 13> equalCusps(Extended asc) {
    std::array<Extended, 13> c{};
    for (int h = 1; h <= 12; ++h) c[static_cast<std::size_t>(h)] = Norm360(asc + 30.0L * (h - 1));
    return c;
}

// Worked by hand. Ascendant 100° (Cancro, not in its last 3°), equal cusps
// 100, 130, … 70; houses by the first arc that holds a point, so Giove at
// 250 (on cusp 6) is in house 5 and the Mediocielo at 10 in house 9.
//
// planet    λ        sign  house  speed
// Sole      95       Can   12     1.02  → 5
// Luna      20       Ari   10     13    → 3
// Mercurio  110      Can   1      −0.5  → −3
// Venere    150.5    Ver   2      1.1   → 5
// Marte     12.8572  Ari   10     0.2   → 1
// Giove     250      Sag   5      −0.03 → −1
// Saturno   80       Gem   12     0.1   → 5
// Urano     300      Acq   7      0.03  → 3
// Nettuno   290      Cap   7      −0.02 → −5
// Plutone   230      Sco   5      0.01  → 3
//
// Houses' parts: Sole C = 25 in house 12 (step 5) → K 5 → entry 51 = 6;
// Luna C = 10, house 10 (step 10) → K 1 → entry 41 = 10; Mercurio C = 10,
// house 1 (step 7.5) → K 2 → entry 2 = 10; Venere C = Round(20.5) = 20,
// house 2 (step 6) → K 4 → entry 6 = 6; Marte C = 3 → entry 41 = 10; Giove
// C = 30, house 5 → K 5 → entry 23 = 2; Saturno C = 10, house 12 → K 2 →
// entry 48 = 3; Urano C = 20, house 7 (step 7.5) → K 3 → entry 31 = 9;
// Nettuno C = 10 → K 2 → entry 30 = 10; Plutone C = 10, house 5 → K 2 →
// entry 20 = 6.
//
// Elements of the ten: Ariete 21 + 29 = 50 is the largest sum; Fire
// 50 + 1 + 22 = 73, Earth 1 + 25 + 16 = 42, Air 15 + 1 + 30 = 46, Water
// 26 + 8 + 1 = 35. Of the seven: 73, 1 + 25 + 1 = 27, 15 + 1 + 1 = 17,
// 26 + 1 + 1 = 28.
TEST(ChartMaster, HandCheckedChart) {
    const std::array<Extended, 13> lambda = {0, 95, 20, 110, 150.5L, 12.8572L, 250, 80, 300, 290, 230, 100, 10};
    const std::array<double, 11> speed = {0, 1.02, 13, -0.5, 1.1, 0.2, -0.03, 0.1, 0.03, -0.02, 0.01};
    const ChartMasterScores s = scoreOf(lambda, speed, equalCusps(100));
    EXPECT_EQ(s.ascendantSign, 4);
    EXPECT_EQ(s.house, (std::array<int, 13>{0, 12, 10, 1, 2, 10, 5, 12, 7, 7, 5, 1, 9}));
    ASSERT_EQ(s.sections.size(), 8u);
    const std::vector<std::string> headers = {
        "AFFINITA' CON SEGNO ASCEND ", "VALORE PIANETI NEI SEGNI", "MAGGIORAZ PIAN TRADIZION ",
        "VALORE PIANETI NELLE CASE",    "AFFINITA' PIANETA CON CASA", "AFFIN SESSO PIANETA/SEGNO",
        "VALORE PER VELOC PIANETA",     "TOTALE"};
    const std::array<std::array<int, 11>, 8> values = {{
        {0, 0, 9, 3, 6, 1, 8, -3, 6, 5, 1},
        {0, 0, 0, 3, 2, 11, 10, 5, 9, 3, 1},
        {0, 5, 5, 0, 0, 0, 0, 5, 0, 0, 0},
        {0, 6, 10, 10, 6, 10, 2, 3, 9, 10, 6},
        {0, 0, -3, 0, 3, 3, 0, 0, 0, 0, 0},
        {0, -3, -3, 0, 3, 3, 3, 0, 3, 3, -3},
        {0, 5, 3, -3, 5, 1, -1, 5, 3, -5, 3},
        {0, 13, 21, 13, 25, 29, 22, 15, 30, 16, 8},
    }};
    for (std::size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(s.sections[k].header, headers[k]);
        EXPECT_EQ(sectionValues(s, k), values[k]) << headers[k];
    }
    EXPECT_EQ(s.elementsOfTen, (std::array<int, 4>{73, 42, 46, 35}));
    EXPECT_EQ(s.elementsOfSeven, (std::array<int, 4>{73, 27, 17, 28}));
}

TEST(ChartMaster, AscendantInTheLastDegreesAddsTheNextSign) {
    // 28°30′ Gemelli: the Gemelli and Cancro rows.
    const std::array<Extended, 13> lambda = {0, 95, 20, 110, 150.5L, 12.8572L, 250, 80, 300, 290, 230, 88.5L, 10};
    const ChartMasterScores s = scoreOf(lambda, {}, equalCusps(88.5L));
    EXPECT_EQ(sectionValues(s, 0), (std::array<int, 11>{0, 1, 9, 11, 8, 4, 9, 2, 11, 10, 0}));
    // 27° is not in the last 3°.
    const ChartMasterScores t = scoreOf(lambda, {}, equalCusps(87));
    EXPECT_EQ(sectionValues(t, 0), (std::array<int, 11>{0, 1, 0, 8, 2, 3, 1, 5, 5, 5, -1}));
}

TEST(ChartMaster, TraditionalRangesExcludeTheirBounds) {
    struct Case { int planet; Extended longitude; int increment; };
    const Case cases[] = {{2, 12.8572L, 0}, {2, 12.86L, 5}, {1, 12.8572L, 0}, {1, 0.1L, 5}, {7, 90, 0},
                          {7, 89.9L, 5}, {3, 40, 5}, {8, 95, 0}};
    for (const Case& c : cases) {
        std::array<Extended, 13> lambda{};
        lambda.fill(200);  // no range of any planet
        lambda[static_cast<std::size_t>(c.planet)] = c.longitude;
        EXPECT_EQ(scoreOf(lambda, {}, equalCusps(100)).sections[2].value[static_cast<std::size_t>(c.planet)], c.increment)
            << c.planet << " " << static_cast<double>(c.longitude);
    }
}

TEST(ChartMaster, SpeedsThroughAriete) {
    struct Case { Extended before, after; double perDay; };
    const Case cases[] = {{0.01L, 359.99L, -0.24}, {359.99L, 0.01L, 0.24}, {100, 101, 12}, {100, 99.5L, -6}};
    for (const Case& c : cases) EXPECT_NEAR(degreesPerDay(c.before, c.after), c.perDay, 1e-9);
}

TEST(ChartMaster, AllTotalsNegative) {
    std::array<int, 13> x{};
    std::array<int, 13> sign{};
    for (int i = 1; i <= 12; ++i) {
        x[static_cast<std::size_t>(i)] = i <= 10 ? -i : 0;
        sign[static_cast<std::size_t>(i)] = i;
    }
    EXPECT_EQ(elementBalance(x, sign), (std::array<int, 4>{3, 3, 3, 3}));

    std::array<Extended, 11> totals{};
    for (int p = 1; p <= 10; ++p) totals[static_cast<std::size_t>(p)] = -3 * p;
    const ChartMasterDisplay d = displayOf(totals);
    EXPECT_EQ(d.master, 0);
    // Scaled to the largest in size, −30: −30 is a full bar of 30.
    EXPECT_EQ(d.bars[10].length, 30);
    EXPECT_EQ(d.bars[10].label, "-30");
    EXPECT_TRUE(d.bars[10].negative);
    EXPECT_EQ(d.bars[1].length, 3);

    const ChartMasterDisplay zeros = displayOf({});
    EXPECT_EQ(zeros.master, 0);
    EXPECT_EQ(zeros.bars[5].length, 3);
    EXPECT_EQ(zeros.bars[5].label, "0");
}

TEST(ChartMaster, EqualMaximaAndBars) {
    const std::array<Extended, 11> totals = {0, 13, 30, 13, 30, -2, 1, 15, 29, 16, -120};
    const ChartMasterDisplay d = displayOf(totals);
    EXPECT_EQ(d.master, 2);  // the first of the two 30s
    EXPECT_EQ(d.bars[2].length, 30);
    EXPECT_EQ(d.bars[1].length, 13);
    EXPECT_EQ(d.bars[5].length, 3);  // |−2| is below 3
    EXPECT_TRUE(d.bars[5].negative);
    EXPECT_EQ(d.bars[10].length, 120);
    EXPECT_EQ(d.bars[10].label, "-120");
}

TEST(ChartMaster, CarrierDecoding) {
    struct Case { const char* moment; Extended corr; const char* zone; };
    const Case cases[] = {
        {"199003101230-1", -1, "+1"},        {"199003101230-1,5", -1.5L, "+1,5"},
        {"199003101230-1.5", -1.5L, "+1.5"}, {"199003101230+0", 0, "-0"},
        {"199003101230+5,75  ", 5.75L, "-5,75"},
    };
    for (const Case& c : cases) {
        const CarrierBirth b = decodeCarrier({"ROSSI MARIO", c.moment, "45N28-009E11MILANO", "PLACIDO", "0"});
        EXPECT_NEAR(b.corr, c.corr, 1e-15L) << c.moment;
        EXPECT_EQ(b.zoneText, c.zone) << c.moment;
    }
    const CarrierBirth b = decodeCarrier({"ROSSI MARIO", "199003101230-1", "45N28-009E11MILANO *MI*   ", "PLACIDO", "0"});
    EXPECT_EQ(b.title, "Nascita a MILANO *MI* il 10/03/1990 12:30  GMT+1");
    EXPECT_EQ(b.latDegrees, 45);
    EXPECT_EQ(b.lonLetter, "E");
    EXPECT_EQ(b.lonMinutes, 11);
    EXPECT_TRUE(b.gregorian);
    EXPECT_FALSE(decodeCarrier({"", "158210141200-1", "45N28-009E11", "", ""}).gregorian);
    EXPECT_THROW(decodeCarrier({"", "199003101230x", "45N28-009E11", "", ""}), ConversionError);
    EXPECT_THROW(decodeCarrier({"", "1990031012", "45N28-009E11", "", ""}), ConversionError);
    EXPECT_THROW(decodeCarrier({"", "199003101230-1", "45N28", "", ""}), ConversionError);
    EXPECT_THROW(decodeCarrier({"", "199003101230-1"}), IoError);
}

TEST(ChartMaster, FilesOfAScoredChart) {
    test::EphemerisDir dir;
    ChartState natal = test::castTraditional(test::birth(10, 3, 1990, 12, 30, -1, 45, 28, "N", 9, 11, "E"));
    const CarrierBirth birth = writeCarrierFile("ROSSI MARIO", "199003101230-1", "45N28-009E11MILANO", natal);
    const auto carrier = readTextLines(dir.dir.path() / "FileTmp" / "DatiNasc.Tmp");
    ASSERT_EQ(carrier.size(), 85u);
    EXPECT_EQ(carrier[3], "CASE_MEDIE");
    EXPECT_EQ(carrier[39], "LATITUDINI");
    EXPECT_EQ(carrier[52], "RETROGRADI");

    ChartState settings = natal;
    settings.houseSystem = "PLACIDO";
    const ChartMasterScores s = scoreChartMaster(birth, settings);
    EXPECT_EQ(s.birth.title, "Nascita a MILANO il 10/03/1990 12:30  GMT+1");
    // The Sun in Pesci, slow as in March: 0.99 to 1 degree a day.
    EXPECT_EQ(s.sign[1], 12);
    EXPECT_GT(s.speed[1], 0.99);
    EXPECT_LT(s.speed[1], 1.0);

    const auto report = readTextLines(dir.dir.path() / "FileDum" / "MMMaitre.dum");
    ASSERT_EQ(report.size(), 4u + 1u + 8u * 11u + 4u);
    EXPECT_EQ(report[0], "*MaitrePendrake*");
    EXPECT_EQ(report[3], s.birth.title);
    EXPECT_EQ(report[4], "SOL  LUN  MER  VEN  MAR  GIO  SAT  URA  NET  PLU");
    EXPECT_EQ(report[5], "AFFINITA' CON SEGNO ASCEND ");
    EXPECT_EQ(report[82], "TOTALE");
    const auto totals = readTextLines(dir.dir.path() / "FileDum" / "MMMaitr2.dum");
    ASSERT_EQ(totals.size(), 18u);
    for (int p = 1; p <= 10; ++p) EXPECT_EQ(totals[static_cast<std::size_t>(p - 1)], std::to_string(s.total[static_cast<std::size_t>(p)]));
    EXPECT_EQ(totals[10], report[93]);
    EXPECT_EQ(totals[10].size(), 3u);
    const auto houses = readTextLines(dir.dir.path() / "FileDum" / "Dati.dum");
    ASSERT_EQ(houses.size(), 10u);
    EXPECT_EQ(houses[0], report[39]);

    const ChartMasterDisplay d = chartMasterDisplay(natal, s);
    const auto summary = readTextLines(dir.dir.path() / "FileDum" / "Dati3.dum");
    ASSERT_EQ(summary.size(), 3u);
    EXPECT_EQ(summary[0], "PESCI     ");
    EXPECT_EQ(summary[2], d.master == 0 ? std::string() : kMasterPlanetNames[static_cast<std::size_t>(d.master)]);
    // The natal chart the scoring started from is unchanged.
    EXPECT_EQ(natal.houseSystem, "CASE_MEDIE");
}

} // namespace chart_master_test
} // namespace qv
