// The window's answers to a document editor's events: the current-line highlight, Tab indenting a
// selection, box mode by Alt and its end with the selection, the wrap width that follows the window.

#include "editor/EditorFixture.h"
#include "editor/EditorFountain.h"
#include "editor/QxEditor.h"
#include "mainwindow/EditorEvents.h"
#include "mainwindow/VirtualKeys.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

class EditorEventsTest : public ::testing::Test {
protected:
    EditorEventsTest() : Host(Construct<TQxEditor>()) { Host.SetText("abc\r\ndef\r\nghi\r\n"); }
    TQxEditor& Editor() { return static_cast<TQxEditor&>(*Host.Editor); }
    void Select(int Row1, int Col1, int Row2, int Col2)
    {
        Editor().SetRowCol(Row1, Col1);
        Editor().StartSelection();
        Editor().SetRowCol(Row2, Col2);
        Editor().ShowSelection();
    }

    HostedEditor Host;
    TEditorEvents Events;
};

TEST_F(EditorEventsTest, TheHighlightRepaintsTheOldAndTheNewCaretRowAndPaintsOnlyTheCaretRow)
{
    Editor().CurLineHilighted = true;
    Editor().View().Colors().CurLine().SetColor(clRed);
    Editor().View().Colors().CurLine().SetBkColor(clYellow);
    Editor().SetRowCol(0, 0);
    Events.CaretMoved(Editor());
    Editor().SetRowCol(2, 1);
    Host.Viewport.Invalidated.clear();
    Events.CaretMoved(Editor());
    const int h = Editor().RowHeight();
    ASSERT_EQ(Host.Viewport.Invalidated.size(), 2u);
    EXPECT_EQ(Host.Viewport.Invalidated[0].Top, Editor().TextAreaTop());
    EXPECT_EQ(Host.Viewport.Invalidated[1].Top, 2 * h + Editor().TextAreaTop());
    EXPECT_EQ(Editor().OldRowIndex, 2);

    // Painting: only row 2 gets the current line's colours; nothing once text is selected.
    const auto paintedInRed = [&] {
        Editor().OnDrawLine = [&](TObject*, const std::string& S, int X, int Y, int Index, const TRect& R, bool) {
            Events.DrawLine(Editor(), S, X, Y, Index, R);
        };
        std::vector<std::string> rows;
        for (const CanvasCall& call : Host.Paint().Calls)
            if (call.What == CanvasCall::Text && call.Color == clRed && call.Style.Background == clYellow)
                rows.push_back(call.Bytes);
        return rows;
    };
    EXPECT_EQ(paintedInRed(), std::vector<std::string>{"ghi"});
    Select(0, 0, 0, 2);
    EXPECT_TRUE(paintedInRed().empty());
}

TEST_F(EditorEventsTest, TabIndentsASelectionAndSwallowsItsCharacter)
{
    struct Case {
        bool TabKeyIndent, Selected, SoftTab;
        TShiftState Shift;
        bool Consumed;
        const char* Text;
    } cases[] = {
        {true, true, false, 0, true, "\tabc\r\n\tdef\r\nghi\r\n"},
        {true, true, true, 0, true, "    abc\r\n    def\r\nghi\r\n"},
        {true, false, false, 0, false, "abc\r\ndef\r\nghi\r\n"},
        {false, true, false, 0, false, "abc\r\ndef\r\nghi\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        Host.SetText("abc\r\ndef\r\nghi\r\n");
        Editor().TabKeyIndent = c.TabKeyIndent;
        Editor().Caret().SetSoftTab(c.SoftTab);
        Editor().Caret().SetTabSpaceCount(4);
        Editor().CleanSelection();
        if (c.Selected) Select(0, 0, 1, 2);
        int key = VK_TAB;
        Events.KeyDown(Editor(), key, c.Shift);
        char typed = '\t';
        Events.KeyPress(Editor(), typed);
        EXPECT_EQ(key == 0, c.Consumed);
        EXPECT_EQ(typed == 0, c.Consumed);
        EXPECT_EQ(Editor().Lines().Text(), c.Text);
    }
    // Shift+Tab takes the indent back out, in one undo step each.
    Host.SetText("\tabc\r\n\tdef\r\n");
    Editor().Caret().SetSoftTab(false);
    Editor().TabKeyIndent = true;
    Select(0, 0, 1, 6);
    int key = VK_TAB;
    Events.KeyDown(Editor(), key, ssShift);
    EXPECT_EQ(Editor().Lines().Text(), "abc\r\ndef\r\n");
    // The next character after an unconsumed key is typed.
    key = 'A';
    Events.KeyDown(Editor(), key, 0);
    char typed = 'a';
    Events.KeyPress(Editor(), typed);
    EXPECT_EQ(typed, 'a');
}

TEST_F(EditorEventsTest, BoxModeFollowsAltUnlessChosenByCommandAndEndsWithTheSelection)
{
    Events.MouseDown(Editor(), mbLeft, ssLeft | ssAlt, 0, 0);
    EXPECT_EQ(Editor().SelectionMode(), smBox);
    Events.MouseDown(Editor(), mbLeft, ssLeft, 0, 0);
    EXPECT_EQ(Editor().SelectionMode(), smLine);

    // Chosen by command: a press without Alt keeps it, until the selection goes.
    Editor().SetSelectionMode(smBox);
    Events.MouseDown(Editor(), mbLeft, ssLeft, 0, 0);
    EXPECT_EQ(Editor().SelectionMode(), smBox);
    Events.SelectionChange(Editor(), true);
    EXPECT_EQ(Editor().SelectionMode(), smBox);
    Events.SelectionChange(Editor(), false);
    EXPECT_EQ(Editor().SelectionMode(), smLine);
}

TEST_F(EditorEventsTest, APressInsideTheSelectionDragsItWhenTheControlLeavesDraggingToTheWindow)
{
    Editor().Caret().SetSelDragMode(dmManual);
    Editor().OnMouseDown = [&](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
        Events.MouseDown(Editor(), Button, Shift, X, Y);
    };
    const auto x = [&](int Col) { return Editor().TextAreaLeft() + Col * Editor().ColWidth() + 1; };
    const auto y = [&](int Row) { return Editor().TextAreaTop() + Row * Editor().RowHeight() + 2; };
    Select(0, 0, 0, 3);
    Editor().MouseDown(mbLeft, ssLeft, x(1), y(0));
    Editor().MouseMove(ssLeft, x(1), y(2));
    Editor().MouseUp(mbLeft, 0, x(1), y(2));
    EXPECT_EQ(Editor().Lines().Text(), "\r\ndef\r\ngabchi\r\n");
    Editor().Undo();
    EXPECT_EQ(Editor().Lines().Text(), "abc\r\ndef\r\nghi\r\n");

    // A press in the left margin selects rows instead.
    Select(0, 0, 0, 3);
    Editor().MouseDown(mbLeft, ssLeft, 1, y(0));
    EXPECT_EQ(Editor().DragState(), 0);
}

TEST_F(EditorEventsTest, TheWindowWrapWidthFollowsTheWindowsWidth)
{
    Editor().WrapByWindow = true;
    Editor().SetWordWrap(true);
    Editor().Marks().WrapMark().SetVisible(false);
    for (const int width : {640, 400, 300}) {
        Host.Viewport.Width = width;
        Editor().Resize();
        Events.Resize(Editor());
        const int w = Editor().ColWidth();
        EXPECT_EQ(Editor().WrapOption().WrapByte(), std::max(1, (width - Editor().TextAreaLeft() - w / 2) / w))
            << width;
    }
    // Not following the window: the width stays.
    Editor().WrapByWindow = false;
    const int before = Editor().WrapOption().WrapByte();
    Host.Viewport.Width = 800;
    Events.Resize(Editor());
    EXPECT_EQ(Editor().WrapOption().WrapByte(), before);
}

} // namespace
} // namespace qx::test
