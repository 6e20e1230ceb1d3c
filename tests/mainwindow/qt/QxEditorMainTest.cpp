#include "mainwindow/qt/QxEditorMain.h"

#include "documents/MessageTexts.h"
#include "editor/EditorControl.h"
#include "editor/EditorStrings.h"
#include "editor/QxEditor.h"
#include "mainwindow/keys/KeyMacro.h"
#include "mainwindow/keys/KeyRouter.h"
#include "platform/VirtualKeys.h"
#include "mainwindow/qt/EditorFrame.h"
#include "mainwindow/commands/qt/QtActions.h"
#include "mainwindow/keys/qt/EditorKeyTarget.h"
#include "mainwindow/qt/MainComponents.h"
#include "mainwindow/qt/MainCommandHost.h"
#include "mainwindow/bars/qt/MainMenuBar.h"
#include "dialogs/CommandTable.h"
#include "mainwindow/bars/MainMenu.h"
#include <QMenu>
#include <QMenuBar>
#include "mainwindow/qt/MainCommandHost.h"
#include "mainwindow/desktop/qt/QtTrayIcon.h"
#include "mainwindow/bars/qt/QtUserToolBars.h"
#include "mainwindow/desktop/qt/Splash.h"
#include "documents/qt/QxMessageDialog.h"
#include "documents/MainSettings.h"
#include "mainwindow/desktop/Tips.h"
#include "platform/qt/ProgramIcon.h"
#include "dialogs/qt/ToolBarSetDialog.h"
#include "platform/Cp932.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedPrompter.h"
#include "dialogs/ProjectFile.h"
#include "dialogs/ProjectManager.h"
#include "dialogs/qt/ProjectTreeView.h"
#include "dialogs/qt/WordAssistantWindow.h"
#include "documents/EditorEnvironment.h"
#include "documents/MessageTexts.h"
#include "platform/SettingsBytes.h"
#include "documents/qt/QxStatusBar.h"
#include "support/RecordingLauncher.h"
#include "support/TempDir.h"
#include "mainwindow/qt/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSplashScreen>
#include <QSystemTrayIcon>
#include <QToolButton>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace qx {
namespace {

void WriteFile(const std::string& Path, const std::string& Bytes)
{
    std::ofstream(Path, std::ios::binary) << Bytes;
}

struct MainWindowTest : test::WindowFixture {
    void SetUp() override
    {
        MakeWindow();
        WriteFile(Dir.File("a.txt"), "alpha\nsecond\n");
        WriteFile(Dir.File("b.txt"), "beta\n");
    }
    std::string TextOf(int Page) { return Window->FrameOfPage(Page)->MainEditor().Lines().Text(); }
    std::vector<std::string> Ids()
    {
        std::vector<std::string> ids;
        for (int i = 0; i < State.TabIdList.Count(); ++i) ids.push_back(State.TabIdList[i]);
        return ids;
    }
    // Runs an action as its menu item would, through its enabling rule.
    void Run(const char* Action)
    {
        QAction* action = Window->findChild<QAction*>(Action);
        ASSERT_NE(action, nullptr) << Action;
        Window->Actions().UpdateStates();
        ASSERT_TRUE(action->isEnabled()) << Action;
        action->trigger();
    }
    void Type(const std::string& Text)
    {
        TEditor& editor = *Window->CurrentEditor();
        editor.Lines().SetText(Text);
        editor.SetModified(true);
    }
};

TEST_F(MainWindowTest, CommandLineFilesOpenInTabsWithTheirTexts)
{
    Window->OpenCommandLine({"a.txt", "/J", "2", "b.txt"}, Dir.Path());
    ASSERT_EQ(Window->Count(), 2);
    EXPECT_EQ(TextOf(0).substr(0, 5), "alpha");
    EXPECT_EQ(TextOf(1).substr(0, 4), "beta");
    EXPECT_EQ(Window->Pages()->tabText(0).toStdString(), "a.txt");
    EXPECT_EQ(Window->Name(1), Dir.File("b.txt"));
    EXPECT_EQ(Window->windowTitle().toStdString(), "QxEditor - [b.txt]");
    EXPECT_EQ(Ids(), (std::vector<std::string>{"1", "2"}));
    EXPECT_TRUE(Prompter.Requests.empty());
}

TEST_F(MainWindowTest, ADocumentEditorUndoesItsLast256Steps)
{
    Window->NewTab();
    TEditor& editor = *Window->CurrentEditor();
    for (int i = 0; i < 300; ++i) editor.KeyPress("a", 0);
    for (int i = 0; i < 310; ++i) editor.Undo();
    EXPECT_EQ(editor.Lines().Text(), std::string(300 - 256, 'a') + "\r\n");
}

TEST_F(MainWindowTest, ABadCommandLineOpensNothingAndSaysSo)
{
    Prompter.Answers = {mr::Yes};
    Window->OpenCommandLine({"a.txt", "/J"}, Dir.Path());
    ASSERT_EQ(Window->Count(), 1);
    EXPECT_TRUE(IsUntitled(Window->Name(0)));
    ASSERT_EQ(Prompter.Requests.size(), 1u);
    EXPECT_EQ(Prompter.Requests[0].Text, "起動オプションが正しく指定されていません。");
}

TEST_F(MainWindowTest, AnOversizedHistoryIsToldByNameOnceAndNeverWrittenOver)
{
    // A hundred times any real "History" and more, of empty lines; the files open all the same.
    const std::string history = State.ProgramFile(HistoryFileName);
    WriteFile(history, std::string(MaxSettingsFileBytes + 1, '\n'));
    Window->OpenCommandLine({"a.txt"}, Dir.Path());
    Window->OpenCommandLine({"b.txt"}, Dir.Path());
    EXPECT_EQ(Window->Count(), 2);
    EXPECT_EQ(Prompter.Texts(), std::vector<std::string>{MsgFileReadError(history, ESettingsFileTooLarge::Reason())});
    EXPECT_EQ(std::filesystem::file_size(history), MaxSettingsFileBytes + 1);
    // The files opened are still offered in the recent files of this run.
    EXPECT_EQ(State.RecentFileList.Items(), (std::vector<std::string>{Dir.File("b.txt"), Dir.File("a.txt")}));
}

TEST_F(MainWindowTest, AMissingFileIsNamedAsGiven)
{
    Prompter.Answers = {mr::Yes};
    Window->OpenCommandLine({"missing.txt"}, Dir.Path());
    ASSERT_EQ(Prompter.Requests.size(), 1u);
    EXPECT_NE(Prompter.Requests[0].Text.find(Dir.File("missing.txt")), std::string::npos);
    EXPECT_EQ(Window->Count(), 1);  // one untitled tab stays to type in
}

TEST_F(MainWindowTest, HandOverReusesAnUntouchedUntitledTabAndActivatesAnOpenFile)
{
    Window->OpenCommandLine({}, Dir.Path());
    auto send = [&](std::vector<std::string> Args) {
        Window->HandOverRecord(HandOverProgramTag, "/usr/bin/QxEditor");
        Window->HandOverRecord(HandOverFolderTag, Dir.Path());
        for (size_t i = 0; i < Args.size(); ++i) Window->HandOverRecord(static_cast<int>(i + 1), Args[i]);
    };
    send({"a.txt"});
    ASSERT_EQ(Window->Count(), 1);
    EXPECT_EQ(Window->Name(0), Dir.File("a.txt"));
    send({"b.txt"});
    ASSERT_EQ(Window->Count(), 2);
    send({"a.txt"});
    EXPECT_EQ(Window->Count(), 2);
    EXPECT_EQ(Window->Pages()->currentIndex(), 0);
    // A file already open is only activated: the hand-over's read-only and jump options are not applied
    // to it (the user's caret and mode stay as they were).
    send({"/R", "/J", "2", "b.txt"});
    EXPECT_EQ(Window->Pages()->currentIndex(), 1);
    EXPECT_FALSE(Window->FrameOfPage(1)->MainEditor().ReadOnly());
    EXPECT_EQ(Window->FrameOfPage(1)->MainEditor().Row(), 0);
    send({"/R", "/J", "99", Dir.File("a.txt")});
    EXPECT_EQ(Window->Pages()->currentIndex(), 0);
    TEditor& a = Window->FrameOfPage(0)->MainEditor();
    ASSERT_GT(a.RowCount(), 1);  // a jump, were it applied, would move the caret
    EXPECT_FALSE(a.ReadOnly());
    EXPECT_EQ(a.Row(), 0);
}

TEST_F(MainWindowTest, JumpAndReadOptionsOfAnOpenedFile)
{
    Window->OpenCommandLine({"/R", "/J", "2", "a.txt", "/JL", "99", "b.txt"}, Dir.Path());
    ASSERT_EQ(Window->Count(), 2);
    TEditor& a = Window->FrameOfPage(0)->MainEditor();
    EXPECT_TRUE(a.ReadOnly());
    EXPECT_EQ(a.Row(), 1);
    TEditor& b = Window->FrameOfPage(1)->MainEditor();
    EXPECT_FALSE(b.ReadOnly());
    EXPECT_EQ(b.Row(), b.RowCount() - 1);
}

TEST_F(MainWindowTest, CloseWithAModifiedTabAsksAndCancelKeepsEverything)
{
    Window->OpenCommandLine({"a.txt", "b.txt"}, Dir.Path());
    Window->Activate(1);
    Type("changed");
    Prompter.Answers = {mr::Cancel};
    QCloseEvent event;
    QApplication::sendEvent(Window.get(), &event);
    EXPECT_FALSE(event.isAccepted());
    EXPECT_EQ(Window->Count(), 2);
    EXPECT_TRUE(Window->Modified(1));
    EXPECT_EQ(TextOf(1).substr(0, 7), "changed");
    EXPECT_EQ(test::ReadBytes(Dir.File("b.txt")), "beta\n");
}

TEST_F(MainWindowTest, CloseAllWithYesAndAllSavesThenLeavesOneUntitledTab)
{
    Window->OpenCommandLine({"a.txt", "b.txt"}, Dir.Path());
    Window->Activate(0);
    Type("one");
    Window->Activate(1);
    Type("two");
    Prompter.Answers = {mr::All};
    EXPECT_TRUE(Window->CloseAllDocuments());
    EXPECT_EQ(test::ReadBytes(Dir.File("a.txt")), "one");
    EXPECT_EQ(test::ReadBytes(Dir.File("b.txt")), "two");
    ASSERT_EQ(Window->Count(), 1);
    EXPECT_EQ(Ids(), std::vector<std::string>{"1"});
    EXPECT_EQ(Prompter.Requests.size(), 1u);
}

TEST_F(MainWindowTest, ASaveThatDidNotHappenKeepsTheTab)
{
    Window->OpenCommandLine({}, Dir.Path());
    Type("unsaved text");
    Window->SetDialogs(std::make_unique<test::ScriptedFileDialogs>());  // the save dialog cancelled
    Prompter.Answers = {mr::Yes};
    EXPECT_FALSE(Window->CloseAllDocuments());
    EXPECT_EQ(Window->Count(), 1);
    EXPECT_TRUE(Window->Modified(0));
    Prompter.Answers = {mr::Yes};
    EXPECT_FALSE(Window->Close1Click());
    EXPECT_EQ(TextOf(0).substr(0, 12), "unsaved text");
}

TEST_F(MainWindowTest, TabIdsFollowClosesAndDrags)
{
    Window->OpenCommandLine({}, Dir.Path());
    Window->NewTab();
    Window->NewTab();
    Window->NewTab();
    Window->Activate(1);
    EXPECT_TRUE(Window->Close1Click());
    EXPECT_EQ(Ids(), (std::vector<std::string>{"1", "3", "4"}));
    Window->Pages()->tabBar()->moveTab(0, 2);
    EXPECT_EQ(Ids(), (std::vector<std::string>{"3", "4", "1"}));
    EXPECT_EQ(Window->Name(2), "無題 1");
    // The document moves take the active document and its id; the current editor stays its editor.
    Window->Activate(1);
    TQxEditor* moved = Window->CurrentEditor();
    struct Step {
        TTabMove Move;
        std::vector<std::string> Ids;
    };
    for (const Step& step : std::vector<Step>{{TTabMove::First, {"4", "3", "1"}},
                                              {TTabMove::Left, {"4", "3", "1"}},
                                              {TTabMove::Last, {"3", "1", "4"}},
                                              {TTabMove::Right, {"3", "1", "4"}},
                                              {TTabMove::Left, {"3", "4", "1"}}}) {
        Window->MoveDocument(step.Move);
        EXPECT_EQ(Ids(), step.Ids) << static_cast<int>(step.Move);
        EXPECT_EQ(Window->CurrentEditor(), moved);
    }
}

TEST_F(MainWindowTest, SplitPanesShareOneText)
{
    Window->OpenCommandLine({"a.txt"}, Dir.Path());
    Window->CreateSplit();
    TEditorFrame* frame = Window->CurrentFrame();
    ASSERT_TRUE(frame->HasSplit());
    frame->SecondEditor()->Lines().SetText("from below");
    EXPECT_EQ(TextOf(0).substr(0, 10), "from below");
    // The pane that had the focus last is the focused editor, until it goes.
    frame->NoteFocus(frame->SecondHost());
    EXPECT_EQ(Window->FocusedEditor(), frame->SecondEditor());
    Window->RemoveSplit();
    EXPECT_FALSE(frame->HasSplit());
    EXPECT_EQ(Window->FocusedEditor(), &frame->MainEditor());
    frame->MainEditor().Lines().SetText("still here");
    EXPECT_EQ(TextOf(0).substr(0, 10), "still here");
}

TEST_F(MainWindowTest, EditModeTableAndTheSecondPaneFollows)
{
    Window->OpenCommandLine({"a.txt", "/RL", "b.txt"}, Dir.Path());
    auto panel = [&] { return Window->StatusBarWidget()->Panel(7)->text().toStdString(); };
    Window->Activate(0);
    Window->CreateSplit();
    EXPECT_EQ(panel(), "編集");
    Window->EditModeMenuClick();
    EXPECT_EQ(panel(), "書禁");
    EXPECT_TRUE(Window->CurrentFrame()->MainEditor().ReadOnly());
    EXPECT_TRUE(Window->CurrentFrame()->SecondEditor()->ReadOnly());
    Window->EditModeMenuClick();
    EXPECT_EQ(panel(), "編集");
    EXPECT_FALSE(Window->CurrentFrame()->SecondEditor()->ReadOnly());
    // Opened read-only: the edit-mode command cannot make it editable.
    Window->Activate(1);
    EXPECT_EQ(panel(), "読専");
    Window->EditModeMenuClick();
    EXPECT_EQ(panel(), "読専");
    EXPECT_TRUE(Window->CurrentEditor()->ReadOnly());
}

TEST_F(MainWindowTest, DroppedFilesOpenIntoTheUntouchedTabAndActivateOpenOnes)
{
    Window->OpenCommandLine({}, Dir.Path());
    Window->OpenFile({"", "", "", Dir.File("a.txt")}, true);
    ASSERT_EQ(Window->Count(), 1);
    Window->NewTab();  // an untouched untitled tab takes the first new file
    Prompter.Answers = {mr::Yes};
    Window->DropUrls({QUrl::fromLocalFile(QString::fromStdString(Dir.File("b.txt"))),
                      QUrl::fromLocalFile(QString::fromStdString(Dir.File("a.txt"))),
                      QUrl::fromLocalFile(QString::fromStdString(Dir.File("gone.txt")))});
    ASSERT_EQ(Window->Count(), 2);
    EXPECT_EQ(Window->Name(1), Dir.File("b.txt"));
    EXPECT_EQ(Window->Pages()->currentIndex(), 0);
    EXPECT_EQ(Prompter.Requests.size(), 1u);  // the missing file said so; the others opened
}

TEST_F(MainWindowTest, TheWheelOverTheTabRowChangesTabsInWholeNotches)
{
    Window->OpenCommandLine({"a.txt", "b.txt"}, Dir.Path());
    Window->NewTab();
    Window->Activate(0);
    auto turn = [&](int Delta) {
        QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, Delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Window->Pages()->tabBar(), &wheel);
    };
    turn(-120);  // toward the user: the next tab
    EXPECT_EQ(Window->Pages()->currentIndex(), 1);
    turn(-60);
    EXPECT_EQ(Window->Pages()->currentIndex(), 1);
    turn(-60);
    EXPECT_EQ(Window->Pages()->currentIndex(), 2);
    turn(-120);  // round to the first
    EXPECT_EQ(Window->Pages()->currentIndex(), 0);
    State.Settings.Option.TabWheelChange = false;
    turn(-120);
    EXPECT_EQ(Window->Pages()->currentIndex(), 0);
}

TEST_F(MainWindowTest, ADiaryGetsItsStampWhenOpened)
{
    WriteFile(Dir.File("diary.txt"), ".LOG\nfirst entry\n");
    State.Settings.Option.NPadDiary = true;
    Window->Now = [] { return std::time_t(1709640000)  /* noon UTC: the same day in every zone */; };
    Window->OpenCommandLine({"diary.txt", "a.txt"}, Dir.Path());
    TEditorStrings& diary = Window->FrameOfPage(0)->MainEditor().Lines();
    ASSERT_GE(diary.Count(), 4);
    EXPECT_EQ(diary.Get(diary.Count() - 2), "");
    EXPECT_EQ(diary.Get(diary.Count() - 1).size(), std::string("hh:nn yyyy/mm/dd").size());
    EXPECT_EQ(diary.Get(diary.Count() - 1).substr(5), " 2024/03/05");
    TEditorStrings& plain = Window->FrameOfPage(1)->MainEditor().Lines();
    EXPECT_EQ(plain.Get(0), "alpha");
    for (int i = 0; i < plain.Count(); ++i) EXPECT_EQ(plain.Get(i).find("2024"), std::string::npos);
}

TEST_F(MainWindowTest, DocumentsAreBoundToTheirEditors)
{
    // Environment 3 serves "*.txt"; environment 0 has no file and gives every default.
    TEditorEnvironment text;
    text.FileExt = {"*.txt"};
    text.TabSpaceCount = 6;
    ASSERT_TRUE(SaveEnvironmentFile(text, EnvironmentFileName(State, 3)));
    BindEnvironmentFileExts(State);
    Window->OpenCommandLine({"a.txt"}, Dir.Path());
    Window->NewTab();
    TQxEditor& untitled = *Window->CurrentEditor();
    EXPECT_EQ(untitled.AnyNumber1, 0);
    EXPECT_EQ(untitled.Caret().TabSpaceCount(), TEditorEnvironment().TabSpaceCount);
    Window->Activate(0);
    TQxEditor& a = Window->FrameOfPage(0)->MainEditor();
    EXPECT_EQ(a.AnyNumber1, 3);
    EXPECT_EQ(a.Caret().TabSpaceCount(), 6);
    // The file's name, code and line end are the editor's; the file went into the history.
    EXPECT_EQ(a.FileName, Dir.File("a.txt"));
    EXPECT_EQ(a.SaveFileRtrnType(), sfrtLF);
    ASSERT_GE(State.RecentFileList.Count(), 1);
    EXPECT_EQ(State.RecentFileList[0], Dir.File("a.txt"));
    // The second pane takes the first pane's environment and document values.
    Window->CreateSplit();
    TQxEditor* second = Window->CurrentFrame()->SecondEditor();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->AnyNumber1, 3);
    EXPECT_EQ(second->Caret().TabSpaceCount(), 6);
    EXPECT_EQ(second->FileName, a.FileName);
    EXPECT_EQ(second->SaveFileRtrnType(), sfrtLF);
    // Switching the document's environment switches both panes.
    Window->SwitchEnvironment(0);
    for (TQxEditor* pane : {&a, second}) {
        EXPECT_EQ(pane->AnyNumber1, 0);
        EXPECT_EQ(pane->Caret().TabSpaceCount(), TEditorEnvironment().TabSpaceCount);
    }
    // The status bar shows the caret's character offset (a line end counts two).
    a.SetSelStart(8);
    Window->RefreshStatusBar();
    EXPECT_EQ(Window->StatusBarWidget()->Panel(1)->text().toStdString(), "000008 / 000015");
}

TEST_F(MainWindowTest, ATabChangeOffersAFileRewrittenOutsideForReload)
{
    Window->OpenCommandLine({"a.txt", "b.txt"}, Dir.Path());
    TQxEditor& a = Window->FrameOfPage(0)->MainEditor();
    a.CheckTStamp = true;
    a.StoreFileTStamp(Dir.File("a.txt"));
    WriteFile(Dir.File("a.txt"), "rewritten elsewhere\n");
    std::filesystem::last_write_time(Dir.File("a.txt"),
                                     std::filesystem::last_write_time(Dir.File("a.txt")) + std::chrono::seconds(5));
    Prompter.Answers = {mr::Yes, mr::Yes};  // reload, and drop what the tab holds
    Window->Activate(0);
    ASSERT_EQ(Prompter.Requests.size(), 2u);
    EXPECT_EQ(TextOf(0).substr(0, 9), "rewritten");
    // Once reloaded, coming back asks nothing.
    Window->Activate(1);
    Window->Activate(0);
    EXPECT_EQ(Prompter.Requests.size(), 2u);
}

TEST_F(MainWindowTest, CommandsOpenConvertSaveSaveAsAndSaveAll)
{
    auto* dialogs = new test::ScriptedFileDialogs;
    Window->SetDialogs(std::unique_ptr<TFileDialogService>(dialogs));
    Window->OpenCommandLine({}, Dir.Path());
    // Open two files from the dialog: the first fills the untitled tab.
    TFileDialogResult chosen;
    chosen.Accepted = true;
    chosen.Files = {Dir.File("a.txt"), Dir.File("b.txt")};
    dialogs->Results.push_back(chosen);
    Run("ActionOpen");
    ASSERT_EQ(Window->Count(), 2);
    EXPECT_EQ(Window->Name(0), Dir.File("a.txt"));

    // Convert the selection of b.txt to full width and save it.
    Run("ActionAllSelect");
    Run("ActionZenkaku");
    EXPECT_EQ(Cp932ToUtf8(TextOf(1)), "ｂｅｔａ\r\n");
    Run("ActionSave");
    EXPECT_EQ(test::ReadBytes(Dir.File("b.txt")), Utf8ToCp932("ｂｅｔａ\n"));
    EXPECT_FALSE(Window->Modified(1));

    // Save As under a new name without extension: the text type adds ".txt".
    dialogs->Files.push_back(Dir.File("c"));
    Run("ActionSaveAs");
    EXPECT_EQ(Window->Name(1), Dir.File("c.txt"));
    EXPECT_TRUE(std::filesystem::exists(Dir.File("c.txt")));

    // Save All saves the modified a.txt after the question.
    Window->Activate(0);
    Type("changed");
    Prompter.Answers = {mr::All};
    Run("ActionAllSave");
    EXPECT_EQ(test::ReadBytes(Dir.File("a.txt")), "changed");
    EXPECT_FALSE(Window->Modified(0));
}

TEST_F(MainWindowTest, APasteSaysHowManyCharactersItCouldNotBring)
{
    Window->OpenCommandLine({}, Dir.Path());
    // Text from another program, with two characters that code page 932 lacks (😀 ©), each pasted as
    // "?"; the box paste comes the same way.
    for (const char* Action : {"ActionPaste", "ActionBoxPaste"}) {
        Window->CurrentEditor()->Lines().SetText("");
        Prompter.Requests.clear();
        QGuiApplication::clipboard()->setText(QString::fromUtf8("a😀b©c"));
        Run(Action);
        EXPECT_EQ(TextOf(0).substr(0, 5), "a?b?c") << Action;
        ASSERT_EQ(Prompter.Requests.size(), 1u) << Action;
        EXPECT_EQ(Prompter.Requests[0].Text, MsgPastedCharactersReplaced(2));
    }
    // Text every character of which has a code pastes without a word.
    Prompter.Requests.clear();
    QGuiApplication::clipboard()->setText(QString::fromUtf8("あいう"));
    Run("ActionPaste");
    EXPECT_TRUE(Prompter.Requests.empty());
}

TEST_F(MainWindowTest, EveryPanesKeysGoThroughTheRouterToItsCommandOrToThatPane)
{
    // The window's own ActionNew, its handler counting instead of opening a tab.
    int triggered = 0;
    Window->Commands().Bind("ActionNew", [&] { ++triggered; });
    Window->Components().LoadShortCuts();  // no "QxEditor.sck": the default keys
    Window->OpenCommandLine({"a.txt"}, Dir.Path());
    Window->CreateSplit();
    TEditorFrame* frame = Window->CurrentFrame();
    std::vector<std::string> log;
    auto listen = [&](TEditor& Editor, const char* Name) {
        Editor.OnKeyDown = [&log, Name](TObject*, int& Key, TShiftState) {
            if (Key != VK_SHIFT && Key != VK_CONTROL && Key != VK_MENU) log.push_back(Name + std::to_string(Key));
        };
    };
    listen(frame->MainEditor(), "main ");
    listen(*frame->SecondEditor(), "second ");

    QTest::keyClick(&frame->MainHost(), Qt::Key_N, Qt::ControlModifier);  // a command's key
    EXPECT_EQ(triggered, 1);
    QTest::keyClick(&frame->MainHost(), Qt::Key_Left);
    // The pane that takes the focus takes the keys, from whichever widget they come.
    frame->NoteFocus(frame->SecondHost());
    Window->Components().FocusEditor(*frame->SecondHost());
    QTest::keyClick(frame->SecondHost(), Qt::Key_Right);
    EXPECT_EQ(log, (std::vector<std::string>{"main " + std::to_string(VK_LEFT), "second " + std::to_string(VK_RIGHT)}));

    // When the pane goes, the router and a recording macro turn to the pane that stays; no key reaches
    // a freed control (ASan).
    TKeyMacro& macro = Window->Components().Macro();
    macro.StartRecord();
    ASSERT_EQ(macro.State(), TKeyMacroState::Recording);
    Window->RemoveSplit();
    EXPECT_EQ(Window->Components().Router().Target(), TEditorKeyTarget::Of(frame->MainHost()));
    EXPECT_EQ(macro.Control(), TEditorKeyTarget::Of(frame->MainHost()));
    QTest::keyClick(&frame->MainHost(), Qt::Key_Up);
    EXPECT_EQ(log.back(), "main " + std::to_string(VK_UP));
}

// The window's key preview: a key that the focused widget leaves runs its command wherever the focus is
// in the window (the project tree, the tab row, the project tool bar's button, a field in a tool bar,
// nowhere); a widget that takes a key keeps it.
TEST_F(MainWindowTest, CommandKeysWorkWhereverTheFocusIsInTheWindow)
{
    std::vector<std::string> ran;
    for (const char* action : {"ActionFind", "ActionSave", "ActionFindNext", "ActionAllSelect", "ActionNew"})
        Window->Commands().Bind(action, [&ran, action] { ran.emplace_back(action); });
    Window->Components().LoadShortCuts();
    State.UserToolBar1 = {0, 12};
    Window->ToolBars().Build();
    Window->NewTab();
    Window->NewTab();
    auto* field = new QLineEdit(Window->ToolBars().Bar(1));
    Window->ToolBars().Bar(1)->addWidget(field);
    Window->ProjectPane().show();
    Window->resize(900, 600);
    Window->show();
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    QTabBar* tabs = Window->Pages()->tabBar();
    auto* projectButton = Window->findChild<QToolButton*>("ProjectMenuButton");  // the project tool bar's
    ASSERT_NE(projectButton, nullptr);
    QWidget* pane = &Window->CurrentFrame()->MainHost();

    struct Case {
        QWidget* Focus;  // null: no widget has the focus
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
        const char* Command;  // "" when the focused widget keeps the key
    };
    const Case cases[] = {
        {&Window->ProjectPane().Tree(), Qt::Key_F, Qt::ControlModifier, "ActionFind"},
        {&Window->ProjectPane().Tree(), Qt::Key_S, Qt::ControlModifier, "ActionSave"},
        {&Window->ProjectPane().Tree(), Qt::Key_F3, Qt::NoModifier, "ActionFindNext"},
        {&Window->ProjectPane().Tree(), Qt::Key_A, Qt::ControlModifier, ""},  // the tree selects its items
        {tabs, Qt::Key_F, Qt::ControlModifier, "ActionFind"},
        {tabs, Qt::Key_S, Qt::ControlModifier, "ActionSave"},
        {tabs, Qt::Key_F3, Qt::NoModifier, "ActionFindNext"},
        {tabs, Qt::Key_Left, Qt::NoModifier, ""},  // the tab row moves to the tab before
        {projectButton, Qt::Key_F, Qt::ControlModifier, "ActionFind"},
        {projectButton, Qt::Key_F3, Qt::NoModifier, "ActionFindNext"},
        {field, Qt::Key_N, Qt::ControlModifier, "ActionNew"},
        {field, Qt::Key_A, Qt::ControlModifier, ""},  // a text field selects its text
        {nullptr, Qt::Key_S, Qt::ControlModifier, "ActionSave"},
        {pane, Qt::Key_F, Qt::ControlModifier, "ActionFind"},  // the editor's own road, once
    };
    for (const Case& c : cases) {
        QWidget* target = Window.get();
        if (c.Focus) {
            c.Focus->setFocus();
            target = c.Focus;
        } else if (QWidget* focus = QApplication::focusWidget()) {
            focus->clearFocus();
        }
        ASSERT_EQ(QApplication::focusWidget(), c.Focus)
            << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "none") << " for "
            << (c.Focus ? c.Focus->metaObject()->className() : "none");
        const int tab = Window->Pages()->currentIndex();
        ran.clear();
        QTest::keyClick(target, c.Key, c.Modifiers);
        const std::vector<std::string> expected = *c.Command ? std::vector<std::string>{c.Command} : std::vector<std::string>{};
        EXPECT_EQ(ran, expected) << target->metaObject()->className() << " " << QKeySequence(c.Key).toString().toStdString();
        if (c.Focus == tabs && c.Key == Qt::Key_Left) EXPECT_EQ(Window->Pages()->currentIndex(), tab - 1);
    }
}

// Shift+Alt and an arrow grow a box selection from the keyboard, in the real window.
TEST_F(MainWindowTest, ShiftAltArrowsSelectABox)
{
    Window->Components().LoadShortCuts();
    Window->OpenCommandLine({"a.txt"}, Dir.Path());
    TQxEditor& editor = *Window->CurrentEditor();
    QWidget* pane = &Window->CurrentFrame()->MainHost();
    QTest::keyClick(pane, Qt::Key_Right, Qt::ShiftModifier | Qt::AltModifier);
    QTest::keyClick(pane, Qt::Key_Right, Qt::ShiftModifier | Qt::AltModifier);
    QTest::keyClick(pane, Qt::Key_Down, Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_EQ(editor.SelectionMode(), smBox);
    EXPECT_EQ(editor.Row(), 1);
    EXPECT_EQ(editor.Col(), 2);
    EXPECT_EQ(editor.SelText(), "al\r\nse");
    QAction* item = Window->Actions().Action("ActionKeyBoxSelectRight");
    EXPECT_TRUE(item->text().endsWith(QString::fromUtf8("\tShift+Alt+Right")));
}

TEST_F(MainWindowTest, ClosingTheWindowEndsARecordingFirst)
{
    Window->OpenCommandLine({"a.txt"}, Dir.Path());
    TKeyMacro& macro = Window->Components().Macro();
    macro.StartRecord();
    QTest::keyClick(&Window->CurrentFrame()->MainHost(), Qt::Key_Down);
    QCloseEvent event;
    QApplication::sendEvent(Window.get(), &event);
    EXPECT_EQ(macro.State(), TKeyMacroState::Ready);
    EXPECT_EQ(macro.Records().size(), 1u);
}

TEST_F(MainWindowTest, AResidentWindowWithoutATrayIsMinimisedNeverHidden)
{
    // The offscreen desktop has no tray: a hidden window could not be brought back.
    State.Settings.Basic.AlwaysQxEditor = true;
    Window->Components().ApplyTrayAndHotKey(true, true);
    EXPECT_FALSE(Window->Components().HasTray());
    Window->OpenCommandLine({"a.txt"}, Dir.Path());
    Window->show();
    EXPECT_FALSE(Window->close());
    EXPECT_FALSE(Window->isHidden());
    EXPECT_TRUE(Window->windowState() & Qt::WindowMinimized);
    ASSERT_EQ(Window->Count(), 1);
    EXPECT_TRUE(IsUntitled(Window->Name(0)));
    // A later start brings it back.
    Window->RestoreWindow();
    EXPECT_FALSE(Window->windowState() & Qt::WindowMinimized);
}

TEST_F(MainWindowTest, TheClipboardHistoryRecordsByTheApplicationsState)
{
    TQxClipBoardHistory& history = Window->Components().ClipHistory();
    State.Settings.ClipBoardViewer.UseClip = true;
    State.Settings.ClipBoardViewer.OnlyQxEditor = true;
    Window->Components().ApplicationActivated(true);
    QGuiApplication::clipboard()->setText("copied here");
    ASSERT_EQ(history.Count(), 1);
    EXPECT_EQ(history.GetText(0), "copied here");
    // Inactive and "OnlyQxEditor": other programs' copies are not recorded.
    Window->Components().ApplicationActivated(false);
    QGuiApplication::clipboard()->setText("copied elsewhere");
    EXPECT_EQ(history.Count(), 1);
    State.Settings.ClipBoardViewer.OnlyQxEditor = false;
    Window->Components().ApplicationActivated(false);
    QGuiApplication::clipboard()->setText("copied elsewhere");
    EXPECT_EQ(history.Count(), 2);
}

TEST_F(MainWindowTest, TheStatusTimerShowsTheChosenFigureAndStopsAtZero)
{
    Window->OpenCommandLine({}, Dir.Path());
    auto panel = [&] { return Window->StatusBarWidget()->Panel(10)->text().toStdString(); };
    State.Settings.StatusBar.StatusInfo = 1;
    Window->Components().StatusTimerTick();
    EXPECT_EQ(panel().rfind("Disk space: ", 0), 0u) << panel();
    EXPECT_TRUE(Window->Components().StatusTimer().isActive());
    State.Settings.StatusBar.StatusInfo = 3;
    Window->Components().StatusTimerTick();
    EXPECT_EQ(panel(), "GDI resource: ???%");
    State.Settings.StatusBar.StatusInfo = 0;
    Window->Components().StatusTimerTick();
    EXPECT_EQ(panel(), "");
    EXPECT_FALSE(Window->Components().StatusTimer().isActive());
}

// The command line, the hand-over and dropped files open a shortcut's target: a project through a link
// to it opens as the project.
TEST_F(MainWindowTest, AShortcutOpensItsTargetAndALinkToAProjectTheProject)
{
    TProjectRecordList records;
    records.Add({TProjectNodeType::ntBox, 0, "box"});
    records.Add({TProjectNodeType::ntTrash, 0, "trash"});
    WriteFile(Dir.File("p.qxp"), WriteProjectBytes(records));
    WriteFile(Dir.File("a.desktop"), "[Desktop Entry]\nType=Link\nURL=a.txt\n");
    std::filesystem::create_symlink("p.qxp", Dir.File("project-link"));
    Window->OpenCommandLine({"a.desktop", "project-link"}, Dir.Path());
    const std::string real = std::filesystem::canonical(Dir.Path()).string();
    ASSERT_EQ(Window->Count(), 1);
    EXPECT_EQ(Window->Name(0), real + "/a.txt");
    EXPECT_EQ(State.ProjectFileName, real + "/p.qxp");
    Window->DropUrls({QUrl::fromLocalFile(QString::fromStdString(Dir.File("a.desktop")))});
    EXPECT_EQ(Window->Count(), 1) << "the target is open already";
}

TEST_F(MainWindowTest, AProjectOpensFromTheOpenRoadsAndItsStoredItemsOpenInTabs)
{
    TProjectRecordList records;
    using NT = TProjectNodeType;
    records.Add({NT::ntBox, 0, Utf8ToCp932("ボックス")});
    records.Add({NT::ntImport, 1, "memo", 0, "", "*.txt", "stored text\r\n"});
    records.Add({NT::ntLink, 1, "a", 0, "", "*.txt", Dir.File("a.txt")});
    records.Add({NT::ntTrash, 0, Utf8ToCp932("ゴミ箱")});
    WriteFile(Dir.File("p.qxp"), WriteProjectBytes(records));
    Window->Project().NewProject();

    // With "ProjectOpenStyle" 1 a project file is text like any other.
    State.Settings.Project.ProjectOpenStyle = 1;
    Window->OpenCommandLine({"p.qxp"}, Dir.Path());
    EXPECT_EQ(Window->Name(0), Dir.File("p.qxp"));
    EXPECT_EQ(State.ProjectFileName, UntitledProjectName);
    Window->CloseAllDocuments();
    State.Settings.Project.ProjectOpenStyle = 0;
    Window->OpenCommandLine({"p.qxp"}, Dir.Path());
    EXPECT_EQ(State.ProjectFileName, Dir.File("p.qxp"));
    ASSERT_EQ(Window->Count(), 1);
    EXPECT_TRUE(IsUntitled(Window->Name(0)));
    EXPECT_EQ(Window->ProjectPane().Tree().model()->rowCount(Window->ProjectPane().Tree().model()->index(0, 0)), 2);

    // A stored item takes the untouched tab; a link opens its file by the open road.
    Window->Project().OpenProjectItem(1);
    ASSERT_EQ(Window->Count(), 1);
    EXPECT_EQ(Window->Name(0).rfind("Project[", 0), 0u) << Window->Name(0);
    EXPECT_EQ(Window->Pages()->tabText(0).toStdString(), "memo");
    EXPECT_EQ(TextOf(0), "stored text\r\n");
    Window->Project().OpenProjectItem(2);
    ASSERT_EQ(Window->Count(), 2);
    EXPECT_EQ(Window->Name(1), Dir.File("a.txt"));

    // Its text goes back into the item: the tab is clean, the project modified.
    Window->Activate(0);
    Type("edited");
    ASSERT_TRUE(Window->Project().StoreProjectItemText());
    EXPECT_FALSE(Window->Modified(0));
    EXPECT_TRUE(State.ProjectModified);
    // Another project is refused while the item is open.
    Prompter.Answers = {mr::Yes};
    Window->HandOverRecord(HandOverProgramTag, "/usr/bin/QxEditor");
    Window->HandOverRecord(HandOverFolderTag, Dir.Path());
    Window->HandOverRecord(1, "p.qxp");
    EXPECT_EQ(Prompter.Requests.size(), 1u);
    EXPECT_EQ(Window->Name(0).rfind("Project[", 0), 0u);

    // The close asks about the modified project (after the documents); Cancel keeps the window and the
    // project.
    Prompter.Answers = {mr::Cancel};
    QCloseEvent cancelled;
    QApplication::sendEvent(Window.get(), &cancelled);
    EXPECT_FALSE(cancelled.isAccepted());
    EXPECT_TRUE(State.ProjectModified);
    Prompter.Answers = {mr::No};
    QCloseEvent closed;
    QApplication::sendEvent(Window.get(), &closed);
    EXPECT_TRUE(closed.isAccepted());
    EXPECT_EQ(test::ReadBytes(Dir.File("p.qxp")), WriteProjectBytes(records));
}

TEST_F(MainWindowTest, TheProjectCommandsRunOnThePanesSelection)
{
    Window->Project().NewProject();
    TProjectTreeView& tree = Window->ProjectPane().Tree();
    tree.setCurrentIndex(tree.Model().IndexOfRecord(0));  // the box
    QAction* makeBox = Window->Actions().Action("ActionProjectMakeBox");
    QAction* makeFolder = Window->Actions().Action("ActionProjectMakeFolder");
    EXPECT_FALSE(makeBox->isEnabled());
    ASSERT_TRUE(makeFolder->isEnabled());
    Prompter.InputAnswers = {{true, "F"}};
    makeFolder->trigger();
    ASSERT_EQ(State.ProjectItemList.Count(), 3);
    EXPECT_EQ(State.ProjectItemList.Names(1), "F");
    EXPECT_EQ(State.ProjectItemList.Levels(1), 1);
    EXPECT_NE(tree.findChild<QMenu*>("ProjectTreePopupMenu"), nullptr);
    EXPECT_NE(Window->findChild<QMenu*>("ProjectMenu"), nullptr);

    // The manager command shows and hides the pane, its check following.
    QAction* pane = Window->Actions().Action("ActionProjectManager");
    const bool shown = Window->Project().PaneVisible();
    pane->trigger();
    EXPECT_NE(Window->Project().PaneVisible(), shown);
    EXPECT_EQ(pane->isChecked(), !shown);
}

TEST_F(MainWindowTest, UserToolBarsAreBuiltFromTheirListsOverTheWindowsCommands)
{
    // 42 and 43 run no command: neither becomes a dead button.
    State.UserToolBar1 = {0, 42, 99, 12, 43, 1};
    State.UserToolBar2 = {99, 43, 99};  // separators alone make no bar
    Window->ToolBars().Build();
    QToolBar* bar = Window->ToolBars().Bar(1);
    ASSERT_NE(bar, nullptr);
    QStringList names;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator()) {
            names << "-";
            continue;
        }
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
        ASSERT_NE(button, nullptr);
        names << button->objectName();
        EXPECT_FALSE(button->defaultAction()->icon().isNull()) << button->objectName().toStdString();
    }
    EXPECT_EQ(names, (QStringList{"UserBtn0", "-", "UserBtn12", "UserBtn1"}));
    EXPECT_EQ(bar->findChild<QToolButton*>("UserBtn1")->popupMode(), QToolButton::MenuButtonPopup);
    EXPECT_EQ(bar->findChild<QToolButton*>("UserBtn1")->width(), 34);
    EXPECT_FALSE(bar->isHidden());
    // A rebuild after the lists changed.
    State.UserToolBar1 = {12};
    Window->ToolBars().Rebuild();
    EXPECT_EQ(bar->actions().size(), 1);
    // A bar without buttons is not shown: the user is asked to configure it first.
    QToolBar* empty = Window->ToolBars().Bar(2);
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->isHidden());
    EXPECT_TRUE(empty->actions().isEmpty());
    Prompter.Answers = {mr::Ok};
    EXPECT_FALSE(Window->ToolBars().ToggleBar(2, Prompter, {}));
    ASSERT_EQ(Prompter.Requests.size(), 1u);
    EXPECT_EQ(Prompter.Requests[0].Text, "ユーザーツールバーの設定を行ってください。");
    EXPECT_TRUE(empty->isHidden());
    EXPECT_FALSE(Window->ToolBars().ToggleBar(1, Prompter, {}));
    EXPECT_TRUE(bar->isHidden());
    EXPECT_FALSE(State.Settings.ToolBar.UserToolBar);
    EXPECT_TRUE(Window->ToolBars().ToggleBar(1, Prompter, {}));

    // The customisation dialog: Cancel keeps the lists, OK takes them and rebuilds the bars.
    int beeps = 0;
    Window->ToolBars().Customize(Prompter, [&] { ++beeps; }, [](TToolBarSetDialog& Dialog) {
        Dialog.ResetClick();
        return false;
    });
    EXPECT_EQ(State.UserToolBar1, std::vector<int>{12});
    Prompter.Answers = {mr::Ok};
    Window->ToolBars().Customize(Prompter, [&] { ++beeps; }, [](TToolBarSetDialog& Dialog) {
        Dialog.CommandList()->setCurrentRow(-1);
        Dialog.AddClick();  // nothing chosen: beep and say so
        Dialog.SelectCategory(0);
        Dialog.CommandList()->setCurrentRow(1);  // after the separator: command 0
        Dialog.AddClick();  // no bar entry chosen: to the top
        Dialog.SelectBar(1);
        Dialog.CommandList()->setCurrentRow(0);
        Dialog.AddClick();  // the separator into bar 2
        return true;
    });
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(Prompter.Requests.back().Text, "登録するツールボタンが選択されていません。");
    EXPECT_EQ(State.UserToolBar1, (std::vector<int>{0, 12}));
    EXPECT_EQ(State.UserToolBar2, (std::vector<int>{99, 99, 43, 99}));
    EXPECT_EQ(bar->actions().size(), 2);
    EXPECT_FALSE(bar->isHidden());
}

TEST_F(MainWindowTest, ARightOrMiddleClickOnATabMakesItActive)
{
    Window->OpenCommandLine({"a.txt", "b.txt"}, Dir.Path());
    Window->NewTab();
    QTabBar* tabs = Window->Pages()->tabBar();
    QTest::mouseClick(tabs, Qt::RightButton, {}, tabs->tabRect(0).center());
    EXPECT_EQ(Window->Pages()->currentIndex(), 0);
    QTest::mouseClick(tabs, Qt::MiddleButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(Window->Pages()->currentIndex(), 1);
}

// Every command but the key-only ones is an item (or a sub-menu) somewhere under the menu bar, and each
// item runs its command.
TEST_F(MainWindowTest, EveryMenuCommandIsReachableFromTheMenuBar)
{
    auto* bar = Window->MainMenu();
    ASSERT_NE(bar, nullptr);
    std::set<std::string> reached;
    const auto walk = [&](auto&& self, QMenu* Menu) -> void {
        const QString command = Menu->property("command").toString();
        if (!command.isEmpty()) reached.insert(command.toStdString());
        for (QAction* item : Menu->actions()) {
            if (item->menu()) {
                self(self, item->menu());
            } else if (!item->property("command").toString().isEmpty()) {
                reached.insert(item->property("command").toString().toStdString());
            }
        }
    };
    for (QAction* top : bar->actions()) walk(walk, top->menu());
    for (int row = 0; row < ActionCount; ++row) {
        const std::string name(ActionTable()[static_cast<std::size_t>(row)].Action);
        EXPECT_EQ(reached.count(name), ActionBelongsInMenu(row) ? 1u : 0u) << name;
    }
    // An item runs its command: the editor's overwrite mode toggles from the View menu.
    Window->NewTab();
    QAction* item = bar->Item("ActionOverWriteMode");
    ASSERT_NE(item, nullptr);
    emit bar->Menu("FormatMenu")->aboutToShow();
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    EXPECT_TRUE(Window->CurrentEditor()->OverWrite());
    emit bar->Menu("FormatMenu")->aboutToShow();
    EXPECT_TRUE(item->isChecked());
}

// View > wrap mode: the item of the current editor's mode is checked, whichever road set it.
TEST_F(MainWindowTest, TheWrapItemsCheckTheCurrentEditorsMode)
{
    auto* bar = Window->MainMenu();
    Window->NewTab();
    TQxEditor& editor = *Window->CurrentEditor();
    const auto checks = [&] {
        emit bar->Menu("WrapMenu")->aboutToShow();
        std::string marks;
        for (const char* action : {"ActionNoWrap", "ActionWrap", "ActionWrapWindow"})
            marks += bar->Item(action)->isChecked() ? "x" : "-";
        return marks;
    };
    struct Case {
        std::function<void()> Change;
        const char* Checks;
    };
    const Case cases[] = {
        {[&] { Window->Actions().Action("ActionWrap")->trigger(); }, "-x-"},
        {[&] { Window->Actions().Action("ActionWrapWindow")->trigger(); }, "--x"},
        {[&] { Window->Actions().Action("ActionNoWrap")->trigger(); }, "x--"},
        {[&] { editor.SetWordWrap(true); }, "-x-"},  // an environment's wrap
        {[&] { bar->Item("ActionNoWrap")->trigger(); }, "x--"},
    };
    for (const Case& c : cases) {
        c.Change();
        EXPECT_EQ(checks(), c.Checks);
    }
}

// The bookmark menus show each bookmark's digit and the text of its row, checked while it is set.
TEST_F(MainWindowTest, TheBookmarkMenusShowTheMarkedRowsText)
{
    auto* bar = Window->MainMenu();
    Window->Components().LoadShortCuts();
    Window->OpenCommandLine({"a.txt"}, Dir.Path());
    Window->CurrentEditor()->SetRow(1);
    Window->Actions().Action("ActionShioriSet3")->trigger();
    for (const char* menu : {"ShioriSetMenu", "ShioriGoMenu"}) {
        emit bar->Menu(menu)->aboutToShow();
        const bool set = std::string(menu) == "ShioriSetMenu";
        QAction* three = bar->Item(set ? "ActionShioriSet3" : "ActionShioriGo3");
        QAction* four = bar->Item(set ? "ActionShioriSet4" : "ActionShioriGo4");
        EXPECT_EQ(three->text(), QString::fromUtf8(set ? "&3 second\tShift+Ctrl+3" : "&3 second\tCtrl+3"));
        EXPECT_TRUE(three->isChecked());
        EXPECT_EQ(four->text(), QString::fromUtf8(set ? "&4 \tShift+Ctrl+4" : "&4 \tCtrl+4"));
        EXPECT_FALSE(four->isChecked());
    }
}

// Within each menu (the menu bar's titles too) no two items share an access letter, so Alt and the
// letter, or the letter in an open menu, always reach one item.
TEST_F(MainWindowTest, NoTwoItemsOfAMenuShareAnAccessLetter)
{
    Window->NewTab();
    const auto letter = [](QString Text) -> QChar {
        Text = Text.section(QLatin1Char('\t'), 0, 0).remove(QLatin1String("&&"));
        const qsizetype at = Text.indexOf(QLatin1Char('&'));
        return at >= 0 && at + 1 < Text.size() ? Text[at + 1].toUpper() : QChar();
    };
    const auto check = [&](const QString& Where, const QList<QAction*>& Items) {
        std::map<QChar, QString> owners;
        for (QAction* item : Items) {
            if (item->isSeparator() || !item->isVisible()) continue;
            const QChar c = letter(item->text());
            if (c.isNull()) continue;
            const auto [at, fresh] = owners.emplace(c, item->text());
            EXPECT_TRUE(fresh) << Where.toStdString() << ": " << at->second.toStdString() << " and "
                               << item->text().toStdString();
        }
    };
    auto* bar = Window->MainMenu();
    check("menu bar", bar->actions());
    for (QMenu* menu : bar->findChildren<QMenu*>()) {
        emit menu->aboutToShow();
        check(menu->objectName(), menu->actions());
    }
}

// The key dialog and the tool-bar dialog stay on top with the window, as every dialog of the program.
TEST_F(MainWindowTest, TheKeyAndToolBarDialogsTakeTheStayOnTopSetting)
{
    Window->CommandHost().SetStayOnTop(true);
    bool keyDialogOnTop = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        keyDialogOnTop = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        dialog->close();
    });
    QMenu* tools = Window->MainMenu()->Menu("ToolMenu");
    emit tools->aboutToShow();
    QAction* keys = nullptr;
    for (QAction* item : tools->actions())
        if (item->text().startsWith(QString::fromUtf8("ｷｰ割り当て"))) keys = item;
    ASSERT_NE(keys, nullptr);
    keys->trigger();
    EXPECT_TRUE(keyDialogOnTop);

    bool barDialogOnTop = false;
    Window->ToolBars().Customize(Prompter, {}, [&](TToolBarSetDialog& Dialog) {
        barDialogOnTop = Dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        return false;
    });
    EXPECT_TRUE(barDialogOnTop);
}

TEST_F(MainWindowTest, TheFileMenuFollowsTheSettingsTheTabsAndTheDocument)
{
    auto* bar = Window->MainMenu();
    Window->NewTab();
    State.Settings.Menu.PrintMenu = false;
    State.Settings.Option.FileHistoryNumber = 0;
    QMenu* file = bar->Menu("FileMenu");
    emit file->aboutToShow();
    EXPECT_FALSE(bar->Item("ActionPrint")->isVisible());
    EXPECT_TRUE(bar->Item("ActionPrintPreview")->isVisible());
    // The tool-bar's action of the same command stays.
    EXPECT_TRUE(Window->Actions().Action("ActionPrint")->isVisible());
    EXPECT_FALSE(bar->Menu("RecentFilesMenu")->menuAction()->isVisible());
    EXPECT_FALSE(bar->Item("ActionAllClose")->isEnabled());
    // An untitled document has nothing to reopen.
    EXPECT_FALSE(bar->Menu("ReloadMenu")->menuAction()->isEnabled());
    ASSERT_TRUE(Window->OpenFile({"", "", "", Dir.File("a.txt")}, false));
    State.Settings.Menu.PrintMenu = true;
    emit file->aboutToShow();
    EXPECT_TRUE(bar->Item("ActionPrint")->isVisible());
    EXPECT_TRUE(bar->Item("ActionAllClose")->isEnabled());
    EXPECT_TRUE(bar->Menu("ReloadMenu")->menuAction()->isEnabled());
}

// A file dropped into the untouched untitled tab changes no tab count, page or edit state, yet the
// commands that need a named file are enabled at once, keys and tool buttons too (no menu opened).
TEST_F(MainWindowTest, AFileOpenedIntoTheUntitledTabEnablesTheNamedFileCommands)
{
    Window->NewTab();
    QAction* reload = Window->Actions().Action("ActionEditAgainFirst");
    ASSERT_NE(reload, nullptr);
    EXPECT_FALSE(reload->isEnabled());
    Window->DropUrls({QUrl::fromLocalFile(QString::fromStdString(Dir.File("a.txt")))});
    ASSERT_EQ(Window->Count(), 1);
    EXPECT_TRUE(reload->isEnabled());
}

// The environment items carry their number; choosing one applies it to both panes and checks it.
TEST_F(MainWindowTest, EnvironmentItemsCarryTheirNumberAndApplyToBothPanes)
{
    WriteFile(Dir.File("qxeenv3.ini"), "[EditorEnvironment]\r\nEnvironmentName=\"Three\"\r\n");
    auto* bar = Window->MainMenu();
    Window->NewTab();
    Window->CreateSplit();
    QMenu* env = bar->Menu("EnvMenu");
    emit env->aboutToShow();
    std::vector<std::pair<std::string, int>> items;
    for (QAction* item : env->actions())
        if (item->isVisible() && !item->isSeparator()) items.emplace_back(item->text().toStdString(), item->data().toInt());
    EXPECT_EQ(items, (std::vector<std::pair<std::string, int>>{{"&0 標準", 0}, {"&3 Three", 3}}));
    env->actions()[1]->trigger();
    EXPECT_EQ(Window->CurrentFrame()->MainEditor().AnyNumber1, 3);
    EXPECT_EQ(Window->CurrentFrame()->SecondEditor()->AnyNumber1, 3);
    emit env->aboutToShow();
    EXPECT_TRUE(env->actions()[1]->isChecked());
    EXPECT_FALSE(env->actions()[0]->isChecked());
}

// The document moves keep the id list in page order.
TEST_F(MainWindowTest, DocumentMovesKeepTheIdsInPageOrder)
{
    auto* bar = Window->MainMenu();
    for (int i = 0; i < 3; ++i) Window->NewTab();
    Window->Activate(0);
    QMenu* moves = bar->Menu("DocMoveMenu");
    const auto run = [&](int Move) {
        emit moves->aboutToShow();
        for (QAction* item : moves->actions())
            if (!item->isSeparator() && item->data().toInt() == Move) item->trigger();
    };
    const std::vector<std::string> start = Ids();
    run(static_cast<int>(TTabMove::Left));  // the first cannot move left
    EXPECT_EQ(Ids(), start);
    run(static_cast<int>(TTabMove::Last));
    EXPECT_EQ(Ids(), (std::vector<std::string>{start[1], start[2], start[0]}));
    EXPECT_EQ(Window->CurrentPage(), 2);
    run(static_cast<int>(TTabMove::Left));
    EXPECT_EQ(Ids(), (std::vector<std::string>{start[1], start[0], start[2]}));
    run(static_cast<int>(TTabMove::First));
    EXPECT_EQ(Ids(), start);
}

// The client point in the middle of cell (Row, Col) of a pane.
QPoint CellPoint(TEditor& E, int Row, int Col)
{
    return {E.TextAreaLeft() + (Col - E.TopCol()) * E.ColWidth() + E.ColWidth() / 2 - 1,
            E.TextAreaTop() + (Row - E.TopRow()) * E.RowHeight() + E.RowHeight() / 2};
}

TEST_F(MainWindowTest, ASelectionDraggedIntoTheOtherPaneMovesThereAsOneUndoStep)
{
    Window->resize(800, 600);
    Window->show();
    Window->OpenCommandLine({"a.txt"}, Dir.Path());
    Window->CreateSplit();
    TEditorFrame* frame = Window->CurrentFrame();
    QWidget* upper = frame->MainHost().viewport();
    QWidget* lower = frame->SecondHost()->viewport();
    TQxEditor& first = frame->MainEditor();
    TQxEditor& second = *frame->SecondEditor();
    const std::string text = Window->CurrentEditor()->Lines().Text();
    const std::string rest = text.substr(std::string("alpha\r\nsecond").size());
    // The upper pane selects "alpha" and the mouse carries it to row 1, column 1 of the lower pane;
    // the upper pane holds the mouse, so every point after the press is one of its own.
    const auto dragTo = [&](int Row, int Col, Qt::KeyboardModifiers Keys) {
        first.CleanSelection();
        first.SetRowCol(0, 0);
        first.StartSelection();
        first.SetRowCol(0, 5);
        first.ShowSelection();
        const QPoint drop = upper->mapFromGlobal(lower->mapToGlobal(CellPoint(second, Row, Col)));
        QTest::mousePress(upper, Qt::LeftButton, Keys, CellPoint(first, 0, 2));
        QTest::mouseMove(upper, drop);
        QTest::mouseMove(upper, drop + QPoint(1, 0));
        QTest::mouseRelease(upper, Qt::LeftButton, Keys, drop + QPoint(1, 0));
    };
    dragTo(1, 1, Qt::NoModifier);
    EXPECT_EQ(first.Lines().Text(), "\r\nsalphaecond" + rest);
    EXPECT_EQ(second.SelText(), "alpha");
    EXPECT_FALSE(first.SelectionShown());
    EXPECT_EQ(first.DragState(), 0);
    second.Undo();
    EXPECT_EQ(first.Lines().Text(), text);
    // With Ctrl the text is copied.
    dragTo(1, 6, Qt::ControlModifier);
    EXPECT_EQ(first.Lines().Text(), "alpha\r\nsecondalpha" + rest);
    EXPECT_EQ(second.SelText(), "alpha");
    // Dropped on the selection as the lower pane shows it: nothing changes.
    second.Undo();
    dragTo(0, 3, Qt::NoModifier);
    EXPECT_EQ(first.Lines().Text(), text);
    EXPECT_FALSE(first.SelectionShown());
    EXPECT_FALSE(second.SelectionShown());
}

TEST_F(MainWindowTest, LinksOpenByClicksFilesInATabAddressesThroughTheLauncher)
{
    Window->resize(800, 600);
    Window->show();
    WriteFile(Dir.File("links.txt"), "see file://b.txt or http://qx.example/p now\n");
    Window->OpenCommandLine({"links.txt"}, Dir.Path());
    TQxEditor& editor = *Window->CurrentEditor();
    editor.View().SetUrl(true);
    editor.View().SetFiles(true);
    editor.ModeFilename = 2;
    editor.ModeURL = 5;
    test::RecordingLauncher launcher;
    Window->EditorEvents().Links.Launcher = &launcher;
    QWidget* pane = Window->CurrentFrame()->MainHost().viewport();

    // The hand over a link that a click opens.
    QMouseEvent hover(QEvent::MouseMove, CellPoint(editor, 0, 6), pane->mapToGlobal(CellPoint(editor, 0, 6)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(pane, &hover);
    EXPECT_EQ(pane->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(pane, Qt::LeftButton, {}, CellPoint(editor, 0, 6));
    ASSERT_EQ(Window->Count(), 2);
    EXPECT_EQ(Window->Name(1), Dir.File("b.txt"));

    // Mode 5: the click selects the address, the double click (after its own press) opens it.
    Window->Activate(0);
    const QPoint url = CellPoint(editor, 0, 22);
    QTest::mouseClick(pane, Qt::LeftButton, {}, url);
    EXPECT_EQ(editor.SelText(), "http://qx.example/p");
    EXPECT_TRUE(launcher.Calls.empty());
    QTest::mousePress(pane, Qt::LeftButton, {}, url);
    QTest::mouseDClick(pane, Qt::LeftButton, {}, url);
    QTest::mouseRelease(pane, Qt::LeftButton, {}, url);
    ASSERT_EQ(launcher.Calls.size(), 1u);
    EXPECT_EQ(launcher.Calls[0].Target, "http://qx.example/p");
    EXPECT_EQ(editor.SelText(), "http://qx.example/p");
    EXPECT_EQ(editor.DragState(), 0);
    EXPECT_EQ(Window->Count(), 2);
    EXPECT_TRUE(Prompter.Requests.empty());
}

// Typing and clicking move the caret within its row, which the control does not report as a caret move;
// the status bar still shows where the caret is once each event has been handled.
TEST_F(MainWindowTest, TheStatusBarFollowsTheCaretWithinARow)
{
    Window->resize(800, 600);
    Window->show();
    Window->OpenCommandLine({"a.txt"}, Dir.Path());
    TQxEditor& editor = *Window->CurrentEditor();
    QWidget* pane = &Window->CurrentFrame()->MainHost();
    const auto panels = [&] {
        QCoreApplication::processEvents();
        return Window->StatusBarWidget()->Panel(0)->text().toStdString() + "|" +
               Window->StatusBarWidget()->Panel(1)->text().toStdString();
    };
    const std::string start = panels();
    QTest::keyClicks(pane, "xy");
    const std::string typed = panels();
    EXPECT_NE(typed, start);
    EXPECT_EQ(editor.Col(), 2);
    Window->RefreshStatusBar();
    EXPECT_EQ(panels(), typed) << "the panels showed a caret that had moved on";
    QTest::keyClick(pane, Qt::Key_End);
    EXPECT_EQ(editor.Col(), 7);
    const std::string atEnd = panels();
    Window->RefreshStatusBar();
    EXPECT_EQ(panels(), atEnd);
    // A click on the same row.
    QWidget* area = Window->CurrentFrame()->MainHost().viewport();
    const QPoint cell(editor.TextAreaLeft() + editor.ColWidth() * 3 + 1, editor.TextAreaTop() + editor.RowHeight() / 2);
    QTest::mouseClick(area, Qt::LeftButton, {}, cell);
    EXPECT_EQ(editor.Row(), 0);
    EXPECT_EQ(editor.Col(), 3);
    const std::string clicked = panels();
    Window->RefreshStatusBar();
    EXPECT_EQ(panels(), clicked);
    EXPECT_NE(clicked, atEnd);
}

// Every state the status bar shows is shown at once, whichever road changed it: a menu item, a phrase
// from the word assistant (a window of its own, no command).
TEST_F(MainWindowTest, TheStatusBarShowsEachChangeAtOnce)
{
    Window->OpenCommandLine({"a.txt"}, Dir.Path());
    const auto panel = [&](int Index) { return Window->StatusBarWidget()->Panel(Index)->text().toStdString(); };
    EXPECT_EQ(panel(4), "挿入");
    Window->MainMenu()->Item("ActionOverWriteMode")->trigger();
    EXPECT_EQ(panel(4), "上書");
    Window->MainMenu()->Item("ActionOverWriteMode")->trigger();
    EXPECT_EQ(panel(4), "挿入");

    TQxEditor& editor = *Window->CurrentEditor();
    editor.SetRowCol(0, 2);
    editor.InsertCurPos = 0;  // the caret goes back before the phrase
    Window->RefreshStatusBar();
    const std::string before = panel(0) + "|" + panel(1);
    ASSERT_TRUE(Window->Commands().Execute("ActionInsertStr"));
    auto* assistant = dynamic_cast<TWordAssistant*>(Window->findChild<QWidget*>("wordassistant"));
    ASSERT_NE(assistant, nullptr);
    assistant->ListBox[0]->setCurrentRow(0);
    assistant->ActionOK();
    QCoreApplication::processEvents();
    EXPECT_NE(editor.Lines().Text(), "alpha\r\nsecond\r\n");
    const std::string shown = panel(0) + "|" + panel(1);
    EXPECT_NE(shown, before) << "the text length changed";
    Window->RefreshStatusBar();
    EXPECT_EQ(panel(0) + "|" + panel(1), shown) << "the panels showed a caret that had moved on";
    assistant->close();
}

TEST_F(MainWindowTest, NumLockAndCapsLockShowAsTheirKeysGoDownAndUp)
{
    struct Locks : TLockKeyProbe {
        bool Num = false, Caps = false;
        std::optional<bool> NumLock() const override { return Num; }
        std::optional<bool> CapsLock() const override { return Caps; }
    };
    auto probe = std::make_unique<Locks>();
    Locks& locks = *probe;
    Window->SetLockKeys(std::move(probe));
    Window->OpenCommandLine({"a.txt"}, Dir.Path());
    QWidget* pane = &Window->CurrentFrame()->MainHost();
    const auto panels = [&] {
        return Window->StatusBarWidget()->Panel(5)->text().toStdString() + "|" +
               Window->StatusBarWidget()->Panel(6)->text().toStdString();
    };
    locks.Caps = true;
    QTest::keyClick(pane, Qt::Key_CapsLock);
    EXPECT_EQ(panels(), "|CAP");
    locks.Num = true;
    QTest::keyPress(pane, Qt::Key_NumLock);
    EXPECT_EQ(panels(), "NUM|CAP");
    // The server lets a lock go when its key is released.
    locks.Caps = false;
    QTest::keyRelease(pane, Qt::Key_CapsLock);
    EXPECT_EQ(panels(), "NUM|");
    // Other keys do not ask.
    locks.Num = false;
    QTest::keyClick(pane, Qt::Key_Left);
    EXPECT_EQ(panels(), "NUM|");
}

// Every command has its handler; only the two help commands stay disabled, having no help viewer here.
TEST_F(MainWindowTest, EveryCommandIsBoundButTheHelpFiles)
{
    std::vector<std::string> unbound;
    for (int row = 0; row < ActionCount; ++row)
        if (!Window->Commands().Bound(row)) unbound.emplace_back(ActionTable()[static_cast<std::size_t>(row)].Action);
    EXPECT_EQ(unbound, (std::vector<std::string>{"ActionHelp", "ActionKeyWord"}));
}

// The tab row's menu puts its close items nearest the tabs: first with the tabs at the top, last with
// the tabs at the bottom.
TEST_F(MainWindowTest, TheTabMenuPutsItsCloseItemsNearestTheTabRow)
{
    Window->NewTab();
    Window->NewTab();
    QMenu* menu = Window->TabMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), "TabPagePopupMenu");
    const auto items = [&] {
        emit menu->aboutToShow();
        std::vector<std::string> names;
        for (QAction* item : menu->actions()) {
            if (!item->isVisible()) continue;
            names.push_back(item->isSeparator() ? "-" : !item->objectName().isEmpty() ? item->objectName().toStdString()
                                                                                        : item->text().toStdString());
        }
        return names;
    };
    const std::vector<std::string> moves = {"先頭に移動", "一つ左へ移動", "一つ右へ移動", "末尾に移動"};
    std::vector<std::string> top = {"ActionClose", "ActionAllClose", "-"};
    top.insert(top.end(), moves.begin(), moves.end());
    EXPECT_EQ(items(), top);
    Window->Pages()->setTabPosition(QTabWidget::South);
    std::vector<std::string> bottom = moves;
    bottom.insert(bottom.end(), {"-", "ActionClose", "ActionAllClose"});
    EXPECT_EQ(items(), bottom);
    // Opened again, the menu holds each item once, and its items act on the active tab.
    EXPECT_EQ(items(), bottom);
    QAction* allClose = Window->Actions().Action("ActionAllClose");
    EXPECT_TRUE(allClose->isEnabled());
    for (QAction* item : menu->actions())
        if (item->text() == QString::fromUtf8("先頭に移動")) item->trigger();
    EXPECT_EQ(Window->CurrentPage(), 0);
}

// A resize of the window gives the second pane of a split view half the page again.
TEST_F(MainWindowTest, AResizeGivesTheSecondPaneHalfThePage)
{
    Window->resize(800, 600);
    Window->show();
    Window->NewTab();
    Window->CreateSplit();
    TEditorFrame* frame = Window->CurrentFrame();
    auto* splitter = frame->findChild<QSplitter*>();
    ASSERT_NE(splitter, nullptr);
    QCoreApplication::processEvents();
    splitter->setSizes({splitter->height() - 60, 60});
    ASSERT_LT(frame->SecondHost()->height(), splitter->height() / 3);
    Window->resize(800, 700);
    QCoreApplication::processEvents();
    EXPECT_NEAR(frame->SecondHost()->height(), splitter->height() / 2, splitter->handleWidth() + 1);
    EXPECT_NEAR(frame->MainHost().height(), splitter->height() / 2, splitter->handleWidth() + 1);
}

// "TabHiLight" 1 paints the active tab's label on the highlight colour, in one row and in several; 2 gives
// the active tab the edit-mode image; the marks follow the active tab.
TEST_F(MainWindowTest, TheActiveTabIsMarkedAsTheHighlightSettingSays)
{
    Window->resize(800, 600);
    Window->show();
    Window->OpenCommandLine({"a.txt", "b.txt"}, Dir.Path());
    auto* bar = static_cast<TPageTabBar*>(Window->Pages()->tabBar());
    const QColor highlight = bar->palette().color(QPalette::Highlight);
    const auto highlightedPixels = [&](int Page) {
        QCoreApplication::processEvents();
        const QImage shot = bar->grab().toImage();
        const QRect cell = bar->MultiLine() ? bar->CellRect(Page) : bar->tabRect(Page);
        int n = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                if (shot.rect().contains(x, y) && QColor(shot.pixel(x, y)) == highlight) ++n;
        return n;
    };
    // The standard look marks nothing.
    EXPECT_FALSE(bar->TabHighlighted(Window->CurrentPage()));
    EXPECT_EQ(highlightedPixels(Window->CurrentPage()), 0);

    State.Settings.Option.TabHiLight = 1;
    for (const bool multiLine : {false, true}) {
        bar->SetMultiLine(multiLine);
        for (const int page : {0, 1}) {
            Window->Activate(page);
            EXPECT_TRUE(bar->TabHighlighted(page)) << multiLine;
            EXPECT_FALSE(bar->TabHighlighted(1 - page)) << multiLine;
            EXPECT_GT(highlightedPixels(page), 100) << multiLine;
            EXPECT_EQ(highlightedPixels(1 - page), 0) << multiLine;
        }
    }
    // A dragged tab keeps its mark.
    bar->SetMultiLine(false);
    bar->moveTab(1, 0);
    EXPECT_TRUE(bar->TabHighlighted(0));
    EXPECT_EQ(Window->Pages()->currentIndex(), 0);

    State.Settings.Option.TabHiLight = 2;
    Window->Activate(1);
    EXPECT_FALSE(bar->TabHighlighted(0));
    EXPECT_FALSE(bar->TabHighlighted(1));
    EXPECT_FALSE(bar->tabIcon(1).isNull());
    EXPECT_TRUE(bar->tabIcon(0).isNull());
    Window->Activate(0);
    EXPECT_FALSE(bar->tabIcon(0).isNull());
    EXPECT_TRUE(bar->tabIcon(1).isNull());
}

TEST_F(MainWindowTest, TheProgramsIconShowsOnTheWindowTheTrayTheSplashAndTheMessageBoxes)
{
    const QImage icon32 = ProgramIcon().pixmap(32, 32).toImage();
    ASSERT_FALSE(icon32.isNull());
    for (const int size : {16, 22, 24, 32, 48, 256}) EXPECT_TRUE(ProgramIcon().availableSizes().contains(QSize(size, size))) << size;

    EXPECT_EQ(Window->windowIcon().pixmap(32, 32).toImage(), icon32);
    // The tray is given no icon of its own: it shows its window's.
    Window->Components().ApplyTrayAndHotKey(true, false);
    EXPECT_TRUE(Window->Components().Tray().HasIcon());
    EXPECT_TRUE(Window->Components().Tray().Model().Visible());

    const std::unique_ptr<QDialog> box = CreateMessageDialogForm("テキスト", "", TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
    const auto* programIcon = box->findChild<QLabel*>("ProgramIcon");
    ASSERT_NE(programIcon, nullptr);
    EXPECT_EQ(programIcon->pixmap().toImage().convertToFormat(icon32.format()), icon32);

    // The splash shows it left of the title, on its plain background.
    std::unique_ptr<QSplashScreen> splash = ShowSplash();
    const QImage picture = splash->pixmap().toImage();
    const QRgb background = picture.pixel(10, 10);
    int drawn = 0;
    for (int y = 40; y < 88; ++y)
        for (int x = 20; x < 68; ++x) drawn += picture.pixel(x, y) != background;
    EXPECT_GT(drawn, 48 * 48 / 2);
    FinishSplash(splash, *Window);
}

TEST_F(MainWindowTest, MinimisingTakesTheStayOnTopToolWindowsAlongAndShowsTheNameInTheTitle)
{
    State.Settings.Option.ShowFilePath = true;
    // No tray here: the window is minimised, never hidden.
    State.Settings.HideOption.MinimizeToTray = true;
    Window->Components().ApplyTrayAndHotKey(true, false);
    Window->show();
    Window->OpenCommandLine({"a.txt"}, Dir.Path());
    const QString title = Window->windowTitle();
    Window->CommandHost().SetStayOnTop(true);
    ASSERT_TRUE(Window->Commands().Execute("ActionClipView"));
    ASSERT_TRUE(Window->Commands().Execute("ActionInsertStr"));
    const auto [viewer, assistant] = Window->ToolWindows();
    ASSERT_TRUE(viewer && assistant);
    const std::vector<QWidget*> tools = {viewer, assistant};
    for (QWidget* tool : tools) {
        EXPECT_TRUE(tool->isVisible());
        EXPECT_TRUE(tool->windowFlags() & Qt::WindowStaysOnTopHint);
    }

    Window->showMinimized();
    for (QWidget* tool : tools) EXPECT_FALSE(tool->isVisible());
    EXPECT_EQ(Window->windowTitle(), "[a.txt] - QxEditor ");
    QCoreApplication::processEvents();
    EXPECT_TRUE(Window->isVisible());
    // A change of the document while minimised keeps the minimised title.
    Window->SetChange(true);
    EXPECT_EQ(Window->windowTitle(), "[a.txt] - QxEditor ");
    Window->SetChange(false);

    Window->showNormal();
    for (QWidget* tool : tools) EXPECT_TRUE(tool->isVisible());
    EXPECT_EQ(Window->windowTitle(), title);

    // Tool windows that do not stay on top are left to the desktop.
    Window->CommandHost().SetStayOnTop(false);
    for (QWidget* tool : tools) EXPECT_FALSE(tool->windowFlags() & Qt::WindowStaysOnTopHint);
    Window->showMinimized();
    for (QWidget* tool : tools) EXPECT_TRUE(tool->isVisible());
    Window->showNormal();
    for (QWidget* tool : tools) tool->close();
}

TEST_F(MainWindowTest, TheFirstStartShowsTheWholeStatusBarAndANarrowWindowShrinksItsPanels)
{
    struct NoTips : TTipWindow {
        int ShowModal(const TTipWindowSetup&, bool&) override { return 0; }
    } tips;
    Window->Components().TipWindow = &tips;
    // No settings yet: the default placement, widened to the status bar where the screen has the room.
    LoadMainSettings(State, Window.get());
    const int room = Window->screen()->availableGeometry().width();
    EXPECT_GE(Window->width(), std::min(Window->StatusBarWidget()->sizeHint().width(), room));
    EXPECT_LE(Window->width(), room);
    Window->show();
    Window->FormShow({}, Dir.Path());

    // A small screen: the window may be narrower than the panels' widths together.
    EXPECT_LT(Window->minimumSizeHint().width(), 400);
    Window->resize(360, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(Window->width(), 360);
    TQxStatusBar* bar = Window->StatusBarWidget();
    for (int i = 0; i < StatusPanelCount; ++i) {
        EXPECT_LE(bar->Panel(i)->geometry().right(), bar->width()) << i;
        EXPECT_LE(bar->Panel(i)->width(), StatusPanelWidths[i]) << i;
    }
    // A panel too narrow for its text cuts it with "…".
    TStatusPanels texts;
    texts[1] = "000008 / 000015";
    bar->ShowPanels(texts);
    QCoreApplication::processEvents();
    const TStatusPanel* offset = bar->Panel(1);
    ASSERT_LT(offset->width(), offset->fontMetrics().horizontalAdvance(offset->text()));
    EXPECT_TRUE(offset->ShownText().endsWith(QChar(0x2026))) << offset->ShownText().toStdString();
    EXPECT_TRUE(offset->ShownText().startsWith("0")) << offset->ShownText().toStdString();
}

} // namespace
} // namespace qx
