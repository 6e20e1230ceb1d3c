#pragma once
// The diary stamp: a document whose first line begins with ".LOG" gets, at its end, an empty line and a
// line with the time of opening ("hh:nn yyyy/mm/dd").

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace qx {

// The stamp line for a document whose first line is FirstLine, at the local time Now; nothing when the
// document is no diary.
std::optional<std::string> LogStampLine(std::string_view FirstLine, std::time_t Now);

} // namespace qx
