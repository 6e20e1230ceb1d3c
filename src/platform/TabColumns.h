#pragma once
// The one tab rule of the program, and the widths that follow from it. A row's columns: a byte is a
// column, a double-byte character two (its lead byte takes the byte after it, whatever that is), and
// a tab runs to the next tab stop, on a wrapped text never past the wrap column. The walks go from
// tab to tab (memchr) and count the bytes between as columns, so a long row costs no string and no
// table, and a prefix costs only its own bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace qx {

struct TTabRule {
    int Tab = 8;   // columns from one tab stop to the next (taken as 1 when less)
    int Wrap = 0;  // the wrap column of a wrapped text, 0 when the text is not wrapped

    // The column after a tab that starts at column Col.
    int NextStop(int Col) const
    {
        const int tab = Tab > 0 ? Tab : 1;
        int next = (Col / tab + 1) * tab;
        if (Wrap > 0) {
            const int wrapEnd = (Col / Wrap + 1) * Wrap;
            if (wrapEnd < next) next = wrapEnd;
        }
        return next;
    }
};

// The first tab at or after byte From of S (From a character start) that is a character of its own
// (not the second byte of a double-byte character); S.size() when there is none.
std::size_t FindTab(std::string_view S, std::size_t From);

// The columns S takes when it starts at column StartCol, as the column where it ends.
int ColumnsOf(std::string_view S, const TTabRule& Rule, int StartCol = 0);

// The columns of S, counted no further than Limit: the exact width when it is less than Limit,
// otherwise a value of at least Limit. A prefix of a long row is measured at the cost of the prefix.
int ColumnsUpTo(std::string_view S, const TTabRule& Rule, int Limit);

// The byte of S that column Col stands on: within a tab's cells after its first the byte after the
// tab, past the end S.size(). (Inside a double-byte character, its second byte.)
std::size_t ByteOfColumn(std::string_view S, const TTabRule& Rule, int Col);

// S with every tab replaced by the spaces of its cells, only as far as column Limit (negative: all).
std::string ExpandTabs(std::string_view S, const TTabRule& Rule, int Limit = -1);

// The characters before column Col (a tab and a double-byte character count one each; each column
// past the end of S counts one).
int CharactersBeforeColumn(std::string_view S, const TTabRule& Rule, int Col);

} // namespace qx
