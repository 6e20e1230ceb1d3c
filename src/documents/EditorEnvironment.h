#pragma once
// Editor environments: named sets of editor settings, numbered 0..9, each in its own file
// "qxeenv" + number + ".ini" in the program folder (environment 0 is the standard one), together with
// the file extensions each serves.
//
// One key table (EnvironmentKeys) drives the reader, the writer and the working copy that the editor
// options dialog edits (TEditorEnvironment); applying an environment to an editor walks the same record.
// Texts are CP932 bytes, as the files hold them.
//
// File layout: a three-line comment header, [Application] (Title, Version), [EditorEnvironment] with
// every key, and the plain section [EditorHilightStrings] last, one word a line ("[1]" + word for the
// first word list, "[2]", "[3]" for the others).

#include "documents/GlobalState.h"
#include "documents/HistoryMenu.h"
#include "platform/Color.h"
#include "platform/Cp932.h"
#include "platform/FontStyle.h"
#include "platform/StringList.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

inline constexpr std::string_view kEnvironmentTitle = "// QxEditor for Windows エディタ環境設定ファイル";
inline constexpr std::string_view kEnvironmentSection = "EditorEnvironment";
inline constexpr std::string_view kHilightSection = "[EditorHilightStrings]";
inline constexpr std::string_view kEnvironmentTempFile = "qxeenvtmp.ini";
// A highlighted word is at most this many bytes (cut before a character that would not fit).
inline constexpr std::size_t kHilightWordMax = 100;

// The working copy of one environment: every key of [EditorEnvironment] with its default, the
// extension patterns ("FileExt") and the three highlighted-word lists.
struct TEditorEnvironment {
    std::string EnvironmentName;
    std::vector<std::string> FileExt;  // "*.txt", ...
    bool EditImeOn = false;
    bool FreeCaret = false;
    bool AutoIndent = false;
    bool TabIndent = false;
    bool SoftTab = false;
    bool DragEdit = true;
    bool TabKeyIndent = true;
    int TabSpaceCount = 4;
    bool RowSelect = true;
    std::string Quotation1, Quotation2;
    std::string LeftBracket1, RightBracket1, CommentLineChar1;
    std::string LeftBracket2, RightBracket2, CommentLineChar2;
    int LeftMargin = 6, TopMargin = 2, CharMargin = 0, LineMargin = 0;
    int ScrollBarsType = 1;  // 1 both, 2 vertical, 3 horizontal, 4 none
    bool TopEOF = false;
    bool MarkBar = true;
    bool SelLineAll = true;
    bool ReturnMark = true, EofMark = true, WrapMark = true, Underline = false;
    bool TabMark = false, DSpaceMark = false, SSpaceMark = false;
    bool CurLineHilighted = false;
    bool ColumnLine1 = false, ColumnLine2 = false, ColumnLine3 = false;
    int ColumnLineByte1 = 70, ColumnLineByte2 = 0, ColumnLineByte3 = 0;
    // A Windows font name as stored; the control's host maps it to an installed font.
    std::string FontName = Utf8ToCp932("ＭＳ ゴシック");
    int FontSize = 11;
    TFontStyles FontStyle;
    int FontCharset = 128;
    TColor EditNorStrColor1 = clBlack, EditNorStrColor2 = clWhite;
    TColor EditSelStrColor1 = clWhite, EditSelStrColor2 = clBlue;
    TColor EditCurLineColor1 = clBlack, EditCurLineColor2 = clWhite;
    TColor EditHilStrColor1 = clGreen, EditHilStrColor2 = clWhite;
    TColor EditHilStr2Color1 = clBlue, EditHilStr2Color2 = clWhite;
    TColor EditHilStr3Color1 = clFuchsia, EditHilStr3Color2 = clWhite;
    TColor EditStrColor1 = clNavy, EditStrColor2 = clWhite;
    TColor EditIntColor1 = clBlack, EditIntColor2 = clWhite;
    TColor MailAddressColor1 = clBlue, MailAddressColor2 = clWhite;
    TColor UrlColor1 = clFuchsia, UrlColor2 = clWhite;
    TColor FileColor1 = clGreen, FileColor2 = clWhite;
    TColor ReturnMarkColor = clTeal, EofMarkColor = clTeal;
    TColor WrapMarkColor = clSilver, UnderlineColor = clSilver;
    TColor TabMarkColor = clSilver, DSpaceMarkColor = clSilver, SSpaceMarkColor = clSilver;
    TColor ColumnLineColor = clSilver;
    TColor CommentColor1 = clGray, CommentColor2 = clWhite;
    TFontStyles EditNorStrStyle, EditCurLineStyle;
    TFontStyles EditHilStrStyle, EditHilStr2Style, EditHilStr3Style;
    TFontStyles EditStrStyle, EditIntStyle;
    TFontStyles MailAddressStyle = fsUnderline, UrlStyle = fsUnderline, FileStyle = fsUnderline;
    TFontStyles CommentStyle;
    int DSpaceMarkStyle = 1, SSpaceMarkStyle = 0;  // non-zero: dotted
    int WordWrap = 0;  // 0 none, 1 at WrapByte, 2 at the window
    int WrapByte = 70;
    bool WordBreak = true;
    bool FollowReturnMark = true;
    bool WrapLine = true;
    TColor WrapLineColor = clSilver;
    int WrapStrStyle = 1;
    int WrapStrLevel = 2;
    std::string FollowString = Utf8ToCp932("、。，．・：；！？」』）｝〕］】!?%)],.:;、。");
    std::string LeadString = Utf8ToCp932("「『（｛〔［【([");
    std::string PunctuationString = Utf8ToCp932("、。，．,.｡､");
    bool CheckMailAddress = true, CheckURL = true, CheckFilename = true;
    int ModeMailAddress = 5, ModeURL = 5, ModeFilename = 5;
    bool ColRuler = true;
    bool RowRuler = true;
    TColor ColFontColor = clNavy, ColBackGroundColor = clWhite, ColMarkColor = clNavy;
    bool ColBarEdge = true;
    int ColBarGaugeRange = 0;
    TColor RowFontColor = clNavy, RowBackGroundColor = clWhite, RowMarkColor = clNavy;
    bool RowBarEdge = true;
    bool LogRowBar = true;
    bool MarkedRow = true;
    bool RowBarZeroBase = false, RowBarZeroLead = false;
    int Caret = 0;
    bool CaretKeep = true;
    int PasteCurPos = 1, InsertCurPos = 1;
    bool CaretLockScroll = false;
    bool UnNextLine = false;
    bool BkSpUnIndent = true;
    int FileLockMode = 0;  // 0 no lock, 1 and 2 the lock modes
    bool FileTimeStampCheck = false;
    bool BackUp1 = false, BackUp2 = false;
    std::string BackUpDir;
    int BackUpFamily = 1;
    bool BackUpUseTime = false;
    bool AutoSave = false;
    int AutoSaveTime = 10;
    bool Hilight = false;
    // [EditorHilightStrings]: the three word lists.
    std::vector<std::string> HilightWords[3];
};

// Every key of [EditorEnvironment] after "EnvironmentName" and "FileExt", in the order they are written.
// K offers Bool, Int, Str, Color and Style (TKeyReader, TKeyWriter, or the apply step's visitor).
template <class K, class S> void EnvironmentKeys(K& k, S& s)
{
    k.Bool("EditImeOn", s.EditImeOn);
    k.Bool("FreeCaret", s.FreeCaret);
    k.Bool("AutoIndent", s.AutoIndent);
    k.Bool("TabIndent", s.TabIndent);
    k.Bool("SoftTab", s.SoftTab);
    k.Bool("DragEdit", s.DragEdit);
    k.Bool("TabKeyIndent", s.TabKeyIndent);
    k.Int("TabSpaceCount", s.TabSpaceCount);
    k.Bool("RowSelect", s.RowSelect);
    k.Str("Quotation1", s.Quotation1);
    k.Str("Quotation2", s.Quotation2);
    k.Str("LeftBracket1", s.LeftBracket1);
    k.Str("RightBracket1", s.RightBracket1);
    k.Str("CommentLineChar1", s.CommentLineChar1);
    k.Str("LeftBracket2", s.LeftBracket2);
    k.Str("RightBracket2", s.RightBracket2);
    k.Str("CommentLineChar2", s.CommentLineChar2);
    k.Int("LeftMargin", s.LeftMargin);
    k.Int("TopMargin", s.TopMargin);
    k.Int("CharMargin", s.CharMargin);
    k.Int("LineMargin", s.LineMargin);
    k.Int("ScrollBarsType", s.ScrollBarsType);
    k.Bool("TopEOF", s.TopEOF);
    k.Bool("MarkBar", s.MarkBar);
    k.Bool("SelLineAll", s.SelLineAll);
    k.Bool("ReturnMark", s.ReturnMark);
    k.Bool("EofMark", s.EofMark);
    k.Bool("WrapMark", s.WrapMark);
    k.Bool("Underline", s.Underline);
    k.Bool("TabMark", s.TabMark);
    k.Bool("DSpaceMark", s.DSpaceMark);
    k.Bool("SSpaceMark", s.SSpaceMark);
    k.Bool("CurLineHilighted", s.CurLineHilighted);
    k.Bool("ColumnLine1", s.ColumnLine1);
    k.Bool("ColumnLine2", s.ColumnLine2);
    k.Bool("ColumnLine3", s.ColumnLine3);
    k.Int("ColumnLineByte1", s.ColumnLineByte1);
    k.Int("ColumnLineByte2", s.ColumnLineByte2);
    k.Int("ColumnLineByte3", s.ColumnLineByte3);
    k.Str("FontName", s.FontName);
    k.Int("FontSize", s.FontSize);
    k.Style("FontStyle", s.FontStyle);
    k.Int("FontCharset", s.FontCharset);
    k.Color("EditNorStrColor1", s.EditNorStrColor1);
    k.Color("EditNorStrColor2", s.EditNorStrColor2);
    k.Color("EditSelStrColor1", s.EditSelStrColor1);
    k.Color("EditSelStrColor2", s.EditSelStrColor2);
    k.Color("EditCurLineColor1", s.EditCurLineColor1);
    k.Color("EditCurLineColor2", s.EditCurLineColor2);
    k.Color("EditHilStrColor1", s.EditHilStrColor1);
    k.Color("EditHilStrColor2", s.EditHilStrColor2);
    k.Color("EditHilStr2Color1", s.EditHilStr2Color1);
    k.Color("EditHilStr2Color2", s.EditHilStr2Color2);
    k.Color("EditHilStr3Color1", s.EditHilStr3Color1);
    k.Color("EditHilStr3Color2", s.EditHilStr3Color2);
    k.Color("EditStrColor1", s.EditStrColor1);
    k.Color("EditStrColor2", s.EditStrColor2);
    k.Color("EditIntColor1", s.EditIntColor1);
    k.Color("EditIntColor2", s.EditIntColor2);
    k.Color("MailAddressColor1", s.MailAddressColor1);
    k.Color("MailAddressColor2", s.MailAddressColor2);
    k.Color("UrlColor1", s.UrlColor1);
    k.Color("UrlColor2", s.UrlColor2);
    k.Color("FileColor1", s.FileColor1);
    k.Color("FileColor2", s.FileColor2);
    k.Color("ReturnMarkColor", s.ReturnMarkColor);
    k.Color("EofMarkColor", s.EofMarkColor);
    k.Color("WrapMarkColor", s.WrapMarkColor);
    k.Color("UnderlineColor", s.UnderlineColor);
    k.Color("TabMarkColor", s.TabMarkColor);
    k.Color("DSpaceMarkColor", s.DSpaceMarkColor);
    k.Color("SSpaceMarkColor", s.SSpaceMarkColor);
    k.Color("ColumnLineColor", s.ColumnLineColor);
    k.Color("CommentColor1", s.CommentColor1);
    k.Color("CommentColor2", s.CommentColor2);
    k.Style("EditNorStrStyle", s.EditNorStrStyle);
    k.Style("EditCurLineStyle", s.EditCurLineStyle);
    k.Style("EditHilStrStyle", s.EditHilStrStyle);
    k.Style("EditHilStr2Style", s.EditHilStr2Style);
    k.Style("EditHilStr3Style", s.EditHilStr3Style);
    k.Style("EditStrStyle", s.EditStrStyle);
    k.Style("EditIntStyle", s.EditIntStyle);
    k.Style("MailAddressStyle", s.MailAddressStyle);
    k.Style("UrlStyle", s.UrlStyle);
    k.Style("FileStyle", s.FileStyle);
    k.Style("CommentStyle", s.CommentStyle);
    k.Int("DSpaceMarkStyle", s.DSpaceMarkStyle);
    k.Int("SSpaceMarkStyle", s.SSpaceMarkStyle);
    k.Int("WordWrap", s.WordWrap);
    k.Int("WrapByte", s.WrapByte);
    k.Bool("WordBreak", s.WordBreak);
    k.Bool("FollowReturnMark", s.FollowReturnMark);
    k.Bool("WrapLine", s.WrapLine);
    k.Color("WrapLineColor", s.WrapLineColor);
    k.Int("WrapStrStyle", s.WrapStrStyle);
    k.Int("WrapStrLevel", s.WrapStrLevel);
    k.Str("FollowString", s.FollowString);
    k.Str("LeadString", s.LeadString);
    k.Str("PunctuationString", s.PunctuationString);
    k.Bool("CheckMailAddress", s.CheckMailAddress);
    k.Bool("CheckURL", s.CheckURL);
    k.Bool("CheckFilename", s.CheckFilename);
    k.Int("ModeMailAddress", s.ModeMailAddress);
    k.Int("ModeURL", s.ModeURL);
    k.Int("ModeFilename", s.ModeFilename);
    k.Bool("ColRuler", s.ColRuler);
    k.Bool("RowRuler", s.RowRuler);
    k.Color("ColFontColor", s.ColFontColor);
    k.Color("ColBackGroundColor", s.ColBackGroundColor);
    k.Color("ColMarkColor", s.ColMarkColor);
    k.Bool("ColBarEdge", s.ColBarEdge);
    k.Int("ColBarGaugeRange", s.ColBarGaugeRange);
    k.Color("RowFontColor", s.RowFontColor);
    k.Color("RowBackGroundColor", s.RowBackGroundColor);
    k.Color("RowMarkColor", s.RowMarkColor);
    k.Bool("RowBarEdge", s.RowBarEdge);
    k.Bool("LogRowBar", s.LogRowBar);
    k.Bool("MarkedRow", s.MarkedRow);
    k.Bool("RowBarZeroBase", s.RowBarZeroBase);
    k.Bool("RowBarZeroLead", s.RowBarZeroLead);
    k.Int("Caret", s.Caret);
    k.Bool("CaretKeep", s.CaretKeep);
    k.Int("PasteCurPos", s.PasteCurPos);
    k.Int("InsertCurPos", s.InsertCurPos);
    k.Bool("CaretLockScroll", s.CaretLockScroll);
    k.Bool("UnNextLine", s.UnNextLine);
    k.Bool("BkSpUnIndent", s.BkSpUnIndent);
    k.Int("FileLockMode", s.FileLockMode);
    k.Bool("FileTimeStampCheck", s.FileTimeStampCheck);
    k.Bool("BackUp1", s.BackUp1);
    k.Bool("BackUp2", s.BackUp2);
    k.Str("BackUpDir", s.BackUpDir);
    k.Int("BackUpFamily", s.BackUpFamily);
    k.Bool("BackUpUseTime", s.BackUpUseTime);
    k.Bool("AutoSave", s.AutoSave);
    k.Int("AutoSaveTime", s.AutoSaveTime);
    k.Bool("Hilight", s.Hilight);
}

// The first bytes of Word that hold at most kHilightWordMax bytes of whole characters.
std::string CutHilightWord(std::string_view Word);
// Fills the three word lists (emptied first) from word lines: the second character "1", "2" or "3" picks
// the list and the text from the fourth on is the word, cut by CutHilightWord; other lines are skipped.
void ReadHilightWordLines(const std::vector<std::string>& Lines, std::vector<std::string> (&Words)[3]);

// The kinsoku rule strings an environment's level stands for: level 0 none, 1 and 2 the presets, any other
// level the environment's own strings.
struct TKinsokuStrings {
    std::string Follow, Lead, Punctuation;  // CP932
};
TKinsokuStrings KinsokuStrings(int Level, const TEditorEnvironment& Environment);

// "qxeenv" + N + ".ini" in the program folder.
std::string EnvironmentFileName(const TGlobalState& State, int N);

// Reads an environment file. A missing file gives every default; a file that exists but cannot be read
// gives nothing (the caller keeps what it has and must not write over the file).
std::optional<TEditorEnvironment> LoadEnvironmentFile(const std::string& FileName);
// Writes the whole file in one safe write: header, [Application], [EditorEnvironment], then the word
// lists. Sections of the old file before its word lists are kept. False (and the old file untouched) when
// the old file cannot be read or the new one cannot be written.
bool SaveEnvironmentFile(const TEditorEnvironment& Environment, const std::string& FileName);

// The dialog's pair: the environment of FileName, or of number N when FileName is empty; and the working
// copy written under Name to FileName, or to environment N's file.
std::optional<TEditorEnvironment> LoadEnvironmentToDialog(const TGlobalState& State, const std::string& FileName, int N);
bool SaveEnvironment(const TGlobalState& State, TEditorEnvironment Environment, const std::string& Name, int N,
                     const std::string& FileName);

// "EnvironmentName" of environment N ("" when the file is missing or unreadable).
std::string ReadEnvironmentName(const TGlobalState& State, int N);
// "標準" (CP932), then the names of environments 1, 2, ... up to 9, ending at the first without a name.
std::vector<std::string> ListEnvironmentNames(const TGlobalState& State);

// Every piece of Text that ends with ";" ("*.txt;*.log;" gives "*.txt", "*.log").
void SplitBySemicolon(std::string_view Text, TStringList& Strings);
// Loads each environment's "FileExt" into its extension list; the list of a missing file is emptied,
// the list of an unreadable one kept.
void BindEnvironmentFileExts(TGlobalState& State);
// The environment whose list holds Pattern (any case), the first of 0..9; 0 when none does.
int EnvironmentIndexOfExt(const TGlobalState& State, std::string_view Pattern);
// "*" + the extension of a file name with its dot ("*.txt"; "*" without one).
std::string EnvironmentPatternOf(std::string_view FileName);

// Removes [EditorEnvironment<N>] from "QxEditor.ini", keeping its header; an unreadable file is left.
void EraseEnvironmentSection(const TGlobalState& State, int N);

// The nine items of an environment menu (environments 1..9): "&N name" with every "&" of the name
// doubled (UTF-8), shown only when the environment has a name.
std::vector<TMenuItemModel> BuildEditorEnvMenu(const TGlobalState& State);

} // namespace qx
