// The main window as a user lives with it: what it remembers from one start to the next, what a
// keystroke costs it, names handed over by a later start, the lock and stamp of a file saved under a
// new name, coming back from another program, a resident window's close, and the roads that refuse.

#include "mainwindow/qt/QxEditorMain.h"

#include "documents/MainSettings.h"
#include "documents/SettingsFile.h"
#include "editor/EditorControl.h"
#include "documents/DocumentFiles.h"
#include "documents/EditorEnvironment.h"
#include "editor/QxEditor.h"
#include "mainwindow/files/TabModel.h"
#include "mainwindow/qt/EditorFrame.h"
#include "mainwindow/commands/qt/QtActions.h"
#include "mainwindow/bars/qt/QtUserToolBars.h"
#include "platform/Cp932.h"
#include "platform/SettingsBytes.h"
#include "platform/IniFile.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "mainwindow/qt/WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace qx {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

struct MainWindowLifeTest : test::WindowFixture {
    void SetUp() override
    {
        WriteBytes(Dir.File("a.txt"), "alpha\r\n");
        Start();
    }
    // A start of the program: the settings read, the window shown, the tips left out.
    void Start(const std::string& Ini = "")
    {
        Window.reset();
        WriteBytes(Dir.File("QxEditor.ini"), "[OnePoint]\r\nShowAtStart=0\r\n" + Ini);
        MakeWindow();
        LoadMainSettings(State, Window.get());
        Window->show();
        Window->FormShow({}, Dir.Path());
        QApplication::processEvents();
    }
    TMemIniFile Saved()
    {
        SaveMainSettings(State, Window.get());
        return TMemIniFile(Dir.File("QxEditor.ini"));
    }
    // Editor environment 0, which every file takes here: its lock mode and time-stamp check.
    void Environment(int LockMode, bool CheckStamp)
    {
        TEditorEnvironment environment;
        environment.FileLockMode = LockMode;
        environment.FileTimeStampCheck = CheckStamp;
        ASSERT_TRUE(SaveEnvironmentFile(environment, EnvironmentFileName(State, 0)));
    }
    QAction* Action(const char* Name) { return Window->findChild<QAction*>(Name); }
    bool Enabled(const char* Name)
    {
        Window->Actions().UpdateStates();
        return Action(Name)->isEnabled();
    }
};

TEST_F(MainWindowLifeTest, ThePaneAndTheToolBarsComeBackAsTheyWereLeft)
{
    ASSERT_TRUE(Window->Commands().Execute("ActionProjectManager"));
    auto* splitter = Window->findChild<QSplitter*>("Splitter1");
    ASSERT_NE(splitter, nullptr);
    splitter->setSizes({300, Window->width() - 300});
    TMemIniFile ini = Saved();
    EXPECT_TRUE(ini.ReadBool("Project", "ProjectManager", false));
    EXPECT_EQ(ini.ReadInteger("Project", "ManagerWidth", 0), 300);
    // The default places are two rows; they stay two rows.
    const int top1 = ini.ReadInteger("ToolBar", "UserToolBarTop", 0);
    const int top2 = ini.ReadInteger("ToolBar", "UserToolBarTop2", 0);
    EXPECT_GE(top2 - top1, ToolBarRowHeight / 2);

    // The next start shows the pane as wide as it was; bars saved in one row come back in one row.
    Start("[Project]\r\nProjectManager=1\r\nManagerWidth=300\r\n"
          "[ToolBar]\r\nUserToolBarLeft=11\r\nUserToolBarTop=11\r\nUserToolBarLeft2=400\r\nUserToolBarTop2=11\r\n");
    splitter = Window->findChild<QSplitter*>("Splitter1");
    EXPECT_EQ(splitter->sizes().value(0), 300);
    QToolBar* bar1 = Window->ToolBars().Bar(1);
    QToolBar* bar2 = Window->ToolBars().Bar(2);
    ASSERT_TRUE(bar1 && bar2);
    EXPECT_EQ(bar1->y(), bar2->y());
    EXPECT_LT(bar1->x(), bar2->x());
    ini = Saved();
    EXPECT_EQ(ini.ReadInteger("ToolBar", "UserToolBarTop", 0), ini.ReadInteger("ToolBar", "UserToolBarTop2", 1));
    // Hidden, the pane keeps its width for the next showing.
    ASSERT_TRUE(Window->Commands().Execute("ActionProjectManager"));
    ini = Saved();
    EXPECT_FALSE(ini.ReadBool("Project", "ProjectManager", true));
    EXPECT_EQ(ini.ReadInteger("Project", "ManagerWidth", 0), 300);
}

TEST_F(MainWindowLifeTest, TheWindowOpensWhereItsPositionSettingSaysAndOnAScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // 1: the fixed default place, whatever is stored.
    Start("[Window]\r\nWindowPosition=1\r\nLeft=150\r\nTop=120\r\nHeight=300\r\nWidth=400\r\n");
    // (The window is no narrower than its menu and bars.)
    EXPECT_EQ(Window->pos(), QPoint(0, 0) + screen.topLeft());
    EXPECT_EQ(Window->height(), 470);
    // 2: the stored place of the frame, moved onto the screen when it lay above it.
    Start("[Window]\r\nWindowPosition=2\r\nLeft=150\r\nTop=-20\r\nHeight=300\r\nWidth=400\r\n");
    EXPECT_EQ(Window->frameGeometry().topLeft(), QPoint(150, screen.top()));
    EXPECT_EQ(Window->height(), 300);
    TMemIniFile ini = Saved();
    EXPECT_EQ(ini.ReadInteger("Window", "Left", 0), 150);
    EXPECT_EQ(ini.ReadInteger("Window", "Top", -1), screen.top());
}

TEST_F(MainWindowLifeTest, TypingReadsNoSettingsFileAndTheStatesFollowMemory)
{
    TEditorWidget& pane = Window->CurrentFrame()->MainHost();
    pane.setFocus();
    const long opens = SettingsFileReads();
    QTest::keyClicks(&pane, "twenty characters...");
    QApplication::processEvents();
    EXPECT_EQ(Window->CurrentEditor()->Lines().Get(0), "twenty characters...");
    EXPECT_EQ(SettingsFileReads(), opens);
    // The states follow the typing: Undo and Save are there after the first key.
    EXPECT_TRUE(Action("ActionUndo")->isEnabled());
    EXPECT_TRUE(Action("ActionSave")->isEnabled());
    // The new-window command follows the single-copy switch as the program holds it.
    State.Settings.Basic.NotExecute = false;
    EXPECT_TRUE(Enabled("ActionQxEditor"));
    State.Settings.Basic.NotExecute = true;
    EXPECT_FALSE(Enabled("ActionQxEditor"));
}

TEST_F(MainWindowLifeTest, RelativeNamesOfAHandOverAreTheSendersAndUntitledNamesNoFiles)
{
    fs::create_directories(Dir.File("from/sub"));
    WriteBytes(Dir.File("from/sub/h.txt"), "handed\r\n");
    // A file in the running copy's folder named as its untitled tab.
    WriteBytes(Dir.File("無題 1"), "named so\r\n");
    const std::string cwd = fs::current_path();
    fs::current_path(Dir.Path());
    const auto send = [&](const std::string& Folder, const std::vector<std::string>& Args) {
        Window->HandOverRecord(HandOverProgramTag, "/usr/bin/QxEditor");
        Window->HandOverRecord(HandOverFolderTag, Folder);
        for (size_t i = 0; i < Args.size(); ++i) Window->HandOverRecord(static_cast<int>(i + 1), Args[i]);
    };
    ASSERT_EQ(Window->Name(0), "無題 1");
    send(Dir.Path(), {"無題 1"});
    EXPECT_EQ(Window->Name(0), Dir.File("無題 1"));
    EXPECT_EQ(Cp932ToUtf8(Window->CurrentEditor()->Lines().Text()), "named so\r\n");
    // Names with a folder part, from a sender in another folder.
    send(Dir.File("from"), {"sub/h.txt"});
    ASSERT_EQ(Window->Count(), 2);
    EXPECT_EQ(Window->Name(1), Dir.File("from/sub/h.txt"));
    send(Dir.File("from/sub"), {"../sub/./h.txt"});
    EXPECT_EQ(Window->Count(), 2);
    fs::current_path(cwd);
    EXPECT_TRUE(Prompter.Requests.empty());
}

TEST_F(MainWindowLifeTest, AnUntitledTabLocksNoFileOfItsNameAndALoadedFileIsLocked)
{
    // Environment 0 locks its files; a file shares the next untitled tab's name.
    Environment(2, false);
    Start();
    WriteBytes(Dir.File("無題 2"), "named so\r\n");
    const std::string cwd = fs::current_path();
    fs::current_path(Dir.Path());
    Window->NewTab();
    fs::current_path(cwd);
    EXPECT_FALSE(Window->CurrentEditor()->Locked());
    EXPECT_EQ(TestOpenFile(Dir.File("無題 2")), otNormal);
    ASSERT_TRUE(Window->OpenFile({"", "", "", Dir.File("a.txt")}, true));
    EXPECT_EQ(TestOpenFile(Dir.File("a.txt")), otLocked);
    EXPECT_EQ(TestOpenFile(Dir.File("無題 2")), otNormal);
}

TEST_F(MainWindowLifeTest, SaveAsTakesTheLockAndTheStampOfTheNewFile)
{
    for (const bool locks : {true, false}) {
        const char* mode = locks ? "lock" : "stamp";
        Environment(locks ? 2 : 0, !locks);
        Start();
        auto* dialogs = new test::ScriptedFileDialogs;
        Window->SetDialogs(std::unique_ptr<TFileDialogService>(dialogs));
        ASSERT_TRUE(Window->OpenFile({"", "", "", Dir.File("a.txt")}, true));
        TQxEditor& editor = *Window->CurrentEditor();
        ASSERT_EQ(editor.LockFile, locks);
        fs::remove(Dir.File("b.txt"));
        dialogs->Files.push_back(Dir.File("b.txt"));
        ASSERT_TRUE(Window->Commands().Execute("ActionSaveAs"));
        ASSERT_EQ(Window->Name(0), Dir.File("b.txt"));
        if (locks) {
            // A second copy finds the file being edited held, the old one free.
            EXPECT_EQ(TestOpenFile(Dir.File("b.txt")), otLocked) << mode;
            EXPECT_EQ(TestOpenFile(Dir.File("a.txt")), otNormal) << mode;
        } else {
            // Nobody touched the new file: the next save asks nothing.
            editor.Lines().Add("more");
            editor.SetModified(true);
            ASSERT_TRUE(Window->Commands().Execute("ActionSave")) << mode;
            EXPECT_TRUE(Prompter.Requests.empty()) << mode;
            EXPECT_EQ(ReadBytes(Dir.File("b.txt")), "alpha\r\nmore\r\n");
        }
    }
}

TEST_F(MainWindowLifeTest, ComingBackFromAnotherProgramOffersARewrittenFile)
{
    Environment(0, true);
    Start();
    ASSERT_TRUE(Window->OpenFile({"", "", "", Dir.File("a.txt")}, true));
    WriteBytes(Dir.File("a.txt"), "rewritten elsewhere\r\n");
    fs::last_write_time(Dir.File("a.txt"), fs::last_write_time(Dir.File("a.txt")) + std::chrono::seconds(5));
    Prompter.Answers = {mr::Yes, mr::Yes};
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    ASSERT_FALSE(Prompter.Requests.empty());
    EXPECT_EQ(Window->CurrentEditor()->Lines().Text(), "rewritten elsewhere\r\n");
}

TEST_F(MainWindowLifeTest, AResidentWindowStaysResidentAfterAnExitCancelledAtAQuestion)
{
    State.Settings.Basic.AlwaysQxEditor = true;
    Window->CurrentEditor()->Lines().SetText("unsaved");
    Window->CurrentEditor()->SetModified(true);
    Prompter.Answers = {mr::Cancel};
    ASSERT_TRUE(Window->Commands().Execute("ActionShutQxEditor"));
    EXPECT_TRUE(Window->isVisible());
    Window->CurrentEditor()->SetModified(false);
    // The next close: the window stays (minimised, the offscreen desktop has no tray).
    EXPECT_FALSE(Window->close());
    EXPECT_TRUE(Window->windowState() & Qt::WindowMinimized);
}

TEST_F(MainWindowLifeTest, ReplaceIsOfferedOnlyWhereTheTextMayChange)
{
    ASSERT_TRUE(Window->OpenFile({"/R", "", "", Dir.File("a.txt")}, true));
    EXPECT_FALSE(Enabled("ActionReplace"));
    ASSERT_TRUE(Window->Commands().Execute("ActionEditMode"));
    EXPECT_TRUE(Enabled("ActionReplace"));
}

TEST_F(MainWindowLifeTest, ALoadCancelledAtTheCodeQuestionLeavesNoEmptyTab)
{
    WriteBytes(Dir.File("undecided.txt"), "\xA4\xA2\xA4\xA4");
    ASSERT_TRUE(Window->OpenFile({"", "", "", Dir.File("a.txt")}, true));
    Prompter.Answers = {mr::Cancel};
    EXPECT_FALSE(Window->OpenFile({"", "", "", Dir.File("undecided.txt")}, true));
    EXPECT_EQ(Window->Count(), 1);
    EXPECT_EQ(Window->CurFile(), Dir.File("a.txt"));
}

} // namespace
} // namespace qx
