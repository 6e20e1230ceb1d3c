#include "dialogs/OptionDialog.h"

#include "documents/FileHistory.h"
#include "documents/MainSettings.h"
#include "documents/SettingsCodec.h"
#include "documents/SettingsFile.h"
#include "documents/SettingsValue.h"
#include "documents/SettingsFolderTest.h"
#include "platform/IniFile.h"
#include "support/ScriptedPrompter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

namespace qx {
namespace {

using test::ReadBytes;
using test::WriteBytes;
using testing::ElementsAre;

class FakeOptionHost : public TOptionDialogHost {
public:
    TPrompter& Prompter() override { return Messages; }
    void Beep() override { ++Beeps; }
    void ApplyTrayAndHotKey(bool UseTray, bool Resident) override { Tray.push_back({UseTray, Resident}); }
    void ApplyMenuLook(int MenuStyle, int BandStyle, int ProjectMenu, bool MenuImages) override
    {
        Steps.push_back("menu");
        Menu = {MenuStyle, BandStyle, ProjectMenu, MenuImages};
    }
    void ApplyToolBarLook(const TToolBarSettings& ToolBar) override
    {
        Steps.push_back("toolbar");
        ToolBarBand = {ToolBar.BarStyle, ToolBar.ToolBarFold};
    }
    void RefreshStatusInfo() override { Steps.push_back("status"); }
    void ApplyClipboardHistory(int Bytes, bool) override { ClipBytes = Bytes; }
    void ApplyProjectTreeLook(const TProjectTreeLook&) override { Steps.push_back("tree"); }
    void RefreshTitles() override { Steps.push_back("titles"); }
    int UserCursor() override { return 1; }
    bool LoadCursorFile(const std::string& Path) override
    {
        LoadedCursor = Path;
        return CursorLoads;
    }
    void SetTextCursor(int Cursor) override { TextCursor = Cursor; }
    void RefreshCurrentTab() override { Steps.push_back("refresh"); }

    test::ScriptedMessagePrompter Messages;
    int Beeps = 0;
    std::vector<std::pair<bool, bool>> Tray;
    std::vector<std::string> Steps;
    std::tuple<int, int, int, bool> Menu{-1, -1, -1, false};
    std::pair<int, bool> ToolBarBand{-1, false};
    int ClipBytes = -1;
    bool CursorLoads = true;
    std::string LoadedCursor;
    int TextCursor = 0;
};

// Every key of an ini file as "Section/Key" -> value.
std::map<std::string, std::string> IniValues(const std::string& Path)
{
    TMemIniFile ini(Path);
    std::map<std::string, std::string> values;
    TStringList sections;
    ini.ReadSections(sections);
    for (int s = 0; s < sections.Count(); ++s) {
        TStringList keys;
        ini.ReadSection(sections[s], keys);
        for (int k = 0; k < keys.Count(); ++k)
            values[sections[s] + "/" + keys[k]] = ini.ReadString(sections[s], keys[k], "");
    }
    return values;
}

class OptionDialogTest : public test::SettingsFolderTest {
protected:
    OptionDialogTest() : Model(State, Host) {}

    std::string IniPath() const { return File(IniFileName); }
    // A settings file as the program writes it, with some of the dialog's own keys set to non-defaults.
    void WriteProgramIni()
    {
        SaveMainSettings(State);
        for (auto [section, key, value] : {std::tuple{"Basic", "NotExecute", "0"}, {"Option", "TabPosition", "1"},
                                           {"ToolBar", "LoadToolBar1", "0"}, {"Project", "ProjectTreeFormat", "2"}})
            ASSERT_TRUE(WriteSettingsValue(IniPath(), section, key, value, kMainSettingsTitle));
    }

    FakeOptionHost Host;
    TOptionDialogModel Model;
};

TEST_F(OptionDialogTest, ApplyWithNothingChangedWritesOnlySplashAndWheelKeys)
{
    WriteProgramIni();
    const std::string before = ReadBytes(IniPath());
    const auto valuesBefore = IniValues(IniPath());
    Model.Load(102400);
    EXPECT_FALSE(Model.Options().NotExecute);
    EXPECT_EQ(Model.Options().TabPosition, 1);
    EXPECT_FALSE(Model.Options().LoadToolBar1);
    EXPECT_EQ(Model.Options().ProjectTreeFormat, 2);
    Model.ApplyOptions();

    const auto valuesAfter = IniValues(IniPath());
    std::set<std::string> added;
    for (const auto& [key, value] : valuesAfter) {
        const auto old = valuesBefore.find(key);
        if (old == valuesBefore.end())
            added.insert(key);
        else
            EXPECT_EQ(value, old->second) << key;
    }
    EXPECT_EQ(added, (std::set<std::string>{"Basic/SplashWindow", "MouseWheel/MouseWheelCtrl",
                                            "MouseWheel/MouseWheelPage", "MouseWheel/MouseWheelScroll"}));
    EXPECT_EQ(valuesAfter.size(), valuesBefore.size() + added.size());
    // The header and everything before the first added key stay byte for byte.
    const std::string after = ReadBytes(IniPath());
    const std::size_t basic = before.find("[Basic]");
    EXPECT_EQ(after.substr(0, basic), before.substr(0, basic));
    EXPECT_EQ(Host.ClipBytes, 100 * 1024);
}

TEST_F(OptionDialogTest, ChangedKeysOfTheDialogAreWrittenInPlace)
{
    WriteProgramIni();
    Model.Load(102400);
    Model.Options().NotExecute = true;
    Model.Options().TabHiLight = 2;
    Model.Options().LoadToolBar2 = false;
    Model.Options().ProjectTreeFormat = 0;
    Model.Options().MouseWheelScroll = 7;
    Model.ApplyOptions();
    TMemIniFile ini(IniPath());
    EXPECT_TRUE(ini.ReadBool("Basic", "NotExecute", false));
    // The four tab keys go together once one of them changed.
    EXPECT_EQ(ini.ReadInteger("Option", "TabPosition", -1), 1);
    EXPECT_EQ(ini.ReadInteger("Option", "TabStyle", -1), 0);
    EXPECT_EQ(ini.ReadInteger("Option", "TabHiLight", -1), 2);
    EXPECT_EQ(ini.ReadString("Option", "TabMultiLine", ""), "0");
    EXPECT_EQ(ini.ReadString("ToolBar", "LoadToolBar1", ""), "0");
    EXPECT_EQ(ini.ReadString("ToolBar", "LoadToolBar2", ""), "0");
    EXPECT_EQ(ini.ReadInteger("Project", "ProjectTreeFormat", -1), 0);
    EXPECT_EQ(ini.ReadInteger("MouseWheel", "MouseWheelScroll", -1), 7);
    // Their program values stay until the next start; the single-copy switch, which the new-window
    // command follows, takes effect at once.
    EXPECT_EQ(State.Settings.Option.TabHiLight, 0);
    EXPECT_TRUE(State.Settings.Basic.NotExecute);
    Model.Options().NotExecute = false;
    Model.ApplyOptions();
    EXPECT_FALSE(State.Settings.Basic.NotExecute);
}

TEST_F(OptionDialogTest, BottomTabsTakeTheNotebookStyleOnly)
{
    Model.Load(0);
    Model.Options().TabStyle = 2;
    EXPECT_TRUE(Model.TabStyleEnabled());
    Model.SetTabPosition(1);
    EXPECT_EQ(Model.Options().TabStyle, 0);
    EXPECT_FALSE(Model.TabStyleEnabled());
    // Back to the top: the style can be chosen again, the old one is not restored.
    Model.SetTabPosition(0);
    EXPECT_TRUE(Model.TabStyleEnabled());
    EXPECT_EQ(Model.Options().TabStyle, 0);
}

TEST_F(OptionDialogTest, TrayOffTurnsResidentModeOff)
{
    State.Settings.Basic.UseTray = true;
    State.Settings.Basic.AlwaysQxEditor = true;
    Model.Load(0);
    EXPECT_TRUE(Model.HotKeyEnabled());
    Model.SetUseTray(false);
    EXPECT_FALSE(Model.Options().AlwaysQxEditor);
    EXPECT_FALSE(Model.ResidentEnabled());
    EXPECT_FALSE(Model.HotKeyEnabled());
    // Back on: resident mode may be chosen again, the hot key waits for it.
    Model.SetUseTray(true);
    EXPECT_TRUE(Model.ResidentEnabled());
    EXPECT_FALSE(Model.HotKeyEnabled());
    Model.ApplyOptions();
    EXPECT_THAT(Host.Tray, ElementsAre(std::pair{true, false}));

    // Settings that hold resident mode without a tray never apply it.
    State.Settings.Basic.UseTray = false;
    State.Settings.Basic.AlwaysQxEditor = true;
    Model.Load(0);
    Model.ApplyOptions();
    EXPECT_EQ(Host.Tray.back(), (std::pair{false, false}));
    EXPECT_FALSE(State.Settings.Basic.AlwaysQxEditor);
}

TEST_F(OptionDialogTest, ApplyMovesChoicesIntoTheSettings)
{
    Model.Load(0);
    TEnvironmentOptions& o = Model.Options();
    o.DirIndex = 1;
    o.OpenDirPath = "/tmp/a";
    o.SaveDirPath = "/tmp/b";
    o.UseProjectDir = false;
    o.ProjectDirPath = "/tmp/p";
    o.ClipCondition = 0;
    o.ColByChar = 1;
    o.NoFullPathWhenMinimized = false;
    o.FileMenu[3] = false;
    o.UserFilter[1] = "*.c";
    Model.ApplyOptions();
    const TMainSettings& s = State.Settings;
    // Typed folders count only with the given-folders choice.
    EXPECT_EQ(s.Option.OpenDirPath, "");
    EXPECT_EQ(s.Option.SaveDirPath, "");
    EXPECT_EQ(s.Project.ProjectDirPath, "");
    EXPECT_TRUE(s.ClipBoardViewer.OnlyQxEditor);
    EXPECT_TRUE(s.StatusBar.ColByChar);
    EXPECT_TRUE(s.Option.MiniFullPath);
    EXPECT_FALSE(s.Menu.HTMLSaveMenu);
    EXPECT_TRUE(s.Menu.PrintMenu);
    EXPECT_EQ(s.Option.UserFilter2, "*.c");
    EXPECT_EQ(s.Option.UserFilter1, TOptionSettings().UserFilter1);

    o.DirIndex = 2;
    Model.ApplyOptions();
    EXPECT_EQ(s.Option.OpenDirPath, "/tmp/a");
    EXPECT_EQ(s.Option.SaveDirPath, "/tmp/b");
    // The window's parts follow in the fixed order.
    EXPECT_THAT(Host.Steps, ElementsAre("menu", "toolbar", "status", "tree", "titles", "refresh", "menu", "toolbar",
                                        "status", "tree", "titles", "refresh"));
}

TEST_F(OptionDialogTest, MenuAndBandStylesReachTheWindowAtOnce)
{
    State.Settings.Menu.MenuStyle = 1;
    State.Settings.Menu.BarStyle = 1;
    Model.Load(0);
    EXPECT_TRUE(Model.MenuBandEnabled());
    EXPECT_EQ(Model.Options().MenuBarStyle, 1);
    Model.Options().MenuBarStyle = 2;
    Model.Options().ToolBarStyle = 1;
    Model.Options().ToolBarFold = true;
    Model.Options().ProjectMenu = 0;
    Model.Options().MenuImage = false;
    Model.ApplyOptions();
    EXPECT_EQ(Host.Menu, std::tuple(1, 2, 0, false));
    EXPECT_EQ(Host.ToolBarBand, std::pair(1, true));
    EXPECT_EQ(State.Settings.Menu.BarStyle, 2);
    EXPECT_EQ(State.Settings.ToolBar.BarStyle, 1);

    // The plain menu keeps its band style for when the band comes back.
    Model.Options().MenuStyle = 0;
    EXPECT_FALSE(Model.MenuBandEnabled());
    Model.ApplyOptions();
    EXPECT_EQ(Host.Menu, std::tuple(0, 2, 0, false));
    EXPECT_EQ(State.Settings.Menu.MenuStyle, 0);
    EXPECT_EQ(State.Settings.Menu.BarStyle, 2);
}

TEST_F(OptionDialogTest, CursorChoicesAndFiles)
{
    struct Case {
        int Choice;
        bool FromFile;
        bool Loads;
        int Setting, Shape, Beeps;
    };
    const Case cases[] = {
        {0, false, true, 0, crIBeamCursor, 0},
        {1, false, true, 1, 1, 0},
        {2, false, true, 2, crHandPointCursor, 0},
        {2, true, true, 6, crFileCursor, 0},
        {2, true, false, 0, crIBeamCursor, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Choice << " " << c.FromFile << " " << c.Loads);
        State.Settings.Cursor = {};
        Host.Beeps = 0;
        Host.Messages.Requests.clear();
        Host.CursorLoads = c.Loads;
        Model.Load(0);
        Model.Options().Cursor = c.Choice;
        Model.Options().CursorFromFile = c.FromFile;
        Model.SetCursorDir("/x/pen.ani");
        Model.ApplyOptions();
        EXPECT_EQ(State.Settings.Cursor.Cursor, c.Setting);
        EXPECT_EQ(Host.TextCursor, c.Shape);
        EXPECT_EQ(Host.Beeps, c.Beeps);
        ASSERT_EQ(Host.Messages.Requests.size(), static_cast<std::size_t>(c.Beeps));
        if (c.Beeps) {
            EXPECT_EQ(Host.Messages.Requests[0].Text, "カーソルが読み込めません");
            EXPECT_EQ(Host.Messages.Requests[0].Caption, "確認");
        }
    }
    // The path typed goes into the program's setting at once, whatever the dialog does after.
    Model.Load(0);
    Model.SetCursorDir("/y/arrow.cur");
    EXPECT_EQ(State.Settings.Cursor.CursorDir, "/y/arrow.cur");
    EXPECT_FALSE(Model.Options().CursorFromFile);
}

TEST_F(OptionDialogTest, HistoryClearingLeavesOtherSectionsAsTheyWere)
{
    State.RecentFileList.Add("/a/one.txt");
    State.RecentDirList.Add("/a");
    State.FindHistory.Add("find me");
    State.ReplaceHistory.Add("old");
    State.GrepHistory.Add("pattern");
    SaveFileHistory(State);
    SaveReplaceSettings(State);
    SaveGrepSettings(State);
    const std::string path = File(HistoryFileName);

    // The section of each button, cut out of the file's text.
    const auto section = [](const std::string& Bytes, const std::string& Name) {
        const std::size_t start = Bytes.find("[" + Name + "]");
        if (start == std::string::npos) return std::string();
        const std::size_t end = Bytes.find("\r\n[", start);
        return Bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
    };
    const std::vector<std::string> names = {"RecentFiles", "RecentDirectory", "FindHistory", "ReplaceHistory",
                                            "GrepHistory"};
    const std::pair<void (*)(TGlobalState&), std::string> buttons[] = {{ClearFileHistory, "RecentFiles"},
                                                                       {ClearFolderHistory, "RecentDirectory"},
                                                                       {ClearFindHistory, "FindHistory"},
                                                                       {ClearReplaceHistory, "ReplaceHistory"}};
    for (const auto& [clear, cleared] : buttons) {
        SCOPED_TRACE(cleared);
        const std::string before = ReadBytes(path);
        clear(State);
        const std::string after = ReadBytes(path);
        for (const std::string& name : names) {
            if (name != cleared) EXPECT_EQ(section(after, name), section(before, name)) << name;
        }
        TStringList list;
        const THistorySection* which = cleared == "RecentFiles"       ? &RecentFilesSection
                                       : cleared == "RecentDirectory" ? &RecentDirectorySection
                                       : cleared == "FindHistory"     ? &FindHistorySection
                                                                      : &ReplaceHistorySection;
        ReadHistorySection(TMemIniFile(path), *which, list);
        EXPECT_EQ(list.Count(), 0);
        EXPECT_NE(section(after, cleared).find(std::string(which->KeyPrefix) + std::to_string(which->Count) + "="),
                  std::string::npos);
    }
    EXPECT_EQ(State.FindHistory.Count(), 0);
}

TEST_F(OptionDialogTest, TreeDefaultsKeepTheTitleColours)
{
    State.Settings.Project.TitleFontColor = clRed;
    State.Settings.Project.FontSize = 20;
    Model.Load(0);
    Model.DefaultTreeFont();
    EXPECT_EQ(Model.Options().Tree.FontSize, 9);
    EXPECT_EQ(Model.Options().Tree.BackGroundColor, clWhite);
    EXPECT_EQ(Model.Options().Tree.TitleFontColor, clRed);
}

TEST(OptionPageTree, TwentyNodesInThreeGroups)
{
    const auto& tree = OptionPageTree();
    ASSERT_EQ(tree.size(), 20u);
    std::vector<std::size_t> groups;
    for (std::size_t i = 0; i < tree.size(); ++i)
        if (tree[i].Group) groups.push_back(i);
    EXPECT_THAT(groups, ElementsAre(0u, 10u, 14u));
    EXPECT_EQ(tree[19].PageClass, "Toptionpanel25");
}

} // namespace
} // namespace qx
