// TEditor: cut, copy, paste and delete through the clipboard port. A box selection travels as its
// rows joined by line ends plus the box mark; a paste that finds the mark inserts the text as a block,
// any other text replaces the selection as a stream.

#include "editor/EditorControl.h"
#include "editor/EditorPopupMenu.h"

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
    const std::string text = ClipboardText();
    if (FClipboard->HasBoxFormat())
        InsertBlock(text);
    else
        ReplaceSelection(text);
}

std::string TEditor::ClipboardText()
{
    if (!FClipboard) return {};
    std::size_t lost = 0;
    std::string text = FClipboard->Text(&lost);
    if (lost > 0 && OnPasteLost) OnPasteLost(this, lost);
    return text;
}

void TEditor::ClearSelection() { DeleteSelection(); }

std::unique_ptr<TEditorPopupMenu> TEditor::CreatePopupMenu() { return std::make_unique<TEditorPopupMenu>(this); }

TEditorPopupMenu& TEditor::PopupMenu()
{
    if (!FPopupMenu) FPopupMenu = CreatePopupMenu();
    return *FPopupMenu;
}

} // namespace qx
