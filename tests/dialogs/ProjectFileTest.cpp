#include "dialogs/ProjectFile.h"

#include "platform/Cp932.h"
#include "support/ExactBytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <regex>

using namespace qx;
using NT = TProjectNodeType;

namespace {

TProjectRecListItem Rec(NT type, int level, const std::string& name, std::string text = {}, int id = 0)
{
    TProjectRecListItem r;
    MakeProjectRecord(type, level, Utf8ToCp932(name), r, id, std::move(text));
    return r;
}

TProjectRecordList List(std::initializer_list<TProjectRecListItem> records)
{
    TProjectRecordList list;
    for (const auto& r : records) list.Add(r);
    return list;
}

std::string Header() { return "// QxEditor for Windows Project\r\n// Version 3.6\r\n\r\n"; }

std::string Block(std::string_view type, int level, std::string_view name, std::string_view body, int lock = 0,
                  std::string_view comment = "", std::string_view ext = "")
{
    return "/* ProjectItem */\r\nType=" + std::string(type) + "\r\nLevel=" + std::to_string(level) + "\r\nName=" +
           std::string(name) + "\r\nLock=" + std::to_string(lock) + "\r\nComment=" + std::string(comment) +
           "\r\nExt=" + std::string(ext) + "\r\nbegin/*\r\n" + std::string(body) + "*/end\r\n\r\n";
}

TProjectFileStatus Read(std::string_view bytes, TProjectRecordList& out)
{
    test::ExactBytes exact(bytes);
    return ReadProjectBytes(exact, out);
}

} // namespace

TEST(ProjectFile, WritesTheGoldenBytes)
{
    TProjectRecordList list = List({Rec(NT::ntBox, 0, "ボックス", {}, 7), Rec(NT::ntImport, 1, "メモ", "abc", 3),
                                    Rec(NT::ntTrash, 0, "ゴミ箱", {}, 9)});
    list.Items(1).Lock = 1;
    list.Items(1).Comment = Utf8ToCp932("注記");
    list.Items(1).Ext = "*.txt";
    const std::string expected = Header() + Block("ntBox", 0, Utf8ToCp932("ボックス"), "") +
                                 Block("ntImport", 1, Utf8ToCp932("メモ"), "abc\r\n", 1, Utf8ToCp932("注記"), "*.txt") +
                                 Block("ntTrash", 0, Utf8ToCp932("ゴミ箱"), "");
    EXPECT_EQ(WriteProjectBytes(list), expected);

    // Read back: the same records, numbered in file order whatever their ids were.
    TProjectRecordList back;
    ASSERT_EQ(Read(expected, back), TProjectFileStatus::Loaded);
    ASSERT_EQ(back.Count(), 3);
    list.Items(0).ItemId = 0;
    list.Items(1).ItemId = 1;
    list.Items(1).Text = "abc\r\n";
    list.Items(2).ItemId = 2;
    EXPECT_EQ(back.Records(), list.Records());
}

TEST(ProjectFile, AnEmptyProjectIsTheHeaderOnly)
{
    EXPECT_EQ(WriteProjectBytes(TProjectRecordList()), Header());
    TProjectRecordList back = List({Rec(NT::ntBox, 0, "x")});
    EXPECT_EQ(Read(Header(), back), TProjectFileStatus::Loaded);
    EXPECT_EQ(back.Count(), 0);
}

TEST(ProjectFile, StoredTextsKeepTheirBytesAndEveryLaterBody)
{
    struct Case {
        std::string Text, ReadBack;
    };
    const Case cases[] = {
        {"", ""},
        {"abc", "abc\r\n"},  // a line end is added when the text has none
        {"a\r\n", "a\r\n"},
        {"a\nb\n", "a\nb\n"},
        {"x\r", "x\r"},
        {"a\rb\nc\r\n", "a\rb\nc\r\n"},
        {Utf8ToCp932("日本語のテキスト\r\n表ソ\r\n"), Utf8ToCp932("日本語のテキスト\r\n表ソ\r\n")},
        {"\r\n\r\n", "\r\n\r\n"},
        {"// not a comment\r\nbegin/*\r\n", "// not a comment\r\nbegin/*\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Text));
        const TProjectRecordList list = List({Rec(NT::ntImport, 0, "a", c.Text), Rec(NT::ntImport, 0, "b", "after\r\n")});
        TProjectRecordList back;
        ASSERT_EQ(Read(WriteProjectBytes(list), back), TProjectFileStatus::Loaded);
        ASSERT_EQ(back.Count(), 2);
        EXPECT_EQ(back.Texts(0), c.ReadBack);
        EXPECT_EQ(back.Texts(1), "after\r\n");
        EXPECT_EQ(back.Names(1), "b");
    }
}

TEST(ProjectFile, ReadsAFileWhoseLinesEndInLfAlone)
{
    const TProjectRecordList list = List({Rec(NT::ntBox, 0, "箱"), Rec(NT::ntImport, 1, "one", "first\r\nline\r\n"),
                                          Rec(NT::ntImport, 1, "two", "second\r\n"), Rec(NT::ntTrash, 0, "t")});
    const std::string lf = std::regex_replace(WriteProjectBytes(list), std::regex("\r\n"), "\n");
    TProjectRecordList back;
    ASSERT_EQ(Read(lf, back), TProjectFileStatus::Loaded);
    ASSERT_EQ(back.Count(), 4);
    EXPECT_EQ(back.Texts(1), "first\nline\n");
    EXPECT_EQ(back.Texts(2), "second\n");
    EXPECT_EQ(back.Names(3), "t");
    EXPECT_EQ(back.NodeTypes(3), NT::ntTrash);
}

TEST(ProjectFile, HeaderAndVersionDecideWhetherTheFileIsRead)
{
    struct Case {
        std::string Head;
        TProjectFileStatus Status;
    };
    const std::string first = "// QxEditor for Windows Project\r\n";
    const Case cases[] = {
        {first + "// Version 3.6\r\n", TProjectFileStatus::Loaded},
        {first + "// Version 3.5\r\n", TProjectFileStatus::Loaded},
        {first + "// Version 4.0\r\n", TProjectFileStatus::Loaded},
        {first + "// Version 3.4\r\n", TProjectFileStatus::OldVersion},
        {first + "// Version 1\r\n", TProjectFileStatus::OldVersion},
        {first + "// version 3.6\r\n", TProjectFileStatus::WrongFormat},
        {first + "//Version 3.6\r\n", TProjectFileStatus::WrongFormat},
        {first + "// Version three\r\n", TProjectFileStatus::WrongFormat},
        {first + "// Version \r\n", TProjectFileStatus::WrongFormat},
        {first + "// Version nan\r\n", TProjectFileStatus::WrongFormat},
        {first + "// Version NaN(1)\r\n", TProjectFileStatus::WrongFormat},
        {first + "// Version inf\r\n", TProjectFileStatus::WrongFormat},
        {first + "// Version infinity\r\n", TProjectFileStatus::WrongFormat},
        {first + "// Version -inf\r\n", TProjectFileStatus::WrongFormat},
        {first + "// Version 1e999\r\n", TProjectFileStatus::WrongFormat},
        {first, TProjectFileStatus::WrongFormat},
        {"// QxEditor for windows Project\r\n// Version 3.6\r\n", TProjectFileStatus::WrongFormat},
        {"// QxEditor for Windows Project \r\n// Version 3.6\r\n", TProjectFileStatus::WrongFormat},
        {"", TProjectFileStatus::WrongFormat},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Head);
        TProjectRecordList back = List({Rec(NT::ntBox, 0, "old")});
        EXPECT_EQ(Read(c.Head + Block("ntBox", 0, "b", ""), back), c.Status);
        EXPECT_EQ(back.Count(), c.Status == TProjectFileStatus::Loaded ? 1 : 0);
    }
}

TEST(ProjectFile, ABadNumberRefusesTheWholeFile)
{
    for (const std::string bad : {"Level=x\r\n", "Lock=1a\r\n", "Level=\r\n"}) {
        SCOPED_TRACE(bad);
        const std::string file = Header() + Block("ntBox", 0, "good", "") + "/* ProjectItem */\r\n" + bad + "*/end\r\n";
        TProjectRecordList back;
        EXPECT_EQ(Read(file, back), TProjectFileStatus::WrongFormat);
        EXPECT_EQ(back.Count(), 0);
    }
}

TEST(ProjectFile, KeysInAnyOrderCommentsAndStrayLines)
{
    const std::string file = Header() + "stray line\r\n" +
                             "/* ProjectItem */\r\n"
                             "// a comment\r\n"
                             "\r\n"
                             "Ext=*.c\r\n"
                             "Unknown=1\r\n"
                             "Name=n\r\n"
                             "Type=ntFolder\r\n"
                             "Type=ntNothing\r\n"  // an unknown kind keeps the one before
                             "Lock= 1\r\n"
                             "Comment=c\r\n"
                             "begin/* ignored\r\n"
                             "body\r\n"
                             "*/end\r\n"
                             "Name=after the block\r\n";
    TProjectRecordList back;
    ASSERT_EQ(Read(file, back), TProjectFileStatus::Loaded);
    ASSERT_EQ(back.Count(), 1);
    const TProjectRecListItem& r = back.Items(0);
    EXPECT_EQ(r.NodeType, NT::ntFolder);
    EXPECT_EQ(r.Name, "n");
    EXPECT_EQ(r.Ext, "*.c");
    EXPECT_EQ(r.Comment, "c");
    EXPECT_EQ(r.Lock, 1);
    EXPECT_EQ(r.Text, "body\r\n");
}

TEST(ProjectFile, LevelsKeepTheTreeShape)
{
    // A jump of two levels and a negative level would make the tree and the subtrees disagree.
    const std::string file = Header() + Block("ntBox", 0, "a", "") + Block("ntFolder", 3, "b", "") +
                             Block("ntLink", 2, "c", "") + Block("ntBox", -2, "d", "");
    TProjectRecordList back;
    ASSERT_EQ(Read(file, back), TProjectFileStatus::Loaded);
    ASSERT_EQ(back.Count(), 4);
    EXPECT_EQ(back.Levels(0), 0);
    EXPECT_EQ(back.Levels(1), 1);
    EXPECT_EQ(back.Levels(2), 2);
    EXPECT_EQ(back.Levels(3), 0);
}

TEST(ProjectFile, AFileThatEndsInsideABlockKeepsWhatItHas)
{
    TProjectRecordList back;
    ASSERT_EQ(Read(Header() + Block("ntBox", 0, "a", "") + "/* ProjectItem */\r\nType=ntImport\r\nName=cut\r\nbegin/*\r\npartial",
                   back),
              TProjectFileStatus::Loaded);
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Names(1), "cut");
    EXPECT_EQ(back.Texts(1), "partial");
    ASSERT_EQ(Read(Header() + "/* ProjectItem */\r\nName=x", back), TProjectFileStatus::Loaded);
    EXPECT_EQ(back.Count(), 1);
}

TEST(ProjectFile, LineEndsInsideAOneLineValueBecomeBlanks)
{
    TProjectRecordList list = List({Rec(NT::ntBox, 0, "a\r\nb")});
    list.Items(0).Comment = "c\nd";
    list.Items(0).Ext = "*.\rx";
    TProjectRecordList back;
    ASSERT_EQ(Read(WriteProjectBytes(list), back), TProjectFileStatus::Loaded);
    ASSERT_EQ(back.Count(), 1);
    EXPECT_EQ(back.Names(0), "a  b");
    EXPECT_EQ(back.Comments(0), "c d");
    EXPECT_EQ(back.Exts(0), "*. x");
}

TEST(ProjectFile, ATextWithAnEndLineIsFound)
{
    for (const char* text : {"*/end", "a\r\n*/end\r\nb", "a\n*/end", "a\r*/end\rb"}) EXPECT_TRUE(TextHoldsEndLine(text)) << text;
    for (const char* text : {"", "*/end ", " */end", "a*/end", "*/endx\r\n"}) EXPECT_FALSE(TextHoldsEndLine(text)) << text;
    const TProjectRecordList list = List({Rec(NT::ntImport, 0, "ok", "x"), Rec(NT::ntImport, 0, "bad", "a\r\n*/end\r\nb")});
    EXPECT_EQ(UnsavableProjectItems(list), std::vector<int>{1});
}

TEST(ProjectFile, ProgressRunsToTheEndAndBackToZero)
{
    const TProjectRecordList list = List({Rec(NT::ntBox, 0, "a"), Rec(NT::ntTrash, 0, "b")});
    std::vector<std::pair<std::int64_t, std::int64_t>> seen;
    const std::string bytes = WriteProjectBytes(list, [&](std::int64_t p, std::int64_t m) { seen.emplace_back(p, m); });
    EXPECT_EQ(seen, (std::vector<std::pair<std::int64_t, std::int64_t>>{{0, 2}, {1, 2}, {2, 2}, {0, 2}}));
    seen.clear();
    TProjectRecordList back;
    ReadProjectBytes(bytes, back, [&](std::int64_t p, std::int64_t m) { seen.emplace_back(p, m); });
    const auto size = static_cast<std::int64_t>(bytes.size());
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), std::make_pair(std::int64_t{0}, size));
    EXPECT_EQ(seen[seen.size() - 2], std::make_pair(size, size));
    EXPECT_EQ(seen.back(), std::make_pair(std::int64_t{0}, size));
}

TEST(ProjectFile, SavingMakesTheFileTheOpenProjectsAndAFailedSaveChangesNothing)
{
    test::TempDir dir;
    TGlobalState state;
    state.ProgramFolder = dir.Path() + "/";
    state.ProjectItemList = List({Rec(NT::ntBox, 0, "a"), Rec(NT::ntTrash, 0, "b")});
    state.ProjectModified = true;
    state.ProjectCanContinue = false;

    EXPECT_THROW(SaveProjectFile(state, dir.File("missing/p.qxp")), EInOutError);
    EXPECT_TRUE(state.ProjectModified);
    EXPECT_EQ(state.ProjectFileName, UntitledProjectName);
    EXPECT_EQ(state.RecentProjectList.Count(), 0);

    SaveProjectFile(state, dir.File("p.qxp"));
    EXPECT_EQ(test::ReadBytes(dir.File("p.qxp")), WriteProjectBytes(state.ProjectItemList));
    EXPECT_FALSE(state.ProjectModified);
    EXPECT_TRUE(state.ProjectCanContinue);
    EXPECT_EQ(state.ProjectFileName, dir.File("p.qxp"));
    EXPECT_EQ(state.Settings.Project.LastProjectFile, dir.File("p.qxp"));
    ASSERT_EQ(state.RecentProjectList.Count(), 1);
    EXPECT_EQ(state.RecentProjectList[0], dir.File("p.qxp"));

    // A text that cannot be read back whole leaves the project modified.
    state.ProjectItemList.Items(0).Text = "*/end\r\n";
    SaveProjectFile(state, dir.File("p.qxp"));
    EXPECT_TRUE(state.ProjectModified);

    // Loading replaces the records and numbers them anew.
    state.ProjectItemList.Items(0).ItemId = 40;
    state.ProjectItemList.Items(0).Text.clear();
    SaveProjectFile(state, dir.File("p.qxp"));
    state.ProjectModified = true;
    ASSERT_EQ(LoadProjectFile(state, dir.File("p.qxp")), TProjectFileStatus::Loaded);
    EXPECT_EQ(state.ProjectItemList.ItemIds(0), 0);
    EXPECT_EQ(state.ProjectItemList.ItemIds(1), 1);
    EXPECT_FALSE(state.ProjectModified);
    EXPECT_THROW(LoadProjectFile(state, dir.File("none.qxp")), EFOpenError);
    EXPECT_EQ(state.ProjectItemList.Count(), 2);
}

TEST(ProjectRecordList, EveryIndexFaultRaisesOneMessage)
{
    TProjectRecordList list = List({Rec(NT::ntBox, 0, "a")});
    const std::string message(ProjectListIndexError);
    auto expectFault = [&](auto&& f) {
        try {
            f();
            ADD_FAILURE() << "no fault";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), message);
        }
    };
    expectFault([&] { list.Items(1); });
    expectFault([&] { list.Items(-1); });
    expectFault([&] { list.Delete(1); });
    expectFault([&] { list.Insert(2, {}); });
    expectFault([&] { list.Extract(0, 2); });
    expectFault([&] { list.Names(5); });
    EXPECT_EQ(list.Count(), 1);
}

TEST(ProjectRecordList, NewIdsAreTheSmallestUnused)
{
    TProjectRecordList list;
    EXPECT_EQ(NewProjectItemId(list), 0);
    for (int id : {0, 1, 3, 7, -4}) list.Add(Rec(NT::ntBox, 0, "x", {}, id));
    EXPECT_EQ(NewProjectItemId(list), 2);
    EXPECT_EQ(NewProjectItemIds(list, 4), (std::vector<int>{2, 4, 5, 6}));
}
