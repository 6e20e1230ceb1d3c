#pragma once
// Settings files keep one value a line, and a name may hold a line feed (a file name here may): such a
// value is not stored at all, since its line would read back as two, the second naming something else.
// Every settings writer keeps to this one rule.

#include <string_view>

namespace qx {

// True when `text` holds no line end (CR or LF).
constexpr bool IsOneLine(std::string_view text)
{
    return text.find_first_of("\r\n") == std::string_view::npos;
}

} // namespace qx
