#pragma once
// The command table bound to a window's QActions by object name ("ActionNew"): the key router runs
// them through this runner, and each action's menu text shows the key its command carries now, after a
// tab in the class library's form ("開く(&O)...\tCtrl+O"). QAction shortcuts are never set: the key
// router is the only road of keys, so that key macros see them.

#include "mainwindow/keys/KeyRouter.h"

class QAction;
class QObject;

namespace qx {

class TQtActionCommands : public TCommandRunner {
public:
    // `actions` holds the actions among its children (the main window).
    TQtActionCommands(QObject& actions, const TCommandKeys& keys);

    // The action of a row, or null when the window has none (yet).
    QAction* ActionOf(int row) const;
    // Triggers the row's action; false when there is none or it is disabled (the key then goes on).
    bool ExecuteCommand(int row) override;
    // Sets every bound action's text to its caption (the text before any tab) and its key.
    void ShowKeys();

private:
    QObject& FActions;
    const TCommandKeys& FKeys;
};

} // namespace qx
