#pragma once
// The project commands on the main window's command set: the Project menu's file and item commands,
// the item export and the pane's show/hide toggle. Each item command acts on the pane's selection, and
// its enabled state is the project manager's action table for that selection, so menus, bars, keys and
// the pane's popup all show the same states.

#include "mainwindow/commands/CommandSet.h"

namespace qx {

class TProjectManager;

// `Project` must outlive the command set.
void BindProjectCommands(TCommandSet& Commands, TProjectManager& Project);

} // namespace qx
