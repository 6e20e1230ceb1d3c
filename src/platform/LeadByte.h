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

// A byte that may follow a lead byte.
constexpr bool IsDBCSTrailByte(unsigned char b) noexcept { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// Where the character that holds byte `i` of `s` begins (a walk from the start: Shift-JIS cannot be
// read backwards). `i` at or past the end gives the end of the last whole character before it.
constexpr std::size_t CharStartAt(std::string_view s, std::size_t i) noexcept
{
    std::size_t at = 0;
    while (at < i && at < s.size()) {
        const std::size_t next = at + CharLengthAt(s, at);
        if (next > i) return at;
        at = next;
    }
    return at;
}

// Where the character that ends at byte `end` of `s` begins (0 for 0).
constexpr std::size_t CharStartBefore(std::string_view s, std::size_t end) noexcept
{
    return end == 0 ? 0 : CharStartAt(s, end - 1);
}

// True when the full-width space (0x81 0x40) stands at byte `i` of `s`.
constexpr bool IsFullWidthSpaceAt(std::string_view s, std::size_t i) noexcept
{
    return i + 1 < s.size() && s[i] == '\x81' && s[i + 1] == '\x40';
}

} // namespace qx
