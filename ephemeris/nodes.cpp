#include "ephemeris/nodes.h"

#include "ephemeris/angles.h"
#include "ephemeris/correction_tables.h"

namespace qv {

Extended meanNode(Extended t) {
    return Norm360(259.183275L - 1934.142L * t + 0.002078L * t * t + 0.0000022L * t * t * t);
}

namespace {
struct NodeTerm {
    Extended coefficient;
    // argument = sun·☉ + moon·☾ + node·Ω̄ + perigee·Γ′ + solar·ϖ
    int sun, moon, node, perigee, solar;
};

constexpr NodeTerm kTrueNodeTerms[] = {
    {1.517L, 2, 0, -2, 0, 0},   {-0.163L, 1, 0, 0, 0, -1},  {-0.128L, -2, 2, 0, 0, 0},
    {0.12L, 0, 2, -2, 0, 0},    {0.107L, 0, 0, -2, 2, 0},   {0.063L, 3, 0, -2, 0, -1},
    {0.04L, -2, 1, 0, 1, 0},    {-0.04L, 0, 1, -2, 1, 0},   {0.027L, 0, 1, 0, -1, 0},
    {-0.027L, 1, 0, -2, 0, 1},  {0.015L, 2, 0, 0, -2, 0},   {-0.013L, -2, 1, 2, -1, 0},
    {-0.013L, 2, 1, -2, -1, 0}, {-0.007L, -3, 2, 0, 0, 1},  {0.005L, 0, 3, -2, -1, 0},
    {-0.005L, -2, 3, 0, -1, 0}};

constexpr Extended kSolarPerigee = 282.596403L;
} // namespace

Extended trueNode(const FundamentalArgs& fa, Extended sun, Extended moon) {
    static const Turn solar = [] {
        Turn t;
        SinCosDeg(kSolarPerigee, t.s, t.c);
        return t;
    }();
    const Extended mean = meanNode(fa.t);
    const Extended perigee = moonPerigee(fa.d, fa.t);
    // The sines of the arguments by angle addition from the multiples of
    // each longitude.
    const Multiples<3> sunTurns(TurnDeg(sun));
    const Multiples<3> moonTurns(TurnDeg(moon));
    const Multiples<3> nodeTurns(TurnDeg(mean));
    const Multiples<3> perigeeTurns(TurnDeg(perigee));
    Extended node = mean;
    for (const NodeTerm& term : kTrueNodeTerms) {
        Turn arg = sunTurns[term.sun];
        if (term.moon != 0) arg = arg * moonTurns[term.moon];
        if (term.node != 0) arg = arg * nodeTurns[term.node];
        if (term.perigee != 0) arg = arg * perigeeTurns[term.perigee];
        if (term.solar != 0) arg = arg * (term.solar > 0 ? solar : conj(solar));
        node += term.coefficient * arg.s;
    }
    node = Norm360(node);
    if (fa.jd > 1721433.5L && fa.jd < 2499373.5L) node = Norm360(node + ReadDpr1(fa.jd, 9) / 60.0L);
    return node;
}

Extended blackMoon(const FundamentalArgs& fa, const std::string& kind) {
    const Extended x = fa.moonPerigee + 180.0L;
    Extended lon = x - Int(x / 360.0L) * 360.0L;
    if (kind == "VERA" && fa.jd >= 2396758.5L && fa.jd < 2488433.5L)
        lon = Norm360(lon + ReadNojlne(fa.jd) / 3600.0L);
    return lon;
}

} // namespace qv
