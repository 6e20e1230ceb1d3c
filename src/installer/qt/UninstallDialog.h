#pragma once
// The uninstall worker's window: it says that the removal runs, runs it shortly after it is shown,
// then shows the result and enables "終了".

#include <QDialog>

class QLabel;
class QPushButton;

namespace qx {

class TSetup;

class TUninstallDialog : public QDialog {
    Q_OBJECT
public:
    explicit TUninstallDialog(TSetup& setup, QWidget* parent = nullptr);
    bool Removed() const { return FRemoved; }

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void RunRemoval();

    TSetup& FSetup;
    QLabel* FText;
    QPushButton* FCloseButton;
    bool FStarted = false;
    bool FRemoved = false;
};

} // namespace qx
