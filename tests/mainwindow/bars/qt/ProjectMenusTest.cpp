#include "dialogs/ProjectFixture.h"
#include "dialogs/qt/ProjectTreeView.h"
#include "mainwindow/commands/ProjectCommands.h"
#include "mainwindow/bars/qt/ProjectMenus.h"
#include "mainwindow/commands/qt/QtActions.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QWidget>

#include <memory>

using namespace qx;
using namespace qx::test;
using NT = TProjectNodeType;
using Shape = std::vector<std::string>;

namespace {

// The window's side of the project: its actions over the bound commands, the pane with its popup.
class ProjectMenusTest : public ProjectFixture {
protected:
    ProjectMenusTest()
    {
        BindProjectCommands(Commands, Manager);
        Actions = std::make_unique<TQtActions>(Window, Commands, [](const std::exception& e) { ADD_FAILURE() << e.what(); });
        Pane = new TProjectPane(Manager, State, &Window);
        Pane->OnSelectionChanged = [this] { Actions->UpdateStates(); };
        Popup = AttachProjectTreePopup(Pane->Tree(), *Actions);
        Window.resize(400, 500);
        Pane->resize(300, 400);
        Manager.SetPaneVisible(true);
        Window.show();
    }
    ~ProjectMenusTest() override
    {
        Popup->hide();
    }

    TProjectTreeView& Tree() { return Pane->Tree(); }
    // A right click on the node of `record` (-1: the root): it selects the node and pops the menu up there.
    void RightClick(int record)
    {
        Popup->hide();
        const QModelIndex node = Tree().Model().IndexOfRecord(record);
        Tree().scrollTo(node);
        const QPoint at = Tree().visualRect(node).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, Tree().viewport()->mapToGlobal(at), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(Tree().viewport(), &press);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, Tree().viewport()->mapToGlobal(at));
        QApplication::sendEvent(Tree().viewport(), &menu);
        ASSERT_TRUE(Popup->isVisible());
    }
    QAction* Item(const char* name) { return Actions->Action(name); }
    // Chooses a command of the popup as the user would (a disabled one does nothing).
    void Choose(const char* name)
    {
        ASSERT_TRUE(Popup->actions().contains(Item(name)) || SubmenuOf(*Popup)->actions().contains(Item(name))) << name;
        Item(name)->trigger();
    }
    static QMenu* SubmenuOf(QMenu& menu)
    {
        for (QAction* action : menu.actions())
            if (action->menu()) return action->menu();
        return nullptr;
    }
    std::vector<std::string> Enabled(const QMenu& menu)
    {
        std::vector<std::string> on;
        for (QAction* action : menu.actions())
            if (action->isEnabled() && !action->isSeparator()) on.push_back(action->objectName().toStdString());
        return on;
    }

    QWidget Window;
    TCommandSet Commands;
    std::unique_ptr<TQtActions> Actions;
    TProjectPane* Pane;
    QMenu* Popup;
};

} // namespace

TEST_F(ProjectMenusTest, APersonMakesAProjectThroughThePopupSavesItAndOpensItAgain)
{
    RightClick(-1);
    Prompter.InputAnswers = {{true, "資料"}};
    Choose("ActionProjectMakeBox");
    const int box = IndexOf("資料");
    RightClick(box);
    Prompter.InputAnswers = {{true, "章1"}};
    Choose("ActionProjectMakeFolder");
    RightClick(IndexOf("章1"));
    Prompter.InputAnswers = {{true, "メモ"}};
    Dialogs.PropertyEdit = [](TProjectPropertyForm&) {};
    Choose("ActionProjectMakeFile");
    EXPECT_EQ(Dialogs.PropertyDialogs, 1);
    RightClick(IndexOf("章1"));
    Dialogs.FilesToAdd = {Dir.File("a.txt")};
    Choose("ActionProjectLinkFile");
    EXPECT_EQ(Shape(), (::Shape{"0:ボックス", "0:資料", "1:章1", "2:メモ", "2:a.txt", "0:ゴミ箱"}));
    EXPECT_TRUE(State.ProjectModified);
    EXPECT_TRUE(Item("ActionProjectOverSave")->isEnabled());

    // Saved through the Project menu's save as, then a new project, then the saved one opened again.
    const std::string file = Dir.File("本.qxp");
    Dialogs.SaveAnswers = {file};
    Item("ActionProjectSave")->trigger();
    EXPECT_FALSE(State.ProjectModified);
    Item("ActionProjectNew")->trigger();
    EXPECT_EQ(Shape(), (::Shape{"0:ボックス", "0:ゴミ箱"}));
    Dialogs.OpenAnswers = {file};
    Item("ActionProjectOpen")->trigger();
    EXPECT_EQ(State.ProjectFileName, file);
    EXPECT_EQ(Shape(), (::Shape{"0:ボックス", "0:資料", "1:章1", "2:メモ", "2:a.txt", "0:ゴミ箱"}));
    // The tree shows it: the root, its three boxes, the folder's two items.
    const QModelIndex root = Tree().model()->index(0, 0);
    EXPECT_EQ(Tree().model()->rowCount(root), 3);
    EXPECT_EQ(Tree().model()->rowCount(Tree().Model().IndexOfRecord(IndexOf("章1"))), 2);
}

TEST_F(ProjectMenusTest, ThePopupShowsTheStatesOfTheNodeItOpenedOn)
{
    const int f = Add(IndexOf("ボックス"), NT::ntFolder, "F");
    Add(f, NT::ntImport, "memo", "text\r\n");
    const std::string box = "ActionProjectMakeBox", open = "ActionProjectItemOpen", cut = "ActionProjectItemCut",
                      copy = "ActionProjectItemCopy", del = "ActionProjectItemDelete", prop = "ActionProjectItemProperty",
                      exp = "ActionProjectItemExport", folder = "ActionProjectMakeFolder", file = "ActionProjectMakeFile";
    struct Case {
        int Record;
        std::vector<std::string> On;  // the popup's own items, in menu order (the submenu and the toggle by name)
    };
    const Case cases[] = {
        {-1, {box, "ProjectNodeToggle"}},
        {IndexOf("ボックス"), {folder, file, "register", cut, copy, del, prop, "ProjectNodeToggle"}},
        {IndexOf("memo"), {open, cut, copy, del, exp, prop}},
        {IndexOf("ゴミ箱"), {prop}},
    };
    SubmenuOf(*Popup)->menuAction()->setObjectName("register");
    for (const Case& c : cases) {
        RightClick(c.Record);
        EXPECT_EQ(Manager.SelectedProjectItemIndex(), c.Record);
        EXPECT_EQ(Enabled(*Popup), c.On) << "record " << c.Record;
    }

    // The toggle collapses an expanded node and expands it again.
    RightClick(f);
    const QModelIndex node = Tree().Model().IndexOfRecord(f);
    ASSERT_TRUE(Tree().isExpanded(node));
    QAction* toggle = Popup->findChild<QAction*>("ProjectNodeToggle");
    ASSERT_NE(toggle, nullptr);
    toggle->trigger();
    EXPECT_FALSE(Tree().isExpanded(node));
    RightClick(f);
    toggle->trigger();
    EXPECT_TRUE(Tree().isExpanded(node));

    // A selection made by the keyboard updates the window's actions at once.
    Tree().setCurrentIndex(Tree().Model().IndexOfRecord(IndexOf("memo")));
    EXPECT_TRUE(Item("ActionProjectItemOpen")->isEnabled());
    Tree().setCurrentIndex(Tree().Model().IndexOfRecord(-1));
    EXPECT_FALSE(Item("ActionProjectItemOpen")->isEnabled());
}
