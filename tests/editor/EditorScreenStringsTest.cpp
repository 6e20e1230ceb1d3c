#include "editor/EditorScreenStrings.h"

#include "FakeEditorView.h"

#include <gtest/gtest.h>


using namespace qx;
using qx::test::FakeEditorView;

namespace {

using Rows = std::vector<std::string>;

// A text shown by one view, with an undo buffer that keeps everything.
struct Store : qx::test::ViewedText {
    explicit Store(int wrapByte = 0) : ViewedText(wrapByte) { rows->UndoObj().UndoListMax = 100000; }
};

Rows Dump(const TRowAttributeStringList& list, bool marks = false) { return qx::test::DumpRows(list, marks); }

} // namespace

TEST(TEditorScreenStrings, UpdateTextReplacesRowsAndKeepsLineEnds)
{
    struct Case {
        const char* name;
        std::string text;  // before
        int row, count;
        std::string with;
        Rows rows;  // after
    };
    const Case cases[] = {
        {"insert into an empty text", "", 0, 0, "abc\r\ndef", {"abc|0", "def|2"}},
        {"a line end makes the last row end its line", "", 0, 0, "abc\r\n", {"abc|0"}},
        {"a lone CR is a line end too", "", 0, 0, "abc\r", {"abc|0"}},
        {"a lone CR splits lines", "x", 0, 1, "a\rb\nc\r\nd", {"a|0", "b|0", "c|0", "d|2"}},
        {"replace a middle line", "a\r\nb\r\nc", 1, 1, "B\r\n", {"a|0", "B|0", "c|2"}},
        {"dropping the line end joins the next line", "a\r\nb\r\nc", 0, 1, "a", {"ab|0", "c|2"}},
        {"insert a line before a row", "a\r\nb", 1, 0, "new\r\n", {"a|0", "new|0", "b|2"}},
        {"append after a final line end", "a\r\n", 1, 0, "b", {"a|0", "b|2"}},
        {"append after a last row without line end", "a", 1, 0, "b", {"ab|2"}},
        {"delete a whole line", "a\r\nb\r\nc", 1, 1, "", {"a|0", "c|2"}},
        {"delete the last line", "a\r\nb", 1, 1, "", {"a|0"}},
        {"delete everything", "a\r\nb", 0, 2, "", {}},
        {"remove the final line end", "a\r\n", 0, 1, "a", {"a|2"}},
        {"NUL bytes are text", "", 0, 0, std::string("a\0b", 3), {std::string("a\0b|2", 5)}},
    };
    for (const Case& c : cases) {
        Store s;
        s.lines.SetText(c.text);
        s->UpdateText(c.row, c.count, c.with);
        EXPECT_EQ(Dump(*s.rows), c.rows) << c.name;
        s->Undo();
        Store fresh;
        fresh.lines.SetText(c.text);
        EXPECT_EQ(Dump(*s.rows), Dump(*fresh.rows)) << c.name << " (undone)";
    }
}

TEST(TEditorScreenStrings, UpdateTextRejectsBadRanges)
{
    Store s;
    s.lines.SetText("a\r\nb");
    s->UpdateText(-1, 0, "x");
    s->UpdateText(1, 2, "x");
    s->UpdateText(3, 0, "x");
    s->UpdateText(1, 0, "");
    EXPECT_EQ(Dump(*s.rows), (Rows{"a|0", "b|2"}));
    EXPECT_FALSE(s->UndoObj().CanUndo());
}

TEST(TEditorScreenStrings, UpdateRangeDescribesTheEditOncePerBatch)
{
    Store s;
    s.lines.SetText("a\r\nb\r\nc\r\nd");
    s.view.Ranges.clear();
    s->UpdateText(1, 1, "x\r\ny\r\n");  // ends with a line end: the next line is not touched
    ASSERT_EQ(s.view.Ranges.size(), 1u);
    TEditorUpdateRange r = s.view.Ranges[0];
    EXPECT_TRUE(r.Valid);
    EXPECT_EQ(r.StartRow, 1);
    EXPECT_EQ(r.OldRowCount, 1);
    EXPECT_EQ(r.NewRowCount, 2);
    EXPECT_FALSE(s->UpdateRange.Valid);  // cleared after the batch

    s.view.Ranges.clear();
    s->UpdateText(1, 1, "z");  // its line end gone: the next line joins it and is laid out with it
    ASSERT_EQ(s.view.Ranges.size(), 1u);
    r = s.view.Ranges[0];
    EXPECT_EQ(r.StartRow, 1);
    EXPECT_EQ(r.OldRowCount, 2);
    EXPECT_EQ(r.NewRowCount, 1);
    EXPECT_EQ(s->GetRowsText(0, s->Count()).Text, "a\r\nzy\r\nc\r\nd");

    s.view.Ranges.clear();
    s->UpdateText(1, 2, "");
    ASSERT_EQ(s.view.Ranges.size(), 1u);
    EXPECT_EQ(s.view.Ranges[0].StartRow, 1);
    EXPECT_EQ(s.view.Ranges[0].OldRowCount, 2);
    EXPECT_EQ(s.view.Ranges[0].NewRowCount, 0);
}

TEST(TEditorScreenStrings, EditsInOneBatchShareOneRange)
{
    Store s;
    s.lines.SetText("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng");
    s.view.Ranges.clear();
    s->BeginUpdate();
    s->UpdateText(4, 1, "E\r\nE2\r\n");  // row 4 becomes 2 rows
    s->UpdateText(1, 1, "");               // row 1 goes
    s->EndUpdate();
    ASSERT_EQ(s.view.Ranges.size(), 1u);
    const TEditorUpdateRange r = s.view.Ranges[0];
    EXPECT_EQ(r.StartRow, 1);
    // Everything from row 1 to the end of the first edit (now rows 3..4) is repainted; the rows
    // behind moved by 1 - 1 = 0.
    EXPECT_EQ(r.StartRow + r.NewRowCount, 5);
    EXPECT_EQ(r.NewRowCount - r.OldRowCount, 0);
}

TEST(TEditorScreenStrings, WrappedEditsRewrapOnlyWhatTheyTouch)
{
    Store s(20);
    s.lines.SetText(std::string(45, 'a') + "\r\nnext");
    EXPECT_EQ(Dump(*s.rows), (Rows{std::string(20, 'a') + "|1", std::string(20, 'a') + "|1", "aaaaa|0", "next|2"}));
    // Deleting at the start of the second row pulls a character back into it.
    s->UpdateText(1, 1, std::string(19, 'a'));
    EXPECT_EQ(Dump(*s.rows), (Rows{std::string(20, 'a') + "|1", std::string(20, 'a') + "|1", "aaaa|0", "next|2"}));
    s.view.Ranges.clear();
    s->UpdateText(0, 1, "b" + std::string(20, 'a'));
    EXPECT_EQ(Dump(*s.rows), (Rows{"b" + std::string(19, 'a') + "|1", std::string(20, 'a') + "|1", "aaaaa|0", "next|2"}));
    EXPECT_EQ(s.view.Ranges.at(0).StartRow, 0);
    EXPECT_EQ(s.view.Ranges.at(0).OldRowCount, 3);  // the line from the edit to its end
    EXPECT_EQ(s->LineCount(), 2);
    EXPECT_EQ(s->LineToRow(1), 3);
    EXPECT_EQ(s->RowToLine(2), 0);
    EXPECT_EQ(s->RowToLine(3), 1);
    EXPECT_EQ(s->TextLength(), 45 + 2 + 4);
}

TEST(TEditorScreenStrings, NoEmptyRowEndsTheTextAfterALineEnd)
{
    // The last line exactly fills its row: an empty row without line end follows it.
    Store s(20);
    s.lines.SetText("A\r\n" + std::string(20, 'x'));
    EXPECT_EQ(Dump(*s.rows), (Rows{"A|0", std::string(20, 'x') + "|1", "|2"}));
    // Emptying that line leaves a text that ends with the line end of "A", and no row after it.
    s->UpdateText(1, 1, "");
    EXPECT_EQ(Dump(*s.rows), (Rows{"A|0"}));
    s->Undo();
    EXPECT_EQ(Dump(*s.rows), (Rows{"A|0", std::string(20, 'x') + "|1", "|2"}));
    // Typing a line end there: the text ends with it.
    s->UpdateText(1, 2, std::string(20, 'x') + "\r\n");
    EXPECT_EQ(Dump(*s.rows), (Rows{"A|0", std::string(20, 'x') + "|1", "|0"}));
}

TEST(TEditorScreenStrings, DeleteAndReplaceRowsCarryMarks)
{
    Store s;
    s.lines.SetText("a\r\nb\r\nc");
    s->SetRowMarks(1, 1 << 3);
    EXPECT_EQ(s->DeleteRows(1, 1), 1 << 3);
    EXPECT_EQ(s->DeleteRows(5, 1), 0);
    EXPECT_EQ(s->DeleteRows(0, 0), 0);
    EXPECT_EQ(Dump(*s.rows), (Rows{"a|0", "c|2"}));

    // Fewer rows: the marks of the rows that go join the first new row.
    s.lines.SetText("a\r\nb\r\nc\r\nd");
    s->SetRowMarks(1, 2);
    s->SetRowMarks(2, 4);
    s->SetRowMarks(3, 8);
    TEditorStringList two;
    two.Add("x");
    two.Add("y");
    s->ReplaceRows(1, 3, two);
    EXPECT_EQ(Dump(*s.rows, true), (Rows{"a|0", "x|0#6", "y|0#8"}));
    // No new rows: the marks no other row holds leave MarksInUse.
    s->SetRowMarks(0, 8);
    TEditorStringList none;
    s->ReplaceRows(1, 2, none);
    EXPECT_EQ(s->GetMarksInUse(), 8);
}

TEST(TEditorScreenStrings, InsertingALineAtColumnZeroPushesTheMarkDown)
{
    for (int col : {0, 1}) {
        Store s;
        s.lines.SetText("first\r\nsecond\r\nthird");
        s->SetRowMarks(1, 1 << 2);
        s->SetRowMarks(2, 1 << 5);
        s.view.CaretRow = 1;
        s.view.CaretCol = col;
        // Enter at the caret splits row 1.
        const std::string row = "second";
        s->UpdateText(1, 1, row.substr(0, col) + "\r\n" + row.substr(col) + "\r\n");
        const Rows expected = col == 0 ? Rows{"first|0", "|0", "second|0#4", "third|2#32"}
                                       : Rows{"first|0", "s|0#4", "econd|0", "third|2#32"};
        EXPECT_EQ(Dump(*s.rows, true), expected) << col;
        s->Undo();
        EXPECT_EQ(Dump(*s.rows, true), (Rows{"first|0", "second|0#4", "third|2#32"})) << col;
    }
}

TEST(TEditorScreenStrings, DeletingTheOnlyRowWithAMarkClearsItsBit)
{
    Store s;
    s.lines.SetText("only");
    s->SetRowMarks(0, 1 << 3);
    EXPECT_EQ(s->GetMarksInUse(), 1 << 3);
    s->UpdateText(0, 1, "");
    EXPECT_EQ(s->Count(), 0);
    EXPECT_EQ(s->GetMarksInUse(), 0);
    s->Undo();
    EXPECT_EQ(Dump(*s.rows, true), (Rows{"only|2#8"}));
    EXPECT_EQ(s->GetMarksInUse(), 1 << 3);

    // With rows left the mark moves to the row after the deleted one.
    s.lines.SetText("a\r\nb\r\nc");
    s->SetRowMarks(1, 1 << 3);
    s->UpdateText(1, 1, "");
    EXPECT_EQ(Dump(*s.rows, true), (Rows{"a|0", "c|2#8"}));
    EXPECT_EQ(s->GetMarksInUse(), 1 << 3);
    s->Undo();
    EXPECT_EQ(Dump(*s.rows, true), (Rows{"a|0", "b|0#8", "c|2"}));
}

TEST(TEditorScreenStrings, MarksStayOnTheirLinesWhenWrapIsSwitched)
{
    Store s;
    s->WrapOption().SetWrapByte(20);
    s.lines.SetText(std::string(50, 'a') + "\r\nshort\r\n" + std::string(30, 'b'));
    s->SetRowMarks(0, 1);
    s->SetRowMarks(1, 2);
    s->SetRowMarks(2, 4);
    s->SetWordWrap(true);
    EXPECT_EQ(Dump(*s.rows, true),
              (Rows{std::string(20, 'a') + "|1#1", std::string(20, 'a') + "|1", std::string(10, 'a') + "|0",
                    "short|0#2", std::string(20, 'b') + "|1#4", std::string(10, 'b') + "|2"}));
    s->SetRowMarks(5, 8);  // a mark on the second row of the last line
    s->SetWordWrap(false);
    EXPECT_EQ(Dump(*s.rows, true), (Rows{std::string(50, 'a') + "|0#1", "short|0#2", std::string(30, 'b') + "|2#12"}));
    s->WrapOption().SetWrapByte(30);
    s->SetWordWrap(true);
    EXPECT_EQ(s.rows->RowMarks(0), 1);
    EXPECT_EQ(s.rows->RowMarks(2), 2);
    EXPECT_EQ(s.rows->RowMarks(3), 12);
    EXPECT_FALSE(s->UndoObj().CanUndo());
}

TEST(TEditorScreenStrings, WrapChangesClearUndoAndResetTheViews)
{
    Store s;
    s.lines.SetText("abc\r\ndef");
    s->UpdateText(0, 1, "x\r\n");
    s->Undo();
    ASSERT_TRUE(s->UndoObj().CanRedo());
    s.view.CaretRow = 1;
    s.view.CaretCol = 2;
    s.view.Cleanings = 0;
    s.view.Refreshes = 0;
    s->SetWordWrap(true);
    EXPECT_FALSE(s->UndoObj().CanUndo());
    EXPECT_FALSE(s->UndoObj().CanRedo());
    EXPECT_EQ(s.view.Cleanings, 1);
    EXPECT_EQ(s.view.Refreshes, 1);
    EXPECT_EQ(s.view.CaretRow, 1);
    EXPECT_EQ(s.view.CaretCol, 0);
    // While the main view is loading, option changes do not re-wrap.
    s.view.IsLoading = true;
    s.lines.SetText(std::string(100, 'a'));
    s->WrapOption().SetWrapByte(30);
    EXPECT_EQ(s->Count(), 1);
    s.view.IsLoading = false;
    s->WrapOption().SetWrapByte(40);
    EXPECT_EQ(s->Count(), 3);
}

TEST(TEditorScreenStrings, ViewsShareTheStoreAndFollowItsEnd)
{
    std::weak_ptr<TEditorScreenStrings> weak;
    {
        Store s;
        weak = s.rows;
        FakeEditorView second;
        second.Store = s.rows.get();
        s->AddView(&second);
        EXPECT_EQ(s->MainView(), &s.view);
        EXPECT_EQ(s->ActiveView(), &s.view);
        second.HasFocus = true;
        EXPECT_EQ(s->ActiveView(), &second);

        s.lines.SetText("a\r\nb\r\nc\r\nd");
        second.CaretRow = 3;
        second.Top = 3;
        s.view.CaretRow = 2;
        s->UpdateText(1, 3, "");  // rows 1..3 go: text "a\r\n"
        EXPECT_EQ(second.CaretRow, 1);  // the row after the last: the text ends with a line end
        EXPECT_EQ(second.Top, 1);
        EXPECT_EQ(s.view.CaretRow, 1);
        EXPECT_EQ(second.Ranges.size(), s.view.Ranges.size());
        // The edit recorded the caret of the focused view.
        s->Undo();
        EXPECT_EQ(second.CaretRow, 3);
        EXPECT_TRUE(s->RemoveView(&second));
        EXPECT_FALSE(weak.expired());
    }
    EXPECT_TRUE(weak.expired());
}

TEST(TEditorScreenStrings, ClearEmptiesTextUndoAndMarks)
{
    Store s;
    s.lines.SetText("a\r\nb");
    s->SetRowMarks(1, 4);
    s->UpdateText(0, 1, "x\r\n");
    s.view.CaretRow = 1;
    s.view.CaretCol = 1;
    s.view.Ranges.clear();
    s->Clear();
    EXPECT_EQ(s->Count(), 0);
    EXPECT_EQ(s->GetMarksInUse(), 0);
    EXPECT_FALSE(s->UndoObj().CanUndo());
    EXPECT_EQ(s.view.CaretRow, 0);
    EXPECT_EQ(s.view.CaretCol, 0);
    ASSERT_EQ(s.view.Ranges.size(), 1u);
    EXPECT_EQ(s.view.Ranges[0].OldRowCount, 2);
    EXPECT_EQ(s.view.Ranges[0].NewRowCount, 0);
}

TEST(TEditorScreenStrings, GetRowsTextJoinsRuns)
{
    Store s(20);
    s.lines.SetText(std::string(25, 'a') + "\r\nb");
    TRowsText run = s->GetRowsText(0, -1);
    EXPECT_EQ(run.Text, std::string(25, 'a') + "\r\n");
    EXPECT_EQ(run.Rows, 2);
    EXPECT_EQ(run.LastAttr, 0);
    run = s->GetRowsText(1, 5);
    EXPECT_EQ(run.Text, "aaaaa\r\nb");
    EXPECT_EQ(run.Rows, 2);
    EXPECT_EQ(run.LastAttr, 2);
    run = s->GetRowsText(3, 1);
    EXPECT_EQ(run.Text, "");
    EXPECT_EQ(run.Rows, 0);
    EXPECT_EQ(run.LastAttr, 3);
    EXPECT_EQ(s->RowTextWithLineEnd(1), "aaaaa\r\n");
    EXPECT_EQ(s->LineStartRow(1), 0);
    EXPECT_EQ(s->LineEndRow(0), 1);
    EXPECT_EQ(s->LineEndRow(2), 2);
}
