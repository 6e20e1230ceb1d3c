// TEditor: the selection (normal and box), the search hit shown as a selection, and selection
// changes. The selection is kept twice: in display columns (FSelection, which the painter reads) and
// in bytes (FByteSelection, which the editing code reads). The anchor stays where the selection
// started; the caret is its other end.

#include "editor/EditorControl.h"

#include "editor/EditorUtils.h"

#include <algorithm>
#include <climits>

namespace qx {

// ---------------------------------------------------------------------------------------------------
// Columns and bytes

std::string TEditor::TextColumns(std::string_view S) const
{
    TRowLayout layout;
    layout.Delimiters = FDelimiters;
    layout.TabSpaceCount = FCaret->TabSpaceCount();
    layout.WordWrap = FList->WordWrap();
    layout.WrapByte = FList->WrapOption().WrapByte();
    return RowAttributeString(S, layout);
}

std::string TEditor::RowColumns(int ARow) const
{
    if (ARow < 0 || ARow >= FList->Count()) return {};
    return TextColumns(FList->Get(ARow));
}

int TEditor::CellStart(const std::string& Columns, int ACol)
{
    const int size = static_cast<int>(Columns.size());
    if (ACol <= 0 || ACol >= size) return std::max(0, ACol);
    while (ACol > 0 && Columns[static_cast<std::size_t>(ACol)] == '3') --ACol;
    if (Columns[static_cast<std::size_t>(ACol)] == '5') --ACol;
    return ACol;
}

int TEditor::CellEnd(const std::string& Columns, int ACol)
{
    const int size = static_cast<int>(Columns.size());
    if (ACol <= 0 || ACol >= size) return std::max(0, ACol);
    if (Columns[static_cast<std::size_t>(ACol - 1)] == '4') ++ACol;
    while (ACol < size && Columns[static_cast<std::size_t>(ACol)] == '3') ++ACol;
    return ACol;
}

int TEditor::ColumnToByte(const std::string& Columns, int Length, int ACol)
{
    const int size = static_cast<int>(Columns.size());
    const int within = std::clamp(ACol, 0, size);
    const int padding = static_cast<int>(std::count(Columns.begin(), Columns.begin() + within, '3'));
    return std::clamp(ACol - padding, 0, Length);
}

int TEditor::ColToByte(int ARow, int ACol) const
{
    if (ARow < 0 || ARow >= FList->Count()) return 0;
    return ColumnToByte(RowColumns(ARow), static_cast<int>(FList->Get(ARow).size()), ACol);
}

void TEditor::BoxBytes(int ARow, int Left, int Right, int& From, int& To) const
{
    const std::string columns = RowColumns(ARow);
    const int length = ARow < FList->Count() ? static_cast<int>(FList->Get(ARow).size()) : 0;
    From = ColumnToByte(columns, length, CellStart(columns, Left));
    To = std::max(From, ColumnToByte(columns, length, CellEnd(columns, Right)));
}

// ---------------------------------------------------------------------------------------------------
// States

void TEditor::SetAnchor(int ARow, int ACol)
{
    FAnchorRow = ARow;
    FAnchorByte = ColToByte(ARow, ACol);
    FAnchorCol = FSelectionMode == smBox ? ACol : std::min(ACol, RowDisplayWidth(ARow));
}

void TEditor::StartSelection()
{
    if (FList->Count() == 0) return;
    CleanSelection();
    FSelectionState = 1;
    SetAnchor(FRow, FCol);
    FSelection = {FAnchorRow, FAnchorCol, FAnchorRow, FAnchorCol};
    FByteSelection = {FAnchorRow, FAnchorByte, FAnchorRow, FAnchorByte - 1};
    FPaintedSelection = FSelection;
}

void TEditor::ShowSelection()
{
    if (FSelectionState != 1) return;
    HideUnderline();
    FSelectionState = FSearchHit ? 3 : 2;
    ComputeSelection();
}

void TEditor::UpdateSelection()
{
    if (FSelectionState == 1)
        ShowSelection();
    else if (FSelectionState == 2)
        ComputeSelection();
}

void TEditor::ComputeSelection()
{
    if (!SelectionShown()) return;
    const int c = ColToByte(FRow, FCol);
    const int firstRow = std::min(FAnchorRow, FRow), lastRow = std::max(FAnchorRow, FRow);
    const bool anchorFirst = FAnchorRow < FRow || (FAnchorRow == FRow && c > FAnchorByte);
    FByteSelection = anchorFirst ? TSelectionBounds{firstRow, FAnchorByte, lastRow, c - 1}
                                 : TSelectionBounds{firstRow, c, lastRow, FAnchorByte - 1};

    TSelectionBounds display{firstRow, 0, lastRow, 0};
    if (FSelectionMode == smBox) {
        display.StartCol = std::min(FAnchorCol, FCol);
        display.EndCol = std::max(FAnchorCol, FCol);
    } else if (FAnchorRow == FRow) {
        const int width = RowDisplayWidth(FRow);
        display.StartCol = std::min(std::min(FAnchorCol, FCol), width);
        display.EndCol = std::min(std::max(FAnchorCol, FCol), width);
    } else if (FAnchorRow > FRow) {
        display.StartCol = std::min(FCol, RowDisplayWidth(FRow));
        display.EndCol = std::min(FAnchorCol, RowDisplayWidth(FAnchorRow));
    } else {
        display.StartCol = std::min(FAnchorCol, RowDisplayWidth(FAnchorRow));
        display.EndCol = std::min(FCol, RowDisplayWidth(FRow));
    }
    FSelection = display;
    if (FSelectionState == 2 || FHitStyle == hsDraw) {
        BeginCaretUpdate();
        RepaintSelectionChange(FPaintedSelection, true);
        EndCaretUpdate();
    }
    FPaintedSelection = FSelection;
    OfferPrimarySelection();
    DoSelectionChange(FSelectionState != 0);
}

namespace {

// The display columns [From, To) of a row that a selection record covers; {0, 0} for none.
std::pair<int, int> RowSpan(const TSelectionBounds& S, bool Box, int Row)
{
    if (Row < S.StartRow || Row > S.EndRow) return {0, 0};
    std::pair<int, int> span{0, INT_MAX};
    if (Box || S.StartRow == S.EndRow)
        span = {S.StartCol, S.EndCol};
    else if (Row == S.StartRow)
        span.first = S.StartCol;
    else if (Row == S.EndRow)
        span.second = S.EndCol;
    return span.first < span.second ? span : std::pair<int, int>{0, 0};
}

} // namespace

void TEditor::RepaintSelectionChange(const TSelectionBounds& Old, bool OldShown)
{
    if (!FViewport) return;
    const bool box = FSelectionMode == smBox;
    const int first = std::max(FTopRow, std::min(Old.StartRow, FSelection.StartRow));
    const int last = std::min(FTopRow + FVisibleRows, std::max(Old.EndRow, FSelection.EndRow));
    for (int r = first; r <= last; ++r) {
        const auto before = OldShown ? RowSpan(Old, box, r) : std::pair<int, int>{0, 0};
        if (before != RowSpan(FSelection, box, r)) InvalidateRow(r);
    }
}

void TEditor::CleanSelection()
{
    FHitLength = 0;
    if (!SelectionShown()) {
        FSelectionState = 0;
        return;
    }
    // The desktop may still paste the selection that goes: it keeps its text now, while it is there.
    if (FClipboard && FSelectionState == 2) FClipboard->KeepPrimarySelection(this);
    FSelectionState = 0;
    const TSelectionBounds& s = FSelection;
    if (s.StartRow != s.EndRow || s.StartCol != s.EndCol) InvalidateRows(std::max(0, s.StartRow - 1), s.EndRow + 1);
    ShowUnderline();
    FColRemembered = false;
    DoSelectionChange(false);
}

void TEditor::SetSelectionMode(TEditorSelectionMode Mode)
{
    if (Mode == FSelectionMode || FDragState != 0) return;
    FSelectionMode = Mode;
    if (FSelectionState == 2) {
        if (Mode == smBox && FViewport) FViewport->SetCursor(FCaret->Cursors().DefaultCursor);
        SetAnchor(FAnchorRow, FAnchorCol);
        ComputeSelection();
        Invalidate();
    }
    DoSelectionModeChange();
}

// ---------------------------------------------------------------------------------------------------
// Deleting

void TEditor::DeleteSelection()
{
    if (FReadOnly || FSelectionState != 2) return;
    ReplaceSelected({});
}

void TEditor::ReplaceSelected(std::string_view S)
{
    const TSelectionBounds bytes = FByteSelection;
    const TSelectionBounds cells = FSelection;
    const int count = FList->Count();
    const int fromRow = std::max(FList->LineStartRow(bytes.StartRow), bytes.StartRow - 1);
    const int lastRow = std::min(bytes.EndRow, count - 1);
    const auto lineEnd = [&](int r) { return FList->RowAttributes(r) == raEnd ? "\r\n" : ""; };

    std::string text;
    std::string_view edit;  // the new text of the rows from the start row: text, or S alone
    int insertAt = bytes.StartCol;  // the byte where S goes in on the start row
    if (FSelectionMode == smBox) {
        for (int r = bytes.StartRow; r <= lastRow; ++r) {
            const std::string_view row = FList->Get(r);
            int from = 0, to = 0;
            BoxBytes(r, cells.StartCol, cells.EndCol, from, to);
            text.append(row.substr(0, static_cast<std::size_t>(from)));
            if (r == bytes.StartRow && !S.empty()) {
                // Typed text goes in at the box's column, also on a row that ends before it.
                if (from == static_cast<int>(row.size()))
                    text.append(static_cast<std::size_t>(std::max(0, cells.StartCol - DisplayWidth(row))), ' ');
                insertAt = static_cast<int>(text.size());
                text.append(S);
            } else if (r == bytes.StartRow) {
                insertAt = from;
            }
            text.append(row.substr(static_cast<std::size_t>(to)));
            text += lineEnd(r);
        }
    } else if (bytes.StartRow < count) {
        const std::string_view head = FList->Get(bytes.StartRow).substr(0, static_cast<std::size_t>(bytes.StartCol));
        std::string_view tail, tailEnd;
        if (bytes.EndRow < count) {
            const std::string_view end = FList->Get(bytes.EndRow);
            tail = end.substr(std::min(end.size(), static_cast<std::size_t>(bytes.EndCol + 1)));
            tailEnd = lineEnd(bytes.EndRow);
        }
        // A selection of whole lines to the end of the text (all of it, say) is replaced by S as it is.
        if (head.empty() && tail.empty() && tailEnd.empty()) {
            edit = S;
        } else {
            text.reserve(head.size() + S.size() + tail.size() + tailEnd.size());
            text.append(head).append(S).append(tail).append(tailEnd);
        }
    } else {
        edit = S;
    }
    if (edit.empty()) edit = text;
    const std::int64_t offset = FList->CharIndexOfRow(bytes.StartRow) - FList->CharIndexOfRow(fromRow) + insertAt +
                                static_cast<std::int64_t>(S.size());
    RefusePastLastColumn(edit, static_cast<std::size_t>(insertAt) + S.size());

    BeginEdit();
    CleanSelection();
    FList->UpdateText(bytes.StartRow, std::max(0, lastRow - bytes.StartRow + 1), edit);
    CaretToOffset(fromRow, offset);
    EndEdit();
}

// ---------------------------------------------------------------------------------------------------
// Offsets and text

std::int64_t TEditor::SelStart() const
{
    if (FList->Count() == 0) return 0;
    if (SelectionShown()) return FList->CharIndexOfRow(FByteSelection.StartRow) + FByteSelection.StartCol;
    return FList->CharIndexOfRow(FRow) + ColToByte(FRow, FCol);
}

void TEditor::SetSelStart(std::int64_t Value)
{
    CleanSelection();
    if (Value < 1)
        SetRowCol(0, 0);
    else
        CaretToOffset(0, Value);
}

std::int64_t TEditor::SelLength() const
{
    if (!SelectionShown()) return 0;
    const std::int64_t end = FList->CharIndexOfRow(FByteSelection.EndRow) + FByteSelection.EndCol + 1;
    return std::max<std::int64_t>(0, end - SelStart());
}

void TEditor::SetSelLength(std::int64_t Value)
{
    if (FSelectionMode == smBox) SetSelectionMode(smLine);
    const bool selected = SelectionShown();
    if (selected) SetRowCol(FSelection.StartRow, FSelection.StartCol);
    if (Value < 1) {
        if (selected) CleanSelection();
        return;
    }
    StartSelection();
    CaretToOffset(FRow, ColToByte(FRow, FCol) + Value);
    UpdateSelection();
}

std::string TEditor::SelText() const
{
    if (FSelectionState != 2) return {};
    const TSelectionBounds& b = FByteSelection;
    const int count = FList->Count();
    const int last = std::min(b.EndRow, count - 1);
    std::string text;
    if (FSelectionMode == smBox) {
        for (int r = b.StartRow; r <= last; ++r) {
            int from = 0, to = 0;
            BoxBytes(r, FSelection.StartCol, FSelection.EndCol, from, to);
            if (r > b.StartRow) text += "\r\n";
            text.append(FList->Get(r).substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)));
        }
        return text;
    }
    text.reserve(static_cast<std::size_t>(std::max<std::int64_t>(0, SelLength())));
    for (int r = b.StartRow; r <= last; ++r) {
        const std::string_view row = FList->Get(r);
        const std::size_t from = r == b.StartRow ? std::min(row.size(), static_cast<std::size_t>(b.StartCol)) : 0;
        const std::size_t to = r == b.EndRow ? std::clamp<std::size_t>(static_cast<std::size_t>(b.EndCol + 1), from, row.size())
                                             : row.size();
        text.append(row.substr(from, to - from));
        if (r < b.EndRow && FList->RowAttributes(r) == raEnd) text += "\r\n";
    }
    return text;
}

void TEditor::SelectAll()
{
    BeginCaretUpdate();
    SetSelStart(0);
    SetSelLength(TextLength());
    EndCaretUpdate();
}

// ---------------------------------------------------------------------------------------------------
// Whole rows, hits, tests

namespace {

// Where a whole-row selection of Row ends: the next row's start, or on the text's last row its end.
void RowEnd(const TEditor& Editor, int Row, int& EndRow, int& EndCol)
{
    if (Editor.RowAttribute(Row) == raEof) {
        EndRow = Row;
        EndCol = Editor.RowDisplayWidth(Row);
    } else {
        EndRow = Row + 1;
        EndCol = 0;
    }
}

} // namespace

void TEditor::SelectRow(int Row)
{
    const int count = FList->Count();
    if (count == 0) return;
    Row = std::clamp(Row, 0, count - 1);
    int endRow = 0, endCol = 0;
    RowEnd(*this, Row, endRow, endCol);
    const bool last = endRow == Row;
    SetRowCol(Row, last ? endCol : 0);
    StartSelection();
    SetRowCol(endRow, last ? 0 : endCol);
    ShowSelection();
    FRowSelectFirst = Row;
    FRowSelectSecond = last ? Row : Row + 1;
    FRowSelectFlag = last ? 1 : 0;
    SetRowCol(Row, 0);
    FRowSelectMode = 1;
}

void TEditor::ExtendRowSelection(int Row)
{
    const int count = FList->Count();
    if (count == 0 || !SelectionShown()) return;
    Row = std::clamp(Row, 0, count - 1);
    const int first = FRowSelectFirst;
    int endRow = 0, endCol = 0;
    if (Row >= first) {
        SetAnchor(first, 0);
        RowEnd(*this, Row, endRow, endCol);
        SetRowCol(endRow, endCol);
    } else {
        RowEnd(*this, first, endRow, endCol);
        SetAnchor(endRow, endCol);
        SetRowCol(Row, 0);
    }
    FRowSelectSecond = Row;
    ComputeSelection();
}

bool TEditor::IsInSelection(int ARow, int ACol) const
{
    if (FSelectionState != 2 || ARow < FSelection.StartRow || ARow > FSelection.EndRow) return false;
    if (FSelectionMode == smBox) {
        const std::string columns = RowColumns(ARow);
        return ACol >= CellStart(columns, FSelection.StartCol) && ACol < CellEnd(columns, FSelection.EndCol);
    }
    if (ARow == FSelection.StartRow && ACol < FSelection.StartCol) return false;
    if (ARow == FSelection.EndRow && ACol > FSelection.EndCol - 1) return false;
    return true;
}

void TEditor::ShowHit(int Length)
{
    if (FHitStyle == hsSelect) {
        SetSelLength(Length);
        FHitLength = Length;
        return;
    }
    if (FHitStyle == hsCaret && Length <= 0) return;
    const int row = FRow, col = FCol;
    FSearchHit = true;
    SetSelLength(Length);
    FSearchHit = false;
    FHitLength = Length;
    if (FHitStyle != hsCaret || !FViewport || !Focused()) return;
    SetRowCol(row, col);
    const TSelectionBounds& s = FSelection;
    const int width = s.StartRow == s.EndRow ? s.EndCol - s.StartCol : RowDisplayWidth(s.StartRow) - s.StartCol;
    FCaretShape = {0, 0, std::max(2, width * FColWidth), FFontHeight};
    SetEditorCaretPos();
}

void TEditor::HitToSelection()
{
    if (FSelectionState != 3) return;
    if (FHitStyle == hsCaret) SetRowCol(FSelection.EndRow, FSelection.EndCol);
    FSelectionState = 2;
    Invalidate();
}

} // namespace qx
