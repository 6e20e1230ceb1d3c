#include "documents/FileHistory.h"
#include "documents/MainSettings.h"
#include "documents/SettingsCodec.h"
#include "documents/ToolBarFile.h"
#include "platform/Cp932.h"
#include "SettingsFolderTest.h"
#include "support/Fifo.h"

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

using namespace qx;
using qx::test::ReadBytes;
using qx::test::TempDir;
using qx::test::WriteBytes;

namespace {

class MainSettingsTest : public qx::test::SettingsFolderTest {
protected:
    std::string Ini() const { return File(IniFileName); }
};

// A main form that records what it was given and answers with a fixed placement.
class FakeForm : public TMainFormSettings {
public:
    void ApplyMainSettings(const TGlobalState& state) override { Applied = state.Settings; }
    void CollectMainSettings(TGlobalState& state) override { state.Settings.StatusBar.StatusBar = StatusBarShown; }
    TWindowPlacement CurrentPlacement() const override { return {5, 6, 700, 800}; }
    bool IsMaximized() const override { return Maximized; }

    TMainSettings Applied;
    bool StatusBarShown = true;
    bool Maximized = false;
};

} // namespace

TEST_F(MainSettingsTest, AFirstStartLeavesTheHeaderAndApplication)
{
    FakeForm form;
    form.Applied.Basic.HotKey = "none yet";
    LoadMainSettings(State, &form);
    EXPECT_EQ(ReadBytes(Ini()), ReadBytes(qx::test::kSettingsData + "first-start.ini"));
    EXPECT_EQ(form.Applied.Basic.HotKey, "Ctrl+F1");  // the form is given the defaults

    // Starting again changes nothing: the header is there once.
    LoadMainSettings(State, &form);
    EXPECT_EQ(ReadBytes(Ini()), ReadBytes(qx::test::kSettingsData + "first-start.ini"));

    // A header removed by hand comes back, once.
    const std::string withHeader = ReadBytes(Ini());
    WriteBytes(Ini(), withHeader.substr(withHeader.find("[Application]")));
    LoadMainSettings(State, &form);
    EXPECT_EQ(ReadBytes(Ini()), ReadBytes(qx::test::kSettingsData + "first-start.ini"));
}

TEST_F(MainSettingsTest, EveryKeySurvivesLoadAndSaveAndUnknownKeysStay)
{
    WriteBytes(Ini(), ReadBytes(qx::test::kSettingsData + "all-keys.ini"));
    LoadMainSettings(State);
    LoadToolBarSettings(State);
    const TMainSettings& s = State.Settings;

    // A sample of every kind of value, decoded.
    EXPECT_EQ(s.Window.WindowPosition, 3);
    EXPECT_EQ(s.Window.Width, 780);
    EXPECT_EQ(s.Basic.HotKey, "Shift+Ctrl+F2");
    EXPECT_FALSE(s.Basic.NotExecute);
    EXPECT_EQ(s.Project.FontColor, 0x00804020);
    EXPECT_EQ(s.Project.BackGroundColor, clInfoBk);
    EXPECT_EQ(Cp932ToUtf8(s.Project.FontName), "ＭＳ ゴシック");
    EXPECT_EQ(s.Project.FontStyle, (TFontStyles{TFontStyle::fsBold, TFontStyle::fsUnderline}));
    EXPECT_EQ(s.Project.LastProjectFile, "/home/u/プロジェクト.qxp");  // a file name, bytes as they are
    EXPECT_EQ(s.ToolBar.UserToolBarTop2, 6);
    EXPECT_EQ(s.Option.UserFilter1, "");
    EXPECT_EQ(s.Option.UserFilter3, "  x ");
    EXPECT_EQ(Cp932ToUtf8(s.Option.InyouString2), "》");
    EXPECT_EQ(s.Option.TabStyle, 2);
    EXPECT_EQ(s.MouseWheel.MouseWheelScroll, 3);
    EXPECT_TRUE(s.HideOption.MinimizeToTray);
    EXPECT_EQ(std::filesystem::current_path(), "/");  // DirIndex 1: back to LastDirPath

    // Saved over the same file: every byte as it was, the keys of the options dialog, the hidden
    // options and the unknown section included.
    SaveMainSettings(State);
    EXPECT_EQ(ReadBytes(Ini()), ReadBytes(qx::test::kSettingsData + "all-keys.ini"));

    // Saved into a folder without settings: what the main writer writes, in its order.
    TempDir other;
    State.ProgramFolder = other.Path() + "/";
    SaveMainSettings(State);
    EXPECT_EQ(ReadBytes(Ini()), ReadBytes(qx::test::kSettingsData + "all-keys-fresh.ini"));
}

TEST_F(MainSettingsTest, MissingKeysAndBadNumbersGiveDefaults)
{
    WriteBytes(Ini(), "[Window]\r\nWidth=wide\r\nHeight=$20\r\n[Project]\r\nFontColor=\"clNoSuchColour\"\r\n"
                      "FontSize=\r\n[StatusBar]\r\nStatusBar=no\r\nHintBar=2\r\n");
    State.Settings.Window.Width = 1;     // leftovers of an earlier load do not count
    State.Settings.Basic.UseTray = false;
    LoadMainSettings(State);
    const TMainSettings& s = State.Settings;
    EXPECT_EQ(s.Window.Width, 600);
    EXPECT_EQ(s.Window.Height, 32);
    EXPECT_EQ(s.Project.FontColor, clBlack);
    EXPECT_EQ(s.Project.FontSize, 9);
    EXPECT_TRUE(s.StatusBar.StatusBar);
    EXPECT_TRUE(s.StatusBar.HintBar);
    EXPECT_TRUE(s.Basic.UseTray);
}

TEST_F(MainSettingsTest, PlacementWrittenAtCloseFollowsWindowPosition)
{
    struct Case {
        int position;
        bool maximized;
        const char* expected;  // the [Window] lines
    };
    const Case cases[] = {
        {1, true, "Left=0\r\nTop=0\r\nHeight=470\r\nWidth=600\r\nMaximized=0\r\nWindowPosition=1\r\n"},
        {2, true, "Left=0\r\nTop=0\r\nHeight=470\r\nWidth=600\r\nMaximized=1\r\nWindowPosition=2\r\n"},
        {2, false, "Left=5\r\nTop=6\r\nHeight=700\r\nWidth=800\r\nMaximized=0\r\nWindowPosition=2\r\n"},
        {3, true, "Left=1\r\nTop=2\r\nHeight=3\r\nWidth=4\r\nMaximized=0\r\nWindowPosition=3\r\n"},
        {7, false, "WindowPosition=7\r\n"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(Ini());
        State.Settings.Window = {c.position, 1, 2, 3, 4, true};
        FakeForm form;
        form.Maximized = c.maximized;
        SaveMainSettings(State, &form);
        TStringList lines;
        TMemIniFile(Ini()).ReadSectionValues("Window", lines);
        EXPECT_EQ(lines.Text(), c.expected) << c.position;
    }
}

TEST(WindowPlacement, TheStartPlaceIsKeptOnAScreen)
{
    // WindowPosition 1 opens at the fixed default place, whatever is stored.
    EXPECT_EQ(StartPlacement({1, 900, 800, 300, 400, false}), TWindowPlacement{});
    EXPECT_EQ(StartPlacement({2, 900, 800, 300, 400, false}), (TWindowPlacement{900, 800, 300, 400}));
    // Two screens side by side, the left one with a panel of 30 pixels at its top.
    const std::vector<TWindowPlacement> screens = {{0, 30, 1050, 1600}, {1600, 0, 1080, 1920}};
    const struct {
        const char* Name;
        TWindowPlacement In, Out;
    } cases[] = {
        {"on the screen", {100, 100, 470, 600}, {100, 100, 470, 600}},
        {"title bar under the panel", {0, 0, 470, 600}, {0, 30, 470, 600}},
        {"above the screen", {100, -20, 470, 600}, {100, 30, 470, 600}},
        {"on the second screen", {1700, 50, 470, 600}, {1700, 50, 470, 600}},
        {"past the right edge", {3400, 50, 470, 600}, {2920, 50, 470, 600}},
        {"left of every screen", {-900, 200, 470, 600}, {0, 200, 470, 600}},
        {"larger than its screen", {10, 40, 2000, 1700}, {0, 30, 1050, 1600}},
    };
    for (const auto& c : cases) EXPECT_EQ(KeepOnScreens(c.In, screens), c.Out) << c.Name;
    EXPECT_EQ(KeepOnScreens({5, -20, 1, 1}, {}), (TWindowPlacement{5, -20, 1, 1}));
}

TEST_F(MainSettingsTest, TheFormStoresItsValuesBeforeTheWrite)
{
    FakeForm form;
    form.StatusBarShown = false;
    SaveMainSettings(State, &form);
    EXPECT_EQ(TMemIniFile(Ini()).ReadString("StatusBar", "StatusBar", ""), "0");
}

TEST_F(MainSettingsTest, AnUnwritableProgramFolderNeverStopsTheProgram)
{
    WriteBytes(Dir.File("plain"), "not a folder");
    State.ProgramFolder = Dir.File("plain") + "/";
    State.Settings.Option.InyouString1 = "#";
    EXPECT_NO_THROW(LoadMainSettings(State));
    EXPECT_EQ(State.Settings.Option.InyouString1, ">");  // defaults
    EXPECT_NO_THROW(LoadToolBarSettings(State));
    EXPECT_NO_THROW(SaveMainSettings(State));
    EXPECT_NO_THROW(SaveFindSettings(State));
    EXPECT_NO_THROW(AddFileHistory(State, "/tmp/a.txt"));
    EXPECT_FALSE(SaveFavorites(State, State.FavoriteList));
    EXPECT_EQ(ReadBytes(Dir.File("plain")), "not a folder");

    // A settings file that cannot be read is not overwritten.
    Use(Dir);
    std::filesystem::create_directory(Ini());
    State.Settings.Option.InyouString1 = "#";
    EXPECT_NO_THROW(LoadMainSettings(State));
    EXPECT_EQ(State.Settings.Option.InyouString1, ">");
    EXPECT_NO_THROW(SaveMainSettings(State));
    EXPECT_TRUE(std::filesystem::is_directory(Ini()));
}

TEST_F(MainSettingsTest, SettingsFilesThatArePipesGiveDefaultsAndStay)
{
    // Each settings file linked to a pipe (or a device: a "History" linked to /dev/null switches the
    // history off). Reading must neither wait for a writer nor read for ever, and no write may put a
    // regular file in the pipe's place.
    qx::test::MakeFifo(Dir.File("pipe"));
    for (const std::string_view name : {IniFileName, ToolBarFileName, HistoryFileName, FavoriteFileName})
        ASSERT_EQ(::symlink("pipe", File(name).c_str()), 0);
    qx::test::FifoWatchdog watchdog(Dir.File("pipe"));
    State.Settings.Option.InyouString1 = "#";
    LoadMainSettings(State);
    EXPECT_EQ(State.Settings.Option.InyouString1, ">");
    LoadToolBarSettings(State);
    EXPECT_EQ(State.UserToolBar1, DefaultUserToolBar(1));
    SaveMainSettings(State);
    EXPECT_FALSE(SaveUserToolBar(State, 1));
    AddFileHistory(State, "/tmp/a.txt");
    EXPECT_FALSE(SaveFileHistory(State));
    EXPECT_FALSE(LoadFavorites(State));
    State.FavoriteList.Add("/tmp/a.txt");
    EXPECT_FALSE(SaveFavorites(State, State.FavoriteList));
    EXPECT_FALSE(watchdog.Stop()) << "waited on the pipe";
    for (const std::string_view name : {IniFileName, ToolBarFileName, HistoryFileName, FavoriteFileName}) {
        struct stat st;
        EXPECT_EQ(::lstat(File(name).c_str(), &st), 0);
        EXPECT_TRUE(S_ISLNK(st.st_mode)) << name;
    }
    struct stat st;
    EXPECT_EQ(::lstat(Dir.File("pipe").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(MainSettingsTest, KeysAddedLaterLandInTheirOwnSection)
{
    LoadMainSettings(State);
    SaveMainSettings(State);
    State.Settings.Find.MatchCase = true;
    SaveFindSettings(State);        // [Search] appears at the end
    SaveDateTimeFormats(State);     // [DateTime] after it
    State.Settings.Grep.GrepSubDir = true;
    SaveGrepSettings(State);        // joins [Search], before [DateTime]

    const std::string bytes = ReadBytes(Ini());
    const std::string search = "[Search]\r\nMatchCase=1\r\nWholeWord=0\r\nNoMatchZenkaku=0\r\nIncludeCRLF=0\r\n"
                               "Escape=0\r\nDirection=0\r\nGrepFuzzy=0\r\nGrepSubDir=1\r\n\r\n[DateTime]\r\n";
    EXPECT_NE(bytes.find(search), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find("[Cursor]"), bytes.rfind("[Cursor]"));
    EXPECT_LT(bytes.find("[Cursor]"), bytes.find("[Search]"));
    EXPECT_EQ(bytes.rfind("\r\n\r\n"), bytes.size() - 4);
}

TEST_F(MainSettingsTest, DialogPairsRoundTrip)
{
    TGlobalState& s = State;
    s.Settings.DateTime = {true, "a", "", "  c "};
    s.Settings.Command.CloseDialog = true;
    s.Settings.WordAssistant.CloseDialog = true;
    s.Settings.Printer.FontName = Utf8ToCp932("ＭＳ ゴシック");
    s.Settings.Printer.Header = "";
    s.Settings.Printer.ColumnCount = 3;
    s.Settings.Printer.WrapOptionUsed = true;
    s.Settings.Printer.TabSpaceCount = 6;
    s.Settings.Find = {true, true, true, true, true, 1};
    s.Settings.Grep = {true, true};
    s.FindHistory.SetText("find 1\r\n  find 2 \r\n");
    s.ReplaceHistory.SetText("with\r\n");
    s.GrepHistory.SetText("pattern\r\n");
    s.GrepFiles.SetText("/src/*.c\r\n*.h\r\n");
    SaveDateTimeFormats(s);
    SaveCommandDialogSettings(s);
    SaveWordAssistantSettings(s);
    SavePrinterSettings(s);
    SaveReplaceSettings(s);
    SaveGrepSettings(s);

    const std::string printerFont = s.Settings.Printer.FontName;
    auto histories = {&TGlobalState::FindHistory, &TGlobalState::ReplaceHistory, &TGlobalState::GrepHistory,
                      &TGlobalState::GrepFiles};
    std::vector<std::string> texts;
    for (auto list : histories) texts.push_back((s.*list).Text());
    Use(Dir);
    LoadDateTimeFormats(s);
    LoadCommandDialogSettings(s);
    LoadWordAssistantSettings(s);
    LoadPrinterSettings(s);
    LoadReplaceSettings(s);
    LoadGrepSettings(s);
    EXPECT_EQ(s.Settings.DateTime.Format3, "  c ");
    EXPECT_EQ(s.Settings.DateTime.Format2, "");
    EXPECT_TRUE(s.Settings.DateTime.UserFormat);
    EXPECT_TRUE(s.Settings.Command.CloseDialog);
    EXPECT_TRUE(s.Settings.WordAssistant.CloseDialog);
    EXPECT_EQ(s.Settings.Printer.FontName, printerFont);
    EXPECT_EQ(s.Settings.Printer.Header, "");
    EXPECT_EQ(s.Settings.Printer.ColumnCount, 3);
    EXPECT_TRUE(s.Settings.Printer.WrapOptionUsed);
    EXPECT_EQ(s.Settings.Printer.TabSpaceCount, 6);
    EXPECT_EQ(TPrinterSettings{}.TabSpaceCount, 4);
    EXPECT_EQ(s.Settings.Find.Direction, 1);
    EXPECT_TRUE(s.Settings.Find.Escape);
    EXPECT_TRUE(s.Settings.Grep.GrepSubDir);
    std::size_t i = 0;
    for (auto list : histories) EXPECT_EQ((s.*list).Text(), texts[i++]);

    // Only 1, 2 and 3 columns are taken.
    for (const char* count : {"5", "0", "-1", "x"}) {
        TMemIniFile ini(Ini());
        ini.WriteString("Printer", "ColumnCount", count);
        ini.UpdateFile();
        LoadPrinterSettings(s);
        EXPECT_EQ(s.Settings.Printer.ColumnCount, 1) << count;
    }
}
