#include "display/analysis_session.h"

#include "base/data_dir.h"

#include <cmath>

namespace qv {

const std::vector<int>& buttonMessages(AnalysisButton button) {
    static const std::array<std::vector<int>, kAnalysisButtons> table = {{
        {2, 3, 4},           // Coordinate Planetarie: relative and absolute longitudes, latitudes
        {5, 6, 7, 8},        // Costituzione (Stoffa): the four tables
        {9},                 // Struttura Archetipale
        {10, 24, 25, 26},    // Aspetti Planetari: plain, spindles, grid, distances
        {11, 12, 13},        // Affinità Energetiche: the three modes
        {14, 15, 16, 17},    // Antisce e Contrantisce: the four figures
        {18},                // Dodecatemorie
        {19, 20, 27, 21},    // dominant planet: positions, plain, spindles, powers
        {22, 23},            // Maestri: the hour and the rulers, the year and the cycle
    }};
    return table[static_cast<std::size_t>(button)];
}

int ViewCounters::click(Bank bank, int slot, int views) {
    const auto b = static_cast<std::size_t>(bank);
    const auto s = static_cast<std::size_t>(slot);
    if (slot < 0 || slot >= kSlots) {
        reset();
        return 0;
    }
    const int shown = views > 0 ? counters_[b][s] % views : 0;
    reset();
    counters_[b][s] = views > 0 ? (shown + 1) % views : 0;
    return shown;
}

void ViewCounters::reset() {
    for (auto& bank : counters_) bank.fill(0);
}

int ViewCounters::value(Bank bank, int slot) const {
    return counters_[static_cast<std::size_t>(bank)][static_cast<std::size_t>(slot)];
}

GlyphStep pointGlyphStep(int point, int view) {
    GlyphStep step;
    step.view = view;
    step.pictures = point >= 1 && point <= 7;
    switch (view) {
    case 0:
        step.action = GlyphAction::Attributions;
        step.message = 28;
        break;
    case 1:
        if (point <= 9) {
            step.action = GlyphAction::LinkedRemedies;
            step.message = 29;
        }
        break;
    case 2:
        step.action = GlyphAction::HideLinked;
        step.message = 28;
        break;
    default:
        if (point <= 7) {
            step.action = GlyphAction::MirrorLines;
            step.message = 30;
        }
        break;
    }
    return step;
}

GlyphStep signGlyphStep(int view) {
    static constexpr std::array<GlyphAction, 4> actions = {GlyphAction::Attributions, GlyphAction::LinkedRemedies,
                                                           GlyphAction::HideLinked, GlyphAction::MirrorLines};
    static constexpr std::array<int, 4> messages = {31, 32, 31, 33};
    GlyphStep step;
    step.view = view;
    step.action = actions[static_cast<std::size_t>(view)];
    step.message = messages[static_cast<std::size_t>(view)];
    step.pictures = true;
    return step;
}

ButtonStep AnalysisSession::press(AnalysisButton button) {
    const std::vector<int>& messages = buttonMessages(button);
    ButtonStep step;
    step.button = button;
    step.view = counters_.click(ViewCounters::Bank::Buttons, static_cast<int>(button), static_cast<int>(messages.size()));
    step.message = messages[static_cast<std::size_t>(step.view)];
    return step;
}

GlyphStep AnalysisSession::clickPoint(int point) {
    return pointGlyphStep(point, counters_.click(ViewCounters::Bank::Points, point, kGlyphViews));
}

GlyphStep AnalysisSession::clickSign(int sign) {
    return signGlyphStep(counters_.click(ViewCounters::Bank::Signs, sign, kGlyphViews));
}

bool hitsGlyph(double px, double py, const GlyphPlace& glyph, const HitGeometry& g) {
    const double cx = glyph.x * g.scale / g.hFactor + g.x0;
    const double cy = glyph.y * g.scale / g.vFactor + g.y0;
    return std::abs(px - cx) < 15 / g.hFactor && std::abs(py - cy) < 15 / g.vFactor;
}

GlyphHit hitGlyph(double px, double py, const std::vector<GlyphPlace>& structure,
                  const std::vector<GlyphPlace>& points, const std::vector<GlyphPlace>& signs,
                  const HitGeometry& geometry) {
    const std::array<std::pair<GlyphHit::Kind, const std::vector<GlyphPlace>*>, 3> lists = {{
        {GlyphHit::Kind::Structure, &structure},
        {GlyphHit::Kind::Point, &points},
        {GlyphHit::Kind::Sign, &signs},
    }};
    for (const auto& [kind, places] : lists)
        for (const GlyphPlace& place : *places)
            if (hitsGlyph(px, py, place, geometry)) return {kind, place.number, place.x, place.y};
    return {};
}

std::vector<std::string> messageBlock(const std::vector<std::string>& lines, int n) {
    std::vector<std::string> block;
    if (n <= 0) return block;
    int marks = 0;
    for (const std::string& line : lines) {
        if (line.find('#') != std::string::npos) {
            if (++marks > n) break;
            continue;
        }
        if (marks == n) block.push_back(line);
    }
    return block;
}

std::vector<std::string> readInfoMessage(int n) {
    return messageBlock(readDataTextLines(kMessagesPath), n);
}

} // namespace qv
