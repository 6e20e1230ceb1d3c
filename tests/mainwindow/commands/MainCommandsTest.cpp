#include "mainwindow/commands/MainCommands.h"

#include "mainwindow/FakeCommandHost.h"
#include "documents/MessageTexts.h"
#include "dialogs/CommandTable.h"
#include "platform/Cp932.h"

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

TEST_F(MainCommandsTest, ASearchHitIsCopiedCutOrDeletedOnlyWhenShownAsASelection)
{
    for (const TEditorHitStyle style : {hsSelect, hsDraw, hsCaret}) {
        SCOPED_TRACE(style);
        Editor().Lines().SetText("abc def");
        Editor().SetHitStyle(style);
        ASSERT_TRUE(Editor().Search("def", soForward));
        for (const char* a : {"ActionCut", "ActionCopy", "ActionDelete"}) EXPECT_EQ(Enabled(a), style == hsSelect) << a;
        TEditorPopupMenu& menu = Editor().PopupMenu();
        menu.PopupProc();
        for (const TEditorMenuItem* item : {menu.CutItem, menu.CopyItem, menu.DeleteItem})
            EXPECT_EQ(item->Enabled, style == hsSelect) << item->Caption;
        if (style == hsSelect) {
            Run("ActionDelete");
            EXPECT_EQ(Text(), "abc \r\n");
        }
    }
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
        {"ActionSelectWord", "def"},
    };
    for (const auto& c : cases) {
        Editor().Lines().SetText("abc\r\ndef\r\nghi");
        Editor().SetRowCol(1, 2);
        Run(c.Action);
        EXPECT_EQ(Editor().SelText(), c.Selected) << c.Action;
    }
}

TEST_F(MainCommandsTest, BottomJumpAndSelectToEndReachTheVeryEndOfTheText)
{
    // A text that ends with a line end ends on the empty row after its last line.
    const struct {
        const char* Text;
        int Row, Col;
        const char* Selected;  // from row 0, column 1
    } cases[] = {
        {"abc\r\ndef\r\n", 2, 0, "bc\r\ndef\r\n"},
        {"abc\r\ndef", 1, 3, "bc\r\ndef"},
        {"abc\r\n\r\n", 2, 0, "bc\r\n\r\n"},
        {"", 0, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        Editor().Lines().SetText(c.Text);
        Editor().SetRowCol(0, 1);
        Run("ActionBottomJump");
        EXPECT_EQ(Editor().Row(), c.Row);
        EXPECT_EQ(Editor().Col(), c.Col);
        Run("ActionTopJump");
        EXPECT_EQ(Editor().Row(), 0);
        EXPECT_EQ(Editor().Col(), 0);
        Editor().SetRowCol(0, 1);
        Run("ActionLineToEnd");
        EXPECT_EQ(Editor().SelText(), c.Selected);
        EXPECT_EQ(Editor().Row(), c.Row);
        // A jump ends the selection; the next selection starts at the caret.
        for (const char* jump : {"ActionTopJump", "ActionBottomJump"}) {
            Run("ActionAllSelect");
            Run(jump);
            EXPECT_FALSE(Editor().SelectionShown()) << jump;
            EXPECT_EQ(Editor().SelLength(), 0) << jump;
        }
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

TEST_F(MainCommandsTest, BookmarksToggleOnTheCaretRowWithTheirLabelAndGoBack)
{
    Editor().Lines().SetText("zero\r\none\r\ntwo");
    Editor().SetRowCol(1, 2);
    EXPECT_FALSE(Enabled("ActionShioriGo3"));
    Run("ActionShioriSet3");
    EXPECT_TRUE(Checked("ActionShioriSet3"));
    EXPECT_EQ(Editor().FindRowMark(3), 1);
    EXPECT_EQ(Host.Qx().GetBookmark(3), "one");
    // Set on another row: the mark moves there.
    Editor().SetRowCol(2, 0);
    Run("ActionShioriSet3");
    EXPECT_EQ(Editor().FindRowMark(3), 2);
    Editor().SetRowCol(0, 0);
    Run("ActionShioriGo3");
    EXPECT_EQ(Editor().Row(), 2);
    // Set again on its own row: the bookmark goes.
    Run("ActionShioriSet3");
    EXPECT_FALSE(Editor().RowMarkExists(3));
    EXPECT_EQ(Host.Qx().GetBookmark(3), "");
    Run("ActionShioriSet5");
    Run("ActionShioriDelAll");
    EXPECT_FALSE(Editor().RowMarkExists(5));
    EXPECT_FALSE(Checked("ActionShioriSet5"));
}

TEST_F(MainCommandsTest, ClipboardExtensionsBoxPasteAndTheMacroRunOnTheFocusedPane)
{
    Editor().Lines().SetText("ab\r\ncd");
    EXPECT_FALSE(Enabled("ActionPlusCopy"));
    Host.MainSettings.ClipBoardViewer.UseClip = false;  // the clipboard's own text is the base
    Host.TextClipboard.Content = "x";
    Run("ActionAllSelect");
    Run("ActionPlusCopy");
    EXPECT_EQ(Host.TextClipboard.Content, "xab\r\ncd");

    Host.Main.Clipboard.SetText("12\r\n34", false);
    Editor().SetRowCol(0, 1);
    Run("ActionBoxPaste");
    EXPECT_EQ(Text(), "a12b\r\nc34d\r\n");

    EXPECT_FALSE(Enabled("ActionKeyMacExe")) << "no macro yet";
    EXPECT_TRUE(Commands.Bound(FindAction("ActionKeyMacRec")));
}

TEST_F(MainCommandsTest, WrapWidthsOnBothPanesAndTheCharacterUnderTheCaret)
{
    Host.Split();
    Host.Prompts.InputAnswers = {{true, "36"}};
    Run("ActionSetWrapByte");
    EXPECT_EQ(Editor().WrapOption().WrapByte(), 36);
    EXPECT_EQ(Host.Second->Editor->WrapOption().WrapByte(), 36);
    // A text that is no number changes nothing and is answered in Japanese.
    Host.Prompts.InputAnswers = {{true, "abc"}};
    Run("ActionSetWrapByte");
    EXPECT_EQ(Editor().WrapOption().WrapByte(), 36);
    ASSERT_EQ(Host.Prompts.Requests.size(), 1u);
    EXPECT_EQ(Host.Prompts.Requests[0].Text, "「abc」は正しい整数ではありません。");
    EXPECT_EQ(Host.Prompts.Requests[0].Kind, TMsgDlgType::mtError);
    Host.Prompts.Requests.clear();
    Run("ActionWrapWindow");
    EXPECT_TRUE(Editor().WordWrap());
    EXPECT_TRUE(Host.Qx().WrapByWindow);
    EXPECT_EQ(Host.Second->Editor->WrapOption().WrapByte(), Editor().VisibleCols() - 4)
        << "the second pane takes the first pane's width";
    Run("ActionNoWrap");
    EXPECT_FALSE(Host.Qx().WrapByWindow);

    Editor().Lines().SetText(Utf8ToCp932("a表"));
    Editor().SetRowCol(0, 1);
    Run("ActionCharCode");
    ASSERT_EQ(Host.Prompts.Requests.size(), 1u);
    EXPECT_EQ(Host.Prompts.Requests[0].Text, MsgCharInfo(Utf8ToCp932("表")));
    EXPECT_EQ(Host.Prompts.Requests[0].Caption, "情報");
    Editor().SetRowCol(0, 3);  // past the row's end: nothing
    Run("ActionCharCode");
    EXPECT_EQ(Host.Prompts.Requests.size(), 1u);
}

TEST_F(MainCommandsTest, ANewWindowStartsTheProgramFromItsFolderOnlyWhenASecondCopyMayRun)
{
    EXPECT_FALSE(Enabled("ActionQxEditor"));
    Host.SecondCopy = true;
    Run("ActionQxEditor");
    ASSERT_EQ(Host.Launch.Calls.size(), 1u);
    EXPECT_EQ(Host.Launch.Calls[0].Kind, "start");
    EXPECT_EQ(Host.Launch.Calls[0].Target, "/opt/qx/QxEditor");
    EXPECT_TRUE(Host.Launch.Calls[0].Arguments.empty());
    EXPECT_EQ(Host.Launch.Calls[0].Folder, "/opt/qx");
    Host.Launch.Result = false;
    Run("ActionQxEditor");
    EXPECT_EQ(Host.Prompts.Requests.size(), 1u);

    Run("ActionStayOnTop");
    EXPECT_TRUE(Checked("ActionStayOnTop"));
    Host.IsMinimized = true;
    Run("ActionStayOnTop");
    EXPECT_TRUE(Checked("ActionStayOnTop")) << "ignored while minimised";
}

TEST_F(MainCommandsTest, TheMakersAddressesOpenThroughTheDesktopAndAFailureIsShown)
{
    Run("ActionMail");
    Run("ActionHome");
    ASSERT_EQ(Host.Launch.Calls.size(), 2u);
    EXPECT_EQ(Host.Launch.Calls[0].Kind + " " + Host.Launch.Calls[0].Target, "open mailto:qxeditor@example.org");
    EXPECT_EQ(Host.Launch.Calls[1].Kind + " " + Host.Launch.Calls[1].Target, "open https://example.org/qxeditor/");
    EXPECT_TRUE(Host.Prompts.Requests.empty());
    Host.Launch.Result = false;
    Run("ActionHome");
    EXPECT_EQ(Host.Prompts.Requests.size(), 1u);
}

} // namespace
} // namespace qx
