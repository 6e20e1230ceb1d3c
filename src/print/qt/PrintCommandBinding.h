#pragma once
// The main window's print commands on its command set: ActionPrintPreview and ActionPrint, enabled
// while there is a current document. The printing state (the main form's printer, the configured
// printer) lives as long as the command set.

#include "mainwindow/CommandSet.h"

#include <functional>

class QWidget;

namespace qx {

struct TGlobalState;
class TPrompter;
class TQxEditor;

void BindPrintCommands(TCommandSet& Commands, TGlobalState& State, TPrompter& Prompter, QWidget* Parent,
                       std::function<TQxEditor*()> CurrentEditor, std::function<bool()> StayOnTop);

} // namespace qx
