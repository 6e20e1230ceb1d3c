#include "editor/ApplyEnvironment.h"

#include "editor/EditorFountain.h"
#include "editor/QxEditor.h"
#include "platform/Cp932.h"

#include <sys/stat.h>

#include <vector>

namespace qx {

namespace {

bool FileExists(const std::string& FileName)
{
    struct stat st;
    return !FileName.empty() && ::stat(FileName.c_str(), &st) == 0;
}

// Holds every option object of the editor in an update bracket, so that each announces its changes
// once when the bracket closes. The wrap option closes last, apart (CloseWrap), once the word wrap
// itself has been set: the rows are laid out once, by the rules in force at the end.
class TOptionUpdate {
public:
    explicit TOptionUpdate(TQxEditor& E)
        : FOptions{&E.Caret(), &E.Marks(), &E.Margin(), &E.Imagebar(), &E.Leftbar(), &E.Ruler(), &E.View(),
                   &E.CustomMarks()},
          FLines(E.VerticalLines()), FWrap(E.WrapOption())
    {
        for (TNotifyPersistent* option : FOptions) option->BeginUpdate();
        FLines.BeginUpdate();
        FWrap.BeginUpdate();
    }
    ~TOptionUpdate()
    {
        // Only when an exception left the apply half done: the brackets must not stay open.
        try {
            Close();
            CloseWrap();
        } catch (...) {
        }
    }
    TOptionUpdate(const TOptionUpdate&) = delete;
    TOptionUpdate& operator=(const TOptionUpdate&) = delete;

    void Close()
    {
        if (FClosed) return;
        FClosed = true;
        FLines.EndUpdate();
        for (auto it = FOptions.rbegin(); it != FOptions.rend(); ++it) (*it)->EndUpdate();
    }
    void CloseWrap()
    {
        if (FWrapClosed) return;
        FWrapClosed = true;
        FWrap.EndUpdate();
    }

private:
    std::vector<TNotifyPersistent*> FOptions;
    TVerticalLines& FLines;
    TEditorWrapOption& FWrap;
    bool FClosed = false, FWrapClosed = false;
};

void SetColors(TFountainColor& Color, TColor Text, TColor Background)
{
    Color.SetColor(Text);
    Color.SetBkColor(Background);
}

void SetColors(TFountainColor& Color, TColor Text, TColor Background, TFontStyles Style)
{
    SetColors(Color, Text, Background);
    Color.SetStyle(Style);
}

// The ruler and the line-number bar share these.
template <class Bar> void SetBar(Bar& B, bool Visible, TColor Font, TColor Background, TColor Mark, bool Edge)
{
    B.SetVisible(Visible);
    B.SetColor(Font);
    B.SetBkColor(Background);
    B.SetMarkColor(Mark);
    B.SetEdge(Edge);
}

TStringList WordList(const std::vector<std::string>& Words)
{
    TStringList list;
    for (const std::string& word : Words) list.Add(word);
    return list;
}

// The three guide lines an environment sets; an editor made without them gets them.
TVerticalLine& GuideLine(TQxEditor& E, int Index)
{
    while (E.VerticalLines().Count() <= Index) E.VerticalLines().Add();
    return *E.VerticalLines().Items(Index);
}

TScrollStyle ScrollStyleOf(int Type, TScrollStyle Current)
{
    switch (Type) {
    case 1: return ssBoth;
    case 2: return ssVertical;
    case 3: return ssHorizontal;
    case 4: return ssNone;
    default: return Current;
    }
}

// The wrap column under S: the environment's, or the window's width when it wraps there.
int WrapByteOf(const TEditorEnvironment& S, const TQxEditor& E)
{
    return S.WordWrap == 2 ? E.VisibleCols() - 4 : S.WrapByte;
}

} // namespace

void ApplyWrapRules(const TEditorEnvironment& S, TEditorWrapOption& Wrap)
{
    Wrap.SetWordBreak(S.WordBreak);
    Wrap.SetFollowRetMark(S.FollowReturnMark);
    Wrap.SetWrapLineVisible(S.WrapLine);
    Wrap.SetWrapLineColor(S.WrapLineColor);
    Wrap.SetLeading(S.WrapStrStyle == 0 || S.WrapStrStyle == 2);
    Wrap.SetFollowPunctuation(S.WrapStrStyle != 0);
    // The level picks the rules: none, a preset, or the environment's own strings.
    const TKinsokuStrings kinsoku = KinsokuStrings(S.WrapStrLevel, S);
    Wrap.SetFollowStr(kinsoku.Follow);
    Wrap.SetLeadStr(kinsoku.Lead);
    Wrap.SetPunctuationStr(kinsoku.Punctuation);
}

TWrapRules EnvironmentWrapRules(const TEditorEnvironment& S, TQxEditor& E, TEditorWrapOption& Option)
{
    TWrapRules rules = E.ScreenStrings().WrapRules();
    Option.Assign(E.WrapOption());
    ApplyWrapRules(S, Option);
    Option.SetWrapByte(WrapByteOf(S, E));
    TEditorCaret caret;  // its tab width, as the environment sets it
    caret.SetTabSpaceCount(S.TabSpaceCount);
    rules.Layout.TabSpaceCount = caret.TabSpaceCount();
    rules.Layout.WordWrap = S.WordWrap == 1 || S.WordWrap == 2;
    rules.Layout.WrapByte = Option.WrapByte();
    rules.Option = &Option;
    return rules;
}

void ApplyEditorEnvironment(const TEditorEnvironment& S, const std::string& FileName, TQxEditor& E,
                            const TEnvironmentApplyHost& Host)
{
    TOptionUpdate update(E);

    // 1. Margins and the font; the comment brackets start anew.
    E.Margin().SetLeft(S.LeftMargin);
    E.Margin().SetTop(S.TopMargin);
    E.Margin().SetCharacter(S.CharMargin);
    E.Margin().SetLine(S.LineMargin);
    TFontSpec font = E.Font();
    font.Name = Cp932ToUtf8(S.FontName);  // the host maps a Windows name to an installed font
    font.Size = S.FontSize;
    font.Style = S.FontStyle;
    E.SetFont(font);
    TEditorViewInfo& view = E.View();
    view.Brackets().Clear();

    // 2. Colours and styles; the comment colours go to every bracket pair as well.
    TEditorColors& colors = view.Colors();
    SetColors(colors.Ank(), S.EditNorStrColor1, S.EditNorStrColor2, S.EditNorStrStyle);
    SetColors(colors.Select(), S.EditSelStrColor1, S.EditSelStrColor2);
    SetColors(colors.CurLine(), S.EditCurLineColor1, S.EditCurLineColor2, S.EditCurLineStyle);
    SetColors(colors.Reserve(), S.EditHilStrColor1, S.EditHilStrColor2, S.EditHilStrStyle);
    SetColors(colors.Reserve2(), S.EditHilStr2Color1, S.EditHilStr2Color2, S.EditHilStr2Style);
    SetColors(colors.Reserve3(), S.EditHilStr3Color1, S.EditHilStr3Color2, S.EditHilStr3Style);
    SetColors(colors.Str(), S.EditStrColor1, S.EditStrColor2, S.EditStrStyle);
    SetColors(colors.Int(), S.EditIntColor1, S.EditIntColor2, S.EditIntStyle);
    SetColors(colors.Mail(), S.MailAddressColor1, S.MailAddressColor2, S.MailAddressStyle);
    SetColors(colors.Url(), S.UrlColor1, S.UrlColor2, S.UrlStyle);
    SetColors(colors.Files(), S.FileColor1, S.FileColor2, S.FileStyle);
    for (const auto& [left, right] : {std::pair{&S.LeftBracket1, &S.RightBracket1}, std::pair{&S.LeftBracket2, &S.RightBracket2}}) {
        if (left->empty() || right->empty()) continue;
        TFountainBracketItem& pair = *view.Brackets().AddBracket();
        pair.SetLeftBracket(*left);
        pair.SetRightBracket(*right);
        SetColors(pair.ItemColor(), S.CommentColor1, S.CommentColor2, S.CommentStyle);
    }
    SetColors(colors.Comment(), S.CommentColor1, S.CommentColor2, S.CommentStyle);
    view.SetCommenter(S.CommentLineChar1);
    view.SetCommenter2(S.CommentLineChar2);
    view.SetQuotation(S.Quotation1);
    view.SetQuotation2(S.Quotation2);

    // 3. Mark colours and pens; then the colours taken from the text's own.
    TEditorMarks& marks = E.Marks();
    marks.RetMark().SetColor(S.ReturnMarkColor);
    marks.EofMark().SetColor(S.EofMarkColor);
    marks.WrapMark().SetColor(S.WrapMarkColor);
    marks.Underline().SetColor(S.UnderlineColor);
    for (int i = 0; i < 3; ++i) GuideLine(E, i).SetColor(S.ColumnLineColor);
    TCustomMarks& custom = E.CustomMarks();
    custom.TabMark().SetColor(S.TabMarkColor);
    custom.DBSpace().SetColor(S.DSpaceMarkColor);
    custom.Space().SetColor(S.SSpaceMarkColor);
    custom.DBSpace().SetMarkType(S.DSpaceMarkStyle != 0 ? smtDot : smtSolid);
    custom.Space().SetMarkType(S.SSpaceMarkStyle != 0 ? smtDot : smtSolid);
    E.SetColor(colors.Ank().BkColor());
    colors.DBCS().Assign(colors.Ank());
    colors.Symbol().Assign(colors.Ank());
    colors.Select().SetStyle(colors.Ank().Style());

    // 4. Caret and editing switches, scroll bars, marks, guide lines, links, where paste and insert
    //    leave the caret.
    TEditorCaret& caret = E.Caret();
    E.EditImeOn = S.EditImeOn;
    caret.SetFreeCaret(S.FreeCaret);
    caret.SetAutoIndent(S.AutoIndent);
    caret.SetTabIndent(S.TabIndent);
    caret.SetSoftTab(S.SoftTab);
    caret.SetSelMove(S.DragEdit);
    E.TabKeyIndent = S.TabKeyIndent;
    caret.SetTabSpaceCount(S.TabSpaceCount);
    caret.SetRowSelect(S.RowSelect);
    E.SetScrollBars(ScrollStyleOf(S.ScrollBarsType, E.ScrollBars()));
    E.SetTopEOF(S.TopEOF);
    E.Imagebar().SetVisible(S.MarkBar);
    E.SelectLineAll = S.SelLineAll;
    marks.RetMark().SetVisible(S.ReturnMark);
    marks.EofMark().SetVisible(S.EofMark);
    marks.WrapMark().SetVisible(S.WrapMark);
    marks.Underline().SetVisible(S.Underline);
    custom.TabMark().SetVisible(S.TabMark);
    custom.DBSpace().SetVisible(S.DSpaceMark);
    custom.Space().SetVisible(S.SSpaceMark);
    E.CurLineHilighted = S.CurLineHilighted;
    const bool lineShown[3] = {S.ColumnLine1, S.ColumnLine2, S.ColumnLine3};
    const int linePosition[3] = {S.ColumnLineByte1, S.ColumnLineByte2, S.ColumnLineByte3};
    for (int i = 0; i < 3; ++i) {
        GuideLine(E, i).SetVisible(lineShown[i]);
        GuideLine(E, i).SetPosition(linePosition[i]);
    }
    view.SetMail(S.CheckMailAddress);
    view.SetUrl(S.CheckURL);
    view.SetFiles(S.CheckFilename);
    E.ModeMailAddr = S.ModeMailAddress;
    E.ModeURL = S.ModeURL;
    E.ModeFilename = S.ModeFilename;
    caret.SetKeepCaret(S.CaretKeep);
    caret.SetLockScroll(S.CaretLockScroll);
    caret.SetNextLine(!S.UnNextLine);
    caret.SetBackSpaceUnIndent(S.BkSpUnIndent);
    caret.SetStyle(S.Caret == 1 ? csBrief : S.Caret == 2 ? csDos : csDefault);
    E.PasteCurPos = S.PasteCurPos;
    E.InsertCurPos = S.InsertCurPos;

    // 5. Highlighted words, from the environment's file.
    E.HilightBool = S.Hilight && FileExists(FileName);
    const std::vector<std::string> none;
    E.SetReserveWordList(WordList(E.HilightBool ? S.HilightWords[0] : none));
    E.SetReserveWordList2(WordList(E.HilightBool ? S.HilightWords[1] : none));
    E.SetReserveWordList3(WordList(E.HilightBool ? S.HilightWords[2] : none));

    // 6. Wrapping rules (the wrap column and the word wrap itself are set once the window's layout is
    //    known, below).
    TEditorWrapOption& wrap = E.WrapOption();
    ApplyWrapRules(S, wrap);

    // 7. The ruler and the line-number bar.
    SetBar(E.Ruler(), S.ColRuler, S.ColFontColor, S.ColBackGroundColor, S.ColMarkColor, S.ColBarEdge);
    E.Ruler().SetGaugeRange(S.ColBarGaugeRange == 1 ? 8 : 10);
    TEditorLeftbar& leftbar = E.Leftbar();
    SetBar(leftbar, S.RowRuler, S.RowFontColor, S.RowBackGroundColor, S.RowMarkColor, S.RowBarEdge);
    leftbar.SetShowNumberMode(S.LogRowBar ? nmLine : nmRow);
    leftbar.SetShowMark(S.MarkedRow);
    leftbar.SetZeroBase(S.RowBarZeroBase);
    leftbar.SetZeroLead(S.RowBarZeroLead);

    // The options announce their changes; the window's columns are now those of the new layout, so
    // wrapping at the window takes them; then the rows are laid out once.
    update.Close();
    E.WrapByWindow = S.WordWrap == 2;
    wrap.SetWrapByte(WrapByteOf(S, E));
    E.SetWordWrap(S.WordWrap == 1 || S.WordWrap == 2);
    update.CloseWrap();
    E.Invalidate();
    if (Host.CheckFreeCursor) Host.CheckFreeCursor(S.FreeCaret);

    // 8. The file lock, taken again in the new mode (the first pane of a tab holds it), or the stamp.
    E.CloseLockFile();
    E.LockFile = S.FileLockMode == 1 || S.FileLockMode == 2;
    E.SetLockFileMode(E.LockFile ? static_cast<TLockFileMode>(S.FileLockMode) : lfmShareDenyNone);
    const bool fileExists = FileExists(Host.DocumentFile);
    if (!Host.SecondPane && E.LockFile && fileExists) E.OpenLockFile(Host.DocumentFile);
    E.CheckTStamp = S.FileTimeStampCheck;
    // The stamp taken when the file was read stays: taken again here, it would hide a change made since.
    if (fileExists && !E.FileTStamp().Valid) E.StoreFileTStamp(Host.DocumentFile);

    // 9. Backups and the automatic save.
    E.BackUp1 = S.BackUp1;
    E.BackUp2 = S.BackUp2;
    E.BackUpDir = S.BackUpDir;
    E.BackUpFamily = S.BackUpFamily;
    E.BackUpUseTime = S.BackUpUseTime;
    E.AutoSave = S.AutoSave;
    E.AutoSaveTime = S.AutoSaveTime;
    E.AutoSaveCount = S.AutoSaveTime;

    // 10. The input method, and what the options dialog's presets start from.
    if (Host.SetImeOpen) Host.SetImeOpen(S.EditImeOn);
    if (Host.State) {
        Host.State->EnvScrollBarsType = S.ScrollBarsType;
        Host.State->EnvCaretType = S.Caret;
        Host.State->EnvWrapStrLevel = S.WrapStrLevel;
    }
}

void ApplyEditorEnvironment(const std::string& FileName, TQxEditor& Editor, const TEnvironmentApplyHost& Host)
{
    ApplyEditorEnvironment(LoadEnvironmentFile(FileName).value_or(TEditorEnvironment{}), FileName, Editor, Host);
}

} // namespace qx
