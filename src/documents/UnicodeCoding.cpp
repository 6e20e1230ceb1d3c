#include "documents/UnicodeCoding.h"

#include "platform/ByteScan.h"

#include "documents/JisCode.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace qx {
namespace {

constexpr bool IsContinuation(unsigned char B) { return (B & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence at S (Left bytes, at least one): 1 to 4, or 0 when none
// starts there: a byte that starts nothing (0x80..0xC1, 0xF5..0xFF), a missing or bad continuation byte,
// an overlong form (C0 AF for "/"), a value beyond U+10FFFF. The three-byte forms of surrogates are
// taken, as the encoder writes each unit of a pair so.
std::size_t SequenceLength(const unsigned char* S, std::size_t Left)
{
    const unsigned B = S[0];
    if (B < 0x80) return 1;
    std::size_t Length;
    unsigned Low = 0x80, High = 0xBF; // the range of the second byte
    if (B >= 0xC2 && B <= 0xDF) {
        Length = 2;
    } else if (B >= 0xE0 && B <= 0xEF) {
        Length = 3;
        if (B == 0xE0) Low = 0xA0;
    } else if (B >= 0xF0 && B <= 0xF4) {
        Length = 4;
        if (B == 0xF0) Low = 0x90;
        if (B == 0xF4) High = 0x8F;
    } else {
        return 0;
    }
    if (Left < Length || S[1] < Low || S[1] > High) return 0;
    for (std::size_t K = 2; K < Length; ++K)
        if (!IsContinuation(S[K])) return 0;
    return Length;
}

// The value of the well-formed sequence of Length bytes at S.
char32_t SequenceValue(const unsigned char* S, std::size_t Length)
{
    if (Length == 1) return S[0];
    char32_t U = S[0] & (0x7Fu >> Length);
    for (std::size_t K = 1; K < Length; ++K) U = U << 6 | (S[K] & 0x3Fu);
    return U;
}

// Eight bytes below 0x80 from P on.
bool AsciiWord(const char* P)
{
    std::uint64_t Word;
    std::memcpy(&Word, P, sizeof Word);
    return (Word & 0x8080808080808080ULL) == 0;
}

} // namespace

int DetectUnicodeBom(std::string_view Bytes)
{
    if (Bytes.size() <= 2) return 0;
    const auto B0 = static_cast<unsigned char>(Bytes[0]), B1 = static_cast<unsigned char>(Bytes[1]);
    if (B0 == 0xFF && B1 == 0xFE) return 1;
    if (B0 == 0xFE && B1 == 0xFF) return 2;
    return 0;
}

int DetectUtf8(std::string_view Bytes)
{
    const std::size_t L = Bytes.size();
    const auto* S = reinterpret_cast<const unsigned char*>(Bytes.data());
    bool Found = false;
    for (std::size_t I = 0; I < L;) {
        if (I + 8 <= L && AsciiWord(Bytes.data() + I)) {
            I += 8;
            continue;
        }
        if (S[I] < 0x80) {
            ++I;
            continue;
        }
        const std::size_t Length = SequenceLength(S + I, L - I);
        if (Length == 0) return 0;
        I += Length;
        Found = true;
    }
    if (!Found) return 0;
    return Bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 2 : 1;
}

namespace {

// Writes the UTF-8 form of Source[0..Count) to Dest and returns the bytes written. Checked: stops before
// the first character that does not fit in Room bytes; unchecked: Dest has room for three per unit.
template <bool Checked>
std::size_t EncodeUnits(char* Dest, std::size_t Room, const char16_t* Source, std::size_t Count)
{
    std::size_t Out = 0;
    for (std::size_t I = 0; I < Count; ++I) {
        const char16_t U = Source[I];
        if (U < 0x80) {
            if (Checked && Out + 1 > Room) break;
            Dest[Out++] = static_cast<char>(U);
        } else if (U < 0x800) {
            if (Checked && Out + 2 > Room) break;
            Dest[Out] = static_cast<char>(0xC0 | (U >> 6));
            Dest[Out + 1] = static_cast<char>(0x80 | (U & 0x3F));
            Out += 2;
        } else {
            if (Checked && Out + 3 > Room) break;
            Dest[Out] = static_cast<char>(0xE0 | (U >> 12));
            Dest[Out + 1] = static_cast<char>(0x80 | ((U >> 6) & 0x3F));
            Dest[Out + 2] = static_cast<char>(0x80 | (U & 0x3F));
            Out += 3;
        }
    }
    return Out;
}

// Decodes Source[0..Count) and returns the number of units, or -1 when it is not valid; writes the first
// Room units to Dest (Bounded), or every unit (Dest has room for one per byte: a four-byte sequence is two).
template <bool Bounded>
std::ptrdiff_t DecodeUnits(char16_t* Dest, std::size_t Room, const char* Source, std::size_t Count)
{
    const auto* S = reinterpret_cast<const unsigned char*>(Source);
    std::size_t Units = 0;
    const auto Put = [&](char32_t U) {
        if (!Bounded || Units < Room) Dest[Units] = static_cast<char16_t>(U);
        ++Units;
    };
    for (std::size_t I = 0; I < Count;) {
        const std::size_t Length = SequenceLength(S + I, Count - I);
        if (Length == 0) return -1;
        const char32_t U = SequenceValue(S + I, Length);
        I += Length;
        if (U < 0x10000) {
            Put(U);
        } else { // a character beyond the Basic Multilingual Plane: a surrogate pair
            Put(0xD800 + ((U - 0x10000) >> 10));
            Put(0xDC00 + ((U - 0x10000) & 0x3FF));
        }
    }
    return static_cast<std::ptrdiff_t>(Units);
}

} // namespace

std::ptrdiff_t EncodeUtf8Buffer(char* Dest, std::size_t DestSize, const char16_t* Source, std::size_t SourceCount)
{
    if (!Dest) {
        std::size_t Need = 1;
        for (std::size_t I = 0; I < SourceCount; ++I)
            Need += Source[I] < 0x80 ? 1 : Source[I] < 0x800 ? 2 : 3;
        return static_cast<std::ptrdiff_t>(Need);
    }
    if (DestSize == 0) return 0;
    const std::size_t Room = DestSize - 1; // the NUL always has its byte
    const std::size_t Written = Room / 3 >= SourceCount ? EncodeUnits<false>(Dest, Room, Source, SourceCount)
                                                        : EncodeUnits<true>(Dest, Room, Source, SourceCount);
    Dest[Written] = '\0';
    return static_cast<std::ptrdiff_t>(Written + 1);
}

std::ptrdiff_t DecodeUtf8Buffer(char16_t* Dest, std::size_t DestSize, const char* Source, std::size_t SourceCount)
{
    if (Dest && DestSize == 0) return 0;
    // Past a full destination the rest is still checked, so that invalid input is always -1.
    const std::size_t Room = Dest ? DestSize - 1 : 0;
    const std::ptrdiff_t Units = Room >= SourceCount ? DecodeUnits<false>(Dest, Room, Source, SourceCount)
                                                     : DecodeUnits<true>(Dest, Room, Source, SourceCount);
    if (Units < 0) return -1;
    const std::size_t Written = std::min(static_cast<std::size_t>(Units), Room);
    if (Dest) Dest[Written] = 0;
    return static_cast<std::ptrdiff_t>((Dest ? Written : static_cast<std::size_t>(Units)) + 1);
}

std::string WideToUtf8(std::u16string_view Text)
{
    if (Text.empty()) return {};
    std::string Out(3 * Text.size() + 1, '\0'); // the worst case: three bytes a unit, and the NUL
    const std::ptrdiff_t Written = EncodeUtf8Buffer(Out.data(), Out.size(), Text.data(), Text.size());
    Out.resize(static_cast<std::size_t>(Written - 1));
    return Out;
}

std::u16string Utf8ToWide(std::string_view Bytes)
{
    if (Bytes.empty()) return {};
    // One unit per byte is the most there can be; with the NUL, the last character is never cut.
    std::u16string Out(Bytes.size() + 1, u'\0');
    const std::ptrdiff_t Written = DecodeUtf8Buffer(Out.data(), Out.size(), Bytes.data(), Bytes.size());
    if (Written < 0) return {};
    Out.resize(static_cast<std::size_t>(Written - 1));
    return Out;
}


std::string Utf8ToSjis(std::string_view Bytes, std::size_t* Lost)
{
    std::string Text;
    Utf8ToSjis(Bytes, Text, Lost);
    return Text;
}

bool Utf8ToSjis(std::string_view Bytes, std::string& Result, std::size_t* Lost)
{
    if (Lost) *Lost = 0;
    const std::uint16_t* const Codes = Cp932EncodeTable();
    const auto* S = reinterpret_cast<const unsigned char*>(Bytes.data());
    const std::size_t N = Bytes.size();
    // Each sequence becomes at most as many bytes as it has (one more for the second store of a code).
    Result.resize(N + 1);
    char* Out = Result.data();
    const auto Invalid = [&Result] {
        Result.clear();
        return false;
    };
    std::size_t Missing = 0;
    // A unit without a code: U+0000 is a NUL; a low surrogate right after a high one is part of the one
    // character the high one already stood for; anything else becomes '?'. (A high surrogate came from
    // the three bytes ED A0..AF xx just before Pos, the only way to write one.)
    const auto NoCode = [&](unsigned U, std::size_t Pos) {
        if (U == 0) {
            *Out++ = '\0';
        } else if (!(U >= 0xDC00 && U <= 0xDFFF && Pos >= 3 && S[Pos - 3] == 0xED && (S[Pos - 2] & 0xF0) == 0xA0)) {
            *Out++ = '?';
            ++Missing;
        }
    };
    // Whether a well-formed three-byte sequence (lead 0xE0..0xEF) starts at Pos.
    const auto ThreeBytes = [&](std::size_t Pos) {
        return N - Pos >= 3 && ((S[Pos] << 16 | S[Pos + 1] << 8 | S[Pos + 2]) & 0xF0C0C0u) == 0xE08080u;
    };
    for (std::size_t I = 0; I < N;) {
        if (I + 8 <= N) {
            // ASCII comes in short runs (words, line ends): take the bytes below 0x80 of the next eight at
            // once; the rest of the eight starts with a sequence.
            const std::size_t Count = AsciiPrefix(Bytes.data() + I);
            std::memcpy(Out, S + I, 8); // room: Out trails the input by at least as much as it reads
            Out += Count;
            I += Count;
            if (Count == 8) continue;
        }
        const unsigned B = S[I];
        if (B < 0x80) {
            *Out++ = static_cast<char>(B);
            ++I;
        } else if (ThreeBytes(I)) {
            // Japanese text is mostly runs of three-byte sequences: go through a run in one loop, the
            // sequence's three bytes (and the one after) read as one word while four bytes are left.
            static_assert(std::endian::native == std::endian::little, "the word holds the first byte lowest");
            for (;;) {
                std::uint32_t W;
                if (N - I >= 4) {
                    std::memcpy(&W, S + I, 4);
                    if ((W & 0xC0C0F0u) != 0x8080E0u) break;
                } else if (ThreeBytes(I)) {
                    W = S[I] | S[I + 1] << 8 | S[I + 2] << 16;
                } else {
                    break;
                }
                const unsigned U = (W & 0x0Fu) << 12 | (W >> 2 & 0xFC0u) | (W >> 16 & 0x3Fu);
                if (U < 0x800) [[unlikely]]
                    return Invalid(); // overlong
                if (const unsigned Code = Codes[U]) [[likely]]
                    PutCp932Code(Out, Code);
                else
                    NoCode(U, I);
                I += 3;
            }
        } else if (const std::size_t Length = SequenceLength(S + I, N - I); Length == 2) {
            const unsigned U = SequenceValue(S + I, 2);
            if (const unsigned Code = Codes[U]) PutCp932Code(Out, Code);
            else NoCode(U, I);
            I += 2;
        } else if (Length == 4) { // beyond the Basic Multilingual Plane: the code page has none of them
            *Out++ = '?';
            ++Missing;
            I += 4;
        } else {
            return Invalid(); // as Utf8ToWide: a bad lead byte, a bad continuation byte, a cut or overlong sequence
        }
    }
    Result.resize(static_cast<std::size_t>(Out - Result.data()));
    if (Lost) *Lost = Missing;
    return true;
}

std::string Utf16ToSjis(std::string_view Bytes, bool BigEndian, std::size_t* Lost)
{
    std::string Text;
    Utf16ToSjis(Bytes, BigEndian, Text, Lost);
    return Text;
}

void Utf16ToSjis(std::string_view Bytes, bool BigEndian, std::string& Text, std::size_t* Lost)
{
    // The units are read from the bytes as they are converted: no copy of the file as UTF-16 is made.
    Utf16BytesToCp932(Bytes, BigEndian, Text, Lost);
    // Half a unit is a character lost, shown as the others are.
    if (Bytes.size() % 2 != 0) {
        Text += '?';
        if (Lost) ++*Lost;
    }
}

std::string SjisToUtf16(std::string_view Text, bool BigEndian)
{
    const std::u16string Units = Cp932ToUtf16(Text);
    std::string Out(Units.size() * 2, '\0');
    const int High = BigEndian ? 0 : 1;
    for (std::size_t I = 0; I < Units.size(); ++I) {
        Out[2 * I + High] = static_cast<char>(Units[I] >> 8);
        Out[2 * I + 1 - High] = static_cast<char>(Units[I] & 0xFF);
    }
    return Out;
}

unsigned SjisCodeToJisCode(unsigned Code)
{
    const auto S1 = static_cast<unsigned char>(Code >> 8), S2 = static_cast<unsigned char>(Code);
    if (Code > 0xFFFF || !IsSjisPair(S1, S2)) return 0;
    const unsigned Jis = SjisPairToJis(S1, S2);
    if (Jis == 0 || !IsJisPair(static_cast<unsigned char>(Jis >> 8), static_cast<unsigned char>(Jis))) return 0;
    return Jis;
}

} // namespace qx
