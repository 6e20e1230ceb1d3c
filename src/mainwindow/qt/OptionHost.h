#pragma once
// The main window as the environment options dialog's host: the window parts that the dialog's apply
// reaches, the screen cursors, and the command that shows the dialog.

#include "dialogs/OptionDialog.h"

#include <functional>

class QDialog;

namespace qx {

class TQxEditorMain;

class TQtOptionHost : public TOptionDialogHost {
public:
    explicit TQtOptionHost(TQxEditorMain& Main) : FMain(Main) {}

    TPrompter& Prompter() override;
    void Beep() override;
    int UserCursor() override;
    // A cursor file Qt can read (".cur" and the image formats); an animated ".ani" cursor cannot be read.
    bool LoadCursorFile(const std::string& Path) override;
    void SetTextCursor(int Cursor) override;
    void ApplyTrayAndHotKey(bool UseTray, bool Resident) override;
    void ApplyMenuLook(int MenuStyle, int BandStyle, int ProjectMenu, bool MenuImages) override;
    void ApplyToolBarLook(const TToolBarSettings& ToolBar) override;
    void RefreshStatusInfo() override;
    void ApplyClipboardHistory(int Bytes, bool UseClip) override;
    void ApplyProjectTreeLook(const TProjectTreeLook& Look) override;
    void RefreshTitles() override;
    void RefreshCurrentTab() override;

private:
    TQxEditorMain& FMain;
};

// The environment options command: the dialog over a fresh working copy, shown modally. ShowModal runs
// it (exec() when empty; tests drive the dialog instead).
void ShowOptionDialog(TQxEditorMain& Main, bool StayOnTop, const std::function<void(QDialog&)>& ShowModal = {});

// The project pane's tree in the stored font and colours.
void ApplyProjectTreeLook(TQxEditorMain& Main, const TProjectTreeLook& Look);

} // namespace qx
