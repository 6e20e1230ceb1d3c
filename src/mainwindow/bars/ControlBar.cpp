#include "mainwindow/bars/ControlBar.h"

#include <algorithm>

namespace qx {

namespace {

constexpr TColor kHoverFill = 0xFFC8CF;
constexpr TColor kDark = 0x60302F;
constexpr TColor kMid = 0xCF6760;
constexpr TColor kCorner = 0xC0C0C0;

struct TShapes {
    std::vector<TBarShape> List;

    void Pixels(TColor Color, std::initializer_list<TBarPoint> Points) { List.push_back({TBarShape::Pixels, Points, Color}); }
    void Line(TColor Color, std::initializer_list<TBarPoint> Points) { List.push_back({TBarShape::Line, Points, Color}); }
    void Rect(TColor Color, TBarPoint From, TBarPoint To) { List.push_back({TBarShape::Rect, {From, To}, Color}); }
    void Polygon(TColor Fill, TColor Outline, std::initializer_list<TBarPoint> Points)
    {
        List.push_back({TBarShape::Polygon, Points, Fill, Outline});
    }
};

bool IsLed(TCuteBandType Type)
{
    return Type == TCuteBandType::cbtOrangeLED || Type == TCuteBandType::cbtGreenLED || Type == TCuteBandType::cbtBlueLED;
}

// The grip mark on a folded band's tab at x of length L; First: the strip's first tab, whose left side
// is straight.
void TabMark(TShapes& S, TCuteBandType Type, int x, int y, int L, bool First, bool Hovered)
{
    switch (Type) {
    case TCuteBandType::cbtNormal: {
        // Two raised bars.
        const int a = First ? 4 : x + 10;
        const int b = First ? 4 : x + 7;
        S.Line(clBtnHighlight, {{a, y + 3}, {a, y + 2}, {x + L + 2, y + 2}});
        S.Line(clBtnHighlight, {{b, y + 6}, {b, y + 5}, {x + L - 1, y + 5}});
        S.Line(clBtnShadow, {{a, y + 4}, {x + L + 1, y + 4}, {x + L + 1, y + 2}});
        S.Line(clBtnShadow, {{b, y + 7}, {x + L - 2, y + 7}, {x + L - 2, y + 5}});
        break;
    }
    case TCuteBandType::cbtNetscape: {
        if (L <= 10) break;
        const int o = First ? 4 : x + 10;
        S.Polygon(kDark, kDark, {{o, y + 7}, {o, y + 3}, {o + 3, y + 6}});
        S.Line(clWhite, {{o + 1, y + 7}, {o + 3, y + 5}});
        S.Line(kMid, {{o + 1, y + 5}, {o + 1, y + 7}});
        if (L <= 25) break;
        const int last = First ? (L - 16) / 3 : (L - 20) / 3;
        for (int k = 0; k <= last; ++k) {
            const int u = (First ? 12 : x + 16) + 3 * k;
            S.Pixels(clWhite, {{u, y + 5}, {u + 3, y + 3}});
            S.Pixels(kDark, {{u + 1, y + 6}, {u + 4, y + 4}});
        }
        break;
    }
    case TCuteBandType::cbtJust: {
        if (L <= 25) break;
        const int last = First ? (L - 10) / 4 : (L - 12) / 4;
        for (int k = 0; k <= last; ++k) {
            const int u = (First ? 6 : x + 9) + 4 * k;
            S.Pixels(clBtnHighlight, {{u, y + 5}, {u + 2, y + 2}});
            S.Pixels(clBtnShadow, {{u + 1, y + 6}, {u + 3, y + 3}});
        }
        break;
    }
    default: {
        if (L <= 25) break;
        const TColor led = LedColor(Type, Hovered);
        if (First) S.Polygon(led, led, {{4, y + 5}, {4, y + 3}, {6, y + 3}});
        const int last = std::min(First ? (L - 10) / 4 : (L - 12) / 4, First ? 9 : 8);
        const int second = First ? 7 : 6;
        const int third = First ? 4 : 3;
        for (int k = 0; k <= last; ++k) {
            const int u = (First ? 4 : x + 7) + 4 * k;
            S.Line(led, {{u + 2, y + 7}, {u + 7, y + 2}});
            if (k < second) S.Line(led, {{u + 1, y + 7}, {u + 6, y + 2}});
            if (k < third) S.Line(led, {{u, y + 7}, {u + 5, y + 2}});
        }
        break;
    }
    }
}

} // namespace

TCuteBandType BandTypeOfStyle(int BarStyle)
{
    switch (BarStyle) {
    case 1: return TCuteBandType::cbtJust;
    case 2: return TCuteBandType::cbtNetscape;
    default: return TCuteBandType::cbtNormal;
    }
}

TColor LedColor(TCuteBandType Type, bool Bright)
{
    switch (Type) {
    case TCuteBandType::cbtOrangeLED: return Bright ? 0x4080FF : 0x06679B;
    case TCuteBandType::cbtGreenLED: return Bright ? 0x00FF00 : 0x008000;
    case TCuteBandType::cbtBlueLED: return Bright ? 0xFFFF00 : 0x800000;
    default: return clNone;
    }
}

std::vector<TBarShape> BandGrip(TCuteBandType Type, int x, int t, int Width, int h, bool Hovered)
{
    TShapes S;
    switch (Type) {
    case TCuteBandType::cbtNormal: break;
    case TCuteBandType::cbtNetscape:
        if (Hovered) S.Rect(kHoverFill, {x, t}, {x + Width, t + h});
        S.Line(clGray, {{x + 10, t}, {x + 10, t + h}});
        if (h > 14) {
            S.Pixels(Hovered ? kDark : clGray, {{x + 8, t + 3}});
            S.Polygon(kDark, kDark, {{x + 7, t + 3}, {x + 3, t + 3}, {x + 6, t + 6}});
            S.Line(clWhite, {{x + 6, t + 5}, {x + 7, t + 3}});
            S.Line(kMid, {{x + 5, t + 4}, {x + 7, t + 4}});
            for (int k = 0; k <= (h - 14) / 3; ++k) {
                const int y = t + 9 + 3 * k;
                S.Pixels(clWhite, {{x + 3, y}, {x + 6, y - 1}});
                S.Pixels(kDark, {{x + 4, y + 1}, {x + 7, y}});
            }
        }
        break;
    case TCuteBandType::cbtJust:
        if (h <= 7) break;
        for (int k = 0; k <= (h - 7) / 4; ++k) {
            const int y = t + 3 + 4 * k;
            S.Pixels(clBtnHighlight, {{x + 2, y}, {x + 8, y}, {x + 5, y + 2}});
            S.Pixels(clBtnShadow, {{x + 3, y + 1}, {x + 9, y + 1}, {x + 6, y + 3}});
        }
        break;
    default:
        if (h < 7) break;
        for (int k = 0; k <= (h - 6) / 3; ++k) {
            const int y = t + 3 + 3 * k;
            S.Line(LedColor(Type, Hovered), {{x + 2, y}, {x + 8, y}});
            S.Line(LedColor(Type, Hovered), {{x + 2, y + 1}, {x + 8, y + 1}});
        }
        break;
    }
    return std::move(S.List);
}

std::vector<TFoldTab> FoldTabs(const std::vector<int>& FoldedHeights)
{
    std::vector<TFoldTab> tabs;
    int x = 0;
    for (int height : FoldedHeights) {
        tabs.push_back({x, height + 15});
        x += height + 15;
    }
    return tabs;
}

int FoldTabAt(const std::vector<TFoldTab>& Tabs, int X)
{
    for (std::size_t i = 0; i < Tabs.size(); ++i)
        if (X >= Tabs[i].Left && X < Tabs[i].Left + Tabs[i].Length) return static_cast<int>(i);
    return -1;
}

bool InFoldStrip(int Y, int ClientHeight) { return Y >= ClientHeight - FoldStripHeight && Y < ClientHeight; }

std::vector<TBarShape> FoldStripShapes(TCuteBandType Type, const std::vector<TFoldTab>& Tabs, int y, int Width,
                                       int HoveredTab)
{
    TShapes S;
    if (Tabs.empty()) return {};
    S.Line(clBlack, {{0, y - 1}, {Width, y - 1}});
    for (std::size_t i = 0; i < Tabs.size(); ++i) {
        const int x = Tabs[i].Left;
        const int L = Tabs[i].Length;
        const bool first = i == 0;
        const bool hovered = static_cast<int>(i) == HoveredTab;
        const TColor face = hovered && Type == TCuteBandType::cbtNetscape ? kHoverFill : clBtnFace;
        if (first) {
            S.Polygon(face, clBlack, {{0, y + 9}, {0, y}, {L + 9, y}, {L, y + 9}});
            S.Line(clWhite, {{1, y + 8}, {1, y + 1}, {L + 7, y + 1}});
            S.Line(clBtnShadow, {{1, y + 8}, {L, y + 8}, {L + 7, y + 1}});
        } else {
            S.Polygon(face, clBlack, {{x, y + 9}, {x + 9, y}, {x + L + 9, y}, {x + L, y + 9}});
            S.Line(clWhite, {{x + 3, y + 7}, {x + 9, y + 1}, {x + L + 7, y + 1}});
            S.Line(clBtnShadow, {{x + 2, y + 8}, {x + L, y + 8}, {x + L + 7, y + 1}});
        }
        S.Pixels(kCorner, {{x + L + 7, y + 1}});
        TabMark(S, Type, x, y, L, first, hovered);
    }
    return std::move(S.List);
}

} // namespace qx
