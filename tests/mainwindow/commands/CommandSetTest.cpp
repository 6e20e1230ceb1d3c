#include "mainwindow/commands/CommandSet.h"

#include "dialogs/CommandTable.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace qx {
namespace {

TEST(CommandSet, AnUnboundCommandIsDisabledAndDoesNotRun)
{
    TCommandSet commands;
    const int row = FindAction("ActionOpen");
    EXPECT_FALSE(commands.Bound(row));
    EXPECT_FALSE(commands.Enabled(row));
    EXPECT_FALSE(commands.Execute(row));
    EXPECT_FALSE(commands.Execute(-1));
    EXPECT_FALSE(commands.Execute(ActionCount));
    EXPECT_THROW(commands.Bind("ActionNothing", [] {}), std::logic_error);
}

TEST(CommandSet, RulesDecideWhetherACommandRunsAndHowItIsChecked)
{
    TCommandSet commands;
    int runs = 0, notices = 0;
    bool enabled = false, checked = true;
    commands.OnExecuted = [&] { ++notices; };
    commands.Bind("ActionSplit", [&] { ++runs; }, [&] { return enabled; }, [&] { return checked; });
    commands.Bind("ActionNew", [&] { runs += 10; });
    const int split = FindAction("ActionSplit");

    EXPECT_FALSE(commands.Execute("ActionSplit"));
    EXPECT_EQ(runs, 0);
    enabled = true;
    EXPECT_TRUE(commands.Execute(split));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(commands.Checkable(split));
    EXPECT_TRUE(commands.Checked(split));
    checked = false;
    EXPECT_FALSE(commands.Checked(split));

    // Without rules: always enabled, no check item.
    const int newRow = FindAction("ActionNew");
    EXPECT_TRUE(commands.Enabled(newRow));
    EXPECT_FALSE(commands.Checkable(newRow));
    EXPECT_FALSE(commands.Checked(newRow));
    EXPECT_TRUE(commands.Execute("ActionNew"));
    EXPECT_EQ(runs, 11);
    EXPECT_EQ(notices, 2);
}

TEST(CommandSet, AHandlerMayRebindItsOwnRowWhileItRuns)
{
    TCommandSet commands;
    std::string trace;
    commands.Bind("ActionNew", [&] {
        trace += "a";
        commands.Bind("ActionNew", [&] { trace += "b"; });
        trace += "c";
    });
    commands.Execute("ActionNew");
    commands.Execute("ActionNew");
    EXPECT_EQ(trace, "acb");
}

} // namespace
} // namespace qx
