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
    const std::size_t tab = static_cast<std::size_t>(Layout.TabSpaceCount > 0 ? Layout.TabSpaceCount : 8);
    const std::size_t wrap = static_cast<std::size_t>(Layout.WrapByte > 0 ? Layout.WrapByte : 1);
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
            std::size_t stop = (column / tab + 1) * tab;
            if (Layout.WordWrap) stop = std::min(stop, (column / wrap + 1) * wrap);
            stop = std::min(stop, limit);
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

} // namespace

int WrapCut(std::string_view Line, const TWrapRules& Rules)
{
    const TEditorWrapOption& option = *Rules.Option;
    // A column may be narrower than any character (the printer's can): the cut still takes one.
    const int W = std::max(1, Rules.Layout.WrapByte);
    if (Line.empty()) return -1;
    // Without tabs a column is a byte: a short line fits, and without the line-break rules the cut is
    // at the wrap column, or one column before a double-byte character that starts in it.
    const std::size_t w = static_cast<std::size_t>(W);
    if (Line.substr(0, w + 3).find('\t') == std::string_view::npos) {
        if (Line.size() < w) return -1;
        if (!option.WordBreak() && !option.FollowPunctuation() && !option.Leading()) {
            // A byte that cannot lead ends a character, so the characters before the wrap column are
            // known from the last such byte on: the lead-capable bytes after it pair up, and an odd
            // one out at the column starts a character that crosses it (unless it ends the line).
            std::size_t leads = 0;
            while (leads < w && IsDBCSLeadByte(Line[w - 1 - leads])) ++leads;
            const int cut = leads % 2 == 1 && w < Line.size() ? W - 1 : W;
            return cut > 0 ? cut : static_cast<int>(CharLengthAt(Line, 0));
        }
    }
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
