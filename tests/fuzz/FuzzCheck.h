#pragma once
// Shared by the fuzz targets: a check that stops the run with a message, under libFuzzer and under the
// standalone driver alike, and views of the fuzz input.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#define QX_FUZZ_CHECK(condition)                                                                   \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace qx::fuzz {

inline std::string_view Text(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// The input as UTF-16 units, two bytes each, little-endian; a last odd byte is left out.
inline std::u16string Units(const std::uint8_t* data, std::size_t size)
{
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    return units;
}

// Every byte below 0x80: a 7-bit text, as JIS output must be.
inline bool SevenBit(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// Every byte from 0x80 up belongs to a well-formed EUC character (0x8E + kana, two bytes 0xA1..0xFE),
// as EUC output must be.
inline bool WellFormedEuc(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const auto c = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0;
        if (b < 0x80) i += 1;
        else if (b == 0x8E && c >= 0xA1 && c <= 0xDF) i += 2;
        else if (b >= 0xA1 && b <= 0xFE && c >= 0xA1 && c <= 0xFE) i += 2;
        else return false;
    }
    return true;
}

} // namespace qx::fuzz
