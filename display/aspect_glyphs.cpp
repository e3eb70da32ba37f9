// The stroke glyphs of the aspects: lists of signed byte pairs in units of
// 0.45 × size millimetres from the glyph's centre, 100 lifting the pen.
#include "display/drawing.h"

#include <array>
#include <vector>

namespace qv::draw {

namespace {

struct StrokeGlyph {
    int pen;
    int count;  // bytes used; a pair just past them may still be joined to
    std::vector<signed char> bytes;
};

const StrokeGlyph* strokeGlyph(int code) {
    static const std::array<StrokeGlyph, 15> glyphs = {{
        {0, 0, {}},
        {3, 18, {3, -4, -1, 0, -2, 0, -3, 1, -3, 2, -2, 3, -1, 3, 0, 2, 0, 1, -1, 0}},
        {4, 12, {-3, 0, 3, 0, 100, 100, 3, -3, -3, 3, 100, 100, -3, -3}},
        {2, 8, {-3, -4, -3, 3, 3, 3, 3, -4, -3, -4}},
        {4, 6, {0, -4, -3, 3, 3, 3, 0, -4}},
        {2, 34, {-1, 0, -2, 0, -3, 1, -3, 2, -2, 3, -1, 3, 0, 2, 0, 1, -1, 0, 1, -1, 2, -1, 3, -2, 3, -3, 2, -4, 1, -4, 0, -3, 0, -2, 1, -1}},
        {2, 16, {-3, -4, -3, 1, 3, 1, 3, -4, -3, -4, 100, 100, -1, -1, -1, 3, 2, 3}},
        {2, 4, {0, -4, -3, 3, 3, 3}},
        {5, 10, {-3, -4, 3, -4, 100, 100, -3, 3, 0, -4, 3, 3}},
        {4, 8, {-3, -4, 0, 3, 3, -4, 100, 100, -3, 3}},
        {5, 16, {-3, -2, 0, 0, -3, 3, 100, 100, 3, -2, 0, 0, 3, 3, 100, 100, 0, -4}},
        {5, 26, {-3, -2, 0, 0, -3, 3, 100, 100, 3, -2, 0, 0, 3, 3, 100, 100, 0, -4, 0, 0, 100, 100, -3, -4, -2, -4, -2, -3}},
        {5, 14, {0, 3, 2, 1, 2, -2, 0, -4, -2, -2, 0, 0, 2, -2, 0, 0}},
        {3, 8, {-5, -2, 4, -2, 100, 100, -5, 1, 4, 1}},
        {2, 14, {-5, -2, 4, -2, 100, 100, -5, 1, 4, 1, 100, 100, -4, 2, 3, -4}},
    }};
    if (code < 1 || code >= static_cast<int>(glyphs.size())) return nullptr;
    return &glyphs[static_cast<std::size_t>(code)];
}

} // namespace

void drawAspectGlyph(int code, double size, double x, double y) {
    const StrokeGlyph* glyph = strokeGlyph(code);
    if (!glyph) return;
    const bool screen = drawingContext().onScreen();
    selectPen(screen && (glyph->pen == 2 || glyph->pen == 4) ? 5 : glyph->pen);
    const int pairs = static_cast<int>(glyph->bytes.size()) / 2;
    const double unit = 0.45 * size;
    auto at = [&](int pair) {
        return MmPoint{x + glyph->bytes[2 * pair] * unit, y + glyph->bytes[2 * pair + 1] * unit};
    };
    auto lifted = [&](int pair) { return glyph->bytes[2 * pair] == 100; };
    // Pair by pair over the first `count` bytes: a lift moves on to the pair
    // after it; each pair is joined to the next unless that one lifts.
    for (int i = 0; 2 * i + 1 < glyph->count; ++i) {
        int p = i;
        if (lifted(p)) {
            ++p;
            ++i;
        }
        if (p >= pairs) break;
        const MmPoint from = at(p);
        moveTo(from.x, from.y);
        if (p + 1 < pairs && !lifted(p + 1)) {
            const MmPoint to = at(p + 1);
            lineTo(to.x, to.y);
        }
    }
}

} // namespace qv::draw
