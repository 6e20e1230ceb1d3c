#include "dialogs/ClipBoardHistory.h"

#include "platform/TextCut.h"
#include "platform/Exception.h"

namespace qx {

std::string ClipHeadText(std::string_view text)
{
    return std::string(Cp932Prefix(text, kClipHeadLength));
}

void TQxClipBoardHistory::CheckIndex(int index, int limit) const
{
    if (index < 0 || index >= limit)
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

const std::string& TQxClipBoardHistory::GetText(int index) const
{
    CheckIndex(index, Count());
    return FList[index].Text;
}

const std::string& TQxClipBoardHistory::GetHeadText(int index) const
{
    CheckIndex(index, Count());
    return FList[index].Head;
}

void TQxClipBoardHistory::Clear()
{
    FList.clear();
    FTotalLength = 0;
}

void TQxClipBoardHistory::Delete(int index)
{
    CheckIndex(index, Count());
    FTotalLength -= FList[index].Text.size();
    FList.erase(FList.begin() + index);
}

void TQxClipBoardHistory::Insert(int index, const TClipRecord& record)
{
    CheckIndex(index, Count() + 1);
    FList.insert(FList.begin() + index, record);
    FTotalLength += record.Text.size();
}

void TQxClipBoardHistory::Move(int from, int to)
{
    CheckIndex(from, Count());
    CheckIndex(to, Count());  // counted after the removal, so at most Count - 1
    TClipRecord record = std::move(FList[from]);
    FList.erase(FList.begin() + from);
    FList.insert(FList.begin() + to, std::move(record));
}

void TQxClipBoardHistory::SetBuffers(int value)
{
    if (value >= 1) FBuffers = value;
}

void TQxClipBoardHistory::ClipboardChanged(const std::optional<std::string>& text)
{
    const bool own = FOwnChange && text && *text == *FOwnChange;
    if (!own) FOwnChange.reset();
    if (text && !own && FCanUpdate && FDisabled) {
        const std::size_t budget = static_cast<std::size_t>(FBuffers);
        while (!FList.empty() && FTotalLength + text->size() > budget) Delete(Count() - 1);
        Insert(0, TClipRecord{*text, ClipHeadText(*text)});
    }
    if (OnClipChange) OnClipChange(this);
}

} // namespace qx
