#include "analysis/affinities.h"
#include "analysis/substance.h"

#include "tests/analysis/hand_charts.h"

#include <gtest/gtest.h>

namespace qv {
namespace substance_test {

TEST(Substance, AllPlanetsInAriete) {
    const Substance s = computeSubstance(test::chartWith({1, 2, 3, 4, 5, 6, 29.999L, 100, 280, 200, 110}));
    EXPECT_EQ(s.elemental.cell[kSalt][kFire], 7);
    EXPECT_EQ(s.elemental.rowTotal, (std::array<int, 3>{7, 0, 0}));
    EXPECT_EQ(s.elemental.columnTotal, (std::array<int, 4>{7, 0, 0, 0}));
    EXPECT_EQ(s.seasonal.cell[kCardinal][kSpring], 7);
    EXPECT_EQ(s.seasonal.columnTotal, (std::array<int, 4>{7, 0, 0, 0}));

    const Humours& e = s.elementalHumours;
    EXPECT_EQ(e.element, (std::array<int, 4>{7, 0, 0, 0}));  // Fuoco, Terra, Aria, Acqua
    EXPECT_EQ((std::array<int, 4>{e.hot, e.moist, e.cold, e.dry}), (std::array<int, 4>{7, 0, 0, 7}));
    const Humours& h = s.seasonalHumours;
    EXPECT_EQ(h.element, (std::array<int, 4>{0, 0, 7, 0}));  // spring is read as Aria
    EXPECT_EQ((std::array<int, 4>{h.hot, h.moist, h.cold, h.dry}), (std::array<int, 4>{7, 7, 0, 0}));
}

TEST(Substance, SignTables) {
    struct Case { int sign; Element element; Principle principle; Modality modality; Season season; Element seasonElement; };
    const Case cases[] = {
        {1, kFire, kSalt, kCardinal, kSpring, kAir},          {2, kEarth, kSalt, kFixed, kSpring, kAir},
        {4, kWater, kSalt, kCardinal, kSummer, kFire},        {5, kFire, kSulphur, kFixed, kSummer, kFire},
        {6, kEarth, kSulphur, kMutable, kSummer, kFire},      {7, kAir, kSulphur, kCardinal, kAutumn, kEarth},
        {9, kFire, kMercuryPrinciple, kMutable, kAutumn, kEarth}, {11, kAir, kMercuryPrinciple, kFixed, kWinter, kWater},
        {12, kWater, kMercuryPrinciple, kMutable, kWinter, kWater},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(elementOfSign(c.sign), c.element) << c.sign;
        EXPECT_EQ(principleOfSign(c.sign), c.principle) << c.sign;
        EXPECT_EQ(modalityOfSign(c.sign), c.modality) << c.sign;
        EXPECT_EQ(seasonOfSign(c.sign), c.season) << c.sign;
        EXPECT_EQ(elementOfSeason(seasonOfSign(c.sign)), c.seasonElement) << c.sign;
    }
}

TEST(Substance, MixedChartCountsEveryPlanetTwiceInTheQualities) {
    // Ariete 29.999, Toro 30 (exactly), Cancro, Leone, Bilancia, Capricorno, Pesci.
    const Substance s = computeSubstance(test::chartWith({29.999L, 30, 100, 130, 190, 280, 350}));
    EXPECT_EQ(s.elemental.cell[kSalt][kFire], 1);
    EXPECT_EQ(s.elemental.cell[kSalt][kEarth], 1);
    EXPECT_EQ(s.elemental.cell[kSalt][kWater], 1);
    EXPECT_EQ(s.elemental.cell[kSulphur][kFire], 1);
    EXPECT_EQ(s.elemental.rowTotal, (std::array<int, 3>{3, 2, 2}));
    EXPECT_EQ(s.elemental.columnTotal, (std::array<int, 4>{2, 2, 1, 2}));
    EXPECT_EQ(s.seasonal.rowTotal, (std::array<int, 3>{4, 2, 1}));
    for (const Humours& h : {s.elementalHumours, s.seasonalHumours})
        EXPECT_EQ(h.hot + h.moist + h.cold + h.dry, 14);
}

TEST(Affinities, PairsModesAndPlaces) {
    EXPECT_EQ(kMagneticPairs[2].first, 6);
    EXPECT_EQ(kMagneticPairs[2].second, 12);
    EXPECT_EQ(kMagneticPairs[2].colour, TextColour::Red);
    EXPECT_EQ(kSolilunarPairs[0].first, 4);
    EXPECT_EQ(kSolilunarPairs[0].second, 11);
    EXPECT_STREQ(affinityCaption(AffinityMode::Solilunar), "Solilunari");
    EXPECT_STREQ(affinityCaption(AffinityMode::Both), "");
    EXPECT_EQ(nextAffinityMode(AffinityMode::Both), AffinityMode::Magnetic);

    // The Ascendant on the left: a longitude equal to it lies at (cx − r, cy).
    const WheelPlace asc = wheelPlace(100, 100, 50, 60, 30);
    EXPECT_EQ(asc.x, 20);
    EXPECT_EQ(asc.y, 60);
    // The zodiac runs counterclockwise: 90° later is at the bottom, 90°
    // earlier at the top (y grows downwards).
    const WheelPlace later = wheelPlace(100, 190, 50, 60, 30);
    EXPECT_EQ(later.x, 50);
    EXPECT_EQ(later.y, 90);
    const WheelPlace earlier = wheelPlace(100, 10.4L, 50, 60, 30);
    EXPECT_EQ(earlier.x, 50);
    EXPECT_EQ(earlier.y, 30);
    // Ascendants of 0.4° and 359.6° turn the figure alike.
    for (int sign = 1; sign <= 12; ++sign) {
        const WheelPlace a = signPlace(0.4L, sign, 100, 100, 40);
        const WheelPlace b = signPlace(359.6L, sign, 100, 100, 40);
        EXPECT_EQ(a.x, b.x) << sign;
        EXPECT_EQ(a.y, b.y) << sign;
    }
}

} // namespace substance_test
} // namespace qv
