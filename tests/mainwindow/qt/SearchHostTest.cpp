// The search commands and the grep dialog on the real main window: a grep's result tab (a new one, or
// the untouched untitled one), and the tag jump from one of its lines to the file's tab and line.

#include "mainwindow/qt/SearchHost.h"

#include "documents/GlobalState.h"
#include "editor/QxEditor.h"
#include "mainwindow/qt/QxEditorMain.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <QTabWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qx {
namespace {

struct SearchHostTest : ::testing::Test {
    test::TempDir Dir;
    TGlobalState State;
    test::ScriptedMessagePrompter Prompter;
    std::unique_ptr<TQxEditorMain> Window;
    std::unique_ptr<TQtSearchHost> Host;

    void SetUp() override
    {
        State.ProgramFolder = Dir.Path() + "/";
        Window = std::make_unique<TQxEditorMain>(State, Prompter);
        Host = std::make_unique<TQtSearchHost>(*Window, State, Prompter);
        std::filesystem::create_directories(Dir.File("src"));
        std::string text;
        for (int i = 1; i <= 60; ++i) text += "line " + std::to_string(i) + (i == 42 ? " needle" : "") + "\n";
        std::ofstream(Dir.File("src/a.txt"), std::ios::binary) << text;
        std::ofstream(Dir.File("src/b.txt"), std::ios::binary) << "needle\n";
        Window->NewTab();
    }
    bool Grep(const std::string& Pattern)
    {
        TGrepDialogModel dialog(State, *Host);
        dialog.FormShow("");
        dialog.Pattern = Pattern;
        dialog.Mask = Dir.File("src/*.txt");
        return dialog.OKButtonClick();
    }
};

TEST_F(SearchHostTest, GrepFillsTheUntouchedTabAndTheTagJumpGoesToTheLine)
{
    ASSERT_TRUE(Grep("needle"));
    ASSERT_EQ(Window->Count(), 1) << "the untouched untitled tab takes the result";
    EXPECT_EQ(Window->Name(0), "Grep \"needle\"");
    EXPECT_EQ(Window->Pages()->tabText(0).toStdString(), "Grep \"needle\"");
    EXPECT_FALSE(Window->Modified(0));
    TEditor& result = *Window->CurrentEditor();
    EXPECT_EQ(result.Lines().Get(0), Dir.File("src/a.txt") + "(42) :line 42 needle");
    EXPECT_EQ(result.Lines().Get(1), Dir.File("src/b.txt") + "(1) :needle");

    result.SetRowCol(0, 5);
    TSearchCommands commands(State, *Host);
    commands.ActionTagJumpExecute();
    ASSERT_EQ(Window->Count(), 2);
    EXPECT_EQ(Window->Name(1), Dir.File("src/a.txt"));
    TEditor& file = *Window->CurrentEditor();
    EXPECT_EQ(file.Row(), 41);
    EXPECT_EQ(file.Lines().Get(file.RowToLine(file.Row())), "line 42 needle");

    // A second grep goes to a new tab: the current one holds a file.
    ASSERT_TRUE(Grep("line 5"));
    EXPECT_EQ(Window->Count(), 3);
    EXPECT_EQ(Window->Name(2), "Grep \"line 5\"");

    // Jumping from the first result again only activates the file's tab.
    Window->Activate(0);
    Window->CurrentEditor()->SetRowCol(0, 0);
    commands.ActionTagJumpExecute();
    EXPECT_EQ(Window->Count(), 3);
    EXPECT_EQ(Window->Pages()->currentIndex(), 1);
    EXPECT_TRUE(Prompter.Requests.empty());
}

} // namespace
} // namespace qx
