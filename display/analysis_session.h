// What the chart analysis window remembers between clicks, without any
// window: which view each button and each clickable glyph shows next, which
// information message goes with it, where a mouse press lands among the
// glyphs drawn, and the numbered blocks of Appoggio\Messaggi.txt.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace qv {

// The nine analysis buttons, in the order of their counters.
enum class AnalysisButton : int {
    Coordinates = 0,  // "Coordinate Planetarie"
    Substance,        // "Costituzione (Stoffa)"
    Structure,        // "Struttura Archetipale"
    Aspects,          // "Aspetti Planetari"
    Affinities,       // "Affinità Energetiche"
    Antiscia,         // "Antisce e Contrantisce"
    Dodecatemories,   // "Dodecatemorie"
    Dominant,         // the dominant-planet views
    Masters,          // "Maestri"
};
inline constexpr int kAnalysisButtons = 9;

// The information message of each of a button's views, in the order the
// button shows them; the number of views is the size of the list.
const std::vector<int>& buttonMessages(AnalysisButton button);

// Three banks of sixteen counters: the glyphs of the points, the glyphs of
// the signs and the buttons. Each counter selects which of its views the
// next click shows; a click shows that view, sets every other counter of
// every bank to 0 and advances its own, back to 0 after the last view.
class ViewCounters {
public:
    enum class Bank { Points = 0, Signs = 1, Buttons = 2 };
    static constexpr int kSlots = 16;

    // The view (0-based) this click shows. `views` is how many the slot has.
    int click(Bank bank, int slot, int views);
    // Sets every counter to 0 (opening the window, a click on a glyph that
    // has no counter of its own).
    void reset();
    int value(Bank bank, int slot) const;

private:
    std::array<std::array<int, kSlots>, 3> counters_{};
};

// What one click on a glyph does.
enum class GlyphAction {
    Attributions,    // the attribution panel of the point or sign
    LinkedRemedies,  // the plants or remedies carrying its signature
    HideLinked,      // the linked panel is hidden again
    MirrorLines,     // the chart afresh with its antiscion and contrantiscion
    Nothing,         // this step has nothing for this glyph
};
struct GlyphStep {
    int view = 0;  // the counter's value, 0..3
    GlyphAction action = GlyphAction::Nothing;
    int message = 0;  // the information message to show; 0: leave the one shown
    bool pictures = false;  // the point's or sign's pictures go into the panels
};
inline constexpr int kGlyphViews = 4;

// The four clicks on a point (1–11): attributions (message 28); for points
// 1–9 the linked remedies (29); the linked panel hidden (28); for points 1–7
// the mirror lines (30). The nodes, the Ascendant and the Medium Coeli have
// no mirror lines, the Ascendant and the Medium Coeli no linked remedies:
// those steps do nothing and leave the message as it is. Points 1–7 show
// their pictures.
GlyphStep pointGlyphStep(int point, int view);
// The four clicks on a sign (1–12): attributions (31), linked remedies (32),
// linked panel hidden (31), mirror lines (33); every sign has all four and
// its pictures.
GlyphStep signGlyphStep(int view);

// The session of one analysis window: the counters and the button table.
struct ButtonStep {
    AnalysisButton button = AnalysisButton::Coordinates;
    int view = 0;  // 0-based
    int message = 0;
};
class AnalysisSession {
public:
    // Opening the window: every counter back to 0.
    void open() { counters_.reset(); }
    ButtonStep press(AnalysisButton button);
    GlyphStep clickPoint(int point);
    GlyphStep clickSign(int sign);
    // A glyph of the archetypal structure: no views of its own, it resets
    // every counter.
    void clickStructureGlyph() { counters_.reset(); }
    const ViewCounters& counters() const { return counters_; }

private:
    ViewCounters counters_;
};

// ---- where a press lands ----------------------------------------------------

struct GlyphPlace {
    int number = 0;  // point, sign or structure planet number
    double x = 0, y = 0;  // its recorded centre, sheet millimetres
};

// The drawing's geometry on the screen: pixels per millimetre, the
// calibration factors and the pixel offset of the drawing's origin.
struct HitGeometry {
    double scale = 1;
    double hFactor = 1, vFactor = 1;
    double x0 = 0, y0 = 0;
};

// A press at pixel (px, py) hits a glyph when its horizontal and its
// vertical distance from the glyph's centre are both below 15 pixels, the
// centre and the 15 pixels being divided by the calibration factors (a
// factor below 1 stretches the drawing, and the sensitive square with it).
bool hitsGlyph(double px, double py, const GlyphPlace& glyph, const HitGeometry& geometry);

struct GlyphHit {
    enum class Kind { None, Structure, Point, Sign };
    Kind kind = Kind::None;
    int number = 0;
    double x = 0, y = 0;  // the centre of the glyph hit (a planet may stand twice in the structure)
};
// The glyph a press hits: the structure's glyphs first, then the points,
// then the signs; the first one in each list that is hit.
GlyphHit hitGlyph(double px, double py, const std::vector<GlyphPlace>& structure,
                  const std::vector<GlyphPlace>& points, const std::vector<GlyphPlace>& signs,
                  const HitGeometry& geometry);

// ---- information messages ---------------------------------------------------

inline constexpr const char* kMessagesPath = "Appoggio\\Messaggi.txt";
// The last message that the information memo shows; the later ones belong
// to the linked panel's extra memo.
inline constexpr int kLastInfoMemoMessage = 33;

// Block n of the messages file: the lines after the n-th line that holds
// a "#" and before the next line that holds one (or the end of the file).
// Empty for n ≤ 0 or when the file has fewer blocks.
std::vector<std::string> messageBlock(const std::vector<std::string>& lines, int n);
// The same from Appoggio\Messaggi.txt of the data directory (IoError when
// it is missing).
std::vector<std::string> readInfoMessage(int n);

} // namespace qv
