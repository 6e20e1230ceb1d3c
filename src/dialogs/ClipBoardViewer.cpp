#include "dialogs/ClipBoardViewer.h"

#include "documents/MessageDialog.h"
#include "dialogs/ClipBoardHistory.h"

namespace qx {

namespace {

bool Valid(const TQxClipBoardHistory& History, int Index) { return Index >= 0 && Index < History.Count(); }

} // namespace

std::vector<std::string> TClipBoardViewerModel::ListLines() const
{
    std::vector<std::string> lines;
    for (int i = 0; i < FHistory.Count(); ++i) {
        std::string head = FHistory.GetHeadText(i);
        for (char& c : head)
            if (c == '\r' || c == '\n' || c == '\t') c = ' ';
        lines.push_back(std::move(head));
    }
    return lines;
}

std::string TClipBoardViewerModel::Text(int Index) const
{
    return Valid(FHistory, Index) ? FHistory.GetText(Index) : std::string();
}

std::string TClipBoardViewerModel::SizeText(int Index) const
{
    return std::to_string(Valid(FHistory, Index) ? FHistory.GetText(Index).size() : 0) + " Byte";
}

std::string TClipBoardViewerModel::TotalText() const
{
    const int budget = FHistory.Buffers();
    return std::to_string(FHistory.TotalLength()) + " / " + std::to_string(budget) + " Byte (" +
           std::to_string(budget / 1024) + " KB)";
}

bool TClipBoardViewerModel::TakeOut(int Index, TPrompter& Prompter)
{
    if (!Valid(FHistory, Index)) {
        ShowMessageDialog(Prompter, "取り出す項目を選択してください。", "確認", TMsgDlgType::mtInformation,
                          {TMsgDlgBtn::mbOK});
        return false;
    }
    const std::string text = FHistory.GetText(Index);
    // The entry moves to the top; the clipboard's own notice of this text, now or later, adds nothing.
    FHistory.Move(Index, 0);
    FHistory.ExpectOwnChange(text);
    const bool allowed = FHistory.Disabled();
    FHistory.SetDisabled(false);
    FSetClipboardText(text);
    FHistory.SetDisabled(allowed);
    return true;
}

void TClipBoardViewerModel::Delete(int Index)
{
    if (Valid(FHistory, Index)) FHistory.Delete(Index);
}

void TClipBoardViewerModel::Clear() { FHistory.Clear(); }

} // namespace qx
