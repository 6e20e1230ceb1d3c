#pragma once
// Word wrap: the wrap options of a text, the column description of a row (one attribute character per
// display column) with its cursor, and the cutting of one logical line into display rows under the
// Japanese line-break rules.

#include "editor/EditorOptions.h"
#include "platform/Color.h"
#include "platform/TabColumns.h"

#include <algorithm>
#include <bitset>
#include <cstring>
#include <string>
#include <string_view>

namespace qx {

// The bytes that end a word.
using TDelimiters = std::bitset<256>;
// The editor's own set: 0x00-0x20, the ASCII punctuation (not "_"), 0x7F, 0x80, 0xA0-0xA5, 0xFD-0xFF.
TDelimiters DefaultDelimiters();

// The last display column the control keeps; a row's column description never grows past it (a
// double-byte character that starts in it may end one column further).
constexpr int MaxRowColumns = 2000;

class TEditorWrapOption : public TEditorOption {
public:
    TEditorWrapOption();

    bool FollowRetMark() const { return FFollowRetMark; }
    bool FollowPunctuation() const { return FFollowPunctuation; }
    const std::string& FollowStr() const { return FFollowStr; }
    bool Leading() const { return FLeading; }
    const std::string& LeadStr() const { return FLeadStr; }
    const std::string& PunctuationStr() const { return FPunctuationStr; }
    bool WordBreak() const { return FWordBreak; }
    int WrapByte() const { return FWrapByte; }
    TColor WrapLineColor() const { return FWrapLineColor; }
    bool WrapLineVisible() const { return FWrapLineVisible; }

    void SetFollowRetMark(bool Value);
    void SetFollowPunctuation(bool Value);
    void SetFollowStr(const std::string& Value);
    void SetLeading(bool Value);
    void SetLeadStr(const std::string& Value);
    void SetPunctuationStr(const std::string& Value);
    void SetWordBreak(bool Value);
    // Clamped to 20..2000.
    void SetWrapByte(int Value);
    void SetWrapLineColor(TColor Value);
    void SetWrapLineVisible(bool Value);

    // Copies the wrapping rules (not the guide-line colour and visibility) with one change notice;
    // rules equal to the current ones change nothing.
    void Assign(const TPersistent& Source) override;
    void GetPublishedProperties(std::vector<TPropInfo>& props) override;

    // Whether a rule of the wrap (not only the guide line's look) changed since the last call; the
    // row store asks it on each change notice, so that only a new rule re-wraps the text.
    bool TakeRulesChanged();

private:
    template <class T>
    void StoreRule(T& Field, const T& Value)
    {
        if (Field == Value) return;
        FRulesChanged = true;
        Store(Field, Value);
    }

    bool FRulesChanged = false;
    bool FFollowRetMark = false;
    bool FFollowPunctuation = false;
    std::string FFollowStr;
    bool FLeading = false;
    std::string FLeadStr;
    std::string FPunctuationStr;
    bool FWordBreak = false;
    int FWrapByte = 80;
    TColor FWrapLineColor = 0;
    bool FWrapLineVisible = false;
};

// What the column description of a row depends on besides its bytes.
struct TRowLayout {
    TDelimiters Delimiters = DefaultDelimiters();
    int TabSpaceCount = 8;
    bool WordWrap = false;
    int WrapByte = 80;

    TTabRule TabRule() const { return {TabSpaceCount > 0 ? TabSpaceCount : 8, WordWrap ? WrapByte : 0}; }
};

// One character per display column of S: "1" a single byte, "2" a single-byte word delimiter, "3" a
// tab's padding column, "4" and "5" the two bytes of a double-byte character. A lead byte that ends S
// is a single-byte character. Tab padding runs to the next tab stop and, with word wrap, never past
// the next multiple of WrapByte. Building stops at WrapByte + 3 columns with word wrap, else at
// MaxRowColumns.
std::string RowAttributeString(std::string_view S, const TRowLayout& Layout);
// The same into Out (its memory is reused).
void RowAttributeString(std::string_view S, const TRowLayout& Layout, std::string& Out);

// A cursor over a row and its column description. Pos is the 1-based column; Index is the number of
// bytes that columns 1..Pos hold, so the row cut after the cursor is the first Index bytes.
class TEditorAttributeArray {
public:
    // AttrStr is a column description of Str (without its end marker).
    TEditorAttributeArray(std::string_view Str, std::string AttrStr);

    char Attr() const { return AttrStr[Pos - 1]; }
    // The attribute of column Column ('0' at and past the end marker).
    char AttrAt(int Column) const;
    void Next();
    void Prior();
    void MoveTo(int Column);
    // The character that owns the cursor column (empty at the end marker).
    std::string_view CurChar() const;
    // The character that owns the next column; the cursor stays.
    std::string_view NextChar() const;
    int ColCount() const { return static_cast<int>(AttrStr.size()) - 1; }

    std::string_view Str;
    std::string AttrStr;  // with the end marker "0"
    int Pos = 1;
    int Index = 0;

private:
    std::string_view OwnerOf(int Column, int BytesBefore) const;
};

// Calls Line(Text) for each line of Text: CR, LF and CR LF end a line, and a final line end adds no
// empty line. Every byte but the line ends belongs to a line (a NUL too).
template <class LineProc>
void ForEachLine(std::string_view Text, LineProc&& Line)
{
    // The next CR and the next LF are each found by memchr and kept until passed: a long line is
    // scanned at memory speed, each byte once per character.
    const std::size_t size = Text.size();
    const auto find = [&](char C, std::size_t From) {
        const void* p = From < size ? std::memchr(Text.data() + From, C, size - From) : nullptr;
        return p ? static_cast<std::size_t>(static_cast<const char*>(p) - Text.data()) : size;
    };
    std::size_t start = 0, cr = find('\r', 0), lf = find('\n', 0);
    while (start < size) {
        if (cr < start) cr = find('\r', start);
        if (lf < start) lf = find('\n', start);
        const std::size_t i = std::min(cr, lf);
        if (i == size) break;
        Line(Text.substr(start, i - start));
        start = i + (Text[i] == '\r' && i + 1 < size && Text[i + 1] == '\n' ? 2 : 1);
    }
    if (start < size) Line(Text.substr(start));
}

// True when Text ends with a line end (CR or LF).
inline bool EndsWithLineEnd(std::string_view Text)
{
    return !Text.empty() && (Text.back() == '\r' || Text.back() == '\n');
}

// The rules one wrap pass applies.
struct TWrapRules {
    TRowLayout Layout;
    const TEditorWrapOption* Option = nullptr;
};

// Cuts one logical line (no line end) into rows, calling Row(Offset, Length, Attribute) for each row
// in order: attribute 1 for a wrapped row, 0 for the row that ends the line. Without word wrap the
// line is one row. Returns the number of rows.
template <class RowProc>
int WrapLine(std::string_view Line, const TWrapRules& Rules, RowProc&& Row);

// The length of the first row cut from Line, or -1 when the whole line fits in one row.
int WrapCut(std::string_view Line, const TWrapRules& Rules);
// The same cut, found by walking a column description of the row: the way a line with tabs near the
// wrap column takes (WrapCut reckons the others on their bytes, to the same result).
int WrapCutByColumns(std::string_view Line, const TWrapRules& Rules);

template <class RowProc>
int WrapLine(std::string_view Line, const TWrapRules& Rules, RowProc&& Row)
{
    if (!Rules.Layout.WordWrap) {
        Row(std::size_t{0}, Line.size(), 0);
        return 1;
    }
    std::size_t offset = 0;
    int rows = 0;
    for (;;) {
        const int cut = WrapCut(Line.substr(offset), Rules);
        if (cut < 0) break;
        const bool consumed = offset + static_cast<std::size_t>(cut) == Line.size();
        // A line that exactly fills its last row keeps its line end there with FollowRetMark.
        const bool endsLine = consumed && Rules.Option->FollowRetMark();
        Row(offset, static_cast<std::size_t>(cut), endsLine ? 0 : 1);
        ++rows;
        offset += static_cast<std::size_t>(cut);
        if (consumed) {
            if (endsLine) return rows;
            break;
        }
    }
    Row(offset, Line.size() - offset, 0);
    return rows + 1;
}

} // namespace qx
