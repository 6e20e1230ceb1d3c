#pragma once
// The signature settings ("署名の設定": the three signatures in three editor panes) and the signature
// insertion ("署名の挿入": one signature in an editable preview, put into a document at its caret).

#include "platform/qt/GuardedCall.h"

#include <QDialog>

#include <string>

class QListWidget;
class QPushButton;
class QTabWidget;

namespace qx {

class TEditor;
class TEditorWidget;

class TSyomeiDialog : public QDialog {
public:
    // Folder: the program folder (ending with "/"); errors go to OnError.
    TSyomeiDialog(std::string Folder, TExceptionHandler OnError, QWidget* Parent = nullptr);

    QTabWidget* PageControl1;
    TEditorWidget* MemoSyomei[3];
    QPushButton* Button1;  // OK: saves the signatures that were read
    QPushButton* Button2;  // CANCEL

    // Loads the three signatures, creating missing files with their default texts (done at the first
    // showing).
    void FormShow();

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void Button1Click();

    std::string FFolder;
    TExceptionHandler FOnError;
    bool FShown = false;
    // The signatures that were read: OK writes only these (one that could not be read stays as it is).
    bool FLoaded[3] = {false, false, false};
};

class TSignForm : public QDialog {
public:
    // Target: the editor the signature goes into (none: OK only closes); CaretAfter: the editor's
    // "caret after insertion" option.
    TSignForm(std::string Folder, TEditor* Target, bool CaretAfter, TExceptionHandler OnError,
              QWidget* Parent = nullptr);

    QListWidget* ListBox1;
    TEditorWidget* SignQxEditor;
    QPushButton* Button1;  // OK: inserts the preview's text
    QPushButton* Button2;  // CANCEL

    // Selects signature 1 and loads it (done at the first showing).
    void FormShow();
    // Loads signature Index + 1 into the preview.
    void ListBox1Click();

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void Button1Click();

    std::string FFolder;
    TEditor* FTarget;
    bool FCaretAfter;
    TExceptionHandler FOnError;
    bool FShown = false;
};

} // namespace qx
