// TEditor: the selection (normal and box), the search hit shown as a selection, and selection
// changes. Selecting text, extending and reading it are built here on FSelection, FSelectionState
// and FSelectionMode, which the painter reads.

#include "editor/EditorControl.h"

namespace qx {

void TEditor::CleanSelection()
{
    if (!SelectionShown()) {
        FSelectionState = 0;
        return;
    }
    const int first = FSelection.StartRow;
    const int last = FSelection.EndRow;
    FSelectionState = 0;
    InvalidateRows(first, last);
    DoSelectionChange(false);
}

} // namespace qx
