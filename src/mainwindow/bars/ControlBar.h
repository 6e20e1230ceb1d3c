#pragma once
// The control bar that carries the window's bands (the menu bar, the user tool bars), without its
// widgets: the band grips in six styles as point lists, the hover colours, and folding: a click on a
// band's grip (not the end of a drag) folds the band into a 10-pixel tab along the bar's bottom edge,
// and a click on a tab unfolds it. The Qt side paints the shapes and forwards the mouse.

#include "platform/Color.h"

#include <vector>

namespace qx {

enum class TCuteBandType { cbtNormal, cbtNetscape, cbtJust, cbtOrangeLED, cbtGreenLED, cbtBlueLED };

// The settings' band style ([Menu] / [ToolBar] "BarStyle": 0 standard, 1 ATOK12-like, 2 Netscape-like).
TCuteBandType BandTypeOfStyle(int BarStyle);

// The grip colour of an LED style: dim, or bright while the mouse is over the band; clNone for the others.
TColor LedColor(TCuteBandType Type, bool Bright);

struct TBarPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TBarPoint&) const = default;
};

// One thing to paint: pixels, a line through its points (each segment without its last pixel, as the
// platform's line drawing), a filled rectangle (two corners, the second exclusive) or a polygon filled
// with Color and outlined with Outline.
struct TBarShape {
    enum TKind { Pixels, Line, Rect, Polygon } Kind = Pixels;
    std::vector<TBarPoint> Points;
    TColor Color = clBlack;
    TColor Outline = clNone;
};

inline constexpr int GripWidth = 10;          // a band's grip is its left 10 pixels
inline constexpr int FoldStripHeight = 10;    // the tab strip along the bottom
inline constexpr int FoldStripExtra = 11;     // the height the bar adds while a band is folded

// The grip of a band at (X, Top) of Height; Width is the band's (the hover fill covers it). Normal (and
// a band lower than 7 pixels) gives nothing: the platform's own grabber stays.
std::vector<TBarShape> BandGrip(TCuteBandType Type, int X, int Top, int Width, int Height, bool Hovered);

// The tabs of folded bands along the strip that starts at StripTop, one per folded band in band order,
// each the band's height + 15 pixels long.
struct TFoldTab {
    int Left = 0;
    int Length = 0;
    bool operator==(const TFoldTab&) const = default;
};
std::vector<TFoldTab> FoldTabs(const std::vector<int>& FoldedHeights);
// The tab under X, or -1.
int FoldTabAt(const std::vector<TFoldTab>& Tabs, int X);
// Whether Y (client coordinates of a bar ClientHeight high) lies in the strip.
bool InFoldStrip(int Y, int ClientHeight);

// The strip's drawing: the line above it, each tab's outline and its grip mark. Width is the bar's.
std::vector<TBarShape> FoldStripShapes(TCuteBandType Type, const std::vector<TFoldTab>& Tabs, int StripTop,
                                       int Width, int HoveredTab);

// Tells a click from the end of a drag: every re-alignment of the bands marks a drag, every button
// press starts afresh, and a release is a click only when nothing moved in between.
class TBandClickTracker {
public:
    void Pressed() { FRealigned = false; }
    void Realigned() { FRealigned = true; }
    bool IsClick() const { return !FRealigned; }

private:
    bool FRealigned = false;
};

} // namespace qx
