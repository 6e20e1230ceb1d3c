// The EDIT-control calls on a small text, 64-bit indexes past 16 bits, and the row and offset helpers:
// OffsetFromRow, TextLength against the joined text, RowToLine over wrapped rows, JoinRows, DeleteRow.

#include "EditorFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace qx::test {
namespace {

std::string Content(TEditor& E) { return E.List().GetRowsText(0, E.RowCount()).Text; }

TEST(EditorMessages, TextLinesAndIndexesOfASmallText)
{
    HostedEditor e;
    e.SetText("ab\r\nc\r\nd");
    EXPECT_EQ(e->WmGetTextLength(), 8);
    std::string joined;
    TEditor::JoinRows(e->List(), joined);
    EXPECT_EQ(e->WmGetTextLength(), static_cast<std::int64_t>(joined.size()));

    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(e->WmGetText(buffer, 0), 0);
    EXPECT_EQ(buffer[0], '#') << "a zero-sized buffer is not written";
    EXPECT_EQ(e->WmGetText(buffer, 4), 3);
    EXPECT_STREQ(buffer, "ab\r");
    EXPECT_EQ(e->WmGetText(buffer, sizeof buffer), 8);
    EXPECT_STREQ(buffer, "ab\r\nc\r\nd");

    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(e->EmGetLine(0, buffer, 1), 1);
    EXPECT_EQ(std::string(buffer, 2), "a#") << "no terminating zero";
    EXPECT_EQ(e->EmGetLine(0, buffer, 10), 2);
    EXPECT_EQ(e->EmGetLine(3, buffer, 10), 0);
    EXPECT_EQ(e->EmGetLineCount(), 3);

    struct {
        std::int64_t Index;
        int Row, Length;
    } const lines[] = {{0, 0, 2}, {2, 0, 2}, {3, 0, 2}, {4, 1, 1}, {6, 1, 1}, {7, 2, 1}, {8, 2, 1}, {500, 2, 1}};
    for (const auto& l : lines) {
        SCOPED_TRACE(l.Index);
        EXPECT_EQ(e->EmLineFromChar(l.Index), l.Row);
        EXPECT_EQ(e->EmLineLength(l.Index), l.Length);
    }
    EXPECT_EQ(e->EmLineIndex(0), 0);
    EXPECT_EQ(e->EmLineIndex(1), 4);
    EXPECT_EQ(e->EmLineIndex(2), 7);
    EXPECT_EQ(e->EmLineIndex(3), -1);
    e->SetRowCol(1, 1);
    EXPECT_EQ(e->EmLineIndex(-1), 4);
    EXPECT_EQ(e->EmLineFromChar(-1), 1);
    EXPECT_EQ(e->EmLineLength(-1), 1);
}

TEST(EditorMessages, SetSelAndGetSel)
{
    HostedEditor e;
    e.SetText("ab\r\nc\r\nd");
    std::int64_t start = -1, end = -1;
    e->EmSetSel(0, -1);
    e->EmGetSel(start, end);
    EXPECT_EQ((std::pair{start, end}), (std::pair<std::int64_t, std::int64_t>{0, 8}));
    e->EmSetSel(4, -1);
    e->EmGetSel(start, end);
    EXPECT_EQ((std::pair{start, end}), (std::pair<std::int64_t, std::int64_t>{4, 8})) << "-1 reaches the text's end";
    EXPECT_EQ(e->SelText(), "c\r\nd");
    EXPECT_EQ(e->EmLineFromChar(-1), 1);
    EXPECT_EQ(e->EmLineLength(-1), 0);
    e->EmSetSel(5, 1);
    EXPECT_EQ(e->SelText(), "b\r\nc");
    EXPECT_EQ(e->EmLineLength(-1), 1) << "the a before, nothing after";
    e->EmSetSel(-1, 3);
    EXPECT_EQ(e->SelectionState(), 0);
    e->EmGetSel(start, end);
    EXPECT_EQ(start, end);

    e->EmReplaceSel("XY");
    EXPECT_EQ(Content(*e), "ab\r\ncXY\r\nd") << "at the caret, where the selection ended";
    EXPECT_TRUE(e->EmCanUndo());
    EXPECT_TRUE(e->EmUndo());
    EXPECT_EQ(Content(*e), "ab\r\nc\r\nd");
    e->EmReplaceSel("Z");
    e->EmEmptyUndoBuffer();
    EXPECT_FALSE(e->EmCanUndo());
    EXPECT_FALSE(e->EmUndo());
}

TEST(EditorMessages, IndexesAreNotCutTo16Bits)
{
    HostedEditor e;
    const std::string longRow(70000, 'x');
    e.SetText(longRow + "\r\nyz");
    EXPECT_EQ(e->WmGetTextLength(), 70004);
    EXPECT_EQ(e->EmLineIndex(1), 70002);
    EXPECT_EQ(e->EmLineFromChar(70003), 1);
    EXPECT_EQ(e->EmLineLength(5), 70000);
    e->EmSetSel(70003, 70004);
    std::int64_t start = 0, end = 0;
    e->EmGetSel(start, end);
    EXPECT_EQ((std::pair{start, end}), (std::pair<std::int64_t, std::int64_t>{70003, 70004}));
    EXPECT_EQ(e->SelText(), "z");
}

TEST(EditorMessages, PositionsOfCharactersAndCharactersAtPoints)
{
    HostedEditor e;
    e.SetText("ab\r\nc\r\nd");
    const int w = e->ColWidth(), h = e->RowHeight();
    int x = 0, y = 0;
    ASSERT_TRUE(e->EmPosFromChar(5, x, y));
    EXPECT_EQ(x, e->TextAreaLeft() + w) << "the indexed character, not the caret";
    EXPECT_EQ(y, e->TextAreaTop() + h);
    EXPECT_FALSE(e->EmPosFromChar(9, x, y));

    std::int64_t index = 0;
    int row = 0;
    ASSERT_TRUE(e->EmCharFromPos(e->TextAreaLeft() + w + 1, e->TextAreaTop() + h + 1, index, row));
    EXPECT_EQ(index, 5);
    EXPECT_EQ(row, 1);
    EXPECT_FALSE(e->EmCharFromPos(-1, 5, index, row));
    EXPECT_EQ(index, -1);

    // A text that ends with a line end: its end stands on the row after the last.
    e.SetText("ab\r\n");
    ASSERT_TRUE(e->EmPosFromChar(4, x, y));
    EXPECT_EQ(x, e->TextAreaLeft());
    EXPECT_EQ(y, e->TextAreaTop() + h);
}

TEST(EditorMessages, ClipboardCallsAndTheReadOnlyGuard)
{
    HostedEditor e;
    e.SetText("abc");
    e.Clipboard.SetText("old", false);
    e->WmCopy();
    EXPECT_FALSE(e.Clipboard.HasText()) << "copying nothing empties the clipboard";
    e->EmSetSel(0, 2);
    e->WmCopy();
    EXPECT_EQ(e.Clipboard.Text(), "ab");
    e->WmCut();
    EXPECT_EQ(Content(*e), "c");
    e->WmPaste();
    EXPECT_EQ(Content(*e), "abc");

    e->EmSetSel(0, 1);
    e->EmSetReadOnly(true);
    e->WmCut();
    EXPECT_FALSE(e.Clipboard.HasText()) << "cutting from a read-only control empties the clipboard";
    e.Clipboard.SetText("z", false);
    e->WmPaste();
    e->WmClear();
    e->WmSetText("new");
    e->EmReplaceSel("q");
    e->EmSetModify(false);
    EXPECT_EQ(Content(*e), "abc");
    EXPECT_TRUE(e->EmGetModify());
    EXPECT_FALSE(e->EmCanUndo());
    e->EmSetReadOnly(false);
    e->WmSetText("new");
    EXPECT_EQ(Content(*e), "new");
}

TEST(EditorMessages, ScrollCaretBringsTheCaretToTheUpperThird)
{
    HostedEditor e;
    std::string text;
    for (int i = 0; i < 300; ++i) text += "row\r\n";
    e.SetText(text);
    e->SetRowCol(200, 0);
    e->SetTopRow(0);
    e->EmScrollCaret();
    EXPECT_EQ(e->TopRow(), 200 - e->VisibleRows() / 3);
    EXPECT_EQ(e->EmGetFirstVisibleLine(), e->TopRow());
    const int top = e->TopRow();
    e->EmScrollCaret();
    EXPECT_EQ(e->TopRow(), top) << "a caret in view scrolls nothing";
}

TEST(EditorPositions, OffsetsLengthsAndLinesOverWrappedRows)
{
    HostedEditor e;
    e->SetWordWrap(true);
    e->WrapOption().SetWrapByte(20);
    e.SetText("0123456789ABCDEFGHIJabcdefghijklmnopqrst0123\r\nxy\r\n");
    ASSERT_EQ(e->RowCount(), 4);
    std::string joined;
    TEditor::JoinRows(e->List(), joined);
    EXPECT_EQ(e->TextLength(), static_cast<std::int64_t>(joined.size()));
    EXPECT_EQ(e->RowToLine(2), 0);
    EXPECT_EQ(e->RowToLine(3), 1);
    EXPECT_EQ(e->LineToRow(1), 3);
    EXPECT_EQ(e->OffsetFromRow(0, 2, 1), 41);
    EXPECT_EQ(e->OffsetFromRow(1, 3, 2), 28);
    EXPECT_EQ(e->OffsetFromRow(3, 4, 0), 4) << "past the last line end";
    EXPECT_EQ(joined, e->Lines().Text()) << "the text ends with a line end";

    e->SetWordWrap(false);
    e.SetText("ab\r\ncd");
    EXPECT_EQ(e->OffsetFromRow(0, 2, 0), 7) << "the row that ends the text counts one when passed";
    EXPECT_EQ(e->RowToLine(1), 1);
}

TEST(EditorPositions, DeleteRowAndClear)
{
    HostedEditor e;
    e.SetText("a\r\nb\r\nc");
    e->SetRowCol(1, 1);
    e->DeleteRow(1);
    EXPECT_EQ(Content(*e), "a\r\nc");
    EXPECT_EQ((std::pair{e->Row(), e->Col()}), (std::pair{1, 0}));
    e->DeleteRow(1);
    EXPECT_EQ(Content(*e), "a\r\n");
    e->DeleteRow(5);
    e->Undo();
    EXPECT_EQ(Content(*e), "a\r\nc");

    e.SetText("only");
    e->SetRowCol(0, 2);
    e->DeleteRow(0);
    EXPECT_EQ(e->RowCount(), 0);
    EXPECT_EQ((std::pair{e->Row(), e->Col()}), (std::pair{0, 0}));

    e.SetText("x\r\ny");
    e->Clear();
    EXPECT_EQ(e->RowCount(), 0);
    EXPECT_FALSE(e->CanUndo());
}

} // namespace
} // namespace qx::test
