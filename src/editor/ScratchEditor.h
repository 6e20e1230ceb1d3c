#pragma once
// The scratch editor: a hidden TQxEditor with default settings through which the quote commands run a
// text (split into lines, joined again). It lives in the program's state from CreateScratchEditor to
// FreeScratchEditor; TScratchEditorScope does both around one command, also when the command throws.

#include "documents/GlobalState.h"
#include "editor/QxEditor.h"

namespace qx {

// Makes State.ScratchEditor (owned by Owner for lookups, no window); an existing one is kept.
TQxEditor& CreateScratchEditor(TGlobalState& State, TComponent* Owner = nullptr);
void FreeScratchEditor(TGlobalState& State);

class TScratchEditorScope {
public:
    explicit TScratchEditorScope(TGlobalState& State, TComponent* Owner = nullptr)
        : FState(State), FOwnsEditor(!State.ScratchEditor), FEditor(CreateScratchEditor(State, Owner))
    {
    }
    // Frees the editor only when this scope made it: a command run inside another keeps the outer's.
    ~TScratchEditorScope()
    {
        if (FOwnsEditor) FreeScratchEditor(FState);
    }
    TScratchEditorScope(const TScratchEditorScope&) = delete;
    TScratchEditorScope& operator=(const TScratchEditorScope&) = delete;
    TQxEditor& Editor() const { return FEditor; }

private:
    TGlobalState& FState;
    bool FOwnsEditor;
    TQxEditor& FEditor;
};

} // namespace qx
