#pragma once
// The external-command dialog ("コマンド"): the list of programs with their parameter templates, kept in
// "Command"; add, change, delete, and execute with the current document's file name.

#include "dialogs/ExternalCommands.h"
#include "platform/qt/GuardedCall.h"

#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace qx {

class TCommandDialog : public QDialog {
public:
    // Folder: the program folder (ending with "/"); FileName: the current document's file name (the
    // file system's bytes, "" when untitled); CloseDialog: the "close after executing" switch, read
    // here and written back when the dialog closes.
    TCommandDialog(std::string Folder, std::string FileName, bool& CloseDialog, TPrompter& Prompter,
                   TLauncher& Launcher, TExceptionHandler OnError, QWidget* Parent = nullptr);

    // The file and folder choosers of the field menus (empty: the user chose nothing).
    std::function<QString()> ChooseFile;
    std::function<QString()> ChooseFolder;
    std::function<void()>& Beep() { return FModel.Beep; }

    QListWidget* ListBox1;
    QLineEdit* Edit1;  // コマンドライン
    QLineEdit* Edit2;  // パラメータ
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QPushButton* Button10;  // 追加
    QPushButton* Button3;   // 変更
    QPushButton* Button11;  // 削除
    QPushButton* Button1;   // 実行
    QPushButton* Button2;   // 閉じる
    QCheckBox* CloseCheckBox;

    TCommandListModel& Model() { return FModel; }
    void Button1Click();

    // Saves the list and the switch.
    void done(int Result) override;

private:
    // Runs a change of the model with the fields' texts, then shows the model again.
    void Run(void (TCommandListModel::*Change)());
    void ShowModel();
    void Insert(QLineEdit* Edit, const QString& Text);

    TCommandListModel FModel;
    std::string FFileName;
    bool& FCloseDialog;
    TExceptionHandler FOnError;
};

} // namespace qx
