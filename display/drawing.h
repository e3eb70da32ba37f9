// The drawing layer: every chart graphic of the program is drawn through
// these primitives, in millimetres of an A4 sheet (x to the right, y
// downward, origin at the sheet's top-left), onto whatever canvas the one
// drawing context holds: a window, the printer page, an exported picture or a
// recording for tests.
//
// A point (x, y) becomes the device pixel
//   (round(x ÷ hFactor × scale × zoom) + x0, round(y ÷ vFactor × scale × zoom) + y0)
// with rounding to the nearest integer, ties to even.
//
// Typical use:
//   RecordingCanvas canvas;                 // or PainterCanvas over a QPaintDevice
//   TargetScope target(canvas);             // saves the context, restores it at the end
//   drawingContext().scale = 5;             // pixels per millimetre
//   selectPen(2); moveTo(10, 10); lineTo(50, 10);
#pragma once

#include "display/canvas.h"
#include "display/print_palette.h"

#include <string>

namespace qv::draw {

struct MmPoint {
    double x = 0, y = 0;
};

struct DrawingContext {
    Canvas* canvas = nullptr;  // the target; primitives do nothing without one
    bool printing = false;     // a sheet is being sent to the printer
    bool exporting = false;    // a sheet is being drawn into a picture file
    bool monochrome = false;   // black-and-white drawing ("StNero")
    double scale = 1;          // device pixels per sheet millimetre
    double zoom = 1;
    int x0 = 0, y0 = 0;        // device offset of the sheet's top-left corner
    double hFactor = 1, vFactor = 1;  // screen calibration (display settings lines 7 and 8)
    double thickness = 1;             // line thickness factor (display settings line 5)
    // Base of the font heights: scale × 3.7 in single precision on screen,
    // round(page width ÷ 82) while printing. 0 means "scale × 3.7".
    float fontBase = 0;
    bool printerInstalled = false;
    bool printerLandscape = true;
    bool targetVisible = true;  // pictures are drawn on a window only while it is visible
    std::string practitioner;   // Windows-1252, drawn by dateAndPractitioner
    std::string today;          // the date drawn by dateAndPractitioner; empty: today's

    // What is selected now.
    int penCode = -1;           // -1: none of the table
    PenSpec pen;
    BrushSpec brush{kWhite, true};
    Rgb textColour = kBlack;
    DevicePoint position;       // the pen position of moveTo/lineTo

    // Neither printing nor exporting.
    bool onScreen() const { return !printing && !exporting; }
    // Black and white in monochrome mode, else the screen's colours on
    // screen and the paper twins on anything printed or exported.
    Palette palette() const;
    float effectiveFontBase() const;
};

// The one context of the process.
DrawingContext& drawingContext();
void resetDrawingContext();

// Makes `canvas` the target for the life of the scope and puts the whole
// context back as it was afterwards.
class TargetScope {
public:
    explicit TargetScope(Canvas& canvas);
    ~TargetScope();
    TargetScope(const TargetScope&) = delete;
    TargetScope& operator=(const TargetScope&) = delete;

private:
    DrawingContext saved_;
};

// ---- coordinates ------------------------------------------------------------

DevicePoint toDevice(double x, double y);
inline DevicePoint toDevice(MmPoint p) { return toDevice(p.x, p.y); }
// A length in millimetres as device pixels (horizontal factor), unrounded.
double deviceLength(double mm);
// Device pixels back to millimetres (vertical factor), for text heights.
double mmOfDeviceHeight(int pixels);

// A point of ecliptic longitude λ on radius r of a wheel centred on
// (cx, cy) whose Ascendant has longitude `ascendant`: wheel angle
// φ = A − λ, x = cx − r·cos φ, y = cy − r·sin φ. The Ascendant lies to the
// left of the centre and longitudes increase counter-clockwise.
MmPoint wheelPoint(double longitude, double r, double cx, double cy, double ascendant);
// The same for a wheel angle φ in degrees.
MmPoint wheelPointAtAngle(double phi, double r, double cx, double cy);

// ---- tables -----------------------------------------------------------------

// A pen of the table: colour, width in millimetres before the thickness
// factor (already multiplied by the zoom for the zoomed pens) and style.
struct PenEntry {
    Rgb colour = kBlack;
    double widthMm = 0.25;
    bool dashed = false;
};
PenEntry penEntry(int code, double zoom);

struct FontEntry {
    int divisor = 38;
    const char* face = "Arial";
    int charWidth = 0;
    bool italic = false;
    int orientation = 0;
};
FontEntry fontEntry(int code);
// The device height of font `code`: round(fontBase × 30 × zoom) div N.
int fontHeight(int code);

// A colour as the monochrome rule leaves it: in monochrome mode every colour
// but white becomes black when printing or exporting and white on screen.
Rgb monochromeColour(Rgb colour);

// The palette of what is drawn now (print_palette.h).
Palette currentPalette();
// A colour of the program as the current palette shows it: unchanged on
// screen, the monochrome rule in black and white, the paper twin on paper.
// Pens and texts take the text contrast on paper (the lines are thin),
// brushes the contrast of marks.
Rgb paletteColour(Rgb colour, PaperUse use);

// ---- primitives -------------------------------------------------------------

void moveTo(double x, double y);
void lineTo(double x, double y);
void line(MmPoint from, MmPoint to);
// Outlined with the current pen, filled with the current brush.
void rectangle(double x1, double y1, double x2, double y2);
void ellipse(double x1, double y1, double x2, double y2);
// A filled dot of radius r (an ellipse with the current pen and brush).
void dot(double r, double cx, double cy);
// On screen at zoom exactly 1 a true circle; otherwise a polygon of 72
// chords from the top of the circle in steps of 5°. Not filled.
void circle(double r, double cx, double cy);
// A closed figure outlined with the current pen and filled with the brush.
void polygon(const std::vector<MmPoint>& corners);
// Fills a box with a colour (the black background of a window).
void fillBox(double x1, double y1, double x2, double y2, Rgb colour);
// A disc in the colour of the background (black on screen, white on paper)
// in any mode: it keeps the lines drawn before it out of a glyph drawn on it.
void backgroundDisc(double r, double cx, double cy);

// 15 dashes from `from` toward `to`, each 2/44 of the vector long, one
// starting every 3/44.
void dashedLine(MmPoint from, MmPoint to);
enum class DotSize { Small, Large };  // 0.6 mm and 1 mm across
// Dots along the vector: round(1.8 × length ÷ 3) of them, the vector ×
// 3 ÷ (1.8 × length − 1) apart, the first at `from`.
void dottedLine(MmPoint from, MmPoint to, DotSize dot);

// Texts (Windows-1252) with their top-left, top-right or top-centre corner
// at (x, y); the font is selected for the call only.
void textLeft(const std::string& text, int font, double y, double x);
void textRight(const std::string& text, int font, double y, double x);
void textCentre(const std::string& text, int font, double y, double x);
// A text centred on (x, y) both ways.
void textMiddle(const std::string& text, int font, double y, double x);
// How wide a text stands in font `font`, sheet millimetres at the current
// zoom and factors.
double textWidthMm(const std::string& text, int font);

void selectPen(int code);
void selectBrush(Rgb colour);
void selectNoBrush();
void selectFont(int code);
// Code 4: aqua on screen, blue on paper; code 0: white on screen, black on
// paper; other codes leave the colour.
void textColour(int code);
// Any other text colour; the monochrome rule applies to it.
void textRgb(Rgb colour);
// On screen 4 → pen 5, 0 → 1, 10 → 17, 2 → 7, 7 → 2; on paper 4 → 4,
// 0 → 0, 10 → 10, and 2 and 7 change nothing.
void choosePen(int code);

// The stroke glyph of an aspect, `size` millimetres, centred on (x, y).
void drawAspectGlyph(int code, double size, double x, double y);

// On screen with a printer installed: the printable area (the box given,
// sheet millimetres) as a yellow frame.
void pageBorder(double x1, double y1, double x2, double y2);
// The product's caption box; its red band stands at (x + 4, y + 130).
void productCaption(double x, double y);
// Today's date and, 4 mm lower, the practitioner's name, right-aligned at x.
void dateAndPractitioner(double y, double x);

} // namespace qv::draw
