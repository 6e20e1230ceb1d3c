#include "dialogs/InsertForms.h"

#include "documents/Settings.h"
#include "platform/Cp932.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(TimeFormModel, ListsTheMomentOfShowingAndKeepsTheUserPatterns)
{
    TDateTimeSettings settings;
    settings.Format2 = "";
    TTimeFormModel model;
    // Tuesday 5 March 2024, 09:04:03.
    model.FormShow({2024, 3, 5, 9, 4, 3, 0, 2}, settings);
    ASSERT_EQ(model.FixedTexts.size(), 28u);
    EXPECT_EQ(model.FixedTexts[2], "2024/03/05");
    EXPECT_EQ(Cp932ToUtf8(model.FixedTexts[24]), "3月5日（火曜日）");
    EXPECT_EQ(Cp932ToUtf8(model.FixedTexts[27]), "9時4分");
    EXPECT_EQ(model.UserTexts[0], "09:04 2024/03/05 +0900");
    EXPECT_EQ(Cp932ToUtf8(model.UserTexts[1]), "未登録");

    model.FixedIndex = 2;
    EXPECT_EQ(model.SelectedText(), "2024/03/05");
    // An unregistered pattern inserts nothing; "更新" stores and shows the pattern at the showing's time.
    model.UserFormat = true;
    model.UserIndex = 1;
    EXPECT_EQ(model.SelectedText(), "");
    model.Update("%Y-%M");
    EXPECT_EQ(model.SelectedText(), "2024-03");
    model.Reset();
    EXPECT_EQ(model.SelectedText(), "Tue, 05 March 2024 09:04:03 +0900");

    TDateTimeSettings stored;
    model.FormClose(stored);
    EXPECT_TRUE(stored.UserFormat);
    EXPECT_EQ(stored.Format2, TDateTimeSettings().Format2);
}

} // namespace
} // namespace qx
