#pragma once
// The clipboard viewer's logic ("クリップボードビューア"): the history's entries as list lines, the size
// texts, and the take-out, delete and clear buttons. The window (dialogs/qt) shows these and refreshes
// on every change of the history.

#include <functional>
#include <string>
#include <vector>

namespace qx {

class TPrompter;
class TQxClipBoardHistory;

class TClipBoardViewerModel {
public:
    // SetClipboardText puts a Shift-JIS text on the clipboard as text.
    TClipBoardViewerModel(TQxClipBoardHistory& History, std::function<void(const std::string&)> SetClipboardText)
        : FHistory(History), FSetClipboardText(std::move(SetClipboardText)) {}

    // One line per entry, newest first: its head (Shift-JIS) with line breaks and tabs as blanks.
    std::vector<std::string> ListLines() const;
    // The entry's text, "" for no entry.
    std::string Text(int Index) const;
    // "N Byte" for an entry; "0 Byte" for none.
    std::string SizeText(int Index) const;
    // "used / budget Byte (budget div 1024 KB)".
    std::string TotalText() const;

    // "取り出し": the entry goes onto the clipboard and to the top of the history, recorded once; with no
    // entry chosen, "取り出す項目を選択してください。". False when nothing was taken out.
    bool TakeOut(int Index, TPrompter& Prompter);
    // "削除" and "全て削除".
    void Delete(int Index);
    void Clear();

private:
    TQxClipBoardHistory& FHistory;
    std::function<void(const std::string&)> FSetClipboardText;
};

} // namespace qx
