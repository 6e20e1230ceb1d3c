// TEditor: cut, copy, paste and delete through the clipboard port. A box selection travels as its
// rows joined by line ends plus the box mark; a paste that finds the mark inserts the text as a block,
// any other text replaces the selection as a stream.

#include "editor/EditorControl.h"

namespace qx {

void TEditor::CopyToClipboard()
{
    if (FSelectionState != 2 || !FClipboard) return;
    FClipboard->SetText(SelText(), FSelectionMode == smBox);
}

void TEditor::CutToClipboard()
{
    if (FSelectionState != 2 || FReadOnly || !FClipboard) return;
    CopyToClipboard();
    DeleteSelection();
}

void TEditor::PasteFromClipboard()
{
    if (FReadOnly || !FClipboard || !FClipboard->HasText()) return;
    const std::string text = FClipboard->Text();
    TLimitedInput pasted(*this);
    if (FClipboard->HasBoxFormat())
        InsertBlock(text);
    else
        ReplaceSelection(text);
}

void TEditor::ClearSelection() { DeleteSelection(); }

} // namespace qx
