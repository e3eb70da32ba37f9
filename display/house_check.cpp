#include "display/house_check.h"

#include "display/drawing_numbers.h"

#include <cmath>
#include <numbers>

namespace qv::draw {

namespace {

constexpr double kNarrowestHouse = 1.0 / 6;
constexpr double kObliquity = 23.44;  // enough to tell polar day from polar night

} // namespace

bool housesHold(const ChartState& chart) { return cuspsHold(chart.cusp.data()); }

bool cuspsHold(const Extended* cusps) {
    double total = 0;
    for (int i = 1; i <= 12; ++i) {
        const double from = static_cast<double>(cusps[i]);
        const double to = static_cast<double>(cusps[i % 12 + 1]);
        if (!std::isfinite(from) || !std::isfinite(to)) return false;
        const double arc = norm360(to - from);
        if (arc < kNarrowestHouse) return false;
        total += arc;
    }
    // In order, the twelve arcs make one turn; out of order, more.
    return std::fabs(total - 360.0) < 1e-6;
}

std::string housesUndefinedLine(const ChartState& chart) {
    return "Sistema di case non definito a questa latitudine (" + chart.houseSystem + ")";
}

std::string noPlanetaryHourLine(const ChartState& chart, const PlanetaryHour& hour) {
    if (hour.hourFound) return {};
    if (!hour.sunriseFound) {
        const double sunDeclination =
            std::asin(std::sin(kObliquity * kDegree) * std::sin(static_cast<double>(chart.longitude[1]) * kDegree)) / kDegree;
        const double latitude =
            (chart.birth.latDegrees + chart.birth.latMinutes / 60.0) * (chart.birth.latLetter == "S" ? -1 : 1);
        // Beyond the polar circle the Sun stays up when its declination lies
        // on the latitude's side of the equator, and stays down otherwise.
        if (std::fabs(latitude) + std::fabs(sunDeclination) >= 90.0 - 0.9)
            return latitude * sunDeclination > 0 ? "Il Sole non tramonta in questo giorno"
                                                 : "Il Sole non sorge in questo giorno";
    }
    return "Ora planetaria non definita a questa latitudine";
}

} // namespace qv::draw
