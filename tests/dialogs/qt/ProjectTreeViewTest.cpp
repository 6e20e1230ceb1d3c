#include "dialogs/ProjectFixture.h"
#include "dialogs/qt/ProjectPropertyDialog.h"
#include "dialogs/qt/ProjectTreeView.h"
#include "platform/FileBytes.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace qx;
using namespace qx::test;
using NT = TProjectNodeType;

namespace {

class ProjectTreeViewTest : public ProjectFixture {
protected:
    ProjectTreeViewTest()
    {
        const int f = Add(0, NT::ntFolder, "F");
        Add(f, NT::ntImport, "memo", "text\r\n");
        Add(-1, NT::ntBox, "B2");
        Pane = std::make_unique<TProjectPane>(Manager, State);
        Pane->resize(300, 400);
        Manager.SetPaneVisible(true);
        View().Rebuild();
    }
    TProjectTreeView& View() { return Pane->Tree(); }
    QModelIndex Node(const std::string& name) { return View().Model().IndexOfRecord(IndexOf(name)); }
    QString Text(const QModelIndex& index) { return index.data().toString(); }
    // Sends a drag entry, a drag move and a drop of `data` at the node's centre; whether each was accepted.
    std::pair<bool, bool> DragAndDrop(QMimeData* data, const QModelIndex& target)
    {
        View().scrollTo(target);
        const QPoint pos = View().visualRect(target).center();
        QDragEnterEvent enter(pos, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(View().viewport(), &enter);
        QDragMoveEvent move(pos, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(View().viewport(), &move);
        QDropEvent drop(pos, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(View().viewport(), &drop);
        delete data;
        return {move.isAccepted(), drop.isAccepted()};
    }

    std::unique_ptr<TProjectPane> Pane;
};

} // namespace

TEST_F(ProjectTreeViewTest, ShowsTheRecordsUnderTheRoot)
{
    TProjectTreeModel& model = View().Model();
    const QModelIndex root = model.index(0, 0);
    EXPECT_EQ(Text(root), QString::fromUtf8("新規プロジェクト"));
    ASSERT_EQ(model.rowCount(root), 3);
    EXPECT_EQ(Text(model.index(0, 0, root)), QString::fromUtf8("ボックス"));
    EXPECT_EQ(Text(model.index(1, 0, root)), "B2");
    EXPECT_EQ(Text(model.index(2, 0, root)), QString::fromUtf8("ゴミ箱"));
    const QModelIndex f = model.index(0, 0, model.index(0, 0, root));
    EXPECT_EQ(Text(f), "F");
    EXPECT_EQ(Text(model.index(0, 0, f)), "memo");
    EXPECT_EQ(model.parent(model.index(0, 0, f)), f);
    EXPECT_TRUE(View().isExpanded(root));

    // ProjectTreeFormat 1: the root is bold; 2: the selected node is.
    EXPECT_TRUE(root.data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(f.data(Qt::FontRole).isValid());
    State.Settings.Project.ProjectTreeFormat = 2;
    Manager.SetSelectedProjectItemIndex(IndexOf("F"));
    EXPECT_TRUE(Node("F").data(Qt::FontRole).value<QFont>().bold());
    Manager.SetSelectedProjectItemIndex(IndexOf("B2"));
    EXPECT_FALSE(Node("F").data(Qt::FontRole).isValid());
    EXPECT_TRUE(Node("B2").data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(root.data(Qt::FontRole).isValid());
}

TEST_F(ProjectTreeViewTest, SelectionGoesBothWays)
{
    Manager.SetSelectedProjectItemIndex(IndexOf("memo"));
    EXPECT_EQ(View().currentIndex(), Node("memo"));
    EXPECT_TRUE(View().isExpanded(Node("F")));

    // Any mouse button selects the node under the cursor.
    View().scrollTo(Node("B2"));
    QTest::mouseClick(View().viewport(), Qt::RightButton, {}, View().visualRect(Node("B2")).center());
    EXPECT_EQ(Manager.SelectedProjectItemIndex(), IndexOf("B2"));
    View().setCurrentIndex(View().Model().index(0, 0));
    EXPECT_EQ(Manager.SelectedProjectItemIndex(), -1);

    // A double click opens a stored item in a tab.
    View().scrollTo(Node("memo"));
    const QPoint at = View().visualRect(Node("memo")).center();
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(View().viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(Tabs.TabCount(), 1);
    EXPECT_EQ(Tabs.Tabs[0].Text, "text\r\n");
}

TEST_F(ProjectTreeViewTest, DragAndDropMovesByTheManagersRules)
{
    View().collapse(Node("F"));
    // A refused drop (a folder onto the trash) changes nothing.
    EXPECT_EQ(DragAndDrop(View().MakeDragData(IndexOf("F")), Node("ゴミ箱")), std::make_pair(false, false));
    EXPECT_EQ(Shape(), (std::vector<std::string>{"0:ボックス", "1:F", "2:memo", "0:B2", "0:ゴミ箱"}));

    // Data from another tree is not ours.
    TProjectTreeView other(Manager, State);
    EXPECT_EQ(DragAndDrop(other.MakeDragData(IndexOf("F")), Node("B2")), std::make_pair(false, false));

    // Folder F onto box B2: moved, and an expanded node stays expanded after the rebuild.
    View().expand(Node("B2"));
    EXPECT_EQ(DragAndDrop(View().MakeDragData(IndexOf("F")), Node("B2")), std::make_pair(true, true));
    EXPECT_EQ(Shape(), (std::vector<std::string>{"0:ボックス", "0:B2", "1:F", "2:memo", "0:ゴミ箱"}));
    EXPECT_TRUE(View().isExpanded(Node("B2")));
    EXPECT_EQ(View().currentIndex(), Node("F"));
    EXPECT_TRUE(State.ProjectModified);

    // A stored file onto the trash.
    View().expand(Node("F"));
    EXPECT_EQ(DragAndDrop(View().MakeDragData(IndexOf("memo")), Node("ゴミ箱")), std::make_pair(true, true));
    EXPECT_EQ(Shape(), (std::vector<std::string>{"0:ボックス", "0:B2", "1:F", "0:ゴミ箱", "1:memo"}));
}

TEST_F(ProjectTreeViewTest, ThePaneFollowsTheToggle)
{
    Pane->show();
    EXPECT_TRUE(Pane->isVisible());
    Manager.ProjectTreeMenuClick();
    EXPECT_FALSE(Pane->isVisible());
    Manager.ProjectTreeMenuClick();
    EXPECT_TRUE(Pane->isVisible());
}

TEST_F(ProjectTreeViewTest, AProjectNestedTooDeepIsRefusedAndOneJustUnderTheBoundExpandsWhole)
{
    // Each folder one level below the one before: legal step by step, a chain `depth` items deep.
    const auto chainFile = [this](int depth) {
        std::string bytes = "// QxEditor for Windows Project\r\n// Version 3.6\r\n\r\n";
        for (int level = 0; level < depth; ++level)
            bytes += "/* ProjectItem */\r\nType=" + std::string(level ? "ntFolder" : "ntBox") + "\r\nLevel=" +
                     std::to_string(level) + "\r\nName=n" + std::to_string(level) + "\r\nbegin/*\r\n*/end\r\n\r\n";
        const std::string path = Dir.File("deep" + std::to_string(depth) + ".qxp");
        WriteFileBytesSafely(path, bytes);
        return path;
    };
    Pane->show();
    struct Case {
        int Depth;
        bool Loads;
    } cases[] = {{MaxProjectDepth, true}, {MaxProjectDepth + 1, false}, {50000, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Depth);
        Prompter.Requests.clear();
        State.ProjectModified = false;  // nothing to ask about the project open before
        const std::string path = chainFile(c.Depth);
        EXPECT_EQ(Manager.OpenProjectFile(path), c.Loads);
        std::vector<std::string> messages;
        for (const TPromptRequest& request : Prompter.Requests) messages.push_back(request.Text);
        if (c.Loads) {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(Records().Count(), c.Depth);
        } else {
            // Refused by name, and nothing of it loaded: a new project stands in its place.
            EXPECT_EQ(messages, std::vector<std::string>{path + "\nプロジェクトのアイテムの階層が深すぎるため読み込めません（" +
                                                         std::to_string(MaxProjectDepth) + " 階層まで）。"});
            EXPECT_EQ(Shape(), (std::vector<std::string>{"0:ボックス", "0:ゴミ箱"}));
        }
        // "*" on the root expands every node below it, as the user presses it in the pane.
        View().setFocus();
        View().setCurrentIndex(View().Model().index(0, 0));
        QTest::keyClick(&View(), Qt::Key_Asterisk);
        const QModelIndex last = View().Model().IndexOfRecord(Records().Count() - 1);
        View().scrollTo(last);
        QCoreApplication::processEvents();
        for (QModelIndex parent = last.parent(); parent.isValid(); parent = parent.parent())
            ASSERT_TRUE(View().isExpanded(parent));
        EXPECT_GT(View().visualRect(last).height(), 0);  // laid out as a row of the tree
    }
}

TEST(ProjectPropertyDialog, ShowsTheFieldsOfTheKindAndStoresThem)
{
    TProjectRecListItem link{NT::ntLink, 1, Utf8ToCp932("リンク"), 1, "c", "*.x", "/a/b.txt\r\n", 3};
    TProjectPropertyForm form = MakeProjectPropertyForm(link, false);
    TFormProjectProperty dialog(form);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("アイテムのプロパティ"));
    EXPECT_EQ(dialog.EditName->text(), QString::fromUtf8("リンク"));
    EXPECT_EQ(dialog.EditPath->text(), "/a/b.txt");
    EXPECT_TRUE(dialog.EditPath->isEnabled());
    EXPECT_TRUE(dialog.Button3->isEnabled());
    EXPECT_FALSE(dialog.EditExt->isEnabled());
    EXPECT_EQ(dialog.EditExt->text(), "");
    EXPECT_TRUE(dialog.CheckBoxLock->isChecked());
    dialog.EditPath->setText("/c/d.txt");
    dialog.CheckBoxLock->setChecked(false);
    dialog.Button1->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ApplyProjectPropertyForm(form, link);
    EXPECT_EQ(link.Text, "/c/d.txt\r\n");
    EXPECT_EQ(link.Lock, 0);
    EXPECT_EQ(link.Ext, "*.x");

    TProjectRecListItem trash{NT::ntTrash, 0, "t", 0, "keep", "", "", 1};
    TProjectPropertyForm trashForm = MakeProjectPropertyForm(trash, false);
    TFormProjectProperty trashDialog(trashForm);
    EXPECT_FALSE(trashDialog.EditComment->isEnabled());
    EXPECT_FALSE(trashDialog.CheckBoxLock->isEnabled());
    EXPECT_FALSE(trashDialog.Button3->isEnabled());
    trashDialog.Button2->click();
    EXPECT_EQ(trashDialog.result(), QDialog::Rejected);
}
