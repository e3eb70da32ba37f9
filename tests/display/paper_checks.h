// What a drawing made for paper must hold, looked at on the recording
// canvas: colours that read on white, marks inside the printable area,
// glyphs that do not touch, leader lines that do not cross.
#pragma once

#include "display/recording_canvas.h"

#include <string>
#include <vector>

namespace qv::draw::paper {

// Texts below 4.5:1 against white, pens, brushes and picture colours below
// 3:1 (white backgrounds — discs and fills in white — are not marks). Each
// fault as a readable line.
std::vector<std::string> paperColourFaults(const RecordingCanvas& canvas);

// The colours an SVG picture file fills and strokes with.
std::vector<Rgb> svgColours(const std::string& file);

struct Disc {
    double x = 0, y = 0, r = 0;
};
// The glyph rings of a wheel: the closed outlines (arcs or 72-chord
// polylines) of radius r ± 3 %, device pixels.
std::vector<Disc> ringsOfRadius(const RecordingCanvas& canvas, double r);
// Pictures of side `side` ± 2 pixels, as discs of that diameter.
std::vector<Disc> picturesOfSide(const RecordingCanvas& canvas, double side);
// Pairs of discs that touch or overlap.
std::vector<std::string> touchingDiscs(const std::vector<Disc>& discs);

// Whether two segments cross (touching at a shared end is not crossing).
bool segmentsCross(DevicePoint a1, DevicePoint a2, DevicePoint b1, DevicePoint b2);

} // namespace qv::draw::paper
