#include "mainwindow/files/FileRoads.h"

#include "mainwindow/FakeFileRoadHost.h"
#include "documents/DocumentCodes.h"
#include "platform/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qx {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class FileRoadsTest : public ::testing::Test {
protected:
    FileRoadsTest() { Host.Global.ProgramFolder = Dir.Path() + "/"; }

    std::string File(const std::string& Name, const std::string& Text)
    {
        WriteBytes(Dir.File(Name), Text);
        return Dir.File(Name);
    }
    static TFileDialogResult Chosen(std::vector<std::string> Files, int Code = 0, int FilterIndex = 1, int LineEnd = 0)
    {
        TFileDialogResult r;
        r.Accepted = true;
        r.Files = std::move(Files);
        r.ComboBoxIndex = Code;
        r.ComboBoxIndex2 = LineEnd;
        r.FilterIndex = FilterIndex;
        return r;
    }
    void Type(const std::string& Text)
    {
        Host.Current().Lines().SetText(Text);
        Host.Current().SetModified(true);
    }

    test::TempDir Dir;
    test::FakeFileRoadHost Host;
};

TEST_F(FileRoadsTest, OpenDialogFilesTakeOneRoadEachAndOpenTabsOnlyActivate)
{
    const std::string a = File("a.txt", "A"), b = File("b.txt", "B"), c = File("c.txt", "C");
    const std::string d = File("d.txt", "D"), e = File("e.txt", "E");
    ASSERT_TRUE(OpenRecentFile(Host, b));  // fills the untouched untitled tab
    ASSERT_TRUE(OpenRecentFile(Host, d));
    ASSERT_EQ(Host.Count(), 2);
    Host.Activate(0);

    // Five files, two of them open (one of those listed last); a missing one says so and the rest open.
    Host.FileDialogs.Results.push_back(Chosen({a, b, Dir.File("missing.txt"), c, e, d}));
    OpenFromDialog(Host);
    ASSERT_EQ(Host.Count(), 5);
    std::vector<std::string> names;
    for (int i = 0; i < Host.Count(); ++i) names.push_back(Host.Name(i));
    EXPECT_EQ(names, (std::vector<std::string>{b, d, a, c, e}));
    EXPECT_EQ(Host.CurrentPage(), 1) << "the last file named was open: its tab is the current one";
    ASSERT_EQ(Host.Prompts.Requests.size(), 1u);
    EXPECT_EQ(Host.Prompts.Requests[0].Caption, "確認");
    EXPECT_EQ(Host.Prompts.Requests[0].Kind, TMsgDlgType::mtError);
    EXPECT_EQ(Host.TextOf(2), "A\r\n");
    EXPECT_EQ(Host.LastFolder, Dir.Path());
    // The dialog offered several files and the code list.
    ASSERT_EQ(Host.FileDialogs.Requests.size(), 1u);
    EXPECT_TRUE(Host.FileDialogs.Requests[0].MultiSelect);
    EXPECT_TRUE(Host.FileDialogs.Requests[0].ComboBoxVisible);
}

TEST_F(FileRoadsTest, AShortcutOpensItsTargetWhichTheTabAndTheMessagesName)
{
    const std::string a = File("a.txt", "A");
    File("a.desktop", "[Desktop Entry]\nType=Link\nURL=a.txt\n");
    File("gone.desktop", "[Desktop Entry]\nType=Link\nURL=file://" + Dir.Path() + "/gone.txt\n");
    std::filesystem::create_symlink("a.txt", Dir.File("link"));
    Host.FileDialogs.Results.push_back(Chosen({Dir.File("a.desktop"), Dir.File("link"), Dir.File("gone.desktop")}));
    OpenFromDialog(Host);
    // Both shortcuts name the one file: one tab.
    ASSERT_EQ(Host.Count(), 1);
    EXPECT_EQ(Host.Name(0), std::filesystem::canonical(a).string());
    EXPECT_EQ(Host.TextOf(0), "A\r\n");
    ASSERT_EQ(Host.Prompts.Requests.size(), 1u);
    EXPECT_NE(Host.Prompts.Requests[0].Text.find("gone.txt"), std::string::npos) << Host.Prompts.Requests[0].Text;
}

TEST_F(FileRoadsTest, TheChosenCodeReadsEveryFileOfTheDialog)
{
    // "日本" in EUC, which the automatic choice could also take for Shift-JIS.
    const std::string euc = File("e.txt", "\xC6\xFC\xCB\xDC");
    Host.FileDialogs.Results.push_back(Chosen({euc}, ocEuc));
    OpenFromDialog(Host);
    EXPECT_EQ(Cp932ToUtf8(Host.TextOf(0)), "日本\r\n");
    EXPECT_EQ(Host.Current().SaveFileCharType(), sfctEUC);
}

TEST_F(FileRoadsTest, ARecentFolderOpensItsOneFileEvenWhenItIsOpenAlready)
{
    const std::string a = File("a.txt", "A");
    ASSERT_TRUE(OpenRecentFile(Host, a));
    Host.FileDialogs.Results.push_back(Chosen({a}));
    OpenFromFolder(Host, Dir.Path());
    EXPECT_EQ(Host.Count(), 2);
    EXPECT_EQ(Host.FileDialogs.Requests[0].InitialDir, Dir.Path());
    EXPECT_FALSE(Host.FileDialogs.Requests[0].MultiSelect);
}

TEST_F(FileRoadsTest, SaveAsAsksAboutTheNameAsWrittenAndShowsTheDialogAgainOnNo)
{
    File("a.txt", "old");
    Type("new");
    // "a" becomes "a.txt", which exists: No shows the dialog again with that name; then "b" is free.
    Host.FileDialogs.Results.push_back(Chosen({Dir.File("a")}, 0, 1));
    Host.FileDialogs.Results.push_back(Chosen({Dir.File("b")}, 0, 1));
    Host.Prompts.Answers = {mr::No};
    ASSERT_TRUE(SaveDocumentAs(Host));
    EXPECT_EQ(ReadBytes(Dir.File("a.txt")), "old");
    EXPECT_EQ(ReadBytes(Dir.File("b.txt")), "new");
    EXPECT_EQ(Host.Name(0), Dir.File("b.txt"));
    EXPECT_FALSE(Host.Modified(0));
    ASSERT_EQ(Host.Prompts.Requests.size(), 1u);
    EXPECT_NE(Host.Prompts.Requests[0].Text.find(Dir.File("a.txt")), std::string::npos);
    EXPECT_EQ(Host.Beeps, 1);
    ASSERT_EQ(Host.FileDialogs.Requests.size(), 2u);
    EXPECT_EQ(Host.FileDialogs.Requests[1].FileName, Dir.File("a.txt"));

    // Yes overwrites; the extension's case does not matter.
    File("c.TXT", "old");
    Host.FileDialogs.Results.push_back(Chosen({Dir.File("c.TXT")}, 0, 1));
    Host.Prompts.Answers = {mr::Yes};
    ASSERT_TRUE(SaveDocumentAs(Host));
    EXPECT_EQ(ReadBytes(Dir.File("c.TXT")), "new");
    EXPECT_FALSE(std::filesystem::exists(Dir.File("c.TXT.txt")));
}

TEST_F(FileRoadsTest, SaveAsCancelledOrFailedLeavesTheDocumentAsItWas)
{
    Type("text");
    EXPECT_FALSE(SaveDocumentAs(Host));  // the dialog cancelled
    EXPECT_TRUE(Host.Modified(0));
    EXPECT_TRUE(IsUntitled(Host.Name(0)));

    // A folder that does not exist: the write fails and says so.
    Host.FileDialogs.Results.push_back(Chosen({Dir.File("no/such.txt")}, 0, 4));
    EXPECT_FALSE(SaveDocumentAs(Host));
    EXPECT_TRUE(Host.Modified(0));
    EXPECT_TRUE(IsUntitled(Host.Name(0)));
    EXPECT_FALSE(Host.Prompts.Requests.empty());
}

TEST_F(FileRoadsTest, SaveAsTakesTheCodeLineEndAndEnvironmentOfTheNewName)
{
    Host.Global.EnvExtList[3].Add("*.html");
    Type(Utf8ToCp932("表\r\nx"));
    Host.FileDialogs.Results.push_back(Chosen({Dir.File("p")}, ocUtf8, 2, lcLF));
    ASSERT_TRUE(SaveDocumentAs(Host));
    EXPECT_EQ(ReadBytes(Dir.File("p.html")), "表\nx");
    const std::vector<std::string> expected = {"environment 3 " + Dir.File("p.html"), "bound " + Dir.File("p.html")};
    EXPECT_EQ(Host.Log, expected);
    EXPECT_EQ(Host.Current().AnyNumber1, 3);
}

TEST_F(FileRoadsTest, SaveGoesThroughBackupsAndAnUntitledDocumentThroughSaveAs)
{
    const std::string a = File("a.txt", "old");
    ASSERT_TRUE(OpenRecentFile(Host, a));
    Host.Log.clear();
    Type("new");
    ASSERT_TRUE(SaveDocument(Host));
    EXPECT_EQ(ReadBytes(a), "new");
    EXPECT_EQ(Host.Log, (std::vector<std::string>{"backup " + a, "bound " + a}));

    Host.NewTab();
    Type("fresh");
    EXPECT_FALSE(SaveDocument(Host)) << "Save As was cancelled";
    EXPECT_EQ(Host.FileDialogs.Requests.size(), 1u);
    EXPECT_TRUE(Host.FileDialogs.Requests[0].Save);
}

TEST_F(FileRoadsTest, SaveAllAsksLikeCloseAllAndStopsWhereASaveDidNotHappen)
{
    const std::string a = File("a.txt", "a"), b = File("b.txt", "b");
    ASSERT_TRUE(OpenRecentFile(Host, a));
    ASSERT_TRUE(OpenRecentFile(Host, b));
    Host.Activate(0);
    Type("A");
    Host.Activate(1);
    Type("B");
    Host.Prompts.Answers = {mr::All};
    EXPECT_TRUE(SaveAllDocuments(Host));
    EXPECT_EQ(ReadBytes(a), "A");
    EXPECT_EQ(ReadBytes(b), "B");
    EXPECT_EQ(Host.Count(), 2) << "nothing closes";
    EXPECT_EQ(Host.CurrentPage(), 1) << "the page that was active";

    // An untitled document whose Save As is cancelled stops the walk before the next document.
    Host.NewTab();
    Type("new");
    Host.Activate(0);
    Type("again");
    Host.Activate(2);
    Host.Prompts.Answers = {mr::Yes, mr::Yes};
    EXPECT_FALSE(SaveAllDocuments(Host));
    EXPECT_EQ(ReadBytes(a), "again");
    EXPECT_TRUE(Host.Modified(2));
}

TEST_F(FileRoadsTest, MatchSaveExtensionByFileType)
{
    const struct {
        const char* Name;
        int Type;
        const char* Expected;
    } cases[] = {
        {"a", 1, "a.txt"},        {"a.txt", 1, "a.txt"},    {"a.TXT", 1, "a.TXT"}, {"a.htm", 2, "a.htm.html"},
        {"a.HTML", 2, "a.HTML"},  {"a.html", 3, "a.html.htm"}, {"a.c", 4, "a.c"},  {"a", 7, "a"},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchSaveExtension(c.Name, c.Type), c.Expected) << c.Name << " " << c.Type;
}

TEST_F(FileRoadsTest, InsertFileConvertsTheWholeFileAndKeepsTheCaretWithoutInsertCurPos)
{
    // UTF-16 little-endian with its mark: "日\r\nb".
    const std::string utf16 = File("u.txt", std::string("\xFF\xFE\xE5\x65\r\0\n\0b\0", 10));
    for (const int insertCurPos : {1, 0}) {
        SCOPED_TRACE(insertCurPos);
        Host.Current().Lines().SetText("xy");
        Host.Current().InsertCurPos = insertCurPos;
        Host.Current().SetRowCol(0, 1);
        Host.FileDialogs.Results.push_back(Chosen({utf16}));
        InsertFile(Host);
        EXPECT_EQ(Cp932ToUtf8(Host.TextOf(0)), "x日\r\nby\r\n");
        EXPECT_EQ(Host.Current().SelStart(), insertCurPos ? 6 : 1);
    }
}

} // namespace
} // namespace qx
