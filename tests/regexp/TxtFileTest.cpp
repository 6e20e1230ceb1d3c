#include "RegExpTestUtil.h"
#include "RandomPattern.h"
#include "platform/LeadByte.h"
#include "platform/ByteVectors.h"
#include "regexp/REDfa.h"
#include "regexp/TxtFile.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using namespace qx;
using namespace qx::test;

namespace {

constexpr std::size_t kBlock = TTxtFile::BlockSize;

std::vector<unsigned> ReadAll(const std::string& path)
{
    TTxtFile file(path);
    std::vector<unsigned> codes;
    try {
        for (;;) codes.push_back(file.GetWChar());
    } catch (const EEndOfFile&) {
    }
    return codes;
}

// The text cut into characters as grep reads it, with the line each belongs to (a line end belongs to
// the line after it; the last one starts none).
struct Characters {
    std::vector<unsigned> Codes;
    std::vector<int> LineOf;
    int LineEnds = 0;
};

Characters CutIntoCharacters(const std::string& raw)
{
    std::string text = "\n";
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '\r') {
            text += '\n';
            if (i + 1 < raw.size() && raw[i + 1] == '\n') ++i;
        } else {
            text += c ? c : ' ';
        }
    }
    if (text.back() != '\n') text += '\n';
    Characters chars;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == '\n') ++chars.LineEnds;
        chars.LineOf.push_back(chars.LineEnds);
        if (IsDBCSLeadByte(b) && text[i + 1] != '\n') {
            chars.Codes.push_back(b << 8 | static_cast<unsigned char>(text[i + 1]));
            i += 2;
        } else {
            chars.Codes.push_back(b);
            ++i;
        }
    }
    return chars;
}

// The lines that contain Needle, found the slow way: every start position tried.
std::vector<int> ReferenceLines(const std::string& raw, const std::u16string& needle)
{
    const Characters chars = CutIntoCharacters(raw);
    std::set<int> lines;
    for (std::size_t i = 0; i + needle.size() <= chars.Codes.size(); ++i)
        if (std::equal(needle.begin(), needle.end(), chars.Codes.begin() + i) && chars.LineOf[i] < chars.LineEnds)
            lines.insert(chars.LineOf[i]);
    return {lines.begin(), lines.end()};
}

// The lines that Pattern matches, found the plain way: from every start position the anchored
// automaton follows the characters after it (over line ends too) until it accepts or stops.
std::vector<int> ReferenceLinesOfPattern(const std::string& raw, const std::string& pattern)
{
    TREParser parser(pattern);
    parser.Run();
    TRE_NFA nfa(parser, '\n', '\n');
    nfa.Run();
    TRE_DFA dfa(nfa);
    dfa.Run();
    const Characters chars = CutIntoCharacters(raw);
    std::set<int> lines;
    for (std::size_t i = 0; i < chars.Codes.size() && chars.LineOf[i] < chars.LineEnds; ++i) {
        if (lines.count(chars.LineOf[i])) continue;
        int state = dfa.NextState(dfa.InitialState(), chars.Codes[i]);
        for (std::size_t j = i + 1; state != TRE_DFA::None; ++j) {
            if (dfa.Accepting(state)) {
                lines.insert(chars.LineOf[i]);
                break;
            }
            if (j == chars.Codes.size()) break;
            state = dfa.NextState(state, chars.Codes[j]);
        }
    }
    return {lines.begin(), lines.end()};
}

// Runs Body with the vectors the processor offers and, where those are wider, again with the narrow ones
// (see ByteVectors.h), naming them.
template <class F>
void WithEachVectorWidth(F Body)
{
#if defined(__SSE2__)
    bool& wide = ByteVectors::WideSwitch();
    const bool offered = wide;
    for (const bool w : {true, false}) {
        if (w && !offered) continue;
        wide = w;
        Body(w ? " (wide vectors)" : " (narrow vectors)");
    }
    wide = offered;
#else
    Body("");
#endif
}

// Random patterns over characters whose bytes trip a byte-wise search (trail bytes "A" and "\"), line
// ends, anchors, classes and groups.
class PatternGenerator : public qx::test::TRandomPattern {
public:
    using TRandomPattern::TRandomPattern;
    std::string Pattern() { return TRandomPattern::Pattern(3); }

private:
    std::string Atom(int depth) override
    {
        static const std::vector<std::string> atoms = {
            "a", "b", "A", "\\\\", Sj("ア"), Sj("ソ"), ".", "[ab]", "[^a]", "\\n", "\\x82", "\\x8341", " ",
            "\\^", "\\$", "[A-Z]", Sj("[ア-ン]"), "\\x41BC", "(.|\\n)"};
        if (depth > 0 && Pick(6) == 0) return "(" + Alternation(depth - 1) + ")";
        return atoms[Pick(atoms.size())];
    }
};

} // namespace

TEST(TTxtFile, ReadsCharactersWithLineEndsMadeOne)
{
    TempDir dir;
    const std::string path = dir.File("t.txt");
    WriteBytes(path, std::string("a\r\nb\rc\0", 7) + Sj("ア") + Bytes("82"));
    EXPECT_EQ(ReadAll(path),
              (std::vector<unsigned>{'\n', 'a', '\n', 'b', '\n', 'c', ' ', 0x8341, 0x82, '\n'}));
    WriteBytes(path, "");
    EXPECT_EQ(ReadAll(path), std::vector<unsigned>{'\n'});
    EXPECT_THROW(TTxtFile(dir.File("missing")), EFOpenError);
}

TEST(TTxtFile, LinesAndCharactersAcrossTheBlockBoundary)
{
    TempDir dir;
    const std::string path = dir.File("t.txt");
    // CR as the last byte of the first block and LF as the first of the second, and one byte later.
    for (std::size_t cr : {kBlock - 1, kBlock}) {
        std::string raw(cr, 'x');
        raw += "\r\nnext\r\n";
        WriteBytes(path, raw);
        const auto codes = ReadAll(path);
        EXPECT_EQ(std::count(codes.begin(), codes.end(), '\n'), 3) << cr;
        EXPECT_EQ(codes.size(), 1 + cr + 1 + 4 + 1) << cr;
        auto grep = Construct<TGrep>();
        for (const std::string& pattern : std::vector<std::string>{"next", "^n.xt$", "^$"}) {
            const auto r = GrepText(*grep, raw, pattern);
            EXPECT_EQ(r.LineNos, pattern == "^$" ? std::vector<int>{} : std::vector<int>{2}) << pattern;
        }
    }
    // A double-byte character split by the boundary: its trail byte "A" is no "A".
    std::string raw(kBlock - 1, 'x');
    raw += Sj("ア") + "\nA\n";
    WriteBytes(path, raw);
    const auto codes = ReadAll(path);
    ASSERT_EQ(codes.size(), 1 + (kBlock - 1) + 1 + 1 + 1 + 1);
    EXPECT_EQ(codes[kBlock], 0x8341u);
    auto grep = Construct<TGrep>();
    for (const std::string& pattern : std::vector<std::string>{"A", "[A]"})
        EXPECT_EQ(GrepText(*grep, raw, pattern).LineNos, std::vector<int>{2});
    for (const std::string& pattern : std::vector<std::string>{Sj("ア"), Sj("xア$"), Sj("[ア]")})
        EXPECT_EQ(GrepText(*grep, raw, pattern).LineNos, std::vector<int>{1});
}

TEST(TGrep, LastLineWhoseCRIsAllTheLastReadBrings)
{
    // Files whose last byte, a CR ending the last line, is the only byte of the last block read: that
    // line must still be read and searched.
    auto grep = Construct<TGrep>();
    struct Case {
        std::string text;
        std::string pattern;
        std::vector<int> lines;
    };
    std::string cr1(kBlock, 'x'), cr2;
    cr1 += "\r";
    for (int i = 0; cr2.size() < 2 * kBlock; ++i) cr2 += (i % 3 ? "ab" : "cd") + std::string("\r");
    cr2.resize(2 * kBlock - 4);
    cr2.back() = '\r';
    cr2 += "last\r";
    const Case cases[] = {
        {"\r", "^", {1}},
        {"\r", "^$", {1}},
        {cr1, "x$", {1}},
        {cr1, "^x+$", {1}},
        {cr2, "last", {1 + static_cast<int>(std::count(cr2.begin(), cr2.end() - 5, '\r'))}},
        {cr2, "^last$", {1 + static_cast<int>(std::count(cr2.begin(), cr2.end() - 5, '\r'))}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.text.size() % kBlock, 1u);
        EXPECT_EQ(GrepText(*grep, c.text, c.pattern).LineNos, c.lines) << c.pattern << " in " << c.text.size();
    }
    TempDir dir;
    const std::string path = dir.File("t.txt");
    WriteBytes(path, cr1);
    const auto codes = ReadAll(path);
    EXPECT_EQ(codes.size(), 1 + kBlock + 1);
    EXPECT_EQ(codes.back(), static_cast<unsigned>('\n'));
}

TEST(TTxtFile, PeekKeepsTheUnreadTailWhenItRefills)
{
    TempDir dir;
    const std::string path = dir.File("t.txt");
    std::string raw;
    for (std::size_t i = 0; raw.size() < 3 * kBlock; ++i) raw += std::to_string(i) + (i % 7 ? " " : "\n");
    raw += "\n";
    WriteBytes(path, raw);
    TTxtFile file(path);
    file.GetWChar(); // the line end before the first line
    std::size_t pos = 0;
    while (pos + 20 < kBlock) {
        ASSERT_EQ(file.GetWChar(), static_cast<unsigned char>(raw[pos]));
        ++pos;
    }
    // Look ahead over the end of the block, then go on reading from the current position.
    for (std::size_t i = 0; i < 50; ++i) ASSERT_EQ(file.PeekWChar(), static_cast<unsigned char>(raw[pos + i])) << i;
    const int lineNo = file.LineNo();
    EXPECT_EQ(lineNo, 1 + std::count(raw.begin(), raw.begin() + pos, '\n'));
    for (; pos < raw.size(); ++pos) ASSERT_EQ(file.GetWChar(), static_cast<unsigned char>(raw[pos])) << pos;
    EXPECT_EQ(file.PeekWChar(), TTxtFile::EndOfText);
    EXPECT_THROW(file.GetWChar(), EEndOfFile);
}

TEST(TGrep, LinesAndMatchesStraddlingTheBlockBoundary)
{
    auto grep = Construct<TGrep>();
    // A match that straddles byte 102400 in a line that straddles it too.
    for (std::size_t at : {kBlock - 5, kBlock - 1, kBlock, kBlock + 1}) {
        std::string line = std::string(at - 6, 'y') + "NEEDLE" + "zz";
        const std::string raw = "first\n" + line + "\nlast\n";
        for (const std::string& pattern : std::vector<std::string>{"NEEDLE", "NE+DLE", "^y+NEEDLEz*$"}) {
            const auto r = GrepText(*grep, raw, pattern);
            EXPECT_EQ(r.LineNos, std::vector<int>{2}) << pattern << " at " << at;
            ASSERT_EQ(r.Lines.size(), 1u);
            EXPECT_EQ(r.Lines[0], line) << pattern << " at " << at;
        }
    }
    // A line of several blocks with the match at its end, and lines after it.
    const std::string longLine = std::string(3 * kBlock + 17, 'q') + "END";
    const auto r = GrepText(*grep, "a\n" + longLine + "\nb END\n", "END$");
    EXPECT_EQ(r.LineNos, (std::vector<int>{2, 3}));
    ASSERT_EQ(r.Lines.size(), 2u);
    EXPECT_EQ(r.Lines[0], longLine);
}

TEST(TGrep, LiteralAndAutomatonAgreeWithTheSlowWayOnRandomText)
{
    // Random text of a few blocks with every kind of line end, NUL bytes and double-byte characters
    // whose trail bytes look like "A" and "\"; the two search loops against the slow reference.
    const std::string pieces[] = {"a", "b", "A", "\\", Sj("ア"), Sj("ソ"), "\r", "\n", "\r\n", std::string(1, '\0')};
    std::mt19937 rng(11);
    auto grep = Construct<TGrep>();
    struct Needle {
        std::string pattern;
        std::u16string codes;
        std::string alike; // a pattern that is no literal but finds the same lines
    };
    const Needle needles[] = {
        {"ab", u"ab", "ab+"}, {"A", u"A", "A+"}, {"\\\\", u"\\", "\\\\+"},
        {Sj("アb"), u"\x8341" u"b", Sj("アb+")}, {Sj("bア"), u"b\x8341", Sj("bア+")}, {"^a", u"\na", "^a+"},
        {"b$", u"b\n", "b+$"}, {"a\\nb", u"a\nb", "a\\nb+"}, {"a b", u"a b", "a b+"}, {"^$", u"\n\n", "^\\n*$"},
    };
    for (int round = 0; round < 4; ++round) {
        std::string raw;
        const std::size_t size = 2 * kBlock + rng() % 1000;
        // Long runs without a line end now and then, so that lines straddle the blocks too.
        const unsigned lineEndWeight = round % 2 ? 3 : 40;
        while (raw.size() < size) {
            unsigned k = rng() % (6 + lineEndWeight);
            raw += k < 6 ? pieces[k] : pieces[6 + (k - 6) % 4];
        }
        for (const auto& n : needles) {
            const auto expected = ReferenceLines(raw, n.codes);
            WithEachVectorWidth([&](const char* width) {
                EXPECT_EQ(GrepText(*grep, raw, n.pattern).LineNos, expected)
                    << n.pattern << " round " << round << width;
                // The same through the automaton, with one start code and with two.
                EXPECT_EQ(GrepText(*grep, raw, n.alike).LineNos, expected) << n.alike << " round " << round << width;
                EXPECT_EQ(GrepText(*grep, raw, n.pattern + "|\\x00").LineNos, expected)
                    << n.pattern << " round " << round << width;
            });
        }
    }
}

TEST(TGrep, LiteralsAmongCharactersMadeOfLeadBytesOnly)
{
    // Double-byte characters both of whose bytes can be lead bytes, in long runs: every byte is a place
    // where a literal's bytes may stand, and only the parity from the line start tells a character's
    // start from its trail byte (a lead byte before a line end is a character of its own).
    const std::string pieces[] = {Bytes("81 81"), Bytes("98 98"), Bytes("81 98"), Bytes("98 81"), Bytes("E0 81"),
                                  "a", Bytes("81 0A"), "\n", "\r\n"};
    std::mt19937 rng(5);
    auto grep = Construct<TGrep>();
    const std::pair<std::string, std::u16string> needles[] = {
        {"\\x8181", u"\x8181"},
        {"\\x8198", u"\x8198"},
        {"\\x9881\\x8198", u"\x9881\x8198"},
        {"\\x8181\\x9898\\x8181", u"\x8181\x9898\x8181"},
        {"a\\x8181", u"a\x8181"},
    };
    std::string raw;
    while (raw.size() < 2 * kBlock + 333) {
        const unsigned k = rng() % 60;
        raw += k < 50 ? pieces[k % 5] : pieces[5 + k % 4];
    }
    for (const auto& [pattern, codes] : needles) {
        const auto expected = ReferenceLines(raw, codes);
        EXPECT_FALSE(expected.empty()) << pattern;
        WithEachVectorWidth([&](const char* width) {
            EXPECT_EQ(GrepText(*grep, raw, pattern).LineNos, expected) << pattern << width;
        });
    }
}

TEST(TGrep, AgreesWithTheStartByStartSearchOnRandomPatterns)
{
    // The search loops (one pass per line, skips to start codes, the byte search of literals, matches
    // followed over line ends and block ends) against every start tried in turn, on random text with
    // every kind of line end, NUL bytes, lead bytes before line ends and trail bytes like "A" and "\".
    const std::string pieces[] = {"a", "b", "A", "\\", Sj("ア"), Sj("ソ"), " ", "^", "$", Bytes("82"),
                                  "\r", "\n", "\r\n", std::string(1, '\0')};
    PatternGenerator gen(5);
    auto grep = Construct<TGrep>();
    for (int round = 0; round < 8; ++round) {
        // Most texts are short; every fourth reaches over a block end.
        std::string raw;
        const std::size_t size = (round % 4 == 3 ? kBlock : 0) + gen.Pick(2000);
        const unsigned lineEndWeight = 1 + gen.Pick(20);
        while (raw.size() < size) {
            const unsigned k = gen.Pick(10 + lineEndWeight);
            raw += pieces[k < 10 ? k : 10 + (k - 10) % 4];
        }
        for (int n = 0; n < 12; ++n) {
            const std::string pattern = gen.Pattern();
            EXPECT_EQ(GrepText(*grep, raw, pattern).LineNos, ReferenceLinesOfPattern(raw, pattern))
                << Cp932ToUtf8(pattern) << " round " << round;
        }
    }
}

TEST(TGrep, MatchesRunningOnOverManyLinesAgreeWithTheStartByStartSearch)
{
    // Patterns whose matches run on over any number of lines ("a(.|\n)*b" and its kin), on texts of
    // many short lines where most such matches are under way at once: the look-aheads that follow them
    // share what an earlier one learnt at each line start, which must never change which lines match
    // (a state seen again at a line start, a run that ends sooner or later than the one remembered,
    // line ends of every kind, lines that cross a block end).
    const std::string pieces[] = {"a", "b", "c", "x", Sj("ア"), " ", "\r\n", "\n", "\r"};
    PatternGenerator gen(17);
    const std::vector<std::string> bridges = {"(.|\\n)*", "(.|\\n)+", "(\\n|[^b])*", "((.|\\n)(.|\\n))*",
                                              "(.*\\n)*", "(a|\\n)*", "(\\n.*)*"};
    const auto part = [&] {
        static const std::vector<std::string> atoms = {"a", "b", "c", "ab", "b$", "^c", "x", "xa", Sj("ア"), "a|c",
                                                       "[bc]", "c\\n", "b\\nb"};
        return "(" + atoms[gen.Pick(atoms.size())] + ")";
    };
    auto grep = Construct<TGrep>();
    for (int round = 0; round < 10; ++round) {
        std::string raw;
        const std::size_t size = round == 9 ? kBlock + gen.Pick(5000) : gen.Pick(3000);
        // Mostly line ends and blanks, so that matches are under way over many lines.
        const unsigned rare = 1 + gen.Pick(30);
        while (raw.size() < size) {
            const unsigned k = gen.Pick(3 * rare + 9);
            raw += k < 5 ? pieces[k] : pieces[5 + k % 4];
        }
        for (int n = 0; n < 10; ++n) {
            std::string pattern = part() + bridges[gen.Pick(bridges.size())] + part();
            if (gen.Pick(3) == 0) pattern += bridges[gen.Pick(bridges.size())] + part();
            if (gen.Pick(4) == 0) pattern = "^" + pattern;
            if (gen.Pick(4) == 0) pattern += "$";
            EXPECT_EQ(GrepText(*grep, raw, pattern).LineNos, ReferenceLinesOfPattern(raw, pattern))
                << Cp932ToUtf8(pattern) << " round " << round;
        }
    }
}
