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

