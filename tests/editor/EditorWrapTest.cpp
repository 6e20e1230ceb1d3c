#include "editor/EditorWrap.h"

#include "platform/Cp932.h"
#include "platform/LeadByte.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <random>

using namespace qx;
using qx::test::Bytes;

namespace {

std::string S(std::string_view utf8) { return Utf8ToCp932(utf8); }
std::string A(int n) { return std::string(static_cast<std::size_t>(n), 'a'); }

enum Flags { kNone = 0, kRetMark = 1, kPunct = 2, kLeading = 4, kWordBreak = 8 };

// The rows of Line wrapped at 20 columns, as "text|attribute" with the text back in UTF-8.
std::vector<std::string> Wrap20(const std::string& Line, int Flags)
{
    TEditorWrapOption option;
    option.SetWrapByte(20);
    option.SetFollowRetMark(Flags & kRetMark);
    option.SetFollowPunctuation(Flags & kPunct);
    option.SetLeading(Flags & kLeading);
    option.SetWordBreak(Flags & kWordBreak);
    TWrapRules rules;
    rules.Layout.WordWrap = true;
    rules.Layout.WrapByte = 20;
    rules.Option = &option;
    std::vector<std::string> rows;
    const int count = WrapLine(Line, rules, [&](std::size_t offset, std::size_t length, int attribute) {
        rows.push_back(Cp932ToUtf8(Line.substr(offset, length)) + "|" + std::to_string(attribute));
    });
    EXPECT_EQ(count, static_cast<int>(rows.size()));
    return rows;
}

using Rows = std::vector<std::string>;

} // namespace

TEST(WrapLine, CutsAtTwentyColumnsUnderEachRule)
{
    const std::string a19 = Cp932ToUtf8(A(19)), a20 = Cp932ToUtf8(A(20)), a18 = Cp932ToUtf8(A(18));
    const std::string a16 = Cp932ToUtf8(A(16)), a17 = Cp932ToUtf8(A(17));
    struct Case {
        const char* name;
        std::string line;
        int flags;
        Rows rows;
    };
    const Case cases[] = {
        {"short line", A(19), kNone, {a19 + "|0"}},
        {"empty line", "", kNone, {"|0"}},
        {"exact fill opens an empty row", A(20), kNone, {a20 + "|1", "|0"}},
        {"exact fill keeps its line end", A(20), kRetMark, {a20 + "|0"}},
        {"one column over", A(21), kNone, {a20 + "|1", "a|0"}},
        {"two rows and a rest", A(45), kNone, {a20 + "|1", a20 + "|1", "aaaaa|0"}},
        // A double-byte character in columns 20-21 moves whole to the next row.
        {"double-byte at the edge", A(19) + S("あ") + "b", kNone, {a19 + "|1", "あb|0"}},
        {"double-byte ending at the edge", A(18) + S("あい"), kNone, {a18 + "あ|1", "い|0"}},
        // Punctuation hangs past the wrap column, two columns at most.
        {"full-width comma hangs", A(20) + S("、") + "b", kPunct, {a20 + "、|1", "b|0"}},
        {"without hanging", A(20) + S("、") + "b", kNone, {a20 + "|1", "、b|0"}},
        {"two half-width commas hang", A(20) + ",,,b", kPunct, {a20 + ",,|1", ",b|0"}},
        {"hanging fills the line", A(20) + S("。"), kPunct, {a20 + "。|1", "|0"}},
        // An opening bracket does not end a row.
        {"opening bracket moves down", A(18) + S("「") + "bbbb", kLeading, {a18 + "|1", "「bbbb|0"}},
        {"opening bracket stays without the rule", A(18) + S("「") + "bbbb", kNone, {a18 + "「|1", "bbbb|0"}},
        // A closing mark does not begin a row: it takes a character from the row before along.
        {"closing bracket pulls one character", A(20) + S("」") + "bb", kLeading, {a19 + "|1", "a」bb|0"}},
        {"closing run stops above four fifths", A(16) + S("」」」」」"), kLeading,
         {a16 + "」|1", "」」」」|0"}},
        {"one column left after the cut", A(20) + ")", kLeading, {a20 + "|1", ")|0"}},
        // Word break: back to the last delimiter after a third of the row.
        {"word break at a blank", A(8) + " " + A(15), kWordBreak, {Cp932ToUtf8(A(8)) + " |1", Cp932ToUtf8(A(15)) + "|0"}},
        {"word break after a double-byte character", A(10) + S("あ") + A(12), kWordBreak,
         {Cp932ToUtf8(A(10)) + "あ|1", Cp932ToUtf8(A(12)) + "|0"}},
        {"a long word breaks at the wrap column", "aaaa " + A(30), kWordBreak,
         {"aaaa " + Cp932ToUtf8(A(15)) + "|1", Cp932ToUtf8(A(15)) + "|0"}},
        {"no word break when the line fits exactly", A(8) + " " + A(11), kWordBreak,
         {Cp932ToUtf8(A(8)) + " " + Cp932ToUtf8(A(11)) + "|1", "|0"}},
        // A tab's padding stops at the wrap column.
        {"tab padding at the limit", A(17) + "\tbb", kNone, {a17 + "\t|1", "bb|0"}},
        {"tab in the last column", A(19) + "\tb", kNone, {a19 + "\t|1", "b|0"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Wrap20(c.line, c.flags), c.rows) << c.name;
}

TEST(WrapLine, NarrowColumnsTakeAWholeCharacterEachRow)
{
    // The printer wraps at its column's width, which may be this small: every row still takes a whole
    // character, so the wrap ends and no double-byte character is split.
    const std::string lines[] = {"ab", S("あい"), S("あ") + "b" + S("い"), "a\tb", S("「あ」、") + "x"};
    for (const int width : {0, 1, 2}) {
        for (const int flags : {int{kNone}, kPunct | kLeading | kWordBreak}) {
            for (const std::string& line : lines) {
                SCOPED_TRACE("width " + std::to_string(width) + ", flags " + std::to_string(flags) + ": " +
                             Cp932ToUtf8(line));
                TEditorWrapOption option;
                option.SetFollowPunctuation(flags & kPunct);
                option.SetLeading(flags & kLeading);
                option.SetWordBreak(flags & kWordBreak);
                TWrapRules rules;
                rules.Layout.WordWrap = true;
                rules.Layout.WrapByte = width;
                rules.Option = &option;
                std::vector<bool> starts(line.size() + 1, false);
                for (std::size_t i = 0; i <= line.size(); i += i < line.size() ? CharLengthAt(line, i) : 1)
                    starts[i] = true;
                std::size_t offset = 0;
                while (offset < line.size()) {
                    const int cut = WrapCut(std::string_view(line).substr(offset), rules);
                    if (cut < 0) break;
                    ASSERT_GT(cut, 0) << "at " << offset;
                    offset += static_cast<std::size_t>(cut);
                    ASSERT_LE(offset, line.size());
                    EXPECT_TRUE(starts[offset]) << "a character split at " << offset;
                }
                std::string joined;
                const int rows = WrapLine(line, rules, [&](std::size_t at, std::size_t length, int) {
                    EXPECT_EQ(at, joined.size());
                    joined += line.substr(at, length);
                });
                EXPECT_EQ(joined, line);
                EXPECT_LE(rows, static_cast<int>(line.size()) + 1);
            }
        }
    }
    // An empty line is one empty row at any width.
    TEditorWrapOption option;
    TWrapRules rules{TRowLayout{}, &option};
    rules.Layout.WordWrap = true;
    rules.Layout.WrapByte = 0;
    EXPECT_EQ(WrapCut("", rules), -1);
}

TEST(WrapLine, WithoutWordWrapALineIsOneRow)
{
    TEditorWrapOption option;
    TWrapRules rules;
    rules.Option = &option;
    int rows = 0;
    WrapLine(A(5000), rules, [&](std::size_t offset, std::size_t length, int attribute) {
        EXPECT_EQ(offset, 0u);
        EXPECT_EQ(length, 5000u);
        EXPECT_EQ(attribute, 0);
        ++rows;
    });
    EXPECT_EQ(rows, 1);
}

TEST(RowAttributeString, DescribesEveryColumn)
{
    TRowLayout layout;
    layout.TabSpaceCount = 4;
    struct Case {
        std::string text;
        std::string attributes;
    };
    const Case cases[] = {
        {"ab c", "1121"},
        {Bytes("82 A0 41"), "451"},
        {Bytes("41 82"), "11"},  // a lone lead byte at the end is a single-byte character
        {"a\tb", "1233" "1"},
        {"abc\td", "1112" "1"},
        {"abcd\te", "1111" "2333" "1"},
        {"_x@", "112"},
        {Bytes("A6 A1"), "12"},  // half-width katakana are word characters, their punctuation is not
    };
    for (const Case& c : cases) EXPECT_EQ(RowAttributeString(c.text, layout), c.attributes) << c.text;

    // With word wrap a tab stops at the wrap column, and the description stops at WrapByte + 3.
    layout.TabSpaceCount = 8;
    layout.WordWrap = true;
    layout.WrapByte = 20;
    EXPECT_EQ(RowAttributeString(A(17) + "\t", layout), std::string(17, '1') + "233");
    EXPECT_EQ(RowAttributeString(A(100), layout).size(), 23u);
}

TEST(RowAttributeString, NeverRunsPastColumnTwoThousand)
{
    TRowLayout layout;
    EXPECT_EQ(RowAttributeString(A(3000), layout).size(), 2000u);
    // A double-byte character that starts in column 2000 keeps both halves.
    const std::string text = A(1999) + Bytes("82 A0") + A(10);
    const std::string attributes = RowAttributeString(text, layout);
    EXPECT_EQ(attributes.size(), 2001u);
    EXPECT_EQ(attributes.substr(1998), "145");
    EXPECT_EQ(RowAttributeString(A(1995) + "\t" + A(10), layout).size(), 2000u);
}

TEST(TEditorAttributeArray, WalksColumnsAndBytes)
{
    const std::string text = "a" + Bytes("82 A0") + "\tb";
    TRowLayout layout;
    layout.TabSpaceCount = 8;
    TEditorAttributeArray a(text, RowAttributeString(text, layout));
    EXPECT_EQ(a.AttrStr, "145233331" "0");
    EXPECT_EQ(a.ColCount(), 9);
    EXPECT_EQ(a.CurChar(), "a");
    EXPECT_EQ(a.NextChar(), Bytes("82 A0"));
    a.MoveTo(3);  // the trail byte
    EXPECT_EQ(a.Index, 3);
    EXPECT_EQ(a.CurChar(), Bytes("82 A0"));
    EXPECT_EQ(a.NextChar(), "\t");
    a.MoveTo(6);  // inside the tab's padding
    EXPECT_EQ(a.Attr(), '3');
    EXPECT_EQ(a.Index, 4);
    EXPECT_EQ(a.CurChar(), "\t");
    a.MoveTo(100);
    EXPECT_EQ(a.Attr(), '0');
    EXPECT_EQ(a.Pos, 10);
    EXPECT_EQ(a.Index, 5);
    EXPECT_EQ(a.CurChar(), "");
    a.Next();
    EXPECT_EQ(a.Pos, 10);
    a.MoveTo(1);
    EXPECT_EQ(a.Index, 1);
    a.Prior();
    EXPECT_EQ(a.Pos, 1);
}

TEST(TEditorWrapOption, ClampsWrapByteAndAssignsTheRulesOnce)
{
    TEditorWrapOption option;
    EXPECT_EQ(option.WrapByte(), 80);
    EXPECT_EQ(option.FollowStr().substr(0, 4), S("、。"));
    int changes = 0;
    option.OnChange = [&](TObject*) { ++changes; };
    option.SetWrapByte(5);
    EXPECT_EQ(option.WrapByte(), 20);
    option.SetWrapByte(5000);
    EXPECT_EQ(option.WrapByte(), 2000);
    option.SetWrapByte(2000);
    EXPECT_EQ(changes, 2);

    TEditorWrapOption other;
    other.SetWordBreak(true);
    other.SetLeadStr("(");
    other.SetWrapLineVisible(true);
    other.SetWrapLineColor(255);
    option.Assign(other);
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(option.WordBreak());
    EXPECT_EQ(option.LeadStr(), "(");
    EXPECT_EQ(option.WrapByte(), 80);
    EXPECT_FALSE(option.WrapLineVisible());
    EXPECT_EQ(option.WrapLineColor(), 0);
}

TEST(TEditorWrapOption, DefaultsHaveNoUnmappedCharacters)
{
    for (const char* text : {"、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ", "（［｛「『([{｢", "、。，．,.｡､"}) {
        std::size_t lost = 0;
        Utf8ToCp932(text, &lost);
        EXPECT_EQ(lost, 0u) << text;
    }
}

TEST(WrapLine, TheCutByBytesAgreesWithTheColumnWalk)
{
    // A line without tabs near the wrap column is cut on its bytes; the walk over the column description
    // is the reference. Lines of pieces that the rules look at: delimiters and letters, double-byte
    // characters whose both bytes can lead (a long run of lead-capable bytes), a lead byte alone at the
    // line's end, half-width kana, brackets and punctuation of both widths; tabs now and then, which
    // send the line (or what is left of it) to the walk.
    const std::string pieces[] = {"a", "b", " ", ",", ".", "(", ")", Bytes("82 A0"), Bytes("88 9F"), Bytes("E0 E0"),
                                  Bytes("82"), Bytes("B1"), Bytes("A1"), S("、"), S("。"), S("「"), S("」"), S("（"),
                                  S("）"), S("￥"), S("ー"), S("ぁ"), "\t"};
    const std::size_t noTab = std::size(pieces) - 1;
    const std::string presets[][3] = {
        {S("、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ"), S("（［｛「『([{｢"), S("、。，．,.｡､")},
        {S("、。・ーぁ」）!),.") + Bytes("E0 E0"), S("「（￥([") + Bytes("88 9F"), S("、。,.") + Bytes("82")},
        {"", "", ""},
    };
    std::mt19937 rng(11);
    for (const int width : {8, 9, 10, 13, 20, 21, 33, 80}) {
        for (int flags = 0; flags < 8; ++flags) {
            for (const auto& preset : presets) {
                TEditorWrapOption option;
                option.SetWordBreak(flags & 1);
                option.SetFollowPunctuation(flags & 2);
                option.SetLeading(flags & 4);
                option.SetFollowStr(preset[0]);
                option.SetLeadStr(preset[1]);
                option.SetPunctuationStr(preset[2]);
                TWrapRules rules;
                rules.Layout.WordWrap = true;
                rules.Layout.WrapByte = width;
                rules.Option = &option;
                for (int n = 0; n < 80; ++n) {
                    std::string line;
                    const int count = static_cast<int>(rng() % static_cast<unsigned>(3 * width));
                    const std::size_t kinds = n % 4 == 0 ? std::size(pieces) : noTab;
                    // Runs of one piece too, so that a word or a run of brackets meets the wrap column.
                    for (int i = 0; i < count;) {
                        const std::string& piece = pieces[rng() % kinds];
                        const int repeat = rng() % 4 == 0 ? static_cast<int>(rng() % 12) + 1 : 1;
                        for (int r = 0; r < repeat && i < count; ++r, ++i) line += piece;
                    }
                    // Every cut from every character start, not only the ones a wrap reaches.
                    for (std::size_t at = 0; at < line.size(); at += CharLengthAt(line, at)) {
                        const std::string_view rest = std::string_view(line).substr(at);
                        ASSERT_EQ(WrapCut(rest, rules), WrapCutByColumns(rest, rules))
                            << "width " << width << ", flags " << flags << ", line "
                            << ::testing::PrintToString(std::string(rest));
                    }
                }
            }
        }
    }
}
