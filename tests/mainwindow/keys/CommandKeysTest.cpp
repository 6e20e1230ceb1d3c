#include "mainwindow/keys/CommandKeys.h"

#include "dialogs/CommandTable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::TempDir;
using test::WriteBytes;

TEST(CommandKeys, AShortCutFileSetsTheCommandsAndTheFirstRowTakesAKeyTwoCarry)
{
    TempDir dir;
    const std::string path = dir.File("QxEditor.sck");
    WriteBytes(path, "[Edit]\r\nUndo=\"Ctrl+Q\"\r\nRedo=\"Ctrl+Q\"\r\n[File]\r\nNew=\"\"\r\n");
    TCommandKeys keys;
    keys.ApplyShortCuts(path);
    EXPECT_EQ(keys.ShortCut(FindCommandByAction("ActionUndo")), scCtrl | 'Q');
    EXPECT_EQ(keys.ShortCut(FindCommandByAction("ActionNew")), scNone);
    EXPECT_EQ(keys.ShortCut(FindCommandByAction("ActionOpen")), scCtrl | 'O');  // absent: the default
    // A hand-edited file may give two commands one key: the first row in table order takes it.
    EXPECT_EQ(keys.CommandOf(scCtrl | 'Q'), FindCommandByAction("ActionUndo"));
    EXPECT_EQ(keys.CommandOf(scNone), -1);
    // The actions after the command rows keep their fixed keys.
    for (int row = CommandCount; row < ActionCount; ++row)
        EXPECT_EQ(keys.ShortCut(row), TextToShortCut(ActionTable()[static_cast<std::size_t>(row)].DefaultShortCut)) << row;
}

TEST(MenuKeyText, CaptionThenTabAndTheKeyInTheClassLibrarysForm)
{
    EXPECT_EQ(MenuKeyText("開く(&O)...", scCtrl | 'O'), "開く(&O)...\tCtrl+O");
    EXPECT_EQ(MenuKeyText("x", scShift | scCtrl | 'A'), "x\tShift+Ctrl+A");
    EXPECT_EQ(MenuKeyText("x", 0x08), "x\tBkSp");
    EXPECT_EQ(MenuKeyText("x", scCtrl | 0x22), "x\tCtrl+PgDn");
    EXPECT_EQ(MenuKeyText("x", scNone), "x");
}

} // namespace
} // namespace qx
