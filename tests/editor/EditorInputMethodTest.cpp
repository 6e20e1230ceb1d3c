// The input method: a commit is inserted once as one undo step, a composition only shows, a
// replacement range replaces, and the text around the caret is read for converting again.

#include "EditorFixture.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::test {
namespace {

std::string Sjis(const char* Utf8) { return Utf8ToCp932(Utf8); }
std::string Content(TEditor& E) { return E.List().GetRowsText(0, E.RowCount()).Text; }

TEST(EditorInputMethod, ACommitIsInsertedOnceAsOneUndoStep)
{
    HostedEditor e;
    e.Viewport.HasFocus = true;
    e.SetText("ab\r\n");
    e->SetRowCol(0, 1);
    e->InputMethod(Sjis("日本"), "");
    EXPECT_EQ(Content(*e), "a" + Sjis("日本") + "b\r\n");
    EXPECT_EQ(e->RowString(0).size(), 6u);  // four bytes more
    EXPECT_EQ(e->Col(), 5);
    e->Undo();
    EXPECT_EQ(Content(*e), "ab\r\n");
    EXPECT_FALSE(e->CanUndo());

    // A commit replaces the selection, still one step.
    e->SetSelStart(0);
    e->SetSelLength(2);
    e->InputMethod(Sjis("字"), "");
    EXPECT_EQ(Content(*e), Sjis("字") + "\r\n");
    e->Undo();
    EXPECT_EQ(Content(*e), "ab\r\n");

    // A read-only text takes nothing.
    e->SetReadOnly(true);
    e->InputMethod(Sjis("日本"), Sjis("にほん"));
    EXPECT_EQ(Content(*e), "ab\r\n");
    EXPECT_EQ(e->Preedit(), "");
}

TEST(EditorInputMethod, ACompositionShowsAtTheCaretAndChangesNothing)
{
    HostedEditor e;
    e.Viewport.HasFocus = true;
    e.SetText("abcd\r\n");
    e->SetRowCol(0, 2);
    e->SetModified(false);
    const std::string preedit = Sjis("にほん");
    e->InputMethod("", preedit, 4);
    EXPECT_EQ(Content(*e), "abcd\r\n");
    EXPECT_FALSE(e->CanUndo());
    EXPECT_FALSE(e->Modified());
    EXPECT_EQ(e->Col(), 2);
    EXPECT_EQ(e->Preedit(), preedit);

    // Drawn over the text at the caret in the control's font, underlined, with its cursor.
    RecordingCanvas canvas;
    e->PaintPreedit(canvas);
    const int w = e->ColWidth();
    const int x = e->TextAreaLeft() + 2 * w;
    bool text = false, underline = false, cursor = false;
    for (const CanvasCall& c : canvas.Calls) {
        if (c.What == CanvasCall::Text && c.Bytes == preedit && c.X == x) {
            text = true;
            EXPECT_EQ(c.Style.Font, e->Font());
        }
        if (c.What == CanvasCall::Line && c.X == x && c.X2 == x + 6 * w && c.Y == c.Y2) underline = true;
        if (c.What == CanvasCall::Fill && c.Rect.Left == x + 4 * w && c.Rect.Width() == 2) cursor = true;
    }
    EXPECT_TRUE(text);
    EXPECT_TRUE(underline);
    EXPECT_TRUE(cursor);

    // The commit ends the composition.
    e->InputMethod(Sjis("日本"), "");
    EXPECT_EQ(e->Preedit(), "");
    EXPECT_EQ(Content(*e), "ab" + Sjis("日本") + "cd\r\n");
    RecordingCanvas after;
    e->PaintPreedit(after);
    EXPECT_TRUE(after.Calls.empty());
}

TEST(EditorInputMethod, AReplacementRangeIsReplacedAsOneStep)
{
    HostedEditor e;
    e.SetText(Sjis("abc日本def") + "\r\n");
    e->SetRowCol(0, 7);  // after 本
    e->InputMethod(Sjis("二本"), "", -1, -4, 4);
    EXPECT_EQ(Content(*e), Sjis("abc二本def") + "\r\n");
    EXPECT_EQ(e->Col(), 7);
    EXPECT_FALSE(e->SelectionShown());
    e->Undo();
    EXPECT_EQ(Content(*e), Sjis("abc日本def") + "\r\n");
}

TEST(EditorInputMethod, TheSurroundingTextIsTheCaretsLineWithCursorAndAnchor)
{
    HostedEditor e;
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    const std::string line = "ABCDEFGHIJKLMNOPQRSTabcdefghijklmnopqrstxyz";
    e.SetText("first\r\n" + line + "\r\nlast");
    ASSERT_EQ(e->RowCount(), 5);
    e->SetRowCol(2, 3);  // "abc|defg..."
    TEditor::TImeSurrounding around = e->ImeSurrounding();
    EXPECT_EQ(around.Text, line);
    EXPECT_EQ(around.Cursor, 23);
    EXPECT_EQ(around.Anchor, 23);

    // The selection's other end, clamped to the line.
    e.Select(2, 3, 3, 1);
    around = e->ImeSurrounding();
    EXPECT_EQ(around.Cursor, 41);
    EXPECT_EQ(around.Anchor, 23);
    e.Select(0, 2, 2, 0);
    around = e->ImeSurrounding();
    EXPECT_EQ(around.Cursor, 20);
    EXPECT_EQ(around.Anchor, 0);

    // A line wrapped over many rows: a few rows on each side of the caret.
    std::string longLine;
    for (char c = 'a'; c < 'a' + 12; ++c) longLine += std::string(20, c);
    longLine.resize(235);  // 12 rows, the last one short
    e.SetText(longLine);
    ASSERT_EQ(e->RowCount(), 12);
    e->SetRowCol(6, 2);
    around = e->ImeSurrounding();
    EXPECT_EQ(around.Text, longLine.substr(2 * 20, 9 * 20));
    EXPECT_EQ(around.Cursor, 4 * 20 + 2);
}

} // namespace
} // namespace qx::test
