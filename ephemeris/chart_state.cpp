#include "ephemeris/chart_state.h"

namespace qv {

ChartState& chartState() {
    static ChartState state;
    return state;
}

void resetChartState() { chartState() = ChartState{}; }

const std::array<const char*, 13> kSignNames = {
    "", "Ariete", "Toro", "Gemelli", "Cancro", "Leone", "Vergine",
    "Bilancia", "Scorpione", "Sagittario", "Capricorno", "Acquario", "Pesci"};

const std::array<const char*, 13> kSignAbbreviations = {
    "", "Ari", "Tor", "Gem", "Can", "Leo", "Ver", "Bil", "Sco", "Sag", "Cap", "Acq", "Pes"};

const std::array<const char*, 13> kBodyNames = {
    "", "Sole", "Luna", "Mercurio", "Venere", "Marte", "Giove", "Saturno",
    "Urano", "Nettuno", "Plutone", "Nodo Nord", "Luna Nera"};

const std::array<const char*, 12> kPointAbbreviations = {
    "", "Sol", "Lun", "Mer", "Ven", "Mar", "Gio", "Sat", "Non", "Nos", "Asc", "Mci"};

int signOf(Extended longitude) { return static_cast<int>(longitude / 30.0L) + 1; }

void signsOfPoints(int count, const Extended* longitudes, std::uint8_t* signs) {
    for (int i = 1; i <= count; ++i) signs[i] = static_cast<std::uint8_t>(signOf(longitudes[i]));
}

void signsOfCusps(int count, const Extended* cusps, std::uint8_t* signs) {
    signsOfPoints(count, cusps, signs);
}

void housesOfPoints(int count, const Extended* longitudes, const Extended* cusps,
                    std::uint8_t* houses) {
    for (int k = 1; k <= count; ++k) {
        for (int i = 1; i <= 12; ++i) {
            const Extended next = i == 12 ? cusps[1] : cusps[i + 1];
            Extended arc = next - cusps[i];
            Extended distance = longitudes[k] - cusps[i];
            if (arc < 0) arc += 360.0L;
            if (distance < 0) distance += 360.0L;
            // A point exactly on cusp 1 closes arc 12 too; it belongs to house 1.
            const bool inside = i == 12 ? distance < arc : distance <= arc;
            if (inside) houses[k] = static_cast<std::uint8_t>(i);
        }
    }
}

} // namespace qv
