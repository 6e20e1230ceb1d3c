#pragma once
// The main window as the command handlers' host: each call forwards to the window.

#include "mainwindow/commands/MainCommands.h"
#include "platform/qt/QtLauncher.h"

#include <functional>

namespace qx {

class TQxEditorMain;
struct TGlobalState;

class TQtMainCommandHost : public TMainCommandHost {
public:
    TQtMainCommandHost(TQxEditorMain& Main, TGlobalState& State, TPrompter& Prompter)
        : FMain(Main), FState(State), FPrompter(Prompter) {}

    TEditor* CurrentEditor() override;
    TEditor* FocusedEditor() override;
    TEditor* SecondEditor() override;
    TPrompter& Prompter() override { return FPrompter; }
    TMainSettings& Settings() override;
    bool EditQuoteMarks(int Mode) override { return !OnEditQuoteMarks || OnEditQuoteMarks(Mode); }
    int TabCount() const override;
    int CurrentTab() const override;
    void SelectTab(int Page) override;
    bool AnyModified() const override;
    void NewTab() override;
    void CloseActive() override;
    void CloseAll() override;
    bool HasSplit() const override;
    void CreateSplit() override;
    void RemoveSplit() override;
    bool FileSave() override;
    TFileRoadHost& Files() override;
    TLauncher& Launcher() override { return Launch ? *Launch : FLauncher; }
    std::string ProgramPath() override;
    bool SecondCopyAllowed() override;
    bool StayOnTop() override { return FStayOnTop; }
    void SetStayOnTop(bool Value) override;
    bool Minimized() override;
    bool Editable() override;
    void SetEditMode(bool Editable) override;
    void Quit() override;
    void CloseWindow() override;
    TKeyMacroCommands* MacroCommands() override;
    TClipboardCommands* ClipboardCommands() override;
    void Beep() override;
    bool ClipboardHasText() override;
    void PrepareClipboardHistory() override;
    // Another launcher (tests); the desktop's when null.
    TLauncher* Launch = nullptr;
    // The quote-mark dialog (without one the marks are used as they are).
    std::function<bool(int Mode)> OnEditQuoteMarks;

private:
    TQxEditorMain& FMain;
    TGlobalState& FState;
    TPrompter& FPrompter;
    TQtLauncher FLauncher;
    bool FStayOnTop = false;
};

} // namespace qx
