#include "mainwindow/qt/MainComponents.h"

#include "dialogs/ShortCutFile.h"
#include "documents/ProgramFolder.h"
#include "documents/ShippedFile.h"
#include "documents/qt/QxFileDialogs.h"
#include "editor/qt/EditorWidget.h"
#include "mainwindow/bars/SystemResources.h"
#include "mainwindow/commands/qt/ActionCommands.h"
#include "mainwindow/keys/qt/EditorKeyTarget.h"
#include "mainwindow/keys/qt/KeyRouterFilter.h"
#include "mainwindow/desktop/qt/QtClipboard.h"
#include "platform/qt/QtKeyCodec.h"
#include "mainwindow/desktop/qt/QtTrayIcon.h"
#include "mainwindow/desktop/qt/TipForm.h"
#include "mainwindow/desktop/qt/X11HotKeyBackend.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPointer>
#include <QStorageInfo>

namespace qx {

TMainComponents::TMainComponents(QMainWindow& Window, TGlobalState& State, TPrompter& Prompter,
                                 TExceptionHandler OnError, std::unique_ptr<THotKeyBackend> HotKeyBackend)
    : QObject(&Window), FWindow(Window), FState(State), FPrompter(Prompter), FOnError(std::move(OnError))
{
    // Keys: the window's actions run the commands; the menus show the keys the commands carry now.
    FActions = std::make_unique<TQtActionCommands>(Window, FKeys);
    FKeys.OnChange = [this] { FActions->ShowKeys(); };
    FRouter = std::make_unique<TKeyRouter>(FKeys, *FActions, &FMacro);
    FFilter = std::make_unique<TKeyRouterFilter>(*FRouter, FOnError);
    // The keys that no widget of the window took reach the commands too, wherever the focus is.
    FWindowFilter = std::make_unique<TKeyRouterFilter>(*FRouter, FOnError, TKeyScope::Window);
    Window.installEventFilter(FWindowFilter.get());
    FMacro.Prompter = &Prompter;
    FDialogs = std::make_unique<TQtFileDialogService>(&Window);
    FMacroCommands = std::make_unique<TKeyMacroCommands>(FMacro, Prompter, *FDialogs);
    FMacroCommands->Beep = [] { QApplication::beep(); };

    // The clipboard: every change of the system clipboard reaches the history.
    FClipboard = std::make_unique<TQtTextClipboard>();
    FClipboardCommands = std::make_unique<TClipboardCommands>(State.Settings, FClipHistory, *FClipboard);
    FFeeder = std::make_unique<TQtClipboardFeeder>(FClipHistory, QGuiApplication::clipboard(), this);
    FFeeder->OnException = FOnError;

    // Tray icon and hot key bring the window back.
    FTray = std::make_unique<TQtTrayIcon>(&Window, this);
    FTray->OnException = FOnError;
    FTray->Model().SetTipHelp("QxEditor Version " + std::string(VersionText));
    FTray->Model().OnDblClick = [this](TObject*) {
        if (RestoreWindow) RestoreWindow();
    };
    FHotKeyBackend = HotKeyBackend ? std::move(HotKeyBackend) : std::make_unique<TX11HotKeyBackend>();
    if (auto* x11 = dynamic_cast<TX11HotKeyBackend*>(FHotKeyBackend.get())) x11->OnException = FOnError;
    FHotKey = std::make_unique<THookHotKey>(*FHotKeyBackend);
    FHotKey->BringOwnerToFront = [this] {
        FWindow.raise();
        FWindow.activateWindow();
    };
    FHotKey->OnHotKey = [this](TObject*, int) {
        if (RestoreWindow) RestoreWindow();
    };

    FTips = std::make_unique<TQxEditorTips>(State.ProgramFile(IniFileName));
    FTips->Title = "ワンポイント";
    FTips->TipHelp = "便利な使い方...";

    FStatusTimer.setInterval(5000);
    connect(&FStatusTimer, &QTimer::timeout, this, [this] { GuardedCall(FOnError, [this] { StatusTimerTick(); }); });
}

TMainComponents::~TMainComponents()
{
    FTray->Model().RBPopupMenu = nullptr;
    // The panes may outlive the components (they go with the window's children): their key targets
    // must not reach the router from then on.
    FRouter->SetTarget(nullptr);
}

void TMainComponents::SetTrayMenu(QMenu* Menu)
{
    FTrayMenu = std::make_unique<TQtTrayMenu>(Menu);
    FTray->Model().RBPopupMenu = FTrayMenu.get();
}

void TMainComponents::AttachEditor(TEditorWidget& Pane)
{
    Pane.installEventFilter(FFilter.get());
    // Only key releases still reach the control through its widget.
    Pane.VirtualKeyOf = [](const QKeyEvent& Event) { return KeyStrokeOf(Event).Key & 0xFF; };
    new TEditorKeyTarget(Pane, [self = QPointer<TMainComponents>(this)](TEditorKeyTarget* Target) {
        if (self) self->FRouter->TargetDestroyed(Target);
    });
}

void TMainComponents::FocusEditor(TEditorWidget& Pane)
{
    if (TEditorKeyTarget* target = TEditorKeyTarget::Of(Pane)) FRouter->SetTarget(target);
}

void TMainComponents::FirstShow()
{
    LoadShortCuts();
    FClipHistory.SetBuffers(FState.Settings.ClipBoardViewer.ClipHistoryBuffers);
    ApplyTrayAndHotKey(FState.Settings.Basic.UseTray, FState.Settings.Basic.AlwaysQxEditor);
    StatusTimerTick();
}

void TMainComponents::ShowTipsAtStart()
{
    if (FTips->ReadShowAtStart()) ShowTips();
}

void TMainComponents::ShowTips()
{
    const std::string path = FindShippedFile(TipsFileName, FState.ProgramFolder, ExecutablePath());
    if (!path.empty()) FTips->LoadTips(path);
    TQtTipWindow window(&FWindow);
    FTips->Execute(TipWindow ? *TipWindow : window);
}

void TMainComponents::LoadShortCuts()
{
    FKeys.ApplyShortCuts(FState.ProgramFile(ShortCutFileName));
}

void TMainComponents::ApplyTrayAndHotKey(bool UseTray, bool Resident)
{
    FState.Settings.Basic.UseTray = UseTray;
    FState.Settings.Basic.AlwaysQxEditor = Resident;
    FTray->Model().SetVisible(UseTray);
    FHotKey->ReRegisterShortCut(kResidentHotKeyIndex, Resident ? TextToShortCut(FState.Settings.Basic.HotKey) : 0);
}

bool TMainComponents::HasTray() const
{
    return FTray->Model().Visible() && FTray->Model().CanHideWindow();
}

void TMainComponents::StatusTimerTick()
{
    const int kind = FState.Settings.StatusBar.StatusInfo;
    std::string text;
    if (kind == 0) {
        FStatusTimer.stop();
    } else {
        if (!FStatusTimer.isActive()) FStatusTimer.start();
        if (kind == 1) {
            // The drive that holds the program's folder stands for the Windows drive.
            const QStorageInfo drive(QString::fromStdString(FState.ProgramFolder));
            const bool known = drive.isValid() && drive.isReady();
            text = DiskSpaceStatusText(known ? drive.bytesTotal() : 0, known ? drive.bytesAvailable() : 0);
        } else {
            text = ResourceStatusText(kind);
        }
    }
    if (ShowStatusInfo) ShowStatusInfo(text);
}

void TMainComponents::ApplicationActivated(bool Active)
{
    const TClipBoardViewerSettings& clip = FState.Settings.ClipBoardViewer;
    if (Active) {
        FClipHistory.SetDisabled(true);
        FClipHistory.SetCanUpdate(clip.UseClip);
        if (FState.Settings.StatusBar.StatusInfo != 0) FStatusTimer.start();
    } else {
        FClipHistory.SetDisabled(clip.UseClip);
        FClipHistory.SetCanUpdate(!clip.OnlyQxEditor);
        FStatusTimer.stop();
    }
}

void TMainComponents::EndForClose()
{
    FMacroCommands->EndForClose();
}

} // namespace qx
