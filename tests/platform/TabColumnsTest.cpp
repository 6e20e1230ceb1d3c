#include "platform/TabColumns.h"

#include "platform/LeadByte.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace qx;

namespace {

// The columns character by character, as the walks from tab to tab must give them: the column where
// each byte starts, one more entry for the end.
std::vector<int> ColumnsOneByOne(const std::string& S, const TTabRule& Rule)
{
    std::vector<int> at(S.size() + 1, 0);
    int col = 0;
    for (std::size_t i = 0; i < S.size();) {
        at[i] = col;
        if (S[i] == '\t') {
            col = Rule.NextStop(col);
            ++i;
        } else if (CharLengthAt(S, i) == 2) {
            at[i + 1] = col + 1;
            col += 2;
            i += 2;
        } else {
            ++col;
            ++i;
        }
    }
    at[S.size()] = col;
    return at;
}

} // namespace

// Tab stops, wrap stops, double-byte characters, and tab bytes that are the second half of one (after
// an odd run of lead-range bytes).
TEST(TabColumns, WidthsBytesAndExpansionOfRowsWithTabs)
{
    const std::string a = "\x82\xa0";  // あ
    struct Case {
        std::string S;
        TTabRule Rule;
        int Width;
        std::string Expanded;
    };
    const Case cases[] = {
        {"", {8, 0}, 0, ""},
        {"abc", {8, 0}, 3, "abc"},
        {"\tx", {8, 0}, 9, "        x"},
        {"ab\tc\td", {4, 0}, 9, "ab  c   d"},
        {a + "\t" + a, {4, 0}, 6, a + "  " + a},
        {"\x81\t", {4, 0}, 2, "\x81\t"},              // the tab is the character's second byte
        {"\x81\x81\t", {4, 0}, 4, "\x81\x81  "},       // an even run: the tab is a tab
        {"x\x81\x81\x81\tb", {4, 0}, 6, "x\x81\x81\x81\tb"},
        {"\x81", {8, 0}, 1, "\x81"},                   // a lead byte that ends the row
        {"abcdef\tg", {8, 7}, 8, "abcdef g"},          // wrapped at 7: the tab stops at the wrap column
        {"abcdefgh\tx", {4, 10}, 11, "abcdefgh  x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.S));
        EXPECT_EQ(ColumnsOf(c.S, c.Rule), c.Width);
        EXPECT_EQ(ExpandTabs(c.S, c.Rule), c.Expanded);
        const std::vector<int> at = ColumnsOneByOne(c.S, c.Rule);
        EXPECT_EQ(at.back(), c.Width);
        for (int limit = 0; limit <= c.Width + 2; ++limit) {
            const int upTo = ColumnsUpTo(c.S, c.Rule, limit);
            if (c.Width < limit)
                EXPECT_EQ(upTo, c.Width) << "limit " << limit;
            else
                EXPECT_GE(upTo, limit) << "limit " << limit;
        }
    }
}

// Column to byte: on a tab's first cell the tab, on its other cells the byte after it, on a double-byte
// character's second cell its second byte, past the end the end; and the prefix up to each character
// is as wide as that character's column. Random rows of the shapes above, against a walk character by
// character.
TEST(TabColumns, ByteOfColumnAndPrefixWidthsAgreeWithAWalkCharacterByCharacter)
{
    const auto byteOneByOne = [](const std::string& S, const TTabRule& Rule, int Col) {
        int col = 0;
        for (std::size_t i = 0; i < S.size();) {
            const bool tab = S[i] == '\t';
            const std::size_t length = tab ? 1 : CharLengthAt(S, i);
            const int next = tab ? Rule.NextStop(col) : col + static_cast<int>(length);
            if (Col < next) return tab ? (Col == col ? i : i + 1) : i + static_cast<std::size_t>(Col - col);
            col = next;
            i += length;
        }
        return S.size();
    };
    const TTabRule rules[] = {{8, 0}, {4, 0}, {2, 0}, {4, 10}};
    std::mt19937 random(7);
    const char pieces[][3] = {"a", " ", "\t", "\x82\xa0", "\x81\x81", "\x81\t", "\x9f", "\xe0@", "0"};
    for (int round = 0; round < 300; ++round) {
        std::string s;
        const int n = static_cast<int>(random() % 24);
        for (int i = 0; i < n; ++i) s += pieces[random() % std::size(pieces)];
        for (const TTabRule& rule : rules) {
            SCOPED_TRACE(testing::PrintToString(s));
            const std::vector<int> at = ColumnsOneByOne(s, rule);
            ASSERT_EQ(ColumnsOf(s, rule), at.back());
            for (std::size_t b = 0; b < s.size(); b += std::max<std::size_t>(1, CharLengthAt(s, b)))
                EXPECT_EQ(ColumnsOf(std::string_view(s).substr(0, b), rule), at[b]) << "prefix " << b;
            for (int col = 0; col <= at.back() + 3; ++col)
                EXPECT_EQ(ByteOfColumn(s, rule, col), byteOneByOne(s, rule, col)) << "column " << col;
        }
    }
}

TEST(TabColumns, CharactersBeforeAColumnCountATabAndADoubleByteCharacterOnce)
{
    const TTabRule rule{4, 0};
    EXPECT_EQ(CharactersBeforeColumn("\tab", rule, 0), 0);
    EXPECT_EQ(CharactersBeforeColumn("\tab", rule, 4), 1);
    EXPECT_EQ(CharactersBeforeColumn("\tab", rule, 5), 2);
    EXPECT_EQ(CharactersBeforeColumn("\x82\xa0x", rule, 2), 1);
    EXPECT_EQ(CharactersBeforeColumn("ab", rule, 5), 5);  // each column past the end counts one
}
