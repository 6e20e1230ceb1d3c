#include "documents/CharCodeConvert.h"

#include "platform/ByteScan.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace qx {
namespace {

constexpr unsigned char kEsc = 0x1B;

// Full-width JIS X 0208 code of each half-width katakana 0xA0..0xDF (0xA0 is no character).
constexpr std::uint16_t kHalfKanaToJis[64] = {
    0x0000, 0x2123, 0x2156, 0x2157, 0x2122, 0x2126, 0x2572, 0x2521, // A0 ｡ ｢ ｣ ､ ･ ｦ ｧ
    0x2523, 0x2525, 0x2527, 0x2529, 0x2563, 0x2565, 0x2567, 0x2543, // ｨ ｩ ｪ ｫ ｬ ｭ ｮ ｯ
    0x213C, 0x2522, 0x2524, 0x2526, 0x2528, 0x252A, 0x252B, 0x252D, // ｰ ｱ ｲ ｳ ｴ ｵ ｶ ｷ
    0x252F, 0x2531, 0x2533, 0x2535, 0x2537, 0x2539, 0x253B, 0x253D, // ｸ ｹ ｺ ｻ ｼ ｽ ｾ ｿ
    0x253F, 0x2541, 0x2544, 0x2546, 0x2548, 0x254A, 0x254B, 0x254C, // ﾀ ﾁ ﾂ ﾃ ﾄ ﾅ ﾆ ﾇ
    0x254D, 0x254E, 0x254F, 0x2552, 0x2555, 0x2558, 0x255B, 0x255E, // ﾈ ﾉ ﾊ ﾋ ﾌ ﾍ ﾎ ﾏ
    0x255F, 0x2560, 0x2561, 0x2562, 0x2564, 0x2566, 0x2568, 0x2569, // ﾐ ﾑ ﾒ ﾓ ﾔ ﾕ ﾖ ﾗ
    0x256A, 0x256B, 0x256C, 0x256D, 0x256F, 0x2573, 0x212B, 0x212C, // ﾘ ﾙ ﾚ ﾛ ﾜ ﾝ ﾞ ﾟ
};

constexpr bool IsHalfKana(unsigned char B) { return B >= 0xA1 && B <= 0xDF; }
constexpr bool IsEucByte(unsigned char B) { return B >= 0xA1 && B <= 0xFE; }

unsigned char ByteAt(std::string_view Text, std::size_t Pos)
{
    return Pos < Text.size() ? static_cast<unsigned char>(Text[Pos]) : 0;
}

// The full-width code of kana K with the following sound mark Mark merged when the pair has a character
// of its own; *Merged tells whether the mark was used.
unsigned WidenKana(unsigned char K, unsigned char Mark, bool* Merged)
{
    *Merged = true;
    if (Mark == 0xDE && K == 0xB3) return 0x2574; // ヴ
    const unsigned Code = kHalfKanaToJis[K - 0xA0];
    if (Mark == 0xDE && ((K >= 0xB6 && K <= 0xC4) || (K >= 0xCA && K <= 0xCE))) return Code + 1;
    if (Mark == 0xDF && K >= 0xCA && K <= 0xCE) return Code + 2;
    *Merged = false;
    return Code;
}

TBytePair ToPair(unsigned Code) { return {static_cast<unsigned char>(Code >> 8), static_cast<unsigned char>(Code)}; }

// The JIS code (both bytes 0x21..0x7E) that each Shift-JIS pair is written as in JIS and in EUC, indexed by
// lead << 8 | trail; 0 for a byte pair that is no character and for a character without a place. Leads
// 0x81..0x9F and 0xE0..0xEF go by the JIS X 0208 arithmetic; the IBM extensions (0xFA..0xFC) by the code
// page's lowest code below lead 0xF0 for the same character (their NEC-selected or NEC row 13 form),
// found through the codec. The user-defined leads 0xF0..0xF9 are left to UserAreaCode, and WrittenCode
// takes out the undefined leads where the target has a user area.
class TSjisPairTable {
public:
    TSjisPairTable() : FCode(new std::uint16_t[0x10000]())
    {
        std::unordered_map<int, unsigned> Lowest;
        for (unsigned S1 = 0x81; S1 <= 0xFC; ++S1) {
            if (!IsSjisLeadByte(static_cast<unsigned char>(S1)) || (S1 >= 0xF0 && S1 < 0xFA)) continue;
            for (unsigned S2 = 0x40; S2 <= 0xFC; ++S2) {
                if (!IsSjisTrailByte(static_cast<unsigned char>(S2))) continue;
                unsigned Sjis = S1 << 8 | S2;
                const int Ch = Cp932CodeToUnicode(Sjis);
                if (S1 < 0xF0) {
                    if (Ch >= 0) Lowest.emplace(Ch, Sjis); // ascending: the first is the lowest
                } else {
                    const auto It = Ch >= 0 ? Lowest.find(Ch) : Lowest.end();
                    if (It == Lowest.end()) continue;
                    Sjis = It->second;
                }
                const TBytePair J = SjisToJisChar(static_cast<unsigned char>(Sjis >> 8), static_cast<unsigned char>(Sjis));
                FCode[S1 << 8 | S2] = static_cast<std::uint16_t>(J[0] << 8 | J[1]);
            }
        }
    }
    const std::uint16_t* Codes() const { return FCode.get(); }

private:
    std::unique_ptr<std::uint16_t[]> FCode;
};

const TSjisPairTable& SjisPairs()
{
    static const TSjisPairTable Table;
    return Table;
}

// The EUC user area: rows 85..88 and 93..94 hold the user-defined characters of leads 0xF0, 0xF1 and 0xF4,
// laid out as the undefined leads 0xEB, 0xEC and 0xEF would be by the arithmetic (0xF040 <-> row 85 cell
// 1, 0xF5A1); rows 89..92 between them belong to the NEC-selected IBM extensions (leads 0xED, 0xEE).
constexpr unsigned char kUserLeadShift = 0xF0 - 0xEB;
constexpr bool IsEucUserRow(unsigned char J1) { return (J1 >= 0x75 && J1 <= 0x78) || J1 == 0x7D || J1 == 0x7E; }

// The place of a user-defined character (lead 0xF0..0xF9) in the EUC user area; JIS (UserArea false) has
// no user area. 0 when there is no place.
unsigned UserAreaCode(unsigned char S1, unsigned char S2, bool UserArea)
{
    if (!UserArea || S1 == 0xF2 || S1 == 0xF3 || S1 > 0xF4) return 0;
    const TBytePair J = SjisToJisChar(static_cast<unsigned char>(S1 - kUserLeadShift), S2);
    return static_cast<unsigned>(J[0]) << 8 | J[1];
}

// The code a writer gives the Shift-JIS pair (S1, S2): the JIS code of the table, or the user-area place
// of a user-defined character. Where the writer has a user area, the arithmetic codes of the undefined
// leads 0xEB, 0xEC and 0xEF (no characters) would land in it and read back as user-defined characters:
// they have no place. 0 when there is none.
unsigned WrittenCode(unsigned char S1, unsigned char S2, bool UserArea)
{
    if (S1 >= 0xF0 && S1 <= 0xF9) return IsSjisTrailByte(S2) ? UserAreaCode(S1, S2, UserArea) : 0;
    const unsigned Code = SjisPairs().Codes()[S1 << 8 | S2];
    return UserArea && IsEucUserRow(static_cast<unsigned char>(Code >> 8)) ? 0 : Code;
}

// What each Shift-JIS pair is written as by writer TOut (the PairForm of its WrittenCode), indexed by the two bytes as they lie in
// memory (lead | trail << 8: one load of two bytes, or half of one of four); 0 for a pair the reader must
// look at more closely. One look-up per character in the double-byte runs.
template <class TOut>
const std::uint16_t* PairForms()
{
    static_assert(std::endian::native == std::endian::little, "the lead byte is the low half of the index");
    static const std::unique_ptr<std::uint16_t[]> Forms = [] {
        std::unique_ptr<std::uint16_t[]> F(new std::uint16_t[0x10000]());
        for (unsigned I = 0; I < 0x10000; ++I) {
            const auto S1 = static_cast<unsigned char>(I >> 8), S2 = static_cast<unsigned char>(I);
            const unsigned Code = WrittenCode(S1, S2, TOut::kUserArea);
            if (Code != 0) F[S1 | S2 << 8] = TOut::PairForm(Code);
        }
        return F;
    }();
    return Forms.get();
}

// Writers: what a converter emits for each character its reader finds. Single takes a byte that stands
// for itself, Kana a half-width katakana byte, Double a JIS code with both bytes in 0x21..0x7E, where 0
// (no character) and Broken write the geta mark and count a lost character.
//
// The write position is the reader's local `Out`, passed to each call, so that it stays in a register
// (a position kept in the writer would be reloaded after every byte stored). The reader goes through the
// text in stretches and makes room for a whole stretch at once: a character writes at most
// kMaxBytesPerByte bytes for each byte it reads (kMaxCharBytes at most in all).
template <class TDerived>
class TWriter {
public:
    static constexpr std::size_t kMaxCharBytes = 8, kStretch = 1 << 16;

    char* Begin() { return FBuffer.data(); }
    // Room for the characters that start in the next Bytes bytes of the text (at most kStretch).
    void Reserve(char*& Out, std::size_t Bytes)
    {
        const std::size_t Used = static_cast<std::size_t>(Out - FBuffer.data());
        const std::size_t Need = Used + Bytes * TDerived::kMaxBytesPerByte + 2 * kMaxCharBytes;
        if (Need > FBuffer.size()) {
            FBuffer.resize(std::max(Need, FBuffer.size() + FBuffer.size() / 2));
            Out = FBuffer.data() + Used;
        }
    }
    void Double(char*& Out, unsigned Code)
    {
        if (Code == 0) [[unlikely]] {
            ++FLost;
            Code = kJisGeta;
        }
        static_cast<TDerived*>(this)->PutDouble(Out, static_cast<unsigned char>(Code >> 8), static_cast<unsigned char>(Code));
    }
    void Broken(char*& Out) { Double(Out, 0); }
    // A character of the EUC user area (IsEucUserRow), by its JIS code: kept in its row where the target
    // has the rows (JIS); TSjisWriter puts it back in the user-defined leads.
    void UserDefined(char*& Out, unsigned Code) { Double(Out, Code); }
    // A character of a double-byte run, as its two bytes lie in memory (the JIS code with kPairHigh added
    // to each byte), so that it is one store; the reader opens the run (OpenRun) before the first.
    static std::uint16_t PairForm(unsigned Jis)
    {
        const unsigned char Bytes[2] = {static_cast<unsigned char>(Jis >> 8 | TDerived::kPairHigh),
                                        static_cast<unsigned char>(Jis | TDerived::kPairHigh)};
        std::uint16_t Form;
        std::memcpy(&Form, Bytes, sizeof Form);
        return Form;
    }
    static void Pair(char*& Out, std::uint16_t Form)
    {
        std::memcpy(Out, &Form, sizeof Form);
        Out += 2;
    }
    void OpenRun(char*&) {}
    // The Count (0..8) single bytes below 0x80 at the start of the eight bytes at P; all eight are stored
    // (the room of a stretch has space to spare), so that a short run costs no branch per byte.
    void Ascii(char*& Out, const char* P, std::size_t Count)
    {
        if constexpr (TDerived::kRunsOfDouble) {
            if (Count != 0) static_cast<TDerived*>(this)->Close(Out);
        }
        std::memcpy(Out, P, 8);
        Out += Count;
    }
    std::string Finish(char* Out, std::size_t* Lost)
    {
        Reserve(Out, 0);
        static_cast<TDerived*>(this)->Close(Out);
        FBuffer.resize(static_cast<std::size_t>(Out - FBuffer.data()));
        if (Lost) *Lost = FLost;
        return std::move(FBuffer);
    }

protected:
    // Most texts grow little: start with a quarter more than the text and grow when a stretch needs it.
    explicit TWriter(std::size_t Size) : FBuffer(Size + Size / 4 + 2 * kMaxCharBytes, '\0') {}
    static void Put(char*& Out, unsigned char B1, unsigned char B2)
    {
        Out[0] = static_cast<char>(B1);
        Out[1] = static_cast<char>(B2);
        Out += 2;
    }
    static void PutEscape(char*& Out, const char (&Escape)[4])
    {
        std::memcpy(Out, Escape, 3);
        Out += 3;
    }
    void Close(char*&) {}

private:
    std::string FBuffer;
    std::size_t FLost = 0;
};

class TSjisWriter : public TWriter<TSjisWriter> {
public:
    static constexpr bool kWidensKana = false, kRunsOfDouble = false;
    static constexpr std::size_t kMaxBytesPerByte = 2;
    explicit TSjisWriter(std::size_t Size) : TWriter(Size) {}
    static void Single(char*& Out, unsigned char B) { *Out++ = static_cast<char>(B); }
    static void Kana(char*& Out, unsigned char K) { Single(Out, K); }
    static void PutDouble(char*& Out, unsigned char J1, unsigned char J2)
    {
        const TBytePair S = JisToSjisChar(J1, J2);
        Put(Out, S[0], S[1]);
    }
    // The inverse of UserAreaCode.
    static void UserDefined(char*& Out, unsigned Code)
    {
        const TBytePair S = JisToSjisChar(static_cast<unsigned char>(Code >> 8), static_cast<unsigned char>(Code));
        Put(Out, static_cast<unsigned char>(S[0] + kUserLeadShift), S[1]);
    }
};

class TEucWriter : public TWriter<TEucWriter> {
public:
    static constexpr bool kWidensKana = false, kRunsOfDouble = false, kUserArea = true;
    static constexpr unsigned char kPairHigh = 0x80;
    static constexpr std::size_t kMaxBytesPerByte = 2;
    explicit TEucWriter(std::size_t Size) : TWriter(Size) {}
    static void Single(char*& Out, unsigned char B) { *Out++ = static_cast<char>(B); }
    static void Kana(char*& Out, unsigned char K) { Put(Out, 0x8E, K); }
    static void PutDouble(char*& Out, unsigned char J1, unsigned char J2) { Put(Out, J1 | kPairHigh, J2 | kPairHigh); }
};

// JIS: double-byte characters stand in runs opened by ESC $ B and closed by ESC ( B before any single
// byte and at the end of the text.
class TJisWriter : public TWriter<TJisWriter> {
public:
    static constexpr bool kWidensKana = true, kRunsOfDouble = true, kUserArea = false;
    static constexpr unsigned char kPairHigh = 0;
    static constexpr std::size_t kMaxBytesPerByte = 5; // a kana or broken byte: ESC $ B and two bytes
    explicit TJisWriter(std::size_t Size) : TWriter(Size) {}
    void Single(char*& Out, unsigned char B)
    {
        if (B >= 0x80) [[unlikely]]
            return Broken(Out); // JIS is 7-bit
        Close(Out);
        *Out++ = static_cast<char>(B);
    }
    void PutDouble(char*& Out, unsigned char J1, unsigned char J2)
    {
        OpenRun(Out);
        Put(Out, J1, J2);
    }
    void OpenRun(char*& Out)
    {
        if (!FInRun) PutEscape(Out, "\x1B$B");
        FInRun = true;
    }
    void Close(char*& Out)
    {
        if (FInRun) PutEscape(Out, "\x1B(B");
        FInRun = false;
    }

private:
    bool FInRun = false;
};

unsigned PairCode(TBytePair P) { return static_cast<unsigned>(P[0]) << 8 | P[1]; }

// Readers: walk a text of one code and hand each character to a writer.

// JIS: ESC $ x enters double-byte mode and ESC ( x leaves it (ESC $ B and ESC $ @, ESC ( B and ESC ( J);
// every escape is three bytes, and the byte after it is read afresh (it may start the next escape). An
// escape cut off by the end of the text is dropped. In double-byte mode a byte outside 0x21..0x7E (a
// line end, a space) stands for itself and the mode stays.
template <class TOut>
std::string ReadJis(std::string_view Text, std::size_t* Lost)
{
    TOut W(Text.size());
    char* Out = W.Begin();
    const std::size_t N = Text.size();
    bool DoubleByte = false;
    for (std::size_t I = 0, Limit = 0; I < N;) {
        if (I >= Limit) {
            Limit = I + std::min(N - I, TOut::kStretch);
            W.Reserve(Out, Limit - I);
        }
        const auto B = static_cast<unsigned char>(Text[I]);
        if (B == kEsc) {
            if (N - I < 3) break;
            if (Text[I + 1] == '$') DoubleByte = true;
            else if (Text[I + 1] == '(') DoubleByte = false;
            I += 3;
        } else if (DoubleByte && IsJisByte(B)) {
            const unsigned char B2 = ByteAt(Text, I + 1);
            if (IsJisByte(B2)) {
                W.Double(Out, static_cast<unsigned>(B) << 8 | B2);
                I += 2;
            } else {
                W.Broken(Out);
                ++I;
            }
        } else {
            W.Single(Out, B);
            ++I;
        }
    }
    return W.Finish(Out, Lost);
}

// EUC: ASCII, 0x8E + half-width katakana, two bytes 0xA1..0xFE (JIS X 0208, and the user area in rows
// 85..88 and 93..94), 0x8F + two bytes (JIS X 0212, which neither JIS X 0208 nor Shift-JIS holds). 0x80 and 0xFF start nothing and stand for themselves
// (Shift-JIS has them as single bytes); anything else is a broken character that takes one byte.
template <class TOut>
std::string ReadEuc(std::string_view Text, std::size_t* Lost)
{
    TOut W(Text.size());
    char* Out = W.Begin();
    const std::size_t N = Text.size();
    for (std::size_t I = 0, Limit = 0; I < N;) {
        if (I >= Limit) {
            Limit = I + std::min(N - I, TOut::kStretch);
            W.Reserve(Out, Limit - I);
        }
        const auto B = static_cast<unsigned char>(Text[I]);
        const unsigned char B2 = ByteAt(Text, I + 1);
        if (B < 0x80 || B == 0x80 || B == 0xFF) {
            W.Single(Out, B);
            ++I;
        } else if (B == 0x8E && IsHalfKana(B2)) {
            if constexpr (TOut::kWidensKana) {
                W.Double(Out, PairCode(EucKanaToJis(Text, I)));
            } else {
                W.Kana(Out, B2);
                I += 2;
            }
        } else if (B == 0x8F && IsEucByte(B2) && IsEucByte(ByteAt(Text, I + 2))) {
            W.Broken(Out);
            I += 3;
        } else if (IsEucByte(B) && IsEucByte(B2)) {
            const unsigned Code = static_cast<unsigned>(B & 0x7F) << 8 | (B2 & 0x7F);
            if (IsEucUserRow(B & 0x7F)) W.UserDefined(Out, Code);
            else W.Double(Out, Code);
            I += 2;
        } else {
            W.Broken(Out);
            ++I;
        }
    }
    return W.Finish(Out, Lost);
}

// Shift-JIS (code page 932): ASCII, half-width katakana, lead + trail pairs. A lead byte without a trail
// byte after it and the single bytes 0x80, 0xA0, 0xFD..0xFF are broken characters that take one byte.
template <class TOut>
std::string ReadSjis(std::string_view Text, std::size_t* Lost)
{
    const std::uint16_t* const Forms = PairForms<TOut>(); // a local, so that it stays in a register
    const auto* S = reinterpret_cast<const unsigned char*>(Text.data());
    TOut W(Text.size());
    char* Out = W.Begin();
    const std::size_t N = Text.size();
    for (std::size_t I = 0, Limit = 0; I < N;) {
        if (I >= Limit) {
            Limit = I + std::min(N - I, TOut::kStretch);
            W.Reserve(Out, Limit - I);
        }
        if (I + 8 <= Limit) {
            // ASCII comes in short runs (words, line ends) between the double-byte ones: take the bytes
            // below 0x80 of the next eight at once; the rest of the eight starts with a high byte.
            const std::size_t Count = AsciiPrefix(Text.data() + I);
            W.Ascii(Out, Text.data() + I, Count);
            I += Count;
            if (Count == 8) continue;
        }
        const auto B = static_cast<unsigned char>(Text[I]);
        const unsigned char B2 = ByteAt(Text, I + 1);
        if (B < 0x80) {
            W.Single(Out, B);
            ++I;
        } else if (std::uint16_t Form = I + 1 < N ? Forms[B | B2 << 8] : 0) {
            // Japanese text is mostly runs of double-byte characters: go through a run in one loop, two
            // characters a step while both are pairs, then one.
            W.OpenRun(Out);
            W.Pair(Out, Form);
            I += 2;
            while (I + 3 < Limit) {
                std::uint32_t Four;
                std::memcpy(&Four, S + I, sizeof Four);
                const std::uint16_t F1 = Forms[Four & 0xFFFF], F2 = Forms[Four >> 16];
                if (F1 == 0 || F2 == 0) break;
                W.Pair(Out, F1);
                W.Pair(Out, F2);
                I += 4;
            }
            while (I + 1 < Limit && (Form = Forms[S[I] | S[I + 1] << 8]) != 0) {
                W.Pair(Out, Form);
                I += 2;
            }
        } else if (IsHalfKana(B)) {
            if constexpr (TOut::kWidensKana) {
                W.Double(Out, PairCode(SjisKanaToJis(Text, I)));
            } else {
                W.Kana(Out, B);
                ++I;
            }
        } else if (IsSjisLeadByte(B) && IsSjisTrailByte(B2) && I + 1 < N) {
            // A pair without a form (WrittenCode found no place for it): one character, lost.
            W.Broken(Out);
            I += 2;
        } else {
            W.Broken(Out);
            ++I;
        }
    }
    return W.Finish(Out, Lost);
}

// Whether the byte-wise scan of DetectCharCode can pass over the eight bytes of Word: all are plain
// single bytes (0x08..0x7F) and none is ESC.
bool PlainWord(std::uint64_t Word)
{
    constexpr std::uint64_t Ones = 0x0101010101010101ULL, Highs = 0x8080808080808080ULL;
    const std::uint64_t Below8 = (Word - Ones * 0x08) & ~Word & Highs;
    const std::uint64_t Esc = Word ^ (Ones * kEsc);
    const std::uint64_t IsEsc = (Esc - Ones) & ~Esc & Highs;
    return ((Word & Highs) | Below8 | IsEsc) == 0;
}

// Whether all eight bytes of Word lie in 0xA1..0xDF: four pairs that both EUC and Shift-JIS use (kana in
// either), which leave an undecided result undecided.
bool SharedPairsWord(std::uint64_t Word)
{
    constexpr std::uint64_t Ones = 0x0101010101010101ULL, Highs = 0x8080808080808080ULL;
    const std::uint64_t T = Word ^ Highs; // 0x21..0x5F for the bytes wanted, each below 0x80
    return ((T | (T + Ones * 0x20)) & Highs) == 0 && ((T + Ones * 0x5F) & Highs) == Highs;
}

} // namespace

TBytePair SjisKanaToJis(std::string_view Text, std::size_t& Pos)
{
    const unsigned char K = ByteAt(Text, Pos);
    ++Pos;
    if (!IsHalfKana(K)) return {0, 0};
    bool Merged = false;
    const unsigned Code = WidenKana(K, ByteAt(Text, Pos), &Merged);
    if (Merged) ++Pos;
    return ToPair(Code);
}

TBytePair EucKanaToJis(std::string_view Text, std::size_t& Pos)
{
    const unsigned char K = ByteAt(Text, Pos + 1);
    if (ByteAt(Text, Pos) != 0x8E || !IsHalfKana(K)) {
        ++Pos;
        return {0, 0};
    }
    Pos += 2;
    bool Merged = false;
    const unsigned char Mark = ByteAt(Text, Pos) == 0x8E ? ByteAt(Text, Pos + 1) : 0;
    const unsigned Code = WidenKana(K, Mark, &Merged);
    if (Merged) Pos += 2;
    return ToPair(Code);
}

int DetectCharCode(std::string_view Text)
{
    const std::size_t L = Text.size();
    if (L < 2) return dcAscii; // the last byte is never examined
    const auto At = [&](std::size_t I) { return ByteAt(Text, I); };

    // Binary pass over the head of the text.
    const std::size_t Head = std::min<std::size_t>(512, L - 1);
    for (std::size_t I = 0; I < Head; ++I) {
        const unsigned char B = At(I);
        if (B < 0x08 || B == 0xFF) return dcBinary;
    }

    // Main pass: the first decisive byte wins; "either" stays only when the text ends before one.
    int R = dcAscii;
    std::size_t I = 0;
    while (R == dcAscii || R == dcEucOrSjis) {
        // Plain ASCII, and kana-range pairs while undecided, go eight bytes at a time; the last byte of
        // the text stays unexamined (as a first byte).
        while (I + 8 < L && PlainWord(LoadWord(Text.data() + I))) I += 8;
        if (R == dcEucOrSjis)
            while (I + 8 <= L && SharedPairsWord(LoadWord(Text.data() + I))) I += 8;
        if (I + 1 >= L) break;
        const unsigned char B = At(I);
        if (B == kEsc) {
            ++I;
            if (At(I) == '$') {
                ++I;
                if (At(I) == 'B') R = dcJis;
                else if (At(I) == '@') R = dcOldJis;
            }
        } else if (B < 0x08 || B == 0xFF) {
            R = dcBinary;
        } else if (B <= 0x7F || B == 0x80 || B == 0xA0) {
            // nothing
        } else if ((B >= 0x81 && B <= 0x8D) || (B >= 0x8F && B <= 0x9F)) {
            R = dcSjis;
        } else if (B == 0x8E) {
            const unsigned char C = At(++I);
            if ((C >= 0x40 && C <= 0x7E) || (C >= 0x80 && C <= 0xA0) || (C >= 0xE0 && C <= 0xFC)) R = dcSjis;
            else if (C >= 0xA1 && C <= 0xDF) R = dcEucOrSjis;
        } else if (B >= 0xA1 && B <= 0xDF) {
            const unsigned char C = At(++I);
            if (C >= 0xF0 && C <= 0xFE) R = dcEuc;
            else if (C >= 0xA1 && C <= 0xDF) R = dcEucOrSjis;
            else if (C <= 0x9F) R = dcSjis;
            else if (C >= 0xE0 && C <= 0xEF) {
                // A run of bytes from 0x40 up decides when it holds a byte only one of the codes uses.
                R = dcEucOrSjis;
                while (I < L && At(I) >= 0x40 && R == dcEucOrSjis) {
                    const unsigned char D = At(I);
                    if ((D >= 0x81 && D <= 0x8D) || (D >= 0x8F && D <= 0x9C)) R = dcSjis;
                    else if (D == 0xFD || D == 0xFE) R = dcEuc;
                    ++I;
                }
            }
        } else if (B == 0xFD || B == 0xFE) {
            R = dcEuc;
        } else { // 0xE0..0xFC
            const unsigned char C = At(++I);
            if ((C >= 0x40 && C <= 0x7E) || (C >= 0x80 && C <= 0xA0)) R = dcSjis;
            else if (C == 0xFD || C == 0xFE) R = dcEuc;
            else if (C >= 0xA1 && C <= 0xFC) R = dcEucOrSjis;
        }
        ++I;
    }
    return R;
}

std::string JisToEuc(std::string_view Text, std::size_t* Lost) { return ReadJis<TEucWriter>(Text, Lost); }
std::string JisToSjis(std::string_view Text, std::size_t* Lost) { return ReadJis<TSjisWriter>(Text, Lost); }
std::string EucToJis(std::string_view Text, std::size_t* Lost) { return ReadEuc<TJisWriter>(Text, Lost); }
std::string EucToSjis(std::string_view Text, std::size_t* Lost) { return ReadEuc<TSjisWriter>(Text, Lost); }
std::string SjisToJis(std::string_view Text, std::size_t* Lost) { return ReadSjis<TJisWriter>(Text, Lost); }
std::string SjisToEuc(std::string_view Text, std::size_t* Lost) { return ReadSjis<TEucWriter>(Text, Lost); }

std::string ConvertCharCode(std::string_view Text, int Source, int Target, std::size_t* Lost)
{
    if (Lost) *Lost = 0;
    // Every other pair (plain ASCII, binary, undecided, same code, old JIS to JIS) keeps the text as it is.
    const bool FromJis = Source == dcJis || Source == dcOldJis;
    if (Target == dcJis && Source == dcEuc) return EucToJis(Text, Lost);
    if (Target == dcJis && Source == dcSjis) return SjisToJis(Text, Lost);
    if (Target == dcEuc && FromJis) return JisToEuc(Text, Lost);
    if (Target == dcEuc && Source == dcSjis) return SjisToEuc(Text, Lost);
    if (Target == dcSjis && FromJis) return JisToSjis(Text, Lost);
    if (Target == dcSjis && Source == dcEuc) return EucToSjis(Text, Lost);
    return std::string(Text);
}

std::string ConvertCharCodeAuto(std::string_view Text, int Target, std::size_t* Lost)
{
    return ConvertCharCode(Text, DetectCharCode(Text), Target, Lost);
}

} // namespace qx
