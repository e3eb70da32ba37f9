// The ruler of the subject text editor: where its three markers stand for
// the indents of the current paragraph, and the indents a dragged marker
// gives when it is released. Indents are in points, positions in pixels
// from the ruler's left edge, at 4/3 pixel per point; every division
// truncates toward zero.
#pragma once

namespace qv {

struct ParagraphIndents {
    int first = 0;  // first-line indent
    int left = 0;   // left indent of the other lines, from the first line's
    int right = 0;  // right indent
    bool operator==(const ParagraphIndents&) const = default;
};

// Width of a marker in pixels; a dragged marker is held by its middle.
inline constexpr int kMarkerWidth = 10;
inline constexpr int kMarkerHalf = kMarkerWidth / 2;
// The text area keeps this margin at both sides.
inline constexpr int kTextMargin = 6;

// Pixels of a length in points (4/3 pixel per point), truncated.
int pointsToPixels(int points);
// Points of a length in pixels, truncated.
int pixelsToPoints(int pixels);

// Left edges of the three markers.
int firstMarkerEdge(const ParagraphIndents& indents);
int leftMarkerEdge(const ParagraphIndents& indents);
int rightMarkerEdge(const ParagraphIndents& indents, int clientWidth);

// The indents after a marker was dropped with its left edge at `edge`.
// Dropping the first-line marker sets the first indent and then the left
// indent anew from the left marker's edge, so that the left marker stays
// where it is.
ParagraphIndents droppedFirstMarker(const ParagraphIndents& indents, int edge, int leftEdge);
ParagraphIndents droppedLeftMarker(const ParagraphIndents& indents, int edge);
ParagraphIndents droppedRightMarker(const ParagraphIndents& indents, int edge, int clientWidth);

} // namespace qv
