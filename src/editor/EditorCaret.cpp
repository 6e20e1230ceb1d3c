// TEditor: metrics, scroll bars, scrolling, the caret's shape and place, and the rules that keep the
// caret column on legal cells.

#include "editor/EditorControl.h"

#include "editor/Fountain.h"

#include <algorithm>

namespace qx {

// ---------------------------------------------------------------------------------------------------
// Metrics

void TEditor::UpdateMetrics()
{
    if (!FViewport) return;
    const TFontMetrics m = FViewport->MeasureFont(FFont);
    FFontHeight = m.Height + m.ExternalLeading;
    FColWidth = FMargin->Character() + m.AveCharWidth;
    TFountain* fountain = ActiveFountain();
    FItalic = FFont.Style.Contains(fsItalic) || (fountain && fountain->HasItalic(fountain));
    UpdateRulerHeight();
    if (FLeftbar->Visible()) UpdateLeftbarDigits();
    UpdateLeftbarWidth();
    UpdateImagebarWidth();

    const bool hBar = FScrollBars == ssHorizontal || FScrollBars == ssBoth;
    const bool vBar = FScrollBars == ssVertical || FScrollBars == ssBoth;
    const int rowHeight = RowHeight();
    const int height = FViewport->ClientHeight() - TextAreaTop() - 5 - (hBar ? FViewport->ScrollBarExtent() : 0);
    FVisibleRows = rowHeight > 0 ? std::max(1, height / rowHeight) : 1;
    // A pane narrower than one column still shows one: the scroll range never turns round.
    const int width = FViewport->ClientWidth() - TextAreaLeft() - FColWidth / 2 - (vBar ? FViewport->ScrollBarExtent() : 0);
    FVisibleCols = FColWidth > 0 ? std::max(1, width / FColWidth) : 1;

    FPaintStyle.Font = FFont;
    FPaintStyle.Background = FColor;
    FPaintStyle.CellWidth = FColWidth;
}

// ---------------------------------------------------------------------------------------------------
// Scroll bars and scrolling

int TEditor::MaxTopRow() const
{
    const int count = FList->Count();
    return FTopEOF ? std::max(0, count + FVisibleRows - 1) : std::max(0, count);
}

int TEditor::TopRowLimit() const
{
    const int count = FList->Count();
    return FTopEOF ? count : std::max(0, count - FVisibleRows + 1);
}

void TEditor::UpdateScrollBars()
{
    if (!FViewport) return;
    const int maxTop = MaxTopRow();
    // A text that shrank below the view (or a window grown taller) brings the top back to where
    // SetTopRow and the bar can reach, and the view shows it.
    if (FTopRow > TopRowLimit()) {
        FTopRow = TopRowLimit();
        Invalidate();
    }
    FTopCol = std::max(0, std::min(FTopCol, MaxColumn - FVisibleCols / 2));
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        FViewport->SetScrollBar(TScrollBarKind::Vertical, 0, std::max(FVisibleRows, maxTop), FVisibleRows, FTopRow);
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
        FViewport->SetScrollBar(TScrollBarKind::Horizontal, 0, FVisibleCols / 2 + MaxColumn, FVisibleCols, FTopCol);
}

void TEditor::ScrollText(int DX, int DY, const TRect& ScrollRect)
{
    if (!FViewport) return;
    BeginCaretUpdate();
    FViewport->ScrollRect(DX, DY, ScrollRect);
    EndCaretUpdate();
}

void TEditor::SetTopRow(int Value)
{
    Value = std::max(0, std::min(Value, TopRowLimit()));
    const int delta = FTopRow - Value;
    FTopRow = Value;
    if (!FViewport || delta == 0) return;
    const int rows = std::max(-(FVisibleRows + 1), std::min(delta, FVisibleRows + 1));
    ScrollText(0, rows * RowHeight(), {0, TextAreaTop(), FViewport->ClientWidth(), FViewport->ClientHeight()});
    FViewport->SetScrollPos(TScrollBarKind::Vertical, FTopRow);
    UpdateImeWindow();
    DoTopRowChange();
}

void TEditor::SetTopCol(int Value)
{
    if (!FViewport) {
        FTopCol = std::max(0, std::min(Value, MaxColumn - FVisibleCols / 2));
        return;
    }
    EraseRulerMark(FCol);
    BeginCaretUpdate();
    Value = std::max(0, std::min(Value, MaxColumn - FVisibleCols / 2));
    const int delta = FTopCol - Value;
    FTopCol = Value;
    if (FColWidth * delta != 0) {
        ScrollText(FColWidth * delta, 0, {TextAreaLeft(), 0, FViewport->ClientWidth(), FViewport->ClientHeight()});
        FViewport->SetScrollPos(TScrollBarKind::Horizontal, FTopCol);
        UpdateImeWindow();
        DoTopColChange();
    }
    EndCaretUpdate();
    DrawRulerMark(FCol);
    DrawWrapLine();
}

void TEditor::ScrollRowsKeepCaret(int N)
{
    if (FTopRow == 0 && N < 0) {
        SetRow(0);
        return;
    }
    if (N > 0 && RowAttribute(FTopRow) == raEof) return;
    const int oldTop = FTopRow;
    const int oldRow = FRow;
    BeginCaretUpdate();
    SetTopRow(std::max(0, std::min(FTopRow + N, FList->Count())));
    if (FList->Count() - 1 <= N + oldTop)
        SetRow(FList->Count());
    else
        SetRow(FTopRow + (oldRow - oldTop));
    EndCaretUpdate();
}

int TEditor::ScrollStep(TScrollCode Code, int Pos, int Current, int Page, int Max)
{
    int step = 0;
    switch (Code) {
    case SB_LINEUP: step = -1; break;
    case SB_LINEDOWN: step = 1; break;
    case SB_PAGEUP: step = -std::max(1, Page); break;
    case SB_PAGEDOWN: step = std::max(1, Page); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: step = Pos - Current; break;
    case SB_TOP: step = -Current; break;
    case SB_BOTTOM: step = Max - Current; break;
    default: return 0;
    }
    return std::max(-Current, std::min(step, Max - Current));
}

void TEditor::VScroll(TScrollCode Code, int Pos)
{
    int step = ScrollStep(Code, Pos, FTopRow, FVisibleRows, MaxTopRow());
    if (!FTopEOF && step > 0 && FList->Count() - FTopRow < FVisibleRows) step = 0;
    if (step == 0) return;
    SetTopRow(FTopRow + step);
    if (FCaret->LockScroll()) SetRow(FRow + step);
}

void TEditor::HScroll(TScrollCode Code, int Pos)
{
    // The horizontal position travels in 16 bits.
    const int step = ScrollStep(Code, Pos & 0xFFFF, FTopCol, FVisibleCols, FVisibleCols / 2 + MaxColumn);
    if (step != 0) SetTopCol(FTopCol + step);
}

void TEditor::ScrollTextRows(int FromRow, int N)
{
    if (!FViewport) return;
    const int from = std::max(0, std::min(FromRow - FTopRow, FVisibleRows));
    N = std::max(-(FVisibleRows + 1), std::min(N, FVisibleRows + 1));
    const int top = TextAreaTop() + from * RowHeight();
    ScrollText(0, N * RowHeight(), {TextAreaLeft(), top, FViewport->ClientWidth(), FViewport->ClientHeight()});
}

void TEditor::ScrollImagebarRows(int FromRow, int N)
{
    if (!FViewport || !FImagebar->Visible()) return;
    const int from = std::max(0, std::min(FromRow - FTopRow, FVisibleRows));
    N = std::max(-(FVisibleRows + 1), std::min(N, FVisibleRows + 1));
    const int top = TextAreaTop() + from * RowHeight();
    ScrollText(0, N * RowHeight(), {0, top, FImagebarWidth, FViewport->ClientHeight()});
}

void TEditor::PosToRowCol(int X, int Y, bool Centre, int& ACol, int& ARow) const
{
    const int w = std::max(1, FColWidth);
    const int left = TextAreaLeft();
    if (X < left) X -= w - 1;  // the division then floors
    ACol = Centre ? std::max(0, (X + w / 2 - 1 - left) / w + FTopCol) : std::max(0, (X - left) / w + FTopCol);
    const int h = std::max(1, RowHeight());
    int dy = Y - TextAreaTop();
    if (dy < 0) dy -= h - 1;
    ARow = dy / h + FTopRow;
}

// ---------------------------------------------------------------------------------------------------
// Caret position

std::string TEditor::CaretRowAttributes() const
{
    if (FRow < 0 || FRow >= FList->Count()) return {};
    TRowLayout layout;
    layout.Delimiters = FDelimiters;
    layout.TabSpaceCount = FCaret->TabSpaceCount();
    layout.WordWrap = FList->WordWrap();
    layout.WrapByte = FList->WrapOption().WrapByte();
    return RowAttributeString(FList->Get(FRow), layout);
}

void TEditor::SetRow(int Value)
{
    const int count = FList->Count();
    if (Value == FRow && FRow < count) return;
    HideRowMarker(FRow);
    HideUnderline();
    FRow = std::max(0, std::min(Value, count));
    if (FRow == count && count > 0 && FList->RowAttributes(count - 1) == raEof) FRow = count - 1;
    const int oldCol = FCol;
    AdjustCol(true, -1);
    if (FCol != oldCol) {
        EraseRulerMark(oldCol);
        DrawRulerMark(FCol);
    }
    DrawRowMarker(FRow);
    ShowUnderline();
    DoCaretMoved();
}

void TEditor::SetCol(int Value)
{
    Value = std::max(0, std::min(Value, MaxColumn + 1));
    EraseRulerMark(FCol);
    const int direction = Value > FCol ? 1 : -1;
    FCol = Value;
    AdjustCol(false, direction);
    DrawRulerMark(FCol);
}

void TEditor::SetRowCol(int ARow, int ACol)
{
    if (ARow == FRow && ACol == FCol) return;
    ++FCaretLock;
    SetRow(ARow);
    EraseRulerMark(FCol);
    FCol = std::max(0, std::min(ACol, MaxColumn + 1));
    AdjustCol(false, -1);
    DrawRulerMark(FCol);
    --FCaretLock;
    if (FCaretLock == 0) RecreateCaret();
}

void TEditor::AdjustCol(bool Vertical, int Direction)
{
    const std::string attrs = CaretRowAttributes();
    const int length = static_cast<int>(attrs.size());
    const auto attr = [&](int c) { return c >= 0 && c < length ? attrs[static_cast<std::size_t>(c)] : '0'; };
    const auto remember = [&](int c) {
        FRememberedCol = c;
        FColRemembered = true;
    };
    const auto offHalves = [&](int direction) {
        if (attr(FCol) == '5') FCol += direction;
        if (!FCaret->InTab())
            while (attr(FCol) == '3') FCol += direction;
    };

    if (!Vertical)
        FColRemembered = false;
    else if (FColRemembered)
        FCol = FRememberedCol;

    // A vertical move that cannot keep its column remembers it; a move along the row puts the caret
    // where it shows, and its column is the one to keep.
    if (!FCaret->FreeCaret() && FCol > length) {
        if (FCaret->KeepCaret() && Vertical) remember(FLeftButtonDown ? length : FCol);
        if (!(FCaret->FreeRow() && Vertical && !FLeftButtonDown)) FCol = length;
    }
    if (attr(FCol) == '5') {
        if (Vertical) remember(FCol);
        FCol += Direction;
    }
    if (!FCaret->InTab() && attr(FCol) == '3') {
        if (Vertical && !FColRemembered) remember(FCol);
        while (attr(FCol) == '3') FCol += Direction;
    }
    if (FList->WordWrap() && FCol >= length && FRow < FList->Count()) {
        remember(FCol);
        const int rowAttr = FList->RowAttributes(FRow);
        const int wrapByte = FList->WrapOption().WrapByte();
        if (rowAttr != raWrapped) {
            if (wrapByte <= FCol) FCol = std::max(length, wrapByte - 1);
        } else {
            FCol = length - 1;
        }
        offHalves(-1);
    }
    // Past the last column only right after a double-byte character drawn across it.
    if (FCol > MaxColumn && !(FCol == MaxColumn + 1 && attr(MaxColumn - 1) == '4')) FCol = MaxColumn;
    FCol = std::max(0, FCol);
    if (FCaretLock == 0) RecreateCaret();
}

void TEditor::CaretToOffset(int FromRow, std::int64_t Offset)
{
    // The row comes from the row store's index of character offsets (a line end counts 2), not from a
    // walk over the rows: a paste or a select-all of a large text costs no walk over it.
    const int count = FList->Count();
    const int from = std::max(0, FromRow);
    if (from >= count) {
        SetRowCol(count, RowDisplayWidth(count));
        return;
    }
    const std::int64_t target = FList->CharIndexOfRow(from) + std::max<std::int64_t>(0, Offset);
    int row = FList->RowOfCharIndex(target);
    if (row >= count) {
        // Past the text: the end of a last row without a line end, or the row after one that has one.
        if (FList->RowAttributes(count - 1) != raEof) {
            SetRowCol(count, RowDisplayWidth(count));
            return;
        }
        row = count - 1;
    }
    const std::string_view text = FList->Get(row);
    const std::int64_t left = target - FList->CharIndexOfRow(row);
    const std::size_t bytes = static_cast<std::size_t>(std::min<std::int64_t>(left, static_cast<std::int64_t>(text.size())));
    SetRowCol(row, std::min(DisplayWidth(text.substr(0, bytes)), DisplayWidth(text)));
}

// ---------------------------------------------------------------------------------------------------
// The caret

bool TEditor::Focused() const { return FViewport && FViewport->Focused(); }

void TEditor::SetOverWrite(bool Value)
{
    if (FOverWrite == Value) return;
    FOverWrite = Value;
    RecreateCaret();
}

void TEditor::BeginCaretUpdate()
{
    if (FCaretUpdateCount++ == 0 && FViewport && Focused()) HideCaret();
}

void TEditor::EndCaretUpdate()
{
    if (FCaretUpdateCount == 0) return;
    if (--FCaretUpdateCount == 0 && FViewport && Focused()) ShowCaret();
}

void TEditor::HideCaret()
{
    FCaretVisible = false;
    SetEditorCaretPos();
}

void TEditor::ShowCaret()
{
    if (FCaretUpdateCount > 0) return;
    FCaretVisible = true;
    SetEditorCaretPos();
}

bool TEditor::CaretOutOfView() const
{
    return FRow < FTopRow || FRow > FTopRow + FVisibleRows || FCol < FTopCol || FCol > FTopCol + FVisibleCols;
}

void TEditor::CreateCaretShape()
{
    if (!FViewport || !Focused()) return;
    const std::string attrs = CaretRowAttributes();
    const bool wide = FCol >= 0 && FCol < static_cast<int>(attrs.size()) && attrs[static_cast<std::size_t>(FCol)] == '4';
    const int base = (FColWidth - FMargin->Character()) * (wide ? 2 : 1);
    int width = base, height = FFontHeight;
    if (!FOverWrite) {
        switch (FCaret->Style()) {
        case csDefault: width = 2; break;
        case csBrief: height = 2; break;
        case csDos: height = FFontHeight / 2; break;
        }
    }
    FCaretShape = {0, 0, width, height};
    FCaretCreated = true;
    FCaretVisible = false;  // a new caret is hidden until shown
}

void TEditor::CaretPosition(int& X, int& Y) const
{
    X = TextAreaLeft() + (FCol - FTopCol) * FColWidth;
    const int top = TextAreaTop() + RowHeight() * (FRow - FTopRow);
    Y = top;
    if (!FOverWrite) {
        if (FCaret->Style() == csBrief) Y = top + FFontHeight - 2;
        if (FCaret->Style() == csDos) Y = top + FFontHeight - FFontHeight / 2;
    }
}

TRect TEditor::CaretRect() const
{
    int x, y;
    CaretPosition(x, y);
    return {x, y, x + FCaretShape.Width(), y + FCaretShape.Height()};
}

void TEditor::SetCaretShown(bool Shown)
{
    if (!FViewport) return;
    FViewport->SetCaret(CaretRect(), Shown);
}

void TEditor::SetEditorCaretPos()
{
    if (!FViewport || !Focused()) return;
    SetCaretShown(FCaretCreated && FCaretVisible && FCaretBlinkOn);
    UpdateImeWindow();
}

void TEditor::ScrollCaretIntoView()
{
    if (!FViewport || !Focused()) return;
    if (FTopRow > FRow) SetTopRow(FRow);
    if (FRow > FTopRow + FVisibleRows - 1) SetTopRow(FRow - FVisibleRows + 1);
    if (FCol > FTopCol + FVisibleCols - 1)
        SetTopCol(std::min(std::max(FCol - FVisibleCols + 1, FTopCol + FVisibleCols / 4), MaxColumn - FVisibleCols / 2));
    else if (FCol < FTopCol)
        SetTopCol(std::min(FCol, FTopCol - FVisibleCols / 4));
}

void TEditor::RecreateCaret()
{
    if (!FViewport || !Focused()) return;
    // The blink starts anew at each move, so a moving caret is always seen.
    FCaretBlinkOn = true;
    if (FClock) FClock->SetTimer(CaretBlinkTimer, CaretBlinkTime);
    CreateCaretShape();
    ScrollCaretIntoView();
    SetEditorCaretPos();
    ShowCaret();
}

void TEditor::UpdateImeWindow()
{
    if (!FViewport) return;
    const int x = TextAreaLeft() + (FCol - FTopCol) * FColWidth;
    const int y = TextAreaTop() + RowHeight() * (FRow - FTopRow);
    FViewport->SetImeCursor({x, y, x + FColWidth, y + RowHeight()});
    FImePending = false;
}

// ---------------------------------------------------------------------------------------------------
// Window events

void TEditor::Resize()
{
    if (!FViewport) return;
    UpdateMetrics();
    UpdateScrollBars();
    SetEditorCaretPos();
    if (OnResize) OnResize(this);
}

void TEditor::FocusIn()
{
    if (!FViewport) return;
    FCaretBlinkOn = true;
    CreateCaretShape();
    SetEditorCaretPos();
    ShowCaret();
    if (FClock) FClock->SetTimer(CaretBlinkTimer, CaretBlinkTime);
    if (OnEnter) OnEnter(this);
}

void TEditor::FocusOut()
{
    FLeftPressed = false;  // a release that goes to another window ends the press too
    if (FViewport) FViewport->SetCaret(CaretRect(), false);
    FCaretVisible = false;
    FCaretCreated = false;
    if (FClock) FClock->KillTimer(CaretBlinkTimer);
    if (OnExit) OnExit(this);
}

void TEditor::Timer(int Id)
{
    if (Id != CaretBlinkTimer || !FCaretCreated) return;
    FCaretBlinkOn = !FCaretBlinkOn;
    SetEditorCaretPos();
}

} // namespace qx
