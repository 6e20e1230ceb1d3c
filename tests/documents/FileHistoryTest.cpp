#include "documents/FileHistory.h"
#include "documents/HistoryMenu.h"
#include "documents/SettingsCodec.h"
#include "documents/SettingsFile.h"
#include "documents/SettingsValue.h"
#include "SettingsFolderTest.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include <sys/stat.h>

using namespace qx;
using qx::test::ReadBytes;
using qx::test::WriteBytes;

namespace {

class FileHistoryTest : public qx::test::SettingsFolderTest {
protected:
    std::string History() const { return File(HistoryFileName); }
    std::string Favorite() const { return File(FavoriteFileName); }
};

} // namespace

TEST_F(FileHistoryTest, AddingPutsTheFileAndItsFolderOnTopOnce)
{
    AddFileHistory(State, "/home/u/a.txt");
    AddFileHistory(State, "/home/u/b.txt");
    AddFileHistory(State, "/home/u/a.txt");
    AddFileHistory(State, "/x");
    AddFileHistory(State, "/home/u/A.txt");  // another file: names are case-sensitive
    EXPECT_EQ(ReadBytes(History()),
              "[RecentFiles]\r\nFile1=\"/home/u/A.txt\"\r\nFile2=\"/x\"\r\nFile3=\"/home/u/a.txt\"\r\n"
              "File4=\"/home/u/b.txt\"\r\n\r\n"
              "[RecentDirectory]\r\nDirectory1=\"/home/u\"\r\nDirectory2=\"/\"\r\n\r\n");
}

TEST_F(FileHistoryTest, TheFileKeepsSixteenFilesAndTenFolders)
{
    for (int i = 1; i <= 17; ++i) AddFileHistory(State, "/d" + std::to_string(i) + "/f");
    LoadFileHistory(State);
    ASSERT_EQ(State.RecentFileList.Count(), 16);
    EXPECT_EQ(State.RecentFileList[0], "/d17/f");
    EXPECT_EQ(State.RecentFileList[15], "/d2/f");
    ASSERT_EQ(State.RecentDirList.Count(), 10);
    EXPECT_EQ(State.RecentDirList[9], "/d8");
}

TEST_F(FileHistoryTest, ReadersSkipEmptyValuesAndWritersLeaveHigherKeys)
{
    WriteBytes(History(), "[RecentProjects]\r\nProject1=\"/p/one.qxp\"\r\nProject2=\"\"\r\nProject3=/p/three.qxp\r\n"
                          "Project17=\"/p/ignored.qxp\"\r\n[FindHistory]\r\nHistory1=\"  spaced \"\r\n");
    LoadProjectHistory(State);
    EXPECT_EQ(State.RecentProjectList.Text(), "/p/one.qxp\r\n/p/three.qxp\r\n");
    State.RecentProjectList.Delete(1);
    SaveProjectHistory(State);
    TMemIniFile ini(History());
    EXPECT_EQ(ini.ReadString("RecentProjects", "Project1", ""), "\"/p/one.qxp\"");
    EXPECT_EQ(ini.ReadString("RecentProjects", "Project3", ""), "/p/three.qxp");  // above n: as it was
    EXPECT_EQ(ini.ReadString("FindHistory", "History1", ""), "\"  spaced \"");
}

TEST_F(FileHistoryTest, HistoryRoundTripIsByteIdentical)
{
    const std::string bytes =
        "[RecentFiles]\r\nFile1=\"/a b/&c.txt\"\r\nFile2=\"/\xE6\x97\xA5\xE6\x9C\xAC/x\"\r\n\r\n"
        "[RecentDirectory]\r\nDirectory1=\"/a b\"\r\n\r\n"
        "[RecentProjects]\r\nProject1=\"/p.qxp\"\r\n\r\n"
        "[FindHistory]\r\nHistory1=\"\x82\xA0 \"\r\n\r\n";
    WriteBytes(History(), bytes);
    LoadFileHistory(State);
    SaveFileHistory(State);
    LoadProjectHistory(State);
    SaveProjectHistory(State);
    EXPECT_EQ(ReadBytes(History()), bytes);
    AddProjectHistory(State, "/p.qxp");
    EXPECT_EQ(ReadBytes(History()), bytes);
}

TEST_F(FileHistoryTest, FavoritesSkipEmptyLinesAndRoundTrip)
{
    WriteBytes(Favorite(), "/a.txt\r\n\r\n/b c.txt\n\n/A.txt\r\n");
    EXPECT_TRUE(LoadFavorites(State));
    EXPECT_EQ(State.FavoriteList.Text(), "/a.txt\r\n/b c.txt\r\n/A.txt\r\n");
    AddToTop(State.FavoriteList, "/A.txt");
    AddToTop(State.FavoriteList, "/new.txt");
    EXPECT_TRUE(SaveFavorites(State, State.FavoriteList));
    EXPECT_EQ(ReadBytes(Favorite()), "/new.txt\r\n/A.txt\r\n/a.txt\r\n/b c.txt\r\n");
    std::filesystem::remove(Favorite());
    EXPECT_FALSE(LoadFavorites(State));
    EXPECT_EQ(State.FavoriteList.Count(), 0);
}

TEST_F(FileHistoryTest, AFavoriteFileThatCannotBeReadIsNotWrittenOver)
{
    // As with every other settings file: the entries that could not be read are not lost by a save.
    WriteBytes(Favorite(), "/secret.txt\r\n");
    ASSERT_EQ(::chmod(Favorite().c_str(), 0222), 0);
    ASSERT_EQ(::chmod(Dir.Path().c_str(), 0777), 0);
    const int result = qx::test::RunUnprivileged([&] {
        if (LoadFavorites(State)) return 1;
        State.FavoriteList.Add("/new.txt");
        return SaveFavorites(State, State.FavoriteList) ? 2 : 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(Favorite()), "/secret.txt\r\n");
}

TEST_F(FileHistoryTest, ANameWithALineEndReadsBackExactlyOrIsNotStoredByAnyWriter)
{
    // Legal names here; written as they are, their second line would name another path for good.
    const std::string good = "/home/u/ok.txt";
    const std::vector<std::string> bad = {"/home/u/a\n/etc/passwd", "/home/u/b\r/etc/passwd", "/x\r\n[RecentFiles]"};
    const auto value = [](std::optional<TMemIniFile> ini, std::string_view section, std::string_view key) {
        std::string read;
        if (ini) TKeyReader(*ini, section).Str(key, read);
        return read.empty() ? std::vector<std::string>{} : std::vector<std::string>{read};
    };
    struct Writer {
        const char* What;
        std::function<void(const std::string&)> Store;
        std::function<std::vector<std::string>()> Read;
    } writers[] = {
        {"recent files", [&](const std::string& name) { AddFileHistory(State, name); },
         [&] {
             LoadFileHistory(State);
             return State.RecentFileList.Items();
         }},
        {"recent projects", [&](const std::string& name) { AddProjectHistory(State, name); },
         [&] {
             LoadProjectHistory(State);
             return State.RecentProjectList.Items();
         }},
        {"favourites",
         [&](const std::string& name) {
             AddToTop(State.FavoriteList, name);
             SaveFavorites(State, State.FavoriteList);
         },
         [&] {
             LoadFavorites(State);
             return State.FavoriteList.Items();
         }},
        {"a string key",
         [&](const std::string& name) {
             auto ini = OpenSettingsFile(File(IniFileName));
             TKeyWriter(*ini, "Project").Str("LastProjectFile", name);
             WriteSettingsFile(*ini, kMainSettingsTitle);
         },
         [&] { return value(OpenSettingsFile(File(IniFileName)), "Project", "LastProjectFile"); }},
        {"one key in place",
         [&](const std::string& name) {
             WriteSettingsValue(File(IniFileName), "Cursor", "CursorDir", AddQuotes(name), kMainSettingsTitle);
         },
         [&] { return value(OpenSettingsFile(File(IniFileName)), "Cursor", "CursorDir"); }},
    };
    for (const Writer& w : writers) {
        SCOPED_TRACE(w.What);
        w.Store(good);
        ASSERT_EQ(w.Read(), std::vector<std::string>{good});
        for (const std::string& name : bad) {
            SCOPED_TRACE(name);
            w.Store(name);
            // Whatever reads back is a name that was stored, exactly.
            for (const std::string& read : w.Read()) EXPECT_EQ(read, good);
        }
    }
    for (const std::string& file : {History(), Favorite(), File(IniFileName)})
        EXPECT_EQ(ReadBytes(file).find("passwd"), std::string::npos) << file;
}

TEST(ExtractFileDir, FolderOfAPath)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/home/u/a.txt", "/home/u"}, {"/x", "/"}, {"x", ""}, {"/a/b/", "/a/b"}, {"", ""}, {"/", "/"},
    };
    for (const auto& [path, folder] : cases) EXPECT_EQ(ExtractFileDir(path), folder) << path;
}

TEST(HistoryMenu, CaptionsCarryAccelerators)
{
    EXPECT_EQ(HistoryMenuCaption(1), "&0");
    EXPECT_EQ(HistoryMenuCaption(10), "&9");
    EXPECT_EQ(HistoryMenuCaption(11), "&A");
    EXPECT_EQ(HistoryMenuCaption(16), "&F");
    TStringList list;
    list.SetText("/R&D/a&&b.txt\r\n/plain\r\n");
    const auto items = BuildHistoryItems(list, 16, 8);
    ASSERT_EQ(items.size(), 16u);
    EXPECT_EQ(items[0].Caption, "&0 /R&&D/a&&&&b.txt");
    EXPECT_EQ(items[0].Path, "/R&D/a&&b.txt");
    EXPECT_TRUE(items[1].Visible);
    EXPECT_FALSE(items[2].Visible);
}

TEST_F(FileHistoryTest, MenusShowAsManyAsTheSettingsSay)
{
    for (int i = 1; i <= 12; ++i) AddFileHistory(State, "/d/f" + std::to_string(i));
    State.Settings.Option.FileHistoryNumber = 4;
    const TFileMenuHistory menu = BuildFileMenuHistory(State);
    auto visible = [](const std::vector<TMenuItemModel>& items) {
        return static_cast<int>(std::count_if(items.begin(), items.end(), [](auto& i) { return i.Visible; }));
    };
    EXPECT_EQ(visible(menu.Files), 4);
    EXPECT_EQ(menu.Files.size(), 16u);
    EXPECT_EQ(visible(menu.Dirs), 1);
    EXPECT_EQ(menu.Dirs.size(), 10u);
    State.Settings.Option.FileHistoryNumber = 0;
    EXPECT_EQ(visible(BuildHistoryPopup(State)), 0);
    State.Settings.Option.FileHistoryNumber = 16;
    const auto popup = BuildHistoryPopup(State);
    EXPECT_EQ(visible(popup), 12);
    EXPECT_EQ(popup[9].Caption, "&9 /d/f3");
    EXPECT_EQ(popup[10].Caption, "&A /d/f2");

    TStringList favorites;
    for (int i = 1; i <= 20; ++i) favorites.Add("/fav" + std::to_string(i));
    SaveFavorites(State, favorites);
    const std::pair<int, int> cases[] = {{4, 4}, {16, 16}, {40, 16}, {-3, 0}};
    for (const auto& [number, shown] : cases) {
        State.Settings.Option.FavoritePopNumber = number;
        const auto items = BuildFavoriteMenu(State);
        EXPECT_EQ(items.size(), 16u);
        EXPECT_EQ(visible(items), shown) << number;
        EXPECT_EQ(State.FavoriteList.Count(), 20);  // the list itself keeps all
    }

    AddProjectHistory(State, "/p/one.qxp");
    EXPECT_EQ(visible(BuildProjectMenuHistory(State)), 1);
}
