#pragma once
// The grep dialog ("Grepの実行"): a window built in code over TGrepDialogModel. Grep runs inside the OK
// button's handler on the UI thread; the model's poll runs the pending events, so the window repaints,
// shows the file being searched in its caption and the cancel button answers. While it runs, closing the
// window (the close box, Esc) cancels the run instead; the dialog closes when the run has ended.

#include "dialogs/GrepDialog.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace qx {

class TGrepDialog : public QDialog {
public:
    TGrepDialog(TGlobalState& State, TGrepHost& Host, QWidget* Parent = nullptr);

    // The folder and file choosers (the main window's folder dialog and open dialog): a name, or "" when
    // cancelled.
    std::function<std::string()> ChooseFolder;
    std::function<std::string()> ChooseFile;

    // The show handler: Selection is the focused editor's selection (Shift-JIS).
    void FormShow(const std::string& Selection);
    void ApplyStayOnTop(bool StayOnTop);
    // FormShow, then modal; the modal result.
    int RunModal(const std::string& Selection);

    TGrepDialogModel& Model() { return FModel; }

    QComboBox* ComboBox1;  // pattern
    QComboBox* ComboBox2;  // mask
    QPushButton* Button1;  // folder
    QPushButton* Button2;  // file
    QCheckBox* CheckBoxFuzzy;
    QCheckBox* CheckBoxSubDir;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    void reject() override;

protected:
    void closeEvent(QCloseEvent* Event) override;

private:
    void Store();
    void ShowState();
    void OKButtonClick();

    TGrepDialogModel FModel;
};

} // namespace qx
