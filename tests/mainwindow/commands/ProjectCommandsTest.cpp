#include "dialogs/ProjectFixture.h"
#include "dialogs/CommandTable.h"
#include "mainwindow/commands/ProjectCommands.h"

#include <map>

using namespace qx;
using namespace qx::test;
using NT = TProjectNodeType;

namespace {

class ProjectCommandsTest : public ProjectFixture {
protected:
    ProjectCommandsTest() { BindProjectCommands(Commands, Manager); }

    bool Enabled(const char* action) { return Commands.Enabled(FindAction(action)); }
    // The names of the enabled commands among `actions`.
    std::vector<std::string> EnabledOf(const std::vector<const char*>& actions)
    {
        std::vector<std::string> on;
        for (const char* action : actions)
            if (Enabled(action)) on.push_back(action);
        return on;
    }

    TCommandSet Commands;
};

const std::vector<const char*> ItemActions = {
    "ActionProjectMakeBox",    "ActionProjectMakeFolder",   "ActionProjectMakeFile",   "ActionProjectLinkFile",
    "ActionProjectImportFile", "ActionProjectItemCut",      "ActionProjectItemCopy",   "ActionProjectItemDelete",
    "ActionProjectItemOpen",   "ActionProjectItemProperty", "ActionProjectItemExport", "ActionProjectItemPaste"};

} // namespace

TEST_F(ProjectCommandsTest, EveryProjectCommandIsBound)
{
    for (const char* action :
         {"ActionProjectNew", "ActionProjectOpen", "ActionProjectSave", "ActionProjectOverSave", "ActionProjectMakeBox",
          "ActionProjectMakeFolder", "ActionProjectMakeFile", "ActionProjectLinkFile", "ActionProjectImportFile",
          "ActionProjectItemOpen", "ActionProjectItemCopy", "ActionProjectItemCut", "ActionProjectItemPaste",
          "ActionProjectItemDelete", "ActionProjectItemExport", "ActionProjectItemProperty", "ActionProjectManager"})
        EXPECT_TRUE(Commands.Bound(FindAction(action))) << action;
}

TEST_F(ProjectCommandsTest, TheSelectionEnablesItsCommands)
{
    // box "ボックス" { folder F { link L, stored I } }, trash
    const int f = Add(IndexOf("ボックス"), NT::ntFolder, "F");
    Add(f, NT::ntLink, "L");
    Add(IndexOf("F"), NT::ntImport, "I", "i");
    const std::vector<std::string> groupOn = {
        "ActionProjectMakeFolder", "ActionProjectMakeFile", "ActionProjectLinkFile", "ActionProjectImportFile",
        "ActionProjectItemCut",    "ActionProjectItemCopy", "ActionProjectItemDelete", "ActionProjectItemProperty"};
    const std::vector<std::string> linkOn = {"ActionProjectItemCut", "ActionProjectItemCopy", "ActionProjectItemDelete",
                                             "ActionProjectItemOpen", "ActionProjectItemProperty"};
    std::vector<std::string> storedOn = linkOn;
    storedOn.push_back("ActionProjectItemExport");
    const std::pair<std::string, std::vector<std::string>> table[] = {
        {"", {"ActionProjectMakeBox"}},  // the root
        {"ボックス", groupOn},
        {"F", groupOn},
        {"L", linkOn},
        {"I", storedOn},
        {"ゴミ箱", {"ActionProjectItemProperty"}},
    };
    for (const auto& [name, on] : table) {
        Manager.SetSelectedProjectItemIndex(name.empty() ? -1 : IndexOf(name));
        EXPECT_EQ(EnabledOf(ItemActions), on) << "selected: " << name;
        // The file commands do not depend on the selection.
        EXPECT_EQ(EnabledOf({"ActionProjectNew", "ActionProjectOpen", "ActionProjectSave"}).size(), 3u) << name;
    }

    // Paste follows the project clipboard, over-save the modified flag.
    State.ProjectModified = false;
    Manager.SetSelectedProjectItemIndex(IndexOf("L"));
    EXPECT_FALSE(Enabled("ActionProjectItemPaste"));
    EXPECT_FALSE(Enabled("ActionProjectOverSave"));
    ASSERT_TRUE(Commands.Execute("ActionProjectItemCopy"));
    EXPECT_TRUE(Enabled("ActionProjectItemPaste"));
    Manager.SetSelectedProjectItemIndex(-1);
    EXPECT_TRUE(Enabled("ActionProjectItemPaste"));  // enabled with anything in the clipboard; the paste table decides
    State.ProjectModified = true;
    EXPECT_TRUE(Enabled("ActionProjectOverSave"));
}

TEST_F(ProjectCommandsTest, ItemCommandsActOnTheSelection)
{
    Manager.SetSelectedProjectItemIndex(-1);
    Prompter.InputAnswers = {{true, "B2"}, {true, "F"}};
    ASSERT_TRUE(Commands.Execute("ActionProjectMakeBox"));
    EXPECT_EQ(Shape(), (std::vector<std::string>{"0:ボックス", "0:B2", "0:ゴミ箱"}));
    // The new node is selected: a folder goes under it.
    ASSERT_TRUE(Commands.Execute("ActionProjectMakeFolder"));
    EXPECT_EQ(Shape(), (std::vector<std::string>{"0:ボックス", "0:B2", "1:F", "0:ゴミ箱"}));
    const int folderId = Records().ItemIds(IndexOf("F"));

    // Copy and paste gives the copy a new id; cut and delete remove the selected subtree.
    Manager.SetSelectedProjectItemIndex(IndexOf("F"));
    ASSERT_TRUE(Commands.Execute("ActionProjectItemCopy"));
    Manager.SetSelectedProjectItemIndex(IndexOf("ボックス"));
    ASSERT_TRUE(Commands.Execute("ActionProjectItemPaste"));
    EXPECT_EQ(Shape(), (std::vector<std::string>{"0:ボックス", "1:F", "0:B2", "1:F", "0:ゴミ箱"}));
    EXPECT_NE(Records().ItemIds(1), folderId);
    Manager.SetSelectedProjectItemIndex(3);
    ASSERT_TRUE(Commands.Execute("ActionProjectItemCut"));
    Manager.SetSelectedProjectItemIndex(1);
    ASSERT_TRUE(Commands.Execute("ActionProjectItemDelete"));
    EXPECT_EQ(Shape(), (std::vector<std::string>{"0:ボックス", "0:B2", "0:ゴミ箱"}));
    EXPECT_EQ(Manager.Clipboard().Count(), 1);

    // A command the selection does not allow does not run.
    Manager.SetSelectedProjectItemIndex(IndexOf("ゴミ箱"));
    EXPECT_FALSE(Commands.Execute("ActionProjectMakeFolder"));
    EXPECT_FALSE(Commands.Execute("ActionProjectItemDelete"));
    EXPECT_EQ(Records().Count(), 3);
}

TEST_F(ProjectCommandsTest, TheManagerCommandTogglesThePaneAndShowsItsCheck)
{
    const int row = FindAction("ActionProjectManager");
    ASSERT_TRUE(Commands.Checkable(row));
    Manager.SetPaneVisible(false);
    EXPECT_FALSE(Commands.Checked(row));
    ASSERT_TRUE(Commands.Execute(row));
    EXPECT_TRUE(Manager.PaneVisible());
    EXPECT_EQ(Listener.PaneVisible, true);
    EXPECT_TRUE(Commands.Checked(row));
    ASSERT_TRUE(Commands.Execute(row));
    EXPECT_FALSE(Manager.PaneVisible());
}
