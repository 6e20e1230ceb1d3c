#include "mainwindow/keys/KeyMacro.h"

#include "mainwindow/KeyInputLog.h"
#include "dialogs/CommandTable.h"
#include "mainwindow/keys/KeyRouter.h"
#include "dialogs/ShortCutFile.h"
#include "platform/Cp932.h"
#include "platform/Exception.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

using test::LoggingRunner;
using test::LoggingTarget;
using S = TKeyMacroState;

// A main window in miniature: the command keys, a router, a macro and one or two editors.
class KeyMacroTest : public testing::Test {
protected:
    KeyMacroTest()
    {
        Keys.Assign(ReadShortCuts(""));
        Macro.OnChange = [this] { States.push_back(Macro.State()); };
        Macro.Prompter = &Prompter;
        Router.SetTarget(&Editor);
        // The macro commands run as the main window binds them, enabled by the macro's state.
        Runner.IsEnabled = [this](int row) {
            const std::string_view action = CommandShortCutTable()[row].Action;
            if (action == "ActionKeyMacRec") return Macro.State() != S::Playing;
            if (action == "ActionKeyMacExe") return Macro.State() == S::Ready;
            return true;
        };
        Runner.OnExecute = [this](int row) {
            const std::string_view action = CommandShortCutTable()[row].Action;
            if (action == "ActionKeyMacRec") {
                if (Macro.State() == S::Recording || Macro.State() == S::Playing) Macro.StopRecord();
                else Macro.StartRecord();
            } else if (action == "ActionKeyMacExe") {
                Macro.Play();
            } else if (action == "ActionFind") {
                Macro.StopPlay();  // a search that finds nothing
            }
        };
    }

    // Types a key as the keyboard would: the press, then its character unless a command took it.
    void Type(TShortCut key, std::uint16_t charCode = 0)
    {
        if (!Router.RouteKeyDown(key, 0x001E0001) && charCode) Router.KeyChar(charCode, KeyModifiers(key));
    }

    TCommandKeys Keys;
    LoggingRunner Runner;
    LoggingTarget Editor;
    test::ScriptedMessagePrompter Prompter;
    TKeyMacro Macro;
    TKeyRouter Router{Keys, Runner, &Macro};
    std::vector<S> States;
};

TEST_F(KeyMacroTest, StatesMoveOnlyWhereTheirPreconditionsHold)
{
    Macro.StopRecord();
    Macro.CancelRecord();
    Macro.Play();
    Macro.StopPlay();
    EXPECT_TRUE(States.empty());
    Macro.StartRecord();
    Macro.StartRecord();  // already recording
    Type('A', 'a');
    Macro.StopRecord();
    EXPECT_EQ(States, (std::vector<S>{S::Recording, S::Ready}));
    EXPECT_EQ(Macro.Records().size(), 2u);
    Macro.StartRecord();  // from a ready macro: the old one goes
    EXPECT_TRUE(Macro.Records().empty());
    Type('B', 'b');
    Macro.CancelRecord();
    EXPECT_EQ(Macro.State(), S::Empty);
    EXPECT_TRUE(Macro.Records().empty());
    // Without an editor there is nothing to record for.
    Router.SetTarget(nullptr);
    Macro.StartRecord();
    EXPECT_EQ(Macro.State(), S::Empty);
}

TEST_F(KeyMacroTest, AChangeOfPaneGoesOnRecordingNoPaneCancelsAGonePaneOnlyPauses)
{
    LoggingTarget second;
    Macro.StartRecord();
    Type('A', 'a');
    Router.SetTarget(&second);
    Type('B', 'b');
    EXPECT_EQ(Macro.State(), S::Recording);
    EXPECT_EQ(Macro.Records().size(), 4u);
    Router.TargetDestroyed(&second);
    EXPECT_EQ(Macro.State(), S::Recording);
    Type('C', 'c');  // no editor: nothing to record for
    Router.SetTarget(&Editor);
    Type('D', 'd');
    Macro.StopRecord();
    ASSERT_EQ(Macro.Records().size(), 6u);
    EXPECT_EQ(Macro.Records()[5].CharCode, 'd');
    Macro.StartRecord();
    Router.SetTarget(nullptr);
    EXPECT_EQ(Macro.State(), S::Empty);
    EXPECT_TRUE(Macro.Records().empty());
}

TEST_F(KeyMacroTest, PlaybackGivesEachKeyTheModifiersItWasRecordedWith)
{
    Macro.StartRecord();
    Type(scShift | 0x27);  // Shift+Right: extends a selection
    Type(scShift | 'X', 'X');
    Type(0x0D, 13);
    Router.ImeText(Utf8ToCp932("日本a"), 0);  // one record per character of the commit
    Type(scShift | scCtrl | 'R');             // stops the recording: the stop command's key, not the macro's
    EXPECT_EQ(Macro.State(), S::Ready);
    EXPECT_EQ(Macro.Records().size(), 8u);
    Editor.Log.clear();
    Editor.Text.clear();
    States.clear();
    Type(scShift | scCtrl | 'P');
    EXPECT_EQ(Editor.Log, (std::vector<std::string>{"key S39", "key S88", "char S88", "key 13", "char 13",
                                                    "ime " + Utf8ToCp932("日"), "ime " + Utf8ToCp932("本"),
                                                    "ime a"}));
    EXPECT_EQ(Editor.Text, "X\r" + Utf8ToCp932("日本a"));
    EXPECT_EQ(States, (std::vector<S>{S::Playing, S::Ready}));
}

TEST_F(KeyMacroTest, StoppedPlaybackEndsAtTheRecordUnderWayAndSaysSo)
{
    Macro.StartRecord();
    Type('A', 'a');
    Type(scCtrl | 'F');  // a search that finds nothing stops a playback
    Type('B', 'b');
    Macro.StopRecord();
    Editor.Text.clear();
    Macro.ShowDialog = true;
    Macro.Play();
    EXPECT_EQ(Editor.Text, "a");
    EXPECT_EQ(Macro.State(), S::Ready);
    EXPECT_EQ(Prompter.Texts(), std::vector<std::string>{"Cancel Execute KeyMacro"});
    // A played command that clears the macro leaves no macro behind, and nothing more is played.
    Runner.OnExecute = [this](int) { Macro.Clear(); };
    Editor.Text.clear();
    Macro.Play();
    EXPECT_EQ(Editor.Text, "a");
    EXPECT_EQ(Macro.State(), S::Empty);
    EXPECT_TRUE(Macro.Records().empty());
}

TEST_F(KeyMacroTest, PlaybackStopsWhenItsEditorGoesAway)
{
    Macro.StartRecord();
    Type('A', 'a');
    Type(scCtrl | 'F');
    Type('B', 'b');
    Macro.StopRecord();
    Runner.OnExecute = [this](int) { Router.TargetDestroyed(&Editor); };
    Editor.Text.clear();
    Macro.Play();
    EXPECT_EQ(Editor.Text, "a");
    EXPECT_EQ(Macro.State(), S::Ready);
    Macro.Play();  // no editor: nothing happens
    EXPECT_EQ(Macro.State(), S::Ready);
}

TEST_F(KeyMacroTest, SavedLinesNameTheMessageAndShowTheCharacter)
{
    Macro.StartRecord();
    Router.RouteKeyDown('A', 0x001E0001);
    Router.KeyChar('a', 0);
    Router.RouteKeyDown(scShift | 0x0D, 0x401C0001);
    Router.KeyChar(13, scShift);
    Router.ImeText("\x82\xA0", 0);
    Router.KeyChar('\'', 0);
    Router.KeyChar('/', 0);
    Macro.StopRecord();
    EXPECT_EQ(Macro.WriteRecords(),
              "CN_KEYDOWN: 48384, CharCode: 65, KeyData: 1966081, Shift: 0, Ctrl: 0, Alt: 0\r\n"
              "CN_CHAR: 48386, CharCode: 97, KeyData: 1, Shift: 0, Ctrl: 0, Alt: 0 // a\r\n"
              "CN_KEYDOWN: 48384, CharCode: 13, KeyData: 1075576833, Shift: 128, Ctrl: 0, Alt: 0\r\n"
              "CN_CHAR: 48386, CharCode: 13, KeyData: 1, Shift: 128, Ctrl: 0, Alt: 0 // #13\r\n"
              "WM_IME_CHAR: 646, CharCode: 33440, KeyData: 1, Shift: 0, Ctrl: 0, Alt: 0 // \x82\xA0\r\n"
              "CN_CHAR: 48386, CharCode: 39, KeyData: 1, Shift: 0, Ctrl: 0, Alt: 0 // '\r\n"
              "CN_CHAR: 48386, CharCode: 47, KeyData: 1, Shift: 0, Ctrl: 0, Alt: 0 // /\r\n");
    // An apostrophe, a slash or anything after " // " never spoils the file.
    const std::vector<TKeyMacroData> recorded = Macro.Records();
    test::TempDir dir;
    Macro.SaveToFile(dir.File("a.kmc"));
    TKeyMacro loaded;
    ASSERT_TRUE(loaded.LoadFromFile(dir.File("a.kmc")));
    EXPECT_EQ(loaded.Records(), recorded);
    EXPECT_EQ(loaded.State(), S::Ready);
}

TEST_F(KeyMacroTest, ReadingTakesSixNumbersPerLineAndRefusesFewer)
{
    struct Case {
        std::string Text;
        bool Ok;
        std::size_t Records;
    };
    const Case cases[] = {
        {"", true, 0},
        {"\r\n  \r\n", true, 0},
        {"CN_CHAR: 48386, CharCode: 97, KeyData: 1, Shift: 0, Ctrl: 0, Alt: 0 // a 1 2 3 '", true, 1},
        {"1 2 3 4 5 6 7 8\n-1 $1FFFF -5 256 257 511\r\n", true, 2},
        {"// a comment line only\r\n", true, 0},
        {"CN_CHAR: 48386, CharCode: 97, KeyData: 1, Shift: 0, Ctrl: 0\r\n", false, 0},
        {"1 2 3 4 5 6\r\nfoo\r\n", false, 0},
        {"1 2 3 4 5 99999999999\r\n", false, 0},
        {"1 2 3.5 4 5 6 7\r\n", true, 1},
        {"'a 1 2' 1 2 #3 4 5 6 7\r\n", true, 1},
        {"1 2 3 4 5 '6\r\n", false, 0},
    };
    for (const Case& c : cases) {
        TKeyMacro macro;
        EXPECT_EQ(macro.ReadRecords(c.Text), c.Ok) << c.Text;
        EXPECT_EQ(macro.Records().size(), c.Records) << c.Text;
        EXPECT_EQ(macro.State(), c.Ok ? S::Ready : S::Empty) << c.Text;
    }
    TKeyMacro macro;
    ASSERT_TRUE(macro.ReadRecords("-1 $1FFFF -5 256 257 511"));
    EXPECT_EQ(macro.Records()[0], (TKeyMacroData{-1, 0xFFFF, -5, 0, 1, 0xFF}));
    // A failed load keeps the macro there was and, when asked to, says so.
    Macro.ShowDialog = true;
    ASSERT_TRUE(Macro.ReadRecords("1 2 3 4 5 6"));
    EXPECT_FALSE(Macro.ReadRecords("1 2 3 4 5"));
    EXPECT_EQ(Macro.State(), S::Ready);
    EXPECT_EQ(Macro.Records(), (std::vector<TKeyMacroData>{{1, 2, 3, 4, 5, 6}}));
    ASSERT_EQ(Prompter.Requests.size(), 1u);
    EXPECT_EQ(Prompter.Requests[0].Text, "Invalid data loaded.KeyMacro");
    EXPECT_EQ(Prompter.Requests[0].Kind, TMsgDlgType::mtError);
}

TEST_F(KeyMacroTest, AnEmptyMacroOrAnUnknownRecordIsNeverPlayed)
{
    ASSERT_TRUE(Macro.ReadRecords(""));
    Macro.Play();
    EXPECT_EQ(States, (std::vector<S>{S::Empty, S::Ready}));
    ASSERT_TRUE(Macro.ReadRecords("MSG: 256, CharCode: 65, KeyData: 1, Shift: 0, Ctrl: 0, Alt: 0 // A\r\n"
                                  "CN_KEYDOWN: 48384, CharCode: 300, KeyData: 1, Shift: 0, Ctrl: 0, Alt: 0\r\n"
                                  "CN_CHAR: 48386, CharCode: 98, KeyData: 1, Shift: 0, Ctrl: 0, Alt: 0 // b\r\n"));
    EXPECT_EQ(Macro.Records().size(), 3u);
    Macro.Play();
    EXPECT_EQ(Editor.Log, std::vector<std::string>{"char 98"});
    EXPECT_EQ(Macro.WriteRecords().substr(0, 61),
              "MSG: 256, CharCode: 65, KeyData: 1, Shift: 0, Ctrl: 0, Alt: 0");
}

TEST_F(KeyMacroTest, FileErrorsSurfaceToTheCaller)
{
    test::TempDir dir;
    EXPECT_THROW(Macro.LoadFromFile(dir.File("none.kmc")), EFOpenError);
    ASSERT_TRUE(Macro.ReadRecords("1 2 3 4 5 6"));
    EXPECT_THROW(Macro.SaveToFile(dir.File("missing/a.kmc")), EInOutError);
    EXPECT_EQ(Macro.Records().size(), 1u);
}

} // namespace
} // namespace qx
