// The selection: its two records, its text, deleting it in normal and box mode, whole rows, hits.

#include "EditorFixture.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::test {
namespace {

std::string Sjis(const char* Utf8) { return Utf8ToCp932(Utf8); }

void Select(TEditor& E, int Row1, int Col1, int Row2, int Col2)
{
    E.CleanSelection();
    E.SetRowCol(Row1, Col1);
    E.StartSelection();
    E.SetRowCol(Row2, Col2);
    E.UpdateSelection();
}

// The text as the row store holds it (a line end only where a row ends its line).
std::string Content(TEditor& E) { return E.List().GetRowsText(0, E.RowCount()).Text; }

bool SameBounds(const TSelectionBounds& A, const TSelectionBounds& B)
{
    return A.StartRow == B.StartRow && A.StartCol == B.StartCol && A.EndRow == B.EndRow && A.EndCol == B.EndCol;
}

TEST(EditorSelection, RecordsAndTextOverRowsBothWaysAndPastShortRows)
{
    struct Case {
        const char* Name;
        int Row1, Col1, Row2, Col2;
        TSelectionBounds Display, Bytes;
        const char* Text;
    } cases[] = {
        {"down", 0, 2, 2, 4, {0, 2, 2, 4}, {0, 2, 2, 3}, "cdef\r\nab\r\nabcd"},
        {"up", 2, 4, 0, 2, {0, 2, 2, 4}, {0, 2, 2, 3}, "cdef\r\nab\r\nabcd"},
        {"one row backwards", 0, 5, 0, 1, {0, 1, 0, 5}, {0, 1, 0, 4}, "bcde"},
        // The caret stands past the short row's end: the display record is cut to the row's width.
        {"into a short row", 0, 4, 1, 6, {0, 4, 1, 2}, {0, 4, 1, 1}, "ef\r\nab"},
        {"from a short row", 1, 6, 0, 4, {0, 4, 1, 2}, {0, 4, 1, 1}, "ef\r\nab"},
        {"over a tab", 3, 0, 3, 9, {3, 0, 3, 9}, {3, 0, 3, 2}, "x\ty"},
        {"empty at the anchor", 1, 1, 1, 1, {1, 1, 1, 1}, {1, 1, 1, 0}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        HostedEditor e;
        e.SetText("abcdef\r\nab\r\nabcdefgh\r\nx\ty");
        Select(*e, c.Row1, c.Col1, c.Row2, c.Col2);
        EXPECT_EQ(e->SelectionState(), 2);
        EXPECT_TRUE(SameBounds(e->Selection(), c.Display));
        EXPECT_TRUE(SameBounds(e->ByteSelection(), c.Bytes));
        EXPECT_EQ(e->SelText(), c.Text);
        EXPECT_EQ(e->SelLength(), static_cast<std::int64_t>(std::string(c.Text).size()));
    }
}

TEST(EditorSelection, DeleteJoinsTheEdgeRowsAndOneUndoRestores)
{
    HostedEditor e;
    const std::string text = "abcdef\r\nab\r\nabcdefgh\r\n";
    e.SetText(text);
    Select(*e, 0, 2, 2, 4);
    e->DeleteSelection();
    EXPECT_EQ(Content(*e), "abefgh\r\n");
    EXPECT_EQ(e->SelectionState(), 0);
    EXPECT_EQ(e->Row(), 0);
    EXPECT_EQ(e->Col(), 2);
    e->Undo();
    EXPECT_EQ(Content(*e), text);
}

TEST(EditorSelection, BoxDeleteTakesWholeTabsAndDoubleByteCharactersAtItsEdges)
{
    HostedEditor e;
    // The box's columns come from the plain rows 0 and 3. Row 1: a tab from column 1 to 8; row 2: three
    // double-byte characters of two columns each; row 4 is shorter than the box.
    const std::string text = "0123456789\r\na\tbc\r\n" + Sjis("あいう") + "\r\n0123456789\r\nz\r\n";
    e.SetText(text);
    e->SetSelectionMode(smBox);
    // Columns 3..5: inside the tab's padding, and from the second half of "い" into "う".
    Select(*e, 0, 3, 4, 5);
    EXPECT_TRUE(SameBounds(e->Selection(), {0, 3, 4, 5}));
    EXPECT_TRUE(e->IsInSelection(1, 1));   // the tab's first column
    EXPECT_TRUE(e->IsInSelection(2, 2));   // the first half of "い"
    EXPECT_TRUE(e->IsInSelection(2, 5));   // the second half of "う"
    EXPECT_FALSE(e->IsInSelection(2, 6));
    EXPECT_FALSE(e->IsInSelection(0, 5));
    EXPECT_EQ(e->SelText(), "34\r\n\t\r\n" + Sjis("いう") + "\r\n34\r\n");
    e->DeleteSelection();
    EXPECT_EQ(Content(*e), "01256789\r\nabc\r\n" + Sjis("あ") + "\r\n01256789\r\nz\r\n");
    e->Undo();
    EXPECT_EQ(Content(*e), text);
}

TEST(EditorSelection, SelectAllCoversTheWholeTextAndDeletingItEmptiesIt)
{
    for (const std::string& text : {"one\r\n" + Sjis("二") + "\r\nthree", std::string("one\r\ntwo\r\n")}) {
        SCOPED_TRACE(text);
        HostedEditor e;
        e.SetText(text);
        e->SetSelectionMode(smBox);
        e->SelectAll();
        EXPECT_EQ(e->SelectionMode(), smLine);
        EXPECT_EQ(e->SelStart(), 0);
        EXPECT_EQ(e->SelLength(), e->TextLength());
        EXPECT_EQ(e->SelText(), text);
        e->DeleteSelection();
        EXPECT_EQ(Content(*e), "");
        e->Undo();
        EXPECT_EQ(Content(*e), text);
    }
}

TEST(EditorSelection, SelStartAndLengthCountLineEndsAsTwo)
{
    HostedEditor e;
    e.SetText("abc\r\ndef\r\nghi");
    e->SetSelStart(6);
    EXPECT_EQ(e->Row(), 1);
    EXPECT_EQ(e->Col(), 1);
    e->SetSelLength(5);
    EXPECT_EQ(e->SelStart(), 6);
    EXPECT_EQ(e->SelText(), "ef\r\ng");
    e->SetSelLength(0);
    EXPECT_EQ(e->SelectionState(), 0);
    EXPECT_EQ(e->SelStart(), 6);
}

TEST(EditorSelection, WholeRowsFromTheMarginKeepTheClickedRow)
{
    HostedEditor e;
    e.SetText("r0\r\nr1\r\nr2\r\nlast");
    e->SelectRow(1);
    EXPECT_EQ(e->SelText(), "r1\r\n");
    EXPECT_EQ(e->Row(), 1);
    e->ExtendRowSelection(2);
    EXPECT_EQ(e->SelText(), "r1\r\nr2\r\n");
    e->ExtendRowSelection(0);
    EXPECT_EQ(e->SelText(), "r0\r\nr1\r\n");
    e->ExtendRowSelection(9);  // past the text: up to its end
    EXPECT_EQ(e->SelText(), "r1\r\nr2\r\nlast");
    // The last row of a text without a final line end: its text only.
    e->SelectRow(3);
    EXPECT_EQ(e->SelText(), "last");
    EXPECT_EQ(e->Col(), 0);
}

TEST(EditorSelection, EndingASelectionRepaintsARowAboveAndBelow)
{
    HostedEditor e;
    e.SetText("a\r\nbb\r\ncc\r\ndd\r\ne");
    Select(*e, 1, 1, 2, 1);
    e.Viewport.Invalidated.clear();
    e->CleanSelection();
    ASSERT_EQ(e.Viewport.Invalidated.size(), 1u);
    const TRect band = e.Viewport.Invalidated[0];
    EXPECT_EQ(band.Top, e->TextAreaTop());
    EXPECT_EQ(band.Bottom, e->TextAreaTop() + 4 * e->RowHeight());
    // An empty selection repaints nothing.
    Select(*e, 1, 1, 1, 1);
    e.Viewport.Invalidated.clear();
    e->CleanSelection();
    EXPECT_TRUE(e.Viewport.Invalidated.empty());
}

TEST(EditorSelection, ExtendingRepaintsOnlyTheRowsWhoseSelectionChanged)
{
    HostedEditor e;
    e.SetText("aaaa\r\nbbbb\r\ncccc\r\ndddd\r\n");
    Select(*e, 0, 1, 2, 2);
    e.Viewport.Invalidated.clear();
    e->SetRowCol(2, 3);
    e->UpdateSelection();
    ASSERT_EQ(e.Viewport.Invalidated.size(), 1u);
    EXPECT_EQ(e.Viewport.Invalidated[0].Top, e->TextAreaTop() + 2 * e->RowHeight());
}

TEST(EditorSelection, HitsShowInTheirStyleAndBecomeSelections)
{
    HostedEditor e;
    e.SetText("find the needle here");
    e.Viewport.HasFocus = true;
    e->FocusIn();

    e->SetHitStyle(hsDraw);
    e->SetRowCol(0, 9);
    e->ShowHit(6);
    EXPECT_EQ(e->SelectionState(), 3);
    EXPECT_EQ(e->SelText(), "");  // a hit is not selected text
    e->HitToSelection();
    EXPECT_EQ(e->SelectionState(), 2);
    EXPECT_EQ(e->SelText(), "needle");

    e->SetHitStyle(hsCaret);
    e->SetRowCol(0, 9);
    e->ShowHit(6);
    EXPECT_EQ(e->SelectionState(), 3);
    EXPECT_EQ(e->Col(), 9);  // the caret covers the match from its start
    EXPECT_EQ(e->CaretRect().Width(), 6 * e->ColWidth());
    e->HitToSelection();
    EXPECT_EQ(e->Col(), 15);
    EXPECT_EQ(e->SelText(), "needle");
}

} // namespace
} // namespace qx::test
