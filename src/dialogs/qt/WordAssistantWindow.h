#pragma once
// The word assistant ("定型文字列"): a stay-on-top tool window at the focused editor's caret with the
// five phrase lists on five pages; OK (the button, Enter or a double click) puts the chosen phrase into
// the focused editor.

#include "platform/qt/GuardedCall.h"

#include <QWidget>

#include <functional>
#include <string>

class QCheckBox;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace qx {

class TEditor;

class TWordAssistant : public QWidget {
public:
    // Folder: the program folder (ending with "/"); CloseDialog: the "close after inserting" switch,
    // read at the showing and written back when the window closes.
    TWordAssistant(std::string Folder, bool& CloseDialog, TExceptionHandler OnError, QWidget* Parent);

    // The editor a phrase goes into, and whether its caret goes after the phrase (none: nothing
    // happens).
    std::function<TEditor*()> FocusedEditor;
    std::function<bool(const TEditor&)> CaretAfterInsertion;
    // The window closed, its switch written back.
    std::function<void()> OnClosed;

    QTabWidget* PageControl1;
    QListWidget* ListBox[5];
    QCheckBox* CloseCheckBox;
    QPushButton* Button1;  // OK
    QPushButton* Button2;  // CANCEL

    // Loads the five lists (creating the missing files) and selects the first line of the first page.
    void FormShow();
    // Places the window at a caret (its top-left and row height in screen pixels).
    void PlaceAtCaret(int CaretX, int CaretY, int RowHeight);
    void ActionOK();

protected:
    void closeEvent(QCloseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;

private:
    void PageChanged(int Page);

    std::string FFolder;
    bool& FCloseDialog;
    TExceptionHandler FOnError;
};

} // namespace qx
