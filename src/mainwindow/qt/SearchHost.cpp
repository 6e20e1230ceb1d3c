// The main window's side of the search commands and the grep dialog.

#include "mainwindow/qt/SearchHost.h"

#include "dialogs/qt/QxGrepDialog.h"
#include "dialogs/qt/QxSearchDialogs.h"
#include "documents/qt/QxMessageDialog.h"
#include "editor/QxEditor.h"
#include "mainwindow/files/TabModel.h"
#include "mainwindow/qt/EditorFrame.h"
#include "mainwindow/qt/QxEditorMain.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QScreen>
#include <QTabWidget>

namespace qx {

TQtSearchHost::TQtSearchHost(TQxEditorMain& Main, TGlobalState& State, TPrompter& Prompter)
    : FMain(Main), FState(State), FPrompter(Prompter)
{
}

TEditor* TQtSearchHost::FocusedEditor() { return FMain.FocusedEditor(); }
TEditor* TQtSearchHost::CurrentEditor() { return FMain.CurrentEditor(); }

void TQtSearchHost::Beep()
{
    if (FMain.Beep)
        FMain.Beep();
    else
        QApplication::beep();
}

void TQtSearchHost::StopKeyMacro()
{
    if (StopMacro) StopMacro();
}

namespace {

template <class Dialog> int RunSearchDialog(TFindDialogModel& Model, QWidget* Parent, bool OnTop, const TEditor* Editor)
{
    Dialog dialog(Model, Parent);
    dialog.ApplyStayOnTop(OnTop);
    return dialog.RunModal(Editor);
}

} // namespace

int TQtSearchHost::RunFindDialog(TFindDialogModel& Dialog)
{
    return RunSearchDialog<TFindDialog>(Dialog, &FMain, StayOnTop && StayOnTop(), FocusedEditor());
}

int TQtSearchHost::RunReplaceDialog(TFindDialogModel& Dialog)
{
    return RunSearchDialog<TReplaceDialog>(Dialog, &FMain, StayOnTop && StayOnTop(), FocusedEditor());
}

void TQtSearchHost::RunGrepDialog()
{
    TGrepDialog dialog(FState, *this, &FMain);
    dialog.ApplyStayOnTop(StayOnTop && StayOnTop());
    dialog.ChooseFolder = [&dialog] {
        return QFileDialog::getExistingDirectory(&dialog, QString(), QString(),
                                                 QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog)
            .toStdString();
    };
    dialog.ChooseFile = [&dialog] {
        return QFileDialog::getOpenFileName(&dialog, QString(), QString(), QString(), nullptr,
                                            QFileDialog::DontUseNativeDialog)
            .toStdString();
    };
    const TEditor* editor = FocusedEditor();
    dialog.RunModal(editor ? editor->SelText() : std::string());
}

void TQtSearchHost::CaretScreenPos(TEditor& Editor, int& X, int& Y)
{
    const TRect caret = Editor.CaretRect();
    QPoint at(caret.Left, caret.Top);
    if (TEditorFrame* frame = FMain.CurrentFrame()) {
        TEditorWidget* pane = &frame->MainHost();
        if (&pane->Editor() != &Editor && frame->SecondHost()) pane = frame->SecondHost();
        at = pane->viewport()->mapToGlobal(at);
    }
    X = at.x();
    Y = at.y();
}

int TQtSearchHost::ScreenWidth()
{
    const QScreen* screen = FMain.screen() ? FMain.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().right() + 1 : 1024;
}

void TQtSearchHost::MessageBoxSize(const TPromptRequest& Request, int& Width, int& Height)
{
    const std::unique_ptr<QDialog> form =
        CreateMessageDialogForm(Request.Text, Request.Caption, Request.Kind, Request.Buttons, &FMain);
    Width = form->width();
    Height = form->frameGeometry().height();
}

TEditor* TQtSearchHost::OpenFileForTagJump(const std::string& FileName)
{
    TOpenRequest request;
    request.FileName = FileName;
    if (!FMain.OpenFile(request, true)) return nullptr;
    return FMain.CurrentEditor();
}

TEditor* TQtSearchHost::NewResultDocument(const std::string& Name)
{
    const int page = FMain.Pages()->currentIndex();
    if (page < 0 || TabInUse(FMain.Name(page), FMain.Modified(page))) FMain.NewTab();
    FMain.SetCurFile(Name);
    return FMain.CurrentEditor();
}

void TQtSearchHost::ResultDocumentDone(TEditor&)
{
    FMain.SetChange(false);
    FMain.RefreshStatusBar();
}

void TQtSearchHost::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

} // namespace qx
