// TEditor: the mouse: placing the caret, selecting, dragging the selection, the cursor shapes over
// the parts of the control, and the wheel. The host forwards every mouse event here.

#include "editor/EditorControl.h"

namespace qx {

void TEditor::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FViewport && !FViewport->Focused()) FViewport->SetFocus();
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TEditor::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TEditor::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TEditor::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

bool TEditor::MouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    return handled;
}

} // namespace qx
