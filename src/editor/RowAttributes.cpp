#include "editor/RowAttributes.h"

namespace qx {

namespace {

// A field of a 32-bit word: its first bit and its width.
struct TBitField {
    unsigned Shift;
    unsigned Width;
    std::uint32_t Mask() const { return (Width >= 32 ? 0xFFFFFFFFu : ((1u << Width) - 1)) << Shift; }
    int Read(std::uint32_t word) const { return static_cast<int>((word & Mask()) >> Shift); }
    std::uint32_t Write(std::uint32_t word, int value) const
    {
        return (word & ~Mask()) | ((static_cast<std::uint32_t>(value) << Shift) & Mask());
    }
};

// AttrWord
constexpr TBitField fRowAttribute{0, 2};
constexpr TBitField fPrevRowAttribute{2, 2};
constexpr TBitField fBracketIndex{4, 4};  // value + 2
constexpr TBitField fTokenState{8, 8};
constexpr TBitField fRemain{16, 8};
constexpr TBitField fExtraState{24, 8};
// MarkWord
constexpr TBitField fToken{0, 8};
constexpr TBitField fTokenFlag{8, 8};
constexpr TBitField fRowMarks{16, 16};

constexpr int BracketBias = 2;

} // namespace

bool SameRowState(const TRowAttributeData& A, const TRowAttributeData& B)
{
    return A.PrevRowAttribute == B.PrevRowAttribute && A.BracketIndex == B.BracketIndex &&
           A.TokenState == B.TokenState && A.Remain == B.Remain && A.ExtraState == B.ExtraState &&
           A.Token == B.Token && A.TokenFlag == B.TokenFlag && A.DataStr == B.DataStr;
}

#define QX_ROW_FIELD(Name, Word, Field, Bias)                                                   \
    int TRowAttributeStringList::Name(int Index) const { return Field.Read(Word(Index)) - (Bias); } \
    void TRowAttributeStringList::Set##Name(int Index, int Value)                               \
    {                                                                                          \
        Set##Word(Index, Field.Write(Word(Index), Value + (Bias)));                            \
    }

QX_ROW_FIELD(RowAttributes, AttrWord, fRowAttribute, 0)
QX_ROW_FIELD(PrevRowAttributes, AttrWord, fPrevRowAttribute, 0)
QX_ROW_FIELD(BracketIndexes, AttrWord, fBracketIndex, BracketBias)
QX_ROW_FIELD(TokenStates, AttrWord, fTokenState, 0)
QX_ROW_FIELD(Remains, AttrWord, fRemain, 0)
QX_ROW_FIELD(ExtraStates, AttrWord, fExtraState, 0)
QX_ROW_FIELD(Tokens, MarkWord, fToken, 0)
QX_ROW_FIELD(TokenFlags, MarkWord, fTokenFlag, 0)
QX_ROW_FIELD(RowMarks, MarkWord, fRowMarks, 0)

#undef QX_ROW_FIELD

bool TRowAttributeStringList::StateComputed(std::uint32_t AttrWord)
{
    return fBracketIndex.Read(AttrWord) - BracketBias != biNotComputed;
}

TRowAttributeData TRowAttributeStringList::RowState(int Index) const
{
    const std::uint32_t attr = AttrWord(Index);
    const std::uint32_t mark = MarkWord(Index);
    TRowAttributeData state;
    state.RowAttribute = static_cast<std::uint8_t>(fRowAttribute.Read(attr));
    state.PrevRowAttribute = static_cast<std::uint8_t>(fPrevRowAttribute.Read(attr));
    state.BracketIndex = fBracketIndex.Read(attr) - BracketBias;
    state.TokenState = fTokenState.Read(attr);
    state.Remain = fRemain.Read(attr);
    state.ExtraState = fExtraState.Read(attr);
    state.Token = static_cast<std::uint8_t>(fToken.Read(mark));
    state.TokenFlag = static_cast<std::uint8_t>(fTokenFlag.Read(mark));
    state.DataStr = StateStr(Index);
    return state;
}

void TRowAttributeStringList::SetRowState(int Index, const TRowAttributeData& State)
{
    std::uint32_t attr = AttrWord(Index);
    attr = fPrevRowAttribute.Write(attr, State.PrevRowAttribute);
    attr = fBracketIndex.Write(attr, State.BracketIndex + BracketBias);
    attr = fTokenState.Write(attr, State.TokenState);
    attr = fRemain.Write(attr, State.Remain);
    attr = fExtraState.Write(attr, State.ExtraState);
    SetAttrWord(Index, attr);
    SetMarkWord(Index, fTokenFlag.Write(fToken.Write(MarkWord(Index), State.Token), State.TokenFlag));
    if (StateStr(Index) != State.DataStr) SetStateStr(Index, State.DataStr);
}

} // namespace qx
