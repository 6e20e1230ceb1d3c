#pragma once
// The main window as the search commands and the grep dialog see it: its editors, its prompter, the
// find, replace and grep windows made for one showing each, the result tab of a grep and the open road
// of the tag jump.

#include "dialogs/GrepDialog.h"
#include "mainwindow/commands/SearchCommands.h"

#include <functional>

namespace qx {

class TQxEditorMain;

class TQtSearchHost : public TSearchHost, public TGrepHost {
public:
    TQtSearchHost(TQxEditorMain& Main, TGlobalState& State, TPrompter& Prompter);

    // Stops a key macro's playback (the macro recorder fills it).
    std::function<void()> StopMacro;
    // Whether dialogs stay on top of other windows (the main window's setting).
    std::function<bool()> StayOnTop;

    // TSearchHost
    TEditor* FocusedEditor() override;
    TEditor* CurrentEditor() override;
    TPrompter& Prompter() override { return FPrompter; }
    void Beep() override;
    void StopKeyMacro() override;
    int RunFindDialog(TFindDialogModel& Dialog) override;
    int RunReplaceDialog(TFindDialogModel& Dialog) override;
    void RunGrepDialog() override;
    void CaretScreenPos(TEditor& Editor, int& X, int& Y) override;
    int ScreenWidth() override;
    void MessageBoxSize(const TPromptRequest& Request, int& Width, int& Height) override;
    TEditor* OpenFileForTagJump(const std::string& FileName) override;

    // TGrepHost
    TEditor* NewResultDocument(const std::string& Name) override;
    void ResultDocumentDone(TEditor& Editor) override;
    void ProcessMessages() override;

private:
    TQxEditorMain& FMain;
    TGlobalState& FState;
    TPrompter& FPrompter;
};

} // namespace qx
