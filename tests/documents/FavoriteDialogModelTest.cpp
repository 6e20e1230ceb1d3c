#include "documents/FavoriteDialogModel.h"
#include "documents/FileHistory.h"
#include "documents/HistoryMenu.h"
#include "SettingsFolderTest.h"

#include <gtest/gtest.h>

using namespace qx;
using qx::test::ReadBytes;
using qx::test::WriteBytes;

namespace {

class FavoriteDialogModelTest : public qx::test::SettingsFolderTest {
protected:
    std::string Favorite() const { return File(FavoriteFileName); }
};

TEST_F(FavoriteDialogModelTest, EveryChangeIsSavedAndTheEndsHoldTheirEntries)
{
    TFavoriteDialogModel model(State);
    EXPECT_EQ(model.Load(), -1);  // no file yet
    model.Add("/a");
    model.Add("/b");
    EXPECT_EQ(model.Add("/a"), 0);  // to the top, once
    EXPECT_EQ(model.Entries(), (std::vector<std::string>{"/a", "/b"}));
    EXPECT_EQ(ReadBytes(Favorite()), "/a\r\n/b\r\n");
    EXPECT_EQ(model.Up(0), 0);  // the first stays
    EXPECT_EQ(model.Down(1), 1);  // the last stays
    EXPECT_EQ(model.Down(0), 1);
    EXPECT_EQ(ReadBytes(Favorite()), "/b\r\n/a\r\n");
    EXPECT_EQ(model.Up(1), 0);
    EXPECT_EQ(model.Delete(1), -1);
    EXPECT_EQ(model.Delete(5), -1);  // nothing selected: nothing removed
    EXPECT_EQ(ReadBytes(Favorite()), "/a\r\n");
}

TEST_F(FavoriteDialogModelTest, TheDialogListsEveryFavouriteWhileTheMenuShowsItsNumber)
{
    std::string lines;
    for (int i = 1; i <= 10; ++i) lines += "/f" + std::to_string(i) + "\r\n";
    WriteBytes(Favorite(), lines);
    State.Settings.Option.FavoritePopNumber = 4;
    TFavoriteDialogModel model(State);
    EXPECT_EQ(model.Load(), 0);
    EXPECT_EQ(model.Entries().size(), 10u);
    int shown = 0;
    for (const TMenuItemModel& item : BuildFavoriteMenu(State)) shown += item.Visible;
    EXPECT_EQ(shown, 4);
}

TEST_F(FavoriteDialogModelTest, DetailsGiveSizeAndTimeOrSayTheFileIsMissing)
{
    WriteBytes(File("big"), std::string(2500, 'x'));
    const TFavoriteDetails details = FavoriteDetails(File("big"));
    EXPECT_EQ(details.Size, "2500 Byte / 2 KB");
    EXPECT_EQ(details.Time.size(), 19u);  // "yyyy/mm/dd hh:mm:ss"
    EXPECT_EQ(details.Time[4], '/');
    EXPECT_EQ(FavoriteDetails(File("gone")), (TFavoriteDetails{"ファイルが見つかりません", "ファイルが見つかりません"}));
}

} // namespace
