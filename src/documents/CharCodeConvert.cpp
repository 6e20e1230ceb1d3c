#include "documents/CharCodeConvert.h"

#include "platform/ByteScan.h"
#include "platform/Cp932.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qx {
namespace {

constexpr unsigned char kEsc = 0x1B;
// The bytes a block step of a reader takes at once (see LeadsOfBlock).
constexpr std::size_t kBlock = 64;

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

// The JIS code (both bytes 0x21..0x7E) that each IBM extension (lead 0xFA..0xFC) is written as in JIS and
// in EUC: the JIS form of the code page's lowest code below lead 0xF0 for the same character (its
// NEC-selected or NEC row 13 form), found through the codec; 0 for a code without one. A table of 3 x 256
// codes, built when first needed.
class TIbmExtensionCodes {
public:
    TIbmExtensionCodes()
    {
        // The characters of the IBM extensions, each with the lowest code below lead 0xF0 that has it. The
        // bit set of those characters spares the search for the codes whose character is none of them.
        std::vector<std::pair<int, unsigned>> Lowest;
        std::vector<bool> IsIbm(0x10000);
        ForEachPair(0xFA, 0xFC, [&](unsigned, int Ch) {
            Lowest.emplace_back(Ch, 0);
            IsIbm[static_cast<std::size_t>(Ch)] = true;
        });
        std::sort(Lowest.begin(), Lowest.end());
        const auto Find = [&](int Ch) {
            const auto It = std::lower_bound(Lowest.begin(), Lowest.end(), std::pair<int, unsigned>(Ch, 0));
            return It != Lowest.end() && It->first == Ch ? &*It : nullptr;
        };
        ForEachPair(0x81, 0xEF, [&](unsigned Code, int Ch) {
            if (!IsIbm[static_cast<std::size_t>(Ch)]) return;
            if (auto* Entry = Find(Ch); Entry->second == 0) Entry->second = Code; // ascending: the lowest
        });
        ForEachPair(0xFA, 0xFC, [&](unsigned Code, int Ch) {
            if (const unsigned Form = Find(Ch)->second; Form != 0) {
                const TBytePair J = SjisToJisChar(static_cast<unsigned char>(Form >> 8), static_cast<unsigned char>(Form));
                FCode[(Code >> 8) - 0xFA][Code & 0xFF] = static_cast<std::uint16_t>(J[0] << 8 | J[1]);
            }
        });
    }
    unsigned Code(unsigned char S1, unsigned char S2) const { return FCode[S1 - 0xFA][S2]; }

private:
    // Every defined code of the leads First..Last, ascending, with its character.
    template <class TVisit>
    static void ForEachPair(unsigned First, unsigned Last, TVisit Visit)
    {
        for (unsigned S1 = First; S1 <= Last; ++S1)
            for (unsigned S2 = 0x40; S2 <= 0xFC; ++S2)
                if (const int Ch = Cp932CodeToUnicode(S1 << 8 | S2); Ch >= 0) Visit(S1 << 8 | S2, Ch);
    }

    std::uint16_t FCode[3][256] = {};
};

// The user area of JIS and EUC: rows 85..88 and 93..94 hold the user-defined characters of leads 0xF0,
// 0xF1 and 0xF4, laid out as the undefined leads 0xEB, 0xEC and 0xEF would be by the arithmetic (0xF040
// <-> row 85 cell 1, EUC 0xF5A1, JIS 0x7521); rows 89..92 between them belong to the NEC-selected IBM
// extensions (leads 0xED, 0xEE).
constexpr unsigned char kUserLeadShift = 0xF0 - 0xEB;
constexpr bool IsEucUserRow(unsigned char J1) { return (J1 >= 0x75 && J1 <= 0x78) || J1 == 0x7D || J1 == 0x7E; }

// The place of a user-defined character (lead 0xF0..0xF9) in the user area; 0 when there is none.
unsigned UserAreaCode(unsigned char S1, unsigned char S2)
{
    if (S1 == 0xF2 || S1 == 0xF3 || S1 > 0xF4) return 0;
    const TBytePair J = SjisToJisChar(static_cast<unsigned char>(S1 - kUserLeadShift), S2);
    return static_cast<unsigned>(J[0]) << 8 | J[1];
}

// The JIS code (both bytes 0x21..0x7E) a writer gives the Shift-JIS pair (S1, S2); 0 for a byte pair
// that is no character and for a character without a place. Leads 0x81..0x9F and 0xE0..0xEF go by the
// JIS X 0208 arithmetic, the IBM extensions by TIbmExtensionCodes, the user-defined characters to their
// user-area place. The arithmetic codes of the undefined leads 0xEB, 0xEC and 0xEF (no characters) would
// land in the user area and read back as user-defined characters: they have no place.
unsigned WrittenCode(unsigned char S1, unsigned char S2)
{
    if (!IsSjisPair(S1, S2)) return 0;
    if (S1 >= 0xF0 && S1 <= 0xF9) return UserAreaCode(S1, S2);
    if (S1 >= 0xFA) {
        static const TIbmExtensionCodes Ibm;
        return Ibm.Code(S1, S2);
    }
    const TBytePair J = SjisToJisChar(S1, S2);
    return IsEucUserRow(J[0]) ? 0 : static_cast<unsigned>(J[0]) << 8 | J[1];
}

#include "documents/CharCodeConvertX0212.inc"

// The code page 932 code of a JIS X 0212 character; 0 when the code page has none.
unsigned X0212ToCp932(unsigned Code)
{
    const auto* const End = std::end(kX0212ToCp932);
    const auto* const It = std::lower_bound(std::begin(kX0212ToCp932), End, Code,
                                            [](const std::uint16_t(&Entry)[2], unsigned C) { return Entry[0] < C; });
    return It != End && (*It)[0] == Code ? (*It)[1] : 0;
}

// A table of the forms of pairs (what a writer writes for each, as the two bytes lie in memory), indexed
// by the pair's two bytes as they lie in memory. Kept in static storage, which the program starts with
// cleared, so that building one writes only its entries (one from the heap was cleared first).
class TPairForms {
public:
    template <class TFill>
    explicit TPairForms(TFill Fill)
    {
        Fill(FForm);
    }
    const std::uint16_t* Forms() const { return FForm; }

private:
    std::uint16_t FForm[0x10000];
};

// What each Shift-JIS pair is written as by writer TOut (the PairForm of its WrittenCode), indexed by the two bytes as they lie in
// memory (lead | trail << 8: one load of two bytes, or half of one of four); 0 for a pair the reader must
// look at more closely. One look-up per character in the double-byte runs.
template <class TOut>
const std::uint16_t* PairForms()
{
    static_assert(std::endian::native == std::endian::little, "the lead byte is the low half of the index");
    static const TPairForms Forms([](std::uint16_t* F) {
        for (unsigned S1 = 0x81; S1 <= 0xFC; ++S1) {
            for (unsigned S2 = 0x40; S2 <= 0xFC; ++S2) {
                const unsigned Code = WrittenCode(static_cast<unsigned char>(S1), static_cast<unsigned char>(S2));
                if (Code != 0) F[S1 | S2 << 8] = TOut::PairForm(Code);
            }
        }
    });
    return Forms.Forms();
}

// Writers: what a converter emits for each character its reader finds. Single takes a byte that stands
// for itself, Kana a half-width katakana byte, Double a JIS code with both bytes in 0x21..0x7E, where 0
// (no character) and Broken write the geta mark and count a lost character.
//
// The write position is the reader's local `Out`, passed to each call, so that it stays in a register
// (a position kept in the writer would be reloaded after every byte stored). The reader goes through the
// text in stretches of at most kStretch bytes: a character writes at most kMaxBytesPerByte bytes for each
// byte it reads (kMaxCharBytes at most in all; a block step that starts in a stretch may run kBlock + 1
// bytes past its end and store 3 * kBlock more), so a stretch fits the writer's small stage, which stays
// in the first-level cache and is appended to the result after each stretch. The result is reserved,
// never cleared first: each of its bytes is written once.
template <class TDerived>
class TWriter {
public:
    static constexpr std::size_t kMaxCharBytes = 8, kStretch = 2048;

    char* Begin() { return FStage; }
    // Room for the characters that start in the next Bytes bytes of the text (at most kStretch): the
    // stage, emptied into the result.
    char* Reserve(char* Out, std::size_t Bytes)
    {
        static_assert(kStretch * TDerived::kMaxBytesPerByte + 2 * kMaxCharBytes + 4 * kBlock <= kStageBytes);
        (void)Bytes;
        FResult.append(FStage, static_cast<std::size_t>(Out - FStage));
        return FStage;
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
    // A JIS X 0208 character as JIS and EUC hold it (both bytes 0x21..0x7E): the user area (IsEucUserRow)
    // goes to UserDefined, everything else to Double.
    void Jis0208(char*& Out, unsigned Code)
    {
        auto* const Self = static_cast<TDerived*>(this);
        if (IsEucUserRow(static_cast<unsigned char>(Code >> 8))) Self->UserDefined(Out, Code);
        else Self->Double(Out, Code);
    }
    // A character of the user area, by its JIS code: JIS and EUC keep it in its row; TSjisWriter puts it
    // back in the user-defined leads.
    void UserDefined(char*& Out, unsigned Code) { Double(Out, Code); }
    // A character by its code page 932 code (a JIS X 0212 character that the code page holds), written as
    // a Shift-JIS text's pair would be; 0 (none) writes the geta mark and counts a lost character.
    void Cp932Char(char*& Out, unsigned Code)
    {
        const std::uint16_t Form = Code == 0 ? 0 : PairForms<TDerived>()[(Code >> 8) | (Code & 0xFF) << 8];
        if (Form == 0) return Broken(Out);
        static_cast<TDerived*>(this)->OpenRun(Out);
        Pair(Out, Form);
    }
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
    // The Count (0..kWidth) single bytes below 0x80 at the start of the kWidth bytes at P; all are stored
    // (the room of a stretch has space to spare), so that a short run costs no branch per byte.
    template <std::size_t kWidth = 8>
    void Ascii(char*& Out, const char* P, std::size_t Count)
    {
        static_assert(kWidth <= kMaxCharBytes * 2);
        if constexpr (TDerived::kRunsOfDouble) {
            if (Count != 0) static_cast<TDerived*>(this)->Close(Out);
        }
        std::memcpy(Out, P, kWidth);
        Out += Count;
    }
    std::string Finish(char* Out, std::size_t* Lost)
    {
        static_cast<TDerived*>(this)->Close(Out); // the room a stretch leaves over holds the closing escape
        Reserve(Out, 0);
        if (Lost) *Lost = FLost;
        return std::move(FResult);
    }

protected:
    // Most texts grow little: room for a quarter more than the text, and the result grows when it needs.
    explicit TWriter(std::size_t Size) { FResult.reserve(Size + Size / 4); }
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
    static constexpr std::size_t kStageBytes = 16384;
    std::string FResult;
    std::size_t FLost = 0;
    char FStage[kStageBytes];
};

class TSjisWriter : public TWriter<TSjisWriter> {
public:
    static constexpr bool kWidensKana = false, kRunsOfDouble = false;
    static constexpr std::size_t kMaxBytesPerByte = 2;
    explicit TSjisWriter(std::size_t Size) : TWriter(Size) {}
    void Cp932Char(char*& Out, unsigned Code)
    {
        if (Code == 0) return Broken(Out);
        Put(Out, static_cast<unsigned char>(Code >> 8), static_cast<unsigned char>(Code));
    }
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
    static constexpr bool kWidensKana = false, kRunsOfDouble = false;
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
    static constexpr bool kWidensKana = true, kRunsOfDouble = true;
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

// Readers: walk a text of one code and hand each character to a writer.

// What the bytes 0x21..0x7E of a JIS text stand for, as the escape sequences choose.
enum class TJisSet { Ascii, Kana, X0208, X0212 };

struct TJisEscape {
    std::string_view Bytes;
    TJisSet Set;
};

// The escapes JIS texts use: ASCII (and JIS X 0201 Roman, read as ASCII), half-width katakana as
// nkf -x and iconv write them, JIS X 0208 (the 1978 and 1983 forms, short and long), JIS X 0212.
constexpr TJisEscape kJisEscapes[] = {
    {"\x1B(B", TJisSet::Ascii},  {"\x1B(J", TJisSet::Ascii},   {"\x1B(I", TJisSet::Kana},
    {"\x1B$B", TJisSet::X0208},  {"\x1B$@", TJisSet::X0208},   {"\x1B$(B", TJisSet::X0208},
    {"\x1B$(@", TJisSet::X0208}, {"\x1B$(D", TJisSet::X0212},
};

// The escape that Rest (which starts with ESC) starts with; null when it starts none. *Cut tells whether
// Rest is the start of one, cut off by the end of the text.
const TJisEscape* FindJisEscape(std::string_view Rest, bool* Cut)
{
    *Cut = false;
    for (const TJisEscape& E : kJisEscapes) {
        if (Rest.starts_with(E.Bytes)) return &E;
        *Cut = *Cut || E.Bytes.starts_with(Rest);
    }
    return nullptr;
}

constexpr unsigned char kShiftOut = 0x0E, kShiftIn = 0x0F;

// The index in a table of pair forms of the two bytes at P, one load: the lead byte is the low half.
inline unsigned PairIndex(const unsigned char* P)
{
    std::uint16_t Two;
    std::memcpy(&Two, P, sizeof Two);
    return Two;
}

// Writes the run of pairs at S[I] whose first has the form Form (Forms: the writer's two bytes of each
// pair, indexed by the two bytes as they lie in memory, the lead byte the low half), two pairs a step;
// I ends after the run, or at Limit. Both forms of a step are stored and the step's length is counted
// from them, so that the run costs one branch that the processor cannot foresee, at its end. Inlined
// into each reader, so that Out and I stay in its registers.
template <class TOut>
[[gnu::always_inline]] inline void WritePairRun(TOut& W, char*& Out, const std::uint16_t* Forms, const unsigned char* S,
                                                std::size_t& I, std::size_t Limit, std::uint16_t Form)
{
    W.Pair(Out, Form);
    I += 2;
    for (std::size_t Step = 4; Step == 4 && I + 3 < Limit;) {
        std::uint32_t Four;
        std::memcpy(&Four, S + I, sizeof Four);
        const std::uint16_t F1 = Forms[Four & 0xFFFF], F2 = Forms[Four >> 16];
        W.Pair(Out, F1);
        W.Pair(Out, F2);
        Step = F1 == 0 ? 0 : F2 == 0 ? 2 : 4;
        Out -= 4 - Step;
        I += Step;
    }
    while (I + 1 < Limit && (Form = Forms[S[I] | S[I + 1] << 8]) != 0) {
        W.Pair(Out, Form);
        I += 2;
    }
}

// Block steps: where the writer gives each pair two bytes and each ASCII byte itself (TSjisWriter,
// TEucWriter), the text keeps its length, so that a reader can take 64 bytes at once: find the pairs in
// them by their bytes' classes, copy the block and store each pair's form over its place; a half-width
// katakana, whose length changes, moves the rest of the block. The steps stop before the first character
// that is none of these (a byte that starts nothing, a pair without a form), which the reader takes on
// its own; so a text comes out as it would character by character, and the rare cases stay in one place.
// (kBlock is defined at the top.)

// The first bytes of the pairs among 64 bytes that start at a character boundary, given the bytes that
// can open a pair (LeadRange). A run of such bytes alternates lead and trail from its first byte (the
// byte before the run is no lead, so the run starts at a boundary); a trail may be a byte of any class.
constexpr std::uint64_t LeadsOfBlock(std::uint64_t LeadRange)
{
    constexpr std::uint64_t Even = 0x5555555555555555ULL;
    const std::uint64_t Starts = LeadRange & ~(LeadRange << 1);
    // Adding the first bit of each run that starts at an even place carries through that run and clears
    // it: what is left are the runs that start at an odd place.
    const std::uint64_t OddRuns = (LeadRange + (Starts & Even)) & LeadRange;
    return (LeadRange & ~OddRuns & Even) | (OddRuns & ~Even);
}

// The bits below Count (at most 64).
constexpr std::uint64_t BitsBelow(std::size_t Count) { return Count >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << Count) - 1; }

// How the block steps tell the bytes of Shift-JIS and EUC: the bytes that can open a pair, and where the
// half-width katakana start (kKanaPrefix bytes before the katakana byte itself).
struct TSjisBytes {
    static constexpr std::size_t kKanaPrefix = 0;
    static std::uint64_t LeadRange(const char* P) { return BytesInRange64(P, 0xA1, 0xDC, 0x20); } // 0x81..0x9F, 0xE0..0xFC
    // Some of them trail bytes (PairBlock leaves those out).
    static std::uint64_t KanaStarts(const char* P) { return BytesInRange64(P, 0xA1, 0xDF); }
};
struct TEucBytes {
    static constexpr std::size_t kKanaPrefix = 1;
    static std::uint64_t LeadRange(const char* P) { return BytesInRange64(P, 0xA1, 0xFE); }
    // Every 0x8E (WriteBlock stops at one that no katakana follows) but the last byte's, whose katakana
    // would end past the block: there the step stops.
    static std::uint64_t KanaStarts(const char* P) { return BytesInRange64(P, 0x8E, 0x8E) & ~(std::uint64_t{1} << 63); }
};
// What a block step may read from where it starts: its kBlock bytes, the pair or katakana that may end
// past them, and the block again after the last katakana.
constexpr std::size_t kBlockReach = 2 * kBlock + 2;

// WriteBlock's walk through its pairs and katakana (Events, Kana those among them).
template <class TIn, bool kWithKana, class TOut>
[[gnu::always_inline]] inline std::size_t WriteBlockEvents(TOut& W, char*& Out, const unsigned char* S, std::size_t Count,
                                                           std::uint64_t Events, std::uint64_t Kana, const std::uint16_t* Forms)
{
    char* Base = Out; // where byte 0 would be written: each katakana moves it by what it adds or takes
    std::size_t Done = Count;
    for (std::uint64_t Todo = Events & BitsBelow(Count); Todo != 0; Todo &= Todo - 1) {
        const auto K = static_cast<std::size_t>(std::countr_zero(Todo));
        if (kWithKana && (Kana >> K & 1) != 0) {
            constexpr std::size_t Next = TIn::kKanaPrefix + 1; // the byte after the katakana, from its start
            if (!IsHalfKana(S[K + TIn::kKanaPrefix])) {
                Done = K;
                break;
            }
            char* P = Base + K;
            W.Kana(P, S[K + TIn::kKanaPrefix]);
            Base = P - K - Next;
            std::memcpy(Base + K + Next, S + K + Next, kBlock);
            continue;
        }
        const std::uint16_t Form = Forms[PairIndex(S + K)];
        if (Form == 0) {
            Done = K;
            break;
        }
        std::memcpy(Base + K, &Form, sizeof Form);
    }
    Out = Base + Done;
    return Done;
}

// Writes the Count (at most kBlock + 1) bytes at S to Out, each pair whose lead has its bit in Leads as its
// form (Forms as in WritePairRun) and each half-width katakana whose first byte has its bit in Kana as
// the writer writes it (after which the rest of the block is copied again to its new place); returns
// Count, or the place of the first pair without a form or of a Kana bit without a katakana (an 0x8E before
// something else), the bytes before it written, and moves Out past what it wrote. Reads at most
// kBlockReach bytes at S; stores up to 3 * kBlock bytes at Out.
template <class TIn, class TOut>
[[gnu::always_inline]] inline std::size_t WriteBlock(TOut& W, char*& Out, const unsigned char* S, std::size_t Count,
                                                     std::uint64_t Leads, std::uint64_t Kana, const std::uint16_t* Forms)
{
    std::memcpy(Out, S, kBlock);
    // Most blocks hold no katakana: theirs is the loop without the test for one at each pair.
    return Kana == 0 ? WriteBlockEvents<TIn, false>(W, Out, S, Count, Leads, 0, Forms)
                     : WriteBlockEvents<TIn, true>(W, Out, S, Count, Leads | Kana, Kana, Forms);
}

// The pairs and half-width katakana of a block step (S has kBlockReach readable bytes): the first bytes
// of each, and Count, the bytes before the first other byte from 0x80 up (a byte that starts nothing), or
// kBlock, or kBlock + 1 when a pair opens at the last byte.
struct TBlockBytes {
    std::uint64_t Leads, Kana, LeadRange; // LeadRange: every byte that could open a pair
    std::size_t Count;
};
template <class TIn>
[[gnu::always_inline]] inline TBlockBytes BlockBytes(const unsigned char* S)
{
    const char* const P = reinterpret_cast<const char*>(S);
    const std::uint64_t KanaStarts = TIn::KanaStarts(P), LeadRange = TIn::LeadRange(P);
    // An EUC katakana byte after its 0x8E opens no pair.
    const std::uint64_t Leads = LeadsOfBlock(LeadRange & ~(KanaStarts << TIn::kKanaPrefix));
    const std::uint64_t Kana = KanaStarts & ~(Leads << 1);
    const std::uint64_t Alone = HighBytes64(P) & ~(Leads | Leads << 1 | Kana | Kana << TIn::kKanaPrefix);
    return {Leads, Kana, LeadRange, Alone != 0 ? static_cast<std::size_t>(std::countr_zero(Alone)) : kBlock + (Leads >> 63)};
}

#if defined(__SSE2__)
// The sixteen bytes that hold the bits of Bits: 0xFF where the bit is set.
inline __m128i ExpandBits16(unsigned Bits)
{
    __m128i V = _mm_cvtsi32_si128(static_cast<int>(Bits));
    V = _mm_unpacklo_epi8(V, V);  // b0 b0 b1 b1
    V = _mm_unpacklo_epi16(V, V); // b0 x4, b1 x4
    V = _mm_unpacklo_epi32(V, V); // b0 x8, b1 x8
    const __m128i Bit = _mm_set_epi8(-128, 64, 32, 16, 8, 4, 2, 1, -128, 64, 32, 16, 8, 4, 2, 1);
    return _mm_cmpeq_epi8(_mm_and_si128(V, Bit), Bit);
}

inline __m128i Select(__m128i Mask, __m128i IfSet, __m128i Else)
{
    return _mm_or_si128(_mm_and_si128(Mask, IfSet), _mm_andnot_si128(Mask, Else));
}

// EUC to Shift-JIS sixteen bytes at a time: V the bytes, Before the byte before each (for a trail, its
// lead), Leads and Trails which of them open and close a pair (both bytes 0xA1..0xFE); the other bytes
// stay. Every EUC pair has a Shift-JIS form (JisToSjisChar, the user area moved to the user-defined
// leads), so that the pairs are plain arithmetic: no look-up and no branch per pair, whose ends the
// processor could not foresee.
inline __m128i EucPairsToSjis16(__m128i V, __m128i Before, __m128i Leads, __m128i Trails)
{
    // Signed compares: every byte compared below is 0xA1..0xFE in a pair, so its order is kept.
    const auto AtLeast = [](__m128i X, int B) { return _mm_cmpgt_epi8(X, _mm_set1_epi8(static_cast<char>(B - 1))); };
    // Lead: (C1 + 1) / 2 + 0x30, 0x40 more from row 0x5F (0xDF), kUserLeadShift more in the user rows
    // (0xF5..0xF8, 0xFD..0xFE).
    const __m128i User = _mm_andnot_si128(AtLeast(V, 0xF9), AtLeast(V, 0xF5));
    __m128i Lead = _mm_add_epi8(_mm_avg_epu8(V, _mm_setzero_si128()), _mm_set1_epi8(0x30));
    Lead = _mm_add_epi8(Lead, _mm_and_si128(AtLeast(V, 0xDF), _mm_set1_epi8(0x40)));
    Lead = _mm_add_epi8(Lead, _mm_and_si128(_mm_or_si128(User, AtLeast(V, 0xFD)), _mm_set1_epi8(kUserLeadShift)));
    // Trail: C2 - 0x61 after an odd lead (0x60 from 0xE0), C2 - 2 after an even one.
    const __m128i Odd = _mm_cmpeq_epi8(_mm_and_si128(Before, _mm_set1_epi8(1)), _mm_set1_epi8(1));
    const __m128i OddDown = _mm_add_epi8(_mm_set1_epi8(0x61), AtLeast(V, 0xE0)); // the compare's -1
    const __m128i Trail = _mm_sub_epi8(V, Select(Odd, OddDown, _mm_set1_epi8(2)));
    return Select(Leads, Lead, Select(Trails, Trail, V));
}

// A block step of EUC for TSjisWriter: as PairBlock, the pairs converted sixteen bytes at a time.
inline std::size_t EucBlockToSjis(char*& Out, const unsigned char* S, const std::uint16_t* Forms)
{
    const char* const P = reinterpret_cast<const char*>(S);
    const auto [Leads, Kana, LeadRange, BlockCount] = BlockBytes<TEucBytes>(S);
    // A lead before a byte outside 0xA1..0xFE (the last one's is past the block) is a broken character,
    // which the reader takes on its own: the step stops before it.
    const std::uint64_t Broken = Leads & ~(LeadRange >> 1 | std::uint64_t{IsEucByte(S[kBlock])} << 63);
    std::size_t Count = BlockCount;
    if (Broken != 0) Count = std::min(Count, static_cast<std::size_t>(std::countr_zero(Broken)));
    const std::uint64_t Trails = Leads << 1;
    // Without katakana the block is written in its place; with them, first to Converted, from which the
    // pieces between them are copied.
    alignas(16) char Converted[2 * kBlock + 16];
    const std::uint64_t KanaHere = Kana & BitsBelow(Count);
    char* const To = KanaHere == 0 ? Out : Converted;
    __m128i Previous = _mm_setzero_si128();
    for (int I = 0; I < 4; ++I) {
        const __m128i V = _mm_loadu_si128(reinterpret_cast<const __m128i*>(P) + I);
        // The byte before each: the last of the previous sixteen shifted in (the block's first byte is no trail).
        const __m128i Before = _mm_or_si128(_mm_slli_si128(V, 1), _mm_srli_si128(Previous, 15));
        Previous = V;
        const auto Bits = [I](std::uint64_t M) { return static_cast<unsigned>(M >> (16 * I)) & 0xFFFFu; };
        _mm_storeu_si128(reinterpret_cast<__m128i*>(To) + I,
                         EucPairsToSjis16(V, Before, ExpandBits16(Bits(Leads)), ExpandBits16(Bits(Trails))));
    }
    if (Leads >> 63 != 0) std::memcpy(To + kBlock - 1, &Forms[PairIndex(S + kBlock - 1)], 2); // ends past the block
    if (KanaHere == 0) {
        Out += Count;
        return Count;
    }
    // Each katakana drops its 0x8E: the rest of the block is copied again one byte nearer.
    std::memcpy(Out, Converted, kBlock + 1);
    std::size_t Dropped = 0;
    for (std::uint64_t Todo = KanaHere; Todo != 0; Todo &= Todo - 1) {
        const auto K = static_cast<std::size_t>(std::countr_zero(Todo));
        if (!IsHalfKana(S[K + 1])) {
            Count = K;
            break;
        }
        ++Dropped;
        std::memcpy(Out + K + 1 - Dropped, Converted + K + 1, kBlock);
    }
    Out += Count - Dropped;
    return Count;
}
#endif

// A block step of Shift-JIS or EUC (TIn) for a writer that keeps the length of pairs and ASCII (S has
// kBlockReach readable bytes): ASCII, pairs and half-width katakana up to the first other byte from 0x80
// up that is in none of them (a byte that starts nothing; a pair without a form stops WriteBlock).
// Returns the bytes done and moves Out past what it wrote.
template <class TIn, class TOut>
[[gnu::always_inline]] inline std::size_t PairBlock(TOut& W, char*& Out, const unsigned char* S, const std::uint16_t* Forms)
{
    const TBlockBytes B = BlockBytes<TIn>(S);
    return WriteBlock<TIn>(W, Out, S, B.Count, B.Leads, B.Kana, Forms);
}

// The bytes a writer without runs of double-byte characters writes for each EUC pair (both bytes
// 0xA1..0xFE), as they lie in memory, the lead byte the low half of the index. The writer itself fills
// the table, so that a run of pairs comes out as one character at a time would.
template <class TOut>
const std::uint16_t* EucPairForms()
{
    static const TPairForms Forms([](std::uint16_t* F) {
        TOut W(2);
        for (unsigned B1 = 0xA1; B1 <= 0xFE; ++B1) {
            for (unsigned B2 = 0xA1; B2 <= 0xFE; ++B2) {
                char* Out = W.Begin();
                W.Jis0208(Out, (B1 & 0x7F) << 8 | (B2 & 0x7F));
                if (Out - W.Begin() == 2) std::memcpy(&F[B1 | B2 << 8], W.Begin(), 2);
            }
        }
    });
    return Forms.Forms();
}

// The same for the JIS X 0208 pairs of a JIS text (both bytes 0x21..0x7E, the EUC pairs without their
// high bits); 0 for any other two bytes.
template <class TOut>
const std::uint16_t* JisPairForms()
{
    static const TPairForms Forms([](std::uint16_t* F) {
        const std::uint16_t* const Euc = EucPairForms<TOut>();
        for (unsigned J1 = 0x21; J1 <= 0x7E; ++J1)
            for (unsigned J2 = 0x21; J2 <= 0x7E; ++J2) F[J1 | J2 << 8] = Euc[(J1 | 0x80) | (J2 | 0x80) << 8];
    });
    return Forms.Forms();
}

#if !defined(__SSE2__)
// The number (0..8) of the eight bytes at P, from the first, that a JIS reader in its ASCII set copies
// as they are: below 0x80, and not ESC, SO or SI.
std::size_t JisPlainPrefix(const char* P)
{
    constexpr std::uint64_t Ones = 0x0101010101010101ULL, Highs = 0x8080808080808080ULL;
    std::uint64_t Word;
    std::memcpy(&Word, P, sizeof Word);
    // A byte equal to C gives its high bit; a false one can only follow a true one.
    const auto Equal = [Word](unsigned char C) {
        const std::uint64_t X = Word ^ (Ones * C);
        return (X - Ones) & ~X & Highs;
    };
    const std::uint64_t Stop = (Word & Highs) | Equal(kEsc) | Equal(0x0E) | Equal(0x0F);
    return Stop == 0 ? 8 : static_cast<std::size_t>(__builtin_ctzll(Stop)) / 8;
}
#endif

// The number (0..16) of the sixteen bytes at P, from the first, that a JIS reader in its ASCII set
// copies as they are: below 0x80, and not ESC, SO or SI. Most runs of ASCII in a JIS text (a word, a line
// end and the next line's indent) end within sixteen bytes, so that the step that ends a run is its only
// one (eight bytes a step took a quarter longer on text shaped like manual pages).
std::size_t JisPlainPrefix16(const char* P)
{
#if defined(__SSE2__)
    const __m128i V = _mm_loadu_si128(reinterpret_cast<const __m128i*>(P));
    const __m128i Stops = _mm_or_si128(_mm_cmpeq_epi8(V, _mm_set1_epi8(kEsc)),
                                       _mm_or_si128(_mm_cmpeq_epi8(V, _mm_set1_epi8(kShiftOut)), _mm_cmpeq_epi8(V, _mm_set1_epi8(kShiftIn))));
    const unsigned Stop = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(V, Stops))) | 0x10000u;
    return static_cast<std::size_t>(std::countr_zero(Stop));
#else
    const std::size_t Count = JisPlainPrefix(P);
    return Count < 8 ? Count : 8 + JisPlainPrefix(P + 8);
#endif
}

// JIS: the escapes above choose the set of the bytes 0x21..0x7E, and SO ... SI shifts them to half-width
// katakana and back (an escape ends the shift as well). Control bytes, the space and DEL stand for
// themselves in every set, so that line ends stay. An ESC that starts no escape is a broken character,
// and the bytes after it are read afresh; an escape cut off by the end of the text is dropped. A byte
// from 0x80 up is no JIS: half-width katakana (8-bit JIS) stays one, anything else is broken.
// State (when given) holds the set and the shift at the start and receives them at the end, for a text
// read in pieces.
template <class TOut>
std::string ReadJis(std::string_view Text, std::size_t* Lost, TJisReadState* State = nullptr)
{
    static_assert(!TOut::kWidensKana, "JIS is read into EUC and Shift-JIS");
    TOut W(Text.size());
    char* Out = W.Begin();
    const std::size_t N = Text.size();
    TJisSet Set = State ? static_cast<TJisSet>(State->Set) : TJisSet::Ascii;
    bool ShiftOut = State && State->ShiftOut;
    // What the bytes 0x21..0x7E stand for now: the set, or katakana while SO is in force. (One variable
    // for the loop's tests, so that it stays in a register.)
    TJisSet Now = ShiftOut ? TJisSet::Kana : Set;
    const std::uint16_t* const Forms = JisPairForms<TOut>();
    const auto* S = reinterpret_cast<const unsigned char*>(Text.data());
    for (std::size_t I = 0, Limit = 0; I < N;) {
        if (I >= Limit) {
            Limit = I + std::min(N - I, TOut::kStretch);
            Out = W.Reserve(Out, Limit - I);
        }
        // Every run of kanji opens with ESC $ B and closes with ESC ( B (or ESC ( J): those are told by
        // their two bytes after the ESC, before the table is searched, and looked for first where ASCII
        // and a run of kanji end.
        const auto KanjiRunEscape = [&] {
            if (!(I + 2 < N && S[I] == kEsc && (S[I + 1] == '$' || S[I + 1] == '(') &&
                  (S[I + 2] == 'B' || (S[I + 2] == 'J' && S[I + 1] == '('))))
                return false;
            Set = Now = S[I + 1] == '$' ? TJisSet::X0208 : TJisSet::Ascii;
            ShiftOut = false;
            I += 3;
            return true;
        };
        if (Now == TJisSet::Ascii && I + 16 <= Limit) {
            const std::size_t Count = JisPlainPrefix16(Text.data() + I);
            W.template Ascii<16>(Out, Text.data() + I, Count);
            I += Count;
            if (Count == 16 || KanjiRunEscape()) continue;
        } else if (Now == TJisSet::X0208 && I + 1 < Limit) {
            if (const std::uint16_t Form = Forms[PairIndex(S + I)]) {
                WritePairRun(W, Out, Forms, S, I, Limit, Form);
                KanjiRunEscape();
                continue;
            }
        }
        const auto B = static_cast<unsigned char>(Text[I]);
        if (B == kEsc) {
            if (KanjiRunEscape()) continue;
            bool Cut = false;
            if (const TJisEscape* E = FindJisEscape(Text.substr(I), &Cut)) {
                Set = Now = E->Set;
                ShiftOut = false;
                I += E->Bytes.size();
                continue;
            }
            if (Cut) break;
            W.Broken(Out);
            ++I;
        } else if (B == kShiftOut || B == kShiftIn) {
            ShiftOut = B == kShiftOut;
            Now = ShiftOut ? TJisSet::Kana : Set;
            ++I;
        } else if (!IsJisByte(B)) {
            if (B < 0x80) W.Single(Out, B);
            else if (IsHalfKana(B)) W.Kana(Out, B);
            else W.Broken(Out);
            ++I;
        } else if (Now == TJisSet::Kana) {
            if (B <= 0x5F) W.Kana(Out, static_cast<unsigned char>(B | 0x80));
            else W.Broken(Out);
            ++I;
        } else if (Now == TJisSet::Ascii) {
            W.Single(Out, B);
            ++I;
        } else if (const unsigned char B2 = ByteAt(Text, I + 1); !IsJisByte(B2)) {
            W.Broken(Out); // the first byte of a pair alone
            ++I;
        } else {
            const unsigned Code = static_cast<unsigned>(B) << 8 | B2;
            if (Now == TJisSet::X0208) W.Jis0208(Out, Code);
            else W.Cp932Char(Out, X0212ToCp932(Code));
            I += 2;
        }
    }
    if (State) *State = {static_cast<int>(Set), ShiftOut};
    return W.Finish(Out, Lost);
}

// EUC: ASCII, 0x8E + half-width katakana, two bytes 0xA1..0xFE (JIS X 0208, and the user area in rows
// 85..88 and 93..94), 0x8F + two bytes (JIS X 0212: the characters that code page 932 holds become theirs,
// the rest are lost). 0x80 and 0xFF start nothing and stand for themselves (Shift-JIS has them as single
// bytes); anything else is a broken character that takes one byte.
template <class TOut>
std::string ReadEuc(std::string_view Text, std::size_t* Lost)
{
    const std::uint16_t* const Forms = TOut::kRunsOfDouble ? nullptr : EucPairForms<TOut>();
    const auto* S = reinterpret_cast<const unsigned char*>(Text.data());
    TOut W(Text.size());
    char* Out = W.Begin();
    const std::size_t N = Text.size();
    for (std::size_t I = 0, Limit = 0; I < N;) {
        if (I >= Limit) {
            Limit = I + std::min(N - I, TOut::kStretch);
            Out = W.Reserve(Out, Limit - I);
        }
        if constexpr (!TOut::kRunsOfDouble) {
            if (I + kBlockReach <= N) {
#if defined(__SSE2__)
                std::size_t Done;
                if constexpr (std::is_same_v<TOut, TSjisWriter>) Done = EucBlockToSjis(Out, S + I, Forms);
                else Done = PairBlock<TEucBytes>(W, Out, S + I, Forms);
#else
                const std::size_t Done = PairBlock<TEucBytes>(W, Out, S + I, Forms);
#endif
                I += Done;
                if (Done != 0) continue;
            }
        }
        if (I + 16 <= Limit) {
            // ASCII sixteen bytes at a time, as in ReadSjis.
            const std::size_t Count = AsciiPrefix16(Text.data() + I);
            W.template Ascii<16>(Out, Text.data() + I, Count);
            I += Count;
            if (Count == 16) continue;
        }
        const auto B = static_cast<unsigned char>(Text[I]);
        const unsigned char B2 = ByteAt(Text, I + 1);
        if (std::uint16_t Form = Forms && I + 1 < N ? Forms[B | B2 << 8] : 0) {
            // A run of JIS X 0208 pairs, two a step while both are pairs.
            WritePairRun(W, Out, Forms, S, I, Limit, Form);
        } else if (B < 0x80 || B == 0x80 || B == 0xFF) {
            W.Single(Out, B);
            ++I;
        } else if (B == 0x8E && IsHalfKana(B2)) {
            if constexpr (TOut::kWidensKana) {
                // Not EucKanaToJis, which takes I by reference and so would keep it out of a register.
                bool Merged = false;
                W.Double(Out, WidenKana(B2, ByteAt(Text, I + 2) == 0x8E ? ByteAt(Text, I + 3) : 0, &Merged));
                I += Merged ? 4 : 2;
            } else {
                W.Kana(Out, B2);
                I += 2;
            }
        } else if (const unsigned char B3 = ByteAt(Text, I + 2); B == 0x8F && IsEucByte(B2) && IsEucByte(B3)) {
            W.Cp932Char(Out, X0212ToCp932(static_cast<unsigned>(B2 & 0x7F) << 8 | (B3 & 0x7F)));
            I += 3;
        } else if (IsEucByte(B) && IsEucByte(B2)) {
            W.Jis0208(Out, static_cast<unsigned>(B & 0x7F) << 8 | (B2 & 0x7F));
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
            Out = W.Reserve(Out, Limit - I);
        }
        if constexpr (!TOut::kRunsOfDouble) {
            if (I + kBlockReach <= N) {
                const std::size_t Done = PairBlock<TSjisBytes>(W, Out, S + I, Forms);
                I += Done;
                if (Done != 0) continue;
            }
        }
        if (I + 16 <= Limit) {
            // ASCII comes in short runs (words, a line end and the next line's indent) between the
            // double-byte ones: take the bytes below 0x80 of the next sixteen at once, so that most runs
            // take one step; the rest of the sixteen starts with a high byte.
            const std::size_t Count = AsciiPrefix16(Text.data() + I);
            W.template Ascii<16>(Out, Text.data() + I, Count);
            I += Count;
            if (Count == 16) continue;
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
            WritePairRun(W, Out, Forms, S, I, Limit, Form);
        } else if (IsHalfKana(B)) {
            if constexpr (TOut::kWidensKana) {
                // Not SjisKanaToJis, as in ReadEuc.
                bool Merged = false;
                W.Double(Out, WidenKana(B, B2, &Merged));
                I += Merged ? 2 : 1;
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

bool HasBinaryHead(std::string_view Text)
{
    if (Text.size() < 2) return false; // the last byte is never examined
    const std::size_t Head = std::min<std::size_t>(512, Text.size() - 1);
    for (std::size_t I = 0; I < Head; ++I) {
        const auto B = static_cast<unsigned char>(Text[I]);
        if (B < 0x08 || B == 0xFF) return true;
    }
    return false;
}

int DetectCharCode(std::string_view Text)
{
    if (Text.size() < 2) return dcAscii;
    return HasBinaryHead(Text) ? dcBinary : ContinueCharCodeDetection(Text, dcAscii);
}

int ContinueCharCodeDetection(std::string_view Text, int Undecided)
{
    const std::size_t L = Text.size();
    int R = Undecided;
    if (L < 2) return R;
    const auto At = [&](std::size_t I) { return ByteAt(Text, I); };
    // Main pass: the first decisive byte wins; "either" stays only when the text ends before one.
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
                else if (At(I) == '(' && (At(I + 1) == 'B' || At(I + 1) == '@' || At(I + 1) == 'D')) R = dcJis;
            } else if (At(I) == '(' && At(I + 1) == 'I') {
                R = dcJis; // half-width katakana: a JIS text even without kanji
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
std::string JisPieceToSjis(std::string_view Text, std::size_t* Lost, TJisReadState& State)
{
    return ReadJis<TSjisWriter>(Text, Lost, &State);
}
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
