#pragma once
// "エディタオプション設定": the editor options dialog over TEditOptionModel. The environment list, the
// page list with its icons and the host of the page shown; OK and "適用(&A)" run the model's Apply.

#include "dialogs/EditOptionModel.h"
#include "platform/qt/GuardedCall.h"

#include <QDialog>

#include <functional>
#include <string>

class QComboBox;
class QListWidget;
class QWidget;

namespace qx {

class TFileDialogService;
class TEditOptionPage;

// What the pages and the dialog reach beyond the working copy.
struct TEditOptionContext {
    TEditOptionModel& Model;
    TFileDialogService& Dialogs;
    // The current editor's visible columns (the wrap page's "ウインドウの幅に合わせる"); 0 without one.
    std::function<int()> VisibleColumns;
    std::function<void()> Beep;
    TExceptionHandler OnError;
};

class TEditOptionDialog : public QDialog {
public:
    TEditOptionDialog(TEditOptionContext Context, TEditOptionHost& Host, QWidget* Parent = nullptr);

    void ApplyStayOnTop(bool StayOnTop);
    // FormShow: the environments listed, the current tab's chosen, its first page shown.
    void FormShow(int CurrentEnvironment);

    // Button2 "定義": the environment manager; set by the owner.
    std::function<void()> OnDefine;
    // After the manager: the list again, environment 0 loaded, the first page shown.
    void ShowEnvironments();

    void SelectPage(int Page);
    bool Apply();
    void Ok();

    QComboBox* EnvironmentBox() const { return FEnvBox; }
    QListWidget* PageList() const { return FPageList; }
    TEditOptionPage* CurrentPage() const { return FPage; }

private:
    void EnvironmentChanged(int Index);
    void ShowPage();

    TEditOptionContext FContext;
    TEditOptionHost& FHost;
    QComboBox* FEnvBox;
    QListWidget* FPageList;
    QWidget* FHostPanel;
    TEditOptionPage* FPage = nullptr;
};

} // namespace qx
