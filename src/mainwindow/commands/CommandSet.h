#pragma once
// The main window's commands as the window runs them: one slot per row of the action table, each with
// its handler and the rules that enable and check it. Menus, tool bars, the key router and key macros
// all run a command through here; the Qt side only builds a QAction per row and shows the states.
//
// A row without a handler is a command whose part of the program is not there yet: it is disabled.

#include <functional>
#include <string_view>
#include <vector>

namespace qx {

class TCommandSet {
public:
    using TExecute = std::function<void()>;
    using TRule = std::function<bool()>;

    TCommandSet();

    // Binds the handler of an action (by its name in the action table) with its rules: Enabled (absent:
    // always enabled) and Checked (absent: the action is no check item). An unknown name is a
    // programming error (std::logic_error).
    void Bind(std::string_view Action, TExecute Execute, TRule Enabled = {}, TRule Checked = {});

    bool Bound(int Row) const;
    bool Enabled(int Row) const;
    bool Checkable(int Row) const;
    bool Checked(int Row) const;
    // Runs the row's handler when it is bound and enabled; answers whether it ran.
    bool Execute(int Row);
    // The same by action name.
    bool Execute(std::string_view Action);

    // Told after every command that ran (the window refreshes the states it shows).
    std::function<void()> OnExecuted;

private:
    struct TSlot {
        TExecute Execute;
        TRule Enabled;
        TRule Checked;
    };
    const TSlot* SlotOf(int Row) const;
    std::vector<TSlot> FSlots;
};

} // namespace qx
