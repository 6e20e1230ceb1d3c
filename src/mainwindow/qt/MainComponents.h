#pragma once
// The main window's own components and their wiring: the command keys, the key router and key macro
// (every editor pane's keys pass the router, and so do the keys that the window's other widgets leave), the clipboard history fed by the system clipboard and
// the clipboard commands, the tray icon, the global hot key, the tips and the status timer. The window
// creates one and calls it at its steps (a pane made or focused, the first showing, the close).

#include "documents/GlobalState.h"
#include "dialogs/ClipBoardHistory.h"
#include "mainwindow/commands/ClipboardCommands.h"
#include "mainwindow/keys/CommandKeys.h"
#include "mainwindow/desktop/HotKey.h"
#include "mainwindow/keys/KeyMacro.h"
#include "mainwindow/keys/KeyMacroCommands.h"
#include "mainwindow/keys/KeyRouter.h"
#include "mainwindow/desktop/Tips.h"
#include "platform/qt/GuardedCall.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

class QMainWindow;
class QMenu;

namespace qx {

class TEditorWidget;
class TKeyRouterFilter;
class TQtActionCommands;
class TQtClipboardFeeder;
class TQtTextClipboard;
class TQtTrayIcon;
class TQtTrayMenu;
class TFileDialogService;
class TPrompter;

// The hot key's index in the hot-key component ("HotKey" of [Basic]).
inline constexpr int kResidentHotKeyIndex = 66;

class TMainComponents : public QObject {
public:
    // Window: the main window (its actions are the commands; its tray and hot key bring it back).
    TMainComponents(QMainWindow& Window, TGlobalState& State, TPrompter& Prompter, TExceptionHandler OnError,
                    std::unique_ptr<THotKeyBackend> HotKeyBackend = nullptr);
    ~TMainComponents() override;

    TCommandKeys& Keys() { return FKeys; }
    TKeyMacro& Macro() { return FMacro; }
    TKeyRouter& Router() { return *FRouter; }
    TKeyMacroCommands& MacroCommands() { return *FMacroCommands; }
    TQxClipBoardHistory& ClipHistory() { return FClipHistory; }
    TClipboardCommands& ClipboardCommands() { return *FClipboardCommands; }
    TQtTrayIcon& Tray() { return *FTray; }
    THookHotKey& HotKey() { return *FHotKey; }
    TQxEditorTips& Tips() { return *FTips; }
    QTimer& StatusTimer() { return FStatusTimer; }

    // Brings the window back (tray double click, hot key); the window fills it.
    std::function<void()> RestoreWindow;
    // Shows the status timer's text in the last status panel; the window fills it.
    std::function<void(const std::string& Text)> ShowStatusInfo;
    // The tray icon's right-button menu (the window's; it builds it as it opens).
    void SetTrayMenu(QMenu* Menu);
    // The tip window (the Qt dialog when empty).
    TTipWindow* TipWindow = nullptr;

    // A pane was made: its key presses, characters and input-method commits go through the router.
    void AttachEditor(TEditorWidget& Pane);
    // A pane took the focus: keys go to it and a key macro records for it and plays into it.
    void FocusEditor(TEditorWidget& Pane);

    // The first showing's steps: the shortcut keys from "QxEditor.sck", the tray and the hot key by the
    // settings, the status timer; the tips come last (ShowTipsAtStart).
    void FirstShow();
    void ShowTipsAtStart();
    // The tips window (the help menu's command).
    void ShowTips();
    // The shortcut file of the program folder into the command keys (the menus show them).
    void LoadShortCuts();
    // The tray icon shown by UseTray; with Resident the hot key "HotKey" brings the window back,
    // without it the hot key is given up.
    void ApplyTrayAndHotKey(bool UseTray, bool Resident);
    // Whether the tray holds the icon, so that a hidden window can be brought back.
    bool HasTray() const;
    // One refresh of the status panel by [StatusBar] "StatusInfo" (0 stops the timer).
    void StatusTimerTick();
    // The application became active or inactive: the clipboard history's flags and the status timer.
    void ApplicationActivated(bool Active);
    // The window closes: a recording ends, a playback stops.
    void EndForClose();

private:
    QMainWindow& FWindow;
    TGlobalState& FState;
    TPrompter& FPrompter;
    TExceptionHandler FOnError;
    TCommandKeys FKeys;
    TKeyMacro FMacro;
    std::unique_ptr<TQtActionCommands> FActions;
    std::unique_ptr<TKeyRouter> FRouter;
    std::unique_ptr<TKeyRouterFilter> FFilter;        // on every editor pane
    std::unique_ptr<TKeyRouterFilter> FWindowFilter;  // on the window: the keys its other widgets left
    std::unique_ptr<TFileDialogService> FDialogs;
    std::unique_ptr<TKeyMacroCommands> FMacroCommands;
    TQxClipBoardHistory FClipHistory;
    std::unique_ptr<TQtTextClipboard> FClipboard;
    std::unique_ptr<TClipboardCommands> FClipboardCommands;
    std::unique_ptr<TQtClipboardFeeder> FFeeder;
    std::unique_ptr<TQtTrayIcon> FTray;
    std::unique_ptr<TQtTrayMenu> FTrayMenu;
    std::unique_ptr<THotKeyBackend> FHotKeyBackend;
    std::unique_ptr<THookHotKey> FHotKey;
    std::unique_ptr<TQxEditorTips> FTips;
    QTimer FStatusTimer;
};

} // namespace qx
