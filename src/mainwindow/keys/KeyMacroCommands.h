#pragma once
// The main window's key-macro commands: record (start when idle or holding a macro, stop otherwise),
// play, clear, load and save through the file dialogs, and the two actions' states by the macro's
// state. Failed loads and saves are reported; a failed save leaves any old file whole, a failed load
// the macro there was.

#include "mainwindow/keys/KeyMacro.h"

#include <functional>

namespace qx {

class TFileDialogService;
class TPrompter;

struct TKeyMacroActionStates {
    bool RecEnabled = false;
    bool RecChecked = false;
    bool ExeEnabled = false;
    bool ExeChecked = false;
    bool operator==(const TKeyMacroActionStates&) const = default;
};

// `canRecord`: the macro has an editor to record for.
TKeyMacroActionStates KeyMacroActionStates(TKeyMacroState state, bool canRecord);

class TKeyMacroCommands {
public:
    TKeyMacroCommands(TKeyMacro& macro, TPrompter& prompter, TFileDialogService& dialogs);

    static constexpr const char* MacroFileFilter = "QxEditorｷｰﾏｸﾛ (*.kmc)|*.kmc";
    static constexpr const char* MacroFileExt = "kmc";

    void RecExecute();
    void ExeExecute();
    void ClrExecute();
    // The save dialog, then the question before replacing a file (No shows the dialog again).
    void SaveExecute();
    void LoadExecute();

    // The main window's close: a recording ends (the macro is kept) and a playback stops before the
    // window's documents go.
    void EndForClose();

    TKeyMacroActionStates States() const;

    std::function<void()> Beep;

private:
    TKeyMacro& FMacro;
    TPrompter& FPrompter;
    TFileDialogService& FDialogs;
};

} // namespace qx
