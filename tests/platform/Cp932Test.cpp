#include "platform/Cp932.h"
#include "platform/Utf.h"
#include "support/Bytes.h"
#include "support/ExactBytes.h"
#include "support/RandomSjis.h"

#include <gtest/gtest.h>

#include <random>

using namespace qx;
using qx::test::Bytes;
using qx::test::ExactBytes;

TEST(Cp932, DecodesDefinedCodesAndSubstitutesBrokenOnes)
{
    struct Case {
        std::string sjis;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"A\\~", u"A\\~"},
        {Bytes("82 A0"), u"\u3042"},                      // あ
        {Bytes("81 5F 81 60 81 61"), u"\uFF3C\uFF5E\u2225"},
        {Bytes("B1"), u"\uFF71"},                          // ｱ
        {Bytes("F0 40 F9 FC"), u"\uE000\uE757"},           // user-defined area
        {Bytes("80 A0 FD FE FF"), u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"},
        {Bytes("85 40"), u"\u30FB"},                       // undefined double-byte code
        {Bytes("82"), u"\u30FB"},                          // lead byte at the end
        {Bytes("82 0A 41"), u"\u30FB\nA"},                 // broken lead keeps the line end
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    };
    for (const auto& c : cases) EXPECT_EQ(Cp932ToUtf16(c.sjis), c.utf16);
}

// Cp932ToUtf8 decodes in one pass of its own; it must give what the way through UTF-16 gives, for every
// byte with every byte after it, alone and at the end, and for long random texts whatever their runs.
TEST(Cp932, ToUtf8MatchesTheWayThroughUtf16)
{
    const auto slow = [](std::string_view s) { return Utf16ToUtf8(Cp932ToUtf16(s)); };
    for (unsigned b = 0; b < 0x100; ++b) {
        const std::string one(1, static_cast<char>(b));
        ASSERT_EQ(Cp932ToUtf8(ExactBytes(one)), slow(one)) << b;
        for (unsigned next = 0; next < 0x100; ++next) {
            const std::string text = "abcdefgh" + one + static_cast<char>(next) + one;
            ASSERT_EQ(Cp932ToUtf8(ExactBytes(text)), slow(text)) << b << " " << next;
        }
    }
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (const std::string& piece : qx::test::RandomSjisPieces(random, static_cast<int>(random() % 80))) text += piece;
        if (random() % 4 == 0) text += static_cast<char>(0x81 + random() % 0x1F);  // a lead byte at the end
        ASSERT_EQ(Cp932ToUtf8(ExactBytes(text)), slow(text)) << ::testing::PrintToString(text);
    }
}

TEST(Cp932, EncodesDuplicatesAsThePlatformDoesAndCountsLosses)
{
    struct Case {
        char32_t ch;
        int code;
    };
    const Case cases[] = {
        {0x2160, 0x8754},  // Ⅰ: NEC row 13 before IBM extension
        {0x2170, 0xFA40},  // ⅰ: IBM extension before NEC-selected
        {0xFFE2, 0x81CA},  // ￢: JIS row 2 first
        {0x2235, 0x81E6},  // ∵
        {0x7E8A, 0xFA5C},  // 纊
        {0x2252, 0x81E0},  // ≒
        {0x00A5, -1},      // ¥ has no code
        {0x1F600, -1},
        {0x0080, 0x80},
    };
    for (const auto& c : cases) EXPECT_EQ(UnicodeToCp932Code(c.ch), c.code) << std::hex << static_cast<unsigned>(c.ch);

    std::size_t lost = 99;
    EXPECT_EQ(Utf8ToCp932("日本語", &lost), Bytes("93 FA 96 7B 8C EA"));
    EXPECT_EQ(lost, 0u);
    EXPECT_EQ(Utf8ToCp932("a¥😀b", &lost), "a??b");
    EXPECT_EQ(lost, 2u);
    EXPECT_EQ(Utf16ToCp932(std::u16string(1, char16_t(0xD800)) + u"x", &lost), "?x");
}

TEST(Cp932, EveryDefinedCodeRoundTripsToItsPreferredCode)
{
    int defined = 0;
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        const int ch = Cp932CodeToUnicode(code);
        if (ch < 0) continue;
        ++defined;
        const int back = UnicodeToCp932Code(static_cast<char32_t>(ch));
        ASSERT_GE(back, 0) << std::hex << code;
        EXPECT_EQ(Cp932CodeToUnicode(static_cast<unsigned>(back)), ch) << std::hex << code;
    }
    EXPECT_GT(defined, 7000);
}

TEST(Utf, ConvertsAndReplacesInvalidInput)
{
    EXPECT_EQ(Utf8ToUtf16("a\xC3\xA9\xF0\x9F\x98\x80"), u"a\u00E9\U0001F600");
    EXPECT_EQ(Utf8ToUtf16("\xC3"), u"\uFFFD");            // truncated
    EXPECT_EQ(Utf8ToUtf16("\xE3\x81"), u"\uFFFD\uFFFD");  // truncated, each byte replaced
    EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // surrogate
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600\u00E9"), "\xF0\x9F\x98\x80\xC3\xA9");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}
