#include "documents/EditorEnvironment.h"

#include "documents/SettingsFile.h"
#include "platform/Exception.h"
#include "platform/FileBytes.h"
#include "platform/LeadByte.h"
#include "platform/OneLine.h"
#include "platform/SettingsBytes.h"

namespace qx {

namespace {

// An environment file split at its word lists: the ini part before "[EditorHilightStrings]" and the
// lines after it.
struct TEnvironmentText {
    bool Exists = false;
    TMemIniFile Ini{std::string()};
    std::vector<std::string> WordLines;
};

bool IsHilightLine(std::string_view Line) { return SameText(TrimBlanks(Line), kHilightSection); }

// Nothing when the file exists but cannot be read.
std::optional<TEnvironmentText> ReadEnvironmentText(const std::string& FileName)
{
    TEnvironmentText Text;
    std::string Bytes;
    try {
        Text.Exists = ReadSettingsFileBytes(FileName, Bytes);
    } catch (const Exception& E) {
        ReportSettingsRefusal(E);
        return std::nullopt;
    }
    TStringList Lines;
    Lines.SetText(Bytes);
    TStringList Before;
    int I = 0;
    for (; I < Lines.Count() && !IsHilightLine(Lines[I]); ++I) Before.Add(Lines[I]);
    for (++I; I < Lines.Count(); ++I) Text.WordLines.push_back(Lines[I]);
    Text.Ini.SetStrings(Before);
    return Text;
}

TEditorEnvironment EnvironmentOf(const TEnvironmentText& Text)
{
    TEditorEnvironment Environment;
    TKeyReader Reader(Text.Ini, kEnvironmentSection);
    Reader.Str("EnvironmentName", Environment.EnvironmentName);
    std::string Ext;
    Reader.Str("FileExt", Ext);
    TStringList Patterns;
    SplitBySemicolon(Ext, Patterns);
    Environment.FileExt = Patterns.Items();
    EnvironmentKeys(Reader, Environment);
    ReadHilightWordLines(Text.WordLines, Environment.HilightWords);
    return Environment;
}

TStringList EnvironmentHeader()
{
    TStringList Header;
    for (std::string_view Line : {kEnvironmentTitle, std::string_view("// --------------------------------------------"),
                                  std::string_view()})
        Header.Add(Utf8ToCp932(Line));
    return Header;
}

} // namespace

std::string CutHilightWord(std::string_view Word)
{
    std::size_t End = 0;
    while (End < Word.size()) {
        const std::size_t Next = End + ((IsDBCSLeadByte(Word[End]) && End + 1 < Word.size()) ? 2 : 1);
        if (Next > kHilightWordMax) break;
        End = Next;
    }
    return std::string(Word.substr(0, End));
}

void ReadHilightWordLines(const std::vector<std::string>& Lines, std::vector<std::string> (&Words)[3])
{
    for (auto& List : Words) List.clear();
    for (const std::string& Line : Lines) {
        if (Line.size() < 2 || Line[1] < '1' || Line[1] > '3') continue;
        Words[Line[1] - '1'].push_back(CutHilightWord(Line.size() > 3 ? std::string_view(Line).substr(3) : ""));
    }
}

TKinsokuStrings KinsokuStrings(int Level, const TEditorEnvironment& Environment)
{
    static const TKinsokuStrings Presets[2] = {
        {Utf8ToCp932("、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ"), Utf8ToCp932("（［｛「『([{｢"),
         Utf8ToCp932("、。，．,.｡､")},
        {Utf8ToCp932("、。，．・：；？！゛゜ヽヾゝゞ々ー’”）〕］｝〉》」』】°′″℃￠％ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ"
                     "!%),.:;?]}｡｣､･ｧｨｩｪｫｬｭｮｯｰﾞﾟ"),
         Utf8ToCp932("‘“（〔［｛〈《「『【￥＄$([\\{｢"), Utf8ToCp932("、。，．,.｡､")},
    };
    switch (Level) {
    case 0: return {};
    case 1:
    case 2: return Presets[Level - 1];
    default: return {Environment.FollowString, Environment.LeadString, Environment.PunctuationString};
    }
}

std::string EnvironmentFileName(const TGlobalState& State, int N)
{
    return State.ProgramFile("qxeenv" + std::to_string(N) + ".ini");
}

std::optional<TEditorEnvironment> LoadEnvironmentFile(const std::string& FileName)
{
    const std::optional<TEnvironmentText> Text = ReadEnvironmentText(FileName);
    if (!Text) return std::nullopt;
    return EnvironmentOf(*Text);
}

bool SaveEnvironmentFile(const TEditorEnvironment& Environment, const std::string& FileName)
{
    std::optional<TEnvironmentText> Text = ReadEnvironmentText(FileName);
    if (!Text) return false;
    TMemIniFile& Ini = Text->Ini;
    WriteApplicationSection(Ini, true);
    TKeyWriter Writer(Ini, kEnvironmentSection);
    Writer.Str("EnvironmentName", Environment.EnvironmentName);
    std::string Ext;
    for (const std::string& Pattern : Environment.FileExt) Ext += Pattern + ";";
    Writer.Str("FileExt", Ext);
    EnvironmentKeys(Writer, Environment);
    Ini.SetHeader(EnvironmentHeader());

    std::string Bytes = Ini.FileBytes();
    Bytes.append(kHilightSection).append("\r\n");
    for (int List = 0; List < 3; ++List)
        for (const std::string& Word : Environment.HilightWords[List])
            if (IsOneLine(Word))
                Bytes.append("[").append(1, static_cast<char>('1' + List)).append("]").append(Word).append("\r\n");
    try {
        WriteFileBytesSafely(FileName, Bytes);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

std::optional<TEditorEnvironment> LoadEnvironmentToDialog(const TGlobalState& State, const std::string& FileName, int N)
{
    return LoadEnvironmentFile(FileName.empty() ? EnvironmentFileName(State, N) : FileName);
}

bool SaveEnvironment(const TGlobalState& State, TEditorEnvironment Environment, const std::string& Name, int N,
                     const std::string& FileName)
{
    Environment.EnvironmentName = Name;
    return SaveEnvironmentFile(Environment, FileName.empty() ? EnvironmentFileName(State, N) : FileName);
}

std::string ReadEnvironmentName(const TGlobalState& State, int N)
{
    const std::optional<TEnvironmentText> Text = ReadEnvironmentText(EnvironmentFileName(State, N));
    std::string Name;
    if (Text) TKeyReader(Text->Ini, kEnvironmentSection).Str("EnvironmentName", Name);
    return Name;
}

std::vector<std::string> ListEnvironmentNames(const TGlobalState& State)
{
    std::vector<std::string> Names{Utf8ToCp932("標準")};
    for (int N = 1; N < EnvironmentCount; ++N) {
        std::string Name = ReadEnvironmentName(State, N);
        if (Name.empty()) break;
        Names.push_back(std::move(Name));
    }
    return Names;
}

void SplitBySemicolon(std::string_view Text, TStringList& Strings)
{
    Strings.Clear();
    for (std::size_t Start = 0, End; (End = Text.find(';', Start)) != std::string_view::npos; Start = End + 1)
        Strings.Add(std::string(Text.substr(Start, End - Start)));
}

void BindEnvironmentFileExts(TGlobalState& State)
{
    for (int N = 0; N < EnvironmentCount; ++N) {
        const std::optional<TEnvironmentText> Text = ReadEnvironmentText(EnvironmentFileName(State, N));
        if (!Text) continue;  // unreadable: the list stays as it was
        std::string Ext;
        TKeyReader(Text->Ini, kEnvironmentSection).Str("FileExt", Ext);
        SplitBySemicolon(Ext, State.EnvExtList[N]);  // a missing file reads as empty
    }
}

int EnvironmentIndexOfExt(const TGlobalState& State, std::string_view Pattern)
{
    for (int N = 0; N < EnvironmentCount; ++N)
        if (State.EnvExtList[N].IndexOf(Pattern) >= 0) return N;
    return 0;
}

std::string EnvironmentPatternOf(std::string_view FileName)
{
    const std::size_t Slash = FileName.rfind('/');
    const std::size_t Dot = FileName.rfind('.');
    if (Dot == std::string_view::npos || (Slash != std::string_view::npos && Dot < Slash)) return "*";
    return "*" + std::string(FileName.substr(Dot));
}

void EraseEnvironmentSection(const TGlobalState& State, int N)
{
    std::optional<TMemIniFile> Ini = OpenSettingsFile(State.ProgramFile(IniFileName));
    const std::string Section = std::string(kEnvironmentSection) + std::to_string(N);
    if (!Ini || !Ini->SectionExists(Section)) return;
    Ini->EraseSection(Section);
    WriteSettingsFile(*Ini, kMainSettingsTitle);
}

std::vector<TMenuItemModel> BuildEditorEnvMenu(const TGlobalState& State)
{
    std::vector<TMenuItemModel> Items(EnvironmentCount - 1);
    for (int N = 1; N < EnvironmentCount; ++N) {
        const std::string Name = ReadEnvironmentName(State, N);
        TMenuItemModel& Item = Items[N - 1];
        Item.Visible = !Name.empty();
        if (Item.Visible) Item.Caption = "&" + std::to_string(N) + " " + EscapeAmpersands(Cp932ToUtf8(Name));
    }
    return Items;
}

} // namespace qx
