#include "documents/CharCodeConvert.h"
#include "support/Bytes.h"
#include "support/ExactBytes.h"
#include "support/RandomSjis.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

using namespace qx;
using qx::test::Bytes;
using qx::test::ExactBytes;

namespace {

const std::string In = "\x1b$B", Out = "\x1b(B";

using TConverter = std::function<std::string(std::string_view, std::size_t*)>;

struct ConvertCase {
    const char* name;
    std::string input;
    std::string output;
    std::size_t lost;
};

void ExpectCases(const TConverter& convert, std::initializer_list<ConvertCase> cases)
{
    for (const auto& c : cases) {
        std::size_t lost = 99;
        EXPECT_EQ(convert(ExactBytes(c.input), &lost), c.output) << c.name;
        EXPECT_EQ(lost, c.lost) << c.name;
    }
}

} // namespace

TEST(CharCodeConvert, JisCharacterArithmetic)
{
    EXPECT_EQ(JisToSjisChar(0x24, 0x22), (TBytePair{0x82, 0xA0}));  // あ
    EXPECT_EQ(JisToSjisChar(0x30, 0x21), (TBytePair{0x88, 0x9F}));  // 亜
    EXPECT_EQ(JisToSjisChar(0x2D, 0x21), (TBytePair{0x87, 0x40}));  // ①
    EXPECT_EQ(JisToSjisChar(0x7E, 0x7E), (TBytePair{0xEF, 0xFC}));
    EXPECT_EQ(SjisToJisChar(0x82, 0xA0), (TBytePair{0x24, 0x22}));
    EXPECT_EQ(SjisToJisChar(0x98, 0x9F), (TBytePair{0x50, 0x21}));  // first character of level 2
    EXPECT_EQ(SjisToJisChar(0xE0, 0x40), (TBytePair{0x5F, 0x21}));
}

TEST(CharCodeConvert, HalfWidthKanaWidenAndTakeTheirSoundMarks)
{
    struct Case {
        std::string text;
        unsigned code;
        std::size_t used;
    };
    const Case cases[] = {
        {Bytes("B6 DE"), 0x252C, 2},  // ｶﾞ -> ガ
        {Bytes("CA DF"), 0x2551, 2},  // ﾊﾟ -> パ
        {Bytes("CA DE"), 0x2550, 2},  // ﾊﾞ -> バ
        {Bytes("B3 DE"), 0x2574, 2},  // ｳﾞ -> ヴ
        {Bytes("DE"), 0x212B, 1},     // lone ﾞ
        {Bytes("DF"), 0x212C, 1},     // lone ﾟ
        {Bytes("B6 DF"), 0x252B, 1},  // ｶﾟ has no character: the mark stays
        {Bytes("B1 DE"), 0x2522, 1},  // ｱﾞ neither
        {Bytes("C4 DE"), 0x2549, 2},  // ﾄﾞ -> ド, the last of ｶ..ﾄ
        {Bytes("C5 DE"), 0x254A, 1},  // ﾅﾞ has none
        {Bytes("A1"), 0x2123, 1},     // ｡
        {Bytes("B0"), 0x213C, 1},     // ｰ
        {Bytes("DD"), 0x2573, 1},     // ﾝ
    };
    for (const auto& c : cases) {
        std::size_t pos = 0;
        const TBytePair p = SjisKanaToJis(ExactBytes(c.text), pos);
        EXPECT_EQ(static_cast<unsigned>(p[0] << 8 | p[1]), c.code) << testing::PrintToString(c.text);
        EXPECT_EQ(pos, c.used);

        // The same in EUC, where each kana and mark is 0x8E + the byte.
        std::string euc;
        for (char k : c.text) euc += std::string("\x8E") + k;
        pos = 0;
        const TBytePair q = EucKanaToJis(ExactBytes(euc), pos);
        EXPECT_EQ(q, p);
        EXPECT_EQ(pos, 2 * c.used);
    }
    // Not a kana: nothing, one byte used, and nothing read past the end.
    for (std::string_view text : {"\xA0", "A", "\x8E", "\x8E\x41", ""}) {
        std::size_t pos = 0;
        EXPECT_EQ(SjisKanaToJis(ExactBytes(text), pos), (TBytePair{0, 0}));
        EXPECT_EQ(pos, 1u);
        pos = 0;
        EXPECT_EQ(EucKanaToJis(ExactBytes(text), pos), (TBytePair{0, 0}));
        EXPECT_EQ(pos, 1u);
    }
}

TEST(CharCodeConvert, SjisToJis)
{
    ExpectCases(SjisToJis, {
        {"runs open at a double-byte character and close before single bytes", "a" + Bytes("82 A0") + "b",
         "a" + In + "$\"" + Out + "b", 0},
        {"an open run closes at the end", Bytes("82 A0"), In + "$\"" + Out, 0},
        {"line ends close the run", Bytes("82 A0 0D 0A 82 A2"), In + "$\"" + Out + "\r\n" + In + "$$" + Out, 0},
        {"kana widen with their marks", Bytes("B6 DE CA DF DE"), In + "%,%Q!+" + Out, 0},
        {"IBM extension as its NEC-selected form", Bytes("FA 5C"), In + "y!" + Out, 0},       // 纊
        {"IBM extension as its JIS row 2 form", Bytes("FA 54"), In + "\"L" + Out, 0},         // ￢
        {"IBM extension as its NEC row 13 form", Bytes("FA 4A"), In + "-5" + Out, 0},         // Ⅰ
        {"user-defined characters to the user area, as in EUC", Bytes("F0 40 F1 FC F4 FC"), In + "u!x~~~" + Out, 0},
        {"user-defined whose place is taken", Bytes("F2 40 F9 FC"), In + "\".\"." + Out, 2},
        {"undefined leads have no place: their rows are the user area", Bytes("EB 40 EF FC"), In + "\".\"." + Out, 2},
        {"undefined IBM code", Bytes("FC FC"), In + "\"." + Out, 1},
        {"single bytes outside JIS", Bytes("80 A0 FD FE FF"), In + "\".\".\".\".\"." + Out, 5},
        {"lead byte at the end", "a" + Bytes("82"), "a" + In + "\"." + Out, 1},
        {"lead byte before a line end keeps the line end", Bytes("82 0A 41"), In + "\"." + Out + "\nA", 1},
        {"empty", "", "", 0},
    });
}

TEST(CharCodeConvert, SjisToEuc)
{
    ExpectCases(SjisToEuc, {
        {"ASCII, kanji, kana", "a" + Bytes("88 9F B1 0D 0A"), "a" + Bytes("B0 A1 8E B1 0D 0A"), 0},
        {"NEC row 13 stays in row 13", Bytes("87 40"), Bytes("AD A1"), 0},
        {"NEC-selected IBM extension", Bytes("ED 40"), Bytes("F9 A1"), 0},
        {"IBM extension as its NEC-selected form", Bytes("FB FC"), Bytes("FC E2"), 0},  // 髙 = EE E0
        {"user-defined to the user area", Bytes("F0 40 F1 FC F4 FC"), Bytes("F5 A1 F8 FE FE FE"), 0},
        {"user-defined whose place is taken", Bytes("F2 40 F3 9F"), Bytes("A2 AE A2 AE"), 2},
        {"user-defined beyond the area", Bytes("F5 40 F9 FC"), Bytes("A2 AE A2 AE"), 2},
        // No characters, and their rows are the user area: written there they would read back as
        // user-defined characters.
        {"undefined leads 0xEB, 0xEC, 0xEF", Bytes("EB 40 EC FC EF 9F 41"), Bytes("A2 AE A2 AE A2 AE 41"), 3},
        {"single bytes outside EUC", Bytes("80 A0 FD FE FF"), Bytes("A2 AE A2 AE A2 AE A2 AE A2 AE"), 5},
        {"lead byte with a bad trail", Bytes("82 7F 41"), Bytes("A2 AE 7F 41"), 1},
        {"lead byte at the end", Bytes("41 E0"), Bytes("41 A2 AE"), 1},
        {"NUL stays", std::string("a\0b", 3), std::string("a\0b", 3), 0},
    });
}

TEST(CharCodeConvert, JisToSjisAndJisToEuc)
{
    ExpectCases(JisToSjis, {
        {"modes", "a" + In + "$\"$$" + Out + "b", "a" + Bytes("82 A0 82 A2") + "b", 0},
        {"old JIS escapes", "\x1b$@$\"\x1b(J" "b", Bytes("82 A0") + "b", 0},
        {"CR LF inside a double-byte run stays and the run goes on", In + "$\"\r\n$$" + Out,
         Bytes("82 A0 0D 0A 82 A2"), 0},
        {"NUL does not cut the text", std::string("a\0b", 3) + In + "$\"", std::string("a\0b", 3) + Bytes("82 A0"), 0},
        {"adjacent escapes are each read", Out + In + Out + In + "$\"", Bytes("82 A0"), 0},
        {"an escape cut by the end adds nothing", "a" + In + "$\"\x1b$", "a" + Bytes("82 A0"), 0},
        {"lone byte of a pair at the end", In + "$\"$", Bytes("82 A0 81 AC"), 1},
        {"lone byte of a pair before a line end", In + "$\n", Bytes("81 AC 0A"), 1},
        {"an ESC that starts no escape is one lost character, and the mode stays", In + "\x1bK@$\"",
         Bytes("81 AC 96 5F 82 A0"), 1},
        {"a broken escape takes no line end with it", Bytes("1B 24 42 24 22 24 24 1B 28 0A 61 0A"),
         Bytes("82 A0 82 A2 81 AC 81 AC 0A 81 AC 0A"), 3},
        {"a broken escape in ASCII takes nothing after it", Bytes("61 1B 0A 62 63 0A"), Bytes("61 81 AC 0A 62 63 0A"), 1},
        {"ESC at the end", "a\x1b", "a", 0},
        {"half-width katakana as nkf -x and iconv write them", Bytes("1B 24 42 24 2C 1B 28 49 31 32 33 34 1B 28 42") + "5",
         Bytes("82 AA B1 B2 B3 B4 35"), 0},
        {"the kana set ends at 0x5F", Bytes("1B 28 49 21 5F 60 7E 0D 0A 31"), Bytes("A1 DF 81 AC 81 AC 0D 0A B1"), 2},
        {"SO and SI shift to kana and back", "a" + Bytes("0E 31 32 0A 33 0F") + "4", "a" + Bytes("B1 B2 0A B3") + "4", 0},
        {"an escape ends the shift", Bytes("0E 31 1B 24 42 24 22 1B 28 42 32"), Bytes("B1 82 A0 32"), 0},
        {"8-bit kana stay kana, other 8-bit bytes are lost", Bytes("B1 DE 1B 24 42 82 A0 1B 28 42 FF"),
         Bytes("B1 DE 81 AC 81 AC 81 AC"), 3},
        {"JIS X 0212: what the code page holds, the rest lost", Bytes("1B 24 28 44 22 37 22 71 30 29 22 2F 1B 28 42 61"),
         Bytes("81 60 87 82 FA 68 81 AC 61"), 1},
        {"long forms of JIS X 0208", Bytes("1B 24 28 42 24 22 1B 24 28 40 24 24 1B 28 4A 61"), Bytes("82 A0 82 A2 61"), 0},
        {"the user area goes to the user-defined characters, as from EUC", In + "u!x~y!~~" + Out,
         Bytes("F0 40 F1 FC ED 40 F4 FC"), 0},
    });
    ExpectCases(JisToEuc, {
        {"modes", "a" + In + "$\"" + Out + "b", "a" + Bytes("A4 A2") + "b", 0},
        {"CR LF inside a double-byte run stays", In + "$\"\r\n$$" + Out, Bytes("A4 A2 0D 0A A4 A4"), 0},
        {"adjacent escapes are each read", Out + In + "$\"", Bytes("A4 A2"), 0},
        {"lone byte of a pair at the end", In + "$", Bytes("A2 AE"), 1},
        // EUC has no raw 8-bit bytes: kana take their 0x8E, anything else is lost.
        {"8-bit bytes", Bytes("B1 DE 82 A0 FF"), Bytes("8E B1 8E DE A2 AE A2 AE A2 AE"), 3},
        {"half-width katakana", Bytes("1B 28 49 31 5E 1B 28 42 0E 32 0F"), Bytes("8E B1 8E DE 8E B2"), 0},
        {"JIS X 0212 as its code page character", Bytes("1B 24 28 44 22 37 22 71"), Bytes("A1 C1 AD E2"), 0},
        {"the user area keeps its rows", In + "u!~~" + Out, Bytes("F5 A1 FE FE"), 0},
    });
}

TEST(CharCodeConvert, EucToSjisAndEucToJis)
{
    ExpectCases(EucToSjis, {
        {"ASCII, kanji, kana", "a" + Bytes("B0 A1 8E B1 0D 0A"), "a" + Bytes("88 9F B1 0D 0A"), 0},
        {"user area back to the user-defined characters", Bytes("F5 A1 F5 FE F6 A1 F8 FE FD A1 FE FE"),
         Bytes("F0 40 F0 9E F0 9F F1 FC F4 40 F4 FC"), 0},
        {"rows 89..92 stay the NEC-selected IBM extensions", Bytes("F9 A1 FA FE FB A1 FC FE"),
         Bytes("ED 40 ED FC EE 40 EE FC"), 0},
        {"JIS X 0212 that the code page lacks", Bytes("8F B0 A1 41"), Bytes("81 AC 41"), 1},
        {"JIS X 0212 that the code page holds", Bytes("8F A2 B7 8F A2 F1 8F B0 A9"), Bytes("81 60 87 82 FA 68"), 0},
        {"0x8F with one byte", Bytes("8F A2 0A"), Bytes("81 AC 81 AC 0A"), 2},
        {"0x8E at the end", Bytes("41 8E"), Bytes("41 81 AC"), 1},
        {"0x8E before a line end", Bytes("8E 0A"), Bytes("81 AC 0A"), 1},
        {"lead byte at the end", Bytes("B0"), Bytes("81 AC"), 1},
        {"lead byte before a line end keeps the line end", Bytes("B0 0D 0A"), Bytes("81 AC 0D 0A"), 1},
        {"bytes that start nothing", Bytes("81 A0 0A"), Bytes("81 AC 81 AC 0A"), 2},
        {"0x80 and 0xFF stand for themselves", Bytes("80 FF"), Bytes("80 FF"), 0},
    });
    ExpectCases(EucToJis, {
        {"runs", "a" + Bytes("B0 A1 0A A4 A2"), "a" + In + "0!" + Out + "\n" + In + "$\"" + Out, 0},
        {"kana widen with their marks", Bytes("8E B6 8E DE 8E B1"), In + "%,%\"" + Out, 0},
        {"0x8E at the end", Bytes("8E"), In + "\"." + Out, 1},
        {"user area keeps its rows", Bytes("F5 A1 FE FE"), In + "u!~~" + Out, 0},
        {"bytes that start nothing", Bytes("FF 41 A0"), In + "\"." + Out + "A" + In + "\"." + Out, 2},
    });
}

TEST(CharCodeConvert, ConvertCharCodeChoosesByCodes)
{
    const std::string sjis = "a" + Bytes("82 A0 B1");
    const std::string euc = "a" + Bytes("A4 A2 8E B1");
    const std::string jis = "a" + In + "$\"%\"" + Out;
    EXPECT_EQ(ConvertCharCode(sjis, dcSjis, dcJis), jis);
    EXPECT_EQ(ConvertCharCode(sjis, dcSjis, dcEuc), euc);
    EXPECT_EQ(ConvertCharCode(euc, dcEuc, dcSjis), sjis);
    EXPECT_EQ(ConvertCharCode(euc, dcEuc, dcJis), jis);
    EXPECT_EQ(ConvertCharCode(jis, dcJis, dcSjis), "a" + Bytes("82 A0 83 41"));
    EXPECT_EQ(ConvertCharCode(jis, dcOldJis, dcEuc), "a" + Bytes("A4 A2 A5 A2"));
    EXPECT_EQ(ConvertCharCodeAuto(jis, dcSjis), "a" + Bytes("82 A0 83 41"));
    EXPECT_EQ(ConvertCharCodeAuto(Bytes("A4 A2 A4 A4 B0 F1"), dcSjis), Bytes("82 A0 82 A2 88 EF"));

    // Unchanged, byte for byte: same code, plain ASCII, binary, undecided, old JIS to JIS, other targets.
    const std::string raw = Bytes("A4 A2 00 FF 1B 24 40 82");
    for (auto [source, target] : {std::pair<int, int>{dcSjis, dcSjis}, {dcAscii, dcEuc}, {dcBinary, dcSjis},
                                  {dcEucOrSjis, dcSjis}, {dcOldJis, dcJis}, {dcSjis, dcAscii}, {dcEuc, 7}}) {
        std::size_t lost = 99;
        EXPECT_EQ(ConvertCharCode(raw, source, target, &lost), raw) << source << " " << target;
        EXPECT_EQ(lost, 0u);
    }
    std::size_t lost = 0;
    ConvertCharCode(Bytes("F9 40 82"), dcSjis, dcEuc, &lost);
    EXPECT_EQ(lost, 2u);
}

TEST(CharCodeConvert, NoConverterReadsPastTheEnd)
{
    // Each converter on every prefix of texts that end in the middle of something.
    const TConverter converters[] = {JisToEuc, JisToSjis, EucToJis, EucToSjis, SjisToJis, SjisToEuc};
    const std::string texts[] = {
        "a" + In + "$\"" + Out, Bytes("8E B6 8E DE 8F B0 A1 B0 A1"), Bytes("B6 DE 82 A0 FA 40 F0 40"),
        Bytes("1B 24 28 44 22 37 1B 28 49 31 0E 32 0F 8F A2 B7"),
    };
    for (const auto& convert : converters)
        for (const auto& text : texts)
            for (std::size_t n = 0; n <= text.size(); ++n) convert(ExactBytes(text.substr(0, n)), nullptr);
}

// Long texts of random characters convert as their characters do one by one, so that the way through
// runs (ASCII taken eight bytes at a time, double-byte runs) changes nothing: to EUC each character
// stands alone; to JIS the result equals the way through EUC.
TEST(CharCodeConvert, LongTextsConvertAsTheirCharacters)
{
    const std::vector<std::string> characters = {
        "a", " ", "\r\n", "\x1b", "Q", Bytes("82 A0"), Bytes("88 9F"), Bytes("83 41"), Bytes("81 5B"),
        Bytes("98 72"), Bytes("EA A4"), Bytes("87 40"), Bytes("FA 40"), Bytes("ED 40"), Bytes("85 40"),
        Bytes("B1"), Bytes("B6 DE"), Bytes("CA DF"), Bytes("DE"), Bytes("80"), Bytes("A0"), Bytes("FD")};
    const std::vector<std::string> userDefined = {Bytes("F0 40"), Bytes("F4 FC"), Bytes("F9 9F"), Bytes("EB 40")};
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        const bool withUserDefined = round % 2 == 0;
        std::string text, euc;
        std::size_t eucLost = 0;
        for (int n = static_cast<int>(random() % 60); n > 0; --n) {
            const bool user = withUserDefined && random() % 10 == 0;
            const std::string& c = user ? userDefined[random() % userDefined.size()] : characters[random() % characters.size()];
            std::size_t lost = 0;
            text += c;
            euc += SjisToEuc(c, &lost);
            eucLost += lost;
        }
        if (random() % 4 == 0) {  // a lead byte at the end
            text += Bytes("82");
            euc += SjisToEuc(Bytes("82"));
            ++eucLost;
        }
        std::size_t lost = 99;
        ASSERT_EQ(SjisToEuc(ExactBytes(text), &lost), euc) << ::testing::PrintToString(text);
        ASSERT_EQ(lost, eucLost);
        ASSERT_EQ(SjisToJis(ExactBytes(text), &lost), EucToJis(euc)) << ::testing::PrintToString(text);
        ASSERT_EQ(lost, eucLost);
    }
}

// The same on random pieces of every kind (ASCII runs of every length, leads of every class with valid and
// invalid trails, kana, undefined single bytes), each converted alone: a piece is too short for most of the
// reader's fast steps (two pairs at a time, eight ASCII bytes) that the whole text goes through.
TEST(CharCodeConvert, SjisToEucOfRandomTextMatchesItsPieces)
{
    std::mt19937 random(5);
    for (int round = 0; round < 3000; ++round) {
        std::string text, euc;
        std::size_t eucLost = 0;
        std::vector<std::string> pieces = qx::test::RandomSjisPieces(random, static_cast<int>(random() % 80));
        if (random() % 4 == 0) pieces.push_back({static_cast<char>(0x81 + random() % 0x1F)});  // a lead byte at the end
        for (const std::string& piece : pieces) {
            std::size_t lost = 0;
            text += piece;
            euc += SjisToEuc(ExactBytes(piece), &lost);
            eucLost += lost;
        }
        std::size_t lost = 99;
        ASSERT_EQ(SjisToEuc(ExactBytes(text), &lost), euc) << ::testing::PrintToString(text);
        ASSERT_EQ(lost, eucLost) << ::testing::PrintToString(text);
    }
}

// Long texts, mostly of ordinary characters (hiragana, kanji, ASCII words, line ends, half-width
// katakana) so that the readers take them many bytes at a time, with now and then a piece of every other
// kind: each reader gives for the whole text what it gives for the pieces one by one. JIS is read as
// SjisToJis writes the whole text (long runs under one escape) and checked against each piece's JIS
// read alone.
TEST(CharCodeConvert, LongTextsReadInBlocksAsTheirPieces)
{
    std::mt19937 random(17);
    const auto pick = [&random](unsigned from, unsigned to) { return static_cast<char>(from + random() % (to - from + 1)); };
    const auto ordinaryPiece = [&]() -> std::string {
        switch (random() % 6) {
        case 0: return {'\x82', pick(0x9F, 0xF1)};  // hiragana
        case 1: return {pick(0x88, 0x9F), pick(0x40, 0xFC)};  // kanji, a trail byte of any class (0x7F is lost)
        case 2: return {pick(0xE0, 0xEA), pick(0x80, 0xFC)};
        case 3: return random() % 4 == 0 ? "\r\n" : std::string(1 + random() % 9, pick(0x21, 0x7E));
        case 4: return random() % 8 == 0 ? std::string{pick(0xA1, 0xDF)} : std::string{'\x83', pick(0x40, 0x96)};
        default: return {'\x81', pick(0x40, 0x9E)};  // punctuation, trails that are lead bytes too
        }
    };
    for (int round = 0; round < 400; ++round) {
        const int rare = 1 + static_cast<int>(random() % 60);  // one piece in `rare` is of any kind
        std::vector<std::string> pieces;
        const auto isKana = [](char c) { return static_cast<unsigned char>(c) >= 0xA1 && static_cast<unsigned char>(c) <= 0xDF; };
        for (int n = 100 + static_cast<int>(random() % 900); n > 0; --n) {
            std::string piece = random() % rare == 0 ? qx::test::RandomSjisPieces(random, 1)[0] : ordinaryPiece();
            // A sound mark after a katakana would join it in JIS, which one piece alone cannot show.
            if (!pieces.empty() && !pieces.back().empty() && isKana(pieces.back()[0]) && !piece.empty() &&
                (piece[0] == '\xDE' || piece[0] == '\xDF'))
                piece = "a";
            pieces.push_back(std::move(piece));
        }
        std::string text, euc, eucOfPieces, jisOfPieces;
        std::size_t eucLost = 0, eucOfPiecesLost = 0, jisOfPiecesLost = 0;
        for (const std::string& piece : pieces) {
            std::size_t lost = 0;
            text += piece;
            const std::string pieceEuc = SjisToEuc(ExactBytes(piece), &lost);
            euc += pieceEuc;
            eucLost += lost;
            eucOfPieces += EucToSjis(ExactBytes(pieceEuc), &lost);
            eucOfPiecesLost += lost;
            jisOfPieces += JisToSjis(ExactBytes(SjisToJis(ExactBytes(piece))), &lost);
            jisOfPiecesLost += lost;
        }
        const std::string shown = ::testing::PrintToString(text);
        std::size_t lost = 99;
        ASSERT_EQ(SjisToEuc(ExactBytes(text), &lost), euc) << shown;
        ASSERT_EQ(lost, eucLost) << shown;
        ASSERT_EQ(EucToSjis(ExactBytes(euc), &lost), eucOfPieces) << shown;
        ASSERT_EQ(lost, eucOfPiecesLost) << shown;
        const std::string jis = SjisToJis(ExactBytes(text), &lost);
        ASSERT_EQ(jis, EucToJis(ExactBytes(euc))) << shown;
        ASSERT_EQ(lost, eucLost) << shown;
        ASSERT_EQ(JisToSjis(ExactBytes(jis), &lost), jisOfPieces) << shown;
        ASSERT_EQ(lost, jisOfPiecesLost) << shown;
        ASSERT_EQ(JisToEuc(ExactBytes(jis), &lost), SjisToEuc(ExactBytes(jisOfPieces))) << shown;
    }
}

// Every EUC pair (rows without characters and the user area included) among katakana, a lone 0x8E, a lead
// byte before ASCII, bytes that start nothing and ASCII, at every offset of the blocks that EucToSjis
// takes many bytes at once: the whole text converts as its pieces do alone.
TEST(CharCodeConvert, EveryEucPairInLongTextsAsAlone)
{
    const std::vector<std::string> between = {"a", "\r\n", Bytes("8E B1"), Bytes("8E DF"), Bytes("8E 41"), Bytes("8E A0"),
                                              Bytes("80"), Bytes("FF"), Bytes("B0 20"), Bytes("FE 0A"), Bytes("8F A2 B7"),
                                              "0123456789abcdefgh"};
    std::mt19937 random(23);
    for (int round = 0; round < 4; ++round) {
        std::string text, sjis;
        std::size_t expectedLost = 0;
        const auto add = [&](const std::string& piece) {
            std::size_t lost = 0;
            text += piece;
            sjis += EucToSjis(ExactBytes(piece), &lost);
            expectedLost += lost;
        };
        for (unsigned b1 = 0xA1; b1 <= 0xFE; ++b1) {
            for (unsigned b2 = 0xA1; b2 <= 0xFE; ++b2) {
                add({static_cast<char>(b1), static_cast<char>(b2)});
                if (random() % (round + 2) == 0) add(between[random() % between.size()]);
            }
        }
        std::size_t lost = 99;
        ASSERT_EQ(EucToSjis(ExactBytes(text), &lost), sjis) << "round " << round;
        ASSERT_EQ(lost, expectedLost) << "round " << round;
    }
}
