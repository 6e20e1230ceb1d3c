#include "RegExpTestUtil.h"
#include "support/Bytes.h"
#include "support/ScriptedPrompter.h"

#include "documents/CharCodeConvert.h"
#include "documents/DocumentCodec.h"
#include "documents/DocumentCodes.h"

#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

using namespace qx;
using namespace qx::test;

namespace {

std::vector<int> LineNos(const std::string& text, const std::string& pattern, bool fuzzy = false)
{
    auto grep = Construct<TGrep>();
    grep->SetUseFuzzyCharDic(fuzzy);
    return GrepText(*grep, text, pattern).LineNos;
}

std::size_t ResidentBytes()
{
    std::ifstream in("/proc/self/statm");
    std::size_t total = 0, resident = 0;
    in >> total >> resident;
    return resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

} // namespace

TEST(TGrep, ReportsEachMatchingLineOnce)
{
    struct Case {
        std::string text;
        std::string pattern;
        std::vector<int> lines;
    };
    const Case cases[] = {
        {"abc\ndef\nxabcabc\n", "abc", {1, 3}},
        {"abc\ndef\nxabcabc\n", "a.c|e", {1, 2, 3}},
        {"x\nabc", "abc", {2}},          // the last line has no line end
        {"x\nabc", "b.$", {2}},
        {"", "abc", {}},
        {"", "^", {}},
        {"a\r\nb\r\nabc\r\n", "abc", {3}}, // CR LF and CR end lines alike
        {"a\rb\rabc", "abc", {3}},
        {"a\rb\rabc", "b+c", {3}},
        {"a\n\r\nb\r\rabc", "a.c", {5}},
        // "^" and "$" at the pattern's ends are the line ends around a line.
        {"abc\nxabc\nabcx\n", "^abc", {1, 3}},
        {"abc\nxabc\nabcx\n", "abc$", {1, 2}},
        {"abc\nxabc\nabcx\n", "^a.c$", {1}},
        {"abc\nxabc\nabcx\n", "^x|x$", {2, 3}},
        {"a\n\nb\n", "^", {1, 2, 3}},
        {"a\n\nb\n", "$", {1, 2, 3}},
        {"a\n\nb", "^$", {2}},
        {"a\n\nb", "^(|x)$", {2}},
        // "^" and "$" inside the pattern are characters.
        {"a^b\nab\n", "a^b", {1}},
        {"a$b\nab\n", "a[$]b|a$b", {1}},
        // The empty pattern and matches of nothing but the empty string report no line.
        {"a\nb\n", "", {}},
        {"a\nb\n", "a*", {1}},
        {"a\nb\n", "()", {}},
        // A match may run over a line end when the pattern names one; it reports the line it starts in.
        {"ab\ncd\nb\n", "b\nc", {1}},
        {"ab\ncd\nb\n", "b\n.*d", {1}},
        {"a\nb\nz\n", "a(.|\n)*z", {1}},
        {"a\nb\ny\n", "a(.|\n)*z", {}},
        {"xa\nb\nb\n", "a\nb|b", {1, 2, 3}},
        // A match under way that reaches the end of the file ends there; later starts still count.
        {"a\nb\n", "a(\n.)*\nq|b", {2}},
        {"a\nb", "a\n.\n.|b", {2}},
        // NUL reads as a blank.
        {std::string("a\0b\n", 4), "a b", {1}},
        {std::string("a\0b\n", 4), "a[ ]b", {1}},
    };
    for (const auto& c : cases) EXPECT_EQ(LineNos(c.text, c.pattern), c.lines) << c.pattern << " in " << c.text;
}

TEST(TGrep, FollowsMatchesAcrossLineEndsOverBlockEnds)
{
    // A match under way at a line end, followed on over the end of the block that holds it: the line
    // end and a double-byte character split by the block end, and a last line without a line end.
    const std::size_t block = TTxtFile::BlockSize;
    struct Case {
        std::string text;
        std::string pattern;
        std::vector<int> lines;
    };
    std::vector<Case> cases;
    for (std::size_t fill : {block - 8, block - 7, block - 6, block - 5, block - 4, block, 2 * block}) {
        const std::string y(fill, 'y');
        cases.push_back({"xa\n" + y + "\nb", "a\ny*\nb$", {1}});
        cases.push_back({"xa\r\n" + y + "\r\nb\r\n", "a\ny*\nb$", {1}});
        cases.push_back({"xa\n" + y + Sj("ア") + "\n", Sj("a\ny*ア$"), {1}});
        cases.push_back({"xa\n" + y + Sj("ア") + "\n", "a\ny*A", {}});
        cases.push_back({"xa\n" + y + "\n", "a\ny*\nq|y$", {2}});
    }
    for (const auto& c : cases)
        EXPECT_EQ(LineNos(c.text, c.pattern), c.lines) << c.pattern << " in " << c.text.size() << " bytes";
}

TEST(TGrep, FollowsAMatchAcrossLinesWithoutKeepingThem)
{
    // A match that may run on over every later line is followed through 16 MB of them: the lines it
    // passes must not pile up in memory.
    TempDir dir;
    const std::string file = dir.File("log.txt");
    {
        std::string lines;
        while (lines.size() < (1u << 20)) lines += "a line of the log\r\n";
        std::ofstream out(file, std::ios::binary);
        out << "BEGIN\r\n";
        for (int i = 0; i < 16; ++i) out << lines;
        out << "END\r\n";
    }
    auto grep = Construct<TGrep>();
    std::vector<int> reported;
    std::size_t grown = 0;
    const std::size_t before = ResidentBytes();
    grep->OnMatch = [&](TObject*, const RE_LineInfo_t& info) {
        reported.push_back(info.LineNo);
        const std::size_t now = ResidentBytes();
        grown = now > before ? now - before : 0;
    };
    grep->SetRegExp("BEGIN(.|\\n)*END");
    grep->Grep(file);
    EXPECT_EQ(reported, std::vector<int>{1});
    EXPECT_LT(grown, std::size_t(8) << 20);
}

TEST(TGrep, CompilesPatternsAsLongAsAPastedText)
{
    // Long patterns are long chains of concatenations or alternatives; compiling one must not go as
    // deep into the stack as it is long.
    const std::string as(60000, 'a');
    std::string alternatives = "q";
    for (int i = 0; i < 60000; ++i) alternatives += "|q";
    const std::string text = "x\n" + as + "\nb\n";
    struct Case {
        std::string pattern;
        std::vector<int> lines;
    };
    const Case cases[] = {
        {as, {2}},
        {"^" + as + "$", {2}},
        {"b" + as + "|x$", {1}},
        {alternatives + "|b", {3}},
    };
    for (const auto& c : cases) EXPECT_EQ(LineNos(text, c.pattern), c.lines) << c.pattern.size();
}

TEST(TGrep, ReportsTheLineWithoutItsLineEnd)
{
    auto grep = Construct<TGrep>();
    const auto r = GrepText(*grep, std::string("one\r\ntwo x\r\nthr\0e x", 19), "x");
    EXPECT_EQ(r.Lines, (std::vector<std::string>{"two x", "thr e x"}));
    EXPECT_EQ(r.LineNos, (std::vector<int>{2, 3}));
    EXPECT_EQ(GrepText(*grep, "ab\ncd\n", "b\nc").Lines, std::vector<std::string>{"ab"});
}

TEST(TGrep, MatchesWholeCharactersOnly)
{
    // ア is 83 41 ("A" as its trail byte), ソ 83 5C (a backslash), ｼ BC.
    const std::string text = Sj("ア\nソ\nｼ\nAア\n表示\n") + Bytes("82 0A 41 0A");
    struct Case {
        std::string pattern;
        std::vector<int> lines;
    };
    const Case cases[] = {
        {"A", {4, 7}},
        {"A+", {4, 7}},
        {"[A-C]", {4, 7}},
        {"\\\\", {}},
        {"\\\\|\\x5c", {}},
        {"[\\\\]", {}},
        {Sj("ア"), {1, 4}},
        {Sj("ア$"), {1, 4}},
        {Sj("[ア-ン]"), {1, 2, 4}},
        {Sj("表."), {5}},
        {Sj("示"), {5}},
        // A 16-bit code stays one: \x41BC is no "A" and no ｼ.
        {"\\x41BC", {}},
        {"\\x8341", {1, 4}},
        {"\\x8341|\\x41BC", {1, 4}},
        // A lead byte before a line end is a character of its own.
        {"\\x82", {6}},
        {"\\x82$", {6}},
        {"\\x82.", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(LineNos(text, c.pattern), c.lines) << c.pattern;
}

TEST(TGrep, ALoneLeadByteInALiteralMatchesOnlyBeforeALineEnd)
{
    // 82 is the lead byte of Ａ (82 60) and あ (82 A0), and a character of its own before a line end
    // (LF, CR LF, or the end of the file).
    const std::string text = Sj("Ａ\n") + Bytes("82 0A") + Sj("あ") + Bytes("82 0D 0A") + "x" + Bytes("82");
    struct Case {
        std::string pattern;
        std::vector<int> lines;
    };
    const Case cases[] = {
        {"\\x82", {2, 3, 4}}, {"\\x82$", {2, 3, 4}}, {Sj("あ") + "\\x82", {3}}, {"x\\x82", {4}}, {Sj("Ａ"), {1}},
    };
    for (const auto& c : cases) EXPECT_EQ(LineNos(text, c.pattern), c.lines) << c.pattern;
}

TEST(TGrep, FuzzyCharactersFindEveryForm)
{
    const std::string text = Sj("カメラ\nかめら\nｶﾒﾗ\nガメラ\nＡＢＣ\nabc\n");
    EXPECT_EQ(LineNos(text, Sj("カ"), true), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(LineNos(text, Sj("か゛"), true), (std::vector<int>{4}));
    EXPECT_EQ(LineNos(text, "abc", true), (std::vector<int>{5, 6}));
    EXPECT_EQ(LineNos(text, "^a", true), (std::vector<int>{5, 6}));
    EXPECT_EQ(LineNos(text, Sj("カ"), false), (std::vector<int>{1}));
}

TEST(TGrep, SynonymSwitchFindsEveryWordOfTheRow)
{
    const TREDictionary synonyms = {{Sj("東京"), Sj("江戸"), "Tokyo"}};
    auto grep = Construct<TGrep>();
    grep->SynonymDic().push_back(&synonyms);
    const std::string text = Sj("東京都\n江戸城\n京都\nＴＯＫＹＯ\n");
    EXPECT_EQ(GrepText(*grep, text, Sj("東京")).LineNos, std::vector<int>{1});
    grep->SetUseSynonymDic(true);
    EXPECT_EQ(grep->RegExp(), Sj("東京"));
    EXPECT_EQ(GrepText(*grep, text, Sj("東京")).LineNos, (std::vector<int>{1, 2}));
    // The fuzzy characters apply to the words the synonyms bring in.
    grep->SetUseFuzzyCharDic(true);
    EXPECT_EQ(GrepText(*grep, text, Sj("江戸")).LineNos, (std::vector<int>{1, 2, 4}));
}

TEST(TGrep, WithoutOnMatchItReturnsAtOnce)
{
    auto grep = Construct<TGrep>();
    grep->SetRegExp("a");
    EXPECT_NO_THROW(grep->Grep("/no/such/file"));
    grep->OnMatch = [](TObject*, const RE_LineInfo_t&) {};
    EXPECT_THROW(grep->Grep("/no/such/file"), EFOpenError);
}

TEST(TGrep, SkipsWhatIsNoRegularFileWithoutWaiting)
{
    TempDir dir;
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto grep = Construct<TGrep>();
    grep->OnMatch = [](TObject*, const RE_LineInfo_t&) {};
    for (const std::string& pattern : std::vector<std::string>{"a", "a+"}) {
        grep->SetRegExp(pattern);
        for (const std::string& path : {fifo, dir.Path(), std::string("/dev/null")}) {
            try {
                grep->Grep(path);
                ADD_FAILURE() << path;
            } catch (const EFOpenError& e) {
                EXPECT_NE(e.Message().find("通常のファイルではありません"), std::string::npos) << e.Message();
            }
        }
    }
}

TEST(TGrep, PollHookCanCancelAndRunsAtMostOncePerInterval)
{
    TempDir dir;
    const std::string file = dir.File("big.txt");
    std::string text;
    for (int i = 0; i < 50000; ++i) text += "line with a match\n";
    WriteBytes(file, text);

    auto grep = Construct<TGrep>();
    int reported = 0, polls = 0;
    grep->OnMatch = [&](TObject*, const RE_LineInfo_t&) { ++reported; };
    // A clock that moves 1 ms each time it is read: the hook may run only every 10th read.
    auto now = std::chrono::steady_clock::time_point{} + std::chrono::hours(1);
    int reads = 0;
    grep->Poll.Clock = [&] {
        ++reads;
        return now += std::chrono::milliseconds(1);
    };
    grep->Poll.Hook = [&] { ++polls; };
    for (const std::string& pattern : std::vector<std::string>{"match", "ma+tch"}) {
        reported = polls = reads = 0;
        grep->SetRegExp(pattern);
        grep->Grep(file);
        EXPECT_EQ(reported, 50000);
        EXPECT_GE(reads, 50000);
        EXPECT_LE(polls, reads / 10 + 1);
        EXPECT_GE(polls, reads / 10 - 1);
    }
    // The hook sets Cancel (as a dialog's button would): the search stops with EGrepCancel.
    grep->Poll.Hook = [&] {
        if (reported > 100) grep->Cancel = true;
    };
    for (const std::string& pattern : std::vector<std::string>{"match", "ma+tch"}) {
        reported = 0;
        grep->SetRegExp(pattern);
        EXPECT_THROW(grep->Grep(file), EGrepCancel);
        EXPECT_LT(reported, 200);
    }
}

TEST(TGrep, ReadsEveryFileInItsOwnCode)
{
    // One text in five codes (made by iconv): every file gives the lines and line numbers of the
    // Shift-JIS one, as the editor shows them after opening it.
    const std::string data = QX_TEST_DATA "/codes/";
    const std::string names[] = {"sjis.txt", "euc.txt", "utf8.txt", "jis.txt", "utf16.txt"};
    auto grep = Construct<TGrep>();
    for (const std::string pattern : {"猫", "第[0-9０-９]+章", "吾輩.*人間", "ある。\n名前"}) {
        const GrepResult expected = GrepText(*grep, ReadBytes(data + "sjis.txt"), Sj(pattern));
        ASSERT_FALSE(expected.LineNos.empty()) << pattern;
        for (const std::string& name : names) {
            const std::string text = ReadBytes(data + name);
            const GrepResult found = GrepText(*grep, text, Sj(pattern));
            EXPECT_EQ(found.LineNos, expected.LineNos) << pattern << " in " << name;
            EXPECT_EQ(found.Lines, expected.Lines) << pattern << " in " << name;
            // Behind more than a block of ASCII (the code is chosen where the first other byte is) and
            // with CR LF, whose pairs may be cut by the blocks and pieces.
            if (name == "utf16.txt") continue;
            const std::string head(TTxtFile::BlockSize + 7, 'a');
            const auto crlf = [](std::string t) {
                std::string r;
                for (char c : t) c == '\n' ? r += "\r\n" : r += c;
                return r;
            };
            const GrepResult late = GrepText(*grep, head + "\n" + crlf(text), Sj(pattern));
            std::vector<int> shifted = expected.LineNos;
            for (int& n : shifted) ++n;
            EXPECT_EQ(late.LineNos, shifted) << pattern << " late in " << name;
            EXPECT_EQ(late.Lines, expected.Lines) << pattern << " late in " << name;
        }
    }
}

TEST(TGrep, AFileThatIsUtf8OnlyInItsFirstBlocksIsReadAsTheEditorOpensIt)
{
    // UTF-8 for more than a block, then a line in Shift-JIS: the editor opens the whole file in a byte
    // code, and grep reports what the opened text holds, not the lines it found while it took the file
    // for UTF-8.
    std::string utf8Lines;
    while (utf8Lines.size() < 3 * TTxtFile::BlockSize) utf8Lines += "猫の行 cat\n";
    const std::string mixed = utf8Lines + Sj("猫の行 cat") + "\n";
    ScriptedMessagePrompter shiftJis; // answers the editor's question, if it asks, as grep takes it
    shiftJis.Answers = {mr::No};
    const std::string opened = DecodeDocument(mixed, ocAuto, shiftJis).Text;
    auto grep = Construct<TGrep>();
    for (const std::string pattern : {"猫", "cat", "猫.*cat"}) {
        const GrepResult expected = GrepText(*grep, opened, Sj(pattern));
        const GrepResult found = GrepText(*grep, mixed, Sj(pattern));
        EXPECT_EQ(found.LineNos, expected.LineNos) << pattern;
        EXPECT_EQ(found.Lines, expected.Lines) << pattern;
    }
}

TEST(TGrep, LinesFoundBeforeAFileTurnsOutNotUtf8AreReportedOnce)
{
    // A first block of ASCII, then UTF-8, then a piece that is not: the lines of the ASCII head are
    // reported before the reader takes the file for UTF-8, and the search that reads it again from its
    // start in a byte code does not report them a second time.
    std::string head = "match here\n";
    while (head.size() < 180 * 1024) head += "plain line\n";
    std::string tail;
    while (tail.size() < 240 * 1024) tail += "plain line\n";
    const std::string mixed = head + "日本\n" + tail + "\x82\xA0 match there\n";
    ScriptedMessagePrompter shiftJis;
    shiftJis.Answers = {mr::No};
    const std::string opened = DecodeDocument(mixed, ocAuto, shiftJis).Text;
    auto grep = Construct<TGrep>();
    for (const std::string pattern : {"match", "ma.ch", "here|there"}) {
        const GrepResult expected = GrepText(*grep, opened, pattern);
        ASSERT_EQ(expected.LineNos.size(), 2u) << pattern;
        const GrepResult found = GrepText(*grep, mixed, pattern);
        EXPECT_EQ(found.LineNos, expected.LineNos) << pattern;
        EXPECT_EQ(found.Lines, expected.Lines) << pattern;
    }
}

TEST(TGrep, ACodeChosenBehindAPlainHeadIsTheOneTheEditorChooses)
{
    // More than a block of plain ASCII, then EUC: the code is chosen where the first other byte is,
    // as the editor chooses it from the start, where a byte below 0x08 (past the first 512 bytes, which
    // are tested apart) makes the detection take the file for binary, read as Shift-JIS. The lines
    // found are those of the opened text behind a head short enough to be read with the rest.
    const std::string euc = ReadBytes(QX_TEST_DATA "/codes/euc.txt");
    ScriptedMessagePrompter shiftJis;
    shiftJis.Answers = {mr::No};
    auto grep = Construct<TGrep>();
    for (const std::string binary : {"", "\x01"}) {
        std::string head = std::string(1000, 'a') + binary + "\n", shortHead = binary + "\n";
        while (head.size() <= TTxtFile::BlockSize) {
            head += "plain line\n";
            shortHead += "\n";
        }
        const std::string text = head + euc;
        const std::string opened = DecodeDocument(text, ocAuto, shiftJis).Text;
        ASSERT_EQ(opened.substr(0, head.size()), head);
        const std::string reference = shortHead + opened.substr(head.size());
        std::size_t matched = 0;
        // The cat as Shift-JIS has it, and its EUC bytes read as Shift-JIS.
        for (const std::string& pattern : {Sj("猫"), SjisToEuc(Sj("猫"))}) {
            const GrepResult expected = GrepText(*grep, reference, pattern);
            const GrepResult found = GrepText(*grep, text, pattern);
            EXPECT_EQ(found.LineNos, expected.LineNos) << binary.size();
            EXPECT_EQ(found.Lines, expected.Lines) << binary.size();
            matched += expected.LineNos.size();
        }
        EXPECT_GT(matched, 0u) << binary.size();
    }
}
