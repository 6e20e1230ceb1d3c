#pragma once
// The user-assignable commands of the main window: one row per command, in nine sections, each with its
// key name in the shortcut file, its default shortcut text and the action it runs; and the tree in which
// the key dialog shows them (sections, groups and commands, in the dialog's order).
//
// Key names are unique within a section only: "New", "Open", "Save" and "SaveAs" stand in [File] and in
// [Project]. Captions are UTF-8.
//
// The same rows, followed by the window's actions that carry no assignable key (sub-menu and link
// actions, the keyboard box selection), make the table of every action the window has: its name, the
// caption menus show and its category (the menu it belongs to, named by its section).

#include <span>
#include <string_view>

namespace qx {

struct TCommandShortCut {
    std::string_view Section;          // the ini section of the key in the shortcut file
    std::string_view Name;             // the ini key
    std::string_view DefaultShortCut;  // "" when the command has no key by default
    std::string_view Action;           // the main form's action ("ActionNew")
    std::string_view Caption;          // the command's caption in the key dialog's tree
    std::string_view MenuCaption;      // the action's caption in menus and tool-bar lists ("開く(&O)...")
};

inline constexpr int CommandCount = 153;

// The rows in their fixed order. The order matters: when two rows carry one key, the first one runs.
std::span<const TCommandShortCut> CommandShortCutTable();

inline constexpr int ActionCount = 164;

// Every action of the main window: the CommandCount assignable rows first (the same rows, in the same
// order, so an action's row is its command row), then the actions without an assignable key (empty Name;
// a fixed key of their own in DefaultShortCut, if any).
std::span<const TCommandShortCut> ActionTable();
// The row of an action in ActionTable, or -1.
int FindAction(std::string_view action);
// The category of an action row: the menu its section stands for ("ファイル" .. "ヘルプ", "特殊").
std::string_view ActionCategory(int row);

// The nine sections, in file order.
std::span<const std::string_view> CommandSections();

// The row of an action, or -1.
int FindCommandByAction(std::string_view action);
// The row of a key in a section (section and key compared as the ini file does, ignoring ASCII case), or -1.
int FindCommand(std::string_view section, std::string_view name);

// A node of the key dialog's tree: a section (level 0), a group (level 1) or a command (level 1 or 2).
struct TKeyTreeNode {
    std::string_view Caption;
    int Level = 0;
    int Row = -1;  // the command's row; -1 for a section or group node
    bool IsCommand() const { return Row >= 0; }
};

inline constexpr int KeyTreeNodeCount = 173;

// Every node in tree order (the node's absolute index is its position).
std::span<const TKeyTreeNode> KeySetTree();

} // namespace qx
