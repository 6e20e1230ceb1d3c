#pragma once
// Literal search in a Shift-JIS buffer, forward or backward from a selection, with case folding,
// whole words, full-width/half-width folding and skipping of line ends and blanks. A match never
// begins on the trail byte of a double-byte character.

#include "platform/NeedleFinder.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// A pattern prepared once for searching many buffers (the editor searches its text chunk by chunk).
class TTextSearcher {
public:
    TTextSearcher(std::string_view Pattern, TEditorSearchOptions Options);
    bool Empty() const { return FPattern.empty(); }
    TEditorSearchOptions Options() const { return FOptions; }

    // The first match (forward) or the last (backward) whose start lies in From..To - 1. The bytes of
    // Text after To only complete a match; those before From only decide a word boundary.
    bool FindIn(std::string_view Text, std::size_t From, std::size_t To, TSearchPosition& Match);
    // The first start a backward search from Pos tries (the pattern's length before it, counted in
    // characters under width folding); -1 when none fits.
    std::ptrdiff_t BackwardStart(std::string_view Text, std::ptrdiff_t Pos);

private:
    // One character as the comparison sees it.
    struct TSearchChar {
        unsigned Code;  // the byte, or lead << 8 | trail
        bool Double;
        bool operator==(const TSearchChar&) const = default;
    };

    bool MatchCase() const { return (FOptions & soMatchCase) != 0; }
    bool IgnoreWidth() const { return (FOptions & soIgnoreWidth) != 0; }
    void Bind(std::string_view Text);
    // Whether a character of the bound text starts at byte i (found without reading the text from its
    // start), and whether the character before that start is a double-byte one.
    bool IsBoundary(std::ptrdiff_t i) const;
    bool PrevIsDouble(std::ptrdiff_t i) const;
    bool Candidate(std::ptrdiff_t c, TSearchPosition& Match) const;
    // The text character at i as compared (its full-width form under width folding) and its length.
    TSearchChar TextChar(std::size_t i, std::size_t& length) const;
    bool Same(const TSearchChar& text, const TSearchChar& pattern) const;
    // Whether no other character of a text compares the same as Pattern's character under the options.
    bool OnlyItself(const TSearchChar& Pattern) const;
    // Bytes at i that the options let a match step over (0: none).
    std::size_t Skippable(std::size_t i) const;
    bool TryAt(std::ptrdiff_t candidate, TSearchPosition& position) const;

    TEditorSearchOptions FOptions;
    std::vector<TSearchChar> FPattern;
    std::size_t FPatternBytes = 0;
    // Where every match is the pattern's own bytes (no option folds or skips any of its characters),
    // its candidates are found by the byte search that grep's literal patterns use; tuned on the first
    // text searched.
    std::optional<TNeedleFinder> FLiteral;
    bool FTuned = false;
    // The bytes a match may start with; with only one, FFirstByte is it.
    bool FFirst[256] = {};
    int FFirstCount = 0;
    unsigned char FFirstByte = 0;
    // The text searched last, and the run of lead-range bytes IsBoundary read last.
    std::string_view FText;
    mutable std::ptrdiff_t FRunStart = -1, FRunEnd = -1;
};

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
