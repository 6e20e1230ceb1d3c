#include "editor/EditorUtils.h"

#include "platform/LeadByte.h"

#include <algorithm>

namespace qx {

int CountChar(std::string_view S, char C, int Count)
{
    if (Count < 1) return 0;
    const std::size_t n = std::min<std::size_t>(S.size(), static_cast<std::size_t>(Count));
    int result = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (S[i] == C) ++result;
    return result;
}

namespace {
// 0 = outside or single-byte, 1 = lead byte, 2 = trail byte.
int ByteKindAt(std::string_view S, int Index)
{
    if (Index < 0 || static_cast<std::size_t>(Index) >= S.size()) return 0;
    std::size_t i = 0;
    const auto target = static_cast<std::size_t>(Index);
    while (i <= target) {
        const std::size_t len = CharLengthAt(S, i);
        if (len == 2) {
            if (i == target) return 1;
            if (i + 1 == target) return 2;
        }
        i += len;
    }
    return 0;
}
} // namespace

bool IsLeadByteAt(std::string_view S, int Index) { return ByteKindAt(S, Index) == 1; }

bool IsTrailByteAt(std::string_view S, int Index) { return ByteKindAt(S, Index) == 2; }

unsigned char CharAt(std::string_view S, int Index)
{
    if (Index < 0 || static_cast<std::size_t>(Index) >= S.size()) return 0;
    return static_cast<unsigned char>(S[Index]);
}

bool DBCSContains(std::string_view Sub, std::string_view S)
{
    if (Sub.empty() || Sub.size() > S.size()) return false;
    for (std::size_t p = 0; p + Sub.size() <= S.size(); p += CharLengthAt(S, p))
        if (S.compare(p, Sub.size(), Sub) == 0) return true;
    return false;
}

} // namespace qx
