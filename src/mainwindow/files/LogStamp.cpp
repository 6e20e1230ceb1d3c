#include "mainwindow/files/LogStamp.h"

namespace qx {

std::optional<std::string> LogStampLine(std::string_view FirstLine, std::time_t Now)
{
    if (!FirstLine.starts_with(".LOG")) return std::nullopt;
    std::tm local{};
    localtime_r(&Now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%H:%M %Y/%m/%d", &local);
    return std::string(text);
}

} // namespace qx
