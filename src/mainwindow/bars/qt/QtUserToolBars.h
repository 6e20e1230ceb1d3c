#pragma once
// The two user tool bars ("UserToolBar", "UserToolBar2"): buttons built from the program state's two
// lists of command numbers over the window's actions (found by name), each with an icon (the desktop
// theme's where one fits, else one drawn here), drop-down buttons for open, favourites and project open.

#include "documents/GlobalState.h"

#include <QIcon>
#include <QString>

#include <functional>

class QMainWindow;
class QMenu;
class QToolBar;

namespace qx {

class TPrompter;
class TToolBarSetDialog;

class TQtUserToolBars {
public:
    TQtUserToolBars(QMainWindow& Window, TGlobalState& State);

    // Bar 1 or 2; null when its "LoadToolBar" setting leaves it out.
    QToolBar* Bar(int B) const { return FBars[B - 1]; }
    // The drop-down menu of a drop-down button's number (1, 2, 52); none when empty.
    std::function<QMenu*(int Number)> DropDownMenu;

    // The first showing: the bars that "LoadToolBar" keeps, their buttons, shown as the settings say
    // (the bar with the smaller saved top first; flat buttons with "ButtonFlat").
    void Build();
    // Every loaded bar's buttons again from the lists.
    void Rebuild();
    // The shown bars' places into the settings: their left, and their top counted from the first row's
    // top at the saved first top (UserToolBarTop's default), so that the rows come back as they were.
    void CollectPlaces(TToolBarSettings& Settings) const;
    // Shows or hides a bar; a bar without buttons is not shown: the user is asked to configure it
    // first. Answers whether the bar is shown now.
    bool ToggleBar(int B, TPrompter& Prompter, const std::function<void()>& Beep);
    // The customisation dialog; OK takes its lists, rebuilds the bars and shows again those that
    // were shown. ShowModal runs the dialog (exec() when empty); the dialog stays on top as StayOnTop says.
    void Customize(TPrompter& Prompter, const std::function<void()>& Beep,
                   const std::function<bool(TToolBarSetDialog&)>& ShowModal = {});
    // The main window's stay-on-top setting, which the customisation dialog takes.
    std::function<bool()> StayOnTop;

private:
    void Fill(int B);
    static void Clear(QToolBar& Bar);

    QMainWindow& FWindow;
    TGlobalState& FState;
    QToolBar* FBars[2] = {nullptr, nullptr};
    QObject* FHints = nullptr;  // the buttons' tips (a child of the window)
};

// The height of a row of tool bars in the saved places (the default tops are a row apart).
inline constexpr int ToolBarRowHeight = 28;

// A tool button's icon: the theme's icon for its command when the desktop has one, else a small drawn
// one from the first character of its caption, coloured by the command's group.
QIcon ToolButtonIcon(int Number, const QString& Caption);

} // namespace qx
