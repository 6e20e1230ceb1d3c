#pragma once
// How values are spelled in the settings files: quoted strings, colour names, font-style masks.

#include "platform/Color.h"
#include "platform/FontStyle.h"

#include <string>
#include <string_view>

namespace qx {

// The value in one pair of double quotes, so that an ini reader's trimming cannot touch its blanks;
// an empty value becomes two quotes.
std::string AddQuotes(std::string_view value);
// One enclosing pair removed when the text both begins and ends with a double quote.
std::string StripQuotes(std::string_view text);

// The colour's identifier ("clBlack", "clNone", ...), else "$" and eight upper-case hexadecimal digits
// of the value, blue byte first ("$00FF8040").
std::string ColorToString(TColor color);
// An identifier (any case), or a number as the ini reader takes it; anything else gives `defaultColor`.
TColor StringToColor(std::string_view text, TColor defaultColor);

// The style set as a bit mask: bold 1, italic 2, underline 4, strike-out 8 (other bits are ignored).
int FontStylesToInt(TFontStyles styles);
TFontStyles IntToFontStyles(int mask);

} // namespace qx
