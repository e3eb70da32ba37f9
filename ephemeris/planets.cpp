#include "ephemeris/planets.h"

#include "ephemeris/angles.h"

#include <array>
#include <cmath>

namespace qv {

namespace {

struct Poly {
    Extended c0, c1, c2;
    Extended at(Extended t, Extended t2) const { return c0 + c1 * t + c2 * t2; }
};

struct ElementPolys {
    Poly m, e, a, w, node, i;
};

// What is computed once for each set of elements: a^1.5 (the semi-major
// axes are constants) and the turns of the angles that are constants.
struct Constants {
    Extended power = 0;
    FixedTurns fixed;
};

OrbitalElements evaluate(const ElementPolys& p, Extended t, const Constants& k) {
    const Extended t2 = t * t;
    return OrbitalElements{p.m.at(t, t2),    p.e.at(t, t2), p.a.at(t, t2), p.w.at(t, t2),
                           p.node.at(t, t2), p.i.at(t, t2), k.power,       &k.fixed};
}

// A polynomial without terms in T is its constant at every finite T.
bool constant(const Poly& p) { return p.c1 == 0 && p.c2 == 0; }

template <std::size_t N>
std::array<Constants, N> constantsOf(const ElementPolys (&sets)[N]) {
    std::array<Constants, N> out{};
    for (std::size_t k = 0; k < N; ++k) {
        const ElementPolys& p = sets[k];
        if (constant(p.a)) out[k].power = std::exp(1.5L * std::log(p.a.c0));
        out[k].fixed = fixedTurns(constant(p.w), p.w.c0, constant(p.i), p.i.c0, constant(p.node), p.node.c0);
    }
    return out;
}

const ElementPolys kInner[3] = {
    // Mercury
    {{102.2793806L, 149472.51523L, 0.000006389L}, {0.20561421L, 0.00002046L, -0.00000003L}, {0.3870984L, 0, 0},
     {28.75375278L, 0.370280556L, 0.000120833L}, {47.14594444L, 1.185208333L, 0.000173889L},
     {7.002880556L, 0.001860833L, -0.000018333L}},
    // Venus
    {{212.6032194L, 58517.80386L, 0.001286056L}, {0.00682069L, -0.00004774L, 0.0000091L}, {0.7233316L, 0, 0},
     {54.38418611L, 0.508186111L, -0.001386389L}, {75.77964722L, 0.89985L, 0.00041L},
     {3.393630556L, 0.00100583L, -0.000000972L}},
    // Mars
    {{319.529425L, 19139.8585L, 0.000180806L}, {0.0933129L, 0.000092064L, -0.000000077L}, {1.5236915L, 0, 0},
     {285.4317611L, 1.069766667L, 0.00013125L}, {48.78644167L, 0.770991667L, -0.000001389L},
     {1.850333333L, -0.000675L, 0.000012611L}},
};

// Jupiter..Pluto: set A for T ≥ −2, set B before.
const ElementPolys kOuterA[5] = {
    {{225.49281253L, 3033.687936L, 0}, {0.04838144L, -0.0000155L, 0}, {5.20290493L, 0, 0},
     {273.3930152L, 1.33834464L, 0}, {99.41984827L, 1.05829152L, 0}, {1.3096585L, -0.00515613L, 0}},
    {{174.215296L, 1223.507963L, 0}, {0.05422831L, -0.00020495L, 0}, {9.55251745L, 0, 0},
     {338.911673L, -0.31667941L, 0}, {112.8261394L, 0.82587569L, 0}, {2.49080547L, -0.00466035L, 0}},
    {{74.17574887L, 427.2742717L, 0}, {0.04681664L, 0.00041875L, 0}, {19.22150505L, 0, 0},
     {95.68630387L, 2.05082548L, 0}, {73.52220082L, 0.52415598L, 0}, {0.77256652L, 0.00012824L, 0}},
    {{30.1329437L, 240.4551595L, 0}, {0.00912805L, -0.00127185L, 0}, {30.1137593L, 0, 0},
     {284.168255L, -21.6328615L, 0}, {130.6841531L, 1.10046492L, 0}, {1.77939281L, -0.00975088L, 0}},
    {{229.7810007L, 145.1781092L, 0}, {0.24797376L, 0.00289875L, 0}, {39.53903455L, 0, 0},
     {113.5365761L, 0.20863761L, 0}, {108.94405L, 1.37395444L, 0}, {17.15140319L, -0.01611824L, 0}},
};
const ElementPolys kOuterB[5] = {
    {{225.32833L, 3034.69202L, -0.00072L}, {0.04833L, 0.00016L, 0}, {5.202561L, 0, 0},
     {273.27754L, 0.59943L, 0.0007L}, {99.44338L, 1.01053L, 0.00035L}, {1.30874L, -0.005696L, 0}},
    {{175.46622L, 1221.55147L, -0.0005L}, {0.05589L, -0.00035L, 0}, {9.55475L, 0, 0},
     {338.30777L, 1.08522L, 0.00098L}, {112.79039L, 0.873195L, -0.00015L}, {2.49252L, -0.00392L, -0.00002L}},
    {{72.64882L, 428.37911L, 0.00008L}, {0.046344L, -0.00003L, 0}, {19.21814L, 0, 0},
     {98.07155L, 0.98577L, -0.00107L}, {73.4771L, 0.49867L, 0.00131L}, {0.77246L, 0.00063L, 0.00004L}},
    {{37.73067L, 218.46134L, -0.00007L}, {0.008997L, 0, 0}, {30.10957L, 0, 0},
     {276.04597L, 0.32564L, 0.00014L}, {130.68136L, 1.09894L, 0.000249L}, {1.77924L, -0.00954L, 0}},
    {{229.94722L, 144.91306L, 0}, {0.24864L, 0, 0}, {39.51774L, 0, 0},
     {113.52136L, 0, 0}, {108.95444L, 1.39601L, 0.00031L}, {17.14678L, 0, 0}},
};

const ElementPolys kMinor[5] = {
    // Ceres
    {{108.2925L, 7820.36556L, 0}, {0.0794314L, 0, 0}, {2.7672273L, 0, 0},
     {71.0794444L, 0, 0}, {80.23555556L, 1.3960111L, 0}, {10.59694444L, 0, 0}},
    // Pallas
    {{106.6641667L, 7806.531667L, 0}, {0.2347096L, 0, 0}, {2.7704955L, 0, 0},
     {310.166111L, 0, 0}, {172.497222L, 1.39601111L, 0}, {34.81416667L, 0, 0}},
    // Juno
    {{267.685L, 8256.081111L, 0}, {0.2562318L, 0, 0}, {2.6689897L, 0, 0},
     {245.3752778L, 0, 0}, {170.137777L, 1.396011111L, 0.0003083333L}, {13.01694444L, 0, 0}},
    // Vesta
    {{138.7733333L, 9924.931111L, 0}, {0.0902807L, 0, 0}, {2.360723L, 0, 0},
     {149.6386111L, 0, 0}, {103.2197222L, 1.396011111L, 0.000308333L}, {7.139444444L, 0, 0}},
    // Chiron
    {{34.6127752L, 713.5756219L, 0}, {0.382270369L, -0.004694073L, 0}, {13.66975144L, 0, 0},
     {337.407213L, 2.163306646L, 0}, {208.1482658L, 1.247724355L, 0}, {6.911179715L, 0.011236955L, 0}},
};

struct CosineTerm {
    Extended amplitude, rate, phase;
};

// A polynomial in T plus cosine terms amplitude × cos((rate × T + phase)°), AU.
template <std::size_t N>
Extended seriesAt(const Poly& poly, const CosineTerm (&terms)[N], Extended t) {
    Extended v = poly.at(t, t * t);
    for (const CosineTerm& term : terms) v += term.amplitude * CosDeg(term.rate * t + term.phase);
    return v;
}

constexpr CosineTerm kJupiterY[] = {
    {0.0051L, 581.7L, -9.7L},     {-0.0005L, 2510.7L, -12.5L}, {-0.0026L, 1313.7L, -61.4L},
    {0.0013L, 2370.79L, -24.6L},  {-0.0013L, 3599.3L, 37.7L},  {-0.001L, 2574.7L, 31.4L},
    {-0.00096L, 6708.2L, -114.5L}, {-0.0006L, 5499.4L, -74.97L}, {-0.0013L, 1419.0L, 54.2L},
    {0.0006L, 6339.3L, -109.0L},  {0.0007L, 4824.5L, -50.9L}};
constexpr CosineTerm kJupiterX[] = {
    {-0.0023L, 676.2L, 0.9L},     {0.00045L, 2361.4L, 174.9L}, {0.0015L, 1427.5L, -188.8L},
    {0.0006L, 2110.1L, 153.6L},   {0.0014L, 3606.8L, -57.7L},  {-0.0017L, 2540.2L, 121.7L},
    {-0.00099L, 6704.8L, -22.3L}, {-0.0006L, 5480.2L, 24.5L},  {0.00096L, 1651.3L, -118.3L},
    {0.0006L, 6310.8L, -4.8L},    {0.0007L, 4826.6L, 36.2L}};
constexpr CosineTerm kSaturnY[] = {
    {0.0134L, 1238.9L, -16.4L}, {-0.00426L, 3040.9L, -25.2L}, {0.0064L, 1835.3L, 36.1L},
    {-0.0153L, 610.8L, -44.2L}, {-0.0015L, 2480.5L, -69.4L}};
constexpr CosineTerm kSaturnX[] = {
    {0.0111L, 1242.2L, 78.3L},  {-0.0045L, 3034.96L, 62.8L}, {-0.0066L, 1829.2L, -51.5L},
    {-0.0078L, 640.6L, 24.2L},  {-0.0016L, 2363.4L, -141.4L}};
constexpr CosineTerm kUranusY[] = {
    {0.0299L, 422.3L, -17.7L}, {-0.0049L, 3035.1L, -31.3L}, {-0.0038L, 945.3L, 60.1L},
    {-0.0023L, 1227.0L, -4.99L}};
constexpr CosineTerm kUranusX[] = {
    {0.0317L, 404.3L, 81.9L}, {-0.00495L, 3037.9L, 57.3L}, {0.004L, 993.5L, -54.4L},
    {-0.0018L, 1249.4L, 79.2L}};
constexpr CosineTerm kNeptuneY[] = {
    {-0.1923L, 175.7L, 31.8L}, {0.0122L, 542.1L, 189.6L}, {0.0027L, 1219.4L, 178.1L},
    {-0.00496L, 3035.6L, -31.3L}};
constexpr CosineTerm kNeptuneX[] = {
    {-0.00496L, 3035.3L, 58.7L}, {0.0961L, 177.1L, -68.8L}, {-0.0073L, 630.9L, 51.0L},
    {-0.0025L, 1236.6L, 78.0L}};
constexpr CosineTerm kPlutoY[] = {
    {0.0371L, 372.0L, -331.3L}, {-0.0049L, 3049.6L, -39.2L}, {-0.0108L, 566.2L, 318.3L},
    {0.0003L, 1746.5L, -238.3L}};
constexpr CosineTerm kPlutoX[] = {
    {0.049L, 273.97L, 89.97L}, {-0.0049L, 3030.6L, 61.3L}, {0.0027L, 1075.3L, -28.1L},
    {-0.0007L, 1402.3L, 20.3L}};
constexpr CosineTerm kUranusZ[] = {
    {0.0005L, 352.5L, -54.99L}, {0.0001L, 3027.5L, 54.2L}, {-0.0001L, 1150.3L, -88.0L}};
constexpr CosineTerm kNeptuneZ[] = {
    {0.0001L, 3049.3L, 44.2L}, {-0.0002L, 893.9L, 48.5L}, {0.00007L, 1416.5L, -25.2L}};
constexpr CosineTerm kPlutoZ[] = {
    {0.0117L, 302.6L, -77.3L}, {0.00198L, 528.1L, 48.6L}, {-0.0002L, 1000.4L, -46.1L}};
constexpr CosineTerm kSaturnZ[] = {
    {-0.0005L, 1251.1L, 43.7L}, {0.0005L, 622.8L, 13.7L}, {0.0003L, 1824.7L, -71.1L},
    {0.0001L, 2997.1L, 78.2L}};

} // namespace

OrbitalElements elementsOf(int point, Extended t) {
    static const auto inner = constantsOf(kInner);
    static const auto outerA = constantsOf(kOuterA);
    static const auto outerB = constantsOf(kOuterB);
    static const auto minor = constantsOf(kMinor);
    if (point >= 3 && point <= 5) return evaluate(kInner[point - 3], t, inner[point - 3]);
    if (point >= 6 && point <= 10)
        return t >= -2.0L ? evaluate(kOuterA[point - 6], t, outerA[point - 6])
                          : evaluate(kOuterB[point - 6], t, outerB[point - 6]);
    return evaluate(kMinor[point - 15], t, minor[point - 15]);
}

Vector3 perturbationOf(int point, Extended t) {
    Vector3 d;
    if (point < 6 || point > 10 || t < 0 || t > 2.0L) return d;
    switch (point) {
    case 6:
        d.y = seriesAt(Poly{-0.001L, -0.0005L, 0.0045L}, kJupiterY, t);
        d.x = seriesAt(Poly{0.002L, -0.0134L, 0.0127L}, kJupiterX, t);
        break;
    case 7: {
        d.y = seriesAt(Poly{-0.0009L, 0.0037L, 0}, kSaturnY, t);
        d.x = seriesAt(Poly{-0.0014L, 0.0026L, 0}, kSaturnX, t);
        const Extended sz = seriesAt(Poly{0, 0, 0}, kSaturnZ, t);
        d.z = SinDeg(sz) * 180.0L / kPi + 0.0006L - 0.0002L * t;
        break;
    }
    case 8:
        d.y = seriesAt(Poly{-0.0021L, -0.0159L, 0}, kUranusY, t);
        d.x = seriesAt(Poly{0.0134L, -0.02186L, 0}, kUranusX, t);
        d.z = seriesAt(Poly{-0.0003L, 0.0005L, 0}, kUranusZ, t);
        break;
    case 9:
        d.y = seriesAt(Poly{0.1832L, -0.6718L, 0.2726L}, kNeptuneY, t);
        d.x = seriesAt(Poly{-0.1122L, 0.166L, -0.0544L}, kNeptuneX, t);
        d.z = seriesAt(Poly{0.00196L, -0.0119L, 0.0111L}, kNeptuneZ, t);
        break;
    case 10:
        d.y = seriesAt(Poly{-0.0426L, 0.073L, -0.029L}, kPlutoY, t);
        d.x = seriesAt(Poly{-0.0603L, 0.5002L, -0.6126L}, kPlutoX, t);
        d.z = seriesAt(Poly{0.0145L, -0.0928L, 0.1195L}, kPlutoZ, t);
        break;
    }
    return d;
}

} // namespace qv
