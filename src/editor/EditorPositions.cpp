// TEditor: character offsets of display positions, joining and deleting rows, emptying the text.
// Offsets come from the row store's index of character counts, never from a walk over the rows.

#include "editor/EditorControl.h"

#include <algorithm>

namespace qx {

std::int64_t TEditor::OffsetFromRow(int FromRow, int ARow, int ACol) const
{
    const int count = FList->Count();
    FromRow = std::clamp(FromRow, 0, count);
    ARow = std::clamp(ARow, FromRow, count);
    std::int64_t offset = FList->CharIndexOfRow(ARow) - FList->CharIndexOfRow(FromRow);
    // The row that ends the text counts one more once it is passed.
    if (ARow == count && FromRow < count && FList->RowAttributes(count - 1) == raEof) ++offset;
    return offset + ColToByte(ARow, ACol);
}

void TEditor::JoinRows(const TRowAttributeStringList& List, std::string& Text)
{
    const int count = List.Count();
    std::size_t size = 0;
    for (int r = 0; r < count; ++r) size += List.Get(r).size() + 2;
    Text.clear();
    Text.reserve(size);
    for (int r = 0; r < count; ++r) {
        Text += List.Get(r);
        if (List.RowAttributes(r) == raEnd) Text += "\r\n";
    }
}

void TEditor::DeleteRow(int Index)
{
    if (Index < 0 || Index >= FList->Count()) return;
    CleanSelection();
    BeginEdit();
    FList->UpdateText(Index, 1, {});
    if (Index > 0 && Index - 1 < FList->Count() && FList->RowAttributes(Index - 1) == raEof)
        SetRowCol(Index - 1, RowDisplayWidth(Index - 1));
    else
        SetRowCol(Index, 0);
    EndEdit();
}

void TEditor::Clear() { FLines->Clear(); }

} // namespace qx
