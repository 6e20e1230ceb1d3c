#pragma once
// The Edit menu's insertion dialogs: "日付と時刻の挿入" (TTimeForm) over TTimeFormModel and
// "行頭へ行番号を挿入" (TInsertLineNumDlg) over TLineNumberOptions. Each window shows the model's values
// and hands the user's back; the caller inserts on OK. Tests click them without exec().

#include "dialogs/InsertForms.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace qx {

class TTimeForm : public QDialog {
public:
    // Model: shown already (FormShow), kept by the caller.
    explicit TTimeForm(TTimeFormModel& Model, QWidget* Parent = nullptr);

    QComboBox* ComboBoxDate;
    QCheckBox* CheckBox1;
    QListWidget* UserListBoxDate;
    QLineEdit* Edit1;
    QPushButton* Button3;
    QPushButton* Button4;
    QToolButton* SpeedButton1;
    QPushButton* Button1;
    QPushButton* Button2;

private:
    void LoadUserList();
    void EnableLists();
    void SelectUserFormat(int Index);

    TTimeFormModel& FModel;
};

class TInsertLineNumDlg : public QDialog {
public:
    // LineCount: the current document's lines (the range fields go from 1 to it).
    TInsertLineNumDlg(int LineCount, QWidget* Parent = nullptr);
    // The values as the controls hold them.
    TLineNumberOptions Options() const;

    QSpinBox* SpinEdit1;
    QCheckBox* CheckBox2;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QSpinBox* SpinEditStart;
    QSpinBox* SpinEditEnd;
    QSpinBox* SpinEditInc;
    QSpinBox* SpinEditDef;
    QPushButton* Button1;
    QPushButton* Button2;

private:
    void EnableFields();
};

} // namespace qx
