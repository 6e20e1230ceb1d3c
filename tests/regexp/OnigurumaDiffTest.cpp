// Grep against Oniguruma in its Shift_JIS encoding, on generated patterns and lines over the syntax
// both share. Left out by design: line ends inside lines, patterns that match the empty string (grep
// reports a line only for a match of at least one character), "\b" (a backspace here), "\d"-style
// classes and counted repetition (none here), anchors anywhere but at the pattern's ends.

#include "RegExpTestUtil.h"
#include "RandomPattern.h"

#include <gtest/gtest.h>
// GoogleTest brings in the C library's <regex.h>, whose names Oniguruma's header would redefine.
#define ONIG_ESCAPE_REGEX_T_COLLISION
#define re_registers onig_re_registers
#include <oniguruma.h>

#include <cstdio>
#include <random>

using namespace qx;
using namespace qx::test;

namespace {

class Onig {
public:
    Onig()
    {
        OnigEncoding encodings[] = {ONIG_ENCODING_SJIS};
        onig_initialize(encodings, 1);
    }
    ~Onig() { onig_end(); }
    // 1 match, 0 none, -1 pattern not accepted.
    static int Search(const std::string& pattern, const std::string& line)
    {
        OnigRegex reg = nullptr;
        OnigErrorInfo info;
        const auto* p = reinterpret_cast<const UChar*>(pattern.data());
        if (onig_new(&reg, p, p + pattern.size(), ONIG_OPTION_NONE, ONIG_ENCODING_SJIS, ONIG_SYNTAX_RUBY,
                     &info) != ONIG_NORMAL)
            return -1;
        const auto* s = reinterpret_cast<const UChar*>(line.data());
        const int r = onig_search(reg, s, s + line.size(), s, s + line.size(), nullptr, ONIG_OPTION_NONE);
        onig_free(reg);
        return r >= 0 ? 1 : 0;
    }
};

class Generator : public qx::test::TRandomPattern {
public:
    using TRandomPattern::TRandomPattern;

    std::string Pattern() { return TRandomPattern::Pattern(4); }
    std::string Line()
    {
        static const std::vector<std::string> chars = {"a", "b", "c", "A", "x", "\\", ".", "*", "^", "$",
                                                       Sj("ア"), Sj("ソ"), Sj("表"), Sj("ｱ"), Sj("ン"), Sj("ｼ")};
        std::string line;
        for (int n = Pick(12); n > 0; --n) line += chars[Pick(chars.size())];
        return line;
    }

private:
    std::string Atom(int depth) override
    {
        static const std::vector<std::string> chars = {"a", "b", "c", "A", "x", "\\\\", "\\.", "\\*",
                                                       "\\^", "\\$", Sj("ア"), Sj("ソ"), Sj("表"), Sj("ｱ")};
        switch (Pick(depth > 0 ? 8 : 6)) {
        case 0: return ".";
        case 1: return Class();
        case 6:
        case 7: return "(" + Alternation(depth - 1) + ")";
        default: return chars[Pick(chars.size())];
        }
    }
    std::string Class()
    {
        static const std::vector<std::string> items = {"a", "b", "A", "x", ".", "*", "\\\\", "a-c", "A-Z",
                                                       Sj("ア"), Sj("ソ"), Sj("ア-ン"), Sj("ｱ-ﾝ"), Sj("表")};
        std::string c = Pick(3) == 0 ? "[^" : "[";
        for (int n = 1 + Pick(3); n > 0; --n) c += items[Pick(items.size())];
        return c + "]";
    }
};

} // namespace

TEST(TGrep, AgreesWithOnigurumaInShiftJis)
{
    Onig onig;
    Generator gen(2024);
    auto grep = Construct<TGrep>();
    int pairs = 0, rejected = 0, patterns = 0, matched = 0;
    while (pairs < 6000 && patterns < 5000) {
        const std::string pattern = gen.Pattern();
        ++patterns;
        // Patterns that match the empty string differ by design.
        const int empty = Onig::Search(pattern, "");
        if (empty < 0) {
            ++rejected;
            continue;
        }
        if (empty == 1) continue;
        std::vector<std::string> lines;
        for (int i = 0; i < 20; ++i) lines.push_back(gen.Line());
        std::string text;
        for (const auto& l : lines) text += l + "\n";
        std::vector<int> reported;
        ASSERT_NO_THROW(reported = GrepText(*grep, text, pattern).LineNos) << pattern;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const bool ours = std::find(reported.begin(), reported.end(), int(i) + 1) != reported.end();
            const bool theirs = Onig::Search(pattern, lines[i]) == 1;
            EXPECT_EQ(ours, theirs) << "pattern " << Cp932ToUtf8(pattern) << " line " << Cp932ToUtf8(lines[i]);
            ++pairs;
            matched += theirs;
        }
    }
    EXPECT_GE(pairs, 6000);
    // Both answers are common, so the comparison says something.
    EXPECT_GT(matched * 5, pairs) << matched;
    EXPECT_LT(matched * 5, pairs * 4) << matched;
    std::printf("%d pairs, %d matching, %d patterns, %d rejected by Oniguruma\n", pairs, matched, patterns, rejected);
    EXPECT_LT(rejected * 20, patterns) << "Oniguruma rejected " << rejected << " of " << patterns;
}
