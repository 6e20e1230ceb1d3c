#pragma once
// The print dialog "印刷": font, numbering, columns, margins, header and footer, page and line ranges,
// copies, start numbers, tab width and wrap rules for the active document; print, preview and printer
// setup. Every control writes its field at once (TPrintDialogModel); closing stores the settings.

#include "print/PrintDialogModel.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace qx {

class TPrintCommands;
class TQxEditor;

class TPrinterDialog : public QDialog {
    Q_OBJECT
public:
    TPrinterDialog(TPrintCommands& Commands, TQxEditor* Editor, QWidget* Parent = nullptr);

    TPrintDialogModel& Model() { return FModel; }
    // Puts the format menu's item Index into the header (Footer false) or footer field at its caret.
    void InsertFormat(bool Footer, int Index);
    void RefreshCaption();
    // Button5, Button6: print and preview (the dialog stays open).
    bool PrintClick();
    bool PreviewClick();

protected:
    void done(int Result) override;

private:
    void Build();
    void Fill();
    void UpdateEnabled();

    TPrintCommands& FCommands;
    TPrintDialogModel FModel;
    bool FFilling = false;

public:
    // Controls by their component names.
    QComboBox *ComboBox1, *ComboBox2, *ColumnComboBox, *ComboBox3, *ComboBox4, *ComboBox5, *ComboBox6,
        *ComboBox7, *ComboBox8, *PageOptionComboBox, *TabSpaceCountComboBox;
    QCheckBox *CheckBox1, *CheckBox2;
    QSpinBox *ColumnMarginSpinEdit, *FirstLineSpinEdit, *LeftMarginSpinEdit, *RightMarginSpinEdit,
        *TopMarginSpinEdit, *BottomMarginSpinEdit, *LineMarginSpinEdit, *StartPageSpinEdit, *EndPageSpinEdit,
        *StartLineSpinEdit, *EndLineSpinEdit, *NumberOfCopiesSpinEdit, *FirstPageSpinEdit;
    QLineEdit *Edit1, *Edit2;
    QToolButton *SpeedButton1, *SpeedButton2;
    QRadioButton *PrintRangeRadioButton1, *PrintRangeRadioButton2, *PrintLineRadioButton1, *PrintLineRadioButton2,
        *WrapOptionRadioButton1, *WrapOptionRadioButton2;
    QPushButton *Button1, *Button4, *Button5, *Button6;
    QMenu* PopupMenu1;
};

} // namespace qx
