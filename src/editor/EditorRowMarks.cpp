// TEditor: row marks (bookmarks 0-9, free marks 10-15), row attributes, the row-to-pixel conversion,
// the wrap guide line and the row markers of the line-number bar.

#include "editor/EditorControl.h"

#include <algorithm>

namespace qx {

namespace {
constexpr int RowMarkCount = 16;
constexpr int UniqueMarks = 10;  // marks below this stand on one row at most
bool ValidMark(int Mark) { return Mark >= 0 && Mark < RowMarkCount; }
} // namespace

int TEditor::RowMarks(int Index) const
{
    if (Index < 0 || Index >= FList->Count()) return 0;
    return FList->RowMarks(Index);
}

void TEditor::SetRowMarks(int Index, int Marks)
{
    if (Index < 0 || Index >= FList->Count() || FList->RowMarks(Index) == Marks) return;
    FList->SetRowMarks(Index, Marks);
    // Every view of the text shows the row's marks.
    for (TEditorView* view : FList->Views()) {
        auto* editor = dynamic_cast<TEditor*>(view);
        if (!editor || !editor->FViewport || !editor->FImagebar->Visible()) continue;
        const int y = editor->RowToClientY(Index);
        if (y >= 0) editor->FViewport->Invalidate({0, y, editor->FImagebarWidth, y + editor->RowHeight()});
    }
}

void TEditor::PutRowMark(int Index, int Mark)
{
    if (!ValidMark(Mark)) return;
    const int bit = 1 << Mark;
    if (Mark < UniqueMarks) {
        const int holder = FindRowMark(Mark);
        if (holder >= 0) {
            SetRowMarks(holder, RowMarks(holder) & ~bit);
            FList->ExcludeMarks(bit);
        }
    }
    if (Index >= 0 && Index < FList->Count()) SetRowMarks(Index, RowMarks(Index) | bit);
}

void TEditor::DeleteRowMark(int Index, int Mark)
{
    if (!ValidMark(Mark) || Index < 0 || Index >= FList->Count()) return;
    SetRowMarks(Index, RowMarks(Index) & ~(1 << Mark));
    if (FindRowMark(Mark) < 0) FList->ExcludeMarks(1 << Mark);
}

void TEditor::GotoRowMark(int Mark)
{
    const int row = FindRowMark(Mark);
    if (row < 0) return;
    if (row < FTopRow || row >= FTopRow + FVisibleRows) SetTopRow(std::max(0, row - FVisibleRows / 2));
    SetRowCol(row, 0);
}

bool TEditor::RowMarkExists(int Mark) const
{
    if (!ValidMark(Mark)) return false;
    return (FList->GetMarksInUse() & (1 << Mark)) != 0;
}

int TEditor::FindRowMark(int Mark) const
{
    if (!RowMarkExists(Mark)) return -1;
    const int bit = 1 << Mark;
    const int count = FList->Count();
    for (int row = 0; row < count; ++row)
        if (FList->RowMarks(row) & bit) return row;
    return -1;
}

int TEditor::RowAttribute(int Row) const
{
    if (Row < 0 || Row >= FList->Count()) return raEof;
    return FList->RowAttributes(Row);
}

int TEditor::RowToClientY(int Row) const
{
    const int y = TextAreaTop() + RowHeight() * (Row - FTopRow);
    const int height = FViewport ? FViewport->ClientHeight() : 0;
    if (y < TextAreaTop() || y >= height) return -1;
    return y;
}

// ---------------------------------------------------------------------------------------------------
// Wrap guide line

void TEditor::DrawWrapLine()
{
    DoDrawWrapLine();
    const TEditorWrapOption& option = FList->WrapOption();
    if (!FViewport || !option.WrapLineVisible() || !FList->WordWrap()) return;
    const int x = option.WrapByte() * FColWidth;
    const int offset = FTopCol * FColWidth;
    if (x < offset) return;
    const int left = TextAreaLeft() + x - offset + 2;
    const int top = TextAreaTop();
    const int bottom = FViewport->ClientHeight();
    DrawOrInvalidate({left, top, left + 1, bottom},
                     [&](TEditorCanvas& Canvas) { Canvas.Line(left, top, left, bottom, option.WrapLineColor()); });
}

void TEditor::HideWrapLine()
{
    DoHideWrapLine();
    const TEditorWrapOption& option = FList->WrapOption();
    if (!FViewport) return;
    const int left = TextAreaLeft() + option.WrapByte() * FColWidth - FTopCol * FColWidth + 2;
    if (left < TextAreaLeft()) return;
    // The next paint pass draws the column without the line when the option says so.
    FViewport->Invalidate({left, TextAreaTop(), left + 1, FViewport->ClientHeight()});
}

// ---------------------------------------------------------------------------------------------------
// Row markers of the line-number bar

void TEditor::DrawRowMarker(int Row)
{
    if (!FViewport || !FLeftbar->Visible() || !FLeftbar->ShowMark()) return;
    const int y = RowToClientY(Row);
    if (y < 0 || Row > FTopRow + FVisibleRows) return;
    const int x0 = FImagebar->Visible() ? FImagebarWidth : 0;
    const TRect left{x0 + 2, y + 1, x0 + FLeftbar->LeftMargin(), y + RowHeight() - 1};
    const TRect right{x0 + FLeftbarWidth - 2 - FLeftbar->RightMargin(), y + 1, x0 + FLeftbarWidth - 2,
                      y + RowHeight() - 1};
    const TColor color = FLeftbar->MarkColor();
    DrawOrInvalidate(left, [&](TEditorCanvas& Canvas) { Canvas.FillRect(left, color); });
    DrawOrInvalidate(right, [&](TEditorCanvas& Canvas) { Canvas.FillRect(right, color); });
}

void TEditor::HideRowMarker(int Row)
{
    // The cell is repainted without the marker: the paint pass marks the caret row only.
    if (!FViewport || !FLeftbar->Visible() || !FLeftbar->ShowMark()) return;
    const int y = RowToClientY(Row);
    if (y < 0) return;
    const int x0 = FImagebar->Visible() ? FImagebarWidth : 0;
    FViewport->Invalidate({x0, y, x0 + FLeftbarWidth, y + RowHeight()});
}

} // namespace qx
