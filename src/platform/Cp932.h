#pragma once
// The code page 932 (Shift-JIS) codec of the whole program: document text, clipboard, display, message
// texts and dictionaries all pass through it.
//
// Decoding follows the system's CP932 mapping for every defined code. Bytes the mapping leaves undefined
// decode as the original platform did, so that they survive a round trip: 0x80 -> U+0080, 0xA0 -> U+F8F0,
// 0xFD..0xFF -> U+F8F1..U+F8F3. An undefined double-byte code, a lead byte followed by a byte that cannot
// be a trail byte, and a lead byte at the end all decode to kCp932Substitute; in the middle case the
// following byte is then decoded on its own (a broken lead byte never swallows a line end).
//
// Encoding picks, for a character with two or more codes, the code the platform's encoder picks: the
// lowest, except that the NEC-selected IBM extensions (lead 0xED, 0xEE) lose to the IBM extensions
// (0xFA..0xFC). The JIS standard's code points that Linux text uses for seven of the code page's
// characters (〜 U+301C, − U+2212, ‖ U+2016, ¢ £ ¬, — U+2014) encode to those characters' codes. A
// character without a code becomes '?' (0x3F).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qx {

constexpr char16_t kCp932Substitute = 0x30FB;  // KATAKANA MIDDLE DOT

std::u16string Cp932ToUtf16(std::string_view sjis);
// `lost` (when given) receives the number of characters that had no code.
std::string Utf16ToCp932(std::u16string_view text, std::size_t* lost = nullptr);
// The same for UTF-16 bytes of either byte order (an odd last byte is left out), read in place.
std::string Utf16BytesToCp932(std::string_view bytes, bool bigEndian, std::size_t* lost = nullptr);
// The same into `out`, whose memory is used again.
void Utf16BytesToCp932(std::string_view bytes, bool bigEndian, std::string& out, std::size_t* lost = nullptr);
std::string Utf8ToCp932(std::string_view utf8, std::size_t* lost = nullptr);
std::string Cp932ToUtf8(std::string_view sjis);

// The code of every UTF-16 unit (a byte, or lead << 8 | trail), 0x10000 entries; 0 for a unit without
// one and for U+0000. For converters that make the units themselves and look each one up at once.
const std::uint16_t* Cp932EncodeTable();
// Writes `code`, an entry of that table, at `out` as one or two bytes and advances `out`, which needs
// room for two. (No branch on the length: the second byte of a single one is overwritten by what follows.)
inline void PutCp932Code(char*& out, unsigned code)
{
    const bool wide = code > 0xFF;
    out[0] = static_cast<char>(wide ? code >> 8 : code);
    out[1] = static_cast<char>(code & 0xFF);
    out += wide ? 2 : 1;
}

// One code (a byte, or lead << 8 | trail) to its character; -1 when undefined.
int Cp932CodeToUnicode(unsigned code);
// One character to its code (a byte, or lead << 8 | trail); -1 when it has none.
int UnicodeToCp932Code(char32_t ch);

} // namespace qx
