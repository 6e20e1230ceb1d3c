// TEditor: the messages of the system's EDIT control as calls, so that code written for such a control
// drives this one. Character indexes count a row's bytes and 2 for each line end; every index and
// length is 64-bit, nothing is cut to 16 bits on the way.

#include "editor/EditorControl.h"

#include <algorithm>
#include <cstring>

namespace qx {

int TEditor::RowOfIndex(std::int64_t Index) const
{
    const int count = FList->Count();
    if (count == 0) return 0;
    return std::min(FList->RowOfCharIndex(std::max<std::int64_t>(0, Index)), count - 1);
}

std::int64_t TEditor::WmGetText(char* Buffer, std::int64_t Size) const
{
    if (!Buffer || Size < 1) return 0;
    // The text as it stands, the same bytes that WmGetTextLength counts (Lines' text would add a line
    // end after a last line that has none).
    std::string text;
    JoinRows(*FList, text);
    const std::size_t n = static_cast<std::size_t>(std::min<std::int64_t>(Size - 1, static_cast<std::int64_t>(text.size())));
    std::memcpy(Buffer, text.data(), n);
    Buffer[n] = '\0';
    return static_cast<std::int64_t>(n);
}

void TEditor::WmSetText(std::string_view Text)
{
    if (!FReadOnly) FLines->SetText(Text);
}

void TEditor::WmCut()
{
    if (!FReadOnly && FSelectionState == 2)
        CutToClipboard();
    else if (FClipboard)
        FClipboard->Clear();
}

void TEditor::WmCopy()
{
    if (FSelectionState == 2)
        CopyToClipboard();
    else if (FClipboard)
        FClipboard->Clear();
}

void TEditor::WmPaste()
{
    if (!FReadOnly) PasteFromClipboard();
}

void TEditor::WmClear()
{
    if (!FReadOnly) ClearSelection();
}

bool TEditor::EmCanUndo() const { return !FReadOnly && CanUndo(); }

bool TEditor::EmUndo()
{
    if (!EmCanUndo()) return false;
    Undo();
    return true;
}

void TEditor::EmEmptyUndoBuffer()
{
    if (!FReadOnly) FList->UndoObj().Clear();
}

void TEditor::EmSetModify(bool Value)
{
    if (!FReadOnly) SetModified(Value);
}

int TEditor::EmGetLine(int ARow, char* Buffer, int Size) const
{
    if (!Buffer || Size < 1 || ARow < 0 || ARow >= FList->Count()) return 0;
    const std::string_view row = FList->Get(ARow);
    const std::size_t n = std::min(static_cast<std::size_t>(Size), row.size());
    std::memcpy(Buffer, row.data(), n);
    return static_cast<int>(n);
}

std::int64_t TEditor::EmLineIndex(int ARow) const
{
    if (ARow == -1) ARow = FRow;
    if (ARow < 0 || ARow >= FList->Count()) return -1;
    return FList->CharIndexOfRow(ARow);
}

int TEditor::EmLineFromChar(std::int64_t Index) const
{
    if (Index == -1) return FSelectionState == 2 ? FByteSelection.StartRow : FRow;
    return RowOfIndex(Index);
}

int TEditor::EmLineLength(std::int64_t Index) const
{
    if (Index != -1) return static_cast<int>(FList->Count() == 0 ? 0 : FList->Get(RowOfIndex(Index)).size());
    if (FSelectionState == 2) {
        const TSelectionBounds& b = FByteSelection;
        const int endLength = b.EndRow < FList->Count() ? static_cast<int>(FList->Get(b.EndRow).size()) : 0;
        return std::max(0, endLength + b.StartCol - b.EndCol - 1);
    }
    return FRow < FList->Count() ? static_cast<int>(FList->Get(FRow).size()) : 0;
}

void TEditor::EmGetSel(std::int64_t& Start, std::int64_t& End) const
{
    Start = SelStart();
    End = Start + SelLength();
}

void TEditor::EmSetSel(std::int64_t Start, std::int64_t End)
{
    if (Start == -1) {
        CleanSelection();
        return;
    }
    const std::int64_t length = TextLength();
    if (End < 0) End = length;
    if (Start == 0 && End == length) {
        SelectAll();
        return;
    }
    Start = std::clamp<std::int64_t>(Start, 0, length);
    End = std::clamp<std::int64_t>(End, 0, length);
    BeginCaretUpdate();
    SetSelStart(std::min(Start, End));
    SetSelLength(std::max(Start, End) - std::min(Start, End));
    EndCaretUpdate();
}

void TEditor::EmReplaceSel(const std::string& Text)
{
    if (!FReadOnly) ReplaceSelection(Text);
}

void TEditor::EmScrollCaret()
{
    if (FRow < FTopRow || FRow > FTopRow + FVisibleRows - 1) SetTopRow(FRow - FVisibleRows / 3);
    if (FCol < FTopCol || FCol > FTopCol + FVisibleCols - 1) SetTopCol(FCol - FVisibleCols / 3);
}

bool TEditor::EmCharFromPos(int X, int Y, std::int64_t& Index, int& ARow) const
{
    Index = -1;
    ARow = -1;
    if (!FViewport || X < 0 || Y < 0 || X >= FViewport->ClientWidth() || Y >= FViewport->ClientHeight()) return false;
    int col = 0, row = 0;
    PosToRowCol(X, Y, true, col, row);
    const int count = FList->Count();
    row = std::clamp(row, 0, std::max(0, count - 1));
    const std::string columns = RowColumns(row);
    // Off the second byte of a double-byte character.
    if (col < static_cast<int>(columns.size()) && columns[static_cast<std::size_t>(col)] == '5') --col;
    ARow = row;
    Index = FList->CharIndexOfRow(row) + ColToByte(row, col);
    return true;
}

bool TEditor::EmPosFromChar(std::int64_t Index, int& X, int& Y) const
{
    if (Index < 0 || Index > TextLength()) return false;
    // After a final line end the index stands on the row after the last.
    const int count = FList->Count();
    int row = FList->RowOfCharIndex(Index);
    if (row >= count && count > 0 && FList->RowAttributes(count - 1) == raEof) row = count - 1;
    const std::string_view text = row < count ? FList->Get(row) : std::string_view();
    const std::int64_t within = std::min<std::int64_t>(Index - FList->CharIndexOfRow(row), static_cast<std::int64_t>(text.size()));
    const int col = DisplayWidth(text.substr(0, static_cast<std::size_t>(std::max<std::int64_t>(0, within))));
    X = TextAreaLeft() + (col - FTopCol) * FColWidth;
    Y = TextAreaTop() + (row - FTopRow) * RowHeight();
    return true;
}

} // namespace qx
