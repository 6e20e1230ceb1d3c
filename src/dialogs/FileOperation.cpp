#include "dialogs/FileOperation.h"

#include "documents/DocumentFiles.h"
#include "documents/MessageDialog.h"
#include "platform/Prompter.h"

#include <filesystem>

namespace qx {

namespace fs = std::filesystem;

namespace {

void Tell(TPrompter& Prompter, const std::string& Text, TMsgDlgType Kind)
{
    ShowMessageDialog(Prompter, Text, Kind == TMsgDlgType::mtError ? "エラー" : "確認", Kind, {TMsgDlgBtn::mbOK});
}

} // namespace

std::string FileOpeCaption(int Mode)
{
    switch (Mode) {
    case fomMove: return "ファイルの移動";
    case fomCopy: return "ファイルのコピー";
    case fomRename: return "ファイル名の変更";
    case fomCopyRename: return "ファイルのコピー＆リネーム";
    case fomMoveRename: return "ファイルの移動＆リネーム";
    default: return {};
    }
}

bool FileOpeTakesName(int Mode) { return Mode == fomRename || Mode == fomCopyRename || Mode == fomMoveRename; }
bool FileOpeTakesFolder(int Mode) { return Mode >= fomMove && Mode <= fomMoveRename && Mode != fomRename; }

TFileOpeResult ExecuteFileOperation(int Mode, const std::string& Source, const std::string& Name,
                                    const std::string& Folder, TPrompter& Prompter)
{
    TFileOpeResult result;
    result.NewFileName = Source;
    if (FileOpeCaption(Mode).empty()) return result;
    std::error_code ec;
    if (!fs::is_regular_file(Source, ec)) {
        Tell(Prompter, "ファイルは存在しません。", TMsgDlgType::mtInformation);
        return result;
    }
    const std::string name = FileOpeTakesName(Mode) ? Name : fs::path(Source).filename().string();
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
        Tell(Prompter, "ファイル名を正しく指定してください。", TMsgDlgType::mtInformation);
        return result;
    }
    const fs::path folder = FileOpeTakesFolder(Mode) ? fs::path(Folder) : fs::path(Source).parent_path();
    if (folder.empty() || !fs::is_directory(folder, ec)) {
        Tell(Prompter, "指定先フォルダが存在しません。", TMsgDlgType::mtInformation);
        return result;
    }
    const std::string target = (folder / name).string();

    bool overwrite = false;
    if (fs::exists(fs::symlink_status(target, ec))) {
        if (fs::equivalent(Source, target, ec)) {
            // The file is where it was asked to be: nothing to do, and nothing to rebind.
            result.Done = true;
            return result;
        }
        if (fs::is_directory(target, ec) || Mode == fomRename || Mode == fomCopyRename) {
            Tell(Prompter, "「" + target + "」は既に存在します。", TMsgDlgType::mtInformation);
            return result;
        }
        if (ShowMessageDialog(Prompter, "「" + target + "」は既に存在します。\n上書きしてもよろしいですか？", "確認",
                              TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mr::Yes)
            return result;
        overwrite = true;
    }

    const bool copies = Mode == fomCopy || Mode == fomCopyRename;
    const bool ok = copies ? CopyFileTo(Source, target, overwrite) : MoveFileTo(Source, target, overwrite);
    if (!ok) {
        Tell(Prompter, FileOpeCaption(Mode) + "に失敗しました。\n" + target, TMsgDlgType::mtError);
        return result;
    }
    result.Done = true;
    if (!copies) {
        result.NewFileName = target;
        result.Rebind = true;
    }
    return result;
}

} // namespace qx
