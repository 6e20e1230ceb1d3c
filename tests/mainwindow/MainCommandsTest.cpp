#include "mainwindow/MainCommands.h"

#include "FakeCommandHost.h"
#include "mainwindow/CommandTable.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::FakeCommandHost;

class MainCommandsTest : public ::testing::Test {
protected:
    MainCommandsTest() { BindMainCommands(Commands, Host); }

    bool Enabled(const char* Action) { return Commands.Enabled(FindAction(Action)); }
    bool Checked(const char* Action) { return Commands.Checked(FindAction(Action)); }
    void Run(const char* Action) { ASSERT_TRUE(Commands.Execute(Action)) << Action; }
    TEditor& Editor() { return *Host.Main.Editor; }
    std::string Text() { return Editor().Lines().Text(); }

    FakeCommandHost Host;
    TCommandSet Commands;
};

TEST_F(MainCommandsTest, SelectionCommandsFollowTheSelectionAndTheEditMode)
{
    Editor().Lines().SetText("abc\r\ndef");
    const char* onSelectionWhenEditable[] = {"ActionCut", "ActionCutKeySub", "ActionDelete", "ActionTabIndent",
                                             "ActionSpaceUnindent"};
    const char* onSelection[] = {"ActionCopy", "ActionCopyKeySub"};
    for (const char* a : onSelectionWhenEditable) EXPECT_FALSE(Enabled(a)) << a;
    for (const char* a : onSelection) EXPECT_FALSE(Enabled(a)) << a;

    Run("ActionAllSelect");
    for (const char* a : onSelectionWhenEditable) EXPECT_TRUE(Enabled(a)) << a;
    for (const char* a : onSelection) EXPECT_TRUE(Enabled(a)) << a;

    Run("ActionEditMode");  // write-protected now
    EXPECT_FALSE(Checked("ActionEditMode"));
    for (const char* a : onSelectionWhenEditable) EXPECT_FALSE(Enabled(a)) << a;
    for (const char* a : onSelection) EXPECT_TRUE(Enabled(a)) << a;
    EXPECT_FALSE(Enabled("ActionDeleteCurLine"));
    Run("ActionEditMode");
    EXPECT_TRUE(Checked("ActionEditMode"));
}

TEST_F(MainCommandsTest, CutAndCopyLetTheClipboardHistoryPrepareFirst)
{
    Editor().Lines().SetText("abc");
    Run("ActionAllSelect");
    Run("ActionCopy");
    EXPECT_EQ(Host.Main.Clipboard.Content, "abc");
    Run("ActionCut");
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Host.Log, (std::vector<std::string>{"PrepareClipboardHistory", "PrepareClipboardHistory"}));
    // Undo and redo follow the focused pane.
    EXPECT_TRUE(Enabled("ActionUndo"));
    EXPECT_FALSE(Enabled("ActionRedo"));
    Run("ActionUndo");
    EXPECT_EQ(Text(), "abc\r\n");
    EXPECT_TRUE(Enabled("ActionRedo"));
}

TEST_F(MainCommandsTest, PasteLeavesTheCaretAfterThePastedTextOnlyWithPasteCurPos)
{
    for (const int pasteCurPos : {1, 0}) {
        SCOPED_TRACE(pasteCurPos);
        Editor().Lines().SetText("abcd");
        Host.Qx().PasteCurPos = pasteCurPos;
        Host.Main.Clipboard.Has = false;
        EXPECT_FALSE(Enabled("ActionPaste"));
        Host.Main.Clipboard.SetText("XY", false);
        Editor().SetRowCol(0, 2);
        Run("ActionPaste");
        EXPECT_EQ(Text(), "abXYcd\r\n");
        EXPECT_EQ(Editor().SelStart(), pasteCurPos ? 4 : 2);
    }
    Run("ActionEditMode");
    EXPECT_FALSE(Enabled("ActionPaste"));
}

TEST_F(MainCommandsTest, SelectionsRunFromTheCaret)
{
    const struct {
        const char* Action;
        const char* Selected;
    } cases[] = {
        {"ActionStartToLine", "abc\r\nde"},
        {"ActionStartToLine2", "de"},
        {"ActionLineToEnd", "f\r\nghi"},
        {"ActionLineToEnd2", "f"},
        {"ActionSelectNowLine", "def\r\n"},
    };
    for (const auto& c : cases) {
        Editor().Lines().SetText("abc\r\ndef\r\nghi");
        Editor().SetRowCol(1, 2);
        Run(c.Action);
        EXPECT_EQ(Editor().SelText(), c.Selected) << c.Action;
    }
}

TEST_F(MainCommandsTest, DeleteCurLineIsOneUndoStepAndKeepsTheOtherRowsMarks)
{
    Editor().Lines().SetText("one\r\ntwo\r\nthree");
    Editor().PutRowMark(2, 3);
    Editor().SetRowCol(1, 1);
    Run("ActionDeleteCurLine");
    EXPECT_EQ(Text(), "one\r\nthree\r\n");
    EXPECT_EQ(Editor().FindRowMark(3), 1);
    EXPECT_EQ(Editor().Row(), 1);
    Run("ActionUndo");
    EXPECT_EQ(Text(), "one\r\ntwo\r\nthree\r\n");
}

TEST_F(MainCommandsTest, ViewModesGoToBothPanesAndTheSecondCopiesTheFirst)
{
    Host.Split();
    Host.Second->Editor->SetOverWrite(true);  // out of step: the first pane's value decides
    Run("ActionOverWriteMode");
    EXPECT_TRUE(Editor().OverWrite());
    EXPECT_TRUE(Host.Second->Editor->OverWrite());
    EXPECT_TRUE(Checked("ActionOverWriteMode"));

    const bool free = Editor().Caret().FreeCaret();
    Run("ActionFreeCursorMode");
    EXPECT_EQ(Editor().Caret().FreeCaret(), !free);
    EXPECT_EQ(Host.Second->Editor->Caret().FreeCaret(), !free);

    Run("ActionWrap");
    EXPECT_TRUE(Editor().WordWrap());
    Run("ActionNoWrap");
    EXPECT_FALSE(Editor().WordWrap());

    EXPECT_TRUE(Checked("ActionSplit"));
    Run("ActionSplit");
    EXPECT_FALSE(Host.HasSplit());
    EXPECT_FALSE(Checked("ActionSplit"));
}

TEST_F(MainCommandsTest, DocumentStepsWrapAroundAndNeedTwoTabs)
{
    EXPECT_FALSE(Enabled("ActionNextDoc"));
    EXPECT_FALSE(Enabled("ActionAllClose")) << "one tab: nothing to close all of";
    Host.Tabs = 3;
    const struct {
        const char* Action;
        int From, To;
    } cases[] = {{"ActionNextDoc", 2, 0}, {"ActionNextDoc", 0, 1}, {"ActionPrevDoc", 0, 2},
                 {"ActionFirstDoc", 2, 0}, {"ActionLastDoc", 0, 2}};
    for (const auto& c : cases) {
        Host.Tab = c.From;
        Run(c.Action);
        EXPECT_EQ(Host.Tab, c.To) << c.Action << " from " << c.From;
    }
}

TEST_F(MainCommandsTest, SaveIsEnabledByTheCurrentDocumentsModifiedFlag)
{
    EXPECT_FALSE(Enabled("ActionSave"));
    Editor().SetModified(true);
    Run("ActionSave");
    Run("ActionShutQxEditor");
    Run("ActionCloseQxEditor");
    EXPECT_EQ(Host.Log, (std::vector<std::string>{"FileSave", "Quit", "CloseWindow"}));
}

TEST_F(MainCommandsTest, QuoteCommandsAskForTheirMarksFirst)
{
    Editor().Lines().SetText("a\r\nb");
    Host.MainSettings.Option.InyouString2 = "# ";
    Run("ActionAllSelect");
    Host.QuoteMarksAccepted = false;
    Run("ActionUserInyou");
    EXPECT_EQ(Text(), "a\r\nb\r\n");
    Host.QuoteMarksAccepted = true;
    Run("ActionAllSelect");
    Run("ActionUserInyou");
    EXPECT_EQ(Text(), "# a\r\n# b\r\n");
    Run("ActionAllSelect");
    Run("ActionInyou");
    EXPECT_EQ(Text(), "[# a\r\n# b]\r\n");
    EXPECT_EQ(Host.Log, (std::vector<std::string>{"EditQuoteMarks 4", "EditQuoteMarks 4", "EditQuoteMarks 3"}));

    EXPECT_FALSE(Enabled("ActionAddCRLF")) << "only with word wrap";
    Run("ActionWrap");
    EXPECT_TRUE(Enabled("ActionAddCRLF"));
}

} // namespace
} // namespace qx
