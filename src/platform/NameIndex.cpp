#include "platform/NameIndex.h"

#include "platform/LeadByte.h"

namespace qx {

std::string TNameIndex::Fold(std::string_view name)
{
    std::string folded(name);
    bool trail = false;
    for (char& c : folded) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (!trail && b >= 'a' && b <= 'z') c = static_cast<char>(b - 'a' + 'A');
        trail = !trail && IsDBCSLeadByte(b);
    }
    return folded;
}

int TNameIndex::Find(std::string_view name) const
{
    const auto it = FPositions.find(Fold(name));
    return it == FPositions.end() ? -1 : it->second;
}

void TNameIndex::Add(std::string_view name, int position)
{
    FPositions.emplace(Fold(name), position);
}

} // namespace qx
