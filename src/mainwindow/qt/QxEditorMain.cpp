#include "mainwindow/qt/QxEditorMain.h"

#include "documents/DocumentCodes.h"
#include "documents/EditorEnvironment.h"
#include "documents/FileHistory.h"
#include "documents/MessageDialog.h"
#include "documents/MessageTexts.h"
#include "documents/SettingsFile.h"
#include "documents/ShellShortcut.h"
#include "documents/qt/QxStatusBar.h"
#include "editor/EditorControl.h"
#include "editor/EditorStrings.h"
#include "editor/ApplyEnvironment.h"
#include "editor/EditorWrap.h"
#include "editor/QxEditor.h"
#include "mainwindow/files/LogStamp.h"
#include "mainwindow/WheelNotches.h"
#include "mainwindow/qt/EditOptionCommand.h"
#include "mainwindow/qt/EditorFrame.h"
#include "mainwindow/files/qt/LoadProgress.h"
#include "mainwindow/qt/MainComponents.h"
#include "mainwindow/qt/ProjectTabs.h"
#include "mainwindow/bars/qt/QtUserToolBars.h"
#include "mainwindow/bars/UserToolBars.h"
#include "mainwindow/desktop/qt/TrayPopupMenu.h"
#include "mainwindow/desktop/qt/X11Keyboard.h"
#include "platform/VirtualKeyCodes.h"
#include "platform/qt/ProgramIcon.h"
#include "documents/ToolBarFile.h"
#include "dialogs/ProjectManager.h"
#include "dialogs/qt/ProjectPropertyDialog.h"
#include "dialogs/qt/ProjectTreeView.h"
#include "mainwindow/qt/AutoSaveTimer.h"
#include "mainwindow/qt/MainCommandHost.h"
#include "mainwindow/qt/ToolDialogs.h"
#include "mainwindow/bars/qt/ProjectMenus.h"
#include "mainwindow/commands/ProjectCommands.h"
#include "mainwindow/qt/OptionHost.h"
#include "mainwindow/qt/PrintCommandBinding.h"
#include "mainwindow/qt/SearchHost.h"
#include "mainwindow/commands/qt/QtActions.h"
#include "mainwindow/qt/ToolDialogCommands.h"
#include "dialogs/qt/ClipBoardViewerForm.h"
#include "mainwindow/qt/ToolDialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QMenu>
#include <QMimeData>
#include <QSplitter>
#include <QDropEvent>
#include <QTabBar>
#include <QMouseEvent>
#include <QLayout>
#include <QResizeEvent>
#include <QScreen>
#include <QWheelEvent>
#include <QWindowStateChangeEvent>
#include <QTabWidget>
#include <QTimer>

#include <filesystem>

namespace qx {

namespace {

QString Q(const std::string& Utf8) { return QString::fromStdString(Utf8); }

// Sets a flag for the life of a scope.
struct TFlagScope {
    explicit TFlagScope(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TFlagScope() { FFlag = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;
    bool& FFlag;
};


} // namespace

TQxEditorMain::TQxEditorMain(TGlobalState& State, TPrompter& Prompter, QWidget* Parent)
    : QMainWindow(Parent), FState(State), FPrompter(Prompter), FIds(State.TabIdList, State.TabCounter),
      FStatusModel(State), FLockKeys(std::make_unique<TX11LockKeyProbe>())
{
    setObjectName("QxEditorMain");
    setWindowTitle("QxEditor");
    // A settings file refused for its size is told by name, once a run.
    SetSettingsRefusalReport([this](const std::string& Text) {
        ShowMessageDialog(FPrompter, Text, "", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
    });
    // The window carries the program's icon itself: the tray icon shows its owner's.
    setWindowIcon(ProgramIcon());
    FPages = new TPageControl(this);
    FPages->setObjectName("PageControl1");
    FPages->setMovable(true);
    FPages->setDocumentMode(true);
    // The project pane beside the tabs.
    FProjectTabs = std::make_unique<TWindowProjectTabs>(*this);
    FProjectDialogs = std::make_unique<TQtProjectDialogs>(this);
    FProject = std::make_unique<TProjectManager>(
        FState, TProjectServices{FPrompter, *FProjectTabs, *FProjectDialogs, [this] {
                                     if (Beep) Beep();
                                 }});
    FProjectSplitter = new QSplitter(Qt::Horizontal, this);
    FProjectSplitter->setObjectName("Splitter1");
    FProjectPane = new TProjectPane(*FProject, FState, FProjectSplitter);
    FProjectSplitter->addWidget(FProjectPane);
    FProjectSplitter->addWidget(FPages);
    FProjectSplitter->setStretchFactor(1, 1);
    connect(FProjectSplitter, &QSplitter::splitterMoved, this, [this] {
        const int width = FProjectSplitter->sizes().value(0);
        if (width > 0) FState.Settings.Project.ManagerWidth = width;
    });
    setCentralWidget(FProjectSplitter);
    FToolBars = std::make_unique<TQtUserToolBars>(*this, FState);
    FToolBars->StayOnTop = [this] { return FCommandHost && FCommandHost->StayOnTop(); };
    FToolBars->DropDownMenu = [this](int Number) -> QMenu* {
        const auto open = [this](const std::string& Path) { OpenFile({"", "", "", Path}, true); };
        switch (Number) {
        case 1: return PathMenu("FHistoryPopupMenu", [this] { return BuildHistoryPopup(FState); }, open);
        case 2: return PathMenu("FavoriteFPopupMenu", [this] { return BuildFavoriteMenu(FState); }, open);
        case 52:
            return PathMenu("ProjectFilePopupMenu", [this] { return BuildProjectMenuHistory(FState); },
                            [this](const std::string& Path) { FProject->OpenProjectFile(Path); });
        default: return nullptr;
        }
    };
    setAcceptDrops(true);
    FStatus = new TQxStatusBar(this);
    setStatusBar(FStatus);
    FComponents = new TMainComponents(*this, FState, FPrompter, ErrorBox(FPrompter));
    FComponents->RestoreWindow = [this] { RestoreWindow(); };
    FComponents->ShowStatusInfo = [this](const std::string& Text) {
        FStatusModel.SetFreeText(Text);
        FStatus->ShowPanels(FStatusModel.Panels());
    };
    auto* trayMenu = new TTrayPopupMenu(this);
    connect(trayMenu, &QMenu::aboutToShow, this, [this, trayMenu] { BuildTrayMenu(*trayMenu); });
    FComponents->SetTrayMenu(trayMenu);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState State) {
        const bool active = State == Qt::ApplicationActive;
        FComponents->ApplicationActivated(active);
        // Back from another program, which may have rewritten the file shown.
        if (active) CheckTimeStamp();
    });
    connect(FPages, &QTabWidget::currentChanged, this, [this] { PageChanged(); });
    // A dragged tab keeps the id list in page order.
    FPages->tabBar()->installEventFilter(this);
    // The pane that takes the focus is the one the focused-editor commands and the status bar follow.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* Now) {
        TEditorFrame* frame = CurrentFrame();
        if (!frame || !Now) return;
        TEditorWidget* pane = Now == &frame->MainHost() ? &frame->MainHost()
                              : Now == frame->SecondHost() ? frame->SecondHost() : nullptr;
        if (!pane) return;
        frame->NoteFocus(pane);
        EditorEnter(*frame, *pane);
    });
    connect(FPages->tabBar(), &QTabBar::tabMoved, this, [this](int From, int To) { FIds.Move(From, To); });
    FPages->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    FTabMenu = new QMenu(this);
    FTabMenu->setObjectName("TabPagePopupMenu");
    connect(FTabMenu, &QMenu::aboutToShow, this, [this] { TabPagePopupMenuPopup(); });
    connect(FPages->tabBar(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& At) { FTabMenu->popup(FPages->tabBar()->mapToGlobal(At)); });
    FCommandHost = std::make_unique<TQtMainCommandHost>(*this, FState, FPrompter);
    BindMainCommands(FCommands, *FCommandHost);
    // Web and mail links go to the desktop, file links into a tab by the open road.
    FEditorEvents.Links.Launcher = &FCommandHost->Launcher();
    FEditorEvents.Links.Prompter = &FPrompter;
    FEditorEvents.Links.ProgramFolder = FState.ProgramFolder;
    FEditorEvents.Links.OpenFile = [this](const std::string& FileName) {
        OpenFile({"", "", "", FileName}, true);
        RefreshStatusBar();
    };
    FSearchHost = std::make_unique<TQtSearchHost>(*this, FState, FPrompter);
    FSearchHost->StayOnTop = [this] { return FCommandHost->StayOnTop(); };
    FSearchHost->StopMacro = [this] {
        if (FComponents && FComponents->Macro().State() == TKeyMacroState::Playing) FComponents->Macro().StopPlay();
    };
    FSearch = std::make_unique<TSearchCommands>(FState, *FSearchHost);
    BindSearchCommands(FCommands, *FSearch, *FSearchHost);
    BindPrintCommands(FCommands, FState, FPrompter, this, [this] { return CurrentEditor(); }, [this] { return FCommandHost->StayOnTop(); });
    FToolDialogs = std::make_unique<TToolDialogs>(*this, FCommands);
    BindProjectCommands(FCommands, *FProject);
    (new TToolDialogCommands(*this))->Bind();
    BindEditOptionCommand(*this);
    FCommands.Bind("ActionOption", [this] { ShowOptionDialog(*this, FCommandHost->StayOnTop()); });
    // Whatever a command changed (overwrite mode, an inserted date, the wrap) shows at once.
    FCommands.OnExecuted = [this] { RefreshStatusBar(); };
    FActions = std::make_unique<TQtActions>(*this, FCommands, ErrorBox(FPrompter));
    FAutoSave = new TAutoSaveTimer(*this);
    AttachProjectTreePopup(FProjectPane->Tree(), *FActions);
    FProjectPane->OnSelectionChanged = [this] { FActions->UpdateStates(); };
    // Paste follows the clipboard, whichever program filled it.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { FActions->UpdateStates(); });
    BuildMenus();
}

TQxEditorMain::~TQxEditorMain()
{
    // No focus change, nor a pane's end, reaches the window's members while its children go.
    disconnect(qApp, nullptr, this, nullptr);
    SetSettingsRefusalReport({});
    for (int page = 0; page < Count(); ++page) {
        TEditorFrame* frame = FrameOfPage(page);
        if (!frame) continue;
        disconnect(&frame->MainHost(), nullptr, this, nullptr);
        if (frame->SecondHost()) disconnect(frame->SecondHost(), nullptr, this, nullptr);
    }
    delete FProjectPane;
    // The pages go with the window; their ids go with them.
    FIds.Clear();
}

void TQxEditorMain::EditModeMenuClick()
{
    if (TEditor* editor = CurrentEditor()) SetEditMode(editor->ReadOnly());
}

TEditorFrame* TQxEditorMain::FrameOfPage(int Page) const
{
    return dynamic_cast<TEditorFrame*>(FPages->widget(Page));
}

TEditorFrame* TQxEditorMain::CurrentFrame() const { return FrameOfPage(FPages->currentIndex()); }

TQxEditor* TQxEditorMain::CurrentEditor() const
{
    TEditorFrame* frame = CurrentFrame();
    return frame ? &frame->MainEditor() : nullptr;
}

TQxEditor* TQxEditorMain::FocusedEditor() const
{
    TEditorFrame* frame = CurrentFrame();
    if (!frame) return nullptr;
    return &static_cast<TQxEditor&>(frame->ActivePane()->Editor());
}

void TQxEditorMain::ApplyEnvironment(TQxEditor& Editor, int N, bool SecondPane)
{
    TEnvironmentApplyHost host;
    host.SecondPane = SecondPane;
    host.State = &FState;
    if (IsNamedFile(Editor.FileName)) host.DocumentFile = Editor.FileName;
    ApplyEditorEnvironment(EnvironmentFileName(FState, N), Editor, host);
}

void TQxEditorMain::SwitchEnvironment(int N)
{
    if (TEditorFrame* frame = CurrentFrame()) SwitchEnvironment(N, IsNamedFile(frame->FileName()) ? frame->FileName() : "");
}

void TQxEditorMain::SwitchEnvironment(int N, const std::string& DocumentFile, const TEditorEnvironment* Environment)
{
    TEditorFrame* frame = CurrentFrame();
    if (!frame) return;
    TEnvironmentApplyHost apply;
    apply.State = &FState;
    apply.DocumentFile = DocumentFile;
    TQxEditorDocument document = frame->Document();
    document.ApplyEnvironment(EnvironmentFileName(FState, N), apply, Environment);
    document.SetEnvironmentNumber(N);
    RefreshStatusBar();
}

void TQxEditorMain::MoveDocument(TTabMove Move)
{
    const int page = FPages->currentIndex();
    const int target = TabMoveTarget(Move, page, Count());
    // The tab bar's move keeps the id list in page order.
    if (target != page) FPages->tabBar()->moveTab(page, target);
}

void TQxEditorMain::EditorEnter(TEditorFrame& Frame, TEditorWidget& Pane)
{
    FState.ActiveEditor = &static_cast<TQxEditor&>(Pane.Editor());
    FComponents->FocusEditor(Pane);
    SetCurFile(Frame.FileName());
    FStatusModel.UpdateLockKeys(*FLockKeys);
    RefreshStatusBar();
}

void TQxEditorMain::WireEditor(TEditorFrame& Frame, TEditorWidget& Pane)
{
    FComponents->AttachEditor(Pane);
    Pane.installEventFilter(this);
    Pane.viewport()->installEventFilter(this);
    TEditor& Editor = Pane.Editor();
    // The frame may be gone when a late event arrives: look it up again each time.
    // A change of text may come with a caret put in place after it (an inserted phrase, date or
    // signature): the status bar shows it once that is done.
    Editor.OnChange = [this, &Frame](TObject*) {
        if (CurrentFrame() == &Frame) SetChange(Frame.MainEditor().Modified());
        RefreshStatusBarLater();
    };
    auto& qx = static_cast<TQxEditor&>(Editor);
    Editor.OnCaretMoved = [this, &qx](TObject*) {
        FEditorEvents.CaretMoved(qx);
        RefreshStatusBar();
    };
    Editor.OnDrawLine = [this, &qx](TObject*, const std::string& LineStr, int X, int Y, int Index, const TRect& ARect,
                                    bool) { FEditorEvents.DrawLine(qx, LineStr, X, Y, Index, ARect); };
    // Num Lock and Caps Lock show in the status bar; a lock may go only when its key is released.
    const auto lockKey = [this](int Key) {
        if (Key != VK_NUMLOCK && Key != VK_CAPITAL) return;
        FStatusModel.UpdateLockKeys(*FLockKeys);
        RefreshStatusBar();
    };
    Editor.OnKeyDown = [this, &qx, lockKey](TObject*, int& Key, TShiftState Shift) {
        lockKey(Key);
        FEditorEvents.KeyDown(qx, Key, Shift);
    };
    Editor.OnKeyUp = [lockKey](TObject*, int& Key, TShiftState) { lockKey(Key); };
    Editor.OnKeyPress = [this, &qx](TObject*, char& Key) { FEditorEvents.KeyPress(qx, Key); };
    Editor.OnMouseDown = [this, &qx](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
        FEditorEvents.MouseDown(qx, Button, Shift, X, Y);
    };
    Editor.OnSelectionChange = [this, &qx](TObject*, bool Selected) {
        FEditorEvents.SelectionChange(qx, Selected);
        RefreshStatusBar();
    };
    Editor.OnResize = [this, &qx](TObject*) { FEditorEvents.Resize(qx); };
    Editor.OnPasteLost = [this](TObject*, std::size_t Count) {
        ShowMessageDialog(FPrompter, MsgPastedCharactersReplaced(Count), "", TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
    };
    Editor.OnMouseMove = [this, &qx](TObject*, TShiftState Shift, int X, int Y) { FEditorEvents.MouseMove(qx, Shift, X, Y); };
    Editor.OnClick = [this, &qx](TObject*) { FEditorEvents.LinkClick(qx, qx.ClickPoint()); };
    Editor.OnDblClick = [this, &qx](TObject*) { FEditorEvents.LinkDblClick(qx, qx.ClickPoint()); };
    // A drag of the selection may end in the other pane: the pane under the mouse, in its own pixels.
    const auto paneUnder = [&Frame, &Pane](int X, int Y, QPoint& At) {
        return Frame.PaneAt(Pane.viewport()->mapToGlobal(QPoint(X, Y)), At);
    };
    Editor.OnDragOver = [this, &qx, paneUnder](TObject*, TShiftState, int X, int Y, bool& Handled) {
        QPoint at;
        TQxEditor* target = paneUnder(X, Y, at);
        Handled = FEditorEvents.DragOver(qx, target, at.x(), at.y());
    };
    Editor.OnDragDrop = [this, &qx, paneUnder](TObject*, TShiftState Shift, int X, int Y, bool& Handled) {
        QPoint at;
        Handled = FEditorEvents.DragDrop(qx, paneUnder(X, Y, at), Shift);
    };
    Editor.OnEndDrag = [this](TObject*) { FEditorEvents.EndDrag(); };
    connect(&Pane, &QObject::destroyed, this, [this, gone = &Editor] { FEditorEvents.Forget(gone); });
    // With "MouseWheelCtrl" the window scrolls the focused pane itself, in whole notches.
    Editor.OnMouseWheel = [this](TObject*, TShiftState, int Delta, TPoint, bool& Handled) {
        const TMouseWheelSettings& wheel = FState.Settings.MouseWheel;
        if (!wheel.MouseWheelCtrl) return;
        Handled = true;
        const int notches = FEditorWheel.Add(Delta);
        TQxEditor* editor = FocusedEditor();
        if (notches == 0 || !editor) return;
        const int rows = WheelScrollRows(notches, wheel.MouseWheelPage, wheel.MouseWheelScroll, editor->VisibleRows());
        editor->SetTopRow(std::clamp(editor->TopRow() + rows, 0, std::max(0, editor->MaxTopRow())));
    };
}

bool TQxEditorMain::eventFilter(QObject* Watched, QEvent* Event)
{
    // A right or middle button on a tab makes it the active one, so that the tab menu acts on it.
    if (Watched == FPages->tabBar() && Event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(Event);
        if (press->button() == Qt::RightButton || press->button() == Qt::MiddleButton) {
            const int tab = FPages->PageTabBar()->TabIndexAt(press->position().toPoint());
            if (tab >= 0) FPages->setCurrentIndex(tab);
        }
    }
    // The wheel over the tab row changes the tab (or nothing, when "TabWheelChange" is off).
    if (Watched == FPages->tabBar() && Event->type() == QEvent::Wheel) {
        if (!FState.Settings.Option.TabWheelChange) return true;
        const int notches = FTabWheel.Add(static_cast<QWheelEvent*>(Event)->angleDelta().y());
        if (notches != 0 && Count() > 0) FPages->setCurrentIndex(WheelTab(FPages->currentIndex(), Count(), notches));
        return true;
    }
    // The control reports a caret move only when the row changes; typing, a click or the input method
    // may move it within the row. The status bar follows every caret move: it is refreshed once after
    // each input event of a pane has been handled.
    if (Watched != FPages->tabBar()) {
        const QEvent::Type type = Event->type();
        const bool dragging = type == QEvent::MouseMove && static_cast<QMouseEvent*>(Event)->buttons() != Qt::NoButton;
        if (type == QEvent::KeyPress || type == QEvent::InputMethod || type == QEvent::MouseButtonPress ||
            type == QEvent::MouseButtonRelease || dragging)
            RefreshStatusBarLater();
    }
    return QMainWindow::eventFilter(Watched, Event);
}

void TQxEditorMain::RefreshStatusBarLater()
{
    if (FStatusRefreshPending) return;
    FStatusRefreshPending = true;
    QTimer::singleShot(0, this, [this] {
        FStatusRefreshPending = false;
        RefreshStatusBar();
    });
}

void TQxEditorMain::NewTab()
{
    const std::string id = FIds.Add();
    auto* frame = new TEditorFrame(FPages);
    frame->setObjectName(Q("Frame" + id));
    const std::string name = std::string(UntitledPrefix) + " " + id;
    TQxEditor& editor = frame->MainEditor();
    PrepareDocumentEditor(editor);
    editor.FileName = name;
    ApplyEnvironment(editor, 0, false);
    WireEditor(*frame, frame->MainHost());
    ShowTextCursor(frame->MainHost());
    FPages->addTab(frame, Q(name));
    FPages->setCurrentWidget(frame);
    SetCurFile(name);
    SetEditMode(true);
    frame->MainHost().setFocus();
    PageChanged();
}

void TQxEditorMain::DiscardNewTab(int Back)
{
    const int page = FPages->currentIndex();
    if (page < 0 || Count() < 2) return;  // the window keeps one tab
    RemovePage(page, Back);
    PageChanged();
}

void TQxEditorMain::RemovePage(int Page, int Then)
{
    QWidget* frame = FPages->widget(Page);
    FPages->blockSignals(true);
    FPages->removeTab(Page);
    FIds.Remove(Page);
    if (Count() > 0) FPages->setCurrentIndex(std::clamp(Then, 0, Count() - 1));
    FPages->blockSignals(false);
    delete frame;
}

void TQxEditorMain::CreateSplit()
{
    TEditorFrame* frame = CurrentFrame();
    if (!frame) return;
    TEditorWidget* second =
        frame->CreateSplit([this](TQxEditor& Editor, int N) { ApplyEnvironment(Editor, N, true); });
    if (!second) return;
    WireEditor(*frame, *second);
    ShowTextCursor(*second);
}

void TQxEditorMain::ShowTextCursor(TEditorWidget& Pane)
{
    TEditor& editor = Pane.Editor();
    TEditorCursors cursors = editor.Caret().Cursors();
    cursors.DefaultCursor = static_cast<TCursor>(FTextCursor);
    editor.Caret().SetCursors(cursors);
    Pane.SetCursor(FTextCursor);
}

void TQxEditorMain::SetTextCursor(int Cursor)
{
    FTextCursor = Cursor;
    for (int page = 0; page < Count(); ++page) {
        TEditorFrame* frame = FrameOfPage(page);
        ShowTextCursor(frame->MainHost());
        if (TEditorWidget* second = frame->SecondHost()) ShowTextCursor(*second);
    }
}

void TQxEditorMain::RemoveSplit()
{
    if (TEditorFrame* frame = CurrentFrame()) frame->RemoveSplit();
    PageChanged();
}

void TQxEditorMain::ShowTitles()
{
    TEditorFrame* frame = CurrentFrame();
    const bool modified = frame && frame->MainEditor().Modified();
    const TOptionSettings& option = FState.Settings.Option;
    const TDocumentTitles titles = DocumentTitles(FCurFile, option.ShowFilePath, modified);
    const auto minimized =
        isMinimized() ? TMinimizeRestore::MinimizedTitle(FCurFile, option.ShowFilePath, option.MiniFullPath) : std::nullopt;
    setWindowTitle(Q(minimized ? *minimized : titles.Title));
    // A keystroke keeps the caption: the tab row is not laid out again for it.
    const QString caption = Q(titles.Caption);
    if (frame && FPages->tabText(FPages->currentIndex()) != caption) FPages->setTabText(FPages->currentIndex(), caption);
}

void TQxEditorMain::SetCurFile(const std::string& Name)
{
    FCurFile = Name;
    if (TEditorFrame* frame = CurrentFrame()) frame->SetFileName(Name);
    ShowTitles();
}

void TQxEditorMain::SetChange(bool Value)
{
    FChanged = Value;
    FStatusModel.SetModified(Value);
    ShowTitles();
}

void TQxEditorMain::SetEditMode(bool Editable)
{
    // A document opened read-only stays so whatever is asked; the second pane follows the first.
    if (TEditorFrame* frame = CurrentFrame()) {
        const bool readOnly = frame->MainEditor().OpenReadOnly || !Editable;
        frame->EachEditor([&](TEditor& e) { e.SetReadOnly(readOnly); });
    }
    RefreshStatusBar();
}

void TQxEditorMain::RefreshStatusBar()
{
    TEditorFrame* frame = CurrentFrame();
    TQxEditor* editor = FocusedEditor();
    if (!frame || !editor) {
        FStatusModel.RefreshStatusBar(nullptr);
    } else {
        const int row = editor->Row();
        // A view of the row: a caret move on a long row copies nothing.
        const std::string_view rowText = row < editor->RowCount() ? editor->List().Get(row) : std::string_view();
        TStatusSnapshot snapshot;
        snapshot.Row = row;
        snapshot.Line = row < editor->RowCount() ? editor->RowToLine(row) : 0;
        snapshot.Col = editor->Col();
        snapshot.RowText = rowText;
        snapshot.TabSpaceCount = editor->TabSpaceCount();
        snapshot.WrapByte = editor->WordWrap() ? editor->WrapOption().WrapByte() : 0;
        snapshot.SelStart = editor->SelStart();
        snapshot.TextLength = editor->TextLength();
        snapshot.OverWrite = editor->OverWrite();
        snapshot.OpenReadOnly = editor->OpenReadOnly;
        snapshot.ReadOnly = editor->ReadOnly();
        snapshot.CharType = editor->SaveFileCharType();
        snapshot.RtrnType = editor->SaveFileRtrnType();
        FStatusModel.UpdateTextLength(&snapshot);
        FStatusModel.RefreshStatusBar(&snapshot);
        FStatusModel.SetModified(frame->MainEditor().Modified());
    }
    FStatus->ShowPanels(FStatusModel.Panels());
    UpdateCommandStates();
}

void TQxEditorMain::UpdateCommandStates()
{
    if (!FActions) return;
    // Between commands (each sets every state when it has run, as does a menu that opens), the states
    // depend on the tabs, the current file's name, the focused document's wrap and edit state and the
    // clipboard: a typed character that changed none of these sets none of them.
    TCommandInputs inputs;
    inputs.Tabs = Count();
    inputs.Page = FPages->currentIndex();
    inputs.Named = IsNamedFile(FCurFile);
    if (const TQxEditor* current = CurrentEditor())
        inputs.Wrap = !current->WordWrap() ? 0 : current->WrapByWindow ? 2 : 1;
    if (TQxEditor* editor = FocusedEditor()) {
        inputs.Focused = editor;
        inputs.Modified = CurrentEditor()->Modified();
        inputs.CanUndo = editor->CanUndo();
        inputs.CanRedo = editor->CanRedo();
        inputs.Selected = editor->HasSelection();
        inputs.ReadOnly = editor->ReadOnly();
        inputs.OverWrite = editor->OverWrite();
    }
    if (FCommandInputs && *FCommandInputs == inputs) return;
    FCommandInputs = inputs;
    FActions->UpdateStates();
}

void TQxEditorMain::PageChanged()
{
    TEditorFrame* frame = CurrentFrame();
    if (!frame) return;
    // Another document: its own states (its wrap, its split, ...) whatever the inputs look like.
    FCommandInputs.reset();
    // The focused pane of another tab is no longer the active editor; keys go to this tab's.
    FState.ActiveEditor = FocusedEditor();
    MarkTabs();
    FComponents->FocusEditor(*frame->ActivePane());
    FCurFile = frame->FileName();
    SetChange(frame->MainEditor().Modified());
    SetEditMode(!frame->MainEditor().ReadOnly());
    CheckTimeStamp();
}

void TQxEditorMain::CheckTimeStamp()
{
    TEditorFrame* frame = CurrentFrame();
    // The question's own window leaves and activates the application again: one check at a time.
    if (!frame || FCheckingStamp) return;
    const TFlagScope checking(FCheckingStamp);
    TDocumentHost host = Host();
    if (!host.IsNamedDocument()) return;
    TQxEditorDocument document = frame->Document();
    CheckFileTimeStamp(document, host, FState);
}

void TQxEditorMain::MarkTabs()
{
    const int hiLight = FState.Settings.Option.TabHiLight;
    if (hiLight != 1 && hiLight != 2) return;  // the standard look: the tabs are left as they are
    TPageTabBar* bar = FPages->PageTabBar();
    for (int page = 0; page < Count(); ++page) {
        const TTabMark mark = TabMarkOf(hiLight, page == FPages->currentIndex());
        bar->SetTabHighlighted(page, mark.Highlighted);
        QIcon image;
        if (mark.ImageIndex >= 0)
            if (QAction* action = FActions->Action(ToolButtonAction(mark.ImageIndex)))
                image = action->icon().isNull() ? ToolButtonIcon(mark.ImageIndex, action->text()) : action->icon();
        bar->setTabIcon(page, image);
    }
}

TDocumentHost TQxEditorMain::Host()
{
    TDocumentHost host;
    host.Prompter = &FPrompter;
    host.ApplyEnvironment = [this](int N, const std::string& FileName, const TEditorEnvironment* Environment) {
        SwitchEnvironment(N, FileName, Environment);
    };
    host.SetEditMode = [this](bool Editable) { SetEditMode(Editable); };
    host.Beep = [this] {
        if (Beep) Beep();
    };
    host.IsNamedDocument = [this] { return IsNamedFile(FCurFile); };
    host.AfterReload = [this] {
        SetChange(false);
        RefreshStatusBar();
    };
    host.LoadProgress = TLoadProgressShow::Hook(this);
    return host;
}

bool TQxEditorMain::OpenFile(const TOpenRequest& Request, bool ReuseUntouched)
{
    // A shortcut stands for its target. A project file opens as the project (when the settings say so);
    // every other file takes the file road.
    TOpenRequest request = Request;
    request.FileName = ShortcutTarget(Request.FileName);
    std::string name = request.FileName;
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(name, ec);
    if (!ec) name = absolute.lexically_normal().string();
    if (OpenAsProject(name, ReuseUntouched)) return true;
    return OpenDocument(*this, request, ocAuto, ReuseUntouched);
}

void TQxEditorMain::DocumentBoundTo(const std::string& Name)
{
    SetCurFile(Name);
    SetChange(false);
    FState.LastFileName = Name;
    AddFileHistory(FState, Name);
}

QMenu* TQxEditorMain::PathMenu(const char* Name, std::function<std::vector<TMenuItemModel>()> Items,
                                std::function<void(const std::string&)> Open)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(Name);
    connect(menu, &QMenu::aboutToShow, this, [this, menu, Items = std::move(Items), Open = std::move(Open)] {
        menu->clear();
        for (const TMenuItemModel& item : Items()) {
            if (!item.Visible) continue;
            const std::string path = item.Path;
            connect(menu->addAction(Q(item.Caption)), &QAction::triggered, this, [Open, path] { Open(path); });
        }
    });
    return menu;
}

void TQxEditorMain::BuildTrayMenu(TTrayPopupMenu& Menu)
{
    Menu.clear();
    Menu.SetColorSet(FState.Settings.Basic.TrayMenuColor);
    bool history = false;
    for (const TMenuItemModel& item : BuildHistoryPopup(FState)) {
        if (!item.Visible) continue;
        const std::string path = item.Path;
        connect(Menu.addAction(Q(item.Caption)), &QAction::triggered, this, [this, path] {
            RestoreWindow();
            OpenFile({"", "", "", path}, true);
        });
        history = true;
    }
    if (history) Menu.addSeparator();
    std::vector<const char*> names = {"ActionNew", "ActionOpen"};
    if (FState.Settings.Menu.FavoriteMenu) names.push_back("ActionFavorite");
    names.push_back("");
    names.push_back("ActionShutQxEditor");
    for (const char* name : names) {
        if (!*name) {
            Menu.addSeparator();
        } else if (QAction* action = findChild<QAction*>(name)) {
            // A new or opened document is shown: the window comes back from the tray with it.
            QAction* item = Menu.addAction(action->text().section(QLatin1Char('\t'), 0, 0));
            item->setEnabled(action->isEnabled());
            connect(item, &QAction::triggered, this, [this, action] {
                action->trigger();
                if (action->objectName() != QLatin1String("ActionShutQxEditor")) RestoreWindow();
            });
        }
    }
}

QMenu* TQxEditorMain::createPopupMenu()
{
    auto* menu = new QMenu(this);
    for (const char* name : {"ActionToolBar1", "ActionToolBar2"})
        if (QAction* action = findChild<QAction*>(name)) menu->addAction(action);
    if (!menu->isEmpty()) menu->addSeparator();
    connect(menu->addAction(QString::fromUtf8("ツールバーのカスタマイズ(&C)...")), &QAction::triggered, this, [this] {
        FToolBars->Customize(FPrompter, [this] {
            if (Beep) Beep();
        });
    });
    return menu;
}

void TQxEditorMain::TabPagePopupMenuPopup()
{
    FTabMenu->clear();
    if (FActions) FActions->UpdateStates();
    const bool atBottom = FPages->tabPosition() == QTabWidget::South;
    const auto addCloseItems = [this] {
        for (const char* name : {"ActionClose", "ActionAllClose"})
            if (QAction* action = findChild<QAction*>(name)) FTabMenu->addAction(action);
    };
    if (!atBottom) {
        addCloseItems();
        FTabMenu->addSeparator();
    }
    for (QAction* item : DocumentMoveItems(*FTabMenu)) FTabMenu->addAction(item);
    if (atBottom) {
        FTabMenu->addSeparator();
        addCloseItems();
    }
}

std::vector<TWindowPlacement> TQxEditorMain::ScreenAreas()
{
    std::vector<TWindowPlacement> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        screens.push_back({area.left(), area.top(), area.height(), area.width()});
    }
    return screens;
}

void TQxEditorMain::resizeEvent(QResizeEvent* Event)
{
    QMainWindow::resizeEvent(Event);
    if (TEditorFrame* frame = CurrentFrame()) frame->HalveSplit();
}

void TQxEditorMain::changeEvent(QEvent* Event)
{
    QMainWindow::changeEvent(Event);
    if (Event->type() != QEvent::WindowStateChange) return;
    const bool was = static_cast<QWindowStateChangeEvent*>(Event)->oldState() & Qt::WindowMinimized;
    if (isMinimized() && !was)
        WindowMinimized();
    else if (!isMinimized() && was)
        WindowRestored();
}

TQxEditorMain::TToolWindows TQxEditorMain::ToolWindows() const
{
    TToolWindows windows;
    if (auto* commands = findChild<TToolDialogCommands*>("ToolDialogCommands")) windows.ClipViewer = commands->ClipViewer();
    if (FToolDialogs) windows.WordAssistant = FToolDialogs->WordAssistant();
    return windows;
}

void TQxEditorMain::WindowMinimized()
{
    const auto [viewer, assistant] = ToolWindows();
    TMinimizeState state;
    state.StayOnTop = FCommandHost->StayOnTop();
    state.ClipViewerShown = viewer && viewer->isVisible();
    state.WordAssistantShown = assistant && assistant->isVisible();
    state.MinimizeToTray = FState.Settings.HideOption.MinimizeToTray;
    state.TrayHoldsIcon = FComponents->HasTray();
    const TMinimizeSteps steps = FMinimize.Minimize(state);
    if (steps.HideClipViewer) viewer->hide();
    if (steps.HideWordAssistant) assistant->hide();
    ShowTitles();
    // After the state change has run its course (showMinimized shows the window once more after it).
    if (steps.HideWindow)
        QMetaObject::invokeMethod(this, [this] {
            if (isMinimized()) hide();
        }, Qt::QueuedConnection);
}

void TQxEditorMain::WindowRestored()
{
    const auto [viewer, assistant] = ToolWindows();
    const TRestoreSteps steps = FMinimize.Restore();
    if (steps.ShowClipViewer && viewer) viewer->show();
    if (steps.ShowWordAssistant && assistant) assistant->show();
    ShowTitles();
}

bool TQxEditorMain::OpenAsProject(const std::string& Name, bool Ask)
{
    std::string ext = std::filesystem::path(Name).extension().string();
    for (char& c : ext) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (ext != ".QXP" || FState.Settings.Project.ProjectOpenStyle != 0) return false;
    if (Count() == 0) NewTab();
    // The command line's project opens without a question; later roads ask about a modified one.
    if (Ask)
        FProject->OpenProjectFile(Name);
    else
        FProject->OpenProject(Name);
    return true;
}

bool TQxEditorMain::ProjectAtClose(bool Resident)
{
    // A resident window stays, so a project it could not save stays open in it.
    const bool named = FState.ProjectFileName != UntitledProjectName;
    if (FState.Settings.Project.AutoSaveToExit && named) return FProject->SaveProject(FState.ProjectFileName) || Resident;
    return Resident || FProject->QueryProjectSave();
}

void TQxEditorMain::InsertLogStamp()
{
    TEditor* editor = CurrentEditor();
    if (!editor || editor->Lines().Count() == 0) return;
    const auto stamp = LogStampLine(editor->Lines().Get(0), Now ? Now() : std::time(nullptr));
    if (!stamp) return;
    editor->Lines().Add("");
    editor->Lines().Add(*stamp);
}

void TQxEditorMain::ApplyOptions(const TOpenRequest& Request)
{
    TEditorFrame* frame = CurrentFrame();
    if (!Request.ReadOption.empty()) {
        frame->Document().SetReadOnlyState(Request.ReadOption == "/RL", true);
        SetEditMode(false);
    }
    if (Request.JumpOption.empty()) return;
    TEditor& editor = frame->MainEditor();
    const int number = JumpNumber(Request.JumpValue);
    int row = number - 1;
    if (Request.JumpOption == "/JL") {
        const int lastLine = editor.RowCount() > 0 ? editor.RowToLine(editor.RowCount() - 1) : 0;
        row = editor.LineToRow(std::clamp(number - 1, 0, lastLine));
    }
    // A number beyond the text goes to its last row.
    editor.SetRow(std::clamp(row, 0, std::max(0, editor.RowCount() - 1)));
}

void TQxEditorMain::FormShow(const std::vector<std::string>& Args, const std::string& CurrentDir)
{
    BindEnvironmentFileExts(FState);
    FComponents->FirstShow();
    {
        TQtOptionHost cursors(*this);
        ApplyCursorSetting(FState.Settings.Cursor, cursors);
    }
    LoadToolBarSettings(FState);
    FToolBars->Build();
    ApplyBarSettings();
    // The bars may make the window wider than its stored width: it grows now, and its frame is placed
    // again, as the frame's place (growing, it was placed by the corner of what it frames, which puts
    // the title bar of a window at the top of the screen above the screen).
    if (QLayout* bars = layout()) bars->activate();
    if (!isMaximized()) move(FStartPlace.Left, FStartPlace.Top);
    const TProjectSettings& project = FState.Settings.Project;
    FProject->SetStartingOrClosing(true);
    FProject->NewProject();
    FProject->SetPaneVisible(project.ProjectManager);
    FProjectSplitter->setSizes({project.ManagerWidth, std::max(1, width() - project.ManagerWidth)});
    FAutoSave->Start();
    OpenCommandLine(Args, CurrentDir);
    // The project of the last run, or the fixed one.
    if (project.ProjectStartStyle == 1 && !project.LastProjectFile.empty() &&
        project.LastProjectFile != UntitledProjectName)
        FProject->OpenProject(project.LastProjectFile);
    else if (project.ProjectStartStyle == 2 && !project.ProjectFilePath.empty())
        FProject->OpenProject(project.ProjectFilePath);
    FProject->SetStartingOrClosing(false);
    PageChanged();
    FComponents->ShowTipsAtStart();
}

void TQxEditorMain::OpenCommandLine(const std::vector<std::string>& Args, const std::string& CurrentDir)
{
    if (Args.empty()) {
        NewTab();
        return;
    }
    const auto groups = ParseCommandLine(Args);
    if (!groups) {
        NewTab();
        ShowMessageDialog(FPrompter, "起動オプションが正しく指定されていません。", "確認", TMsgDlgType::mtError, {TMsgDlgBtn::mbYes});
        return;
    }
    for (TOpenRequest request : *groups) {
        request.FileName = JoinToFolder(request.FileName, CurrentDir);
        OpenFile(request, false);
    }
    if (Count() == 0) NewTab();
}

void TQxEditorMain::RestoreWindow()
{
    if (isMinimized()) showNormal();
    if (isHidden()) show();
    raise();
    activateWindow();
}

void TQxEditorMain::HandOverRecord(int Tag, const std::string& Text)
{
    RestoreWindow();
    switch (FHandOver.Feed(Tag, Text)) {
    case THandOverReceiver::TStep::BadOption:
        ShowMessageDialog(FPrompter, "起動オプションが正しく指定されていません。", "確認", TMsgDlgType::mtError, {TMsgDlgBtn::mbYes});
        break;
    case THandOverReceiver::TStep::Open:
        if (Count() == 0) NewTab();
        OpenFile(FHandOver.Request(), true);
        break;
    case THandOverReceiver::TStep::None: break;
    }
}

bool TQxEditorMain::FileSave()
{
    const TFlagScope saving(FSaving);
    return SaveDocument(*this);
}

bool TQxEditorMain::Busy() const
{
    return FSaving || FClosing || FComponents->Macro().State() == TKeyMacroState::Playing;
}

int TQxEditorMain::Count() const { return FPages->count(); }
bool TQxEditorMain::Modified(int Page) const { return FrameOfPage(Page)->MainEditor().Modified(); }
std::string TQxEditorMain::Name(int Page) const { return FrameOfPage(Page)->FileName(); }

void TQxEditorMain::Activate(int Page)
{
    FPages->setCurrentIndex(Page);
    SetCurFile(Name(Page));
}

TCloseServices TQxEditorMain::CloseServices()
{
    return {&FPrompter, [this] {
                if (Beep) Beep();
            }};
}

bool TQxEditorMain::Close1Click()
{
    const int page = FPages->currentIndex();
    if (page < 0) return true;
    // The only tab, untitled and untouched, stays as it is.
    if (Count() == 1 && IsUntitled(Name(0)) && !Modified(0)) return true;
    if (!QuerySaveDocument(*this, page, CloseServices())) return false;
    RemovePage(page, PageAfterClose(page, Count(), FState.Settings.Option.TabCloseCtrl));
    if (Count() == 0)
        NewTab();
    else
        PageChanged();
    return true;
}

void TQxEditorMain::FreeAllTabs()
{
    FPages->blockSignals(true);
    while (Count() > 0) {
        QWidget* frame = FPages->widget(0);
        FPages->removeTab(0);
        delete frame;
    }
    FPages->blockSignals(false);
    FIds.Clear();
}

bool TQxEditorMain::CloseAllDocuments()
{
    if (Count() > 0) Activate(0);
    if (qx::CloseAllDocuments(*this, CloseServices()) != TCloseResult::Closed) return false;
    FreeAllTabs();
    NewTab();
    return true;
}

void TQxEditorMain::closeEvent(QCloseEvent* Event)
{
    // A key macro that plays must not type into documents while they are asked about and freed.
    FComponents->EndForClose();
    const TFlagScope closing(FClosing);
    const TWindowClose outcome = CloseMainWindow(
        QuitRequested, FState.Settings.Basic.AlwaysQxEditor, FComponents->HasTray(),
        {[this] { return CloseAllDocuments(); }, [this](bool Resident) { return ProjectAtClose(Resident); },
         [this] { SaveMainSettings(FState, this); }});
    switch (outcome) {
    case TWindowClose::Keep: Event->ignore(); break;
    case TWindowClose::HideInTray:
        Event->ignore();
        hide();
        break;
    case TWindowClose::Minimize:
        Event->ignore();
        showMinimized();
        break;
    case TWindowClose::Quit:
        Event->accept();
        QCoreApplication::quit();
        break;
    }
}

void TQxEditorMain::dragEnterEvent(QDragEnterEvent* Event)
{
    if (Event->mimeData()->hasUrls()) Event->acceptProposedAction();
}

void TQxEditorMain::dropEvent(QDropEvent* Event)
{
    DropUrls(Event->mimeData()->urls());
    Event->acceptProposedAction();
}

void TQxEditorMain::DropUrls(const QList<QUrl>& Urls)
{
    activateWindow();
    // Each local file in order; one that cannot be opened says so and the rest still open.
    for (const QUrl& url : Urls)
        if (url.isLocalFile()) OpenFile({"", "", "", url.toLocalFile().toStdString()}, true);
    RefreshStatusBar();
}

void TQxEditorMain::ApplyMainSettings(const TGlobalState& State)
{
    const TWindowSettings& window = State.Settings.Window;
    // The frame's place (move() places the frame, setGeometry() what it frames), on a screen.
    const TWindowPlacement placement = StartPlacement(window);
    FStartPlace = KeepOnScreens(placement, ScreenAreas());
    resize(FStartPlace.Width, FStartPlace.Height);
    move(FStartPlace.Left, FStartPlace.Top);
    WidenDefaultPlacement(placement);
    if (window.Maximized) setWindowState(windowState() | Qt::WindowMaximized);
    const TOptionSettings& option = State.Settings.Option;
    ApplyTabLook(option.TabPosition, option.TabStyle, option.TabMultiLine);
    MarkTabs();
    ApplyProjectMenu(State.Settings.Project.ProjectMenu);
    ApplyProjectTreeLook(*this, ProjectTreeLookOf(State.Settings.Project));
}

void TQxEditorMain::WidenDefaultPlacement(const TWindowPlacement& Placement)
{
    if (Placement != TWindowPlacement{}) return;
    const int room = screen() ? screen()->availableGeometry().width() : width();
    resize(std::clamp(FStatus->sizeHint().width(), width(), std::max(width(), room)), height());
}

void TQxEditorMain::ApplyTabLook(int Position, int Style, bool MultiLine)
{
    const bool bottom = Position == 1;
    FPages->setTabPosition(bottom ? QTabWidget::South : QTabWidget::North);
    // Buttons stand apart in the row: raised, the current one pressed; flat ones show a frame only
    // around the current one and the one under the mouse. The bottom row has the tab style only.
    static const char* const buttons =
        "QTabBar::tab { border: 1px solid palette(mid); border-radius: 3px; padding: 3px 10px; margin: 2px 1px;"
        " background: palette(button); }"
        "QTabBar::tab:selected { background: palette(midlight); border-color: palette(dark); }";
    static const char* const flatButtons =
        "QTabBar::tab { border: 1px solid transparent; border-radius: 3px; padding: 3px 10px; margin: 2px 1px;"
        " background: transparent; }"
        "QTabBar::tab:hover { border-color: palette(mid); }"
        "QTabBar::tab:selected { background: palette(midlight); border-color: palette(dark); }";
    const int style = bottom ? 0 : Style;
    TPageTabBar* bar = FPages->PageTabBar();
    bar->setStyleSheet(style == 1 ? buttons : style == 2 ? flatButtons : "");
    bar->SetMultiLine(MultiLine);
}

void TQxEditorMain::CollectMainSettings(TGlobalState& State)
{
    // The pane's width as it stands, or as it was last dragged while it was shown.
    TProjectSettings& project = State.Settings.Project;
    project.ProjectManager = FProject->PaneVisible();
    if (const int width = FProjectSplitter->sizes().value(0); project.ProjectManager && width > 0)
        project.ManagerWidth = width;
    FToolBars->CollectPlaces(State.Settings.ToolBar);
}

TWindowPlacement TQxEditorMain::CurrentPlacement() const
{
    // The frame's place, where ApplyMainSettings puts it again, and the size of what it frames.
    const QRect r = normalGeometry().isValid() ? normalGeometry() : geometry();
    const QPoint frame = geometry().topLeft() - frameGeometry().topLeft();
    return {r.left() - frame.x(), r.top() - frame.y(), r.height(), r.width()};
}

bool TQxEditorMain::IsMaximized() const { return isMaximized(); }

} // namespace qx
