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
    const std::string text = ClipboardText();
    TLimitedInput pasted(*this);
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
    TellPasteLost(lost);
    return text;
}

void TEditor::TellPasteLost(std::size_t Lost)
{
    if (Lost > 0 && OnPasteLost) OnPasteLost(this, Lost);
}

void TEditor::ClearSelection() { DeleteSelection(); }

void TEditor::SetClipboard(TEditorClipboardPort* Clipboard)
{
    if (FClipboard && FClipboard != Clipboard && FSelectionState == 2) FClipboard->KeepPrimarySelection(this);
    FClipboard = Clipboard;
}

void TEditor::OfferPrimarySelection()
{
    if (!FClipboard || FSelectionState != 2) return;
    const TSelectionBounds& s = FSelection;
    const bool empty = FSelectionMode == smBox ? s.StartCol == s.EndCol
                                               : s.StartRow == s.EndRow && s.StartCol == s.EndCol;
    if (!empty) FClipboard->OfferPrimarySelection(this, [this] { return SelText(); });
}

void TEditor::PastePrimarySelection(int X, int Y)
{
    if (FReadOnly || !FClipboard) return;
    // Read first: the selection it may come from goes when the caret moves.
    std::size_t lost = 0;
    const std::optional<std::string> text = FClipboard->PrimarySelectionText(&lost);
    if (!text || text->empty()) return;
    TellPasteLost(lost);
    int row = 0, col = 0;
    PosToRowCol(X, Y, true, col, row);
    BeginCaretUpdate();
    CleanSelection();
    SetRowCol(row, col);
    EndCaretUpdate();
    TLimitedInput pasted(*this);
    ReplaceSelection(*text);
}

} // namespace qx
