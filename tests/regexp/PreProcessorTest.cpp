#include "RegExpTestUtil.h"
#include "regexp/REPreProcessor.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

using namespace qx;
using qx::test::Bytes;
using qx::test::Sj;

namespace {
std::string Fuzzy(const std::string& pattern)
{
    TREPreProcessor pre(pattern);
    pre.FuzzyCharDicList.push_back(&FuzzyCharDic());
    pre.UseFuzzyCharDic = true;
    pre.Run();
    return pre.TargetRegExpStr();
}
} // namespace

TEST(FuzzyCharDic, HasEveryRowAndConvertsWithoutLoss)
{
    const auto table = FuzzyCharTableUtf8();
    ASSERT_EQ(table.size(), 145u);
    const TREDictionary& dic = FuzzyCharDic();
    ASSERT_EQ(dic.size(), 145u);
    for (std::size_t i = 0; i < table.size(); ++i) {
        std::size_t lost = 0;
        Utf8ToCp932(table[i], &lost);
        EXPECT_EQ(lost, 0u) << "row " << i + 1;
        const TREDicRow utf8 = ParseDicRow(table[i]);
        ASSERT_EQ(dic[i].size(), utf8.size()) << "row " << i + 1;
        for (std::size_t j = 0; j < utf8.size(); ++j) {
            EXPECT_FALSE(dic[i][j].empty()) << "row " << i + 1;
            EXPECT_EQ(Cp932ToUtf8(dic[i][j]), utf8[j]) << "row " << i + 1 << " item " << j;
        }
    }
}

TEST(FuzzyCharDic, RowsAreByteExact)
{
    const TREDictionary& dic = FuzzyCharDic();
    struct Row {
        int number;
        std::vector<std::string> items;
    };
    const Row rows[] = {
        {1, {Bytes("82 60"), Bytes("82 81"), "A", "a"}},
        {26, {Bytes("82 79"), Bytes("82 9A"), "Z", "z"}},
        {28, {"1", Bytes("82 50"), Bytes("88 EA"), Bytes("87 40"), Bytes("87 54"), Bytes("88 EB")}},
        {37, {Bytes("81 40"), " "}},
        {39, {"\"", Bytes("81 68")}},
        {49, {Bytes("81 5B"), Bytes("81 60"), Bytes("B0")}}, // the trailing comma adds no item
        {50, {"-", Bytes("81 5B"), Bytes("81 7C"), Bytes("81 60"), Bytes("B0")}},
        {61, {"\\", Bytes("81 8F")}},
        {69, {",", Bytes("A4"), Bytes("81 41"), Bytes("81 43")}},
        {70, {Bytes("A1"), ".", Bytes("81 42"), Bytes("81 44")}},
        {73, {Bytes("82 F1"), Bytes("83 93"), Bytes("DD")}},
        {74, {Bytes("82 AA"), Bytes("83 4B"), Bytes("B6 DE"), Bytes("82 A9 81 4A"), Bytes("83 4A 81 4A")}},
        {87, {Bytes("82 CE"), Bytes("83 6F"), Bytes("CA DE"), Bytes("82 CD 81 4A"), Bytes("83 6E 81 4A"),
              Bytes("83 94 83 40"), Bytes("82 A4 81 4A 82 9F"), Bytes("83 45 81 4A 83 40"), Bytes("B3 DE A7")}},
        {89, {Bytes("82 D4"), Bytes("83 75"), Bytes("CC DE"), Bytes("82 D3 81 4A"), Bytes("83 74 81 4A"),
              Bytes("83 94"), Bytes("83 45 81 4A"), Bytes("82 A4 81 4A"), Bytes("B3 DE")}},
        {96, {Bytes("82 DB"), Bytes("83 7C"), Bytes("CE DF"), Bytes("82 D9 81 4B"), Bytes("83 7A 81 4B")}},
        {99, {Bytes("82 A4"), Bytes("83 45"), Bytes("B3"), Bytes("82 A3"), Bytes("83 44"), Bytes("A9")}},
        {141, {Bytes("83 90"), Bytes("82 EE"), Bytes("82 A4 82 A1"), Bytes("83 45 83 42"), Bytes("B3 A8")}},
        {145, {Bytes("DF"), Bytes("81 4B")}},
    };
    for (const auto& r : rows) EXPECT_EQ(dic[r.number - 1], r.items) << "row " << r.number;
}

TEST(FuzzyCharDic, ParsesQuotedItems)
{
    EXPECT_EQ(ParseDicRow("a,\"b,c\",\"\"\"\",d,"), (TREDicRow{"a", "b,c", "\"", "d"}));
    EXPECT_EQ(ParseDicRow("\" \",x"), (TREDicRow{" ", "x"}));
}

TEST(TREPreProcessor, FuzzyExpansionIsByteExact)
{
    struct Case {
        const char* pattern;
        const char* expanded;
    };
    const Case cases[] = {
        {"a", "(Ａ|ａ|A|a)"},
        {"1", "(1|１|一|①|Ⅰ|壱)"},
        {"\\(", "(\\(|（)"},
        {"(b)", "((Ｂ|ｂ|B|b))"},
        {"[ab]", "[ab]"},
        {"[^ab]", "[^ab]"},
        {"ー", "(ー|～|ｰ)"},
        {"ポ", "(ぽ|ポ|ﾎﾟ|ほ゜|ホ゜)"},
        {"か゛", "(が|ガ|ｶﾞ|か゛|カ゛)"},
        {"ｶﾞ", "(が|ガ|ｶﾞ|か゛|カ゛)"},
        {"ヴァ", "(ば|バ|ﾊﾞ|は゛|ハ゛|ヴァ|う゛ぁ|ウ゛ァ|ｳﾞｧ)"},
        // An earlier row wins over a longer item of a later row.
        {"うぁ", "(う|ウ|ｳ|ぅ|ゥ|ｩ)(あ|ア|ｱ|ぁ|ァ|ｧ)"},
        {"\\.", "(｡|\\.|。|．)"},
        {"\\\\", "(\\\\|￥)"},
        {" ", "(　| )"},
        {",", "(,|､|、|，)"},
        {"\\*", "(\\*|＊)"},
        {"a*", "(Ａ|ａ|A|a)*"}, // the star itself is no character
        {"本\\n.$", "本\\n.$"},
    };
    for (const auto& c : cases) EXPECT_EQ(Fuzzy(Sj(c.pattern)), Sj(c.expanded)) << c.pattern;
}

TEST(TREPreProcessor, SynonymsExpandBeforeFuzzyCharacters)
{
    const TREDictionary synonyms = {{Sj("東京"), Sj("江戸")}};
    TREPreProcessor pre(Sj("東京都"));
    pre.SynonymDic.push_back(&synonyms);
    pre.FuzzyCharDicList.push_back(&FuzzyCharDic());
    pre.Run();
    EXPECT_EQ(pre.TargetRegExpStr(), Sj("東京都")); // both switches are off at creation
    pre.UseSynonymDic = true;
    pre.Run();
    EXPECT_EQ(pre.TargetRegExpStr(), Sj("(東京|江戸)都"));
    pre.SetPattern(Sj("東京a"));
    pre.UseFuzzyCharDic = true;
    pre.Run();
    EXPECT_EQ(pre.TargetRegExpStr(), Sj("(東京|江戸)(Ａ|ａ|A|a)"));
}

TEST(TREPreProcessor, RaisesTheScannersErrors)
{
    TREPreProcessor pre("[a");
    pre.UseFuzzyCharDic = true;
    EXPECT_THROW(pre.Run(), ERegExpParser);
}
