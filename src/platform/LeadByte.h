#pragma once
// The code page 932 lead-byte set: the one predicate every Shift-JIS walker of the program uses.
// A lead byte with nothing after it is a single-byte character; callers check the length first.

#include <cstddef>
#include <string_view>

namespace qx {

constexpr bool IsDBCSLeadByte(unsigned char b) noexcept
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

constexpr bool IsDBCSLeadByte(char b) noexcept { return IsDBCSLeadByte(static_cast<unsigned char>(b)); }

// Length in bytes of the character starting at byte `i` of `s` (0 when i is at or past the end).
constexpr std::size_t CharLengthAt(std::string_view s, std::size_t i) noexcept
{
    if (i >= s.size()) return 0;
    return (IsDBCSLeadByte(s[i]) && i + 1 < s.size()) ? 2 : 1;
}

} // namespace qx
