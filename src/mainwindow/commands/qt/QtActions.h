#pragma once
// The main window's QActions, one per row of the action table, built from the command set: object
// name = the action's name ("ActionOpen"), text = its menu caption, the category as the property
// "category", checkable where the command has a check rule. Triggering one runs the command inside the
// window's exception handler. No QAction carries a shortcut: keys go through the key router only.

#include "mainwindow/commands/CommandSet.h"
#include "platform/qt/GuardedCall.h"

#include <vector>

class QAction;
class QObject;

namespace qx {

class TQtActions {
public:
    // The actions become children of `Owner` (the main window), so TQtActionCommands finds them by name.
    TQtActions(QObject& Owner, TCommandSet& Commands, TExceptionHandler OnError);

    QAction* Action(int Row) const { return FActions[static_cast<std::size_t>(Row)]; }
    // By action name; null when there is no such action.
    QAction* Action(std::string_view Name) const;
    // Shows every command's enabled and checked state.
    void UpdateStates();

private:
    TCommandSet& FCommands;
    TExceptionHandler FOnError;
    std::vector<QAction*> FActions;
};

} // namespace qx
