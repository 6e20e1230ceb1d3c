#include "mainwindow/qt/ToolDialogCommands.h"

#include "dialogs/GoToLine.h"
#include "dialogs/SendMail.h"
#include "dialogs/qt/ClipBoardViewerForm.h"
#include "dialogs/qt/FileToolDialogs.h"
#include "dialogs/qt/InsertDialogs.h"
#include "dialogs/qt/SmallToolDialogs.h"
#include "dialogs/qt/ToolDialogKit.h"
#include "documents/GlobalState.h"
#include "documents/MainSettings.h"
#include "documents/MessageDialog.h"
#include "editor/EditorStrings.h"
#include "editor/QxEditor.h"
#include "mainwindow/commands/FileCommands.h"
#include "mainwindow/files/FileRoads.h"
#include "mainwindow/commands/InsertCommands.h"
#include "mainwindow/files/TabModel.h"
#include "mainwindow/commands/TextCommands.h"
#include "mainwindow/qt/EditorFrame.h"
#include "mainwindow/qt/MainCommandHost.h"
#include "mainwindow/qt/MainComponents.h"
#include "mainwindow/files/qt/Progress.h"
#include "mainwindow/desktop/qt/QtClipboard.h"
#include "mainwindow/qt/QxEditorMain.h"
#include "platform/Cp932.h"
#include "platform/Launcher.h"

#include <filesystem>
#include <optional>

namespace qx {

TToolDialogCommands::TToolDialogCommands(TQxEditorMain& Main) : QObject(&Main), FMain(Main) { setObjectName("ToolDialogCommands"); }

TClipBoardViewer* TToolDialogCommands::ClipViewer() const { return FClipViewer; }

bool TToolDialogCommands::StayOnTop() const { return FMain.CommandHost().StayOnTop(); }

int TToolDialogCommands::Run(QDialog& Dialog)
{
    kit::ApplyStayOnTop(Dialog, StayOnTop());
    return Exec(Dialog);
}

void TToolDialogCommands::Beep() { FMain.MessageBeep(); }

void TToolDialogCommands::Bind()
{
    TCommandSet& commands = FMain.Commands();
    const auto editable = [this] {
        TEditor* editor = FMain.FocusedEditor();
        return editor && !editor->ReadOnly();
    };
    const auto hasDocument = [this] { return FMain.CurrentEditor() != nullptr; };
    commands.Bind("ActionInsertTime", [this] { InsertTime(); }, editable);
    commands.Bind("ActionAddLineNumToLine", [this] { InsertLineNumbers(); }, editable);
    commands.Bind("ActionFileProperty", [this] { FileProperty(); }, hasDocument);
    const std::pair<const char*, TFileOpeMode> operations[] = {
        {"ActionFileMove", fomMove},     {"ActionFileCopy", fomCopy},           {"ActionFileRename", fomRename},
        {"ActionFileCopyRename", fomCopyRename}, {"ActionFileMoveRename", fomMoveRename}};
    for (const auto& [action, mode] : operations) commands.Bind(action, [this, m = mode] { FileOperate(m); }, hasDocument);
    commands.Bind("ActionFileDelete", [this] { FileDelete(); }, hasDocument);
    commands.Bind("ActionTimeStmp", [this] { TimeStampManager(); });
    commands.Bind("ActionVersion", [this] { Version(); });
    commands.Bind("ActionJump", [this] { Jump(); }, hasDocument);
    // The viewer shows the history, which is kept only while it is in use.
    commands.Bind("ActionClipView", [this] { ClipView(); }, [this] { return FMain.State().Settings.ClipBoardViewer.UseClip; });
    commands.Bind("ActionSendMail", [this] { SendMail(); }, hasDocument);
    commands.Bind("ActionAllDocs", [this] { AllDocs(); });
    commands.Bind("ActionSaveAsHTML", [this] { SaveAsHtml(); }, hasDocument);
}

void TToolDialogCommands::InsertTime()
{
    if (!FMain.FocusedEditor()) return;
    TGlobalState& state = FMain.State();
    LoadDateTimeFormats(state);
    TTimeFormModel model;
    model.FormShow(LocalTimeOf(Now ? Now() : std::chrono::system_clock::now()), state.Settings.DateTime);
    TTimeForm form(model, &FMain);
    const bool ok = Run(form) == QDialog::Accepted;
    model.FormClose(state.Settings.DateTime);
    SaveDateTimeFormats(state);
    if (TQxEditor* editor = FMain.FocusedEditor(); ok && editor)
        InsertAtCaret(*editor, model.SelectedText(), editor->InsertCurPos != 0);
}

void TToolDialogCommands::InsertLineNumbers()
{
    TQxEditor* editor = FMain.FocusedEditor();
    if (!editor) return;
    TInsertLineNumDlg dialog(editor->Lines().Count(), &FMain);
    kit::ApplyStayOnTop(dialog, true);
    if (Exec(dialog) != QDialog::Accepted) return;
    if ((editor = FMain.FocusedEditor())) InsertLineNumbersFromDialog(*editor, dialog.Options());
}

void TToolDialogCommands::FileProperty()
{
    TQxEditor* editor = FMain.FocusedEditor();
    if (!editor) return;
    const std::string name = FMain.CurFile();
    TPropertyKind kind = TPropertyKind::File;
    std::string shown = name;
    if (IsProjectTab(name)) {
        kind = TPropertyKind::ProjectItem;
        shown = FMain.ProjectItemShownName();
    } else if (IsUntitled(name) || IsGrepResult(name)) {
        kind = TPropertyKind::NoFile;
    }
    // Only a big text shows the progress window while it is counted.
    std::optional<TProgress> progress;
    const bool big = editor->RowCount() >= ProgressRows;
    const TFilePropertyFields fields =
        FileProperties(*editor, kind, shown, [&](const std::string& Message, int Position, int Maximum) {
            if (!big) return;
            if (!progress) progress.emplace(&FMain);
            progress->ShowProgress(QString::fromStdString(Message), Maximum, Position);
        });
    if (progress) progress->Close();
    TFileProperty dialog(fields, &FMain);
    Run(dialog);
}

void TToolDialogCommands::FileOperate(TFileOpeMode Mode)
{
    TEditorFrame* frame = FMain.CurrentFrame();
    if (!frame || !RequireDocumentFile(frame->FileName(), FMain.Prompter(), [this] { Beep(); })) return;
    TFileOpeDialog dialog(Mode, frame->FileName(), FMain.Prompter(), FMain.Dialogs(), &FMain);
    Run(dialog);
    const TFileOpeResult& result = dialog.Result();
    if (!result.Done || !result.Rebind || FMain.CurrentFrame() != frame) return;
    // The document follows its file: its name, and the lock and stamp of the file under that name.
    TQxEditorDocument document = frame->Document();
    const bool locked = frame->MainEditor().Locked();
    document.CloseLockFile();
    FMain.SetCurFile(result.NewFileName);
    if (locked) document.OpenLockFile(result.NewFileName);
    document.StoreFileTStamp(result.NewFileName);
    FMain.RefreshStatusBar();
}

void TToolDialogCommands::FileDelete()
{
    TEditorFrame* frame = FMain.CurrentFrame();
    if (!frame) return;
    const std::string name = frame->FileName();
    if (!MoveDocumentToTrash(name, *Trash, FMain.Prompter(), [this] { Beep(); })) return;
    // The text stays in its tab, now held nowhere else: it is unsaved, so Save writes it again under
    // its name and a close asks first. The lock no longer holds a file of this name.
    frame->Document().CloseLockFile();
    frame->Document().SetModified(true);
    if (FMain.CurrentFrame() == frame) FMain.SetChange(true);
    FMain.RefreshStatusBar();
}

void TToolDialogCommands::TimeStampManager()
{
    TTimeStampManager dialog(FMain.Prompter(), FMain.Dialogs(), &FMain);
    Run(dialog);
}

void TToolDialogCommands::Version()
{
    TAboutBox about(
        [this](const std::string& Address) {
            if (!FMain.CommandHost().Launcher().Open(Address, FMain.State().ProgramFolder))
                ReportShellOpenFailed(FMain.Prompter(), Address);
        },
        &FMain);
    Run(about);
}

void TToolDialogCommands::Jump()
{
    TQxEditor* editor = FMain.FocusedEditor();
    if (!editor) return;
    if (editor->RowCount() == 0) {
        Beep();
        ShowMessageDialog(FMain.Prompter(), "行が存在しません。", "情報", TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK});
        return;
    }
    TDialogSitei dialog(*editor, FMain.State().Settings.StatusBar.RowByLog, &FMain);
    if (Run(dialog) != QDialog::Accepted || FMain.FocusedEditor() != editor) return;
    JumpToLine(*editor, dialog.Value(), dialog.Logical(), FMain.Prompter());
    if (TEditorFrame* frame = FMain.CurrentFrame()) frame->ActivePane()->setFocus();
    FMain.RefreshStatusBar();
}

void TToolDialogCommands::ClipView()
{
    if (FClipViewer) {
        FClipViewer->raise();
        FClipViewer->activateWindow();
        return;
    }
    FClipViewer = new TClipBoardViewer(FMain.Components().ClipHistory(), FMain.Prompter(),
                                       [](const std::string& Text) { TQtTextClipboard().SetText(Text); }, &FMain);
    // Every change of the history shows while the viewer is open; the history may outlive it.
    FMain.Components().ClipHistory().OnClipChange = [viewer = FClipViewer](TObject*) {
        if (viewer) viewer->RefreshList();
    };
    FClipViewer->setModal(false);
    kit::ApplyStayOnTop(*FClipViewer, StayOnTop());
    FClipViewer->show();
}

void TToolDialogCommands::SendMail()
{
    TMailDialog dialog(&FMain);
    if (Run(dialog) != QDialog::Accepted) return;
    if (TQxEditor* editor = FMain.FocusedEditor())
        SendTextByMail(FMain.CommandHost().Launcher(), FMain.Prompter(), dialog.Subject(), editor->Lines().Text());
}

void TToolDialogCommands::AllDocs()
{
    std::vector<std::string> names;
    for (int page = 0; page < FMain.Count(); ++page) names.push_back(FMain.Name(page));
    TAllTabForm dialog(names, &FMain);
    if (Run(dialog) != QDialog::Accepted) return;
    const int chosen = dialog.Chosen();
    if (chosen >= 0 && chosen < FMain.Count()) FMain.Activate(chosen);
}

void TToolDialogCommands::SaveAsHtml()
{
    TQxEditor* editor = FMain.CurrentEditor();
    if (!editor) return;
    const std::string current = FMain.CurFile();
    const std::string stem = std::filesystem::path(current).stem().string();
    THtmlConvertForm form(stem, &FMain);
    if (Run(form) != QDialog::Accepted) return;
    // The save dialog with the name without folder and extension and the HTML type; an existing file is
    // written only after Yes (No shows the dialog again).
    TFileDialogRequest request = SaveDialogRequest(FMain.State(), FMain.LastDialogFolder());
    request.FileName = IsNamedFile(current) ? stem : std::string();
    request.FilterIndex = 2;
    for (;;) {
        const TFileDialogResult result = FMain.Dialogs().Execute(request);
        if (!result.Accepted || result.Files.empty()) return;
        const std::string name = MatchSaveExtension(result.Files.front(), result.FilterIndex);
        if (!ConfirmOverwrite(FMain, name)) {
            request.FileName = name;
            request.FilterIndex = result.FilterIndex;
            continue;
        }
        if ((editor = FMain.CurrentEditor()))
            ExportHtml(*editor, FMain.Prompter(), name, Utf8ToCp932(form.Title()), form.UsePre(), result.ComboBoxIndex,
                       result.ComboBoxIndex2);
        return;
    }
}

} // namespace qx
