#pragma once
// Plain UTF-8 <-> UTF-16 conversion for the program's own texts (source constants, file names shown in
// the window). Invalid input becomes U+FFFD, one per bad byte or lone surrogate.

#include <string>
#include <string_view>

namespace qx {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

} // namespace qx
