// Applying an editor environment to a document editor: every key reaches its property (read back from
// the editor and compared key by key through the environment's own key table), the comment brackets
// and the colours taken from the text's, wrapping laid out once and at the window, the file lock and
// stamp, and what the apply tells the main window.

#include "EditorFixture.h"

#include "documents/SettingsFile.h"
#include "editor/ApplyEnvironment.h"
#include "editor/EditorFountain.h"
#include "editor/QxEditor.h"
#include "FakeEditorView.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <map>
#include <string>
#include <vector>

namespace qx::test {
namespace {

struct ApplyEnvironmentTest : ::testing::Test {
    HostedEditor e{Construct<TQxEditor>()};
    TempDir dir;
    TQxEditor& E() { return static_cast<TQxEditor&>(*e); }
    std::string Saved(const TEditorEnvironment& S, const std::string& Name = "qxeenv1.ini")
    {
        const std::string file = dir.File(Name);
        EXPECT_TRUE(SaveEnvironmentFile(S, file));
        return file;
    }
};

// The [EditorEnvironment] text of an environment: one line a key, so a difference names its key.
std::string KeyText(const TEditorEnvironment& S)
{
    TMemIniFile ini{std::string()};
    TKeyWriter writer(ini, "EditorEnvironment");
    EnvironmentKeys(writer, S);
    return ini.FileBytes();
}

// Gives every key a value other than its default that the editor can hold.
struct ChangeEveryKey {
    int N = 0;
    void Bool(std::string_view, bool& Value) { Value = !Value; }
    void Int(std::string_view Key, int& Value)
    {
        static const std::map<std::string_view, int> choices = {
            {"ScrollBarsType", 3}, {"WordWrap", 1}, {"Caret", 2},          {"WrapStrStyle", 2},
            {"FileLockMode", 2},   {"ColBarGaugeRange", 1}, {"DSpaceMarkStyle", 0}, {"SSpaceMarkStyle", 1},
            {"TabSpaceCount", 8},  {"WrapByte", 60}};
        const auto it = choices.find(Key);
        Value = it != choices.end() ? it->second : Value + 1;
    }
    void Str(std::string_view Key, std::string& Value)
    {
        ++N;
        if (Key.starts_with("Quotation"))
            Value = Key.ends_with("1") ? "'" : "`";  // a quotation is one byte
        else
            Value = "s" + std::to_string(N);
    }
    void Color(std::string_view, TColor& Value) { Value = static_cast<TColor>(0x100000 + ++N); }
    void Style(std::string_view, TFontStyles& Value) { Value = TFontStyles::FromBits(++N % 2 ? 3 : 9); }
};

// The environment as the editor holds it now. Keys the editor does not keep are copied from Expected.
TEditorEnvironment ReadBack(TQxEditor& E, const TGlobalState& State, const TEditorEnvironment& Expected)
{
    TEditorEnvironment S = Expected;
    TEditorCaret& caret = E.Caret();
    TEditorViewInfo& view = E.View();
    TEditorColors& colors = view.Colors();
    TEditorMarks& marks = E.Marks();
    TCustomMarks& custom = E.CustomMarks();
    TEditorWrapOption& wrap = E.WrapOption();
    const auto pair = [](TFountainColor& C, TColor& Text, TColor& Background) {
        Text = C.Color();
        Background = C.BkColor();
    };
    S.EditImeOn = E.EditImeOn;
    S.FreeCaret = caret.FreeCaret();
    S.AutoIndent = caret.AutoIndent();
    S.TabIndent = caret.TabIndent();
    S.SoftTab = caret.SoftTab();
    S.DragEdit = caret.SelMove();
    S.TabKeyIndent = E.TabKeyIndent;
    S.TabSpaceCount = caret.TabSpaceCount();
    S.RowSelect = caret.RowSelect();
    S.Quotation1 = view.Quotation();
    S.Quotation2 = view.Quotation2();
    S.CommentLineChar1 = view.Commenter();
    S.CommentLineChar2 = view.Commenter2();
    S.LeftMargin = E.Margin().Left();
    S.TopMargin = E.Margin().Top();
    S.CharMargin = E.Margin().Character();
    S.LineMargin = E.Margin().Line();
    S.ScrollBarsType = std::map<TScrollStyle, int>{{ssBoth, 1}, {ssVertical, 2}, {ssHorizontal, 3}, {ssNone, 4}}[E.ScrollBars()];
    S.TopEOF = E.TopEOF();
    S.MarkBar = E.Imagebar().Visible();
    S.SelLineAll = E.SelectLineAll;
    S.ReturnMark = marks.RetMark().Visible();
    S.EofMark = marks.EofMark().Visible();
    S.WrapMark = marks.WrapMark().Visible();
    S.Underline = marks.Underline().Visible();
    S.TabMark = custom.TabMark().Visible();
    S.DSpaceMark = custom.DBSpace().Visible();
    S.SSpaceMark = custom.Space().Visible();
    S.CurLineHilighted = E.CurLineHilighted;
    bool* shown[3] = {&S.ColumnLine1, &S.ColumnLine2, &S.ColumnLine3};
    int* position[3] = {&S.ColumnLineByte1, &S.ColumnLineByte2, &S.ColumnLineByte3};
    for (int i = 0; i < 3; ++i) {
        *shown[i] = E.VerticalLines().Items(i)->Visible();
        *position[i] = E.VerticalLines().Items(i)->Position();
        EXPECT_EQ(E.VerticalLines().Items(i)->Color(), Expected.ColumnLineColor) << "guide line " << i;
    }
    S.ColumnLineColor = E.VerticalLines().Items(0)->Color();
    S.FontName = Utf8ToCp932(E.Font().Name);
    S.FontSize = E.Font().Size;
    S.FontStyle = E.Font().Style;
    pair(colors.Ank(), S.EditNorStrColor1, S.EditNorStrColor2);
    pair(colors.Select(), S.EditSelStrColor1, S.EditSelStrColor2);
    pair(colors.CurLine(), S.EditCurLineColor1, S.EditCurLineColor2);
    pair(colors.Reserve(), S.EditHilStrColor1, S.EditHilStrColor2);
    pair(colors.Reserve2(), S.EditHilStr2Color1, S.EditHilStr2Color2);
    pair(colors.Reserve3(), S.EditHilStr3Color1, S.EditHilStr3Color2);
    pair(colors.Str(), S.EditStrColor1, S.EditStrColor2);
    pair(colors.Int(), S.EditIntColor1, S.EditIntColor2);
    pair(colors.Mail(), S.MailAddressColor1, S.MailAddressColor2);
    pair(colors.Url(), S.UrlColor1, S.UrlColor2);
    pair(colors.Files(), S.FileColor1, S.FileColor2);
    pair(colors.Comment(), S.CommentColor1, S.CommentColor2);
    S.ReturnMarkColor = marks.RetMark().Color();
    S.EofMarkColor = marks.EofMark().Color();
    S.WrapMarkColor = marks.WrapMark().Color();
    S.UnderlineColor = marks.Underline().Color();
    S.TabMarkColor = custom.TabMark().Color();
    S.DSpaceMarkColor = custom.DBSpace().Color();
    S.SSpaceMarkColor = custom.Space().Color();
    S.EditNorStrStyle = colors.Ank().Style();
    S.EditCurLineStyle = colors.CurLine().Style();
    S.EditHilStrStyle = colors.Reserve().Style();
    S.EditHilStr2Style = colors.Reserve2().Style();
    S.EditHilStr3Style = colors.Reserve3().Style();
    S.EditStrStyle = colors.Str().Style();
    S.EditIntStyle = colors.Int().Style();
    S.MailAddressStyle = colors.Mail().Style();
    S.UrlStyle = colors.Url().Style();
    S.FileStyle = colors.Files().Style();
    S.CommentStyle = colors.Comment().Style();
    S.DSpaceMarkStyle = custom.DBSpace().MarkType() == smtDot ? 1 : 0;
    S.SSpaceMarkStyle = custom.Space().MarkType() == smtDot ? 1 : 0;
    S.WordWrap = !E.WordWrap() ? 0 : E.WrapByWindow ? 2 : 1;
    S.WrapByte = wrap.WrapByte();
    S.WordBreak = wrap.WordBreak();
    S.FollowReturnMark = wrap.FollowRetMark();
    S.WrapLine = wrap.WrapLineVisible();
    S.WrapLineColor = wrap.WrapLineColor();
    S.WrapStrStyle = wrap.Leading() ? (wrap.FollowPunctuation() ? 2 : 0) : 1;
    S.WrapStrLevel = State.EnvWrapStrLevel;
    // The editor holds the rules of the level; the stored strings only at level 3.
    const TKinsokuStrings kinsoku = KinsokuStrings(Expected.WrapStrLevel, Expected);
    EXPECT_EQ(wrap.FollowStr(), kinsoku.Follow);
    EXPECT_EQ(wrap.LeadStr(), kinsoku.Lead);
    EXPECT_EQ(wrap.PunctuationStr(), kinsoku.Punctuation);
    S.FollowString = Expected.WrapStrLevel == 3 ? wrap.FollowStr() : Expected.FollowString;
    S.LeadString = Expected.WrapStrLevel == 3 ? wrap.LeadStr() : Expected.LeadString;
    S.PunctuationString = Expected.WrapStrLevel == 3 ? wrap.PunctuationStr() : Expected.PunctuationString;
    S.CheckMailAddress = view.Mail();
    S.CheckURL = view.Url();
    S.CheckFilename = view.Files();
    S.ModeMailAddress = E.ModeMailAddr;
    S.ModeURL = E.ModeURL;
    S.ModeFilename = E.ModeFilename;
    TEditorRuler& ruler = E.Ruler();
    S.ColRuler = ruler.Visible();
    S.ColFontColor = ruler.Color();
    S.ColBackGroundColor = ruler.BkColor();
    S.ColMarkColor = ruler.MarkColor();
    S.ColBarEdge = ruler.Edge();
    S.ColBarGaugeRange = ruler.GaugeRange() == 8 ? 1 : 0;
    TEditorLeftbar& leftbar = E.Leftbar();
    S.RowRuler = leftbar.Visible();
    S.RowFontColor = leftbar.Color();
    S.RowBackGroundColor = leftbar.BkColor();
    S.RowMarkColor = leftbar.MarkColor();
    S.RowBarEdge = leftbar.Edge();
    S.LogRowBar = leftbar.ShowNumberMode() == nmLine;
    S.MarkedRow = leftbar.ShowMark();
    S.RowBarZeroBase = leftbar.ZeroBase();
    S.RowBarZeroLead = leftbar.ZeroLead();
    S.Caret = static_cast<int>(caret.Style());
    S.CaretKeep = caret.KeepCaret();
    S.PasteCurPos = E.PasteCurPos;
    S.InsertCurPos = E.InsertCurPos;
    S.CaretLockScroll = caret.LockScroll();
    S.UnNextLine = !caret.NextLine();
    S.BkSpUnIndent = caret.BackSpaceUnIndent();
    S.FileLockMode = E.LockFile ? static_cast<int>(E.LockFileMode()) : 0;
    S.FileTimeStampCheck = E.CheckTStamp;
    S.BackUp1 = E.BackUp1;
    S.BackUp2 = E.BackUp2;
    S.BackUpDir = E.BackUpDir;
    S.BackUpFamily = E.BackUpFamily;
    S.BackUpUseTime = E.BackUpUseTime;
    S.AutoSave = E.AutoSave;
    S.AutoSaveTime = E.AutoSaveTime;
    EXPECT_EQ(E.AutoSaveCount, E.AutoSaveTime) << "the running count starts at the interval";
    S.Hilight = E.HilightBool;
    S.HilightWords[0] = E.ReserveWordList().Items();
    S.HilightWords[1] = E.ReserveWordList2().Items();
    S.HilightWords[2] = E.ReserveWordList3().Items();
    EXPECT_EQ(State.EnvScrollBarsType, Expected.ScrollBarsType);
    EXPECT_EQ(State.EnvCaretType, Expected.Caret);
    return S;
}

TEST_F(ApplyEnvironmentTest, EveryKeyReachesItsPropertyFromAFileAndAMissingFileGivesEveryDefault)
{
    TGlobalState state;
    TEnvironmentApplyHost host;
    host.State = &state;

    TEditorEnvironment changed;
    ChangeEveryKey change;
    EnvironmentKeys(change, changed);
    changed.HilightWords[0] = {"char", "int"};  // the lists are kept sorted
    changed.HilightWords[1] = {"NULL"};
    changed.HilightWords[2] = {Utf8ToCp932("未定")};
    ASSERT_NE(KeyText(changed), KeyText(TEditorEnvironment{}));
    ApplyEditorEnvironment(Saved(changed), E(), host);
    TEditorEnvironment held = ReadBack(E(), state, changed);
    EXPECT_EQ(KeyText(held), KeyText(changed));
    for (int list = 0; list < 3; ++list) EXPECT_EQ(held.HilightWords[list], changed.HilightWords[list]) << list;

    // From there back to the defaults: nothing of the changed environment stays behind.
    const TEditorEnvironment defaults;
    ApplyEditorEnvironment(dir.File("qxeenv9.ini"), E(), host);
    held = ReadBack(E(), state, defaults);
    EXPECT_EQ(KeyText(held), KeyText(defaults));
    for (int list = 0; list < 3; ++list) EXPECT_TRUE(held.HilightWords[list].empty()) << list;
}

TEST_F(ApplyEnvironmentTest, TheKinsokuLevelChoosesTheRules)
{
    TEditorEnvironment S;
    S.FollowString = "f";
    S.LeadString = "l";
    S.PunctuationString = "p";
    TEditorWrapOption& wrap = E().WrapOption();
    for (const int level : {0, 1, 2, 3}) {
        S.WrapStrLevel = level;
        ApplyEditorEnvironment(S, "", E());
        const TKinsokuStrings rules = KinsokuStrings(level, S);
        EXPECT_EQ(wrap.FollowStr(), rules.Follow) << level;
        EXPECT_EQ(wrap.LeadStr(), rules.Lead) << level;
        EXPECT_EQ(wrap.PunctuationStr(), rules.Punctuation) << level;
    }
    EXPECT_EQ(wrap.FollowStr(), "f") << "level 3: the environment's own";
    S.WrapStrLevel = 0;
    ApplyEditorEnvironment(S, "", E());
    EXPECT_TRUE(wrap.FollowStr().empty() && wrap.LeadStr().empty() && wrap.PunctuationStr().empty()) << "none";
}

TEST_F(ApplyEnvironmentTest, CommentPairsNeedBothBracketsAndTheTextsColoursReachTheOtherKinds)
{
    TEditorEnvironment S;
    S.LeftBracket1 = "/*";
    S.RightBracket1 = "*/";
    S.LeftBracket2 = "{";
    S.RightBracket2 = "}";
    S.CommentColor1 = clMaroon;
    S.CommentColor2 = clYellow;
    S.CommentStyle = fsItalic;
    S.EditNorStrColor1 = clNavy;
    S.EditNorStrColor2 = clAqua;
    S.EditNorStrStyle = fsBold;
    ApplyEditorEnvironment(S, "", E());
    TEditorBracketCollection& brackets = E().View().Brackets();
    ASSERT_EQ(brackets.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        const TFountainColor& c = brackets.BracketItems(i)->ItemColor();
        EXPECT_EQ(c.Color(), clMaroon);
        EXPECT_EQ(c.BkColor(), clYellow);
        EXPECT_EQ(c.Style(), TFontStyles(fsItalic));
    }
    EXPECT_EQ(brackets.BracketItems(1)->LeftBracket(), "{");

    TEditorColors& colors = E().View().Colors();
    for (TFountainColor* c : {&colors.DBCS(), &colors.Symbol()}) {
        EXPECT_EQ(c->Color(), clNavy);
        EXPECT_EQ(c->BkColor(), clAqua);
        EXPECT_EQ(c->Style(), TFontStyles(fsBold));
    }
    EXPECT_EQ(colors.Select().Style(), TFontStyles(fsBold));
    EXPECT_EQ(E().Color(), clAqua) << "the editor's background is the text's";

    // A pair with one bracket missing is none; the pairs of the last environment are gone.
    S.RightBracket2.clear();
    ApplyEditorEnvironment(S, "", E());
    ASSERT_EQ(brackets.Count(), 1);
    EXPECT_EQ(brackets.BracketItems(0)->LeftBracket(), "/*");
}

TEST_F(ApplyEnvironmentTest, RowsAreLaidOutOnceAndWrappingAtTheWindowTakesItsColumnsLessFour)
{
    std::string text;
    for (int i = 0; i < 50; ++i) text += std::string(150, 'a') + "\r\n";
    e.SetText(text);
    FakeEditorView watcher;
    watcher.Store = &E().List();
    E().List().AddView(&watcher);

    // Wrap on, with a new column, new rules and a new ruler: one new layout.
    TEditorEnvironment S;
    S.WordWrap = 1;
    S.WrapByte = 50;
    S.WordBreak = false;
    S.WrapStrStyle = 2;
    S.ColRuler = false;
    ApplyEditorEnvironment(S, "", E());
    EXPECT_EQ(watcher.Refreshes, 1);
    EXPECT_EQ(E().List().Count(), 50 * 3);

    // At the window: the columns of the window as the new environment lays it out, less four.
    watcher.Refreshes = 0;
    S.WordWrap = 2;
    S.LeftMargin = 30;
    S.RowRuler = false;
    S.MarkBar = false;
    ApplyEditorEnvironment(S, "", E());
    EXPECT_EQ(watcher.Refreshes, 1);
    EXPECT_TRUE(E().WrapByWindow);
    EXPECT_EQ(E().WrapOption().WrapByte(), E().VisibleCols() - 4);
    EXPECT_EQ(E().RowString(0).size(), static_cast<std::size_t>(E().VisibleCols() - 4));

    // The same environment again changes no layout.
    watcher.Refreshes = 0;
    ApplyEditorEnvironment(S, "", E());
    EXPECT_EQ(watcher.Refreshes, 0);
    E().List().RemoveView(&watcher);
}

TEST_F(ApplyEnvironmentTest, TheWrapForeseenForATextIsTheWrapTheApplyLeaves)
{
    // A text being read is laid out by the wrap an environment will leave; when that is foreseen right,
    // the rows are not laid out again once the environment is applied.
    struct Case {
        const char* Name;
        int WordWrap, WrapByte, TabSpaceCount, WrapStrStyle, WrapStrLevel;
        bool WordBreak, FollowReturnMark;
    };
    const Case cases[] = {
        {"no wrap", 0, 70, 8, 1, 2, true, true},
        {"at a column, odd tabs", 1, 33, 5, 0, 1, false, false},
        {"column out of range, tabs too wide", 1, 5000, 13, 2, 3, true, false},
        {"at the window", 2, 70, 2, 1, 0, false, true},
    };
    for (const Case& c : cases) {
        TEditorEnvironment S;
        S.WordWrap = c.WordWrap;
        S.WrapByte = c.WrapByte;
        S.TabSpaceCount = c.TabSpaceCount;
        S.WrapStrStyle = c.WrapStrStyle;
        S.WrapStrLevel = c.WrapStrLevel;
        S.WordBreak = c.WordBreak;
        S.FollowReturnMark = c.FollowReturnMark;
        S.FollowString = Utf8ToCp932("」");
        TEditorWrapOption option;
        const TWrapRules foreseen = EnvironmentWrapRules(S, E(), option);
        ApplyEditorEnvironment(S, "", E());
        const TWrapRules applied = E().List().WrapRules();
        EXPECT_EQ(foreseen.Layout.WordWrap, applied.Layout.WordWrap) << c.Name;
        EXPECT_EQ(foreseen.Layout.WrapByte, applied.Layout.WrapByte) << c.Name;
        EXPECT_EQ(foreseen.Layout.TabSpaceCount, applied.Layout.TabSpaceCount) << c.Name;
        EXPECT_EQ(foreseen.Layout.Delimiters, applied.Layout.Delimiters) << c.Name;
        ASSERT_EQ(foreseen.Option, &option);
        TEditorWrapOption same;
        same.Assign(option);
        same.TakeRulesChanged();
        same.Assign(*applied.Option);
        EXPECT_FALSE(same.TakeRulesChanged()) << c.Name << ": the line-break rules differ";
    }
}

TEST_F(ApplyEnvironmentTest, TheLockIsTakenAgainInTheNewModeByTheFirstPaneOnly)
{
    const std::string file = dir.File("doc.txt");
    WriteBytes(file, "text");
    E().FileName = file;
    struct Case {
        int Mode;
        bool SecondPane;
        bool CheckStamp;
        bool Locked;
        TLockFileMode LockMode;
        bool Stamped;
        bool HoldsFile = true;
    };
    // The stamp is taken whatever the lock and the option (a save asks before overwriting a file whose
    // stamp moved), when none of the file is held.
    for (const Case& c : {Case{2, false, false, true, lfmShareExclusive, true},
                          Case{1, false, true, true, lfmShareDenyWrite, true},
                          Case{2, true, false, false, lfmShareExclusive, true},
                          Case{0, false, true, false, lfmShareDenyNone, true},
                          Case{7, false, false, false, lfmShareDenyNone, true},
                          // A document that holds no file (an untitled tab whose name a file shares, a
                          // Save As before the rename) locks and stamps nothing.
                          Case{2, false, false, false, lfmShareExclusive, false, false},
                          Case{0, false, true, false, lfmShareDenyNone, false, false}}) {
        E().CloseLockFile();
        E().StoreFileTStamp(dir.File("none"));
        TEditorEnvironment S;
        S.FileLockMode = c.Mode;
        S.FileTimeStampCheck = c.CheckStamp;
        TEnvironmentApplyHost host;
        host.SecondPane = c.SecondPane;
        if (c.HoldsFile) host.DocumentFile = file;
        ApplyEditorEnvironment(S, "", E(), host);
        EXPECT_EQ(E().Locked(), c.Locked) << c.Mode << c.SecondPane;
        EXPECT_EQ(E().LockFile, c.Mode == 1 || c.Mode == 2) << c.Mode;
        EXPECT_EQ(E().LockFileMode(), c.LockMode) << c.Mode;
        EXPECT_EQ(E().FileTStamp().Valid, c.Stamped) << c.Mode << c.CheckStamp << c.HoldsFile;
    }
    E().CloseLockFile();

    // A stamp held already stays: taken again, it would hide a change another program made since.
    E().StoreFileTStamp(file);
    const struct timespec later[2] = {{E().FileTStamp().Seconds + 10, 0}, {E().FileTStamp().Seconds + 10, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), later, 0), 0);
    TEditorEnvironment S;
    S.FileTimeStampCheck = true;
    TEnvironmentApplyHost host;
    host.DocumentFile = file;
    ApplyEditorEnvironment(S, "", E(), host);
    EXPECT_FALSE(E().SameFileTStamp(file));
}

TEST_F(ApplyEnvironmentTest, TheMainWindowHearsOfTheFreeCursorAndTheInputMethod)
{
    std::vector<std::string> heard;
    TEnvironmentApplyHost host;
    host.CheckFreeCursor = [&](bool Checked) { heard.push_back(Checked ? "free" : "bound"); };
    host.SetImeOpen = [&](bool Open) { heard.push_back(Open ? "ime on" : "ime off"); };
    TEditorEnvironment S;
    S.FreeCaret = true;
    S.EditImeOn = true;
    ApplyEditorEnvironment(S, "", E(), host);
    S.FreeCaret = false;
    S.EditImeOn = false;
    ApplyEditorEnvironment(S, "", E(), host);
    EXPECT_EQ(heard, (std::vector<std::string>{"free", "ime on", "bound", "ime off"}));
}

} // namespace
} // namespace qx::test
