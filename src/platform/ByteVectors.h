#pragma once
// The loops that pass over every byte of a file (the search for a needle, the count of line ends, the
// check for NUL bytes and lone CRs) are written once, as templates over a set of vector operations, and
// built twice: with the 32-byte vectors of AVX2 where the processor has them and with the 16-byte ones
// of SSE2 (which every x86-64 processor has) for any other; Wide() tells which runs. A loop's entry
// for the wide set is built for that target and flattened, so that the operations are inlined into it.
//
// Vectors go to the operations by reference and come back through an out parameter: a vector in a
// signature would be passed differently by the two builds where nothing is inlined (a debug build).

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <immintrin.h>

// The entry of a loop over TWideBytes.
#define QX_WIDE_ENTRY [[gnu::target("avx2,popcnt"), gnu::flatten]]

namespace qx::ByteVectors {

// Whether the wide set runs: where the processor has it, unless switched off (as the tests do, to run the
// narrow set too).
inline bool& WideSwitch()
{
    static bool wide = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    }();
    return wide;
}

inline bool Wide() { return WideSwitch(); }

struct TNarrowBytes {
    using V = __m128i;
    static constexpr std::size_t Size = 16;
    static void Load(V& Out, const void* P) { Out = _mm_loadu_si128(static_cast<const V*>(P)); }
    static void Splat(V& Out, unsigned char B) { Out = _mm_set1_epi8(static_cast<char>(B)); }
    static void Zero(V& Out) { Out = _mm_setzero_si128(); }
    // Out: 0xFF where the bytes of A and B are equal, else 0.
    static void Equal(V& Out, const V& A, const V& B) { Out = _mm_cmpeq_epi8(A, B); }
    static void And(V& Out, const V& A, const V& B) { Out = _mm_and_si128(A, B); }
    static void AndNot(V& Out, const V& A, const V& B) { Out = _mm_andnot_si128(A, B); } // ~A & B
    static void Or(V& Out, const V& A, const V& B) { Out = _mm_or_si128(A, B); }
    static void Sub(V& Out, const V& A, const V& B) { Out = _mm_sub_epi8(A, B); }
    // Bit i set where byte i has its top bit set.
    static std::uint32_t Mask(const V& A) { return static_cast<std::uint32_t>(_mm_movemask_epi8(A)); }
    static unsigned Count(std::uint32_t Bits) { return static_cast<unsigned>(__builtin_popcount(Bits)); }
    // The sum of the bytes.
    static std::size_t Sum(const V& A)
    {
        const V sums = _mm_sad_epu8(A, _mm_setzero_si128());
        return static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
               static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_srli_si128(sums, 8)));
    }
};

struct TWideBytes {
    using V = __m256i;
    static constexpr std::size_t Size = 32;
    [[gnu::target("avx2")]] static void Load(V& Out, const void* P)
    {
        Out = _mm256_loadu_si256(static_cast<const V*>(P));
    }
    [[gnu::target("avx2")]] static void Splat(V& Out, unsigned char B) { Out = _mm256_set1_epi8(static_cast<char>(B)); }
    [[gnu::target("avx2")]] static void Zero(V& Out) { Out = _mm256_setzero_si256(); }
    [[gnu::target("avx2")]] static void Equal(V& Out, const V& A, const V& B) { Out = _mm256_cmpeq_epi8(A, B); }
    [[gnu::target("avx2")]] static void And(V& Out, const V& A, const V& B) { Out = _mm256_and_si256(A, B); }
    [[gnu::target("avx2")]] static void AndNot(V& Out, const V& A, const V& B) { Out = _mm256_andnot_si256(A, B); }
    [[gnu::target("avx2")]] static void Or(V& Out, const V& A, const V& B) { Out = _mm256_or_si256(A, B); }
    [[gnu::target("avx2")]] static void Sub(V& Out, const V& A, const V& B) { Out = _mm256_sub_epi8(A, B); }
    [[gnu::target("avx2")]] static std::uint32_t Mask(const V& A)
    {
        return static_cast<std::uint32_t>(_mm256_movemask_epi8(A));
    }
    [[gnu::target("popcnt")]] static unsigned Count(std::uint32_t Bits)
    {
        return static_cast<unsigned>(__builtin_popcount(Bits));
    }
    [[gnu::target("avx2")]] static std::size_t Sum(const V& A)
    {
        const V sums = _mm256_sad_epu8(A, _mm256_setzero_si256());
        return static_cast<std::size_t>(_mm256_extract_epi64(sums, 0)) +
               static_cast<std::size_t>(_mm256_extract_epi64(sums, 1)) +
               static_cast<std::size_t>(_mm256_extract_epi64(sums, 2)) +
               static_cast<std::size_t>(_mm256_extract_epi64(sums, 3));
    }
};

} // namespace qx::ByteVectors

#endif
