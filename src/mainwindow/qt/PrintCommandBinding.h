#pragma once
// The main window binds its print commands to the print library: ActionPrintPreview and ActionPrint on
// its command set, enabled while there is a current document. The printing state (the main form's
// printer, the configured printer) lives as long as the command set.

#include "mainwindow/commands/CommandSet.h"

#include <functional>

class QWidget;

namespace qx {

struct TGlobalState;
class TPrompter;
class TQxEditor;

void BindPrintCommands(TCommandSet& Commands, TGlobalState& State, TPrompter& Prompter, QWidget* Parent,
                       std::function<TQxEditor*()> CurrentEditor, std::function<bool()> StayOnTop);

} // namespace qx
