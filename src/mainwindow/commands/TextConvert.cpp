#include "mainwindow/commands/TextConvert.h"

#include "platform/LeadByte.h"

#include <array>
#include <cstdint>
#include <vector>

namespace qx {

namespace {

struct TWidthKanaPair {
    std::uint16_t From;
    std::uint16_t To;
    std::uint8_t To2;
};

#include "mainwindow/commands/WidthKanaTable.inc"

// A conversion as lookups: single bytes, two-byte half-width sequences and double-byte characters, each
// to up to two characters packed as bytes (0: the source stays).
class TWidthKanaMap {
public:
    template <std::size_t N> explicit TWidthKanaMap(const TWidthKanaPair (&Pairs)[N]) : FDouble(0x10000, 0)
    {
        for (const TWidthKanaPair& p : Pairs) {
            const std::uint32_t target = Pack(p.To, p.To2);
            if (p.From < 0x100)
                FSingle[p.From] = target;
            else if (IsDBCSLeadByte(static_cast<unsigned char>(p.From >> 8)))
                FDouble[p.From] = target, FLeadMaps[p.From >> 8] = true;
            else
                FMarked[p.From >> 8][(p.From & 0xFFu) - 0xDE] = target;
        }
    }

    // One pass: the bytes that stay are copied in runs, only what converts is written piecewise.
    std::string Convert(std::string_view Text) const
    {
        std::string out;
        out.reserve(Text.size() + Text.size() / 8);
        const char* const text = Text.data();
        const std::size_t n = Text.size();
        std::size_t run = 0;  // the first byte not yet copied
        const auto put = [&](std::size_t At, std::size_t Length, std::uint32_t Target) {
            out.append(text + run, At - run);
            Put(out, Target);
            run = At + Length;
        };
        for (std::size_t i = 0; i < n;) {
            const auto b = static_cast<unsigned char>(text[i]);
            if (IsDBCSLeadByte(b) && i + 1 < n) {
                if (FLeadMaps[b]) {
                    const std::uint32_t target = FDouble[b * 256u + static_cast<unsigned char>(text[i + 1])];
                    if (target) put(i, 2, target);
                }
                i += 2;
                continue;
            }
            if (i + 1 < n) {
                const auto mark = static_cast<unsigned char>(text[i + 1]);
                if (mark == 0xDE || mark == 0xDF) {
                    if (const std::uint32_t target = FMarked[b][mark - 0xDE]) {
                        put(i, 2, target);
                        i += 2;
                        continue;
                    }
                }
            }
            if (const std::uint32_t target = FSingle[b]) put(i, 1, target);
            ++i;
        }
        out.append(text + run, n - run);
        return out;
    }

private:
    // Up to two characters of at most two bytes: the byte count in the top byte, the bytes below.
    static std::uint32_t Pack(std::uint16_t To, std::uint8_t To2)
    {
        std::uint32_t bytes = 0, count = 0;
        const auto add = [&](unsigned b) { bytes = bytes << 8 | b, ++count; };
        if (To > 0xFF) add(To >> 8u);
        add(To & 0xFFu);
        if (To2) add(To2);
        return count << 24 | bytes;
    }
    static void Put(std::string& Out, std::uint32_t Target)
    {
        const unsigned count = Target >> 24;
        for (unsigned k = count; k > 0; --k) Out += static_cast<char>(Target >> (8 * (k - 1)) & 0xFF);
    }

    std::array<std::uint32_t, 256> FSingle{};
    std::vector<std::uint32_t> FDouble;
    // Whether any double-byte character of a lead byte converts: most (the kanji's) need no lookup.
    std::array<bool, 256> FLeadMaps{};
    // A half-width kana byte followed by the voiced (0xDE) or semi-voiced (0xDF) mark.
    std::array<std::array<std::uint32_t, 2>, 256> FMarked{};
};

// One conversion's lookups, built when it is first used.
template <const auto& Pairs> std::string ConvertWith(std::string_view Text)
{
    static const TWidthKanaMap map(Pairs);
    return map.Convert(Text);
}

// Maps each ASCII byte through Map, copying double-byte characters whole.
template <class Map> std::string MapAscii(std::string_view Text, Map&& M)
{
    std::string out(Text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (IsDBCSLeadByte(out[i]) && i + 1 < out.size()) {
            ++i;
            continue;
        }
        out[i] = M(out[i]);
    }
    return out;
}

std::string RemoveBytes(std::string_view Text, bool Cr, bool Lf)
{
    // CR and LF are never trail bytes (those start at 0x40), so a byte test is exact.
    std::string out;
    out.reserve(Text.size());
    for (char c : Text)
        if (!((Cr && c == '\r') || (Lf && c == '\n'))) out += c;
    return out;
}

} // namespace

std::string UpperCaseText(std::string_view Text)
{
    return MapAscii(Text, [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
}

std::string LowerCaseText(std::string_view Text)
{
    return MapAscii(Text, [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
}

std::string RemoveCR(std::string_view Text) { return RemoveBytes(Text, true, false); }
std::string RemoveLF(std::string_view Text) { return RemoveBytes(Text, false, true); }
std::string RemoveLineBreaks(std::string_view Text) { return RemoveBytes(Text, true, true); }

std::string ConvertToZenkaku(std::string_view Text) { return ConvertWith<kToZenkaku>(Text); }

std::string ConvertToHankaku(std::string_view Text) { return ConvertWith<kToHankaku>(Text); }

std::string ConvertToHiragana(std::string_view Text) { return ConvertWith<kToHiragana>(Text); }

std::string ConvertToKatakana(std::string_view Text) { return ConvertWith<kToKatakana>(Text); }

std::string EncloseText(std::string_view Text, std::string_view Head, std::string_view Tail)
{
    if (Text.find("\r\n") == std::string_view::npos) return std::string(Head) + std::string(Text) + std::string(Tail);
    // The lines as a string list takes them: CR, LF and CR LF end a line; a final line end adds none.
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < Text.size()) {
        std::size_t end = start;
        while (end < Text.size() && Text[end] != '\r' && Text[end] != '\n') ++end;
        lines.push_back(Text.substr(start, end - start));
        if (end < Text.size() && Text[end] == '\r' && end + 1 < Text.size() && Text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    std::string out(Head);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out += lines[i];
        if (i + 1 == lines.size()) out += Tail;
        out += "\r\n";
    }
    return out;
}

std::string HtmlEscape(std::string_view Text)
{
    std::string out;
    out.reserve(Text.size() + Text.size() / 8);
    for (std::size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (IsDBCSLeadByte(c) && i + 1 < Text.size()) {
            out.append(Text.substr(i, 2));
            ++i;
        } else if (c == '&') {
            out += Text.substr(i + 1, 4) == "amp;" ? "&" : "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"') {
            out += "&quot;";
        } else {
            out += c;
        }
    }
    return out;
}

int LineNumberDigits(bool AutoWidth, int Digits, long long Count, int Step)
{
    if (!AutoWidth) return Digits < 1 ? 1 : Digits > 8 ? 8 : Digits;
    const long long n = Count * Step;
    int digits = 1;
    for (long long limit = 10; digits < 8 && n >= limit; limit *= 10) ++digits;
    return digits;
}

std::string FormatLineNumber(long long Number, int Digits)
{
    const bool negative = Number < 0;
    std::string digits = std::to_string(negative ? -Number : Number);
    if (static_cast<int>(digits.size()) < Digits) digits.insert(0, static_cast<std::size_t>(Digits) - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

} // namespace qx
