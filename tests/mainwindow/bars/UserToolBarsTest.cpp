#include "mainwindow/bars/UserToolBars.h"

#include "dialogs/ToolBarSetModel.h"
#include "documents/ToolBarFile.h"

#include <gtest/gtest.h>

#include <set>

namespace qx {
namespace {

TEST(UserToolBars, EveryNumberRunsAnActionOfItsOwnButTheThreeWithout)
{
    std::set<std::string_view> actions;
    for (int n = 0; n <= LastToolCommandIndex; ++n) {
        const std::string_view action = ToolButtonAction(n);
        if (n == 42 || n == 43 || n == 49) {
            EXPECT_TRUE(action.empty()) << n;
            continue;
        }
        EXPECT_TRUE(action.starts_with("Action")) << n;
        EXPECT_TRUE(actions.insert(action).second) << n << " " << action;
    }
    EXPECT_EQ(ToolButtonAction(12), "ActionUndo");
    EXPECT_EQ(ToolButtonAction(50), "ActionEditMode");
    EXPECT_EQ(ToolButtonAction(82), "ActionKeyMacExe");
    EXPECT_TRUE(ToolButtonAction(ToolButtonSeparator).empty());
    EXPECT_TRUE(ToolButtonAction(-1).empty());
    EXPECT_TRUE(ToolButtonAction(83).empty());
}

TEST(UserToolBars, ShapesAndTheButtonsAListMakes)
{
    EXPECT_EQ(ToolButtonShape(1).Style, TToolButtonStyle::DropDown);
    EXPECT_EQ(ToolButtonShape(52).Width, 34);
    EXPECT_EQ(ToolButtonShape(99).Width, 8);
    EXPECT_EQ(ToolButtonShape(0).Width, 23);
    // A hand-edited list: numbers without an action make no button; the order stays.
    EXPECT_EQ(ToolBarButtons({3, 42, 99, 49, 1, 43, 82}), (std::vector<int>{3, 99, 1, 82}));
}

// The dialog's categories against the bars' actions.
TEST(UserToolBars, TheCategoriesOfferEveryCommandOnceAfterTheSeparator)
{
    std::multiset<int> offered;
    for (const TToolCategory& category : ToolCategories()) {
        ASSERT_FALSE(category.Numbers.empty());
        EXPECT_EQ(category.Numbers.front(), ToolButtonSeparator) << category.Caption;
        offered.insert(category.Numbers.begin() + 1, category.Numbers.end());
    }
    for (int n = 0; n <= LastToolCommandIndex; ++n)
        EXPECT_EQ(offered.count(n), ToolButtonAction(n).empty() ? 0u : 1u) << n;
    EXPECT_EQ(ToolCategories()[1].Numbers[8], 73);  // the edit group's own order
}

} // namespace
} // namespace qx

namespace qx {
namespace {

// Tips follow the settings' meaning: "ToolTipHintShow" shows them at all, "ToolTipShortCut" adds the key.
TEST(UserToolBars, ButtonTipsFollowTheTipAndShortcutSwitches)
{
    const struct {
        const char* Text;
        bool Hint;
        bool Key;
        const char* Expected;
    } cases[] = {
        {"上書き保存(&S)\tCtrl+S", true, true, "上書き保存 (Ctrl+S)"},
        {"上書き保存(&S)\tCtrl+S", true, false, "上書き保存"},
        {"上書き保存(&S)\tCtrl+S", false, true, ""},
        {"開く(&O)...", true, true, "開く"},
        {"移動 && ﾘﾈｰﾑ(&F)...", true, true, "移動 & ﾘﾈｰﾑ"},
        {"しおり &0\tCtrl+0", true, true, "しおり 0 (Ctrl+0)"},
    };
    for (const auto& c : cases) EXPECT_EQ(ToolButtonHint(c.Text, c.Hint, c.Key), c.Expected) << c.Text;
}

} // namespace
} // namespace qx
