#include "analysis/dominant_chart.h"

#include "ephemeris/angles.h"
#include "ephemeris/chart_steps.h"

namespace qv {

const std::array<const char*, kDominantBodies + 1> kDominantBodyNames = {
    "",      "Sole",    "Luna",    "Mercurio", "Venere",    "Marte",    "Giove",
    "Saturno", "Urano", "Nettuno", "Plutone",  "Nodo Nord", "Luna Nera"};

const char* const kPlanetaryPowersCaption =
    "(Punteggio del Maestro della Carta: segni, case, dignit\xE0 tradizionali, sesso e velocit\xE0)";

DominantChart computeDominantChart(const ChartState& natal, const std::string& name, const std::string& moment,
                                   const std::string& place) {
    DominantChart d;
    ChartState& c = d.chart;
    c.houseSystem = "PLACIDO";
    c.nodeKind = natal.nodeKind;
    c.blackMoonKind = natal.blackMoonKind;
    const MotionFlags moved = castChart(c, natal.birth);
    c.zoneText = natal.zoneText;
    c.jdText = natal.jdText;

    for (int i = 1; i <= kDominantBodies; ++i) {
        const auto k = static_cast<std::size_t>(i);
        d.longitude[k] = c.longitude[k];
        // Every planet and the node as it moved; the Black Moon carries no mark.
        d.retroMark[k] = moved[k] && i <= 11 ? 'r' : ' ';
    }
    for (int h = 1; h <= 12; ++h) d.cusp[static_cast<std::size_t>(h)] = c.cusp[static_cast<std::size_t>(h)];
    d.mediumCoeli = Norm360(RadToDeg(c.mcRadians));
    d.longitude[13] = c.cusp[1];
    d.longitude[14] = d.mediumCoeli;
    d.retroMark[13] = d.retroMark[14] = ' ';

    const CarrierBirth carrier = writeCarrierFile(name, moment, place, c);
    d.scores = scoreChartMaster(carrier, c);
    d.display = chartMasterDisplay(natal, d.scores);
    return d;
}

std::vector<std::pair<int, Extended>> dominantAspectPoints(const DominantChart& dominant) {
    std::vector<std::pair<int, Extended>> points;
    for (int i = 1; i <= kDominantPoints; ++i) points.emplace_back(i, dominant.longitude[static_cast<std::size_t>(i)]);
    return points;
}

} // namespace qv
