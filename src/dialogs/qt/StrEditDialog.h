#pragma once
// The quote-mark editor ("引用符の編集"): shown just before a quoting command runs, over the marks of
// that command's mode (one edit, or a head and a tail edit for enclosing).

#include "dialogs/QuoteMarks.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QWidget;

namespace qx {

class TStrEditDialog : public QDialog {
public:
    TStrEditDialog(int StrEditMode, TOptionSettings& Settings, QWidget* Parent = nullptr);

    QWidget* SinglePanel;
    QWidget* DoublePanel;
    QLineEdit* Edit1;  // "使用する文字列："
    QLineEdit* Edit2;  // "文字列頭に追加する文字列："
    QLineEdit* Edit3;  // "文字列末に追加する文字列："
    QPushButton* Button1;  // OK
    QPushButton* Button2;  // CANCEL

    // True after OK, which stored the edits into the settings.
    bool StrEditResult() const { return FEditor.Result(); }

private:
    void Button1Click();

    TQuoteMarkEditor FEditor;
};

// Shows the editor for StrEditMode over Settings; true when the user pressed OK.
bool ExecuteStrEditDialog(int StrEditMode, TOptionSettings& Settings, bool StayOnTop, QWidget* Parent);

} // namespace qx
