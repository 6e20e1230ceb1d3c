#include "mainwindow/qt/PrintCommandBinding.h"

#include "print/qt/PrintCommands.h"

#include <memory>

namespace qx {

void BindPrintCommands(TCommandSet& Commands, TGlobalState& State, TPrompter& Prompter, QWidget* Parent,
                       std::function<TQxEditor*()> CurrentEditor, std::function<bool()> StayOnTop)
{
    const auto print = std::make_shared<TPrintCommands>(State, Prompter, Parent);
    print->StayOnTop = std::move(StayOnTop);
    const auto hasDocument = [CurrentEditor] { return CurrentEditor() != nullptr; };
    Commands.Bind("ActionPrintPreview", [print, CurrentEditor] {
        if (TQxEditor* editor = CurrentEditor()) print->PreviewMenuClick(*editor);
    }, hasDocument);
    Commands.Bind("ActionPrint", [print, CurrentEditor] {
        if (TQxEditor* editor = CurrentEditor()) print->PrintMenuClick(editor);
    }, hasDocument);
}

} // namespace qx
