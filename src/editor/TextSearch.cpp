#include "editor/TextSearch.h"

#include "platform/Cp932.h"
#include "platform/LeadByte.h"

#include <array>
#include <stdexcept>
#include <vector>

namespace qx {

namespace {

// The case and width tables, built once.
struct TSearchTables {
    std::array<unsigned char, 256> Upper{};
    std::array<std::uint16_t, 256> Full{};        // full-width form of a single byte; 0: none
    std::array<std::uint16_t, 256> Voiced{};      // full-width form of a half-width letter + voiced mark
    std::array<std::uint16_t, 256> SemiVoiced{};  // ... + semi-voiced mark
};

// Pairs each single byte of `half` with the double-byte character at the same place in `full`.
void Pair(std::array<std::uint16_t, 256>& table, std::string_view halfUtf8, std::string_view fullUtf8)
{
    std::size_t lost = 0;
    const std::string half = Utf8ToCp932(halfUtf8, &lost);
    const std::string full = Utf8ToCp932(fullUtf8, &lost);
    if (lost != 0 || full.size() != 2 * half.size()) throw std::logic_error("width table out of step");
    for (std::size_t i = 0; i < half.size(); ++i)
        table[static_cast<unsigned char>(half[i])] = static_cast<std::uint16_t>(
            (static_cast<unsigned char>(full[2 * i]) << 8) | static_cast<unsigned char>(full[2 * i + 1]));
}

TSearchTables BuildTables()
{
    TSearchTables t;
    for (int i = 0; i < 256; ++i) t.Upper[i] = static_cast<unsigned char>(i >= 'a' && i <= 'z' ? i - 32 : i);

    // ASCII 0x20-0x7E in the forms of JIS X 0208.
    std::string ascii;
    for (char c = 0x20; c < 0x7F; ++c) ascii += c;
    Pair(t.Full, ascii,
         "　！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？"
         "＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［＼］＾＿"
         "｀ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝～");
    Pair(t.Full,
         "｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ",
         "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨ"
         "ラリルレロワン゛゜");
    Pair(t.Voiced, "ｳｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎ", "ヴガギグゲゴザジズゼゾダヂヅデドバビブベボ");
    Pair(t.SemiVoiced, "ﾊﾋﾌﾍﾎ", "パピプペポ");
    return t;
}

const TSearchTables& Tables()
{
    static const TSearchTables tables = BuildTables();
    return tables;
}

constexpr unsigned char kVoicedMark = 0xDE;
constexpr unsigned char kSemiVoicedMark = 0xDF;

// The one full-width letter of a half-width letter and the mark after it; 0 when there is none.
unsigned VoicedForm(unsigned char letter, unsigned char mark)
{
    if (mark == kVoicedMark) return Tables().Voiced[letter];
    if (mark == kSemiVoicedMark) return Tables().SemiVoiced[letter];
    return 0;
}

// Bytes that end a word: controls and space, ASCII punctuation, and the bytes that are neither
// letters nor lead bytes. Double-byte characters are word characters.
constexpr bool IsBoundaryByte(unsigned char c)
{
    return c <= 0x20 || (c >= 33 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) ||
           (c >= 123 && c <= 127) || c == 0x80 || (c >= 0xA0 && c <= 0xA5) || c >= 0xFD;
}

// Roman numerals have four codes each (upper and lower case, NEC and IBM sets); all fold to the IBM
// upper-case code. Other case pairs fold to their upper-case letter.
unsigned FoldCode(unsigned code)
{
    const unsigned lead = code >> 8, trail = code & 0xFF;
    if (lead == 0x82 && trail >= 0x81 && trail <= 0x9A) return code - 0x21;  // Latin
    if (lead == 0x83 && trail >= 0xBF && trail <= 0xD6) return code - 0x20;  // Greek
    if (lead == 0x84 && trail >= 0x70 && trail <= 0x91 && trail != 0x7F)      // Cyrillic
        return 0x8440 + (trail - 0x70) - (trail > 0x7F ? 1 : 0);
    if (lead == 0x87 && trail >= 0x54 && trail <= 0x5D) return 0xFA4A + (trail - 0x54);
    if (lead == 0xEE && trail >= 0xEF && trail <= 0xF8) return 0xFA4A + (trail - 0xEF);
    if (lead == 0xFA && trail >= 0x40 && trail <= 0x49) return 0xFA4A + (trail - 0x40);
    return code;
}

unsigned Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

} // namespace

TTextSearcher::TTextSearcher(std::string_view Pattern, TEditorSearchOptions Options) : FOptions(Options)
{
    std::string folded(Pattern);
    if (!MatchCase())
        for (std::size_t i = 0; i < folded.size(); i += CharLengthAt(folded, i))
            if (CharLengthAt(folded, i) == 1) folded[i] = static_cast<char>(Tables().Upper[Byte(folded, i)]);
    if (IgnoreWidth()) folded = HalfToFullKana(folded);
    FPatternBytes = folded.size();
    for (std::size_t i = 0; i < folded.size(); i += CharLengthAt(folded, i))
        FPattern.push_back(CharLengthAt(folded, i) == 2
                               ? TSearchChar{(Byte(folded, i) << 8) | Byte(folded, i + 1), true}
                               : TSearchChar{Byte(folded, i), false});
}

void TTextSearcher::Bind(std::string_view Text)
{
    FText = Text;
    FKinds.assign(Text.size(), bkSingle);
    for (std::size_t i = 0; i + 1 < Text.size(); ++i) {
        if (IsDBCSLeadByte(Text[i])) {
            FKinds[i] = bkLead;
            FKinds[++i] = bkTrail;
        }
    }
}

bool TTextSearcher::FindIn(std::string_view Text, std::size_t From, std::size_t To, TSearchPosition& Match)
{
    if (FPattern.empty() || Text.empty()) return false;
    Bind(Text);
    const std::ptrdiff_t from = static_cast<std::ptrdiff_t>(From);
    const std::ptrdiff_t to = static_cast<std::ptrdiff_t>(std::min(To, Text.size()));
    if ((FOptions & soForward) != 0) {
        for (std::ptrdiff_t c = Align(from, +1); c < to; c = Align(c + 1, +1))
            if (TryAt(c, Match)) return true;
    } else {
        for (std::ptrdiff_t c = Align(to - 1, -1); c >= from; c = Align(c - 1, -1))
            if (TryAt(c, Match)) return true;
    }
    return false;
}

std::ptrdiff_t TTextSearcher::BackwardStart(std::string_view Text, std::ptrdiff_t Pos)
{
    if (!IgnoreWidth()) return Pos - static_cast<std::ptrdiff_t>(FPatternBytes);
    Bind(Text);
    for (std::size_t n = 0; n < FPattern.size(); ++n) {
        if (Pos <= 0) return -1;
        --Pos;
        if (Trail(Pos)) --Pos;
        else if (Pos > 0 && FKinds[Pos - 1] == bkSingle && VoicedForm(Byte(FText, Pos - 1), Byte(FText, Pos)) != 0)
            --Pos;
    }
    return Pos;
}

bool TTextSearcher::Trail(std::ptrdiff_t i) const
{
    return i >= 0 && i < static_cast<std::ptrdiff_t>(FKinds.size()) && FKinds[i] == bkTrail;
}

TTextSearcher::TSearchChar TTextSearcher::TextChar(std::size_t i, std::size_t& length) const
{
    if (FKinds[i] == bkLead) {
        length = 2;
        return {(Byte(FText, i) << 8) | Byte(FText, i + 1), true};
    }
    length = 1;
    const unsigned char b = static_cast<unsigned char>(FText[i]);
    if (IgnoreWidth()) {
        if (i + 1 < FText.size()) {
            if (const unsigned voiced = VoicedForm(b, static_cast<unsigned char>(FText[i + 1]))) {
                length = 2;
                return {voiced, true};
            }
        }
        if (const unsigned full = Tables().Full[b]) return {full, true};
    }
    return {b, false};
}

bool TTextSearcher::Same(const TSearchChar& text, const TSearchChar& pattern) const
{
    if (text.Double != pattern.Double) return false;
    if (text == pattern) return true;
    if (MatchCase()) return false;
    if (!text.Double) return Tables().Upper[text.Code] == Tables().Upper[pattern.Code];
    return SameFoldedChar(text.Code, pattern.Code);
}

std::size_t TTextSearcher::Skippable(std::size_t i) const
{
    const char c = FText[i];
    if ((FOptions & soSkipLineEnds) != 0 && (c == '\r' || c == '\n')) return 1;
    if ((FOptions & soSkipBlanks) != 0) {
        if (c == ' ' || c == '\t') return 1;
        if (FKinds[i] == bkLead && Byte(FText, i) == 0x81 && Byte(FText, i + 1) == 0x40) return 2;
    }
    return 0;
}

bool TTextSearcher::TryAt(std::ptrdiff_t candidate, TSearchPosition& position) const
{
    const std::size_t start = static_cast<std::size_t>(candidate);
    const bool wholeWord = (FOptions & soWholeWord) != 0;
    // The whole previous character decides: a double-byte character is a word character.
    if (wholeWord && start > 0 && (Trail(candidate - 1) || !IsBoundaryByte(Byte(FText, start - 1)))) return false;
    std::size_t t = start;
    for (std::size_t p = 0; p < FPattern.size();) {
        if (t >= FText.size()) return false;
        std::size_t length;
        if (Same(TextChar(t, length), FPattern[p])) {
            t += length;
            ++p;
        } else if (const std::size_t skip = p > 0 ? Skippable(t) : 0) {
            t += skip;
        } else {
            return false;
        }
    }
    if (wholeWord && t < FText.size() && !IsBoundaryByte(Byte(FText, t))) return false;
    position.Pos = static_cast<int>(start);
    position.Len = static_cast<int>(t - start);
    return true;
}

bool SearchText(std::string_view Text, TSearchPosition& Position, std::string_view Pattern,
                TEditorSearchOptions Options)
{
    if (Pattern.empty() || Text.empty()) return false;
    if (Position.Pos < 0 || static_cast<std::size_t>(Position.Pos) > Text.size() || Position.Len < 0) return false;
    TTextSearcher searcher(Pattern, Options);
    if ((Options & soForward) != 0)
        return searcher.FindIn(Text, static_cast<std::size_t>(Position.Pos) + static_cast<std::size_t>(Position.Len),
                               Text.size(), Position);
    const std::ptrdiff_t last = searcher.BackwardStart(Text, Position.Pos);
    return last >= 0 && searcher.FindIn(Text, 0, static_cast<std::size_t>(last) + 1, Position);
}

std::string HalfToFullKana(std::string_view S)
{
    std::string out;
    out.reserve(S.size() * 2);
    auto put = [&](unsigned code) {
        out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    };
    for (std::size_t i = 0; i < S.size();) {
        if (CharLengthAt(S, i) == 2) {
            out.append(S.substr(i, 2));
            i += 2;
            continue;
        }
        const unsigned char b = static_cast<unsigned char>(S[i]);
        if (i + 1 < S.size()) {
            if (const unsigned voiced = VoicedForm(b, static_cast<unsigned char>(S[i + 1]))) {
                put(voiced);
                i += 2;
                continue;
            }
        }
        if (const unsigned full = Tables().Full[b]) put(full);
        else out += static_cast<char>(b);
        ++i;
    }
    return out;
}

bool SameFoldedChar(unsigned A, unsigned B) { return A == B || FoldCode(A) == FoldCode(B); }

unsigned JisToSjis(unsigned Code)
{
    const unsigned row = (Code >> 8) & 0xFF, cell = Code & 0xFF;
    unsigned lead = ((row - 0x21) >> 1) + 0x81;
    if (lead > 0x9F) lead += 0x40;
    unsigned trail;
    if (row & 1) {
        trail = cell + 0x1F;
        if (trail >= 0x7F) ++trail;
    } else {
        trail = cell + 0x7E;
    }
    return (lead << 8) | trail;
}

} // namespace qx
