#include "dialogs/GoToLine.h"

#include "documents/MessageDialog.h"
#include "editor/EditorControl.h"
#include "editor/EditorStrings.h"

#include <algorithm>

namespace qx {

int JumpMaximum(TEditor& Editor, bool Logical)
{
    return std::max(1, Logical ? Editor.Lines().Count() : Editor.RowCount());
}

bool JumpToLine(TEditor& Editor, int Value, bool Logical, TPrompter& Prompter)
{
    Editor.CleanSelection();
    if (Value < 1 || Value > JumpMaximum(Editor, Logical)) {
        ShowMessageDialog(Prompter, "ジャンプ行の指定が無効です。", "情報", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
        Editor.SetRowCol(0, 0);
        return false;
    }
    const int last = std::max(0, Editor.RowCount() - 1);
    const int row = std::clamp(Logical ? Editor.LineToRow(Value - 1) : Value - 1, 0, last);
    Editor.SetRowCol(row, 0);
    Editor.SetTopRow(std::clamp(row - Editor.VisibleRows() / 2, 0, std::max(0, Editor.MaxTopRow())));
    return true;
}

} // namespace qx
