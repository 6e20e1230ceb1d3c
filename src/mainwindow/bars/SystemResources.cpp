#include "mainwindow/bars/SystemResources.h"

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

std::string DiskSpaceStatusText(std::uint64_t totalBytes, std::uint64_t freeBytes)
{
    const std::uint64_t freeMb = freeBytes / 1024 / 1024;
    const std::uint64_t totalMb = totalBytes / 1024 / 1024;
    const std::string share = totalMb ? std::to_string(freeMb * 100 / totalMb) : kUnknownResourceText;
    return "Disk space: " + std::to_string(freeMb) + "MB (" + share + "%)";
}

} // namespace qx
