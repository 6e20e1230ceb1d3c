#include "RegExpTestUtil.h"
#include "regexp/REDfa.h"
#include "regexp/RegularExpression.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>

using namespace qx;
using qx::test::Bytes;
using qx::test::Sj;

namespace {

std::unique_ptr<TRE_DFA> Compile(const std::string& pattern, WChar_t head = 0xFFFD, WChar_t tail = 0xFFFE,
                                  std::size_t budget = TRE_DFA::DefaultMemoryBudget)
{
    TREParser parser(pattern);
    parser.Run();
    TRE_NFA nfa(parser, tail, head);
    nfa.Run();
    auto dfa = std::make_unique<TRE_DFA>(nfa, budget);
    dfa->Run();
    return dfa;
}

// Whether the anchored automaton accepts exactly these codes.
bool Accepts(TRE_DFA& dfa, const std::u16string& codes)
{
    int s = dfa.InitialState();
    for (char16_t c : codes) {
        s = dfa.NextState(s, c);
        if (s == TRE_DFA::None) return false;
    }
    return dfa.Accepting(s);
}

std::vector<RECodeRange> Leaves(const std::string& pattern)
{
    TREParser parser(pattern);
    parser.Run();
    std::vector<RECodeRange> leaves;
    for (const REParseNode* leaf : parser.ParseTree.LeafList()) leaves.emplace_back(leaf->First, leaf->Last);
    std::sort(leaves.begin(), leaves.end());
    return leaves;
}

} // namespace

TEST(TREParser, ErrorsCarryTheirMessageAndPosition)
{
    struct Case {
        std::string pattern;
        const char* message;
        int position;
    };
    const Case cases[] = {
        {"a**", REMsg::NeedPrimary, 4},
        {"*a", REMsg::NeedPrimary, 2},
        {"a|+", REMsg::NeedPrimary, 4},
        {"a)", REMsg::ExtraChars, 3},
        {"(a", REMsg::NeedRPar, 3},
        {"(a|b", REMsg::NeedRPar, 5},
        {"[]", REMsg::BadClass, 3},
        {"[^]", REMsg::BadClass, 4},
        // A negated class that leaves nothing is a bad class too.
        {"[^\\x01-\\xFCFC]", REMsg::BadClass, 15},
        {"[^\\x0e-\\xfcfc\\x01-\\x09\\x0b\\x0c]", REMsg::BadClass, 32},
        {"[z-a]", REMsg::BadRange, 5},
    };
    for (const auto& c : cases) {
        try {
            TREParser parser(c.pattern);
            parser.Run();
            ADD_FAILURE() << "no error for " << c.pattern;
        } catch (const ERegExpParser& e) {
            EXPECT_EQ(e.Message(), c.message) << c.pattern;
            EXPECT_EQ(e.ErrorPos, c.position) << c.pattern;
        }
    }
}

TEST(TREParser, LeavesAreDisjointAndKeepTheirMeaning)
{
    EXPECT_EQ(Leaves("[a-z]|[m-q]"), (std::vector<RECodeRange>{{'a', 'l'}, {'m', 'q'}, {'r', 'z'}}));
    EXPECT_EQ(Leaves("[^\\x0b\\x0c]"), (std::vector<RECodeRange>{{1, 9}, {14, 0xFCFC}}));
    auto dfa = Compile("[a-z]|[m-q]");
    for (char16_t c : std::u16string_view(u"abmqrz")) EXPECT_TRUE(Accepts(*dfa, {c})) << char(c);
    EXPECT_FALSE(Accepts(*dfa, u"A"));

    // Many overlapping ranges (as a fuzzy expansion makes): pairwise disjoint afterwards, and every
    // alternative still matches exactly its own codes.
    std::mt19937 rng(7);
    std::string pattern;
    std::vector<RECodeRange> ranges;
    for (int i = 0; i < 300; ++i) {
        unsigned a = 0x20 + rng() % 0x5F, b = 0x20 + rng() % 0x5F;
        if (a > b) std::swap(a, b);
        if (a == '\\' || a == ']' || a == '-' || a == '^' || b == '\\' || b == ']' || b == '-') continue;
        ranges.emplace_back(a, b);
        pattern += std::string(pattern.empty() ? "" : "|") + "x[" + char(a) + "-" + char(b) + "]";
    }
    const auto leaves = Leaves(pattern);
    for (std::size_t i = 1; i < leaves.size(); ++i) EXPECT_LT(leaves[i - 1].second, leaves[i].first);
    dfa = Compile(pattern);
    for (unsigned c = 0x20; c < 0x80; ++c) {
        const bool listed = std::any_of(ranges.begin(), ranges.end(),
                                        [c](const RECodeRange& r) { return c >= r.first && c <= r.second; });
        EXPECT_EQ(Accepts(*dfa, {u'x', char16_t(c)}), listed) << c;
    }
}

TEST(TRE_DFA, EmptyAlternativesAndGroups)
{
    EXPECT_TRUE(Accepts(*Compile("a|"), u""));
    EXPECT_TRUE(Accepts(*Compile("|a"), u"a"));
    EXPECT_TRUE(Accepts(*Compile("()"), u""));
    EXPECT_FALSE(Accepts(*Compile("()"), u"a"));
    auto plus = Compile("(ab)+c?");
    EXPECT_TRUE(Accepts(*plus, u"abab"));
    EXPECT_TRUE(Accepts(*plus, u"abc"));
    EXPECT_FALSE(Accepts(*plus, u"c"));
    auto dot = Compile(".");
    for (char16_t c : {0, 10, 13, 0xFCFD, 0xFFFD, 0xFFFE}) EXPECT_FALSE(Accepts(*dot, {c})) << int(c);
    for (char16_t c : {1, 9, 11, 14, 0x8341, 0xFCFC}) EXPECT_TRUE(Accepts(*dot, {c})) << int(c);
    // A code of $FFFF is a character like any other, not an empty move.
    EXPECT_FALSE(Accepts(*Compile("a\\xFFFFb"), u"ab"));
    EXPECT_TRUE(Accepts(*Compile("a\\xFFFFb"), u"a\xFFFF" u"b"));
}

TEST(TRE_DFA, LiteralTest)
{
    struct Case {
        std::string pattern;
        bool literal;
        std::u16string codes;
    };
    const Case cases[] = {
        {"abc", true, u"abc"},
        {"(abc)", true, u"abc"},
        {"a(b|b)c", true, u"abc"},
        {"", true, u""},
        {"^abc", true, u"\xFFFD" u"abc"},
        {"abc$", true, u"abc\xFFFE"},
        {"a^b$c", true, u"a^b$c"}, // anchors inside the pattern are their own characters
        {"\\x41BC", true, u"\x41BC"},
        {Sj("ア"), true, u"\x8341"},
        {"ab*", false, u""},
        {"a|b", false, u""},
        {"[ab]", false, u""},
        {"ab?", false, u""},
        {"a.", false, u""},
    };
    for (const auto& c : cases) {
        auto dfa = Compile(c.pattern);
        EXPECT_EQ(dfa->IsLiteral(), c.literal) << c.pattern;
        EXPECT_EQ(dfa->LiteralCodes(), c.codes) << c.pattern;
    }
    EXPECT_EQ(Compile(Sj("アa"))->LiteralString(), Bytes("83 41 61"));
    // In grep the line codes are LF.
    EXPECT_EQ(Compile("^ab$", '\n', '\n')->LiteralCodes(), u"\nab\n");
}

TEST(TRE_DFA, AnchorCodesArePartOfThePartition)
{
    // "^" inside the pattern is the character "^", which lies inside the range of "."; a state that
    // holds both must still find every code.
    auto dfa = Compile("x.*^y");
    EXPECT_TRUE(Accepts(*dfa, u"xAA^y"));
    EXPECT_TRUE(Accepts(*dfa, u"x^^y"));
    EXPECT_FALSE(Accepts(*dfa, u"xAAy"));
    dfa = Compile("x(^|.)y");
    EXPECT_TRUE(Accepts(*dfa, u"xQy"));
    EXPECT_TRUE(Accepts(*dfa, u"x^y"));
    EXPECT_TRUE(Accepts(*dfa, u"x~y"));
    // The line-head code inside a class range that reaches it.
    dfa = Compile("^[\\x01-\\xFFFF]$");
    EXPECT_TRUE(Accepts(*dfa, u"\xFFFD" u"a\xFFFE"));
    EXPECT_TRUE(Accepts(*dfa, u"\xFFFD\xFFFD\xFFFE"));
}

TEST(TRE_DFA, RequiredCodeIsOneEveryMatchHoldsWithinItsLine)
{
    // The code that grep looks for first: every match must hold it, the rarest kind is chosen, and
    // none is given when a match may run on past its line (its line end would not hold the code).
    const auto code = [](const std::string& utf8) {
        const std::string b = Sj(utf8);
        return b.size() == 2 ? static_cast<unsigned>(static_cast<unsigned char>(b[0]) << 8 | static_cast<unsigned char>(b[1]))
                             : static_cast<unsigned>(static_cast<unsigned char>(b[0]));
    };
    struct Case {
        std::string pattern;
        unsigned required;
    };
    const Case cases[] = {
        {Sj("[０-９]+行"), code("行")},
        {Sj("行[０-９]+"), code("行")},
        {Sj("すべての行"), code("行")},     // a kanji before kana
        {Sj("東京.*大阪"), code("京")},     // among equals, the lowest code
        {Sj("^abc$"), 'a'},
        {Sj("a(b|c)d"), 'a'},
        {Sj("(行|列)x"), 'x'},              // neither kanji is required
        {Sj("行?x"), 'x'},
        {Sj("a|b"), 0},
        {Sj("x*"), 0},
        {Sj("a\nb"), 0},                  // a match crosses a line end
        {Sj("行(.|\n)*x"), 0},
        {Sj("^\n行"), 0},
        {Sj("行\n"), code("行")},          // a line end that ends the match
        {Sj("\n行"), code("行")},          // one that begins it
        {Sj("行(\\n|y)*z"), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Compile(c.pattern, '\n', '\n')->RequiredCode(), c.required) << Cp932ToUtf8(c.pattern);
}

TEST(TRE_DFA, ExplodingPatternRunsInBoundedMemory)
{
    // Unanchored, ".*a" followed by twenty "." has about a million states; a small budget drops the
    // table again and again and must still give the answers of a large one.
    const std::string pattern = "a" + std::string(20, '.');
    auto small = Compile(pattern, '\n', '\n', 16 * 1024);
    auto large = Compile(pattern, '\n', '\n', 256u << 20);
    std::mt19937 rng(3);
    int uSmall = TRE_DFA::kUnanchoredStart, uLarge = TRE_DFA::kUnanchoredStart;
    int accepted = 0;
    for (int i = 0; i < 20000; ++i) {
        const unsigned c = "ab"[rng() % 2];
        const std::int32_t es = small->Step(uSmall, small->ClassOf(c));
        const std::int32_t el = large->Step(uLarge, large->ClassOf(c));
        ASSERT_EQ(es <= TRE_DFA::AcceptBase, el <= TRE_DFA::AcceptBase) << i;
        accepted += es <= TRE_DFA::AcceptBase;
        uSmall = TRE_DFA::EntryState(es);
        uLarge = TRE_DFA::EntryState(el);
    }
    EXPECT_GT(accepted, 0);
    EXPECT_GT(small->FlushCount(), 0u);
    EXPECT_EQ(large->FlushCount(), 0u);
}

TEST(TRegularExpression, CachesThirtyPatternsAndRollsBackOnError)
{
    auto re = Construct<TRegularExpression>();
    EXPECT_EQ(re->CachedPatterns(), std::vector<std::string>{""});
    EXPECT_TRUE(re->IsLiteral());
    for (int i = 1; i <= 29; ++i) re->SetRegExp("p" + std::to_string(i));
    auto cached = re->CachedPatterns();
    ASSERT_EQ(cached.size(), 30u);
    EXPECT_EQ(cached[0], "");
    EXPECT_EQ(cached[1], "p29");
    EXPECT_EQ(cached[29], "p1");
    // A known pattern becomes current without moving.
    re->SetRegExp("p5");
    EXPECT_EQ(re->CurrentIndex(), 25);
    EXPECT_EQ(re->LiteralString(), "p5");
    // A 30th new pattern evicts the oldest.
    re->SetRegExp("a+");
    cached = re->CachedPatterns();
    ASSERT_EQ(cached.size(), 30u);
    EXPECT_EQ(cached[1], "a+");
    EXPECT_EQ(std::count(cached.begin(), cached.end(), "p1"), 0);
    EXPECT_EQ(re->RegExp(), "a+");
    EXPECT_FALSE(re->IsLiteral());
    // An error leaves the empty pattern current, RegExp empty and the cache without the bad entry.
    EXPECT_THROW(re->SetRegExp("(x"), ERegExpParser);
    EXPECT_EQ(re->RegExp(), "");
    EXPECT_EQ(re->CurrentIndex(), 0);
    EXPECT_EQ(re->CachedPatterns().size(), 29u);
    EXPECT_EQ(re->LineHeadCode(), 0xFFFD);
    EXPECT_EQ(re->LineTailCode(), 0xFFFE);
}

TEST(TGrep, FuzzySwitchRecompilesOnlyForANewPattern)
{
    auto grep = Construct<TGrep>();
    grep->SetRegExp(Sj("カ"));
    EXPECT_EQ(grep->CachedPatterns().size(), 2u);
    grep->SetUseFuzzyCharDic(true);
    EXPECT_EQ(grep->CachedPatterns()[1], Sj("(か|カ|ｶ)"));
    EXPECT_EQ(grep->RegExp(), Sj("カ"));
    EXPECT_FALSE(grep->IsLiteral());
    // Switching back finds the plain pattern cached.
    grep->SetUseFuzzyCharDic(false);
    EXPECT_EQ(grep->CachedPatterns().size(), 3u);
    EXPECT_EQ(grep->CurrentIndex(), 2);
    EXPECT_TRUE(grep->IsLiteral());
    EXPECT_EQ(grep->LineHeadCode(), '\n');
}
