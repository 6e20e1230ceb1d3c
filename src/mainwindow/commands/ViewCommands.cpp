#include "mainwindow/commands/ViewCommands.h"

#include "documents/MessageDialog.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "platform/LeadByte.h"

namespace qx {

std::string BookmarkLabel(std::string_view rowText)
{
    if (rowText.size() <= BookmarkLabelBytes) return std::string(rowText);
    std::size_t end = 0;
    while (end < rowText.size()) {
        const std::size_t next = end + CharLengthAt(rowText, end);
        if (next > BookmarkLabelBytes) break;
        end = next;
    }
    return std::string(rowText.substr(0, end)) + " ...";
}

std::string BookmarkMenuCaption(int bookmark, std::string_view sjisLabel)
{
    std::string caption = "&" + std::to_string(bookmark) + " ";
    for (char c : Cp932ToUtf8(sjisLabel)) {
        if (c == '&') caption += '&';
        caption += c;
    }
    return caption;
}

std::optional<int> InputWrapByte(TPrompter& prompter, int currentWrapByte)
{
    std::string text = std::to_string(currentWrapByte);
    if (!prompter.InputQuery("折り返し文字数の指定", "折り返し文字数：", text)) return std::nullopt;
    int value;
    if (TryStrToInt(TrimBlanks(text), value)) return value;
    ShowMessageDialog(prompter, "「" + text + "」は正しい整数ではありません。", "", TMsgDlgType::mtError,
                      {TMsgDlgBtn::mbOK});
    return std::nullopt;
}

void ReportReconversionUnsupported(TPrompter& prompter)
{
    ShowMessageDialog(prompter, "サポートされていません。", "エラー", TMsgDlgType::mtError, {TMsgDlgBtn::mbOK});
}

} // namespace qx
