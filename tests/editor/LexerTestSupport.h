#pragma once
// Test helpers for the lexers: a row cut into (kind, text) pairs, and rows with their carried states.

#include "editor/FountainParser.h"
#include "editor/RowAttributes.h"
#include "platform/Cp932.h"

#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qx::test {

struct Tok {
    int kind;
    std::string text;
    bool operator==(const Tok&) const = default;
};

inline void PrintTo(const Tok& t, std::ostream* os) { *os << "{" << t.kind << ", \"" << t.text << "\"}"; }

// Shift-JIS bytes of a UTF-8 literal.
inline std::string Sjis(std::string_view utf8) { return Utf8ToCp932(utf8); }

// The row's tokens as colouring sees them (reserved words upgraded), up to the end of the row.
inline std::vector<Tok> Lex(TFountainParser& parser, std::string_view text, const TRowAttributeData& state = {})
{
    std::vector<Tok> tokens;
    parser.StartRow(text, state);
    for (int guard = 0; guard < 10000 && parser.Next() != toEof; ++guard)
        tokens.push_back({parser.ReserveWordToken(), std::string(parser.TokenString())});
    return tokens;
}

// Rows with attributes; States() computes the state at the start of every row from the top.
struct Rows {
    TRowAttributeStringList list;

    Rows(std::initializer_list<std::pair<std::string, int>> rows)
    {
        for (const auto& [text, attribute] : rows) list.SetRowAttributes(list.Add(text), attribute);
    }

    std::vector<TRowAttributeData> States(TFountainParser& parser) const
    {
        std::vector<TRowAttributeData> states(1);
        for (int row = 0; row + 1 < list.Count(); ++row) {
            TRowAttributeData next = states.back();
            parser.NextRowState(row, list, next);
            states.push_back(next);
        }
        return states;
    }

    // Every row's tokens, each row lexed on its own from its carried state.
    std::vector<std::vector<Tok>> LexAll(TFountainParser& parser) const
    {
        const auto states = States(parser);
        std::vector<std::vector<Tok>> rows;
        for (int row = 0; row < list.Count(); ++row) rows.push_back(Lex(parser, list.Get(row), states[row]));
        return rows;
    }
};

} // namespace qx::test
