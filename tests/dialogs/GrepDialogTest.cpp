// The grep dialog's logic: masks and the file list, the run into a result document (cancel, failures,
// the result tab going away), and the result line's form as the tag jump reads it back.

#include "dialogs/GrepDialog.h"

#include "FakeGrepHost.h"

#include "documents/GlobalState.h"
#include "editor/EditorFixture.h"
#include "editor/QxEditor.h"
#include "platform/Cp932.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qx::test {
namespace {

namespace fs = std::filesystem;

TEST(FileMask, MatchesAsTheOldFileSystemsDid)
{
    struct Case {
        const char* name;
        const char* mask;
        bool match;
    } cases[] = {
        {"a.txt", "*.*", true},
        {"Makefile", "*.*", true},  // no dot: an empty extension
        {".hidden", "*.*", true},
        {"a.txt", "*.txt", true},
        {"a.txt.bak", "*.txt", false},
        {"a.TXT", "*.txt", false},  // names differ by case here
        {"README", "*.txt", false},
        {"ab.c", "a?.c", true},
        {"a.c", "a?.c", false},
        {"日本.c", "日?.c", true},  // "?" takes a whole character
        {"日本.c", "??.c", true},
        {"abc", "abc", true},
        {"abcd", "abc", false},
        {"x", "*", true},
        {"abc", "a*b*c", true},
        {"abxc", "a*b*c", true},
        {"acb", "a*b*c", false},
        {"notes", "n*.*", true},
        {"notes", "m*.*", false},
    };
    for (const Case& c : cases) EXPECT_EQ(MatchesFileMask(c.name, c.mask), c.match) << c.name << " / " << c.mask;
}

struct FileTree : ::testing::Test {
    TempDir dir;
    std::string Put(const std::string& Name, const std::string& Bytes = "x\n")
    {
        const fs::path p = fs::path(dir.Path()) / Name;
        fs::create_directories(p.parent_path());
        WriteBytes(p.string(), Bytes);
        return p.string();
    }
    std::vector<std::string> List(const std::string& Mask, bool SubDirs)
    {
        std::vector<std::string> files;
        AddFilesRecursive(Mask, SubDirs, files);
        for (std::string& f : files) f = f.substr(dir.Path().size() + 1);
        return files;
    }
};

TEST_F(FileTree, FilesOfAFolderComeBeforeItsSubfoldersDepthFirst)
{
    Put("b.txt");
    Put("a.txt");
    Put("z/c.txt");
    Put("z/y/d.txt");
    Put("m/e.txt");
    Put("m/f.dat");
    Put("g.dat");
    EXPECT_EQ(List(dir.Path() + "/*.txt", true),
              (std::vector<std::string>{"a.txt", "b.txt", "m/e.txt", "z/c.txt", "z/y/d.txt"}));
    EXPECT_EQ(List(dir.Path() + "/*.txt", false), (std::vector<std::string>{"a.txt", "b.txt"}))
        << "without the switch no subfolder is searched";
    EXPECT_EQ(List(dir.Path() + "/*.*", false), (std::vector<std::string>{"a.txt", "b.txt", "g.dat"}))
        << "folders are never files";
}

TEST_F(FileTree, MaskWithoutWildcardsNamesOneFile)
{
    Put("one.txt");
    Put("two.txt");
    Put("sub/one.txt");
    EXPECT_EQ(List(dir.Path() + "/one.txt", false), std::vector<std::string>{"one.txt"});
    EXPECT_EQ(List(dir.Path() + "/missing.txt", true), std::vector<std::string>{});
    EXPECT_EQ(List(dir.Path() + "/", true), std::vector<std::string>{}) << "no name part, no file";
}

TEST_F(FileTree, LinksToFoldersAreNeverFollowedLinksToFilesAre)
{
    Put("real/a.txt");
    fs::create_directory_symlink(dir.Path(), dir.File("real/loop"));  // a loop back to the top
    fs::create_symlink(dir.File("real/a.txt"), dir.File("link.txt"));
    fs::create_symlink(dir.File("nowhere"), dir.File("dangling.txt"));
    ::mkfifo(dir.File("pipe.txt").c_str(), 0600);
    EXPECT_EQ(List(dir.Path() + "/*.txt", true), (std::vector<std::string>{"link.txt", "real/a.txt"}));
}

TEST(GrepResultLine, PathLineNumberAndTextWithNoBlankBeforeTheBracket)
{
    EXPECT_EQ(GrepResultLine("/t/a.txt", 12, "foo bar"), "/t/a.txt(12) :foo bar");
    const std::string sjisText = Utf8ToCp932("漢字");
    EXPECT_EQ(GrepResultLine("/t/日本.txt", 3, sjisText), Utf8ToCp932("/t/日本.txt") + "(3) :" + sjisText)
        << "the path goes into the Shift-JIS document converted";
}

TEST(GrepResultLine, PathsComeBackAsTheFileSystemHasThem)
{
    const std::vector<std::string> paths = {"/t/a.txt", "/t/日本語/ファイル.txt", "/t/\xff\xfe.txt" /* no UTF-8 */,
                                            "/t/\xe2\x82\xac.txt" /* € has no Shift-JIS code */};
    for (const std::string& path : paths) {
        const std::string inDoc = PathToDocumentText(path);
        EXPECT_EQ(DocumentTextToPath(inDoc, [&](const std::string& n) { return n == path; }), path) << path;
    }
}

TEST(TagJump, ReadsTheFileAndLineOfAResultLine)
{
    struct Case {
        std::string line;
        bool found;
        std::string file;
        int lineNo;
    } cases[] = {
        {"/t/a(b).txt(12) : foo", true, "/t/a(b).txt", 12},
        {"/t/a.txt(3) :x) : y", true, "/t/a.txt", 3},
        {"/t/a.txt(0) :x", true, "/t/a.txt", 1},  // line 0 reads as the first
        {"/t/a.txt(x) : foo", false, "", 0},      // no digits in the bracket
        {"/t/a.txt() : foo", false, "", 0},
        {"/t/a.txt(12): foo", false, "", 0},
        {"(12) : foo", false, "", 0},  // no file name
        {"plain text", false, "", 0},
        {"/t/a(1) :b(2) : c", true, "/t/a", 1},
        {"/t/x(b) :y.txt(7) : z", true, "/t/x(b) :y.txt", 7},
        {"/t/a.txt(99999999999999) :x", true, "/t/a.txt", 1 << 30},
    };
    for (const Case& c : cases) {
        const auto target = ParseTagJumpLine(c.line);
        ASSERT_EQ(target.has_value(), c.found) << c.line;
        if (!target) continue;
        EXPECT_EQ(target->FileName, c.file) << c.line;
        EXPECT_EQ(target->Line, c.lineNo) << c.line;
    }
}

struct GrepRunTest : FileTree {
    TGlobalState state;
    FakeGrepHost host;
    TGrepDialogModel dialog{state, host};

    GrepRunTest()
    {
        state.ProgramFolder = dir.Path() + "/";
        CreateGlobalLists(state);
        dialog.Grep().Poll.Interval = std::chrono::milliseconds(0);
    }
    bool Run(const std::string& Pattern, const std::string& Mask, bool SubDir = false)
    {
        dialog.FormShow("");
        dialog.Pattern = Utf8ToCp932(Pattern);
        dialog.Mask = Mask;
        dialog.SubDir = SubDir;
        return dialog.OKButtonClick();
    }
};

TEST_F(GrepRunTest, EveryMatchIsOneLineOfTheResultDocument)
{
    const std::string a = Put("data/a.txt", Utf8ToCp932("one\r\n漢字 two\r\nthree two\r\n"));
    const std::string b = Put("data/sub/b.txt", "two\n");
    ASSERT_TRUE(Run("two", dir.Path() + "/data/*.txt", true));
    ASSERT_EQ(host.Docs.size(), 1u);
    EXPECT_EQ(host.Names[0], "Grep \"two\"");
    EXPECT_EQ(host.Text(), Utf8ToCp932(a + "(2) :漢字 two\r\n" + a + "(3) :three two\r\n" + b + "(1) :two\r\n"));
    EXPECT_FALSE(host.Docs[0]->Editor->Modified());
    EXPECT_EQ(host.Done, 1);
    EXPECT_FALSE(dialog.Running());
    EXPECT_EQ(dialog.Caption(), "Grepの実行");
    EXPECT_EQ(std::string(dialog.CancelButtonCaption()), "閉じる");
    EXPECT_TRUE(host.Prompts.Requests.empty());

    // The histories were stored, and the next showing offers them.
    TGrepDialogModel next(state, host);
    next.FormShow("");
    EXPECT_EQ(next.Pattern, "two");
    EXPECT_EQ(next.Mask, dir.Path() + "/data/*.txt");
    EXPECT_TRUE(next.SubDir);
    next.FormShow(Utf8ToCp932("選択"));
    EXPECT_EQ(next.Pattern, Utf8ToCp932("選択")) << "the selection wins over the history";
}

TEST_F(GrepRunTest, WhileRunningTheCaptionNamesTheFileAndTheControlsAreLocked)
{
    Put("a.txt", "hit\n");
    Put("b.txt", "hit\n");
    std::vector<std::string> seen;
    dialog.OnStateChange = [&] {
        seen.push_back(dialog.Caption() + "|" + dialog.CancelButtonCaption() + (dialog.Running() ? "|run" : "|idle"));
    };
    ASSERT_TRUE(Run("hit", dir.Path() + "/*.txt"));
    EXPECT_EQ(seen, (std::vector<std::string>{"Grepの実行|閉じる|idle", "Grepの実行|CANCEL|run",
                                              "Grepの実行 \"a.txt\"|CANCEL|run", "Grepの実行 \"b.txt\"|CANCEL|run",
                                              "Grepの実行|閉じる|idle"}));
}

TEST_F(GrepRunTest, CancelKeepsWhatWasFoundAndSaysSo)
{
    for (int i = 0; i < 3; ++i) Put("f" + std::to_string(i) + ".txt", "hit\nhit\n");
    // The cancel button is pressed while the second file is searched.
    host.OnPoll = [&] {
        if (dialog.Caption().find("f1.txt") != std::string::npos) {
            EXPECT_FALSE(dialog.CancelButtonClick());
        }
    };
    EXPECT_TRUE(Run("hit", dir.Path() + "/*.txt"));
    const std::string text = host.Text();
    EXPECT_NE(text.find("f0.txt(2) :hit"), std::string::npos) << text;
    EXPECT_EQ(text.find("f2.txt"), std::string::npos) << text;
    ASSERT_EQ(host.Prompts.Requests.size(), 1u);
    EXPECT_EQ(host.Prompts.Requests[0].Text, "Grepの実行を中断しました。");
    EXPECT_EQ(host.Prompts.Requests[0].Caption, "情報");
    EXPECT_EQ(host.Beeps, 1);
    EXPECT_FALSE(dialog.Running());
    EXPECT_TRUE(dialog.CancelButtonClick()) << "idle, the button closes";
}

TEST_F(GrepRunTest, ClosingTheFormOrTheResultTabStopsTheRun)
{
    for (int i = 0; i < 3; ++i) Put("f" + std::to_string(i) + ".txt", "hit\n");
    host.OnPoll = [&] { dialog.FormClose(); };
    EXPECT_TRUE(Run("hit", dir.Path() + "/*.txt"));
    EXPECT_EQ(host.Prompts.Requests.back().Text, "Grepの実行を中断しました。");

    host.OnPoll = [&] { host.Docs.back().reset(); };  // the result tab is closed under the run
    EXPECT_TRUE(Run("hit", dir.Path() + "/*.txt"));
    EXPECT_EQ(host.Done, 1) << "a document that is gone is not refreshed";
    EXPECT_EQ(host.Prompts.Requests.back().Text, "Grepの実行を中断しました。");
}

TEST_F(GrepRunTest, NoFileOrABadPatternKeepsTheDialogAndMakesNoDocument)
{
    Put("a.txt", "x\n");
    EXPECT_FALSE(Run("x", dir.Path() + "/*.none"));
    ASSERT_EQ(host.Prompts.Requests.size(), 1u);
    EXPECT_EQ(host.Prompts.Requests[0].Text, "Grepの対象ファイルが見つかりません。");
    EXPECT_EQ(host.Prompts.Requests[0].Caption, "情報");

    EXPECT_FALSE(Run("(x", dir.Path() + "/*.txt"));
    EXPECT_EQ(host.Prompts.Requests.back().Caption, "エラー");
    EXPECT_TRUE(host.Docs.empty());
    EXPECT_EQ(host.Beeps, 2);
}

TEST_F(GrepRunTest, AFileThatCannotBeReadStopsTheRunWithAnError)
{
    Put("a.txt", "hit\n");
    const std::string b = Put("b.txt", "hit\n");
    Put("c.txt", "hit\n");
    host.OnPoll = [&] { fs::remove(b); };  // gone between the listing and its search
    EXPECT_TRUE(Run("hit", dir.Path() + "/*.txt"));
    ASSERT_EQ(host.Prompts.Requests.size(), 1u);
    EXPECT_EQ(host.Prompts.Requests[0].Text, "Grepの実行に失敗しました。");
    EXPECT_EQ(host.Prompts.Requests[0].Caption, "エラー");
    EXPECT_EQ(host.Text(), dir.File("a.txt") + "(1) :hit\r\n") << "the lines found so far stay, the run stops";
}

TEST_F(GrepRunTest, FolderAndFileButtonsSetTheMask)
{
    dialog.FolderChosen("/home/u/src");
    EXPECT_EQ(dialog.Mask, "/home/u/src/*.*");
    dialog.FolderChosen("/");
    EXPECT_EQ(dialog.Mask, "/*.*");
    dialog.FileChosen("/home/u/a.txt");
    EXPECT_EQ(dialog.Mask, "/home/u/a.txt");
    dialog.FileChosen("");
    EXPECT_EQ(dialog.Mask, "/home/u/a.txt") << "a cancelled choice changes nothing";
}

} // namespace
} // namespace qx::test
