#include "mainwindow/commands/qt/ActionCommands.h"

#include "dialogs/CommandTable.h"
#include "dialogs/ShortCutFile.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include <gtest/gtest.h>

namespace qx {
namespace {

QAction* MakeAction(QWidget& window, const char* name, const char* caption)
{
    auto* action = new QAction(QString::fromUtf8(caption), &window);
    action->setObjectName(QLatin1String(name));
    return action;
}

TEST(QtActionCommands, RunsEnabledActionsAndShowsEachCommandsKeyInItsMenuText)
{
    QWidget window;
    QAction* open = MakeAction(window, "ActionOpen", "開く(&O)...");
    QAction* find = MakeAction(window, "ActionFind", "検索(&F)...");
    QAction* saveAs = MakeAction(window, "ActionSaveAs", "名前を付けて保存(&A)...");
    int opened = 0;
    QObject::connect(open, &QAction::triggered, [&] { ++opened; });
    TCommandKeys keys;
    keys.Assign(ReadShortCuts(""));
    TQtActionCommands commands(window, keys);

    EXPECT_TRUE(commands.ExecuteCommand(FindCommandByAction("ActionOpen")));
    EXPECT_EQ(opened, 1);
    find->setEnabled(false);
    EXPECT_FALSE(commands.ExecuteCommand(FindCommandByAction("ActionFind")));
    EXPECT_FALSE(commands.ExecuteCommand(FindCommandByAction("ActionGrep")));  // not built yet

    commands.ShowKeys();
    EXPECT_EQ(open->text(), QString::fromUtf8("開く(&O)...\tCtrl+O"));
    EXPECT_EQ(saveAs->text(), QString::fromUtf8("名前を付けて保存(&A)..."));
    std::vector<TShortCut> changed = ReadShortCuts("");
    changed[static_cast<std::size_t>(FindCommandByAction("ActionOpen"))] = scNone;
    changed[static_cast<std::size_t>(FindCommandByAction("ActionFind"))] = scShift | scCtrl | 0x22;
    keys.Assign(changed);
    commands.ShowKeys();
    EXPECT_EQ(open->text(), QString::fromUtf8("開く(&O)..."));
    EXPECT_EQ(find->text(), QString::fromUtf8("検索(&F)...\tShift+Ctrl+PgDn"));
    EXPECT_TRUE(open->shortcut().isEmpty());
}

} // namespace
} // namespace qx
