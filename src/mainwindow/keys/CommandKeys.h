#pragma once
// The shortcut keys the window's actions carry now: one value per row of the action table. The command
// rows take theirs from the shortcut file at start and after the key dialog's OK; the actions after them
// (the keyboard box selection) keep their fixed keys. The key router looks keys up here and the menus
// show the texts.

#include "platform/ShortCut.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class TCommandKeys {
public:
    TCommandKeys();

    // Sets every command row's key from the shortcut file (a missing or unreadable file gives the defaults).
    void ApplyShortCuts(const std::string& path);
    // The command rows' keys, in table order; the fixed keys stay.
    void Assign(const std::vector<TShortCut>& keys);

    TShortCut ShortCut(int row) const { return FKeys[static_cast<std::size_t>(row)]; }
    // The first row in table order that carries `key`, or -1 (0 is no key and finds nothing).
    int CommandOf(TShortCut key) const;

    // Fired after every Assign.
    std::function<void()> OnChange;

private:
    std::vector<TShortCut> FKeys;
};

// A menu item's text: the caption, then a tab and the key's text when it has one ("開く(&O)...\tCtrl+O").
std::string MenuKeyText(std::string_view caption, TShortCut key);

} // namespace qx
