#pragma once
// The main menu's layout as data: the top-level menus, their items (actions of the action table by
// name), separators, sub-menus and the places where the window puts items it builds when a menu opens
// (recent files, environments, ...). The window makes its QMenuBar from this tree, so every command sits
// at one place in the menu and a command added to the table is checked against it by the tests.
//
// Commands of the "特殊" category (the key-only doubles of cut, copy and paste, the caret and the
// keyboard box-selection moves) have no menu item: they exist for keys only.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

enum class TMenuNodeKind {
    Action,     // Name: the action ("ActionNew")
    Separator,
    SubMenu,    // Name: the menu's object name; Caption; Children. Command: the action that pops it up
    Slot,       // Name: the items the window builds here ("RecentFiles", "Environments", ...)
};

struct TMenuNode {
    TMenuNodeKind Kind = TMenuNodeKind::Action;
    std::string_view Name;
    std::string_view Caption;
    // A sub-menu that stands for a command of its own (the wrap menu for ActionWordWrap): the menu
    // carries the command's caption, and the command pops the menu up.
    std::string_view Command;
    std::vector<TMenuNode> Children;
};

// The top-level menus in menu-bar order (each a SubMenu node).
std::span<const TMenuNode> MainMenuTree();

// Every action name the tree reaches (as an item or as a sub-menu's command), in tree order.
std::vector<std::string_view> MainMenuActions();

// The caption of a menu text as tips and the hint bar show it: without its key text (after a tab),
// its accelerator ("(&S)" at the end, or the "&" before a letter; "&&" stays one "&") and its "...".
std::string PlainMenuCaption(std::string_view MenuText);
// The key text of a menu text (after its tab), or "".
std::string_view MenuKeyPart(std::string_view MenuText);

// Whether an action has its place in the menu (every action but the "特殊" ones).
bool ActionBelongsInMenu(int Row);

} // namespace qx
