#pragma once
// The one surface the editing control draws on: the screen through its host, an image in tests, a
// printer page later. Coordinates are logical pixels; the host maps them to device pixels. Text is
// handed over as Shift-JIS bytes with a cell width: every byte takes one cell, so a double-byte
// character takes two, and the canvas places each character on its cell, never where the font's own
// advance would put it.

#include "platform/Color.h"
#include "platform/FontStyle.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Left and Top inside, Right and Bottom outside, as the platform's rectangles.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint P) const { return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// The common part of two rectangles; Empty() when they do not meet.
inline TRect Intersect(const TRect& A, const TRect& B)
{
    return {std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
            std::min(A.Bottom, B.Bottom)};
}
// True when the two rectangles share a pixel.
inline bool Intersects(const TRect& A, const TRect& B) { return !Intersect(A, B).Empty(); }

// A font as the control names it: the family the user chose (possibly a font this system lacks; the
// host resolves it), its size in points, its colour and style.
struct TFontSpec {
    std::string Name = "FixedSys";
    int Size = 8;
    TColor Color = clBlack;
    TFontStyles Style;
    friend bool operator==(const TFontSpec&, const TFontSpec&) = default;
};

// What the control needs to know of a font to lay out its grid.
struct TFontMetrics {
    int Height = 0;          // ascent + descent
    int ExternalLeading = 0;
    int AveCharWidth = 0;    // the width of a half-width character
};

// Options of a text run, with the platform's values.
constexpr unsigned etoOpaque = 2;   // fill the rectangle with the background first
constexpr unsigned etoClipped = 4;  // draw nothing outside the rectangle

// The look of a text run.
struct TTextStyle {
    TFontSpec Font;
    TColor Background = clWhite;  // used by etoOpaque
    int CellWidth = 8;
};

// A one-colour picture of at most 16 pixels a row: bit (Width - 1 - x) of Rows[y] is pixel (x, y).
struct TGlyph {
    int Width = 0;
    int Height = 0;
    const std::uint16_t* Rows = nullptr;
};

class TEditorCanvas {
public:
    virtual ~TEditorCanvas() = default;

    virtual void FillRect(const TRect& R, TColor Color) = 0;
    // Draws Text with its first cell's left edge at X and its top at Y, each byte cell Style.CellWidth
    // pixels wide. Bytes that are no character draw a visible substitute on their cells.
    virtual void TextRun(const TRect& Clip, int X, int Y, unsigned Options, std::string_view Text,
                         const TTextStyle& Style) = 0;
    // A one-pixel line from (X1, Y1) to (X2, Y2); the end point is not drawn, as the platform's LineTo.
    virtual void Line(int X1, int Y1, int X2, int Y2, TColor Color) = 0;
    // A horizontal line from X1 to X2 inclusive on row Y: pixel X1 in Dot, X1 + 1 in Bk, and so on.
    virtual void DotLine(int X1, int Y, int X2, TColor Bk, TColor Dot) = 0;
    // The set pixels of Glyph in Color, its top-left corner at (X, Y).
    virtual void DrawGlyph(int X, int Y, const TGlyph& Glyph, TColor Color) = 0;
    // Everything drawn until the matching PopClip stays inside R (and inside the clips pushed before).
    virtual void PushClip(const TRect& R) = 0;
    virtual void PopClip() = 0;
};

} // namespace qx
