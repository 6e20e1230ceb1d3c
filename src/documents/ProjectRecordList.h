#pragma once
// The records of a project tree (the open project's items, the project clipboard). Only what the
// global state needs to hold them; the project file gives the records their full life.

#include <memory>
#include <string>
#include <vector>

namespace qx {

struct TProjectRecord {
    int Type = 0;
    int Level = 0;
    std::string Name;
    std::string Comment;
    bool Lock = false;
    std::string Ext;
};

class TProjectRecordList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TProjectRecord& Items(int index) { return *FItems.at(static_cast<std::size_t>(index)); }
    const TProjectRecord& Items(int index) const { return *FItems.at(static_cast<std::size_t>(index)); }
    TProjectRecord& Add()
    {
        FItems.push_back(std::make_unique<TProjectRecord>());
        return *FItems.back();
    }
    void Clear() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<TProjectRecord>> FItems;
};

} // namespace qx
