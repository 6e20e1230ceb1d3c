#pragma once
// The user-assignable commands of the main window: one row per command, in nine sections, each with its
// key name in the shortcut file, its default shortcut text and the action it runs; and the tree in which
// the key dialog shows them (sections, groups and commands, in the dialog's order).
//
// Key names are unique within a section only: "New", "Open", "Save" and "SaveAs" stand in [File] and in
// [Project]. Captions are UTF-8.

#include <span>
#include <string_view>

namespace qx {

struct TCommandShortCut {
    std::string_view Section;          // the ini section of the key in the shortcut file
    std::string_view Name;             // the ini key
    std::string_view DefaultShortCut;  // "" when the command has no key by default
    std::string_view Action;           // the main form's action ("ActionNew")
    std::string_view Caption;          // the command's caption in the key dialog's tree
};

inline constexpr int CommandCount = 153;

// The rows in their fixed order. The order matters: when two rows carry one key, the first one runs.
std::span<const TCommandShortCut> CommandShortCutTable();

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
