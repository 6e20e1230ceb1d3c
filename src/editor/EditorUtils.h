#pragma once
// Byte-level helpers that walk Shift-JIS text without splitting a double-byte character. Positions are
// 0-based byte offsets.

#include <string>
#include <string_view>

namespace qx {

// How many bytes equal to C stand among the first min(S.size(), Count) bytes of S; 0 when Count < 1.
int CountChar(std::string_view S, char C, int Count);

// True when byte Index of S is the lead byte of a double-byte character. A lead byte that ends the
// string has no trail byte: it is a single-byte character.
bool IsLeadByteAt(std::string_view S, int Index);
// True when byte Index of S is the trail byte of a double-byte character.
bool IsTrailByteAt(std::string_view S, int Index);
// Byte Index of S; 0 when Index is outside the string.
unsigned char CharAt(std::string_view S, int Index);
// True when Sub occurs in S starting at a character boundary.
bool DBCSContains(std::string_view Sub, std::string_view S);

inline int Max(int A, int B) { return A > B ? A : B; }
inline int Min(int A, int B) { return A < B ? A : B; }

} // namespace qx
