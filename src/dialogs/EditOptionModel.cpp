#include "dialogs/EditOptionModel.h"

#include "documents/MessageDialog.h"
#include "documents/MessageTexts.h"
#include "platform/Exception.h"
#include "platform/FileBytes.h"

namespace qx {

const char* const kEditOptionPageCaptions[kEditOptionPageCount] = {
    "   基本",   "  表示 1",  "  表示 2", "ﾌｫﾝﾄ/ｻｲｽﾞ", "ｶﾗｰ/ｽﾀｲﾙ", "強調表示 1", "強調表示 2", " 折り返し",
    "禁則処理", "   ﾙｰﾗ", "  行番号", "ﾊｲﾊﾟｰﾘﾝｸ", "   ｶｰｿﾙ", "排他制御", " ﾊﾞｯｸｱｯﾌﾟ", "自動保存",
};

namespace {

void ShowError(TPrompter& Prompter, const std::string& Text)
{
    ShowMessageDialog(Prompter, Text, "", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
}

} // namespace

void TEditOptionModel::Show(int CurrentEnvironment)
{
    SetNames(ListEnvironmentNames(FState), CurrentEnvironment);
}

void TEditOptionModel::SetNames(std::vector<std::string> Names, int Index)
{
    FNames = std::move(Names);
    // A number the list does not reach (its file gone, or a gap before it) shows the standard one.
    SelectEnvironment(Index >= 0 && Index < static_cast<int>(FNames.size()) ? Index : 0);
}

void TEditOptionModel::SelectEnvironment(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(FNames.size())) {
        FIndex = -1;
        return;
    }
    FIndex = Index;
    FPage = -1;
    const std::optional<TEditorEnvironment> Loaded = LoadEnvironmentToDialog(FState, "", Index);
    Record = Loaded.value_or(TEditorEnvironment{});
    if (!Loaded) ShowError(FPrompter, MsgFileReadError(EnvironmentFileName(FState, Index), ""));
    SelectPage(0);
}

bool TEditOptionModel::SelectPage(int Page)
{
    if (Page == FPage || Page < 0 || Page >= kEditOptionPageCount) return false;
    FPage = Page;
    return true;
}

bool TEditOptionModel::Apply(TEditOptionHost& Host)
{
    if (FIndex < 0) return true;
    if (!SaveEnvironment(FState, Record, FNames[FIndex], FIndex, "")) {
        ShowError(FPrompter, MsgFileWriteError(EnvironmentFileName(FState, FIndex), ""));
        return false;
    }
    const int Current = Host.CurrentEnvironment();
    if (Current >= 0) Host.ApplyToCurrentTab(Current);
    BindEnvironmentFileExts(FState);
    Host.Refresh();
    return true;
}

std::string HilightFileBytes(const std::vector<std::string> (&Words)[3])
{
    std::string Bytes;
    for (std::string_view Line : {std::string_view("// QxEditor for Windows 強調表示定義ファイル"), FormatVersionText,
                                  std::string_view("// -----------------------------------------"), std::string_view()})
        Bytes.append(Utf8ToCp932(Line)).append("\r\n");
    for (int List = 0; List < 3; ++List)
        for (const std::string& Word : Words[List])
            Bytes.append("[").append(1, static_cast<char>('1' + List)).append("]").append(Word).append("\r\n");
    return Bytes;
}

bool LoadHilightFile(const std::string& FileName, std::vector<std::string> (&Words)[3])
{
    std::string Bytes;
    try {
        if (!ReadFileBytes(FileName, Bytes)) return false;
    } catch (const Exception&) {
        return false;
    }
    TStringList Lines;
    Lines.SetText(Bytes);
    ReadHilightWordLines(Lines.Items(), Words);
    return true;
}

bool SaveHilightFile(const std::string& FileName, const std::vector<std::string> (&Words)[3])
{
    try {
        WriteFileBytesSafely(FileName, HilightFileBytes(Words));
        return true;
    } catch (const Exception&) {
        return false;
    }
}

} // namespace qx
