#include "editor/EditorScreen.h"

#include "editor/EditorScreenStrings.h"

#include <cstdlib>

namespace qx {

void TEditorScreen::Update(const TEditorScreenStrings& Rows)
{
    const TEditorUpdateRange& range = Rows.UpdateRange;
    if (!range.Valid) return;
    const int visible = View.VisibleRows();
    const int lastRow = Rows.Count() - 1;
    // D: rows added (or removed); E: the first row after everything that changed, lexer states included.
    const int d = range.NewRowCount - range.OldRowCount;
    const int e = range.StartRow + range.NewRowCount + std::max(0, range.StateRowCount - range.NewRowCount);
    const auto invalidate = [this](int Row1, int Row2) {
        if (Row2 >= Row1) View.InvalidateRows(Row1, Row2);
    };

    if (std::abs(d) > visible) {
        View.InvalidateTextArea();
    } else if (d != 0) {
        invalidate(range.StartRow, e - 1);
        // The rows behind the change keep their pictures: they move from where they stood to E.
        if (View.ImagebarVisible()) View.ScrollImagebarRows(e - d, d);
        View.ScrollTextRows(e - d, d);
        if (e > lastRow) invalidate(e, e + 1);
    } else {
        invalidate(range.StartRow, e > lastRow ? e + 1 : e - 1);
    }

    const TLeftbarNumbers numbers = View.LeftbarNumbers();
    const bool textEndsInView = Rows.Count() <= View.TopRow() + visible;
    if (numbers == TLeftbarNumbers::Lines || (numbers == TLeftbarNumbers::Rows && d != 0 && textEndsInView)) {
        if (range.StartRow + visible >= e) View.InvalidateLeftbarRows(e, range.StartRow + visible);
    }
}

} // namespace qx
