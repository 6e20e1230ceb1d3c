#pragma once
// The main window as the command handlers' host: each call forwards to the window.

#include "mainwindow/MainCommands.h"

#include <functional>

namespace qx {

class TQxEditorMain;

class TQtMainCommandHost : public TMainCommandHost {
public:
    TQtMainCommandHost(TQxEditorMain& Main, TPrompter& Prompter) : FMain(Main), FPrompter(Prompter) {}

    TEditor* CurrentEditor() override;
    TEditor* FocusedEditor() override;
    TEditor* SecondEditor() override;
    TPrompter& Prompter() override { return FPrompter; }
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
    bool Editable() override;
    void SetEditMode(bool Editable) override;
    void Quit() override;
    void CloseWindow() override;
    bool ClipboardHasText() override;
    void PrepareClipboardHistory() override { if (OnPrepareClipboardHistory) OnPrepareClipboardHistory(); }

    // The clipboard history's step before a cut or copy (the history fills it).
    std::function<void()> OnPrepareClipboardHistory;

private:
    TQxEditorMain& FMain;
    TPrompter& FPrompter;
};

} // namespace qx
