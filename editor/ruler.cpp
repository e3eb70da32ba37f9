#include "editor/ruler.h"

namespace qv {

// p = 4/3 pixel per point: x × p and x / p in integers, which truncate
// toward zero as the real divisions would.
int pointsToPixels(int points) { return points * 4 / 3; }
int pixelsToPoints(int pixels) { return pixels * 3 / 4; }

int firstMarkerEdge(const ParagraphIndents& in) { return pointsToPixels(in.first) + 2; }

int leftMarkerEdge(const ParagraphIndents& in) { return pointsToPixels(in.left + in.first) + 2; }

int rightMarkerEdge(const ParagraphIndents& in, int clientWidth) {
    return clientWidth - pointsToPixels(in.right + kTextMargin) - kTextMargin;
}

ParagraphIndents droppedFirstMarker(const ParagraphIndents& in, int edge, int leftEdge) {
    ParagraphIndents out = in;
    out.first = pixelsToPoints(edge + kMarkerHalf - kTextMargin);
    return droppedLeftMarker(out, leftEdge);
}

ParagraphIndents droppedLeftMarker(const ParagraphIndents& in, int edge) {
    ParagraphIndents out = in;
    out.left = pixelsToPoints(edge + kMarkerHalf - kTextMargin) - in.first;
    return out;
}

ParagraphIndents droppedRightMarker(const ParagraphIndents& in, int edge, int clientWidth) {
    ParagraphIndents out = in;
    out.right = pixelsToPoints(clientWidth + kMarkerHalf - edge - 2) - 12;
    return out;
}

} // namespace qv
