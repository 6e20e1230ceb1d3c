// The main window's print commands on its command set: bound, and enabled while there is a document.

#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "documents/GlobalState.h"
#include "editor/QxEditor.h"
#include "mainwindow/commands/CommandSet.h"
#include "dialogs/CommandTable.h"
#include "mainwindow/qt/PrintCommandBinding.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(PrintCommandBinding, TheWindowsPrintCommandsWorkWhileThereIsADocument)
{
    test::TempDir dir;
    TGlobalState state;
    state.ProgramFolder = dir.Path() + "/";
    CreateGlobalLists(state);
    test::ScriptedMessagePrompter prompter;
    const auto editor = Construct<TQxEditor>();
    TCommandSet commands;
    TQxEditor* current = nullptr;
    BindPrintCommands(commands, state, prompter, nullptr, [&current] { return current; }, [] { return false; });
    for (const char* action : {"ActionPrintPreview", "ActionPrint"}) {
        const int row = FindAction(action);
        ASSERT_GE(row, 0) << action;
        EXPECT_TRUE(commands.Bound(row)) << action;
        current = nullptr;
        EXPECT_FALSE(commands.Enabled(row)) << action;
        current = editor.get();
        EXPECT_TRUE(commands.Enabled(row)) << action;
    }
}

} // namespace
} // namespace qx
