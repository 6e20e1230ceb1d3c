#pragma once
// Literal search in a Shift-JIS buffer, forward or backward from a selection, with case folding,
// whole words, full-width/half-width folding and skipping of line ends and blanks. A match never
// begins on the trail byte of a double-byte character.

#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

using TEditorSearchOptions = std::uint16_t;
constexpr TEditorSearchOptions soForward = 0x01;       // clear: backward
constexpr TEditorSearchOptions soMatchCase = 0x02;
constexpr TEditorSearchOptions soWholeWord = 0x04;
constexpr TEditorSearchOptions soIgnoreWidth = 0x08;   // half-width characters match their full-width forms
constexpr TEditorSearchOptions soSkipLineEnds = 0x80;  // CR and LF in the text are skipped inside a match
constexpr TEditorSearchOptions soSkipBlanks = 0x100;   // space, tab and full-width space likewise

// In: the current selection (byte offset and length). Out: the match (its length counts the bytes
// skipped inside it).
struct TSearchPosition {
    int Pos = 0;
    int Len = 0;
};

// Forward, the search starts after the selection; backward, it finds the last match that starts
// before the selection (at most the pattern's length before it). False for an empty pattern or text,
// a position outside the text, a negative length, or no match.
bool SearchText(std::string_view Text, TSearchPosition& Position, std::string_view Pattern,
                TEditorSearchOptions Options);

// Every single-byte character replaced by its full-width form; a half-width katakana with a voiced or
// semi-voiced mark after it becomes the one full-width letter where there is one.
std::string HalfToFullKana(std::string_view S);

// Two double-byte characters (lead << 8 | trail) are the same character or a case pair: full-width
// Latin letters, Greek, Cyrillic, and the Roman numerals, whose upper and lower cases and whose two
// code sets (NEC 0x8754.., 0xEEEF..; IBM 0xFA40..) all fold together.
bool SameFoldedChar(unsigned A, unsigned B);

// A JIS X 0208 code (row and cell bytes 0x21-0x7E) to Shift-JIS.
unsigned JisToSjis(unsigned Code);

} // namespace qx
