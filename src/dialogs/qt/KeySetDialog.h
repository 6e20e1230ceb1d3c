#pragma once
// "キー割り当て": the key assignment dialog, built in code over TKeySetModel. The widgets only show the
// model and forward the user's choices; every rule lives in the model.

#include "platform/qt/GuardedCall.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace qx {

class TKeySetModel;

class TKeySetDialog : public QDialog {
    Q_OBJECT
public:
    TKeySetDialog(TKeySetModel& model, TExceptionHandler onError, QWidget* parent = nullptr);

    // FormShow: the model reads the key file; the first key name and the first node are chosen.
    void showEvent(QShowEvent* event) override;

    QTreeWidget* Tree() const { return FTree; }

    void Assign();   // Button1
    void ClearKey(); // Button2
    void LoadFile(); // Button3
    void SaveFile(); // Button4
    void Ok();       // Button5

private:
    void SelectionChanged();
    void Refresh();

    TKeySetModel& FModel;
    TExceptionHandler FOnError;
    QTreeWidget* FTree;
    QComboBox* FKeyBox;
    QCheckBox* FShift;
    QCheckBox* FCtrl;
    QCheckBox* FAlt;
    QPushButton* FAssign;
    QPushButton* FClear;
    QLabel* FCurrent;
    bool FShown = false;
};

} // namespace qx
