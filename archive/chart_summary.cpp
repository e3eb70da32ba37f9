#include "archive/chart_summary.h"

#include "settings/chart_settings.h"
#include "archive/archive_records.h"

#include <cmath>

namespace qv {

namespace {

std::string twoDigits(int n) { return n < 10 ? "0" + std::to_string(n) : std::to_string(n); }

// The sign letter and whole degrees within the sign of a longitude.
std::string signAndDegrees(Extended longitude) {
    const int degree = static_cast<int>(longitude);
    return std::string(1, kSignLetters[(degree / 30) % 12]) + twoDigits(degree % 30);
}

struct AspectWindow {
    char letter;
    Extended angle;
    Extended low, high;  // the separation lies strictly between them
};

constexpr AspectWindow kWindows[] = {
    {'K', 0, -1, 9}, {'J', 60, 56, 64}, {'W', 90, 84, 96}, {'Z', 120, 112, 128}, {'O', 180, 171, 181},
};

constexpr std::size_t kMostAspects = 31;

} // namespace

ChartSummary summariseChart(const ChartState& c) {
    ChartSummary out;
    std::uint8_t houses[kMarkSlots + 1] = {};
    housesOfPoints(12, c.longitude.data(), c.cusp.data(), houses);
    for (int k = 1; k <= 12; ++k)
        out.planets += twoDigits(houses[k]) + kPointLetters[k - 1] + signAndDegrees(c.longitude[k]);
    for (int i = 1; i <= 12; ++i) out.cusps += twoDigits(i) + signAndDegrees(c.cusp[i]);

    std::size_t count = 0;
    for (int i = 1; i <= 10; ++i) {
        for (int j = i + 1; j <= 14; ++j) {
            if (j == 11 || j == 12) continue;
            Extended d = std::fabs(c.longitude[i] - c.longitude[j]);
            if (d > 180) d = 360 - d;
            for (const auto& w : kWindows) {
                if (d > w.low && d < w.high) {
                    const auto orb = static_cast<int>(std::nearbyint(std::fabs(d - w.angle)));
                    if (count < kMostAspects)
                        out.aspects += std::string{kPointLetters[i - 1], w.letter, kPointLetters[j - 1]} +
                                       std::to_string(orb);
                    ++count;
                    break;
                }
            }
        }
    }
    return out;
}

ChartSummary summaryChartOf(const BirthData& birth) {
    ChartState chart;
    chart.houseSystem = "PLACIDO";
    chart.nodeKind = chartSettings().nodeKind;
    chart.blackMoonKind = chartSettings().blackMoonKind;
    castChart(chart, birth);
    return summariseChart(chart);
}

} // namespace qv
