#include "mainwindow/bars/MainMenu.h"

#include "dialogs/CommandTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace qx {
namespace {

TEST(MainMenu, EveryMenuCommandHasExactlyOnePlaceAndKeyOnlyCommandsNone)
{
    std::map<std::string_view, int> places;
    for (std::string_view action : MainMenuActions()) ++places[action];
    const auto table = ActionTable();
    for (int row = 0; row < static_cast<int>(table.size()); ++row) {
        const std::string_view action = table[static_cast<std::size_t>(row)].Action;
        EXPECT_EQ(places[action], ActionBelongsInMenu(row) ? 1 : 0) << action;
    }
    // Nothing but the table's actions.
    EXPECT_EQ(places.size(), table.size());
}

TEST(MainMenu, TopLevelMenusOpenWithDistinctAltLetters)
{
    std::set<char> letters;
    for (const TMenuNode& menu : MainMenuTree()) {
        ASSERT_EQ(menu.Kind, TMenuNodeKind::SubMenu);
        const std::size_t amp = menu.Caption.find('&');
        ASSERT_NE(amp, std::string_view::npos) << menu.Caption;
        EXPECT_TRUE(letters.insert(menu.Caption[amp + 1]).second) << menu.Caption;
    }
    EXPECT_EQ(letters, (std::set<char>{'F', 'E', 'S', 'V', 'P', 'T', 'W', 'H'}));
}

// A sub-menu that stands for a command shows that command's caption.
TEST(MainMenu, CommandSubMenusCarryTheirCommandsCaption)
{
    int found = 0;
    const auto walk = [&](auto&& self, std::span<const TMenuNode> nodes) -> void {
        for (const TMenuNode& node : nodes) {
            if (node.Kind != TMenuNodeKind::SubMenu) continue;
            if (!node.Command.empty()) {
                ++found;
                EXPECT_EQ(node.Caption, ActionTable()[static_cast<std::size_t>(FindAction(node.Command))].MenuCaption);
            }
            self(self, node.Children);
        }
    };
    walk(walk, MainMenuTree());
    EXPECT_EQ(found, 4);  // wrap, environments, document moves, file operations
}

} // namespace
} // namespace qx
