#pragma once
// The twenty pages of the environment options dialog, bound to the working copy as every option page
// is (OptionPageKit.h); the linked rules between their controls are the model's.

#include "documents/MainSettings.h"
#include "platform/qt/GuardedCall.h"
#include "mainwindow/qt/OptionPageKit.h"

#include <QFont>
#include <QLineEdit>
#include <QWidget>

#include <QTreeView>

#include <functional>
#include <string>
#include <vector>

namespace qx {

class TFileDialogService;
class TOptionDialogModel;
struct TProjectTreeLook;

// What the pages reach beyond the working copy.
struct TOptionPageContext {
    TOptionDialogModel& Model;
    TGlobalState& State;
    TFileDialogService& Dialogs;
    // The main window's placement now (the start-up page's two buttons).
    std::function<TWindowPlacement()> Placement;
    // Whether a user tool bar exists.
    bool AnyUserToolBar = true;
    // The main window's project open dialog: true and Path set when a file was chosen.
    std::function<bool(std::string& Path)> ChooseProject;
    // The font dialog, starting from Font; false when cancelled.
    std::function<bool(QFont& Font)> ChooseFont;
    TExceptionHandler OnError;
};

// A page: its controls and the loaders that show the working copy in them.
class TOptionPage : public TBoundPage {
public:
    using TBoundPage::TBoundPage;
};

// The project tree's font, and a tree shown in the project tree's font and colours.
QFont ProjectTreeFont(const TProjectTreeLook& Look);
void ShowProjectTreeLook(QTreeView& Tree, const TProjectTreeLook& Look);

// Builds page Index of the page tree (0..19) into Parent, showing the working copy.
TOptionPage* CreateOptionPage(int Index, TOptionPageContext& Context, QWidget* Parent);

// The hot-key box: a key pressed in it (with its modifiers) becomes its shortcut, named as the shortcut
// file and the key router name keys; Backspace and Delete alone clear it.
class THotKeyEdit : public QLineEdit {
public:
    explicit THotKeyEdit(QWidget* Parent = nullptr);
    // The shortcut's text ("" for none).
    std::string ShortCutText() const { return FText; }
    void SetShortCutText(const std::string& Text);
    std::function<void(const std::string&)> OnChange;

protected:
    void keyPressEvent(QKeyEvent* Event) override;

private:
    std::string FText;
};

} // namespace qx
