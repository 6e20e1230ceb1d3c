#include "mainwindow/commands/qt/QtActions.h"

#include "dialogs/CommandTable.h"

#include <QAction>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

namespace qx {
namespace {

TEST(QtActions, OneNamedActionPerRowWithoutShortcutsShowingTheRules)
{
    QWidget window;
    TCommandSet commands;
    bool split = false;
    commands.Bind("ActionSplit", [&] { split = !split; }, {}, [&] { return split; });
    TQtActions actions(window, commands, {});

    const auto all = window.findChildren<QAction*>();
    ASSERT_EQ(all.size(), ActionCount);
    for (QAction* action : all) EXPECT_TRUE(action->shortcut().isEmpty()) << action->objectName().toStdString();

    QAction* open = window.findChild<QAction*>("ActionOpen");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), QString::fromUtf8("開く(&O)..."));
    EXPECT_EQ(open->property("category").toString(), QString::fromUtf8("ファイル"));
    EXPECT_FALSE(open->isEnabled()) << "no handler yet";

    QAction* splitAction = actions.Action("ActionSplit");
    ASSERT_EQ(splitAction, window.findChild<QAction*>("ActionSplit"));
    EXPECT_TRUE(splitAction->isEnabled());
    EXPECT_TRUE(splitAction->isCheckable());
    splitAction->trigger();
    EXPECT_TRUE(split);
    EXPECT_TRUE(splitAction->isChecked());
    // A check shows the rule's answer, not Qt's own toggle.
    split = false;
    splitAction->trigger();
    EXPECT_TRUE(split);
    EXPECT_TRUE(splitAction->isChecked());
}

TEST(QtActions, AHandlersExceptionGoesToTheWindowsHandler)
{
    QWidget window;
    TCommandSet commands;
    commands.Bind("ActionNew", [] { throw std::runtime_error("書けません"); });
    std::string shown;
    TQtActions actions(window, commands, [&](const std::exception& e) { shown = e.what(); });
    actions.Action("ActionNew")->trigger();
    EXPECT_EQ(shown, "書けません");
}

} // namespace
} // namespace qx
