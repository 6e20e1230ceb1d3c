#pragma once
// The header and footer codes: %f the file name with its folder, %F without it, %p the page number,
// %P the last page number, %y %m %d the date (no leading zeros), %t the time (H:MM:SS); "%" before any
// other character gives that character, and a "%" that ends the text is kept.

#include "print/PrintServices.h"

#include <string>
#include <string_view>

namespace qx {

struct THeaderValues {
    std::string FileName;  // the file system's bytes (UTF-8)
    int Page = 0;
    int LastPage = 0;
    TPrintDate Date;
};

// Format and the result are Shift-JIS; the file name is converted into it.
std::string ExpandHeaderFormat(std::string_view Format, const THeaderValues& Values);

} // namespace qx
