#include "dialogs/AboutBox.h"

#include "documents/GlobalState.h"

#include <unistd.h>

namespace qx {

std::string VersionCaption() { return "Ver." + std::string(VersionText); }

std::int64_t PhysicalMemoryKB()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long size = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || size <= 0) return 0;
    return static_cast<std::int64_t>(pages) * size / 1024;
}

std::string MemoryText(std::int64_t KB)
{
    std::string digits = std::to_string(KB < 0 ? -KB : KB);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<std::size_t>(i), ",");
    return (KB < 0 ? "-" : "") + digits + "KB";
}

} // namespace qx
