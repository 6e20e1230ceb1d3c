#include "editor/EditorWrap.h"

#include "editor/EditorUtils.h"
#include "platform/Cp932.h"
#include "platform/LeadByte.h"

#include <algorithm>

namespace qx {

TDelimiters DefaultDelimiters()
{
    TDelimiters d;
    auto range = [&d](int from, int to) {
        for (int b = from; b <= to; ++b) d.set(static_cast<std::size_t>(b));
    };
    range(0x00, 0x20);
    range(0x21, 0x2F);
    range(0x3A, 0x40);
    range(0x5B, 0x5E);
    range(0x60, 0x60);
    range(0x7B, 0x7F);
    range(0x80, 0x80);
    range(0xA0, 0xA5);
    range(0xFD, 0xFF);
    return d;
}

// ---------------------------------------------------------------------------------------------------
// TEditorWrapOption

TEditorWrapOption::TEditorWrapOption()
    : FFollowStr(Utf8ToCp932("、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ")),
      FLeadStr(Utf8ToCp932("（［｛「『([{｢")),
      FPunctuationStr(Utf8ToCp932("、。，．,.｡､"))
{
}

void TEditorWrapOption::SetFollowRetMark(bool Value) { StoreRule(FFollowRetMark, Value); }
void TEditorWrapOption::SetFollowPunctuation(bool Value) { StoreRule(FFollowPunctuation, Value); }
void TEditorWrapOption::SetFollowStr(const std::string& Value) { StoreRule(FFollowStr, Value); }
void TEditorWrapOption::SetLeading(bool Value) { StoreRule(FLeading, Value); }
void TEditorWrapOption::SetLeadStr(const std::string& Value) { StoreRule(FLeadStr, Value); }
void TEditorWrapOption::SetPunctuationStr(const std::string& Value) { StoreRule(FPunctuationStr, Value); }
void TEditorWrapOption::SetWordBreak(bool Value) { StoreRule(FWordBreak, Value); }
void TEditorWrapOption::SetWrapByte(int Value) { StoreRule(FWrapByte, Value < 20 ? 20 : (Value > 2000 ? 2000 : Value)); }
void TEditorWrapOption::SetWrapLineColor(TColor Value) { Store(FWrapLineColor, Value); }
void TEditorWrapOption::SetWrapLineVisible(bool Value) { Store(FWrapLineVisible, Value); }

bool TEditorWrapOption::TakeRulesChanged()
{
    const bool changed = FRulesChanged;
    FRulesChanged = false;
    return changed;
}

void TEditorWrapOption::Assign(const TPersistent& Source)
{
    const auto* other = dynamic_cast<const TEditorWrapOption*>(&Source);
    if (!other) {
        TEditorOption::Assign(Source);
        return;
    }
    BeginUpdate();
    SetFollowRetMark(other->FFollowRetMark);
    SetFollowPunctuation(other->FFollowPunctuation);
    SetFollowStr(other->FFollowStr);
    SetLeading(other->FLeading);
    SetLeadStr(other->FLeadStr);
    SetPunctuationStr(other->FPunctuationStr);
    SetWordBreak(other->FWordBreak);
    SetWrapByte(other->FWrapByte);
    EndUpdate();
}

void TEditorWrapOption::GetPublishedProperties(std::vector<TPropInfo>& props)
{
    TEditorOption::GetPublishedProperties(props);
    props.push_back({"FollowRetMark", TTypeKind::tkBool});
    props.push_back({"FollowPunctuation", TTypeKind::tkBool});
    props.push_back({"FollowStr", TTypeKind::tkString});
    props.push_back({"Leading", TTypeKind::tkBool});
    props.push_back({"LeadStr", TTypeKind::tkString});
    props.push_back({"PunctuationStr", TTypeKind::tkString});
    props.push_back({"WordBreak", TTypeKind::tkBool});
    props.push_back({"WrapByte", TTypeKind::tkInteger});
    props.push_back({"WrapLineColor", TTypeKind::tkInteger});
    props.push_back({"WrapLineVisible", TTypeKind::tkBool});
}

// ---------------------------------------------------------------------------------------------------
// Column descriptions

std::string RowAttributeString(std::string_view S, const TRowLayout& Layout)
{
    std::string out;
    RowAttributeString(S, Layout, out);
    return out;
}

void RowAttributeString(std::string_view S, const TRowLayout& Layout, std::string& out)
{
    const std::size_t limit =
        static_cast<std::size_t>(Layout.WordWrap ? Layout.WrapByte + 3 : MaxRowColumns);
    const TTabRule rule = Layout.TabRule();
    const std::size_t tab = static_cast<std::size_t>(rule.Tab);
    // Written into room for the whole description (a double-byte character may end one column past
    // the limit), then cut to its length.
    out.resize(std::min(limit, S.size() * std::max<std::size_t>(tab, 2)) + 1);
    std::size_t column = 0;
    for (std::size_t i = 0; i < S.size() && column < limit;) {
        const unsigned char b = static_cast<unsigned char>(S[i]);
        if (IsDBCSLeadByte(b) && i + 1 < S.size()) {
            out[column++] = '4';
            out[column++] = '5';
            i += 2;
            continue;
        }
        out[column] = Layout.Delimiters.test(b) ? '2' : '1';
        ++i;
        if (b == '\t') {
            const std::size_t stop = std::min(static_cast<std::size_t>(rule.NextStop(static_cast<int>(column))), limit);
            for (++column; column < stop; ++column) out[column] = '3';
        } else {
            ++column;
        }
    }
    out.resize(column);
}

TEditorAttributeArray::TEditorAttributeArray(std::string_view Str, std::string AttrStr)
    : Str(Str), AttrStr(std::move(AttrStr))
{
    this->AttrStr += '0';
    Index = this->AttrStr[0] == '0' ? 0 : 1;
}

char TEditorAttributeArray::AttrAt(int Column) const
{
    if (Column < 1 || Column > ColCount()) return '0';
    return AttrStr[static_cast<std::size_t>(Column - 1)];
}

void TEditorAttributeArray::Next()
{
    if (Attr() == '0') return;
    ++Pos;
    if (Attr() != '3' && Attr() != '0') ++Index;
}

void TEditorAttributeArray::Prior()
{
    if (Pos <= 1) return;
    if (Attr() != '3' && Attr() != '0') --Index;
    --Pos;
}

void TEditorAttributeArray::MoveTo(int Column)
{
    while (Pos < Column && Attr() != '0') Next();
    while (Pos > Column && Pos > 1) Prior();
}

// The character owning Column, given the number of bytes the columns before it hold.
std::string_view TEditorAttributeArray::OwnerOf(int Column, int BytesBefore) const
{
    const auto at = [this](int byteIndex, int length) {
        if (byteIndex < 0 || static_cast<std::size_t>(byteIndex) >= Str.size()) return std::string_view();
        return Str.substr(static_cast<std::size_t>(byteIndex), static_cast<std::size_t>(length));
    };
    switch (AttrAt(Column)) {
    case '1':
    case '2': return at(BytesBefore, 1);
    case '3': return at(BytesBefore - 1, 1);  // the tab the padding belongs to
    case '4': return at(BytesBefore, 2);
    case '5': return at(BytesBefore - 1, 2);
    default: return {};
    }
}

std::string_view TEditorAttributeArray::CurChar() const
{
    const char a = Attr();
    return OwnerOf(Pos, (a == '3' || a == '0') ? Index : Index - 1);
}

std::string_view TEditorAttributeArray::NextChar() const { return OwnerOf(Pos + 1, Index); }

// ---------------------------------------------------------------------------------------------------
// Cutting a line

namespace {

bool IsOneOf(char Attr, const char* Set)
{
    for (; *Set; ++Set)
        if (*Set == Attr) return true;
    return false;
}

bool InSet(std::string_view Char, const std::string& Set) { return DBCSContains(Char, Set); }

// One column back, and one more when that lands on the first byte of a double-byte character.
void StepBack(TEditorAttributeArray& A)
{
    A.Prior();
    if (A.Attr() == '4') A.Prior();
}

// StepBack, unless that would put the break at column Floor or before it (or cannot move it).
bool StepBackAbove(TEditorAttributeArray& A, int Floor)
{
    const int pos = A.Pos, index = A.Index;
    StepBack(A);
    if (A.Pos > Floor && A.Pos < pos) return true;
    A.Pos = pos;
    A.Index = index;
    return false;
}

// The characters of a line around a cut, for a line whose columns are its bytes (no tab), found
// without walking the line from its start: a byte that cannot lead a double-byte character ends a
// character, so from the last such byte before a place on, the lead-capable bytes pair up. Moving the
// cut over a character costs that character, plus once the run of lead-capable bytes it lies in.
class TByteCut {
public:
    // The cut at byte Pos, which must start a character (or be the line's end).
    TByteCut(std::string_view Line, std::size_t Pos) : FLine(Line), FPos(Pos), FAnchor(LastNonLead(Line, Pos)) {}

    // The cut before column W: at W, or one byte before when a double-byte character crosses it.
    static TByteCut AtColumn(std::string_view Line, std::size_t W)
    {
        TByteCut cut(Line, W);
        if ((static_cast<std::ptrdiff_t>(W) - 1 - cut.FAnchor) % 2 == 1 && W < Line.size()) --cut.FPos;
        return cut;
    }
    // Whether a character starts at byte Pos (0 < Pos < the line's length).
    static bool StartsAt(std::string_view Line, std::size_t Pos)
    {
        return (static_cast<std::ptrdiff_t>(Pos) - 1 - LastNonLead(Line, Pos)) % 2 == 0;
    }

    std::size_t Pos() const { return FPos; }
    // The character before the cut (empty at the start) and the one after it (empty at the end).
    std::string_view Before() const
    {
        std::ptrdiff_t anchor;
        const std::size_t length = BackLength(anchor);
        return FLine.substr(FPos - length, length);
    }
    std::string_view After() const { return FLine.substr(FPos, CharLengthAt(FLine, FPos)); }

    void Back()
    {
        std::ptrdiff_t anchor;
        FPos -= BackLength(anchor);
        FAnchor = anchor;
    }
    void Forward()
    {
        const std::size_t end = FPos + CharLengthAt(FLine, FPos);
        for (; FPos < end; ++FPos)
            if (!IsDBCSLeadByte(FLine[FPos])) FAnchor = static_cast<std::ptrdiff_t>(FPos);
    }

private:
    // The last byte before Before that cannot lead (-1: none).
    static std::ptrdiff_t LastNonLead(std::string_view Line, std::size_t Before)
    {
        auto j = static_cast<std::ptrdiff_t>(Before) - 1;
        while (j >= 0 && IsDBCSLeadByte(Line[static_cast<std::size_t>(j)])) --j;
        return j;
    }
    // The length of the character before the cut (0 at the start), and the anchor of the cut before it.
    std::size_t BackLength(std::ptrdiff_t& Anchor) const
    {
        Anchor = FAnchor;
        if (FPos == 0) return 0;
        const auto pos = static_cast<std::ptrdiff_t>(FPos);
        if (FAnchor < pos - 1) return 2;  // a lead-capable byte before a cut ends a pair
        Anchor = LastNonLead(FLine, FPos - 1);
        return (pos - 2 - Anchor) % 2 == 1 ? 2 : 1;  // a trail byte, when an odd run of leads is before it
    }

    std::string_view FLine;
    std::size_t FPos;
    std::ptrdiff_t FAnchor;  // the last byte before FPos that cannot lead (-1: none)
};

// The cut of WrapCutByColumns for a line whose first W + 3 bytes hold no tab (a column is a byte; the
// description of the row would end at the first character boundary from column W + 3 on), reckoned on
// the bytes around the wrap column. W is at least 8.
int WrapCutByBytes(std::string_view Line, const TWrapRules& Rules, std::size_t W)
{
    const TEditorWrapOption& option = *Rules.Option;
    const std::size_t size = Line.size();
    if (size < W) return -1;
    TByteCut cut = TByteCut::AtColumn(Line, W);
    // A character ending at the cut ends a word when it is a delimiter or double-byte.
    const auto endsWord = [&] {
        const std::string_view c = cut.Before();
        return c.size() == 2 || Rules.Layout.Delimiters.test(static_cast<unsigned char>(c[0]));
    };
    if (cut.Pos() == W && option.WordBreak() && size > W) {
        const TByteCut atColumn = cut;
        const std::size_t low = std::max<std::size_t>(W / 3, 1);
        while (!endsWord() && cut.Pos() > low) cut.Back();
        if (!endsWord()) cut = atColumn;
    }
    if (option.FollowPunctuation()) {
        while (cut.Pos() < W + 2 && InSet(cut.After(), option.PunctuationStr())) cut.Forward();
    }
    if (option.Leading()) {
        // Only while a character follows the cut within the description of the row.
        const std::size_t described = size <= W + 3 ? size : (TByteCut::StartsAt(Line, W + 3) ? W + 3 : W + 4);
        if (cut.Pos() < described) {
            const std::size_t floor = W / 5 * 4;
            const auto backAbove = [&] {
                TByteCut before = cut;
                before.Back();
                if (before.Pos() <= floor) return false;
                cut = before;
                return true;
            };
            while (InSet(cut.Before(), option.LeadStr()) && backAbove()) {}
            if (cut.Pos() + 2 <= described && InSet(cut.After(), option.FollowStr())) {
                while ((InSet(cut.Before(), option.LeadStr()) || InSet(cut.After(), option.FollowStr())) && backAbove()) {}
            }
        }
    }
    return static_cast<int>(std::max(cut.Pos(), CharLengthAt(Line, 0)));
}

} // namespace

int WrapCut(std::string_view Line, const TWrapRules& Rules)
{
    // Below 8 columns the rules' bounds (a third, four fifths of the row) meet the line's first
    // characters, which the walk over the columns handles.
    const std::size_t w = static_cast<std::size_t>(std::max(1, Rules.Layout.WrapByte));
    if (w >= 8 && Line.substr(0, w + 3).find('\t') == std::string_view::npos) return WrapCutByBytes(Line, Rules, w);
    return WrapCutByColumns(Line, Rules);
}

int WrapCutByColumns(std::string_view Line, const TWrapRules& Rules)
{
    const TEditorWrapOption& option = *Rules.Option;
    // A column may be narrower than any character (the printer's can): the cut still takes one.
    const int W = std::max(1, Rules.Layout.WrapByte);
    if (Line.empty()) return -1;
    // One description buffer per thread, reused from cut to cut.
    thread_local std::string buffer;
    RowAttributeString(Line, Rules.Layout, buffer);
    TEditorAttributeArray a(Line, std::move(buffer));
    struct TGiveBack {
        TEditorAttributeArray& A;
        ~TGiveBack() { buffer = std::move(A.AttrStr); }
    } giveBack{a};
    a.MoveTo(W);
    if (a.Attr() == '0') return -1;

    if (a.Attr() == '4') {
        a.Prior();  // never split a double-byte character
    } else if (option.WordBreak() && a.ColCount() > W) {
        // Back to the last delimiter, tab or double-byte character; a word that reaches back to a
        // third of the row is broken at the wrap column instead.
        const int pos = a.Pos;
        const int index = a.Index;
        while (!IsOneOf(a.Attr(), "235") && a.Pos > std::max(W / 3, 1)) StepBack(a);
        if (!IsOneOf(a.Attr(), "235")) {
            a.Pos = pos;
            a.Index = index;
        }
    }

    if (option.FollowPunctuation()) {
        while (a.Pos < W + 2 && InSet(a.NextChar(), option.PunctuationStr())) {
            const std::size_t length = a.NextChar().size();
            a.Next();
            if (length == 2) a.Next();
        }
    }

    if (option.Leading() && a.AttrAt(a.Pos + 1) != '0') {
        // A row neither ends with an opening bracket nor lets the next row begin with a closing mark,
        // but it never gives up its last fifth for that.
        const int floor = W / 5 * 4;
        while (InSet(a.CurChar(), option.LeadStr()) && StepBackAbove(a, floor)) {}
        if (a.AttrAt(a.Pos + 2) != '0' && InSet(a.NextChar(), option.FollowStr())) {
            while ((InSet(a.CurChar(), option.LeadStr()) || InSet(a.NextChar(), option.FollowStr())) &&
                   StepBackAbove(a, floor)) {}
        }
    }

    // Every cut takes at least one character, whatever the rules did.
    return std::max(a.Index, static_cast<int>(CharLengthAt(Line, 0)));
}

} // namespace qx
