#include "mainwindow/commands/TextConvert.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

std::string S(const char* Utf8) { return Utf8ToCp932(Utf8); }

TEST(WidthKana, ConversionsMapWhatTheCodePageHoldsAndKeepTheRest)
{
    using TConvert = std::string (*)(std::string_view);
    const struct {
        TConvert Convert;
        const char* In;
        const char* Out;
    } cases[] = {
        {ConvertToZenkaku, "aッz", "ａッｚ"},
        {ConvertToZenkaku, "ｶﾞｷﾞｸﾊﾟｳﾞ", "ガギクパヴ"},
        {ConvertToZenkaku, "A\\~ ", "Ａ￥～　"},
        {ConvertToZenkaku, "ﾞﾟ｡｢｣､･ｰ", "゛゜。「」、・ー"},
        // "ソ" and "表" end in the byte of a backslash: never a backslash of their own.
        {ConvertToZenkaku, "ソ表\\", "ソ表￥"},
        {ConvertToHankaku, "ａッｚ", "aｯz"},
        {ConvertToHankaku, "ガパヴー、。「」・", "ｶﾞﾊﾟｳﾞｰ､｡｢｣･"},
        {ConvertToHankaku, "漢字ひらがな￥＼", "漢字ひらがな￥\\"},
        {ConvertToHiragana, "カタカナヴヵヽ", "かたかなヴヵゝ"},
        {ConvertToHiragana, "ｶﾀｶﾅ", "ｶﾀｶﾅ"},
        {ConvertToKatakana, "ひらがなゝ漢", "ヒラガナヽ漢"},
        // Line ends stay as they are, one each.
        {ConvertToZenkaku, "a\r\nb\rc\nd", "ａ\r\nｂ\rｃ\nｄ"},
        {ConvertToHankaku, "Ａ\r\n", "A\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(Cp932ToUtf8(c.Convert(S(c.In))), c.Out) << c.In;
    // A lead byte at the very end is a character of its own and stays.
    EXPECT_EQ(ConvertToZenkaku("a\x83"), S("ａ") + "\x83");
}

TEST(WidthKana, ALongTextConvertsWholeInOnePass)
{
    const std::string text(200 * 1024, 'a');
    const std::string wide = ConvertToZenkaku(text);
    ASSERT_EQ(wide.size(), 2 * text.size());
    const std::string a = S("ａ");
    for (std::size_t i = 0; i < wide.size(); i += 2) ASSERT_EQ(wide.compare(i, 2, a), 0) << i;
    EXPECT_EQ(ConvertToHankaku(wide), text);
}

TEST(TextConvert, CaseAndLineBreaksTouchOnlySingleBytes)
{
    // "Ｂ" is 0x82 0x61: its trail byte is an "a".
    const std::string text = "xY" + S("Ｂ") + "z\r\n";
    EXPECT_EQ(UpperCaseText(text), "XY" + S("Ｂ") + "Z\r\n");
    EXPECT_EQ(LowerCaseText(text), "xy" + S("Ｂ") + "z\r\n");
    EXPECT_EQ(RemoveCR("a\r\nb\rc\n"), "a\nbc\n");
    EXPECT_EQ(RemoveLF("a\r\nb\rc\n"), "a\rb\rc");
    EXPECT_EQ(RemoveLineBreaks("a\r\nb\rc\n"), "abc");
}

TEST(TextConvert, EncloseAndHtml)
{
    EXPECT_EQ(EncloseText("abc", "[", "]"), "[abc]");
    EXPECT_EQ(EncloseText("a\r\nb", "[", "]"), "[a\r\nb]\r\n");
    EXPECT_EQ(EncloseText("a\r\nb\r\n", "[", "]"), "[a\r\nb]\r\n");
    EXPECT_EQ(EncloseText("a\nb", "[", "]"), "[a\nb]") << "one line without CR LF";

    EXPECT_EQ(HtmlEscape("a<b>&c&d"), "a&lt;b&gt;&amp;c&amp;d");
    EXPECT_EQ(HtmlEscape("&amp; \"q\""), "&amp; &quot;q&quot;");
}

TEST(TextConvert, LineNumberWidthsAndFormat)
{
    const struct {
        bool Auto;
        int Digits;
        long long Count;
        int Step;
        int Expected;
    } widths[] = {
        {true, 0, 9, 1, 1},       {true, 0, 10, 1, 2},    {true, 0, 150, 1, 3}, {true, 0, 50, 2, 3},
        {true, 0, 9999999, 1, 7}, {true, 0, 10000000, 1, 8}, {true, 0, 1LL << 40, 1, 8},
        {false, 1, 5000, 1, 1},   {false, 5, 3, 1, 5},    {false, 9, 3, 1, 8},
    };
    for (const auto& w : widths)
        EXPECT_EQ(LineNumberDigits(w.Auto, w.Digits, w.Count, w.Step), w.Expected) << w.Count << " " << w.Digits;
    EXPECT_EQ(FormatLineNumber(0, 1), "0");
    EXPECT_EQ(FormatLineNumber(7, 3), "007");
    EXPECT_EQ(FormatLineNumber(1234, 2), "1234");
    EXPECT_EQ(FormatLineNumber(-5, 3), "-005");
}

} // namespace
} // namespace qx
