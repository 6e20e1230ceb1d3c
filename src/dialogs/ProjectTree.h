#pragma once
// The shape of a project tree, derived from its record list in one pass: each record's parent, its row
// among its parent's children, and every node's children. Node -1 is the project root.

#include "documents/ProjectRecordList.h"

#include <vector>

namespace qx {

class TProjectTree {
public:
    // Parent of record i: the nearest record before it whose Level is one less; -1 (the root) for
    // Level 0 or when there is none.
    void Build(const TProjectRecordList& records);

    int Count() const { return static_cast<int>(FParent.size()); }
    int Parent(int index) const { return FParent[static_cast<std::size_t>(index)]; }
    int Row(int index) const { return FRow[static_cast<std::size_t>(index)]; }
    // The children of record `index` (-1: of the root), in list order.
    const std::vector<int>& Children(int index) const { return FChildren[static_cast<std::size_t>(index + 1)]; }

private:
    std::vector<int> FParent;
    std::vector<int> FRow;
    std::vector<std::vector<int>> FChildren;  // [0] the root's, [i + 1] record i's
};

} // namespace qx
