#include "dialogs/KeySetModel.h"

#include "dialogs/CommandTable.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qx {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// The tree node of a command.
int NodeOf(std::string_view action)
{
    const int row = FindCommandByAction(action);
    const auto tree = KeySetTree();
    for (std::size_t i = 0; i < tree.size(); ++i)
        if (tree[i].Row == row) return static_cast<int>(i);
    return -1;
}

class KeySetModelTest : public testing::Test {
protected:
    std::string File() const { return Dir.File("QxEditor.sck"); }
    TShortCut KeyOf(std::string_view action) const
    {
        return Keys[static_cast<std::size_t>(FindCommandByAction(action))];
    }
    // What the window does with OK's file: its commands take the file's keys.
    TKeySetModel::TApplyShortCuts Apply()
    {
        return [this](const std::string& path) { Keys = ReadShortCuts(path); };
    }

    test::TempDir Dir;
    std::vector<TShortCut> Keys = ReadShortCuts(File());  // the keys the window's commands carry
    test::ScriptedMessagePrompter Prompter;
    test::ScriptedFileDialogs Dialogs;
    TKeySetModel Model{File(), Apply(), Prompter, Dialogs};
};

TEST_F(KeySetModelTest, GroupNodesTakeNoKeyAndShowNone)
{
    Model.Show();
    EXPECT_EQ(Model.Selected(), 0);
    EXPECT_FALSE(Model.CanAssign());
    EXPECT_EQ(Model.CurrentKeyText(), "");
    EXPECT_FALSE(Model.Assign("K", false, true, false));
    Model.ClearKey();
    EXPECT_EQ(Model.KeyTexts()[0], "Nil");
    Model.Select(NodeOf("ActionOpen"));
    EXPECT_TRUE(Model.CanAssign());
    EXPECT_EQ(Model.CurrentKeyText(), "Ctrl+O");
    EXPECT_TRUE(Prompter.Requests.empty());
    EXPECT_EQ(TKeySetModel::KeyNames().size(), 71u);
    for (std::string_view name : TKeySetModel::KeyNames()) EXPECT_NE(TextToShortCut(name), 0) << name;
}

TEST_F(KeySetModelTest, AKeyAnyCommandCarriesIsRefusedComparedAsAKey)
{
    // A hand-edited file may spell modifiers in another order; it is the same key.
    WriteBytes(File(), "[Edit]\r\nUndo=\"ctrl+shift+q\"\r\n");
    Model.Show();
    struct Case {
        std::string_view Action;
        std::string_view Key;
        bool Shift, Ctrl, Alt;
        bool Refused;
        std::string_view Text;  // the node's text afterwards
    };
    const Case cases[] = {
        {"ActionKeyMacRec", "R", true, true, false, true, "Shift+Ctrl+R"},    // its own key
        {"ActionSaveAs", "N", false, true, false, true, ""},                 // ActionNew's
        {"ActionSaveAs", "Q", true, true, false, true, ""},                  // the hand-edited one
        {"ActionKeyMacRec", "R", true, true, true, false, "Alt+Shift+Ctrl+R"},
        {"ActionSaveAs", ":", false, true, false, false, "Ctrl+:"},
    };
    for (const Case& c : cases) {
        Prompter.Requests.clear();
        Model.Select(NodeOf(c.Action));
        EXPECT_EQ(Model.Assign(c.Key, c.Shift, c.Ctrl, c.Alt), !c.Refused) << c.Action << " " << c.Key;
        EXPECT_EQ(Model.CurrentKeyText(), c.Text);
        if (c.Refused) {
            ASSERT_EQ(Prompter.Requests.size(), 1u);
            EXPECT_EQ(Prompter.Requests[0].Text, "すでに他のコマンドに割り当てられています。");
            EXPECT_EQ(Prompter.Requests[0].Caption, "確認");
            EXPECT_EQ(Prompter.Requests[0].Kind, TMsgDlgType::mtInformation);
        } else {
            EXPECT_TRUE(Prompter.Requests.empty());
        }
    }
}

TEST_F(KeySetModelTest, OkSavesAndAppliesAtOnceAClearedKeyStaysCleared)
{
    Model.Show();
    Model.Select(NodeOf("ActionNew"));
    Model.ClearKey();
    EXPECT_EQ(Model.CurrentKeyText(), "");
    Model.Select(NodeOf("ActionSaveAs"));
    ASSERT_TRUE(Model.Assign("N", false, true, false));
    ASSERT_TRUE(Model.Ok());
    EXPECT_EQ(KeyOf("ActionNew"), scNone);
    EXPECT_EQ(KeyOf("ActionSaveAs"), scCtrl | 'N');
    EXPECT_NE(ReadBytes(File()).find("[File]\r\nNew=\"\"\r\n"), std::string::npos);
    // The next start reads the same.
    const std::vector<TShortCut> restarted = ReadShortCuts(File());
    EXPECT_EQ(restarted[static_cast<std::size_t>(FindCommandByAction("ActionNew"))], scNone);
    EXPECT_EQ(restarted[static_cast<std::size_t>(FindCommandByAction("ActionSaveAs"))], scCtrl | 'N');
}

TEST_F(KeySetModelTest, LoadedAndChangedKeysWithoutOkTouchNeitherTheFileNorTheCommands)
{
    const std::string other = Dir.File("other.sck");
    WriteBytes(other, "[File]\r\nNew=\"F9\"\r\n");
    {
        TKeySetModel model(File(), Apply(), Prompter, Dialogs);
        model.Show();
        Dialogs.Files = {other};
        model.LoadFile();
        model.Select(NodeOf("ActionNew"));
        EXPECT_EQ(model.CurrentKeyText(), "F9");
        model.ClearKey();
        Dialogs.Files = {Dir.File("saved.sck")};
        model.SaveFile();
    }  // Cancel: the dialog goes with its texts
    EXPECT_NE(ReadBytes(Dir.File("saved.sck")).find("[File]\r\nNew=\"\"\r\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(File()));
    EXPECT_EQ(KeyOf("ActionNew"), scCtrl | 'N');
    ASSERT_EQ(Dialogs.Requests.size(), 2u);
    EXPECT_FALSE(Dialogs.Requests[0].Save);
    EXPECT_TRUE(Dialogs.Requests[1].Save);
    for (const TFileDialogRequest& request : Dialogs.Requests)
        EXPECT_EQ(request.Filter, "QxEditorｷｰ設定 (*.sck)|*.sck");
    EXPECT_EQ(Dialogs.Requests[1].DefaultExt, "sck");
}

TEST_F(KeySetModelTest, FilesThatCannotBeReadOrWrittenAreReportedAndChangeNothing)
{
    Model.Show();
    Model.Select(NodeOf("ActionNew"));
    Model.ClearKey();
    // A folder where the file should be cannot be read, whoever runs the test.
    const std::string unreadable = Dir.File("folder.sck");
    std::filesystem::create_directory(unreadable);
    Dialogs.Files = {unreadable, Dir.File("missing/keys.sck")};
    Model.LoadFile();
    EXPECT_EQ(Model.CurrentKeyText(), "");  // the texts stay
    Model.SaveFile();
    ASSERT_EQ(Prompter.Requests.size(), 2u);
    EXPECT_EQ(Prompter.Requests[0].Kind, TMsgDlgType::mtError);
    EXPECT_EQ(Prompter.Requests[0].Text.rfind(unreadable + "\nファイルを読み込めませんでした。", 0), 0u);
    EXPECT_EQ(Prompter.Requests[1].Text.rfind(Dir.File("missing/keys.sck") + "\nファイルを保存できませんでした。", 0), 0u);
    // OK whose write fails keeps the dialog open and the commands as they were.
    TKeySetModel broken(Dir.File("missing/QxEditor.sck"), Apply(), Prompter, Dialogs);
    broken.Show();
    broken.Select(NodeOf("ActionNew"));
    broken.ClearKey();
    EXPECT_FALSE(broken.Ok());
    EXPECT_EQ(Prompter.Requests.size(), 3u);
    EXPECT_EQ(KeyOf("ActionNew"), scCtrl | 'N');
}

TEST_F(KeySetModelTest, AFileThatIsNoKeyFileIsRefusedAndTheKeysInUseStay)
{
    WriteBytes(File(), "[File]\r\nNew=\"F9\"\r\n");
    Keys = ReadShortCuts(File());
    Model.Show();
    struct Case {
        const char* Name;
        std::string Bytes;
    } cases[] = {
        {"binary.sck", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18)},
        {"empty.sck", ""},
        {"qxeenv1.ini", "[Application]\r\nTitle=QxEditor for Windows\r\n\r\n[EditorEnvironment]\r\nEnvironmentName=\"a\"\r\n"},
        {"settings.sck", "[Project]\r\nProjectOpenStyle=0\r\n[Window]\r\nLeft=10\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Prompter.Requests.clear();
        WriteBytes(Dir.File(c.Name), c.Bytes);
        Dialogs.Files = {Dir.File(c.Name)};
        Model.LoadFile();
        ASSERT_EQ(Prompter.Requests.size(), 1u);
        EXPECT_EQ(Prompter.Requests[0].Text, Dir.File(c.Name) + "\nファイルを読み込めませんでした。\nショートカットキー設定ファイルではありません。");
        Model.Select(NodeOf("ActionNew"));
        EXPECT_EQ(Model.CurrentKeyText(), "F9");
    }
    // OK after the refusals keeps the user's keys, in the file and in use.
    EXPECT_TRUE(Model.Ok());
    EXPECT_NE(ReadBytes(File()).find("New=\"F9\""), std::string::npos);
    EXPECT_EQ(KeyOf("ActionNew"), TextToShortCut("F9"));
}

} // namespace
} // namespace qx
