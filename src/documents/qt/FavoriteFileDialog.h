#pragma once
// "お気に入り": the favourite files with open, add, delete, up, down and each file's size and time
// stamp. The list and its rules live in TFavoriteDialogModel; the window opens the chosen file through
// OpenFile (its normal road, which reports its own errors).

#include "documents/FavoriteDialogModel.h"

#include <QDialog>

#include <functional>

class QLabel;
class QListWidget;

namespace qx {

class TFileDialogService;
class TPrompter;

class TFavoriteFileDialog : public QDialog {
public:
    TFavoriteFileDialog(TGlobalState& State, TPrompter& Prompter, TFileDialogService& Dialogs, QWidget* Parent = nullptr);

    // Opens a file by the window's road; the dialog closes after it.
    std::function<void(const std::string& Path)> OpenFile;

    // The buttons (also for tests, without exec()).
    void OpenClick();
    void AddClick();
    void DeleteClick();
    void UpClick();
    void DownClick();

    QListWidget* List() const { return FList; }
    QString SizeText() const;
    QString TimeText() const;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void Fill(int Select);
    void ShowDetails();

    TFavoriteDialogModel FModel;
    TPrompter& FPrompter;
    TFileDialogService& FDialogs;
    QListWidget* FList;
    QLabel* FSize;
    QLabel* FTime;
};

} // namespace qx
