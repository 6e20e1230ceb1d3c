#pragma once
// An index of names as the ini files match them (SameText: ASCII letters without regard to case, the
// trail bytes of double-byte characters as they are), so that finding a section or a key costs the same
// however many there are. Each name maps to the first position added under it.

#include <string>
#include <string_view>
#include <unordered_map>

namespace qx {

class TNameIndex {
public:
    // The position of `name`, or -1.
    int Find(std::string_view name) const;
    // Adds `name` at `position` unless the name is there already: the first one stays.
    void Add(std::string_view name, int position);
    void Clear() { FPositions.clear(); }

    // The form in which names that SameText finds equal are equal.
    static std::string Fold(std::string_view name);

private:
    std::unordered_map<std::string, int> FPositions;
};

} // namespace qx
