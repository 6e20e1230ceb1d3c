#include "mainwindow/qt/ToolDialogs.h"

#include "dialogs/qt/CommandDialog.h"
#include "dialogs/qt/DataEditDialog.h"
#include "dialogs/qt/SignatureDialogs.h"
#include "dialogs/qt/StrEditDialog.h"
#include "dialogs/qt/ToolDialogKit.h"
#include "dialogs/qt/WordAssistantWindow.h"
#include "documents/GlobalState.h"
#include "documents/MainSettings.h"
#include "documents/MessageDialog.h"
#include "editor/QxEditor.h"
#include "editor/qt/EditorWidget.h"
#include "mainwindow/commands/ClipboardCommands.h"
#include "mainwindow/qt/EditorFrame.h"
#include "mainwindow/qt/MainCommandHost.h"
#include "mainwindow/qt/MainComponents.h"
#include "platform/qt/QtKeyCodec.h"
#include "mainwindow/qt/QxEditorMain.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QFileDialog>

namespace qx {

namespace {

bool CaretAfterInsertion(const TEditor& Editor)
{
    const auto* qx = dynamic_cast<const TQxEditor*>(&Editor);
    return qx && qx->InsertCurPos != 0;
}

} // namespace

TToolDialogs::TToolDialogs(TQxEditorMain& Main, TCommandSet& Commands) : FMain(Main)
{
    const auto editable = [this] {
        const TEditor* editor = FMain.FocusedEditor();
        return editor && !editor->ReadOnly();
    };
    Commands.Bind("ActionInsertSign", [this] { InsertSign(); }, editable);
    Commands.Bind("ActionInsertStr", [this] { ShowWordAssistant(); }, editable);
    Commands.Bind("ActionCommand", [this] { RunCommandDialog(); });
    FMain.CommandHost().OnEditQuoteMarks = [this](int Mode) { return EditQuoteMarks(Mode); };
    FMain.Components().ClipboardCommands().QuoteMarkQuery = [this](TQuoteMode Mode) {
        return EditQuoteMarks(static_cast<int>(Mode));
    };
    SyomeiAction = new QAction(QString::fromUtf8("署名の設定(&S)..."), &FMain);
    SyomeiAction->setObjectName("SyomeiSetMenu");
    QObject::connect(SyomeiAction, &QAction::triggered, &FMain, [this] { EditSignatures(); });
    DataEditAction = new QAction(QString::fromUtf8("定型文字列編集(&D)..."), &FMain);
    DataEditAction->setObjectName("DataEditMenu");
    QObject::connect(DataEditAction, &QAction::triggered, &FMain, [this] { EditPhrases(); });
}

namespace {

// The keys of a tool dialog's editor pane, as a document pane's.
void UseKeyCodec(TEditorWidget& Pane)
{
    Pane.VirtualKeyOf = [](const QKeyEvent& Event) { return KeyStrokeOf(Event).Key & 0xFF; };
}

template <class Dialog> void RunModal(Dialog& dialog, bool StayOnTop)
{
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint, StayOnTop);
    dialog.exec();
}

} // namespace

void TToolDialogs::InsertSign()
{
    TEditor* editor = FMain.FocusedEditor();
    TSignForm form(FMain.State().ProgramFolder, editor, editor && CaretAfterInsertion(*editor),
                   ErrorBox(FMain.Prompter()), &FMain);
    UseKeyCodec(*form.SignQxEditor);
    RunModal(form, FMain.CommandHost().StayOnTop());
}

void TToolDialogs::EditSignatures()
{
    TSyomeiDialog dialog(FMain.State().ProgramFolder, ErrorBox(FMain.Prompter()), &FMain);
    for (TEditorWidget* pane : dialog.MemoSyomei) UseKeyCodec(*pane);
    RunModal(dialog, FMain.CommandHost().StayOnTop());
}

void TToolDialogs::EditPhrases()
{
    TDataEdit dialog(FMain.State().ProgramFolder, ErrorBox(FMain.Prompter()), &FMain);
    RunModal(dialog, FMain.CommandHost().StayOnTop());
}

bool TToolDialogs::EditQuoteMarks(int Mode)
{
    return ExecuteStrEditDialog(Mode, FMain.State().Settings.Option, FMain.CommandHost().StayOnTop(), &FMain);
}

void TToolDialogs::ShowWordAssistant()
{
    if (FWordAssistant) return FWordAssistant->activateWindow();
    TEditor* editor = FMain.FocusedEditor();
    TEditorFrame* frame = FMain.CurrentFrame();
    if (!editor || !frame) return;
    // The "close after inserting" tick is kept in "QxEditor.ini" from one showing to the next.
    LoadWordAssistantSettings(FMain.State());
    auto* assistant = new TWordAssistant(FMain.State().ProgramFolder, FMain.State().Settings.WordAssistant.CloseDialog,
                                         ErrorBox(FMain.Prompter()), &FMain);
    assistant->OnClosed = [this] { SaveWordAssistantSettings(FMain.State()); };
    FWordAssistant = assistant;
    assistant->FocusedEditor = [this]() -> TEditor* { return FMain.FocusedEditor(); };
    assistant->CaretAfterInsertion = CaretAfterInsertion;
    assistant->FormShow();
    TEditorWidget* pane = frame->ActivePane();
    const TRect caret = editor->CaretRect();
    const QPoint at = pane->viewport()->mapToGlobal(QPoint(caret.Left, caret.Top));
    kit::ApplyStayOnTop(*assistant, FMain.CommandHost().StayOnTop());
    assistant->show();
    assistant->PlaceAtCaret(at.x(), at.y(), editor->RowHeight());
    assistant->activateWindow();
}

void TToolDialogs::RunCommandDialog()
{
    const TQxEditor* current = FMain.CurrentEditor();
    LoadCommandDialogSettings(FMain.State());
    TCommandDialog dialog(FMain.State().ProgramFolder, current ? current->FileName : std::string(),
                          FMain.State().Settings.Command.CloseDialog, FMain.Prompter(), FMain.CommandHost().Launcher(),
                          ErrorBox(FMain.Prompter()), &FMain);
    dialog.Beep() = [this] { FMain.CommandHost().Beep(); };
    dialog.ChooseFile = [&dialog] {
        return QFileDialog::getOpenFileName(&dialog, QString(), QString(), QString::fromUtf8("全てのﾌｧｲﾙ (*)"), nullptr,
                                            QFileDialog::DontUseNativeDialog);
    };
    dialog.ChooseFolder = [&dialog] {
        return QFileDialog::getExistingDirectory(&dialog, QString::fromUtf8("フォルダを選択してください"), QString(),
                                                 QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    };
    RunModal(dialog, FMain.CommandHost().StayOnTop());
    SaveCommandDialogSettings(FMain.State());
}

} // namespace qx
