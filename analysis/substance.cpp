#include "analysis/substance.h"

#include "analysis/chart_codes.h"
#include "base/errors.h"

#include <algorithm>
#include <cmath>
#include <string>

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

int checkedSign(int sign) {
    if (sign < 1 || sign > 12) throw ConversionError("Segno zodiacale inesistente: " + std::to_string(sign));
    return sign;
}

} // namespace

Extended oneTurn(Extended longitude) {
    if (!std::isfinite(longitude))
        throw ConversionError("Posizione non calcolabile: una longitudine non \xE8 un numero "
                              "(tabelle di correzione danneggiate?)");
    Extended r = std::fmod(longitude, 360.0L);  // exact
    if (r < 0) r += 360.0L;
    if (r >= 360.0L) r = 0;  // a tiny negative rounds up to a whole turn
    return r;
}

int zodiacSignOf(Extended longitude) { return std::min(12, static_cast<int>(oneTurn(longitude) / 30.0L) + 1); }

void bringWithinOneTurn(ChartState& chart) {
    bool changed = false;
    auto reduce = [&](Extended& x) {
        const Extended r = oneTurn(x);
        if (r != x) changed = true;
        x = r;
    };
    for (int i = 1; i <= kMarkSlots; ++i) reduce(chart.longitude[static_cast<std::size_t>(i)]);
    for (int h = 1; h <= 12; ++h) reduce(chart.cusp[static_cast<std::size_t>(h)]);
    for (int i = 1; i <= kMarkSlots; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (chart.signOf[k] < 1 || chart.signOf[k] > 12 || chart.houseOf[k] < 1 || chart.houseOf[k] > 12) changed = true;
    }
    if (!changed) return;
    chart.houseOf.fill(0);
    housesOfPoints(kMarkSlots, chart.longitude.data(), chart.cusp.data(), chart.houseOf.data());
    for (int i = 1; i <= kMarkSlots; ++i) {
        const auto k = static_cast<std::size_t>(i);
        chart.signOf[k] = static_cast<std::uint8_t>(zodiacSignOf(chart.longitude[k]));
        if (chart.houseOf[k] < 1 || chart.houseOf[k] > 12) chart.houseOf[k] = 1;  // every cusp on one point
    }
    for (int h = 1; h <= 12; ++h)
        chart.cuspSign[static_cast<std::size_t>(h)] = static_cast<std::uint8_t>(zodiacSignOf(chart.cusp[static_cast<std::size_t>(h)]));
}

Element elementOfSign(int sign) { return kSignElement[checkedSign(sign)]; }
Principle principleOfSign(int sign) { return static_cast<Principle>((checkedSign(sign) - 1) / 4); }
Season seasonOfSign(int sign) { return static_cast<Season>((checkedSign(sign) - 1) / 3); }
Modality modalityOfSign(int sign) { return kSignModality[checkedSign(sign)]; }

Element elementOfSeason(Season season) {
    static const Element elements[4] = {kAir, kFire, kEarth, kWater};
    return elements[season];
}

Substance computeSubstance(const ChartState& chart) {
    Substance s;
    for (int p = 1; p <= kPlanets; ++p) {
        const int sign = zodiacSignOf(chart.longitude[static_cast<std::size_t>(p)]);
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
