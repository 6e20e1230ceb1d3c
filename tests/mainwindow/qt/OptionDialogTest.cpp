#include "dialogs/qt/OptionDialog.h"

#include "dialogs/qt/ProjectTreeView.h"

#include "documents/GlobalState.h"
#include "documents/MainSettings.h"
#include "editor/QxEditor.h"
#include "mainwindow/bars/qt/CuteControlBar.h"
#include "mainwindow/bars/qt/MainMenuBar.h"
#include "mainwindow/qt/OptionHost.h"
#include "mainwindow/qt/QxEditorMain.h"
#include "platform/IniFile.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "mainwindow/qt/WindowFixture.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace qx {
namespace {

struct OptionDialogTest : test::WindowFixture {
    void SetUp() override
    {
        MakeWindow();
        Window->NewTab();
        SaveMainSettings(State, Window.get());
    }
    std::string Ini() { return test::ReadBytes(Dir.File("QxEditor.ini")); }
    // Runs the options command with Body in place of the modal loop; the dialog's result.
    int Run(const std::function<void(TOptionDialog&)>& Body)
    {
        int result = -1;
        ShowOptionDialog(*Window, false, [&](QDialog& Dialog) {
            Body(static_cast<TOptionDialog&>(Dialog));
            result = Dialog.result();
        });
        return result;
    }
    template <class W> static W* Find(TOptionDialog& D, const char* Name)
    {
        W* widget = D.Page()->findChild<W*>(Name);
        EXPECT_NE(widget, nullptr) << Name;
        return widget;
    }
    static QAbstractButton* Choice(TOptionDialog& D, const char* Group, int Index)
    {
        return Find<QGroupBox>(D, Group)->findChildren<QRadioButton*>().at(Index);
    }
};

TEST_F(OptionDialogTest, OpensOnTheFirstHeadingAndBuildsEveryPage)
{
    Run([](TOptionDialog& D) {
        EXPECT_EQ(D.PageIndex(), 0);
        QTreeWidget* tree = D.Tree();
        ASSERT_EQ(tree->topLevelItemCount(), 3);
        EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());
        EXPECT_FALSE(tree->topLevelItem(1)->isExpanded());
        EXPECT_FALSE(tree->topLevelItem(2)->isExpanded());
        EXPECT_FALSE(D.findChild<QPushButton*>("Button9")->isEnabled());
        const char* someControl[] = {
            "",          "UseTrayCheck", "TabPosRadioGroup", "RadioGroup13", "BtnFlatCheck", "RadioGroup5",
            "CheckListBoxFileMenu", "SpinEdit1", "ClipHistNum", "SpinEditWheelScroll", "", "ProjectViewFormatRadio",
            "TreeViewPre", "ProjectDirPath", "", "FilePathCheckBox", "SpinEditFHist", "Edit6", "OpenDirPath",
            "CursorDir"};
        for (int i = 0; i < 20; ++i) {
            SCOPED_TRACE(i);
            D.ShowPage(i);
            ASSERT_NE(D.Page(), nullptr);
            EXPECT_EQ(D.Page()->objectName().toStdString(), OptionPageTree()[static_cast<std::size_t>(i)].PageClass);
            if (*someControl[i]) EXPECT_NE(D.Page()->findChild<QWidget*>(someControl[i]), nullptr);
        }
        // Only one page lives at a time.
        int pages = 0;
        for (QWidget* child : D.findChild<QWidget*>("OptPanel")->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            pages += child->objectName().startsWith("Toptionpanel");
        EXPECT_EQ(pages, 1);
    });
}

TEST_F(OptionDialogTest, OkTakesTheTabPositionIntoTheFile)
{
    const int result = Run([&](TOptionDialog& D) {
        D.ShowPage(2);
        QGroupBox* style = Find<QGroupBox>(D, "TabStyleRadioGroup");
        Choice(D, "TabStyleRadioGroup", 2)->click();
        Choice(D, "TabPosRadioGroup", 1)->click();
        // The bottom position takes the notebook style and locks the choice.
        EXPECT_FALSE(style->isEnabled());
        EXPECT_TRUE(Choice(D, "TabStyleRadioGroup", 0)->isChecked());
        D.Button3Click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    TMemIniFile ini(Dir.File("QxEditor.ini"));
    EXPECT_EQ(ini.ReadInteger("Option", "TabPosition", -1), 1);
    EXPECT_EQ(ini.ReadInteger("Option", "TabStyle", -1), 0);
    // The window shows it from the next start.
    EXPECT_EQ(Window->Pages()->tabPosition(), QTabWidget::North);
}

TEST_F(OptionDialogTest, CancelChangesNothingOnDisk)
{
    State.Settings.Basic.AlwaysQxEditor = true;
    const std::string before = Ini();
    const int result = Run([&](TOptionDialog& D) {
        D.ShowPage(1);
        auto* resident = Find<QCheckBox>(D, "AlwsCheck");
        EXPECT_TRUE(resident->isChecked());
        EXPECT_TRUE(Find<QLineEdit>(D, "HotKey1")->isEnabled());
        Find<QCheckBox>(D, "UseTrayCheck")->click();
        EXPECT_FALSE(resident->isChecked());
        EXPECT_FALSE(resident->isEnabled());
        EXPECT_FALSE(Find<QLineEdit>(D, "HotKey1")->isEnabled());
        D.ShowPage(9);
        Find<QSpinBox>(D, "SpinEditWheelScroll");
        D.Button4Click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(Ini(), before);
    EXPECT_TRUE(State.Settings.Basic.UseTray);
    EXPECT_TRUE(State.Settings.Basic.AlwaysQxEditor);
}

TEST_F(OptionDialogTest, MenuBandFollowsOkAndTheTabRowTheStart)
{
    auto* grip = dynamic_cast<TBandGripWidget*>(Window->findChild<QWidget*>("MenuBandGrip"));
    ASSERT_TRUE(grip);
    Run([&](TOptionDialog& D) {
        D.ShowPage(3);
        Find<QRadioButton>(D, "MenuRadioButton1")->click();
        EXPECT_FALSE(Find<QGroupBox>(D, "RadioGroup13")->isEnabled());
        D.Button1Click();
        EXPECT_TRUE(grip->isHidden()) << "the plain menu has no grip";
        Find<QRadioButton>(D, "MenuRadioButton2")->click();
        Choice(D, "RadioGroup13", 2)->click();
        D.Button3Click();
    });
    EXPECT_FALSE(grip->isHidden());
    EXPECT_EQ(grip->BandType, BandTypeOfStyle(2));
    EXPECT_EQ(State.Settings.Menu.BarStyle, 2);

    // The tab row's look is the start's: buttons or flat buttons at the top only, and every tab in
    // view when several rows were asked for.
    QTabBar* tabs = Window->Pages()->tabBar();
    EXPECT_TRUE(tabs->styleSheet().isEmpty());
    EXPECT_TRUE(tabs->usesScrollButtons());
    State.Settings.Option.TabStyle = 1;
    State.Settings.Option.TabMultiLine = true;
    Window->ApplyMainSettings(State);
    EXPECT_TRUE(tabs->styleSheet().contains("QTabBar::tab"));
    EXPECT_FALSE(tabs->usesScrollButtons());
    // Several rows: every tab whole, a press on one in a lower row makes it current.
    for (int i = 0; i < 6; ++i) Window->NewTab();
    for (int i = 0; i < Window->Count(); ++i)
        Window->Pages()->setTabText(i, QString("a_rather_long_document_name_%1.txt").arg(i));
    Window->resize(500, 400);
    Window->show();
    QCoreApplication::processEvents();
    auto* bar = dynamic_cast<TPageTabBar*>(tabs);
    ASSERT_TRUE(bar);
    EXPECT_GT(bar->RowCount(), 2);
    EXPECT_LE(bar->width(), Window->Pages()->width());
    EXPECT_EQ(bar->height(), bar->RowCount() * bar->CellRect(0).height());
    const QRect last = bar->CellRect(Window->Count() - 1);
    EXPECT_LE(last.right(), Window->Pages()->width());
    EXPECT_GT(last.top(), 0);
    EXPECT_EQ(bar->TabIndexAt(last.center()), Window->Count() - 1);
    Window->Pages()->setCurrentIndex(0);
    QTest::mouseClick(bar, Qt::LeftButton, {}, last.center());
    EXPECT_EQ(Window->Pages()->currentIndex(), Window->Count() - 1);
    State.Settings.Option.TabPosition = 1;
    Window->ApplyMainSettings(State);
    EXPECT_EQ(Window->Pages()->tabPosition(), QTabWidget::South);
    EXPECT_TRUE(tabs->styleSheet().isEmpty());
}

// [Project] "ProjectMenu": the project menu stands in the menu bar (0) or in the project tool bar above
// the tree (1, the default), the same at the start and after OK; either way its commands stay reachable.
TEST_F(OptionDialogTest, TheProjectMenuOrItsToolBarAtStartAndAfterOk)
{
    QMenu* menu = Window->MainMenu()->Menu("ProjectMenu");
    auto* bar = Window->findChild<QToolBar*>("ProjectToolBar");
    ASSERT_NE(bar, nullptr);
    auto* button = bar->findChild<QToolButton*>("ProjectMenuButton");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->menu(), menu);
    EXPECT_TRUE(menu->actions().contains(Window->MainMenu()->Item("ActionProjectNew")));
    const auto shown = [&] { return std::pair{!menu->menuAction()->isVisible(), !bar->isHidden()}; };
    const std::pair<bool, bool> inTheBar{true, true}, inTheMenu{false, false};
    State.Settings.Project.ProjectMenu = 1;
    Window->ApplyMainSettings(State);
    EXPECT_EQ(shown(), inTheBar);
    const auto choose = [&](int Index) {
        Run([&](TOptionDialog& D) {
            D.ShowPage(11);
            Choice(D, "ShowMenuRadioGroup", Index)->click();
            D.Button3Click();
        });
    };
    choose(0);
    EXPECT_EQ(shown(), inTheMenu);
    choose(1);
    EXPECT_EQ(shown(), inTheBar);
    State.Settings.Project.ProjectMenu = 0;
    Window->ApplyMainSettings(State);
    EXPECT_EQ(shown(), inTheMenu);
}

TEST_F(OptionDialogTest, HotKeyAndUserFilterReachTheCopy)
{
    Run([&](TOptionDialog& D) {
        D.ShowPage(1);
        auto* hotKey = Find<QLineEdit>(D, "HotKey1");
        EXPECT_FALSE(hotKey->isEnabled());
        Find<QCheckBox>(D, "AlwsCheck")->click();
        ASSERT_TRUE(hotKey->isEnabled());
        QTest::keyClick(hotKey, Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(hotKey->text().toStdString(), "Shift+Ctrl+F5");
        D.ShowPage(17);
        auto* which = Find<QComboBox>(D, "ComboBox1");
        which->setCurrentIndex(1);
        emit which->activated(1);
        auto* filter = Find<QLineEdit>(D, "Edit6");
        filter->clear();
        QTest::keyClicks(filter, "*.md");
        D.Button3Click();
    });
    EXPECT_EQ(State.Settings.Basic.HotKey, "Shift+Ctrl+F5");
    EXPECT_EQ(State.Settings.Option.UserFilter2, "*.md");
    EXPECT_EQ(State.Settings.Option.UserFilter1, TOptionSettings().UserFilter1);
}

TEST_F(OptionDialogTest, ColourBoxesOpenOnAKeyWithTheNamedColoursAndWriteOnlyAChoice)
{
    State.Settings.Project.FontColor = 0x123456;
    Run([&](TOptionDialog& D) {
        D.ShowPage(12);
        auto* font = Find<QComboBox>(D, "FontColorConbo");
        ASSERT_TRUE(font);
        ASSERT_EQ(font->count(), 1);
        EXPECT_EQ(font->itemText(0).toStdString(), "選択色");
        // Enter, Esc and a modifier alone are the dialog's; any other key opens the list.
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Shift}) {
            QTest::keyClick(font, key);
            EXPECT_EQ(font->count(), 1) << key;
        }
        QTest::keyClick(font, Qt::Key_A);
        EXPECT_EQ(font->count(), 142) << "the 140 names, the stored colour and その他...";
        EXPECT_EQ(font->currentText().toStdString(), "$123456");
        EXPECT_EQ(font->itemText(0).toStdString(), "aliceblue");
        font->hidePopup();
        EXPECT_EQ(Find<QComboBox>(D, "BackColorConbo")->count(), 1);
        // Opening wrote nothing; a choice does.
        EXPECT_EQ(D.Page()->findChild<QTreeWidget*>("TreeViewPre")->palette().color(QPalette::Text), QColor(0x56, 0x34, 0x12));
        emit font->activated(font->findText("aqua"));
        EXPECT_EQ(D.Page()->findChild<QTreeWidget*>("TreeViewPre")->palette().color(QPalette::Text), QColor(0, 0xFF, 0xFF));
        D.Button3Click();
    });
    EXPECT_EQ(State.Settings.Project.FontColor, 0xFFFF00);
    EXPECT_EQ(State.Settings.Project.BackGroundColor, TProjectSettings().BackGroundColor);
    EXPECT_EQ(State.Settings.Project.TitleFontColor, TProjectSettings().TitleFontColor);
}

TEST_F(OptionDialogTest, TheProjectPaneShowsItsTitleInTheChosenColours)
{
    const QLabel* title = Window->ProjectPane().findChild<QLabel*>("Label1");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->text().toStdString(), "プロジェクトマネージャ");
    EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(Qt::white)) << "clWhite on clNavy at first";
    EXPECT_EQ(title->palette().color(QPalette::Window), QColor(0, 0, 0x80));
    Run([&](TOptionDialog& D) {
        D.ShowPage(12);
        auto* text = Find<QComboBox>(D, "TitleFontColorConbo");
        text->showPopup();
        text->hidePopup();
        emit text->activated(text->findText("yellow"));
        D.Button3Click();  // OK
    });
    EXPECT_EQ(State.Settings.Project.TitleFontColor, 0x00FFFF);
    EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(0xFF, 0xFF, 0));
    EXPECT_TRUE(title->autoFillBackground());
}

TEST_F(OptionDialogTest, CursorFilesLoadWhereQtReadsThem)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(QString::fromStdString(Dir.File("pen.png"))));
    std::filesystem::copy_file(Dir.File("pen.png"), Dir.File("pen.ani"));
    TQtOptionHost host(*Window);
    EXPECT_TRUE(host.LoadCursorFile(Dir.File("pen.png")));
    EXPECT_FALSE(host.LoadCursorFile(Dir.File("pen.ani")));
    EXPECT_FALSE(host.LoadCursorFile(Dir.File("missing.cur")));

    // An animated cursor chosen on the page takes the failure road: the default cursor and one message.
    Run([&](TOptionDialog& D) {
        D.ShowPage(19);
        Find<QCheckBox>(D, "CursorCheckBox")->click();
        EXPECT_FALSE(Find<QGroupBox>(D, "RadioGroup2")->isEnabled());
        Find<QLineEdit>(D, "CursorDir")->setText(QString::fromStdString(Dir.File("pen.ani")));
        D.Button3Click();
    });
    EXPECT_EQ(State.Settings.Cursor.Cursor, 0);
    EXPECT_EQ(State.Settings.Cursor.CursorDir, Dir.File("pen.ani"));
    ASSERT_EQ(Prompter.Texts(), std::vector<std::string>{"カーソルが読み込めません"});
    EXPECT_EQ(Window->CurrentEditor()->Caret().Cursors().DefaultCursor, -4);

    Run([&](TOptionDialog& D) {
        D.ShowPage(19);
        Find<QCheckBox>(D, "CursorCheckBox")->click();
        Find<QLineEdit>(D, "CursorDir")->setText(QString::fromStdString(Dir.File("pen.png")));
        D.Button3Click();
    });
    EXPECT_EQ(State.Settings.Cursor.Cursor, 6);
    EXPECT_EQ(Window->CurrentEditor()->Caret().Cursors().DefaultCursor, 6);
}

} // namespace
} // namespace qx
