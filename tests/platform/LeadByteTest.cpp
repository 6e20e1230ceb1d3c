#include "platform/LeadByte.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <string>

using namespace qx;
using qx::test::Bytes;

// "あ" (82 A0), "A", the full-width space (81 40), a lead byte that ends the text (81).
TEST(LeadByte, CharacterStartsFollowTheWalkFromTheStart)
{
    const std::string s = Bytes("82 A0 41 81 40 81");
    struct Case {
        std::size_t at;
        std::size_t start;   // CharStartAt(s, at)
        std::size_t before;  // CharStartBefore(s, at)
    };
    const Case cases[] = {
        {0, 0, 0}, {1, 0, 0}, {2, 2, 0}, {3, 3, 2}, {4, 3, 3}, {5, 5, 3}, {6, 6, 5}, {9, 6, 6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CharStartAt(s, c.at), c.start) << c.at;
        EXPECT_EQ(CharStartBefore(s, c.at), c.before) << c.at;
    }
    // A second byte that looks like a lead byte is still a trail: 82 82 | 41.
    EXPECT_EQ(CharStartAt(Bytes("82 82 41"), 1), 0u);
    EXPECT_EQ(CharStartAt(Bytes("82 82 41"), 2), 2u);
}

TEST(LeadByte, TrailBytesAndTheFullWidthSpace)
{
    EXPECT_TRUE(IsDBCSTrailByte(0x40));
    EXPECT_TRUE(IsDBCSTrailByte(0xFC));
    EXPECT_FALSE(IsDBCSTrailByte(0x7F));
    EXPECT_FALSE(IsDBCSTrailByte(0x3F));
    EXPECT_FALSE(IsDBCSTrailByte(0xFD));
    const std::string s = Bytes("81 40 20 81");
    EXPECT_TRUE(IsFullWidthSpaceAt(s, 0));
    EXPECT_FALSE(IsFullWidthSpaceAt(s, 1));
    EXPECT_FALSE(IsFullWidthSpaceAt(s, 3));  // a lone lead byte at the end
    EXPECT_FALSE(IsFullWidthSpaceAt(s, 9));
}
