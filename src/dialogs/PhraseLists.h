#pragma once
// The five phrase lists the word assistant offers and the phrase editor edits: "word1.dat" ..
// "word5.dat" in the program folder, one phrase a line (the tools' text-list format). A missing list is
// created on first use: the first with the built-in face marks, the others with one placeholder line.

#include "platform/StringList.h"

#include <span>
#include <string>

namespace qx {

constexpr int PhraseListCount = 5;

// The built-in content of the first list (UTF-8 source text; every entry has a code page 932 form).
std::span<const char* const> FaceMarks();
// The one line of an empty or new list (UTF-8).
constexpr const char* kPhrasePlaceholder = "好きな文字列を登録して下さい。";

// `folder` (ending with "/") + "word" + N + ".dat", N 1..5.
std::string PhraseFileName(const std::string& folder, int N);
// The content a missing list N is created with (Shift-JIS).
TStringList DefaultPhraseList(int N);
// The lines of list N; a missing file is created with DefaultPhraseList(N) first.
TStringList LoadPhraseList(const std::string& folder, int N);

} // namespace qx
