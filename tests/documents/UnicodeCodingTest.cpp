#include "documents/CharCodeConvert.h"
#include "documents/DocumentCodec.h"
#include "documents/DocumentCodes.h"
#include "documents/UnicodeCoding.h"
#include "platform/Cp932.h"
#include "support/Bytes.h"
#include "support/ExactBytes.h"
#include "support/Iconv.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace qx;
using qx::test::Bytes;
using qx::test::ExactBytes;

TEST(UnicodeCoding, DetectUnicodeBomNeedsMoreThanTheMark)
{
    EXPECT_EQ(DetectUnicodeBom(Bytes("FF FE")), 0);
    EXPECT_EQ(DetectUnicodeBom(Bytes("FF FE 41")), 1);
    EXPECT_EQ(DetectUnicodeBom(Bytes("FE FF 00")), 2);
    EXPECT_EQ(DetectUnicodeBom(Bytes("FE FE 00")), 0);
    EXPECT_EQ(DetectUnicodeBom(""), 0);
}

TEST(UnicodeCoding, DetectUtf8)
{
    struct Case {
        const char* name;
        std::string bytes;
        int result;
    };
    const Case cases[] = {
        {"ASCII is not UTF-8", "abc", 0},
        {"empty", "", 0},
        {"mark and ASCII", Bytes("EF BB BF") + "a", 2},
        {"the mark alone is UTF-8 with a mark", Bytes("EF BB BF"), 2},
        {"two-byte character alone", Bytes("C3 A9"), 1},
        {"three-byte character after ASCII", "some text " + Bytes("E3 81 82"), 1},
        {"sequence cut by the end", "a" + Bytes("E3 81"), 0},
        {"two-byte sequence cut by the end", Bytes("E3 81 82 C3"), 0},
        {"a last byte that starts nothing", Bytes("C3 A9 FF"), 0},
        {"a last continuation byte", Bytes("C3 A9 80"), 0},
        {"a character beyond U+FFFF (an emoji) in Japanese text", "a" + Bytes("E3 81 82 F0 9F 98 80") + "b", 1},
        {"the first and the last four-byte characters", Bytes("F0 90 80 80 F4 8F BF BF"), 1},
        {"beyond U+10FFFF", Bytes("F4 90 80 80"), 0},
        {"a lead byte that starts nothing", Bytes("F5 80 80 80"), 0},
        {"four-byte sequence cut by the end", "a" + Bytes("F0 9F 98"), 0},
        {"four-byte sequence with a bad continuation", Bytes("F0 9F 41 80"), 0},
        {"overlong NUL", "a" + Bytes("C0 80"), 0},
        {"overlong slash", Bytes("2E 2E C0 AF"), 0},
        {"overlong two-byte lead 0xC1", Bytes("C1 BF"), 0},
        {"overlong three-byte form", Bytes("E0 80 AF"), 0},
        {"overlong four-byte form", Bytes("F0 80 80 AF"), 0},
        {"the lowest three-byte character", Bytes("E0 A0 80"), 1},
        {"surrogates as the encoder writes them", Bytes("ED A0 BD ED B8 80"), 1},
        {"0xF8", "a" + Bytes("C3 A9 F8"), 0},
        {"bad continuation", Bytes("E3 41 82"), 0},
        {"Shift-JIS", Bytes("82 A0 82 A2"), 0},
        {"EUC", Bytes("A4 A2 A4 A4"), 0},
        {"ASCII past eight bytes then a character", std::string(17, 'x') + Bytes("C3 A9"), 1},
    };
    for (const auto& c : cases) EXPECT_EQ(DetectUtf8(ExactBytes(c.bytes)), c.result) << c.name;
}

TEST(UnicodeCoding, EncodeUtf8BufferWritesWholeCharactersAndTheNul)
{
    const std::u16string text = u"a\u00E9\u3042";  // 1 + 2 + 3 bytes
    EXPECT_EQ(EncodeUtf8Buffer(nullptr, 0, text.data(), text.size()), 7);

    char buf[16];
    EXPECT_EQ(EncodeUtf8Buffer(buf, sizeof buf, text.data(), text.size()), 7);
    EXPECT_EQ(std::string(buf), "a" + Bytes("C3 A9 E3 81 82"));

    // A destination one byte short: the last character is left out whole, the NUL still written.
    std::fill(std::begin(buf), std::end(buf), 'x');
    EXPECT_EQ(EncodeUtf8Buffer(buf, 6, text.data(), text.size()), 4);
    EXPECT_EQ(std::string(buf), "a" + Bytes("C3 A9"));
    EXPECT_EQ(EncodeUtf8Buffer(buf, 1, text.data(), text.size()), 1);
    EXPECT_EQ(buf[0], '\0');
    EXPECT_EQ(EncodeUtf8Buffer(buf, 0, text.data(), text.size()), 0);
}

TEST(UnicodeCoding, DecodeUtf8Buffer)
{
    const std::string bytes = "a" + Bytes("C3 A9 E3 81 82");
    EXPECT_EQ(DecodeUtf8Buffer(nullptr, 0, bytes.data(), bytes.size()), 4);
    char16_t buf[8];
    EXPECT_EQ(DecodeUtf8Buffer(buf, 8, bytes.data(), bytes.size()), 4);
    EXPECT_EQ(std::u16string(buf), u"a\u00E9\u3042");
    EXPECT_EQ(DecodeUtf8Buffer(buf, 3, bytes.data(), bytes.size()), 3);
    EXPECT_EQ(std::u16string(buf), u"a\u00E9");

    // A four-byte sequence is a surrogate pair; a destination cut between its halves holds the first.
    const std::string emoji = "a" + Bytes("F0 9F 98 80") + "b";
    EXPECT_EQ(DecodeUtf8Buffer(nullptr, 0, emoji.data(), emoji.size()), 5);
    EXPECT_EQ(DecodeUtf8Buffer(buf, 8, emoji.data(), emoji.size()), 5);
    EXPECT_EQ(std::u16string(buf), u"a\U0001F600b");
    EXPECT_EQ(DecodeUtf8Buffer(buf, 3, emoji.data(), emoji.size()), 3);
    EXPECT_EQ(std::u16string(buf), u"a\xD83D");

    // Invalid input is -1 in both modes, also past a full destination.
    for (const std::string& bad : {Bytes("E3 81"), Bytes("C3 41"), Bytes("80"), Bytes("F0 9F 98"), Bytes("F4 90 80 80"),
                                   Bytes("C0 80"), Bytes("C0 AF"), Bytes("E0 80 AF"), Bytes("F0 80 80 AF"),
                                   "abc" + Bytes("FF")}) {
        const ExactBytes exact(bad);
        EXPECT_EQ(DecodeUtf8Buffer(nullptr, 0, exact.view().data(), bad.size()), -1) << testing::PrintToString(bad);
        EXPECT_EQ(DecodeUtf8Buffer(buf, 8, exact.view().data(), bad.size()), -1);
        EXPECT_EQ(DecodeUtf8Buffer(buf, 2, exact.view().data(), bad.size()), -1);
    }
}

TEST(UnicodeCoding, WideAndUtf8)
{
    EXPECT_EQ(WideToUtf8(u"\u00E9"), Bytes("C3 A9"));
    EXPECT_EQ(WideToUtf8(u"\u3042"), Bytes("E3 81 82"));  // fills a three-byte-per-unit buffer exactly
    EXPECT_EQ(WideToUtf8(u"\U0001F600"), Bytes("ED A0 BD ED B8 80"));  // each surrogate on its own
    EXPECT_EQ(WideToUtf8(u""), "");
    EXPECT_EQ(Utf8ToWide("abc"), u"abc");  // fills a one-unit-per-byte buffer exactly
    EXPECT_EQ(Utf8ToWide(Bytes("E3 81 82 C3 A9")), u"\u3042\u00E9");
    EXPECT_EQ(Utf8ToWide(Bytes("E3 81")), u"");
    EXPECT_EQ(Utf8ToWide(Bytes("ED A0 BD ED B8 80")), u"\U0001F600");
    // Overlong forms are not UTF-8: "C0 AF" would smuggle a "/" past any check of the bytes.
    EXPECT_EQ(Utf8ToWide(Bytes("C0 80")), u"");
    EXPECT_EQ(Utf8ToWide("a/" + Bytes("C0 AF")), u"");
    EXPECT_EQ(Utf8ToWide(Bytes("F0 9F 98 80")), u"\U0001F600");

    const std::u16string all = [] {
        std::u16string s;
        for (unsigned u = 1; u <= 0xFFFF; ++u) s.push_back(static_cast<char16_t>(u));
        return s;
    }();
    const std::string utf8 = WideToUtf8(all);
    EXPECT_EQ(DetectUtf8(utf8), 1);
    EXPECT_EQ(Utf8ToWide(utf8), all);
}

TEST(UnicodeCoding, Utf16DocumentBytesAndShiftJis)
{
    const std::string sjis = "a" + Bytes("82 A0 B1 87 40");  // a あ ｱ ①
    const std::string le = Bytes("61 00 42 30 71 FF 60 24"), be = Bytes("00 61 30 42 FF 71 24 60");
    EXPECT_EQ(SjisToUtf16(sjis, false), le);
    EXPECT_EQ(SjisToUtf16(sjis, true), be);
    std::size_t lost = 99;
    EXPECT_EQ(Utf16ToSjis(le, false, &lost), sjis);
    EXPECT_EQ(lost, 0u);
    EXPECT_EQ(Utf16ToSjis(be + Bytes("00"), true, &lost), sjis + "?");  // an odd last byte is no unit: lost
    EXPECT_EQ(lost, 1u);
    EXPECT_EQ(Utf16ToSjis(Bytes("41"), false, &lost), "?");
    EXPECT_EQ(lost, 1u);
    EXPECT_EQ(Utf16ToSjis(Bytes("3D D8 00 DE 41 00"), false, &lost), "?A");  // 😀 has no code
    EXPECT_EQ(lost, 1u);
}

TEST(UnicodeCoding, Utf16BytesOfEitherOrderConvertAsTheirUnitsDo)
{
    // Every unit, a surrogate pair and a lone surrogate among them, read from the bytes in place.
    std::u16string units;
    for (unsigned u = 1; u <= 0xFFFF; ++u) units += static_cast<char16_t>(u);
    units += u"\xD83D\xDE00x";
    std::string le, be;
    for (const char16_t u : units) {
        le += static_cast<char>(u & 0xFF);
        le += static_cast<char>(u >> 8);
        be += static_cast<char>(u >> 8);
        be += static_cast<char>(u & 0xFF);
    }
    std::size_t expectedLost = 0, lost = 0;
    const std::string expected = Utf16ToCp932(units, &expectedLost);
    for (const bool big : {false, true}) {
        EXPECT_EQ(Utf16ToSjis(big ? be : le, big, &lost), expected) << big;
        EXPECT_EQ(lost, expectedLost) << big;
    }
}

TEST(UnicodeCoding, SjisCodeToJisCode)
{
    struct Case {
        unsigned sjis, jis;
    };
    const Case cases[] = {
        {0x82A0, 0x2422},  // あ
        {0x8740, 0x2D21},  // ① in NEC row 13
        {0x889F, 0x3021},  // 亜
        {0xEAA4, 0x7426},  // the last JIS X 0208 kanji
        {0xEB9F, 0},       // outside the JIS rows
        {0xED40, 0},       // NEC-selected IBM extension, row 89
        {0xFA40, 0},
        {0x8540, 0},       // row 9 holds nothing
        {0xB1B2, 0},       // two half-width kana
        {0x817F, 0},       // bad trail byte
        {0x8240, 0x2321},  // row 3 is there even where the code page has no character
        {0x41, 0},
        {0x182A0, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(SjisCodeToJisCode(c.sjis), c.jis) << std::hex << c.sjis;
}

// UTF-8 document bytes straight to Shift-JIS agree with the way through UTF-16, on texts of random
// pieces: ASCII runs of every length around the eight-byte steps, two- and three-byte characters with and
// without a code, NULs, surrogate pairs and lone surrogates, and now and then a broken sequence.
TEST(UnicodeCoding, Utf8ToSjisEqualsTheWayThroughUtf16)
{
    const std::vector<std::string> pieces = {
        "a", "ab\r\n", "word ", "0123456789abcdef", "\t", Bytes("C3 A9"), Bytes("C2 A5"), Bytes("CE B1"),
        Bytes("C2 80"), Bytes("E0 A0 80"), Bytes("F0 9F 98 80"), Bytes("F4 8F BF BF"), Bytes("E3 81 82"), Bytes("E4 BA 9C"), Bytes("EF BD B1"),
        Bytes("EF BE 9E"), Bytes("E2 91 A0"), Bytes("E2 80 94"), Bytes("EA B0 80"), Bytes("E2 82 AC"),
        Bytes("ED A0 BD ED B8 80"), Bytes("ED A0 BD"), Bytes("ED B8 80"), Bytes("EF BF BF"), Bytes("DF BF")};
    const std::vector<std::string> broken = {Bytes("80"), Bytes("E3 81"), Bytes("E3 41 82"), Bytes("C3"),
                                             Bytes("F0 9F 98"), Bytes("FF"), Bytes("C3 C3"), Bytes("C0 80"),
                                             Bytes("E0 80 80"), Bytes("F0 80 80 80"), Bytes("F4 90 80 80")};
    std::mt19937 random(7);
    int invalid = 0, lossy = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int n = static_cast<int>(random() % 40); n > 0; --n) text += pieces[random() % pieces.size()];
        if (random() % 8 == 0) text.insert(random() % (text.size() + 1), broken[random() % broken.size()]);
        const ExactBytes exact(text);
        std::size_t lost = 99, expectedLost = 99;
        const std::string expected = Utf16ToCp932(Utf8ToWide(text), &expectedLost);
        ASSERT_EQ(Utf8ToSjis(exact, &lost), expected) << ::testing::PrintToString(text);
        ASSERT_EQ(lost, expectedLost) << ::testing::PrintToString(text);
        invalid += !text.empty() && expected.empty();
        lossy += lost != 0;
    }
    EXPECT_GT(invalid, 100);  // both kinds were met often
    EXPECT_GT(lossy, 1000);
}

// A text typed on Linux (input methods write the JIS standard's code points 〜 − ‖ ¢ £ ¬ —), typed into
// the editor or opened as a UTF-8 file, then saved in every code and opened again: nothing becomes "?",
// and the text stays the same, byte for byte.
TEST(UnicodeCoding, TextTypedOnLinuxSurvivesEveryCode)
{
    const std::string typed = "範囲は 1〜10、温度 −5 度\n‖ ¢100 £5 ¬A — 終わり";
    std::size_t lost = 99;
    const std::string sjis = Utf8ToCp932(typed, &lost);  // typed or pasted
    EXPECT_EQ(lost, 0u);
    for (const char* code : {"81 60", "81 7C", "81 61", "81 91", "81 92", "81 CA", "81 5C"})
        EXPECT_NE(sjis.find(Bytes(code)), std::string::npos) << code;
    EXPECT_EQ(sjis.find('?'), std::string::npos);

    test::ScriptedMessagePrompter prompter;
    const TDecodedDocument opened = DecodeDocument(typed, ocAuto, prompter);
    EXPECT_EQ(opened.CharType, sfctUTF8);
    EXPECT_EQ(opened.Lost, 0u);
    EXPECT_EQ(opened.Text, sjis);

    for (int charType : {sfctJIS, sfctEUC, sfctSJIS, sfctUnicode, sfctUnicodeBig, sfctUTF8}) {
        SCOPED_TRACE(charType);
        const std::string file = EncodeDocument(sjis, charType, sfrtLF, &lost);
        EXPECT_EQ(lost, 0u);
        const TDecodedDocument again = DecodeDocument(file, OpenCodeOfCharType(charType), prompter);
        EXPECT_EQ(again.Text, sjis);
        EXPECT_EQ(again.Lost, 0u);
        // As UTF-8, the characters are the code page's own, as iconv writes them.
        if (charType == sfctUTF8) EXPECT_EQ(file, qx::test::Iconv("UTF-8", "CP932", sjis).value_or("iconv failed"));
    }
}

// A UTF-8 file with one character beyond U+FFFF (an emoji) opens as UTF-8, with that character lost.
TEST(UnicodeCoding, Utf8FileWithAnEmojiOpensAsUtf8)
{
    test::ScriptedMessagePrompter prompter;
    const TDecodedDocument opened = DecodeDocument("日本語" + Bytes("F0 9F 98 80") + "です\n", ocAuto, prompter);
    EXPECT_EQ(opened.Status, TLoadStatus::Loaded);
    EXPECT_EQ(opened.CharType, sfctUTF8);
    EXPECT_EQ(opened.Text, Utf8ToCp932("日本語?です\n"));
    EXPECT_EQ(opened.Lost, 1u);
}
