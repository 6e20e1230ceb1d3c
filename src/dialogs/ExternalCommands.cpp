#include "dialogs/ExternalCommands.h"

#include "platform/Cp932.h"
#include "platform/Launcher.h"
#include "platform/Prompter.h"
#include "platform/TextListFile.h"

#include <algorithm>

namespace qx {

std::string CommandProgram(std::string_view Line)
{
    const std::size_t com = Line.find("Com=");
    if (com == std::string_view::npos) return std::string(Line);
    const std::size_t end = Line.find(';', com + 4);
    if (end == std::string_view::npos) return std::string(Line);
    return std::string(Line.substr(com + 4, end - com - 4));
}

std::string CommandParameters(std::string_view Line)
{
    const std::size_t parm = Line.find("Parm=");
    if (parm == std::string_view::npos) return {};
    std::string_view rest = Line.substr(parm + 5);
    if (!rest.empty() && rest.back() == ';') rest.remove_suffix(1);
    return std::string(rest);
}

std::string CommandLine(std::string_view Program, std::string_view Parameters)
{
    return "Com=" + std::string(Program) + ";Parm=" + std::string(Parameters) + ";";
}

std::vector<std::string> SplitArguments(std::string_view Template)
{
    std::vector<std::string> arguments;
    std::size_t i = 0;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (true) {
        while (i < Template.size() && blank(Template[i])) ++i;
        if (i == Template.size()) return arguments;
        std::string argument;
        bool quoted = false;
        // Shift-JIS trail bytes are never a blank or a quote (both below 0x40), so bytes may be walked.
        for (; i < Template.size() && (quoted || !blank(Template[i])); ++i) {
            if (Template[i] == '"')
                quoted = !quoted;
            else
                argument += Template[i];
        }
        arguments.push_back(std::move(argument));
    }
}

std::string ReplaceFileName(std::string_view Text, std::string_view FileName)
{
    std::string result;
    std::size_t from = 0;
    for (std::size_t at; (at = Text.find(kFileNamePlaceholder, from)) != std::string_view::npos;
         from = at + kFileNamePlaceholder.size()) {
        result.append(Text.substr(from, at - from));
        result.append(FileName);
    }
    result.append(Text.substr(from));
    return result;
}

TCommandInvocation PrepareCommand(std::string_view Line, std::string_view FileName)
{
    TCommandInvocation invocation;
    invocation.Program = ReplaceFileName(Cp932ToUtf8(CommandProgram(Line)), FileName);
    for (const std::string& argument : SplitArguments(CommandParameters(Line)))
        invocation.Arguments.push_back(ReplaceFileName(Cp932ToUtf8(argument), FileName));
    return invocation;
}

TCommandListModel::TCommandListModel(std::string Folder, TPrompter& Prompter, TLauncher& Launcher)
    : FFolder(std::move(Folder)), FPrompter(Prompter), FLauncher(Launcher)
{
}

void TCommandListModel::Load()
{
    LoadTextList(FFolder + "Command", FLines);
    FLoaded = true;
    Select(FLines.Empty() ? -1 : 0);
}

void TCommandListModel::Save() const
{
    if (FLoaded) SaveTextList(FFolder + "Command", FLines);
}

void TCommandListModel::Select(int Index)
{
    FItemIndex = Index >= 0 && Index < FLines.Count() ? Index : -1;
    if (FItemIndex < 0) return;
    Program = CommandProgram(FLines[FItemIndex]);
    Parameters = CommandParameters(FLines[FItemIndex]);
}

void TCommandListModel::Add()
{
    FLines.Add(CommandLine(Program, Parameters));
    FItemIndex = FLines.Count() - 1;
}

void TCommandListModel::Change()
{
    if (FItemIndex >= 0) FLines.Put(FItemIndex, CommandLine(Program, Parameters));
}

void TCommandListModel::Delete()
{
    if (FItemIndex < 0) return Warn("削除するコマンドが選択されていません。");
    FLines.Delete(FItemIndex);
    Select(std::min(FItemIndex, FLines.Count() - 1));
}

bool TCommandListModel::Execute(const std::string& FileName)
{
    if (FItemIndex < 0 || FLines[FItemIndex].empty()) {
        Warn("実行するコマンドが選択されていません。");
        return false;
    }
    const TCommandInvocation command = PrepareCommand(FLines[FItemIndex], FileName);
    if (!command.Program.empty() && FLauncher.Start(command.Program, command.Arguments, FFolder)) return true;
    TPromptRequest request;
    request.Text = "\"" + command.Program + "\" を実行できませんでした。";
    request.Kind = TMsgDlgType::mtError;
    FPrompter.Show(request);
    return false;
}

void TCommandListModel::Warn(const std::string& Utf8Text)
{
    if (Beep) Beep();
    TPromptRequest request;
    request.Text = Utf8Text;
    request.Caption = "確認";
    request.Kind = TMsgDlgType::mtInformation;
    FPrompter.Show(request);
}

} // namespace qx
