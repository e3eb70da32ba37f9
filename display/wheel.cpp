#include "display/wheel.h"

#include "display/drawing_numbers.h"
#include "display/glyph_separation.h"
#include "display/pictures.h"
#include "ephemeris/text_forms.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace qv::draw {

namespace {

std::string degreeText(double longitude, std::size_t length = 6) {
    return LongitudeDegMin(1, static_cast<Extended>(norm360(longitude))).substr(0, length);
}

void radial(double longitude, double from, double to, double cx, double cy, double ascendant) {
    line(wheelPoint(longitude, from, cx, cy, ascendant), wheelPoint(longitude, to, cx, cy, ascendant));
}

// A leader line from a point's true place to its glyph, straight in polar
// terms: angle and radius change together, a segment every 2° or less. Two
// such leaders whose ends stand in the same order never cross, and a long
// one keeps to its band instead of cutting, as a chord would, into the
// glyphs beside it.
void leader(double fromAngle, double fromRadius, double toAngle, double toRadius, double cx, double cy) {
    const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(toAngle - fromAngle) / 2.0)));
    const MmPoint start = wheelPointAtAngle(fromAngle, fromRadius, cx, cy);
    moveTo(start.x, start.y);
    for (int k = 1; k <= steps; ++k) {
        const double t = static_cast<double>(k) / steps;
        const MmPoint p = wheelPointAtAngle(fromAngle + (toAngle - fromAngle) * t, fromRadius + (toRadius - fromRadius) * t, cx, cy);
        lineTo(p.x, p.y);
    }
}

// The brush of the small dots: black on paper, white on screen.
void dotBrush() { selectBrush(drawingContext().onScreen() ? kWhite : kBlack); }

// The free space between two neighbouring glyphs of a planet ring, mm.
constexpr double kGlyphGap = 0.6;

const char* const kRoman[13] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"};

} // namespace

// ---- zodiac ring ------------------------------------------------------------

std::vector<MmPoint> drawZodiacRing(const std::string& prefix, double s, double r1, double r2, double cx, double cy,
                                    double ascendant, RingVariant variant) {
    const bool full = variant == RingVariant::Full;
    const double outer = full ? r2 + 5 : r2;
    choosePen(0);
    selectNoBrush();
    if (full) circle(r2 + 5, cx, cy);
    circle(r2, cx, cy);
    circle(r1, cx, cy);
    const double markFrom = full ? r2 + 5 : r2, markTo = full ? r2 + 15 : r2 + 10;
    line({cx - markFrom, cy}, {cx - markTo, cy});
    line({cx + markFrom, cy}, {cx + markTo, cy});

    choosePen(10);
    for (int tick = 0; tick < 36; ++tick)
        if (tick % 3 != 0) radial(tick * 10.0, outer, r2 - 3, cx, cy, ascendant);

    std::vector<MmPoint> centres(13);
    for (int sign = 1; sign <= 12; ++sign) {
        choosePen(0);
        radial((sign - 1) * 30.0, outer, r1, cx, cy, ascendant);
        const MmPoint c = wheelPoint((sign - 1) * 30.0 + 15.0, (r1 + r2) / 2, cx, cy, ascendant);
        drawSignPicture(prefix, sign, s, c.x, c.y);
        centres[static_cast<std::size_t>(sign)] = c;
    }

    if (full) {
        static const int rulers[7] = {5, 1, 4, 3, 2, 7, 6};  // Mars, Sun, Venus, Mercury, Moon, Saturn, Jupiter
        for (int decan = 0; decan < 36; ++decan) {
            const MmPoint c = wheelPoint(decan * 10.0 + 5.0, r2 + 2.5, cx, cy, ascendant);
            drawPointPicture(rulers[decan % 7], 3.5, c.x, c.y);
        }
    }
    return centres;
}

// ---- house ring -------------------------------------------------------------

void drawHouseRing(const double* cusps, double r1, double r2, double cx, double cy, double ascendant,
                   HouseLines lines) {
    selectNoBrush();
    if (r1 < 70) {
        choosePen(10);
        circle(r1, cx, cy);
        circle(r2, cx, cy);
        circle(r1 + 3, cx, cy);
    }
    selectPen(5);
    for (int i = 0; i < 60; ++i) radial(ascendant - 15.0 + 6.0 * i, r1, r1 + 3, cx, cy, ascendant);

    if (lines == HouseLines::None) return;
    const double offset = lines == HouseLines::FifteenBeforeCusp ? 15.0 : 0.0;
    for (int axis = 1; axis <= 6; ++axis) {
        if (axis == 1 || axis == 4)
            choosePen(0);
        else
            choosePen(10);
        radial(cusps[axis] - offset, r1, r2, cx, cy, ascendant);
        radial(cusps[axis + 6] - offset, r1, r2, cx, cy, ascendant);
    }
    textColour(0);
    for (int house = 1; house <= 12; ++house) {
        const MmPoint c = wheelPoint(cusps[house] - offset + 5.0, (r1 + r2) / 2, cx, cy, ascendant);
        textMiddle(kRoman[house], 2, c.y, c.x);
    }
}

// ---- angles -----------------------------------------------------------------

void drawAngles(const double* cusps, double mediumCoeli, const std::string& houseSystem, double r, double cx,
                double cy, AnglesVariant variant) {
    const double asc = cusps[1];
    selectPen(2);
    radial(asc, r, r + 10, cx, cy, asc);
    radial(asc + 180.0, r, r + 10, cx, cy, asc);
    selectBrush(kCyan);
    const MmPoint ascPlace = wheelPoint(asc, r, cx, cy, asc);
    dot(1.5, ascPlace.x, ascPlace.y);
    textColour(0);
    const MmPoint ascText = wheelPoint(asc, r + 7, cx, cy, asc);
    textCentre(degreeText(asc), 1, ascText.y + 0.5, ascText.x);
    textCentre("AS", 4, cy - 9, cx - r - 7);

    if (houseSystem == "CASE_MEDIE") {
        selectBrush(kCyan);
        for (double lon : {mediumCoeli, mediumCoeli + 180.0}) {
            const MmPoint p = wheelPoint(lon, r, cx, cy, asc);
            dot(1.5, p.x, p.y);
        }
        const MmPoint mc = wheelPoint(mediumCoeli, r + 7, cx, cy, asc);
        textColour(0);
        textLeft("MC", 4, mc.y - 5, mc.x - 11);
        // The degrees start where the letters end, so the two never overlap.
        textLeft(degreeText(mediumCoeli), 1, mc.y - 4, mc.x);

        for (int axis = 1; axis <= 6 && variant != AnglesVariant::NoHouses; ++axis) {
            for (int end = 0; end < 2; ++end) {
                const double boundary = cusps[axis + 6 * end] - 15.0;
                selectPen(2);
                selectBrush(kRed);
                const MmPoint p = wheelPoint(boundary, r, cx, cy, asc);
                dot(1.0, p.x, p.y);
                if (variant == AnglesVariant::Compact || (end == 0 && (axis == 3 || axis == 4))) continue;
                // The Medium Coeli's letters and degrees stand there.
                if (std::fabs(std::remainder(boundary - mediumCoeli, 360.0)) < 12.0) continue;
                const MmPoint t = wheelPoint(boundary, r + 7, cx, cy, asc);
                textColour(0);
                textMiddle(degreeText(boundary), 0, t.y, t.x);
            }
        }
    }
    selectNoBrush();
}

// ---- planet ring ------------------------------------------------------------

std::vector<double> spreadAngles(const std::vector<double>& angles, double separation) {
    const int n = static_cast<int>(angles.size());
    if (n == 0) return {};
    const double D = separation;
    // 1–2. Wheel angles in [0, 360), sorted (a stable sort, as an exchange
    // sort that swaps only strictly greater neighbours).
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::vector<double> phi(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) phi[static_cast<std::size_t>(k)] = norm360(angles[static_cast<std::size_t>(k)]);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return phi[static_cast<std::size_t>(a)] < phi[static_cast<std::size_t>(b)]; });
    // Sorted angles, 1-based: s[1..n].
    std::vector<double> s(static_cast<std::size_t>(n) + 1);
    for (int k = 1; k <= n; ++k) s[static_cast<std::size_t>(k)] = phi[static_cast<std::size_t>(order[static_cast<std::size_t>(k - 1)])];

    // 3. The first largest gap: gap(k) = s[k] − s[k−1], with s[0] = s[n].
    int g = 1;
    double widest = -1;
    for (int k = 1; k <= n; ++k) {
        double gap = s[static_cast<std::size_t>(k)] - s[static_cast<std::size_t>(k == 1 ? n : k - 1)];
        if (gap < 0) gap += 360;
        if (gap > widest) {
            widest = gap;
            g = k;
        }
    }

    // 4. Unrolled from g, with sentinels u[0] and u[n + 1].
    std::vector<double> u(static_cast<std::size_t>(n) + 2);
    std::vector<int> sortedIndex(static_cast<std::size_t>(n) + 2);  // position in s of u[j]
    for (int j = 1; j <= n; ++j) {
        const int k = g + j - 1;
        const int from = k <= n ? k : k - n;
        u[static_cast<std::size_t>(j)] = s[static_cast<std::size_t>(from)] + (k <= n ? 0 : 360);
        sortedIndex[static_cast<std::size_t>(j)] = from;
    }
    u[0] = u[static_cast<std::size_t>(n)] - 360;
    u[static_cast<std::size_t>(n) + 1] = u[1] + 360;
    const std::vector<double> o = u;

    // 5. Push clusters forward, then move each back when the gap before it allows.
    int m = 0;
    for (int k = 1; k <= n; ++k) {
        double& next = u[static_cast<std::size_t>(k) + 1];
        const double here = u[static_cast<std::size_t>(k)];
        if (next - here <= D) {
            next = here + D;
            ++m;
            continue;
        }
        const double h = (here - o[static_cast<std::size_t>(k)]) / 2;
        const double e = u[static_cast<std::size_t>(k - m)] - u[static_cast<std::size_t>(k - m - 1)];
        double back = 0;
        if (e >= D + h)
            back = h;
        else if (e > D && m > 1)
            back = e - D;
        for (int j = k - m; j <= k; ++j) u[static_cast<std::size_t>(j)] -= back;
        m = 0;
    }

    // 6. Back to the order given.
    std::vector<double> out(static_cast<std::size_t>(n));
    for (int j = 1; j <= n; ++j) {
        const int k = g + j - 1;
        const double value = u[static_cast<std::size_t>(j)] - (k <= n ? 0 : 360);
        out[static_cast<std::size_t>(order[static_cast<std::size_t>(sortedIndex[static_cast<std::size_t>(j)] - 1)])] = value;
    }
    return out;
}

PlanetRingStyle PlanetRingStyle::full() { return {}; }

PlanetRingStyle PlanetRingStyle::compact() {
    PlanetRingStyle s;
    s.separation = 8;
    s.glyphSize = 5;
    s.glyphLift = 0;
    s.glyphRing = 0;
    s.degreeTexts = false;
    s.leaderInset = 3.5;
    return s;
}

PlanetRingStyle PlanetRingStyle::chartView() {
    PlanetRingStyle s;
    s.separation = 8;
    s.glyphSize = 7;
    s.glyphLift = 0;
    s.glyphRing = 0;
    s.degreeTexts = false;
    s.leaderInset = 3;
    s.clickCircles = true;
    s.bigRetrograde = true;
    return s;
}

std::vector<MmPoint> drawPlanetRing(const std::vector<RingPoint>& points, double cx, double cy, double r1, double r2,
                                    double ascendant, const PlanetRingStyle& style, bool bodies) {
    std::vector<double> angles;
    angles.reserve(points.size());
    for (const RingPoint& p : points) angles.push_back(ascendant - p.longitude);
    const double rho = style.glyphRadius > 0 ? style.glyphRadius : (r1 + r2) / 2;
    // The spreading rule first; then wherever two glyphs would still touch
    // at this radius, their separation grows to a glyph's width and a gap.
    const double diameter = style.glyphRing > 0 ? 2 * style.glyphRing : style.glyphSize;
    const double minimum = glyphSeparationAngle(diameter, kGlyphGap, rho);
    std::vector<double> spread = spreadAngles(angles, style.separation);
    if (minimum > style.separation) spread = widenSeparations(spread, minimum);

    std::vector<MmPoint> centres;
    centres.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) centres.push_back(wheelPointAtAngle(spread[i], rho, cx, cy));

    // The leader lines first, so that the glyphs stand over them.
    choosePen(10);
    dotBrush();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const MmPoint outer = wheelPoint(points[i].longitude, r1, cx, cy, ascendant);
        const MmPoint inner = wheelPoint(points[i].longitude, r2, cx, cy, ascendant);
        const double place = angles[i], glyph = place + std::remainder(spread[i] - place, 360.0);
        leader(place, r1, glyph, rho + style.leaderInset, cx, cy);
        leader(place, r2, glyph, rho - style.leaderInset, cx, cy);
        dot(0.2, outer.x, outer.y);
        dot(0.2, inner.x, inner.y);
    }

    for (std::size_t i = 0; i < points.size(); ++i) {
        const RingPoint& p = points[i];
        const MmPoint c = centres[i];
        if (style.glyphRing > 0) {
            selectPen(14);
            selectNoBrush();
            circle(style.glyphRing, c.x, c.y);
        } else {
            // A leader that passes a crowded glyph on its way stays behind it.
            backgroundDisc(style.glyphSize * 0.45, c.x, c.y - style.glyphLift);
        }
        if (bodies)
            drawBodyPicture(p.point, style.glyphSize, c.x, c.y - style.glyphLift);
        else
            drawPointPicture(p.point, style.glyphSize, c.x, c.y - style.glyphLift);
        if (style.degreeTexts) {
            textColour(0);
            textLeft(degreeText(p.longitude), 0, c.y + 0.8, c.x - 3);
        }
        const bool retrograde = p.mark == 'r' || p.mark == 'R';
        if (retrograde && style.bigRetrograde && p.point <= 9) {
            // In the corner of the glyph's square, small enough to stay out
            // of a neighbour 8° away.
            textRgb(kRed);
            textMiddle("R", 0, c.y - 3.4, c.x + 3.4);
        } else if (retrograde && !style.bigRetrograde) {
            textRgb(kRed);
            textLeft("r", 0, c.y - 4, c.x + 2);
        }
        if (style.clickCircles) {
            selectPen(2);
            selectNoBrush();
            circle(1.5, c.x, c.y);
        }
    }
    choosePen(10);
    selectNoBrush();
    circle(r2, cx, cy);
    return centres;
}

// ---- aspect lines -----------------------------------------------------------

AspectLineStyle AspectLineStyle::window() { return {}; }

AspectLineStyle AspectLineStyle::sheet() {
    AspectLineStyle s;
    s.softPen = 80;
    s.hardPen = 79;
    s.hardDotted = true;
    return s;
}

std::vector<MmPoint> spindleCorners(MmPoint a, MmPoint b, double w) {
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double length = std::hypot(vx, vy);
    if (length == 0) return {a, b};
    const double nx = -vy / length * w, ny = vx / length * w;
    auto along = [&](double t, double side) { return MmPoint{a.x + vx * t + nx * side, a.y + vy * t + ny * side}; };
    return {a, along(1.0 / 3, 1), along(2.0 / 3, 1), b, along(2.0 / 3, -1), along(1.0 / 3, -1)};
}

void drawAspectLines(const std::vector<WheelAspectLine>& lines, const std::function<MmPoint(int)>& placeOf,
                     AspectLineMode mode, const AspectLineStyle& style) {
    for (const WheelAspectLine& l : lines) {
        const MmPoint a = placeOf(l.first), b = placeOf(l.second);
        if (mode == AspectLineMode::Spindle) {
            selectPen(l.hard ? style.hardSpindlePen : style.softSpindlePen);
            selectBrush(l.hard ? style.hardSpindleFill : style.softSpindleFill);
            polygon(spindleCorners(a, b, static_cast<double>(spindleHalfWidth(l.roundedDeviation))));
            continue;
        }
        if (!l.hard) {
            selectPen(style.softPen);
            line(a, b);
        } else if (style.hardDotted) {
            selectPen(style.hardPen);
            selectBrush(penEntry(style.hardPen, drawingContext().zoom).colour);
            dottedLine(a, b, DotSize::Small);
        } else {
            selectPen(style.hardPen);
            dashedLine(b, a);
        }
    }
    selectNoBrush();
}

} // namespace qv::draw
