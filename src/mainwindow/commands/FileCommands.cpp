#include "mainwindow/commands/FileCommands.h"

#include "documents/MessageDialog.h"
#include "mainwindow/files/TabModel.h"
#include "platform/Trash.h"

namespace qx {

bool RequireDocumentFile(const std::string& Name, TPrompter& Prompter, const std::function<void()>& Beep)
{
    if (IsNamedFile(Name)) return true;
    if (Beep) Beep();
    ShowMessageDialog(Prompter, "ファイルは存在しません。", "確認", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
    return false;
}

bool MoveDocumentToTrash(const std::string& Name, TTrash& Trash, TPrompter& Prompter, const std::function<void()>& Beep)
{
    if (!RequireDocumentFile(Name, Prompter, Beep)) return false;
    if (ShowMessageDialog(Prompter, "現在開いているファイルをごみ箱へ移動してもいいですか？", "確認",
                          TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}) != mr::Yes)
        return false;
    if (Trash.MoveToTrash(Name)) return true;
    ShowMessageDialog(Prompter, "ごみ箱へ移動できませんでした。\n" + Name, "エラー", TMsgDlgType::mtError,
                      {TMsgDlgBtn::mbOK});
    return false;
}

} // namespace qx
