// TEditor: keys, typed characters and the input method. The host forwards every key (as a
// virtual-key code with the shift state), every typed text and every composition here.

#include "editor/EditorControl.h"

namespace qx {

bool TEditor::KeyDown(int Key, TShiftState Shift)
{
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    return false;
}

void TEditor::KeyUp(int Key, TShiftState Shift)
{
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TEditor::KeyPress(const std::string& Chars) { (void)Chars; }

void TEditor::InputMethod(const std::string& Commit, const std::string& Preedit)
{
    (void)Commit;
    (void)Preedit;
}

} // namespace qx
