#include "platform/Cp932.h"

#include "platform/LeadByte.h"
#include "platform/Utf.h"

#include <array>
#include <cstdint>
#include <memory>

namespace qx {
namespace {

#include "platform/Cp932Table.inc"

constexpr bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

constexpr int LeadIndex(unsigned char lead) { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F; }

// The single bytes the system's mapping leaves undefined, decoded as the original platform did.
char16_t DecodeSingle(unsigned char b)
{
    switch (b) {
    case 0x80: return 0x0080;
    case 0xA0: return 0xF8F0;
    case 0xFD: return 0xF8F1;
    case 0xFE: return 0xF8F2;
    case 0xFF: return 0xF8F3;
    default: return kCp932Single[b];
    }
}

// Unicode (BMP) -> code; 0 means none (U+0000 is handled by the caller).
struct EncodeTable {
    std::array<std::uint16_t, 0x10000> code{};

    EncodeTable()
    {
        auto put = [this](char16_t ch, unsigned c) {
            if (ch != 0 && code[ch] == 0) code[ch] = static_cast<std::uint16_t>(c);
        };
        for (unsigned b = 1; b < 0x100; ++b)
            if (!IsDBCSLeadByte(static_cast<unsigned char>(b))) put(DecodeSingle(static_cast<unsigned char>(b)), b);
        // Ascending order gives the lowest code; the NEC-selected IBM extensions come last.
        for (int pass = 0; pass < 2; ++pass) {
            for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
                if (!IsDBCSLeadByte(static_cast<unsigned char>(lead))) continue;
                const bool necSelected = lead == 0xED || lead == 0xEE;
                if (necSelected != (pass == 1)) continue;
                for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
                    put(kCp932Double[LeadIndex(static_cast<unsigned char>(lead))][trail], lead << 8 | trail);
            }
        }
    }
};

const EncodeTable& Encoder()
{
    static const auto table = std::make_unique<EncodeTable>();
    return *table;
}

} // namespace

const std::uint16_t* Cp932EncodeTable() { return Encoder().code.data(); }

int Cp932CodeToUnicode(unsigned code)
{
    if (code < 0x100) {
        const auto b = static_cast<unsigned char>(code);
        if (IsDBCSLeadByte(b)) return -1;
        const char16_t ch = DecodeSingle(b);
        return (ch == 0 && b != 0) ? -1 : ch;
    }
    const auto lead = static_cast<unsigned char>(code >> 8), trail = static_cast<unsigned char>(code & 0xFF);
    if (code > 0xFFFF || !IsDBCSLeadByte(lead) || !IsTrailByte(trail)) return -1;
    const char16_t ch = kCp932Double[LeadIndex(lead)][trail];
    return ch == 0 ? -1 : ch;
}

int UnicodeToCp932Code(char32_t ch)
{
    if (ch == 0) return 0;
    if (ch > 0xFFFF) return -1;
    const std::uint16_t code = Encoder().code[ch];
    return code == 0 ? -1 : code;
}

// Both directions write into a buffer sized for the worst case (a unit per byte; two bytes per unit)
// through a local pointer and trim it at the end: appending one unit at a time costs several times more.
std::u16string Cp932ToUtf16(std::string_view sjis)
{
    const std::size_t n = sjis.size();
    std::u16string out(n, u'\0');
    char16_t* o = out.data();
    for (std::size_t i = 0; i < n;) {
        const auto b = static_cast<unsigned char>(sjis[i]);
        if (b < 0x80) {
            *o++ = b;
            ++i;
        } else if (!IsDBCSLeadByte(b)) {
            *o++ = DecodeSingle(b);
            ++i;
        } else if (i + 1 < n && IsTrailByte(static_cast<unsigned char>(sjis[i + 1]))) {
            // Japanese text is mostly runs of double-byte characters: go through a run in one loop.
            unsigned char lead = b;
            do {
                const char16_t ch = kCp932Double[LeadIndex(lead)][static_cast<unsigned char>(sjis[i + 1])];
                *o++ = ch ? ch : kCp932Substitute;
                i += 2;
            } while (i + 1 < n && IsDBCSLeadByte(lead = static_cast<unsigned char>(sjis[i])) &&
                     IsTrailByte(static_cast<unsigned char>(sjis[i + 1])));
        } else {
            *o++ = kCp932Substitute;
            ++i;
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

std::string Utf16ToCp932(std::u16string_view text, std::size_t* lost)
{
    const std::uint16_t* const table = Cp932EncodeTable();
    std::string out(text.size() * 2, '\0');
    char* o = out.data();
    std::size_t missing = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i];
        const std::uint16_t code = table[ch];  // ASCII maps to itself; surrogates to nothing
        if (code == 0) [[unlikely]] {
            if (ch == 0) {
                *o++ = '\0';
                continue;
            }
            if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
                ++i;  // a pair is one character, and it has no code
            *o++ = '?';
            ++missing;
            continue;
        }
        PutCp932Code(o, code);
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    if (lost) *lost = missing;
    return out;
}

std::string Utf8ToCp932(std::string_view utf8, std::size_t* lost)
{
    return Utf16ToCp932(Utf8ToUtf16(utf8), lost);
}

std::string Cp932ToUtf8(std::string_view sjis) { return Utf16ToUtf8(Cp932ToUtf16(sjis)); }

} // namespace qx
