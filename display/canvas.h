// The surface the drawing layer paints on, in device pixels. The layer turns
// sheet millimetres into pixels (drawing.h) and hands plain shapes to a
// canvas; two canvases exist: the QPainter canvas (painter_canvas.h), which
// serves every paint device — a window, a printer, a PDF or SVG file, an
// image — with the same code, and the recording canvas (recording_canvas.h),
// which keeps the shapes as a list for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv::draw {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kCyan{0, 255, 255};  // "aqua"
inline constexpr Rgb kMagenta{255, 0, 255};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kDarkGrey{69, 69, 69};
inline constexpr Rgb kGrey{128, 128, 128};
inline constexpr Rgb kOrange{255, 128, 64};
inline constexpr Rgb kOlive{196, 200, 36};

struct DevicePoint {
    int x = 0, y = 0;
    friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

struct PenSpec {
    Rgb colour = kBlack;
    int width = 0;  // device pixels; 0 draws the thinnest line the device has
    bool dashed = false;
    friend bool operator==(const PenSpec&, const PenSpec&) = default;
};

struct BrushSpec {
    Rgb colour = kWhite;
    bool none = false;  // shapes are outlined only
    friend bool operator==(const BrushSpec&, const BrushSpec&) = default;
};

struct FontSpec {
    std::string face = "Arial";
    int height = 0;       // cell height in device pixels
    int charWidth = 0;    // average character width in pixels, 0 = the face's own
    bool italic = false;
    int orientation = 0;  // tenths of a degree, counter-clockwise
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Where a text stands relative to its point: its top-left, top-right or
// top-centre corner is at the point.
enum class TextAnchor { TopLeft, TopRight, TopCentre };

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setPen(const PenSpec& pen) = 0;
    virtual void setBrush(const BrushSpec& brush) = 0;
    virtual void setFont(const FontSpec& font) = 0;
    // Texts are drawn in this colour on what is behind them.
    virtual void setTextColour(Rgb colour) = 0;

    virtual void line(DevicePoint from, DevicePoint to) = 0;
    virtual void polyline(const std::vector<DevicePoint>& points) = 0;
    // Outlined with the pen, filled with the brush.
    virtual void polygon(const std::vector<DevicePoint>& points) = 0;
    virtual void rectangle(DevicePoint topLeft, DevicePoint bottomRight) = 0;
    virtual void ellipse(DevicePoint topLeft, DevicePoint bottomRight) = 0;
    // The outline of the ellipse in the box, as one 360° arc (not filled).
    virtual void arc(DevicePoint topLeft, DevicePoint bottomRight) = 0;
    // `text` is Windows-1252.
    virtual void text(DevicePoint at, TextAnchor anchor, const std::string& text) = 0;
    // An SVG picture file stretched into the box.
    virtual void picture(const std::string& file, DevicePoint topLeft, DevicePoint bottomRight) = 0;
    // Fills the box with a colour, whatever pen and brush are selected.
    virtual void fill(DevicePoint topLeft, DevicePoint bottomRight, Rgb colour) = 0;
};

} // namespace qv::draw
