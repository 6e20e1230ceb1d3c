#include "dialogs/KeySetModel.h"

#include "dialogs/CommandTable.h"
#include "dialogs/UserFiles.h"
#include "documents/MessageDialog.h"

#include <array>

namespace qx {

namespace {

constexpr std::array<std::string_view, 71> kKeyNames = {
    "F1",  "F2",   "F3",  "F4",    "F5",   "F6",    "F7",  "F8",  "F9", "F10", "F11",  "F12",
    "Tab", "Home", "End", "Space", "BkSp", "Enter", "Ins", "Del", "Up", "Down", "Right", "Left",
    "PgUp", "PgDn", "@",  "A",     "B",    "C",     "D",   "E",   "F",  "G",   "H",    "I",
    "J",   "K",    "L",   "M",     "N",    "O",     "P",   "Q",   "R",  "S",   "T",    "U",
    "V",   "W",    "X",   "Y",     "Z",    "1",     "2",   "3",   "4",  "5",   "6",    "7",
    "8",   "9",    "0",   "-",     "[",    "\\",    "]",   ",",   ".",  ";",   ":",
};

} // namespace

TKeySetModel::TKeySetModel(std::string shortCutFile, TApplyShortCuts applyShortCuts, TPrompter& prompter,
                           TFileDialogService& dialogs)
    : FShortCutFile(std::move(shortCutFile)), FApplyShortCuts(std::move(applyShortCuts)), FPrompter(prompter),
      FDialogs(dialogs), FTexts(DefaultKeyTexts())
{
}

std::span<const std::string_view> TKeySetModel::KeyNames()
{
    return kKeyNames;
}

void TKeySetModel::Show()
{
    Load(FShortCutFile);
    Select(0);
}

void TKeySetModel::Select(int node)
{
    if (node >= 0 && node < KeyTreeNodeCount) FSelected = node;
}

bool TKeySetModel::CanAssign() const
{
    return KeySetTree()[static_cast<std::size_t>(FSelected)].IsCommand();
}

std::string TKeySetModel::CurrentKeyText() const
{
    return CanAssign() ? FTexts[static_cast<std::size_t>(FSelected)] : std::string();
}

bool TKeySetModel::Assign(std::string_view keyName, bool shift, bool ctrl, bool alt)
{
    if (!CanAssign()) return false;
    std::string text;
    if (alt) text += "Alt+";
    if (shift) text += "Shift+";
    if (ctrl) text += "Ctrl+";
    text += keyName;
    const TShortCut key = TextToShortCut(text);
    if (key == scNone) return false;
    for (std::size_t i = 0; i < FTexts.size(); ++i) {
        if (!KeySetTree()[i].IsCommand() || TextToShortCut(FTexts[i]) != key) continue;
        ShowMessageDialog(FPrompter, "すでに他のコマンドに割り当てられています。", "確認",
                          TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
        return false;
    }
    FTexts[static_cast<std::size_t>(FSelected)] = text;
    return true;
}

void TKeySetModel::ClearKey()
{
    if (CanAssign()) FTexts[static_cast<std::size_t>(FSelected)].clear();
}

bool TKeySetModel::Load(const std::string& path)
{
    return RunReportingFileErrors(FPrompter, path, TFileAccess::Read, [&] { LoadKeySetFile(path, FTexts); });
}

bool TKeySetModel::Save(const std::string& path)
{
    return RunReportingFileErrors(FPrompter, path, TFileAccess::Write, [&] { SaveKeySetFile(path, FTexts); });
}

void TKeySetModel::LoadFile()
{
    std::string path;
    if (ChooseFile(FDialogs, false, KeyFileFilter, KeyFileExt, path)) Load(path);
}

void TKeySetModel::SaveFile()
{
    std::string path;
    if (ChooseFile(FDialogs, true, KeyFileFilter, KeyFileExt, path)) Save(path);
}

bool TKeySetModel::Ok()
{
    if (!Save(FShortCutFile)) return false;
    FApplyShortCuts(FShortCutFile);
    return true;
}

} // namespace qx
