#include "dialogs/EditOptionRules.h"

#include "documents/MessageDialog.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"

#include <algorithm>
#include <charconv>

namespace qx {

std::string ExtensionPattern(std::string_view Answer)
{
    std::string_view Text = TrimBlanks(Answer);
    if (Text.starts_with("*.")) Text.remove_prefix(2);
    else if (Text.starts_with(".")) Text.remove_prefix(1);
    return Text.empty() ? std::string() : "*." + std::string(Text);
}

TExtensionAnswer AddExtension(TEditorEnvironment& Record, std::string_view Answer, TPrompter& Prompter)
{
    if (Answer.find(';') != std::string_view::npos) {
        ShowMessageDialog(Prompter, "拡張子に「;」は使えません。", "", TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK});
        return TExtensionAnswer::Refused;
    }
    const std::string Pattern = ExtensionPattern(Answer);
    if (Pattern.empty()) return TExtensionAnswer::Ignored;
    Record.FileExt.push_back(Utf8ToCp932(Pattern));
    return TExtensionAnswer::Added;
}

void DeleteExtension(TEditorEnvironment& Record, int Index)
{
    if (Index >= 0 && Index < static_cast<int>(Record.FileExt.size())) Record.FileExt.erase(Record.FileExt.begin() + Index);
}

using E = TEditorEnvironment;
const TColorElement kColorElements[kColorElementCount] = {
    {"普通の文字", &E::EditNorStrColor1, &E::EditNorStrColor2, &E::EditNorStrStyle, nullptr},
    {"選択範囲", &E::EditSelStrColor1, &E::EditSelStrColor2, nullptr, nullptr},
    {"現在行", &E::EditCurLineColor1, &E::EditCurLineColor2, &E::EditCurLineStyle, nullptr},
    {"強調文字列 1", &E::EditHilStrColor1, &E::EditHilStrColor2, &E::EditHilStrStyle, nullptr},
    {"強調文字列 2", &E::EditHilStr2Color1, &E::EditHilStr2Color2, &E::EditHilStr2Style, nullptr},
    {"強調文字列 3", &E::EditHilStr3Color1, &E::EditHilStr3Color2, &E::EditHilStr3Style, nullptr},
    {"文字定数", &E::EditStrColor1, &E::EditStrColor2, &E::EditStrStyle, nullptr},
    {"数値", &E::EditIntColor1, &E::EditIntColor2, &E::EditIntStyle, nullptr},
    {"コメント", &E::CommentColor1, &E::CommentColor2, &E::CommentStyle, nullptr},
    {"メールアドレス", &E::MailAddressColor1, &E::MailAddressColor2, &E::MailAddressStyle, nullptr},
    {"URL", &E::UrlColor1, &E::UrlColor2, &E::UrlStyle, nullptr},
    {"ファイル名", &E::FileColor1, &E::FileColor2, &E::FileStyle, nullptr},
    {"改行マーク", &E::ReturnMarkColor, nullptr, nullptr, nullptr},
    {"Tabマーク", &E::TabMarkColor, nullptr, nullptr, nullptr},
    {"半角空白マーク", &E::SSpaceMarkColor, nullptr, nullptr, &E::SSpaceMarkStyle},
    {"全角空白マーク", &E::DSpaceMarkColor, nullptr, nullptr, &E::DSpaceMarkStyle},
    {"[EOF]マーク", &E::EofMarkColor, nullptr, nullptr, nullptr},
    {"折り返しマーク", &E::WrapMarkColor, nullptr, nullptr, nullptr},
    {"アンダーライン", &E::UnderlineColor, nullptr, nullptr, nullptr},
    {"カラムライン", &E::ColumnLineColor, nullptr, nullptr, nullptr},
};

TColor ElementBackground(const TEditorEnvironment& Record, int Element)
{
    const TColorElement& El = kColorElements[Element];
    return El.Back ? Record.*El.Back : Record.EditNorStrColor2;
}

void SetElementStyle(TEditorEnvironment& Record, int Element, TFontStyle Style, bool On)
{
    const TColorElement& El = kColorElements[Element];
    if (!El.Style) return;
    TFontStyles& Styles = Record.*El.Style;
    if (On) Styles.Include(Style);
    else Styles.Exclude(Style);
}

bool UnifyBackgrounds(TEditorEnvironment& Record, TPrompter& Prompter, const std::function<void()>& Beep)
{
    if (Beep) Beep();
    const int Answer = ShowMessageDialog(
        Prompter, "選択範囲以外のすべての背景色を「普通の文字」で指定されている背景色と同じにします。\n変更してもよろしいですか？",
        "確認", TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo});
    if (Answer != mr::Yes) return false;
    for (int I = 2; I <= 11; ++I) Record.*kColorElements[I].Back = Record.EditNorStrColor2;
    return true;
}

void ResetColors(TEditorEnvironment& Record)
{
    // The record's own defaults are the page's: one place holds them.
    const TEditorEnvironment Defaults;
    for (const TColorElement& El : kColorElements) {
        Record.*El.Text = Defaults.*El.Text;
        if (El.Back) Record.*El.Back = Defaults.*El.Back;
        if (El.Style) Record.*El.Style = Defaults.*El.Style;
        if (El.Dotted) Record.*El.Dotted = Defaults.*El.Dotted;
    }
}

namespace {

std::vector<std::string>* WordsOf(TEditorEnvironment& Record, int List)
{
    return List >= 0 && List < 3 ? &Record.HilightWords[List] : nullptr;
}

bool HasWord(const std::vector<std::string>* Words, int Index)
{
    return Words && Index >= 0 && Index < static_cast<int>(Words->size());
}

} // namespace

int AddHilightWord(TEditorEnvironment& Record, int List, std::string_view Word)
{
    std::vector<std::string>* Words = WordsOf(Record, List);
    if (!Words) return -1;
    Words->insert(Words->begin(), CutHilightWord(Word));
    return 0;
}

int ChangeHilightWord(TEditorEnvironment& Record, int List, int Index, std::string_view Word)
{
    std::vector<std::string>* Words = WordsOf(Record, List);
    if (!HasWord(Words, Index)) return -1;
    (*Words)[Index] = CutHilightWord(Word);
    return Index;
}

int DeleteHilightWord(TEditorEnvironment& Record, int List, int Index)
{
    std::vector<std::string>* Words = WordsOf(Record, List);
    if (!HasWord(Words, Index)) return -1;
    Words->erase(Words->begin() + Index);
    return std::min(Index, static_cast<int>(Words->size()) - 1);
}

int MoveHilightWord(TEditorEnvironment& Record, int List, int Index, int Delta)
{
    std::vector<std::string>* Words = WordsOf(Record, List);
    if (!HasWord(Words, Index)) return -1;
    const int Target = Index + Delta;
    if (!HasWord(Words, Target)) return Index;
    std::swap((*Words)[Index], (*Words)[Target]);
    return Target;
}

void ClearHilightWords(TEditorEnvironment& Record)
{
    for (auto& Words : Record.HilightWords) Words.clear();
}

TKinsokuStrings KinsokuTexts(const TEditorEnvironment& Record) { return KinsokuStrings(Record.WrapStrLevel, Record); }

void SetKinsokuLevel(TEditorEnvironment& Record, int Level) { Record.WrapStrLevel = std::clamp(Level, 0, 3); }

bool SetKinsokuText(TEditorEnvironment& Record, int Which, std::string Text)
{
    if (Record.WrapStrLevel != 3) return false;
    std::string* Fields[3] = {&Record.FollowString, &Record.LeadString, &Record.PunctuationString};
    if (Which < 0 || Which > 2) return false;
    *Fields[Which] = std::move(Text);
    return true;
}

std::string_view CharsetName(int Charset)
{
    switch (Charset) {
    case 0: return "ANSI_CHARSET";
    case 2: return "SYMBOL_CHARSET";
    case 77: return "MAC_CHARSET";
    case 128: return "SHIFTJIS_CHARSET";
    case 129: return "HANGEUL_CHARSET";
    case 130: return "JOHAB_CHARSET";
    case 134: return "GB2312_CHARSET";
    case 136: return "CHINESEBIG5_CHARSET";
    case 161: return "GREEK_CHARSET";
    case 162: return "TURKISH_CHARSET";
    case 163: return "VIETNAMESE_CHARSET";
    case 177: return "HEBREW_CHARSET";
    case 178: return "ARABIC_CHARSET";
    case 186: return "BALTIC_CHARSET";
    case 204: return "RUSSIAN_CHARSET";
    case 222: return "THAI_CHARSET";
    case 238: return "EASTEUROPE_CHARSET";
    case 255: return "OEM_CHARSET";
    default: return {};
    }
}

std::vector<std::string> FontFaceList(std::vector<std::string> Installed, const TEditorEnvironment& Record)
{
    std::erase_if(Installed, [](const std::string& Face) { return Face.empty() || Face.front() == '@'; });
    std::sort(Installed.begin(), Installed.end());
    Installed.erase(std::unique(Installed.begin(), Installed.end()), Installed.end());
    const std::string Stored = Cp932ToUtf8(Record.FontName);
    if (!Stored.empty()) {
        const auto At = std::lower_bound(Installed.begin(), Installed.end(), Stored);
        if (At == Installed.end() || *At != Stored) Installed.insert(At, Stored);
    }
    return Installed;
}

int FontSizeOfText(std::string_view Text)
{
    Text = TrimBlanks(Text);
    int Size = 0;
    const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Size);
    return Error == std::errc() && End == Text.data() + Text.size() && Size > 0 ? Size : 11;
}

void SetDefaultFont(TEditorEnvironment& Record)
{
    const TEditorEnvironment Defaults;
    Record.FontName = Defaults.FontName;
    Record.FontSize = Defaults.FontSize;
    Record.FontStyle = Defaults.FontStyle;
    Record.FontCharset = kCharsetShiftJis;
}

int WrapByteForWindow(int VisibleColumns) { return std::clamp(VisibleColumns - 4, 20, 2000); }

} // namespace qx
