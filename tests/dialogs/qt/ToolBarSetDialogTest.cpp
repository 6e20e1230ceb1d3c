// The tool-bar customisation dialog on its own: its lists show the captions and icons the window gives
// for each command number, and only the bars that exist are offered. (The main window's tests drive it
// through the window's bars.)

#include "dialogs/qt/ToolBarSetDialog.h"

#include "documents/ToolBarFile.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QPixmap>

#include <gtest/gtest.h>

#include <map>

namespace qx {
namespace {

class ToolBarSetDialogTest : public testing::Test {
protected:
    QIcon IconOf(int Number, const QString& Caption)
    {
        Icons[Number] = Caption;
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::red);
        return QIcon(pixmap);
    }

    QAction New{QString::fromUtf8("新規作成(&N)\tCtrl+N")};
    std::map<int, QString> Icons;  // the numbers whose icon was asked for, with their captions
    test::ScriptedMessagePrompter Prompter;
    const bool Loaded[2] = {true, false};
    TToolBarSetDialog Dialog{{0, ToolButtonSeparator, 1},
                             {},
                             Loaded,
                             [this](int Number) { return Number == 0 ? &New : nullptr; },
                             [this](int Number, const QString& Caption) { return IconOf(Number, Caption); },
                             Prompter};
};

TEST_F(ToolBarSetDialogTest, ListsShowTheWindowsCaptionsAndIconsButNoneForTheSeparator)
{
    const QListWidget* bar = Dialog.BarList();
    ASSERT_EQ(bar->count(), 3);
    EXPECT_EQ(bar->item(0)->text(), QString::fromUtf8("新規作成(&N)"));  // without the key
    EXPECT_FALSE(bar->item(0)->icon().isNull());
    EXPECT_EQ(bar->item(1)->text(), QString::fromUtf8("―――― 区切り ――――"));
    EXPECT_TRUE(bar->item(1)->icon().isNull());
    EXPECT_EQ(bar->item(2)->text(), "1");  // a number the window has no action for
    EXPECT_FALSE(bar->item(2)->icon().isNull());
    EXPECT_EQ(Icons[0], QString::fromUtf8("新規作成(&N)"));
    EXPECT_EQ(Icons[1], "1");
    EXPECT_EQ(Icons.count(ToolButtonSeparator), 0u);

    const QListWidget* commands = Dialog.CommandList();
    ASSERT_GT(commands->count(), 1);
    EXPECT_EQ(commands->item(0)->data(Qt::UserRole).toInt(), ToolButtonSeparator);
    EXPECT_TRUE(commands->item(0)->icon().isNull());
    EXPECT_EQ(commands->item(1)->data(Qt::UserRole).toInt(), 0);
    EXPECT_FALSE(commands->item(1)->icon().isNull());
}

TEST_F(ToolBarSetDialogTest, OnlyTheBarsThatExistAreOffered)
{
    auto* bars = Dialog.findChild<QComboBox*>("ComboBox2");
    ASSERT_EQ(bars->count(), 1);
    EXPECT_EQ(bars->itemText(0), QString::fromUtf8("ツールバー １"));
    Dialog.SelectBar(1);
    EXPECT_EQ(bars->currentIndex(), 0);
    Dialog.BarList()->setCurrentRow(2);
    Dialog.DeleteClick();
    EXPECT_EQ(Dialog.Model().Bar(0), (std::vector<int>{0, ToolButtonSeparator}));
    EXPECT_TRUE(Dialog.Model().Bar(1).empty());
}

} // namespace
} // namespace qx
