#include "editor/TextSearch.h"
#include "platform/Cp932.h"
#include "platform/LeadByte.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

using namespace qx;
using qx::test::Bytes;

namespace {

std::string Sjis(std::string_view utf8) { return Utf8ToCp932(utf8); }

// The match (pos, len) of a search from the selection (pos, len), or nothing.
std::optional<std::pair<int, int>> Find(const std::string& text, const std::string& pattern,
                                        TEditorSearchOptions options, int pos = 0, int len = 0)
{
    TSearchPosition position{pos, len};
    if (!SearchText(text, position, pattern, options)) return std::nullopt;
    return std::make_pair(position.Pos, position.Len);
}

using Match = std::optional<std::pair<int, int>>;
constexpr auto None = std::nullopt;
Match At(int pos, int len) { return std::make_pair(pos, len); }

constexpr TEditorSearchOptions Fwd = soForward;
constexpr TEditorSearchOptions Back = 0;

} // namespace

TEST(SearchText, NeverMatchesOnATrailByte)
{
    // "ア" is 83 41: the "A" of its trail byte followed by "B" is no match, in either direction and
    // whatever the case option.
    const std::string text = Bytes("83 41 42 20 41 42");
    for (TEditorSearchOptions options : {Fwd, Back, TEditorSearchOptions(Fwd | soMatchCase)}) {
        const int from = (options & soForward) ? 0 : static_cast<int>(text.size());
        EXPECT_EQ(Find(text, "AB", options, from), At(4, 2)) << options;
        EXPECT_EQ(Find(text.substr(0, 3), "AB", options, (options & soForward) ? 0 : 3), None) << options;
    }
    // A forward start inside a character moves on to the next one.
    EXPECT_EQ(Find(Sjis("アア"), Sjis("ア"), Fwd, 1), At(2, 2));
}

TEST(SearchText, StepsFromTheSelectionInEitherDirection)
{
    const std::string text = "abc abc abc";
    EXPECT_EQ(Find(text, "abc", Fwd, 4, 3), At(8, 3));  // after the selection
    EXPECT_EQ(Find(text, "abc", Fwd, 8, 3), None);
    EXPECT_EQ(Find(text, "abc", Back, 4, 3), At(0, 3));  // before it, not the selection itself
    EXPECT_EQ(Find(text, "abc", Back, 8, 3), At(4, 3));
    EXPECT_EQ(Find(text, "abc", Back, 11, 0), At(8, 3));
    EXPECT_EQ(Find(text, "abc", Back, 2, 0), None);
    EXPECT_EQ(Find(text, "bc a", Fwd, 0, 0), At(1, 4));
}

TEST(SearchText, RejectsBadInput)
{
    EXPECT_EQ(Find("abc", "", Fwd), None);
    EXPECT_EQ(Find("", "a", Fwd), None);
    EXPECT_EQ(Find("abc", "a", Fwd, -1), None);
    EXPECT_EQ(Find("abc", "a", Fwd, 4), None);
    EXPECT_EQ(Find("abc", "a", Fwd, 0, -1), None);
    EXPECT_EQ(Find("abc", "c", Fwd, 3), None);
    EXPECT_EQ(Find("abc", "c", Fwd, 1, 5), None);  // a selection past the end: nothing after it
}

TEST(SearchText, FoldsCaseUnlessMatchingCase)
{
    struct Case {
        std::string text, pattern;
        bool folded;  // found without match case; never found with it
    };
    const Case cases[] = {
        {"xHello", "hELLO", true},
        {Sjis("xＢ"), Sjis("ｂ"), true},
        {Sjis("xａ"), Sjis("Ａ"), true},
        {Sjis("xΩ"), Sjis("ω"), true},
        {Sjis("xЁ"), Sjis("ё"), true},
        {Sjis("xО"), Sjis("о"), true},  // lower case after the gap at 84 7F
        {Sjis("xＡ"), "a", false},         // width differs
        {Sjis("xア"), Sjis("あ"), false},  // katakana and hiragana are no case pair
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Find(c.text, c.pattern, Fwd).has_value(), c.folded) << c.pattern;
        EXPECT_EQ(Find(c.text, c.pattern, Fwd | soMatchCase), None) << c.pattern;
        EXPECT_TRUE(Find(c.text, c.text.substr(1), Fwd | soMatchCase).has_value()) << c.pattern;
    }
}

TEST(SearchText, RomanNumeralsFoldAcrossCaseAndCodeSets)
{
    // "Ⅲ": NEC 87 56, IBM FA 4C; "ⅲ": NEC-selected EE F1, IBM FA 42. The codec writes 87 56 and FA 42,
    // which no lead-byte pairing could join.
    EXPECT_EQ(Sjis("Ⅲ"), Bytes("87 56"));
    EXPECT_EQ(Sjis("ⅲ"), Bytes("FA 42"));
    const std::string three[] = {Bytes("87 56"), Bytes("FA 4C"), Bytes("EE F1"), Bytes("FA 42")};
    for (const auto& text : three) {
        for (const auto& pattern : three) {
            EXPECT_TRUE(Find(text, pattern, Fwd).has_value());
            EXPECT_EQ(Find(text, pattern, Fwd | soMatchCase).has_value(), text == pattern);
        }
        EXPECT_EQ(Find(text, Bytes("87 57"), Fwd), None);  // "Ⅳ"
    }
    for (unsigned k = 0; k < 10; ++k) {
        EXPECT_TRUE(SameFoldedChar(0x8754 + k, 0xFA40 + k)) << k;
        EXPECT_TRUE(SameFoldedChar(0xEEEF + k, 0xFA4A + k)) << k;
        EXPECT_FALSE(SameFoldedChar(0x8754 + k, 0xFA41 + k)) << k;
    }
}

TEST(SearchText, WidthFoldingMatchesHalfAndFullWidthBothWays)
{
    const TEditorSearchOptions width = Fwd | soIgnoreWidth;
    struct Case {
        std::string text, pattern;
        Match match;
    };
    const Case cases[] = {
        {Sjis("xガy"), Sjis("ｶﾞ"), At(1, 2)},
        {Sjis("xｶﾞy"), Sjis("ガ"), At(1, 2)},
        {Sjis("xﾊﾟ"), Sjis("パ"), At(1, 2)},
        {Sjis("xヴ"), Sjis("ｳﾞ"), At(1, 2)},
        {Sjis("xｶﾞ"), Sjis("カ"), None},  // the voiced letter is one character
        {Sjis("ｶｷ"), Sjis("カキ"), At(0, 2)},
        {Sjis("ＡＢＣ"), "abc", At(0, 6)},
        {"abc", Sjis("ＡＢＣ"), At(0, 3)},
        {Sjis("「ｱ」"), Sjis("｢ア｣"), At(0, 5)},
    };
    for (const auto& c : cases) EXPECT_EQ(Find(c.text, c.pattern, width), c.match) << c.pattern;
    EXPECT_EQ(Find(Sjis("xガ"), Sjis("ｶﾞ"), Fwd), None);
    EXPECT_EQ(Find(Sjis("ＡＢＣ"), "abc", width | soMatchCase), None);
    EXPECT_EQ(Find(Sjis("ａｂｃ"), "abc", width | soMatchCase), At(0, 6));

    // Backward, the first candidate lies the pattern's length in characters before the selection.
    const std::string text = Sjis("ｶﾞｶﾞ");
    EXPECT_EQ(Find(text, Sjis("ガ"), soIgnoreWidth, 4), At(2, 2));
    EXPECT_EQ(Find(text, Sjis("ガ"), soIgnoreWidth, 2), At(0, 2));
}

TEST(SearchText, SkippedBlanksAndLineEndsCountInTheMatch)
{
    struct Case {
        std::string text, pattern;
        TEditorSearchOptions options;
        Match match;
    };
    const Case cases[] = {
        {Sjis("xa　b"), "ab", soSkipBlanks, At(1, 4)},
        {"xa \tb", "ab", soSkipBlanks, At(1, 4)},
        {"xa\r\nb", "ab", soSkipLineEnds, At(1, 4)},
        {"xa\r\nb", "ab", soSkipBlanks, None},
        {"a \r\n b", "ab", soSkipBlanks | soSkipLineEnds, At(0, 6)},
        {" ab ", "ab", soSkipBlanks, At(1, 2)},  // never begins or ends with a skipped byte
        {"a b", "a b", soSkipBlanks, At(0, 3)},   // a blank of the pattern still matches itself
        {"a  b", "a b", soSkipBlanks, At(0, 4)},
    };
    for (const auto& c : cases) EXPECT_EQ(Find(c.text, c.pattern, Fwd | c.options), c.match) << c.text;
}

TEST(SearchText, WholeWordsJudgeTheWholeNeighbouringCharacters)
{
    const TEditorSearchOptions word = Fwd | soWholeWord;
    EXPECT_EQ(Find("concat cat", "cat", word), At(7, 3));
    EXPECT_EQ(Find("cat, cats", "cat", word, 0, 3), None);
    EXPECT_EQ(Find("(cat)", "cat", word), At(1, 3));
    EXPECT_EQ(Find("cat", "cat", soWholeWord, 3), At(0, 3));
    // "表" is 95 5C: its trail byte is "\", a boundary byte, but the character before the candidate is
    // a double-byte character and so a word character.
    EXPECT_EQ(Find(Sjis("表cat cat"), "cat", word), At(6, 3));
    EXPECT_EQ(Find(Sjis("cat表 cat"), "cat", word), At(6, 3));
    EXPECT_EQ(Find(Sjis("ｶcat cat"), "cat", word), At(5, 3));  // half-width katakana is a letter
    EXPECT_EQ(Find(Sjis("｡cat"), "cat", word), At(1, 3));      // half-width punctuation is not
}

TEST(SearchText, WholeWordsEndAtExactlyTheBoundaryBytes)
{
    // Every single-byte character on either side of a word: the word is found exactly when that byte
    // is a boundary byte (controls and space, ASCII punctuation, 0x7F, 0x80, 0xA0-0xA5, 0xFD-0xFF).
    const auto boundary = [](unsigned b) {
        return b <= 0x20 || (b >= 33 && b <= 47) || (b >= 58 && b <= 64) || (b >= 91 && b <= 96) ||
               (b >= 123 && b <= 127) || b == 0x80 || (b >= 0xA0 && b <= 0xA5) || b >= 0xFD;
    };
    const TEditorSearchOptions word = soForward | soWholeWord;
    for (unsigned b = 0; b < 256; ++b) {
        if (IsDBCSLeadByte(static_cast<unsigned char>(b))) continue;  // it would join the next byte
        const std::string c(1, static_cast<char>(b));
        const Match expected = boundary(b) ? Match(At(1, 3)) : None;
        EXPECT_EQ(Find(c + "cat", "cat", word), expected) << "before: " << b;
        EXPECT_EQ(Find(" cat" + c, "cat", word), expected) << "after: " << b;
        EXPECT_EQ(Find("cat" + c + "cat", "cat", word | soMatchCase, 3), boundary(b) ? Match(At(4, 3)) : None)
            << "between: " << b;
    }
}

TEST(HalfToFullKana, ConvertsEverySingleByteCharacter)
{
    EXPECT_EQ(HalfToFullKana(Sjis("ｱｶﾞﾊﾟｳﾞｱﾞ1a ~\"'｡")), Sjis("アガパヴア゛１ａ　～”’。"));
    EXPECT_EQ(HalfToFullKana(Sjis("漢") + "\t\r\n" + Bytes("80 A0 FD 82")), Sjis("漢") + "\t\r\n" + Bytes("80 A0 FD 82"));
}

TEST(JisToSjis, FollowsThePublishedConversion)
{
    const std::pair<unsigned, unsigned> known[] = {
        {0x2121, 0x8140}, {0x215F, 0x817E}, {0x2160, 0x8180}, {0x217E, 0x819E}, {0x2221, 0x819F},
        {0x2422, 0x82A0}, {0x3021, 0x889F}, {0x5E7E, 0x9FFC}, {0x5F21, 0xE040}, {0x7426, 0xEAA4},
    };
    for (const auto& [jis, sjis] : known) EXPECT_EQ(JisToSjis(jis), sjis) << std::hex << jis;
    // One to one onto valid double-byte codes.
    std::set<unsigned> seen;
    for (unsigned row = 0x21; row <= 0x7E; ++row)
        for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
            const unsigned code = JisToSjis(row << 8 | cell);
            const unsigned trail = code & 0xFF;
            EXPECT_TRUE(IsDBCSLeadByte(static_cast<unsigned char>(code >> 8)));
            EXPECT_TRUE(trail >= 0x40 && trail <= 0xFC && trail != 0x7F);
            seen.insert(code);
        }
    EXPECT_EQ(seen.size(), 94u * 94u);
}
