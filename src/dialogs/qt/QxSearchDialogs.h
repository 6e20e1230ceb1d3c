#pragma once
// The find ("検索") and replace ("置換") dialogs: windows built in code over a TFindDialogModel, which
// holds their logic and outlives them (the window is made for one showing and released). The window
// copies the model into its controls when shown and back when a button is pressed; the buttons run the
// model's handlers, so a test drives the dialog by clicking without exec().

#include "dialogs/FindDialog.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace qx {

class TStringList;

// The dialogs' text fields: an editable combo box that lists a history; FillHistoryCombo shows Items and
// Text, both Shift-JIS when Sjis is set (search texts), else the file system's bytes (masks).
QComboBox* MakeHistoryCombo(QWidget* Parent, const char* Name);
void FillHistoryCombo(QComboBox* Combo, const TStringList& Items, const std::string& Text, bool Sjis);

class TSearchDialogBase : public QDialog {
public:
    // The model's show handler, then its values into the controls; the find field gets the focus.
    void FormShow(const TEditor* Editor);
    // The main window's stay-on-top state.
    void ApplyStayOnTop(bool StayOnTop);
    // Shows the dialog modally (FormShow first) and returns its modal result: the run ExecuteFind and
    // ExecuteReplace take.
    int RunModal(const TEditor* Editor);

    TFindDialogModel& Model() { return FModel; }

    QCheckBox* WholeWordCheck;
    QCheckBox* MatchCaseCheck;
    QCheckBox* NoMatchZenkakuCheck;
    QCheckBox* IncludeCRLFCheck;
    QCheckBox* EscapeCheck;
    QGroupBox* DirectRadioGroup;
    QRadioButton* DirectRadio[3];
    QPushButton* OKButton;
    QPushButton* ReplaceCancelButton;

protected:
    TSearchDialogBase(TFindDialogModel& Model, QWidget* Parent);
    // The fields' combo boxes: find, and replace (null in the find dialog).
    void Build(QComboBox* Find, QComboBox* Replace, QCheckBox* Confirm, QPushButton* All);
    // Controls -> model, and back.
    void Store();
    void Load();
    void OKButtonClick();
    void AllReplaceButtonClick();

    TFindDialogModel& FModel;
    QComboBox* FFind = nullptr;
    QComboBox* FReplace = nullptr;
    QCheckBox* FConfirm = nullptr;
};

class TFindDialog : public TSearchDialogBase {
public:
    // Model: a find dialog's logic (not a replace dialog's), which the caller keeps.
    explicit TFindDialog(TFindDialogModel& Model, QWidget* Parent = nullptr);
    QComboBox* FindTextComboBox;
};

class TReplaceDialog : public TSearchDialogBase {
public:
    // Model: a replace dialog's logic, which the caller keeps.
    explicit TReplaceDialog(TFindDialogModel& Model, QWidget* Parent = nullptr);
    QComboBox* FindText;
    QComboBox* ReplaceText;
    QCheckBox* ReplaceConfirmCheck;
    QPushButton* AllReplaceButton;
};

} // namespace qx
