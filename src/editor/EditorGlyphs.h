#pragma once
// The control's own small pictures: the ruler's 5 x 9 digits and the row-mark glyphs of the image bar
// (a box with a digit for marks 0-9, a shape for marks 10-15), as one-colour glyphs.

#include "editor/EditorCanvas.h"

namespace qx {

constexpr int RulerDigitHeight = 9;
// Digit 0-9 of the ruler (5 pixels wide, "1" 3 pixels).
const TGlyph& RulerDigitGlyph(int Digit);

// Row marks 0-9: a rounded 8 x 11 box and its digit (drawn on the box at RowMarkDigitOffset).
constexpr int RowMarkDigitWidth = 8;
constexpr int RowMarkDigitHeight = 11;
const TGlyph& RowMarkBoxGlyph();
TPoint RowMarkDigitOffset(int Mark);
constexpr TColor RowMarkBoxColor = 0x800000;  // navy
constexpr TColor RowMarkDigitColor = 0xFFFFFF;

// Row marks 10-15: an 11 x 11 shape each, in its own colour.
constexpr int RowMarkGlyphSize = 11;
const TGlyph& RowMarkGlyph(int Mark);
TColor RowMarkGlyphColor(int Mark);

} // namespace qx
