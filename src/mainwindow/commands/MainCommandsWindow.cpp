// The View and Window menus' commands: the edit mode, overwrite and free cursor on both panes; tabs,
// the split, stay on top, a new window and the maker's addresses.

#include "mainwindow/commands/MainCommands.h"

#include "dialogs/AboutBox.h"
#include "documents/MessageTexts.h"
#include "editor/EditorControl.h"
#include "platform/Launcher.h"
#include "platform/Prompter.h"

#include <filesystem>

namespace qx {

namespace {

// Runs Body on the current editor and, with a split view, on its second pane.
template <class Body> void OnBothPanes(TMainCommandHost& Host, Body&& Do)
{
    if (TEditor* editor = Host.CurrentEditor()) Do(*editor);
    if (TEditor* second = Host.SecondEditor()) Do(*second);
}

} // namespace

void ReportShellOpenFailed(TPrompter& Prompter, const std::string& Name)
{
    TPromptRequest request;
    request.Text = MsgShellOpenFailed(Name);
    request.Kind = TMsgDlgType::mtError;
    request.Buttons = {TMsgDlgBtn::mbOK};
    Prompter.Show(request);
}

void BindViewCommands(TCommandSet& Commands, TMainCommandHost& Host)
{
    const auto hasEditor = [&Host] { return Host.CurrentEditor() != nullptr; };
    Commands.Bind("ActionEditMode", [&Host] { Host.SetEditMode(!Host.Editable()); }, hasEditor,
                  [&Host] { return Host.CurrentEditor() && Host.Editable(); });
    // The second pane copies the first pane's new value.
    Commands.Bind(
        "ActionOverWriteMode",
        [&Host] {
            TEditor* editor = Host.CurrentEditor();
            if (!editor) return;
            const bool value = !editor->OverWrite();
            OnBothPanes(Host, [value](TEditor& e) { e.SetOverWrite(value); });
        },
        hasEditor, [&Host] { return Host.CurrentEditor() && Host.CurrentEditor()->OverWrite(); });
    Commands.Bind(
        "ActionFreeCursorMode",
        [&Host] {
            TEditor* editor = Host.CurrentEditor();
            if (!editor) return;
            const bool value = !editor->Caret().FreeCaret();
            OnBothPanes(Host, [value](TEditor& e) { e.Caret().SetFreeCaret(value); });
        },
        hasEditor, [&Host] { return Host.CurrentEditor() && Host.CurrentEditor()->Caret().FreeCaret(); });
}

void BindWindowCommands(TCommandSet& Commands, TMainCommandHost& Host)
{
    const auto several = [&Host] { return Host.TabCount() > 1; };
    // The next and previous tab wrap around, as the tab control's own keys do.
    Commands.Bind("ActionNextDoc", [&Host] { Host.SelectTab((Host.CurrentTab() + 1) % Host.TabCount()); }, several);
    Commands.Bind("ActionPrevDoc",
                  [&Host] { Host.SelectTab((Host.CurrentTab() + Host.TabCount() - 1) % Host.TabCount()); }, several);
    Commands.Bind("ActionFirstDoc", [&Host] { Host.SelectTab(0); }, several);
    Commands.Bind("ActionLastDoc", [&Host] { Host.SelectTab(Host.TabCount() - 1); }, several);
    Commands.Bind(
        "ActionSplit",
        [&Host] {
            if (Host.HasSplit())
                Host.RemoveSplit();
            else
                Host.CreateSplit();
        },
        [&Host] { return Host.CurrentEditor() != nullptr; }, [&Host] { return Host.HasSplit(); });
    // Ignored while the window is minimised.
    Commands.Bind(
        "ActionStayOnTop",
        [&Host] {
            if (!Host.Minimized()) Host.SetStayOnTop(!Host.StayOnTop());
        },
        {}, [&Host] { return Host.StayOnTop(); });
    // The program's own executable once more, from its folder, without arguments.
    Commands.Bind(
        "ActionQxEditor",
        [&Host] {
            const std::filesystem::path program = Host.ProgramPath();
            if (!Host.Launcher().Start(program, {}, program.parent_path()))
                ReportShellOpenFailed(Host.Prompter(), program.string());
        },
        [&Host] { return Host.SecondCopyAllowed(); });
    // The maker's mail address and web page, the ones the version window shows, by the desktop's programs.
    const std::pair<const char*, std::string> links[] = {{"ActionMail", std::string("mailto:") + AboutMailAddress},
                                                         {"ActionHome", AboutWebAddress}};
    for (const auto& [action, target] : links)
        Commands.Bind(action, [&Host, target] {
            if (!Host.Launcher().Open(target, {})) ReportShellOpenFailed(Host.Prompter(), target);
        });
}

void BindMainCommands(TCommandSet& Commands, TMainCommandHost& Host)
{
    BindFileCommands(Commands, Host);
    BindEditCommands(Commands, Host);
    BindTextCommands(Commands, Host);
    BindViewCommands(Commands, Host);
    BindWindowCommands(Commands, Host);
    BindToolCommands(Commands, Host);
}

} // namespace qx
