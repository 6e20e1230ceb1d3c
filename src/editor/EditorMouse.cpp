// TEditor: the mouse: placing the caret, selecting (also whole rows from the left margin), the cursor
// shapes over the parts of the control, dragging the selection to move or copy it, double clicks and
// the wheel. The host forwards every mouse event here.
//
// A press inside a movable selection starts a possible drag (state 1); it becomes a drag (state 2)
// once the mouse has gone half a column from the press point, and a release drops the text where the
// caret then stands. While a drag may start, mouse moves do not select: the button is still down,
// but the press belongs to the drag. The owner sees every move of a drag and its drop first, so that
// a text can be dragged to another view of it (the other pane of a split window).
//
// A click is a press and release that did not move half a column, without Shift; the press of a double
// click makes none (the desktop sends it before the double click, which then cancels it).

#include "editor/EditorControl.h"

#include "editor/FountainParser.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace qx {

namespace {

// Virtual-key codes the drag listens to.
constexpr int VkControl = 0x11;
constexpr int VkEscape = 0x1B;

constexpr int WheelNotch = 120;

} // namespace

// ---------------------------------------------------------------------------------------------------
// Positions

void TEditor::MousePos(int X, int Y, bool Centre, int& ARow, int& ACol) const
{
    PosToRowCol(X, Y, Centre, ACol, ARow);
    if (Y < TextAreaTop()) ARow = std::max(0, FTopRow - 1);
}

bool TEditor::MovedFromPress(int X, int Y) const
{
    const int threshold = FColWidth / 2;
    return std::abs(X - FPressPoint.X) >= threshold || std::abs(Y - FPressPoint.Y) >= threshold;
}

void TEditor::FollowDropPoint(int X, int Y)
{
    int row = 0, col = 0;
    MousePos(X, Y, false, row, col);
    SetRowCol(row, col);
}

void TEditor::ShowDropPoint(int X, int Y)
{
    FollowDropPoint(X, Y);
    FDropPointShown = true;
    if (!FViewport || Focused()) return;  // the control's own caret shows it
    // A plain bar, whatever the caret's style: it marks a place between characters.
    const int x = TextAreaLeft() + (FCol - FTopCol) * FColWidth;
    const int y = TextAreaTop() + RowHeight() * (FRow - FTopRow);
    FViewport->SetCaret({x, y, x + 2, y + FFontHeight}, true);
}

void TEditor::HideDropPoint()
{
    if (!FDropPointShown) return;
    FDropPointShown = false;
    if (FViewport && !Focused()) FViewport->SetCaret(CaretRect(), false);
}

// ---------------------------------------------------------------------------------------------------
// Cursor kinds and the drag's operations

void TEditor::SetCursorKind(int Kind)
{
    if (Kind == FCursorKind) return;
    FCursorKind = static_cast<std::uint8_t>(Kind);
    if (FCaret->AutoCursor()) RestoreCursor();
}

void TEditor::RestoreCursor()
{
    if (!FViewport) return;
    const TEditorCursors& cursors = FCaret->Cursors();
    const TCursor shapes[] = {cursors.DefaultCursor, cursors.LeftMarginCursor, cursors.TopMarginCursor,
                              cursors.InSelCursor,   cursors.DragSelCursor,    cursors.DragSelCopyCursor};
    // Without the automatic cursor the area never changes it: the default one stands.
    const int kind = FCaret->AutoCursor() ? FCursorKind : 0;
    if (kind < 6) FViewport->SetCursor(shapes[kind]);
}

bool TEditor::CanSelMove() const
{
    return !FReadOnly && FSelectionState == 2 && FSelectionMode == smLine && FCaret->SelMove();
}

void TEditor::CopySelectionTo(int ARow, int ACol)
{
    if (!CanSelMove() || IsInSelection(ARow, ACol)) {
        CleanSelection();
        return;
    }
    const std::string text = SelText();
    CleanSelection();
    SetRowCol(ARow, ACol);
    ReplaceSelection(text);
}

void TEditor::DropSelection(int ARow, int ACol)
{
    if (!CanSelMove() || IsInSelection(ARow, ACol) || FList->Count() == 0) {
        CleanSelection();
        return;
    }
    const int count = FList->Count();
    // The row after the text's final line end is the end of the text.
    const bool pastEnd = ARow >= count;
    const int targetRow = pastEnd ? count - 1 : std::max(0, ARow);
    // A target right of the row's end is reached by spaces.
    const int pad = pastEnd ? ACol : std::max(0, ACol - DisplayWidth(FList->Get(targetRow)));
    const std::int64_t target = pastEnd ? TextLength() : FList->CharIndexOfRow(targetRow) + ColToByte(targetRow, ACol);
    const std::int64_t start = SelStart();
    const std::string moved = SelText();
    const std::int64_t length = static_cast<std::int64_t>(moved.size());

    // One edit over the rows from the earlier place to the later one: the row store re-wraps them
    // and records one undo step.
    const int firstRow = std::min(FByteSelection.StartRow, targetRow);
    const int fromRow = std::max(FList->LineStartRow(firstRow), firstRow - 1);
    const int lastRow = std::min(std::max(FByteSelection.EndRow, targetRow), count - 1);
    const std::string region = FList->GetRowsText(fromRow, lastRow - fromRow + 1).Text;
    const std::int64_t base = FList->CharIndexOfRow(fromRow);
    const auto a = static_cast<std::size_t>(start - base);
    const auto b = a + static_cast<std::size_t>(length);
    const auto t = static_cast<std::size_t>(target - base);
    const std::string spaces(static_cast<std::size_t>(pad), ' ');
    std::string text;
    text.reserve(region.size() + spaces.size());
    std::int64_t caret = 0;
    if (t <= a) {
        text.append(region, 0, t).append(spaces).append(moved).append(region, t, a - t).append(region, b);
        caret = static_cast<std::int64_t>(t + spaces.size()) + length;
    } else {
        text.append(region, 0, a).append(region, b, t - b).append(spaces).append(moved).append(region, t);
        caret = static_cast<std::int64_t>(t - static_cast<std::size_t>(length) + spaces.size()) + length;
    }
    BeginEdit();
    CleanSelection();
    FList->UpdateText(fromRow, lastRow - fromRow + 1, text);
    CaretToOffset(fromRow, caret);
    EndEdit();
}

void TEditor::CancelDrag()
{
    const bool dragging = FDragState != 0;
    FDragState = 0;
    SetCursorKind(0);
    CleanSelection();
    if (dragging && OnEndDrag) OnEndDrag(this);
}

bool TEditor::DragKey(int Key, bool Down)
{
    if (FDragState != 2 && !FLeftButtonDown) return false;
    if (Key == VkControl) {
        if (FDragState == 2) SetCursorKind(Down ? 5 : 4);
        return true;
    }
    if (Key == VkEscape) {
        if (Down) CancelDrag();
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------------
// Button and moves

void TEditor::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FViewport && !FViewport->Focused()) FViewport->SetFocus();
    if (Button == mbLeft) FLeftPressed = true;
    if (Button == mbLeft && FDragState == 0) {
        int row = 0, col = 0;
        FClickPending = !(Shift & ssShift);
        if (!(Shift & ssShift)) {
            FPressPoint = {X, Y};
            PosToRowCol(X, Y, false, col, row);
            if (CanSelMove() && X >= TextAreaLeft() && Y >= TextAreaTop() && IsInSelection(row, col)) {
                // A press on the selection: the caret goes there and a drag may start.
                SetRowCol(row, col);
                if (FCaret->SelDragMode() == dmAutomatic) BeginSelectionDrag(Shift, X, Y);
                if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
                return;
            }
            FLeftButtonDown = true;
            PosToRowCol(X, Y, true, col, row);
            if (X < TextAreaLeft() && FCaret->RowSelect()) {
                SelectRow(row);
            } else {
                BeginCaretUpdate();
                SetRowCol(row, col);
                StartSelection();
                EndCaretUpdate();
            }
        } else {
            FLeftButtonDown = true;
            if (!SelectionShown()) StartSelection();
            PosToRowCol(X, Y, true, col, row);
            SetRowCol(row, col);
            UpdateSelection();
        }
    }
    // The desktop's convention: a middle click on the text pastes the primary selection there.
    if (Button == mbMiddle && X >= TextAreaLeft() && Y >= TextAreaTop()) PastePrimarySelection(X, Y);
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TEditor::BeginSelectionDrag(TShiftState Shift, int X, int Y)
{
    // The release ends the press's own handling; the press may still become a click.
    const bool pending = std::exchange(FClickPending, false);
    MouseUp(mbLeft, Shift, X, Y);
    FClickPending = pending;
    FDragState = 1;
}

void TEditor::MouseMove(TShiftState Shift, int X, int Y)
{
    int row = 0, col = 0;
    if (FClickPending && MovedFromPress(X, Y)) FClickPending = false;
    if (FDragState == 1 && MovedFromPress(X, Y)) {
        FDragState = 2;
        SetCursorKind(Shift & ssCtrl ? 5 : 4);
    }
    if (FDragState == 2) {
        // The caret shows where the text would go, unless the owner shows it in another view.
        bool handled = false;
        if (OnDragOver) OnDragOver(this, Shift, X, Y, handled);
        if (!handled) FollowDropPoint(X, Y);
    } else if (FDragState == 1) {
        // Not yet a drag; no selecting either, the press belongs to the drag.
    } else if ((Shift & ssLeft) && FLeftButtonDown) {
        MousePos(X, Y, true, row, col);
        if (FRowSelectMode) {
            ExtendRowSelection(row);
        } else {
            SetRowCol(row, col);
            if (!SelectionShown()) {
                if (MovedFromPress(X, Y)) ShowSelection();
            } else {
                ComputeSelection();
            }
        }
    } else if (!(Shift & (ssLeft | ssRight | ssMiddle))) {
        int kind = 0;
        if (X < TextAreaLeft()) {
            kind = 1;
        } else if (Y < TextAreaTop()) {
            kind = 2;
        } else if (CanSelMove()) {
            PosToRowCol(X, Y, false, col, row);
            if (IsInSelection(row, col)) kind = 3;
        }
        SetCursorKind(kind);
    }
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TEditor::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
    if (Button != mbLeft) return;
    FLeftButtonDown = false;
    FLeftPressed = false;
    const bool inside = FViewport && X >= 0 && Y >= 0 && X < FViewport->ClientWidth() && Y < FViewport->ClientHeight();
    const bool click = std::exchange(FClickPending, false) && inside;
    if (FDragState == 2) {
        FDragState = 0;
        bool handled = false;
        if (OnDragDrop) OnDragDrop(this, Shift, X, Y, handled);
        if (!handled && inside && !IsInSelection(FRow, FCol)) {
            if (Shift & ssCtrl)
                CopySelectionTo(FRow, FCol);
            else
                DropSelection(FRow, FCol);
        } else if (!handled) {
            CleanSelection();
        }
        if (OnEndDrag) OnEndDrag(this);
    } else if (FDragState == 1) {
        CancelDrag();
    } else {
        FRowSelectMode = 0;
    }
    if (click && OnClick) OnClick(this);
}

void TEditor::DblClick(TShiftState Shift, int X, int Y)
{
    (void)Shift;
    if (FDragState == 2) return;
    FDragState = 0;
    FClickPending = false;
    FPressPoint = {X, Y};
    // A link of the fountain is taken whole; anything else as a plain word.
    const TPoint at{X, Y};
    const int kind = TokenKindAt(at);
    if (kind == toUrl || kind == toMail || kind == toFile)
        SelectTokenAtPos(at);
    else
        SelectWordAtPos(at);
    if (OnDblClick) OnDblClick(this);
}

bool TEditor::MouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled) return true;
    // A notch scrolls the desktop's number of rows; finer wheels add up to it.
    FWheelRest += WheelDelta * (FViewport ? FViewport->WheelScrollLines() : 3);
    const int rows = FWheelRest / WheelNotch;
    FWheelRest -= rows * WheelNotch;
    if (rows != 0) VScroll(SB_THUMBPOSITION, FTopRow - rows);
    return true;
}

} // namespace qx
