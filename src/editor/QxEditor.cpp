// TQxEditor: creation, properties, bookmarks.

#include "editor/QxEditor.h"

namespace qx {

TQxEditor::TQxEditor(TComponent* AOwner) : TEditor(AOwner) {}

void TQxEditor::AfterConstruction()
{
    TEditor::AfterConstruction();
    FCustomMarks = std::make_unique<TCustomMarks>();
    FCustomMarks->OnChange = [this](TObject* Sender) { MarksChanged(Sender); };
    FSaveFileCharType = sfctSJIS;
    FSaveFileRtrnType = sfrtCRLF;
    FVerticalLines = std::make_unique<TVerticalLines>(this);
    FVerticalLines->OnChange = [this](TObject* Sender) { MarksChanged(Sender); };
}

TQxEditor::~TQxEditor()
{
    // Nothing repaints while the parts go.
    if (FCustomMarks) FCustomMarks->OnChange = nullptr;
    if (FVerticalLines) FVerticalLines->OnChange = nullptr;
    CloseLockFile();
}

void TQxEditor::MarksChanged(TObject*)
{
    // The marks and lines are drawn by the paint pass from their current state.
    InvalidateTextArea();
}

std::string TQxEditor::GetBookmark(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FBookmarks.size())) return {};
    return FBookmarks[static_cast<std::size_t>(Index)];
}

void TQxEditor::SetBookmark(int Index, const std::string& S)
{
    if (Index < 0 || Index >= static_cast<int>(FBookmarks.size())) return;
    FBookmarks[static_cast<std::size_t>(Index)] = S;
}

void InsertAtCaret(TEditor& Editor, const std::string& Text, bool CaretAfter)
{
    if (Editor.ReadOnly() || Text.empty()) return;
    Editor.ReplaceSelection(Text);
    // The caret stands after the text (offsets are bytes): back to where it begins.
    if (!CaretAfter) Editor.SetSelStart(Editor.SelStart() - static_cast<std::int64_t>(Text.size()));
}

} // namespace qx
