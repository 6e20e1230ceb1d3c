#include "mainwindow/keys/KeyRouter.h"

#include "mainwindow/KeyInputLog.h"
#include "dialogs/CommandTable.h"
#include "dialogs/ShortCutFile.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::LoggingRunner;
using test::LoggingTarget;

class KeyRouterTest : public testing::Test {
protected:
    KeyRouterTest() { Keys.Assign(ReadShortCuts("")); Router.SetTarget(&Editor); }
    TCommandKeys Keys;
    LoggingRunner Runner;
    LoggingTarget Editor;
    TKeyRouter Router{Keys, Runner};
};

TEST_F(KeyRouterTest, ABoundKeyRunsItsCommandAndNothingReachesTheEditor)
{
    EXPECT_TRUE(Router.IsBound(scShift | scCtrl | '3'));
    EXPECT_TRUE(Router.RouteKeyDown(scShift | scCtrl | '3', 1));
    ASSERT_EQ(Runner.Rows.size(), 1u);
    EXPECT_EQ(CommandShortCutTable()[Runner.Rows[0]].Action, "ActionShioriSet3");
    EXPECT_TRUE(Editor.Log.empty());
}

// The keyboard box selection has no row in the shortcut file: its actions keep their fixed keys
// whatever the file says.
TEST_F(KeyRouterTest, TheBoxSelectionActionsCarryTheirFixedKeys)
{
    const std::pair<TShortCut, const char*> cases[] = {
        {scShift | scAlt | 0x27, "ActionKeyBoxSelectRight"}, {scShift | scAlt | 0x25, "ActionKeyBoxSelectLeft"},
        {scShift | scAlt | 0x26, "ActionKeyBoxSelectUp"},    {scShift | scAlt | 0x28, "ActionKeyBoxSelectDown"},
    };
    std::vector<TShortCut> none(CommandCount, scNone);
    for (const std::vector<TShortCut>& file : {ReadShortCuts(""), none}) {
        Keys.Assign(file);
        for (const auto& [key, action] : cases) {
            Runner.Rows.clear();
            EXPECT_TRUE(Router.RouteKeyDown(key, 1)) << action;
            ASSERT_EQ(Runner.Rows.size(), 1u);
            EXPECT_EQ(ActionTable()[static_cast<std::size_t>(Runner.Rows[0])].Action, action);
            EXPECT_EQ(ShortCutToText(Keys.ShortCut(Runner.Rows[0])).substr(0, 10), "Shift+Alt+");
        }
    }
    EXPECT_TRUE(Editor.Log.empty());
}

// A key that the window's other widgets left only runs its command: it is not typed into the editor.
TEST_F(KeyRouterTest, AKeyFromOutsideTheEditorsOnlyRunsItsCommand)
{
    EXPECT_TRUE(Router.RunCommandKey(scCtrl | 'F'));
    EXPECT_FALSE(Router.RunCommandKey(scCtrl | 'Q'));
    Runner.Disabled.insert(FindCommandByAction("ActionFindNext"));
    EXPECT_FALSE(Router.RunCommandKey(0x72));  // F3, its command disabled
    ASSERT_EQ(Runner.Rows.size(), 1u);
    EXPECT_EQ(CommandShortCutTable()[Runner.Rows[0]].Action, "ActionFind");
    EXPECT_TRUE(Editor.Log.empty());
}

TEST_F(KeyRouterTest, UnboundAndRefusedKeysGoToTheEditorWithTheirCharacters)
{
    EXPECT_FALSE(Router.IsBound(scShift | 'A'));
    EXPECT_FALSE(Router.RouteKeyDown(scShift | 'A', 1 | KeyDataRepeat));
    Router.KeyChar('A', scShift);
    // A disabled command lets its key through, as the class library's action dispatch does.
    Runner.Disabled.insert(FindCommandByAction("ActionFind"));
    EXPECT_FALSE(Router.RouteKeyDown(scCtrl | 'F', 1));
    Router.ImeText("\x82\xA0", 0);
    EXPECT_EQ(Editor.Log, (std::vector<std::string>{"key S65 repeat", "char S65", "key C70", "ime \x82\xA0"}));
    EXPECT_TRUE(Runner.Rows.empty());
}

TEST_F(KeyRouterTest, ChangedKeysTakeEffectAtOnceAndAGoneEditorGetsNothing)
{
    std::vector<TShortCut> keys = ReadShortCuts("");
    keys[static_cast<std::size_t>(FindCommandByAction("ActionFind"))] = scNone;
    keys[static_cast<std::size_t>(FindCommandByAction("ActionGrep"))] = scCtrl | 'F';
    Keys.Assign(keys);
    Router.RouteKeyDown(scCtrl | 'F', 1);
    ASSERT_EQ(Runner.Rows.size(), 1u);
    EXPECT_EQ(CommandShortCutTable()[Runner.Rows[0]].Action, "ActionGrep");
    Router.TargetDestroyed(&Editor);
    EXPECT_EQ(Router.Target(), nullptr);
    Router.RouteKeyDown('A', 1);
    Router.KeyChar('a', 0);
    EXPECT_TRUE(Editor.Log.empty());
}

} // namespace
} // namespace qx
