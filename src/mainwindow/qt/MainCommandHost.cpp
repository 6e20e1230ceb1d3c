#include "mainwindow/qt/MainCommandHost.h"

#include "documents/GlobalState.h"
#include "documents/ProgramFolder.h"
#include "editor/EditorControl.h"
#include "mainwindow/qt/EditorFrame.h"
#include "mainwindow/qt/MainComponents.h"
#include "mainwindow/qt/QxEditorMain.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTabWidget>

namespace qx {

TEditor* TQtMainCommandHost::CurrentEditor() { return FMain.CurrentEditor(); }
TEditor* TQtMainCommandHost::FocusedEditor() { return FMain.FocusedEditor(); }

TEditor* TQtMainCommandHost::SecondEditor()
{
    TEditorFrame* frame = FMain.CurrentFrame();
    return frame ? frame->SecondEditor() : nullptr;
}

TMainSettings& TQtMainCommandHost::Settings() { return FState.Settings; }

int TQtMainCommandHost::TabCount() const { return FMain.Count(); }
int TQtMainCommandHost::CurrentTab() const { return FMain.Pages()->currentIndex(); }
void TQtMainCommandHost::SelectTab(int Page) { FMain.Pages()->setCurrentIndex(Page); }

bool TQtMainCommandHost::AnyModified() const
{
    for (int page = 0; page < FMain.Count(); ++page)
        if (FMain.Modified(page)) return true;
    return false;
}

void TQtMainCommandHost::NewTab() { FMain.NewTab(); }
void TQtMainCommandHost::CloseActive() { FMain.Close1Click(); }
void TQtMainCommandHost::CloseAll() { FMain.CloseAllDocuments(); }

bool TQtMainCommandHost::HasSplit() const
{
    TEditorFrame* frame = FMain.CurrentFrame();
    return frame && frame->HasSplit();
}

void TQtMainCommandHost::CreateSplit() { FMain.CreateSplit(); }
void TQtMainCommandHost::RemoveSplit() { FMain.RemoveSplit(); }
bool TQtMainCommandHost::FileSave() { return FMain.FileSave(); }
TFileRoadHost& TQtMainCommandHost::Files() { return FMain; }
std::string TQtMainCommandHost::ProgramPath() { return ExecutablePath(); }

bool TQtMainCommandHost::SecondCopyAllowed() { return !FState.Settings.Basic.NotExecute; }

void TQtMainCommandHost::SetStayOnTop(bool Value)
{
    FStayOnTop = Value;
    const bool visible = FMain.isVisible();
    FMain.setWindowFlag(Qt::WindowStaysOnTopHint, Value);
    // A changed window flag hides the window; it comes back as it was.
    if (visible) FMain.show();
    // The open tool windows follow.
    const auto [viewer, assistant] = FMain.ToolWindows();
    for (QWidget* tool : {viewer, assistant}) {
        if (!tool || !tool->isVisible()) continue;
        tool->setWindowFlag(Qt::WindowStaysOnTopHint, Value);
        tool->show();
    }
}

bool TQtMainCommandHost::Minimized() { return FMain.isMinimized(); }

bool TQtMainCommandHost::Editable()
{
    TEditor* editor = FMain.CurrentEditor();
    return editor && !editor->ReadOnly();
}

void TQtMainCommandHost::SetEditMode(bool Editable) { FMain.SetEditMode(Editable); }

void TQtMainCommandHost::Quit()
{
    FMain.QuitRequested = true;
    FMain.close();
}

void TQtMainCommandHost::CloseWindow() { FMain.close(); }

TKeyMacroCommands* TQtMainCommandHost::MacroCommands() { return &FMain.Components().MacroCommands(); }
TClipboardCommands* TQtMainCommandHost::ClipboardCommands() { return &FMain.Components().ClipboardCommands(); }
void TQtMainCommandHost::Beep() { FMain.MessageBeep(); }

void TQtMainCommandHost::PrepareClipboardHistory()
{
    FMain.Components().ClipHistory().SetCanUpdate(FState.Settings.ClipBoardViewer.UseClip);
}

bool TQtMainCommandHost::ClipboardHasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}


} // namespace qx
