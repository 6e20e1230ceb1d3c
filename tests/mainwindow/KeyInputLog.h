#pragma once
// Test helpers for the key road: an editor that logs what reaches it, and a command runner that logs
// the rows it runs and may refuse some (disabled actions).

#include "platform/KeyInput.h"
#include "mainwindow/keys/KeyRouter.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace qx::test {

inline std::string ModifierText(TShortCut modifiers)
{
    std::string text;
    if (modifiers & scShift) text += "S";
    if (modifiers & scCtrl) text += "C";
    if (modifiers & scAlt) text += "A";
    return text;
}

class LoggingTarget : public TKeyTarget {
public:
    void KeyDown(TShortCut key, std::int32_t keyData) override
    {
        Log.push_back("key " + ModifierText(KeyModifiers(key)) + std::to_string(key & 0xFF) +
                      ((keyData & KeyDataRepeat) ? " repeat" : ""));
    }
    void KeyChar(std::uint16_t charCode, TShortCut modifiers) override
    {
        Log.push_back("char " + ModifierText(modifiers) + std::to_string(charCode));
        if (charCode < 0x100) Text += static_cast<char>(charCode);
        else Text += {static_cast<char>(charCode >> 8), static_cast<char>(charCode & 0xFF)};
    }
    void ImeText(const std::string& text, TShortCut) override
    {
        Log.push_back("ime " + text);
        Text += text;
    }
    std::vector<std::string> Log;
    std::string Text;
};

class LoggingRunner : public TCommandRunner {
public:
    bool ExecuteCommand(int row) override
    {
        if (Disabled.count(row) || (IsEnabled && !IsEnabled(row))) return false;
        Rows.push_back(row);
        if (OnExecute) OnExecute(row);
        return true;
    }
    std::vector<int> Rows;
    std::set<int> Disabled;
    std::function<void(int)> OnExecute;
    std::function<bool(int)> IsEnabled;
};

} // namespace qx::test
