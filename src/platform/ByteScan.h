#pragma once
// Word-at-a-time byte scanning shared by the converters' fast paths.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The same for the sixteen bytes at P (0..16). P must have sixteen readable bytes.
inline std::size_t AsciiPrefix16(const char* P)
{
#if defined(__SSE2__)
    const unsigned High = static_cast<unsigned>(_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(P))));
    return static_cast<std::size_t>(std::countr_zero(High | 0x10000u));
#else
    const std::size_t Count = AsciiPrefix(P);
    return Count < 8 ? Count : 8 + AsciiPrefix(P + 8);
#endif
}

// Bit I set when byte I of the 64 bytes at P, with the bits of Flip flipped, lies in Lo..Hi (Lo <= Hi, not
// the whole range). P must have 64 readable bytes. (Flipping joins ranges: the Shift-JIS lead bytes
// 0x81..0x9F and 0xE0..0xFC are 0xA1..0xDC with 0x20 flipped.)
inline std::uint64_t BytesInRange64(const char* P, unsigned char Lo, unsigned char Hi, unsigned char Flip = 0)
{
    std::uint64_t Mask = 0;
#if defined(__SSE2__)
    // Shifted by 0x80 - Lo, the bytes in range are the lowest Hi - Lo + 1 signed values.
    const __m128i Flips = _mm_set1_epi8(static_cast<char>(Flip));
    const __m128i Shift = _mm_set1_epi8(static_cast<char>(0x80 - Lo));
    const __m128i Bound = _mm_set1_epi8(static_cast<char>(0x80 + (Hi - Lo) + 1));
    for (int I = 0; I < 4; ++I) {
        const __m128i V = _mm_loadu_si128(reinterpret_cast<const __m128i*>(P) + I);
        const __m128i Shifted = _mm_add_epi8(_mm_xor_si128(V, Flips), Shift);
        Mask |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(Shifted, Bound)))) << (16 * I);
    }
#else
    for (int I = 0; I < 64; ++I) {
        const auto B = static_cast<unsigned char>(P[I] ^ Flip);
        if (B >= Lo && B <= Hi) Mask |= std::uint64_t{1} << I;
    }
#endif
    return Mask;
}

// Bit I set when byte I of the 64 bytes at P is 0x80 or above. P must have 64 readable bytes.
inline std::uint64_t HighBytes64(const char* P)
{
    std::uint64_t Mask = 0;
#if defined(__SSE2__)
    for (int I = 0; I < 4; ++I)
        Mask |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(P) + I))))
                << (16 * I);
#else
    for (int I = 0; I < 64; ++I)
        if (static_cast<unsigned char>(P[I]) >= 0x80) Mask |= std::uint64_t{1} << I;
#endif
    return Mask;
}

} // namespace qx
