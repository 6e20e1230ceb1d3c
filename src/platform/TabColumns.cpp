#include "platform/TabColumns.h"

#include "platform/LeadByte.h"

#include <algorithm>
#include <cstring>

namespace qx {

namespace {

// The first tab character in bytes From..End of S (From a character start); End when there is none.
// A tab byte is the second half of a double-byte character when an odd run of lead-range bytes stands
// before it: a byte outside the lead range always ends a character, so the run starts one.
std::size_t FindTabIn(std::string_view S, std::size_t From, std::size_t End)
{
    while (From < End) {
        const void* hit = std::memchr(S.data() + From, '\t', End - From);
        if (!hit) return End;
        const std::size_t t = static_cast<std::size_t>(static_cast<const char*>(hit) - S.data());
        std::size_t run = 0;
        while (t - run > From && IsDBCSLeadByte(S[t - run - 1])) ++run;
        if (run % 2 == 0) return t;
        From = t + 1;
    }
    return End;
}

} // namespace

std::size_t FindTab(std::string_view S, std::size_t From) { return FindTabIn(S, From, S.size()); }

int ColumnsOf(std::string_view S, const TTabRule& Rule, int StartCol)
{
    int col = StartCol;
    for (std::size_t pos = 0;;) {
        const std::size_t t = FindTabIn(S, pos, S.size());
        col += static_cast<int>(t - pos);
        if (t == S.size()) return col;
        col = Rule.NextStop(col);
        pos = t + 1;
    }
}

int ColumnsUpTo(std::string_view S, const TTabRule& Rule, int Limit)
{
    int col = 0;
    for (std::size_t pos = 0;;) {
        if (col >= Limit) return col;
        // A segment without tabs reaching Limit needs no further look.
        const std::size_t end = std::min(S.size(), pos + static_cast<std::size_t>(Limit - col));
        const std::size_t t = FindTabIn(S, pos, end);
        col += static_cast<int>(t - pos);
        if (t == end) return col;
        col = Rule.NextStop(col);
        pos = t + 1;
    }
}

std::size_t ByteOfColumn(std::string_view S, const TTabRule& Rule, int Col)
{
    int col = 0;
    for (std::size_t pos = 0;;) {
        if (Col <= col) return pos;
        // The byte at column Col when no tab stands before it.
        const std::size_t reach = pos + static_cast<std::size_t>(Col - col);
        const std::size_t t = FindTabIn(S, pos, std::min(reach, S.size()));
        if (t >= std::min(reach, S.size())) return std::min(reach, S.size());
        col += static_cast<int>(t - pos);
        const int next = Rule.NextStop(col);
        if (Col < next) return t + 1;
        col = next;
        pos = t + 1;
    }
}

std::string ExpandTabs(std::string_view S, const TTabRule& Rule, int Limit)
{
    std::string out;
    int col = 0;
    for (std::size_t pos = 0;;) {
        // One byte past the limit, so that a double-byte character that starts before it stays whole.
        const std::size_t end =
            Limit < 0 ? S.size() : std::min(S.size(), pos + static_cast<std::size_t>(std::max(0, Limit - col)) + 1);
        const std::size_t t = FindTabIn(S, pos, end);
        out.append(S.substr(pos, t - pos));
        col += static_cast<int>(t - pos);
        if (t == end || (Limit >= 0 && col > Limit)) return out;
        const int next = Rule.NextStop(col);
        out.append(static_cast<std::size_t>(next - col), ' ');
        col = next;
        pos = t + 1;
    }
}

int CharactersBeforeColumn(std::string_view S, const TTabRule& Rule, int Col)
{
    int column = 0, characters = 0;
    for (std::size_t i = 0; i < S.size() && column < Col; ++characters) {
        if (S[i] == '\t') {
            column = Rule.NextStop(column);
            ++i;
        } else {
            const std::size_t length = CharLengthAt(S, i);
            column += static_cast<int>(length);
            i += length;
        }
    }
    return characters + std::max(0, Col - column);
}

} // namespace qx
