#include "dialogs/qt/KeySetDialog.h"

#include "dialogs/CommandTable.h"
#include "dialogs/KeySetModel.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace qx {
namespace {

class KeySetDialogTest : public testing::Test {
protected:
    KeySetDialogTest() { Dialog.show(); }
    std::string File() const { return Dir.File("QxEditor.sck"); }
    template <class T> T* Find(const char* name) const { return Dialog.findChild<T*>(QLatin1String(name)); }
    // Selects the tree item of a command.
    void SelectCommand(std::string_view action)
    {
        const int row = FindCommandByAction(action);
        for (QTreeWidgetItemIterator it(Dialog.Tree()); *it; ++it) {
            const int node = (*it)->data(0, Qt::UserRole).toInt();
            if (KeySetTree()[static_cast<std::size_t>(node)].Row == row) Dialog.Tree()->setCurrentItem(*it);
        }
    }
    void Press(const char* button) { Find<QPushButton>(button)->click(); }
    QString Current() const { return Find<QLabel>("Panel1")->text(); }
    TShortCut KeyOf(std::string_view action) const
    {
        return Keys[static_cast<std::size_t>(FindCommandByAction(action))];
    }

    test::TempDir Dir;
    std::vector<TShortCut> Keys = ReadShortCuts(File());  // the keys the window's commands carry
    test::ScriptedMessagePrompter Prompter;
    test::ScriptedFileDialogs Dialogs;
    TKeySetModel Model{File(), [this](const std::string& path) { Keys = ReadShortCuts(path); }, Prompter, Dialogs};
    TKeySetDialog Dialog{Model, nullptr};
};

TEST_F(KeySetDialogTest, ShowsTheTreeAndEnablesAssigningOnCommandsOnly)
{
    EXPECT_EQ(Dialog.windowTitle(), QString::fromUtf8("キー割り当て"));
    EXPECT_EQ(Dialog.Tree()->topLevelItemCount(), 9);
    int nodes = 0;
    for (QTreeWidgetItemIterator it(Dialog.Tree()); *it; ++it) ++nodes;
    EXPECT_EQ(nodes, KeyTreeNodeCount);
    EXPECT_EQ(Dialog.Tree()->currentItem(), Dialog.Tree()->topLevelItem(0));
    auto* keyBox = Find<QComboBox>("ComboBox1");
    EXPECT_EQ(keyBox->count(), 71);
    EXPECT_EQ(keyBox->currentText(), "F1");
    EXPECT_FALSE(Find<QPushButton>("Button1")->isEnabled());
    EXPECT_FALSE(keyBox->isEnabled());
    SelectCommand("ActionTagJump");
    EXPECT_TRUE(Find<QPushButton>("Button1")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("Button2")->isEnabled());
    EXPECT_EQ(Current(), "Ctrl+Enter");
}

TEST_F(KeySetDialogTest, AssignsRefusesAndOkAppliesAtOnce)
{
    SelectCommand("ActionKeyMacRec");
    Find<QCheckBox>("CheckBoxShift")->setChecked(true);
    Find<QCheckBox>("CheckBoxCtrl")->setChecked(true);
    Find<QComboBox>("ComboBox1")->setCurrentText("R");
    Press("Button1");
    EXPECT_EQ(Prompter.Texts(), std::vector<std::string>{"すでに他のコマンドに割り当てられています。"});
    EXPECT_EQ(Current(), "Shift+Ctrl+R");
    Find<QCheckBox>("CheckBoxAlt")->setChecked(true);
    Press("Button1");
    EXPECT_EQ(Current(), "Alt+Shift+Ctrl+R");
    SelectCommand("ActionNew");
    Press("Button2");
    EXPECT_EQ(Current(), "");
    Press("Button5");
    EXPECT_EQ(Dialog.result(), QDialog::Accepted);
    EXPECT_EQ(KeyOf("ActionKeyMacRec"), scShift | scCtrl | scAlt | 'R');
    EXPECT_EQ(KeyOf("ActionNew"), scNone);
    EXPECT_TRUE(std::filesystem::exists(File()));
}

TEST_F(KeySetDialogTest, CancelDropsEverything)
{
    SelectCommand("ActionNew");
    Press("Button2");
    Press("Button6");
    EXPECT_EQ(Dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(std::filesystem::exists(File()));
    EXPECT_EQ(KeyOf("ActionNew"), scCtrl | 'N');
}

} // namespace
} // namespace qx
