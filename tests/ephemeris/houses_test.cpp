#include "ephemeris/angles.h"
#include "ephemeris/houses.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace houses_test {

HouseInput london2000() {
    HouseInput in;
    in.latDegrees = 51;
    in.latMinutes = 29;
    in.latLetter = "N";
    in.lonDegrees = 0;
    in.lonMinutes = 0;
    in.lonLetter = "E";
    in.hour = 12;
    in.minute = 0;
    in.corr = 0;
    in.jd = 2451545.0L;
    return in;
}

TEST(Houses, AnglesAtJ2000InLondon) {
    ChartState s;
    s.houseSystem = "CASE_MEDIE";
    computeHouses(s, london2000());
    EXPECT_NEAR(static_cast<double>(s.localSiderealTime), 18.6974, 0.00005);
    EXPECT_NEAR(static_cast<double>(RadToDeg(s.mcRadians)), 279.61, 0.005);
    EXPECT_NEAR(static_cast<double>(RadToDeg(s.ascRadians)), 24.28, 0.005);
    EXPECT_EQ(s.cusp[1], Norm360(s.ascRadians * 180.0L / kPi));
    for (int i = 2; i <= 12; ++i) EXPECT_NEAR(static_cast<double>(Norm360(s.cusp[i] - s.cusp[i - 1])), 30.0, 1e-12);
}

TEST(Houses, LongitudeLatitudeAndTimeConventions) {
    const HouseFrame base = houseFrame(london2000());
    auto lstShift = [&](HouseInput in) {
        return static_cast<double>(Norm360(15.0L * (houseFrame(in).localSiderealTime - base.localSiderealTime)));
    };
    HouseInput east = london2000();
    east.lonDegrees = 9;
    east.lonMinutes = 11;
    EXPECT_NEAR(lstShift(east), 9.0 + 11.0 / 60.0, 1e-9);
    HouseInput west = east;
    west.lonLetter = "W";
    EXPECT_NEAR(lstShift(west), 360.0 - (9.0 + 11.0 / 60.0), 1e-9);
    west.lonLetter = "O";
    EXPECT_NEAR(lstShift(west), 360.0 - (9.0 + 11.0 / 60.0), 1e-9);

    HouseInput south = london2000();
    south.latDegrees = 33;
    south.latMinutes = 52;
    south.latLetter = "S";
    EXPECT_NEAR(static_cast<double>(houseFrame(south).latitude), 360.0 - (33.0 + 52.0 / 60.0), 1e-12);
    EXPECT_NEAR(static_cast<double>(houseFrame(south).signedLatitude()), -(33.0 + 52.0 / 60.0), 1e-12);

    // 23:30 with Corr −1 is 22:30 UT, 10.5 hours after the noon of the frame.
    HouseInput late = london2000();
    late.hour = 23;
    late.minute = 30;
    late.corr = -1;
    EXPECT_NEAR(lstShift(late), 15.0 * 10.5, 1e-9);
}

TEST(Houses, MediumCoeliFromRightAscension) {
    const Extended cosEps = CosDeg(23.44L);
    const Extended mc = EclipticFromRightAscension(200.0L, cosEps);
    EXPECT_GT(mc, 180.0L);
    EXPECT_LT(mc, 270.0L);
    EXPECT_NEAR(static_cast<double>(EclipticFromRightAscension(90.0L, cosEps)), 90.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(EclipticFromRightAscension(0.0L, cosEps)), 0.0, 1e-9);
}

TEST(Houses, PlacidusKeepsTheAnglesAndSolvesTheSemiArcs) {
    ChartState s;
    s.houseSystem = "PLACIDO";
    const HouseInput in = london2000();
    computeHouses(s, in);
    const HouseFrame f = houseFrame(in);
    EXPECT_EQ(s.cusp[10], f.mc);
    EXPECT_EQ(s.cusp[1], f.asc);
    for (int i = 1; i <= 6; ++i) EXPECT_NEAR(static_cast<double>(Norm360(s.cusp[i + 6] - s.cusp[i])), 180.0, 1e-9);
    // Cusp 11 is the point whose hour angle is one third of its diurnal
    // semi-arc: check the equation it solves.
    const Extended eps = f.obliquity;
    const Extended lambda = s.cusp[11];
    const Extended ra = RadToDeg(std::atan2(SinDeg(lambda) * CosDeg(eps), CosDeg(lambda)));
    const Extended dec = RadToDeg(std::asin(SinDeg(eps) * SinDeg(lambda)));
    const Extended semiArc = RadToDeg(std::acos(-TanDeg(51.0L + 29.0L / 60.0L) * TanDeg(dec)));
    const Extended hourAngle = Norm360(ra - f.ramc);
    EXPECT_NEAR(static_cast<double>(hourAngle), static_cast<double>(semiArc / 3.0L), 0.001);
}

} // namespace houses_test
} // namespace qv

namespace qv {
namespace houses_test {

// Frames near and inside the polar circles, against the reference library
// (Swiss Ephemeris 2.10.03, swe_houses_armc with the same RAMC, obliquity
// 23.44° and latitude).
HouseFrame polarFrame(Extended latitude, Extended ramc) {
    HouseFrame f;
    f.obliquity = 23.44L;
    f.cosObliquity = CosDeg(f.obliquity);
    f.latitude = latitude < 0 ? 360.0L + latitude : latitude;
    f.ramc = ramc;
    f.mc = EclipticFromRightAscension(ramc, f.cosObliquity);
    f.asc = AscendantOf(ramc, f.obliquity, f.latitude);
    f.q = TanDeg(f.obliquity) * (-TanDeg(f.latitude));
    return f;
}

TEST(Houses, PlacidusCuspsUpToThePolarCircle) {
    struct Case { Extended latitude, ramc, c11, c12, c2, c3; };
    const Case cases[] = {
        {65, 12, 61.930681L, 110.146497L, 148.122598L, 165.071221L},
        {66, 4, 52.524927L, 107.344950L, 143.674889L, 158.752286L},
    };
    for (const Case& c : cases) {
        const Cusps cusps = cuspsOfSystem("PLACIDO", polarFrame(c.latitude, c.ramc));
        EXPECT_NEAR(static_cast<double>(cusps[11]), static_cast<double>(c.c11), 1e-5) << c.latitude;
        EXPECT_NEAR(static_cast<double>(cusps[12]), static_cast<double>(c.c12), 1e-5) << c.latitude;
        EXPECT_NEAR(static_cast<double>(cusps[2]), static_cast<double>(c.c2), 1e-5) << c.latitude;
        EXPECT_NEAR(static_cast<double>(cusps[3]), static_cast<double>(c.c3), 1e-5) << c.latitude;
    }
}

TEST(Houses, TheAscendantRisesInTheEastInsideThePolarCircles) {
    struct Case { Extended latitude, ramc, asc; };
    const Case cases[] = {{70, 300, 300.825071L}, {70, 120, 194.837108L}, {-70, 200, 326.256797L},
                          {65, 12, 136.860129L}};
    for (const Case& c : cases)
        EXPECT_NEAR(static_cast<double>(polarFrame(c.latitude, c.ramc).asc), static_cast<double>(c.asc), 1e-6)
            << c.latitude << " " << static_cast<double>(c.ramc);
}

TEST(Houses, ARightAscensionOfExactly180IsTheAutumnPoint) {
    EXPECT_EQ(EclipticFromRightAscension(180.0L, CosDeg(23.44L)), 180.0L);
    EXPECT_NEAR(static_cast<double>(EclipticFromRightAscension(180.000001L, CosDeg(23.44L))), 180.0, 1e-5);
    EXPECT_NEAR(static_cast<double>(EclipticFromRightAscension(179.999999L, CosDeg(23.44L))), 180.0, 1e-5);
}

} // namespace houses_test
} // namespace qv
