#pragma once
// Byte classes of the lexers: which single bytes may stand in numbers, identifiers, URLs, mail
// addresses and file names.

#include <string_view>

namespace qx {

constexpr bool IsAsciiDigit(unsigned char c) { return c >= '0' && c <= '9'; }
constexpr bool IsAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool IsHexDigitChar(unsigned char c)
{
    return IsAsciiDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
constexpr bool IsIdentChar(unsigned char c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_'; }

namespace detail {
constexpr bool InSet(unsigned char c, std::string_view set)
{
    return c != 0 && set.find(static_cast<char>(c)) != std::string_view::npos;
}
} // namespace detail

constexpr bool IsUrlChar(unsigned char c)
{
    return IsAsciiLetter(c) || IsAsciiDigit(c) || detail::InSet(c, "#%&+-./:;=?@_~");
}
constexpr bool IsMailChar(unsigned char c)
{
    return IsAsciiLetter(c) || IsAsciiDigit(c) || detail::InSet(c, "!$%&*,-./;=?@^_~");
}
// Every byte 0x80-0xFC counts, so a double-byte file name stays whole; "/" separates the folders of
// this system's paths.
constexpr bool IsFileChar(unsigned char c)
{
    return IsAsciiLetter(c) || IsAsciiDigit(c) || detail::InSet(c, "#%&-./:=@[\\]^_`{|}~") || (c >= 0x80 && c <= 0xFC);
}

} // namespace qx
