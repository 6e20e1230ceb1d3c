#include "mainwindow/keys/KeyMacroCommands.h"

#include "mainwindow/KeyInputLog.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using S = TKeyMacroState;

TEST(KeyMacroActionStates, FollowTheMacrosState)
{
    struct Case {
        S State;
        bool CanRecord;
        TKeyMacroActionStates Expected;  // rec enabled, rec checked, exe enabled, exe checked
    };
    const Case cases[] = {
        {S::Empty, true, {true, false, false, false}},   {S::Empty, false, {false, false, false, false}},
        {S::Recording, true, {true, true, false, false}}, {S::Ready, true, {true, false, true, false}},
        {S::Ready, false, {false, false, true, false}},   {S::Playing, true, {false, false, false, true}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyMacroActionStates(c.State, c.CanRecord), c.Expected) << static_cast<int>(c.State);
}

class KeyMacroCommandsTest : public testing::Test {
protected:
    KeyMacroCommandsTest() { Macro.SetControl(&Editor); }
    test::TempDir Dir;
    test::LoggingTarget Editor;
    TKeyMacro Macro;
    test::ScriptedMessagePrompter Prompter;
    test::ScriptedFileDialogs Dialogs;
    TKeyMacroCommands Commands{Macro, Prompter, Dialogs};
};

TEST_F(KeyMacroCommandsTest, RecordTogglesAndPlayAndClearDriveTheMacro)
{
    Commands.RecExecute();
    EXPECT_EQ(Macro.State(), S::Recording);
    Macro.RecordChar('a', 0);
    Commands.RecExecute();
    EXPECT_EQ(Macro.State(), S::Ready);
    Macro.Input = &Editor;
    Commands.ExeExecute();
    EXPECT_EQ(Editor.Text, "a");
    Commands.ClrExecute();
    EXPECT_EQ(Macro.State(), S::Empty);
    EXPECT_TRUE(Macro.Records().empty());
}

TEST_F(KeyMacroCommandsTest, ClosingTheWindowEndsARecordingAndStopsAPlayback)
{
    Commands.RecExecute();
    Macro.RecordChar('a', 0);
    Macro.RecordChar('b', 0);
    Commands.EndForClose();
    EXPECT_EQ(Macro.State(), S::Ready);
    EXPECT_EQ(Macro.Records().size(), 2u);
    // A close that comes while the macro plays (from a dialog a played command opened) stops it there.
    struct ClosingInput : test::LoggingTarget {
        std::function<void()> OnChar;
        void KeyChar(std::uint16_t code, TShortCut modifiers) override
        {
            LoggingTarget::KeyChar(code, modifiers);
            if (OnChar) OnChar();
        }
    } closing;
    closing.OnChar = [this] { Commands.EndForClose(); };
    Macro.Input = &closing;
    Commands.ExeExecute();
    EXPECT_EQ(closing.Text, "a");
    EXPECT_EQ(Macro.State(), S::Ready);
}

TEST_F(KeyMacroCommandsTest, SavingOverAFileAsksAndNoChoosesAgain)
{
    ASSERT_TRUE(Macro.ReadRecords("1 2 3 4 5 6"));
    const std::string first = Dir.File("a.kmc");
    const std::string second = Dir.File("b.kmc");
    test::WriteBytes(first, "old");
    test::WriteBytes(second, "old");
    int beeps = 0;
    Commands.Beep = [&] { ++beeps; };
    Dialogs.Files = {first, second};
    Prompter.Answers = {mr::No, mr::Yes};
    Commands.SaveExecute();
    EXPECT_EQ(test::ReadBytes(first), "old");
    EXPECT_EQ(test::ReadBytes(second), "MSG: 1, CharCode: 2, KeyData: 3, Shift: 4, Ctrl: 5, Alt: 6 // #2\r\n");
    EXPECT_EQ(beeps, 2);
    ASSERT_EQ(Prompter.Requests.size(), 2u);
    EXPECT_EQ(Prompter.Requests[0].Caption, "確認");
    EXPECT_EQ(Prompter.Requests[0].Kind, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(Prompter.Requests[0].Text.rfind(first + "\nこのファイルはすでに存在しています。", 0), 0u);
    EXPECT_EQ(Dialogs.Requests[0].Filter, "QxEditorｷｰﾏｸﾛ (*.kmc)|*.kmc");
    EXPECT_EQ(Dialogs.Requests[0].DefaultExt, "kmc");
}

TEST_F(KeyMacroCommandsTest, FailedSavesAndLoadsAreReported)
{
    ASSERT_TRUE(Macro.ReadRecords("1 2 3 4 5 6"));
    Dialogs.Files = {Dir.File("missing/a.kmc"), Dir.File("none.kmc")};
    Commands.SaveExecute();
    Commands.LoadExecute();
    ASSERT_EQ(Prompter.Requests.size(), 2u);
    EXPECT_EQ(Prompter.Requests[0].Kind, TMsgDlgType::mtError);
    EXPECT_NE(Prompter.Requests[0].Text.find("ファイルを保存できませんでした。"), std::string::npos);
    EXPECT_NE(Prompter.Requests[1].Text.find("ファイルを読み込めませんでした。"), std::string::npos);
    EXPECT_EQ(Macro.State(), S::Ready);  // a file that could not be opened changes nothing
    EXPECT_EQ(Macro.Records().size(), 1u);
    // Cancelling the dialog does nothing at all.
    Commands.SaveExecute();
    Commands.LoadExecute();
    EXPECT_EQ(Prompter.Requests.size(), 2u);
    // A file that holds no macro keeps the one there was, and says so.
    test::WriteBytes(Dir.File("bad.kmc"), "CN_CHAR: 48386, CharCode: 97\r\n");
    Dialogs.Files = {Dir.File("bad.kmc")};
    Commands.LoadExecute();
    ASSERT_EQ(Prompter.Requests.size(), 3u);
    EXPECT_EQ(Prompter.Requests[2].Text, Dir.File("bad.kmc") + "\nキーマクロのデータが正しくないため読み込めません。");
    EXPECT_EQ(Prompter.Requests[2].Kind, TMsgDlgType::mtError);
    EXPECT_EQ(Macro.State(), S::Ready);
    EXPECT_EQ(Macro.Records(), (std::vector<TKeyMacroData>{{1, 2, 3, 4, 5, 6}}));
}

} // namespace
} // namespace qx
