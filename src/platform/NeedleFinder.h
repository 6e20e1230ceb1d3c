#pragma once
// TNeedleFinder: the byte search behind every literal search of a text (grep's literal patterns, the
// editor's search and replace where a match is the pattern's own bytes).

#include "platform/ByteScan.h"
#include "platform/ByteVectors.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

namespace qx {

// Finds a needle of bytes. Sixteen or 32 places are tested at a time for two of the needle's bytes
// together, which rules out nearly every other place at once; the two are the needle's rarest in a
// sample of the text (a kana or kanji lead byte is common in Japanese text, most trail bytes are not),
// and before a sample is seen its first and its last.
class TNeedleFinder {
public:
    explicit TNeedleFinder(std::string Needle) : FNeedle(std::move(Needle)), FSecond(FNeedle.size() - 1)
    {
        if (FNeedle.size() >= 8) {
            FHead = LoadWord(FNeedle.data());
            FTail = LoadWord(FNeedle.data() + FNeedle.size() - 8);
        }
    }
    const std::string& Needle() const { return FNeedle; }

    // Whether the needle's bytes stand at P (two words for a needle of 8 to 16 bytes).
    bool At(const char* P) const
    {
        const std::size_t k = FNeedle.size();
        if (k >= 8 && k <= 16) return LoadWord(P) == FHead && LoadWord(P + k - 8) == FTail;
        return std::memcmp(P, FNeedle.data(), k) == 0;
    }

    // Picks the two bytes that are rarest in Sample, of two different values where the needle has them
    // (the first of equally rare ones).
    void Tune(const char* Sample, std::size_t Size)
    {
        const std::size_t k = FNeedle.size();
        if (k < 3) return;
        std::array<std::uint32_t, 256> count{};
        for (std::size_t i = 0; i < Size; ++i) ++count[static_cast<unsigned char>(Sample[i])];
        const auto often = [&](std::size_t j) { return count[static_cast<unsigned char>(FNeedle[j])]; };
        std::size_t a = 0;
        for (std::size_t j = 1; j < k; ++j)
            if (often(j) < often(a)) a = j;
        const auto key = [&](std::size_t j) { return std::pair(FNeedle[j] == FNeedle[a], often(j)); };
        std::size_t b = a == 0 ? 1 : 0;
        for (std::size_t j = 0; j < k; ++j)
            if (j != a && key(j) < key(b)) b = j;
        FFirst = std::min(a, b);
        FSecond = std::max(a, b);
    }

    // A place where the needle's two chosen bytes stand, with the number of its line (the needle itself
    // is not compared yet).
    struct TCandidate {
        std::uint32_t At;       // from the start of the stretch
        std::uint32_t LineEnds; // in the stretch before At
    };
    static constexpr std::size_t MaxCandidates = 1024;

    // The candidates in the whole vectors from Hay on, in one pass that counts the line ends too, so
    // that a match costs no count of its own for its line's number: up to MaxCandidates of
    // them into Out (their number into Found). Returns how far the pass reached, LineEnds the line ends
    // before that; 0 when Hay holds no whole vector.
    std::size_t Scan(const char* Hay, std::size_t Size, TCandidate* Out, std::size_t& Found,
                     std::size_t& LineEnds) const
    {
        Found = LineEnds = 0;
#if defined(__SSE2__)
        if (ByteVectors::Wide()) return ScanWide(Hay, Size, Out, Found, LineEnds);
        return ScanIn<ByteVectors::TNarrowBytes>(Hay, Size, Out, Found, LineEnds);
#else
        return 0;
#endif
    }

    // The first place of the needle in [Hay, Hay + Size).
    const char* Find(const char* Hay, std::size_t Size) const
    {
        const std::size_t k = FNeedle.size();
        if (k == 1) return static_cast<const char*>(std::memchr(Hay, FNeedle[0], Size));
        std::size_t i = 0;
#if defined(__SSE2__)
        const char* hit =
            ByteVectors::Wide() ? FindWide(Hay, Size, i) : FindIn<ByteVectors::TNarrowBytes>(Hay, Size, i);
        if (hit) return hit;
#endif
        return i < Size ? static_cast<const char*>(memmem(Hay + i, Size - i, FNeedle.data(), k)) : nullptr;
    }

private:
#if defined(__SSE2__)
    // The search over whole vectors; I: how far it went.
    template <class T>
    const char* FindIn(const char* Hay, std::size_t Size, std::size_t& I) const
    {
        const std::size_t k = FNeedle.size();
        typename T::V first, second, a, b;
        T::Splat(first, static_cast<unsigned char>(FNeedle[FFirst]));
        T::Splat(second, static_cast<unsigned char>(FNeedle[FSecond]));
        std::size_t i = 0;
        for (; i + k - 1 + T::Size <= Size; i += T::Size) {
            T::Load(a, Hay + i + FFirst);
            T::Load(b, Hay + i + FSecond);
            T::Equal(a, a, first);
            T::Equal(b, b, second);
            T::And(a, a, b);
            for (std::uint32_t mask = T::Mask(a); mask != 0; mask &= mask - 1) {
                const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
                if (At(Hay + at)) return Hay + at;
            }
        }
        I = i;
        return nullptr;
    }
    QX_WIDE_ENTRY const char* FindWide(const char* Hay, std::size_t Size, std::size_t& I) const
    {
        return FindIn<ByteVectors::TWideBytes>(Hay, Size, I);
    }

    template <class T>
    std::size_t ScanIn(const char* Hay, std::size_t Size, TCandidate* Out, std::size_t& Found,
                       std::size_t& LineEnds) const
    {
        const std::size_t k = FNeedle.size();
        if (Size < k - 1 + T::Size) return 0;
        const std::size_t last = Size - (k - 1) - T::Size; // the last place a vector may start
        const char* const atFirst = Hay + FFirst;
        const char* const atSecond = Hay + FSecond;
        typename T::V first, second, lf, a, b;
        T::Splat(first, static_cast<unsigned char>(FNeedle[FFirst]));
        T::Splat(second, static_cast<unsigned char>(FNeedle[FSecond]));
        T::Splat(lf, '\n');
        std::size_t i = 0, found = 0;
        std::uint32_t lines = 0;
        for (; i <= last && found <= MaxCandidates - T::Size; i += T::Size) {
            T::Load(a, Hay + i);
            T::Equal(a, a, lf);
            const std::uint32_t ends = T::Mask(a);
            T::Load(a, atFirst + i);
            T::Load(b, atSecond + i);
            T::Equal(a, a, first);
            T::Equal(b, b, second);
            T::And(a, a, b);
            for (std::uint32_t mask = T::Mask(a); mask != 0; mask &= mask - 1) {
                const unsigned j = static_cast<unsigned>(__builtin_ctz(mask));
                Out[found++] = {static_cast<std::uint32_t>(i + j), lines + T::Count(ends & ((1u << j) - 1))};
            }
            lines += T::Count(ends);
        }
        Found = found;
        LineEnds = lines;
        return i;
    }
    QX_WIDE_ENTRY std::size_t ScanWide(const char* Hay, std::size_t Size, TCandidate* Out, std::size_t& Found,
                                       std::size_t& LineEnds) const
    {
        return ScanIn<ByteVectors::TWideBytes>(Hay, Size, Out, Found, LineEnds);
    }
#endif

    std::string FNeedle;
    std::size_t FFirst = 0, FSecond;
    std::uint64_t FHead = 0, FTail = 0; // the first and the last eight bytes
};

} // namespace qx
