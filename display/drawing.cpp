#include "display/drawing.h"

#include "display/drawing_extent.h"
#include "display/drawing_numbers.h"
#include "ephemeris/text_forms.h"

#include <cmath>
#include <numbers>

namespace qv::draw {

namespace {

Canvas* target() { return drawingContext().canvas; }

void setPenSpec(const PenEntry& entry) {
    DrawingContext& c = drawingContext();
    c.pen.colour = paletteColour(entry.colour, PaperUse::Text);
    c.pen.width = roundEven(entry.widthMm * c.scale * c.thickness);
    c.pen.dashed = entry.dashed;
    if (Canvas* canvas = target()) canvas->setPen(c.pen);
}

FontSpec fontSpec(int code) {
    const FontEntry e = fontEntry(code);
    FontSpec f;
    f.face = e.face;
    f.height = fontHeight(code);
    f.charWidth = e.charWidth;
    f.italic = e.italic;
    f.orientation = e.orientation;
    return f;
}

void text(const std::string& s, int font, double y, double x, TextAnchor anchor) {
    Canvas* canvas = target();
    if (!canvas) return;
    selectFont(font);
    canvas->text(toDevice(x, y), anchor, s);
}

} // namespace

Palette DrawingContext::palette() const {
    if (monochrome) return Palette::Monochrome;
    return onScreen() ? Palette::Screen : Palette::Paper;
}

float DrawingContext::effectiveFontBase() const {
    return fontBase != 0 ? fontBase : static_cast<float>(scale * 3.7);
}

DrawingContext& drawingContext() {
    static DrawingContext context;
    return context;
}

void resetDrawingContext() { drawingContext() = DrawingContext{}; }

TargetScope::TargetScope(Canvas& canvas) : saved_(drawingContext()) {
    drawingContext().canvas = &canvas;
    // A fresh canvas starts from the same selections as the context.
    canvas.setPen(drawingContext().pen);
    canvas.setBrush(drawingContext().brush);
    canvas.setTextColour(drawingContext().textColour);
}

TargetScope::~TargetScope() { drawingContext() = saved_; }

// ---- coordinates ------------------------------------------------------------

DevicePoint toDevice(double x, double y) {
    const DrawingContext& c = drawingContext();
    return {roundEven(x / c.hFactor * c.scale * c.zoom) + c.x0, roundEven(y / c.vFactor * c.scale * c.zoom) + c.y0};
}

double deviceLength(double mm) {
    const DrawingContext& c = drawingContext();
    return mm / c.hFactor * c.scale * c.zoom;
}

double mmOfDeviceHeight(int pixels) {
    const DrawingContext& c = drawingContext();
    return pixels * c.vFactor / (c.scale * c.zoom);
}

MmPoint wheelPointAtAngle(double phi, double r, double cx, double cy) {
    return {cx - r * std::cos(phi * kDegree), cy - r * std::sin(phi * kDegree)};
}

MmPoint wheelPoint(double longitude, double r, double cx, double cy, double ascendant) {
    return wheelPointAtAngle(ascendant - longitude, r, cx, cy);
}

// ---- tables -----------------------------------------------------------------

PenEntry penEntry(int code, double zoom) {
    const double thin = 0.125, normal = 0.25;
    switch (code) {
    case 0: return {kBlack, normal};
    case 10: return {kBlack, thin};
    case 1: return {kWhite, normal};
    case 2: return {kRed, normal};
    case 3: return {kGreen, normal};
    case 4: return {kBlue, normal};
    case 5: return {kCyan, normal};
    case 6: return {kMagenta, normal};
    case 7: return {kYellow, normal};
    case 8: return {kDarkGrey, normal};
    case 9: return {kGrey, normal};
    case 11:
    case 15: return {kBlue, thin};
    case 12: return {kRed, thin, true};
    case 13: return {kRed, thin};
    case 14: return {kGreen, thin};
    case 16: return {kMagenta, thin};
    case 17: return {kWhite, thin};
    case 18: return {kOrange, thin};
    case 22: return {kRed, 0.8};
    case 25: return {kCyan, thin};
    case 26: return {kMagenta, thin, true};
    case 33: return {kCyan, 0.8};
    case 58: return {kGreen, 2 * zoom};
    case 59: return {kGreen, 1 * zoom};
    case 60: return {kCyan, 1 * zoom};
    case 61: return {kBlue, 1 * zoom};
    case 62: return {kWhite, 1 * zoom};
    case 63: return {kBlack, 0.667};
    case 64: return {kRed, 1 * zoom};
    case 71: return {kBlue, 0.5};
    case 74: return {kRed, 0.5};
    case 75: return {kCyan, 0.5};
    case 76: return {kYellow, 0.5};
    case 77: return {kYellow, 0.8};
    case 78: return {kOlive, 0.4};
    case 79: return {kRed, 0.4};
    case 80: return {kCyan, 0.4};
    default: return {kBlack, code < 10 ? normal : thin};
    }
}

FontEntry fontEntry(int code) {
    switch (code) {
    case 33: return {33};
    case 1: return {30};
    case 15: return {27};
    case 16: return {27, "Arial", 10, true};
    case 18: return {21};
    case 2: return {23};
    case 21: return {20, "Courier", 0, false, 1000};
    case 22: return {22, "Courier", 0, false, 1000};
    case 3: return {20};
    case 4: return {16};
    case 5: return {12};
    default: return {38};
    }
}

int fontHeight(int code) {
    const DrawingContext& c = drawingContext();
    const double base = static_cast<double>(c.effectiveFontBase());
    return roundEven(base * 30.0 * c.zoom) / fontEntry(code).divisor;
}

Rgb monochromeColour(Rgb colour) {
    const DrawingContext& c = drawingContext();
    if (!c.monochrome || colour == kWhite) return colour;
    return c.onScreen() ? kWhite : kBlack;
}

Palette currentPalette() { return drawingContext().palette(); }

Rgb paletteColour(Rgb colour, PaperUse use) {
    switch (currentPalette()) {
    case Palette::Screen: return colour;
    case Palette::Monochrome: return monochromeColour(colour);
    case Palette::Paper: return paperTwin(colour, use);
    }
    return colour;
}

// ---- primitives -------------------------------------------------------------

void moveTo(double x, double y) { drawingContext().position = toDevice(x, y); }

void lineTo(double x, double y) {
    DrawingContext& c = drawingContext();
    const DevicePoint to = toDevice(x, y);
    if (c.canvas) c.canvas->line(c.position, to);
    c.position = to;
}

void line(MmPoint from, MmPoint to) {
    moveTo(from.x, from.y);
    lineTo(to.x, to.y);
}

void rectangle(double x1, double y1, double x2, double y2) {
    if (Canvas* canvas = target()) canvas->rectangle(toDevice(x1, y1), toDevice(x2, y2));
}

void ellipse(double x1, double y1, double x2, double y2) {
    if (Canvas* canvas = target()) canvas->ellipse(toDevice(x1, y1), toDevice(x2, y2));
}

void dot(double r, double cx, double cy) { ellipse(cx - r, cy - r, cx + r, cy + r); }

void circle(double r, double cx, double cy) {
    Canvas* canvas = target();
    if (!canvas) return;
    const DrawingContext& c = drawingContext();
    if (c.onScreen() && c.zoom == 1.0) {
        canvas->arc(toDevice(cx - r, cy - r), toDevice(cx + r, cy + r));
        return;
    }
    std::vector<DevicePoint> points;
    points.reserve(73);
    points.push_back(toDevice(cx, cy - r));
    for (int d = 5; d <= 360; d += 5)
        points.push_back(toDevice(cx + r * std::sin(d * kDegree), cy - r * std::cos(d * kDegree)));
    canvas->polyline(points);
}

void polygon(const std::vector<MmPoint>& corners) {
    Canvas* canvas = target();
    if (!canvas) return;
    std::vector<DevicePoint> points;
    points.reserve(corners.size());
    for (const MmPoint& p : corners) points.push_back(toDevice(p));
    canvas->polygon(points);
}

void fillBox(double x1, double y1, double x2, double y2, Rgb colour) {
    if (Canvas* canvas = target()) canvas->fill(toDevice(x1, y1), toDevice(x2, y2), colour);
}

void backgroundDisc(double r, double cx, double cy) {
    DrawingContext& c = drawingContext();
    if (!c.canvas) return;
    const Rgb background = c.onScreen() ? kBlack : kWhite;
    c.canvas->setPen({background, 0, false});
    c.canvas->setBrush({background, false});
    c.canvas->ellipse(toDevice(cx - r, cy - r), toDevice(cx + r, cy + r));
    c.canvas->setPen(c.pen);
    c.canvas->setBrush(c.brush);
}

void dashedLine(MmPoint from, MmPoint to) {
    const double vx = to.x - from.x, vy = to.y - from.y;
    for (int i = 0; i < 15; ++i) {
        const double start = 3.0 * i / 44.0, end = start + 2.0 / 44.0;
        line({from.x + vx * start, from.y + vy * start}, {from.x + vx * end, from.y + vy * end});
    }
}

void dottedLine(MmPoint from, MmPoint to, DotSize size) {
    const double vx = to.x - from.x, vy = to.y - from.y;
    const double length = std::hypot(vx, vy);
    const int count = roundEven(1.8 * length / 3.0);
    // Fewer than one dot: nothing to space (and no division by a length
    // that leaves 1.8 × length − 1 at or below zero).
    if (count <= 0) return;
    const double step = 3.0 / (1.8 * length - 1.0);
    const double r = size == DotSize::Large ? 0.5 : 0.3;
    for (int i = 0; i < count; ++i) dot(r, from.x + vx * step * i, from.y + vy * step * i);
}

void textLeft(const std::string& s, int font, double y, double x) { text(s, font, y, x, TextAnchor::TopLeft); }
void textRight(const std::string& s, int font, double y, double x) { text(s, font, y, x, TextAnchor::TopRight); }
void textCentre(const std::string& s, int font, double y, double x) { text(s, font, y, x, TextAnchor::TopCentre); }

void textMiddle(const std::string& s, int font, double y, double x) {
    // The cell of an "Arial" line is about 1.15 of its em; the visible
    // characters sit in its upper part, so the middle of the cell is a
    // little below the middle of the capitals.
    const double height = mmOfDeviceHeight(fontHeight(font));
    textCentre(s, font, y - height * 0.5, x);
}

double textWidthMm(const std::string& s, int font) {
    const DrawingContext& c = drawingContext();
    return textWidth(fontSpec(font), s) * c.hFactor / (c.scale * c.zoom);
}

void selectPen(int code) {
    DrawingContext& c = drawingContext();
    c.penCode = code;
    setPenSpec(penEntry(code, c.zoom));
}

void selectBrush(Rgb colour) {
    DrawingContext& c = drawingContext();
    c.brush = {paletteColour(colour, PaperUse::Mark), false};
    if (c.canvas) c.canvas->setBrush(c.brush);
}

void selectNoBrush() {
    DrawingContext& c = drawingContext();
    c.brush = {kWhite, true};
    if (c.canvas) c.canvas->setBrush(c.brush);
}

void selectFont(int code) {
    DrawingContext& c = drawingContext();
    if (c.canvas) c.canvas->setFont(fontSpec(code));
    if (c.monochrome) textColour(0);
}

void textColour(int code) {
    const DrawingContext& c = drawingContext();
    if (code == 4)
        textRgb(c.onScreen() ? kCyan : kBlue);
    else if (code == 0)
        textRgb(c.onScreen() ? kWhite : kBlack);
}

void textRgb(Rgb colour) {
    DrawingContext& c = drawingContext();
    c.textColour = paletteColour(colour, PaperUse::Text);
    if (c.canvas) c.canvas->setTextColour(c.textColour);
}

void choosePen(int code) {
    const bool screen = drawingContext().onScreen();
    switch (code) {
    case 4: selectPen(screen ? 5 : 4); break;
    case 0: selectPen(screen ? 1 : 0); break;
    case 10: selectPen(screen ? 17 : 10); break;
    case 2:
        if (screen) selectPen(7);
        break;
    case 7:
        if (screen) selectPen(2);
        break;
    default: break;
    }
}

void pageBorder(double x1, double y1, double x2, double y2) {
    const DrawingContext& c = drawingContext();
    if (!c.onScreen() || !c.printerInstalled) return;
    selectPen(7);
    selectNoBrush();
    rectangle(x1, y1, x2, y2);
}

void productCaption(double x, double y) {
    const double X = x + 5, Y = y + 130;
    const bool mono = drawingContext().monochrome;
    selectPen(2);
    if (mono)
        selectNoBrush();
    else
        selectBrush(kYellow);
    polygon({{X + 10, Y - 2}, {X + 25, Y + 7}, {X + 10, Y + 12}, {X + 20, Y - 2}, {X + 20, Y + 13}, {X + 10, Y - 2}});
    // In black and white a filled band and its text would take the same
    // colour: the band then keeps the background's colour, covering the
    // figure behind it, and is outlined; the text takes colour 0.
    if (mono) {
        fillBox(X - 1, Y, X + 30, Y + 5, drawingContext().onScreen() ? kBlack : kWhite);
        selectNoBrush();
        rectangle(X - 1, Y, X + 30, Y + 5);
        textLeft("Corvalimetrix 3", 15, Y + 0.5, X + 1);
    } else {
        selectBrush(kRed);
        rectangle(X - 1, Y, X + 30, Y + 5);
        textRgb(kWhite);
        textLeft("Corvalimetrix 3", 15, Y + 0.5, X + 1);
    }
    selectNoBrush();
}

void dateAndPractitioner(double y, double x) {
    const DrawingContext& c = drawingContext();
    textColour(0);
    textRight(c.today.empty() ? TodayText() : c.today, 1, y, x);
    textRight(c.practitioner, 15, y + 4, x);
}

} // namespace qv::draw
