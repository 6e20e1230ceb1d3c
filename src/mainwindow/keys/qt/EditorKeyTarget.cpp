#include "mainwindow/keys/qt/EditorKeyTarget.h"

#include "editor/EditorControl.h"
#include "editor/qt/EditorWidget.h"

namespace qx {

TEditorKeyTarget::TEditorKeyTarget(TEditorWidget& Pane, std::function<void(TEditorKeyTarget*)> Gone)
    : QObject(&Pane), FPane(&Pane), FGone(std::move(Gone))
{
    setObjectName("KeyTarget");
}

TEditorKeyTarget::~TEditorKeyTarget()
{
    // The pane's control is gone already (children go after the widget's own destructor): only the
    // router hears of it, nothing reaches the control.
    if (FGone) FGone(this);
}

TEditorKeyTarget* TEditorKeyTarget::Of(TEditorWidget& Pane)
{
    return Pane.findChild<TEditorKeyTarget*>("KeyTarget", Qt::FindDirectChildrenOnly);
}

TEditor* TEditorKeyTarget::Editor() const { return FPane ? &FPane->Editor() : nullptr; }

namespace {

TShiftState ShiftOfKey(TShortCut key)
{
    TShiftState shift = 0;
    if (key & scShift) shift |= ssShift;
    if (key & scCtrl) shift |= ssCtrl;
    if (key & scAlt) shift |= ssAlt;
    return shift;
}

} // namespace

void TEditorKeyTarget::KeyDown(TShortCut key, std::int32_t keyData)
{
    if (TEditor* editor = Editor()) editor->KeyDown(key & 0xFF, ShiftOfKey(key), (keyData & KeyDataRepeat) != 0);
}

void TEditorKeyTarget::KeyChar(std::uint16_t charCode, TShortCut modifiers)
{
    if (TEditor* editor = Editor()) editor->KeyPress(CharBytes(charCode), ShiftOfKey(modifiers));
}

void TEditorKeyTarget::ImeText(const std::string& text, TShortCut)
{
    if (TEditor* editor = Editor()) editor->InputMethod(text, std::string());
}

} // namespace qx
