// The main window as the host of the file roads (open, save, save as, insert file): its tabs, the
// current document and the steps around loading and saving.

#include "mainwindow/qt/QxEditorMain.h"

#include "dialogs/ProjectDocNames.h"
#include "dialogs/ProjectManager.h"
#include "documents/qt/QxFileDialogs.h"
#include "editor/EditorControl.h"
#include "editor/QxEditor.h"
#include "mainwindow/files/BackupCopies.h"
#include "mainwindow/qt/EditorFrame.h"

#include <QTabWidget>

namespace qx {

TFileDialogService& TQxEditorMain::Dialogs()
{
    if (!FDialogs) FDialogs = std::make_unique<TQtFileDialogService>(this);
    return *FDialogs;
}

void TQxEditorMain::SetDialogs(std::unique_ptr<TFileDialogService> Dialogs) { FDialogs = std::move(Dialogs); }

void TQxEditorMain::MessageBeep()
{
    if (Beep) Beep();
}

int TQxEditorMain::CurrentPage() const { return FPages->currentIndex(); }

bool TQxEditorMain::CurrentTabInUse()
{
    TEditorFrame* frame = CurrentFrame();
    return !frame || TabInUse(frame->FileName(), frame->MainEditor().Modified());
}

TDocumentEditor& TQxEditorMain::CurrentDocument()
{
    TEditorFrame* frame = CurrentFrame();
    if (!frame) throw std::logic_error("no document is open");
    FDocument.emplace(frame->Document());
    return *FDocument;
}

void TQxEditorMain::DocumentOpened(const TOpenRequest& Request)
{
    if (FState.Settings.Option.NPadDiary) InsertLogStamp();
    ApplyOptions(Request);
    RefreshStatusBar();
}

bool TQxEditorMain::StoreProjectItem() { return FProject->StoreProjectItemText(); }

std::string TQxEditorMain::ProjectItemShownName()
{
    return ProjectItemNameFromDocName(Name(CurrentPage()));
}

void TQxEditorMain::MakeBackupFile(const std::string& FileName)
{
    const auto* editor = dynamic_cast<const TQxEditor*>(CurrentEditor());
    if (!editor) return;
    const auto now = Clock ? Clock() : std::chrono::system_clock::now();
    qx::MakeBackupFile(FileName, BackupSettingsOf(*editor), LocalTimeOf(now), FPrompter);
}

} // namespace qx
