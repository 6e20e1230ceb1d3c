#include "mainwindow/keys/KeyMacroCommands.h"

#include "dialogs/UserFiles.h"
#include "documents/MessageDialog.h"
#include "documents/MessageTexts.h"

#include <filesystem>
#include <system_error>

namespace qx {

TKeyMacroActionStates KeyMacroActionStates(TKeyMacroState state, bool canRecord)
{
    TKeyMacroActionStates s;
    s.RecEnabled = state != TKeyMacroState::Playing && canRecord;
    s.RecChecked = state == TKeyMacroState::Recording;
    s.ExeEnabled = state == TKeyMacroState::Ready;
    s.ExeChecked = state == TKeyMacroState::Playing;
    return s;
}

TKeyMacroCommands::TKeyMacroCommands(TKeyMacro& macro, TPrompter& prompter, TFileDialogService& dialogs)
    : FMacro(macro), FPrompter(prompter), FDialogs(dialogs)
{
}

void TKeyMacroCommands::RecExecute()
{
    if (FMacro.State() == TKeyMacroState::Recording || FMacro.State() == TKeyMacroState::Playing)
        FMacro.StopRecord();
    else
        FMacro.StartRecord();
}

void TKeyMacroCommands::ExeExecute()
{
    FMacro.Play();
}

void TKeyMacroCommands::ClrExecute()
{
    FMacro.Clear();
}

void TKeyMacroCommands::SaveExecute()
{
    std::string path;
    for (;;) {
        if (!ChooseFile(FDialogs, true, MacroFileFilter, MacroFileExt, path)) return;
        std::error_code ignored;
        if (!std::filesystem::exists(path, ignored)) break;
        if (Beep) Beep();
        if (ShowMessageDialog(FPrompter, MsgFileExists(path), "確認", TMsgDlgType::mtConfirmation,
                              {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) == mr::Yes)
            break;
    }
    RunReportingFileErrors(FPrompter, path, TFileAccess::Write, [&] { FMacro.SaveToFile(path); });
}

void TKeyMacroCommands::LoadExecute()
{
    std::string path;
    if (!ChooseFile(FDialogs, false, MacroFileFilter, MacroFileExt, path)) return;
    // A file that holds no macro leaves the macro there was, and says so.
    RunReportingFileErrors(FPrompter, path, TFileAccess::Read, [&] {
        if (!FMacro.LoadFromFile(path))
            ShowMessageDialog(FPrompter, path + "\nキーマクロのデータが正しくないため読み込めません。", "",
                              TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
    });
}

void TKeyMacroCommands::EndForClose()
{
    FMacro.StopRecord();
    FMacro.StopPlay();
}

TKeyMacroActionStates TKeyMacroCommands::States() const
{
    return KeyMacroActionStates(FMacro.State(), FMacro.Control() != nullptr);
}

} // namespace qx
