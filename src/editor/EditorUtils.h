#pragma once
// Byte-level helpers that walk Shift-JIS text without splitting a double-byte character, and the small
// text helpers used by indenting and by the string lists. Positions are 0-based byte offsets.

#include "platform/StringList.h"

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

// Replaces the list's contents by the lines of the zero-terminated Text (null: the list is emptied).
// CR, LF and CR LF end a line; a final line end adds no empty line.
void TextToStrings(const char* Text, TStringList& List);

// Display width of the leading half-width (1) and full-width (2) spaces; -1 for an empty string.
int LeadingBlankWidth(std::string_view S);
// S without its leading control bytes, half-width and full-width spaces.
std::string TrimLeadingBlanks(std::string_view S);

} // namespace qx
