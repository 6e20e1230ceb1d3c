// The editor options dialog's working copy and its page rules: Apply saves the chosen environment and
// re-applies the tab's own, highlight files, the extension answers, the colour table's linked changes,
// the kinsoku levels, the word lists and the font list.

#include "dialogs/EditOptionModel.h"
#include "dialogs/EditOptionRules.h"
#include "platform/Cp932.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

struct FakeOptionHost : TEditOptionHost {
    int Current = 0;
    std::vector<std::string> Log;
    int CurrentEnvironment() const override { return Current; }
    void ApplyToCurrentTab(int N) override { Log.push_back("apply " + std::to_string(N)); }
    void Refresh() override { Log.push_back("refresh"); }
};

struct EditOptionModelTest : ::testing::Test {
    TempDir dir;
    TGlobalState state;
    ScriptedMessagePrompter prompter;
    TEditOptionModel model{state, prompter};
    EditOptionModelTest() { state.ProgramFolder = dir.Path() + "/"; }

    void Environment(int N, const std::string& Name, const std::string& Ext = "")
    {
        TEditorEnvironment e;
        if (!Ext.empty()) e.FileExt = {Ext};
        ASSERT_TRUE(SaveEnvironment(state, e, Name, N, ""));
    }
};

TEST_F(EditOptionModelTest, ApplySavesTheChosenEnvironmentAndReappliesTheTabsOwn)
{
    for (int n = 1; n <= 3; ++n) Environment(n, "env" + std::to_string(n));
    FakeOptionHost host;
    host.Current = 0;
    model.Show(3);
    EXPECT_EQ(model.Names().size(), 4u);
    EXPECT_EQ(model.Index(), 3);
    EXPECT_EQ(model.Page(), 0);
    model.Record.WrapByte = 99;
    model.Record.FileExt = {"*.abc"};
    ASSERT_TRUE(model.Apply(host));

    // Environment 3 holds the change under its own name; the tab keeps environment 0, re-applied.
    const auto saved = LoadEnvironmentFile(EnvironmentFileName(state, 3));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->WrapByte, 99);
    EXPECT_EQ(saved->EnvironmentName, "env3");
    EXPECT_EQ(LoadEnvironmentFile(EnvironmentFileName(state, 0))->WrapByte, 70);
    EXPECT_EQ(host.Log, (std::vector<std::string>{"apply 0", "refresh"}));
    EXPECT_EQ(EnvironmentIndexOfExt(state, "*.abc"), 3) << "the extensions are bound again";

    // A number beyond the list shows the standard environment; choosing another drops the edits.
    model.Show(7);
    EXPECT_EQ(model.Index(), 0);
    model.Record.WrapByte = 5;
    model.SelectEnvironment(3);
    EXPECT_EQ(model.Record.WrapByte, 99);
    EXPECT_FALSE(model.SelectPage(0)) << "the page shown is not built again";
    EXPECT_TRUE(model.SelectPage(4));
}

TEST_F(EditOptionModelTest, ApplyThatCannotWriteReportsAndAppliesNothing)
{
    Environment(1, "env1");
    FakeOptionHost host;
    model.Show(1);
    // A folder where the file should be: the save fails.
    std::filesystem::remove(EnvironmentFileName(state, 1));
    std::filesystem::create_directory(EnvironmentFileName(state, 1));
    prompter.Requests.clear();
    EXPECT_FALSE(model.Apply(host));
    EXPECT_TRUE(host.Log.empty());
    ASSERT_EQ(prompter.Requests.size(), 1u);
    EXPECT_EQ(prompter.Requests[0].Kind, TMsgDlgType::mtError);
}

TEST(HilightFile, WritesItsHeaderAndWordLinesAndReadsThemBack)
{
    std::vector<std::string> words[3] = {{"int", "char"}, {"NULL"}, {Utf8ToCp932("日本")}};
    const std::string bytes = HilightFileBytes(words);
    EXPECT_EQ(bytes, Utf8ToCp932("// QxEditor for Windows 強調表示定義ファイル\r\n"
                                 "// Format Version 3.7.9-Jr5\r\n"
                                 "// -----------------------------------------\r\n"
                                 "\r\n"
                                 "[1]int\r\n[1]char\r\n[2]NULL\r\n[3]日本\r\n"));

    TempDir dir;
    const std::string file = dir.File("a.qxh");
    // Lines of each kind: a word for each list, one with a fourth list, a comment, a short line, and a word
    // longer than 100 bytes whose cut falls inside a double-byte character.
    const std::string longWord = std::string(99, 'x') + Utf8ToCp932("漢");
    WriteBytes(file, "// comment\r\n[2]abc\r\n[4]no\r\n[1]\r\nx\r\n[3]" + longWord + "\r\n[1]first\r\n");
    std::vector<std::string> read[3] = {{"old"}, {}, {}};
    ASSERT_TRUE(LoadHilightFile(file, read));
    EXPECT_EQ(read[0], (std::vector<std::string>{"", "first"}));
    EXPECT_EQ(read[1], (std::vector<std::string>{"abc"}));
    EXPECT_EQ(read[2], (std::vector<std::string>{std::string(99, 'x')}));

    ASSERT_TRUE(SaveHilightFile(file, words));
    std::vector<std::string> again[3];
    ASSERT_TRUE(LoadHilightFile(file, again));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(again[i], words[i]);
    EXPECT_FALSE(LoadHilightFile(dir.File("none.qxh"), again));
    EXPECT_EQ(again[0], words[0]) << "a missing file leaves the lists";
}

TEST(EditOptionRules, ExtensionAnswers)
{
    const struct {
        const char* Answer;
        TExtensionAnswer Result;
        const char* Stored;
    } cases[] = {
        {"txt", TExtensionAnswer::Added, "*.txt"},      {"*.txt", TExtensionAnswer::Added, "*.txt"},
        {".txt", TExtensionAnswer::Added, "*.txt"},     {"  htm ", TExtensionAnswer::Added, "*.htm"},
        {"", TExtensionAnswer::Ignored, nullptr},       {"  ", TExtensionAnswer::Ignored, nullptr},
        {"*.", TExtensionAnswer::Ignored, nullptr},     {"a;b", TExtensionAnswer::Refused, nullptr},
        {"日本", TExtensionAnswer::Added, "*.日本"},
    };
    for (const auto& c : cases) {
        TEditorEnvironment r;
        ScriptedMessagePrompter prompter;
        EXPECT_EQ(AddExtension(r, c.Answer, prompter), c.Result) << c.Answer;
        if (c.Stored)
            EXPECT_EQ(r.FileExt, (std::vector<std::string>{Utf8ToCp932(c.Stored)})) << c.Answer;
        else
            EXPECT_TRUE(r.FileExt.empty()) << c.Answer;
        EXPECT_EQ(prompter.Requests.size(), c.Result == TExtensionAnswer::Refused ? 1u : 0u) << c.Answer;
    }
    TEditorEnvironment r;
    r.FileExt = {"*.a", "*.b"};
    DeleteExtension(r, 5);
    DeleteExtension(r, 0);
    EXPECT_EQ(r.FileExt, (std::vector<std::string>{"*.b"}));
}

TEST(EditOptionRules, UnifyingBackgroundsAsksAndKeepsTheSelections)
{
    for (const int answer : {mr::Yes, mr::No}) {
        TEditorEnvironment r;
        r.EditNorStrColor2 = clYellow;
        r.EditSelStrColor2 = clNavy;
        r.CommentColor2 = clRed;
        r.FileColor2 = clGreen;
        ScriptedMessagePrompter prompter;
        prompter.Answers = {answer};
        int beeps = 0;
        EXPECT_EQ(UnifyBackgrounds(r, prompter, [&] { ++beeps; }), answer == mr::Yes);
        EXPECT_EQ(beeps, 1);
        ASSERT_EQ(prompter.Requests.size(), 1u);
        EXPECT_EQ(prompter.Requests[0].Caption, "確認");
        EXPECT_EQ(prompter.Requests[0].Buttons, (TMsgDlgButtons{TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}));
        EXPECT_EQ(prompter.Requests[0].Text, "選択範囲以外のすべての背景色を「普通の文字」で指定されている背景色と同じにします。"
                                             "\n変更してもよろしいですか？");
        const TColor expected = answer == mr::Yes ? clYellow : clRed;
        EXPECT_EQ(r.CommentColor2, expected);
        EXPECT_EQ(r.FileColor2, answer == mr::Yes ? clYellow : clGreen);
        EXPECT_EQ(r.EditCurLineColor2, answer == mr::Yes ? clYellow : clWhite);
        EXPECT_EQ(r.EditSelStrColor2, clNavy) << "the selection keeps its background";
    }
}

TEST(EditOptionRules, StylesAndTheDefaults)
{
    TEditorEnvironment r;
    r.EditStrStyle = fsItalic;
    SetElementStyle(r, 6, fsBold, true);
    SetElementStyle(r, 6, fsUnderline, true);
    SetElementStyle(r, 6, fsUnderline, false);
    EXPECT_EQ(r.EditStrStyle, fsBold | fsItalic) << "italic is kept";
    SetElementStyle(r, 1, fsBold, true);  // the selection has no style: nothing happens
    EXPECT_EQ(ElementBackground(r, 12), r.EditNorStrColor2) << "marks show on the text's background";

    r.EditNorStrColor1 = clRed;
    r.UrlStyle = TFontStyles();
    r.ColumnLineColor = clRed;
    r.DSpaceMarkStyle = 0;
    r.WrapByte = 30;  // not the page's
    ResetColors(r);
    const TEditorEnvironment defaults;
    EXPECT_EQ(r.EditNorStrColor1, defaults.EditNorStrColor1);
    EXPECT_EQ(r.UrlStyle, TFontStyles(fsUnderline));
    EXPECT_EQ(r.ColumnLineColor, clSilver);
    EXPECT_EQ(r.DSpaceMarkStyle, 1);
    EXPECT_EQ(r.EditStrStyle, TFontStyles());
    EXPECT_EQ(r.WrapByte, 30);
}

TEST(EditOptionRules, KinsokuLevelsChooseTheRulesAndOnlyTheCustomOneIsEdited)
{
    TEditorEnvironment r;
    r.FollowString = "f";
    r.LeadString = "l";
    r.PunctuationString = "p";
    SetKinsokuLevel(r, 0);
    EXPECT_EQ(KinsokuTexts(r).Follow, "");
    EXPECT_EQ(KinsokuTexts(r).Lead, "");
    EXPECT_EQ(KinsokuTexts(r).Punctuation, "");
    EXPECT_FALSE(SetKinsokuText(r, 0, "x"));
    SetKinsokuLevel(r, 1);
    EXPECT_EQ(KinsokuTexts(r).Lead, Utf8ToCp932("（［｛「『([{｢"));
    SetKinsokuLevel(r, 2);
    EXPECT_EQ(KinsokuTexts(r).Lead, Utf8ToCp932("‘“（〔［｛〈《「『【￥＄$([\\{｢"));
    EXPECT_TRUE(KinsokuTexts(r).Follow.ends_with(Utf8ToCp932("ﾞﾟ")));
    EXPECT_FALSE(SetKinsokuText(r, 1, "x"));
    EXPECT_EQ(r.LeadString, "l") << "a preset is never stored";
    SetKinsokuLevel(r, 3);
    EXPECT_TRUE(SetKinsokuText(r, 1, "x"));
    EXPECT_EQ(KinsokuTexts(r).Lead, "x");
    EXPECT_EQ(KinsokuTexts(r).Follow, "f");
    EXPECT_EQ(r.WrapStrLevel, 3);
}

TEST(EditOptionRules, WordListsFollowTheirSelection)
{
    TEditorEnvironment r;
    EXPECT_EQ(AddHilightWord(r, 1, "b"), 0);
    EXPECT_EQ(AddHilightWord(r, 1, "a"), 0);
    EXPECT_EQ(r.HilightWords[1], (std::vector<std::string>{"a", "b"})) << "new words go to the top";
    EXPECT_EQ(MoveHilightWord(r, 1, 0, 1), 1);
    EXPECT_EQ(r.HilightWords[1], (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(MoveHilightWord(r, 1, 1, 1), 1) << "the last stays last";
    EXPECT_EQ(ChangeHilightWord(r, 1, 0, std::string(120, 'z')), 0);
    EXPECT_EQ(r.HilightWords[1][0].size(), 100u);
    EXPECT_EQ(DeleteHilightWord(r, 1, 1), 0);
    EXPECT_EQ(DeleteHilightWord(r, 1, 0), -1);
    EXPECT_EQ(DeleteHilightWord(r, 1, 0), -1) << "nothing to delete";
    EXPECT_EQ(AddHilightWord(r, 3, "x"), -1) << "no fourth list";
    r.HilightWords[0] = {"a"};
    ClearHilightWords(r);
    EXPECT_TRUE(r.HilightWords[0].empty());
}

TEST(EditOptionRules, TheFontListKeepsAStoredFaceThatIsNotInstalled)
{
    TEditorEnvironment r;  // "ＭＳ ゴシック", which this system lacks
    const auto faces = FontFaceList({"Noto Mono", "@Vertical", "DejaVu Sans Mono", "Noto Mono"}, r);
    EXPECT_EQ(faces, (std::vector<std::string>{"DejaVu Sans Mono", "Noto Mono", "ＭＳ ゴシック"}));
    r.FontName = "Noto Mono";
    EXPECT_EQ(FontFaceList({"Noto Mono"}, r), (std::vector<std::string>{"Noto Mono"}));
    for (const auto& [text, size] : std::vector<std::pair<std::string, int>>{{"12", 12}, {" 9 ", 9}, {"x", 11}, {"0", 11}, {"", 11}})
        EXPECT_EQ(FontSizeOfText(text), size) << text;
    EXPECT_EQ(CharsetName(128), "SHIFTJIS_CHARSET");
    EXPECT_EQ(CharsetName(5), "");
    r.FontSize = 20;
    r.FontCharset = 0;
    SetDefaultFont(r);
    EXPECT_EQ(r.FontName, TEditorEnvironment().FontName);
    EXPECT_EQ(r.FontSize, 11);
    EXPECT_EQ(r.FontCharset, 128);
    EXPECT_EQ(WrapByteForWindow(84), 80);
    EXPECT_EQ(WrapByteForWindow(10), 20);
}

} // namespace
} // namespace qx::test
