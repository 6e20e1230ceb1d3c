#pragma once
// "環境オプション設定": the page tree on the left, one page at a time in the host panel on the right,
// and OK, CANCEL, apply and help (disabled: there is no help viewer). Every page works on the model's
// working copy; only apply and OK move it into the program.

#include "dialogs/OptionDialog.h"
#include "dialogs/qt/OptionPages.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

namespace qx {

class TOptionDialog : public QDialog {
public:
    TOptionDialog(TOptionDialogModel& Model, TOptionPageContext Context, QWidget* Parent = nullptr);

    // The page of tree node Index (0..19) replaces the one shown.
    void ShowPage(int Index);
    TOptionPage* Page() const { return FPage; }
    int PageIndex() const { return FPageIndex; }
    QTreeWidget* Tree() const { return FTree; }

    // The buttons (also for tests, without exec()).
    void Button1Click();  // apply
    void Button3Click();  // OK: apply, then close
    void Button4Click();  // CANCEL

private:
    void TreeView1Change();
    void Apply();

    TOptionDialogModel& FModel;
    TOptionPageContext FContext;
    QTreeWidget* FTree;
    QWidget* FHost;
    TOptionPage* FPage = nullptr;
    int FPageIndex = -1;
};

} // namespace qx
