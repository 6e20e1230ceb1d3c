#include "mainwindow/SystemResources.h"

namespace qx {

std::array<std::string, 3> GetSystemResourceTexts()
{
    return {kUnknownResourceText, kUnknownResourceText, kUnknownResourceText};
}

std::string ResourceStatusText(int statusInfo)
{
    static constexpr const char* kLabels[] = {"System resource: ", "GDI resource: ", "User resource: "};
    if (statusInfo < 2 || statusInfo > 4) return {};
    return kLabels[statusInfo - 2] + GetSystemResourceTexts()[statusInfo - 2] + "%";
}

} // namespace qx
