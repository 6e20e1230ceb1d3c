// The find and replace dialogs' logic: histories, escapes, option bits, what the show handler fills
// in, and how an accepted dialog prepares the editor.

#include "dialogs/FindDialog.h"

#include "documents/GlobalState.h"
#include "documents/MainSettings.h"
#include "editor/EditorFixture.h"
#include "editor/QxEditor.h"
#include "platform/Cp932.h"
#include "platform/Prompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

std::vector<std::string> Items(const TStringList& List) { return List.Items(); }

TEST(TextHistory, KeepsTenNewestFirstWithoutDuplicates)
{
    TStringList history;
    for (int i = 1; i <= 11; ++i) AddToHistory(history, "t" + std::to_string(i));
    ASSERT_EQ(history.Count(), 10);
    EXPECT_EQ(history[0], "t11");
    EXPECT_EQ(history[9], "t2") << "the eleventh text pushes out the oldest";

    AddToHistory(history, "t5");
    EXPECT_EQ(history.Count(), 10);
    EXPECT_EQ(history[0], "t5");
    EXPECT_EQ(history.IndexOf("t5"), 0);
    EXPECT_EQ(history[1], "t11");

    AddToHistory(history, "T5");
    EXPECT_EQ(history[0], "T5") << "only an exact duplicate goes";
    EXPECT_EQ(history[1], "t5");

    const auto before = Items(history);
    AddToHistory(history, "");
    EXPECT_EQ(Items(history), before) << "an empty text leaves the history alone";
}

TEST(ExpandEscapes, ExpandsTheThreeEscapesAndCopiesTheRest)
{
    const std::string so = Utf8ToCp932("ソ");  // 0x83 0x5C: its trail byte is a backslash
    struct Case {
        std::string typed, expanded;
    } cases[] = {
        {"a\\tb", "a\tb"},
        {"a\\nb", "a\r\nb"},
        {"a\\\\n", "a\\n"},
        {"\\\\\\t", "\\\t"},
        {"a\\xb", "a\\xb"},  // an unknown escape stays as it is
        {"end\\", "end\\"},  // a backslash at the end stays
        {so + "n", so + "n"},  // a trail byte is never an escape
        {so + "\\n", so + "\r\n"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ExpandEscapes(c.typed), c.expanded) << c.typed;
}

struct FindDialogTest : ::testing::Test {
    TempDir dir;
    TGlobalState state;
    HostedEditor editor{Construct<TQxEditor>()};

    FindDialogTest()
    {
        state.ProgramFolder = dir.Path() + "/";
        CreateGlobalLists(state);
        editor.SetText("alpha beta\r\ngamma beta\r\n");
    }
    // A modal run that sets the controls and closes with Result.
    TRunModal Close(int Result, std::function<void(TFindDialogModel&)> Edit = {})
    {
        return [Result, Edit](TFindDialogModel& d) {
            d.FormShow(nullptr);
            if (Edit) Edit(d);
            if (Result == mr::Ok) d.OKButtonClick();
            if (Result == mr::All) d.AllReplaceButtonClick();
            return Result;
        };
    }
};

TEST_F(FindDialogTest, OptionBitsFollowTheControls)
{
    struct Case {
        std::function<void(TSearchControls&)> set;
        bool replace;
        int button;
        TEditorSearchOptions bits;
    } cases[] = {
        {[](TSearchControls&) {}, false, mr::Ok, soForward},
        {[](TSearchControls& c) { c.Direction = sdBackward; }, false, mr::Ok, 0},
        {[](TSearchControls& c) { c.Direction = sdWholeText; }, false, mr::Ok, soForward},
        {[](TSearchControls& c) { c.MatchCase = true; }, false, mr::Ok, soForward | soMatchCase},
        {[](TSearchControls& c) { c.WholeWord = true; }, false, mr::Ok, soForward | soWholeWord},
        {[](TSearchControls& c) { c.NoMatchZenkaku = true; }, false, mr::Ok, soForward | soIgnoreWidth},
        {[](TSearchControls& c) { c.IncludeCRLF = true; }, false, mr::Ok, soForward | soSkipLineEnds | soSkipBlanks},
        {[](TSearchControls& c) { c.ReplaceConfirm = true; }, false, mr::Ok, soForward},  // not the find dialog's
        {[](TSearchControls& c) { c.ReplaceConfirm = false; }, true, mr::Ok, soForward | soReplaceStep},
        {[](TSearchControls& c) { c.ReplaceConfirm = false; }, true, mr::All, soForward | soReplaceAll},
        {[](TSearchControls& c) { c.ReplaceConfirm = true; c.Direction = sdBackward; }, true, mr::All,
         soReplaceAll | soReplaceConfirm},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        TFindDialogModel dialog(state, cases[i].replace);
        dialog.FormShow(nullptr);
        dialog.Controls = {};  // not what the earlier cases saved
        cases[i].set(dialog.Controls);
        if (cases[i].button == mr::Ok) dialog.OKButtonClick();
        else dialog.AllReplaceButtonClick();
        EXPECT_EQ(dialog.Options(), cases[i].bits) << "case " << i;
    }
}

TEST_F(FindDialogTest, ShowTakesTheSelectionElseTheNewestEntryAndTheStoredOptions)
{
    TFindDialogModel dialog(state, true);
    dialog.FormShow(&*editor);
    EXPECT_EQ(dialog.Controls.FindText, "") << "no selection, no history";

    dialog.Controls.FindText = "beta";
    dialog.Controls.ReplaceText = "BETA";
    dialog.Controls.MatchCase = true;
    dialog.Controls.Direction = sdWholeText;
    dialog.OKButtonClick();

    // A fresh state reads the settings and histories back from the program folder.
    TGlobalState again;
    again.ProgramFolder = state.ProgramFolder;
    CreateGlobalLists(again);
    TFindDialogModel next(again, true);
    next.FormShow(&*editor);
    EXPECT_EQ(next.Controls.FindText, "beta");
    EXPECT_EQ(next.Controls.ReplaceText, "") << "the replacement starts empty";
    EXPECT_TRUE(next.Controls.MatchCase);
    EXPECT_EQ(next.Controls.Direction, sdWholeText);
    EXPECT_EQ(Items(next.ReplaceHistory()), std::vector<std::string>{"BETA"});

    editor->SetSelStart(6);
    editor->SetSelLength(4);
    next.FormShow(&*editor);
    EXPECT_EQ(next.Controls.FindText, "beta") << "the selection wins over the history";
    editor->SetSelStart(0);
    editor->SetSelLength(5);
    next.FormShow(&*editor);
    EXPECT_EQ(next.Controls.FindText, "alpha");
}

TEST_F(FindDialogTest, EmptyFindTextKeepsTheHistoryButSavesTheOptions)
{
    TFindDialogModel dialog(state, false);
    dialog.FormShow(nullptr);
    dialog.Controls.Escape = true;
    dialog.OKButtonClick();
    EXPECT_TRUE(state.FindHistory.Empty());
    LoadFindSettings(state);
    EXPECT_TRUE(state.Settings.Find.Escape);
}

TEST_F(FindDialogTest, ExecuteFindReturnsTheExpandedTextAndOptions)
{
    TFindDialogModel dialog(state, false);
    std::string text = "old";
    TEditorSearchOptions options = 0;
    ASSERT_TRUE(ExecuteFind(dialog, Close(mr::Ok, [](TFindDialogModel& d) {
                                d.Controls.FindText = "a\\tb";
                                d.Controls.Escape = true;
                            }),
                            &*editor, text, options));
    EXPECT_EQ(text, "a\tb");
    EXPECT_EQ(options, soForward);
    EXPECT_EQ(state.FindHistory[0], "a\\tb") << "the history keeps what was typed";

    EXPECT_FALSE(ExecuteFind(dialog, Close(mr::Ok, [](TFindDialogModel& d) { d.Controls.FindText.clear(); }),
                             &*editor, text, options))
        << "OK with nothing to find";
}

TEST_F(FindDialogTest, AcceptedDialogLetsTheSelectedTextBeFoundFirst)
{
    struct Case {
        int direction;
        std::int64_t caret;
    } cases[] = {
        {sdForward, 6},     // the selection's start
        {sdBackward, 10},   // its end
        {sdWholeText, 0},   // the text's start
    };
    for (const Case& c : cases) {
        editor->SetSelStart(6);
        editor->SetSelLength(4);
        TFindDialogModel dialog(state, false);
        std::string text;
        TEditorSearchOptions options = 0;
        ASSERT_TRUE(ExecuteFind(dialog, Close(mr::Ok, [&](TFindDialogModel& d) {
                                    d.Controls.FindText = "beta";
                                    d.Controls.Direction = c.direction;
                                }),
                                &*editor, text, options));
        EXPECT_EQ(editor->SelLength(), 0) << c.direction;
        EXPECT_EQ(editor->SelStart(), c.caret) << c.direction;
        ASSERT_TRUE(editor->Search(text, options));
        EXPECT_EQ(editor->SelStart(), 6) << "the selected word is found first, direction " << c.direction;
    }
}

TEST_F(FindDialogTest, CancelChangesNothing)
{
    editor->SetSelStart(6);
    editor->SetSelLength(4);
    std::string find = "x", replace = "y";
    TEditorSearchOptions options = soMatchCase;
    TFindDialogModel find1(state, false), replace1(state, true);
    EXPECT_FALSE(ExecuteFind(find1, Close(mr::Cancel), &*editor, find, options));
    EXPECT_FALSE(ExecuteReplace(replace1, Close(mr::Cancel), &*editor, find, replace, options));
    EXPECT_EQ(editor->SelStart(), 6);
    EXPECT_EQ(editor->SelLength(), 4);
    EXPECT_EQ(find, "x");
    EXPECT_EQ(replace, "y");
    EXPECT_EQ(options, soMatchCase);
    EXPECT_TRUE(state.FindHistory.Empty());
}

TEST_F(FindDialogTest, ExecuteReplaceTakesOkAndAllAndExpandsBothTexts)
{
    for (int button : {mr::Ok, mr::All}) {
        TFindDialogModel dialog(state, true);
        std::string find, replace;
        TEditorSearchOptions options = 0;
        ASSERT_TRUE(ExecuteReplace(dialog, Close(button, [](TFindDialogModel& d) {
                                       d.Controls.FindText = "a\\nb";
                                       d.Controls.ReplaceText = "c\\\\d";
                                       d.Controls.Escape = true;
                                       d.Controls.ReplaceConfirm = false;
                                   }),
                                   &*editor, find, replace, options));
        EXPECT_EQ(find, "a\r\nb");
        EXPECT_EQ(replace, "c\\d");
        EXPECT_EQ(options, soForward | (button == mr::Ok ? soReplaceStep : soReplaceAll));
    }
    EXPECT_EQ(Items(state.ReplaceHistory), std::vector<std::string>{"c\\\\d"});
}

} // namespace
} // namespace qx::test
