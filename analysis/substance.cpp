#include "analysis/substance.h"

#include "analysis/chart_codes.h"

namespace qv {

namespace {

const Element kSignElement[13] = {kFire, kFire, kEarth, kAir, kWater, kFire, kEarth,
                                  kAir,  kWater, kFire, kEarth, kAir, kWater};
const Modality kSignModality[13] = {kCardinal, kCardinal, kFixed, kMutable, kCardinal, kFixed, kMutable,
                                    kCardinal, kFixed,    kMutable, kCardinal, kFixed, kMutable};

void totals(CountTable& t) {
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) {
            t.rowTotal[static_cast<std::size_t>(r)] += t.cell[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            t.columnTotal[static_cast<std::size_t>(c)] += t.cell[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
        }
}

void qualities(Humours& h) {
    h.hot = h.element[kAir] + h.element[kFire];
    h.moist = h.element[kAir] + h.element[kWater];
    h.cold = h.element[kEarth] + h.element[kWater];
    h.dry = h.element[kFire] + h.element[kEarth];
}

} // namespace

Element elementOfSign(int sign) { return kSignElement[sign]; }
Principle principleOfSign(int sign) { return static_cast<Principle>((sign - 1) / 4); }
Season seasonOfSign(int sign) { return static_cast<Season>((sign - 1) / 3); }
Modality modalityOfSign(int sign) { return kSignModality[sign]; }

Element elementOfSeason(Season season) {
    static const Element elements[4] = {kAir, kFire, kEarth, kWater};
    return elements[season];
}

Substance computeSubstance(const ChartState& chart) {
    Substance s;
    for (int p = 1; p <= kPlanets; ++p) {
        const int sign = signOf(chart.longitude[static_cast<std::size_t>(p)]);
        ++s.elemental.cell[principleOfSign(sign)][elementOfSign(sign)];
        ++s.seasonal.cell[modalityOfSign(sign)][seasonOfSign(sign)];
        ++s.elementalHumours.element[elementOfSign(sign)];
        ++s.seasonalHumours.element[elementOfSeason(seasonOfSign(sign))];
    }
    totals(s.elemental);
    totals(s.seasonal);
    qualities(s.elementalHumours);
    qualities(s.seasonalHumours);
    return s;
}

} // namespace qv
