#include "dialogs/ProjectTree.h"

namespace qx {

void TProjectTree::Build(const TProjectRecordList& records)
{
    const int count = records.Count();
    FParent.assign(static_cast<std::size_t>(count), -1);
    FRow.assign(static_cast<std::size_t>(count), 0);
    FChildren.assign(static_cast<std::size_t>(count) + 1, {});
    // The last record seen at each level: the nearest one before the current record.
    std::vector<int> lastAtLevel;
    for (int i = 0; i < count; ++i) {
        const int level = records.Levels(i);
        int parent = -1;
        if (level > 0 && level - 1 < static_cast<int>(lastAtLevel.size()))
            parent = lastAtLevel[static_cast<std::size_t>(level - 1)];
        if (level >= 0) {
            if (level >= static_cast<int>(lastAtLevel.size())) lastAtLevel.resize(static_cast<std::size_t>(level) + 1, -1);
            lastAtLevel[static_cast<std::size_t>(level)] = i;
        }
        std::vector<int>& siblings = FChildren[static_cast<std::size_t>(parent + 1)];
        FParent[static_cast<std::size_t>(i)] = parent;
        FRow[static_cast<std::size_t>(i)] = static_cast<int>(siblings.size());
        siblings.push_back(i);
    }
}

} // namespace qx
