// The one size rule of the settings files' readers: a file far larger than any real one is refused
// before it is read, reported once by name, never written over, and the settings in use stay.

#include "dialogs/PhraseLists.h"
#include "documents/EditorEnvironment.h"
#include "documents/FileHistory.h"
#include "documents/MessageTexts.h"
#include "documents/SettingsFile.h"
#include "documents/ToolBarFile.h"
#include "mainwindow/keys/CommandKeys.h"
#include "dialogs/CommandTable.h"
#include "dialogs/KeySetModel.h"
#include "dialogs/ShortCutFile.h"
#include "mainwindow/desktop/Tips.h"
#include "platform/SettingsBytes.h"
#include "platform/TextListFile.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace qx {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class SettingsSizeTest : public testing::Test {
protected:
    SettingsSizeTest()
    {
        CreateGlobalLists(State);
        State.ProgramFolder = Dir.Path() + "/";
        SetSettingsRefusalReport([this](const std::string& text) { Reports.push_back(text); });
    }
    ~SettingsSizeTest() override { SetSettingsRefusalReport({}); }

    test::TempDir Dir;
    TGlobalState State;
    std::vector<std::string> Reports;
};

TEST_F(SettingsSizeTest, AnOversizedFileIsRefusedByNameAndTheSettingsInUseStay)
{
    // Empty lines: the cheapest bytes to send and the dearest to split into lines.
    const std::string huge(MaxSettingsFileBytes + 1, '\n');
    const std::string reason = ESettingsFileTooLarge::Reason();
    struct Case {
        std::string_view File;
        // Reads the file as the program does; true when what was in use stayed.
        std::function<bool()> Read;
    } cases[] = {
        {HistoryFileName,
         [&] {
             State.RecentFileList.SetText("/in/use.txt");
             AddFileHistory(State, "/new.txt");
             return State.RecentFileList.Items() == std::vector<std::string>{"/new.txt", "/in/use.txt"};
         }},
        {ShortCutFileName,
         [&] {
             TCommandKeys keys;
             keys.ApplyShortCuts(State.ProgramFile(ShortCutFileName));
             return keys.ShortCut(FindCommandByAction("ActionNew")) == TextToShortCut("Ctrl+N");
         }},
        {"qxeenv1.ini", [&] { return !LoadEnvironmentFile(EnvironmentFileName(State, 1)); }},
        {ToolBarFileName,
         [&] {
             LoadToolBarSettings(State);
             return State.UserToolBar1 == DefaultUserToolBar(1);
         }},
        {IniFileName, [&] { return !OpenSettingsFile(State.ProgramFile(IniFileName)); }},
        {FavoriteFileName,
         [&] {
             State.FavoriteList.Add("/fav.txt");
             return !LoadFavorites(State) && !SaveFavorites(State, State.FavoriteList);
         }},
        {"QxEditor.tip",
         [&] {
             TQxEditorTips tips(State.ProgramFile(IniFileName));
             tips.Tips.Add("a tip in use");
             return !tips.LoadTips(State.ProgramFile("QxEditor.tip")) && tips.Tips.Text() == "a tip in use\r\n";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.File);
        Reports.clear();
        const std::string path = State.ProgramFile(c.File);
        WriteBytes(path, huge);
        EXPECT_TRUE(c.Read());
        EXPECT_TRUE(c.Read());  // told once, however often it is read
        EXPECT_EQ(Reports, std::vector<std::string>{MsgFileReadError(path, reason)});
        EXPECT_EQ(std::filesystem::file_size(path), huge.size());  // never written over
    }
}

TEST_F(SettingsSizeTest, ReadersThatReportThemselvesGiveTheSameReason)
{
    const std::string huge(MaxSettingsFileBytes + 1, '\n');
    // The key dialog's load: the error names the file, the dialog's keys stay.
    const std::string keys = Dir.File("big.sck");
    WriteBytes(keys, huge);
    test::ScriptedMessagePrompter prompter;
    test::ScriptedFileDialogs dialogs;
    TKeySetModel model(Dir.File("QxEditor.sck"), [](const std::string&) {}, prompter, dialogs);  // no OK here
    const std::vector<std::string> before = model.KeyTexts();
    dialogs.Files = {keys};
    model.LoadFile();
    ASSERT_EQ(prompter.Requests.size(), 1u);
    EXPECT_EQ(prompter.Requests[0].Text, MsgFileReadError(keys, ESettingsFileTooLarge(keys).Message()));
    EXPECT_EQ(model.KeyTexts(), before);
    // The tools' lists raise it to their callers.
    const std::string list = Dir.File("word1.dat");
    WriteBytes(list, huge);
    TStringList lines;
    try {
        LoadTextList(list, lines);
        ADD_FAILURE() << "read";
    } catch (const ESettingsFileTooLarge& e) {
        EXPECT_EQ(e.Message(), "ファイル \"" + list + "\" は" + ESettingsFileTooLarge::Reason());
    }

    // A file of exactly the most a settings file may hold is read.
    std::string largest = "[RecentFiles]\r\nFile1=\"/a.txt\"\r\n;";
    largest.resize(MaxSettingsFileBytes, 'x');
    WriteBytes(Dir.File(std::string(HistoryFileName)), largest);
    LoadFileHistory(State);
    EXPECT_EQ(State.RecentFileList.Items(), std::vector<std::string>{"/a.txt"});
    EXPECT_TRUE(Reports.empty());
}

} // namespace
} // namespace qx
