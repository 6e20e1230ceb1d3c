#include "editor/UndoList.h"

#include "FakeEditorView.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {

struct Text : qx::test::ViewedText {
    TEditorUndoObj& undo() { return rows->UndoObj(); }
};

} // namespace

TEST(TEditorUndoObj, KeepsAtMostUndoListMaxEntries)
{
    Text t;
    t.lines.SetText("");
    for (int i = 0; i < 65; ++i) t.rows->UpdateText(t.rows->Count(), 0, std::to_string(i) + "\r\n");
    EXPECT_EQ(t.undo().UndoList.Count(), 64);
    int undone = 0;
    while (t.undo().CanUndo()) {
        t.rows->Undo();
        ++undone;
    }
    EXPECT_EQ(undone, 64);
    // The first edit cannot be undone any more.
    EXPECT_EQ(t.lines.Text(), "0\r\n");
    EXPECT_EQ(t.undo().RedoList.Count(), 64);
}

TEST(TEditorUndoObj, ALimitOfZeroKeepsNothingAndALowerLimitDropsTheOldest)
{
    Text t;
    t.lines.SetText("a");
    t.undo().UndoListMax = 0;
    t.rows->UpdateText(0, 1, "b");
    EXPECT_EQ(t.lines.Text(), "b\r\n");
    EXPECT_FALSE(t.undo().CanUndo());
    t.rows->Undo();
    EXPECT_EQ(t.lines.Text(), "b\r\n");

    t.undo().UndoListMax = 10;
    for (int i = 0; i < 10; ++i) t.rows->UpdateText(0, 1, std::to_string(i));
    t.undo().UndoListMax = 3;
    t.rows->UpdateText(0, 1, "last");
    EXPECT_EQ(t.undo().UndoList.Count(), 3);
    t.rows->Undo();
    t.rows->Undo();
    t.rows->Undo();
    EXPECT_FALSE(t.undo().CanUndo());
    EXPECT_EQ(t.lines.Text(), "7\r\n");
}

TEST(TEditorUndoObj, UndoRedoRestoreTextAndCaret)
{
    Text t;
    t.lines.SetText("abc\r\ndef");
    t.view.CaretRow = 1;
    t.view.CaretCol = 2;
    t.rows->UpdateText(1, 1, "dXef");
    t.view.CaretCol = 3;  // where the edit left the caret
    t.rows->Undo();
    EXPECT_EQ(t.lines.Text(), "abc\r\ndef\r\n");
    EXPECT_EQ(t.view.CaretCol, 2);
    EXPECT_TRUE(t.undo().CanRedo());
    EXPECT_FALSE(t.undo().CanUndo());
    t.view.CaretCol = 0;
    t.rows->Redo();
    EXPECT_EQ(t.lines.Text(), "abc\r\ndXef\r\n");
    EXPECT_EQ(t.view.CaretCol, 3);
    EXPECT_EQ(t.undo().UndoList.Count(), 1);
    EXPECT_FALSE(t.undo().CanRedo());

    // A new edit after an undo forgets what could be redone.
    t.rows->Undo();
    EXPECT_TRUE(t.undo().CanRedo());
    t.rows->UpdateText(0, 1, "x\r\n");
    EXPECT_FALSE(t.undo().CanRedo());
    // Nothing to undo or redo does nothing.
    Text empty;
    empty.rows->Undo();
    empty.rows->Redo();
    EXPECT_EQ(empty.rows->Count(), 0);
}

TEST(TEditorUndoObj, UndoOfLinesAddedAtTheEndKeepsTheirMarkOnTheRowBefore)
{
    Text t;
    t.lines.SetText("a\r\n");
    t.rows->UpdateText(1, 0, "b\r\nc\r\n");
    t.rows->SetRowMarks(2, 1 << 12);
    t.rows->Undo();
    ASSERT_EQ(t.rows->Count(), 1);
    EXPECT_EQ(t.rows->RowMarks(0), 1 << 12);
    t.rows->Redo();
    EXPECT_EQ(t.lines.Text(), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(t.rows->RowMarks(2), 1 << 12);
    EXPECT_EQ(t.rows->RowMarks(0), 0);
}

TEST(TEditorUndoObj, UndoRewrapsWithTheCurrentSettings)
{
    Text t;
    t.rows->WrapOption().SetWrapByte(20);
    t.rows->SetWordWrap(true);
    t.lines.SetText(std::string(30, 'a'));
    t.rows->UpdateText(1, 1, std::string(10, 'a') + "bbb");
    t.rows->WrapOption().BeginUpdate();  // a change of the rules that does not re-wrap yet
    t.rows->WrapOption().SetWrapByte(25);
    t.rows->Undo();
    EXPECT_EQ(t.rows->Get(0), std::string(25, 'a'));
    EXPECT_EQ(t.rows->Get(1), std::string(5, 'a'));
    t.rows->Redo();
    EXPECT_EQ(t.rows->Get(0), std::string(25, 'a'));
    EXPECT_EQ(t.rows->Get(1), std::string(5, 'a') + "bbb");
}

TEST(TEditorUndoObj, WrapSwitchLoadAndClearForgetEverything)
{
    Text t;
    t.lines.SetText("abc");
    t.rows->UpdateText(0, 1, "x");
    t.rows->UpdateText(0, 1, "y");
    t.rows->Undo();
    ASSERT_TRUE(t.undo().CanUndo() && t.undo().CanRedo());
    t.rows->SetWordWrap(true);
    EXPECT_FALSE(t.undo().CanUndo() || t.undo().CanRedo());
    t.rows->UpdateText(0, 1, "z");
    t.lines.SetText("new");
    EXPECT_FALSE(t.undo().CanUndo());
    t.rows->UpdateText(0, 1, "z");
    t.rows->Clear();
    EXPECT_FALSE(t.undo().CanUndo());
}
