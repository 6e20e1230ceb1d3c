#include "mainwindow/qt/AutoSaveTimer.h"

#include "editor/QxEditor.h"
#include "mainwindow/files/BackupCopies.h"
#include "mainwindow/files/TabModel.h"
#include "mainwindow/qt/QxEditorMain.h"

#include <QApplication>

namespace qx {

TAutoSaveTimer::TAutoSaveTimer(TQxEditorMain& Main) : QObject(&Main), FMain(Main)
{
    FTimer.setInterval(60000);
    connect(&FTimer, &QTimer::timeout, this, [this] { Tick(); });
}

void TAutoSaveTimer::Tick()
{
    TQxEditor* editor = FMain.CurrentEditor();
    if (!editor || FMain.Count() == 0) return;
    const std::string name = FMain.Name(FMain.CurrentPage());
    const bool named = IsNamedFile(name);
    const bool busy = QApplication::activeModalWidget() != nullptr || FMain.Busy();
    if (AutoSaveDue(*editor, named, busy)) FMain.FileSave();
}

} // namespace qx
