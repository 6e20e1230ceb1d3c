// The main window's search commands on a real document editor: find again and where the hit is shown,
// the miss, replace step by step, with the question and all at once, and the tag jump.

#include "mainwindow/commands/SearchCommands.h"

#include "documents/GlobalState.h"
#include "editor/EditorFixture.h"
#include "editor/QxEditor.h"
#include "platform/Cp932.h"
#include "platform/Exception.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

class FakeSearchHost : public TSearchHost {
public:
    HostedEditor Editor{Construct<TQxEditor>()};
    ScriptedMessagePrompter Prompts;
    int Beeps = 0;
    int MacroStops = 0;
    // What the dialogs do when shown (set the controls); the button they close with.
    std::function<void(TFindDialogModel&)> DialogInput;
    int DialogButton = mr::Ok;
    // The tag jump's open road.
    std::vector<std::string> Opened;
    std::unique_ptr<HostedEditor> OpenedEditor;

    TEditor* FocusedEditor() override { return Editor.Editor.get(); }
    TEditor* CurrentEditor() override { return Editor.Editor.get(); }
    TPrompter& Prompter() override { return Prompts; }
    void Beep() override { ++Beeps; }
    void StopKeyMacro() override { ++MacroStops; }
    int RunFindDialog(TFindDialogModel& D) override { return Run(D); }
    int RunReplaceDialog(TFindDialogModel& D) override { return Run(D); }
    void RunGrepDialog() override { ++GrepDialogs; }
    int GrepDialogs = 0;
    void CaretScreenPos(TEditor& E, int& X, int& Y) override
    {
        X = 100 + E.CaretRect().Left;
        Y = 50 + E.CaretRect().Top;
    }
    int ScreenWidth() override { return 800; }
    void MessageBoxSize(const TPromptRequest&, int& W, int& H) override
    {
        W = 300;
        H = 120;
    }
    TEditor* OpenFileForTagJump(const std::string& FileName) override
    {
        Opened.push_back(FileName);
        return OpenedEditor ? OpenedEditor->Editor.get() : nullptr;
    }

private:
    int Run(TFindDialogModel& D)
    {
        D.FormShow(Editor.Editor.get());
        D.Controls.ReplaceConfirm = false;
        if (DialogInput) DialogInput(D);
        if (DialogButton == mr::Ok) D.OKButtonClick();
        if (DialogButton == mr::All) D.AllReplaceButtonClick();
        return DialogButton;
    }
};

struct SearchCommandsTest : ::testing::Test {
    TempDir dir;
    TGlobalState state;
    FakeSearchHost host;
    TSearchCommands commands{state, host};
    TEditor& editor = *host.Editor;

    SearchCommandsTest()
    {
        state.ProgramFolder = dir.Path() + "/";
        CreateGlobalLists(state);
    }
    std::string Text() { return editor.Lines().Text(); }
    void Dialog(std::string Find, std::string Replace, int Button, bool Confirm = false, int Direction = sdForward)
    {
        host.DialogButton = Button;
        host.DialogInput = [=](TFindDialogModel& d) {
            d.Controls.FindText = Find;
            d.Controls.ReplaceText = Replace;
            d.Controls.ReplaceConfirm = Confirm;
            d.Controls.Direction = Direction;
        };
    }
};

std::string NumberedLines(int Count, const std::string& Word, int Every)
{
    std::string text;
    for (int i = 0; i < Count; ++i) text += "line " + std::to_string(i) + (i % Every == 0 ? " " + Word : "") + "\r\n";
    return text;
}

TEST_F(SearchCommandsTest, AHitOutsideTheMiddleOfTheWindowIsShownAThirdOfTheWayDown)
{
    host.Editor.SetText(NumberedLines(200, "mark", 50));
    const int v = editor.VisibleRows();
    ASSERT_GT(v, 10);
    commands.SearchText = "mark";
    commands.SearchOptions = soForward;
    editor.SetRowCol(1, 0);
    ASSERT_TRUE(commands.SearchAgain());
    EXPECT_EQ(editor.Row(), 50);
    EXPECT_EQ(editor.TopRow(), 50 - v / 3);

    // A hit already in the middle band stays where it is.
    editor.SetTopRow(80);
    editor.SetRowCol(80, 0);
    ASSERT_TRUE(commands.SearchAgain());
    EXPECT_EQ(editor.Row(), 100);
    if (100 - 80 <= v * 4 / 5 && 100 - 80 >= v / 5)
        EXPECT_EQ(editor.TopRow(), 80);
    else
        EXPECT_EQ(editor.TopRow(), 100 - v / 3);
}

TEST_F(SearchCommandsTest, AMissBeepsSaysSoAndStopsTheMacro)
{
    host.Editor.SetText("abc\r\n");
    commands.SearchText = "zzz";
    EXPECT_FALSE(commands.SearchAgain());
    EXPECT_EQ(host.Beeps, 1);
    EXPECT_EQ(host.MacroStops, 1);
    ASSERT_EQ(host.Prompts.Requests.size(), 1u);
    EXPECT_EQ(host.Prompts.Requests[0].Caption, "確認");
    EXPECT_EQ(host.Prompts.Requests[0].Kind, TMsgDlgType::mtInformation);
    EXPECT_NE(host.Prompts.Requests[0].Text.find("zzz"), std::string::npos);
}

TEST_F(SearchCommandsTest, FindNextAndPreviousSearchOnlyAfterAFind)
{
    host.Editor.SetText("ab ab ab\r\n");
    commands.FindNextMenuClick();
    commands.FindPrevMenuClick();
    EXPECT_TRUE(host.Prompts.Requests.empty()) << "nothing searched yet";

    Dialog("ab", "", mr::Ok);
    commands.FindMenuClick();
    EXPECT_EQ(editor.SelStart(), 0);
    commands.FindNextMenuClick();
    EXPECT_EQ(editor.SelStart(), 3);
    commands.FindNextMenuClick();
    EXPECT_EQ(editor.SelStart(), 6);
    commands.FindPrevMenuClick();
    EXPECT_EQ(editor.SelStart(), 3) << "backwards from the hit";
    EXPECT_FALSE(commands.SearchOptions & soForward);

    Dialog("other", "", mr::Cancel);
    commands.FindMenuClick();
    EXPECT_EQ(commands.SearchText, "ab") << "a cancelled find keeps the old text";
}

TEST_F(SearchCommandsTest, ReplaceCountsWithAndWithoutTheQuestion)
{
    struct Case {
        const char* name;
        int button;
        bool confirm;
        std::vector<int> answers;
        std::string result;
        int count;
    } cases[] = {
        {"step", mr::Ok, false, {}, "X a a a\r\n", 1},
        {"all", mr::All, false, {}, "X X X X\r\n", 4},
        {"all, yes no yes no", mr::All, true, {mr::Yes, mr::No, mr::Yes, mr::No}, "X a X a\r\n", 2},
        {"all, no then all", mr::All, true, {mr::No, mr::All}, "a X X X\r\n", 3},
        {"all, yes then cancel", mr::All, true, {mr::Yes, mr::Cancel}, "X a a a\r\n", 1},
        {"step, confirmed no", mr::Ok, true, {mr::No}, "a a a a\r\n", 0},
    };
    for (const Case& c : cases) {
        host.Editor.SetText("a a a a\r\n");
        editor.SetRowCol(0, 0);
        host.Prompts.Requests.clear();
        host.Prompts.Answers.assign(c.answers.begin(), c.answers.end());
        Dialog("a", "X", c.button, c.confirm);
        EXPECT_EQ(commands.Replace1Click(), c.count) << c.name;
        EXPECT_EQ(Text(), c.result) << c.name;
        EXPECT_TRUE(host.Prompts.Answers.empty()) << c.name << ": every scripted answer was asked for";
    }
}

TEST_F(SearchCommandsTest, TheQuestionStandsNearTheCaret)
{
    host.Editor.SetText("a\r\n");
    host.Prompts.Answers = {mr::Cancel};
    Dialog("a", "b", mr::Ok, true);
    commands.Replace1Click();
    ASSERT_FALSE(host.Prompts.Requests.empty());
    const TPromptRequest& q = host.Prompts.Requests[0];
    EXPECT_EQ(q.Caption, "確認");
    EXPECT_EQ(q.Kind, TMsgDlgType::mtConfirmation);
    EXPECT_EQ(q.Buttons, (TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel, TMsgDlgBtn::mbAll}));
    EXPECT_TRUE(q.AtPosition);
    EXPECT_EQ(q.X, 100 + editor.CaretRect().Left + 2);
    EXPECT_EQ(q.Y, 50 + editor.CaretRect().Top + editor.RowHeight()) << "no room above: one row below";
    EXPECT_EQ(Text(), "a\r\n");

    struct Case {
        int caretX, caretY, x, y;
    } cases[] = {
        {10, 400, 12, 400 - 16 - 120},
        {10, 100, 12, 116},
        {600, 400, 800 - 300 - 4, 264},
    };
    for (const Case& c : cases) {
        int x = 0, y = 0;
        ReplaceConfirmPosition(c.caretX, c.caretY, 16, 300, 120, 800, x, y);
        EXPECT_EQ(x, c.x);
        EXPECT_EQ(y, c.y);
    }
}

TEST_F(SearchCommandsTest, BackwardReplaceWorksTowardsTheStart)
{
    for (bool confirm : {false, true}) {
        host.Editor.SetText("ab ab ab\r\n");
        editor.SetRowCol(0, 8);
        if (confirm) host.Prompts.Answers = {mr::Yes, mr::Yes, mr::Yes};
        Dialog("ab", "abab", mr::All, confirm, sdBackward);
        EXPECT_EQ(commands.Replace1Click(), 3);
        EXPECT_EQ(Text(), "abab abab abab\r\n");
        EXPECT_EQ(editor.SelStart(), 0) << "the caret before the last text put in";
    }
}

TEST_F(SearchCommandsTest, ReplaceAllIsOneUndoStepThatEndsWithTheMiss)
{
    host.Editor.SetText(NumberedLines(300, "word", 3));
    const std::string before = Text();
    editor.SetModified(false);
    Dialog("word", "語", mr::All);
    const int count = commands.Replace1Click();
    EXPECT_EQ(count, 100);
    EXPECT_EQ(Text().find("word"), std::string::npos);
    EXPECT_EQ(host.Prompts.Requests.size(), 1u) << "the miss that ends the loop";
    EXPECT_EQ(host.Beeps, 1);
    editor.Undo();
    EXPECT_EQ(Text(), before) << "one undo step puts everything back";
}

TEST_F(SearchCommandsTest, ReplaceAllUndoAndRedoGiveTheExactBytes)
{
    // Only the lines with a hit are laid out anew; the rows must read as the whole text laid out anew
    // would, and undo and redo must give back every byte.
    struct Case {
        const char* name;
        std::string text;
        int wrap;  // the wrap column, 0: no word wrap
        std::string find, replace;
        bool escape, acrossLines;
        std::string result;
        int count;
    };
    const std::string file = Utf8ToCp932("ファイル"), files = Utf8ToCp932("ファイルズ");
    const Case cases[] = {
        {"hits on several lines", "ab x ab\r\nno\r\nab\r\n\r\nlast ab", 0, "ab", "XYZ", false, false,
         "XYZ x XYZ\r\nno\r\nXYZ\r\n\r\nlast XYZ", 4},
        {"double-byte hits on adjacent lines", file + "\r\n" + file + file + "\r\n-" + file + "\r\n", 0, file, files,
         false, false, files + "\r\n" + files + files + "\r\n-" + files + "\r\n", 4},
        {"a hit across a wrapped row", "0123456789abcdefghijklmnopqrstuvwxyz\r\nend 9a\r\n", 10, "9a", "<nine-a>", false,
         false, "012345678<nine-a>bcdefghijklmnopqrstuvwxyz\r\nend <nine-a>\r\n", 2},
        {"wrapped lines that get shorter", "aaaaaaaaaaaaaaaaaaaaaaaaa\r\nbb\r\naaaaaaaaaaaa", 10, "aaaa", "c", false, false,
         "cccccca\r\nbb\r\nccc", 9},
        {"no hit", "abc\r\ndef\r\n", 0, "xyz", "1", false, false, "abc\r\ndef\r\n", 0},
        {"a replacement that adds lines", "a;b\r\nc;d;e\r\nf", 0, ";", "\\n", true, false,
         "a\r\nb\r\nc\r\nd\r\ne\r\nf", 3},
        {"a replacement that ends the text's last line", "x;", 0, ";", "\\n", true, false, "x\r\n", 1},
        {"a hit across a line end joins the lines", "ab\r\ncd\r\nef\r\nb\r\nc", 0, "bc", "_", false, true,
         "a_d\r\nef\r\n_", 2},
    };
    // The lines as Text() reads them: each one ended (the rows tell whether the last one is).
    const auto lines = [](const std::string& S) { return S.ends_with("\r\n") ? S : S + "\r\n"; };
    for (const Case& c : cases) {
        editor.SetWordWrap(c.wrap > 0);
        if (c.wrap > 0) editor.WrapOption().SetWrapByte(c.wrap);
        host.Editor.SetText(c.text);
        editor.SetRowCol(0, 0);
        Dialog(c.find, c.replace, mr::All);
        host.DialogInput = [&c, in = host.DialogInput](TFindDialogModel& d) {
            in(d);
            d.Controls.Escape = c.escape;
            d.Controls.IncludeCRLF = c.acrossLines;
            d.Controls.MatchCase = true;
        };
        EXPECT_EQ(commands.Replace1Click(), c.count) << c.name;
        EXPECT_EQ(Text(), lines(c.result)) << c.name;
        // The rows as the replaced text laid out from scratch.
        HostedEditor fresh{Construct<TQxEditor>()};
        fresh->SetWordWrap(c.wrap > 0);
        if (c.wrap > 0) fresh->WrapOption().SetWrapByte(c.wrap);
        fresh.SetText(c.result);
        ASSERT_EQ(editor.RowCount(), fresh->RowCount()) << c.name;
        for (int row = 0; row < editor.RowCount(); ++row) {
            EXPECT_EQ(editor.SharedList()->Get(row), fresh->SharedList()->Get(row)) << c.name << " row " << row;
            EXPECT_EQ(editor.SharedList()->RowAttributes(row), fresh->SharedList()->RowAttributes(row))
                << c.name << " row " << row;
        }
        if (c.count == 0) {
            EXPECT_FALSE(editor.CanUndo()) << c.name;
            continue;
        }
        for (int round = 0; round < 2; ++round) {
            editor.Undo();
            EXPECT_EQ(Text(), lines(c.text)) << c.name << ", undone";
            editor.Redo();
            EXPECT_EQ(Text(), lines(c.result)) << c.name << ", redone";
        }
        editor.Undo();
        EXPECT_EQ(Text(), lines(c.text)) << c.name << ", undone at last";
        EXPECT_FALSE(editor.CanUndo()) << c.name << ": one undo step";
    }
}

TEST_F(SearchCommandsTest, ReplaceAllOverATextOfManyChunksFindsEveryHitEitherWay)
{
    // The search goes through chunks of about 64 KB of whole lines: hits near every cut, and (across
    // line ends) hits that run from one chunk into the next.
    std::string text, plain, lines, joined = "b0";
    for (int i = 0; i < 30000; ++i) {
        text += "b" + std::to_string(i) + "a ab\r\n";
        plain += "b" + std::to_string(i) + "a X\r\n";
        lines += "b" + std::to_string(i) + "a\r\n";
        if (i > 0) joined += "X" + std::to_string(i);
    }
    joined += "a\r\n";
    struct Case {
        const char* name;
        const std::string& text;
        int direction;
        bool acrossLines;
        const std::string& result;
        int count;
    } cases[] = {
        {"forward", text, sdForward, false, plain, 30000},
        {"backward from the end", text, sdBackward, false, plain, 30000},
        {"forward, across line ends", lines, sdForward, true, joined, 29999},
        {"backward, across line ends", lines, sdBackward, true, joined, 29999},
    };
    for (const Case& c : cases) {
        host.Editor.SetText(c.text);
        if (c.direction == sdBackward) editor.SetSelStart(editor.TextLength());
        else editor.SetRowCol(0, 0);
        Dialog("ab", "X", mr::All, false, c.direction);
        host.DialogInput = [&c, in = host.DialogInput](TFindDialogModel& d) {
            in(d);
            d.Controls.IncludeCRLF = c.acrossLines;
            d.Controls.MatchCase = true;
        };
        EXPECT_EQ(commands.Replace1Click(), c.count) << c.name;
        EXPECT_TRUE(Text() == c.result) << c.name;
        editor.Undo();
        EXPECT_TRUE(Text() == c.text) << c.name;
    }
}

TEST_F(SearchCommandsTest, ReplaceAllKeepsRowMarksOnTheirLinesThroughUndoAndRedo)
{
    host.Editor.SetText("a x\r\nb\r\nx c\r\n");
    TEditorScreenStrings& rows = *editor.SharedList();
    rows.SetRowMarks(0, 1 << 1);
    rows.SetRowMarks(1, 1 << 2);
    rows.SetRowMarks(2, 1 << 3);
    const auto marks = [&] { return std::vector<int>{rows.RowMarks(0), rows.RowMarks(1), rows.RowMarks(2)}; };
    Dialog("x", "yy", mr::All);
    ASSERT_EQ(commands.Replace1Click(), 2);
    EXPECT_EQ(marks(), (std::vector<int>{1 << 1, 1 << 2, 1 << 3}));
    // A mark set on a replaced line since stays on it; the others come back to their rows.
    rows.SetRowMarks(2, rows.RowMarks(2) | 1 << 5);
    editor.Undo();
    EXPECT_EQ(Text(), "a x\r\nb\r\nx c\r\n");
    EXPECT_EQ(marks(), (std::vector<int>{1 << 1, 1 << 2, 1 << 3 | 1 << 5}));
    editor.Redo();
    EXPECT_EQ(marks(), (std::vector<int>{1 << 1, 1 << 2, 1 << 3 | 1 << 5}));
}

TEST_F(SearchCommandsTest, ReplaceWithAnEmptyTextOrItselfEnds)
{
    struct Case {
        std::string find, replace, result;
        int count;
    } cases[] = {
        {"a", "", "bb\r\n", 2},
        {"a", "a", "abab\r\n", 2},
        {"a", "aa", "aabaab\r\n", 2},
    };
    for (const Case& c : cases) {
        for (bool confirm : {false, true}) {
            host.Editor.SetText("abab\r\n");
            editor.SetRowCol(0, 0);
            if (confirm) host.Prompts.Answers = {mr::Yes, mr::Yes};
            Dialog(c.find, c.replace, mr::All, confirm);
            EXPECT_EQ(commands.Replace1Click(), c.count) << c.replace << confirm;
            EXPECT_EQ(Text(), c.result) << c.replace << confirm;
        }
    }
    // The dialog refuses to run without a find text.
    host.Editor.SetText("abab\r\n");
    Dialog("", "x", mr::All);
    EXPECT_EQ(commands.Replace1Click(), 0);
    EXPECT_EQ(Text(), "abab\r\n");
}

TEST_F(SearchCommandsTest, TheCaretHitStyleComesBackHoweverReplaceEnds)
{
    editor.SetHitStyle(hsCaret);
    host.Editor.SetText("a a\r\n");
    host.Prompts.Answers = {mr::Cancel};
    Dialog("a", "b", mr::All, true);
    commands.Replace1Click();
    EXPECT_EQ(editor.HitStyle(), hsCaret) << "after a cancel";

    editor.SetRowCol(0, 0);
    Dialog("a", "b", mr::Ok);
    commands.Replace1Click();
    EXPECT_EQ(Text(), "b a\r\n");
    EXPECT_EQ(editor.HitStyle(), hsCaret);

    // A hit past column 2000 without word wrap cannot be shown: the search raises.
    editor.SetWordWrap(false);
    host.Editor.SetText(std::string(2100, 'x') + "a\r\n");
    editor.SetRowCol(0, 0);
    Dialog("a", "b", mr::Ok);
    EXPECT_THROW(commands.Replace1Click(), Exception);
    EXPECT_EQ(editor.HitStyle(), hsCaret) << "after the error";
}

TEST_F(SearchCommandsTest, TagJumpOpensTheFileAtTheLine)
{
    host.OpenedEditor = std::make_unique<HostedEditor>(Construct<TQxEditor>());
    host.OpenedEditor->SetText(NumberedLines(100, "", 1));
    TEditor& target = **host.OpenedEditor;
    struct Case {
        std::string line;
        std::string file;
        int row;
    } cases[] = {
        {"/t/a(b).txt(12) : foo", "/t/a(b).txt", 11},
        {"/t/a.txt(0) :x", "/t/a.txt", 0},
        {"/t/a.txt(5000) :x", "/t/a.txt", 99},
        {Utf8ToCp932("/t/日本.txt(40) :漢字"), "/t/日本.txt", 39},
        {"/t/a.txt(50) :x", "/t/a.txt", 49},
    };
    for (const Case& c : cases) {
        host.Editor.SetText("first\r\n" + c.line + "\r\n");
        editor.SetRowCol(1, 3);
        host.Opened.clear();
        commands.ActionTagJumpExecute();
        ASSERT_EQ(host.Opened, std::vector<std::string>{c.file}) << c.line;
        EXPECT_EQ(target.Row(), c.row) << c.line;
        EXPECT_EQ(target.Col(), 0);
        const int half = target.VisibleRows() / 2;
        if (c.row >= half && c.row + half < 100)
            EXPECT_EQ(target.TopRow(), c.row - half) << c.line << ": the line is centred";
    }
    EXPECT_TRUE(host.Prompts.Requests.empty());
}

TEST_F(SearchCommandsTest, TagJumpOnAnotherLineSaysTheFileIsNotFound)
{
    for (const std::string line : {"/t/a.txt(x) : foo", "no result line", ""}) {
        host.Editor.SetText(line);
        host.Prompts.Requests.clear();
        commands.ActionTagJumpExecute();
        ASSERT_EQ(host.Prompts.Requests.size(), 1u) << line;
        EXPECT_EQ(host.Prompts.Requests[0].Text, "ファイルが見つかりません。");
        EXPECT_EQ(host.Prompts.Requests[0].Caption, "情報");
        EXPECT_TRUE(host.Opened.empty());
    }
    EXPECT_EQ(host.Beeps, 3);
}

TEST_F(SearchCommandsTest, TheCommandSetRunsTheSearchCommands)
{
    TCommandSet set;
    BindSearchCommands(set, commands, host);
    host.Editor.SetText("one two one\r\n");
    Dialog("one", "1", mr::All);
    EXPECT_TRUE(set.Execute("ActionReplace"));
    EXPECT_EQ(Text(), "1 two 1\r\n");
    EXPECT_TRUE(set.Execute("ActionGrep"));
    EXPECT_EQ(host.GrepDialogs, 1);
    editor.SetRowCol(0, 0);
    commands.SearchText = "two";
    EXPECT_TRUE(set.Execute("ActionFindNext"));
    EXPECT_EQ(editor.SelStart(), 2);
}

} // namespace
} // namespace qx::test
