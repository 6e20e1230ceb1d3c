#pragma once
// "ツールバーのカスタマイズ": the commands of a category on the left, the chosen bar's buttons on the
// right, and add, delete, up, down and reset between them. The lists live in TToolBarSetModel; OK hands
// them back (Bar), Cancel drops them.

#include "dialogs/ToolBarSetModel.h"

#include <QDialog>
#include <QIcon>

#include <functional>

class QAction;
class QComboBox;
class QListWidget;

namespace qx {

class TPrompter;

class TToolBarSetDialog : public QDialog {
public:
    // ActionOf(n): the window's action of command number n (its text), null when none. IconOf(n, caption):
    // the icon of command number n's entries, whose caption the dialog shows.
    // Loaded[b]: whether bar b + 1 exists ("LoadToolBar"); a bar that does not is not offered.
    TToolBarSetDialog(std::vector<int> Bar1, std::vector<int> Bar2, const bool (&Loaded)[2],
                      std::function<QAction*(int)> ActionOf, std::function<QIcon(int, const QString&)> IconOf,
                      TPrompter& Prompter, QWidget* Parent = nullptr);

    const TToolBarSetModel& Model() const { return FModel; }
    std::function<void()> Beep;

    // The dialog's buttons (also for tests, without exec()).
    void SelectCategory(int Index);
    void SelectBar(int Bar);  // 0 or 1
    void AddClick();
    void DeleteClick();
    void UpClick();
    void DownClick();
    void ResetClick();

    QListWidget* CommandList() const { return FCommands; }
    QListWidget* BarList() const { return FBar; }

private:
    int CurrentBar() const;
    void FillBar(int Select);
    QString TextOf(int Number) const;
    void AddItem(QListWidget& List, int Number) const;

    TToolBarSetModel FModel;
    std::function<QAction*(int)> FActionOf;
    std::function<QIcon(int, const QString&)> FIconOf;
    TPrompter& FPrompter;
    QComboBox* FCategory;
    QComboBox* FBarChoice;
    QListWidget* FCommands;
    QListWidget* FBar;
};

} // namespace qx
