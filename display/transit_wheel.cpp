#include "display/transit_wheel.h"

#include "analysis/aspects.h"

namespace qv::draw {

namespace {

// Outside the zodiac ring and its decan band (radius 83).
constexpr double kMovingOuter = 95, kMovingInner = 85;
// Where the natal glyphs stand (chart_wheel.cpp).
constexpr double kNatalGlyphs = 57.5;

} // namespace

void drawTransitWheel(const TransitWheelInput& in) {
    const ChartState& natal = *in.natal;
    ChartWheelOptions options;
    options.aspects = false;
    options.clickCircles = false;
    options.caption = false;
    drawChartWheel(natal, OrbTable{}, options);
    const double asc = static_cast<double>(natal.cusp[1]);

    PlanetRingStyle style = PlanetRingStyle::chartView();
    style.clickCircles = false;
    style.glyphRadius = (kMovingOuter + kMovingInner) / 2;
    const std::vector<MmPoint> centres = drawPlanetRing(in.moving, 100, 100, kMovingOuter, kMovingInner, asc, style, true);

    if (in.contactBody > 0 && in.contactNatal > 0) {
        for (std::size_t i = 0; i < in.moving.size(); ++i) {
            if (in.moving[i].point != in.contactBody) continue;
            const MmPoint from = wheelPoint(in.moving[i].longitude, kMovingInner, 100, 100, asc);
            const MmPoint to = wheelPoint(static_cast<double>(natal.longitude[static_cast<std::size_t>(in.contactNatal)]),
                                          kNatalGlyphs + 7.5, 100, 100, asc);
            selectPen(76);
            line(from, to);
            selectNoBrush();
            circle(5, centres[i].x, centres[i].y);
        }
    }
    textRgb(kYellow);
    double y = 1.5;
    for (const std::string& text : in.caption) {
        textLeft(text, 4, y, 2);
        y += 6;
    }
}

} // namespace qv::draw
