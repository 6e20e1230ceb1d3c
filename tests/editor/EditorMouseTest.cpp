// The mouse: caret placement with centre rounding, selecting after half a column, Shift-click and the
// left margin, the cursor over each area, dragging the selection to move or copy it, and the wheel.

#include "EditorFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace qx::test {
namespace {

constexpr int VkControl = 0x11, VkEscape = 0x1B;

std::string Content(TEditor& E) { return E.List().GetRowsText(0, E.RowCount()).Text; }

// The client point DX pixels right of the left edge of cell (Row, Col), in the middle of the row.
TPoint At(TEditor& E, int Row, int Col, int DX = 0)
{
    return {E.TextAreaLeft() + (Col - E.TopCol()) * E.ColWidth() + DX,
            E.TextAreaTop() + (Row - E.TopRow()) * E.RowHeight() + E.RowHeight() / 2};
}

void Press(TEditor& E, TPoint P, TShiftState Shift = 0) { E.MouseDown(mbLeft, Shift, P.X, P.Y); }
void Move(TEditor& E, TPoint P, TShiftState Shift = ssLeft) { E.MouseMove(Shift, P.X, P.Y); }
void Release(TEditor& E, TPoint P, TShiftState Shift = 0) { E.MouseUp(mbLeft, Shift, P.X, P.Y); }

// Presses inside the selection at From, moves to To and releases there.
void Drag(TEditor& E, TPoint From, TPoint To, TShiftState Shift = 0)
{
    Press(E, From, Shift);
    Move(E, To, ssLeft | Shift);
    Release(E, To, Shift);
}

struct MouseEditor : HostedEditor {
    MouseEditor(const char* Text)
    {
        Viewport.HasFocus = true;
        SetText(Text);
    }
};

TEST(EditorMouse, AClickPlacesTheCaretOnTheNearerCellEdge)
{
    MouseEditor e("abcdef\r\n");
    const int w = e->ColWidth();
    ASSERT_GT(w, 1);
    struct Case {
        int DX, Col;
    } cases[] = {{0, 2}, {w / 2, 2}, {w / 2 + 1, 3}, {w - 1, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.DX);
        const TPoint p = At(*e, 0, 2, c.DX);
        Press(*e, p);
        Release(*e, p);
        EXPECT_EQ(e->Row(), 0);
        EXPECT_EQ(e->Col(), c.Col);
        EXPECT_FALSE(e->SelectionShown());
    }
}

TEST(EditorMouse, TheSelectionShowsOnlyOnceTheMouseIsHalfAColumnAway)
{
    struct Case {
        const char* Name;
        int DX, DY;
        bool Shown;
    };
    MouseEditor probe("");
    const int half = probe->ColWidth() / 2;
    const Case cases[] = {
        {"right, short", half - 1, 0, false}, {"right", half, 0, true},
        {"left, short", -(half - 1), 0, false}, {"down, short", 0, half - 1, false},
        {"down", 0, half, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        MouseEditor e("abcdef\r\nabcdef\r\n");
        const TPoint p = At(*e, 0, 3, 1);
        Press(*e, p);
        Move(*e, {p.X + c.DX, p.Y + c.DY});
        EXPECT_EQ(e->SelectionShown(), c.Shown);
        Release(*e, {p.X + c.DX, p.Y + c.DY});
    }
}

TEST(EditorMouse, DraggingSelectsAndShiftClickExtends)
{
    MouseEditor e("abcdef\r\nabcdef\r\n");
    Press(*e, At(*e, 0, 1));
    Move(*e, At(*e, 0, 4));
    Release(*e, At(*e, 0, 4));
    EXPECT_EQ(e->SelText(), "bcd");
    // Shift-click moves the selection's free end; the anchor stays.
    Press(*e, At(*e, 1, 2), ssShift);
    Release(*e, At(*e, 1, 2), ssShift);
    EXPECT_EQ(e->SelText(), "bcdef\r\nab");
    // Without a selection, Shift-click selects from the caret.
    Press(*e, At(*e, 1, 5));
    Release(*e, At(*e, 1, 5));
    Press(*e, At(*e, 1, 3), ssShift);
    EXPECT_EQ(e->SelText(), "de");
}

TEST(EditorMouse, TheLeftMarginSelectsWholeRows)
{
    MouseEditor e("one\r\ntwo\r\nthree");
    ASSERT_GT(e->TextAreaLeft(), 2);
    const int x = e->TextAreaLeft() / 2;
    Press(*e, {x, At(*e, 1, 0).Y});
    EXPECT_EQ(e->SelText(), "two\r\n");
    Move(*e, {x, At(*e, 2, 0).Y});
    Release(*e, {x, At(*e, 2, 0).Y});
    EXPECT_EQ(e->SelText(), "two\r\nthree");
    // Off, the margin places the caret at column 0.
    e->Caret().SetRowSelect(false);
    Press(*e, {x, At(*e, 0, 0).Y});
    EXPECT_FALSE(e->SelectionShown());
    EXPECT_EQ(e->Col(), 0);
}

TEST(EditorMouse, DraggingASelectionToAnotherRowAndBackIsOneUndoStepEach)
{
    const std::string original = "abc def\r\nxyz\r\n";
    MouseEditor e(original.c_str());
    e.Select(0, 0, 0, 3);
    Drag(*e, At(*e, 0, 1), At(*e, 1, 3));
    EXPECT_EQ(Content(*e), " def\r\nxyzabc\r\n");
    EXPECT_EQ(e->Row(), 1);
    EXPECT_EQ(e->Col(), 6);
    EXPECT_FALSE(e->SelectionShown());
    EXPECT_EQ(e->DragState(), 0);

    e.Select(1, 3, 1, 6);
    Drag(*e, At(*e, 1, 4), At(*e, 0, 0));
    EXPECT_EQ(Content(*e), original);
    EXPECT_EQ(e->Row(), 0);
    EXPECT_EQ(e->Col(), 3);

    e->Undo();
    EXPECT_EQ(Content(*e), " def\r\nxyzabc\r\n");
    e->Undo();
    EXPECT_EQ(Content(*e), original);
}

TEST(EditorMouse, ADropPastARowsEndPadsAndCtrlCopies)
{
    MouseEditor e("abc\r\nxy\r\n");
    e->Caret().SetFreeCaret(true);
    e.Select(0, 0, 0, 2);
    Drag(*e, At(*e, 0, 1), At(*e, 1, 4));
    EXPECT_EQ(Content(*e), "c\r\nxy  ab\r\n");
    e->Undo();
    EXPECT_EQ(Content(*e), "abc\r\nxy\r\n");

    e.Select(0, 0, 0, 2);
    Drag(*e, At(*e, 0, 1), At(*e, 1, 2), ssCtrl);
    EXPECT_EQ(Content(*e), "abc\r\nxyab\r\n");

    // The empty line after the last line end: the text goes to the end.
    e.Select(0, 0, 0, 3);
    Drag(*e, At(*e, 0, 1), At(*e, 2, 1));
    EXPECT_EQ(Content(*e), "\r\nxyab\r\n abc");
    EXPECT_EQ(e->Row(), 2);
    EXPECT_EQ(e->Col(), 4);
}

TEST(EditorMouse, DragsThatMoveNothing)
{
    const std::string text = "abcdef\r\nxyz\r\n";
    MouseEditor e(text.c_str());
    // Released where it was pressed: the selection ends and the caret stays at the click.
    e.Select(0, 1, 0, 4);
    Press(*e, At(*e, 0, 2));
    EXPECT_EQ(e->DragState(), 1);
    Release(*e, At(*e, 0, 2));
    EXPECT_FALSE(e->SelectionShown());
    EXPECT_EQ(e->Col(), 2);

    // Dropped onto itself.
    e.Select(0, 1, 0, 4);
    Drag(*e, At(*e, 0, 1), At(*e, 0, 3));
    EXPECT_FALSE(e->SelectionShown());

    // Escape cancels a drag under way.
    e.Select(0, 1, 0, 4);
    Press(*e, At(*e, 0, 2));
    Move(*e, At(*e, 1, 1));
    EXPECT_EQ(e->DragState(), 2);
    EXPECT_TRUE(e->DragKey(VkEscape, true));
    EXPECT_EQ(e->DragState(), 0);
    Release(*e, At(*e, 1, 1));
    EXPECT_FALSE(e->SelectionShown());

    // A read-only text is never dragged: the press starts a selection.
    e->SetReadOnly(true);
    e.Select(0, 1, 0, 4);
    Drag(*e, At(*e, 0, 2), At(*e, 1, 1));
    EXPECT_EQ(e->SelText(), "cdef\r\nx");
    EXPECT_EQ(Content(*e), text);
    EXPECT_FALSE(e->CanUndo());
}

TEST(EditorMouse, APressInsideTheSelectionDragsItInsteadOfSelecting)
{
    MouseEditor e("abcdef\r\nxyz\r\n");
    e.Select(0, 1, 0, 4);
    Press(*e, At(*e, 0, 2));
    // The button is still down: the move belongs to the drag, not to a new selection.
    Move(*e, At(*e, 1, 1));
    EXPECT_EQ(e->DragState(), 2);
    EXPECT_EQ(e->SelText(), "bcd");
    EXPECT_EQ(e->Row(), 1);  // the caret shows the drop point
    EXPECT_EQ(e->Col(), 1);
    Release(*e, At(*e, 1, 1));
    EXPECT_EQ(Content(*e), "aef\r\nxbcdyz\r\n");
}

TEST(EditorMouse, NothingIsTypedWhileTheButtonIsDownOrTheSelectionIsDragged)
{
    struct Case {
        const char* Name;
        TDragMode Mode;
        std::function<void(TEditor&)> Mouse;  // leaves the button down
    };
    const std::vector<Case> cases = {
        {"the button held after a press", dmAutomatic, [](TEditor& E) { Press(E, At(E, 1, 1)); }},
        {"the button held while selecting", dmAutomatic, [](TEditor& E) {
             Press(E, At(E, 1, 0));
             Move(E, At(E, 1, 2));
         }},
        {"pressed in the selection", dmAutomatic, [](TEditor& E) { Press(E, At(E, 0, 2)); }},
        {"pressed in the selection, dragged by hand", dmManual, [](TEditor& E) { Press(E, At(E, 0, 2)); }},
        {"dragging the selection", dmAutomatic, [](TEditor& E) {
             Press(E, At(E, 0, 2));
             Move(E, At(E, 1, 1));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        MouseEditor e("abcdef\r\nxyz\r\n");
        e->Caret().SetSelDragMode(c.Mode);
        e.Select(0, 1, 0, 4);
        c.Mouse(*e);
        e->KeyPress("q", 0);
        e->KeyPress("\b\t\r", 0);
        EXPECT_EQ(Content(*e), "abcdef\r\nxyz\r\n");
        e->KeyDown(VkEscape, 0);
        Release(*e, At(*e, 0, 0));
        e->KeyPress("q", 0);
        EXPECT_NE(Content(*e), "abcdef\r\nxyz\r\n");
    }
}

TEST(EditorMouse, ABoxSelectionIsNotDraggedAPressInsideStartsAnew)
{
    MouseEditor e("abcdef\r\nabcdef\r\n");
    e->SetSelectionMode(smBox);
    e.Select(0, 1, 1, 4);
    EXPECT_FALSE(e->CanSelMove());
    Press(*e, At(*e, 0, 2));
    EXPECT_EQ(e->DragState(), 0);
    EXPECT_FALSE(e->SelectionShown());
    EXPECT_EQ(e->Col(), 2);
}

TEST(EditorMouse, TheCursorFollowsTheAreaAndTheDrag)
{
    MouseEditor e("abcdef\r\nxyz\r\n");
    const TEditorCursors& c = e->Caret().Cursors();
    e.Select(0, 1, 0, 4);
    struct Case {
        const char* Name;
        TPoint P;
        int Kind;
        int Cursor;
    } cases[] = {
        {"left margin", {2, At(*e, 0, 0).Y}, 1, c.LeftMarginCursor},
        {"top margin", {At(*e, 0, 2).X, 0}, 2, c.TopMarginCursor},
        {"in the selection", At(*e, 0, 2), 3, c.InSelCursor},
        {"text", At(*e, 1, 1), 0, c.DefaultCursor},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.Name);
        e.Viewport.Cursor = 12345;
        Move(*e, k.P, 0);
        EXPECT_EQ(e->CursorKind(), k.Kind);
        EXPECT_EQ(e.Viewport.Cursor, k.Cursor);
    }
    // Dragging: the move cursor, the copy cursor while Ctrl is down.
    Press(*e, At(*e, 0, 2));
    Move(*e, At(*e, 1, 0));
    EXPECT_EQ(e.Viewport.Cursor, c.DragSelCursor);
    EXPECT_TRUE(e->DragKey(VkControl, true));
    EXPECT_EQ(e.Viewport.Cursor, c.DragSelCopyCursor);
    EXPECT_TRUE(e->DragKey(VkControl, false));
    EXPECT_EQ(e.Viewport.Cursor, c.DragSelCursor);
    Release(*e, At(*e, 1, 0));
    EXPECT_FALSE(e->DragKey(VkControl, true));  // no drag: the key is the text's

    // Without AutoCursor the cursor never changes by area.
    e->Caret().SetAutoCursor(false);
    e.Viewport.Cursor = 12345;
    Move(*e, {2, At(*e, 0, 0).Y}, 0);
    EXPECT_EQ(e.Viewport.Cursor, 12345);
}

TEST(EditorMouse, TheWheelScrollsTheDesktopsRowsPerNotch)
{
    std::string text;
    for (int i = 0; i < 200; ++i) text += "row\r\n";
    MouseEditor e(text.c_str());
    EXPECT_TRUE(e->MouseWheel(0, -120, {0, 0}));
    EXPECT_EQ(e->TopRow(), 3);
    e->MouseWheel(0, -60, {0, 0});
    EXPECT_EQ(e->TopRow(), 4);  // half a notch: half the rows, the rest kept
    e->MouseWheel(0, -60, {0, 0});
    EXPECT_EQ(e->TopRow(), 6);
    e->MouseWheel(0, 240, {0, 0});
    EXPECT_EQ(e->TopRow(), 0);
    // A handler that takes the wheel stops the scroll.
    e->OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& Handled) { Handled = true; };
    e->MouseWheel(0, -120, {0, 0});
    EXPECT_EQ(e->TopRow(), 0);
}

TEST(EditorMouse, ADoubleClickSelectsTheWordUnderTheMouse)
{
    MouseEditor e("say hello_world now\r\n");
    int clicks = 0;
    e->OnDblClick = [&](TObject*) { ++clicks; };
    const TPoint p = At(*e, 0, 7);
    e->DblClick(0, p.X, p.Y);
    EXPECT_EQ(e->SelText(), "hello_world");
    EXPECT_EQ(e->Col(), 4);
    EXPECT_EQ(clicks, 1);
}

TEST(EditorMouse, AClickIsAPressAndReleaseThatStayedWithoutShift)
{
    MouseEditor e("abcdef\r\nxyz\r\n");
    std::vector<TPoint> clicks;
    e->OnClick = [&](TObject*) { clicks.push_back(e->ClickPoint()); };
    const TPoint p = At(*e, 0, 2), q = At(*e, 0, 2, 2), far = At(*e, 1, 2);
    struct Case {
        const char* Name;
        std::function<void()> Mouse;
        bool Clicked;
    } cases[] = {
        {"click", [&] { Press(*e, p); Release(*e, q); }, true},
        {"selecting", [&] { Press(*e, p); Move(*e, far); Release(*e, far); }, false},
        {"Shift+click", [&] { Press(*e, p, ssShift); Release(*e, p, ssShift); }, false},
        {"released outside", [&] { Press(*e, p); Release(*e, {p.X, 1000}); }, false},
        {"in the selection, not moved", [&] { e.Select(0, 1, 0, 4); Press(*e, p); Release(*e, p); }, true},
        {"the selection dragged", [&] { e.Select(0, 1, 0, 4); Press(*e, p); Move(*e, far); Release(*e, far); }, false},
        // The desktop sends a double click's press before the double click itself.
        {"double click", [&] { Press(*e, p); Release(*e, p); clicks.clear(); Press(*e, p); e->DblClick(0, p.X, p.Y); Release(*e, p); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        e->CleanSelection();
        clicks.clear();
        c.Mouse();
        ASSERT_EQ(clicks.size(), c.Clicked ? 1u : 0u);
        if (c.Clicked) {
            EXPECT_EQ(clicks[0].X, p.X);
        }
    }
}

TEST(EditorMouse, TheOwnerMayTakeADragsMovesAndItsDrop)
{
    MouseEditor e("abcdef\r\nxyz\r\n");
    int ends = 0;
    std::vector<TPoint> over;
    e->OnDragOver = [&](TObject*, TShiftState, int X, int Y, bool& Handled) {
        over.push_back({X, Y});
        Handled = true;
    };
    e->OnDragDrop = [&](TObject*, TShiftState, int, int, bool& Handled) { Handled = true; };
    e->OnEndDrag = [&](TObject*) { ++ends; };
    e.Select(0, 1, 0, 4);
    Press(*e, At(*e, 0, 2));
    Move(*e, At(*e, 1, 1));
    Move(*e, At(*e, 1, 2));
    EXPECT_EQ(over.size(), 2u);
    EXPECT_EQ(e->Row(), 0) << "the owner shows the drop point; the caret stays";
    Release(*e, At(*e, 1, 2));
    EXPECT_EQ(Content(*e), "abcdef\r\nxyz\r\n");
    EXPECT_EQ(e->DragState(), 0);
    EXPECT_EQ(ends, 1);
    // Not taken: the control drops the text itself; Escape ends a drag too.
    e->OnDragOver = nullptr;
    e->OnDragDrop = [&](TObject*, TShiftState, int, int, bool&) {};
    e.Select(0, 1, 0, 4);
    Drag(*e, At(*e, 0, 2), At(*e, 1, 1));
    EXPECT_EQ(Content(*e), "aef\r\nxbcdyz\r\n");
    EXPECT_EQ(ends, 2);
    e.Select(0, 0, 0, 2);
    Press(*e, At(*e, 0, 1));
    Move(*e, At(*e, 1, 1));
    e->DragKey(VkEscape, true);
    EXPECT_EQ(ends, 3);
}

TEST(EditorMouse, ADropPointShowsWithoutTheFocusAndGoesAgain)
{
    MouseEditor e("abcdef\r\nxyz\r\n");
    e.Viewport.HasFocus = false;
    const TPoint p = At(*e, 1, 2);
    e->ShowDropPoint(p.X, p.Y);
    EXPECT_EQ(e->Row(), 1);
    EXPECT_EQ(e->Col(), 2);
    EXPECT_TRUE(e.Viewport.CaretShown);
    EXPECT_EQ(e.Viewport.Caret.Left, p.X);
    EXPECT_EQ(e.Viewport.Caret.Top, e->TextAreaTop() + e->RowHeight());
    EXPECT_GT(e.Viewport.Caret.Bottom, e.Viewport.Caret.Top);
    e->HideDropPoint();
    EXPECT_FALSE(e.Viewport.CaretShown);
    // Above the text the row above the top one is taken, so the view scrolls up a row at a time.
    e->SetTopRow(1);
    e->ShowDropPoint(p.X, 0);
    EXPECT_EQ(e->Row(), 0);
}

TEST(EditorMouse, TheSelectionIsThePrimarySelectionAndAMiddleClickPastesIt)
{
    MouseEditor e("abcdef\r\nghij\r\n");
    // Selecting offers the selection; its text is asked for only when a program pastes it.
    Press(*e, At(*e, 0, 1));
    Move(*e, At(*e, 0, 4));
    Release(*e, At(*e, 0, 4));
    EXPECT_EQ(e.Clipboard.PrimaryOwner, e.Editor.get());
    EXPECT_EQ(e.Clipboard.PrimarySelectionText(), "bcd");
    e->CleanSelection();  // the selection goes: its text stays pasteable
    EXPECT_FALSE(e->SelectionShown());
    EXPECT_EQ(e.Clipboard.PrimarySelectionText(), "bcd");

    // A middle click pastes at its point, as one undo step; the caret goes after the text.
    e->MouseDown(mbMiddle, 0, At(*e, 1, 1).X, At(*e, 1, 1).Y);
    EXPECT_EQ(Content(*e), "abcdef\r\ngbcdhij\r\n");
    EXPECT_EQ(e->Row(), 1);
    EXPECT_EQ(e->Col(), 4);
    e->Undo();
    EXPECT_EQ(Content(*e), "abcdef\r\nghij\r\n");

    // Another program's selection (a line end in it) goes in the same way, the characters its
    // conversion lost told first; a read-only text takes none.
    std::vector<std::size_t> told;
    e->OnPasteLost = [&](TObject*, std::size_t Count) { told.push_back(Count); };
    e.Clipboard.PrimaryLost = 2;
    e.Clipboard.OfferPrimarySelection(nullptr, [] { return std::string("x\r\ny"); });
    e->MouseDown(mbMiddle, 0, At(*e, 0, 0).X, At(*e, 0, 0).Y);
    EXPECT_EQ(Content(*e), "x\r\nyabcdef\r\nghij\r\n");
    EXPECT_EQ(told, std::vector<std::size_t>{2});
    e->SetReadOnly(true);
    e->MouseDown(mbMiddle, 0, At(*e, 0, 0).X, At(*e, 0, 0).Y);
    EXPECT_EQ(Content(*e), "x\r\nyabcdef\r\nghij\r\n");
}

} // namespace
} // namespace qx::test
