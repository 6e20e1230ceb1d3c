#include "mainwindow/commands/CommandSet.h"

#include "dialogs/CommandTable.h"

#include <stdexcept>
#include <string>

namespace qx {

TCommandSet::TCommandSet() : FSlots(ActionCount) {}

void TCommandSet::Bind(std::string_view Action, TExecute Execute, TRule Enabled, TRule Checked)
{
    const int row = FindAction(Action);
    if (row < 0) throw std::logic_error("no action named " + std::string(Action));
    FSlots[static_cast<std::size_t>(row)] = {std::move(Execute), std::move(Enabled), std::move(Checked)};
}

const TCommandSet::TSlot* TCommandSet::SlotOf(int Row) const
{
    if (Row < 0 || Row >= static_cast<int>(FSlots.size())) return nullptr;
    return &FSlots[static_cast<std::size_t>(Row)];
}

bool TCommandSet::Bound(int Row) const
{
    const TSlot* slot = SlotOf(Row);
    return slot && slot->Execute;
}

bool TCommandSet::Enabled(int Row) const
{
    if (!Bound(Row)) return false;
    const TSlot& slot = *SlotOf(Row);
    return !slot.Enabled || slot.Enabled();
}

bool TCommandSet::Checkable(int Row) const
{
    const TSlot* slot = SlotOf(Row);
    return slot && slot->Checked;
}

bool TCommandSet::Checked(int Row) const
{
    return Checkable(Row) && SlotOf(Row)->Checked();
}

bool TCommandSet::Execute(int Row)
{
    if (!Enabled(Row)) return false;
    // A copy: the handler may bind the row anew while it runs.
    const TExecute execute = SlotOf(Row)->Execute;
    execute();
    if (OnExecuted) OnExecuted();
    return true;
}

bool TCommandSet::Execute(std::string_view Action)
{
    return Execute(FindAction(Action));
}

} // namespace qx
