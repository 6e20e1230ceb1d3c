#include "dialogs/ProjectDocNames.h"
#include "ProjectFixture.h"

#include <algorithm>
#include <random>
#include <tuple>

using namespace qx;
using namespace qx::test;
using NT = TProjectNodeType;
using Shape = std::vector<std::string>;

namespace {

class ProjectManagerTest : public ProjectFixture {
protected:
    // box "ボックス" { folder F { link L, file I } }, box B2, trash { stored T }
    void BuildSample()
    {
        const int f = Add(IndexOf("ボックス"), NT::ntFolder, "F");
        Add(f, NT::ntLink, "L");
        Add(IndexOf("F"), NT::ntImport, "I", "text of I");
        Add(-1, NT::ntBox, "B2");
        State.ProjectItemList.Add(TProjectRecListItem{NT::ntImport, 1, Sjis("T"), 0, "", "", "t", 90});
        Manager.RebuildProjectTree();
        ASSERT_EQ(Shape(), (::Shape{"0:ボックス", "1:F", "2:L", "2:I", "0:B2", "0:ゴミ箱", "1:T"}));
    }
};

} // namespace

TEST_F(ProjectManagerTest, ANewProjectHasABoxAndTheTrash)
{
    EXPECT_EQ(Shape(), (::Shape{"0:ボックス", "0:ゴミ箱"}));
    EXPECT_EQ(Records().NodeTypes(0), NT::ntBox);
    EXPECT_EQ(Records().NodeTypes(1), NT::ntTrash);
    EXPECT_EQ(Records().ItemIds(0), 0);
    EXPECT_EQ(Records().ItemIds(1), 1);
    EXPECT_EQ(State.ProjectFileName, UntitledProjectName);
    EXPECT_EQ(State.Settings.Project.LastProjectFile, UntitledProjectName);
    EXPECT_EQ(Manager.RootCaption(), "新規プロジェクト");
    EXPECT_EQ(Listener.Selected, -1);
    ASSERT_EQ(Manager.Tree().Children(-1), (std::vector<int>{0, 1}));

    // While the window starts or closes, the last project file is kept.
    State.Settings.Project.LastProjectFile = "/p.qxp";
    Manager.SetStartingOrClosing(true);
    Manager.NewProject();
    EXPECT_EQ(State.Settings.Project.LastProjectFile, "/p.qxp");
}

TEST_F(ProjectManagerTest, NewItemsTakeTheFirstFreeDefaultName)
{
    const int box = IndexOf("ボックス");
    Manager.SetSelectedProjectItemIndex(box);
    Prompter.InputAnswers = {{true, "新規フォルダ1"}, {true, "新規フォルダ2"}};
    ASSERT_TRUE(Manager.NewProjectFolder());
    Manager.SetSelectedProjectItemIndex(box);
    ASSERT_TRUE(Manager.NewProjectFolder());
    ASSERT_EQ(Prompter.Inputs.size(), 2u);
    EXPECT_EQ(Prompter.Inputs[0].Caption, "新しいフォルダを作成");
    EXPECT_EQ(Prompter.Inputs[0].Prompt, "新しいフォルダの名前：");
    EXPECT_EQ(Prompter.Inputs[0].Initial, "新規フォルダ1");
    EXPECT_EQ(Prompter.Inputs[1].Initial, "新規フォルダ2");
    EXPECT_EQ(Shape(), (::Shape{"0:ボックス", "1:新規フォルダ1", "1:新規フォルダ2", "0:ゴミ箱"}));
    EXPECT_TRUE(State.ProjectModified);
    EXPECT_EQ(Manager.SelectedProjectItemIndex(), 2);
    EXPECT_EQ(Records().ItemIds(2), 3);

    // A grandchild with a default name does not count; a box counts only Level-0 records.
    Manager.SetSelectedProjectItemIndex(1);
    Prompter.InputAnswers = {{true, "新規フォルダ1"}};
    ASSERT_TRUE(Manager.NewProjectFolder());
    EXPECT_EQ(Prompter.Inputs.back().Initial, "新規フォルダ1");
    Manager.SetSelectedProjectItemIndex(-1);
    Prompter.InputAnswers = {{true, "新規ボックス1"}, {true, "名前"}};
    ASSERT_TRUE(Manager.NewProjectBox());
    EXPECT_EQ(Prompter.Inputs.back().Caption, "新しいボックスを作成");
    Manager.SetSelectedProjectItemIndex(-1);
    ASSERT_TRUE(Manager.NewProjectBox());
    EXPECT_EQ(Prompter.Inputs.back().Initial, "新規ボックス2");
    EXPECT_EQ(Shape(), (::Shape{"0:ボックス", "1:新規フォルダ1", "2:新規フォルダ1", "1:新規フォルダ2", "0:新規ボックス1",
                                "0:名前", "0:ゴミ箱"}));

    // A new file opens its properties.
    Manager.SetSelectedProjectItemIndex(IndexOf("名前"));
    Prompter.InputAnswers = {{true, "新規ファイル1"}};
    ASSERT_TRUE(Manager.NewProjectFile());
    EXPECT_EQ(Prompter.Inputs.back().Prompt, "新しいファイルの名前：");
    EXPECT_EQ(Dialogs.PropertyDialogs, 1);
    EXPECT_EQ(Records().NodeTypes(Manager.SelectedProjectItemIndex()), NT::ntImport);
}

TEST_F(ProjectManagerTest, NewItemsNeedTheirKindOfSelection)
{
    BuildSample();
    const std::size_t inputs = Prompter.Inputs.size();
    struct Case {
        std::string Selection;  // "" = root
        NT Type;
    };
    for (const Case& c : {Case{"", NT::ntFolder}, Case{"", NT::ntImport}, Case{"L", NT::ntFolder}, Case{"I", NT::ntImport},
                          Case{"ゴミ箱", NT::ntFolder}, Case{"ボックス", NT::ntBox}, Case{"F", NT::ntBox}}) {
        Manager.SetSelectedProjectItemIndex(c.Selection.empty() ? -1 : IndexOf(c.Selection));
        const bool made = c.Type == NT::ntBox ? Manager.NewProjectBox()
                          : c.Type == NT::ntFolder ? Manager.NewProjectFolder() : Manager.NewProjectFile();
        EXPECT_FALSE(made) << c.Selection;
    }
    EXPECT_EQ(Prompter.Inputs.size(), inputs);
    Manager.SetSelectedProjectItemIndex(IndexOf("F"));
    Prompter.InputAnswers = {{false, ""}};
    EXPECT_FALSE(Manager.NewProjectFolder());
    EXPECT_EQ(Records().Count(), 7);
}

TEST_F(ProjectManagerTest, NothingIsNestedDeeperThanAProjectFileMayHold)
{
    // A chain of folders down to the deepest level a project file holds, then box B2 { F { G } }.
    TProjectRecordList& list = State.ProjectItemList;
    list.Clear();
    TProjectRecListItem r;
    for (int level = 0; level < MaxProjectDepth; ++level) {
        MakeProjectRecord(level ? NT::ntFolder : NT::ntBox, level, "n" + std::to_string(level), r, level);
        list.Add(r);
    }
    using Item = std::tuple<NT, int, const char*>;
    for (const auto& [type, level, name] :
         std::initializer_list<Item>{{NT::ntBox, 0, "B2"}, {NT::ntFolder, 1, "F"}, {NT::ntFolder, 2, "G"}, {NT::ntTrash, 0, "t"}}) {
        MakeProjectRecord(type, level, name, r, list.Count());
        list.Add(r);
    }
    Manager.RebuildProjectTree();
    const int deepest = MaxProjectDepth - 1, f = IndexOf("F");

    // Nothing new under the deepest folder, and nothing asked.
    Manager.SetSelectedProjectItemIndex(deepest);
    EXPECT_FALSE(Manager.NewProjectFolder());
    EXPECT_FALSE(Manager.NewProjectFile());
    EXPECT_FALSE(Manager.LinkProjectFile("/a.txt"));
    EXPECT_TRUE(Prompter.Inputs.empty());
    // F { G } fits under the folder two above the deepest, not under one nearer.
    EXPECT_FALSE(Manager.CanDropProjectItem(f, deepest - 1));
    ASSERT_TRUE(Manager.CopyProjectItem(f));
    EXPECT_FALSE(Manager.PasteProjectItem(deepest - 1, false));
    EXPECT_EQ(Records().Count(), MaxProjectDepth + 4);
    EXPECT_TRUE(Manager.DropProjectItem(f, deepest - 2));
    EXPECT_EQ(Records().Levels(IndexOf("G")), deepest);
    // What the pane can build, a project file holds.
    TProjectRecordList back;
    EXPECT_EQ(ReadProjectBytes(WriteProjectBytes(Records()), back), TProjectFileStatus::Loaded);
}

TEST_F(ProjectManagerTest, LinkAndImportGoUnderTheSelection)
{
    const std::string memo = Dir.File("メモ.txt");
    WriteBytes(memo, "\xef\xbb\xbf本文\nの二行目");  // UTF-8 with LF line ends
    Dialogs.FilesToAdd = {memo, Dir.File("README")};
    Manager.SetSelectedProjectItemIndex(0);
    Manager.ActionProjectImportFile();  // README cannot be read: said and skipped
    EXPECT_EQ(Prompter.Requests.size(), 1u);
    Manager.ActionProjectLinkFile();
    ASSERT_EQ(Shape(), (::Shape{"0:ボックス", "1:メモ.txt", "1:メモ.txt", "1:README", "0:ゴミ箱"}));
    EXPECT_EQ(Records().NodeTypes(1), NT::ntImport);
    EXPECT_EQ(Records().Texts(1), Sjis("本文\r\nの二行目"));
    EXPECT_EQ(Records().Exts(1), "*.txt");
    EXPECT_EQ(Records().NodeTypes(2), NT::ntLink);
    EXPECT_EQ(Records().Texts(2), memo);  // a path keeps the file system's bytes
    EXPECT_EQ(Records().Exts(3), "");
    EXPECT_EQ(Manager.SelectedProjectItemIndex(), 0);
    EXPECT_TRUE(State.ProjectModified);
}

TEST_F(ProjectManagerTest, PasteFollowsThePasteTable)
{
    // Each case: copy `source`, paste on `target` ("" = root); the shape after, or unchanged when refused.
    struct Case {
        std::string Source, Target;
        ::Shape After;  // empty: refused
    };
    const Case cases[] = {
        {"B2", "", {"0:ボックス", "1:F", "2:L", "2:I", "0:B2", "0:B2", "0:ゴミ箱", "1:T"}},
        {"F", "", {}},
        {"L", "", {}},
        {"F", "B2", {"0:ボックス", "1:F", "2:L", "2:I", "0:B2", "1:F", "2:L", "2:I", "0:ゴミ箱", "1:T"}},
        {"L", "ボックス", {"0:ボックス", "1:F", "2:L", "2:I", "1:L", "0:B2", "0:ゴミ箱", "1:T"}},
        {"I", "F", {"0:ボックス", "1:F", "2:L", "2:I", "2:I", "0:B2", "0:ゴミ箱", "1:T"}},
        {"B2", "F", {}},
        {"T", "L", {"0:ボックス", "1:F", "2:L", "2:T", "2:I", "0:B2", "0:ゴミ箱", "1:T"}},
        {"L", "I", {"0:ボックス", "1:F", "2:L", "2:I", "2:L", "0:B2", "0:ゴミ箱", "1:T"}},
        {"F", "L", {}},
        {"I", "ゴミ箱", {"0:ボックス", "1:F", "2:L", "2:I", "0:B2", "0:ゴミ箱", "1:T", "1:I"}},
        {"F", "ゴミ箱", {}},
        {"B2", "ゴミ箱", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Source + " -> " + c.Target);
        Manager.NewProject();
        BuildSample();
        State.ProjectModified = false;
        const ::Shape before = Shape();
        ASSERT_TRUE(Manager.CopyProjectItem(IndexOf(c.Source)));
        const int target = c.Target.empty() ? -1 : IndexOf(c.Target);
        EXPECT_EQ(Manager.PasteProjectItem(target, false), !c.After.empty());
        EXPECT_EQ(Shape(), c.After.empty() ? before : c.After);
        EXPECT_EQ(State.ProjectModified, !c.After.empty());
        // Every id stays unique.
        std::vector<int> ids;
        for (const auto& r : Records().Records()) ids.push_back(r.ItemId);
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    }
}

TEST_F(ProjectManagerTest, PasteOntoTheTrashGoesToTheEndOfItsSubtree)
{
    // A file may keep items after the trash.
    State.ProjectItemList.Add(TProjectRecListItem{NT::ntBox, 0, "after", 0, "", "", "", 5});
    Manager.RebuildProjectTree();
    Add(0, NT::ntLink, "L");
    ASSERT_TRUE(Manager.CopyProjectItem(IndexOf("L")));
    ASSERT_TRUE(Manager.PasteProjectItem(IndexOf("ゴミ箱"), false));
    EXPECT_EQ(Shape(), (::Shape{"0:ボックス", "1:L", "0:ゴミ箱", "1:L", "0:after"}));
    EXPECT_EQ(Manager.SelectedProjectItemIndex(), 3);
}

TEST_F(ProjectManagerTest, CopyCutAndDelete)
{
    BuildSample();
    EXPECT_FALSE(Manager.CopyProjectItem(-1));
    EXPECT_FALSE(Manager.CopyProjectItem(IndexOf("ゴミ箱")));
    EXPECT_FALSE(Manager.CutProjectItem(IndexOf("ゴミ箱")));
    EXPECT_FALSE(Manager.DeleteProjectItem(IndexOf("ゴミ箱"), false));

    // A cut and paste gives new ids.
    const int oldId = Records().ItemIds(IndexOf("F"));
    ASSERT_TRUE(Manager.CutProjectItem(IndexOf("F")));
    EXPECT_EQ(Shape(), (::Shape{"0:ボックス", "0:B2", "0:ゴミ箱", "1:T"}));
    EXPECT_EQ(Manager.Clipboard().Count(), 3);
    Add(-1, NT::ntBox, "B3");  // takes the smallest free id, F's old one
    EXPECT_EQ(Records().ItemIds(IndexOf("B3")), oldId);
    ASSERT_TRUE(Manager.PasteProjectItem(IndexOf("B2"), false));
    EXPECT_EQ(Shape(), (::Shape{"0:ボックス", "0:B2", "1:F", "2:L", "2:I", "0:B3", "0:ゴミ箱", "1:T"}));
    EXPECT_EQ(Records().ItemIds(IndexOf("F")), 3);
    EXPECT_EQ(Records().ItemIds(IndexOf("L")), 4);
    EXPECT_EQ(Records().ItemIds(IndexOf("I")), 6);
    ASSERT_TRUE(Manager.DeleteProjectItem(IndexOf("B3"), false));

    // An item open in a tab can be neither cut nor deleted (a refused cut empties the clipboard).
    Manager.OpenProjectItemInTab(IndexOf("I"));
    ASSERT_EQ(Tabs.TabCount(), 1);
    EXPECT_FALSE(Manager.CutProjectItem(IndexOf("F")));
    EXPECT_EQ(Manager.Clipboard().Count(), 0);
    EXPECT_FALSE(Manager.DeleteProjectItem(IndexOf("B2"), false));
    EXPECT_EQ(Prompter.Texts(), (std::vector<std::string>(2, "切り取りまたは削除しようとしたアイテムを開いているため処理できません。")));
    EXPECT_EQ(Records().Count(), 7);
    EXPECT_TRUE(Manager.DeleteProjectItem(IndexOf("L"), false));
    EXPECT_TRUE(Manager.DeleteProjectItem(IndexOf("B2"), true));
    EXPECT_EQ(Shape(), (::Shape{"0:ボックス", "0:ゴミ箱", "1:T"}));

    // A locked item can still be cut, copied and deleted.
    State.ProjectItemList.Items(IndexOf("T")).Lock = 1;
    EXPECT_FALSE(Manager.CanDragProjectItem(IndexOf("T")));
    EXPECT_TRUE(Manager.CopyProjectItem(IndexOf("T")));
    EXPECT_TRUE(Manager.CutProjectItem(IndexOf("T")));
}

TEST_F(ProjectManagerTest, DragRules)
{
    BuildSample();
    Add(IndexOf("F"), NT::ntFolder, "G");
    // dragged -> targets that accept it ("" = root)
    const std::vector<std::string> names = {"", "ボックス", "F", "L", "I", "G", "B2", "ゴミ箱", "T"};
    const std::map<std::string, std::vector<std::string>> accepted = {
        {"ボックス", {""}},
        {"B2", {""}},
        {"F", {"ボックス", "B2"}},  // not into itself or below, not on links, files, the trash or the root
        {"G", {"ボックス", "F", "B2"}},
        {"L", {"ボックス", "F", "I", "G", "B2", "ゴミ箱", "T"}},
        {"I", {"ボックス", "F", "L", "G", "B2", "ゴミ箱", "T"}},
        {"T", {"ボックス", "F", "L", "I", "G", "B2", "ゴミ箱"}},
        {"ゴミ箱", {}},
    };
    for (const auto& [dragged, targets] : accepted) {
        for (const std::string& target : names) {
            const bool expected = std::find(targets.begin(), targets.end(), target) != targets.end();
            EXPECT_EQ(Manager.CanDropProjectItem(IndexOf(dragged), target.empty() ? -1 : IndexOf(target)), expected)
                << dragged << " on " << (target.empty() ? "root" : target);
        }
    }
    EXPECT_FALSE(Manager.CanDragProjectItem(-1));
    State.ProjectItemList.Items(IndexOf("L")).Lock = 1;
    EXPECT_FALSE(Manager.CanDropProjectItem(IndexOf("L"), IndexOf("B2")));
}

TEST_F(ProjectManagerTest, ADropMovesOneSubtreeAndLeavesTheClipboardAlone)
{
    BuildSample();
    ASSERT_TRUE(Manager.CopyProjectItem(IndexOf("B2")));
    const int idF = Records().ItemIds(IndexOf("F"));
    Manager.OpenProjectItemInTab(IndexOf("I"));
    ASSERT_EQ(Tabs.Tabs[0].DocName, "Project[" + std::to_string(Records().ItemIds(IndexOf("I"))) + "]:ボックス\\F\\I");

    ASSERT_TRUE(Manager.DropProjectItem(IndexOf("F"), IndexOf("B2")));
    EXPECT_EQ(Shape(), (::Shape{"0:ボックス", "0:B2", "1:F", "2:L", "2:I", "0:ゴミ箱", "1:T"}));
    EXPECT_EQ(Records().ItemIds(IndexOf("F")), idF);  // a drag keeps ids
    EXPECT_EQ(Tabs.Tabs[0].DocName, "Project[" + std::to_string(Records().ItemIds(IndexOf("I"))) + "]:B2\\F\\I");
    ASSERT_EQ(Manager.Clipboard().Count(), 1);
    EXPECT_EQ(Manager.Clipboard().Names(0), "B2");
    EXPECT_EQ(Manager.SelectedProjectItemIndex(), IndexOf("F"));

    // Upwards, onto the root and onto the trash.
    ASSERT_TRUE(Manager.DropProjectItem(IndexOf("T"), IndexOf("ボックス")));
    ASSERT_TRUE(Manager.DropProjectItem(IndexOf("B2"), -1));
    ASSERT_TRUE(Manager.DropProjectItem(IndexOf("L"), IndexOf("ゴミ箱")));
    EXPECT_EQ(Shape(), (::Shape{"0:ボックス", "1:T", "0:B2", "1:F", "2:I", "0:ゴミ箱", "1:L"}));

    // A refused drop changes nothing.
    const ::Shape before = Shape();
    State.ProjectModified = false;
    EXPECT_FALSE(Manager.DropProjectItem(IndexOf("B2"), IndexOf("F")));
    EXPECT_FALSE(Manager.DropProjectItem(IndexOf("F"), IndexOf("I")));
    EXPECT_EQ(Shape(), before);
    EXPECT_FALSE(State.ProjectModified);
}

TEST_F(ProjectManagerTest, AcceptedDropsKeepEveryItem)
{
    std::mt19937 random(26);
    for (int round = 0; round < 40; ++round) {
        Manager.NewProject();
        // A random tree: groups and leaves under random groups.
        for (int n = 0; n < 12; ++n) {
            std::vector<int> groups;
            for (int i = 0; i < Records().Count(); ++i)
                if (Records().NodeTypes(i) == NT::ntBox || Records().NodeTypes(i) == NT::ntFolder) groups.push_back(i);
            const int kind = static_cast<int>(random() % 4);
            const std::string name = "n" + std::to_string(n);
            if (kind == 0) Add(-1, NT::ntBox, name);
            else Add(groups[random() % groups.size()], kind == 1 ? NT::ntFolder : kind == 2 ? NT::ntLink : NT::ntImport, name,
                     "text" + std::to_string(n));
        }
        ASSERT_TRUE(Manager.CopyProjectItem(0));
        const std::vector<TProjectRecListItem> clipboard = Manager.Clipboard().Records();
        for (int move = 0; move < 30; ++move) {
            auto items = [&] {
                std::vector<std::tuple<int, std::string, std::string>> all;
                for (const auto& r : Records().Records()) all.emplace_back(r.ItemId, r.Name, r.Text);
                std::sort(all.begin(), all.end());
                return all;
            };
            const auto before = items();
            const int source = static_cast<int>(random() % Records().Count());
            const int target = static_cast<int>(random() % (Records().Count() + 1)) - 1;
            const auto shape = Shape();
            const bool accepted = Manager.CanDropProjectItem(source, target);
            EXPECT_EQ(Manager.DropProjectItem(source, target), accepted);
            EXPECT_EQ(items(), before);
            if (!accepted) EXPECT_EQ(Shape(), shape);
            // The shape stays a tree: Level 0 first, no level more than one below the one before.
            for (int i = 0; i < Records().Count(); ++i)
                ASSERT_LE(Records().Levels(i), i == 0 ? 0 : Records().Levels(i - 1) + 1);
        }
        EXPECT_EQ(Manager.Clipboard().Records(), clipboard);
    }
}

TEST_F(ProjectManagerTest, StoredItemsOpenInTabsAndStoreTheirTextBack)
{
    BuildSample();
    test::TempDir files;
    const std::string project = files.File("p.qxp");
    Dialogs.SaveAnswers = {project};
    ASSERT_TRUE(Manager.ProjectSaveAsMenuClick());
    const std::string saved = test::ReadBytes(project);

    State.ProjectItemList.Items(IndexOf("I")).Ext = "*.c";
    State.ProjectItemList.Items(IndexOf("I")).Name = Sjis("A&B");
    const int i = IndexOf("A&B");
    Tabs.Tabs.push_back({"Project[" + std::to_string(Records().ItemIds(i)) + "0]:x"});  // another id's tab
    Manager.OpenProjectItem(i);
    ASSERT_EQ(Tabs.TabCount(), 2);
    const FakeTab& tab = Tabs.Tabs[1];
    EXPECT_EQ(tab.DocName, "Project[" + std::to_string(Records().ItemIds(i)) + "]:ボックス\\F\\A&B");
    EXPECT_EQ(tab.Caption, "A&&B");
    EXPECT_EQ(tab.Text, "text of I");
    EXPECT_EQ(tab.Ext, "*.c");
    EXPECT_EQ(Manager.FindProjectItemTab(Records().ItemIds(i)), 2);

    // Opening it again activates its tab.
    Tabs.Active = 0;
    Manager.OpenProjectItem(i);
    EXPECT_EQ(Tabs.TabCount(), 2);
    EXPECT_EQ(Tabs.Active, 1);

    // Saving the tab stores the text and marks the project, not the file.
    State.ProjectModified = false;
    Tabs.Tabs[1].Text = "edited\r\n";
    ASSERT_TRUE(Manager.StoreProjectItemText());
    EXPECT_TRUE(Tabs.Tabs[1].Stored);
    EXPECT_EQ(Records().Texts(i), "edited\r\n");
    EXPECT_TRUE(State.ProjectModified);
    EXPECT_EQ(test::ReadBytes(project), saved);

    // A link opens its file by the open road, without its line end.
    State.ProjectItemList.Items(IndexOf("L")).Text = "/some/file.txt\r\n";
    Manager.OpenProjectItem(IndexOf("L"));
    EXPECT_EQ(Tabs.OpenedFiles, (std::vector<std::string>{"/some/file.txt"}));
    Manager.OpenProjectItem(IndexOf("F"));
    EXPECT_EQ(Tabs.TabCount(), 2);
}

TEST_F(ProjectManagerTest, DocumentNames)
{
    struct Case {
        std::string DocName;
        int Id;
        std::string Name;
    };
    for (const Case& c : {Case{"Project[12]:a\\b", 12, "b"}, Case{"Project[1]:x", 1, "x"}, Case{"Project[]:x", -1, "x"},
                          Case{"Project[1a]:x", -1, "x"}, Case{"Project[-1]:x", -1, "x"}, Case{"/home/Project[1]", -1, ""},
                          Case{"Project[3", -1, ""}}) {
        EXPECT_EQ(ProjectItemIdFromDocName(c.DocName), c.Id) << c.DocName;
        EXPECT_EQ(ProjectItemNameFromDocName(c.DocName), c.Name) << c.DocName;
    }
    Tabs.Tabs = {{"/x.txt"}, {"Project[12]:x"}, {"Project[1]:y"}};
    EXPECT_EQ(Manager.FindProjectItemTab(1), 3);
    EXPECT_EQ(Manager.FindProjectItemTab(12), 2);
    EXPECT_EQ(Manager.FindProjectItemTab(2), 0);
    EXPECT_EQ(Manager.IndexOfProjectItemId(1), 1);
    EXPECT_EQ(Manager.IndexOfProjectItemId(7), 2);
}

TEST_F(ProjectManagerTest, ActionStatesFollowTheSelection)
{
    BuildSample();
    TProjectActionStates root = Manager.UpdateProjectActions(-1);
    EXPECT_TRUE(root.New && root.Open && root.Save && root.MakeBox);
    EXPECT_FALSE(root.MakeFolder || root.ItemCut || root.ItemOpen || root.ItemProperty || root.ItemExport || root.ItemPaste);
    EXPECT_TRUE(root.OverSave);  // modified

    TProjectActionStates group;
    group.OverSave = true;
    group.MakeFolder = group.MakeFile = group.LinkFile = group.ImportFile = true;
    group.ItemCut = group.ItemCopy = group.ItemDelete = group.ItemProperty = true;
    EXPECT_EQ(Manager.UpdateProjectActions(IndexOf("F")), group);
    EXPECT_EQ(Manager.UpdateProjectActions(IndexOf("B2")), group);

    TProjectActionStates leaf;
    leaf.OverSave = true;
    leaf.ItemCut = leaf.ItemCopy = leaf.ItemDelete = leaf.ItemOpen = leaf.ItemProperty = true;
    EXPECT_EQ(Manager.UpdateProjectActions(IndexOf("L")), leaf);
    leaf.ItemExport = true;
    EXPECT_EQ(Manager.UpdateProjectActions(IndexOf("I")), leaf);

    TProjectActionStates trash;
    trash.OverSave = true;
    trash.ItemProperty = true;
    Manager.CopyProjectItem(IndexOf("L"));
    trash.ItemPaste = true;
    EXPECT_EQ(Manager.UpdateProjectActions(IndexOf("ゴミ箱")), trash);
}

TEST_F(ProjectManagerTest, PropertiesStoreTheEnabledFields)
{
    BuildSample();
    Manager.SetSelectedProjectItemIndex(IndexOf("L"));
    Dialogs.PropertyEdit = [](TProjectPropertyForm& f) {
        f.Name = "リンク";
        f.Path = "/new/path";
        f.Ext = "*.ignored";
        f.Comment = "注";
        f.Lock = true;
    };
    State.ProjectModified = false;
    ASSERT_TRUE(Manager.ActionProjectItemProperty());
    const TProjectRecListItem& link = Records().Items(Manager.SelectedProjectItemIndex());
    EXPECT_EQ(link.Name, Sjis("リンク"));
    EXPECT_EQ(link.Text, "/new/path\r\n");
    EXPECT_EQ(link.Ext, "");
    EXPECT_EQ(link.Comment, Sjis("注"));
    EXPECT_EQ(link.Lock, 1);
    EXPECT_TRUE(State.ProjectModified);

    // The trash keeps its comment and lock; an open stored item keeps its name.
    Manager.SetSelectedProjectItemIndex(IndexOf("ゴミ箱"));
    ASSERT_TRUE(Manager.ActionProjectItemProperty());
    EXPECT_FALSE(Dialogs.Shown.CommentEnabled || Dialogs.Shown.LockEnabled || Dialogs.Shown.PathEnabled || Dialogs.Shown.ExtEnabled);
    EXPECT_EQ(Records().Comments(IndexOf("リンク")), Sjis("注"));
    EXPECT_EQ(Records().Locks(IndexOf("リンク")), 1);
    Manager.OpenProjectItemInTab(IndexOf("I"));
    Manager.SetSelectedProjectItemIndex(IndexOf("I"));
    Dialogs.PropertyEdit = [](TProjectPropertyForm& f) { f.Name = "renamed"; f.Ext = "*.md"; };
    ASSERT_TRUE(Manager.ActionProjectItemProperty());
    EXPECT_FALSE(Dialogs.Shown.NameEnabled);
    EXPECT_EQ(Records().Exts(IndexOf("I")), "*.md");
    Dialogs.PropertyEdit = nullptr;
    EXPECT_FALSE(Manager.ActionProjectItemProperty());

    // Renaming a folder renames the documents of the open items below it.
    Manager.SetSelectedProjectItemIndex(IndexOf("F"));
    Dialogs.PropertyEdit = [](TProjectPropertyForm& f) { f.Name = "G"; };
    ASSERT_TRUE(Manager.ActionProjectItemProperty());
    EXPECT_EQ(Tabs.Tabs[0].DocName, "Project[" + std::to_string(Records().ItemIds(IndexOf("I"))) + "]:ボックス\\G\\I");
}

TEST_F(ProjectManagerTest, ExportWritesCrLfLines)
{
    BuildSample();
    State.ProjectItemList.Items(IndexOf("I")).Text = Sjis("一\n二\r三\r\n四");
    Manager.SetSelectedProjectItemIndex(IndexOf("I"));
    Dialogs.ExportAnswers = {Dir.File("out.txt")};
    Manager.ActionProjectItemExport();
    EXPECT_EQ(test::ReadBytes(Dir.File("out.txt")), Sjis("一\r\n二\r\n三\r\n四"));
    EXPECT_FALSE(Manager.ExportProjectItem(Dir.File("no/such/folder/x"), IndexOf("I")));
    ASSERT_EQ(Prompter.Requests.size(), 1u);
    EXPECT_EQ(Prompter.Requests[0].Kind, TMsgDlgType::mtError);
}

TEST_F(ProjectManagerTest, PaneToggleAndShowByOpenFile)
{
    EXPECT_FALSE(Manager.PaneVisible());
    Manager.ProjectTreeMenuClick();
    EXPECT_TRUE(Manager.PaneVisible());
    EXPECT_EQ(Listener.PaneVisible, true);
    Manager.ProjectTreeMenuClick();
    EXPECT_EQ(Listener.PaneVisible, false);
}
