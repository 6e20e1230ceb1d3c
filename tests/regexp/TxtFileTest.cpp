#include "RegExpTestUtil.h"
#include "platform/LeadByte.h"
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

// The lines that contain Needle, found the slow way: the text cut into characters as grep reads it,
// every start position tried, a match at a line end belonging to the line after it.
std::vector<int> ReferenceLines(const std::string& raw, const std::u16string& needle)
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
    std::vector<unsigned> codes;
    std::vector<int> lineOf;
    int lfs = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == '\n') ++lfs;
        lineOf.push_back(lfs);
        if (IsDBCSLeadByte(b) && text[i + 1] != '\n') {
            codes.push_back(b << 8 | static_cast<unsigned char>(text[i + 1]));
            i += 2;
        } else {
            codes.push_back(b);
            ++i;
        }
    }
    std::set<int> lines;
    for (std::size_t i = 0; i + needle.size() <= codes.size(); ++i)
        if (std::equal(needle.begin(), needle.end(), codes.begin() + i) && lineOf[i] < lfs)
            lines.insert(lineOf[i]);
    return {lines.begin(), lines.end()};
}

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
            EXPECT_EQ(GrepText(*grep, raw, n.pattern).LineNos, expected) << n.pattern << " round " << round;
            // The same through the automaton, with one start code and with two.
            EXPECT_EQ(GrepText(*grep, raw, n.alike).LineNos, expected) << n.alike << " round " << round;
            EXPECT_EQ(GrepText(*grep, raw, n.pattern + "|\\x00").LineNos, expected) << n.pattern << " round " << round;
        }
    }
}
