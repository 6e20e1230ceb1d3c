#pragma once
// The main window: a page per document, each page an editor frame, the status bar, and the roads that
// open, save and close documents. The decisions live in the Qt-free models (tab ids, command line and
// hand-over grammar, close walk); this class lays out and forwards.

#include "documents/EditorFiles.h"
#include "documents/HistoryMenu.h"
#include "documents/MainSettings.h"
#include "documents/StatusBar.h"
#include "editor/QxEditorDocument.h"
#include "mainwindow/files/CloseWalk.h"
#include "mainwindow/commands/CommandSet.h"
#include "mainwindow/EditorEvents.h"
#include "mainwindow/files/FileRoads.h"
#include "mainwindow/desktop/MinimizeRestore.h"
#include "mainwindow/files/StartOptions.h"
#include "mainwindow/files/TabModel.h"
#include "mainwindow/WheelNotches.h"
#include "mainwindow/bars/qt/PageTabBar.h"

#include <QMainWindow>
#include <QUrl>

#include <chrono>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QSplitter;
class QTabWidget;
class QToolBar;

namespace qx {

class TEditor;
class TEditorFrame;
class TEditorWidget;
class TMainComponents;
class TMainMenuBar;
class TBandGripWidget;
class TCuteControlBar;
class TProjectManager;
class TProjectPane;
class TQtProjectDialogs;
class TQtUserToolBars;
class TTrayPopupMenu;
class TWindowProjectTabs;
class TQxEditor;
class TQxStatusBar;
class TAutoSaveTimer;
class TQtActions;
class TQtMainCommandHost;
class TQtSearchHost;
class TSearchCommands;
class TToolDialogs;

class TQxEditorMain : public QMainWindow, public TMainFormSettings, public TFileRoadHost {
public:
    TQxEditorMain(TGlobalState& State, TPrompter& Prompter, QWidget* Parent = nullptr);
    ~TQxEditorMain() override;

    // Seams the window's owner fills: the warning beep, and the steps of parts that come later (tool
    // bars, tray, hot key, tips, projects).
    std::function<void()> Beep;
    // The clock of the diary stamp (the system's when empty).
    std::function<std::time_t()> Now;

    // The first showing: the components' steps, the command line's files, the tips.
    void FormShow(const std::vector<std::string>& Args, const std::string& CurrentDir);
    // The first showing's document step: the command line's files (or one untitled tab).
    void OpenCommandLine(const std::vector<std::string>& Args, const std::string& CurrentDir);
    // One record of a second start's hand-over.
    void HandOverRecord(int Tag, const std::string& Text);

    void NewTab();
    void DiscardNewTab(int Back) override;
    // Opens a file (activating its tab when it is open already); false when it was not opened.
    bool OpenFile(const TOpenRequest& Request, bool ReuseUntouched);
    void SetCurFile(const std::string& Name);
    void SetChange(bool Value);
    // A ".LOG" document gets an empty line and the time at its end.
    void InsertLogStamp();
    // Editable false: the document is read-only (the status bar tells which kind).
    void SetEditMode(bool Editable);
    // Toggles between editable and write-protected.
    void EditModeMenuClick();
    // Files dropped on the window (or passed up by an editor): each local one is opened.
    void DropUrls(const QList<QUrl>& Urls);
    bool FileSave();
    // Closes the active tab after the save question; false when the user kept it.
    bool Close1Click();
    // Closes every document after the save questions; false (and nothing freed) when cancelled or a
    // save did not happen.
    bool CloseAllDocuments();
    void CreateSplit();
    void RemoveSplit();
    // The current document (both panes) takes editor environment N; its lock or stamp goes to
    // DocumentFile (the file it holds, "" none), or to its own file when that is not given.
    void SwitchEnvironment(int N);
    // Environment: the settings of environment N when already read (else its file is read).
    void SwitchEnvironment(int N, const std::string& DocumentFile, const TEditorEnvironment* Environment = nullptr);
    // Moves the active document in the tab order (its tab id goes with it).
    void MoveDocument(TTabMove Move);
    void RefreshStatusBar();
    // One refresh once the event under way has been handled (the caret may still move in it).
    void RefreshStatusBarLater();
    // The commands' enabled and checked states, set again when what they depend on changed.
    void UpdateCommandStates();
    // The editors' text cursor (a screen cursor number): every pane takes it, new ones too.
    void SetTextCursor(int Cursor);

    QTabWidget* Pages() const { return FPages; }
    // The tab row's menu ("TabPagePopupMenu"), filled as it opens.
    QMenu* TabMenu() const { return FTabMenu; }
    TEditorFrame* CurrentFrame() const;
    TEditorFrame* FrameOfPage(int Page) const;
    TQxEditor* CurrentEditor() const override;
    // The pane of the active tab that has (or last had) the focus.
    TQxEditor* FocusedEditor() const override;
    // A save, the close or a key macro's playback is running (the backup timer waits).
    bool Busy() const;
    const std::string& CurFile() const { return FCurFile; }
    TQxStatusBar* StatusBarWidget() const { return FStatus; }
    // Keys, key macro, clipboard history, tray, hot key, tips and the status timer.
    TMainComponents& Components() { return *FComponents; }
    // The open project and its pane beside the tabs.
    TProjectManager& Project() { return *FProject; }
    TProjectPane& ProjectPane() { return *FProjectPane; }
    TQtUserToolBars& ToolBars() { return *FToolBars; }
    // The menu bar ("MainMenu1") and the control bar of the user tool bars (null before the first showing).
    TMainMenuBar* MainMenu() const { return FMenuBar; }
    TCuteControlBar* ControlBar() const { return FControlBar; }
    // The window back from the tray or from behind others (tray, hot key, a later start).
    void RestoreWindow();
    // The window's commands, their QActions (children of the window, named "Action..."), and the host
    // the handlers speak to.
    TCommandSet& Commands() { return FCommands; }
    TQtActions& Actions() { return *FActions; }
    TQtMainCommandHost& CommandHost() { return *FCommandHost; }
    // The signature, phrase, quote-mark and external-command tools.
    TToolDialogs& ToolDialogs() { return *FToolDialogs; }
    // The tool windows that stay open beside the window and follow its stay-on-top state (each null
    // while closed).
    struct TToolWindows {
        QWidget* ClipViewer = nullptr;
        QWidget* WordAssistant = nullptr;
    };
    TToolWindows ToolWindows() const;
    // What the document panes' events do (links, dragging the selection, ...).
    TEditorEvents& EditorEvents() { return FEditorEvents; }

    // Set by File > Exit and the session's end: the close really quits (no resident mode).
    bool QuitRequested = false;

    // TDocumentTabs
    int Count() const override;
    bool Modified(int Page) const override;
    std::string Name(int Page) const override;
    void Activate(int Page) override;
    bool SaveActive() override { return FileSave(); }

    // TFileRoadHost (QxEditorMainFiles.cpp)
    TPrompter& Prompter() override { return FPrompter; }
    TGlobalState& State() override { return FState; }
    TFileDialogService& Dialogs() override;
    std::string& LastDialogFolder() override { return FLastDialogFolder; }
    void MessageBeep() override;
    int CurrentPage() const override;
    bool CurrentTabInUse() override;
    TDocumentEditor& CurrentDocument() override;
    TDocumentHost DocumentHost() override { return Host(); }
    void DocumentBoundTo(const std::string& Name) override;
    void DocumentOpened(const TOpenRequest& Request) override;
    bool StoreProjectItem() override;
    std::string ProjectItemShownName() override;
    void MakeBackupFile(const std::string& FileName) override;
    // The file dialogs (the Qt ones unless a test sets others).
    void SetDialogs(std::unique_ptr<TFileDialogService> Dialogs);
    // Where the status bar reads Num Lock and Caps Lock (the X server unless a test sets another).
    void SetLockKeys(std::unique_ptr<TLockKeyProbe> Probe) { FLockKeys = std::move(Probe); }
    // The clock of the backup copies' time stamps (the system's when empty).
    std::function<std::chrono::system_clock::time_point()> Clock;

    // The menu band: the plain menu (style 0) or a band with its grip in band style BarStyle (0, 1, 2).
    void ApplyMenuBand(int MenuStyle, int BarStyle);
    // Where the project menu stands: in the menu bar (0) or, as the project tool bar, above the project
    // tree (any other value).
    void ApplyProjectMenu(int ProjectMenu);
    // The user tool bars' control bar: its band style and whether its bands fold.
    void ApplyToolBarBand(int BarStyle, bool CanFold);
    // The tab row: at the top (0) or the bottom (1); at the top as tabs (0), buttons (1) or flat buttons
    // (2); MultiLine wraps the tabs into as many rows as they need.
    void ApplyTabLook(int Position, int Style, bool MultiLine);

    // TMainFormSettings
    void ApplyMainSettings(const TGlobalState& State) override;
    void CollectMainSettings(TGlobalState& State) override;
    TWindowPlacement CurrentPlacement() const override;
    bool IsMaximized() const override;

protected:
    // The bars' menu: show or hide each user tool bar, and their customisation.
    QMenu* createPopupMenu() override;
    void closeEvent(QCloseEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;
    // The second pane of a split view takes half the page again (FormResize).
    void resizeEvent(QResizeEvent* Event) override;
    // Minimising and restoring (the window's state changes).
    void changeEvent(QEvent* Event) override;

private:
    // The menu bar, its items built as menus open, their states, the hint bar and the bars' commands
    // (QxEditorMainMenus.cpp).
    void BuildMenus();
    void BindMenuCommands();
    std::vector<QAction*> MenuSlotItems(std::string_view Slot, QMenu& Menu);
    void MenuOpening(std::string_view Menu);
    // The four document moves as items of Menu, each enabled when the active page can move that way.
    std::vector<QAction*> DocumentMoveItems(QMenu& Menu);
    // The bars as the settings say: the status bar, the hint bar, the menu band's grip, and the control
    // bar of the user tool bars (made at the first call, after the bars).
    void ApplyBarSettings();
    void ShowKeySetDialog();
    // The current document is a file of its own (not untitled, a grep result or a project item).
    bool NamedDocument() const;
    void ShowTitles();
    // The default placement (the first start's) is narrower than the status bar: the window opens wide
    // enough to show all of the bar where the screen has the room.
    void WidenDefaultPlacement(const TWindowPlacement& Placement);
    // The window was minimised or came back: the stay-on-top tool windows, the tray and the title.
    void WindowMinimized();
    void WindowRestored();
    void WireEditor(TEditorFrame& Frame, TEditorWidget& Pane);
    void ShowTextCursor(TEditorWidget& Pane);
    // Editor environment N ("qxeenv" + N + ".ini") to one pane.
    void ApplyEnvironment(TQxEditor& Editor, int N, bool SecondPane);
    // An editor pane took the focus.
    void EditorEnter(TEditorFrame& Frame, TEditorWidget& Pane);
    void PageChanged();
    // A file that another program rewrote since it was read or saved is offered for a reload (a tab
    // change, the application's activation).
    void CheckTimeStamp();
    // Marks the active tab as [Option] "TabHiLight" says (highlighted, or with its image).
    void MarkTabs();
    // The current document was read from or written to Name: its name, the titles, the history.
    TDocumentHost Host();
    TCloseServices CloseServices();
    void FreeAllTabs();
    // Frees page Page with its id; page Then of those left becomes the active one, without the steps
    // of a tab change (the caller takes them).
    void RemovePage(int Page, int Then);
    void ApplyOptions(const TOpenRequest& Request);
    // A ".qxp" file opens as the project when "ProjectOpenStyle" is 0; Ask: the modified project is
    // asked about first. False when the name is no project file by these rules.
    bool OpenAsProject(const std::string& Name, bool Ask);
    // The project at the close: saved when "AutoSaveToExit" says so, else asked about; false when the
    // close must stop.
    bool ProjectAtClose(bool Resident);
    // A menu of paths rebuilt from Items each time it opens; choosing one runs Open with its path.
    QMenu* PathMenu(const char* Name, std::function<std::vector<TMenuItemModel>()> Items,
                    std::function<void(const std::string&)> Open);
    // The tray menu as it opens: the recent files, then the window's commands.
    void BuildTrayMenu(TTrayPopupMenu& Menu);
    // The tab row's menu: close, close all, and the document moves. The close items stand nearest the
    // tab row: first in the menu with the tabs at the top, last with the tabs at the bottom.
    void TabPagePopupMenuPopup();

    TGlobalState& FState;
    TPrompter& FPrompter;
    TTabIds FIds;
    TPageControl* FPages;
    QMenu* FTabMenu;
    TQxStatusBar* FStatus;
    TMainMenuBar* FMenuBar = nullptr;
    TBandGripWidget* FMenuGrip = nullptr;
    TCuteControlBar* FControlBar = nullptr;
    QToolBar* FHintBar = nullptr;
    TStatusBarModel FStatusModel;
    TMainComponents* FComponents;  // a child of the window
    std::unique_ptr<TWindowProjectTabs> FProjectTabs;
    std::unique_ptr<TQtProjectDialogs> FProjectDialogs;
    std::unique_ptr<TProjectManager> FProject;
    QSplitter* FProjectSplitter;
    TProjectPane* FProjectPane;  // goes before the project manager
    std::unique_ptr<TQtUserToolBars> FToolBars;
    THandOverReceiver FHandOver;
    std::string FCurFile;
    bool FChanged = false;
    TCommandSet FCommands;
    std::unique_ptr<TQtMainCommandHost> FCommandHost;
    std::unique_ptr<TQtSearchHost> FSearchHost;
    std::unique_ptr<TSearchCommands> FSearch;
    std::unique_ptr<TToolDialogs> FToolDialogs;
    std::unique_ptr<TQtActions> FActions;
    std::unique_ptr<TFileDialogService> FDialogs;
    std::string FLastDialogFolder;
    TAutoSaveTimer* FAutoSave = nullptr;
    bool FSaving = false;
    bool FClosing = false;
    bool FCheckingStamp = false;
    // The frame's place at the start (the stored one, on a screen).
    TWindowPlacement FStartPlace;
    static std::vector<TWindowPlacement> ScreenAreas();
    // The current tab's document as the file roads last asked for it.
    std::optional<TQxEditorDocument> FDocument;
    TWheelNotches FEditorWheel;
    TEditorEvents FEditorEvents;
    std::unique_ptr<TLockKeyProbe> FLockKeys;
    TWheelNotches FTabWheel;
    TMinimizeRestore FMinimize;
    bool FStatusRefreshPending = false;  // a refresh after the pane's current input event
    // What the commands' states were last set from.
    struct TCommandInputs {
        int Tabs = 0;
        int Page = -1;
        const void* Focused = nullptr;
        bool Named = false;  // the tab holds a named file (reload, the file commands)
        int Wrap = 0;        // the current editor's wrap mode (the wrap items, line-end commands)
        bool Modified = false, CanUndo = false, CanRedo = false, Selected = false, ReadOnly = false,
             OverWrite = false;
        bool operator==(const TCommandInputs&) const = default;
    };
    std::optional<TCommandInputs> FCommandInputs;
    int FTextCursor = -4;  // the I-beam
};

} // namespace qx
