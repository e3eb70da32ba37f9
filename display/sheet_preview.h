// What the sheet window keeps between user actions, without the window: the
// preview's zoom and origin with their limits and steps, the drag rule, and
// the exported pictures' names and their orientation list Emf\TipGraf.Set.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qv::draw {

inline constexpr double kZoomStep = 1.15;
inline constexpr double kZoomMin = 0.4;
inline constexpr double kZoomMax = 4.0;
inline constexpr int kDragThreshold = 2;   // pixels a drag must exceed to move the sheet
inline constexpr int kWheelStep = 20;      // pixels per notch of the mouse wheel

struct SheetPreview {
    double zoom = 1;
    int x0 = 0, y0 = 0;

    // × or ÷ 1.15 within 0.4 … 4.0, keeping the point at the screen centre
    // (cx, cy) in place.
    void zoomIn(int cx, int cy);
    void zoomOut(int cx, int cy);
    // The end of a drag: each direction moves only beyond 2 pixels.
    void endDrag(int dx, int dy);
    // A notch of the mouse wheel: down moves the sheet origin 20 pixels down.
    void wheel(bool down);
    // "Altezza": a portrait page at half size, a quarter of the screen in.
    void fitHeight(bool landscape, int screenWidth);
    // "Larghezza": zoom 1 at the origin.
    void fitWidth();

private:
    void setZoom(double z, int cx, int cy);
};

inline constexpr const char* kPictureFolder = "Emf\\";
inline constexpr const char* kOrientationListPath = "Emf\\TipGraf.Set";
inline constexpr const char* kPictureNameMessage = "File deve essere .SVG";

// The number nn of a picture name GRAFnn.SVG (any case), 1 … 99; nothing
// for another name. The list offers 01 to 15; higher numbers are kept too.
std::optional<int> pictureNumberOf(const std::string& name);
// The choices of the picture name field.
std::vector<std::string> pictureNameChoices();

// The orientation list with line nn set to "P" (portrait) or "L"; a list
// shorter than nn lines is first filled with "L" lines, and every other
// line is kept as it is.
std::vector<std::string> withOrientation(std::vector<std::string> lines, int number, bool portrait);
// Line nn of the list; "L" where the list has no such line.
bool isPortraitPicture(const std::vector<std::string>& lines, int number);

// The window that shows a saved picture, in pixels: 660 × 510 for a
// landscape picture, 450 × 680 for a portrait one; on screens whose height
// is 0.62 to 0.63 of their width, 755 or 525 wide instead.
struct ViewerSize {
    int width = 0, height = 0;
    friend bool operator==(const ViewerSize&, const ViewerSize&) = default;
};
ViewerSize pictureViewerSize(bool portrait, int screenWidth, int screenHeight);

// The same on Emf\TipGraf.Set of the data directory (a missing file reads
// as empty; IoError when it cannot be written).
void recordPictureOrientation(int number, bool portrait);
bool pictureSavedPortrait(int number);

} // namespace qv::draw
