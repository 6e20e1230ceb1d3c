#include "regexp/REScanner.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <vector>

using namespace qx;
using qx::test::Bytes;

namespace {

struct Tok {
    REToken_t token;
    unsigned ch;
    unsigned chEnd = 0;
    bool operator==(const Tok& o) const { return token == o.token && ch == o.ch && chEnd == o.chEnd; }
};

std::ostream& operator<<(std::ostream& os, const Tok& t)
{
    return os << "{" << t.token << ", " << std::hex << t.ch << ", " << t.chEnd << "}";
}

std::vector<Tok> Scan(const std::string& pattern)
{
    TREScanner s(pattern);
    std::vector<Tok> out;
    for (;;) {
        const REToken_t t = s.GetToken();
        if (t == retk_End) break;
        out.push_back({t, s.Char(), t == retk_CharRange ? s.CharEnd() : 0u});
    }
    return out;
}

} // namespace

TEST(REScanner, TokensOutsideAndInsideClasses)
{
    struct Case {
        std::string pattern;
        std::vector<Tok> tokens;
    };
    const Case cases[] = {
        {"a|(b)*+?.^$]", {{retk_Char, 'a'}, {retk_Union, '|'}, {retk_LPar, '('}, {retk_Char, 'b'},
                          {retk_RPar, ')'}, {retk_Star, '*'}, {retk_Plus, '+'}, {retk_QMark, '?'},
                          {retk_Dot, '.'}, {retk_LHead, '^'}, {retk_LTail, '$'}, {retk_RBra, ']'}}},
        // \x reads up to four digits; the digit that does not fit stays a character.
        {"a\\x41", {{retk_Char, 'a'}, {retk_Char, 'A'}}},
        {"\\x41BCDE", {{retk_Char, 0x41BC}, {retk_Char, 'D'}, {retk_Char, 'E'}}},
        {"\\x4g", {{retk_Char, 4}, {retk_Char, 'g'}}},
        {"\\101\\0\\1777777", {{retk_Char, 'A'}, {retk_Char, 0}, {retk_Char, 0xFFFF}, {retk_Char, '7'}}},
        {"\\b\\r\\n\\t\\.\\\\\\q", {{retk_Char, 8}, {retk_Char, 13}, {retk_Char, 10}, {retk_Char, 9},
                                    {retk_Char, '.'}, {retk_Char, '\\'}, {retk_Char, 'q'}}},
        // A class: "^" only right after "[" negates; "-" before "]" is a character.
        {"[a-]", {{retk_LBra, '['}, {retk_Char, 'a'}, {retk_Char, '-'}, {retk_RBra, ']'}}},
        {"[^^a-c\\]-\\x7e]", {{retk_LBraNegative, '['}, {retk_Char, '^'}, {retk_CharRange, 'a', 'c'},
                              {retk_CharRange, ']', '~'}, {retk_RBra, ']'}}},
        {"[*|(]", {{retk_LBra, '['}, {retk_Char, '*'}, {retk_Char, '|'}, {retk_Char, '('}, {retk_RBra, ']'}}},
        // Double-byte characters, also where the trail byte is a metacharacter (ソ is 83 5C, 表 95 5C).
        {Bytes("83 5C 95 5C 2A"), {{retk_Char, 0x835C}, {retk_Char, 0x955C}, {retk_Star, '*'}}},
        {Bytes("5B 83 41 2D 83 93 5D"), {{retk_LBra, '['}, {retk_CharRange, 0x8341, 0x8393}, {retk_RBra, ']'}}},
    };
    for (const auto& c : cases) EXPECT_EQ(Scan(c.pattern), c.tokens) << c.pattern;
}

TEST(REScanner, ErrorsCarryTheirMessageAndPosition)
{
    struct Case {
        std::string pattern;
        const char* message;
        int position;
    };
    const Case cases[] = {
        {Bytes("61 82"), REMsg::BadDBCS, 3},
        {"ab\\", REMsg::NeedCharAfterYen, 4},
        {"\\xg", REMsg::BadHex, 3},
        {"\\x", REMsg::BadHex, 3},
        {"\\7777777", REMsg::BadOctal, 8},
        {"[", REMsg::NeedRBra, 2},
        {"[ab", REMsg::NeedRBra, 4},
        {"[a-", REMsg::NeedRBra, 4},
        {"[a\\", REMsg::NeedCharAfterYen, 4},
        {"[z-a]", REMsg::BadRange, 5},
    };
    for (const auto& c : cases) {
        TREScanner s(c.pattern);
        try {
            while (s.GetToken() != retk_End) {}
            ADD_FAILURE() << "no error for " << c.pattern;
        } catch (const ERegExpParser& e) {
            EXPECT_EQ(e.Message(), c.message) << c.pattern;
            EXPECT_EQ(e.ErrorPos, c.position) << c.pattern;
            EXPECT_FALSE(s.InClass()) << c.pattern;
        }
    }
    EXPECT_EQ(std::string(REMsg::NeedCharAfterYen), "\"\\\"の次には文字が必要です。");
}

TEST(REScanner, CharacterFunctions)
{
    const std::string s = Bytes("41 83 5C 82");
    std::size_t pos = 0;
    EXPECT_EQ(GetWChar(s, pos), 0x41);
    EXPECT_EQ(GetWChar(s, pos), 0x835C);
    EXPECT_EQ(pos, 3u);
    EXPECT_EQ(GetWChar(s, pos), 0x82); // a lead byte at the end is one byte
    EXPECT_EQ(GetWChar(s, pos), 0);
    EXPECT_EQ(pos, 4u);

    // Stepping back decides by the run of lead-like bytes: 88 9F is one character, 9F 88 9F two.
    struct Back {
        std::string text;
        std::size_t from, to;
    };
    const Back backs[] = {
        {Bytes("61 88 9F"), 3, 1}, {Bytes("88 9F 88 9F"), 4, 2}, {Bytes("61 62"), 2, 1},
        {Bytes("83 5C 5C"), 3, 2}, {Bytes("61"), 0, 0},
    };
    for (const auto& b : backs) {
        std::size_t p = b.from;
        UngetWChar(b.text, p);
        EXPECT_EQ(p, b.to);
    }

    EXPECT_EQ(WCharToStr(0x8341), Bytes("83 41"));
    EXPECT_EQ(WCharToStr(0x41BC), Bytes("BC"));
    EXPECT_EQ(WCharToStr('a'), "a");
    EXPECT_EQ(QuoteMetaChars("^(|)+*?.[]$\\a"), "\\^\\(\\|\\)\\+\\*\\?\\.\\[\\]\\$\\\\a");
    // The trail byte 5C of ソ is no backslash.
    EXPECT_EQ(QuoteMetaChars(Bytes("83 5C")), Bytes("83 5C"));
}
