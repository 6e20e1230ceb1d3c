#pragma once
// The main window's key-macro commands: record (start when idle or holding a macro, stop otherwise),
// play, clear, load and save through the file chooser, and the two actions' states by the macro's
// state. Failed loads and saves are reported; a failed save leaves any old file whole.

#include "mainwindow/FileChooser.h"
#include "mainwindow/KeyMacro.h"

#include <functional>

namespace qx {

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
    TKeyMacroCommands(TKeyMacro& macro, TPrompter& prompter, TFileChooser& chooser);

    static const TFileChoice& MacroFileChoice();

    void RecExecute();
    void ExeExecute();
    void ClrExecute();
    // The chooser, then the question before replacing a file (No shows the chooser again).
    void SaveExecute();
    void LoadExecute();

    TKeyMacroActionStates States() const;

    std::function<void()> Beep;

private:
    TKeyMacro& FMacro;
    TPrompter& FPrompter;
    TFileChooser& FChooser;
};

} // namespace qx
