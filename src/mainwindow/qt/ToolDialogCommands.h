#pragma once
// The main window's tool dialogs on its command set: each command makes its dialog for one showing,
// runs it modally (the clipboard viewer stays open beside the window) and acts on the active document.
// The object is a child of the window (objectName "ToolDialogCommands"); tests find it and replace the seams.

#include "dialogs/FileOperation.h"
#include "platform/qt/QtTrash.h"

#include <QDialog>
#include <QObject>
#include <QPointer>

#include <chrono>
#include <functional>

namespace qx {

class TClipBoardViewer;
class TQxEditorMain;

class TToolDialogCommands : public QObject {
public:
    explicit TToolDialogCommands(TQxEditorMain& Main);

    // Binds the tool commands onto the window's command set.
    void Bind();

    // How a dialog is shown modally (exec() unless a test drives it); answers its result.
    std::function<int(QDialog&)> Exec = [](QDialog& Dialog) { return Dialog.exec(); };
    // The clock of the date and time (the system's when empty).
    std::function<std::chrono::system_clock::time_point()> Now;
    // The trash (the desktop's unless a test sets another).
    TTrash* Trash = &FTrash;
    // Texts of this many screen rows and more show the progress window while they are counted.
    int ProgressRows = 20000;

    // The commands.
    void InsertTime();
    void InsertLineNumbers();
    void FileProperty();
    void FileOperate(TFileOpeMode Mode);
    void FileDelete();
    void TimeStampManager();
    void Version();
    void Jump();
    void ClipView();
    void SendMail();
    void AllDocs();
    void SaveAsHtml();

    // The open clipboard viewer, null while it is closed.
    TClipBoardViewer* ClipViewer() const;

private:
    bool StayOnTop() const;
    // Runs a modal dialog with the window's stay-on-top state.
    int Run(QDialog& Dialog);
    void Beep();

    TQxEditorMain& FMain;
    TQtTrash FTrash;
    QPointer<TClipBoardViewer> FClipViewer;
};

} // namespace qx
