#include "editor/EditorUtils.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

using namespace qx;
using qx::test::Bytes;

TEST(EditorUtils, LeadAndTrailFollowTheWalkFromTheStart)
{
    struct Case {
        std::string text;
        int index;
        bool lead, trail;
    };
    const Case cases[] = {
        {Bytes("82 A0 41"), 0, true, false},
        {Bytes("82 A0 41"), 1, false, true},
        {Bytes("82 A0 41"), 2, false, false},
        // 81 81 | 81 41: byte 2 is a lead byte again, byte 1 and byte 3 are trail bytes.
        {Bytes("81 81 81 41"), 1, false, true},
        {Bytes("81 81 81 41"), 2, true, false},
        {Bytes("81 81 81 41"), 3, false, true},
        // A lead byte that ends the string is a single-byte character.
        {Bytes("41 82"), 1, false, false},
        {Bytes("41 82"), -1, false, false},
        {Bytes("41 82"), 2, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsLeadByteAt(c.text, c.index), c.lead) << c.index;
        EXPECT_EQ(IsTrailByteAt(c.text, c.index), c.trail) << c.index;
    }
    EXPECT_EQ(CharAt("ab", 1), 'b');
    EXPECT_EQ(CharAt("ab", 2), 0);
    EXPECT_EQ(CharAt("ab", -1), 0);
}

TEST(EditorUtils, DBCSContainsMatchesOnlyAtCharacterBoundaries)
{
    EXPECT_TRUE(DBCSContains(Bytes("40"), Bytes("41 40")));
    EXPECT_FALSE(DBCSContains(Bytes("40"), Bytes("81 40")));
    EXPECT_TRUE(DBCSContains(Bytes("40"), Bytes("81 40 40")));
    EXPECT_TRUE(DBCSContains(Bytes("81 40"), Bytes("41 81 40")));
    EXPECT_FALSE(DBCSContains(Bytes("81 41"), Bytes("81 81 41")));
    EXPECT_FALSE(DBCSContains("", "abc"));
    EXPECT_FALSE(DBCSContains("abcd", "abc"));
}

TEST(EditorUtils, CountCharCountsWithinTheBound)
{
    EXPECT_EQ(CountChar("a\tb\tc", '\t', 3), 1);
    EXPECT_EQ(CountChar("a\tb\tc", '\t', 100), 2);
    EXPECT_EQ(CountChar("a\tb", '\t', 0), 0);
}

TEST(EditorUtils, LeadingBlanks)
{
    EXPECT_EQ(LeadingBlankWidth("  a"), 2);
    EXPECT_EQ(LeadingBlankWidth(Bytes("81 40") + "a"), 2);
    EXPECT_EQ(LeadingBlankWidth("\ta"), 0);
    EXPECT_EQ(LeadingBlankWidth(""), -1);
    EXPECT_EQ(LeadingBlankWidth(" " + Bytes("81 40") + " "), 4);
    EXPECT_EQ(LeadingBlankWidth(Bytes("81")), 0);  // a lone lead byte is not a blank
    EXPECT_EQ(TrimLeadingBlanks("\t" + Bytes("81 40") + "a"), "a");
    EXPECT_EQ(TrimLeadingBlanks(Bytes("81 40 81")), Bytes("81"));
    EXPECT_EQ(TrimLeadingBlanks("   "), "");
}

TEST(EditorUtils, TextToStringsEndsLinesAtEveryLineEnd)
{
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a\r\nb", {"a", "b"}},
        {"a\n", {"a"}},
        {"a\rb", {"a", "b"}},
        {"a\n\nb\r\n", {"a", "", "b"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        TStringList list;
        list.Add("old");
        TextToStrings(c.text, list);
        EXPECT_EQ(list.Items(), c.lines) << c.text;
    }
    TStringList list;
    list.Add("old");
    TextToStrings(nullptr, list);
    EXPECT_EQ(list.Count(), 0);
}
