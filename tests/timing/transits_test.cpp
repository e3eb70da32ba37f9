#include "timing/transits.h"

#include "ephemeris/julian_day.h"
#include "tests/analysis/cast_charts.h"
#include "timing/body_positions.h"
#include "timing/longitude_track.h"
#include "timing/roots.h"
#include "timing/solar_return.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::timing {
namespace {

Extended jd(int d, int m, int y) { return julianDayOf(true, d, m, y, 0, 0); }

// A natal chart whose eleven points are all at `longitude`.
ChartState chartAt(Extended longitude) {
    ChartState s;
    for (int k = 1; k <= kNatalTargetCount; ++k) s.longitude[static_cast<std::size_t>(k)] = longitude;
    return s;
}

std::vector<Contact> only(const std::vector<Contact>& all, int natal, int aspect) {
    std::vector<Contact> out;
    for (const Contact& c : all)
        if (c.natal == natal && c.aspect == aspect) out.push_back(c);
    return out;
}

class Transits : public ::testing::Test {
protected:
    test::EphemerisDir dir;
};

// Mars turned retrograde in December 2024 and direct in February 2025: a
// point midway along its backward arc is passed three times.
TEST_F(Transits, ARetrogradeLoopPassesAPointThreeTimes) {
    BodyPositions mars(kMars, "MEDIO");
    const LongitudeTrack track(mars, jd(1, 9, 2024), jd(1, 6, 2025));
    const auto stations = track.stations();
    ASSERT_EQ(stations.size(), 2u);
    EXPECT_NEAR(static_cast<double>(stations[0]), static_cast<double>(jd(6, 12, 2024)), 2.0);
    EXPECT_NEAR(static_cast<double>(stations[1]), static_cast<double>(jd(24, 2, 2025)), 2.0);
    EXPECT_NEAR(static_cast<double>(mars.speed(stations[0])), 0.0, 1e-4);

    const Extended middle = (mars.longitude(stations[0]) + mars.longitude(stations[1])) / 2;
    const auto passes = track.crossings(middle);
    ASSERT_EQ(passes.size(), 3u);
    const bool directions[] = {true, false, true};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(passes[i].forward, directions[i]) << i;
        EXPECT_NEAR(static_cast<double>(halfTurn(mars.longitude(passes[i].jd) - middle)), 0.0, 1e-6) << i;
    }
    EXPECT_LT(passes[0].jd, stations[0]);
    EXPECT_GT(passes[1].jd, stations[0]);
    EXPECT_LT(passes[1].jd, stations[1]);
    EXPECT_GT(passes[2].jd, stations[1]);

    // As a transit, the three passes are one contact: Mars leaves the orb
    // between them through the side it came back by.
    TransitQuery q;
    q.from = jd(1, 10, 2024);
    q.to = jd(1, 5, 2025);
    q.bodies = {kMars};
    const auto contacts = only(findTransits(chartAt(middle), q), kSun, 0);
    ASSERT_EQ(contacts.size(), 1u);
    const Contact& c = contacts.front();
    ASSERT_EQ(c.exact.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_NEAR(static_cast<double>(c.exact[i] - passes[i].jd), 0.0, 1e-6);
    EXPECT_EQ(c.outOfOrb.size(), 2u);
    ASSERT_TRUE(c.enter && c.leave);
    EXPECT_LT(*c.enter, c.exact[0]);
    EXPECT_GT(*c.leave, c.exact[2]);
    for (Extended edge : {*c.enter, *c.leave})
        EXPECT_NEAR(static_cast<double>(std::fabs(halfTurn(mars.longitude(edge) - middle))), 2.0, 1e-5);
}

TEST_F(Transits, TheSunMeetsANatalPointOnceAYearAtItsReturn) {
    const ChartState natal = test::castTraditional(test::birth(14, 3, 1975, 10, 30, -1, 45, 28, "N", 9, 11, "E"));
    TransitQuery q;
    q.from = jd(1, 1, 2026);
    q.to = jd(1, 1, 2027);
    q.bodies = {kSun};
    const auto contacts = only(findTransits(natal, q), kSun, 0);
    ASSERT_EQ(contacts.size(), 1u);
    ASSERT_EQ(contacts[0].exact.size(), 1u);
    EXPECT_NEAR(static_cast<double>(contacts[0].exact[0] - solarReturnMoment(natal, 2026)), 0.0, 1e-6);
    // Two degrees either side at about a degree a day.
    EXPECT_NEAR(static_cast<double>(*contacts[0].leave - *contacts[0].enter), 4.0, 0.2);
}

TEST_F(Transits, EveryMomentOfEveryContactStandsWhereItSays) {
    const ChartState natal = test::castTraditional(test::birth(2, 8, 1988, 23, 5, -2, 41, 54, "N", 12, 29, "E"));
    TransitQuery q;
    q.from = jd(1, 3, 2026);
    q.to = jd(1, 5, 2026);
    const auto contacts = findTransits(natal, q);
    ASSERT_FALSE(contacts.empty());
    std::array<int, kTransitBodyCount + 1> perBody{};
    Extended previous = -1e9L;
    for (const Contact& c : contacts) {
        ++perBody[static_cast<std::size_t>(c.body)];
        EXPECT_GE(c.sortKey, previous) << "sorted by their beginning";
        previous = c.sortKey;
        BodyPositions body(c.body, q.nodeKind);
        EXPECT_LT(std::min(std::fabs(halfTurn(c.natalLongitude + c.aspect - c.point)),
                           std::fabs(halfTurn(c.natalLongitude - c.aspect - c.point))), 1e-9L);
        for (Extended e : c.exact) EXPECT_NEAR(static_cast<double>(halfTurn(body.longitude(e) - c.point)), 0.0, 2e-7);
        for (const auto& edge : {c.enter, c.leave}) {
            if (!edge) continue;
            EXPECT_NEAR(static_cast<double>(std::fabs(halfTurn(body.longitude(*edge) - c.point))),
                        static_cast<double>(c.orb), 2e-7);
        }
        EXPECT_TRUE(!c.leave || *c.leave >= q.from);
        EXPECT_TRUE(!c.enter || *c.enter <= q.to);
    }
    // In two months the Moon passes every aspect point of the eleven natal
    // points about twice: 8 points each.
    EXPECT_GT(perBody[kMoon], 2 * 11 * 8 - 20);
    EXPECT_LT(perBody[kMoon], 3 * 11 * 8);
}

TEST(TransitOrbs, ByClassOfBody) {
    const TransitOrbs orbs;
    const std::pair<int, Extended> cases[] = {{kSun, 2}, {kMoon, 2}, {kMercury, 2}, {kMars, 2}, {kJupiter, 1.5L},
                                              {kSaturn, 1.5L}, {kUranus, 1}, {kPluto, 1}, {kEphemerisNode, 1}};
    for (auto [body, orb] : cases) EXPECT_EQ(orbs.of(body), orb) << body;
}

TEST(TransitBodies, NamedInItalianAnyCase) {
    EXPECT_EQ(transitBodyNamed("venere"), kVenus);
    EXPECT_EQ(transitBodyNamed("Nodo Nord"), kEphemerisNode);
    EXPECT_EQ(transitBodyNamed("NODONORD"), kEphemerisNode);
    EXPECT_EQ(transitBodyNamed("Plutone"), kPluto);
    EXPECT_FALSE(transitBodyNamed("Cerere"));
}

} // namespace
} // namespace qv::timing
