#include "editor/TextSearch.h"

#include "platform/Cp932.h"
#include "platform/LeadByte.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstring>
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

// The double-byte characters that compare the same as another character: under case folding, and
// under width folding (the full-width forms that single-byte characters are read as).
struct TFoldedCodes {
    std::bitset<0x10000> Case, Width;
};

const TFoldedCodes& FoldedCodes()
{
    static const TFoldedCodes codes = [] {
        TFoldedCodes c;
        for (unsigned code = 0x8100; code <= 0xFCFF; ++code)
            if (const unsigned folded = FoldCode(code); folded != code) c.Case[code] = c.Case[folded] = true;
        for (unsigned b = 0; b < 256; ++b)
            for (const unsigned code : {Tables().Full[b], Tables().Voiced[b], Tables().SemiVoiced[b]})
                if (code != 0) c.Width[code] = true;
        return c;
    }();
    return codes;
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
    if (FPattern.empty()) return;
    // Without skipping, and where each of the pattern's characters matches only itself, a match is the
    // pattern's bytes at a character start.
    if ((Options & (soSkipLineEnds | soSkipBlanks)) == 0 &&
        std::all_of(FPattern.begin(), FPattern.end(), [this](const TSearchChar& c) { return OnlyItself(c); }))
        FLiteral.emplace(folded);
    // The first bytes a text character that matches the pattern's first one may have: the candidates.
    for (unsigned b = 0; b < 256; ++b) {
        bool first = false;
        if (IsDBCSLeadByte(static_cast<unsigned char>(b))) {
            for (unsigned t = 0x40; t <= 0xFC && !first; ++t) first = Same({(b << 8) | t, true}, FPattern[0]);
        }
        first = first || Same({b, false}, FPattern[0]);
        if (IgnoreWidth()) {
            const auto as = [&](unsigned code) { return code != 0 && Same({code, true}, FPattern[0]); };
            first = first || as(Tables().Full[b]) || as(VoicedForm(static_cast<unsigned char>(b), kVoicedMark)) ||
                    as(VoicedForm(static_cast<unsigned char>(b), kSemiVoicedMark));
        }
        FFirst[b] = first;
        if (first) {
            ++FFirstCount;
            FFirstByte = static_cast<unsigned char>(b);
        }
    }
}

void TTextSearcher::Bind(std::string_view Text)
{
    FText = Text;
    FRunStart = FRunEnd = -1;
}

bool TTextSearcher::IsBoundary(std::ptrdiff_t i) const
{
    const std::ptrdiff_t size = static_cast<std::ptrdiff_t>(FText.size());
    if (i <= 0 || i >= size) return true;
    // Any byte outside the lead-byte range ends a character; in the run of lead-range bytes after it,
    // the characters pair up from the run's start. The run around i is remembered: a scan in either
    // direction reads each run once.
    if (i < FRunStart || i > FRunEnd) {
        std::ptrdiff_t p = i;
        while (p > 0 && IsDBCSLeadByte(FText[static_cast<std::size_t>(p - 1)])) --p;
        std::ptrdiff_t e = i;
        while (e < size && IsDBCSLeadByte(FText[static_cast<std::size_t>(e)])) ++e;
        FRunStart = p;
        FRunEnd = e;
    }
    return ((i - FRunStart) & 1) == 0;
}

bool TTextSearcher::PrevIsDouble(std::ptrdiff_t i) const
{
    if (i <= 0) return false;
    // Before a character start, a lead-range byte can only be a second byte.
    return IsDBCSLeadByte(FText[static_cast<std::size_t>(i - 1)]) || !IsBoundary(i - 1);
}

bool TTextSearcher::Candidate(std::ptrdiff_t c, TSearchPosition& Match) const
{
    return IsBoundary(c) && TryAt(c, Match);
}

bool TTextSearcher::FindIn(std::string_view Text, std::size_t From, std::size_t To, TSearchPosition& Match)
{
    if (FPattern.empty() || Text.empty()) return false;
    Bind(Text);
    To = std::min(To, Text.size());
    if (From >= To) return false;
    const char* base = Text.data();
    if ((FOptions & soForward) != 0) {
        if (FLiteral) {
            if (!FTuned) FLiteral->Tune(base + From, std::min<std::size_t>(Text.size() - From, 16384));
            FTuned = true;
            // The pattern's bytes, starting before To.
            const std::size_t limit = std::min(Text.size(), To + FLiteral->Needle().size() - 1);
            for (std::size_t p = From; p < To;) {
                const char* hit = FLiteral->Find(base + p, limit - p);
                if (!hit) return false;
                const std::size_t c = static_cast<std::size_t>(hit - base);
                if (Candidate(static_cast<std::ptrdiff_t>(c), Match)) return true;
                p = c + 1;
            }
            return false;
        }
        for (std::size_t c = From; c < To; ++c) {
            if (FFirstCount == 1) {
                const void* hit = std::memchr(base + c, FFirstByte, To - c);
                if (!hit) return false;
                c = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
            } else if (!FFirst[Byte(Text, c)]) {
                continue;
            }
            if (Candidate(static_cast<std::ptrdiff_t>(c), Match)) return true;
        }
        return false;
    }
    for (std::size_t end = To; end > From;) {
        std::size_t c = end - 1;
        if (FFirstCount == 1) {
            const void* hit = ::memrchr(base + From, FFirstByte, end - From);
            if (!hit) return false;
            c = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
        } else if (!FFirst[Byte(Text, c)]) {
            end = c;
            continue;
        }
        if (Candidate(static_cast<std::ptrdiff_t>(c), Match)) return true;
        end = c;
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
        if (!IsBoundary(Pos)) --Pos;
        else if (Pos > 0 && IsBoundary(Pos - 1) && !IsDBCSLeadByte(FText[static_cast<std::size_t>(Pos - 1)]) &&
                 VoicedForm(Byte(FText, static_cast<std::size_t>(Pos - 1)), Byte(FText, static_cast<std::size_t>(Pos))) != 0)
            --Pos;
    }
    return Pos;
}

TTextSearcher::TSearchChar TTextSearcher::TextChar(std::size_t i, std::size_t& length) const
{
    if (CharLengthAt(FText, i) == 2) {
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

bool TTextSearcher::OnlyItself(const TSearchChar& Pattern) const
{
    // Case folding pairs letters (and, among double-byte characters, the pairs SameFoldedChar knows);
    // width folding reads the single-byte forms of full-width characters as those.
    if (!Pattern.Double) return MatchCase() || Pattern.Code < 'A' || Pattern.Code > 'Z';
    if (!MatchCase() && FoldedCodes().Case[Pattern.Code]) return false;
    return !IgnoreWidth() || !FoldedCodes().Width[Pattern.Code];
}

std::size_t TTextSearcher::Skippable(std::size_t i) const
{
    const char c = FText[i];
    if ((FOptions & soSkipLineEnds) != 0 && (c == '\r' || c == '\n')) return 1;
    if ((FOptions & soSkipBlanks) != 0) {
        if (c == ' ' || c == '\t') return 1;
        if (CharLengthAt(FText, i) == 2 && Byte(FText, i) == 0x81 && Byte(FText, i + 1) == 0x40) return 2;
    }
    return 0;
}

bool TTextSearcher::TryAt(std::ptrdiff_t candidate, TSearchPosition& position) const
{
    const std::size_t start = static_cast<std::size_t>(candidate);
    const bool wholeWord = (FOptions & soWholeWord) != 0;
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
    // The whole previous character decides: a double-byte character is a word character.
    if (wholeWord && start > 0 && (PrevIsDouble(candidate) || !IsBoundaryByte(Byte(FText, start - 1)))) return false;
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
