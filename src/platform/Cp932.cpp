#include "platform/Cp932.h"

#include "platform/ByteScan.h"
#include "platform/LeadByte.h"
#include "platform/Utf.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>

namespace qx {
namespace {

#include "platform/Cp932Table.inc"

constexpr int LeadIndex(unsigned char lead) { return lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F; }

// The single bytes the system's mapping leaves undefined, decoded as the original platform did.
constexpr char16_t DecodeSingle(unsigned char b)
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

// Text that Linux input methods and programs write in UTF-8 uses the JIS standard's code points for seven
// characters where the code page decodes to others (〜 where the code page has ～, and so on). They encode
// to the code page's code for the same character, as the platform's iconv encodes them; decoding still
// gives the code page's own characters. (iconv also takes ¥ to '\' and ‾ to '~': those are other
// characters, and stay without a code here.)
constexpr std::pair<char16_t, unsigned> kJisStandardCodePoints[] = {
    {0x301C, 0x8160},  // 〜 WAVE DASH; the code page's ～ U+FF5E
    {0x2016, 0x8161},  // ‖ DOUBLE VERTICAL LINE; ∥ U+2225
    {0x2212, 0x817C},  // − MINUS SIGN; － U+FF0D
    {0x00A2, 0x8191},  // ¢; ￠ U+FFE0
    {0x00A3, 0x8192},  // £; ￡ U+FFE1
    {0x00AC, 0x81CA},  // ¬; ￢ U+FFE2
    {0x2014, 0x815C},  // — EM DASH; ― U+2015
};

// Unicode (BMP) -> code; 0 means none (U+0000 is handled by the caller). Built by the compiler: a
// program that encodes finds it in its file, with nothing to compute or clear at its start.
struct EncodeTable {
    std::array<std::uint16_t, 0x10000> code{};

    constexpr EncodeTable()
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
        for (const auto& [ch, c] : kJisStandardCodePoints) put(ch, c);
    }
};

constexpr EncodeTable kEncoder{};

const EncodeTable& Encoder() { return kEncoder; }

// What a byte and the byte after it (0 past the end) decode to, as UTF-8, indexed by byte << 8 | next:
// the UTF-8 bytes in the low three bytes (first byte lowest), their count in bits 24..25, and kPairForm
// when the two bytes are one character (a lead and a trail byte); else the first byte alone is one.
// Gives Cp932ToUtf8 one load per character for every case Cp932ToUtf16 tells apart.
constexpr std::uint32_t kPairForm = 1u << 31;

std::uint32_t Utf8Form(char16_t ch)
{
    if (ch < 0x80) return 1u << 24 | ch;
    if (ch < 0x800) return 2u << 24 | (0x80u | (ch & 0x3Fu)) << 8 | (0xC0u | ch >> 6);
    return 3u << 24 | (0x80u | (ch & 0x3Fu)) << 16 | (0x80u | (ch >> 6 & 0x3Fu)) << 8 | (0xE0u | ch >> 12);
}

struct Utf8FormTable {
    std::array<std::uint32_t, 0x10000> form{};

    Utf8FormTable()
    {
        for (unsigned b = 0; b < 0x100; ++b) {
            const auto lead = static_cast<unsigned char>(b);
            for (unsigned next = 0; next < 0x100; ++next) {
                std::uint32_t& f = form[b << 8 | next];
                if (!IsDBCSLeadByte(lead)) {
                    f = Utf8Form(DecodeSingle(lead));
                } else if (IsDBCSTrailByte(static_cast<unsigned char>(next))) {
                    const char16_t ch = kCp932Double[LeadIndex(lead)][next];
                    f = kPairForm | Utf8Form(ch ? ch : kCp932Substitute);
                } else {
                    f = Utf8Form(kCp932Substitute);
                }
            }
        }
    }
};

const std::uint32_t* Utf8Forms()
{
    static const auto table = std::make_unique<Utf8FormTable>();
    return table->form.data();
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
    if (code > 0xFFFF || !IsDBCSLeadByte(lead) || !IsDBCSTrailByte(trail)) return -1;
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
        } else if (i + 1 < n && IsDBCSTrailByte(static_cast<unsigned char>(sjis[i + 1]))) {
            // Japanese text is mostly runs of double-byte characters: go through a run in one loop.
            unsigned char lead = b;
            do {
                const char16_t ch = kCp932Double[LeadIndex(lead)][static_cast<unsigned char>(sjis[i + 1])];
                *o++ = ch ? ch : kCp932Substitute;
                i += 2;
            } while (i + 1 < n && IsDBCSLeadByte(lead = static_cast<unsigned char>(sjis[i])) &&
                     IsDBCSTrailByte(static_cast<unsigned char>(sjis[i + 1])));
        } else {
            *o++ = kCp932Substitute;
            ++i;
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

namespace {

// The code page's bytes of Count UTF-16 units, unit I being Unit(I).
template <class UnitProc> void UnitsToCp932(std::size_t count, UnitProc&& unit, std::string& out, std::size_t* lost)
{
    const std::uint16_t* const table = Cp932EncodeTable();
    out.resize(count * 2);
    char* o = out.data();
    std::size_t missing = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t ch = unit(i);
        const std::uint16_t code = table[ch];  // ASCII maps to itself; surrogates to nothing
        if (code == 0) [[unlikely]] {
            if (ch == 0) {
                *o++ = '\0';
                continue;
            }
            if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < count && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF)
                ++i;  // a pair is one character, and it has no code
            *o++ = '?';
            ++missing;
            continue;
        }
        PutCp932Code(o, code);
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    if (lost) *lost = missing;
}

} // namespace

std::string Utf16ToCp932(std::u16string_view text, std::size_t* lost)
{
    std::string out;
    UnitsToCp932(text.size(), [text](std::size_t i) { return text[i]; }, out, lost);
    return out;
}

std::string Utf16BytesToCp932(std::string_view bytes, bool bigEndian, std::size_t* lost)
{
    std::string out;
    Utf16BytesToCp932(bytes, bigEndian, out, lost);
    return out;
}

void Utf16BytesToCp932(std::string_view bytes, bool bigEndian, std::string& out, std::size_t* lost)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t high = bigEndian ? 0 : 1;
    UnitsToCp932(
        bytes.size() / 2,
        [b, high](std::size_t i) { return static_cast<char16_t>(b[2 * i + high] << 8 | b[2 * i + 1 - high]); }, out,
        lost);
}

std::string Utf8ToCp932(std::string_view utf8, std::size_t* lost)
{
    return Utf16ToCp932(Utf8ToUtf16(utf8), lost);
}

// The same as Utf16ToUtf8 (Cp932ToUtf16 (sjis)) in one pass, without the units in between.
std::string Cp932ToUtf8(std::string_view sjis)
{
    const std::uint32_t* const forms = Utf8Forms();
    const auto* s = reinterpret_cast<const unsigned char*>(sjis.data());
    const std::size_t n = sjis.size();
    // A byte becomes at most three (a kana); each store writes four, so one byte to spare.
    std::string out(3 * n + 1, '\0');
    char* o = out.data();
    const auto put = [&o](std::uint32_t form) {
        std::memcpy(o, &form, sizeof form);
        o += form >> 24 & 3;
    };
    for (std::size_t i = 0; i < n;) {
        if (i + 8 <= n) {
            // ASCII comes in short runs (words, line ends): take the bytes below 0x80 of the next eight at
            // once; the rest of the eight starts with a high byte.
            const std::size_t count = AsciiPrefix(sjis.data() + i);
            std::memcpy(o, s + i, 8);  // room: o trails three times the input read so far
            o += count;
            i += count;
            if (count == 8) continue;
        }
        std::uint32_t form = forms[s[i] << 8 | (i + 1 < n ? s[i + 1] : 0)];
        if (!(form & kPairForm)) {
            put(form);
            ++i;
            continue;
        }
        // Japanese text is mostly runs of double-byte characters: go through a run in one loop, two bytes
        // a step (a step of fixed length keeps the next load off the critical path).
        do {
            put(form);
            i += 2;
        } while (i + 1 < n && ((form = forms[s[i] << 8 | s[i + 1]]) & kPairForm));
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

} // namespace qx
