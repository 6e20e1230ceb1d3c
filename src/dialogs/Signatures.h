#pragma once
// The user's three signatures: "Sign1.txt" .. "Sign3.txt" in the program folder, kept in the tools'
// text-list format. A missing file is created with its default text the first time it is read, so the
// user finds three files to edit.

#include "platform/StringList.h"

#include <string>

namespace qx {

constexpr int SignatureCount = 3;

// `folder` (ending with "/") + "Sign" + N + ".txt", N 1..3.
std::string SignatureFileName(const std::string& folder, int N);
// The text a missing signature file is created with (Shift-JIS): "署名 N の設定を行ってください".
std::string SignatureDefaultText(int N);
// The lines of signature N; a missing file is created with the default text first.
TStringList LoadSignature(const std::string& folder, int N);
void SaveSignature(const std::string& folder, int N, const TStringList& Lines);

} // namespace qx
