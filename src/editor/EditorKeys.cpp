// TEditor: keys and typed characters. The host forwards every key (as a virtual-key code with the
// shift state) and every typed text here.

#include "editor/EditorControl.h"

namespace qx {

bool TEditor::KeyDown(int Key, TShiftState Shift)
{
    if (DragKey(Key, true)) return true;
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    return false;
}

void TEditor::KeyUp(int Key, TShiftState Shift)
{
    if (DragKey(Key, false)) return;
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TEditor::KeyPress(const std::string& Chars) { (void)Chars; }

} // namespace qx
