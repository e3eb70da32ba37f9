#include "display/chart_wheel.h"

#include "display/house_check.h"
#include "ephemeris/angles.h"

namespace qv::draw {

namespace {

constexpr double kZodiacInner = 65, kZodiacOuter = 78;
constexpr double kPlanetInner = 50;
constexpr double kHouseOuter = 47, kHouseInner = 39;
constexpr double kAnglesRadius = 83;

} // namespace

void housesUndefinedNote(const ChartState& chart) {
    textRgb(kRed);
    textRight(housesUndefinedLine(chart), 0, 1.5, kChartAreaSize - 2);
}

ChartWheelPlaces drawChartWheel(const ChartState& chart, const OrbTable& orbs, const ChartWheelOptions& options) {
    const double cx = options.cx, cy = options.cy;
    double cusps[13] = {};
    for (int i = 1; i <= 12; ++i) cusps[i] = static_cast<double>(chart.cusp[static_cast<std::size_t>(i)]);
    const double asc = cusps[1];
    ChartWheelPlaces places;

    const std::vector<MmPoint> signs =
        drawZodiacRing("M", 9, kZodiacInner, kZodiacOuter, cx, cy, asc, RingVariant::Full);
    for (int s = 1; s <= 12; ++s) places.signs[static_cast<std::size_t>(s)] = signs[static_cast<std::size_t>(s)];
    if (options.clickCircles) {
        selectPen(2);
        selectNoBrush();
        for (int s = 1; s <= 12; ++s) circle(1.5, signs[static_cast<std::size_t>(s)].x, signs[static_cast<std::size_t>(s)].y);
    }

    std::vector<RingPoint> points;
    for (int k = 1; k <= 11; ++k)
        points.push_back({k, static_cast<double>(chart.longitude[static_cast<std::size_t>(k)]),
                          chart.retroMark[static_cast<std::size_t>(k)]});
    PlanetRingStyle style = PlanetRingStyle::chartView();
    style.clickCircles = options.clickCircles;
    style.glyphRadius = 57.5;
    const std::vector<MmPoint> centres = drawPlanetRing(points, cx, cy, kZodiacInner, kPlanetInner, asc, style);
    for (int k = 1; k <= 11; ++k) places.points[static_cast<std::size_t>(k)] = centres[static_cast<std::size_t>(k - 1)];

    const bool houses = housesHold(chart);
    drawHouseRing(cusps, kHouseOuter, kHouseInner, cx, cy, asc, houses ? HouseLines::FifteenBeforeCusp : HouseLines::None);

    if (options.aspects) {
        const auto placeOf = [&](int k) {
            return wheelPoint(static_cast<double>(chart.longitude[static_cast<std::size_t>(k)]), kHouseInner, cx, cy, asc);
        };
        drawAspectLines(wheelAspectLines(chart, orbs), placeOf, options.aspectMode, AspectLineStyle::window());
        choosePen(10);
        selectBrush(drawingContext().onScreen() ? kWhite : kBlack);
        for (int k = 1; k <= 11; ++k) {
            const MmPoint p = placeOf(k);
            dot(0.6, p.x, p.y);
        }
        selectNoBrush();
    }

    drawAngles(cusps, static_cast<double>(RadToDeg(chart.mcRadians)), chart.houseSystem, kAnglesRadius, cx, cy,
               houses ? AnglesVariant::Full : AnglesVariant::NoHouses);
    if (options.caption) productCaption(0, 50);
    if (!houses) housesUndefinedNote(chart);
    return places;
}

} // namespace qv::draw
