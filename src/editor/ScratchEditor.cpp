#include "editor/ScratchEditor.h"

namespace qx {

TQxEditor& CreateScratchEditor(TGlobalState& State, TComponent* Owner)
{
    if (!State.ScratchEditor) State.ScratchEditor = Construct<TQxEditor>(Owner);
    return *State.ScratchEditor;
}

void FreeScratchEditor(TGlobalState& State) { State.ScratchEditor.reset(); }

} // namespace qx
