#pragma once
// Typed access to the bit fields packed into a row's two words: how the row ends, the lexer state
// carried into it and its marks. Every setter rewrites its own bits only; a value wider than its field
// is cut to the field, so it never spills into a neighbour.

#include "editor/RowStringList.h"

#include <cstdint>
#include <string>

namespace qx {

// Row attribute values (2 bits).
constexpr int raEnd = 0;      // the row ends its line
constexpr int raWrapped = 1;  // the line goes on in the next row
constexpr int raEof = 2;      // the row ends the text

// Bracket index values besides 0..13.
constexpr int biNotComputed = -2;  // no lexer state computed for the row yet
constexpr int biNone = -1;         // no bracket pair open

// The lexer state at the start of a row, as the row list and the lexer exchange it.
struct TRowAttributeData {
    std::uint8_t RowAttribute = 0;      // attribute of the row being lexed (the row's own, not stored here)
    std::uint8_t PrevRowAttribute = 0;
    std::int32_t BracketIndex = biNone;
    std::int32_t TokenState = 0;
    std::int32_t Remain = 0;             // bytes of a carried token that still belong to it
    std::int32_t ExtraState = 0;
    std::uint8_t Token = 0;              // token kind carried into the row
    std::uint8_t TokenFlag = 0;
    std::string DataStr;
};

// True when the stored parts of two states agree (everything but RowAttribute).
bool SameRowState(const TRowAttributeData& A, const TRowAttributeData& B);

class TRowAttributeStringList : public TRowStringList {
public:
    int RowAttributes(int Index) const;
    void SetRowAttributes(int Index, int Value);
    int PrevRowAttributes(int Index) const;
    void SetPrevRowAttributes(int Index, int Value);
    // -2 (not computed), -1 (no open bracket) or 0..13; stored as the value + 2.
    int BracketIndexes(int Index) const;
    void SetBracketIndexes(int Index, int Value);
    int TokenStates(int Index) const;
    void SetTokenStates(int Index, int Value);
    int Remains(int Index) const;
    void SetRemains(int Index, int Value);
    int ExtraStates(int Index) const;
    void SetExtraStates(int Index, int Value);
    int Tokens(int Index) const;
    void SetTokens(int Index, int Value);
    int TokenFlags(int Index) const;
    void SetTokenFlags(int Index, int Value);
    // Bit N = row mark N.
    int RowMarks(int Index) const;
    void SetRowMarks(int Index, int Value);

    // Whether a row with this AttrWord holds a computed lexer state (its bracket index is not -2).
    static bool StateComputed(std::uint32_t AttrWord);

    // The stored state of a row as a record (RowAttribute = the row's own attribute).
    TRowAttributeData RowState(int Index) const;
    // Stores PrevRowAttribute..TokenFlag and DataStr; the row's own attribute and marks stay.
    void SetRowState(int Index, const TRowAttributeData& State);
};

} // namespace qx
