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

TRowAttributeData TRowAttributeStringList::RowState(int Index) const
{
    const TRowStringItem& item = Item(Index);
    TRowAttributeData state;
    state.RowAttribute = static_cast<std::uint8_t>(fRowAttribute.Read(item.AttrWord));
    state.PrevRowAttribute = static_cast<std::uint8_t>(fPrevRowAttribute.Read(item.AttrWord));
    state.BracketIndex = fBracketIndex.Read(item.AttrWord) - BracketBias;
    state.TokenState = fTokenState.Read(item.AttrWord);
    state.Remain = fRemain.Read(item.AttrWord);
    state.ExtraState = fExtraState.Read(item.AttrWord);
    state.Token = static_cast<std::uint8_t>(fToken.Read(item.MarkWord));
    state.TokenFlag = static_cast<std::uint8_t>(fTokenFlag.Read(item.MarkWord));
    state.DataStr = item.StateStr.Str();
    return state;
}

void TRowAttributeStringList::SetRowState(int Index, const TRowAttributeData& State)
{
    TRowStringItem& item = Ref(Index);
    std::uint32_t attr = item.AttrWord;
    attr = fPrevRowAttribute.Write(attr, State.PrevRowAttribute);
    attr = fBracketIndex.Write(attr, State.BracketIndex + BracketBias);
    attr = fTokenState.Write(attr, State.TokenState);
    attr = fRemain.Write(attr, State.Remain);
    attr = fExtraState.Write(attr, State.ExtraState);
    item.AttrWord = attr;
    item.MarkWord = fTokenFlag.Write(fToken.Write(item.MarkWord, State.Token), State.TokenFlag);
    if (item.StateStr.View() != State.DataStr) item.StateStr = TRowString(State.DataStr);
}

} // namespace qx
