#pragma once
// The records of a project tree: the open project's items and the project item clipboard.
//
// A list holds its records in tree pre-order: a record's parent is the nearest record before it whose
// Level is one less (Level 0 hangs under the project root), and the subtree of record i is record i and
// the records after it while their Level is greater. Node number = record index + 1; node 0 is the root.
//
// Strings are held as the project file holds them: Shift-JIS bytes, except the path of a link, which is
// the file system's own bytes. The list lives in the global state (documents), so it is header-only.

#include "platform/Exception.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qx {

enum class TProjectNodeType : std::uint8_t { ntBox = 0, ntFolder = 1, ntLink = 2, ntImport = 3, ntTrash = 4 };

struct TProjectRecListItem {
    TProjectNodeType NodeType = TProjectNodeType::ntBox;
    int Level = 0;
    std::string Name;
    int Lock = 0;  // 1: the item cannot be dragged
    std::string Comment;
    std::string Ext;   // a pattern such as "*.txt" that picks the editor environment
    std::string Text;  // ntImport: the stored text; ntLink: the linked file's path; else empty
    int ItemId = 0;    // unique within the open project, never stored in the file

    bool operator==(const TProjectRecListItem&) const = default;
};

// Every index fault of a record list raises this one message.
inline constexpr std::string_view ProjectListIndexError = "QxProject:インデックスがリストの範囲を超えています";

class TProjectRecordList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }

    // Stores a copy of `record` at `index` (0..Count).
    void Insert(int index, TProjectRecListItem record)
    {
        if (index < 0 || index > Count()) Error();
        FItems.insert(FItems.begin() + index, std::move(record));
    }
    // Stores copies of `records` at `index` (0..Count), moving the records behind them once.
    void InsertRange(int index, std::vector<TProjectRecListItem> records)
    {
        if (index < 0 || index > Count()) Error();
        FItems.insert(FItems.begin() + index, std::make_move_iterator(records.begin()),
                      std::make_move_iterator(records.end()));
    }
    int Add(TProjectRecListItem record)
    {
        FItems.push_back(std::move(record));
        return Count() - 1;
    }

    TProjectRecListItem& Items(int index) { return FItems[Checked(index)]; }
    const TProjectRecListItem& Items(int index) const { return FItems[Checked(index)]; }

    void Delete(int index) { FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(Checked(index))); }
    // Removes records [index, index + count) and returns them.
    std::vector<TProjectRecListItem> Extract(int index, int count)
    {
        if (index < 0 || count < 0 || index + count > Count()) Error();
        std::vector<TProjectRecListItem> out(std::make_move_iterator(FItems.begin() + index),
                                             std::make_move_iterator(FItems.begin() + index + count));
        FItems.erase(FItems.begin() + index, FItems.begin() + index + count);
        return out;
    }
    void Clear() { FItems.clear(); }

    TProjectNodeType NodeTypes(int index) const { return Items(index).NodeType; }
    int Levels(int index) const { return Items(index).Level; }
    const std::string& Names(int index) const { return Items(index).Name; }
    const std::string& Texts(int index) const { return Items(index).Text; }
    int Locks(int index) const { return Items(index).Lock; }
    const std::string& Comments(int index) const { return Items(index).Comment; }
    const std::string& Exts(int index) const { return Items(index).Ext; }
    int ItemIds(int index) const { return Items(index).ItemId; }

    // The index just past the subtree of record `index`.
    int SubtreeEnd(int index) const
    {
        const int level = Levels(index);
        int end = index + 1;
        while (end < Count() && FItems[static_cast<std::size_t>(end)].Level > level) ++end;
        return end;
    }

    const std::vector<TProjectRecListItem>& Records() const { return FItems; }

private:
    [[noreturn]] static void Error() { throw EListError(std::string(ProjectListIndexError)); }
    std::size_t Checked(int index) const
    {
        if (index < 0 || index >= Count()) Error();
        return static_cast<std::size_t>(index);
    }

    std::vector<TProjectRecListItem> FItems;
};

// Fills a record.
inline void MakeProjectRecord(TProjectNodeType nodeType, int level, std::string name, TProjectRecListItem& record,
                              int itemId, std::string text = {}, std::string ext = {}, std::string comment = {},
                              int lock = 0)
{
    record = TProjectRecListItem{nodeType, level, std::move(name), lock, std::move(comment), std::move(ext),
                                 std::move(text), itemId};
}

// The `count` smallest non-negative numbers that no record of `list` has, in increasing order: the ids
// that `count` records added one by one would get.
inline std::vector<int> NewProjectItemIds(const TProjectRecordList& list, int count)
{
    const std::size_t limit = static_cast<std::size_t>(list.Count()) + static_cast<std::size_t>(count);
    std::vector<bool> used(limit, false);
    for (const TProjectRecListItem& r : list.Records())
        if (r.ItemId >= 0 && static_cast<std::size_t>(r.ItemId) < limit) used[static_cast<std::size_t>(r.ItemId)] = true;
    std::vector<int> ids;
    for (std::size_t id = 0; id < limit && static_cast<int>(ids.size()) < count; ++id)
        if (!used[id]) ids.push_back(static_cast<int>(id));
    return ids;
}

// The smallest non-negative number that no record of `list` has as its ItemId.
inline int NewProjectItemId(const TProjectRecordList& list) { return NewProjectItemIds(list, 1).front(); }

} // namespace qx
