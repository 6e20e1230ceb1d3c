#pragma once
// The main window's editor options command: the editor options dialog over the current tab, its
// environment manager, and the open tabs following the environments' new numbers.

namespace qx {

class TQxEditorMain;

// Binds "ActionEdtOption" on the window's commands.
void BindEditOptionCommand(TQxEditorMain& Main);
// Shows the editor options dialog modally (the command's handler).
void RunEditOptionDialog(TQxEditorMain& Main);

} // namespace qx
