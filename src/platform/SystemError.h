#pragma once
// The system's reason for a failed file operation, in Japanese, for the messages the user reads.

#include <string>

namespace qx {

// The reason errno Error stands for ("アクセスが拒否されました。"); a code without a text of its own
// gives the system's text with its number.
std::string SystemErrorText(int Error);
// "ファイル「Path」を開けません。" and "…を読み込めません。", with the reason errno Error stands for.
std::string FileOpenErrorText(const std::string& Path, int Error);
std::string FileReadErrorText(const std::string& Path, int Error);

} // namespace qx
