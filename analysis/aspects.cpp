#include "analysis/aspects.h"

#include "ephemeris/angles.h"
#include "ephemeris/text_forms.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

struct AspectInfo {
    Extended angle;
    int orbIndex;
    const char* name;
};

// By the value of Aspect.
const AspectInfo kInfo[] = {
    {0.0L, 0, ""},
    {0.0L, 0, "Congiunzione"},
    {60.0L, 1, "Sestile"},
    {90.0L, 2, "Quadrato"},
    {120.0L, 3, "Trigono"},
    {180.0L, 4, "Opposizione"},
    {135.0L, 11, "SesquiQuadr"},
    {45.0L, 8, "SemiQuadrato"},
    {150.0L, 13, "Quinconce"},
    {30.0L, 5, "SemiSestile"},
    {72.0L, 10, "Quintile"},
    {144.0L, 12, "BiQuintile"},
};

const Aspect kMajorOrder[] = {Aspect::Opposition, Aspect::Trine, Aspect::Square, Aspect::Sextile};
const Aspect kGridOrder[] = {Aspect::Opposition, Aspect::Quincunx,   Aspect::Biquintile,
                             Aspect::Sesquiquadrate, Aspect::Trine, Aspect::Square,
                             Aspect::Quintile,   Aspect::Sextile,    Aspect::SemiSquare,
                             Aspect::SemiSextile};

// Articled names of points 1–11 in the aspect list.
const char* const kListNames[12] = {"",         "il Sole", "la Luna",      "Mercurio",
                                    "Venere",   "Marte",   "Giove",        "Saturno",
                                    "il Nodo Nord", "il Nodo Sud", "l'Ascendente", "il Mediocielo"};

const char* listPhrase(Aspect a) {
    switch (a) {
    case Aspect::Conjunction: return " in Congiunzione con ";
    case Aspect::Sextile: return " in Sestile con ";
    case Aspect::Square: return " in Quadratura con ";
    case Aspect::Trine: return " in Trigono con ";
    case Aspect::Opposition: return " in Opposizione con ";
    default: return "";
    }
}

bool within(Extended separation, Aspect a, const OrbTable& orbs) {
    const Extended angle = aspectAngle(a);
    const Extended orb = orbs[static_cast<std::size_t>(aspectOrbIndex(a))];
    return angle - orb < separation && separation < angle + orb;
}

template <typename Order>
AspectMatch classify(Extended separation, const OrbTable& orbs, const Order& order) {
    for (Aspect a : order)
        if (within(separation, a, orbs)) return {a, std::fabs(separation - aspectAngle(a))};
    if (separation < orbs[0]) return {Aspect::Conjunction, separation};
    return {};
}

// An opposition this close to exact is the axis of the nodes.
constexpr Extended kExactOpposition = 0.00001L;

} // namespace

Extended aspectAngle(Aspect aspect) { return kInfo[static_cast<int>(aspect)].angle; }
int aspectOrbIndex(Aspect aspect) { return kInfo[static_cast<int>(aspect)].orbIndex; }
const char* aspectName(Aspect aspect) { return kInfo[static_cast<int>(aspect)].name; }

Extended AngularSeparation(Extended a, Extended b) {
    Extended d = b - a;
    if (d < 0) d += 360.0L;
    if (d > 180.0L) d = 360.0L - d;
    return d;
}

AspectMatch ClassifyMajorAspect(Extended separation, const OrbTable& orbs) {
    return classify(separation, orbs, kMajorOrder);
}

AspectMatch ClassifyGridAspect(Extended separation, const OrbTable& orbs) {
    return classify(separation, orbs, kGridOrder);
}

std::vector<std::string> aspectListLines(const ChartState& chart, const OrbTable& orbs) {
    std::vector<std::string> lines{"ASPETTI PLANETARI"};
    for (int i = 1; i <= kTraditionalPoints; ++i) {
        for (int j = i + 1; j <= kTraditionalPoints; ++j) {
            const AspectMatch m =
                ClassifyMajorAspect(AngularSeparation(chart.longitude[i], chart.longitude[j]), orbs);
            if (m.aspect == Aspect::None) continue;
            if (m.aspect == Aspect::Opposition && m.deviation < kExactOpposition) continue;
            lines.push_back(NumberText(4, m.deviation) + "   " + kListNames[i] + listPhrase(m.aspect) +
                            kListNames[j]);
        }
    }
    lines.push_back("   ");
    lines.push_back("L'aspetto \xE8 tanto pi\xF9 preciso quanto");
    lines.push_back("pi\xF9 \xE8 piccolo il numero che lo precede");
    return lines;
}

std::vector<GridCell> aspectGrid(const ChartState& chart, const OrbTable& orbs) {
    std::vector<GridCell> cells;
    for (int f = 1; f <= 9; ++f) {
        for (int g = f + 1; g <= kTraditionalPoints; ++g) {
            GridCell cell;
            cell.row = f;
            cell.column = g;
            const Extended sep = AngularSeparation(chart.longitude[f], chart.longitude[g]);
            const AspectMatch m = ClassifyGridAspect(sep, orbs);
            cell.aspect = m.aspect;
            if (m.aspect != Aspect::None) {
                cell.roundedDeviation = static_cast<int>(Round(std::fabs(aspectAngle(m.aspect) - sep)));
                cell.deviationText = ZeroPad(cell.roundedDeviation, 2);
            }
            cells.push_back(cell);
        }
    }
    return cells;
}

std::vector<DistanceCell> sphericalDistances(const ChartState& chart, const OrbTable& orbs) {
    std::vector<DistanceCell> cells;
    for (int f = 1; f <= 9; ++f) {
        for (int g = f + 1; g <= kTraditionalPoints; ++g) {
            const Extended p1 = 90.0L - chart.latitude[f];
            const Extended p2 = 90.0L - chart.latitude[g];
            const Extended delta = AngularSeparation(chart.longitude[f], chart.longitude[g]);
            Extended x = CosDeg(p1) * CosDeg(p2) + SinDeg(p1) * SinDeg(p2) * CosDeg(delta);
            // Rounding can carry the cosine a step past ±1, where the arc
            // cosine has no value.
            x = std::clamp(x, -1.0L, 1.0L);
            DistanceCell cell;
            cell.row = f;
            cell.column = g;
            cell.distance = RadToDeg(std::acos(x));
            cell.text = NumberText(5, cell.distance);
            cell.hard = within(cell.distance, Aspect::Opposition, orbs) || within(cell.distance, Aspect::Square, orbs);
            cell.soft = within(cell.distance, Aspect::Trine, orbs) || within(cell.distance, Aspect::Sextile, orbs);
            cell.conjunct = cell.distance < orbs[0];
            if (cell.hard) cell.colour = TextColour::Red;
            if (cell.soft) cell.colour = TextColour::Aqua;
            if (cell.conjunct) cell.colour = TextColour::Yellow;
            cells.push_back(cell);
        }
    }
    return cells;
}

std::vector<WheelAspectLine> wheelAspectLines(const std::vector<std::pair<int, Extended>>& points,
                                              const OrbTable& orbs) {
    std::vector<WheelAspectLine> lines;
    for (std::size_t i = 0; i < points.size(); ++i) {
        for (std::size_t j = i + 1; j < points.size(); ++j) {
            const AspectMatch m = ClassifyMajorAspect(AngularSeparation(points[i].second, points[j].second), orbs);
            if (m.aspect == Aspect::None || m.aspect == Aspect::Conjunction) continue;
            const int rounded = static_cast<int>(Round(m.deviation));
            if (m.aspect == Aspect::Opposition && rounded == 0) continue;
            lines.push_back({points[i].first, points[j].first, m.aspect, rounded,
                             m.aspect == Aspect::Square || m.aspect == Aspect::Opposition});
        }
    }
    return lines;
}

std::vector<WheelAspectLine> wheelAspectLines(const ChartState& chart, const OrbTable& orbs) {
    std::vector<std::pair<int, Extended>> points;
    for (int i = 1; i <= kTraditionalPoints; ++i) points.emplace_back(i, chart.longitude[i]);
    return wheelAspectLines(points, orbs);
}

Extended spindleHalfWidth(int roundedDeviation) {
    return 1.0L / (1.2L * std::sqrt(std::max(static_cast<Extended>(roundedDeviation), 0.2L)));
}

} // namespace qv
