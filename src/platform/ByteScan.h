#pragma once
// Word-at-a-time byte scanning shared by the converters' fast paths.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace qx {

// The eight bytes at P as one little-endian word. P must have eight readable bytes.
inline std::uint64_t LoadWord(const char* P)
{
    std::uint64_t Word;
    std::memcpy(&Word, P, sizeof Word);
    return Word;
}

// How many of the eight bytes at P, from the first on, are below 0x80. P must have eight readable bytes.
inline std::size_t AsciiPrefix(const char* P)
{
    static_assert(std::endian::native == std::endian::little, "the first byte is the lowest of the word");
    const std::uint64_t High = LoadWord(P) & 0x8080808080808080ULL;
    return High == 0 ? 8 : static_cast<std::size_t>(std::countr_zero(High)) / 8;
}

} // namespace qx
