#pragma once
// "エディタ環境": the editor environment manager over TEditEnvManager. The list of environments and
// the buttons; each button runs the manager's operation and the list and the buttons show its state.

#include "dialogs/EditEnvManager.h"
#include "platform/qt/GuardedCall.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace qx {

class TEditEnvDialog : public QDialog {
public:
    TEditEnvDialog(TEditEnvManager& Manager, TExceptionHandler OnError, QWidget* Parent = nullptr);

    void ApplyStayOnTop(bool StayOnTop);
    QListWidget* List() const { return FList; }
    QPushButton* ButtonNamed(const char* Name) const;

protected:
    void done(int Result) override;

private:
    void ShowState();

    TEditEnvManager& FManager;
    TExceptionHandler FOnError;
    QListWidget* FList;
};

} // namespace qx
