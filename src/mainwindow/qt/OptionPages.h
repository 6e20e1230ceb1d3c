#pragma once
// The twenty pages of the environment options dialog. A page only binds its controls to the working
// copy: showing it copies the copy into the controls (signals blocked, so showing never changes the
// copy), each change of a control writes one value back through the model, and the page then shows the
// copy again, which is how the model's linked rules reach the other controls.

#include "documents/MainSettings.h"
#include "mainwindow/qt/GuardedCall.h"

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
class TOptionPage : public QWidget {
public:
    explicit TOptionPage(QWidget* Parent) : QWidget(Parent) {}
    // Shows the working copy in every control (their signals blocked) with their enabled states.
    void Refresh();
    // A loader per control, run by Refresh.
    void AddLoader(std::function<void()> Loader) { FLoaders.push_back(std::move(Loader)); }

private:
    std::vector<std::function<void()>> FLoaders;
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
